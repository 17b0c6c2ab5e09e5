// Pixel <-> frame and pixel <-> time mappings of the timeline panels and key strips, and
// the playback bar's prefetch limit.
#include "timeline/PrefetchLimit.h"
#include "timeline/TLPanelGeom.h"

#include <gtest/gtest.h>

namespace {

TLPanelGeom_cls Geom(int width) {
    TLPanelGeom_cls g;
    g.width = width;
    g.height = 16;
    return g;
}

TEST(TLPanelGeom, FramesAndPixelsOverAView) {
    struct Case {
        int width, lo, hi, frame, pixel;
    };
    // Width 216 leaves 200 pixels between the margins.
    const Case cases[] = {
        {216, 0, 100, 50, 108}, {216, 0, 100, 0, 8}, {216, 0, 100, 100, 208},
        {216, 20, 70, 45, 108}, {416, 0, 100, 25, 108}, {216, 0, 3, 1, 74},
    };
    for (const Case& c : cases) {
        TLPanelGeom_cls g = Geom(c.width);
        g.FrameToPixel(float(c.frame), float(c.frame), c.lo, c.hi);
        EXPECT_EQ(g.pixel1, c.pixel) << c.width << " " << c.lo << ".." << c.hi << " f" << c.frame;
        EXPECT_EQ(g.PixelToFrame(c.pixel, c.lo, c.hi), c.frame) << "back from " << c.pixel;
    }
}

TEST(TLPanelGeom, PixelToFrameRoundsAndLimits) {
    TLPanelGeom_cls g = Geom(216);
    EXPECT_EQ(g.PixelToFrame(8, 0, 100), 0);
    EXPECT_EQ(g.PixelToFrame(208, 0, 100), 100);
    EXPECT_EQ(g.PixelToFrame(9, 0, 100), 1);     // 0.5 rounds up
    EXPECT_EQ(g.PixelToFrame(0, 0, 100), 0);     // left of the margin: not negative
    EXPECT_EQ(g.PixelToFrame(300, 0, 100), 100);  // right of it: the last frame
    EXPECT_EQ(g.PixelToFrame(300, 10, 50), 50);
}

TEST(TLPanelGeom, OneFrameViewMapsEverythingToTheStart) {
    TLPanelGeom_cls g = Geom(216);
    g.FrameToPixel(5.0f, 7.0f, 40, 40);
    EXPECT_EQ(g.pixel1, 0);
    EXPECT_EQ(g.pixel2, 1);
    EXPECT_EQ(g.PixelToFrame(120, 40, 40), 0);
}

TEST(TLPanelGeom, NarrowerThanTheMarginsDoesNotDivideByZero) {
    TLPanelGeom_cls g = Geom(16);
    EXPECT_EQ(g.PixelToFrame(10, 0, 100), 0);
    EXPECT_EQ(g.PixelToTime(10, 0.25, 0.75), 0.25);
    EXPECT_EQ(g.PickTolerance(0.0, 1.0), 0.0);
}

TEST(TLPanelGeom, TimesAndPixelsOfAStrip) {
    TLPanelGeom_cls g = Geom(216);
    // The strip shows normalised times 0.2..0.6 from margin to margin.
    EXPECT_EQ(g.TimeToPixel(0.4, 0.2, 0.6), 108);
    EXPECT_EQ(g.TimeToPixel(0.2, 0.2, 0.6), 8);
    EXPECT_NEAR(g.PixelToTime(108, 0.2, 0.6), 0.4, 1e-12);
    EXPECT_NEAR(g.PixelToTime(0, 0.2, 0.6), 0.184, 1e-12);  // outside the margins: not limited
    // Three pixels of 200 across a span of 0.4.
    EXPECT_NEAR(g.PickTolerance(0.2, 0.6), 0.006, 1e-12);
    // A collapsed span puts every time at the left margin.
    EXPECT_EQ(g.TimeToPixel(0.9, 0.5, 0.5), 8);
}

TEST(PrefetchLimit, LimitedToSixTenthsOfTheCapacity) {
    struct Case {
        int request, capacity, expected;
    };
    const Case cases[] = {
        {30, 40, 24}, {20, 40, 20}, {24, 40, 24}, {25, 40, 24}, {3, 40, 3}, {3, 1, 3},
        {2, 0, 2},
        // nothing loaded: the capacity is unknown; requests above 3 become 3
        {10, -1, 3}, {3, -1, 3}, {1, -1, 1},
        // a capacity of at most one frame never drops the control below its minimum
        {5, 1, 1}, {5, 0, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LimitPrefetch(c.request, c.capacity), c.expected) << c.request << " cap " << c.capacity;
}

}  // namespace
