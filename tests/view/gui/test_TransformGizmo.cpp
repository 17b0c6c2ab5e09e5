// The transform gizmo: handles and rings in their colours where their points project, and
// one pick name per axis.
#include <gtest/gtest.h>

#include <memory>

#include "tests/view/gui/GLTestCanvas.h"
#include "tests/view/gui/PixelProbe.h"
#include "common/GLCamera.h"
#include "common/GLProjection.h"
#include "view/gui/TransformGizmo.h"

namespace {

constexpr int kW = 128, kH = 128;

class GizmoTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<ShownGLCanvas>(kW, kH);
        ready = window->ready;
        if (!ready) return;
        LookAtOrigin();
    }
    void TearDown() override { window.reset(); }

    // Camera out on +z, off to the side and below, looking at the origin: no handle lies
    // along another on screen.
    void LookAtOrigin() {
        GLProjection_cls proj(kW, kH, 35, 0.03, 5000);
        const double pos[3] = {1.5, -1.0, 4.0}, second[3] = {0, 0, 0}, dir[3] = {0, 0, -1}, up[3] = {0, 1, 0},
                     right[3] = {1, 0, 0};
        cam = GLCamera_cls(pos, second, dir, up, right);
        const double origin[3] = {0, 0, 0};
        cam.LookAt(origin);
        proj.ApplyViewport();
        proj.Apply(cam, 0);
        cam.LoadModelview(GL_MODELVIEW);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLineWidth(3);
    }

    // Names hit by a 5 x 5 pick window at window pixel (x, y) when `draw` runs.
    std::vector<GLuint> Pick(double x, double y, const std::function<void()>& draw) {
        GLuint buffer[64] = {0};
        glSelectBuffer(64, buffer);
        glRenderMode(GL_SELECT);
        glInitNames();
        int vp[4];
        glGetIntegerv(GL_VIEWPORT, vp);
        double pr[16];
        glGetDoublev(GL_PROJECTION_MATRIX, pr);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        gluPickMatrix(x, y, 5, 5, vp);
        glMultMatrixd(pr);
        glMatrixMode(GL_MODELVIEW);
        draw();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        const int hits = glRenderMode(GL_RENDER);
        std::vector<GLuint> names;
        GLuint* p = buffer;
        for (int i = 0; i < hits; ++i) {
            const GLuint n = p[0];
            for (GLuint k = 0; k < n; ++k) names.push_back(p[3 + k]);
            p += 3 + n;
        }
        return names;
    }

    std::unique_ptr<ShownGLCanvas> window;
    bool ready = false;
    GLCamera_cls cam;
};

}  // namespace

TEST_F(GizmoTest, TranslationHandlesShowAndPickTheirAxes) {
    if (!ready) GTEST_SKIP() << "no GL context";
    TransformGizmo_cls gizmo(TransformGizmo_cls::Translation, 4);
    GLCamera_cls at;  // position (0.2, 0.1, 0)
    at.pose.position[0] = 0.2;
    at.pose.position[1] = 0.1;
    const double size = 20;  // handles of 2 x 0.025 x 20 = 1 unit
    gizmo.Draw(at, size, GLCamera_cls(), -1);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    double xMid[3], yMid[3], zMid[3];
    WindowOf(0.2 + 0.5, 0.1, 0, xMid);
    WindowOf(0.2, 0.1 + 0.5, 0, yMid);
    WindowOf(0.2, 0.1, 0.5, zMid);
    {
        PixelProbe probe(kW, kH);
        EXPECT_TRUE(probe.Near(int(xMid[0]), int(xMid[1]), 1, IsRed));
        EXPECT_TRUE(probe.Near(int(yMid[0]), int(yMid[1]), 1, IsGreen));
        EXPECT_TRUE(probe.Near(int(zMid[0]), int(zMid[1]), 1, IsBlue));
    }
    auto draw = [&] { gizmo.Draw(at, size, GLCamera_cls(), -1); };
    const auto onX = Pick(xMid[0], xMid[1], draw);
    ASSERT_EQ(onX.size(), 1u);
    EXPECT_EQ(onX[0], 0u);
    const auto onY = Pick(yMid[0], yMid[1], draw);
    ASSERT_EQ(onY.size(), 1u);
    EXPECT_EQ(onY[0], 1u);
    double empty[3];
    WindowOf(-0.8, -0.6, 0, empty);
    EXPECT_TRUE(Pick(empty[0], empty[1], draw).empty());
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(GizmoTest, ActiveAxisLineAndZeroLengthHandle) {
    if (!ready) GTEST_SKIP() << "no GL context";
    TransformGizmo_cls gizmo(TransformGizmo_cls::Scale, 3);
    gizmo.Draw(GLCamera_cls(), 20, GLCamera_cls(), 0);
    double far[3];
    WindowOf(-0.2, 0, 0, far);  // the active x line runs through -x, where no handle is
    {
        PixelProbe probe(kW, kH);
        EXPECT_TRUE(probe.Near(int(far[0]), int(far[1]), 1, IsRed));
    }
    glClear(GL_COLOR_BUFFER_BIT);
    TransformGizmo_cls::DrawAxisHandle(0, 0);
    TransformGizmo_cls::DrawAxisHandle(0, 1);
    int x0, y0, x1, y1;
    PixelProbe probe(kW, kH);
    EXPECT_FALSE(probe.Box(IsLit, x0, y0, x1, y1));  // not even the line
}

TEST_F(GizmoTest, RotationRingsFollowTheOrientation) {
    if (!ready) GTEST_SKIP() << "no GL context";
    TransformGizmo_cls gizmo(TransformGizmo_cls::Rotation, 3);
    gizmo.SaveMatrices();
    GLCamera_cls orient;
    orient.frame.yaw = 0;
    orient.frame.pitch = 0;
    orient.frame.roll = 0;
    const double size = 10;  // ring radii 1.4, 1.3, 1.2 x 0.5
    gizmo.Draw(GLCamera_cls(), size, orient, 2);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    double onZRing[3];
    WindowOf(0, -0.7, 0, onZRing);  // the z ring lies in the XY plane
    {
        PixelProbe probe(kW, kH);
        EXPECT_TRUE(probe.Near(int(onZRing[0]), int(onZRing[1]), 1, IsBlue));
    }
    // Pointing the axis away from the camera sets the away flag (both ends in front of it).
    const double p[3] = {0, 0, -1}, q[3] = {0, 0, 1};
    gizmo.ProjectAxis(p, q);
    EXPECT_EQ(gizmo.axisAway, 1);
    gizmo.ProjectAxis(q, p);
    EXPECT_EQ(gizmo.axisAway, 0);
}

TEST(GizmoSet, EditModesChooseTranslationScaleRotation) {
    CreateTransformGizmos();
    ASSERT_NE(GizmoForEditMode(0), nullptr);
    EXPECT_EQ(GizmoForEditMode(0)->kind, TransformGizmo_cls::Translation);
    EXPECT_EQ(GizmoForEditMode(1)->kind, TransformGizmo_cls::Scale);
    EXPECT_EQ(GizmoForEditMode(2)->kind, TransformGizmo_cls::Rotation);
    EXPECT_EQ(GizmoForEditMode(2)->variant, 3);
    EXPECT_EQ(GizmoForEditMode(3), nullptr);
    DeleteTransformGizmos();
    EXPECT_EQ(GizmoForEditMode(0), nullptr);
}
