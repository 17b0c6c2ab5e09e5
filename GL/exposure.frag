#version 110
// Exposure pass: levels, gamma, hue rotation and saturation applied to the scene image,
// then the copy's opacity (blend mode 1 premultiplies the colour for eye-buffer sums).

uniform sampler2D textureImage;
uniform vec4 levelMin;
uniform vec4 levelMax;
uniform vec4 exposure;
uniform vec4 gamma;
uniform int hueOffset;
uniform int saturation;
uniform float alpha;
uniform int blendMode;

vec3 rgbToHsv(vec3 c)
{
    float mx = max(c.r, max(c.g, c.b));
    float mn = min(c.r, min(c.g, c.b));
    float d = mx - mn;
    float s = mx > 0.0 ? d / mx : 0.0;
    float h = 0.0;
    if (d > 0.0) {
        if (mx == c.r)
            h = (c.g - c.b) / d;
        else if (mx == c.g)
            h = 2.0 + (c.b - c.r) / d;
        else
            h = 4.0 + (c.r - c.g) / d;
        h = fract(h / 6.0);
    }
    return vec3(h, s, mx);
}

vec3 hsvToRgb(vec3 hsv)
{
    vec3 t = fract(vec3(hsv.x) + vec3(0.0, 2.0 / 3.0, 1.0 / 3.0));
    vec3 p = clamp(abs(t * 6.0 - 3.0) - 1.0, 0.0, 1.0);
    return hsv.z * (1.0 - hsv.y + hsv.y * p);
}

void main()
{
    vec4 texel = texture2D(textureImage, gl_TexCoord[0].st);
    vec3 span = levelMax.rgb - levelMin.rgb;
    vec3 c;
    if (abs(span.r) < 1.0e-6)
        c = step(levelMin.rgb, texel.rgb);
    else
        c = clamp((texel.rgb - levelMin.rgb) / span, 0.0, 1.0);
    // pow of 0 is undefined in GLSL: 0 stays 0 whatever the gamma.
    c = pow(max(c, vec3(1.0e-30)), vec3(1.0) / max(gamma.rgb, vec3(0.01))) * step(vec3(1.0e-30), c);
    if (hueOffset != 0 || saturation != 0) {
        vec3 hsv = rgbToHsv(c);
        hsv.x = fract(hsv.x + float(hueOffset) / 360.0);
        hsv.y = clamp(hsv.y * (1.0 + float(saturation) / 100.0), 0.0, 1.0);
        c = hsvToRgb(hsv);
    }
    float m = blendMode == 1 ? alpha : 1.0;
    gl_FragColor = vec4(c * m, texel.a * alpha);
}
