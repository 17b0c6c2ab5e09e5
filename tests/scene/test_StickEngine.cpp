// Stick lists: the distance search, stick files, the index check and the POV-Ray text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>

#include "scene/StickEngine.h"
#include "tests/support/PovRayProbe.h"
#include "tests/support/TestFiles.h"

namespace {

std::string Fixture(const std::string& name) { return std::string(PT_SOURCE_DIR) + "/tests/scene/fixtures/" + name; }

struct Frame {
    std::vector<float> pos;
    std::vector<uint8_t> types;
    std::vector<int> order;
    StickFrame_cls View(double time = 0.0, uint64_t source = 1) const {
        StickFrame_cls f;
        f.source = source;
        f.positions = pos.data();
        f.types = types.empty() ? nullptr : types.data();
        f.count = int64_t(pos.size() / 3);
        f.time = time;
        if (!order.empty()) f.SetOrder(order.data(), order.size());
        return f;
    }
};

Frame OnXAxis(std::initializer_list<float> xs, std::initializer_list<uint8_t> types = {}) {
    Frame f;
    for (float x : xs) f.pos.insert(f.pos.end(), {x, 0, 0});
    f.types = types;
    return f;
}

using Stick = std::tuple<int, int, int, float>;

std::vector<Stick> Sticks(const StickEngine_cls& e) {
    std::vector<Stick> s;
    for (size_t k = 0; k < e.Size(); ++k) s.emplace_back(e.First()[k], e.Second()[k], e.Classes()[k], e.Factors()[k]);
    return s;
}

StickRule_cls Rule(int crit, float a, float b, int spec = 0, int sa = 0, int sb = 1) {
    StickRule_cls r;
    r.critType = crit, r.critA = a, r.critB = b, r.specType = spec, r.specA = sa, r.specB = sb;
    return r;
}

// The plain all-pairs loop in the workers' slice order: what every search must give.
std::vector<Stick> AllPairs(const StickFrame_cls& f, const StickRule_cls& r) {
    std::vector<Stick> out;
    const size_t n = f.OrderSize();
    const float a2 = r.critA * r.critA, b2 = r.critB * r.critB;
    for (size_t k = 0; k < 4; ++k) {
        for (size_t s : {k, 7 - k}) {
            for (size_t a = s * n / 8; a < (s + 1) * n / 8; ++a) {
                for (size_t b = a + 1; b < n; ++b) {
                    const int i = f.OrderIndex(a), j = f.OrderIndex(b);
                    const int ti = f.types ? f.types[i] : 0, tj = f.types ? f.types[j] : 0;
                    if (r.specType == 1 && !((ti == r.specA && tj == r.specB) || (ti == r.specB && tj == r.specA)))
                        continue;
                    const float* p = f.positions + 3 * i;
                    const float* q = f.positions + 3 * j;
                    const float dx = p[0] - q[0], dy = p[1] - q[1], dz = p[2] - q[2];
                    const float d2 = dx * dx + dy * dy + dz * dz;
                    if (r.critType == 0 && d2 < a2) out.emplace_back(i, j, 0, 1.0f);
                    if (r.critType == 1 && r.critA != r.critB) {
                        if (d2 < a2) {
                            out.emplace_back(i, j, 0, 1.0f);
                        } else if (a2 < d2 && d2 < b2) {
                            out.emplace_back(i, j, 0, (r.critB - std::sqrt(d2)) / (r.critB - r.critA));
                        }
                    }
                    if (r.critType == 2 && a2 < d2 && d2 < b2) out.emplace_back(i, j, 0, 1.0f);
                }
            }
        }
    }
    return out;
}

TEST(StickEngine, DistanceRulesOnSmallFrames) {
    struct Case {
        const char* what;
        Frame frame;
        StickRule_cls rule;
        std::vector<Stick> expected;
    };
    const std::vector<Case> cases = {
        {"step joins the near pair only", OnXAxis({0, 1, 2.5f}), Rule(0, 1.2f, 2), {{0, 1, 0, 1.0f}}},
        {"ramp factor halfway", OnXAxis({0, 1.5f}), Rule(1, 1, 2), {{0, 1, 0, 0.5f}}},
        {"ramp below A is 1", OnXAxis({0, 0.5f}), Rule(1, 1, 2), {{0, 1, 0, 1.0f}}},
        {"ramp at exactly A joins nothing", OnXAxis({0, 1}), Rule(1, 1, 2), {}},
        {"ramp with A = B joins nothing", OnXAxis({0, 0.5f}), Rule(1, 1, 1), {}},
        {"between A and B", OnXAxis({0, 0.5f, 1.8f}), Rule(2, 1, 2), {{0, 2, 0, 1.0f}, {1, 2, 0, 1.0f}}},
        {"between excludes the near pair", OnXAxis({0, 0.5f}), Rule(2, 1, 2), {}},
        // In slice order: the draw-order slices 0, 7, 1, 6, 2, 5, 3, 4 of eighths.
        {"types A and B in either order", OnXAxis({0, 0.1f, 0.2f, 0.3f}, {0, 1, 0, 1}), Rule(0, 1, 2, 1, 0, 1),
         {{0, 1, 0, 1.0f}, {0, 3, 0, 1.0f}, {2, 3, 0, 1.0f}, {1, 2, 0, 1.0f}}},
        {"unknown crit type", OnXAxis({0, 0.1f}), Rule(3, 1, 2), {}},
        {"unknown spec type", OnXAxis({0, 0.1f}), Rule(0, 1, 2, 2), {}},
        {"one particle", OnXAxis({0}), Rule(0, 1, 2), {}},
        {"negative A squares like its size", OnXAxis({0, 0.5f}), Rule(0, -1, 2), {{0, 1, 0, 1.0f}}},
    };
    for (const Case& c : cases) {
        StickEngine_cls e;
        const StickFrame_cls f = c.frame.View();
        e.Compute(&f, c.rule);
        EXPECT_EQ(Sticks(e), c.expected) << c.what;
    }
}

TEST(StickEngine, SearchMatchesAllPairsForEveryThreadCount) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> u(-3, 3);
    Frame fr;
    const int n = 1500;
    for (int i = 0; i < n; ++i) {
        fr.pos.insert(fr.pos.end(), {u(rng), u(rng), u(rng) * 0.1f});
        fr.types.push_back(uint8_t(i % 3));
    }
    // Not every particle is drawn, and not in index order; two at the same place.
    for (int i = n - 1; i >= 0; --i)
        if (i % 5) fr.order.push_back(i);
    fr.pos[3 * 11 + 0] = fr.pos[3 * 12 + 0], fr.pos[3 * 11 + 1] = fr.pos[3 * 12 + 1], fr.pos[3 * 11 + 2] = fr.pos[3 * 12 + 2];
    fr.pos[3 * 13] = NAN;
    const StickFrame_cls f = fr.View();
    for (const StickRule_cls& r : {Rule(0, 0.2f, 0), Rule(1, 0.1f, 0.3f), Rule(2, 0.15f, 0.25f), Rule(0, 0.3f, 0, 1, 1, 2),
                                   Rule(0, INFINITY, 0)}) {
        std::vector<Stick> expected = AllPairs(f, r);
        if (std::isfinite(r.critA)) {
            ASSERT_GT(expected.size(), 10u);
        }
        for (int threads : {1, 4}) {
            StickEngine_cls e;
            e.Compute(&f, r, threads);
            EXPECT_EQ(Sticks(e), expected) << "crit " << r.critType << ", " << threads << " threads";
        }
    }
}

TEST(StickEngine, UnchangedTimeAndRuleKeepTheList) {
    Frame fr = OnXAxis({0, 1, 2.5f});
    StickEngine_cls e;
    StickFrame_cls f = fr.View(5.0);
    e.Compute(&f, Rule(0, 1.2f, 2));
    ASSERT_EQ(e.Size(), 1u);
    fr.order = {2, 1, 0};  // another draw order, same time and rule: nothing recomputed
    fr.pos[3] = 10;
    f = fr.View(5.0);
    e.Compute(&f, Rule(0, 1.2f, 2));
    EXPECT_EQ(Sticks(e), (std::vector<Stick>{{0, 1, 0, 1.0f}}));
    e.Compute(&f, Rule(0, 3, 2));  // a new rule computes again, in the new order
    EXPECT_EQ(Sticks(e), (std::vector<Stick>{{2, 0, 0, 1.0f}}));
    e.Compute(nullptr, Rule(0, 5, 2));  // no frame: the list stays
    EXPECT_EQ(e.Size(), 1u);

    // Other data (another sequence, or the file loaded again) at the same time, with the
    // same count and rule: its own pairs, not the old ones.
    Frame other = OnXAxis({0, 5, 5.5f});
    f = other.View(5.0, 2);
    e.Compute(&f, Rule(0, 3, 2));
    EXPECT_EQ(Sticks(e), (std::vector<Stick>{{1, 2, 0, 1.0f}}));
    other.pos[3] = 100;  // the same data again: the list is kept
    f = other.View(5.0, 2);
    e.Compute(&f, Rule(0, 3, 2));
    EXPECT_EQ(Sticks(e), (std::vector<Stick>{{1, 2, 0, 1.0f}}));
}

TEST(StickEngine, TextStickFiles) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<Stick> expected;
        int64_t skipped;
    };
    const std::vector<Case> cases = {
        {"two numbers", "4 5\n", {{4, 5, 0, 1.0f}}, 0},
        {"with a class", "4 5 3\n", {{4, 5, 3, 1.0f}}, 0},
        {"with class and factor", "4 5 3 0.25\n", {{4, 5, 3, 0.25f}}, 0},
        {"an empty line ends the list", "1 2\n\n3 4\n", {{1, 2, 0, 1.0f}}, 0},
        {"CR alone ends lines", "1 2\r3 4\r", {{1, 2, 0, 1.0f}, {3, 4, 0, 1.0f}}, 0},
        {"a header line is skipped", "first second\n1 2\n", {{1, 2, 0, 1.0f}}, 1},
        {"a last line without end", "1 2", {{1, 2, 0, 1.0f}}, 0},
        {"class beyond a byte", "1 2 300\n", {{1, 2, 255, 1.0f}}, 0},
        {"tabs and blanks", "\t7 \t 8 \n", {{7, 8, 0, 1.0f}}, 0},
        {"empty file", "", {}, 0},
    };
    for (const Case& c : cases) {
        StickEngine_cls e;
        const StickParseResult_cls r = e.ParseBytes(c.text, false);
        EXPECT_TRUE(r.ok) << c.what;
        EXPECT_EQ(Sticks(e), c.expected) << c.what;
        EXPECT_EQ(r.skippedLines, c.skipped) << c.what;
    }
}

TEST(StickEngine, BondFilesAndTheirFaults) {
    struct Case {
        const char* file;
        bool ok;
        const char* messagePart;
        size_t sticks;
    };
    const std::vector<Case> cases = {
        {"two_sticks.bond", true, "", 2},
        {"one_byte_too_many.bond", false, "byte 9: the count 2 needs 29 bytes, the file has 30", 0},
        {"wrong_magic.bond", false, "byte 0", 0},
        {"count_negative.bond", false, "count -1", 0},
        {"shorter_than_header.bond", false, "at least 13 bytes", 0},
    };
    for (const Case& c : cases) {
        StickEngine_cls e;
        std::string error;
        EXPECT_EQ(e.LoadBond(Fixture(c.file), 0, 0, &error), c.ok) << c.file;
        EXPECT_EQ(e.Size(), c.sticks) << c.file;
        if (!c.ok) {
            EXPECT_NE(error.find(c.file), std::string::npos) << error;
            EXPECT_NE(error.find(c.messagePart), std::string::npos) << error;
            // A broken .bond file is read again on the next draw (it may be being written).
            EXPECT_FALSE(e.LoadBond(Fixture(c.file), 0, 0)) << c.file;
        }
    }
    StickEngine_cls e;
    ASSERT_TRUE(e.LoadBond(Fixture("two_sticks.bond"), 0, 0));
    EXPECT_EQ(Sticks(e), (std::vector<Stick>{{0, 1, 0, 1.0f}, {1, 2, 0, 1.0f}}));
    ASSERT_TRUE(e.LoadBond(Fixture("classes_and_factors.txt"), 0, 0));
    EXPECT_EQ(Sticks(e), (std::vector<Stick>{{0, 1, 0, 1.0f}, {1, 2, 3, 1.0f}, {2, 0, 0, 0.25f}}));
}

TEST(StickEngine, StickPathPatterns) {
    testsupport::TempDir dir;
    testsupport::WriteFile(dir.File("bond0012.txt"), "0 1\n");
    StickEngine_cls e;
    ASSERT_TRUE(e.LoadBond(dir.File("bond%04d.txt"), 12, 3));
    EXPECT_EQ(e.StickPath(), dir.File("bond0012.txt"));
    EXPECT_EQ(e.Size(), 1u);
    // The same frame again reads nothing, even when the file changed meanwhile.
    testsupport::WriteFile(dir.File("bond0012.txt"), "0 1\n1 2\n");
    EXPECT_TRUE(e.LoadBond(dir.File("bond%04d.txt"), 12, 3));
    EXPECT_EQ(e.Size(), 1u);
    // Frame and mask both in the name; "%s" is literal text, never a conversion.
    testsupport::WriteFile(dir.File("b5_m3%s.txt"), "2 3\n");
    EXPECT_TRUE(e.LoadBond(dir.File("b%d_m%d%s.txt"), 5, 3));
    EXPECT_EQ(Sticks(e), (std::vector<Stick>{{2, 3, 0, 1.0f}}));
    std::string error;
    EXPECT_FALSE(e.LoadBond(dir.File("%d%d%d.txt"), 1, 2, &error));
    EXPECT_NE(error.find("3 number fields"), std::string::npos) << error;
    EXPECT_EQ(e.Size(), 0u);
    error.clear();
    EXPECT_FALSE(e.LoadBond(dir.File("%d%d%d.txt"), 1, 2, &error));
    EXPECT_NE(error.find("3 number fields"), std::string::npos) << "told again: " << error;
    // A missing file names itself once and is not tried again until the path changes.
    EXPECT_FALSE(e.LoadBond(dir.File("missing%d.txt"), 1, 0, &error));
    EXPECT_NE(error.find("missing1.txt"), std::string::npos) << error;
    EXPECT_TRUE(e.LoadBond(dir.File("missing%d.txt"), 1, 0));
    EXPECT_EQ(e.Size(), 0u);
}

TEST(StickEngine, IndexCheckFollowsTheCount) {
    StickEngine_cls e;
    e.Append(0, 3, 0, 1.0f);
    e.CheckIndices(3);
    EXPECT_FALSE(e.Valid());
    EXPECT_NE(e.InvalidReason().find("particle 3"), std::string::npos) << e.InvalidReason();
    const float pos[12] = {0, 0, 0, 1, 0, 0, 2, 0, 0, 3, 0, 0};
    EXPECT_EQ(e.PovText(pos).find("CY("), std::string::npos);
    e.CheckIndices(4);
    EXPECT_TRUE(e.Valid());
    e.CheckIndices(-1);  // no frame
    EXPECT_FALSE(e.Valid());
    // With every second particle evaluated, sticks to the others have no place to go.
    StickEngine_cls strided;
    strided.Append(0, 1, 0, 1.0f);
    strided.Append(0, 2, 0, 1.0f);
    strided.CheckIndices(4, 2);
    EXPECT_TRUE(strided.Valid());
    const std::string text = strided.PovText(pos);
    EXPECT_EQ(text.find("CY(<0.000, 0.000, 0.000>,<1.000"), std::string::npos) << text;
    EXPECT_NE(text.find("CY(<0.000, 0.000, 0.000>,<2.000, 0.000, 0.000>)"), std::string::npos) << text;
    StickEngine_cls neg;
    neg.Append(-1, 0, 0, 1.0f);
    neg.CheckIndices(10);
    EXPECT_FALSE(neg.Valid());
}

TEST(StickEngine, PeriodicOffsetsScaleWholeBaseVectors) {
    StickEngine_cls e;
    const float base[3][3] = {{1, 0.5f, 0}, {0, 1, 0}, {0, 0, 2}};
    const float size[3] = {2, 3, 4};
    e.SetPeriodicOffsets(base, size);
    const float* o0 = e.Offset(0);
    const float* o1 = e.Offset(1);
    const float* o7 = e.Offset(7);
    EXPECT_EQ(std::vector<float>(o0, o0 + 3), (std::vector<float>{0, 0, 0}));
    EXPECT_EQ(std::vector<float>(o1, o1 + 3), (std::vector<float>{2, 1, 0}));
    EXPECT_EQ(std::vector<float>(o7, o7 + 3), (std::vector<float>{2, 4, 8}));
}

TEST(StickEngine, PovTextOfTheUnions) {
    const float pos[] = {0, 0, 0, 1, 0, 0, 1, 0, 0.0001f, 0, 2, 0};
    StickEngine_cls e;
    const float base[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const float size[3] = {10, 10, 10};
    e.SetPeriodicOffsets(base, size);
    e.Append(0, 1, 0, 1.0f);
    e.Append(1, 2, 0, 1.0f);  // equal ends at three decimals: left out
    e.Append(0, 3, 3, 1.0f);  // class 3: to particle 3 moved by x and y edges
    e.Append(0, 1, 9, 1.0f);  // class 9: kept, never written
    e.CheckIndices(4);
    ASSERT_TRUE(e.AllFactorsOne());
    const std::string text = e.PovText(pos);
    EXPECT_NE(text.find("#declare STICKS0=\nunion{\nCY(<0.000, 0.000, 0.000>,<1.000, 0.000, 0.000>)\n};\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("#declare STICKS3=\nunion{\nCY(<0.000, 0.000, 0.000>,<10.000, 12.000, 0.000>)\n};\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("#declare STICKS7=\nunion{\n};\n"), std::string::npos) << text;
    size_t calls = 0;
    for (size_t at = text.find("CY("); at != std::string::npos; at = text.find("CY(", at + 1)) ++calls;
    EXPECT_EQ(calls, 2u);
    // One factor other than 1: every call gets three arguments.
    e.Append(1, 3, 0, 0.5f);
    e.CheckIndices(4);
    EXPECT_FALSE(e.AllFactorsOne());
    const std::string three = e.PovText(pos, 1);
    EXPECT_NE(three.find("CY(<0.000, 0.000, 0.000>,<1.000, 0.000, 0.000>,1.000)\n"), std::string::npos) << three;
    EXPECT_NE(three.find("CY(<1.000, 0.000, 0.000>,<0.000, 2.000, 0.000>,0.500)\n"), std::string::npos) << three;
    EXPECT_EQ(three, e.PovText(pos, 4));
}

TEST(StickEngine, PovTextParsesInPovRay) {
    if (!povprobe::Available()) GTEST_SKIP() << "POV-Ray is not installed";
    const float nan = std::nanf(""), inf = INFINITY;
    const float pos[] = {0, 0, 0, 1, 0, 0, 0, 1, 0, 1e15f, 0, 0, nan, 0, 0, 0, inf, 0};
    StickEngine_cls e;
    e.Append(0, 1, 0, 1.0f);
    e.Append(1, 2, 0, 0.25f);
    e.Append(0, 3, 0, 1.0f);  // a far end: written in full
    e.Append(0, 4, 0, 1.0f);  // ends that are not numbers: left out and counted
    e.Append(5, 1, 0, 1.0f);
    e.CheckIndices(6);
    e.AllFactorsOne();
    std::string scene = "#macro CY(VPos0,VPos1,Factor)\ncylinder{ VPos0,VPos1,0.1 open pigment{rgb Factor}}\n#end\n";
    int64_t nonFinite = -1;
    const std::string sticks = e.PovText(pos, 4, 0, &nonFinite);
    EXPECT_EQ(nonFinite, 2);
    EXPECT_EQ(std::count(sticks.begin(), sticks.end(), '\n'), 8 * 3 + 3) << sticks;  // three CY lines
    scene += sticks;
    StickEngine_cls empty;
    empty.CheckIndices(0);
    scene += empty.PovText(pos);  // empty unions replace the others and still parse
    scene += "object{STICKS0}\nobject{STICKS5}\n#debug concat(\"parsed \", str(1,0,0), \"\\n\")\n";
    bool ok = false;
    const std::string out = povprobe::Run(scene, ok);
    EXPECT_TRUE(ok) << out;
    EXPECT_EQ(povprobe::Line(out, "parsed"), "1") << out;
}

}  // namespace
