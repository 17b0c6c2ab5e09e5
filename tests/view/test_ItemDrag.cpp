// Dragging the selected scene object with its gizmo: translation follows the pointer in the
// view plane (only the constrained coordinate with an axis), rotation needs an axis, scale
// without one scales all three; a release commits one undoable step that Undo reverts, and
// degenerate drags commit nothing.
#include <gtest/gtest.h>

#include <cmath>

#include "common/CommandHistory.h"
#include "common/GLCamera.h"
#include "common/GLProjection.h"
#include "scene/SceneObj.h"
#include "tests/support/ParamHistoryFixture.h"
#include "timeline/ParamGroup.h"
#include "view/ItemDrag.h"
#include "view/MouseTracker.h"

namespace {

class ItemDragTest : public ParamHistoryFixture {
protected:
    void SetUp() override {
        ParamHistoryFixture::SetUp();
        GbParamUndoEnabled = 1;
        obj = std::make_unique<SceneObj_cls>("Box", true, true);
        obj->SetScaleKey(1, 1, 1);
        GoCommandHistory.Clear();
        obj->selected = 1;
        SetSelectedSceneObj(obj.get());
        const double pos[3] = {0, 0, 10}, second[3] = {0, 0, 0}, dir[3] = {0, 0, -1}, up[3] = {0, 1, 0},
                     right[3] = {1, 0, 0};
        camera = GLCamera_cls(pos, second, dir, up, right);
        // The matrices of a 200 x 100 view looking down -z from (0, 0, 10).
        GLProjection_cls p(200, 100, 35, 0.03, 5000);
        double mv[16], pr[16];
        camera.ModelviewMatrix(mv);
        p.Matrix(camera, 0, pr);
        const int vp[4] = {0, 0, 200, 100};
        drag.SetMatrices(mv, pr, vp);
    }
    void TearDown() override {
        SetSelectedSceneObj(nullptr);
        obj.reset();
        ParamHistoryFixture::TearDown();
    }
    /// One step from (x0, y0) to (x1, y1), pressed at (px, py).
    void Step(int mode, float x0, float y0, float x1, float y1, float px = 0, float py = 0) {
        MouseMove_cls m;
        m.x0 = x0, m.y0 = y0, m.x1 = x1, m.y1 = y1, m.px = px, m.py = py;
        m.valid = true;
        drag.Init(1, m, 200, 100, 0);
        ASSERT_TRUE(drag.Drag(camera, 200, 100, mode, 0));
    }
    std::vector<double> Values(ParamGroup_cls* g) { return g->GetValues(GdCurrentTime, 0); }

    std::unique_ptr<SceneObj_cls> obj;
    GLCamera_cls camera;
    ItemDrag_cls drag;
};

}  // namespace

TEST_F(ItemDragTest, TranslationFollowsThePointerAndCommitsOneUndoableStep) {
    Step(0, 0, 0, 0.1f, 0.05f);
    // Depth 10, speed 0.3 x 10 = 3, x scaled by the aspect 2.
    EXPECT_NEAR(GoItemDrag.moved[0], 0.1 * 3 * 2, 1e-5);
    EXPECT_NEAR(GoItemDrag.moved[1], 0.05 * 3, 1e-5);
    EXPECT_NEAR(GoItemDrag.moved[2], 0, 1e-9);
    // Shown live by the object's transform update.
    obj->UpdateTransform(0);
    EXPECT_NEAR(obj->transform.pose.position[0], 0.6, 1e-5);
    ASSERT_TRUE(drag.Commit(GoCommandHistory));
    EXPECT_FALSE(drag.active);
    EXPECT_EQ(obj->dragged, 0);
    const auto t = Values(obj->translate);
    EXPECT_NEAR(t[0], 0.6, 1e-5);
    EXPECT_NEAR(t[1], 0.15, 1e-5);
    EXPECT_TRUE(GoCommandHistory.CanUndo());
    GoCommandHistory.Undo();
    EXPECT_FALSE(GoCommandHistory.CanUndo());  // one step
    const auto back = Values(obj->translate);
    EXPECT_NEAR(back[0], 0, 1e-12);
    EXPECT_NEAR(back[1], 0, 1e-12);
}

TEST_F(ItemDragTest, ConstrainedAxisChangesOnlyThatCoordinate) {
    obj->SetAxisIfFree(1);
    Step(0, 0, 0, 0.1f, 0.05f);
    EXPECT_EQ(GoItemDrag.moved[0], 0);
    EXPECT_NEAR(GoItemDrag.moved[1], 0.15, 1e-5);
    ASSERT_TRUE(drag.Commit(GoCommandHistory));
    EXPECT_EQ(obj->gizmoAxis, -1);  // the constraint ends with the drag
}

TEST_F(ItemDragTest, RotationNeedsAnAxisAndScaleWithoutOneScalesAllThree) {
    // Without an axis a rotation drag changes nothing and commits nothing.
    Step(2, 0.5f, 0, 0.5f, 0.1f);
    EXPECT_EQ(GoItemDrag.rotation[0] + GoItemDrag.rotation[1] + GoItemDrag.rotation[2], 0);
    EXPECT_FALSE(drag.Commit(GoCommandHistory));
    EXPECT_FALSE(GoCommandHistory.CanUndo());
    // About z: a quarter of the way round the centre, counter-clockwise on screen.
    obj->SetAxisIfFree(2);
    Step(2, 0.5f, 0, 0.5f, 0.1f);
    // c = (0, 0); dθ = ((y1 - 0) dx - (x1 - 0) dy) / r² = (0 - 0.5 x 0.1) / 0.26
    EXPECT_NEAR(GoItemDrag.rotation[2], 75 * (-0.05 / 0.26), 1e-4);
    ASSERT_TRUE(drag.Commit(GoCommandHistory));
    EXPECT_NEAR(Values(obj->rotation)[2], 75 * (-0.05 / 0.26), 1e-4);
    // Scale: pressed at 0.2 from the centre, now at 0.4: twice the size on every axis.
    Step(1, 0.2f, 0, 0.4f, 0, 0.2f, 0);
    for (double f : GoItemDrag.scale) EXPECT_NEAR(f, 2.0, 1e-5);
    ASSERT_TRUE(drag.Commit(GoCommandHistory));
    for (double v : Values(obj->scale)) EXPECT_NEAR(v, 2.0, 1e-5);
}

TEST_F(ItemDragTest, DegenerateDragsCommitNothing) {
    struct Case {
        int mode, axis;
        float x1, y1, px, py;
    };
    const Case cases[] = {
        {2, 0, 0, 0, 0.3f, 0},  // rotation with the pointer on the gizmo centre
        {1, -1, 0.3f, 0, 0, 0}, // scale pressed on the centre: no reference length
        {0, -1, 0, 0, 0, 0},    // a click without a move
    };
    for (const Case& c : cases) {
        obj->gizmoAxis = c.axis;
        Step(c.mode, c.x1, c.y1, c.x1, c.y1, c.px, c.py);
        MouseMove_cls m;
        m.x0 = c.x1 - 0.01f, m.y0 = c.y1, m.x1 = c.x1, m.y1 = c.y1, m.px = c.px, m.py = c.py;
        m.valid = c.mode != 0;
        drag.Init(1, m, 200, 100, 0);
        drag.Drag(camera, 200, 100, c.mode, 0);
        for (int k = 0; k < 3; ++k) {
            EXPECT_TRUE(std::isfinite(GoItemDrag.rotation[k]) && std::isfinite(GoItemDrag.scale[k]));
            EXPECT_TRUE(std::isfinite(GoItemDrag.moved[k]));
        }
        EXPECT_FALSE(drag.Commit(GoCommandHistory)) << c.mode;
        EXPECT_EQ(GoCommandHistory.Cursor(), 0u) << c.mode;
        EXPECT_EQ(obj->dragged, 0);
    }
    // A view without area moves nothing either.
    drag.Init(1, MouseMove_cls::FromTracker(MouseTracker_cls(), 0, 0), 0, 0, 0);
    EXPECT_TRUE(drag.Drag(camera, 0, 0, 0, 0));
    EXPECT_FALSE(drag.Commit(GoCommandHistory));
}

TEST_F(ItemDragTest, NothingWithoutASelectedObject) {
    SetSelectedSceneObj(nullptr);
    MouseMove_cls m;
    m.x1 = 0.1f;
    m.valid = true;
    drag.Init(1, m, 200, 100, 0);
    EXPECT_FALSE(drag.Drag(camera, 200, 100, 0, 0));
    EXPECT_FALSE(drag.active);
}

TEST_F(ItemDragTest, DeletingTheSelectedObjectClearsTheSelection) {
    obj.reset();
    EXPECT_EQ(GpSelectedSceneObj, nullptr);
}
