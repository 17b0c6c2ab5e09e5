// Gouraud shading: the colour lit at the vertices, interpolated across the face.
#version 110

void main() {
    gl_FragColor = gl_Color;
}
