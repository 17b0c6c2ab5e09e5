// The filter pages in the running program: the Filter menu adds filters whose panels stand
// in list order; Up, Down, Delete, a rename and an edit in a panel are each undone and
// redone exactly (panels, names, settings, selection); a project read rebuilds the panels.
#include "tests/app/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <wx/colour.h>

#include "app/gui/TopHalfPanel.h"
#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "common/gui/MultiInputPanel.h"
#include "filters/FilterBoolean.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterDataBox.h"
#include "filters/gui/FilterPanelPain.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"
#include "timeline/gui/ParamGUICtrl.h"

using shelltest::Shell;
using testsupport::ReadFile;
using testsupport::TempDir;

namespace {

FilterPanelPain_cls* Page(Shell& shell, int list) { return shell.frame->GetTopPanel()->FilterPage(list); }

/// The header labels of a page's panels in sizer order, and whether the list agrees.
std::string PanelNames(FilterPanelPain_cls* page) {
    std::string s;
    wxSizer* sizer = page->GetSizer();
    for (size_t i = 0; i < sizer->GetItemCount(); ++i) {
        wxWindow* w = sizer->GetItem(i)->GetWindow();
        auto* panel = dynamic_cast<MultiInputPanel_cls*>(w);
        s += (panel && panel->GetItemControl(2) ? panel->GetItemControl(2)->GetLabel().utf8_string() : "?") + ",";
    }
    return s;
}

std::string ListNames(FilterCtrl_cls* list) {
    std::string s;
    for (int i = 0; i < list->Count(); ++i) s += list->GetNode(i)->GetData()->Name() + ",";
    return s;
}

/// Everything a user could see change: the sections, the panels and the selection.
std::string State(Shell& shell, bool withSelection = true) {
    std::string s;
    for (int i = 0; i < 3; ++i) {
        FilterCtrl_cls* list = shell.core->GetFilterCtrl(i);
        s += list->WriteSection() + "panels " + PanelNames(Page(shell, i)) + "\n";
        EXPECT_EQ(PanelNames(Page(shell, i)), ListNames(list)) << "page " << i;
    }
    FilterBase_cls* sel = shell.core->SelectedFilter();
    if (!withSelection) return s;
    s += "selected " + (sel ? sel->GetData()->Name() : std::string("none"));
    return s;
}

/// Where two states part, with some context.
std::string FirstDifference(const std::string& a, const std::string& b) {
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    const size_t from = i > 120 ? i - 120 : 0;
    return ":\n  now  ..." + a.substr(from, 160) + "\n  then ..." + b.substr(from, 160);
}

wxColour PanelColour(Shell& shell, FilterBase_cls* f) {
    FilterGUI_cls* g = Page(shell, f->List()->ListIndex())->GUIOf(f);
    return g && g->Panel() ? g->Panel()->GetBackgroundColour() : wxColour();
}

}  // namespace

TEST(FilterPages, EveryEditIsUndoneAndRedoneExactly) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    FilterCtrl_cls* bool0 = shell.core->GetFilterCtrl(0);
    FilterCtrl_cls* world = shell.core->GetFilterCtrl(2);
    std::vector<std::string> states{State(shell)};
    // The menu items of every kind are enabled.
    wxMenuBar* bar = shell.frame->GetMenuBar();
    for (int id : {ID_ADD_BOOLEAN, ID_ADD_FILTERING, ID_ADD_DATABOX, ID_ADD_COPYBOX, ID_ADD_OBJECT, ID_ADD_STICK,
                   ID_ADD_GRID, ID_ADD_FOG, ID_ADD_BG})
        EXPECT_TRUE(bar->FindItem(id)->IsEnabled()) << id;

    for (int id : {ID_ADD_BOOLEAN, ID_ADD_BOOLEAN, ID_ADD_FILTERING, ID_ADD_DATABOX}) {
        shell.Post(id);
        states.push_back(State(shell));
    }
    EXPECT_EQ(ListNames(bool0), "Boolean00,Boolean01,Filtering00,");
    EXPECT_EQ(ListNames(world), "DataBox00,");
    // The new filters' key-framed transforms are listed in the parameter panel, Scale keyed
    // to (1, 1, 1).
    ParamGUICtrl_cls* params = ParamGUICtrl_cls::Of(shell.core->GetTimeCtrl());
    ASSERT_NE(params, nullptr);
    FilterBase_cls* b1 = bool0->GetNode(1);
    EXPECT_NE(std::find(params->groups.begin(), params->groups.end(), b1->GetData()->group), params->groups.end());
    EXPECT_EQ(b1->GetData()->scale->GetValues(GdCurrentTime, -1), (std::vector<double>{1, 1, 1}));

    // Select Boolean01 as a click on its panel does; its panel turns (240, 230, 180).
    shell.core->SelectFilter(b1, true);
    testsupport::Pump(20);
    EXPECT_EQ(PanelColour(shell, b1), wxColour(240, 230, 180));
    EXPECT_EQ(PanelColour(shell, bool0->GetNode(0)), wxColour(191, 216, 216));
    states.push_back(State(shell));

    // Up, Delete, rename and an edit of BorderFactor in the panel, one step each.
    shell.Post(ID_FILTER_UP);
    EXPECT_EQ(ListNames(bool0), "Boolean01,Boolean00,Filtering00,");
    states.push_back(State(shell));
    shell.Post(ID_FILTER_DOWN);
    EXPECT_EQ(ListNames(bool0), "Boolean00,Boolean01,Filtering00,");
    states.push_back(State(shell));
    shell.Post(ID_FILTER_DOWN);
    EXPECT_EQ(ListNames(bool0), "Boolean00,Filtering00,Boolean01,");
    states.push_back(State(shell));

    FilterGUI_cls* gui = Page(shell, 0)->GUIOf(bool0->GetNode(2));
    ASSERT_NE(gui, nullptr);
    MultiInputPanel_cls* panel = gui->Panel();
    int borderItem = -1;
    auto* boolData = static_cast<FilterBooleanData_cls*>(bool0->GetNode(2)->GetData());
    for (int i = 0; i < panel->GetItemCount(); ++i)
        if (panel->GetItem(i).variable == &boolData->borderFactor.value) borderItem = i;
    ASSERT_GE(borderItem, 0);
    auto* entry = dynamic_cast<wxTextEntry*>(panel->GetItemControl(borderItem));
    ASSERT_NE(entry, nullptr);
    entry->ChangeValue("0.25");
    panel->CommitItems(borderItem, true);
    testsupport::Pump(20);
    EXPECT_FLOAT_EQ(boolData->borderFactor.value, 0.25f);
    states.push_back(State(shell));

    ASSERT_EQ(bool0->RenameUndoable(bool0->GetNode(2), "Left side"), "Left side");
    testsupport::Pump(20);
    EXPECT_NE(bool0->FindByName("Left side"), nullptr);
    EXPECT_NE(bool0->FindParam("Left side Translate x"), nullptr) << "registry names follow the name";
    states.push_back(State(shell));

    shell.Post(ID_FILTER_DELETE);
    EXPECT_EQ(ListNames(bool0), "Boolean00,Filtering00,");
    EXPECT_EQ(shell.core->SelectedFilter(), nullptr);
    states.push_back(State(shell));

    // Back through every step, then forward again: each state exactly as it was.
    // The selection is no history step: it is compared where it changes with one (delete).
    for (std::string& st : states) st = st.substr(0, st.rfind("selected "));
    const size_t steps = states.size() - 1;
    for (size_t k = steps; k-- > 0;) {
        if (k == 5) continue;  // the selection is not a history step
        shell.Post(ID_UNDO);
        const std::string now = State(shell, false);
        EXPECT_TRUE(now == states[k]) << "undo to state " << k << FirstDifference(now, states[k]);
    }
    for (size_t k = 1; k <= steps; ++k) {
        if (k == 5) continue;
        shell.Post(ID_REDO);
        const std::string now = State(shell, false);
        EXPECT_TRUE(now == states[k]) << "redo to state " << k << FirstDifference(now, states[k]);
    }
    // Undoing the delete brings the filter back selected, its panel coloured so.
    shell.Post(ID_UNDO);
    FilterBase_cls* back = bool0->FindByName("Left side");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(shell.core->SelectedFilter(), back);
    EXPECT_EQ(PanelColour(shell, back), wxColour(240, 230, 180));
    EXPECT_FLOAT_EQ(static_cast<FilterBooleanData_cls*>(back->GetData())->borderFactor.value, 0.25f);
}

TEST(FilterPages, PickIdsSelectWithinTheirListOnly) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    shell.Post(ID_ADD_BOOLEAN);
    shell.Post(ID_ADD_DATABOX);
    FilterBase_cls* box = shell.core->GetFilterCtrl(2)->GetNode(0);
    shell.core->SelectFilterById(60, true);
    EXPECT_EQ(shell.core->SelectedFilter(), box);
    // Index 1 of list 0 and index 5 of list 2 do not exist: the selection stays.
    for (int id : {21, 65, 39, 59, 99, 5}) {
        shell.core->SelectFilterById(id, true);
        EXPECT_EQ(shell.core->SelectedFilter(), box) << id;
    }
    shell.core->SelectFilterById(20, false);
    EXPECT_EQ(shell.core->SelectedFilter(), shell.core->GetFilterCtrl(0)->GetNode(0));
    EXPECT_FALSE(box->GetData()->selected);
    // Parameters of the filters are found by registry name (the undo commands' road).
    EXPECT_NE(shell.core->ParamRegistry().FindParamByName("DataBox00 Anchor x"), nullptr);
    EXPECT_EQ(shell.core->ParamRegistry().FindParamByName("DataBox07 Anchor x"), nullptr);
}

TEST(FilterPages, CollapsedPanelsAndProjectsRebuildThePages) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    shell.Post(ID_ADD_BOOLEAN);
    shell.Post(ID_ADD_COPYBOX);
    shell.Post(ID_ADD_DATABOX);
    FilterCtrl_cls* bool0 = shell.core->GetFilterCtrl(0);
    FilterGUI_cls* gui = Page(shell, 0)->GUIAt(0);
    ASSERT_NE(gui, nullptr);
    // The open button collapses the rows after the header and is saved as FilterGUIOpen.
    gui->ToggleOpen();
    EXPECT_FALSE(bool0->GetNode(0)->GetData()->filterGUIOpen.value);
    EXPECT_FALSE(gui->Panel()->GetItemControl(4)->IsShown());
    EXPECT_TRUE(gui->Panel()->GetItemControl(2)->IsShown());
    const std::string project = dir.File("scene.ptp");
    ASSERT_TRUE(shell.frame->SaveProjectTo(wxString::FromUTF8(project)));
    const std::string before = State(shell);

    shell.core->DeleteAllFilters();
    EXPECT_EQ(PanelNames(Page(shell, 0)), "");
    ASSERT_TRUE(shell.frame->OpenProjectFile(wxString::FromUTF8(project)));
    testsupport::Pump(50);
    EXPECT_EQ(State(shell), before);
    FilterGUI_cls* reread = Page(shell, 0)->GUIAt(0);
    ASSERT_NE(reread, nullptr);
    EXPECT_FALSE(reread->Panel()->GetItemControl(4)->IsShown()) << "read back collapsed";
    // Saved again, the file is the same byte for byte.
    const std::string again = dir.File("again.ptp");
    ASSERT_TRUE(shell.frame->SaveProjectTo(wxString::FromUTF8(again)));
    std::string a = ReadFile(project), b = ReadFile(again);
    // Only the project's own path differs.
    const size_t pa = a.find("LastOpenedFilePTP="), pb = b.find("LastOpenedFilePTP=");
    ASSERT_NE(pa, std::string::npos);
    a.erase(pa, a.find('\n', pa) - pa);
    b.erase(pb, b.find('\n', pb) - pb);
    EXPECT_EQ(a, b);
}

TEST(FilterPages, FiltersOfKindsNotShownAreReportedWhenAProjectIsOpened) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    shell.Post(ID_ADD_DATABOX);
    const std::string project = dir.File("scene.ptp");
    ASSERT_TRUE(shell.frame->SaveProjectTo(wxString::FromUTF8(project)));
    std::string text = ReadFile(project);
    const std::string begin = "---FilterCtrl2Begin\n";
    const size_t at = text.find(begin);
    ASSERT_NE(at, std::string::npos);
    text.insert(at + begin.size(),
                "-FilterBegin\nFilterType=9\r\nFilterValid=1\r\nFilterName=Kind9\r\n-FilterEnd\n");
    testsupport::WriteFile(project, text);
    testsupport::ResetModals();
    testsupport::SetModalAnswer(wxID_OK);
    ASSERT_TRUE(shell.frame->OpenProjectFile(wxString::FromUTF8(project)));
    ASSERT_TRUE(testsupport::PumpUntil([] { return !testsupport::ModalMessages().empty(); }, 3000));
    EXPECT_NE(testsupport::ModalMessages().back().Find("1 filter(s)"), wxNOT_FOUND);
    // The rest of the section was read: the DataBox is back with its panel.
    EXPECT_EQ(ListNames(shell.core->GetFilterCtrl(2)), "DataBox00,");
    EXPECT_EQ(PanelNames(Page(shell, 2)), "DataBox00,");
    // A project without such blocks opens without a word.
    testsupport::ResetModals();
    ASSERT_TRUE(shell.frame->SaveProjectTo(wxString::FromUTF8(project)));
    ASSERT_TRUE(shell.frame->OpenProjectFile(wxString::FromUTF8(project)));
    testsupport::Pump(100);
    EXPECT_TRUE(testsupport::ModalMessages().empty());
}
