// Key editing through the history: setting, deleting, dragging and moving keys, rescaling,
// time dependence, and what undo and redo give back.
#include "tests/timeline/ParamTestUtil.h"

#include "timeline/ParamGroup.h"

using paramtest::K;
using paramtest::MakeParam;
using paramtest::Shape;

namespace {

class ParameterEdit : public paramtest::ParamTest {
protected:
    struct HistoryState {
        size_t size;
        uint32_t cursor;
        int32_t depth;
        bool operator==(const HistoryState& o) const {
            return size == o.size && cursor == o.cursor && depth == o.depth;
        }
    };
    static HistoryState History() {
        return {GoCommandHistory.Size(), GoCommandHistory.Cursor(), GoCommandHistory.BlockDepth()};
    }
};

TEST_F(ParameterEdit, SetKeyAddsOrOverwritesAndUndoes) {
    Parameter_cls p = MakeParam({{0, 0}, {1, 10}});
    const auto original = Shape(p);
    p.SetKeyAt(0.5, 3, 0, 0);
    ASSERT_EQ(p.GetKeyCount(), 3);
    EXPECT_EQ(p.keys[1].value, 3);
    p.SetKeyAt(0.503, 4, 0, 0);  // lies within half a step: overwrites
    ASSERT_EQ(p.GetKeyCount(), 3);
    EXPECT_EQ(p.keys[1].value, 4);
    EXPECT_EQ(p.keys[1].time, 0.503);
    GoCommandHistory.Undo();
    EXPECT_EQ(p.keys[1].value, 3);
    GoCommandHistory.Undo();
    EXPECT_EQ(Shape(p), original);
    GoCommandHistory.Redo();
    GoCommandHistory.Redo();
    EXPECT_EQ(p.keys[1].value, 4);
}

TEST_F(ParameterEdit, UndoOfAnAddedKeyRemovesThatKeyAtTheWindowEdge) {
    // A key exactly half a step after the new one is outside the matching window but sorts
    // after it: the undo must remove the new key, not its neighbour.
    Parameter_cls p = MakeParam({{0, 0}, {0.505, 7}, {1, 10}});
    const auto original = Shape(p);
    p.SetKeyAt(0.5, 3, 0, 0);
    ASSERT_EQ(p.GetKeyCount(), 4);
    GoCommandHistory.Undo();
    EXPECT_EQ(Shape(p), original);
}

TEST_F(ParameterEdit, UndoOfAnOverwriteThatPassedItsNeighbourRestoresBoth) {
    // Two keys inside one step: the later one is overwritten with a time before the
    // earlier one, so the sort moves it; undo must put back the overwritten key, not
    // overwrite its neighbour.
    Parameter_cls p = MakeParam({{0, 0}, {0.499, 4}, {0.502, 6}, {1, 10}});
    const auto original = Shape(p);
    p.SetKeyAt(0.4985, 9, 0, 0);
    ASSERT_EQ(p.GetKeyCount(), 4);
    EXPECT_EQ(p.keys[1].value, 9);
    GoCommandHistory.Undo();
    EXPECT_EQ(Shape(p), original);
}

TEST_F(ParameterEdit, WithoutUndoSetKeyLeavesTheHistoryAlone) {
    GbParamUndoEnabled = 0;
    Parameter_cls p = MakeParam({{0, 0}, {1, 10}});
    p.SetKeyAt(0.5, 3, 0, 0);
    EXPECT_EQ(p.GetKeyCount(), 3);
    EXPECT_EQ(GoCommandHistory.Size(), 0u);
}

TEST_F(ParameterEdit, KeyCachedValueKeepsSelectionAndUsesTimeZeroWhenConstant) {
    Parameter_cls p = MakeParam({{0, 0}, {0.5, 5, PKT_HERMITE_AUTO}, {1, 10}});
    p.keys[1].selected = 1;
    p.cachedValue = 8;
    EXPECT_EQ(p.KeyCachedValue(0.5, 0, 0, -1), 8);
    EXPECT_EQ(p.keys[1].selected, 1);
    EXPECT_EQ(p.keys[1].type, PKT_HERMITE_AUTO);  // the type at that time is kept

    Parameter_cls c = MakeParam({{0, 2}}, 0, false);
    c.cachedValue = 6;
    c.KeyCachedValue(0.7, 0, 0, -1);
    ASSERT_EQ(c.GetKeyCount(), 1);
    EXPECT_EQ(c.keys[0].time, 0);
    EXPECT_EQ(c.GetValue(0.9, -1), 6);
}

TEST_F(ParameterEdit, DeletingTheMiddleKeyAndUndoRecomputesAutoTangents) {
    Parameter_cls p = MakeParam({{0, 0, 1}, {0.5, 10, 1}, {1, 0, 1}});
    const auto original = Shape(p);
    EXPECT_TRUE(p.DeleteKeyAt(0.5, -1));
    ASSERT_EQ(p.GetKeyCount(), 2);
    EXPECT_DOUBLE_EQ(p.keys[0].tangent, 0);  // chord to the new right neighbour
    GoCommandHistory.Undo();
    EXPECT_EQ(Shape(p), original);
    EXPECT_DOUBLE_EQ(p.keys[0].tangent, 20);
}

TEST_F(ParameterEdit, UndoOfADeletedKeyGivesBackTheCurveAsItWas) {
    // Each curve loses one key and gets it back by undo: the same keys, times and
    // tangents, whether the key was asked for beside its own time or left a lone key.
    struct Case {
        const char* what;
        std::vector<K> keys;
        double at;  ///< the time the deletion asks for (within half a step of the key)
    };
    const Case cases[] = {
        {"asked for beside the key", {{0, 0, 1}, {0.7541, 10, 1}, {1, 0, 1}}, 0.75},
        {"a lone key left", {{0, 4, 1}, {0.5, 10, 1}}, 0.5},
        {"the lone key is the late one", {{0.2, 4, 1}, {0.6, 10, 1}}, 0.2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GoCommandHistory.Clear();
        Parameter_cls p = MakeParam(c.keys);
        const auto original = Shape(p);
        const std::string text = p.WriteText();
        ASSERT_TRUE(p.DeleteKeyAt(c.at, -1));
        GoCommandHistory.Undo();
        EXPECT_EQ(Shape(p), original);
        EXPECT_EQ(p.WriteText(), text);
    }
}

TEST_F(ParameterEdit, ALoneAutoKeyHasNoSlopeLeftFromADeletedNeighbour) {
    Parameter_cls p = MakeParam({{0, 4, 1}});
    const std::string lone = p.WriteText();
    p.SetKeyAt(0.5, 10, 0, 0);
    ASSERT_EQ(p.GetKeyCount(), 2);
    EXPECT_NE(p.keys[0].tangent, 0);
    GoCommandHistory.Undo();
    ASSERT_EQ(p.GetKeyCount(), 1);
    EXPECT_EQ(p.keys[0].tangent, 0);
    EXPECT_EQ(p.keys[0].ease, 0);
    EXPECT_EQ(p.WriteText(), lone);
}

TEST_F(ParameterEdit, DeletingTheLastKeyGivesTheNewLastKeyTheLeftSlope) {
    Parameter_cls p = MakeParam({{0, 0, 1}, {0.5, 10, 1}, {1, 0, 1}});
    EXPECT_TRUE(p.DeleteKeyAt(1, -1));
    EXPECT_DOUBLE_EQ(p.keys[1].tangent, 20);
}

TEST_F(ParameterEdit, TheOnlyKeyIsNeverDeletedButMovedToZeroAsAStepOfItsOwn) {
    Parameter_cls p = MakeParam({{0.4, 3}});
    const auto original = Shape(p);
    EXPECT_FALSE(p.DeleteKeyAt(0.4, -1));
    ASSERT_EQ(p.GetKeyCount(), 1);
    EXPECT_EQ(p.keys[0].time, 0);
    EXPECT_EQ(p.GetValue(0.9, -1), 3);
    // Undo puts the key back where it was, so the steps before it undo on their own curve.
    GoCommandHistory.Undo();
    EXPECT_EQ(Shape(p), original);
    GoCommandHistory.Redo();
    EXPECT_EQ(p.keys[0].time, 0);
    // A key at 0 already: nothing to move, no step.
    const size_t steps = GoCommandHistory.Size();
    EXPECT_FALSE(p.DeleteKeyAt(0, -1));
    EXPECT_EQ(GoCommandHistory.Size(), steps);
}

TEST_F(ParameterEdit, DeleteSelectedKeysIsOneStep) {
    Parameter_cls p = MakeParam({{0, 0}, {0.2, 1}, {0.4, 2}, {0.6, 3}, {1, 4}});
    const auto original = Shape(p);
    p.keys[1].selected = p.keys[2].selected = p.keys[4].selected = 1;
    EXPECT_TRUE(p.DeleteSelectedKeys());
    ASSERT_EQ(p.GetKeyCount(), 2);
    EXPECT_EQ(p.keys[1].time, 0.6);
    GoCommandHistory.Undo();
    EXPECT_EQ(Shape(p), original);
}

TEST_F(ParameterEdit, DragSnapsToFrames) {
    Parameter_cls p = MakeParam({{0, 0}, {0.5, 5}, {1, 10}});
    const auto before = History();
    EXPECT_EQ(p.DragKey(1, 0.004, -1), 0);  // 0.504 snaps back to 0.5
    EXPECT_TRUE(History() == before);
    EXPECT_EQ(p.DragKey(1, 0.006, -1), 1);
    EXPECT_DOUBLE_EQ(p.keys[1].time, 0.51);
    EXPECT_EQ(p.DragKey(2, 0.3, -1), 0);  // the end clamps to 1
    GoCommandHistory.Undo();
    EXPECT_DOUBLE_EQ(p.keys[1].time, 0.5);
}

TEST_F(ParameterEdit, DropOntoAnotherKeyMergesInOneUndoableStep) {
    Parameter_cls p = MakeParam({{0, 0}, {0.5, 5, PKT_HERMITE_AUTO}, {1, 10}});
    const auto original = Shape(p);
    const uint32_t cursor = GoCommandHistory.Cursor();
    EXPECT_EQ(p.DragKey(1, 0.5, -1), 3);
    ASSERT_EQ(p.GetKeyCount(), 2);
    EXPECT_EQ(p.keys[1].time, 1);
    EXPECT_EQ(p.keys[1].value, 5);
    EXPECT_EQ(p.keys[1].type, PKT_HERMITE_AUTO);
    EXPECT_EQ(p.keys[1].selected, 1);
    GoCommandHistory.Undo();
    EXPECT_EQ(GoCommandHistory.Cursor(), cursor);
    EXPECT_EQ(Shape(p), original);
    GoCommandHistory.Redo();
    EXPECT_EQ(p.GetKeyCount(), 2);
}

TEST_F(ParameterEdit, MovingTwoAdjacentSelectedKeysMovesTheLaterFirst) {
    Parameter_cls p = MakeParam({{0, 0}, {0.3, 1}, {0.31, 2}, {1, 3}});
    p.keys[1].selected = p.keys[2].selected = 1;
    EXPECT_TRUE(p.MoveSelectedKeys(0.01, 0, -1, 0, 0, 0, 0));
    ASSERT_EQ(p.GetKeyCount(), 4);
    EXPECT_DOUBLE_EQ(p.keys[1].time, 0.31);
    EXPECT_EQ(p.keys[1].value, 1);
    EXPECT_DOUBLE_EQ(p.keys[2].time, 0.32);
    EXPECT_EQ(p.keys[2].value, 2);
    GoCommandHistory.Undo();
    EXPECT_DOUBLE_EQ(p.keys[1].time, 0.3);
    EXPECT_DOUBLE_EQ(p.keys[2].time, 0.31);
}

TEST_F(ParameterEdit, MoveSnapsToTheSceneGridEvenWhenOneOverStepIsInexact) {
    // 1 / (1 / 93) is 92.999...: the grid must still have 93 steps.
    SetSceneFrameCount(93, 1);
    Parameter_cls p = MakeParam({{0, 0}, {10.0 / 93, 5}, {1, 10}});
    p.keys[1].selected = 1;
    EXPECT_TRUE(p.MoveSelectedKeys(1.0 / 93, 0, -1, 0, 0, 0, 0));
    EXPECT_NEAR(p.keys[1].time, 11.0 / 93, 1e-12);
}

TEST_F(ParameterEdit, MoveThatChangesNothingLeavesTheHistoryAsItWas) {
    Parameter_cls p = MakeParam({{0, 0}, {0.5, 5}, {1, 10}});
    p.SetKeyAt(0.2, 1, 0, 0);
    GoCommandHistory.Undo();  // a redo tail that must survive
    p.keys[2].selected = 1;   // the key at 1 cannot move further right
    const auto before = History();
    EXPECT_FALSE(p.MoveSelectedKeys(0.1, 0, -1, 0, 0, 0, 0));
    EXPECT_TRUE(History() == before);
    ParamGroup_cls g("G", {"X", "Y"}, UPD_VIEWS, 1);
    g.Component(0).keys[0].selected = 1;  // the key at 0 cannot move left
    EXPECT_FALSE(g.MoveSelectedKeys(-0.1, 0, -1, 0, 0, 0, 0));
    EXPECT_TRUE(History() == before);
    GoCommandHistory.Redo();
    EXPECT_EQ(p.GetKeyCount(), 4);
}

TEST_F(ParameterEdit, EmptyMoveInsideACallersBlockLeavesThatBlockIntact) {
    Parameter_cls p = MakeParam({{0, 0}, {0.5, 5}, {1, 10}});
    GoCommandHistory.BeginBlock("caller");
    p.SetKeyAt(0.2, 1, 0, 0);
    p.keys[3].selected = 1;
    const auto inside = History();
    EXPECT_FALSE(p.MoveSelectedKeys(0.1, 0, -1, 0, 0, 0, 0));
    EXPECT_TRUE(History() == inside);
    GoCommandHistory.EndBlock("caller");
    EXPECT_EQ(GoCommandHistory.BlockDepth(), 0);
    GoCommandHistory.Undo();
    EXPECT_EQ(p.GetKeyCount(), 3);
    EXPECT_EQ(GoCommandHistory.Cursor(), 0u);
}

TEST_F(ParameterEdit, MoveWithinLimitsAndValueShift) {
    Parameter_cls p = MakeParam({{0.2, 0}, {0.5, 5}, {0.6, 10}});
    const auto original = Shape(p);
    p.keys[1].selected = 1;
    // The selected key passes its neighbour: the value shift follows the moved key.
    EXPECT_TRUE(p.MoveSelectedKeys(0.2, 3, -1, 0.1, 0.65, -2, 7));
    ASSERT_EQ(p.GetKeyCount(), 3);
    EXPECT_DOUBLE_EQ(p.keys[0].time, 0.2);
    EXPECT_DOUBLE_EQ(p.keys[0].value, 0);
    EXPECT_DOUBLE_EQ(p.keys[1].time, 0.6);
    EXPECT_DOUBLE_EQ(p.keys[1].value, 7);   // 10 pulled down to vmax
    EXPECT_DOUBLE_EQ(p.keys[2].time, 0.65);  // 0.7 pulled back to tmax
    EXPECT_DOUBLE_EQ(p.keys[2].value, 7);   // 5 + 3 = 8, pulled down to vmax
    GoCommandHistory.Undo();
    EXPECT_EQ(Shape(p), original);
}

TEST_F(ParameterEdit, OffGridLimitsEnd) {
    Parameter_cls p = MakeParam({{0, 0}, {0.5, 5}, {1, 10}});
    p.keys[1].selected = 1;
    p.MoveSelectedKeys(0.1, 0, -1, 0.203, 0.607, 0, 0);  // limits between frames
    EXPECT_EQ(GoCommandHistory.BlockDepth(), 0);
}

TEST_F(ParameterEdit, ScaleKeyTimes) {
    Parameter_cls p = MakeParam({{0, 0}, {0.5, 5}, {1, 10}});
    p.ScaleKeyTimes(0.5);
    ASSERT_EQ(p.GetKeyCount(), 3);
    EXPECT_DOUBLE_EQ(p.keys[1].time, 0.25);
    EXPECT_DOUBLE_EQ(p.keys[2].time, 0.5);
    p.ScaleKeyTimes(2);
    EXPECT_DOUBLE_EQ(p.keys[1].time, 0.5);
    EXPECT_DOUBLE_EQ(p.keys[2].time, 1);
}

TEST_F(ParameterEdit, TimeDependenceUndoRestoresKeysAndFlag) {
    Parameter_cls p = MakeParam({{0, 0}, {0.2, 1}, {0.4, 2}, {0.6, 3}, {1, 4}});
    const auto original = Shape(p);
    GdCurrentTime = 0.3;
    p.cachedValue = 7;
    p.SetTimeDependentUndoable(false);
    EXPECT_FALSE(p.IsTimeDependent());
    ASSERT_EQ(p.GetKeyCount(), 1);
    EXPECT_EQ(p.keys[0].type, PKT_HERMITE_AUTO);
    EXPECT_EQ(p.keys[0].time, 0.3);
    EXPECT_EQ(p.keys[0].value, 7);
    GoCommandHistory.Undo();
    EXPECT_TRUE(p.IsTimeDependent());
    EXPECT_EQ(Shape(p), original);

    // Setting the flag it already has: undo keeps it.
    p.SetTimeDependentUndoable(true);
    GoCommandHistory.Undo();
    EXPECT_TRUE(p.IsTimeDependent());
}

TEST_F(ParameterEdit, FlipAndCopy) {
    Parameter_cls p = MakeParam({{0, 0}, {0.25, 5, PKT_STEP}, {1, 10}});
    const auto original = Shape(p);
    p.FlipUndoable();
    ASSERT_EQ(p.GetKeyCount(), 3);
    EXPECT_EQ(p.keys[0].value, 10);
    EXPECT_EQ(p.keys[1].time, 0.75);
    EXPECT_EQ(p.keys[1].type, PKT_STEP);
    GoCommandHistory.Undo();
    EXPECT_EQ(Shape(p), original);

    Parameter_cls other = MakeParam({{0, 3}}, 360, true, "Y");
    p.CopyFromUndoable(other);
    EXPECT_EQ(Shape(p), Shape(other));
    EXPECT_EQ(p.GetPeriod(), 360);
    EXPECT_EQ(p.label, "X");
    GoCommandHistory.Undo();
    EXPECT_EQ(Shape(p), original);
    EXPECT_EQ(p.GetPeriod(), 0);
}

TEST_F(ParameterEdit, KeyTypes) {
    Parameter_cls p = MakeParam({{0, 0}, {0.5, 5}, {1, 10}});
    p.SetKeyTypeUndoable(1, PKT_HERMITE);
    EXPECT_EQ(p.keys[1].type, PKT_HERMITE);
    const size_t steps = GoCommandHistory.Size();
    p.SetKeyTypeUndoable(1, PKT_HERMITE);  // unchanged: no step
    p.SetKeyTypeUndoable(-1, PKT_STEP);
    EXPECT_EQ(GoCommandHistory.Size(), steps);
    p.keys[0].selected = p.keys[2].selected = 1;
    p.SetSelectedKeysType(PKT_STEP);
    EXPECT_EQ(p.keys[0].type, PKT_STEP);
    EXPECT_EQ(p.keys[2].type, PKT_STEP);
    GoCommandHistory.Undo();
    EXPECT_EQ(p.keys[0].type, PKT_LINEAR);
    EXPECT_EQ(p.keys[1].type, PKT_HERMITE);
}

TEST_F(ParameterEdit, SnapTimeToFrameTable) {
    struct S { double x; int n; double expected; };
    const std::vector<S> cases = {{0.504, 100, 0.5}, {0.506, 100, 0.51}, {0.505, 100, 0.51},
                                  {0.29, 100, 0.29}, {0.5, 0, 0},      {0.26, -1, 0.26},
                                  {1.0 / 3, 3, 1.0 / 3}};
    for (const S& c : cases) EXPECT_DOUBLE_EQ(SnapTimeToFrame(c.x, c.n), c.expected) << c.x;
}

}  // namespace
