// The view control bar: each camera choice of its combo shows the view its table names
// (markers one step along +x, +y and +z land on the expected sides of the pivot, drawn
// directly and off-screen), the upper views offer eight choices and the extra view nine,
// "Cam0" links the view to the camera path, the row sheds controls as it narrows, and the
// context menu toggles perspective, links and unlinks, and asks the frame for keys.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/tglbtn.h>

#include "common/CommandIds.h"
#include "scene/AnchorPath.h"
#include "scene/CameraPath.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/ParamHistoryFixture.h"
#include "view/gui/FBO.h"
#include "view/gui/GLCanvasCtrl.h"
#include "view/gui/GLResources.h"
#include "view/gui/MainGLCanvas.h"

namespace {

constexpr double kStep = 0.3;  ///< marker distance from the pivot
const float kMarker[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0.5f, 1}, {1, 1, 1}};  // x, y, z, pivot

void Cube(double cx, double cy, double cz, double h) {
    const double v[8][3] = {{cx - h, cy - h, cz - h}, {cx + h, cy - h, cz - h}, {cx + h, cy + h, cz - h},
                            {cx - h, cy + h, cz - h}, {cx - h, cy - h, cz + h}, {cx + h, cy - h, cz + h},
                            {cx + h, cy + h, cz + h}, {cx - h, cy + h, cz + h}};
    const int f[6][4] = {{0, 1, 2, 3}, {4, 5, 6, 7}, {0, 1, 5, 4}, {2, 3, 7, 6}, {0, 3, 7, 4}, {1, 2, 6, 5}};
    glBegin(GL_QUADS);
    for (const auto& q : f)
        for (int k : q) glVertex3dv(v[k]);
    glEnd();
}

/// Three small coloured cubes one step along +x, +y and +z from the axis pivot, and a white
/// one at the pivot itself.
void DrawMarkers(MainGLCanvas_cls&, const SceneDrawArgs&) {
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    const double* p = GoAxisPivotPose.position;
    for (int m = 0; m < 4; ++m) {
        glColor3fv(kMarker[m]);
        double c[3] = {p[0], p[1], p[2]};
        if (m < 3) c[m] += kStep;
        Cube(c[0], c[1], c[2], 0.04);
    }
}

struct Shot {
    int w = 0, h = 0;
    std::vector<unsigned char> rgba;
};

/// Centre of the pixels of marker m; false when none is seen.
bool Centre(const Shot& s, int m, double& x, double& y) {
    double sx = 0, sy = 0;
    int n = 0;
    for (int j = 0; j < s.h; ++j)
        for (int i = 0; i < s.w; ++i) {
            const unsigned char* px = &s.rgba[4 * (size_t(j) * s.w + i)];
            bool match = true;
            for (int k = 0; k < 3; ++k)
                if (std::abs(int(px[k]) - int(kMarker[m][k] * 255)) > 40) match = false;
            if (match) sx += i, sy += j, ++n;
        }
    if (n == 0) return false;
    x = sx / n, y = sy / n;
    return true;
}

class BarFixture : public ParamHistoryFixture {
protected:
    void SetUp() override {
        ParamHistoryFixture::SetUp();
        GoAxisPivotPose = GLCameraPose_cls();
        GoPivotPose = GLCameraPose_cls();
        path = std::make_unique<CameraPath_cls>();
        anchor = std::make_unique<AnchorPath_cls>();
        GpCameraPath = path.get();
        GpAnchorPath = anchor.get();
        CreateGLResources();
        MainGLCanvas_cls::SetSceneDrawer(DrawMarkers);
        MainGLCanvas_cls::SetPaintProbe([this](MainGLCanvas_cls& v) {
            Shot s;
            const wxSize size = v.GetClientSize();
            s.w = size.x, s.h = size.y;
            s.rgba.resize(size_t(4) * s.w * s.h);
            glFinish();
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glReadBuffer(GL_BACK);
            glReadPixels(0, 0, s.w, s.h, GL_RGBA, GL_UNSIGNED_BYTE, s.rgba.data());
            shot = std::move(s);
        });
    }
    void Make(int viewIndex, int choice, wxSize size = wxSize(480, 360)) {
        frame = new wxFrame(nullptr, wxID_ANY, "bar", wxDefaultPosition, size);
        bar = new GLCanvasCtrl_cls(frame, frame, viewIndex, choice, "bar");
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(bar, 1, wxEXPAND);
        frame->SetSizer(sizer);
        frame->Show();
        frame->Bind(wxEVT_MENU, [this](wxCommandEvent& e) { posted.push_back(e.GetId()); });
        testsupport::PumpUntil([&] { return bar->View()->IsShownOnScreen(); }, 3000);
    }
    void TearDown() override {
        MainGLCanvas_cls::SetPaintProbe(nullptr);
        MainGLCanvas_cls::SetSceneDrawer(nullptr);
        MainGLCanvas_cls::SetUseFBO(nullptr);
        if (bar && bar->View()->IsShownOnScreen()) bar->View()->SetCurrent(*MainGLCanvas_cls::SharedContext());
        ReleaseGLResources();
        if (frame) frame->Destroy();
        testsupport::Pump(20);
        GpCameraPath = nullptr;
        GpAnchorPath = nullptr;
        ParamHistoryFixture::TearDown();
    }
    /// Paints once more and returns the picture.
    const Shot& Paint() {
        MainGLCanvas_cls* v = bar->View();
        for (int i = 0; i < 3; ++i) {
            const int before = v->DrawCount();
            v->Refresh(false);
            if (testsupport::PumpUntil([&] { return v->DrawCount() > before; }, 2000)) break;
        }
        return shot;
    }
    /// Chooses `text` in `combo` as the user does.
    void Choose(wxComboBox* combo, const wxString& text) {
        combo->SetValue(text);
        wxCommandEvent e(wxEVT_COMBOBOX, combo->GetId());
        e.SetEventObject(combo);
        combo->GetEventHandler()->ProcessEvent(e);
    }

    std::unique_ptr<CameraPath_cls> path;
    std::unique_ptr<AnchorPath_cls> anchor;
    wxFrame* frame = nullptr;
    GLCanvasCtrl_cls* bar = nullptr;
    Shot shot;
    std::vector<int> posted;
};

}  // namespace

TEST_F(BarFixture, EachAxisChoiceShowsTheViewItsNameSays) {
    Make(1, 0);
    Paint();  // the first paint sets the GL state up
    ASSERT_TRUE(GbFBOSupported);
    GoAxisPivotPose.position[0] = 5;  // away from the origin: the axis views follow their pivot
    GoAxisPivotPose.position[2] = -1;
    // Where the +x, +y and +z markers appear from the pivot: screen right R, left L, up U,
    // down D, or hidden on the line of sight (-).
    struct Case {
        int choice;
        const char* side;  ///< one letter for each of x, y, z
    };
    const Case cases[] = {{1, "-LU"}, {2, "-RU"}, {3, "R-U"}, {4, "L-U"}, {5, "LU-"}, {6, "RU-"}};
    for (int fbo = 0; fbo < 2; ++fbo) {
        MainGLCanvas_cls::SetUseFBO([fbo] { return fbo == 1; });
        for (const Case& c : cases) {
            Choose(bar->CameraCombo(), GLCanvasCtrl_cls::ChoiceName(c.choice));
            EXPECT_EQ(bar->View()->CameraChoice(), c.choice);
            EXPECT_EQ(bar->GeometryCombo()->GetValue(), GLCanvasCtrl_cls::GeometryName(1));
            const Shot& s = Paint();
            // The pivot lies in the middle of the view (hidden behind the marker on the line
            // of sight when that one stands in front of it).
            double px, py;
            const int sight = int(std::strchr(c.side, '-') - c.side);
            ASSERT_TRUE(Centre(s, 3, px, py) || Centre(s, sight, px, py)) << "choice " << c.choice;
            EXPECT_NEAR(px, s.w / 2.0, 3) << c.choice;
            EXPECT_NEAR(py, s.h / 2.0, 3) << c.choice;
            for (int m = 0; m < 3; ++m) {
                double x = 0, y = 0;
                const bool seen = Centre(s, m, x, y);
                const char want = c.side[m];
                if (want == '-') {
                    // on the line of sight: behind the pivot or in front of it, at the centre
                    if (seen) {
                        EXPECT_NEAR(x, px, 3) << c.choice << " marker " << m;
                    }
                    continue;
                }
                ASSERT_TRUE(seen) << "choice " << c.choice << " marker " << m << " fbo " << fbo;
                // One step of 0.3 in a view 1 unit high (GLOrthoScale 1): 0.3 of the height.
                const double step = 0.3 * s.h;
                const double dx = x - px, dy = y - py;  // rows run bottom-up: +dy is up
                const double ex = want == 'R' ? step : want == 'L' ? -step : 0;
                const double ey = want == 'U' ? step : want == 'D' ? -step : 0;
                EXPECT_NEAR(dx, ex, 3) << "choice " << c.choice << " marker " << m << " fbo " << fbo;
                EXPECT_NEAR(dy, ey, 3) << "choice " << c.choice << " marker " << m << " fbo " << fbo;
            }
        }
    }
    // Back to the free view: perspective again.
    Choose(bar->CameraCombo(), GLCanvasCtrl_cls::ChoiceName(0));
    EXPECT_EQ(bar->View()->settings.geometry.value, GEOMETRY_PERSPECTIVE);
    Paint();
    EXPECT_TRUE(bar->View()->projection.perspective);
}

TEST_F(BarFixture, UpperViewsOfferEightChoicesTheExtraViewNine) {
    Make(0, 0);
    EXPECT_EQ(bar->CameraCombo()->GetCount(), 8u);
    EXPECT_EQ(bar->CameraCombo()->GetString(7), "Cam0");
    EXPECT_EQ(bar->CameraCombo()->GetValue(), "Free");
    // Cam0 sets choice 7 and links the view to the scene's camera path.
    Choose(bar->CameraCombo(), "Cam0");
    EXPECT_EQ(bar->View()->CameraChoice(), CAMERA_PATH);
    EXPECT_TRUE(bar->View()->cameras.FollowsPath());
    Paint();
    EXPECT_NEAR(bar->View()->camera.pose.position[0], -1.5, 1e-9) << "the view stands on the path";
    frame->Destroy();
    testsupport::Pump(20);
    frame = nullptr;
    bar = nullptr;

    Make(4, 0);
    ASSERT_EQ(bar->CameraCombo()->GetCount(), 9u);
    EXPECT_EQ(bar->CameraCombo()->GetString(8), "Copy of View 0");
    EXPECT_FALSE(bar->Toggle(0)->GetValue()) << "the extra view starts without its info line";
}

TEST_F(BarFixture, TogglesAndCheckBoxWriteTheSettingsAndSettingsShowInTheBar) {
    Make(0, 0);
    ViewSettings_cls& s = bar->View()->settings;
    wxToggleButton* d = bar->Toggle(3);
    d->SetValue(false);
    wxCommandEvent e(wxEVT_TOGGLEBUTTON, d->GetId());
    e.SetEventObject(d);
    d->GetEventHandler()->ProcessEvent(e);
    EXPECT_FALSE(s.showData.value);
    bar->PivotCheck()->SetValue(true);
    wxCommandEvent c(wxEVT_CHECKBOX, bar->PivotCheck()->GetId());
    c.SetEventObject(bar->PivotCheck());
    bar->PivotCheck()->GetEventHandler()->ProcessEvent(c);
    EXPECT_TRUE(s.pivotMode.value);

    // Lines read from a file show once the bar is synchronised.
    s.ReadLine("Panel0DisplayMode=4");
    s.ReadLine("Panel0GLGeometry=2");
    s.ReadLine("Panel0ShowGrid=0");
    bar->SyncChoices();
    bar->SyncToggles();
    EXPECT_EQ(bar->CameraCombo()->GetValue(), "From +Y to -Y");
    EXPECT_EQ(bar->GeometryCombo()->GetValue(), GLCanvasCtrl_cls::GeometryName(2));
    EXPECT_FALSE(bar->Toggle(2)->GetValue());
}

TEST_F(BarFixture, NarrowBarsShedControlsGeometryFirst) {
    Make(0, 0, wxSize(1000, 300));
    auto shown = [&]() {
        return std::vector<bool>{bar->Toggle(0)->IsShown(), bar->CameraCombo()->IsShown(),
                                 bar->PivotCheck()->IsShown(), bar->GeometryCombo()->IsShown()};
    };
    EXPECT_EQ(shown(), (std::vector<bool>{true, true, true, true}));
    int lastCount = 4;
    for (int w : {700, 500, 400, 300, 220, 160, 100}) {
        frame->SetClientSize(w, 300);
        testsupport::Pump(30);
        const std::vector<bool> s = shown();
        int count = 0;
        for (bool b : s) count += b;
        // Controls go in a fixed order, never one before the one listed after it.
        for (int k = 1; k < 4; ++k) EXPECT_FALSE(s[k] && !s[k - 1]) << "width " << w;
        EXPECT_LE(count, lastCount) << "width " << w;
        lastCount = count;
        // Whatever is shown fits whole in the bar.
        int used = 0;
        for (wxWindow* c : {static_cast<wxWindow*>(bar->Toggle(0)), static_cast<wxWindow*>(bar->CameraCombo()),
                            static_cast<wxWindow*>(bar->PivotCheck()), static_cast<wxWindow*>(bar->GeometryCombo())})
            if (c->IsShown()) used += c->GetBestSize().x;
        if (s[0]) used += 3 * bar->Toggle(1)->GetBestSize().x;
        EXPECT_LE(used, w) << "width " << w;
    }
    EXPECT_EQ(shown(), (std::vector<bool>{false, false, false, false})) << "100 pixels show nothing";
}

TEST_F(BarFixture, ContextMenuTogglesPerspectiveLinksAndAsksForKeys) {
    Make(0, 0);
    MainGLCanvas_cls* v = bar->View();
    auto menu = [&](int id) {
        wxCommandEvent e(wxEVT_MENU, id);
        v->GetEventHandler()->ProcessEvent(e);
        testsupport::Pump(20);
    };
    menu(6553);
    EXPECT_EQ(v->settings.geometry.value, GEOMETRY_ORTHOGRAPHIC);
    menu(6553);
    EXPECT_EQ(v->settings.geometry.value, GEOMETRY_PERSPECTIVE);
    menu(6551);  // link
    EXPECT_EQ(v->CameraChoice(), CAMERA_PATH);
    EXPECT_EQ(bar->CameraCombo()->GetValue(), "Cam0");
    menu(6551);  // unlink
    EXPECT_EQ(v->CameraChoice(), CAMERA_FREE);
    EXPECT_EQ(bar->CameraCombo()->GetValue(), "Free");
    menu(6547);  // move to the camera's place
    EXPECT_EQ(v->CameraChoice(), CAMERA_PATH);
    menu(6552);  // unlink, the view staying
    EXPECT_EQ(v->CameraChoice(), CAMERA_FREE);
    EXPECT_NEAR(v->cameras.free.pose.position[0], -1.5, 1e-9);
    posted.clear();
    menu(6548);
    menu(6549);
    menu(6550);
    EXPECT_EQ(posted, (std::vector<int>{ID_SET_CAMERA_KEY_POS, ID_SET_CAMERA_KEY_POSROT, ID_SET_ANCHOR_KEY}));
}
