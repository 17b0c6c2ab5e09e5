// POV-Ray text of key-framed values: the exact text of small curves, and agreement of the
// real renderer's evaluation of that text with the program's own evaluation.
#include "tests/timeline/ParamTestUtil.h"

#include "platform/FileNumbers.h"
#include "tests/support/PovRayProbe.h"
#include "tests/support/TestFiles.h"
#include "timeline/ParamGroup.h"

#include <cmath>
#include <cstdlib>
#include <random>
#include <sstream>

using paramtest::K;
using paramtest::MakeParam;

namespace {

class ParamPov : public paramtest::ParamTest {};

TEST_F(ParamPov, ConstantAndEmptyCurves) {
    Parameter_cls p = MakeParam({{0, 2.5}, {1, 7}}, 0, false);
    EXPECT_EQ(p.GetPovCode("v"), "#declare v = 2.5;\n");
    Parameter_cls one = MakeParam({{0.4, -3}});
    EXPECT_EQ(one.GetPovCode("v"), "#declare v = -3;\n");
    Parameter_cls none = MakeParam({});
    EXPECT_EQ(none.GetPovCode("v"), "#declare v = 0;\n");
}

TEST_F(ParamPov, LinearOverTheWholeScene) {
    Parameter_cls p = MakeParam({{0, 0}, {1, 10}});
    EXPECT_EQ(p.GetPovCode("id"),
              "#if (t0 <= 1)\n"
              "\t#declare rate = (t0 - 0)/1;\n"
              "\t#declare id = 0+ rate * 10;\n"
              "#end\n");
}

TEST_F(ParamPov, LeadingAndTrailingBranches) {
    Parameter_cls p = MakeParam({{0.2, 5, PKT_HERMITE_AUTO}, {0.8, 5}});
    EXPECT_EQ(p.GetPovCode("h"),
              "#if (t0 <= 0.2)\n"
              "\t#declare h = 5;\n"
              "#elseif (t0 <= 0.8)\n"
              "\t#declare rate = (t0 - 0.2)/0.6;\n"
              "\t#declare h = 5 + 0*rate + 0*rate*rate + 0*rate*rate*rate;\n"
              "#else\n"
              "\t#declare h = 5;\n"
              "#end\n");
}

TEST_F(ParamPov, PeriodicRightValueIsWrapped) {
    Parameter_cls p = MakeParam({{0, 350}, {1, 10}}, 360);
    EXPECT_NE(p.GetPovCode("a").find("\t#declare a = 350+ rate * 20;\n"), std::string::npos);
}

TEST_F(ParamPov, AfterThePeriodicLastKeyItsOwnValueHolds) {
    // The segment runs to the wrapped image 370, but past the last key the curve holds that
    // key's own value, as the program's evaluation does.
    Parameter_cls p = MakeParam({{0, 350}, {0.5, 10}}, 360);
    EXPECT_EQ(p.GetPovCode("a"),
              "#if (t0 <= 0.5)\n"
              "\t#declare rate = (t0 - 0)/0.5;\n"
              "\t#declare a = 350+ rate * 20;\n"
              "#else\n"
              "\t#declare a = 10;\n"
              "#end\n");
    EXPECT_EQ(p.GetValue(0.75, -1), 10);
}

TEST_F(ParamPov, StepAndGroupIdentifiers) {
    ParamGroup_cls g("Camera Translate", {"X", "Y"}, 0, 1);
    Parameter_cls& x = g.Component(0);
    x.keys.clear();
    x.AddKey(0, 1, PKT_STEP, 0, 0);
    x.AddKey(0.5, 2, PKT_LINEAR, 0, 0);
    const std::string text = g.GetPovCode();
    EXPECT_EQ(text.find("#if (t0 <= 0.5)\n\t#declare rate = (t0 - 0)/0.5;\n"
                        "\t#declare Camera_Translate_X = 1;\n#else\n"
                        "\t#declare Camera_Translate_X = 2;\n#end\n"),
              0u);
    EXPECT_NE(text.find("#declare Camera_Translate_Y = 0;\n"), std::string::npos);
}

// ---------------------------------------------------------------- agreement with POV-Ray

struct PovCurve {
    Parameter_cls param;
    std::vector<double> times;
};

// A random curve of one key type (or mixed), keys on a 1/100 grid so that times print
// exactly, values with two decimals, user tangents with one.
PovCurve RandomCurve(std::mt19937& rng, int type, int period) {
    std::uniform_int_distribution<int> count(2, 6), frame(0, 100), coin(0, 1), anyType(0, 4);
    std::uniform_int_distribution<int> centi(-1000, 1000), deci(-200, 200), easeD(0, 40);
    std::vector<int> frames;
    const int n = count(rng);
    while (static_cast<int>(frames.size()) < n) {
        int f = frame(rng);
        if (std::find(frames.begin(), frames.end(), f) == frames.end()) frames.push_back(f);
    }
    std::sort(frames.begin(), frames.end());
    std::vector<K> keys;
    for (int f : frames) {
        K k{f / 100.0, centi(rng) / 100.0};
        if (period) k.value = (centi(rng) + 1000) * 0.18;  // 0..360
        k.type = type >= 0 ? type : (coin(rng) ? anyType(rng) : 7);  // 7: a code from a file
        k.tangent = deci(rng) / 10.0;
        k.ease = easeD(rng) / 10.0;
        keys.push_back(k);
    }
    PovCurve c{MakeParam(keys, period), {}};
    // Sample scene times (0..1) away from the keys: the renderer switches segments exactly
    // at a key, the program half a scene step before it.
    std::uniform_real_distribution<double> when(0.0, 1.0);
    while (c.times.size() < 50) {
        double t = std::round(when(rng) * 1e6) / 1e6;
        bool nearKey = false;
        for (const K& k : keys) nearKey = nearKey || std::fabs(t - k.time) < GdSceneTimeStep;
        if (!nearKey) c.times.push_back(t);
    }
    return c;
}

TEST_F(ParamPov, RendererAgreesWithEvaluation) {
    if (!povprobe::Available()) GTEST_SKIP() << "POV-Ray is not installed";
    std::mt19937 rng(20261210);
    std::vector<PovCurve> curves;
    for (int type : {0, 1, 2, 3, 4, -1})
        for (int period : {0, 360})
            for (int rep = 0; rep < 2; ++rep) curves.push_back(RandomCurve(rng, type, period));

    // One scene holds every curve as a macro, evaluated at each curve's 50 times.
    std::string scene = "#version 3.7;\n#declare t0 = 0;\n";
    for (size_t c = 0; c < curves.size(); ++c) {
        const std::string id = "C" + std::to_string(c);
        scene += "#macro Eval" + id + "()\n" + curves[c].param.GetPovCode(id) + "#end\n";
        for (double t : curves[c].times) {
            scene += "#declare t0 = " + platform::FormatG(t, 10) + ";\nEval" + id + "()\n";
            scene += "#debug concat(\"V " + std::to_string(c) + " \", str(t0, 0, 6), \" \", str(" +
                     id + ", 0, 9), \"\\n\")\n";
        }
    }
    scene += "camera { location <0, 0, -3> look_at <0, 0, 0> }\n";
    bool ok = false;
    const std::string out = povprobe::Run(scene, ok);
    ASSERT_TRUE(ok) << out;

    std::istringstream err(out);
    std::vector<size_t> seen(curves.size(), 0);
    std::string word;
    size_t checked = 0;
    while (err >> word) {
        if (word != "V") continue;
        std::string cs, ts, vs;
        err >> cs >> ts >> vs;
        const size_t c = std::stoul(cs);
        ASSERT_LT(c, curves.size());
        ASSERT_LT(seen[c], curves[c].times.size());
        const double t = curves[c].times[seen[c]++];
        ASSERT_NEAR(platform::ToDouble(ts), t, 1e-6);
        Parameter_cls& p = curves[c].param;
        // The text carries six significant digits per coefficient.
        double scale = 1;
        for (const ParamKey_cls& k : p.keys) scale += std::fabs(k.value) + std::fabs(k.tangent * k.ease) + std::fabs(k.tangent);
        EXPECT_NEAR(platform::ToDouble(vs), p.GetValue(t, -1), 2e-5 * scale)
            << "curve " << c << " at t=" << t << "\n" << p.GetPovCode("C" + cs);
        ++checked;
    }
    EXPECT_EQ(checked, curves.size() * 50);
}

}  // namespace
