// Placement record and projection: frames, angles, gestures and matrices.
#include <gtest/gtest.h>

#include <cmath>

#include "common/GLCamera.h"
#include "common/GLProjection.h"

namespace {

void ExpectVec(const double* v, double x, double y, double z, double tol = 1e-5) {
    EXPECT_NEAR(v[0], x, tol);
    EXPECT_NEAR(v[1], y, tol);
    EXPECT_NEAR(v[2], z, tol);
}

// Applies a column-major 4x4 matrix to a point.
void Apply(const double m[16], const double p[3], double out[3]) {
    for (int r = 0; r < 3; ++r) out[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r];
}


}  // namespace

TEST(GLCameraFrame, NormaliseCasesKeepRightIsDirectionCrossUp) {
    struct Case {
        double dir[3], up[3];
        double eDir[3], eUp[3], eRight[3];
    };
    const Case cases[] = {
        // up along the direction: fallback frame
        {{0, 0, 1}, {0, 0, 1}, {0, 0, -1}, {0, 1, 0}, {1, 0, 0}},
        // zero direction: fallback frame
        {{0, 0, 0}, {0, 0, 1}, {0, 0, -1}, {0, 1, 0}, {1, 0, 0}},
        // the scene objects' reset frame
        {{1, 0, 0}, {0, 0, 1}, {1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
        // unnormalised, up not perpendicular
        {{0, 3, 0}, {0, 1, 2}, {0, 1, 0}, {0, 0, 1}, {1, 0, 0}},
    };
    for (const Case& c : cases) {
        GLCameraFrame_cls f;
        f.SetDirUp(c.dir, c.up);
        ExpectVec(f.direction, c.eDir[0], c.eDir[1], c.eDir[2]);
        ExpectVec(f.up, c.eUp[0], c.eUp[1], c.eUp[2]);
        ExpectVec(f.right, c.eRight[0], c.eRight[1], c.eRight[2]);
    }
}

TEST(GLCameraFrame, RotateYawTurnsDefaultDirectionToMinusX) {
    GLCameraFrame_cls f;
    f.Rotate(90, 0, 0);
    ExpectVec(f.direction, -1, 0, 0);
    ExpectVec(f.right, 0, 0, -1);
    ExpectVec(f.up, 0, 1, 0);
}

TEST(GLCameraFrame, AnglesComeBackFromRotations) {
    // Frames built the way scene objects build theirs give their rotation back as angles.
    const double rots[][3] = {{30, 45, 60}, {0, 0, 0}, {-20, 10, 170}, {90, -60, 300}, {5, 80, 10}};
    for (const auto& r : rots) {
        GLCameraFrame_cls f;
        const double d[3] = {1, 0, 0}, u[3] = {0, 0, 1};
        f.SetDirUp(d, u);
        f.Rotate(r[2], 0, 0);
        f.Normalise();
        f.Rotate(0, r[1], 0);
        f.Normalise();
        f.Rotate(0, 0, r[0]);
        f.yawTurns = 0;
        f.prevYaw = r[2];
        f.UpdateAngles(true);
        EXPECT_NEAR(f.roll, r[0], 1e-6);
        EXPECT_NEAR(f.pitch, r[1], 1e-6);
        EXPECT_NEAR(f.yaw, r[2], 1e-6);
    }
}

TEST(GLCameraFrame, YawUnwrapsAcrossFullTurnButNotAcrossHalfTurn) {
    GLCameraFrame_cls f;
    const double d0[3] = {1, 0, 0}, u[3] = {0, 0, 1};
    f.SetDirUp(d0, u);
    f.UpdateAngles(true);
    EXPECT_NEAR(f.yaw, 0, 1e-6);
    // 0 -> 170 -> 190 -> 350 -> 10 (+360) -> 350 (back)
    const double steps[][2] = {{170, 170}, {190, 190}, {350, 350}, {10, 370}, {-10, 350}, {-20, 340}};
    for (const auto& s : steps) {
        const double a = s[0] * 3.14159 / 180;
        const double d[3] = {std::cos(a), std::sin(a), 0};
        f.SetDirUp(d, u);
        f.UpdateAngles(true);
        EXPECT_NEAR(f.yaw, s[1], 1e-3) << "direction angle " << s[0];
    }
}

TEST(GLCameraFrame, StraightDownHasFiniteAngles) {
    GLCameraFrame_cls f;
    const double d[3] = {0, 0, -1}, u[3] = {1e-9, 1, 0};
    f.SetDirUp(d, u);
    f.right[2] = 1e-7;  // rounding noise that would push asin past its domain
    f.UpdateAngles(true);
    EXPECT_TRUE(std::isfinite(f.roll));
    EXPECT_TRUE(std::isfinite(f.pitch));
    EXPECT_TRUE(std::isfinite(f.yaw));
}

TEST(GLCamera, OrbitIsClampedAndKeepsPivotAndDistance) {
    const double pos[3] = {0, -10, 0}, second[3] = {0, 0, 0}, dir[3] = {0, 1, 0}, up[3] = {0, 0, 1},
                 right[3] = {1, 0, 0};
    GLCamera_cls big(pos, second, dir, up, right), small = big;
    big.frame.Normalise();
    small.frame.Normalise();
    const double pivot[3] = {1, 2, 3};
    big.SetPivot(pivot);
    small.SetPivot(pivot);
    const double d0 = big.PivotDistance();
    big.Orbit(0.f, 0.f, 5.f, 0.f);   // huge move: limited to 0.2
    small.Orbit(0.f, 0.f, 0.2f, 0.f);
    ExpectVec(big.pose.position, small.pose.position[0], small.pose.position[1], small.pose.position[2], 1e-9);
    EXPECT_NEAR(big.PivotDistance(), d0, 1e-9);
    ExpectVec(big.pivot, 1, 2, 3, 0);
    GLCamera_cls none = small;
    none.Orbit(0.3f, 0.3f, 0.3f, 0.3f);
    ExpectVec(none.pose.position, small.pose.position[0], small.pose.position[1], small.pose.position[2], 1e-9);
}

TEST(GLCamera, ZoomScalesDistanceToPivot) {
    const double pos[3] = {0, 0, 10}, second[3] = {0, 0, 0}, dir[3] = {0, 0, -1}, up[3] = {0, 1, 0},
                 right[3] = {1, 0, 0};
    GLCamera_cls c(pos, second, dir, up, right);
    c.Zoom(0, 0);
    ExpectVec(c.pose.position, 0, 0, 10);
    c.Zoom(1, 0);
    ExpectVec(c.pose.position, 0, 0, 8);
    ExpectVec(c.pivot, 0, 0, 0, 0);
}

TEST(GLCamera, PanMasksAxes) {
    const double pos[3] = {0, 0, 0}, second[3] = {0, 0, 0}, dir[3] = {1, 0, 0}, up[3] = {0.6, 0, 0.8},
                 right[3] = {0, 0, 0};
    GLCamera_cls c(pos, second, dir, up, right);
    c.frame.Normalise();  // up becomes (0,0,1), right (0,-1,0)
    c.Pan(1.0, 1.0, 2, nullptr);
    ExpectVec(c.pose.position, 0, 0, -1);
    c.Pan(1.0, 0.0, 4, nullptr);
    ExpectVec(c.pose.position, 0, 1, -1);
}

TEST(GLCamera, LookAtAndMatrices) {
    const double pos[3] = {0, -5, 0}, second[3] = {0, 0, 0}, dir[3] = {1, 0, 0}, up[3] = {0, 0, 1},
                 right[3] = {0, -1, 0};
    GLCamera_cls c(pos, second, dir, up, right);
    const double target[3] = {0, 0, 0};
    c.LookAt(target);
    ExpectVec(c.frame.direction, 0, 1, 0);
    ExpectVec(c.frame.right, 1, 0, 0);
    EXPECT_NEAR(c.PivotDistance(), 5, 1e-12);
    EXPECT_NEAR(c.PivotDepth(), 5, 1e-12);

    // the view matrix puts the eye at the origin and the pivot straight ahead (-z)
    double mv[16], out[3];
    c.ModelviewMatrix(mv);
    Apply(mv, c.pose.position, out);
    ExpectVec(out, 0, 0, 0);
    Apply(mv, target, out);
    ExpectVec(out, 0, 0, -5);

    // placement matrix: local x = direction, local z = up, local y = up x direction
    double pm[16];
    c.ToMatrix(pm);
    const double ex[3] = {1, 0, 0}, ey[3] = {0, 1, 0};
    Apply(pm, ex, out);
    ExpectVec(out, 0, -4, 0);
    Apply(pm, ey, out);
    ExpectVec(out, -1, -5, 0);
    ExpectVec(c.frame.right, 1, 0, 0);  // the frame itself keeps right = direction x up
}

TEST(GLCamera, AssignmentKeepsObjectScale) {
    GLCamera_cls a, b;
    a.objectScale[0] = 2;
    a.pivot[1] = 4;
    b.objectScale[0] = 5;
    b = a;
    EXPECT_EQ(b.objectScale[0], 5);
    EXPECT_EQ(b.pivot[1], 4);
    EXPECT_TRUE(GLCamera_cls::Equals(a, b));
}

TEST(GLProjection, OrthographicBoxFollowsPivotDistance) {
    const double pos[3] = {0, 0, 10}, second[3] = {0, 0, 0}, dir[3] = {0, 0, -1}, up[3] = {0, 1, 0},
                 right[3] = {1, 0, 0};
    GLCamera_cls c(pos, second, dir, up, right);
    GLProjection_cls p(200, 100, 35, 0.03, 5000);
    p.perspective = 0;
    double l, r, b, t;
    p.widthFit = 1;
    p.OrthoBox(c, l, r, b, t);
    EXPECT_DOUBLE_EQ(l, -5);
    EXPECT_DOUBLE_EQ(r, 5);
    EXPECT_DOUBLE_EQ(b, -2.5);
    EXPECT_DOUBLE_EQ(t, 2.5);
    p.widthFit = 0;
    p.OrthoBox(c, l, r, b, t);
    EXPECT_DOUBLE_EQ(l, -10);
    EXPECT_DOUBLE_EQ(r, 10);
    EXPECT_DOUBLE_EQ(b, -5);
    EXPECT_DOUBLE_EQ(t, 5);
}

TEST(GLProjection, FitWidensAngleOnlyForWideFitSizes) {
    GLProjection_cls p(640, 480, 35, 0.03, 5000);
    EXPECT_DOUBLE_EQ(p.EffectiveAngle(0), 35);
    p.SetFitSize(200, 100);
    const double expected = 2 * std::atan(std::tan(35 * 3.14159 / 360) * 2) * 180 / 3.14159;
    EXPECT_DOUBLE_EQ(p.EffectiveAngle(1), expected);
    p.SetFitSize(100, 200);
    EXPECT_DOUBLE_EQ(p.EffectiveAngle(1), 35);
}

TEST(GLProjection, MatricesMapTheViewVolumeToClipSpace) {
    const double pos[3] = {0, 0, 10}, second[3] = {0, 0, 0}, dir[3] = {0, 0, -1}, up[3] = {0, 1, 0},
                 right[3] = {1, 0, 0};
    GLCamera_cls c(pos, second, dir, up, right);
    GLProjection_cls p(200, 100, 90, 1, 100);
    double m[16];
    p.Matrix(c, 0, m);
    // eye-space point on the top edge of the view at depth 2 (90 degrees: y = depth)
    const double e[4] = {0, 2, -2, 1};
    double clip[4];
    for (int r = 0; r < 4; ++r) clip[r] = m[r] * e[0] + m[4 + r] * e[1] + m[8 + r] * e[2] + m[12 + r] * e[3];
    EXPECT_NEAR(clip[1] / clip[3], 1.0, 1e-12);
    const double nearPt[4] = {0, 0, -1, 1}, farPt[4] = {0, 0, -100, 1};
    for (const double* q : {nearPt, farPt}) {
        for (int r = 0; r < 4; ++r) clip[r] = m[r] * q[0] + m[4 + r] * q[1] + m[8 + r] * q[2] + m[12 + r] * q[3];
        EXPECT_NEAR(clip[2] / clip[3], q == nearPt ? -1.0 : 1.0, 1e-12);
    }
    p.perspective = 0;
    p.Matrix(c, 0, m);
    // pivot distance 10, 2:1 viewport, height fit: x spans -10..10
    EXPECT_NEAR(m[0] * 10 + m[12], 1.0, 1e-12);
    EXPECT_NEAR(m[5] * 5 + m[13], 1.0, 1e-12);
}
