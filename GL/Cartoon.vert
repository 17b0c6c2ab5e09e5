// Cartoon ("Toon") shading: hands the eye-space position and normal to the fragment stage.
#version 110

varying vec3 eyePosition;
varying vec3 eyeNormal;

void main() {
    vec4 pe = gl_ModelViewMatrix * gl_Vertex;
    eyePosition = pe.xyz / pe.w;
    eyeNormal = gl_NormalMatrix * gl_Normal;
    gl_FrontColor = gl_Color;  // for the fallback fragment stage
    gl_Position = ftransform();
}
