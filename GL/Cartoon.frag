// Cartoon ("Toon") shading: the diffuse light of the first lightNumberCartoon lights in
// three flat bands, a hard-edged highlight and a dark outline where the surface turns away
// from the eye (boldnessCartoon: the outline's width, as the cosine below which a pixel is
// outline). shadowVolumeModeCartoon 0 is the lit pass over the shadow volumes: only the
// light's own bands, no scene ambient and no outline.
#version 110

uniform int lightNumberCartoon;
uniform int shadowVolumeModeCartoon;
uniform float boldnessCartoon;

varying vec3 eyePosition;
varying vec3 eyeNormal;

float Band(float x) {
    if (x > 0.9) return 1.0;
    if (x > 0.5) return 0.7;
    if (x > 0.2) return 0.4;
    return 0.1;
}

void main() {
    vec3 n = normalize(eyeNormal);
    vec3 v = normalize(-eyePosition);
    vec4 c = shadowVolumeModeCartoon == 1 ? gl_FrontLightModelProduct.sceneColor : vec4(0.0);
    for (int i = 0; i < gl_MaxLights; ++i) {
        if (i >= lightNumberCartoon) break;
        vec3 l = gl_LightSource[i].position.w == 0.0 ? normalize(gl_LightSource[i].position.xyz)
                                                     : normalize(gl_LightSource[i].position.xyz - eyePosition);
        float nl = max(dot(n, l), 0.0);
        if (shadowVolumeModeCartoon == 1) c += gl_FrontLightProduct[i].ambient;
        c += gl_FrontLightProduct[i].diffuse * Band(nl);
        float nh = dot(n, normalize(l + v));
        if (nl > 0.0 && nh > 0.0 && pow(nh, max(gl_FrontMaterial.shininess, 1.0)) > 0.5)
            c += gl_FrontLightProduct[i].specular;
    }
    vec3 rgb = clamp(c.rgb, 0.0, 1.0);
    if (shadowVolumeModeCartoon == 1 && dot(n, v) < boldnessCartoon) rgb = vec3(0.0);
    gl_FragColor = vec4(rgb, gl_FrontMaterial.diffuse.a);
}
