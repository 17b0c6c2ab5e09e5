// Exposure settings: line round trips and clamps, the neutral test, and the colour
// mapping against hand-computed values.
#include <gtest/gtest.h>

#include <string>

#include "view/ExposureSettings.h"

namespace {
std::string Text(const ExposureSettings_cls& e) {
    return std::string(e.WriteConfig().utf8_str());
}
}  // namespace

TEST(ExposureSettings, DefaultsAreNeutralAndRoundTrip) {
    ExposureSettings_cls a;
    EXPECT_TRUE(a.IsNeutral());
    EXPECT_EQ(Text(a),
              "ExposureLevel=0 1\r\nExposureGamma=1.000000\r\nExposureHueOffset=0\r\n"
              "ExposureSaturation=0\r\n");
    a.level.values[0] = 0.25;
    a.level.values[1] = 1.75;
    a.gamma.value = 2.2f;
    a.hueOffset.value = -120;
    a.saturation.value = 35;
    const std::string written = Text(a);
    ExposureSettings_cls b;
    size_t start = 0;
    while (start < written.size()) {
        const size_t end = written.find("\r\n", start);
        EXPECT_TRUE(b.ReadConfig(wxString::FromUTF8(written.substr(start, end + 2 - start))));
        start = end + 2;
    }
    EXPECT_EQ(Text(b), written);
    EXPECT_FALSE(b.IsNeutral());
}

TEST(ExposureSettings, EachChangeMakesItNonNeutral) {
    for (int k = 0; k < 5; ++k) {
        ExposureSettings_cls e;
        switch (k) {
            case 0: e.level.values[0] = 0.01; break;
            case 1: e.level.values[1] = 0.99; break;
            case 2: e.gamma.value = 1.01f; break;
            case 3: e.hueOffset.value = 1; break;
            default: e.saturation.value = -1; break;
        }
        EXPECT_FALSE(e.IsNeutral()) << k;
    }
}

TEST(ExposureSettings, ReadValuesAreClamped) {
    struct Case {
        const char* line;
        const char* expected;
    };
    const Case cases[] = {
        {"ExposureHueOffset=500", "ExposureHueOffset=180"},
        {"ExposureHueOffset=-999", "ExposureHueOffset=-180"},
        {"ExposureSaturation=101", "ExposureSaturation=100"},
        {"ExposureSaturation=-250", "ExposureSaturation=-100"},
        {"ExposureGamma=-2", "ExposureGamma=0.010000"},
        {"ExposureGamma=0", "ExposureGamma=0.010000"},
        {"ExposureGamma=nan", "ExposureGamma=0.010000"},
    };
    for (const Case& c : cases) {
        ExposureSettings_cls e;
        e.ReadConfig(c.line);
        EXPECT_NE(Text(e).find(std::string(c.expected) + "\r\n"), std::string::npos) << c.line;
    }
}

TEST(ExposureSettings, ColourMappingMatchesHandComputedValues) {
    struct Case {
        const char* what;
        ExposureParams p;
        float in[4];
        float out[4];
    };
    auto P = [](float lo, float hi, float g, int hue, int sat, float alpha = 1, int blend = 0) {
        ExposureParams p;
        p.levelMin = lo;
        p.levelMax = hi;
        p.gamma = g;
        p.hueOffset = hue;
        p.saturation = sat;
        p.alpha = alpha;
        p.blendMode = blend;
        return p;
    };
    const Case cases[] = {
        {"neutral", P(0, 1, 1, 0, 0), {0.2f, 0.4f, 0.6f, 1}, {0.2f, 0.4f, 0.6f, 1}},
        {"levels stretch", P(0.2f, 0.6f, 1, 0, 0), {0.4f, 0.1f, 0.8f, 1}, {0.5f, 0, 1, 1}},
        {"levels widen", P(0, 2, 1, 0, 0), {1, 0.5f, 0, 1}, {0.5f, 0.25f, 0, 1}},
        {"equal levels", P(0.5f, 0.5f, 1, 0, 0), {0.4f, 0.5f, 0.9f, 1}, {0, 1, 1, 1}},
        {"inverted levels", P(1, 0, 1, 0, 0), {0.25f, 1, 0, 1}, {0.75f, 0, 1, 1}},
        {"gamma 2", P(0, 1, 2, 0, 0), {0.25f, 0.64f, 1, 1}, {0.5f, 0.8f, 1, 1}},
        {"gamma 0.5", P(0, 1, 0.5f, 0, 0), {0.5f, 0.9f, 0, 1}, {0.25f, 0.81f, 0, 1}},
        {"gamma 0 as 0.01", P(0, 1, 0, 0, 0), {0.5f, 1, 0.8f, 1}, {0, 1, 0, 1}},  // 0.8^100 = 2e-10
        {"hue +120", P(0, 1, 1, 120, 0), {1, 0, 0, 1}, {0, 1, 0, 1}},
        {"hue -120", P(0, 1, 1, -120, 0), {1, 0, 0, 1}, {0, 0, 1, 1}},
        {"hue 180 of orange", P(0, 1, 1, 180, 0), {1, 0.5f, 0, 1}, {0, 0.5f, 1, 1}},
        {"hue keeps grey", P(0, 1, 1, 90, 0), {0.3f, 0.3f, 0.3f, 1}, {0.3f, 0.3f, 0.3f, 1}},
        {"saturation -100", P(0, 1, 1, 0, -100), {1, 0.5f, 0, 1}, {1, 1, 1, 1}},
        {"saturation -50", P(0, 1, 1, 0, -50), {1, 0, 0, 1}, {1, 0.5f, 0.5f, 1}},
        {"saturation +100", P(0, 1, 1, 0, 100), {0.8f, 0.4f, 0.4f, 1}, {0.8f, 0, 0, 1}},
        {"alpha, plain copy", P(0, 1, 1, 0, 0, 0.5f, 0), {0.2f, 0.4f, 0.6f, 1}, {0.2f, 0.4f, 0.6f, 0.5f}},
        {"alpha, eye buffer", P(0, 1, 1, 0, 0, 0.5f, 1), {0.2f, 0.4f, 0.6f, 0.8f}, {0.1f, 0.2f, 0.3f, 0.4f}},
        {"levels then gamma then hue", P(0, 0.5f, 2, 120, 0), {0.125f, 0, 0, 1}, {0, 0.5f, 0, 1}},
    };
    for (const Case& c : cases) {
        float out[4] = {-1, -1, -1, -1};
        ExposureSettings_cls::MapColour(c.p, c.in, out);
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(out[i], c.out[i], 1e-5) << c.what << " channel " << i;
    }
}
