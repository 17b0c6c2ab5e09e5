// Bitmap text and tag labels land at the pixels they are placed at.
#include <gtest/gtest.h>

#include <memory>

#include "tests/view/gui/GLTestCanvas.h"
#include "tests/view/gui/PixelProbe.h"
#include "common/GLCamera.h"
#include "common/GLProjection.h"
#include "view/TagList.h"
#include "view/gui/BitmapText.h"

namespace {

constexpr int kW = 128, kH = 96;

class BitmapTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<ShownGLCanvas>(kW, kH);
        ready = window->ready;
        if (!ready) return;
        glViewport(0, 0, kW, kH);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);
        glColor3f(1, 1, 1);
    }
    void TearDown() override { window.reset(); }
    std::unique_ptr<ShownGLCanvas> window;
    bool ready = false;
};

}  // namespace

TEST_F(BitmapTextTest, TextStartsAtItsRasterPositionAndNewlinesStepDown) {
    if (!ready) GTEST_SKIP() << "no GL context";
    ScreenSize_cls screen;
    screen.Set(kW, kH);
    EXPECT_EQ(BitmapTextBaseline(screen, 0, true), kH - 12);
    ScreenSize_cls tall;
    tall.Set(640, 480);
    EXPECT_EQ(BitmapTextBaseline(tall, 0, true), 468);

    DrawBitmapText(screen, BitmapFontForIndex(1), "HH", 20, 30, false);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    int x0, y0, x1, y1;
    {
        PixelProbe probe(kW, kH);
        ASSERT_TRUE(probe.Box(IsLit, x0, y0, x1, y1));
    }
    // Helvetica 12 capitals: from the baseline up about 9 pixels, from x = 20 on.
    EXPECT_GE(x0, 20);
    EXPECT_LE(x0, 22);
    EXPECT_GE(y0, 30);
    EXPECT_LE(y0, 31);
    EXPECT_LE(y1, 30 + 12);

    // From the top, two lines: the second 24 pixels below the first.
    glClear(GL_COLOR_BUFFER_BIT);
    DrawBitmapText(screen, BitmapFontForIndex(1), "H\nH", 40, 10, true);
    PixelProbe probe(kW, kH);
    int bx0, by0, bx1, by1;
    ASSERT_TRUE(probe.Box(IsLit, bx0, by0, bx1, by1));
    EXPECT_EQ(by1 - (y1 - y0), kH - 10 - 12);  // first line's lowest row is its baseline
    EXPECT_NEAR(by0, kH - 10 - 12 - 24, 1);
    EXPECT_EQ(BitmapFontForIndex(5), nullptr);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(BitmapTextTest, TagsAreWrittenWhereTheirPointsProject) {
    if (!ready) GTEST_SKIP() << "no GL context";
    InitTagSettings();
    GoTagConfig.fontIndex.value = 1;
    GLProjection_cls proj(kW, kH, 35, 0.03, 5000);
    const double pos[3] = {0, 0, 10}, second[3] = {0, 0, 0}, dir[3] = {0, 0, -1}, up[3] = {0, 1, 0},
                 right[3] = {1, 0, 0};
    GLCamera_cls cam(pos, second, dir, up, right);
    proj.ApplyViewport();
    proj.Apply(cam, 0);
    cam.LoadModelview(GL_MODELVIEW);

    TagList_cls tags;
    tags.Add("H", -1.0f, 0.5f, 0.0f);
    tags.Project();
    ASSERT_EQ(tags.tags.size(), 1u);
    double expect[3];
    WindowOf(-1.0, 0.5, 0.0, expect);
    EXPECT_NEAR(tags.tags[0].winX, expect[0], 1e-6);
    const int vp[4] = {0, 0, kW, kH};
    tags.Draw(vp);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    PixelProbe probe(kW, kH);
    int x0, y0, x1, y1;
    ASSERT_TRUE(probe.Box(IsLit, x0, y0, x1, y1));
    EXPECT_NEAR(x0, int(expect[0]), 2);
    EXPECT_NEAR(y0, int(expect[1]), 1);
    EXPECT_LE(x1 - x0, 12);

    // An index outside the font table draws in the default font (Times Roman 24), the
    // same letters as index 4, not nothing.
    auto box = [&](unsigned index, int b[4]) {
        GoTagConfig.fontIndex.value = index;
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        tags.Draw(vp);
        PixelProbe p(kW, kH);
        return p.Box(IsLit, b[0], b[1], b[2], b[3]);
    };
    int outside[4], byDefault[4];
    ASSERT_TRUE(box(9, outside));
    ASSERT_TRUE(box(4, byDefault));
    for (int k = 0; k < 4; ++k) EXPECT_EQ(outside[k], byDefault[k]) << k;
    EXPECT_GT(byDefault[3] - byDefault[1], y1 - y0) << "the larger font";
    GoTagConfig.fontIndex.value = 4;
}
