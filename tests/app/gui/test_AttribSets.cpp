// The particle attribute sets in the running program: a type coloured by velocity shows the
// rates between the snapshots (Linear interpolation) even while paused, and a choice on one
// Attrib page brings the dependent rows of all four pages up to date.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include <wx/combobox.h>
#include <wx/image.h>

#include "app/gui/AppCore.h"
#include "app/gui/FrameMain.h"
#include "app/gui/TopHalfPanel.h"
#include "common/CommandIds.h"
#include "common/gui/MultiInputPanel.h"
#include "data/DataLoader.h"
#include "data/DataSequenceSet.h"
#include "data/SnapshotWriter.h"
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/ViewPixels.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/TestFiles.h"
#include "timeline/TimeCtrl.h"
#include "view/OverlaySettings.h"
#include "view/ParticleAttrib.h"
#include "view/Snap.h"
#include "filters/gui/ColorCurveBtn.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/ParticleAttribPanel.h"

using shelltest::Shell;
using testsupport::TempDir;

namespace {

/// Two snapshots, one time unit apart, of particles on a grid that move by `step` along x
/// while their files say they stand still.
std::string WriteStillVelocities(const TempDir& dir, float step) {
    const int side = 6;
    SnapshotParticles ps;
    ps.Resize(side * side);
    for (int i = 0; i < side * side; ++i) {
        ps.position[3 * i] = -0.5f + 0.2f * float(i % side);
        ps.position[3 * i + 1] = -0.5f + 0.2f * float(i / side);
        ps.radius[i] = 0.02f;
        ps.id[i] = i;
    }
    std::string error;
    for (int f = 0; f < 2; ++f) {
        EXPECT_TRUE(WriteSnapshotFile(dir.File("still000" + std::to_string(f) + ".dat"), SnapshotGrammar(), f, ps,
                                      error))
            << error;
        for (int i = 0; i < side * side; ++i) ps.position[3 * i] += step;
    }
    return dir.File("still0000.dat");
}

int CountColour(const std::vector<unsigned char>& rgba, const float c[4]) {
    int n = 0;
    for (size_t i = 0; i < rgba.size(); i += 4) {
        bool same = true;
        for (int k = 0; k < 3; ++k) same = same && std::abs(int(rgba[i + k]) - int(std::lround(c[k] * 255))) <= 24;
        n += same;
    }
    return n;
}

// The pixels of view 0's last paint that showed particles, as long as it lives.
struct ViewZeroPicture {
    ViewZeroPicture() {
        MainGLCanvas_cls::SetPaintProbe([this](MainGLCanvas_cls& v) {
            if (v.ViewIndex() != 0 || !GpSnap || !GpSnap->allocated || GpSnap->count == 0) return;
            const wxSize size = v.GetClientSize();
            pixels = viewpixels::ReadBack(size.x, size.y);
        });
    }
    ~ViewZeroPicture() { MainGLCanvas_cls::SetPaintProbe(nullptr); }
    ViewZeroPicture(const ViewZeroPicture&) = delete;
    ViewZeroPicture& operator=(const ViewZeroPicture&) = delete;
    std::vector<unsigned char> pixels;
};

}  // namespace

TEST(AttribSets, TypeColouredByVelocityShowsTheRatesWhilePaused) {
    TempDir dir;
    const std::string first = WriteStillVelocities(dir, 0.5f);
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    shell.frame->SetSize(800, 600);
    shell.ParticlesOnly();
    shell.core->GetOverlaySettings()->showLegend.values[0] = false;
    GpDataLoader->interpolateType.value = 0;  // Linear: the velocities become the rates
    ParticleAttrib_cls* type0 = shell.core->GetSequenceRenderer()->Attribs(GpDataSequenceSet->current)[0];
    type0->pointSize.value = 6;
    ColorCurve_cls& col = *type0->col;
    col.useColorCurve.value = true;
    col.dependType.value = 6;  // "Velocity"
    col.scalingMin.value = 0;
    col.scalingMax.value = 1;
    col.UpdateScaling();
    float moving[4], still[4];
    col.ColorForValue(0.5f, moving);
    col.ColorForValue(0.0f, still);
    float apart = 0;
    for (int k = 0; k < 3; ++k) apart += std::abs(moving[k] - still[k]);
    ASSERT_GT(apart, 0.4f) << "the curve tells the two speeds apart";

    ViewZeroPicture probe;
    std::vector<unsigned char>& picture = probe.pixels;
    shell.core->LoadFileSequence(wxString::FromUTF8(first));
    ASSERT_FALSE(shell.core->GetTimeCtrl()->IsPlaying());
    MainGLCanvas_cls* view = shell.frame->GetTopPanel()->View(0);
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        if (picture.empty()) view->Refresh(false);
        return !picture.empty();
    }, 20000));
    EXPECT_GT(CountColour(picture, moving), 36) << "every particle in the colour of its rate";
    EXPECT_EQ(CountColour(picture, still), 0) << "none in the colour of the file's zero velocity";
}

TEST(AttribSets, AChoiceOnOnePageSyncsAllFourPages) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    ParticleAttrib_cls* const* attribs = shell.core->GetSequenceRenderer()->Attribs(GpDataSequenceSet->current);
    for (int t = 0; t < 4; ++t) ASSERT_NE(attribs[t]->panel, nullptr) << t;
    // Type 2 becomes spheres behind its page's back (as a replayed key would do it).
    attribs[2]->drawType.value = 2;
    ASSERT_TRUE(attribs[2]->panel->colorButton->IsShown());
    // The user picks Billboard for type 0 on its own page.
    auto* combo = dynamic_cast<wxComboBox*>(attribs[0]->panel->panel->GetItemControl(1));
    ASSERT_NE(combo, nullptr);
    testsupport::ChooseInCombo(combo, 1);
    testsupport::Pump(20);
    EXPECT_EQ(attribs[0]->drawType.value, 1u);
    EXPECT_FALSE(attribs[2]->panel->colorButton->IsShown()) << "type 2's page shows its sphere rows";
    EXPECT_TRUE(attribs[2]->panel->ambientButton->IsShown());
}

TEST(AttribSets, BillboardTexturesAreMadeAgainFromAProjectRead) {
    TempDir dir;
    const std::string first = viewpixels::WriteSequence(dir, 200, 2);
    const std::string cfg = dir.File("Pelthorn3Configure.txt");
    const std::string green = dir.File("green.png");
    {
        wxImage img(16, 16);
        img.SetRGB(wxRect(0, 0, 16, 16), 0, 255, 0);
        ASSERT_TRUE(img.SaveFile(wxString::FromUTF8(green), wxBITMAP_TYPE_PNG));
    }
    const std::string project = dir.File("green.ptp");
    const float white[4] = {1, 1, 1, 1};
    {
        Shell shell(cfg);
        shell.core->LoadFileSequence(wxString::FromUTF8(first));
        ParticleAttrib_cls* const* a = shell.core->GetSequenceRenderer()->Attribs(0);
        for (int t = 0; t < 4; ++t) {
            a[t]->drawType.value = 1;  // billboards
            a[t]->texFileBillboard.text = wxString::FromUTF8(green);
        }
        shell.prompts.fileAnswer = wxID_OK;
        shell.prompts.filePath = wxString::FromUTF8(project);
        shell.Post(ID_SAVE_PROJECT_AS);
    }
    ViewZeroPicture probe;
    std::vector<unsigned char>& picture = probe.pixels;
    Shell shell(cfg);
    shell.frame->SetSize(800, 600);
    shell.ParticlesOnly();
    shell.core->GetOverlaySettings()->showLegend.values[0] = false;
    MainGLCanvas_cls* view = shell.frame->GetTopPanel()->View(0);
    // Billboards with the default texture are drawn first: the textures exist before the read.
    shell.core->LoadFileSequence(wxString::FromUTF8(first));
    ParticleAttrib_cls* const* a = shell.core->GetSequenceRenderer()->Attribs(0);
    for (int t = 0; t < 4; ++t) {
        a[t]->drawType.value = 1;
        std::copy(white, white + 4, a[t]->col->constantColor.values);
    }
    GbSnapDataRefresh = true;
    auto paint = [&] {
        picture.clear();
        return testsupport::PumpUntil([&] {
            if (picture.empty()) view->Refresh(false);
            return !picture.empty();
        }, 20000);
    };
    const float pureGreen[4] = {0, 1, 0, 1};
    ASSERT_TRUE(paint());
    ASSERT_EQ(CountColour(picture, pureGreen), 0);
    shell.prompts.fileAnswer = wxID_OK;
    shell.prompts.filePath = wxString::FromUTF8(project);
    shell.Post(ID_OPEN_PROJECT);
    ASSERT_EQ(a[0]->texFileBillboard.text, wxString::FromUTF8(green));
    for (int t = 0; t < 4; ++t) std::copy(white, white + 4, a[t]->col->constantColor.values);
    GbSnapDataRefresh = true;
    ASSERT_TRUE(paint());
    EXPECT_GT(CountColour(picture, pureGreen), 200) << "the billboards show the texture the project names";
}
