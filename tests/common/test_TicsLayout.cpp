// Steps, tick positions and labels of the ruler, without a window.
#include "common/TicsLayout.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <map>

namespace {

std::vector<std::string> Labels(const TicsLayout_cls& t) {
    std::vector<std::string> out;
    for (const TicsMark& m : t.Marks())
        if (!m.label.empty()) out.push_back(m.label);
    return out;
}

const TicsMark* MarkAt(const std::vector<TicsMark>& marks, int x) {
    for (const TicsMark& m : marks)
        if (m.x == x) return &m;
    return nullptr;
}

}  // namespace

TEST(TicsLayout, StepsFollowTheValuesPerPixel) {
    struct Case {
        int width;
        float min, max;
        double major, middle, minor;
        bool small;
    } cases[] = {
        {400, 0, 60, 10, 5, 1, false},          // e = 0.15
        {100, 0, 1000, 500, 250, 50, false},    // e = 10 is not above 10
        {100, 0, 2000, 2000, 1000, 200, false}, // maximum above 1000 doubles e to 40
        {100, 0, 8000, 10000, 5000, 1000, false}, // e = 160 is above 100
        {100, 0, 4000, 2000, 1000, 200, false}, // e = 80 stays 2000
        {1000, 0, 10, 1, 1, 1, false},          // e = 0.01: step 1
        {500, 0, 25, 2, 1, 1, false},           // e = 0.05 is not above 0.05
        {200, 0, 20, 5, 5, 1, false},           // e = 0.1 exactly
        {100, 0, 1, 1, 1, 1, true},
    };
    for (const Case& c : cases) {
        TicsLayout_cls t;
        t.SetRange(c.width, 20, c.min, c.max, 0);
        EXPECT_EQ(t.majorStep, c.major) << c.min << ".." << c.max << " over " << c.width;
        EXPECT_EQ(t.middleStep, c.middle) << c.max;
        EXPECT_EQ(t.minorStep, c.minor) << c.max;
        EXPECT_EQ(t.smallRange, c.small) << c.max;
    }
}

TEST(TicsLayout, RangeOf60Over400PixelsHasLabelsEveryTenAndDarkFives) {
    TicsLayout_cls t;
    t.SetRange(400, 20, 0, 60, 0);
    const std::vector<TicsMark> marks = t.Marks();
    EXPECT_EQ(Labels(t), (std::vector<std::string>{"0", "10", "20", "30", "40", "50", "60"}));
    // 0..60 maps onto 0..400: value v at int(v × 400 / 60).
    const TicsMark* ten = MarkAt(marks, 66);
    ASSERT_NE(ten, nullptr);
    EXPECT_EQ(ten->label, "10");
    EXPECT_EQ(ten->length, 6);
    const TicsMark* fifteen = MarkAt(marks, 100);
    ASSERT_NE(fifteen, nullptr);
    EXPECT_TRUE(fifteen->dark);
    EXPECT_EQ(fifteen->length, 3);
    EXPECT_TRUE(fifteen->label.empty());
    const TicsMark* three = MarkAt(marks, 20);
    ASSERT_NE(three, nullptr);
    EXPECT_FALSE(three->dark);
    EXPECT_EQ(marks.size(), 61u);  // -1 and 61 fall outside 0..400 except 61 → 406 > 400
}

TEST(TicsLayout, LabelsOfLargeAndSmallRanges) {
    struct Case {
        int width;
        float min, max;
        std::vector<std::string> labels;
    } cases[] = {
        {100, 0, 2000, {"0.0e+0", "2.0e+3"}},
        {100, 0, 1, {"0.0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1.0"}},
        {300, 0, 0.03f, {"0.00", "0.01", "0.02", "0.03"}},
    };
    for (const Case& c : cases) {
        TicsLayout_cls t;
        t.SetRange(c.width, 20, c.min, c.max, 0);
        EXPECT_EQ(Labels(t), c.labels) << c.max;
    }
    TicsLayout_cls t;
    t.SetRange(300, 20, 0, 0.03f, 0);
    EXPECT_NEAR(t.smallStep, 0.01, 1e-12);
    EXPECT_EQ(t.labelDigits, 3);
}

TEST(TicsLayout, ExponentLabelsKeepTheirLastDigit) {
    // "%.1e" ends in the exponent's digits: dropping a trailing zero would turn 1e-10 into 1e-1.
    EXPECT_EQ(TicsLayout_cls::SmallLabel(3e-10, 6), "3.0e-10");
    EXPECT_EQ(TicsLayout_cls::SmallLabel(2e-5, 6), "2.0e-5");
    EXPECT_EQ(TicsLayout_cls::SmallLabel(0.5, 2), "0.5");
    EXPECT_EQ(TicsLayout_cls::SmallLabel(1, 2), "1.0");
    EXPECT_EQ(TicsLayout_cls::LargeLabel(2e10, 1e9), "2.0e+10");
    EXPECT_EQ(TicsLayout_cls::LargeLabel(100000, 10000), "1.0e+5");
    EXPECT_EQ(TicsLayout_cls::LargeLabel(-40, 10), "-40");

    TicsLayout_cls t;
    t.SetRange(200, 20, 0, 2e-5f, 0);
    EXPECT_GT(t.labelDigits, 4);
    for (const std::string& l : Labels(t)) {
        EXPECT_NE(l.find('e'), std::string::npos) << l;
        EXPECT_NE(l.back(), '-') << l;
        EXPECT_NE(l.back(), '+') << l;
    }
}

TEST(TicsLayout, EqualMinimumAndMaximumGiveOneTickAtPixelZero) {
    for (float v : {0.0f, 5.0f, -3.25f, 1e20f}) {
        TicsLayout_cls t;
        t.SetRange(300, 20, v, v, 4);
        int p0 = -7, p1 = -7;
        t.ValueToPixel(p0, p1, v, v + 1);
        EXPECT_EQ(p0, 0);
        EXPECT_EQ(p1, 1);
        const std::vector<TicsMark> marks = t.Marks();
        ASSERT_EQ(marks.size(), 1u) << v;
        EXPECT_EQ(marks[0].x, 0);
        EXPECT_FALSE(marks[0].label.empty());
    }
}

TEST(TicsLayout, HugeAndStrangeRangesStayBounded) {
    struct Case {
        float min, max;
    } cases[] = {
        {0, 1e9f}, {-1e30f, 1e30f}, {0, FLT_MAX}, {-FLT_MAX, FLT_MAX}, {1e12f, 1e12f + 1e6f},
        {60, 0}, {-5, -1}, {0, std::numeric_limits<float>::infinity()},
        {std::numeric_limits<float>::quiet_NaN(), 1},
    };
    for (const Case& c : cases) {
        TicsLayout_cls t;
        t.SetRange(400, 20, c.min, c.max, 2);
        const std::vector<TicsMark> marks = t.Marks();
        EXPECT_LE(marks.size(), 400u) << c.min << ".." << c.max;
        for (const TicsMark& m : marks) {
            EXPECT_GE(m.x, 0);
            EXPECT_LE(m.x, 400);
        }
    }
    TicsLayout_cls t;
    t.SetRange(400, 20, 0, 1e9f, 0);
    EXPECT_FALSE(Labels(t).empty());
    EXPECT_GT(t.majorStep, 1e8);  // the ladder goes on past its table
}

TEST(TicsLayout, WindowShowsThePartOfTheRangeAcrossTheWidth) {
    TicsLayout_cls t;
    t.SetRange(400, 20, 0, 60, 0);
    t.SetWindow(0.5f, 1.0f);
    EXPECT_EQ(t.PixelOf(30), 0);
    EXPECT_EQ(t.PixelOf(60), 400);
    EXPECT_EQ(t.PixelOf(45), 200);
    EXPECT_EQ(Labels(t), (std::vector<std::string>{"30", "40", "50", "60"}));
    t.SetWindow(0.3f, 0.3f);  // empty window: the whole range
    EXPECT_EQ(t.PixelOf(60), 400);
}

TEST(TicsLayout, MarginsKeepTheEndsFree) {
    TicsLayout_cls t;
    t.SetRange(210, 20, 0, 100, 5);
    EXPECT_EQ(t.PixelOf(0), 5);
    EXPECT_EQ(t.PixelOf(100), 205);
}
