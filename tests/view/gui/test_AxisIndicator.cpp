// The orientation indicator shows its arrows turned like the view, in its corner only.
#include <gtest/gtest.h>

#include <memory>

#include "tests/view/gui/GLTestCanvas.h"
#include "tests/view/gui/PixelProbe.h"
#include "common/GLCamera.h"
#include "view/gui/AxisIndicator.h"

namespace {
constexpr int kW = 128, kH = 96;
}

TEST(AxisIndicatorGL, ArrowsPointLikeTheViewAxesInsideTheCornerSquare) {
    ShownGLCanvas window(kW, kH);
    if (!window.ready) GTEST_SKIP() << "no GL context";
    // Looking down -z with y up: x points right, y up on screen.
    GLCamera_cls view;
    AxisIndicator_cls indicator(window.canvas);
    glViewport(0, 0, kW, kH);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    indicator.Render(view);
    indicator.Draw(kW, kH);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    PixelProbe probe(kW, kH);
    int x0, y0, x1, y1;
    ASSERT_TRUE(probe.Box(IsLit, x0, y0, x1, y1));
    EXPECT_GE(x0, 32);
    EXPECT_LE(x1, 95);
    EXPECT_GE(y0, 0);
    EXPECT_LE(y1, 63);
    int rx0, ry0, rx1, ry1, gx0, gy0, gx1, gy1;
    ASSERT_TRUE(probe.Box(IsRed, rx0, ry0, rx1, ry1));
    ASSERT_TRUE(probe.Box(IsGreen, gx0, gy0, gx1, gy1));
    EXPECT_GT(rx1 - rx0, 3 * (ry1 - ry0) / 2);  // x arrow: wide and flat, to the right
    EXPECT_GT(gy1 - gy0, 3 * (gx1 - gx0) / 2);  // y arrow: tall and narrow, upwards
    EXPECT_GT(rx1, gx1);
    EXPECT_GT(gy1, ry1);

    // Turned half round about up: x now points left.
    GLCamera_cls back;
    back.frame.Rotate(180, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    indicator.Render(back);
    indicator.Draw(kW, kH);
    PixelProbe turned(kW, kH);
    int tx0, ty0, tx1, ty1;
    ASSERT_TRUE(turned.Box(IsRed, tx0, ty0, tx1, ty1));
    EXPECT_LT(tx0, rx0 - 5);
    indicator.ReleaseBuffer();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
