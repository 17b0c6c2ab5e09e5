// Scene-object base: placement against hand-computed matrices, inverse transforms, the
// POV-Ray transform text (also as POV-Ray itself applies it), aiming and small helpers.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "common/CommandHistory.h"
#include "tests/support/PovRayProbe.h"
#include "tests/support/ParamHistoryFixture.h"
#include "scene/PovText.h"
#include "scene/SceneObj.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"

namespace {

constexpr double kPi = 3.14159;

struct Mat3 {
    double m[3][3];
};

Mat3 Mul(const Mat3& a, const Mat3& b) {
    Mat3 r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) r.m[i][j] += a.m[i][k] * b.m[k][j];
    return r;
}
Mat3 Rx(double deg) {
    const double c = std::cos(deg * kPi / 180), s = std::sin(deg * kPi / 180);
    return {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
}
Mat3 Ry(double deg) {
    const double c = std::cos(deg * kPi / 180), s = std::sin(deg * kPi / 180);
    return {{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}};
}
Mat3 Rz(double deg) {
    const double c = std::cos(deg * kPi / 180), s = std::sin(deg * kPi / 180);
    return {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
}

// R*(S*v) + T with R = Rz*Ry*Rx: the placement written out by hand.
void HandPlace(const double T[3], const double R[3], const double S[3], const double v[3], double out[3]) {
    const Mat3 M = Mul(Rz(R[2]), Mul(Ry(R[1]), Rx(R[0])));
    const double sv[3] = {S[0] * v[0], S[1] * v[1], S[2] * v[2]};
    for (int i = 0; i < 3; ++i) out[i] = M.m[i][0] * sv[0] + M.m[i][1] * sv[1] + M.m[i][2] * sv[2] + T[i];
}

class SceneObjTest : public ParamHistoryFixture {
protected:
    static void Key(ParamGroup_cls* g, double t, double x, double y, double z) {
        for (int k = 0; k < 3; ++k) g->Component(k).SetTimeDependentValue(true);
        g->SetKeyFrame({x, y, z}, true, t);
    }
    static void Place(SceneObj_cls& o, const double T[3], const double R[3], const double S[3]) {
        o.SetTranslateKey(T[0], T[1], T[2]);
        o.SetRotationKey(R[0], R[1], R[2]);
        o.SetScaleKey(S[0], S[1], S[2]);
    }
};

std::string Pov(SceneObj_cls& o, double t, const std::vector<double>& pivot = {}) {
    wxString s;
    o.PovTransform(s, t, pivot);
    return s.ToStdString();
}

}  // namespace

TEST_F(SceneObjTest, GroupsAndCameraPeriods) {
    SceneObj_cls all("Light3", true, true), apart("Filter", false, true), cam("Camera", true, true),
        camLower("camera", true, true), none("X", true, false);
    EXPECT_EQ(all.translate->name, "Light3 Translate");
    EXPECT_EQ(all.rotation->name, "Light3 Rotation");
    EXPECT_EQ(all.scale->name, "Light3 Scale");
    EXPECT_EQ(all.group->children, (std::vector<ParamGroup_cls*>{all.translate, all.rotation, all.scale}));
    EXPECT_TRUE(apart.group->children.empty());
    EXPECT_EQ(apart.group->listed, 0);
    EXPECT_EQ(all.FindParam("Light3 Rotation"), all.rotation);
    EXPECT_EQ(all.FindParam("Light3"), all.group);
    EXPECT_EQ(all.FindParam("Light3 Anchor"), nullptr);
    EXPECT_EQ(cam.rotation->Component(0).GetPeriod(), 360);
    EXPECT_EQ(cam.rotation->Component(1).GetPeriod(), 0);
    EXPECT_EQ(cam.rotation->Component(2).GetPeriod(), 360);
    EXPECT_EQ(camLower.rotation->Component(0).GetPeriod(), 0);
    EXPECT_EQ(none.group, nullptr);
    EXPECT_EQ(all.gizmoAxis, -1);
}

TEST_F(SceneObjTest, PlacementAtSeveralTimesMatchesHandComputedMatrices) {
    SceneObj_cls o("Obj", true, true);
    Key(o.translate, 0, 1, 2, 3);
    Key(o.rotation, 0, 30, 45, 60);
    Key(o.scale, 0, 1, 1, 1);
    Key(o.translate, 1, -2, 0, 0.5);
    Key(o.rotation, 1, 0, -30, 200);
    Key(o.scale, 1, 2, 0.5, 3);
    struct Case {
        double t, T[3], R[3], S[3];
    };
    const Case cases[] = {
        {0.0, {1, 2, 3}, {30, 45, 60}, {1, 1, 1}},
        {1.0, {-2, 0, 0.5}, {0, -30, 200}, {2, 0.5, 3}},
        {0.5, {-0.5, 1, 1.75}, {15, 7.5, 130}, {1.5, 0.75, 2}},
    };
    const double points[][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0.3, -1.2, 2.5}};
    for (const Case& c : cases) {
        o.UpdateTransform(c.t);
        for (const auto& p : points) {
            double got[3] = {p[0], p[1], p[2]}, want[3];
            o.TransformPoint(got);
            HandPlace(c.T, c.R, c.S, p, want);
            for (int k = 0; k < 3; ++k) EXPECT_NEAR(got[k], want[k], 1e-9) << "t " << c.t << " axis " << k;
        }
    }
}

TEST_F(SceneObjTest, AnglesAndCheckedDataBoxValues) {
    SceneObj_cls o("Filter", true, true);
    const double T[3] = {1, 2, 3}, R[3] = {30, 45, 60}, S[3] = {1, 1, 1};
    Place(o, T, R, S);
    o.UpdateTransform(0);
    EXPECT_NEAR(o.transform.frame.roll, 30, 1e-9);
    EXPECT_NEAR(o.transform.frame.pitch, 45, 1e-9);
    EXPECT_NEAR(o.transform.frame.yaw, 60, 1e-9);
    EXPECT_NEAR(o.transform.frame.right[0] * o.transform.frame.up[0] + o.transform.frame.right[1] * o.transform.frame.up[1] +
                    o.transform.frame.right[2] * o.transform.frame.up[2],
                0, 1e-12);
    // A box turning about its anchor A: a local point v lands at R*(v - A) + A + T.
    const double A[3] = {0.3, 1, -0.5};
    double origin[3] = {-A[0], -A[1], -A[2]};
    o.TransformPoint(origin);
    EXPECT_NEAR(origin[0] + A[0], 2.1368, 1e-4);
    EXPECT_NEAR(origin[1] + A[1], 2.2173, 1e-4);
    EXPECT_NEAR(origin[2] + A[2], 2.6648, 1e-4);
    double anchor[3] = {0, 0, 0};
    o.TransformPoint(anchor);
    EXPECT_NEAR(anchor[0] + A[0], 1.3, 1e-12);
    EXPECT_NEAR(anchor[1] + A[1], 3, 1e-12);
    EXPECT_NEAR(anchor[2] + A[2], 2.5, 1e-12);
}

TEST_F(SceneObjTest, FrameAnglesReadBackAsTheRotationWholeTurnsIncluded) {
    // evaluated one after the other on the same object, as the views do while time moves
    SceneObj_cls o("Light2", true, true);
    const double rots[][3] = {{300, 10, 350}, {30, 45, 60}, {-20, -10, -170}, {0, 0, 730}, {-400, 5, 185}, {0, 0, 0}};
    for (const auto& r : rots) {
        const double T[3] = {0, 0, 0}, S[3] = {1, 1, 1};
        Place(o, T, r, S);
        o.UpdateTransform(0);
        // degrees convert with pi as 3.14159, so a whole turn is 360.0003 of them
        EXPECT_NEAR(o.transform.frame.roll, r[0], 1e-3) << r[0];
        EXPECT_NEAR(o.transform.frame.pitch, r[1], 1e-9) << r[1];
        EXPECT_NEAR(o.transform.frame.yaw, r[2], 1e-3) << r[2];
    }
}

TEST_F(SceneObjTest, AimingKeepsTheRotationNextToItsKey) {
    // A light turned to 350 degrees, placed so that the origin lies 350 degrees round:
    // aiming changes (almost) nothing, and certainly not the key by a whole turn.
    SceneObj_cls o("Light4", true, true);
    const double a = -10 * 3.14159 / 180;
    const double T[3] = {-10 * std::cos(a), -10 * std::sin(a), 0}, R[3] = {0, 0, 350}, S[3] = {1, 1, 1};
    Place(o, T, R, S);
    o.target.value = 1;
    o.UpdateTransform(0);
    o.AimAtOrigin();
    const std::vector<double> r = o.rotation->GetValues(0, 0);
    EXPECT_NEAR(r[0], 0, 1e-6);
    EXPECT_NEAR(r[1], 0, 1e-6);
    EXPECT_NEAR(r[2], 350, 1e-3);
}

TEST_F(SceneObjTest, InverseTransformUndoesTransform) {
    ParamGroup_cls pivot("Pivot", {"x", "y", "z"}, 0, 0);
    pivot.SetKeyFrame({0.3, 1, -0.5}, true, 0);
    struct Case {
        double T[3], R[3], S[3];
    };
    const Case cases[] = {
        {{1, 2, 3}, {30, 45, 60}, {1, 1, 1}},
        {{-4, 0.5, 2}, {-120, 80, 310}, {2, 0.5, 3}},
        {{0, 0, 0}, {0, 0, 90}, {1, 1, 1}},
    };
    const double points[][3] = {{0, 0, 0}, {1.5, -2, 0.25}, {-3, 4, 5}};
    for (const Case& c : cases) {
        SceneObj_cls o("Box", true, true);
        Place(o, c.T, c.R, c.S);
        o.UpdateTransform(0);
        for (const auto& p : points) {
            double w[3] = {p[0], p[1], p[2]};
            o.TransformPoint(w);
            float f[3] = {float(w[0]), float(w[1]), float(w[2])};
            o.InverseTransformPoint(f, 0, nullptr);
            for (int k = 0; k < 3; ++k) EXPECT_NEAR(f[k], p[k], 2e-5) << k;
            // with a pivot: the point turns about the pivot (R*(S*v - c) + c + T)
            const double cv[3] = {0.3, 1, -0.5};
            double sv[3] = {c.S[0] * p[0] - cv[0], c.S[1] * p[1] - cv[1], c.S[2] * p[2] - cv[2]};
            double unit[3] = {1, 1, 1}, zero[3] = {0, 0, 0}, placed[3];
            HandPlace(zero, c.R, unit, sv, placed);
            float g[3] = {float(placed[0] + cv[0] + c.T[0]), float(placed[1] + cv[1] + c.T[1]),
                          float(placed[2] + cv[2] + c.T[2])};
            o.InverseTransformPoint(g, 0, &pivot);
            for (int k = 0; k < 3; ++k) EXPECT_NEAR(g[k], p[k], 2e-5) << "pivot " << k;
        }
    }
}

TEST_F(SceneObjTest, RotationDirectionPointsAgainstTheFrameDirection) {
    SceneObj_cls o("Light0", true, true);
    const double T[3] = {0, 0, 0}, R[3] = {10, -35, 120}, S[3] = {1, 1, 1};
    Place(o, T, R, S);
    o.UpdateTransform(0);
    const std::array<double, 3> d = o.RotationDirection(0);
    // pi as 3.14159, the half turn included
    const double yaw = (120.0 / 180 + 1) * kPi, pitch = -35 * kPi / 180;
    const double want[3] = {std::cos(yaw) * std::cos(pitch), std::sin(yaw) * std::cos(pitch), std::sin(pitch)};
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(d[k], want[k], 1e-12) << k;
        // opposite to where the placement points, to the rounding of pi
        EXPECT_NEAR(d[k], -o.transform.frame.direction[k], 1e-5) << k;
    }
}

TEST_F(SceneObjTest, PovTransformTextTable) {
    struct Case {
        const char* what;
        double T[3], R[3], S[3];
        std::vector<double> pivot;
        const char* expected;
    };
    const Case cases[] = {
        {"identity", {0, 0, 0}, {0, 0, 0}, {1, 1, 1}, {}, ""},
        {"scale alone", {0, 0, 0}, {0, 0, 0}, {2, 1, 1}, {}, "\tscale<2.0000,1.0000,1.0000>\n"},
        {"pivot and y rotation",
         {0, 0, 0},
         {0, 30, 0},
         {1, 1, 1},
         {0.3, 1, -0.5},
         "\ttranslate -<0.3000,1.0000,-0.5000>\n\trotate<0.0000,30.0000,0.0000>\n"
         "\ttranslate +<0.3000,1.0000,-0.5000>\n"},
        {"everything",
         {1, -2, 3.5},
         {10, 0, -45},
         {1, 2, 1},
         {},
         "\tscale<1.0000,2.0000,1.0000>\n\trotate<10.0000,0.0000,0.0000>\n\trotate<0.0000,0.0000,-45.0000>\n"
         "\ttranslate<1.0000,-2.0000,3.5000>\n"},
        {"rotation below float resolution is none", {0, 0, 0}, {1e-50, 0, 0}, {1, 1, 1}, {}, ""},
    };
    for (const Case& c : cases) {
        SceneObj_cls o("Obj", true, true);
        Place(o, c.T, c.R, c.S);
        EXPECT_EQ(Pov(o, 0, c.pivot), c.expected) << c.what;
    }
}

TEST_F(SceneObjTest, PovRayPlacesPointsWhereTheViewsDo) {
    if (!povprobe::Available()) GTEST_SKIP() << "no POV-Ray";
    SceneObj_cls o("Obj", true, true);
    const double T[3] = {-2, 0.75, 0.5}, R[3] = {25, -30, 200}, S[3] = {2, 0.5, 3};
    Place(o, T, R, S);
    o.UpdateTransform(0);
    SceneObj_cls box("Filter", true, true);
    const double bT[3] = {1, 2, 3}, bR[3] = {30, 45, 60}, bS[3] = {1, 1, 1};
    Place(box, bT, bR, bS);

    std::ostringstream scene;
    scene << "#version 3.7;\nglobal_settings { assumed_gamma 1 }\n#include \"transforms.inc\"\n";
    scene << "#declare T = transform {\n" << Pov(o, 0) << "}\n";
    scene << "#declare B = transform {\n" << Pov(box, 0, {0.3, 1, -0.5}) << "}\n";
    const double points[][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0.5, -1, 2}};
    for (int i = 0; i < 5; ++i)
        scene << "#debug concat(\"P" << i << " \", vstr(3, vtransform(<" << points[i][0] << "," << points[i][1] << ","
              << points[i][2] << ">, T), \" \", 0, 6), \"\\n\")\n";
    scene << "#debug concat(\"BOX \", vstr(3, vtransform(<0,0,0>, B), \" \", 0, 6), \"\\n\")\n";
    scene << "#debug concat(\"ANCHOR \", vstr(3, vtransform(<0.3,1,-0.5>, B), \" \", 0, 6), \"\\n\")\n";
    // the material text parses in both forms, and with FilterAlpha inside a macro
    MaterialColors_cls c1 = {{0.2f, 0.1f, 0.3f, 1}, {1, 0.5f, 0, 1}, {0.5f, 0.5f, 0.5f, 1}};
    MaterialColors_cls c2 = {{0.1f, 0.1f, 0.1f, 1}, {1, 0, 0, 0.5f}, {1, 1, 1, 1}};
    MaterialColors_cls c3 = c1;
    scene << "#declare Single = " << PovMaterialTexture("", c1, 0.05f, " phong 1", false, true).ToStdString();
    scene << "#declare Averaged = " << PovMaterialTexture("", c2, 0.25f, "", false, false).ToStdString();
    scene << "#macro Mat(FilterAlpha)\n" << PovMaterialTexture("\t", c3, 0.1f, "", true, true).ToStdString()
          << "#end\n#declare Filtered = Mat(0.5)\n";
    scene << "sphere { 0, 1 texture { Single } }\nsphere { 0, 1 texture { Averaged } }\n"
             "sphere { 0, 1 texture { Filtered } }\n";

    bool ok = false;
    const std::string out = povprobe::Run(scene.str(), ok);
    ASSERT_TRUE(ok) << out;
    for (int i = 0; i < 5; ++i) {
        double want[3] = {points[i][0], points[i][1], points[i][2]};
        o.TransformPoint(want);
        std::istringstream got(povprobe::Line(out, "P" + std::to_string(i)));
        for (int k = 0; k < 3; ++k) {
            double v = 1e9;
            got >> v;
            EXPECT_NEAR(v, want[k], 2e-3) << "point " << i << " axis " << k;
        }
    }
    const double boxWant[2][3] = {{2.1368, 2.2173, 2.6648}, {1.3, 3, 2.5}};
    const char* tags[2] = {"BOX", "ANCHOR"};
    for (int j = 0; j < 2; ++j) {
        std::istringstream got(povprobe::Line(out, tags[j]));
        for (int k = 0; k < 3; ++k) {
            double v = 1e9;
            got >> v;
            EXPECT_NEAR(v, boxWant[j][k], 2e-4) << tags[j] << " axis " << k;
        }
    }
}

TEST_F(SceneObjTest, AimAtOriginOnlyForTargetOrigin) {
    for (unsigned target : {0u, 1u, 2u}) {
        SceneObj_cls o("Light1", true, true);
        const double T[3] = {3, -4, 5}, R[3] = {0, 0, 0}, S[3] = {1, 1, 1};
        Place(o, T, R, S);
        o.UpdateTransform(0);
        o.target.value = target;
        o.AimAtOrigin();
        o.UpdateTransform(0);
        const double* d = o.transform.frame.direction;
        const double len = std::sqrt(50.0);
        if (target == 1) {
            EXPECT_NEAR(d[0], -3 / len, 1e-6);
            EXPECT_NEAR(d[1], 4 / len, 1e-6);
            EXPECT_NEAR(d[2], -5 / len, 1e-6);
        } else {
            EXPECT_NEAR(d[0], 1, 1e-12) << target;
            EXPECT_NEAR(d[2], 0, 1e-12) << target;
        }
    }
}

TEST_F(SceneObjTest, PathLeavesCachedValuesAlone) {
    SceneObj_cls o("Obj", true, true);
    Key(o.translate, 0, 0, 0, 0);
    Key(o.translate, 1, 10, 20, 30);
    for (int k = 0; k < 3; ++k) o.translate->Component(k).cachedValue = 7 + k;  // typed, not yet keyed
    const auto path = o.PathPoints();
    ASSERT_EQ(path.size(), 100u);
    EXPECT_NEAR(path[50][1], 10, 1e-9);
    EXPECT_NEAR(path[99][2], 29.7, 1e-9);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(o.translate->Component(k).cachedValue, 7 + k);
}

TEST_F(SceneObjTest, GizmoAxisToggles) {
    SceneObj_cls o("Obj", true, true);
    o.ToggleAxis(1);
    o.ToggleAxis(1);
    EXPECT_EQ(o.gizmoAxis, -1);
    o.ToggleAxis(0);
    o.SetAxisIfFree(2);
    EXPECT_EQ(o.gizmoAxis, 0);
    o.ToggleAxis(2);
    EXPECT_EQ(o.gizmoAxis, 2);
}

TEST_F(SceneObjTest, DragIsShownOnlyWhileSelectedAndDragged) {
    SceneObj_cls o("Obj", true, true);
    const double T[3] = {1, 1, 1}, R[3] = {0, 0, 10}, S[3] = {1, 1, 1};
    Place(o, T, R, S);
    GdItemDragPosition[0] = 5;
    GdItemDragPosition[1] = 6;
    GdItemDragPosition[2] = 7;
    GdItemDragRotation[2] = 20;
    o.dragged = 1;
    o.UpdateTransform(0);
    EXPECT_EQ(o.transform.pose.position[0], 1);
    o.SetSelected(true);
    o.UpdateTransform(0);
    EXPECT_EQ(o.transform.pose.position[0], 5);
    EXPECT_NEAR(o.transform.frame.yaw, 30, 1e-9);
    GdItemDragRotation[2] = 0;
}

TEST_F(SceneObjTest, CopyFromIsUndoable) {
    GbParamUndoEnabled = 1;
    SceneObj_cls a("Light0", true, true), b("Light1", true, true);
    GbParamUndoEnabled = 0;
    const double T[3] = {1, 2, 3}, R[3] = {0, 0, 0}, S[3] = {1, 1, 1};
    Place(b, T, R, S);
    GbParamUndoEnabled = 1;
    b.mode = 1;
    b.visible.value = false;
    b.target.value = 2;
    a.CopyFrom(b);
    EXPECT_EQ(a.mode, 1);
    EXPECT_FALSE(a.visible.value);
    EXPECT_EQ(a.target.value, 2u);
    EXPECT_DOUBLE_EQ(a.translate->GetValues(0, 0)[1], 2);
    while (GoCommandHistory.CanUndo()) GoCommandHistory.Undo();
    EXPECT_EQ(a.mode, 0);
    EXPECT_TRUE(a.visible.value);
    EXPECT_EQ(a.target.value, 0u);
    EXPECT_DOUBLE_EQ(a.translate->GetValues(0, 0)[1], 0);
}
