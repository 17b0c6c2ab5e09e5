// Phong shading: the fixed pipeline's lighting evaluated per pixel for the first
// lightNumberPhong lights, then the fog of the fixed state (fogMode 0 none, 1 GL_EXP,
// 2 GL_EXP2, 3 GL_LINEAR).
#version 110

uniform int lightNumberPhong;
uniform int fogMode;

varying vec3 eyePosition;
varying vec3 eyeNormal;

vec4 LightTerm(int i, vec3 p, vec3 n, vec3 v) {
    vec3 l;
    float att = 1.0;
    if (gl_LightSource[i].position.w == 0.0) {
        l = normalize(gl_LightSource[i].position.xyz);
    } else {
        vec3 d = gl_LightSource[i].position.xyz - p;
        float dist = length(d);
        l = d / max(dist, 1e-6);
        att = 1.0 / (gl_LightSource[i].constantAttenuation + gl_LightSource[i].linearAttenuation * dist +
                     gl_LightSource[i].quadraticAttenuation * dist * dist);
        if (gl_LightSource[i].spotCutoff <= 90.0) {
            float s = dot(-l, normalize(gl_LightSource[i].spotDirection));
            att = s < gl_LightSource[i].spotCosCutoff ? 0.0 : att * pow(max(s, 0.0), gl_LightSource[i].spotExponent);
        }
    }
    float nl = max(dot(n, l), 0.0);
    vec4 c = gl_FrontLightProduct[i].ambient + gl_FrontLightProduct[i].diffuse * nl;
    float nh = dot(n, normalize(l + v));
    if (nl > 0.0 && nh > 0.0) c += gl_FrontLightProduct[i].specular * pow(nh, gl_FrontMaterial.shininess);
    return c * att;
}

void main() {
    vec3 n = normalize(eyeNormal);
    vec3 v = normalize(-eyePosition);
    vec4 c = gl_FrontLightModelProduct.sceneColor;
    for (int i = 0; i < gl_MaxLights; ++i) {
        if (i >= lightNumberPhong) break;
        c += LightTerm(i, eyePosition, n, v);
    }
    vec3 rgb = clamp(c.rgb, 0.0, 1.0);
    if (fogMode > 0) {
        float z = gl_FogFragCoord;
        float f;
        if (fogMode == 1)
            f = exp(-gl_Fog.density * z);
        else if (fogMode == 2)
            f = exp(-(gl_Fog.density * z) * (gl_Fog.density * z));
        else
            f = (gl_Fog.end - z) * gl_Fog.scale;
        rgb = mix(gl_Fog.color.rgb, rgb, clamp(f, 0.0, 1.0));
    }
    gl_FragColor = vec4(rgb, gl_FrontMaterial.diffuse.a);
}
