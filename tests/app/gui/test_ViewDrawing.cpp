// The real program draws its particles: with a small generated sequence loaded, every view
// of the four-view layout shows each particle in its type's colour where its camera puts
// it, in direct display and off-screen modes alike.
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/ViewPixels.h"

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <map>

#include "app/gui/AppCore.h"
#include "app/gui/TopHalfPanel.h"
#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "data/DataSequenceSet.h"
#include "filters/ColorCurve.h"
#include "tools/DemoSequence.h"
#include "view/OverlaySettings.h"
#include "view/ParticleAttrib.h"
#include "view/Snap.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/SequenceRenderer.h"
#include "view/gui/ViewScene.h"

using shelltest::Shell;
using testsupport::TempDir;

namespace {

constexpr int kParticles = 24;
const float kTypeColours[4][4] = {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0.4f, 1, 1}, {1, 1, 1, 1}};

std::string WriteSequence(const TempDir& dir) { return viewpixels::WriteSequence(dir, kParticles, 3); }

/// Per view: how many particles were seen in their colour at their projected place, and
/// how many could be judged (no particle of another type close by on screen).
struct ViewCheck {
    int judged = 0;
    int matched = 0;
    int drawn = 0;
    std::string misses;
};

bool ColourMatches(const unsigned char* p, const float c[4]) {
    for (int k = 0; k < 3; ++k)
        if (std::abs(int(p[k]) - int(std::lround(c[k] * 255))) > 40) return false;
    return true;
}

/// Reads the view's picture after its paint and looks for every particle of the drawn frame.
void CheckView(MainGLCanvas_cls& v, std::map<int, ViewCheck>& checks) {
    if (!GpSnap || !GpSnap->allocated) return;
    const wxSize size = v.GetClientSize();
    const int w = size.x, h = size.y;
    const std::vector<unsigned char> rgba = viewpixels::ReadBack(w, h);
    const viewpixels::Projected at = viewpixels::ProjectDrawnFrame(v, w, h);
    const int n = int(GpSnap->count);
    const std::vector<double>& sx = at.x;
    const std::vector<double>& sy = at.y;
    ViewCheck c;
    c.drawn = v.DrawCount();
    for (int i = 0; i < n; ++i) {
        const int t = GpSnap->type[i];
        if (viewpixels::Crowded(at, i, w, h)) continue;
        ++c.judged;
        bool found = false;
        for (int dy = -2; dy <= 2 && !found; ++dy)
            for (int dx = -2; dx <= 2 && !found; ++dx) {
                const int x = int(sx[i]) + dx, y = int(sy[i]) + dy;
                found = ColourMatches(&rgba[4 * (size_t(y) * w + x)], kTypeColours[t]);
            }
        if (found)
            ++c.matched;
        else
            c.misses += " particle " + std::to_string(i) + " type " + std::to_string(t);
    }
    checks[v.ViewIndex()] = c;
}

class ViewDrawing : public ::testing::TestWithParam<bool> {};

}  // namespace

TEST_P(ViewDrawing, EveryViewShowsEachParticleInItsTypeColour) {
    const bool offScreen = GetParam();
    TempDir dir;
    const std::string first = WriteSequence(dir);
    std::map<int, ViewCheck> checks;
    MainGLCanvas_cls::SetPaintProbe([&checks](MainGLCanvas_cls& v) { CheckView(v, checks); });
    struct ProbeGuard {
        ~ProbeGuard() { MainGLCanvas_cls::SetPaintProbe(nullptr); }
    } guard;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    MainGLCanvas_cls::SetUseFBO([offScreen] { return offScreen; });
    shell.frame->SetSize(1000, 800);
    // Only the particles: the ground grid and the pivot marker are drawn over them.
    shell.ParticlesOnly();
    // Nor the legend the overlay shows by default in the bottom right corner.
    shell.core->GetOverlaySettings()->showLegend.values[0] = false;
    ParticleAttrib_cls* const* attribs =
        shell.core->GetSequenceRenderer()->Attribs(GpDataSequenceSet->current);
    for (int t = 0; t < 4; ++t) {
        std::copy(kTypeColours[t], kTypeColours[t] + 4, attribs[t]->col->constantColor.values);
        attribs[t]->pointSize.value = 6;
    }
    GbSnapDataRefresh = true;
    shell.core->LoadFileSequence(wxString::FromUTF8(first));
    // Every view looks through the free camera (the side views would stack particles
    // behind each other).
    for (int i = 1; i < 4; ++i) shell.frame->GetTopPanel()->View(i)->SetCameraChoice(0);
    shell.Post(ID_LAYOUT_4A);
    shell.frame->GetTopPanel()->RedrawViews();
    // Views drawn before the data came in saw no frame; wait for a picture of each view
    // with the particles.
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        for (int i = 0; i < 4; ++i)
            if (!checks.count(i) || checks[i].judged == 0) return false;
        return true;
    }, 20000));
    for (int i = 0; i < 4; ++i) {
        const ViewCheck& c = checks[i];
        EXPECT_GE(c.judged, kParticles / 3) << "view " << i;
        EXPECT_EQ(c.matched, c.judged) << "view " << i << " missed" << c.misses;
    }
}

INSTANTIATE_TEST_SUITE_P(DirectAndOffScreen, ViewDrawing, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "OffScreen" : "Direct"; });
