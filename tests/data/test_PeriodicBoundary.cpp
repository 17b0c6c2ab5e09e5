#include "data/PeriodicBoundary.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/TestFiles.h"

namespace {

std::string S(const wxString& s) { return std::string(s.utf8_str()); }

std::vector<std::string> Lines(const wxString& text) {
    std::vector<std::string> out;
    std::string all = S(text), cur;
    for (char c : all) {
        cur += c;
        if (c == '\n') {
            out.push_back(cur);
            cur.clear();
        }
    }
    if (!cur.empty()) out.push_back(cur);
    return out;
}

void ExpectVec(const Vec3f& v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
}

}  // namespace

TEST(PeriodicBoundary, DefaultImageOffsetsAndSizeFactors) {
    PeriodicBoundary_cls pb;
    Vec3f v;
    pb.GetImageOffset(v, 0);
    ExpectVec(v, 10, 0, 0);
    pb.GetImageOffset(v, 1);
    ExpectVec(v, 0, 10, 0);
    pb.GetImageOffset(v, 2);
    ExpectVec(v, 0, 0, 10);

    ASSERT_TRUE(pb.ReadConfig("PeriodicSize=2 1 1\r\n"));
    pb.GetImageOffset(v, 0);
    ExpectVec(v, 20, 0, 0);

    // Component-wise product of base vector and size factors.
    ASSERT_TRUE(pb.ReadConfig("PeriodicBaseVector1=3 4 5"));
    ASSERT_TRUE(pb.ReadConfig("PeriodicSize=2 0.5 -1"));
    pb.GetImageOffset(v, 1);
    ExpectVec(v, 6, 2, -5);

    // No axis 3 (or -1): nothing outside the three vectors is read.
    v = Vec3f(7, 7, 7);
    pb.GetImageOffset(v, 3);
    ExpectVec(v, 0, 0, 0);
    v = Vec3f(7, 7, 7);
    pb.GetImageOffset(v, -1);
    ExpectVec(v, 0, 0, 0);
}

TEST(PeriodicBoundary, ObliqueBaseVectorGivesOnlyItsDiagonalToTheBoxEdges) {
    PeriodicBoundary_cls pb;
    ASSERT_TRUE(pb.ReadConfig("PeriodicBaseVector0=10 2 0"));
    ASSERT_TRUE(pb.ReadConfig("PeriodicBaseVector1=1 8 3"));
    Vec3f v;
    pb.GetImageOffset(v, 0);
    ExpectVec(v, 10, 2, 0);
    float lx, ly, lz;
    pb.GetBoxEdges(lx, ly, lz);
    EXPECT_FLOAT_EQ(lx, 10);
    EXPECT_FLOAT_EQ(ly, 8);
    EXPECT_FLOAT_EQ(lz, 10);

    ASSERT_TRUE(pb.ReadConfig("PeriodicType=2"));
    ASSERT_TRUE(pb.ReadConfig("PeriodicEffect=1"));
    const PeriodicRule_cls rule = pb.MakeRule();
    EXPECT_EQ(rule.type, PERIODIC_XYZ);
    EXPECT_EQ(rule.effect, PERIODIC_ZERO_VELOCITY);
    EXPECT_FLOAT_EQ(rule.edge[0], 10);
    EXPECT_FLOAT_EQ(rule.edge[1], 8);
    EXPECT_FLOAT_EQ(rule.edge[2], 10);
}

TEST(PeriodicBoundary, WritesSixLinesInOrderAndReadsThemBack) {
    PeriodicBoundary_cls pb;
    const auto lines = Lines(pb.WriteConfig());
    ASSERT_EQ(lines.size(), 6u);
    const char* keys[] = {"PeriodicType=",        "PeriodicSize=",        "PeriodicEffect=",
                          "PeriodicBaseVector0=", "PeriodicBaseVector1=", "PeriodicBaseVector2="};
    for (size_t k = 0; k < 6; ++k) {
        EXPECT_EQ(lines[k].rfind(keys[k], 0), 0u) << lines[k];
        EXPECT_EQ(lines[k].substr(lines[k].size() - 2), "\r\n") << lines[k];
    }
    EXPECT_EQ(lines[0], "PeriodicType=0\r\n");
    EXPECT_EQ(lines[2], "PeriodicEffect=0\r\n");

    // Non-default values survive a write and a read, also under a decimal-comma locale.
    testsupport::CommaLocale comma;
    PeriodicBoundary_cls a;
    a.periodicType.value = 1;
    a.periodicEffect.value = 1;
    a.periodicSize.values[0] = 1.5f;
    a.periodicSize.values[2] = 0.25f;
    a.baseVector[0].values[1] = -2.5f;
    a.baseVector[2].values[2] = 12.75f;
    const wxString text = a.WriteConfig();
    PeriodicBoundary_cls b;
    for (const auto& line : Lines(text)) EXPECT_TRUE(b.ReadConfig(wxString::FromUTF8(line)));
    EXPECT_EQ(S(b.WriteConfig()), S(text));
    EXPECT_EQ(b.periodicType.value, 1u);
    EXPECT_FLOAT_EQ(b.periodicSize.values[0], 1.5f);
    EXPECT_FLOAT_EQ(b.baseVector[0].values[1], -2.5f);
    Vec3f v;
    b.GetImageOffset(v, 2);
    ExpectVec(v, 0, 0, 12.75f * 0.25f);
}

TEST(PeriodicBoundary, OutOfRangeTypeAndEffectAreClampedWhenRead) {
    struct Case {
        const char* line;
        unsigned type;
        unsigned effect;
    } cases[] = {
        {"PeriodicType=7", 2, 0},
        {"PeriodicType=-1", 2, 0},  // the 32-bit reading of -1 is far above 2
        {"PeriodicEffect=5", 0, 1},
        {"PeriodicType=1", 1, 0},
    };
    for (const auto& c : cases) {
        PeriodicBoundary_cls pb;
        EXPECT_TRUE(pb.ReadConfig(c.line));
        EXPECT_EQ(pb.periodicType.value, c.type) << c.line;
        EXPECT_EQ(pb.periodicEffect.value, c.effect) << c.line;
        EXPECT_TRUE(pb.MakeRule().IsKnown()) << c.line;
    }
    PeriodicBoundary_cls pb;
    EXPECT_FALSE(pb.ReadConfig("XPeriodicType=2"));
    EXPECT_EQ(pb.periodicType.value, 0u);
}

TEST(PeriodicRule, CorrectsPositionDifferences) {
    struct Case {
        int type, effect;
        float edge;
        int axis;
        float d, expect;
    } cases[] = {
        // minimum image: 9.5 -> 0.5 across an edge of 10 is a move of +1, not -9
        {2, 0, 10, 0, 0.5f - 9.5f, 1.0f},
        {2, 0, 10, 0, 9.5f - 0.5f, -1.0f},
        {2, 0, 10, 2, -9.0f, 1.0f},
        {2, 0, 10, 0, 5.0f, 5.0f},    // exactly half an edge: not corrected
        {2, 0, 10, 0, -5.0f, -5.0f},
        {2, 0, 10, 0, 5.5f, -4.5f},
        {2, 0, 10, 0, 27.0f, 17.0f},  // one correction, not a modulo
        {2, 0, 10, 1, 3.0f, 3.0f},
        // force velocity to 0
        {2, 1, 10, 0, -9.0f, 0.0f},
        {2, 1, 10, 2, 6.0f, 0.0f},
        {2, 1, 10, 1, 4.0f, 4.0f},
        {2, 1, 10, 0, 5.0f, 5.0f},
        // x-y plane: z keeps its full difference
        {1, 0, 10, 1, -9.0f, 1.0f},
        {1, 0, 10, 2, -9.0f, -9.0f},
        {1, 1, 10, 2, -9.0f, -9.0f},
        // no boundary
        {0, 0, 10, 0, -9.0f, -9.0f},
        {0, 1, 10, 0, -9.0f, -9.0f},
        // a base vector pointing backwards gives the same box
        {2, 0, -10, 0, -9.0f, 1.0f},
        // a box of no width corrects nothing (rather than zeroing every move)
        {2, 1, 0, 0, 3.0f, 3.0f},
        {2, 0, 0, 0, -3.0f, -3.0f},
    };
    for (const auto& c : cases) {
        const PeriodicRule_cls rule(c.type, c.effect, c.edge, c.edge, c.edge);
        EXPECT_FLOAT_EQ(rule.Correct(c.d, c.axis), c.expect)
            << "type " << c.type << " effect " << c.effect << " edge " << c.edge << " axis "
            << c.axis << " d " << c.d;
    }
}

TEST(PeriodicRule, UnknownTypeOrEffectHasNoRule) {
    EXPECT_TRUE(PeriodicRule_cls().IsKnown());
    EXPECT_EQ(PeriodicRule_cls(1, 0, 1, 1, 1).CorrectedAxes(), 2);
    EXPECT_EQ(PeriodicRule_cls(2, 1, 1, 1, 1).CorrectedAxes(), 3);
    for (auto te : {std::pair<int, int>{3, 0}, {-1, 0}, {2, 2}, {1, -1}}) {
        const PeriodicRule_cls rule(te.first, te.second, 10, 10, 10);
        EXPECT_FALSE(rule.IsKnown());
        EXPECT_EQ(rule.CorrectedAxes(), 0);
        EXPECT_FLOAT_EQ(rule.Correct(-9.0f, 0), -9.0f);
    }
}
