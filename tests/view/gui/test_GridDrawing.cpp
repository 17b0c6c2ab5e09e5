// Grid planes, grid box, scale rings, the floor grid and camera symbols: labels once per corner, lines
// where they are expected.
#include <gtest/gtest.h>

#include <memory>

#include "tests/view/gui/GLTestCanvas.h"
#include "tests/view/gui/PixelProbe.h"
#include "common/GLCamera.h"
#include "common/GLProjection.h"
#include "view/TagList.h"
#include "view/gui/GridDrawing.h"
#include "view/gui/SceneLists.h"

using GridTest = GLTestCanvas;

TEST_F(GridTest, BoxLabelsSharedCornersOnce) {
    if (!ready) GTEST_SKIP() << "no GL context";
    GLCamera_cls cam;
    const double dir[3] = {1, 1, 1}, up[3] = {0, 0, 1};
    cam.frame.SetDirUp(dir, up);
    TagList_cls tags;
    DrawGridBox(-1, 1, 4, cam, &tags);
    // Three far planes meet at (1, 1, 1): the 7 box corners with a coordinate of 1.
    EXPECT_EQ(tags.tags.size(), 7u);
    EXPECT_TRUE(tags.Contains("(1, 1, 1)"));
    EXPECT_TRUE(tags.Contains("(-1, -1, 1)"));
    EXPECT_FALSE(tags.Contains("(-1, -1, -1)"));
    for (const Tag_cls& t : tags.tags) {
        const wxString text = wxString::Format("(%g, %g, %g)", t.x, t.y, t.z);
        EXPECT_EQ(text, t.text);  // each label sits at the corner it names
    }
    // A direction component of 0 draws both planes of that axis.
    const double level[3] = {1, 1, 0};
    cam.frame.SetDirUp(level, up);
    TagList_cls both;
    DrawGridBox(-1, 1, 4, cam, &both);
    EXPECT_EQ(both.tags.size(), 8u);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(GridTest, ScaleRingsSkipNegativeRadiiAndDrawOneRingForAnEmptyRange) {
    if (!ready) GTEST_SKIP() << "no GL context";
    TagList_cls tags;
    DrawScaleRings(-1, 1, 2, &tags);
    ASSERT_EQ(tags.tags.size(), 2u);
    EXPECT_EQ(tags.tags[0].text, "0");
    EXPECT_EQ(tags.tags[1].text, "1");
    TagList_cls one;
    DrawScaleRings(2, 2, 5, &one);
    ASSERT_EQ(one.tags.size(), 1u);
    EXPECT_EQ(one.tags[0].text, "2");
    TagList_cls reversed;
    DrawScaleRings(1, 0, 0, &reversed);  // swapped, one step
    EXPECT_EQ(reversed.tags.size(), 2u);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(GridTest, PlaneWithNoDivisionsStepsOnceOverItsRangeAndFloorGridLevelsScale) {
    if (!ready) GTEST_SKIP() << "no GL context";
    glViewport(0, 0, kSize, kSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-4, 4, -4, 4, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 1);
    DrawGridPlaneXY(-2, 2, 0, 0, nullptr);  // lines at -2 and 2 only
    {
        PixelProbe probe(kSize, kSize);
        double edge[3], middle[3];
        WindowOf(2, 0, 0, edge);
        WindowOf(0, 1, 0, middle);
        EXPECT_TRUE(probe.Near(int(edge[0]), int(edge[1]), 1, IsLit));
        EXPECT_FALSE(probe.Near(int(middle[0]), int(middle[1]), 1, IsLit));
    }
    // Two levels: the plain grid at scale 0.3 (no centre line), the outer grid at 3
    // (border at 3, beyond the view's reach of 4 only in the corners).
    glClear(GL_COLOR_BUFFER_BIT);
    DrawFloorGrid(0.3, 2);
    PixelProbe probe(kSize, kSize);
    double inner[3], axis[3], border[3];
    WindowOf(0.27, 0.1, 0, inner);   // a plain-grid line at 9/10 of 0.3
    WindowOf(2.0, 0.0, 0, axis);     // the outer grid's x axis
    WindowOf(3.0, 1.0, 0, border);   // the outer grid's border at 3
    EXPECT_TRUE(probe.Near(int(inner[0]), int(inner[1]), 1, IsLit));
    EXPECT_TRUE(probe.Near(int(axis[0]), int(axis[1]), 1, IsLit));
    EXPECT_TRUE(probe.Near(int(border[0]), int(border[1]), 1, IsLit));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(GridTest, CameraSymbolOpensToItsViewAngleAndAnchorIsACross) {
    if (!ready) GTEST_SKIP() << "no GL context";
    // Looking back along -x at the symbols, y to the right and z up.
    glViewport(0, 0, kSize, kSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(5, 0, 0, 0, 0, 0, 0, 0, 1);
    glClearColor(0, 0, 0, 1);
    glColor3f(1, 1, 1);
    auto lit = [&](double y, double z) {
        double w[3];
        WindowOf(0.7, y, z, w);
        PixelProbe probe(kSize, kSize);
        return probe.Near(int(w[0]), int(w[1]), 1, IsLit);
    };
    glClear(GL_COLOR_BUFFER_BIT);
    DrawCameraSymbol(0, 1.0, 90);  // frustum corners at (cos 45, +-sin 45, +-sin 45)
    EXPECT_TRUE(lit(0.707, 0));     // the far square's side
    EXPECT_TRUE(lit(0.35, 0.35));   // an edge from the origin to a corner
    EXPECT_FALSE(lit(0.4, 0));
    glClear(GL_COLOR_BUFFER_BIT);
    DrawCameraSymbol(0, 1.0, 40);   // narrower: the square shrinks to sin 20 = 0.342
    EXPECT_FALSE(lit(0.707, 0));
    EXPECT_TRUE(lit(0.342, 0));
    glClear(GL_COLOR_BUFFER_BIT);
    DrawCameraSymbol(2, 1.0, 0);    // the anchor cross reaches 0.5 along each axis
    EXPECT_TRUE(lit(0.4, 0));
    EXPECT_TRUE(lit(0, -0.4));
    EXPECT_FALSE(lit(0.6, 0));
    EXPECT_FALSE(lit(0.3, 0.3));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
