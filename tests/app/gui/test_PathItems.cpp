// The camera path and the anchor in the real main window: their green symbols and path
// points appear where the view's camera puts them and go with the items toggle and their
// visible settings; a click on either selects it; a gizmo drag of the camera path is one
// undoable step.
#include "tests/app/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <wx/uiaction.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "app/gui/Preference.h"
#include "app/gui/TopHalfPanel.h"
#include "common/CommandHistory.h"
#include "scene/AnchorPath.h"
#include "scene/CameraPath.h"
#include "tests/view/gui/ViewDrawerProbe.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"
#include "view/ModeIcon.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/PathItems.h"

using shelltest::Shell;
using testsupport::TempDir;

namespace {

/// The paths' green (0.2, 1, 0.2), or a filtered edge of it.
bool IsPathGreen(const unsigned char* p) { return p[1] >= 180 && p[0] <= 110 && p[2] <= 110; }

bool GreenNear(const ViewShot& s, double x, double y, int r = 3) {
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
            const int px = std::clamp(int(std::lround(x)) + dx, 0, s.w - 1);
            const int py = std::clamp(int(std::lround(y)) + dy, 0, s.h - 1);
            if (IsPathGreen(s.At(px, py))) return true;
        }
    return false;
}

void KeyTimeDependent(ParamGroup_cls* g, double t, double x, double y, double z) {
    for (int k = 0; k < 3; ++k) g->Component(k).SetTimeDependentValue(true);
    g->SetKeyFrame({x, y, z}, true, t);
}

class PathItemsTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        RecordShots(shots);
        shell = std::make_unique<Shell>(dir.File("Pelthorn3Configure.txt"));
        const bool offScreen = GetParam();
        MainGLCanvas_cls::SetUseFBO([offScreen] { return offScreen; });
        shell->frame->SetSize(900, 700);
        shell->frame->Raise();
        view = shell->frame->GetTopPanel()->View(0);
        ASSERT_NE(view, nullptr);
        ASSERT_NE(GpCameraPath, nullptr);
        ASSERT_NE(GpAnchorPath, nullptr);
        GoCommandHistory.Clear();
        Paint();
    }
    void TearDown() override {
        sim.reset();
        if (view && view->HasCapture()) view->ReleaseMouse();
        shell.reset();
        MainGLCanvas_cls::SetPaintProbe(nullptr);
        MainGLCanvas_cls::SetUseFBO(nullptr);
        GoCommandHistory.Clear();
    }
    void Paint() {
        shots.clear();
        view->Refresh(false);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return shots.count(0) > 0; }, 10000));
    }
    /// GL window position of a world point in view 0's last picture.
    void Project(double x, double y, double z, double out[3]) {
        const ViewShot& s = shots[0];
        ProjectInView(*view, s.w, s.h, x, y, z, out);
    }
    /// Client pixel (y down) of a world point.
    wxPoint Client(double x, double y, double z) {
        double w[3];
        Project(x, y, z, w);
        return wxPoint(int(std::lround(w[0])), int(std::lround(shots[0].h - w[1])));
    }
    void Drag(int button, wxPoint from, wxPoint to) {
        sim->MouseMove(view->ClientToScreen(from));
        testsupport::Pump(30);
        sim->MouseDown(button);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return view->Tracker().AnyButtonHeld(); }, 1000));
        Paint();  // the paint after the press serves its pick requests
        sim->MouseMove(view->ClientToScreen(to));
        ASSERT_TRUE(testsupport::PumpUntil([&] { return view->Tracker().x == to.x && view->Tracker().y == to.y; },
                                           1000));
        sim->MouseUp(button);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return !view->Tracker().AnyButtonHeld(); }, 1000));
        testsupport::Pump(20);
    }

    TempDir dir;
    std::map<int, ViewShot> shots;
    std::unique_ptr<Shell> shell;
    std::unique_ptr<wxUIActionSimulator> sim = std::make_unique<wxUIActionSimulator>();
    MainGLCanvas_cls* view = nullptr;
};

}  // namespace

TEST_P(PathItemsTest, SymbolsAndPathPointsShowWhereTheKeysAreAndFollowTheirToggles) {
    GbParamUndoEnabled = 0;
    KeyTimeDependent(GpCameraPath->translate, 0, -1.5, -1, 1.5);
    KeyTimeDependent(GpCameraPath->translate, 1, 1.5, -1, 1.5);
    KeyTimeDependent(GpAnchorPath->translate, 0, 0.5, 1.2, 0);
    GbParamUndoEnabled = 1;
    Paint();
    double cam[3], mid[3], end[3], anchor[3];
    Project(-1.5, -1, 1.5, cam);   // the camera symbol's apex at the key of t = 0
    Project(0, -1, 1.5, mid);      // the path point of t = 0.5
    Project(1.5, -1, 1.5, end);    // the path ends near the last key (t = 0.99)
    Project(0.5, 1.2, 0, anchor);  // the anchor cross
    const ViewShot s = shots[0];
    EXPECT_EQ(s.error, GLenum(GL_NO_ERROR));
    EXPECT_EQ(s.attribDepth, 0);
    EXPECT_TRUE(GreenNear(s, cam[0], cam[1]));
    EXPECT_TRUE(GreenNear(s, mid[0], mid[1]));
    EXPECT_TRUE(GreenNear(s, end[0], end[1], 5));
    EXPECT_TRUE(GreenNear(s, anchor[0], anchor[1]));
    // Between the path's points and the symbols: nothing green.
    double off[3];
    Project(0, 0.6, 0.8, off);
    EXPECT_FALSE(GreenNear(s, off[0], off[1]));

    // "CameraVisible=" off hides the path points, not the symbol.
    GpCameraPath->visible.value = false;
    Paint();
    EXPECT_FALSE(GreenNear(shots[0], mid[0], mid[1]));
    EXPECT_TRUE(GreenNear(shots[0], cam[0], cam[1]));
    GpCameraPath->visible.value = true;

    // "AnchorVisible=" off hides the anchor; the items toggle hides both.
    GpAnchorPath->visible.value = false;
    Paint();
    EXPECT_FALSE(GreenNear(shots[0], anchor[0], anchor[1]));
    GpAnchorPath->visible.value = true;
    view->settings.showItems.value = false;
    Paint();
    EXPECT_FALSE(GreenNear(shots[0], cam[0], cam[1]));
    EXPECT_FALSE(GreenNear(shots[0], mid[0], mid[1]));
    EXPECT_FALSE(GreenNear(shots[0], anchor[0], anchor[1]));
    view->settings.showItems.value = true;

    // A view looking through the camera path does not draw the camera's own symbol.
    view->SetCameraChoice(CAMERA_PATH);
    Paint();
    EXPECT_TRUE(LooksThroughCameraPath(*view));
    view->SetCameraChoice(CAMERA_FREE);
}

TEST_P(PathItemsTest, ClickSelectsThePathOrTheAnchorAndAGizmoDragIsOneUndoableStep) {
    GpPreference->ApplyMouseTemplate(1);  // "Blender Like": right selects, left moves the item
    GbParamUndoEnabled = 0;
    GpAnchorPath->SetTranslateKey(0.5, 1.2, 0);
    GbParamUndoEnabled = 1;
    GoCommandHistory.Clear();
    Paint();
    const wxPoint cam = Client(-1.5, 0, 1.5), anchor = Client(0.5, 1.2, 0);
    Drag(wxMOUSE_BTN_RIGHT, cam, cam);
    EXPECT_EQ(GpSelectedSceneObj, GpCameraPath);
    EXPECT_TRUE(GpCameraPath->selected);
    Drag(wxMOUSE_BTN_RIGHT, anchor, anchor);
    EXPECT_EQ(GpSelectedSceneObj, GpAnchorPath);
    EXPECT_TRUE(GpAnchorPath->selected);
    EXPECT_FALSE(GpCameraPath->selected);
    // Empty space changes nothing.
    const wxPoint empty(shots[0].w / 2, 12);
    Drag(wxMOUSE_BTN_RIGHT, empty, empty);
    EXPECT_EQ(GpSelectedSceneObj, GpAnchorPath);
    EXPECT_FALSE(GoCommandHistory.CanUndo());  // selecting is no edit

    // Back to the camera path, then drag its gizmo's x handle.
    Drag(wxMOUSE_BTN_RIGHT, cam, cam);
    ASSERT_EQ(GpSelectedSceneObj, GpCameraPath);
    GiItemEditMode = 0;
    Paint();
    double mv[16];
    view->camera.ModelviewMatrix(mv);
    const double depth = -(mv[2] * -1.5 + mv[6] * 0 + mv[10] * 1.5 + mv[14]);
    const wxPoint handle = Client(-1.5 + 0.035 * depth, 0, 1.5);
    const wxPoint tip = Client(-1.5 + 0.06 * depth, 0, 1.5);
    Drag(wxMOUSE_BTN_LEFT, handle, wxPoint(handle.x + (tip.x - handle.x), handle.y + (tip.y - handle.y)));
    const std::vector<double> moved = GpCameraPath->translate->GetValues(0, 0);
    EXPECT_GT(moved[0], -1.49);  // moved along +x, and only along x
    EXPECT_NEAR(moved[1], 0.0, 1e-9);
    EXPECT_NEAR(moved[2], 1.5, 1e-9);
    EXPECT_EQ(GpCameraPath->dragged, 0);
    ASSERT_TRUE(GoCommandHistory.CanUndo());
    GoCommandHistory.Undo();
    EXPECT_FALSE(GoCommandHistory.CanUndo());
    EXPECT_NEAR(GpCameraPath->translate->GetValues(0, 0)[0], -1.5, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(DirectAndOffScreen, PathItemsTest, ::testing::Values(false, true));
