// The Info page keeps the particle index the user typed: with a small sequence loaded,
// moving the pointer onto another particle's place in the main view leaves the page showing
// the typed particle's values, in direct and off-screen modes.
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/ViewPixels.h"

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>
#include <wx/notebook.h>
#include <wx/spinctrl.h>
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
#include "view/gui/InfoPage.h"
#include "view/gui/MainGLCanvas.h"

using shelltest::Shell;
using testsupport::PumpUntil;
using testsupport::TempDir;

namespace {

constexpr int kParticles = 30;

std::string WriteSequence(const TempDir& dir) { return viewpixels::WriteSequence(dir, kParticles, 2); }

// Window point (pixels from the top left) where particle i of the drawn frame lands in
// `view`; false when it is near the view's edge.
bool WindowPointOf(const MainGLCanvas_cls& view, int i, wxPoint& out) {
    const wxSize size = view.GetClientSize();
    const viewpixels::Projected p = viewpixels::ProjectDrawnFrame(view, size.x, size.y);
    if (i >= int(p.x.size())) return false;
    out = wxPoint(int(std::floor(p.x[size_t(i)])), int(std::floor(size.y - p.y[size_t(i)])));
    return out.x > 10 && out.y > 10 && out.x < size.x - 10 && out.y < size.y - 10;
}

class InfoUnderCursor : public ::testing::TestWithParam<bool> {};

}  // namespace

TEST_P(InfoUnderCursor, PointingAtAParticleKeepsTheTypedIndex) {
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
        return view->DrawCount() > drawn && GpSnap && GpSnap->count == kParticles;
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

    // The user types another particle's index into the page.
    const int typed = target == 1 ? 2 : 1;
    auto* spin = dynamic_cast<wxSpinCtrl*>(GpInfoPage->panel->GetItemControl(GpInfoPage->indexItem + 1));
    ASSERT_NE(spin, nullptr);
    spin->SetValue(typed);
    wxSpinEvent typedEvent(wxEVT_SPINCTRL, spin->GetId());
    typedEvent.SetEventObject(spin);
    typedEvent.SetPosition(typed);
    spin->GetEventHandler()->ProcessEvent(typedEvent);
    const InfoParticle& shown = GpInfoPage->shown;
    auto showsTyped = [&] {
        return info->Index() == typed && shown.x == GpSnap->positions[3 * typed] &&
               shown.y == GpSnap->positions[3 * typed + 1] && shown.radius == GpSnap->radius[typed];
    };
    ASSERT_TRUE(PumpUntil(showsTyped, 5000)) << "the page shows the typed particle";

    // Moving the pointer over the views, onto another particle's place and past it, keeps
    // the typed particle on the page.
    wxUIActionSimulator sim;
    for (const wxPoint& p : {wxPoint(at.x + 2, at.y - 1), wxPoint(at.x - 1, at.y + 1), wxPoint(2, 2)}) {
        sim.MouseMove(view->ClientToScreen(p));
        testsupport::Pump(60);
        EXPECT_TRUE(showsTyped()) << "pointer at " << p.x << "," << p.y << " near particle " << target
                                  << ": index " << info->Index();
    }
    EXPECT_EQ(spin->GetValue(), typed);
}

INSTANTIATE_TEST_SUITE_P(DirectAndOffScreen, InfoUnderCursor, ::testing::Values(false, true),
                         [](const auto& i) { return i.param ? "OffScreen" : "Direct"; });
