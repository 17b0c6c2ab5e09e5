// A project saved and opened again in a fresh scene shows what the user had set up: how
// each particle type is drawn, and every other setting the pages and dialogs edit.
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/ViewPixels.h"

#include <gtest/gtest.h>

#include <wx/choice.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "app/gui/TopHalfPanel.h"
#include "common/CommandIds.h"
#include "data/DataLoader.h"
#include "data/DataSequenceSet.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"
#include "view/OverlaySettings.h"
#include "view/gui/ParticleAttribPanel.h"

using shelltest::Shell;
using testsupport::ReadFile;
using testsupport::TempDir;

namespace {

const float kTypeColours[4][4] = {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0.4f, 1, 1}, {1, 1, 1, 1}};
const float kDefaultColour[4] = {1, 0.8f, 0.2f, 1};

bool Near(const unsigned char* p, const float c[4]) {
    for (int k = 0; k < 3; ++k)
        if (std::abs(int(p[k]) - int(std::lround(c[k] * 255))) > 40) return false;
    return true;
}

/// Pixels of the main view's last picture in each type colour and in the default colour.
struct Picture {
    bool taken = false;
    int type[4] = {0, 0, 0, 0};
    int defaultColour = 0;
};

void Look(MainGLCanvas_cls& v, Picture& pic) {
    if (v.ViewIndex() != 0 || !GpSnap || !GpSnap->allocated || GpSnap->count == 0) return;
    const wxSize size = v.GetClientSize();
    const std::vector<unsigned char> rgba = viewpixels::ReadBack(size.x, size.y);
    Picture p;
    p.taken = true;
    for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
        for (int t = 0; t < 4; ++t)
            if (Near(&rgba[i], kTypeColours[t])) ++p.type[t];
        if (Near(&rgba[i], kDefaultColour)) ++p.defaultColour;
    }
    pic = p;
}

/// The text of a choice on `w` or below it showing one of `names`, or "" when none does.
wxString ChoiceShowing(wxWindow* w, const std::vector<wxString>& names) {
    if (auto* c = dynamic_cast<wxChoice*>(w))
        for (const wxString& n : names)
            if (c->GetStringSelection() == n) return n;
    for (wxWindow* child : w->GetChildren()) {
        const wxString found = ChoiceShowing(child, names);
        if (!found.empty()) return found;
    }
    return wxString();
}

}  // namespace

// The user draws each type in its own colour and point size, makes type 1 high-quality
// Phong points with a keyed colour curve on its material and a texture of its own, and
// saves; the program started again opens the project: the main view shows the four
// colours (no particle in the default yellow), the Attrib 1 page shows the saved choices,
// and every set of every sequence holds the values it was saved with.
TEST(ProjectRoundTrip, EachParticleTypeIsDrawnAsSavedAfterReopening) {
    TempDir dir;
    const std::string cfg = dir.File("Pelthorn3Configure.txt");
    const std::string first = viewpixels::WriteSequence(dir, 200, 2);
    const std::string project = dir.File("types.ptp");
    std::vector<wxString> sets;
    {
        Shell shell(cfg);
        GpDataLoader->SetFileAndLoad(wxString::FromUTF8(first));
        ASSERT_EQ(GpDataSequenceSet->GetFrameCount(), 2);
        shell.core->GetOverlaySettings()->showLegend.values[0] = false;
        ParticleAttrib_cls* const* a = shell.core->GetSequenceRenderer()->Attribs(0);
        for (int t = 0; t < 4; ++t) {
            std::copy(kTypeColours[t], kTypeColours[t] + 4, a[t]->col->constantColor.values);
            a[t]->pointSize.value = 5 + t;
        }
        a[1]->drawQuality.value = 2;
        a[1]->shaderType.value = 2;
        a[1]->radiusFactor.value = 2.5f;
        a[1]->alphaDependBase.value = 0.25f;
        a[1]->texFileBillboard.text = "Texture/Star.png";
        a[1]->diffuse->useColorCurve.value = true;
        a[1]->diffuse->curve->InsertKey(2, 0.5, 0.75);
        std::copy(kTypeColours[2], kTypeColours[2] + 4, a[1]->specular->constantColor.values);
        // another sequence's set is kept apart from the first one's
        shell.core->GetSequenceRenderer()->Attribs(3)[2]->drawType.value = 3;
        for (int s = 0; s < 4; ++s)
            for (int t = 0; t < 4; ++t) sets.push_back(shell.core->GetSequenceRenderer()->Attribs(s)[t]->WriteConfig());
        shell.prompts.fileAnswer = wxID_OK;
        shell.prompts.filePath = wxString::FromUTF8(project);
        shell.Post(ID_SAVE_PROJECT_AS);
        EXPECT_NE(ReadFile(project).find("SEQ0TYPE1DrawQuality=2\r\n"), std::string::npos);
    }

    Picture pic;
    MainGLCanvas_cls::SetPaintProbe([&pic](MainGLCanvas_cls& v) { Look(v, pic); });
    struct ProbeGuard {
        ~ProbeGuard() { MainGLCanvas_cls::SetPaintProbe(nullptr); }
    } guard;
    Shell shell(cfg);
    shell.frame->SetSize(800, 700);
    shell.ParticlesOnly();
    ParticleAttrib_cls* const* a = shell.core->GetSequenceRenderer()->Attribs(0);
    EXPECT_EQ(a[1]->pointSize.value, 10) << "a fresh start draws every type by default";
    shell.prompts.fileAnswer = wxID_OK;
    shell.prompts.filePath = wxString::FromUTF8(project);
    shell.Post(ID_OPEN_PROJECT);
    EXPECT_TRUE(testsupport::ModalMessages().empty()) << testsupport::ModalMessages()[0];

    size_t k = 0;
    for (int s = 0; s < 4; ++s)
        for (int t = 0; t < 4; ++t, ++k)
            EXPECT_EQ(shell.core->GetSequenceRenderer()->Attribs(s)[t]->WriteConfig(), sets[k])
                << "sequence " << s << " type " << t;

    ASSERT_NE(a[1]->panel, nullptr);
    testsupport::Pump(50);
    EXPECT_EQ(ChoiceShowing(a[1]->panel->parent, {"Low", "Middle", "High"}), "High");
    EXPECT_EQ(ChoiceShowing(a[1]->panel->parent, {"original", "Gouroud", "Phong", "Toon"}), "Phong");

    pic = Picture();
    shell.frame->GetTopPanel()->RedrawViews();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return pic.taken; }, 20000));
    for (int t = 0; t < 4; ++t) EXPECT_GT(pic.type[t], 0) << "no particle of type " << t << " in its colour";
    EXPECT_EQ(pic.defaultColour, 0) << "particles drawn in the default colour";
}
