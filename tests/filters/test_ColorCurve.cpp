// Colour record: colour lookups, byte tables, project and clipboard text, POV-Ray colour maps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <thread>

#include "common/CommandHistory.h"
#include "filters/ColorCurve.h"
#include "tests/support/PovRayProbe.h"
#include "tests/support/TestFiles.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamKey.h"
#include "tests/timeline/TextFeed.h"
#include "timeline/Parameter.h"
#include "tests/support/ParamHistoryFixture.h"

namespace {

class ColorCurveTest : public ParamHistoryFixture {};

using textfeed::ReadAll;

void ExpectColour(const float got[4], float r, float g, float b, float a, const std::string& what) {
    EXPECT_NEAR(got[0], r, 1e-6) << what;
    EXPECT_NEAR(got[1], g, 1e-6) << what;
    EXPECT_NEAR(got[2], b, 1e-6) << what;
    EXPECT_NEAR(got[3], a, 1e-6) << what;
}

}  // namespace

TEST_F(ColorCurveTest, DefaultCurveRunsGreenToRed) {
    ColorCurve_cls c("BGColor", "Background", "0.1 0.3 0.5 1", 0, nullptr);
    ASSERT_EQ(c.curve->ComponentCount(), 4);
    for (int k = 0; k < 4; ++k) {
        ASSERT_EQ(c.curve->Component(k).GetKeyCount(), 2) << k;
        EXPECT_EQ(c.curve->Component(k).GetKeyTime(0), 0.0);
        EXPECT_EQ(c.curve->Component(k).GetKeyTime(1), 1.0);
    }
    EXPECT_EQ(c.curve->name, "BGColor ColorCurve");
    EXPECT_EQ(c.curve->Component(3).registryName, "BGColor ColorCurve A");
    EXPECT_EQ(GoCommandHistory.Size(), 0u);  // the start keys are not undo steps
}

TEST_F(ColorCurveTest, ColorForValueTable) {
    const double keys[][5] = {{0, 0, 0, 1, 1}, {0.5, 1, 1, 1, 0.5}, {1, 1, 0, 0, 0}};
    ColorCurve_cls curve("P", "p", "0.2 0.4 0.6 0.8", 3, keys);
    curve.useColorCurve.value = true;
    curve.scalingMin.value = 2;
    curve.scalingMax.value = 6;
    curve.UpdateScaling();
    ColorCurve_cls constant("Q", "q", "0.2 0.4 0.6 0.8", 0, nullptr);
    struct Case {
        const ColorCurve_cls* rec;
        float value, r, g, b, a;
        const char* what;
    };
    const Case cases[] = {
        {&curve, 2, 0, 0, 1, 1, "at ScalingMin: first key"},
        {&curve, -10, 0, 0, 1, 1, "below: first key"},
        {&curve, -2, 0, 0, 1, 1, "position exactly -1 is not the current time"},
        {&curve, 3, 0.5f, 0.5f, 1, 0.75f, "a quarter"},
        {&curve, 4, 1, 1, 1, 0.5f, "middle key"},
        {&curve, 6, 1, 0, 0, 0, "at ScalingMax: last key"},
        {&curve, 100, 1, 0, 0, 0, "above: last key"},
        {&constant, 3, 0.2f, 0.4f, 0.6f, 0.8f, "constant keeps its alpha"},
        {&constant, -1e6f, 0.2f, 0.4f, 0.6f, 0.8f, "constant everywhere"},
    };
    GdCurrentTime = 0.5;  // a lookup must never fall back to the scene time
    for (const Case& c : cases) {
        float out[4];
        c.rec->ColorForValue(c.value, out);
        ExpectColour(out, c.r, c.g, c.b, c.a, c.what);
    }
    // a record never scaled still has a usable mapping (offset 0, range 1)
    ColorCurve_cls fresh("F", "f", "0 0 0 1", 3, keys);
    fresh.useColorCurve.value = true;
    float out[4];
    fresh.ColorForValue(0.5f, out);
    ExpectColour(out, 1, 1, 1, 0.5f, "unscaled");
}

TEST_F(ColorCurveTest, ColorForValueFromSeveralThreadsMatchesOneThread) {
    ColorCurve_cls c("T", "t", "0 0 0 1", 0, nullptr);
    c.useColorCurve.value = true;
    c.scalingMax.value = 1000;
    c.UpdateScaling();
    std::vector<float> expected(4000), got(4000);
    for (int i = 0; i < 1000; ++i) c.ColorForValue(float(i), &expected[size_t(i) * 4]);
    std::vector<std::thread> workers;
    for (int w = 0; w < 4; ++w)
        workers.emplace_back([&, w] {
            for (int i = w; i < 1000; i += 4) c.ColorForValue(float(i), &got[size_t(i) * 4]);
        });
    for (auto& t : workers) t.join();
    EXPECT_EQ(got, expected);
}

TEST_F(ColorCurveTest, ColorTableAgreesWithDirectEvaluation) {
    // Curves of every segment kind, keys on and off the table's entries and outside 0..1;
    // values across the scaling range, at its ends, beyond them, and not numbers.
    const double linear[][5] = {{0, 0, 0, 1, 1}, {0.5, 1, 1, 1, 0.5}, {1, 1, 0, 0, 0}};
    const double dense[][5] = {{0, 0, 0, 0, 1}, {0.0101, 1, 0.2, 0, 1}, {0.0203, 0, 0.9, 1, 0},
                               {0.3337, 0.5, 0.5, 0.5, 0.5}, {0.9999, 1, 1, 1, 1}};
    const double outside[][5] = {{-0.5, 1, 0, 0, 1}, {0.25, 0, 1, 0, 1}, {1.5, 0, 0, 1, 0}};
    const double single[][5] = {{0.3, 0.25, 0.5, 0.75, 1}};
    struct Case {
        const char* what;
        int keyCount;
        const double (*keys)[5];
        int keyType;     // applied to every key of every channel
        bool fixedBlue;  // the B channel not time-dependent
        float tolerance;
    };
    const Case cases[] = {
        {"default green to red", 0, nullptr, PKT_LINEAR, false, 1e-5f},
        {"three linear keys", 3, linear, PKT_LINEAR, false, 1e-5f},
        {"keys between entries", 5, dense, PKT_LINEAR, false, 1e-5f},
        {"steps", 5, dense, PKT_STEP, false, 1e-5f},
        {"smooth keys", 5, dense, PKT_HERMITE_AUTO, false, 1e-3f},
        {"keys outside 0..1", 3, outside, PKT_HERMITE_AUTO, false, 1e-3f},
        {"one key", 1, single, PKT_LINEAR, false, 1e-6f},
        {"fixed channel", 3, linear, PKT_LINEAR, true, 1e-5f},
    };
    std::vector<float> values = {2.0f, 6.0f, 1.99999f, 6.00001f, -100.0f, 100.0f, 4.0f, 3.0f,
                                 2.0f + 4.0f * 0.0101f, 2.0f + 4.0f * 0.0203f, 2.0f + 4.0f * 0.9999f,
                                 std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                                 std::numeric_limits<float>::quiet_NaN()};
    for (int i = 0; i <= 20000; ++i) values.push_back(1.5f + 5.0f * float(i) / 20000.0f);
    for (const Case& c : cases)
        for (int entries : {2, 1024, kColorTableEntries}) {
            ColorCurve_cls rec("T", "t", "0 0 0 1", c.keyCount, c.keys);
            rec.useColorCurve.value = true;
            for (int k = 0; k < 4; ++k) {
                Parameter_cls& p = rec.curve->Component(k);
                for (ParamKey_cls& key : p.keys) key.type = c.keyType;
                p.UpdateAutoTangents();
            }
            if (c.fixedBlue) rec.curve->Component(2).SetTimeDependentValue(false);
            rec.scalingMin.value = 2;
            rec.scalingMax.value = 6;
            rec.UpdateScaling();
            float viaTable[4], direct[4];
            rec.ColorFromTable(3.0f, viaTable);  // no table yet: the direct path itself
            rec.ColorForValue(3.0f, direct);
            for (int k = 0; k < 4; ++k) ASSERT_EQ(viaTable[k], direct[k]) << c.what;
            rec.BuildColorTable(entries);
            ASSERT_EQ(rec.ColorTableEntries(), entries);
            GdCurrentTime = 0.7;  // the table must not follow the scene time either
            // A smooth segment's bend inside one cell shrinks with the square of the cell
            // (the tolerances are for the default table); linear and step curves are exact
            // at any size. Two entries only sample the ends: a line between them is no curve
            // (except the default one, which is that line).
            const float cellRatio = float(kColorTableEntries - 1) / float(entries - 1);
            float tolerance = c.keyType == PKT_HERMITE_AUTO ? c.tolerance * cellRatio * cellRatio : c.tolerance;
            if (entries == 2 && c.keyCount > 1) tolerance = 1.0f;
            float worst = 0.0f;
            for (float v : values) {
                rec.ColorFromTable(v, viaTable);
                rec.ColorForValue(v, direct);
                for (int k = 0; k < 4; ++k) {
                    if (std::isnan(direct[k])) {
                        ASSERT_TRUE(std::isnan(viaTable[k])) << c.what;
                        continue;
                    }
                    worst = std::max(worst, std::fabs(viaTable[k] - direct[k]));
                    ASSERT_NEAR(viaTable[k], direct[k], tolerance) << c.what << " entries " << entries << " value " << v
                                                                  << " channel " << k;
                }
            }
            if (entries == kColorTableEntries) {
                EXPECT_LE(worst, c.tolerance) << c.what;
            }
            // The ends are exact: first and last key colours, clamped as the direct path does.
            for (float v : {-1e6f, 2.0f, 6.0f, 1e6f}) {
                rec.ColorFromTable(v, viaTable);
                rec.ColorForValue(v, direct);
                for (int k = 0; k < 4; ++k) EXPECT_EQ(viaTable[k], direct[k]) << c.what << " value " << v;
            }
        }
    // A constant colour is returned exactly, alpha included, table or not.
    ColorCurve_cls constant("Q", "q", "0.2 0.4 0.6 0.8", 0, nullptr);
    constant.UpdateScaling();
    constant.BuildColorTable();
    for (float v : {-5.0f, 0.0f, 0.37f, 1.0f, 1e9f}) {
        float out[4];
        constant.ColorFromTable(v, out);
        EXPECT_EQ((std::vector<float>(out, out + 4)), (std::vector<float>{0.2f, 0.4f, 0.6f, 0.8f})) << v;
    }
}

TEST_F(ColorCurveTest, ColorTableFromSeveralThreadsMatchesOneThread) {
    const double keys[][5] = {{0, 0, 0, 1, 1}, {0.5, 1, 1, 1, 0.5}, {1, 1, 0, 0, 0}};
    ColorCurve_cls c("T", "t", "0 0 0 1", 3, keys);
    c.useColorCurve.value = true;
    c.scalingMax.value = 1000;
    c.UpdateScaling();
    c.BuildColorTable();
    std::vector<float> expected(4000), got(4000);
    for (int i = 0; i < 1000; ++i) c.ColorFromTable(float(i), &expected[size_t(i) * 4]);
    std::vector<std::thread> workers;
    for (int w = 0; w < 4; ++w)
        workers.emplace_back([&, w] {
            for (int i = w; i < 1000; i += 4) c.ColorFromTable(float(i), &got[size_t(i) * 4]);
        });
    for (auto& t : workers) t.join();
    EXPECT_EQ(got, expected);
}

TEST_F(ColorCurveTest, EqualScalingIsRepairedAndWritten) {
    ColorCurve_cls c("Fog", "fog", "1 1 1 1", 0, nullptr);
    c.scalingMin.value = 5;
    c.scalingMax.value = 5;
    c.UpdateScaling();
    EXPECT_EQ(c.range, 1.0f);
    EXPECT_EQ(c.offset, 5.0f);
    EXPECT_NE(c.WriteText().Find("FogScalingMax=6.000000\r\n"), wxNOT_FOUND);
}

TEST_F(ColorCurveTest, TablesClampChannelsAndForceConstantAlpha) {
    ColorCurve_cls c("BG", "bg", "0.5 1 0.25 0.3", 0, nullptr);
    std::vector<unsigned char> t = c.MakeTable(4, 0);
    ASSERT_EQ(t.size(), 16u);
    EXPECT_EQ(t[0], 127);
    EXPECT_EQ(t[1], 255);
    EXPECT_EQ(t[2], 63);
    EXPECT_EQ(t[3], 255);  // constant alpha is ignored

    c.useColorCurve.value = true;
    t = c.MakeTable(256, 1);
    ASSERT_EQ(t.size(), 1024u);
    auto entry = [&](int i) {
        return std::vector<int>{t[size_t(i) * 4], t[size_t(i) * 4 + 1], t[size_t(i) * 4 + 2], t[size_t(i) * 4 + 3]};
    };
    EXPECT_EQ(entry(128), (std::vector<int>{0, 255, 0, 255}));  // curve at 0
    EXPECT_EQ(entry(0), (std::vector<int>{255, 0, 0, 255}));    // curve at 1
    float at[4];
    c.ColorAt(0.9921875f, at);
    EXPECT_EQ(entry(255), (std::vector<int>{int(at[0] * 255), int(at[1] * 255), int(at[2] * 255), 255}));
    t = c.MakeTable(256, 0);
    EXPECT_EQ(entry(0), (std::vector<int>{0, 255, 0, 255}));
    EXPECT_EQ(entry(255), (std::vector<int>{255, 0, 0, 255}));

    // channels outside 0..1 saturate instead of wrapping around
    const double wild[][5] = {{0, 1.5, -0.25, 2, 1}, {1, 1.5, -0.25, 2, 1}};
    ColorCurve_cls w("W", "w", "0 0 0 1", 2, wild);
    w.useColorCurve.value = true;
    t = w.MakeTable(2, 0);
    EXPECT_EQ(entry(0), (std::vector<int>{255, 0, 255, 255}));
}

TEST_F(ColorCurveTest, ProjectTextRoundTrip) {
    const double keys[][5] = {{0, 0.1, 0.2, 0.3, 1}, {0.25, 0.9, 0.8, 0.7, 0.5}, {1, 0, 0, 0, 0}};
    ColorCurve_cls a("Type2Ambient", "Ambient", "0.1 0.3 0.5 1", 3, keys);
    a.useColorCurve.value = true;
    a.scalingMin.value = -1.5f;
    a.scalingMax.value = 20;
    a.dependType.value = 7;
    const std::string text = a.WriteText().ToStdString();
    EXPECT_EQ(text.rfind("Type2AmbientUseColorCurve=1\r\nType2AmbientConstantColor=0.100000 0.300000 0.500000 "
                         "1.000000\r\nType2AmbientScalingMin=-1.500000\r\nType2AmbientScalingMax=20.000000\r\n"
                         "Type2AmbientDependType=7\r\n-ParamGroup=Type2Ambient ColorCurve\n",
                         0),
              0u);
    ColorCurve_cls b("Type2Ambient", "Ambient", "0 0 0 0", 0, nullptr);
    ReadAll(b, "Type2AmbientScalingMinX=4\r\nnoise\r\n" + text);
    EXPECT_EQ(b.WriteText().ToStdString(), text);
    EXPECT_EQ(b.curve->Component(0).GetKeyCount(), 3);

    // under a decimal-comma locale the same text is written and read
    testsupport::CommaLocale comma;
    if (comma.Ok()) {
        ColorCurve_cls c("Type2Ambient", "Ambient", "0 0 0 0", 0, nullptr);
        ReadAll(c, text);
        EXPECT_EQ(c.WriteText().ToStdString(), text);
    }
}

TEST_F(ColorCurveTest, ReadingClampsDependType) {
    ColorCurve_cls c("X", "x", "0 0 0 1", 0, nullptr);
    ReadAll(c, "XDependType=42\r\n");
    EXPECT_EQ(c.dependType.value, 10u);
}

TEST_F(ColorCurveTest, CopyFromCurveOnlyKeepsSettings) {
    const double keys[][5] = {{0, 1, 1, 1, 1}, {0.5, 0, 0, 0, 1}};
    ColorCurve_cls src("A", "a", "0.9 0.9 0.9 1", 2, keys);
    src.useColorCurve.value = true;
    src.scalingMax.value = 9;
    ColorCurve_cls dst("A", "a", "0.1 0.1 0.1 1", 0, nullptr);
    const wxString settingsBefore = dst.settings.WriteAll();
    dst.CopyFrom(src, true);
    EXPECT_EQ(dst.settings.WriteAll(), settingsBefore);
    EXPECT_EQ(dst.curve->Component(0).GetKeyTime(1), 0.5);
    dst.CopyFrom(src, false);
    EXPECT_EQ(dst.settings.WriteAll(), src.settings.WriteAll());
}

TEST_F(ColorCurveTest, ClipboardColourText) {
    ColorCurve_cls c("BGColor", "bg", "0.1 0.3 0.5 1", 0, nullptr);
    EXPECT_EQ(c.CopyColorText().ToStdString(), "COLOR=0.100000 0.300000 0.500000 1.000000\r\n");
    struct Case {
        const char* text;
        bool ok;
        float v[4];
    };
    const Case cases[] = {
        {"COLOR=0.100000 0.300000 0.500000 1.000000\r\n", true, {0.1f, 0.3f, 0.5f, 1}},
        {"COLOR=1 0 0.25 0.5", true, {1, 0, 0.25f, 0.5f}},
        {"COLOR=0.7 0.2", true, {0.7f, 0.2f, 0.5f, 1}},  // the missing values keep the item's default
        {"color=1 1 1 1", false, {9, 9, 9, 9}},
        {"xCOLOR=1 1 1 1", false, {9, 9, 9, 9}},
    };
    for (const Case& cs : cases) {
        float out[4] = {9, 9, 9, 9};
        EXPECT_EQ(ColorCurve_cls::ParseColorText(cs.text, out), cs.ok) << cs.text;
        for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(out[k], cs.v[k]) << cs.text;
    }
    EXPECT_EQ(c.PovRGB().ToStdString(), "rgb<0.100,0.300,0.500>");
}

TEST_F(ColorCurveTest, PovColorMapText) {
    ColorCurve_cls c("C", "c", "0.1 0.3 0.5 1", 0, nullptr);
    wxString out;
    c.useColorCurve.value = true;
    c.PovColorMap(out, "");
    EXPECT_EQ(out.ToStdString(),
              "color_map{\n\t[0 rgbt <0.000,1.000,0.000,0.000>]\n\t[1 rgbt <1.000,0.000,0.000,0.000>]\n}\n");
    // keys at 0, 0.5, 1 on G only: three entries; with the constant colour all entries carry it
    c.curve->Component(1).SetKeyAt(0.5, 0.25, 0, 0);
    c.useColorCurve.value = false;
    out.clear();
    c.PovColorMap(out, "\t");
    EXPECT_EQ(out.ToStdString(),
              "\tcolor_map{\n\t\t[0 rgbt <0.100,0.300,0.500,0.000>]\n\t\t[0.5 rgbt <0.100,0.300,0.500,0.000>]\n"
              "\t\t[1 rgbt <0.100,0.300,0.500,0.000>]\n\t}\n");
}

TEST_F(ColorCurveTest, PovRayReadsTheColorMapAsTheRecordDoes) {
    if (!povprobe::Available()) GTEST_SKIP() << "no POV-Ray";
    const double keys[][5] = {{0, 0.1, 0.2, 0.9, 1}, {0.3, 0.8, 0.1, 0.4, 0.6}, {0.75, 0.2, 0.9, 0.3, 0.25},
                              {1, 1, 1, 0, 1}};
    ColorCurve_cls c("Map", "m", "0 0 0 1", 4, keys);
    c.useColorCurve.value = true;
    c.curve->Component(3).SetKeyAt(0.5, 0.4, 0, 0);  // an alpha key between the colour keys
    wxString map;
    c.PovColorMap(map, "\t");
    std::ostringstream scene;
    scene << "#version 3.7;\nglobal_settings { assumed_gamma 1 }\n#include \"functions.inc\"\n"
          << "#declare P = pigment { gradient x\n" << map.ToStdString() << "}\n";
    const float xs[] = {0.0f, 0.15f, 0.3f, 0.45f, 0.5f, 0.6f, 0.75f, 0.9f, 0.999f};
    for (int i = 0; i < 9; ++i)
        scene << "#debug concat(\"X" << i << " \", vstr(5, eval_pigment(P, <" << xs[i]
              << ",0,0>), \" \", 0, 6), \"\\n\")\n";
    bool ok = false;
    const std::string out = povprobe::Run(scene.str(), ok);
    ASSERT_TRUE(ok) << out;
    for (int i = 0; i < 9; ++i) {
        float want[4];
        c.ColorAt(xs[i], want);
        std::istringstream got(povprobe::Line(out, "X" + std::to_string(i)));
        double v[5] = {9, 9, 9, 9, 9};
        for (double& x : v) got >> x;
        // POV-Ray interpolates linearly between the entries, as the record's linear keys do
        EXPECT_NEAR(v[0], want[0], 2e-3) << "x " << xs[i];
        EXPECT_NEAR(v[1], want[1], 2e-3) << "x " << xs[i];
        EXPECT_NEAR(v[2], want[2], 2e-3) << "x " << xs[i];
        EXPECT_NEAR(v[4], 1 - want[3], 2e-3) << "transmit at x " << xs[i];
    }
}
