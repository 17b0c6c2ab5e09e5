#version 110
// Exposure pass: a screen quad carrying the scene image's texture coordinates.

void main()
{
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_FrontColor = gl_Color;
    gl_Position = ftransform();
}
