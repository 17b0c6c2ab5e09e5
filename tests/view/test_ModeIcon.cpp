// Item-edit-mode icons: strict hit rectangles, picking order, hover; cached cameras.
#include <gtest/gtest.h>

#include "view/CachedCamera.h"
#include "view/ModeIcon.h"

namespace {

// Icons of 20 x 20 pixels, as if their images had been loaded.
class ModeIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (ModeIcon_cls* i : {&GoModeIconScale, &GoModeIconRotation, &GoModeIconTranslation}) {
            i->width = i->height = 20;
            i->hover = 0;
        }
        GiItemEditMode = 0;
    }
    void TearDown() override {
        for (ModeIcon_cls* i : {&GoModeIconScale, &GoModeIconRotation, &GoModeIconTranslation})
            i->width = i->height = 0;
    }
};

}  // namespace

TEST_F(ModeIconTest, PressesInsideSelectTheModeAndBordersDoNot) {
    const int w = 200, h = 100;
    // Scale spans x 4..24 and window y (from the top) 76..96; Rotation 52..72 and
    // Translation 28..48, overlapping Rotation by nothing here.
    struct Case {
        int x, y;
        bool hit;
        int mode;
    };
    const Case cases[] = {
        {10, 90, true, 1},   // Scale
        {10, 60, true, 2},   // Rotation
        {10, 40, true, 0},   // Translation
        {4, 90, false, -1},  // left border
        {24, 90, false, -1}, // right border
        {10, 76, false, -1}, // top border of Scale
        {10, 96, false, -1}, // bottom border of Scale
        {30, 90, false, -1}, // beside
    };
    for (const Case& c : cases) {
        GiItemEditMode = 7;
        EXPECT_EQ(PickModeIcon(w, h, c.x, c.y), c.hit) << c.x << "," << c.y;
        EXPECT_EQ(GiItemEditMode, c.hit ? c.mode : 7) << c.x << "," << c.y;
    }
}

TEST_F(ModeIconTest, ScaleWinsWhereRotationOverlapsIt) {
    GoModeIconRotation.height = 40;  // reaches down over Scale
    EXPECT_TRUE(PickModeIcon(200, 100, 10, 90));
    EXPECT_EQ(GiItemEditMode, 1);
}

TEST_F(ModeIconTest, HoverReportsChangesOnlyAndUnloadedIconsAreNeverHit) {
    EXPECT_TRUE(UpdateModeIconHover(200, 100, 10, 90));
    EXPECT_EQ(GoModeIconScale.hover, 1);
    EXPECT_FALSE(UpdateModeIconHover(200, 100, 11, 90));
    EXPECT_TRUE(UpdateModeIconHover(200, 100, 150, 10));
    EXPECT_EQ(GoModeIconScale.hover, 0);
    GoModeIconScale.width = GoModeIconScale.height = 0;
    EXPECT_FALSE(GoModeIconScale.HitTest(200, 100, 10, 90));
    // Anchor 3 measures from the right edge.
    ModeIcon_cls right("x.png", 3, 30, 4, 1);
    right.width = right.height = 20;
    EXPECT_EQ(right.Left(200), 170);
    EXPECT_TRUE(right.HitTest(200, 100, 180, 90));
    SetItemEditModeRotation();
    EXPECT_EQ(GiItemEditMode, 2);
    SetItemEditModeScale();
    EXPECT_EQ(GiItemEditMode, 1);
    SetItemEditModeTranslation();
    EXPECT_EQ(GiItemEditMode, 0);
}

TEST(CachedCamera, CompareReportsFlagsBeforeDifferences) {
    CachedCamera_cls a, b;
    EXPECT_EQ(a.Compare(b), 0);
    EXPECT_DOUBLE_EQ(a.camera.frame.direction[2], -1.0);
    b.camera.pose.position[0] = 1;
    EXPECT_EQ(a.Compare(b), 1);
    b.Invalidate();
    EXPECT_EQ(a.Compare(b), 998);
    a.Invalidate();
    EXPECT_EQ(a.Compare(b), 999);
}
