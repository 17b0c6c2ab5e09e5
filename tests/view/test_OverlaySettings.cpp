// Overlay settings: the nine lines in their order, read values within their choices, and
// where the time text and the legends go.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "view/OverlaySettings.h"

namespace {
std::string Text(const OverlaySettings_cls& o) { return std::string(o.WriteText().utf8_str()); }
}  // namespace

TEST(OverlaySettings, DefaultLinesInOrderAndRoundTrip) {
    OverlaySettings_cls a;
    EXPECT_EQ(Text(a),
              "OverLayTimePos=4\r\nOverLayTimeFontFamily=2\r\nOverLayTimeFontPoint=18\r\n"
              "OverLayTimeCustomFont=\r\nOverLayTimeTag=Time=\r\nOverLayShowLegend=1 0 0 0\r\n"
              "OverLayLegendPos=3\r\nOverLayLegendIgnoreAlphe=0\r\nOverLayLegendIgnoreTics=0\r\n");
    EXPECT_FALSE(a.ShowsTime());
    a.timePos.value = 1;
    a.fontFamily.value = 7;
    a.fontPoint.value = 24;
    a.customFont.text = "DejaVu Sans";
    a.timeTag.text = "t = ";
    a.showLegend.values[2] = true;
    a.legendPos.value = 0;
    a.ignoreAlpha.value = 1;
    a.ignoreTics.value = 1;
    const std::string written = Text(a);
    OverlaySettings_cls b;
    size_t start = 0;
    while (start < written.size()) {
        const size_t end = written.find("\r\n", start);
        EXPECT_TRUE(b.ReadText(wxString::FromUTF8(written.substr(start, end - start))));
        start = end + 2;
    }
    EXPECT_EQ(Text(b), written);
    EXPECT_EQ(b.FontFace(), "DejaVu Sans");
}

TEST(OverlaySettings, ReadValuesStayWithinTheirChoices) {
    struct Case {
        const char* line;
        unsigned timePos, family, legendPos;
        int point;
    };
    const Case cases[] = {
        {"OverLayTimePos=9", 4, 2, 3, 18},        // past the table: not shown
        {"OverLayTimeFontFamily=12", 4, 7, 3, 18},
        {"OverLayLegendPos=7", 4, 2, 3, 18},
        {"OverLayTimeFontPoint=0", 4, 2, 3, 1},   // a font needs at least one point
        {"OverLayTimeFontPoint=-40", 4, 2, 3, 1},
        {"OverLayTimePosX=1", 4, 2, 3, 18},       // another key: nothing read
    };
    for (const Case& c : cases) {
        OverlaySettings_cls o;
        o.ReadText(c.line);
        EXPECT_EQ(o.timePos.value, c.timePos) << c.line;
        EXPECT_EQ(o.fontFamily.value, c.family) << c.line;
        EXPECT_EQ(o.legendPos.value, c.legendPos) << c.line;
        EXPECT_EQ(o.fontPoint.value, c.point) << c.line;
    }
    // Values set directly (not read) are still kept in the table when used.
    OverlaySettings_cls o;
    o.fontFamily.value = 99;
    o.fontPoint.value = -3;
    EXPECT_EQ(o.FontFamily(), 0u);
    EXPECT_EQ(o.FontPoint(), 1);
    EXPECT_EQ(o.FontFace(), "");
}

TEST(OverlaySettings, CornersFollowTheTableAndOthersDrawNothing) {
    struct Case {
        unsigned pos;
        int row, x, y;
    };
    const int W = 640, H = 480;
    const Case cases[] = {{0, 0, 20, H - 36}, {1, 0, W - 260, H - 36}, {2, 0, 20, 20},
                          {3, 0, W - 260, 20}, {0, 1, 20, H - 72},     {3, 2, W - 260, 92}};
    for (const Case& c : cases) {
        int x = -1, y = -1;
        ASSERT_TRUE(OverlayCorner(c.pos, c.row, W, H, x, y)) << c.pos;
        EXPECT_EQ(x, c.x) << c.pos << " row " << c.row;
        EXPECT_EQ(y, c.y) << c.pos << " row " << c.row;
    }
    for (unsigned pos : {4u, 5u, 1000u}) {
        int x = -1, y = -1;
        EXPECT_FALSE(OverlayCorner(pos, 0, W, H, x, y)) << pos;
        EXPECT_EQ(x, -1);
        EXPECT_EQ(y, -1);
    }
}

TEST(OverlaySettings, LegendsStackAwayFromTheirCorner) {
    OverlaySettings_cls o;
    const int W = 500, H = 400;
    // Defaults: type 0 alone, bottom right.
    auto p = o.LegendPlacements(W, H);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].type, 0);
    EXPECT_EQ(p[0].x, W - 260);
    EXPECT_EQ(p[0].y, 20);
    // Two shown legends at "Top Left" are drawn at H - 36 and H - 72.
    o.showLegend.values[0] = false;
    o.showLegend.values[1] = true;
    o.showLegend.values[3] = true;
    o.legendPos.value = 0;
    p = o.LegendPlacements(W, H);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].type, 1);
    EXPECT_EQ(p[0].y, H - 36);
    EXPECT_EQ(p[1].type, 3);
    EXPECT_EQ(p[1].y, H - 72);
    EXPECT_EQ(p[1].x, 20);
    o.legendPos.value = 2;
    p = o.LegendPlacements(W, H);
    EXPECT_EQ(p[1].y, 56);
    // A corner outside the table draws no legend at all.
    o.legendPos.value = 4;
    EXPECT_TRUE(o.LegendPlacements(W, H).empty());
}

TEST(OverlaySettings, TimeTextFormatsOrSaysNotDefined) {
    EXPECT_EQ(OverlayTimeText("Time=", 1.5), "Time=1.5");
    EXPECT_EQ(OverlayTimeText("Time=", 1234567.0), "Time=1.23457e+06");
    EXPECT_EQ(OverlayTimeText("t:", kNoFrameTime), "t:Not Defined");
    // The user's tag is text, never a format.
    EXPECT_EQ(OverlayTimeText("%s%n ", 2), "%s%n 2");
}
