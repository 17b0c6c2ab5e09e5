// Exposure settings items and the colour mapping of the exposure shader.
#include "view/ExposureSettings.h"

#include <algorithm>
#include <cmath>

const char* const ExposureSettings_cls::kUniformNames[9] = {
    "textureImage", "levelMin", "levelMax", "exposure", "gamma",
    "hueOffset",    "saturation", "alpha",  "blendMode"};

ExposureSettings_cls::ExposureSettings_cls() {
    gamma.SetRange(0.01f, 1000.0f);
    hueOffset.SetRange(-180, 180);
    saturation.SetRange(-100, 100);
    group.Register(&level, "ExposureLevel=", "0 1");
    group.Register(&gamma, "ExposureGamma=", "1");
    group.Register(&hueOffset, "ExposureHueOffset=", "0");
    group.Register(&saturation, "ExposureSaturation=", "0");
}

ExposureSettings_cls::~ExposureSettings_cls() {
    if (releasePage) releasePage();
    page = nullptr;
}

bool ExposureSettings_cls::ReadConfig(const wxString& line) {
    return group.OfferLine(line);
}

wxString ExposureSettings_cls::WriteConfig() const {
    return group.WriteAll();
}

bool ExposureSettings_cls::IsNeutral() const {
    return level.values[0] == 0.0 && level.values[1] == 1.0 && gamma.value == 1.0f &&
           hueOffset.value == 0 && saturation.value == 0;
}

ExposureParams ExposureSettings_cls::Params() const {
    ExposureParams p;
    p.levelMin = static_cast<float>(level.values[0]);
    p.levelMax = static_cast<float>(level.values[1]);
    p.gamma = gamma.value;
    p.hueOffset = hueOffset.value;
    p.saturation = saturation.value;
    p.alpha = alpha;
    p.blendMode = blendMode;
    return p;
}

namespace {

float Clamp01(float v) {
    return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
}

// The same steps as GL/exposure.frag, in the same precision.
void RgbToHsv(const float c[3], float& h, float& s, float& v) {
    const float mx = std::max(c[0], std::max(c[1], c[2]));
    const float mn = std::min(c[0], std::min(c[1], c[2]));
    const float d = mx - mn;
    v = mx;
    s = mx > 0.0f ? d / mx : 0.0f;
    if (d <= 0.0f) {
        h = 0.0f;
        return;
    }
    if (mx == c[0])
        h = (c[1] - c[2]) / d;
    else if (mx == c[1])
        h = 2.0f + (c[2] - c[0]) / d;
    else
        h = 4.0f + (c[0] - c[1]) / d;
    h /= 6.0f;
    h -= std::floor(h);
}

void HsvToRgb(float h, float s, float v, float c[3]) {
    // Each channel from its distance to the hue's sector, as the shader does it.
    const float k[3] = {0.0f, 2.0f / 3.0f, 1.0f / 3.0f};
    for (int i = 0; i < 3; ++i) {
        float t = h + k[i];
        t -= std::floor(t);
        const float p = std::fabs(t * 6.0f - 3.0f);
        c[i] = v * (1.0f - s + s * Clamp01(p - 1.0f));
    }
}

}  // namespace

void ExposureSettings_cls::MapColour(const ExposureParams& p, const float in[4], float out[4]) {
    const float span = p.levelMax - p.levelMin;
    const float g = std::max(p.gamma, 0.01f);
    float c[3];
    for (int i = 0; i < 3; ++i) {
        float v = in[i];
        if (std::fabs(span) < 1e-6f)
            v = v >= p.levelMin ? 1.0f : 0.0f;
        else
            v = Clamp01((v - p.levelMin) / span);
        c[i] = v >= 1e-30f ? std::pow(v, 1.0f / g) : 0.0f;  // 0 stays 0, as in the shader
    }
    if (p.hueOffset != 0 || p.saturation != 0) {
        float h, s, v;
        RgbToHsv(c, h, s, v);
        h += static_cast<float>(p.hueOffset) / 360.0f;
        h -= std::floor(h);
        s = Clamp01(s * (1.0f + static_cast<float>(p.saturation) / 100.0f));
        HsvToRgb(h, s, v, c);
    }
    const float a = in[3] * p.alpha;
    const float m = p.blendMode == 1 ? p.alpha : 1.0f;
    out[0] = c[0] * m;
    out[1] = c[1] * m;
    out[2] = c[2] * m;
    out[3] = a;
}
