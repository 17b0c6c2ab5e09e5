#include "platform/FileNumbers.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>

using namespace platform;

namespace {
std::string Printf(const char* fmt, double v) {
    char buf[512];
    std::snprintf(buf, sizeof buf, fmt, v);
    return buf;
}
}  // namespace

TEST(FileNumbers, FormattingMatchesPrintfInTheCLocale) {
    const double values[] = {0.0, -0.0, 1.0, 0.1, 1234.5678, 1e-7, 123456789.0, -3.25e21,
                             0.29, 2.0 / 3.0, 1e300, 5e-324};
    for (double v : values) {
        EXPECT_EQ(FormatG(v), Printf("%g", v));
        EXPECT_EQ(FormatG(v, 12), Printf("%.12g", v));
        EXPECT_EQ(FormatF(v), Printf("%f", v));
        EXPECT_EQ(FormatF(v, 3), Printf("%.3f", v));
        EXPECT_EQ(FormatE(v, 4), Printf("%.4e", v));
    }
}

TEST(FileNumbers, ShortestTextReadsBackExactly) {
    for (double v : {0.1, 1.0 / 3.0, 1e-310, DBL_MAX, -2.5}) {
        double back = 0;
        ASSERT_TRUE(ParseDouble(FormatShortest(v), back));
        EXPECT_EQ(back, v);
    }
    float f = 0;
    ASSERT_TRUE(ParseFloat(FormatShortest(0.29f), f));
    EXPECT_EQ(f, 0.29f);
}

// Fixed decimals where they hold the value, the shortest exact text where they do not.
TEST(FileNumbers, FixedTextThatMustReadBackExactly) {
    const struct {
        double v;
        const char* text;
    } table[] = {
        {0.5, "0.500000000"},        {0.1, "0.100000000"},         {-0.0, "-0.000000000"},
        {1.0 / 3.0, "0.3333333333333333"}, {0.1234567891, "0.1234567891"}, {1e-310, "1e-310"},
    };
    for (const auto& c : table) {
        const std::string text = FormatFExact(c.v, 9);
        EXPECT_EQ(text, c.text) << c.v;
        double back = 1;
        ASSERT_TRUE(ParseDouble(text, back));
        EXPECT_EQ(back, c.v) << text;
        EXPECT_EQ(std::signbit(back), std::signbit(c.v)) << text;
    }
    double back = 0;
    ASSERT_TRUE(ParseDouble(FormatFExact(DBL_MAX, 6), back));
    EXPECT_EQ(back, DBL_MAX);
}

TEST(FileNumbers, ParsingReadsPrefixesLikeAtof) {
    struct Case {
        const char* text;
        bool ok;
        double value;
        size_t used;
    } cases[] = {
        {"1.5", true, 1.5, 3},      {"  -2e3xyz", true, -2000, 6}, {"+4", true, 4, 2},
        {".5", true, 0.5, 2},       {"abc", false, 0, 0},          {"", false, 0, 0},
        {"+", false, 0, 0},         {"1e999", true, DBL_MAX, 5},   {"-1e999", true, -DBL_MAX, 6},
        {"1e-999", true, 0.0, 6},   {"3,5", true, 3, 1},
    };
    for (const Case& c : cases) {
        double v = -99;
        size_t used = 0;
        EXPECT_EQ(ParseDouble(c.text, v, &used), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
            EXPECT_EQ(used, c.used) << c.text;
        } else {
            EXPECT_EQ(v, -99) << c.text;
        }
    }
    int64_t big = 0;
    ASSERT_TRUE(ParseInt64("99999999999999999999", big));
    EXPECT_EQ(big, INT64_MAX);
    uint64_t u = 0;
    EXPECT_FALSE(ParseUInt64("-1", u));
    EXPECT_EQ(ToInt(" 42 rest"), 42);
    EXPECT_EQ(ToDouble("x"), 0.0);
}

TEST(FileNumbers, UnaffectedByADecimalCommaLocale) {
    testsupport::CommaLocale comma;
    ASSERT_TRUE(comma.Ok()) << "the set-up script creates de_DE.UTF-8";
    EXPECT_EQ(Printf("%g", 1.5), "1,5");  // the locale is really in force
    EXPECT_EQ(FormatG(1.5), "1.5");
    EXPECT_EQ(FormatF(0.25, 2), "0.25");
    EXPECT_EQ(ToDouble("1.5"), 1.5);
}
