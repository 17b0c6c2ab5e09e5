// Fallback fragment stage: the interpolated colour as it is.
#version 110

void main() {
    gl_FragColor = gl_Color;
}
