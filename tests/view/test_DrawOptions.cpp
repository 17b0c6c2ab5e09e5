// Draw options: the four lines round trip and read values stay within their choices.
#include <gtest/gtest.h>

#include <string>

#include "view/DrawOptions.h"

namespace {
std::string Text(const DrawOptions_cls& o) {
    return std::string(o.WriteText().utf8_str());
}
}  // namespace

TEST(DrawOptions, DefaultsAndRoundTrip) {
    DrawOptions_cls a;
    EXPECT_EQ(Text(a), "DownSizing=1\r\nSortOrder=0\r\nClassify=1\r\nShadow=0\r\n");
    a.downSizing.value = 1000;
    a.sortOrder.value = 2;
    a.classify.value = 0;
    a.shadow.value = 1;
    const std::string written = Text(a);
    DrawOptions_cls b;
    for (const char* line : {"DownSizing=1000\r\n", "SortOrder=2\r\n", "Classify=0\r\n",
                             "Shadow=1\r\n"})
        EXPECT_TRUE(b.ReadText(line));
    EXPECT_EQ(Text(b), written);
}

TEST(DrawOptions, ReadValuesAreClamped) {
    struct Case {
        const char* line;
        int down;
        unsigned sort, classify, shadow;
    };
    const Case cases[] = {
        {"DownSizing=0", 1, 0, 1, 0},        {"DownSizing=-5", 1, 0, 1, 0},
        {"DownSizing=1001", 1000, 0, 1, 0},  {"DownSizing=abc", 1, 0, 1, 0},
        {"SortOrder=3", 1, 2, 1, 0},         {"SortOrder=-1", 1, 2, 1, 0},
        {"Classify=2", 1, 0, 1, 0},          {"Shadow=9", 1, 0, 1, 2},
    };
    for (const Case& c : cases) {
        DrawOptions_cls o;
        o.ReadText(c.line);
        EXPECT_EQ(o.DownSizing(), c.down) << c.line;
        EXPECT_EQ(o.SortOrder(), c.sort) << c.line;
        EXPECT_EQ(o.Classify(), c.classify) << c.line;
        EXPECT_EQ(o.Shadow(), c.shadow) << c.line;
    }
}

TEST(DrawOptions, OtherKeysAreNotTaken) {
    DrawOptions_cls o;
    EXPECT_FALSE(o.ReadText("MyDownSizing=5"));
    EXPECT_FALSE(o.ReadText("ShadowLength=3"));
    EXPECT_FALSE(o.ReadText("ShadowQuality=2"));
    EXPECT_EQ(o.Shadow(), 0u);
    EXPECT_EQ(o.DownSizing(), 1);
}
