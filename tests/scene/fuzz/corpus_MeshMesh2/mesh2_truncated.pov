#declare M=mesh2{
vertex_vectors { 4, <0,0,0>, <1,0,0> }
