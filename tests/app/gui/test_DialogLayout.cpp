// The settings dialogs under GTK's own font: every control at least as large as the
// toolkit needs to show it whole, no two neighbours on top of each other; and GTK stays
// quiet (no warning, no critical) while the frame opens, a key is dragged and the
// dialogs are shown.
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/StderrCapture.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>


#include <wx/notebook.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "common/CommandIds.h"
#include "common/CommandHistory.h"
#include "common/gui/DialogControl.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"
#include "timeline/TimeCtrl.h"
#include "timeline/gui/ParamGUICtrl.h"
#include "timeline/gui/ParamTL.h"
#include "timeline/gui/ParametersPanel.h"
#include "timeline/gui/Scene.h"

using shelltest::Shell;
using testsupport::TempDir;
using shelltest::StderrCapture;

namespace {

// What does not fit in `w` and below it: a shown control smaller than its best size, or
// two shown siblings whose rectangles overlap.
void CollectFaults(wxWindow* w, const wxString& where, std::vector<std::string>& faults) {
    std::vector<wxWindow*> shown;
    for (wxWindow* child : w->GetChildren())
        if (child->IsShown() && !child->IsTopLevel()) shown.push_back(child);
    for (wxWindow* child : shown) {
        const wxSize size = child->GetSize();
        child->InvalidateBestSize();  // measured now, with the theme applied
        const wxSize best = child->GetBestSize();
        const wxString name = where + "/" + child->GetClassInfo()->GetClassName() + " \"" +
                              child->GetLabel() + "\"";
        // (a text field's wanted height follows its current height in wx's GTK port, so
        // only its width is compared)
        const bool text = dynamic_cast<wxTextCtrl*>(child) != nullptr;
        if (size.x < best.x || (!text && size.y < best.y))
            faults.push_back(std::string(name.utf8_str()) + wxString::Format(
                                 " is %dx%d, needs %dx%d", size.x, size.y, best.x, best.y)
                                 .ToStdString());
        CollectFaults(child, name, faults);
    }
    for (size_t i = 0; i < shown.size(); ++i)
        for (size_t j = i + 1; j < shown.size(); ++j) {
            const wxRect a = shown[i]->GetRect(), b = shown[j]->GetRect();
            if (a.Intersects(b) && a.Intersect(b).GetWidth() > 0 && a.Intersect(b).GetHeight() > 0)
                faults.push_back(std::string(where.utf8_str()) + ": \"" +
                                 std::string(shown[i]->GetLabel().utf8_str()) + "\" overlaps \"" +
                                 std::string(shown[j]->GetLabel().utf8_str()) + "\"");
        }
}

// The shown dialogs of the program (every top-level window but the frame).
std::vector<wxTopLevelWindow*> ShownDialogs(wxWindow* frame) {
    std::vector<wxTopLevelWindow*> out;
    for (wxWindow* w : wxTopLevelWindows)
        if (w != frame && w->IsShown()) out.push_back(static_cast<wxTopLevelWindow*>(w));
    return out;
}

// Opens every settings dialog the user meets first: Data Loader, Preference (both pages),
// Save Image Sequence, Periodic Boundary and Scene Config; calls `check` with each shown.
void ForEachDialog(Shell& shell, const std::function<void(wxTopLevelWindow*)>& check) {
    for (int id : {ID_LOAD_PARTICLE_DATA, ID_PREFERENCE, ID_SAVE_IMAGE_SEQUENCE,
                   ID_PERIODIC_BOUNDARY}) {
        shell.Post(id);
        testsupport::Pump(100);
        for (wxTopLevelWindow* d : ShownDialogs(shell.frame)) {
            if (auto* book = dynamic_cast<wxNotebook*>(d->FindWindow("notebook"))) {
                for (size_t page = 0; page < book->GetPageCount(); ++page) {
                    book->SetSelection(page);
                    testsupport::Pump(60);
                    check(d);
                }
            } else {
                check(d);
            }
            d->Hide();
        }
        testsupport::Pump(30);
    }
    // Scene Config runs modally from its menu item; shown modelessly here to be looked at.
    Scene_cls* scene = shell.frame->GetSceneControl();
    ASSERT_NE(scene, nullptr);
    scene->ReadFromTimeCtrl();
    scene->UpdateGUI(true);
    scene->dialog->Show();
    testsupport::Pump(100);
    check(static_cast<wxTopLevelWindow*>(scene->dialog));
    scene->dialog->Hide();
    testsupport::Pump(30);
}

}  // namespace

TEST(DialogLayout, EveryControlShowsWholeAndNoneOverlap) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    int looked = 0;
    ForEachDialog(shell, [&](wxTopLevelWindow* d) {
        ++looked;
        std::vector<std::string> faults;
        CollectFaults(d, d->GetTitle(), faults);
        EXPECT_TRUE(faults.empty()) << faults.size() << " faults, first: " << faults[0];
        for (const std::string& f : faults) ADD_FAILURE() << f;
        // the dialog itself is at least as large as its contents need
        const wxSize need = d->GetSizer() ? d->GetSizer()->GetMinSize() : wxSize();
        EXPECT_GE(d->GetClientSize().x, need.x) << d->GetTitle();
        EXPECT_GE(d->GetClientSize().y, need.y) << d->GetTitle();
    });
    EXPECT_EQ(looked, 6);  // Data Loader, Preference x2, Image Sequence, Periodic, Scene
}

TEST(DialogLayout, LoaderChoicesShowTheirWholeTexts) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    shell.Post(ID_LOAD_PARTICLE_DATA);
    testsupport::Pump(100);
    std::vector<wxTopLevelWindow*> shown = ShownDialogs(shell.frame);
    ASSERT_EQ(shown.size(), 1u);
    // every choice box is at least as wide as its longest choice needs
    std::function<void(wxWindow*)> walk = [&](wxWindow* w) {
        for (wxWindow* c : w->GetChildren()) {
            if (auto* combo = dynamic_cast<wxComboBox*>(c)) {
                int widest = 0;
                for (unsigned i = 0; i < combo->GetCount(); ++i)
                    widest = std::max(widest, combo->GetTextExtent(combo->GetString(i)).x);
                EXPECT_GT(combo->GetSize().x, widest) << combo->GetString(0);
            }
            walk(c);
        }
    };
    walk(shown[0]);
    shown[0]->Hide();
}

TEST(GtkQuiet, NoWarningsOpeningTheFrameDraggingAKeyAndShowingTheDialogs) {
    StderrCapture capture;
    {
        TempDir dir;
        Shell shell(dir.File("Pelthorn3Configure.txt"));
        shell.frame->SetSize(1100, 800);
        shell.core->GetFrameMain()->AdjustSash(true);
        testsupport::Pump(100);

        // a parameter with two keys in the lower panel, and a drag of the first key
        TimeCtrl_cls* time = shell.core->GetTimeCtrl();
        ParamGUICtrl_cls* params = ParamGUICtrl_cls::Of(time);
        ASSERT_NE(params, nullptr);
        auto group = std::make_unique<ParamGroup_cls>("Drag", std::vector<std::string>{"x"}, 0, 1);
        Parameter_cls& p = group->Component(0);
        p.AddKey(0.2, 1.0, PKT_LINEAR, 0, 0);
        p.AddKey(0.6, 2.0, PKT_LINEAR, 0, 0);
        params->AddGroup(group.get());
        shell.frame->Layout();
        params->Relayout();
        SyncTimelineGeometry();
        time->RefreshPanels();
        testsupport::Pump(150);
        auto* strip = dynamic_cast<ParamTL_cls*>(p.row);
        ASSERT_NE(strip, nullptr);
        if (strip->IsShownOnScreen() && strip->GetClientSize().x > 100) {
            wxUIActionSimulator sim;
            const wxPoint o = strip->GetScreenPosition();
            const int y = o.y + strip->GetClientSize().y / 2;
            const int x0 = strip->PixelOf(0.2), x1 = strip->PixelOf(0.4);
            sim.MouseMove(o.x + x0, y);
            testsupport::Pump(40);
            sim.MouseDown();
            testsupport::Pump(40);
            for (int step = 1; step <= 4; ++step) {
                sim.MouseMove(o.x + x0 + (x1 - x0) * step / 4, y);
                testsupport::Pump(40);
            }
            sim.MouseUp();
            testsupport::Pump(100);
        } else {
            ADD_FAILURE() << "the key strip is not on screen";
        }

        ForEachDialog(shell, [](wxTopLevelWindow*) {});
        params->RemoveGroup(group.get());
        testsupport::Pump(50);
        GoCommandHistory.Clear();
    }
    const std::vector<std::string> complaints = capture.GtkComplaints();
    for (const std::string& m : complaints) ADD_FAILURE() << m;
}
