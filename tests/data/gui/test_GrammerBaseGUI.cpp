// The grammar editor inside the "Data Loader" dialog: what the add menus offer for a list's
// state, the 16-code limit, moving and inserting rows, the ASCII columns, and a grammar
// edited through the menus being the one the loader then reads with.
#include "data/gui/GrammerBaseGUI.h"

#include <vector>

#include <gtest/gtest.h>
#include <wx/combobox.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "common/gui/MultiInputPanel.h"
#include "common/gui/UserPrompts.h"
#include "data/DataLoader.h"
#include "data/ParticleData.h"
#include "data/SnapshotWriter.h"
#include "data/ThreadFileReader.h"
#include "data/gui/DataLoaderGUI.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

class Prompts : public UserPrompts_cls {
public:
    bool yes = true;
    wxString filePath;
    bool AskYesNo(wxWindow*, const wxString&, const wxString&) override { return yes; }
    int PickFile(wxWindow*, const FileQuestion&, wxString& path) override {
        path = filePath;
        return wxID_OK;
    }
};

std::vector<wxString> MenuLabels(const wxMenu* menu) {
    std::vector<wxString> labels;
    if (menu)
        for (const wxMenuItem* item : menu->GetMenuItems())
            labels.push_back(item->GetItemLabelText() + (item->IsEnabled() ? "" : " (off)"));
    return labels;
}

struct Fixture {
    Fixture() {
        frame = new wxFrame(nullptr, wxID_ANY, "main");
        UserPrompts_cls::Install(&prompts);
        loader.loadData = [this](const wxString& p) { loads.push_back(p); };
        loader.ShowDialog(frame, nullptr);
        dialog = loader.gui;
    }
    ~Fixture() {
        UserPrompts_cls::Install(nullptr);
        frame->Destroy();
        testsupport::Pump();
    }
    void Menu(int id) {
        wxCommandEvent ev(wxEVT_MENU, id);
        dialog->GetEventHandler()->ProcessEvent(ev);
    }
    void Select(wxListCtrl* list, std::vector<long> rows) {
        for (long r = 0; r < list->GetItemCount(); ++r) list->SetItemState(r, 0, wxLIST_STATE_SELECTED);
        for (long r : rows) list->SetItemState(r, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    }
    std::vector<long> Selected(wxListCtrl* list) {
        std::vector<long> rows;
        for (long r = 0; r < list->GetItemCount(); ++r)
            if (list->GetItemState(r, wxLIST_STATE_SELECTED)) rows.push_back(r);
        return rows;
    }
    wxFrame* frame;
    Prompts prompts;
    DataLoader_cls loader;
    std::vector<wxString> loads;
    DataLoaderGUI_cls* dialog = nullptr;
};

std::vector<int> Repeat(int code, int n, std::vector<int> head = {}) {
    for (int k = 0; k < n; ++k) head.push_back(code);
    return head;
}

TEST(GrammerBaseGUI, AddMenusOfferTheCodesTheListLacks) {
    Fixture f;
    struct Case {
        int kind;
        std::vector<int> state;
        std::vector<int> offered;
    };
    const Case cases[] = {
        {GrammerBaseGUI_cls::HEADER, {0, 1}, {2, 3, 4}},
        {GrammerBaseGUI_cls::HEADER, {}, {0, 1, 2, 3, 4}},
        {GrammerBaseGUI_cls::HEADER, {1, 2, 2}, {0, 2, 3, 4}},
        {GrammerBaseGUI_cls::HEADER, Repeat(2, 15), {0, 1, 2, 3, 4}},
        {GrammerBaseGUI_cls::HEADER, Repeat(2, 16), {}},
        {GrammerBaseGUI_cls::BODY, {0, 1, 5, 6, 7, 8}, {2, 3, 4}},
        {GrammerBaseGUI_cls::BODY, {0, 1, 6, 7, 8}, {5, 2, 3, 4}},
        {GrammerBaseGUI_cls::BODY, {}, {0, 1, 5, 6, 7, 8, 2, 3, 4}},
        {GrammerBaseGUI_cls::BODY, {4, 0, 4}, {1, 5, 6, 7, 8, 2, 3, 4}},
        {GrammerBaseGUI_cls::BODY, Repeat(3, 15, {0}), {}},
        {GrammerBaseGUI_cls::BODY, Repeat(3, 14, {0}), {1, 5, 6, 7, 8, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " rows " << c.state.size());
        wxListCtrl* list = c.kind == GrammerBaseGUI_cls::BODY ? f.dialog->bodyList : f.dialog->headerList;
        f.dialog->FillList(list, c.state, c.kind);
        f.dialog->PrepareMenu(c.kind);
        EXPECT_EQ(f.dialog->OfferedCodes(c.kind), c.offered);
        // The menu commands insert only what the menu offers: nothing beyond 16, no second field.
        for (int id = ID_GRAMMER_ADD_DUMMY; id <= ID_GRAMMER_ADD_VALUE1; ++id) f.Menu(id);
        const std::vector<int> after = GrammerBaseGUI_cls::ListCodes(list);
        EXPECT_LE(after.size(), 16u);
        if (c.offered.empty()) {
            EXPECT_EQ(after, c.state);
        }
    }
    // The labels as the user sees them.
    f.dialog->FillList(f.dialog->bodyList, {0}, GrammerBaseGUI_cls::BODY);
    f.dialog->PrepareMenu(GrammerBaseGUI_cls::BODY);
    EXPECT_EQ(f.dialog->bodyAddMenu->FindItem(ID_GRAMMER_ADD_RADIUS)->GetItemLabelText(), "Raius");
    EXPECT_EQ(f.dialog->bodyAddMenu->FindItem(ID_GRAMMER_ADD_XYZ), nullptr);
}

TEST(GrammerBaseGUI, MovedRowsReorderTheCodesAndInsertGoesBeforeTheSelection) {
    Fixture f;
    wxListCtrl* body = f.dialog->bodyList;
    f.dialog->FillList(body, {0, 1, 5, 6}, GrammerBaseGUI_cls::BODY);
    f.Select(body, {1, 2});
    wxCommandEvent down(wxEVT_BUTTON, ID_GRAMMER_BODY_DOWN);
    f.dialog->GetEventHandler()->ProcessEvent(down);
    EXPECT_EQ(GrammerBaseGUI_cls::ListCodes(body), (std::vector<int>{0, 6, 1, 5}));
    EXPECT_EQ(f.Selected(body), (std::vector<long>{2, 3}));
    f.Menu(ID_GRAMMER_BODY_SWAP_DOWN);  // the lower one is last: the two swap
    EXPECT_EQ(GrammerBaseGUI_cls::ListCodes(body), (std::vector<int>{0, 6, 5, 1}));
    f.Menu(ID_GRAMMER_BODY_SWAP_UP);
    EXPECT_EQ(GrammerBaseGUI_cls::ListCodes(body), (std::vector<int>{0, 5, 1, 6}));
    EXPECT_EQ(body->GetItemText(1, 1), "Radius");
    EXPECT_EQ(body->GetItemText(1, 3), "4");

    // Rows 2 and 4 selected: the new row goes before row 2, all renumbered from 0.
    f.dialog->FillList(body, {0, 1, 5, 6, 7}, GrammerBaseGUI_cls::BODY);
    f.Select(body, {2, 4});
    f.dialog->PrepareMenu(GrammerBaseGUI_cls::BODY);
    f.Menu(ID_GRAMMER_ADD_DUMMY3);
    EXPECT_EQ(GrammerBaseGUI_cls::ListCodes(body), (std::vector<int>{0, 1, 3, 5, 6, 7}));
    for (long r = 0; r < body->GetItemCount(); ++r) EXPECT_EQ(body->GetItemText(r, 0), wxString::Format("%ld", r));
    EXPECT_EQ(body->GetItemTextColour(2), wxColour("LIGHT GREY"));
    // The Delete menu removes the selected rows of the current list.
    f.Select(body, {0, 2});
    f.Menu(ID_GRAMMER_DELETE);
    EXPECT_EQ(GrammerBaseGUI_cls::ListCodes(body), (std::vector<int>{1, 5, 6, 7}));
    // Nothing reaches the grammar until the lists are applied.
    EXPECT_EQ(f.loader.BodyCodes(), (std::vector<int>{0, 1, 5, 6, 7, 8}));
}

TEST(GrammerBaseGUI, RightClickOpensOneMenuTheRowMenuOrBelowTheRowsTheAddMenu) {
    Fixture f;
    std::vector<wxMenu*> popped;
    f.dialog->popupMenu = [&popped](wxMenu* m) { popped.push_back(m); };
    f.dialog->Show();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return f.dialog->IsShownOnScreen(); }));
    testsupport::Pump(100);
    wxListCtrl* body = f.dialog->bodyList;
    wxListCtrl* header = f.dialog->headerList;
    f.dialog->FillList(header, {}, GrammerBaseGUI_cls::HEADER);  // nothing to click on but the list
    wxRect row;
    ASSERT_TRUE(body->GetItemRect(0, row));
    struct Click {
        wxListCtrl* list;
        wxPoint at;
        int kind;
        bool onRow;
    };
    const Click clicks[] = {
        {body, row.GetPosition() + wxPoint(40, row.height / 2), GrammerBaseGUI_cls::BODY, true},
        {body, wxPoint(60, body->GetClientSize().y - 20), GrammerBaseGUI_cls::BODY, false},
        {header, wxPoint(60, header->GetClientSize().y - 20), GrammerBaseGUI_cls::HEADER, false},
    };
    for (const Click& c : clicks) {
        SCOPED_TRACE(c.kind);
        popped.clear();
        wxUIActionSimulator sim;
        sim.MouseMove(c.list->ClientToScreen(c.at));
        testsupport::Pump(50);
        sim.MouseClick(wxMOUSE_BTN_RIGHT);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return !popped.empty(); }, 3000));
        testsupport::Pump(100);
        EXPECT_EQ(f.dialog->currentList, c.kind);
        // One menu a click: a row's whole menu, or below the rows a menu of its own that
        // offers what the whole menu's add-field submenu offers (a submenu cannot pop up).
        wxMenu* add = c.kind == GrammerBaseGUI_cls::BODY ? f.dialog->bodyAddPopup : f.dialog->headerAddPopup;
        wxMenu* whole = c.kind == GrammerBaseGUI_cls::BODY ? f.dialog->bodyMenu : f.dialog->headerMenu;
        EXPECT_EQ(popped, std::vector<wxMenu*>{c.onRow ? whole : add});
        EXPECT_EQ(popped.at(0)->GetParent(), nullptr);
        if (!c.onRow) EXPECT_EQ(MenuLabels(add), MenuLabels(whole->FindItem(ID_GRAMMER_INSERT)->GetSubMenu()));
    }
    // The empty header list gets Time and Number again through its menu.
    f.Menu(ID_GRAMMER_ADD_NUMBER);
    f.Menu(ID_GRAMMER_ADD_TIME);
    EXPECT_EQ(GrammerBaseGUI_cls::ListCodes(header), (std::vector<int>{1, 0}));
}

TEST(GrammerBaseGUI, AddMenuPopsUpBelowTheRowsAndEscapeClosesIt) {
    Fixture f;  // no seam: the real pop-up menu
    f.dialog->Show();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return f.dialog->IsShownOnScreen(); }));
    testsupport::Pump(100);
    for (wxListCtrl* list : {static_cast<wxListCtrl*>(f.dialog->bodyList), static_cast<wxListCtrl*>(f.dialog->headerList)}) {
        wxUIActionSimulator sim;
        sim.MouseMove(list->ClientToScreen(wxPoint(60, list->GetClientSize().y - 20)));
        testsupport::Pump(50);
        // The menu waits for the user inside the click's handling: Escape comes from a timer.
        bool escaped = false;
        wxTimer escape;
        escape.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            escaped = true;
            wxUIActionSimulator().Char(WXK_ESCAPE);
        });
        escape.StartOnce(300);
        sim.MouseClick(wxMOUSE_BTN_RIGHT);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return escaped; }, 3000));
        testsupport::Pump(200);
        EXPECT_TRUE(f.dialog->IsShown());
    }
    // The lists are as they were: Escape added nothing.
    EXPECT_EQ(GrammerBaseGUI_cls::ListCodes(f.dialog->bodyList), f.loader.BodyCodes());
    EXPECT_EQ(GrammerBaseGUI_cls::ListCodes(f.dialog->headerList), f.loader.HeaderCodes());
}

TEST(GrammerBaseGUI, AsciiDataTypeShowsDashesInTypeAndByteColumns) {
    Fixture f;
    auto* combo = dynamic_cast<wxComboBox*>(f.dialog->settingsPanel->GetItemControl(0));
    ASSERT_NE(combo, nullptr);
    testsupport::ChooseInCombo(combo, 1);
    EXPECT_EQ(f.loader.dataType.value, SNAPSHOT_ASCII);
    for (wxListCtrl* list : {static_cast<wxListCtrl*>(f.dialog->headerList), static_cast<wxListCtrl*>(f.dialog->bodyList)}) {
        for (long r = 0; r < list->GetItemCount(); ++r) {
            EXPECT_EQ(list->GetItemText(r, 2), "-");
            EXPECT_EQ(list->GetItemText(r, 3), "-");
            EXPECT_NE(list->GetItemText(r, 1), "-");
        }
    }
}

TEST(GrammerBaseGUI, GrammarEditedThroughTheMenusIsWhatTheLoaderReads) {
    Fixture f;
    testsupport::TempDir dir;
    // Header: Dummy*3 before Time and Number. Body: x y z, ID, Value1, Dummy (no velocity).
    f.Select(f.dialog->headerList, {0});
    f.dialog->PrepareMenu(GrammerBaseGUI_cls::HEADER);
    f.Menu(ID_GRAMMER_ADD_DUMMY3);
    f.Select(f.dialog->bodyList, {1, 2, 4});  // Vx Vy Vz, Radius, Type
    wxListEvent del(wxEVT_LIST_KEY_DOWN, f.dialog->bodyList->GetId());
    del.m_code = WXK_DELETE;
    del.SetEventObject(f.dialog->bodyList);
    f.dialog->bodyList->GetEventHandler()->ProcessEvent(del);
    f.Select(f.dialog->bodyList, {});
    f.dialog->PrepareMenu(GrammerBaseGUI_cls::BODY);
    f.Menu(ID_GRAMMER_ADD_DUMMY);
    f.loader.dataType.value = SNAPSHOT_ASCII;

    SnapshotGrammar g;
    g.dataType = SNAPSHOT_ASCII;
    g.headerCodes = {3, 0, 1};
    g.bodyCodes = {0, 6, 8, 2};
    SnapshotParticles ps;
    ps.Resize(3);
    for (int i = 0; i < 3; ++i) {
        ps.position[3 * i] = 1.5f * i;
        ps.id[i] = 40 + i;
        ps.value1[i] = -2.25f * i;
    }
    const std::string file = dir.File("s0000.txt");
    std::string error;
    ASSERT_TRUE(WriteSnapshotFile(file, g, 0.5, ps, error)) << error;

    f.prompts.filePath = wxString::FromUTF8(file.c_str());
    wxCommandEvent open(wxEVT_BUTTON, ID_LOADER_OPEN_SEQUENCE);
    f.dialog->OnOpenFileSequence(open);
    ASSERT_EQ(f.loads.size(), 1u);
    const SnapshotLoadSettings s = f.loader.MakeLoadSettings();
    EXPECT_EQ(s.grammar.headerCodes, g.headerCodes);
    EXPECT_EQ(s.grammar.bodyCodes, g.bodyCodes);
    ParticleData_cls pd;
    ASSERT_TRUE(pd.Load(f.loads[0], s)) << pd.readError;
    ParticleArrays_cls none;
    const SnapshotReadResult r =
        ThreadFileReader_cls::ReadBody(f.loads[0], s, pd.count, pd.arrays ? *pd.arrays : none, 1);
    ASSERT_TRUE(r.ok) << r.message;
    ASSERT_EQ(pd.count, 3);
    EXPECT_EQ(pd.time, 0.5);
    EXPECT_EQ(pd.position[6], 3.0f);
    EXPECT_EQ(pd.id[2], 42);
    EXPECT_EQ(pd.value1[2], -4.5f);
}

}  // namespace
