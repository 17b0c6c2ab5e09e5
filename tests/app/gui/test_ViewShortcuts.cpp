// The main window's view shortcuts and camera keys: the digit keys (main row and number
// pad, with and without Ctrl) choose the main view's camera and the bar shows it, 5 toggles
// perspective, a key typed in a view reaches the shortcuts, and the camera and anchor keys
// set from the main view are one undo step each.
#include "tests/app/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <wx/combobox.h>
#include <wx/uiaction.h>

#include "app/ShortcutTable.h"
#include "app/gui/ShortcutKeys.h"
#include "app/gui/TopHalfPanel.h"
#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "scene/AnchorPath.h"
#include "scene/CameraPath.h"
#include "scene/SceneObj.h"
#include "view/ModeIcon.h"
#include "timeline/ParamGroup.h"
#include "timeline/gui/TimeCtrlGUI.h"
#include "view/gui/GLCanvasCtrl.h"
#include "view/gui/MainGLCanvas.h"

using shelltest::Shell;
using testsupport::TempDir;

namespace {

/// Makes the main view current, raises the frame and gives the view the keyboard focus
/// (waiting a while for each); returns the view.
MainGLCanvas_cls* FocusMainView(Shell& shell) {
    MainGLCanvas_cls* view = shell.frame->GetTopPanel()->View(0);
    GpCurrentCanvas = view;
    shell.frame->Raise();
    testsupport::PumpUntil([&] { return shell.frame->IsActive(); }, 3000);
    view->SetFocus();
    testsupport::PumpUntil([&] { return wxWindow::FindFocus() == view; }, 2000);
    return view;
}

}  // namespace

TEST(ViewShortcuts, DigitsChooseTheMainViewsCameraAndFiveTogglesPerspective) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    ShortcutKeys_cls* keys = shell.frame->GetShortcutKeys();
    TopHalfPanel_cls* top = shell.frame->GetTopPanel();
    MainGLCanvas_cls* view = top->View(0);
    GpCurrentCanvas = view;
    struct Case {
        int mask, key, choice;
    };
    const Case cases[] = {
        {0, '1', 1}, {MOD_CTRL, '1', 2}, {0, '3', 3}, {MOD_CTRL, '3', 4}, {MOD_CTRL, '7', 5},
        {0, '7', 6}, {0, '0', 0}, {0, KEY_NUMPAD0 + 1, 1}, {MOD_CTRL, KEY_NUMPAD0 + 7, 5},
        {MOD_SHIFT, '3', 3},  // Shift counts as no modifier
        {0, KEY_NUMPAD0, 0},
    };
    for (const Case& c : cases) {
        keys->OnKey(c.mask, c.key);
        EXPECT_EQ(view->CameraChoice(), c.choice) << c.mask << " " << c.key;
        EXPECT_EQ(top->Bar(0)->CameraCombo()->GetValue(), GLCanvasCtrl_cls::ChoiceName(c.choice));
    }
    keys->OnKey(MOD_ALT, '1');  // Alt with a digit is no camera key
    EXPECT_EQ(view->CameraChoice(), 0);

    EXPECT_EQ(view->settings.geometry.value, 0);
    keys->OnKey(0, '5');
    EXPECT_EQ(view->settings.geometry.value, 1);
    testsupport::Pump(30);
    EXPECT_EQ(top->Bar(0)->GeometryCombo()->GetValue(), GLCanvasCtrl_cls::GeometryName(1));
    keys->OnKey(0, KEY_NUMPAD0 + 5);
    EXPECT_EQ(view->settings.geometry.value, 0);
}

TEST(ViewShortcuts, AKeyTypedInAViewReachesTheShortcuts) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    MainGLCanvas_cls* view = FocusMainView(shell);
    ASSERT_EQ(wxWindow::FindFocus(), view);
    wxUIActionSimulator sim;
    sim.Char('7');
    EXPECT_TRUE(testsupport::PumpUntil([&] { return view->CameraChoice() == 6; }, 2000));
}

TEST(ViewShortcuts, CameraAndAnchorKeysAreOneUndoStepEach) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    MainGLCanvas_cls* view = shell.frame->GetTopPanel()->View(0);
    GpCurrentCanvas = view;
    ASSERT_NE(GpCameraPath, nullptr);
    GoCommandHistory.Clear();
    // The main view's free camera somewhere known.
    view->cameras.free.pose.position[0] = 4;
    view->cameras.free.pose.position[1] = 5;
    view->cameras.free.pose.position[2] = 6;
    shell.Post(ID_SET_CAMERA_KEY_POS);
    GpCameraPath->UpdateTransform(0);
    EXPECT_NEAR(GpCameraPath->transform.pose.position[1], 5, 1e-6);
    EXPECT_TRUE(GoCommandHistory.CanUndo());
    shell.Post(ID_UNDO);
    GpCameraPath->UpdateTransform(0);
    EXPECT_NEAR(GpCameraPath->transform.pose.position[0], -1.5, 1e-6);
    EXPECT_NEAR(GpCameraPath->transform.pose.position[1], 0, 1e-6);
    EXPECT_FALSE(GoCommandHistory.CanUndo()) << "one step";
    shell.Post(ID_REDO);
    GpCameraPath->UpdateTransform(0);
    EXPECT_NEAR(GpCameraPath->transform.pose.position[2], 6, 1e-6);

    GoPivotPose.position[0] = 0.25;
    shell.Post(ID_SET_ANCHOR_KEY);
    GpAnchorPath->UpdateTransform(0);
    EXPECT_NEAR(GpAnchorPath->transform.pose.position[0], 0.25, 1e-6);
    shell.Post(ID_UNDO);
    GpAnchorPath->UpdateTransform(0);
    EXPECT_NEAR(GpAnchorPath->transform.pose.position[0], 0, 1e-6);
    GoPivotPose = GLCameraPose_cls();
}

TEST(ViewShortcuts, TransformAndAxisKeysTypedInAViewSetTheModeAndTheSelectedObjectsAxis) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    MainGLCanvas_cls* view = FocusMainView(shell);
    ASSERT_EQ(wxWindow::FindFocus(), view);
    wxUIActionSimulator sim;
    auto type = [&](int key) {
        sim.Char(key);
        testsupport::Pump(40);
    };
    // The transform mode, whatever the selection.
    SetSelectedSceneObj(nullptr);
    GiItemEditMode = 0;
    const struct {
        int key, mode;
    } modes[] = {{'s', 1}, {'r', 2}, {'t', 0}, {'R', 2}};
    for (const auto& m : modes) {
        type(m.key);
        EXPECT_EQ(GiItemEditMode, m.mode) << char(m.key);
    }
    // X with no selected object changes nothing (and is no menu key either).
    type('x');
    EXPECT_EQ(GpSelectedSceneObj, nullptr);
    // The camera path selected: each axis key constrains its gizmo, the same key again
    // frees it.
    SceneObj_cls* path = shell.core->SelectParamsById(0);
    ASSERT_NE(path, nullptr);
    ASSERT_EQ(GpSelectedSceneObj, path);
    path->gizmoAxis = -1;
    const struct {
        int key, axis;
    } axes[] = {{'x', 0}, {'y', 1}, {'z', 2}, {'z', -1}, {'y', 1}, {'y', -1}};
    for (const auto& a : axes) {
        type(a.key);
        EXPECT_EQ(path->gizmoAxis, a.axis) << char(a.key);
    }
    // Ctrl+Z stays Undo: it does not touch the axis.
    GoCommandHistory.Clear();
    sim.Char('z', wxMOD_CONTROL);
    testsupport::Pump(40);
    EXPECT_EQ(path->gizmoAxis, -1);
}

namespace {

/// The first window below `w` of type T (depth first).
template <class T>
T* FindBelow(wxWindow* w) {
    for (wxWindow* c : w->GetChildren()) {
        if (T* t = dynamic_cast<T*>(c)) return t;
        if (T* t = FindBelow<T>(c)) return t;
    }
    return nullptr;
}

}  // namespace

TEST(ViewShortcuts, AClickOnAnEmptyTimelinePartDropsTheSelection) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    SceneObj_cls* path = shell.core->SelectParamsById(0);
    ASSERT_NE(path, nullptr);
    ASSERT_EQ(GpSelectedSceneObj, path);
    ASSERT_TRUE(path->IsOwnerSelected());
    // A left press on the time slider away from its cursor (frame 0, at the left end), its
    // work-area tabs and their middle grip.
    TimeCtrlGUI_cls* slider = FindBelow<TimeCtrlGUI_cls>(shell.frame);
    ASSERT_NE(slider, nullptr);
    // The frame takes its final size after it is first shown: press where the slider
    // stands once its place on the screen has stopped changing.
    ASSERT_TRUE(testsupport::PumpUntil([&] { return slider->IsShownOnScreen(); }, 3000));
    wxRect last;
    int steady = 0;
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        const wxRect now = slider->GetScreenRect();
        steady = now == last ? steady + 1 : 0;
        last = now;
        testsupport::Pump(20);
        return steady >= 3;
    }, 3000));
    const wxSize size = slider->GetClientSize();
    ASSERT_GT(size.x, 100);
    wxUIActionSimulator sim;
    sim.MouseMove(slider->ClientToScreen(wxPoint(size.x * 3 / 4, size.y / 2)));
    testsupport::Pump(30);
    sim.MouseClick();
    EXPECT_TRUE(testsupport::PumpUntil([] { return GpSelectedSceneObj == nullptr; }, 2000));
    EXPECT_FALSE(path->IsOwnerSelected());
    // Nothing selected: the command changes nothing.
    shell.Post(ID_PARAM_PANEL_REFRESH);
    EXPECT_EQ(GpSelectedSceneObj, nullptr);
}
