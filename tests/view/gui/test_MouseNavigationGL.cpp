// Mouse navigation of a real view under Xvfb, driven by simulated input: an orbit drag, a
// pan and the wheel move the camera as the gesture formulas say and the picture follows;
// each template routes the buttons as its table says; a click selects the filter box under
// it and nothing on empty space; a click on a gizmo handle constrains the drag, whose
// release is one undoable step.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <map>
#include <memory>

#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "app/PreferenceSettings.h"
#include "common/CommandHistory.h"
#include "filters/FilterBase.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterObject.h"
#include "filters/FilterData.h"
#include "scene/SceneObj.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/view/gui/ViewDrawerProbe.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"
#include "view/DistortionMesh.h"
#include "view/ModeIcon.h"
#include "view/StereoGram.h"
#include "view/ViewCameras.h"
#include "view/gui/GLPicker.h"
#include "view/gui/GLResources.h"
#include "view/gui/MainGLCanvas.h"

namespace {

using testsupport::Pump;
using testsupport::PumpUntil;

constexpr int kW = 200, kH = 150;

class MouseViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        CreateGLResources();
        GoCommandHistory.Clear();
        GdCurrentTime = 0;
        prefs = std::make_unique<PreferenceSettings_cls>();
        MainGLCanvas_cls::SetMouseBindings(prefs.get());
        MainGLCanvas_cls::SetSceneDrawer(DrawTestQuad);
        MainGLCanvas_cls::SetUseFBO([this] { return useFBO; });
        RecordShots(shots);
        frame = new wxFrame(nullptr, wxID_ANY, "mouse", wxPoint(40, 40), wxSize(320, 260));
        auto* sizer = new wxBoxSizer(wxHORIZONTAL);
        view = new MainGLCanvas_cls(frame, nullptr, 0, 0);
        view->SetMinSize(wxSize(kW, kH));
        sizer->Add(view, 0);
        frame->SetSizer(sizer);
        frame->Show();
        frame->Raise();
        ASSERT_TRUE(PumpUntil([&] { return view->IsShownOnScreen() && view->GetClientSize() == wxSize(kW, kH); }, 3000));
        // Looking down -z from (0, 0, 10) at the origin, y up.
        const double pos[3] = {0, 0, 10}, second[3] = {0, 0, 0}, dir[3] = {0, 0, -1}, up[3] = {0, 1, 0},
                     right[3] = {1, 0, 0};
        const double origin[3] = {0, 0, 0};
        GoPivotPose = GLCameraPose_cls(0, 0, 0, origin);
        Cam() = GLCamera_cls(pos, second, dir, up, right);
        Cam().SetPivot(origin);
        ASSERT_TRUE(Paint());
        ASSERT_TRUE(Paint());
    }
    void TearDown() override {
        sim.reset();
        if (view->HasCapture()) view->ReleaseMouse();
        MainGLCanvas_cls::SetPaintProbe(nullptr);
        MainGLCanvas_cls::SetSceneDrawer(nullptr);
        MainGLCanvas_cls::SetUseFBO(nullptr);
        MainGLCanvas_cls::SetMouseBindings(nullptr);
        MainGLCanvas_cls::SetPickSelect(nullptr);
        SetSelectedSceneObj(nullptr);
        for (auto& l : GpFilterCtrls) l = nullptr;
        lists.clear();
        if (view->IsShownOnScreen()) view->SetCurrent(*MainGLCanvas_cls::SharedContext());
        ReleaseGLResources();
        frame->Destroy();
        Pump(20);
        GoCommandHistory.Clear();
    }
    /// The camera the view's choice steers (the free camera); the drawn one follows it at
    /// the next paint.
    GLCamera_cls& Cam() const { return *view->GetActiveCamera(); }
    bool Paint() {
        const int before = view->DrawCount();
        view->Refresh(false);
        return PumpUntil([&] { return view->DrawCount() > before; }, 2000);
    }
    /// Screen point of client pixel (x, y).
    wxPoint At(int x, int y) const { return view->ClientToScreen(wxPoint(x, y)); }
    /// Press `button` at (x0, y0), move to (x1, y1) in one step, release.
    void Drag(int button, int x0, int y0, int x1, int y1) {
        sim->MouseMove(At(x0, y0));
        Pump(30);
        sim->MouseDown(button);
        Pump(30);
        ASSERT_TRUE(PumpUntil([&] { return view->Tracker().AnyButtonHeld(); }, 1000));
        // The press asks for a paint, which serves the pick requests.
        Paint();
        sim->MouseMove(At(x1, y1));
        ASSERT_TRUE(PumpUntil([&] { return view->Tracker().x == x1 && view->Tracker().y == y1; }, 1000));
        sim->MouseUp(button);
        ASSERT_TRUE(PumpUntil([&] { return !view->Tracker().AnyButtonHeld(); }, 1000));
        Pump(20);
    }
    /// The camera a single step from (x0, y0) to (x1, y1) should give, by the formulas.
    MouseMove_cls MoveOf(int x0, int y0, int x1, int y1) const {
        MouseTracker_cls t;
        t.prevX = x0, t.prevY = y0, t.x = x1, t.y = y1;
        MouseMove_cls m = MouseMove_cls::FromTracker(t, kW, kH);
        m.ClampStart();
        return m;
    }
    /// A Boolean filter of list 0 at `centre` with edge `size`.
    FilterBase_cls* AddBox(double x, double y, double z, double size) {
        if (lists.empty())
            for (int i = 0; i < 3; ++i) {
                lists.push_back(std::make_unique<FilterCtrl_cls>(i));
                GpFilterCtrls[i] = lists.back().get();
            }
        FilterBase_cls* f = lists[0]->AddFilter(FILTER_BOOLEAN, -1, nullptr, nullptr, nullptr, nullptr);
        f->GetData()->SetTranslateKey(x, y, z);
        f->GetData()->SetScaleKey(size, size, size);
        return f;
    }
    void InstallSelection() {
        MainGLCanvas_cls::SetPickSelect([this](int name) {
            picked.push_back(name);
            FilterBase_cls* f = nullptr;
            for (auto& l : lists)
                if (!f) f = l->FilterForPickId(name);
            for (auto& l : lists) l->SelectFilter(f);
            SetSelectedSceneObj(f ? f->GetData() : nullptr);
        });
    }
    /// Client pixel (y down) of a world point as the view draws it directly.
    wxPoint Pixel(double x, double y, double z) const {
        double w[3];
        ProjectInView(*view, kW, kH, x, y, z, w);
        return wxPoint(int(std::lround(w[0])), int(std::lround(kH - w[1])));
    }

    bool useFBO = false;
    std::unique_ptr<PreferenceSettings_cls> prefs;
    std::unique_ptr<wxUIActionSimulator> sim = std::make_unique<wxUIActionSimulator>();
    std::map<int, ViewShot> shots;
    std::vector<std::unique_ptr<FilterCtrl_cls>> lists;
    std::vector<int> picked;
    wxFrame* frame = nullptr;
    MainGLCanvas_cls* view = nullptr;
};

/// Centre of the red pixels in GL window coordinates.
bool RedCentre(const ViewShot& s, double& cx, double& cy) {
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x)
            if (IsQuadRed(s.At(x, y))) sx += x, sy += y, ++n;
    if (!n) return false;
    cx = sx / n, cy = sy / n;
    return true;
}

}  // namespace

TEST_F(MouseViewTest, OrbitDragMovesTheCameraByTheFormulaAndThePictureFollows) {
    const MouseMove_cls m = MoveOf(100, 75, 115, 75);
    GLCamera_cls expected = Cam();
    expected.SetSpeed(1);
    expected.Orbit(m.x0, m.y0, m.x1, m.y1);
    Drag(wxMOUSE_BTN_LEFT, 100, 75, 115, 75);  // "Defalut": left orbits
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(Cam().pose.position[k], expected.pose.position[k], 1e-9) << k;
        EXPECT_NEAR(Cam().frame.direction[k], expected.frame.direction[k], 1e-9) << k;
    }
    EXPECT_NEAR(Cam().PivotDistance(), 10.0, 1e-9);
    ASSERT_TRUE(Paint());
    // The quad's corner at +x now stands where the new camera projects it.
    double w[3];
    ProjectInView(*view, kW, kH, 0.35, 0, 0, w);
    EXPECT_TRUE(IsQuadRed(shots.at(0).At(int(w[0]), int(w[1]))));
    double cx, cy;
    ASSERT_TRUE(RedCentre(shots.at(0), cx, cy));
    ProjectInView(*view, kW, kH, 0, 0, 0, w);
    EXPECT_NEAR(cx, w[0], 2.0);
    EXPECT_NEAR(cy, w[1], 2.0);
}

TEST_F(MouseViewTest, PanMovesCameraAndPivotAndThePictureSlides) {
    // Move Center on the right button alone for this test (no modifier keys to hold).
    *prefs->ButtonValue(PREF_CENTER) = PREF_BTN_RIGHT;
    for (int m = 0; m < 3; ++m) *prefs->ModifierValue(PREF_CENTER, m) = false;
    *prefs->ButtonValue(PREF_MENU) = PREF_BTN_NONE;
    *prefs->ButtonValue(PREF_HITTEST) = PREF_BTN_NONE;
    double before[3];
    ProjectInView(*view, kW, kH, 0, 0, 0, before);
    const MouseMove_cls m = MoveOf(100, 75, 110, 70);
    Drag(wxMOUSE_BTN_RIGHT, 100, 75, 110, 70);
    const double s = 10 * 0.5, aspect = double(kW) / kH;
    EXPECT_NEAR(Cam().pose.position[0], -m.DeltaX() * s * aspect, 1e-6);
    EXPECT_NEAR(Cam().pose.position[1], -m.DeltaY() * s, 1e-6);
    EXPECT_NEAR(GoPivotPose.position[0], Cam().pose.position[0], 1e-9);  // the pivot came along
    EXPECT_NEAR(GoPivotPose.position[1], Cam().pose.position[1], 1e-9);
    ASSERT_TRUE(Paint());
    double cx, cy;
    ASSERT_TRUE(RedCentre(shots.at(0), cx, cy));
    // The scene is carried along with the pointer: right and up on screen.
    EXPECT_GT(cx, before[0] + 2);
    EXPECT_GT(cy, before[1] + 1);
}

TEST_F(MouseViewTest, WheelZoomsTenPercentPerStepAndSmoothScrollPartsAddUp) {
    sim->MouseMove(At(100, 75));
    Pump(30);
    auto wheel = [&](int rotation) {
        wxMouseEvent e(wxEVT_MOUSEWHEEL);
        e.m_x = 100, e.m_y = 75;
        e.m_wheelRotation = rotation;
        e.m_wheelDelta = 120;
        e.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
        e.SetEventObject(view);
        view->GetEventHandler()->ProcessEvent(e);
    };
    double sx0 = 0;
    {
        double cx, cy;
        ASSERT_TRUE(RedCentre(shots.at(0), cx, cy));
        int n = 0;
        for (int x = 0; x < kW; ++x) n += IsQuadRed(shots.at(0).At(x, int(cy)));
        sx0 = n;
    }
    wheel(120);
    EXPECT_NEAR(Cam().PivotDistance(), 11.0, 1e-9);
    wheel(40), wheel(40);
    EXPECT_NEAR(Cam().PivotDistance(), 11.0, 1e-9);  // two parts: not a step yet
    wheel(40);
    EXPECT_NEAR(Cam().PivotDistance(), 12.1, 1e-9);
    ASSERT_TRUE(Paint());
    double cx, cy;
    ASSERT_TRUE(RedCentre(shots.at(0), cx, cy));
    int n = 0;
    for (int x = 0; x < kW; ++x) n += IsQuadRed(shots.at(0).At(x, int(cy)));
    EXPECT_NEAR(n, sx0 / 1.21, 2.0);  // the quad is 1.21 times further away
    *prefs->ZoomInvertValue() = true;
    wheel(120);
    EXPECT_NEAR(Cam().PivotDistance(), 12.1 * 0.9, 1e-9);
}

TEST_F(MouseViewTest, EachTemplateRoutesThePlainButtons) {
    struct Case {
        int tmpl, button;
        int expect;  // 0 nothing, 1 orbit, 2 zoom, 3 the context menu
    };
    const Case cases[] = {
        {0, wxMOUSE_BTN_LEFT, 1},   {0, wxMOUSE_BTN_MIDDLE, 2}, {0, wxMOUSE_BTN_RIGHT, 3},
        {1, wxMOUSE_BTN_LEFT, 0},   {1, wxMOUSE_BTN_MIDDLE, 1}, {1, wxMOUSE_BTN_RIGHT, 0},
    };
    int menus = 0;
    view->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& e) {
        ++menus;
        e.Skip();
    });
    // A menu that opens runs its own loop: Escape closes it.
    wxTimer closer;
    closer.Bind(wxEVT_TIMER, [](wxTimerEvent&) { wxUIActionSimulator().Char(WXK_ESCAPE); });
    closer.Start(250);
    for (const Case& c : cases) {
        prefs->ApplyMouseTemplate(c.tmpl);
        const GLCamera_cls before = Cam();
        const int menusBefore = menus;
        Drag(c.button, 100, 75, 100, 65);
        EXPECT_EQ(menus > menusBefore, c.expect == 3) << c.tmpl << " " << c.button;
        const bool turned = std::fabs(Cam().frame.direction[1] - before.frame.direction[1]) > 1e-6;
        const bool zoomed = std::fabs(Cam().PivotDistance() - before.PivotDistance()) > 1e-6;
        EXPECT_EQ(turned, c.expect == 1) << c.tmpl << " " << c.button;
        EXPECT_EQ(zoomed, c.expect == 2) << c.tmpl << " " << c.button;
        Cam() = before;
    }
    closer.Stop();
}

TEST_F(MouseViewTest, ClickSelectsTheBoxUnderItAndEmptySpaceChangesNothing) {
    prefs->ApplyMouseTemplate(1);  // "Blender Like": right selects, left moves the item
    InstallSelection();
    FilterBase_cls* a = AddBox(-1.5, 0, 0, 0.6);
    FilterBase_cls* b = AddBox(1.5, 0, 0, 0.6);
    // Orthographic too: through the square buffer the box spans the view's wider side, and
    // the click follows the picture.
    for (int pass = 0; pass < 4; ++pass) {
        const bool fbo = pass % 2 == 1;
        useFBO = fbo;
        view->settings.geometry.value = pass < 2 ? GEOMETRY_PERSPECTIVE : GEOMETRY_ORTHOGRAPHIC;
        ASSERT_TRUE(Paint());
        for (FilterBase_cls* target : {b, a}) {
            double x = target == a ? -1.5 : 1.5;
            const wxPoint p = Pixel(x, 0, 0);
            Drag(wxMOUSE_BTN_RIGHT, p.x, p.y, p.x, p.y);
            EXPECT_EQ(GpSelectedSceneObj, target->GetData()) << "pass " << pass;
            EXPECT_TRUE(target->GetData()->selected);
        }
        // Empty space: the selection stays.
        const size_t clicks = picked.size();
        const wxPoint empty = Pixel(0, 1.2, 0);
        Drag(wxMOUSE_BTN_RIGHT, empty.x, empty.y, empty.x, empty.y);
        EXPECT_EQ(picked.size(), clicks);
        EXPECT_EQ(GpSelectedSceneObj, a->GetData());
    }
    EXPECT_EQ(picked.front(), 21);
    EXPECT_EQ(picked[1], 20);
}

TEST_F(MouseViewTest, ClickSelectsAnObjectFilterByItsOutline) {
    prefs->ApplyMouseTemplate(1);
    InstallSelection();
    AddBox(-1.5, 0, 0, 0.6);  // makes the lists
    FilterBase_cls* object = lists[1]->AddFilter(FILTER_OBJECT, -1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(object, nullptr);
    object->GetData()->SetTranslateKey(1.5, 0, 0);
    object->GetData()->SetScaleKey(0.6, 0.6, 0.6);
    ASSERT_TRUE(Paint());
    const wxPoint p = Pixel(1.5, 0, 0);
    Drag(wxMOUSE_BTN_RIGHT, p.x, p.y, p.x, p.y);
    EXPECT_EQ(GpSelectedSceneObj, object->GetData());
    ASSERT_FALSE(picked.empty());
    EXPECT_EQ(picked.back(), 40);  // the first filter of list 1
    // a DataBox whose influence is "All" carries the object along
    FilterBase_cls* box = lists[2]->AddFilter(FILTER_DATABOX, -1, nullptr, nullptr, nullptr, nullptr);
    box->GetData()->SetTranslateKey(0, 1, 0);
    box->GetData()->SetScaleKey(1, 1, 1);
    SetSelectedSceneObj(nullptr);
    for (auto& l : lists) l->SelectFilter(nullptr);
    ASSERT_TRUE(Paint());
    const wxPoint moved = Pixel(1.5, 1, 0);
    Drag(wxMOUSE_BTN_RIGHT, moved.x, moved.y, moved.x, moved.y);
    EXPECT_EQ(GpSelectedSceneObj, object->GetData());
}

TEST_F(MouseViewTest, GizmoAxisClickConstrainsTheDragAndUndoRevertsIt) {
    prefs->ApplyMouseTemplate(1);
    InstallSelection();
    FilterBase_cls* box = AddBox(0, 0, 0, 0.2);
    GbParamUndoEnabled = 1;
    GoCommandHistory.Clear();
    GiItemEditMode = 0;
    SetSelectedSceneObj(box->GetData());
    box->GetData()->selected = 1;
    ASSERT_TRUE(Paint());
    // The x handle runs from the object along +x for 0.05 x its depth (10): press on it at
    // 0.35 and drag up and right; only x may change.
    const wxPoint p = Pixel(0.35, 0, 0);
    Drag(wxMOUSE_BTN_LEFT, p.x, p.y, p.x + 12, p.y - 9);
    ParamGroup_cls* t = box->GetData()->translate;
    const std::vector<double> moved = t->GetValues(0, 0);
    EXPECT_GT(moved[0], 0.1);
    EXPECT_EQ(moved[1], 0.0);
    EXPECT_EQ(moved[2], 0.0);
    EXPECT_EQ(box->GetData()->gizmoAxis, -1);
    EXPECT_EQ(box->GetData()->dragged, 0);
    ASSERT_TRUE(GoCommandHistory.CanUndo());
    GoCommandHistory.Undo();
    EXPECT_FALSE(GoCommandHistory.CanUndo());
    EXPECT_EQ(t->GetValues(0, 0)[0], 0.0);
    GbParamUndoEnabled = 0;
}

namespace {

/// Draws every filter of list 0 as a solid box at its placement: the first green, the next
/// blue.
void DrawFilterBoxes(MainGLCanvas_cls&, const SceneDrawArgs& a) {
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    FilterCtrl_cls* list = GpFilterCtrls[0];
    for (int i = 0; list && i < list->Count(); ++i) {
        FilterData_cls* d = list->GetNode(i)->GetData();
        d->UpdateTransform(a.time);
        glColor4f(0, i == 0 ? 1.0f : 0.0f, i == 0 ? 0.0f : 1.0f, 1);
        glPushMatrix();
        d->ApplyGLTransform();
        glBegin(GL_QUADS);
        for (int axis = 0; axis < 3; ++axis)
            for (double side : {-0.5, 0.5}) {
                // one face of the unit cube, perpendicular to `axis`
                const int u = (axis + 1) % 3, v = (axis + 2) % 3;
                const double corners[4][2] = {{-0.5, -0.5}, {0.5, -0.5}, {0.5, 0.5}, {-0.5, 0.5}};
                for (const auto& c : corners) {
                    double p[3];
                    p[axis] = side, p[u] = c[0], p[v] = c[1];
                    glVertex3dv(p);
                }
            }
        glEnd();
        glPopMatrix();
    }
}

/// Client pixel (y down) of the centre of the pixels passing `test` (in the columns from
/// `from` up to `width`, when given); false when none do.
template <class Test>
bool CentreOf(const ViewShot& s, Test test, wxPoint& at, int width = -1, int from = 0) {
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < s.h; ++y)
        for (int x = from; x < (width < 0 ? s.w : width); ++x)
            if (test(s.At(x, y))) sx += x, sy += y, ++n;
    if (!n) return false;
    at = wxPoint(int(std::lround(sx / n)), int(std::lround(s.h - 1 - sy / n)));
    return true;
}

/// An off-axis side-by-side stereogram with its eyes `eyes` apart, for a test to put in
/// GpStereoGram; gone from there when the test ends.
struct SideBySideStereo {
    explicit SideBySideStereo(double eyes) {
        stereo.cameraSetting.value = STEREO_OFF_AXIS;
        stereo.outputType.value = STEREO_SIDE_BY_SIDE;
        stereo.eyeParam->Component(0).keys[0].value = eyes;
    }
    ~SideBySideStereo() { GpStereoGram = nullptr; }
    StereoGram_cls stereo;
};

bool IsBoxGreen(const unsigned char* p) { return p[1] > 150 && p[0] < 80 && p[2] < 80; }
bool IsBoxBlue(const unsigned char* p) { return p[2] > 150 && p[0] < 80 && p[1] < 80; }

}  // namespace

TEST_F(MouseViewTest, ClicksAndScaleDragsInFisheyeAndPanoramaViewsFollowTheComposedPicture) {
    // Boxes 31 degrees left and right of the axis: a fisheye or panorama shows them near
    // the centre, where planar matrices would put empty space.
    prefs->ApplyMouseTemplate(1);  // "Blender Like": right selects, left moves the item
    InstallSelection();
    FilterBase_cls* a = AddBox(-6, 0, 0, 3);
    FilterBase_cls* b = AddBox(6, 0, 0, 3);
    MainGLCanvas_cls::SetSceneDrawer(DrawFilterBoxes);
    GoRenderConfig.bufferSizeIndex.value = 1;  // 512
    useFBO = true;
    view->settings.persAngle.value = 180;
    // The third pass looks through a lens whose middle shows the disc off its centre.
    const char* lens =
        "# lens\n# 2 x 2\no lens\n"
        "v -1 0 -1\nv 0 0 -1\nv 1 0 -1\nv -1 0 0\nv 0 0 0\nv 1 0 0\nv -1 0 1\nv 0 0 1\nv 1 0 1\n"
        "vt 0 1\nvt 0.5 1\nvt 1 1\nvt 0 0.5\nvt 0.62 0.45\nvt 1 0.5\nvt 0 0\nvt 0.5 0\nvt 1 0\n"
        "vn 0 -1\ns off\nusemtl none\n"
        "f 1/1/1 2/2/1 5/5/1 4/4/1\nf 2/2/1 3/3/1 6/6/1 5/5/1\nf 4/4/1 5/5/1 8/8/1 7/7/1\nf 5/5/1 6/6/1 9/9/1 8/8/1\n";
    ASSERT_NE(GpDistortionMesh, nullptr);
    std::string error;
    ASSERT_TRUE(GpDistortionMesh->Parse(lens, "lens.obj", &error)) << error;
    // The last pass shows a side-by-side stereogram: both eyes' pictures are clicked.
    SideBySideStereo side(0.02);
    struct Pass {
        int geometry;
        bool lens, sideBySide;
    };
    for (const Pass pass : {Pass{GEOMETRY_FISHEYE, false, false}, Pass{GEOMETRY_PANORAMA, false, false},
                            Pass{GEOMETRY_FISHEYE, true, false}, Pass{GEOMETRY_FISHEYE, false, true}}) {
        // names the pass in messages
        const int geometry = pass.geometry + (pass.lens ? 10 : 0) + (pass.sideBySide ? 20 : 0);
        view->settings.distortion.value = pass.lens;
        view->settings.geometry.value = pass.geometry;
        GpStereoGram = pass.sideBySide ? &side.stereo : nullptr;
        SetSelectedSceneObj(nullptr);
        for (auto& l : lists) l->SelectFilter(nullptr);
        ASSERT_TRUE(Paint());
        // Side by side, each eye's picture is clicked in its own half.
        const ViewShot shot = shots.at(0);
        const int width = pass.sideBySide ? kW / 2 : kW;
        for (int picture = 0; picture < (pass.sideBySide ? 2 : 1); ++picture) {
            const int from = picture * width;
            wxPoint seenA, seenB;
            ASSERT_TRUE(CentreOf(shot, IsBoxGreen, seenA, from + width, from)) << geometry;
            ASSERT_TRUE(CentreOf(shot, IsBoxBlue, seenB, from + width, from)) << geometry;
            EXPECT_LT(std::abs(seenB.x - from - width / 2), width / 4) << "the box is shown near the centre";
            for (auto [target, at] : {std::pair{b, seenB}, std::pair{a, seenA}}) {
                Drag(wxMOUSE_BTN_RIGHT, at.x, at.y, at.x, at.y);
                EXPECT_EQ(GpSelectedSceneObj, target->GetData()) << geometry << " picture " << picture;
            }
        }
        // Between the boxes is empty: the selection stays.
        const size_t clicks = picked.size();
        Drag(wxMOUSE_BTN_RIGHT, kW / 2, kH / 2 + 3, kW / 2, kH / 2 + 3);
        EXPECT_EQ(picked.size(), clicks) << geometry;
        EXPECT_EQ(GpSelectedSceneObj, a->GetData());
    }
    // A scale drag about box b as the fisheye shows it: pressed 14 pixels from it and
    // released 28 pixels away, it doubles the box on all axes.
    GpStereoGram = nullptr;
    view->settings.distortion.value = false;
    view->settings.geometry.value = GEOMETRY_FISHEYE;
    SetSelectedSceneObj(nullptr);
    ASSERT_TRUE(Paint());
    ASSERT_TRUE(Paint());
    wxPoint c;
    ASSERT_TRUE(CentreOf(shots.at(0), IsBoxBlue, c));
    SetSelectedSceneObj(b->GetData());
    for (auto& l : lists) l->SelectFilter(b);
    ASSERT_TRUE(Paint());
    GiItemEditMode = 1;
    sim->MouseMove(At(c.x - 10, c.y + 10));
    Pump(30);
    sim->MouseDown();
    ASSERT_TRUE(PumpUntil([&] { return view->Tracker().AnyButtonHeld(); }, 1000));
    Paint();
    sim->MouseMove(At(c.x - 20, c.y + 20));
    ASSERT_TRUE(PumpUntil([&] { return view->ItemDrag().active; }, 1000));
    Pump(20);
    sim->MouseUp();
    ASSERT_TRUE(PumpUntil([&] { return !view->ItemDrag().active; }, 1000));
    const std::vector<double> scale = b->GetData()->scale->GetValues(0, 0);
    EXPECT_NEAR(scale[0], 6.0, 0.4);
    EXPECT_NEAR(scale[1], scale[0], 1e-12);
    EXPECT_NEAR(scale[2], scale[0], 1e-12);
    GiItemEditMode = 0;
    GoRenderConfig.bufferSizeIndex.value = 3;
}

TEST_F(MouseViewTest, ClicksAndGizmoDragsInEitherPictureOfASideBySideStereogramHitWhatItShows) {
    prefs->ApplyMouseTemplate(1);  // "Blender Like": right selects, left moves the item
    InstallSelection();
    FilterBase_cls* a = AddBox(-1.5, 0, 0, 0.6);
    FilterBase_cls* b = AddBox(1.5, 0, 0, 0.6);
    MainGLCanvas_cls::SetSceneDrawer(DrawFilterBoxes);
    GoRenderConfig.bufferSizeIndex.value = 1;  // 512
    useFBO = true;
    // Eyes 2 apart: each eye's camera stands 1 to its side, so in either picture a pick
    // through the camera between them would miss the box clicked.
    SideBySideStereo side(2.0);
    GpStereoGram = &side.stereo;
    const int half = kW / 2;
    for (int geometry : {GEOMETRY_PERSPECTIVE, GEOMETRY_ORTHOGRAPHIC}) {
        view->settings.geometry.value = geometry;
        SetSelectedSceneObj(nullptr);
        for (auto& l : lists) l->SelectFilter(nullptr);
        ASSERT_TRUE(Paint());
        const ViewShot shot = shots.at(0);
        for (int picture : {0, 1}) {
            wxPoint seenA, seenB;
            ASSERT_TRUE(CentreOf(shot, IsBoxGreen, seenA, (picture + 1) * half, picture * half)) << geometry;
            ASSERT_TRUE(CentreOf(shot, IsBoxBlue, seenB, (picture + 1) * half, picture * half)) << geometry;
            for (auto [target, at] : {std::pair{b, seenB}, std::pair{a, seenA}}) {
                Drag(wxMOUSE_BTN_RIGHT, at.x, at.y, at.x, at.y);
                EXPECT_EQ(GpSelectedSceneObj, target->GetData()) << "geometry " << geometry << " picture " << picture;
            }
        }
    }
    // Box b selected: its gizmo shows in both pictures, each time beside the box as that
    // eye sees it, and a drag on the x handle in the right picture moves b along x only.
    GbParamUndoEnabled = 1;
    GoCommandHistory.Clear();
    GiItemEditMode = 0;
    view->settings.geometry.value = GEOMETRY_PERSPECTIVE;
    SetSelectedSceneObj(b->GetData());
    for (auto& l : lists) l->SelectFilter(b);
    ASSERT_TRUE(Paint());
    const ViewShot shot = shots.at(0);
    wxPoint handle;
    for (int picture : {0, 1}) {
        wxPoint box;
        ASSERT_TRUE(CentreOf(shot, IsBoxBlue, box, (picture + 1) * half, picture * half));
        ASSERT_TRUE(CentreOf(shot, IsQuadRed, handle, (picture + 1) * half, picture * half)) << picture;
        EXPECT_GT(handle.x, box.x) << picture;
        EXPECT_LT(handle.x, box.x + 8) << picture;
        EXPECT_NEAR(handle.y, box.y, 3) << picture;
    }
    Drag(wxMOUSE_BTN_LEFT, handle.x, handle.y, handle.x + 12, handle.y - 9);
    const std::vector<double> moved = b->GetData()->translate->GetValues(0, 0);
    EXPECT_GT(moved[0], 1.6);
    EXPECT_EQ(moved[1], 0.0);
    EXPECT_EQ(moved[2], 0.0);
    GoCommandHistory.Clear();
    GbParamUndoEnabled = 0;
    GoRenderConfig.bufferSizeIndex.value = 3;
}

TEST_F(MouseViewTest, CaptureLossEndsTheGesture) {
    sim->MouseMove(At(100, 75));
    Pump(30);
    sim->MouseDown();
    ASSERT_TRUE(PumpUntil([&] { return view->HasCapture(); }, 1000));
    view->ReleaseMouse();
    wxMouseCaptureLostEvent lost(view->GetId());
    lost.SetEventObject(view);
    view->GetEventHandler()->ProcessEvent(lost);
    EXPECT_FALSE(view->Tracker().AnyButtonHeld());
    sim->MouseUp();
    Pump(30);
}

TEST(GLPicker, DecodeKeepsRecordsInBufferOrderAndTrustsNoShortBuffer) {
    GLPicker_cls p;
    const unsigned buf[] = {1, 5, 9, 40, 2, 1, 2, 21, 0, 0, 0, 0};
    p.Decode(3, buf, 12);
    ASSERT_EQ(p.hits.size(), 3u);
    EXPECT_EQ(p.FirstName(), 40);  // first in the buffer, though deeper
    EXPECT_EQ(p.SecondName(), -1);
    p.Decode(2, buf + 4, 8);
    EXPECT_EQ(p.FirstName(), 21);
    EXPECT_EQ(p.SecondName(), 0);
    p.Decode(-1, buf, 12);  // overflow
    EXPECT_EQ(p.FirstName(), -1);
    const unsigned lying[] = {50, 0, 0, 7};
    p.Decode(1, lying, 4);  // more names than the buffer holds
    EXPECT_EQ(p.FirstName(), -1);
}

TEST_F(MouseViewTest, PressOnAModeIconSwitchesTheModeAndStartsNoGesture) {
    view->SetCurrent(*MainGLCanvas_cls::SharedContext());
    LoadModeIcons();
    ASSERT_GT(GoModeIconScale.width, 0) << "ICONS/Scale.png not found from the working folder";
    GiItemEditMode = 0;
    const GLCamera_cls before = Cam();
    // The scale icon's centre: 4 pixels from the left and from the bottom edge.
    const int x = 4 + GoModeIconScale.width / 2, y = kH - (4 + GoModeIconScale.height / 2);
    Drag(wxMOUSE_BTN_LEFT, x, y, x + 30, y - 20);
    EXPECT_EQ(GiItemEditMode, 1);
    EXPECT_FALSE(GbIconClick);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(Cam().pose.position[k], before.pose.position[k]);
    GiItemEditMode = 0;
}

TEST_F(MouseViewTest, SelectedObjectShowsItsGizmoAndAScaleDragItsGuideLine) {
    FilterBase_cls* box = AddBox(0.5, 0.5, 0, 0.2);
    for (bool fbo : {false, true}) {
        useFBO = fbo;
        SetSelectedSceneObj(nullptr);
        ASSERT_TRUE(Paint());
        double w[3];
        ProjectInView(*view, kW, kH, 0.5 + 0.35, 0.5, 0, w);  // on the x handle
        const ViewShot& before = shots.at(0);
        EXPECT_FALSE(IsQuadRed(before.At(int(w[0]), int(w[1])))) << "the quad is not there";
        SetSelectedSceneObj(box->GetData());
        GiItemEditMode = 0;
        ASSERT_TRUE(Paint());
        bool red = false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) red |= IsQuadRed(shots.at(0).At(int(w[0]) + dx, int(w[1]) + dy));
        EXPECT_TRUE(red) << "x handle of the gizmo, fbo " << fbo;
    }
    // A scale drag away from the centre draws the grey dashed line to the pointer.
    prefs->ApplyMouseTemplate(1);
    GiItemEditMode = 1;
    const wxPoint c = Pixel(0.5, 0.5, 0);
    sim->MouseMove(At(c.x - 30, c.y + 20));
    Pump(30);
    sim->MouseDown();
    ASSERT_TRUE(PumpUntil([&] { return view->Tracker().AnyButtonHeld(); }, 1000));
    Paint();
    sim->MouseMove(At(c.x - 40, c.y + 30));
    ASSERT_TRUE(PumpUntil([&] { return view->ItemDrag().active; }, 1000));
    ASSERT_TRUE(Paint());
    const ViewShot& s = shots.at(0);
    // Halfway between the object and the pointer (GL rows count up).
    const int mx = (c.x + c.x - 40) / 2, my = kH - (c.y + c.y + 30) / 2;
    int grey = 0;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const unsigned char* p = s.At(mx + dx, my + dy);
            grey += p[0] > 150 && p[1] > 150 && p[2] > 150;
        }
    EXPECT_GT(grey, 0);
    sim->MouseUp();
    ASSERT_TRUE(PumpUntil([&] { return !view->ItemDrag().active; }, 1000));
    const std::vector<double> scale = box->GetData()->scale->GetValues(0, 0);
    EXPECT_GT(scale[0], 0.2 * 1.2);  // 50 px from the centre, pressed at 36: bigger on all axes
    EXPECT_NEAR(scale[0], scale[1], 1e-12);
    GiItemEditMode = 0;
}

TEST_F(MouseViewTest, WheelOverAnotherViewOnlyMovesTheFocusThere) {
    auto* other = new MainGLCanvas_cls(frame, nullptr, 1, 0);
    other->SetMinSize(wxSize(100, kH));
    frame->GetSizer()->Add(other, 0);
    frame->Layout();
    ASSERT_TRUE(PumpUntil([&] { return other->IsShownOnScreen() && other->GetClientSize().x > 0; }, 3000));
    view->siblings = {view, other};
    other->siblings = view->siblings;
    view->MakeCurrentView();
    const double d0 = Cam().PivotDistance(), d1 = other->GetActiveCamera()->PivotDistance();
    auto wheelTo = [](MainGLCanvas_cls* target) {
        wxMouseEvent e(wxEVT_MOUSEWHEEL);
        e.m_wheelRotation = 120;
        e.m_wheelDelta = 120;
        e.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
        e.SetEventObject(target);
        target->GetEventHandler()->ProcessEvent(e);
    };
    const wxRect r = other->GetScreenRect();
    sim->MouseMove(r.x + r.width / 2, r.y + r.height / 2);
    ASSERT_TRUE(PumpUntil([&] { return other->IsMouseInside(); }, 1000));
    wheelTo(view);  // the wheel still reaches the old view: it hands the focus over
    EXPECT_EQ(GpCurrentCanvas, other);
    EXPECT_EQ(Cam().PivotDistance(), d0);
    EXPECT_EQ(other->GetActiveCamera()->PivotDistance(), d1);
    wheelTo(other);  // the next step zooms the view under the pointer
    EXPECT_NEAR(other->GetActiveCamera()->PivotDistance(), d1 * 1.1, 1e-9);
    EXPECT_EQ(Cam().PivotDistance(), d0);
    view->siblings.clear();
    other->Destroy();
    Pump(20);
}
