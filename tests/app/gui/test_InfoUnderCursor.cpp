// The Info page shows the particle under the mouse: with a small sequence loaded, moving
// the pointer onto a particle's place in the main view fills the page with that particle's
// values, drawn ("Interp.") or as read ("Raw Data"), in direct and off-screen modes.
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/ViewPixels.h"

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>
#include <wx/notebook.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <cmath>

#include "app/gui/AppCore.h"
#include "app/gui/TopHalfPanel.h"
#include "common/CommandHistory.h"
#include "common/gui/MultiInputPanel.h"
#include "data/DataSequenceSet.h"
#include "data/ParticleData.h"
#include "tools/DemoSequence.h"
#include "view/InfoSettings.h"
#include "view/Snap.h"
#include "view/gui/InfoHover.h"
#include "view/gui/InfoPage.h"
#include "view/gui/MainGLCanvas.h"

using shelltest::Shell;
using testsupport::PumpUntil;
using testsupport::TempDir;

namespace {

constexpr int kParticles = 30;

std::string WriteSequence(const TempDir& dir) { return viewpixels::WriteSequence(dir, kParticles, 2); }

// Window point (pixels from the top left) where particle i of the drawn frame lands in
// `view`, through the matrices the view drew with; false when it is off the view.
bool WindowPointOf(const MainGLCanvas_cls& view, int i, wxPoint& out) {
    const ViewMatrices m = DrawnMatrices(view);
    if (!m.valid) return false;
    const float* q = GpSnap->positions + 3 * i;
    double tx, ty, tz;
    gluProject(q[0], q[1], q[2], m.modelview, m.projection, m.viewport, &tx, &ty, &tz);
    const wxSize size = view.GetClientSize();
    const double w = size.x, h = size.y;
    double gx = tx, gy = ty;
    if (m.viewport[2] != size.x || m.viewport[3] != size.y) {  // the square buffer over the wider side
        const double s = std::max(w, h);
        gx = tx * s / m.viewport[2] + (w - s) / 2;
        gy = ty * s / m.viewport[3] + (h - s) / 2;
    }
    out = wxPoint(int(std::floor(gx)), int(std::floor(h - gy)));
    return out.x > 10 && out.y > 10 && out.x < size.x - 10 && out.y < size.y - 10;
}

class InfoUnderCursor : public ::testing::TestWithParam<bool> {};

}  // namespace

TEST_P(InfoUnderCursor, PointingAtAParticleShowsItsValues) {
    const bool offScreen = GetParam();
    TempDir dir;
    const std::string first = WriteSequence(dir);
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    MainGLCanvas_cls::SetUseFBO([offScreen] { return offScreen; });
    struct Restore {
        ~Restore() { MainGLCanvas_cls::SetUseFBO(nullptr); }
    } restore;
    shell.frame->SetSize(1000, 800);
    shell.core->LoadFileSequence(wxString::FromUTF8(first));
    TopHalfPanel_cls* top = shell.frame->GetTopPanel();
    wxNotebook* book = top->OptionBook();
    int infoPage = -1;
    for (size_t i = 0; i < book->GetPageCount(); ++i)
        if (book->GetPageText(i) == "Info") infoPage = int(i);
    ASSERT_GE(infoPage, 0) << "the option notebook has an Info page";
    book->SetSelection(infoPage);
    InfoSettings_cls* info = shell.core->GetInfoSettings();
    ASSERT_NE(info, nullptr);
    ASSERT_NE(GpInfoPage, nullptr);
    MainGLCanvas_cls* view = top->View(0);
    const int drawn = view->DrawCount();
    top->RedrawViews();
    ASSERT_TRUE(PumpUntil([&] {
        return view->DrawCount() > drawn && GpSnap && GpSnap->count == kParticles && DrawnMatrices(*view).valid;
    }, 20000));
    ASSERT_TRUE(PumpUntil([&] { return GpInfoPage->panel->IsShownOnScreen(); }, 3000));

    // A particle with no other within 12 pixels on the screen, not particle 0 (the index
    // the page starts at).
    int target = -1;
    wxPoint at;
    for (int i = 1; i < kParticles && target < 0; ++i) {
        wxPoint p;
        if (!WindowPointOf(*view, i, p)) continue;
        bool alone = true;
        for (int j = 0; j < kParticles && alone; ++j) {
            wxPoint o;
            if (j != i && WindowPointOf(*view, j, o) && std::hypot(o.x - p.x, o.y - p.y) < 12) alone = false;
        }
        if (alone) target = i, at = p;
    }
    ASSERT_GE(target, 0) << "some particle stands alone in the view";

    wxUIActionSimulator sim;
    sim.MouseMove(view->ClientToScreen(wxPoint(at.x + 2, at.y - 1)));
    ASSERT_TRUE(PumpUntil([&] { return info->Index() == target; }, 3000))
        << "the pointer near particle " << target << " at " << at.x << "," << at.y << " chose " << info->Index();
    const InfoParticle& shown = GpInfoPage->shown;
    EXPECT_FLOAT_EQ(shown.x, GpSnap->positions[3 * target]);
    EXPECT_FLOAT_EQ(shown.y, GpSnap->positions[3 * target + 1]);
    EXPECT_FLOAT_EQ(shown.z, GpSnap->positions[3 * target + 2]);
    EXPECT_EQ(shown.type, GpSnap->type[target]);
    EXPECT_FLOAT_EQ(shown.radius, GpSnap->radius[target]);
    EXPECT_FALSE(GoCommandHistory.CanUndo()) << "pointing is not an edit";

    // "Raw Data": the snapshot as read, with its velocity and ID.
    info->type.value = 1;
    sim.MouseMove(view->ClientToScreen(wxPoint(at.x - 1, at.y + 1)));
    const ParticleData_cls* raw = GpSnap->snapshot;
    ASSERT_NE(raw, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return shown.id == raw->id[target] && shown.vx == raw->velocity[3 * target]; }, 3000));
    EXPECT_FLOAT_EQ(shown.x, raw->position[3 * target]);
    EXPECT_FLOAT_EQ(shown.value, raw->value1[target]);

    // Far from every particle nothing changes.
    sim.MouseMove(view->ClientToScreen(wxPoint(2, 2)));
    testsupport::Pump(50);
    EXPECT_EQ(info->Index(), target);
}

INSTANTIATE_TEST_SUITE_P(DirectAndOffScreen, InfoUnderCursor, ::testing::Values(false, true),
                         [](const auto& i) { return i.param ? "OffScreen" : "Direct"; });
