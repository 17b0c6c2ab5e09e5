// The Stick filter in the running program: a stick read from a stick file is drawn in view 0
// between the two particles it joins, as a line or a cylinder, and gone when the filter is
// disabled; its panel shows the rows of its choices and its ".." button sets the path as
// one undoable step.
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/ViewPixels.h"

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "app/gui/TopHalfPanel.h"
#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "common/gui/MultiInputPanel.h"
#include "data/DataSequenceSet.h"
#include "filters/ColorCurve.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterStick.h"
#include "filters/gui/FilterPanelPain.h"
#include "filters/gui/FilterStickGUI.h"
#include "scene/PovRayCtrl.h"
#include "tests/support/PovRayProbe.h"
#include "view/ParticleAttrib.h"
#include "view/Snap.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/SequenceRenderer.h"
#include "view/gui/ViewScene.h"

using shelltest::Shell;
using testsupport::TempDir;

namespace {

constexpr int kParticles = 24;

/// View 0's last picture with its particles' window positions.
struct Picture {
    std::vector<unsigned char> rgba;
    int w = 0, h = 0;
    std::vector<double> sx, sy;
    int paints = 0;
    const unsigned char* At(int x, int y) const { return &rgba[4 * (size_t(y) * w + x)]; }
};

class StickDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        MainGLCanvas_cls::SetPaintProbe([this](MainGLCanvas_cls& v) {
            if (v.ViewIndex() != 0 || !GpSnap || !GpSnap->allocated) return;
            const wxSize size = v.GetClientSize();
            pic.w = size.x, pic.h = size.y;
            pic.rgba = viewpixels::ReadBack(pic.w, pic.h);
            const viewpixels::Projected at = viewpixels::ProjectDrawnFrame(v, pic.w, pic.h);
            pic.sx = at.x, pic.sy = at.y;
            ++pic.paints;
        });
        shell = std::make_unique<Shell>(dir.File("Pelthorn3Configure.txt"));
        shell->frame->SetSize(900, 700);
        shell->ParticlesOnly();
        const float red[4] = {1, 0, 0, 1};
        shell->ColourAllTypes(red, 3);
        shell->core->LoadFileSequence(wxString::FromUTF8(viewpixels::WriteSequence(dir, kParticles, 2)));
        ASSERT_TRUE(Repaint());
    }
    void TearDown() override {
        shell.reset();
        MainGLCanvas_cls::SetPaintProbe(nullptr);
    }
    bool Repaint() {
        const int before = pic.paints;
        shell->frame->GetTopPanel()->RedrawViews();
        return testsupport::PumpUntil([&] { return pic.paints > before; }, 20000);
    }
    /// Two particles well inside the picture and 80 to 400 pixels apart.
    bool PickPair(int& a, int& b) const {
        const auto inside = [&](int i) {
            return pic.sx[i] > 30 && pic.sy[i] > 30 && pic.sx[i] < pic.w - 30 && pic.sy[i] < pic.h - 30;
        };
        for (a = 0; a < int(pic.sx.size()); ++a)
            for (b = a + 1; b < int(pic.sx.size()); ++b) {
                const double d = std::hypot(pic.sx[a] - pic.sx[b], pic.sy[a] - pic.sy[b]);
                if (inside(a) && inside(b) && d > 80 && d < 400) return true;
            }
        return false;
    }
    /// Window points at 1/4, 1/2 and 3/4 of the way from particle a to b.
    std::vector<std::pair<int, int>> Between(int a, int b) const {
        std::vector<std::pair<int, int>> pts;
        for (double t : {0.25, 0.5, 0.75})
            pts.emplace_back(int(std::lround(pic.sx[a] + t * (pic.sx[b] - pic.sx[a]))),
                             int(std::lround(pic.sy[a] + t * (pic.sy[b] - pic.sy[a]))));
        return pts;
    }
    /// Points among `pts` where the line colour (0.7 grey) shows.
    int GreyAt(const std::vector<std::pair<int, int>>& pts) const {
        int n = 0;
        for (const auto& p : pts) {
            const unsigned char* c = pic.At(p.first, p.second);
            n += std::abs(c[0] - 178) < 12 && std::abs(c[1] - 178) < 12 && std::abs(c[2] - 178) < 12;
        }
        return n;
    }
    /// Exports the POV-Ray snapshot scene (without lights) into dir/pov; `base` is the
    /// written scene's name without ".pov". Returns its text ("" when the export fails).
    std::string ExportSnapshotScene(std::string& base) {
        PovRayCtrl_cls* pov = shell->core->GetPovRay();
        if (!pov) return std::string();
        pov->pathPovWork.text = wxString::FromUTF8(dir.File("pov"));
        shell->prompts.yes = true;  // export without lights
        if (!shell->core->ExportPovSnapshot(false)) return std::string();
        base = pov->GetPovFileName(PovRayCtrl_cls::FILE_SNAPSHOT).utf8_string();
        return testsupport::ReadFile(base + ".pov");
    }
    TempDir dir;
    Picture pic;
    std::unique_ptr<Shell> shell;
};

}  // namespace

TEST_F(StickDrawing, StickFromAFileJoinsItsTwoParticles) {
    int a = 0, b = 0;
    ASSERT_TRUE(PickPair(a, b));
    const std::vector<std::pair<int, int>> pts = Between(a, b);
    std::vector<std::vector<unsigned char>> background;
    for (const auto& p : pts) background.emplace_back(pic.At(p.first, p.second), pic.At(p.first, p.second) + 4);
    EXPECT_EQ(GreyAt(pts), 0);

    // Data frame 0 names "joins0.txt" through the path pattern.
    testsupport::WriteFile(dir.File("joins0.txt"), std::to_string(a) + " " + std::to_string(b) + "\n");
    auto* s = static_cast<FilterStick_cls*>(shell->core->AddFilter(shell->core->GetFilterCtrl(1), FILTER_STICK));
    ASSERT_NE(s, nullptr);
    s->Data()->stickPath.text = wxString::FromUTF8(dir.File("joins%d.txt"));
    ASSERT_TRUE(Repaint());
    EXPECT_EQ(s->Data()->engine.StickPath(), dir.File("joins0.txt"));
    EXPECT_EQ(GreyAt(pts), 3) << "the line between particles " << a << " and " << b;

    // The POV-Ray scene of the view holds the stick's macro and unions, and parses.
    if (povprobe::Available()) {
        std::string base;
        const std::string scene = ExportSnapshotScene(base);
        ASSERT_FALSE(scene.empty());
        EXPECT_NE(scene.find("#macro CY(VPos0,VPos1)\n"), std::string::npos) << scene.substr(0, 2000);
        EXPECT_NE(scene.find("#declare STICKS0=\nunion{\nCY(<"), std::string::npos);
        const std::string cmd = "cd '" + dir.File("pov") + "' && /usr/bin/povray +I'" + base +
                                ".pov' +W8 +H8 -D -P -F > '" + dir.File("povray.txt") + "' 2>&1";
        EXPECT_EQ(std::system(cmd.c_str()), 0) << testsupport::ReadFile(dir.File("povray.txt"));
    }

    // As a lit cylinder the stick still covers the points between its ends.
    s->Data()->stickType.value = 1;
    s->Data()->stickRadius.value = 0.05f;
    ASSERT_TRUE(Repaint());
    for (size_t k = 0; k < pts.size(); ++k) {
        const unsigned char* c = pic.At(pts[k].first, pts[k].second);
        EXPECT_FALSE(std::equal(c, c + 4, background[k].begin())) << "cylinder point " << k;
    }

    // Disabled, nothing is drawn.
    s->Data()->filterValid.value = false;
    ASSERT_TRUE(Repaint());
    for (size_t k = 0; k < pts.size(); ++k) {
        const unsigned char* c = pic.At(pts[k].first, pts[k].second);
        EXPECT_TRUE(std::equal(c, c + 4, background[k].begin())) << "disabled, point " << k;
    }
}

TEST_F(StickDrawing, PanelRowsFollowTheChoicesAndTheFileButtonIsUndoable) {
    auto* s = static_cast<FilterStick_cls*>(shell->core->AddFilter(shell->core->GetFilterCtrl(1), FILTER_STICK));
    ASSERT_NE(s, nullptr);
    FilterPanelPain_cls* page = shell->frame->GetTopPanel()->FilterPage(1);
    ASSERT_NE(page, nullptr);
    auto* gui = dynamic_cast<FilterStickGUI_cls*>(page->GUIOf(s));
    ASSERT_NE(gui, nullptr);
    MultiInputPanel_cls* p = gui->Panel();
    const auto shown = [&](int item) { return p->GetItemControl(item)->IsShown(); };
    // Load File with lines: the path and the line width show, the rule does not.
    EXPECT_TRUE(shown(gui->pathGroup + 1));
    EXPECT_TRUE(shown(gui->widthRow + 1));
    EXPECT_FALSE(shown(gui->radiusRow + 1));
    EXPECT_FALSE(shown(gui->critTypeRow));
    s->Data()->calcType.value = 1;
    s->Data()->stickType.value = 1;
    gui->Refresh();
    EXPECT_FALSE(shown(gui->pathGroup + 1));
    EXPECT_TRUE(shown(gui->radiusRow + 1));
    EXPECT_TRUE(shown(gui->critTypeRow));
    EXPECT_FALSE(shown(gui->specGroup + 1));  // "Any Type" needs no types
    EXPECT_FALSE(p->GetItemControl(gui->critBItem)->IsEnabled());  // Step uses A alone
    s->Data()->specType.value = 1;
    s->Data()->critType.value = 1;
    gui->Refresh();
    EXPECT_TRUE(shown(gui->specGroup + 1));
    EXPECT_TRUE(p->GetItemControl(gui->critBItem)->IsEnabled());

    // ".." asks for a stick file; the answer is one undoable step, Cancel none.
    shell->prompts.fileAnswer = wxID_CANCEL;
    gui->ChooseStickFile();
    EXPECT_EQ(s->Data()->stickPath.Value(), "NONE");
    ASSERT_EQ(shell->prompts.fileQuestions.size(), 1u);
    EXPECT_EQ(shell->prompts.fileQuestions[0].message, "Select Mesh File");
    EXPECT_EQ(shell->prompts.fileQuestions[0].wildcard, "StickInfo (*.txt;*.bond)|*.txt;*.bond");
    shell->prompts.fileAnswer = wxID_OK;
    shell->prompts.filePath = wxString::FromUTF8(dir.File("sticks.bond"));
    gui->ChooseStickFile();
    EXPECT_EQ(s->Data()->stickPath.Value(), shell->prompts.filePath);
    GoCommandHistory.Undo();
    EXPECT_EQ(s->Data()->stickPath.Value(), "NONE");
    GoCommandHistory.Redo();
    EXPECT_EQ(s->Data()->stickPath.Value(), shell->prompts.filePath);
}

TEST_F(StickDrawing, MenuAddsAStickFilterAndAMissingFileIsToldOnce) {
    FilterCtrl_cls* objects = shell->core->GetFilterCtrl(1);
    shell->Post(ID_ADD_STICK);
    ASSERT_EQ(objects->Count(), 1);
    auto* s = static_cast<FilterStick_cls*>(objects->GetNode(0));
    EXPECT_EQ(s->Kind(), FILTER_STICK);
    EXPECT_EQ(s->Data()->Name(), "Stick00");
    testsupport::ResetModals();
    testsupport::SetModalAnswer(wxID_OK);
    s->Data()->stickPath.text = wxString::FromUTF8(dir.File("absent%d.txt"));
    ASSERT_TRUE(Repaint());
    ASSERT_TRUE(Repaint());
    testsupport::Pump(50);
    const std::vector<wxString> messages = testsupport::ModalMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].Find("absent0.txt"), wxNOT_FOUND) << messages[0];
    // Undoing the menu's step removes the filter again.
    GoCommandHistory.Undo();
    EXPECT_EQ(objects->Count(), 0);
}

TEST_F(StickDrawing, EveryStickFilterKeepsItsOwnSticksInThePovRayScene) {
    if (!povprobe::Available()) GTEST_SKIP() << "POV-Ray is not installed";
    // Two Stick filters, each joining another pair of particles from its own file.
    const int pairs[2][2] = {{0, 1}, {2, 3}};
    for (int f = 0; f < 2; ++f) {
        const std::string name = "joins" + std::to_string(f) + "_%d.txt";
        testsupport::WriteFile(dir.File("joins" + std::to_string(f) + "_0.txt"),
                               std::to_string(pairs[f][0]) + " " + std::to_string(pairs[f][1]) + "\n");
        auto* s = static_cast<FilterStick_cls*>(shell->core->AddFilter(shell->core->GetFilterCtrl(1), FILTER_STICK));
        ASSERT_NE(s, nullptr);
        s->Data()->stickPath.text = wxString::FromUTF8(dir.File(name));
        s->Data()->stickRadius.value = 0.01f;
    }
    ASSERT_TRUE(Repaint());
    ASSERT_TRUE(GpSnap && GpSnap->positions);

    std::string base;
    std::string scene = ExportSnapshotScene(base);
    ASSERT_FALSE(scene.empty());
    // Both filters' plain sticks stand in the scene.
    for (const char* name : {"STICKS0", "STICKS0_F1"})
        EXPECT_NE(scene.find(std::string("object {\n\t") + name + "\n}\n"), std::string::npos) << name;

    // POV-Ray reads each union with its own filter's stick in it.
    const char* unions[2] = {"STICKS0", "STICKS0_F1"};
    for (int f = 0; f < 2; ++f)
        scene += std::string("#debug concat(\"U") + std::to_string(f) + " \", vstr(3, min_extent(" + unions[f] +
                 "), \" \", 0, 4), \" \", vstr(3, max_extent(" + unions[f] + "), \" \", 0, 4), \"\\n\")\n";
    testsupport::WriteFile(dir.File("pov/probe.pov"), scene);
    const std::string cmd = "cd '" + dir.File("pov") + "' && /usr/bin/povray +Iprobe.pov +W1 +H1 -D -P -F > '" +
                            dir.File("probe.txt") + "' 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << testsupport::ReadFile(dir.File("probe.txt"));
    const std::string out = testsupport::ReadFile(dir.File("probe.txt"));
    for (int f = 0; f < 2; ++f) {
        std::istringstream got(povprobe::Line(out, "U" + std::to_string(f)));
        double lo[3] = {1e9, 1e9, 1e9}, hi[3] = {-1e9, -1e9, -1e9};
        for (double& v : lo) got >> v;
        for (double& v : hi) got >> v;
        const float* p = GpSnap->positions + 3 * pairs[f][0];
        const float* q = GpSnap->positions + 3 * pairs[f][1];
        for (int k = 0; k < 3; ++k) {
            // The bounds of the one cylinder of that union: centred on its two particles
            // and reaching both.
            EXPECT_NEAR((lo[k] + hi[k]) / 2, (double(p[k]) + q[k]) / 2, 0.02) << "filter " << f << " axis " << k;
            EXPECT_GE(hi[k] - lo[k], std::fabs(double(p[k]) - q[k]) - 0.01) << "filter " << f << " axis " << k;
        }
    }
}
