// Scene objects drawn through GL: the views place them where their POV-Ray text does, the
// path shows its points, and the gizmo appears at the object.
#include <gtest/gtest.h>

#include <memory>

#include "common/CommandHistory.h"
#include "scene/SceneObj.h"
#include "tests/view/gui/GLTestCanvas.h"
#include "tests/view/gui/PixelProbe.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"
#include "view/ModeIcon.h"
#include "view/gui/TransformGizmo.h"

namespace {

constexpr int kW = 128, kH = 96;

class SceneObjGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        GoCommandHistory.Clear();
        GbParamUndoEnabled = 0;
        GdCurrentTime = 0.0;
        window = std::make_unique<ShownGLCanvas>(kW, kH);
        ready = window->ready;
        if (!ready) return;
        const double pos[3] = {2, -3, 12}, dir[3] = {0, 0, -1}, up[3] = {0, 1, 0}, right[3] = {1, 0, 0};
        LookAtOrigin(kW, kH, pos, dir, up, right);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);
    }
    void TearDown() override {
        window.reset();
        GbParamUndoEnabled = 1;
        GoCommandHistory.Clear();
    }
    static void Key(ParamGroup_cls* g, double t, double x, double y, double z) {
        for (int k = 0; k < 3; ++k) g->Component(k).SetTimeDependentValue(true);
        g->SetKeyFrame({x, y, z}, true, t);
    }

    std::unique_ptr<ShownGLCanvas> window;
    bool ready = false;
};

}  // namespace

TEST_F(SceneObjGLTest, GLPlacementMatchesThePlacementOfThePovRayText) {
    if (!ready) GTEST_SKIP() << "no GL context";
    SceneObj_cls o("Obj", true, true);
    o.SetTranslateKey(1, 0, 0);
    o.SetRotationKey(30, 45, 60);
    o.SetScaleKey(2, 2, 2);
    o.UpdateTransform(0);
    const double locals[][3] = {{0, 0, 0}, {1, 0, 0}, {0, 0.5, -0.5}};
    double base[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, base);
    for (const auto& v : locals) {
        double world[3] = {v[0], v[1], v[2]};
        o.TransformPoint(world);  // the placement the POV-Ray transform text gives
        double want[3], got[3];
        WindowOf(world[0], world[1], world[2], want);
        glPushMatrix();
        o.ApplyGLTransform();
        WindowOf(v[0], v[1], v[2], got);
        glPopMatrix();
        // The GL matrix stack keeps single precision: a thousandth of a pixel.
        for (int k = 0; k < 2; ++k) EXPECT_NEAR(got[k], want[k], 1e-3) << k;
    }
    // Translate (1,0,0) with Scale 2: the origin is drawn at (1,0,0), not at (2,0,0).
    glPushMatrix();
    o.ApplyGLTransform();
    glPointSize(3);
    glColor3f(1, 1, 1);
    glBegin(GL_POINTS);
    glVertex3d(0, 0, 0);
    glEnd();
    glPopMatrix();
    double at[3], wrong[3];
    WindowOf(1, 0, 0, at);
    WindowOf(2, 0, 0, wrong);
    PixelProbe probe(kW, kH);
    EXPECT_TRUE(IsLit(probe.At(int(at[0]), int(at[1]))));
    EXPECT_FALSE(IsLit(probe.At(int(wrong[0]), int(wrong[1]))));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(SceneObjGLTest, PathShowsItsPointsOnlyWhenVisibleAndKeepsTypedValues) {
    if (!ready) GTEST_SKIP() << "no GL context";
    SceneObj_cls o("Obj", true, true);
    Key(o.translate, 0, -3, 0, 0);
    Key(o.translate, 1, 3, 0, 0);
    for (int k = 0; k < 3; ++k) o.translate->Component(k).cachedValue = 5;
    glPointSize(2);
    o.DrawPath();
    double mid[3];
    WindowOf(0, 0, 0, mid);  // t = 0.5
    {
        PixelProbe probe(kW, kH);
        EXPECT_TRUE(probe.Near(int(mid[0]), int(mid[1]), 1, IsGreen));
    }
    for (int k = 0; k < 3; ++k) EXPECT_EQ(o.translate->Component(k).cachedValue, 5);
    glClear(GL_COLOR_BUFFER_BIT);
    o.visible.value = false;
    o.DrawPath();
    PixelProbe probe(kW, kH);
    int x0, y0, x1, y1;
    EXPECT_FALSE(probe.Box(IsLit, x0, y0, x1, y1));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(SceneObjGLTest, GizmoAppearsAtTheObjectWithAConstantScreenSize) {
    if (!ready) GTEST_SKIP() << "no GL context";
    CreateTransformGizmos();
    glLineWidth(3);
    glEnable(GL_DEPTH_TEST);
    int widths[2] = {0, 0};
    const double places[2][3] = {{0, 0, 0}, {-2, 1, -6}};
    for (int i = 0; i < 2; ++i) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SceneObj_cls o("Obj", true, true);
        o.SetTranslateKey(places[i][0], places[i][1], places[i][2]);
        o.UpdateTransform(0);
        GiItemEditMode = 0;
        o.DrawGizmo();
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));  // restored
        PixelProbe probe(kW, kH);
        int x0, y0, x1, y1;
        ASSERT_TRUE(probe.Box(IsRed, x0, y0, x1, y1)) << i;
        double origin[3];
        WindowOf(places[i][0], places[i][1], places[i][2], origin);
        EXPECT_NEAR(x0, origin[0], 2) << i;  // the x handle starts at the object
        widths[i] = x1 - x0;
    }
    // Farther away, the gizmo keeps its size on screen (within the perspective of the
    // handle itself).
    EXPECT_NEAR(widths[1], widths[0], widths[0] / 5 + 1);
    glClear(GL_COLOR_BUFFER_BIT);
    GiItemEditMode = 5;  // no such mode: nothing
    SceneObj_cls o("Obj", true, true);
    o.UpdateTransform(0);
    o.DrawGizmo();
    PixelProbe probe(kW, kH);
    int x0, y0, x1, y1;
    EXPECT_FALSE(probe.Box(IsLit, x0, y0, x1, y1));
    GiItemEditMode = 0;
    DeleteTransformGizmos();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
