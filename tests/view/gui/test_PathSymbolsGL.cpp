// The camera path's and the anchor's own drawing: the frustum or, for a fisheye path, the
// cone; the anchor's cross only away from the origin or while selected, its path points
// always when visible; the pick forms hit where the symbols are drawn.
#include <gtest/gtest.h>

#include <memory>

#include "common/CommandHistory.h"
#include "scene/AnchorPath.h"
#include "scene/CameraPath.h"
#include "tests/view/gui/GLTestCanvas.h"
#include "tests/view/gui/PixelProbe.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"
#include "view/gui/GLPicker.h"
#include "view/gui/PathItems.h"

namespace {

constexpr int kW = 128, kH = 96;

bool IsPathGreen(const unsigned char* p) { return p[1] > 150 && p[0] < 110 && p[2] < 110; }

class PathSymbolsGL : public ::testing::Test {
protected:
    void SetUp() override {
        GoCommandHistory.Clear();
        GbParamUndoEnabled = 0;
        GdCurrentTime = 0.0;
        window = std::make_unique<ShownGLCanvas>(kW, kH);
        ready = window->ready;
        if (!ready) return;
        // Looking along -x at the origin, z up: the symbols face the camera.
        const double pos[3] = {10, 0, 0}, dir[3] = {-1, 0, 0}, up[3] = {0, 0, 1}, right[3] = {0, 1, 0};
        LookAtOrigin(kW, kH, pos, dir, up, right);
        glClearColor(0, 0, 0, 1);
        glDisable(GL_DEPTH_TEST);
    }
    void TearDown() override {
        window.reset();
        GbParamUndoEnabled = 1;
        GoCommandHistory.Clear();
    }
    bool GreenAt(double x, double y, double z, int r = 1) {
        double w[3];
        WindowOf(x, y, z, w);
        PixelProbe probe(kW, kH);
        return probe.Near(int(w[0]), int(w[1]), r, IsPathGreen);
    }

    std::unique_ptr<ShownGLCanvas> window;
    bool ready = false;
};

}  // namespace

TEST_F(PathSymbolsGL, FisheyePathShowsTheConeEveryOtherGeometryTheFrustum) {
    if (!ready) GTEST_SKIP() << "no GL context";
    CameraPath_cls path;
    path.SetTranslateKey(0, 0, 0);
    path.SetRotationKey(0, 0, 0);
    path.SetScaleKey(10, 10, 10);  // the symbol 2 units long
    path.visible.value = false;
    path.UpdateTransform(0);
    const double s = 0.2 * 10, e = 0.95372 * s, f = 0.30071 * s;  // angle 35: cos and sin of 17.5
    for (int geometry : {0, 1, 2, 3}) {
        path.geometry.value = geometry;
        glClear(GL_COLOR_BUFFER_BIT);
        path.DrawGL(false);
        const bool corner = GreenAt(e, f, f);                     // the frustum's corner
        const bool circle = GreenAt(e, f * 0.866, f * 0.5, 0);    // a point of the cone's ring
        EXPECT_EQ(corner, geometry != 2) << geometry;
        EXPECT_EQ(circle, geometry == 2) << geometry;
    }
}

TEST_F(PathSymbolsGL, AnchorCrossOnlyAwayFromTheOriginOrSelectedItsPathAlwaysWhenVisible) {
    if (!ready) GTEST_SKIP() << "no GL context";
    AnchorPath_cls anchor;
    anchor.SetScaleKey(10, 10, 10);
    anchor.UpdateTransform(0);
    const double arm = 0.5 * 0.2 * 10;  // the cross's arm along y
    struct Case {
        double x;
        bool selected;
        bool cross;
    } cases[] = {{0, false, false}, {0, true, true}, {0.1, false, true}};
    for (const Case& c : cases) {
        anchor.SetTranslateKey(c.x, 0, 0);
        anchor.selected = c.selected;
        anchor.UpdateTransform(0);
        glClear(GL_COLOR_BUFFER_BIT);
        anchor.DrawGL(true);  // the pick form draws the same cross
        const double at = c.x * 10;  // the scale also scales the position
        EXPECT_EQ(GreenAt(at, arm * 0.8, 0), c.cross) << c.x << " " << c.selected;
    }
    // Unselected at the origin: no cross, but the path point is drawn.
    anchor.selected = 0;
    anchor.SetTranslateKey(0, 0, 0);
    anchor.UpdateTransform(0);
    glClear(GL_COLOR_BUFFER_BIT);
    glPointSize(6);
    anchor.DrawGL(false);
    EXPECT_TRUE(GreenAt(0, 0, 0));
    EXPECT_FALSE(GreenAt(0, arm * 0.8, 0));
    anchor.visible.value = false;
    glClear(GL_COLOR_BUFFER_BIT);
    anchor.DrawGL(false);
    EXPECT_FALSE(GreenAt(0, 0, 0));
}

TEST_F(PathSymbolsGL, PickFormIsHitAtTheSymbolAndMissedBesideIt) {
    if (!ready) GTEST_SKIP() << "no GL context";
    CameraPath_cls path;
    path.SetTranslateKey(0, 1, 0);
    path.UpdateTransform(0);
    double mv[16], pr[16];
    int vp[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    glGetIntegerv(GL_VIEWPORT, vp);
    struct Case {
        double y;
        int name;
    } cases[] = {{1, 0}, {-1, -1}};
    for (const Case& c : cases) {
        double w[3];
        WindowOf(0, c.y, 0, w);
        GLPicker_cls picker;
        picker.Begin(w[0], w[1], 4, mv, pr, vp);
        glPushName(GLuint(path.pickId));
        path.DrawGL(true);
        glPopName();
        picker.End();
        EXPECT_EQ(picker.FirstName(), c.name) << c.y;
    }
}
