// The real program playing a generated sequence: playback advances the frame the views draw
// (the status line's frame changes and the pictures differ), the status line shows the
// drawing progress while a frame is drawn, and a saved PNG of a view holds each particle's
// type colour where the view's camera projects it; an enabled DataBox moves the particles
// in the views, drawn directly and off screen alike.
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/ViewPixels.h"

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <map>
#include <set>

#include <wx/image.h>
#include <wx/statusbr.h>

#include "app/gui/AppCore.h"
#include "app/gui/TopHalfPanel.h"
#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "data/DataSequenceSet.h"
#include "filters/ColorCurve.h"
#include "filters/FilterBase.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterDataBox.h"
#include "timeline/TimeCtrl.h"
#include "tools/DemoSequence.h"
#include "view/ImageSaver.h"
#include "view/OverlaySettings.h"
#include "view/ParticleAttrib.h"
#include "view/Snap.h"
#include "view/gui/ImageSaverGL.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/SequenceRenderer.h"
#include "view/gui/ViewScene.h"

using shelltest::Shell;
using testsupport::TempDir;

namespace {

const float kTypeColours[4][4] = {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0.4f, 1, 1}, {1, 1, 1, 1}};

/// Five frames of `particles` particles drifting along x, written as binary files.
std::string WriteDrifting(const TempDir& dir, int particles) {
    DemoSequenceOptions o;
    o.grammar = SnapshotGrammar();
    o.frames = 5;
    o.particles = particles;
    o.drift[0] = 0.6f;
    std::string error;
    const std::string folder = dir.File("seq");
    EXPECT_TRUE(DemoSequence_cls(o).WriteAll(folder, error)) << error;
    return folder + "/" + o.FileName(0);
}

/// The shell with the sequence loaded, the particles in their type colours (points of 6
/// pixels), only the particles drawn, and the four-view layout.
void Prepare(Shell& shell, const std::string& first) {
    shell.frame->SetSize(1000, 800);
    shell.ParticlesOnly();
    // Nor the legend the overlay shows by default in the bottom right corner.
    shell.core->GetOverlaySettings()->showLegend.values[0] = false;
    ParticleAttrib_cls* const* attribs = shell.core->GetSequenceRenderer()->Attribs(GpDataSequenceSet->current);
    for (int t = 0; t < 4; ++t) {
        std::copy(kTypeColours[t], kTypeColours[t] + 4, attribs[t]->col->constantColor.values);
        attribs[t]->pointSize.value = 6;
    }
    GbSnapDataRefresh = true;
    shell.core->LoadFileSequence(wxString::FromUTF8(first));
    shell.Post(ID_LAYOUT_4A);
    shell.frame->GetTopPanel()->RedrawViews();
}

std::vector<unsigned char> ReadBack(int w, int h) { return viewpixels::ReadBack(w, h, GL_RGB); }

struct Picture {
    int frame = -1;
    wxString status;
    std::vector<unsigned char> rgb;
};

}  // namespace

TEST(ViewPlayback, PlayingAdvancesTheFramesTheViewsShow) {
    TempDir dir;
    const std::string first = WriteDrifting(dir, 300);
    std::map<int, Picture> byFrame;  // view 0's last picture of each data frame
    std::set<wxString> drawingTexts;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    MainGLCanvas_cls::SetPaintProbe([&](MainGLCanvas_cls& v) {
        if (v.ViewIndex() != 0 || !GpSnap || !GpSnap->allocated) return;
        const wxSize size = v.GetClientSize();
        Picture p;
        p.frame = shell.core->GetTimeCtrl()->GetDataFrame(-1);
        shell.frame->UpdateStatusLine();
        p.status = shell.frame->GetStatusBar()->GetStatusText(1);
        p.rgb = ReadBack(size.x, size.y);
        byFrame[p.frame] = std::move(p);
    });
    struct Guard {
        ~Guard() { MainGLCanvas_cls::SetPaintProbe(nullptr); }
    } guard;
    Prepare(shell, first);
    // While a frame is drawn the renderer reports its progress on the status line.
    SequenceRenderer_cls* renderer = shell.core->GetSequenceRenderer();
    auto shown = renderer->progress;
    ASSERT_TRUE(shown);
    renderer->progress = [&](int percent) {
        shown(percent);
        drawingTexts.insert(shell.frame->GetStatusBar()->GetStatusText(2));
    };
    ASSERT_TRUE(testsupport::PumpUntil([&] { return byFrame.count(0) > 0; }, 20000));

    TimeCtrl_cls* time = shell.core->GetTimeCtrl();
    shell.frame->ForwardKey(' ', 0);  // Space: play forward
    const bool reached = testsupport::PumpUntil([&] { return byFrame.size() >= 3; }, 20000);
    shell.frame->ForwardKey(' ', 0);  // Space again: stop
    testsupport::Pump(50);
    renderer->progress = shown;
    EXPECT_FALSE(time->IsPlaying());
    ASSERT_TRUE(reached) << byFrame.size() << " frames drawn";

    std::set<wxString> statuses;
    const Picture* previous = nullptr;
    for (const auto& [frame, p] : byFrame) {
        EXPECT_TRUE(p.status.StartsWith(wxString::Format("frame %d/4", frame))) << p.status;
        statuses.insert(p.status);
        if (previous) {
            size_t differ = 0;
            for (size_t i = 0; i < p.rgb.size() && i < previous->rgb.size(); ++i) differ += p.rgb[i] != previous->rgb[i];
            EXPECT_GT(differ, size_t(300)) << "frames " << previous->frame << " and " << frame << " look alike";
        }
        previous = &p;
    }
    EXPECT_GE(statuses.size(), size_t(3));
    EXPECT_TRUE(drawingTexts.count("Drawing 0%")) << drawingTexts.size();
    shell.frame->UpdateStatusLine();
    EXPECT_EQ(shell.frame->GetStatusBar()->GetStatusText(2), wxString());
    GoCommandHistory.Clear();
}

TEST(ViewPlayback, SavedViewImageHoldsEachParticleInItsTypeColour) {
    TempDir dir;
    const std::string first = WriteDrifting(dir, 40);
    const wxString png = wxString::FromUTF8(dir.File("view0.png"));
    struct Projected {
        double x, y;
        int type;
    };
    std::vector<Projected> points;
    int savedW = 0, savedH = 0;
    bool saved = false;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    // Nothing over the particles: no orientation indicator, mode icons, legend or info lines.
    MainGLCanvas_cls::SetScreenItems(false);
    MainGLCanvas_cls::SetOverlayDrawer(nullptr);
    {
        ViewSettings_cls& shown = shell.frame->GetTopPanel()->View(0)->settings;
        shown.showMessage.value = shown.showGrid.value = shown.showItems.value = false;
    }
    MainGLCanvas_cls::SetPaintProbe([&](MainGLCanvas_cls& v) {
        if (saved || v.ViewIndex() != 0 || !GpSnap || !GpSnap->allocated) return;
        const wxSize size = v.GetClientSize();
        // Where the view's camera puts every particle of the drawn frame.
        GLProjection_cls p = v.projection;
        p.SetViewportSize(size.x, size.y);
        p.SetFitSize(size.x, size.y);
        double pr[16], mv[16];
        p.Matrix(v.camera, 0, pr);
        v.camera.ModelviewMatrix(mv);
        const int vp[4] = {0, 0, size.x, size.y};
        for (int i = 0; i < int(GpSnap->count); ++i) {
            const float* q = GpSnap->positions + 3 * i;
            Projected r;
            double z;
            gluProject(q[0], q[1], q[2], mv, pr, vp, &r.x, &r.y, &z);
            r.type = GpSnap->type[i];
            points.push_back(r);
        }
        GoImageSaver.snapshotPath = png;
        savedW = ImageSaver_cls::SnapshotWidth(size.x);
        savedH = size.y;
        saved = SaveSnapshotFromGL(GoImageSaver, size.x, size.y);
    });
    struct Guard {
        ~Guard() { MainGLCanvas_cls::SetPaintProbe(nullptr); }
    } guard;
    Prepare(shell, first);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return saved; }, 20000));
    GoImageSaver.WaitForWriter();

    ImageFileEncoder_cls::RegisterHandlers();
    wxImage image;
    ASSERT_TRUE(image.LoadFile(png, wxBITMAP_TYPE_PNG));
    ASSERT_EQ(image.GetWidth(), savedW);
    ASSERT_EQ(image.GetHeight(), savedH);
    int judged = 0, matched = 0;
    for (const Projected& a : points) {
        // Judge particles alone on the picture (another type within 10 pixels would blur it).
        bool crowded = a.x < 8 || a.y < 8 || a.x > savedW - 8 || a.y > savedH - 8;
        for (const Projected& b : points)
            if (b.type != a.type && std::hypot(a.x - b.x, a.y - b.y) < 10) crowded = true;
        if (crowded) continue;
        ++judged;
        bool found = false;
        for (int dy = -2; dy <= 2 && !found; ++dy)
            for (int dx = -2; dx <= 2 && !found; ++dx) {
                // Files run top-down, GL rows bottom-up.
                const int x = int(a.x) + dx, y = savedH - 1 - (int(a.y) + dy);
                const float* c = kTypeColours[a.type];
                found = std::abs(image.GetRed(x, y) - int(std::lround(c[0] * 255))) <= 40 &&
                        std::abs(image.GetGreen(x, y) - int(std::lround(c[1] * 255))) <= 40 &&
                        std::abs(image.GetBlue(x, y) - int(std::lround(c[2] * 255))) <= 40;
            }
        matched += found;
    }
    EXPECT_GE(judged, 10);
    EXPECT_EQ(matched, judged);
}

TEST(ViewPlayback, AnEnabledDataBoxPlacesTheParticlesInEveryDrawingMode) {
    TempDir dir;
    const std::string first = WriteDrifting(dir, 40);
    const double shift[3] = {0.9, -0.6, 0.3};
    int judged = 0, matched = 0, pictures = 0;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    ASSERT_NE(GpFilterCtrls[2], nullptr);
    auto* box = static_cast<FilterDataBox_cls*>(GpFilterCtrls[2]->AddFilter(FILTER_DATABOX, -1, nullptr, nullptr, nullptr, nullptr));
    ASSERT_NE(box, nullptr);
    box->Data()->SetTranslateKey(shift[0], shift[1], shift[2]);
    box->Data()->SetScaleKey(1, 1, 1);  // what the add-filter command keys first
    GpFilterCtrls[2]->SelectFilter(nullptr);  // no gizmo over the particles
    // Nothing over the particles: no orientation indicator, mode icons, legend or info lines.
    MainGLCanvas_cls::SetScreenItems(false);
    MainGLCanvas_cls::SetOverlayDrawer(nullptr);
    ViewSettings_cls& shown = shell.frame->GetTopPanel()->View(0)->settings;
    shown.showMessage.value = shown.showGrid.value = shown.showItems.value = false;
    ASSERT_NE(GpFilterCtrls[2]->GetEnabledDataBoxData(), nullptr);
    MainGLCanvas_cls::SetPaintProbe([&](MainGLCanvas_cls& v) {
        if (v.ViewIndex() != 0 || !GpSnap || !GpSnap->allocated) return;
        const wxSize size = v.GetClientSize();
        const int w = size.x, h = size.y;
        const std::vector<unsigned char> rgb = ReadBack(w, h);
        const viewpixels::Projected at = viewpixels::ProjectDrawnFrame(v, w, h, shift);
        const int n = int(GpSnap->count);
        const std::vector<double>& sx = at.x;
        const std::vector<double>& sy = at.y;
        ++pictures;
        judged = matched = 0;
        for (int i = 0; i < n; ++i) {
            const int t = GpSnap->type[i];
            if (viewpixels::Crowded(at, i, w, h)) continue;
            ++judged;
            bool found = false;
            for (int dy = -2; dy <= 2 && !found; ++dy)
                for (int dx = -2; dx <= 2 && !found; ++dx) {
                    const unsigned char* c = &rgb[3 * (size_t(int(sy[i]) + dy) * w + int(sx[i]) + dx)];
                    found = true;
                    for (int k = 0; k < 3; ++k)
                        found = found && std::abs(int(c[k]) - int(std::lround(kTypeColours[t][k] * 255))) <= 40;
                }
            matched += found;
        }
    });
    struct Guard {
        ~Guard() { MainGLCanvas_cls::SetPaintProbe(nullptr); }
    } guard;
    for (bool offScreen : {false, true}) {
        MainGLCanvas_cls::SetUseFBO([offScreen] { return offScreen; });
        pictures = 0;
        if (offScreen) shell.frame->GetTopPanel()->RedrawViews();
        else Prepare(shell, first);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return pictures > 0 && judged > 0; }, 20000));
        EXPECT_GE(judged, 10) << (offScreen ? "off-screen" : "direct");
        EXPECT_EQ(matched, judged) << (offScreen ? "off-screen" : "direct");
    }
    MainGLCanvas_cls::SetUseFBO(nullptr);
    GpFilterCtrls[2]->DeleteAll();
    GoCommandHistory.Clear();
}
