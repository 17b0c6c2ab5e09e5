// Mouse navigation without a window: each binding template routes buttons and modifiers as
// its table says, wheel parts from smooth scrolling add up to whole steps, moves are
// normalised and limited per step, and the camera gestures follow their formulas.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "app/PreferenceSettings.h"
#include "common/GLCamera.h"
#include "view/CameraGesture.h"
#include "view/MouseMove.h"
#include "view/MouseTracker.h"

namespace {

enum { L = 1, M = 2, R = 4, SH = 8, CT = 16, AL = 32 };

MouseEventInfo Press(int bits, int x = 10, int y = 10) {
    MouseEventInfo e;
    e.left = bits & L, e.middle = bits & M, e.right = bits & R;
    e.shift = bits & SH, e.ctrl = bits & CT, e.alt = bits & AL;
    e.buttonDown = true;
    e.x = x, e.y = y;
    return e;
}

std::set<int> Matched(const MouseTracker_cls& t) {
    std::set<int> s;
    for (int b = 0; b < PREF_BINDING_COUNT; ++b)
        if (t.Match(b)) s.insert(b);
    return s;
}

double Dist(const double a[3], const double b[3]) {
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

GLCamera_cls TestCamera() {
    const double pos[3] = {0, 0, 10}, second[3] = {0, 0, 0}, dir[3] = {0, 0, -1}, up[3] = {0, 1, 0},
                 right[3] = {1, 0, 0};
    GLCamera_cls c(pos, second, dir, up, right);
    const double origin[3] = {0, 0, 0};
    c.SetPivot(origin);
    return c;
}

MouseMove_cls Move(float x0, float y0, float x1, float y1) {
    MouseMove_cls m;
    m.x0 = x0, m.y0 = y0, m.x1 = x1, m.y1 = y1;
    m.valid = true;
    return m;
}

}  // namespace

TEST(MouseTracker, EachTemplateRoutesButtonsAsItsTableSays) {
    struct Case {
        int tmpl;
        int bits;
        std::set<int> bindings;
        bool menuClick;
    };
    const Case cases[] = {
        // "Defalut": rotate left, zoom middle, centre left+Shift+Ctrl, item left+Shift,
        // menu right, selection right+Shift; Alt makes left the middle button.
        {0, L, {PREF_GYRATION}, false},
        {0, M, {PREF_ZOOM}, false},
        {0, L | SH | CT, {PREF_CENTER}, false},
        {0, L | SH, {PREF_ITEM}, false},
        {0, R, {PREF_MENU}, true},
        {0, R | SH, {PREF_HITTEST}, false},
        {0, L | AL, {PREF_ZOOM}, false},
        {0, L | CT, {}, false},
        // "Blender Like": rotate middle, zoom middle+Ctrl, centre middle+Shift, item left,
        // menu right+Shift, selection right.
        {1, M, {PREF_GYRATION}, false},
        {1, M | CT, {PREF_ZOOM}, false},
        {1, M | SH, {PREF_CENTER}, false},
        {1, L, {PREF_ITEM}, false},
        {1, R | SH, {PREF_MENU}, true},
        {1, R, {PREF_HITTEST}, false},
        {1, L | AL, {PREF_GYRATION}, false},
    };
    for (const Case& c : cases) {
        PreferenceSettings_cls prefs;
        prefs.ApplyMouseTemplate(c.tmpl);
        MouseTracker_cls t(&prefs);
        t.Update(Press(c.bits));
        EXPECT_EQ(Matched(t), c.bindings) << "template " << c.tmpl << " bits " << c.bits;
        EXPECT_EQ(t.IsMenuClick(), c.menuClick) << "template " << c.tmpl << " bits " << c.bits;
    }
}

TEST(MouseTracker, NotAssignedButtonNeverMatchesAndNoBindingsMatchNothing) {
    PreferenceSettings_cls prefs;
    *prefs.ButtonValue(PREF_GYRATION) = PREF_BTN_NONE;
    MouseTracker_cls t(&prefs);
    t.Update(Press(L | M | R));
    EXPECT_FALSE(t.MatchGyration());
    MouseTracker_cls none(nullptr);
    none.Update(Press(L));
    EXPECT_TRUE(Matched(none).empty());
}

TEST(MouseTracker, SmoothScrollPartsAddUpToWholeSteps) {
    MouseTracker_cls t;
    auto wheel = [&](int rotation) {
        MouseEventInfo e;
        e.wheel = true;
        e.wheelRotation = rotation;
        e.wheelDelta = 120;
        t.Update(e);
        return t.WheelSteps();
    };
    EXPECT_EQ(wheel(40), 0);
    EXPECT_EQ(wheel(40), 0);
    EXPECT_EQ(wheel(40), 1);   // three parts make one step
    EXPECT_EQ(wheel(-120), -1);
    EXPECT_EQ(wheel(300), 2);  // 60 left over
    EXPECT_EQ(wheel(60), 1);
    t.ReleaseAll();
    EXPECT_EQ(wheel(100), 0);  // a lost capture forgets the part
}

TEST(MouseTracker, DraggingNeedsAHeldButtonAndAMove) {
    MouseTracker_cls t;
    t.Update(Press(L, 5, 5));
    EXPECT_EQ(t.pressX, 5);
    MouseEventInfo e;
    e.motion = true;
    e.left = true;
    e.x = 5, e.y = 5;
    t.Update(e);
    EXPECT_FALSE(t.Dragging());  // no move
    e.x = 9;
    t.Update(e);
    EXPECT_TRUE(t.Dragging());
    e.left = false;
    e.x = 12;
    t.Update(e);
    EXPECT_FALSE(t.Dragging());  // no button
}

TEST(MouseMove, NormalisedAndLimitedPerStepAndEmptyForAViewWithoutArea) {
    MouseTracker_cls t;
    t.Update(Press(L, 0, 0));
    t.StorePrevious();
    MouseEventInfo e;
    e.motion = e.left = true;
    e.x = 200, e.y = 50;
    t.Update(e);
    MouseMove_cls m = MouseMove_cls::FromTracker(t, 200, 100);
    ASSERT_TRUE(m.valid);
    EXPECT_FLOAT_EQ(m.x0, -1);
    EXPECT_FLOAT_EQ(m.y0, 1);
    EXPECT_FLOAT_EQ(m.x1, 1);
    EXPECT_FLOAT_EQ(m.y1, 0);
    m.ClampStart();
    EXPECT_FLOAT_EQ(m.DeltaX(), 0.2f);
    EXPECT_FLOAT_EQ(m.DeltaY(), -0.2f);
    for (auto [w, h] : {std::pair{0, 100}, std::pair{100, 0}, std::pair{-5, -5}}) {
        const MouseMove_cls z = MouseMove_cls::FromTracker(t, w, h);
        EXPECT_FALSE(z.valid);
        EXPECT_TRUE(std::isfinite(z.x1) && std::isfinite(z.y1));
    }
}

TEST(CameraGesture, OrbitKeepsThePivotDistanceAndAFlickGoesNoFurtherThanTheLimit) {
    PreferenceSettings_cls prefs;
    CameraGesture_cls g(&prefs);
    GLCamera_cls slow = TestCamera(), fast = TestCamera();
    MouseMove_cls a = Move(0, 0, 0.2f, 0), b = Move(-0.9f, 0, 0.2f, 0);
    b.ClampStart();
    g.Init(1, a, 100, 100, 0);
    g.Orbit(slow);
    g.Init(1, b, 100, 100, 0);
    g.Orbit(fast);
    EXPECT_NEAR(slow.PivotDistance(), 10.0, 1e-9);
    EXPECT_GT(std::fabs(slow.pose.position[0]), 1.0);  // it moved sideways
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(slow.pose.position[k], fast.pose.position[k], 1e-6);
    // Inverted, the same move goes the other way.
    *prefs.GyrationInvertValue() = true;
    GLCamera_cls inv = TestCamera();
    g.Init(1, a, 100, 100, 0);
    g.Orbit(inv);
    EXPECT_NEAR(inv.pose.position[0], -slow.pose.position[0], 1e-9);
}

TEST(CameraGesture, PanMovesCameraAndPivotTogether) {
    CameraGesture_cls g;
    GLCamera_cls c = TestCamera();
    GLCameraPose_cls pose;  // pivot at the origin
    g.Init(1, Move(0, 0, 0.1f, 0.05f), 200, 100, 0);
    ASSERT_TRUE(g.Pan(c, pose));
    // speed = depth 10 x 0.5; x scaled by the aspect 2.
    EXPECT_NEAR(c.pose.position[0], -0.1 * 5 * 2, 1e-6);
    EXPECT_NEAR(c.pose.position[1], -0.05 * 5, 1e-6);
    EXPECT_NEAR(pose.position[0], c.pose.position[0], 1e-9);
    EXPECT_NEAR(pose.position[1], c.pose.position[1], 1e-9);
    EXPECT_NEAR(c.pose.position[2], 10, 1e-12);
}

TEST(CameraGesture, DragAndWheelZoomScaleThePivotDistance) {
    struct Case {
        bool invert;
        int choice;
        int steps;
        float dx, dy;
        double factor;
    };
    const Case cases[] = {
        {false, 0, 1, 0, 0, 1.1},     // a step away: 10 % further
        {false, 0, -1, 0, 0, 0.9},
        {true, 0, 1, 0, 0, 0.9},      // GUI_ZOOM_INVERT turns the wheel round
        {false, 0, -30, 0, 0, 0.1},   // a burst never reaches or passes the pivot
        {false, 0, 0, 0.1f, 0.2f, 1.18},  // drag: (dy + 1) - 0.2 dx
        {true, 0, 0, 0.1f, 0.2f, 0.82},
        {false, 3, 2, 0, 0, 1.2},     // axis views scale the orthographic extent
        {false, 5, 0, 0, -0.2f, 0.8},
    };
    for (const Case& c : cases) {
        PreferenceSettings_cls prefs;
        *prefs.ZoomInvertValue() = c.invert;
        CameraGesture_cls g(&prefs);
        GLCamera_cls cam = TestCamera();
        double ortho = 4.0;
        g.Init(1, Move(0, 0, c.dx, c.dy), 100, 100, c.choice);
        if (c.steps)
            g.WheelZoom(cam, c.steps, ortho);
        else
            g.DragZoom(cam, ortho);
        const double got = g.IsAxisView() ? ortho / 4.0 : cam.PivotDistance() / 10.0;
        EXPECT_NEAR(got, c.factor, 1e-6) << c.choice << " " << c.steps << " " << c.dx << " " << c.dy;
        if (g.IsAxisView()) EXPECT_NEAR(cam.PivotDistance(), 10.0, 1e-12);
    }
}
