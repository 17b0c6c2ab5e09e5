// Key-framed parameter: evaluation of the five interpolation types, wrapping, searches,
// selection and the parameter text.
#include "tests/timeline/ParamTestUtil.h"

#include "platform/TextDecoding.h"
#include "tests/support/TestFiles.h"
#include "timeline/ParamTextStream.h"

#include <cmath>

using paramtest::K;
using paramtest::MakeParam;
using paramtest::ParamTest;
using paramtest::Shape;

namespace {

struct EvalCase {
    const char* what;
    std::vector<K> keys;
    int period;
    bool timeDepend;
    double t;
    double expected;
};

class ParameterEval : public ParamTest {};

TEST_F(ParameterEval, TableOfEdgeCases) {
    const int L = PKT_LINEAR, S = PKT_STEP;
    const std::vector<EvalCase> cases = {
        {"one key, early", {{0.3, 5}}, 0, true, 0.0, 5},
        {"one key, late", {{0.3, 5}}, 0, true, 0.9, 5},
        {"not time-dependent gives the first key", {{0, 1}, {1, 9}}, 0, false, 0.7, 1},
        {"linear middle", {{0, 0}, {1, 10}}, 0, true, 0.5, 5},
        {"within half a step of the last key", {{0, 0}, {1, 10}}, 0, true, 0.996, 10},
        {"after the last key", {{0, 0}, {1, 10}}, 0, true, 1.5, 10},
        {"before the first key", {{0.2, 5}, {0.8, 1}}, 0, true, 0.1, 5},
        {"after the last key (inner keys)", {{0.2, 5}, {0.8, 1}}, 0, true, 0.9, 1},
        {"wrap 360: right value taken as 370", {{0, 350}, {1, 10}}, 360, true, 0.5, 360},
        {"wrap 360: end is not wrapped", {{0, 350}, {1, 10}}, 360, true, 1.0, 10},
        {"wrap 360 downward", {{0, 10}, {1, 350}}, 360, true, 0.5, 0},
        {"wrap 5", {{0, 4}, {1, 1}}, 5, true, 0.5, 5},
        {"wrap 10", {{0, 1}, {1, 9}}, 10, true, 0.5, 0},
        {"negative period counts as its size", {{0, 350}, {1, 10}}, -360, true, 0.5, 360},
        {"STEP switches half a step early", {{0, 3, S}, {0.5, 7, L}, {1, 7}}, 0, true, 0.496, 7},
        {"STEP before the switch", {{0, 3, S}, {0.5, 7, L}, {1, 7}}, 0, true, 0.49, 3},
        {"STEP exactly at the half-step edge", {{0, 3, S}, {0.5, 7, L}, {1, 7}}, 0, true, 0.495, 7},
        {"tie at a key time: next segment at x 0", {{0, 0}, {0.5, 10}, {1, 0}}, 0, true, 0.5, 10},
        {"inside half a step: next segment, x below 0", {{0, 0}, {0.5, 10}, {1, 0}}, 0, true, 0.4975,
         10.05},
        {"at the first key", {{0.2, 5}, {0.8, 1}}, 0, true, 0.2, 5},
        {"unknown type evaluates as linear", {{0, 0, 9}, {1, 10}}, 0, true, 0.25, 2.5},
    };
    for (const EvalCase& c : cases) {
        Parameter_cls p = MakeParam(c.keys, c.period, c.timeDepend);
        EXPECT_NEAR(p.GetValue(c.t, -1), c.expected, 1e-9) << c.what;
        EXPECT_NEAR(p.cachedValue, c.expected, 1e-9) << c.what << " (cachedValue)";
    }
}

TEST_F(ParameterEval, KeysSharingATimeStayFinite) {
    // Keys at one time come only from a file. The middle one of three has no chord between
    // its neighbours: its auto tangent must stay a number, so that the text written back
    // holds no "inf" or "nan" and reads back the same.
    Parameter_cls p = MakeParam({{0, 0, PKT_HERMITE_AUTO}, {0.5, 5, PKT_HERMITE_AUTO},
                                 {0.5, 7, PKT_HERMITE_AUTO}, {0.5, 8, PKT_HERMITE_AUTO},
                                 {1, 0, PKT_HERMITE_AUTO}});
    for (const ParamKey_cls& k : p.keys) EXPECT_TRUE(std::isfinite(k.tangent) && std::isfinite(k.ease));
    for (double t : {0.1, 0.25, 0.4999, 0.5, 0.75, 0.9})
        EXPECT_TRUE(std::isfinite(p.GetValue(t, 0))) << t;
    const std::string text = p.WriteText();
    EXPECT_EQ(text.find("inf"), std::string::npos);
    EXPECT_EQ(text.find("nan"), std::string::npos);
    Parameter_cls q("Q X", "X", 0, 0);
    const std::vector<std::string> lines = platform::SplitLines(text);
    ParamTextStream_cls in(lines);
    std::string first;
    in.ReadLine(first);
    q.ReadText(in, first);
    EXPECT_EQ(q.WriteText(), text);
}

TEST_F(ParameterEval, NoKeysGivesZeroEverywhere) {
    Parameter_cls p = MakeParam({});
    EXPECT_EQ(p.GetValue(0.5, -1), 0.0);
    EXPECT_EQ(p.GetNextKeyTime(0.3, -1), 0.3);
    EXPECT_EQ(p.GetPrevKeyTime(0.3, -1), 0.3);
    EXPECT_EQ(p.FindKey(0.3, -1, 1), -1);
    EXPECT_EQ(p.NeighbourKeyIndex(0.3, 1), -1);
}

TEST_F(ParameterEval, MinusOneMeansCurrentTimeAndSceneStep) {
    Parameter_cls p = MakeParam({{0, 0}, {1, 10}});
    GdCurrentTime = 0.25;
    EXPECT_NEAR(p.GetValue(-1, -1), 2.5, 1e-12);
    SetSceneFrameCount(10, 1);  // half a step is now 0.05
    EXPECT_EQ(p.GetValue(0.96, -1), 10);
    EXPECT_NEAR(p.GetValue(0.96, 0.01), 9.6, 1e-12);
}

// Standard cubic Hermite basis, written independently of the program's polynomial.
double HermiteRef(double y0, double y1, double m0, double m1, double len, double x) {
    const double h00 = 2 * x * x * x - 3 * x * x + 1, h10 = x * x * x - 2 * x * x + x;
    const double h01 = -2 * x * x * x + 3 * x * x, h11 = x * x * x - x * x;
    return h00 * y0 + h10 * len * m0 + h01 * y1 + h11 * len * m1;
}

TEST_F(ParameterEval, HermiteTypesMatchTheClosedForm) {
    struct HCase {
        const char* what;
        std::vector<K> keys;
        double m0, m1;  // effective tangents of the segment (0.2 .. 0.6) expected
    };
    // keys (0, 1), (0.2, 4), (0.6, -2), (1, 3): chords give the auto slopes.
    const double s1 = (-2 - 1) / 0.6, s2 = (3 - 4) / 0.8;
    const std::vector<HCase> cases = {
        {"auto", {{0, 1, 1}, {0.2, 4, 1}, {0.6, -2, 1}, {1, 3, 1}}, s1, s2},
        {"semi-auto keeps the user's ease",
         {{0, 1, 2}, {0.2, 4, 2, 0, 0.5}, {0.6, -2, 2, 0, 3}, {1, 3, 2}}, s1 * 0.5, s2 * 3},
        {"user tangents", {{0, 1, 3}, {0.2, 4, 3, 7}, {0.6, -2, 3, -11}, {1, 3, 3}}, 7, -11},
        {"right key's own rule: linear right key uses its tangent",
         {{0, 1, 3}, {0.2, 4, 3, 2}, {0.6, -2, 0, 5}, {1, 3}}, 2, 5},
    };
    for (const HCase& c : cases) {
        Parameter_cls p = MakeParam(c.keys);
        for (double x : {0.1, 0.25, 0.5, 0.8}) {
            const double t = 0.2 + 0.4 * x;
            EXPECT_NEAR(p.GetValue(t, 0), HermiteRef(4, -2, c.m0, c.m1, 0.4, x), 1e-9)
                << c.what << " x=" << x;
        }
    }
}

TEST_F(ParameterEval, AutoEaseBecomesSlopeTimesSlopeUnderSemiAuto) {
    Parameter_cls p = MakeParam({{0, 0, 1}, {0.5, 10, 1}, {1, 0, 1}});
    EXPECT_DOUBLE_EQ(p.keys[0].tangent, 20);
    EXPECT_DOUBLE_EQ(p.keys[0].ease, 20);
    EXPECT_DOUBLE_EQ(p.keys[2].tangent, -20);
    p.keys[0].type = PKT_HERMITE_SEMIAUTO;
    p.UpdateAutoTangents();
    // Effective tangent is 20 * 20 until the ease is edited.
    const double x = 0.3;
    EXPECT_NEAR(p.GetValue(0.5 * x, 0), HermiteRef(0, 10, 400, 0, 0.5, x), 1e-9);
}

TEST_F(ParameterEval, WrapNearestTable) {
    struct W { double a, b, p, expected; };
    const std::vector<W> cases = {
        {0, 180, 360, -180},     {0, -180, 360, 180},  {350, 10, 360, 370}, {10, 350, 360, -10},
        {0, 3600010, 360, 10},   {0, -3600010, 360, -10}, {5, 7, 0, 7},   {350, 10, -360, 370},
        {0, 1e300, 1, 1e300 - 1e300},  // stays finite and ends
    };
    for (const W& w : cases) {
        if (w.b == 1e300) {
            EXPECT_TRUE(std::isfinite(WrapNearest(w.a, w.b, w.p)));
            continue;
        }
        EXPECT_NEAR(WrapNearest(w.a, w.b, w.p), w.expected, 1e-6) << w.a << " " << w.b << " " << w.p;
    }
    EXPECT_EQ(WrapNearest(0, INFINITY, 360), INFINITY);
}

TEST_F(ParameterEval, ManyKeysPickTheSegmentAtEachHalfStepEdge) {
    // Twelve keys, two of them sharing 0.5 (as a file may hold them); half a step is 0.01.
    // Each segment starts half a step before its key; of keys sharing a time the last one
    // starts the segment, and a time right on an edge belongs to the later segment.
    const double times[] = {0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0};
    for (int type : {PKT_STEP, PKT_LINEAR}) {
        std::vector<K> keys;
        for (int i = 0; i < 12; ++i) keys.push_back({times[i], 10.0 * i + 1, type});
        Parameter_cls p = MakeParam(keys);
        const bool step = type == PKT_STEP;
        const struct {
            double t;
            double expected;
        } cases[] = {
            {0.05, step ? 1.0 : 6.0},          {0.089, step ? 1 : 9.9},     {0.091, step ? 11 : 10.1},
            {0.289, step ? 21 : 29.9},     {0.3 - 0.02 / 2, step ? 31.0 : 30.0},
            {0.291, step ? 31 : 30.1},     {0.489, step ? 41 : 49.9},   {0.491, step ? 61 : 60.1},
            {0.5, 61},                     {0.55, step ? 61.0 : 66.0},      {0.689, step ? 71 : 79.9},
            {0.691, step ? 81 : 80.1},     {0.889, step ? 91 : 99.9},   {0.891, step ? 101 : 100.1},
            {0.991, 111},                  {std::nan(""), 111},
        };
        for (const auto& c : cases)
            EXPECT_NEAR(p.Evaluate(c.t, 0.02), c.expected, 1e-9) << "t " << c.t << " step " << step;
    }
}

TEST_F(ParameterEval, ConstEvaluationLeavesCachedValue) {
    Parameter_cls p = MakeParam({{0, 0}, {1, 10}});
    p.cachedValue = 42;
    EXPECT_NEAR(p.Evaluate(0.5, -1), 5, 1e-12);
    EXPECT_EQ(p.cachedValue, 42);
    EXPECT_FALSE(p.IsChangedAt(0.5) && p.cachedValue != 42);
    EXPECT_TRUE(p.IsChangedAt(0.5));
    EXPECT_EQ(p.cachedValue, 42);
}

// ---------------------------------------------------------------- searches

class ParameterSearch : public ParamTest {};

TEST_F(ParameterSearch, KeySearchesAroundKeys) {
    Parameter_cls p = MakeParam({{0, 0}, {0.5, 1}, {1, 2}});
    struct S { const char* what; int got; int expected; };
    const std::vector<S> cases = {
        {"FindKey at key", p.FindKey(0.502, -1, 0), 1},
        {"FindKey half-open: lower edge inside", p.FindKey(0.505, -1, 0), 1},
        {"FindKey miss", p.FindKey(0.3, -1, 0), -1},
        {"FindKey orBefore between keys", p.FindKey(0.3, -1, 1), 0},
        {"FindKey orBefore after all", p.FindKey(1.3, -1, 1), 2},
        {"FindKey orBefore before all", p.FindKey(-0.3, -1, 1), 0},
        {"FindKeyNear", p.FindKeyNear(0.52, 0.03), 1},
        {"FindKeyNear strict", p.FindKeyNear(0.53, 0.03), -1},
        {"GetInsertIndex", p.GetInsertIndex(0.3, -1), 1},
        {"GetInsertIndex at end", p.GetInsertIndex(1, -1), 3},
        {"Neighbour at key +1", p.NeighbourKeyIndex(0.5, 1), 2},
        {"Neighbour at last key +1 clamps", p.NeighbourKeyIndex(1, 1), 2},
        {"Neighbour between -1", p.NeighbourKeyIndex(0.7, -1), 1},
        {"Neighbour between +1", p.NeighbourKeyIndex(0.7, 1), 2},
        {"Neighbour other dir", p.NeighbourKeyIndex(0.7, 5), 0},
        {"FindLastKeyWithin", p.FindLastKeyWithin(0.504, 0.01), 1},
        {"FindLastKeyWithin strict", p.FindLastKeyWithin(0.51, 0.02), -1},
    };
    for (const S& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;
    EXPECT_EQ(p.GetNextKeyTime(0.5, -1), 1);
    EXPECT_EQ(p.GetNextKeyTime(1, -1), 1);
    EXPECT_EQ(p.GetPrevKeyTime(0.5, -1), 0);
    EXPECT_EQ(p.GetPrevKeyTime(0, -1), 0);
    EXPECT_TRUE(p.HasKeyAt(0.996, -1));
    EXPECT_FALSE(p.HasKeyAt(0.9, -1));
    p.SetTimeDependentValue(false);
    EXPECT_TRUE(p.HasKeyAt(0.9, -1));
}

TEST_F(ParameterSearch, ClickSelection) {
    Parameter_cls p = MakeParam({{0, 0}, {0.5, 1}, {1, 2}});
    p.keys[2].selected = 1;
    p.SelectKeyAt(0.51, 0.02, 0, 1);  // exclusive click on key 1
    EXPECT_EQ(p.GetFirstSelectedKey(), 1);
    EXPECT_EQ(p.GetSelectedKeyCount(), 1);
    p.SelectKeyAt(0.99, 0.02, 1, 0);  // additive click on key 2
    EXPECT_EQ(p.GetSelectedKeyCount(), 2);
    p.SelectKeyAt(0.51, 0.02, 0, 1);  // click on an already selected key keeps the others
    EXPECT_EQ(p.GetSelectedKeyCount(), 2);
    p.SelectKeyAt(0.3, 0.02, 1, 1);   // additive miss keeps the selection
    EXPECT_EQ(p.GetSelectedKeyCount(), 2);
    p.SelectKeyAt(0.3, 0.02, 0, 1);   // plain miss clears it
    EXPECT_EQ(p.GetSelectedKeyCount(), 0);
}

TEST_F(ParameterSearch, BoxAndRectangleSelection) {
    Parameter_cls p = MakeParam({{0, 0}, {0.5, 1}, {1, 2}});
    EXPECT_FALSE(p.SelectKeysNear(0.5, 0.1, 1.5, 0.5, false));  // value 1 not strictly inside
    EXPECT_TRUE(p.SelectKeysNear(0.5, 0.1, 1.4, 0.5, false));
    EXPECT_TRUE(p.HasSelectedKeyNear(0.5, 0.1, 1, 0.1));
    p.DeselectKeys();
    EXPECT_TRUE(p.SelectKeysInRect(1, 0.5, 5, -5, true));  // ranges are ordered
    EXPECT_EQ(p.GetSelectedKeyCount(), 2);
    p.DeselectKeys();
    EXPECT_TRUE(p.SelectKeysInRect(0, 0.6, 3, 3, true));  // equal y: time test only
    EXPECT_EQ(p.GetSelectedKeyCount(), 2);
    EXPECT_TRUE(p.SelectKeysInRect(0, 1, 0.5, 3, false));
    EXPECT_EQ(p.GetSelectedKeyCount(), 1);
}

TEST_F(ParameterSearch, MarkKeyFrames) {
    Parameter_cls p = MakeParam({{0, 0}, {0.249, 1}, {1, 2}, {1.5, 3}});
    std::vector<bool> marks(101, false);
    std::vector<int> dataFrames;
    p.MarkKeyFrames(marks, [&](int f) { dataFrames.push_back(f); });
    EXPECT_TRUE(marks[0]);
    EXPECT_TRUE(marks[25]);  // 24.9 + 0.1
    EXPECT_TRUE(marks[100]);
    EXPECT_EQ(dataFrames, (std::vector<int>{0, 25, 100}));  // 150 is outside
}

// ---------------------------------------------------------------- text

class ParameterText : public ParamTest {};

Parameter_cls ThreeTypes() {
    Parameter_cls p = MakeParam({{0, 1.25, PKT_LINEAR}, {0.123456789, -2, PKT_HERMITE_AUTO},
                                 {0.75, 360.5, PKT_STEP}, {1, 4}},
                                360);
    return p;
}

std::string ReadBack(Parameter_cls& into, const std::vector<std::string>& lines) {
    ParamTextStream_cls in(lines);
    std::string first;
    in.ReadLine(first);
    into.ReadText(in, first);
    return into.WriteText();
}

TEST_F(ParameterText, KeyLineFormat) {
    ParamKey_cls k;
    k.time = 0.5;
    k.type = 1;
    k.value = 2;
    EXPECT_EQ(k.WriteText(), "0.500000000 1 2.000000 0.000000 0.000000 \r\n");
}

TEST_F(ParameterText, WriteReadWriteIsByteIdentical) {
    Parameter_cls p = ThreeTypes();
    const std::string text = p.WriteText();
    const std::string head = "Parameter_X\ntimeDepend=1\r\nperiodic=360\r\nitemnum 4\n";
    EXPECT_EQ(text.substr(0, head.size()), head);

    Parameter_cls q("Other X", "X", 0, 0);
    EXPECT_EQ(ReadBack(q, platform::SplitLines(text)), text);
    EXPECT_EQ(q.GetPeriod(), 360);
    EXPECT_TRUE(q.IsTimeDependent());
    ASSERT_EQ(q.GetKeyCount(), 4);
    EXPECT_EQ(q.keys[1].type, PKT_HERMITE_AUTO);
    EXPECT_NEAR(q.keys[1].time, 0.123456789, 1e-12);
    EXPECT_EQ(q.keys[2].type, PKT_STEP);

    // Lines split at LF only still carry their CR: the reader takes them too.
    std::vector<std::string> raw;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') {
            raw.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    Parameter_cls r("R X", "X", 0, 0);
    EXPECT_EQ(ReadBack(r, raw), text);
}

// Keys closer together than the nine decimals of the key line, and values whose chords
// overflow: the text reads back to the very same keys (so the tangents computed from them
// are the same too), writes the same text again, and holds no infinite number.
TEST_F(ParameterText, CloseKeysAndHugeValuesReadBackExactly) {
    const std::vector<std::vector<K>> curves = {
        {{0.1234567891, 1.0, PKT_HERMITE_AUTO}, {0.1234567894, 2.0000001, PKT_HERMITE_AUTO},
         {0.5, 1.0 / 3.0, PKT_HERMITE_SEMIAUTO, 0, 0.7}},
        {{0, -1e308, PKT_HERMITE_AUTO}, {1e-300, 1e308, PKT_HERMITE_AUTO}, {1, 0, PKT_HERMITE_AUTO}},
        {{-1e308, 5, PKT_HERMITE_AUTO}, {1e308, -5, PKT_HERMITE_AUTO}},
    };
    for (size_t c = 0; c < curves.size(); ++c) {
        Parameter_cls p = MakeParam(curves[c]);
        for (const ParamKey_cls& k : p.keys) {
            EXPECT_TRUE(std::isfinite(k.tangent)) << c;
            EXPECT_TRUE(std::isfinite(k.ease)) << c;
        }
        const std::string text = p.WriteText();
        EXPECT_EQ(text.find("inf"), std::string::npos) << text;
        Parameter_cls q("Other X", "X", 0, 0);
        EXPECT_EQ(ReadBack(q, platform::SplitLines(text)), text) << c;
        ASSERT_EQ(q.GetKeyCount(), p.GetKeyCount());
        for (int i = 0; i < p.GetKeyCount(); ++i) {
            EXPECT_EQ(q.keys[i].time, p.keys[i].time) << c << " " << i;
            EXPECT_EQ(q.keys[i].value, p.keys[i].value) << c << " " << i;
            EXPECT_EQ(q.keys[i].tangent, p.keys[i].tangent) << c << " " << i;
        }
    }
}

// A periodic curve with key values far beyond what one period can move (a damaged or
// hand-edited project): reading and evaluating it must end, and it writes back as read.
TEST_F(ParameterText, PeriodicKeysBeyondThePeriodsPrecisionDoNotHang) {
    const std::string text = testsupport::ReadFile(
        std::string(PT_SOURCE_DIR) + "/tests/timeline/fixtures/periodic_key_value_beyond_precision.txt");
    std::vector<std::string> lines = platform::SplitLines(text);
    lines.erase(lines.begin(), lines.begin() + 3);  // the group's header lines
    Parameter_cls p("Obj Translate x", "x", 0, 0);
    const std::string written = ReadBack(p, lines);
    ASSERT_EQ(p.GetKeyCount(), 3);
    EXPECT_EQ(p.GetPeriod(), 360);
    EXPECT_GT(p.keys[1].value, 4e79);
    for (double t : {0.3, 0.6, 0.9}) (void)p.GetValue(t, 0);
    Parameter_cls q("Obj Translate x", "x", 0, 0);
    EXPECT_EQ(ReadBack(q, platform::SplitLines(written)), written);
}

TEST_F(ParameterText, DecimalCommaLocaleChangesNothing) {
    Parameter_cls p = ThreeTypes();
    const std::string text = p.WriteText();
    testsupport::CommaLocale comma;
    if (!comma.Ok()) GTEST_SKIP() << "no decimal-comma locale on this machine";
    EXPECT_EQ(p.WriteText(), text);
    Parameter_cls q("Q X", "X", 0, 0);
    EXPECT_EQ(ReadBack(q, platform::SplitLines(text)), text);
    EXPECT_NEAR(q.keys[0].value, 1.25, 1e-12);
}

TEST_F(ParameterText, ForeignBlockChangesNothing) {
    Parameter_cls p = ThreeTypes();
    const auto before = Shape(p);
    std::vector<std::string> lines = {"timeDepend=0", "itemnum 0"};
    ParamTextStream_cls in(lines);
    p.ReadText(in, "Parameter_Y");
    EXPECT_EQ(Shape(p), before);
    EXPECT_EQ(in.Position(), 0u);
}

// A block belongs to the parameter whose whole label its first line names: one label
// contained in another ("X" in "XY") never takes the other's block.
TEST_F(ParameterText, OnlyTheWholeLabelTakesTheBlock) {
    Parameter_cls x("Group X", "X", 0, 0);
    Parameter_cls xy("Group XY", "XY", 0, 0);
    const std::string block = "\ntimeDepend=1\r\nperiodic=0\r\nitemnum 1\n"
                              "0.500000000 1 7.000000 0.000000 0.000000 \r\n";
    struct Case {
        const char* head;
        bool x;   // the parameter "X" takes it
        bool xy;  // the parameter "XY" takes it
    };
    const Case cases[] = {
        {"Parameter_X", true, false},
        {"Parameter_X\r", true, false},
        {"Parameter_XY", false, true},
        {"Parameter_XYZ", false, false},
        {"Parameter_", false, false},
        {"Old Parameter_X", false, false},
        {"Parameter_x", false, false},
    };
    for (const Case& c : cases) {
        for (Parameter_cls* p : {&x, &xy}) {
            Parameter_cls fresh(p->registryName, p->label, 0, 0);
            const auto before = Shape(fresh);
            const std::vector<std::string> lines = platform::SplitLines(c.head + block);
            ParamTextStream_cls in(lines);
            std::string first;
            in.ReadLine(first);
            fresh.ReadText(in, c.head);
            const bool took = p == &x ? c.x : c.xy;
            if (took) {
                ASSERT_EQ(fresh.GetKeyCount(), 1) << c.head << " / " << p->label;
                EXPECT_EQ(fresh.keys[0].value, 7.0);
                EXPECT_TRUE(in.AtEnd());
            } else {
                EXPECT_EQ(Shape(fresh), before) << c.head << " / " << p->label;
                EXPECT_EQ(in.Position(), 1u) << c.head << " / " << p->label;
            }
        }
    }
}

TEST_F(ParameterText, HandEditedValuesAreClamped) {
    struct C {
        const char* what;
        std::vector<std::string> lines;
        int keys;
        int period;
    };
    const std::vector<C> cases = {
        {"negative period", {"Parameter_X", "timeDepend=1", "periodic=-360", "itemnum 1",
                             "0.5 0 1 0 0"}, 1, 360},
        {"negative item count", {"Parameter_X", "timeDepend=1", "periodic=0", "itemnum -3",
                                 "0.5 0 1 0 0"}, 0, 0},
        {"no itemnum line", {"Parameter_X", "timeDepend=1", "0.5 0 1 0 0"}, 0, 0},
        {"count past the end", {"Parameter_X", "itemnum 1000", "0.5 0 1 0 0"}, 1, 0},
    };
    for (const C& c : cases) {
        Parameter_cls p("P X", "X", 0, 1);
        ReadBack(p, c.lines);
        EXPECT_EQ(p.GetKeyCount(), c.keys) << c.what;
        EXPECT_EQ(p.GetPeriod(), c.period) << c.what;
        p.GetValue(0.3, -1);  // must end
    }
}

TEST_F(ParameterText, BrokenKeyLineKeepsUnreadFieldsZero) {
    Parameter_cls p("P X", "X", 0, 1);
    ReadBack(p, {"Parameter_X", "itemnum 3", "0.25 3 7.5 oops 9", "0.5", "nan 1 2 3 4"});
    ASSERT_EQ(p.GetKeyCount(), 3);
    EXPECT_EQ(p.keys[0].time, 0.25);
    EXPECT_EQ(p.keys[0].type, 3);
    EXPECT_EQ(p.keys[0].value, 7.5);
    EXPECT_EQ(p.keys[0].tangent, 0);
    EXPECT_EQ(p.keys[0].ease, 0);
    EXPECT_EQ(p.keys[1].time, 0.5);
    EXPECT_EQ(p.keys[1].value, 0);
    EXPECT_EQ(p.keys[2].time, 0);  // a non-number time is not taken
}

TEST_F(ParameterText, SelectedKeysText) {
    Parameter_cls p = ThreeTypes();
    EXPECT_EQ(p.SelectedKeysText(), "");
    p.keys[1].selected = 1;
    p.keys[3].selected = 1;
    EXPECT_EQ(p.SelectedKeysText(), "Parameter_X\nitemnum 2\n" + p.keys[1].WriteText() +
                                        p.keys[3].WriteText());
}

TEST_F(ParameterText, CopyKeepsItsOwnSettings) {
    Parameter_cls p = ThreeTypes();
    Parameter_cls q(p);
    q.SetPeriod(5);
    q.SetTimeDependentValue(false);
    EXPECT_EQ(p.GetPeriod(), 360);
    EXPECT_NE(q.WriteText(), p.WriteText());
    EXPECT_NE(q.WriteText().find("periodic=5\r\n"), std::string::npos);
    Parameter_cls r("R X", "X", 0, 0);
    r = q;
    EXPECT_EQ(r.WriteText(), q.WriteText());
}

}  // namespace
