// Gouraud shading: the fixed pipeline's lighting evaluated per vertex for the first
// lightNumberGouraud lights (positional, directional and spot lights with attenuation).
#version 110

uniform int lightNumberGouraud;

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
    vec4 pe = gl_ModelViewMatrix * gl_Vertex;
    vec3 p = pe.xyz / pe.w;
    vec3 n = normalize(gl_NormalMatrix * gl_Normal);
    vec3 v = normalize(-p);
    vec4 c = gl_FrontLightModelProduct.sceneColor;
    for (int i = 0; i < gl_MaxLights; ++i) {
        if (i >= lightNumberGouraud) break;
        c += LightTerm(i, p, n, v);
    }
    gl_FrontColor = vec4(clamp(c.rgb, 0.0, 1.0), gl_FrontMaterial.diffuse.a);
    gl_FogFragCoord = abs(p.z);
    gl_Position = ftransform();
}
