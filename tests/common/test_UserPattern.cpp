#include "common/UserPattern.h"

#include <gtest/gtest.h>

TEST(UserPattern, OnlyIntegerConversionsAreSubstituted) {
    struct Case {
        const char* pattern;
        long long value;
        bool ok;
        const char* out;
    } cases[] = {
        {"Preview%04d.png", 7, true, "Preview0007.png"},
        {"frame%d", 123, true, "frame123"},
        {"f%5u.dat", 42, true, "f   42.dat"},
        {"neg%03d", -5, true, "neg-05"},
        {"100%%_%d", 1, true, "100%_1"},
        {"/data/%s/run%03d.txt", 9, true, "/data/%s/run009.txt"},
        {"100%/snap%04d", 12, true, "100%/snap0012"},
        {"trailing%", 1, false, "trailing%"},
        {"no number.png", 1, false, "no number.png"},
        {"two%d_%d", 1, false, "two%d_%d"},
        {"%n%p%x%d", 3, true, "%n%p%x3"},
    };
    for (const Case& c : cases) {
        bool ok = !c.ok;
        EXPECT_EQ(UserPattern_cls::ExpandOne(std::string(c.pattern), c.value, &ok), c.out)
            << c.pattern;
        EXPECT_EQ(ok, c.ok) << c.pattern;
    }
}

TEST(UserPattern, CountAndErrorMessage) {
    EXPECT_EQ(UserPattern_cls::CountIntConversions(std::string("a%d%%b%04u%s")), 2);
    std::string out, error;
    EXPECT_FALSE(UserPattern_cls::Expand("x%d", {}, out, &error));
    EXPECT_NE(error.find("x%d"), std::string::npos);
    EXPECT_TRUE(UserPattern_cls::Expand("%d-%02d", {1, 2}, out, &error));
    EXPECT_EQ(out, "1-02");
}

TEST(UserPattern, EscapedTextComesBackUnchanged) {
    std::string out;
    std::string text = "50% of %s and %d";
    ASSERT_TRUE(UserPattern_cls::Expand(UserPattern_cls::Escape(text), {}, out));
    EXPECT_EQ(out, text);
    EXPECT_EQ(UserPattern_cls::ExpandOne(wxString::FromUTF8("\xE6\x97\xA5%03d"), 5),
              wxString::FromUTF8("\xE6\x97\xA5" "005"));
}
