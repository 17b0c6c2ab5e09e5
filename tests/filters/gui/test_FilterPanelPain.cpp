// A filter page on its own: clicks on a panel's labels select its filter and ask for the
// context menu, a double click renames it (one undo step), the open button collapses the
// rows, typing into a transform row keys the value (undoable), the enable box redraws,
// clicks on the empty page unselect and ask for the add menu, and panels follow the list.
#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/frame.h>
#include <wx/textentry.h>

#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "common/gui/MultiInputPanel.h"
#include "filters/ColorCurve.h"
#include "filters/CommandFilter.h"
#include "filters/FilterBoolean.h"
#include "filters/FilterCopy.h"
#include "filters/FilterCtrl.h"
#include "filters/gui/ColorCurveBtn.h"
#include "filters/gui/FilterPanelPain.h"
#include "tests/support/GuiTestSupport.h"
#include "timeline/ComParam.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamRegistry.h"
#include "timeline/Parameter.h"

namespace {

class FilterPanelPainTest : public ::testing::Test {
protected:
    void SetUp() override {
        GoCommandHistory.Clear();
        GdCurrentTime = 0.0;
        frame = new wxFrame(nullptr, wxID_ANY, "filters", wxPoint(20, 20), wxSize(420, 600));
        page = new FilterPanelPain_cls(frame, &list);
        page->hooks.selectFilter = [this](FilterBase_cls* f, bool clear) {
            selections.push_back({f, clear});
            list.SelectFilter(f);
        };
        page->hooks.postCommand = [this](int id) { posted.push_back(id); };
        page->hooks.askName = [this](const wxString&) { return answerName; };
        page->hooks.reportError = [this](const wxString& m) { errors.push_back(m); };
        ComParamBase_cls::SetRegistry(&registry);
        frame->Bind(wxEVT_MENU, [this](wxCommandEvent& e) { menus.push_back({e.GetId(), e.GetInt()}); });
        frame->Show();
        testsupport::PumpUntil([&] { return frame->IsShownOnScreen(); });
    }
    void TearDown() override {
        ComParamBase_cls::SetRegistry(nullptr);
        frame->Destroy();
        testsupport::Pump(20);
        GoCommandHistory.Clear();
    }
    MultiInputPanel_cls* PanelAt(int i) {
        FilterGUI_cls* g = page->GUIAt(i);
        return g ? g->Panel() : nullptr;
    }
    void Mouse(wxWindow* target, wxEventType type) {
        wxMouseEvent e(type);
        e.SetEventObject(target);
        if (auto* panel = dynamic_cast<MultiInputPanel_cls*>(target))
            panel->OnLabelClickRoad(e);
        else
            target->GetEventHandler()->ProcessEvent(e);
    }

    FilterCtrl_cls list{0};
    wxFrame* frame = nullptr;
    FilterPanelPain_cls* page = nullptr;
    std::vector<std::pair<FilterBase_cls*, bool>> selections;
    std::vector<int> posted;
    std::vector<std::pair<int, int>> menus;
    wxString answerName;
    std::vector<wxString> errors;
    /// Parameter commands find the filters' parameters again by name, as in the program.
    struct Registry : ParamRegistry_cls {
        FilterCtrl_cls* list;
        explicit Registry(FilterCtrl_cls* l) : list(l) {}
        Parameter_cls* FindParamByName(const std::string& name) override { return list->FindParam(name); }
    } registry{&list};
};

}  // namespace

TEST_F(FilterPanelPainTest, PanelsFollowTheListAndClicksSelect) {
    AddFilterCommand(GoCommandHistory, &list, FILTER_BOOLEAN);
    AddFilterCommand(GoCommandHistory, &list, FILTER_FILTERING);
    ASSERT_NE(PanelAt(1), nullptr);
    EXPECT_EQ(PanelAt(0)->GetItemControl(2)->GetLabel(), "Boolean00");
    EXPECT_EQ(PanelAt(1)->GetItemControl(2)->GetLabel(), "Filtering00");
    EXPECT_EQ(page->GetSizer()->GetItemCount(), 2u);

    // Left press on a label: select with the parameter selection cleared; right press also
    // asks the frame for the context menu.
    Mouse(PanelAt(1), wxEVT_LEFT_DOWN);
    ASSERT_EQ(selections.size(), 1u);
    EXPECT_EQ(selections[0].first, list.GetNode(1));
    EXPECT_TRUE(selections[0].second);
    EXPECT_EQ(PanelAt(1)->GetBackgroundColour(), wxColour(240, 230, 180));
    EXPECT_EQ(PanelAt(0)->GetBackgroundColour(), wxColour(191, 216, 216));
    Mouse(PanelAt(0), wxEVT_RIGHT_DOWN);
    EXPECT_EQ(selections.back().first, list.GetNode(0));
    EXPECT_EQ(posted, std::vector<int>{ID_FILTER_CONTEXT_MENU});

    // On the empty page: left unselects, right asks for this list's add menu.
    Mouse(page, wxEVT_LEFT_DOWN);
    EXPECT_EQ(selections.back().first, nullptr);
    EXPECT_EQ(PanelAt(0)->GetBackgroundColour(), wxColour(191, 216, 216));
    Mouse(page, wxEVT_RIGHT_DOWN);
    testsupport::PumpUntil([&] { return !menus.empty(); }, 2000);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0], std::make_pair(ID_FILTER_ADD_MENU, 0));

    // Undo of the adds takes the panels away again, redo brings them back.
    GoCommandHistory.Undo();
    EXPECT_EQ(page->GetSizer()->GetItemCount(), 1u);
    GoCommandHistory.Redo();
    ASSERT_NE(PanelAt(1), nullptr);
    EXPECT_EQ(PanelAt(1)->GetItemControl(2)->GetLabel(), "Filtering00");
}

TEST_F(FilterPanelPainTest, DoubleClickRenamesInOneUndoStep) {
    AddFilterCommand(GoCommandHistory, &list, FILTER_BOOLEAN);
    const size_t before = GoCommandHistory.Cursor();
    answerName = "Core";
    Mouse(PanelAt(0), wxEVT_LEFT_DCLICK);
    EXPECT_EQ(list.GetNode(0)->GetData()->Name(), "Core");
    EXPECT_EQ(PanelAt(0)->GetItemControl(2)->GetLabel(), "Core");
    EXPECT_NE(list.FindParam("Core Scale x"), nullptr);
    EXPECT_EQ(GoCommandHistory.Cursor(), before + 1);
    GoCommandHistory.Undo();
    EXPECT_EQ(list.GetNode(0)->GetData()->Name(), "Boolean00");
    EXPECT_EQ(PanelAt(0)->GetItemControl(2)->GetLabel(), "Boolean00");
    EXPECT_NE(list.FindParam("Boolean00 Scale x"), nullptr);
    // A name another filter of the list has is refused with a message; a blank one
    // changes nothing. Either way no step is recorded.
    AddFilterCommand(GoCommandHistory, &list, FILTER_BOOLEAN);
    const size_t steps = GoCommandHistory.Cursor();
    answerName = "Boolean00";
    Mouse(PanelAt(1), wxEVT_LEFT_DCLICK);
    EXPECT_EQ(list.GetNode(1)->GetData()->Name(), "Boolean01");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].Find("Boolean00"), wxNOT_FOUND);
    answerName = "  ";
    Mouse(PanelAt(1), wxEVT_LEFT_DCLICK);
    EXPECT_EQ(list.GetNode(1)->GetData()->Name(), "Boolean01");
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(GoCommandHistory.Cursor(), steps);
}

TEST_F(FilterPanelPainTest, OpenButtonCollapsesAndTransformRowsKeyUndoably) {
    FilterBoolean_cls* b = static_cast<FilterBoolean_cls*>(AddFilterCommand(GoCommandHistory, &list, FILTER_BOOLEAN));
    ASSERT_NE(b, nullptr);
    MultiInputPanel_cls* panel = PanelAt(0);
    wxCommandEvent click(wxEVT_BUTTON, panel->GetItemControlId(2));
    click.SetEventObject(panel->GetItemControl(2));
    panel->OnButtonRoad(click);
    EXPECT_FALSE(b->GetData()->filterGUIOpen.value);
    EXPECT_FALSE(panel->GetItemControl(4)->IsShown());
    EXPECT_EQ(posted.back(), ID_PAGES_RELAYOUT);
    panel->OnButtonRoad(click);
    EXPECT_TRUE(b->GetData()->filterGUIOpen.value);
    EXPECT_TRUE(panel->GetItemControl(4)->IsShown());

    // T x typed into its row is keyed at the current time, one undo step.
    int tx = -1;
    for (int i = 0; i < panel->GetItemCount(); ++i)
        if (panel->GetItem(i).variable == &b->GetData()->translate->Component(0).cachedValue) tx = i;
    ASSERT_GE(tx, 0);
    const size_t before = GoCommandHistory.Cursor();
    dynamic_cast<wxTextEntry*>(panel->GetItemControl(tx))->ChangeValue("2.5");
    panel->CommitItems(tx, true);
    EXPECT_DOUBLE_EQ(b->GetData()->translate->GetValues(GdCurrentTime, -1)[0], 2.5);
    EXPECT_GT(GoCommandHistory.Cursor(), before);
    while (GoCommandHistory.Cursor() > before) GoCommandHistory.Undo();
    EXPECT_DOUBLE_EQ(b->GetData()->translate->GetValues(GdCurrentTime, -1)[0], 0.0);
    // The row shows the value again after the panel's refresh (as ID_FILTERS_AT_TIME does).
    page->RefreshPanels();
    EXPECT_EQ(dynamic_cast<wxTextEntry*>(panel->GetItemControl(tx))->GetValue().ToStdString().substr(0, 1), "0");

    // The enable box writes FilterValid directly and redraws the views.
    auto* box = dynamic_cast<wxCheckBox*>(panel->GetItemControl(1));
    ASSERT_NE(box, nullptr);
    box->SetValue(false);
    wxCommandEvent check(wxEVT_CHECKBOX, box->GetId());
    check.SetEventObject(box);
    check.SetInt(0);
    panel->OnCheckBoxRoad(check);
    EXPECT_FALSE(b->GetData()->filterValid.value);
    EXPECT_EQ(posted.back(), ID_REDRAW_VIEWS);
}

TEST_F(FilterPanelPainTest, CopyBoxButtonsAndCancelledShearDialog) {
    auto* c = static_cast<FilterCopy_cls*>(AddFilterCommand(GoCommandHistory, &list, FILTER_COPY));
    ASSERT_NE(c, nullptr);
    MultiInputPanel_cls* panel = PanelAt(0);
    // The last two items are "Boundary Size" and "Shearing Box".
    const int n = panel->GetItemCount();
    wxCommandEvent boundary(wxEVT_BUTTON, panel->GetItemControlId(n - 2));
    boundary.SetEventObject(panel->GetItemControl(n - 2));
    panel->OnButtonRoad(boundary);
    EXPECT_EQ(posted.back(), ID_PERIODIC_BOUNDARY);
    EXPECT_TRUE(c->GetData()->filterGUIOpen.value) << "only the header button collapses";

    c->Data()->shear[0].values[1] = 0.5f;
    testsupport::SetModalAnswer(wxID_CANCEL);
    wxCommandEvent shear(wxEVT_BUTTON, panel->GetItemControlId(n - 1));
    shear.SetEventObject(panel->GetItemControl(n - 1));
    panel->OnButtonRoad(shear);
    EXPECT_EQ(testsupport::ModalTitles().back(), "Shearing Box");
    EXPECT_FLOAT_EQ(c->Data()->shear[0].values[1], 0.5f);
    testsupport::SetModalAnswer(wxID_OK);
    panel->OnButtonRoad(shear);
    EXPECT_FLOAT_EQ(c->Data()->shear[0].values[1], 0.5f) << "OK keeps the shown values";
    testsupport::ResetModals();
}

// The material buttons of an Object filter, like the Fog and Grid colour buttons, edit the
// one colour the kind uses: no curve switch at their left end (the BG sky's button has
// one). A pasted material colour is one undo step that finds its record again after the
// filter was deleted and brought back.
TEST_F(FilterPanelPainTest, ObjectMaterialColourStepsSurviveDeletion) {
    for (int kind : {FILTER_OBJECT, FILTER_FOG, FILTER_GRID, FILTER_BG})
        list.AddFilter(kind, -1, nullptr, nullptr, nullptr, nullptr);
    auto buttonsOf = [this](int i) {
        std::vector<ColorCurveBtn_cls*> found;
        for (wxWindow* w : PanelAt(i)->GetChildren())
            if (auto* b = dynamic_cast<ColorCurveBtn_cls*>(w)) found.push_back(b);
        return found;
    };
    const std::vector<ColorCurveBtn_cls*> material = buttonsOf(0);
    ASSERT_EQ(material.size(), 3u);
    for (ColorCurveBtn_cls* b : material) EXPECT_FALSE(b->hasCheckArea);
    for (int i : {1, 2}) {
        ASSERT_EQ(buttonsOf(i).size(), 1u);
        EXPECT_FALSE(buttonsOf(i)[0]->hasCheckArea) << list.GetNode(i)->GetData()->Name();
    }
    ASSERT_EQ(buttonsOf(3).size(), 1u);
    EXPECT_TRUE(buttonsOf(3)[0]->hasCheckArea);

    if (!wxTheClipboard->Open()) GTEST_SKIP() << "no clipboard on this display";
    wxTheClipboard->SetData(new wxTextDataObject("COLOR=0.1 0.2 0.3 0.4\r\n"));
    wxTheClipboard->Close();
    wxCommandEvent paste(wxEVT_MENU, ID_PASTE_COLOR);
    material[0]->GetEventHandler()->ProcessEvent(paste);
    auto ambient = [this]() { return list.GetNode(0)->GetData()->colors[0]->ConstantColor(); };
    EXPECT_NEAR(ambient()[0], 0.1f, 1e-6);
    EXPECT_NEAR(ambient()[3], 0.4f, 1e-6);

    list.SelectFilter(list.GetNode(0));
    list.DeleteSelected();
    EXPECT_EQ(list.Count(), 3);
    GoCommandHistory.Undo();  // the filter comes back as a new object, with the pasted colour
    ASSERT_EQ(list.Count(), 4);
    ASSERT_EQ(list.GetNode(0)->Kind(), FILTER_OBJECT);
    EXPECT_NEAR(ambient()[0], 0.1f, 1e-6);
    GoCommandHistory.Undo();  // the paste, undone on the restored filter
    EXPECT_FLOAT_EQ(ambient()[0], 0.2f);
    EXPECT_FLOAT_EQ(ambient()[3], 1.0f);
    GoCommandHistory.Redo();
    EXPECT_NEAR(ambient()[0], 0.1f, 1e-6);
    EXPECT_NEAR(ambient()[3], 0.4f, 1e-6);
}
