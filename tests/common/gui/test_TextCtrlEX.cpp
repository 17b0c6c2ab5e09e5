// The entries commit on Enter, Tab or Space only when their text changed, and an untouched
// entry reads back exactly the value it was given.
#include "common/gui/AtoiComboCtrl.h"
#include "common/gui/SpinCtrlEX.h"
#include "common/gui/TextCtrlEX.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/uiaction.h>

namespace {

// A panel that records the keys its controls queue to it.
struct KeyLog {
    struct Key {
        int code;
        int id;
    };
    std::vector<Key> keys;
    int Count(int code, int id) const {
        int n = 0;
        for (const Key& k : keys) n += k.code == code && k.id == id;
        return n;
    }
};

struct EntryTest : ::testing::Test {
    void SetUp() override {
        frame = new wxFrame(nullptr, wxID_ANY, "entries", wxPoint(20, 20), wxSize(420, 220));
        panel = new wxPanel(frame);
        panel->Bind(wxEVT_CHAR, [this](wxKeyEvent& e) { log.keys.push_back({e.GetKeyCode(), e.GetId()}); });
        box = new wxBoxSizer(wxVERTICAL);
        panel->SetSizer(box);
    }
    void Show() {
        panel->Layout();
        frame->Show();
        ASSERT_TRUE(testsupport::PumpUntil([&] { return frame->IsShownOnScreen(); }));
        frame->Raise();
        testsupport::Pump(100);
    }
    void Focus(wxWindow* w) {
        w->SetFocus();
        testsupport::PumpUntil([&] { return wxWindow::FindFocus() == w; }, 1000);
        testsupport::Pump(100);
    }
    void TearDown() override {
        frame->Destroy();
        testsupport::Pump(50);
    }
    template <class T>
    T* Add(T* w) {
        box->Add(w, 0, wxEXPAND | wxALL, 2);
        return w;
    }
    wxFrame* frame = nullptr;
    wxPanel* panel = nullptr;
    wxBoxSizer* box = nullptr;
    KeyLog log;
};

}  // namespace

TEST_F(EntryTest, UntouchedEntriesReadBackTheirExactValues) {
    const double values[] = {0.1, 1234.5678, 0.29, 1.0 / 3, -7.25e-9};
    std::vector<AtofTextCtrl_cls*> entries;
    for (double v : values) entries.push_back(Add(new AtofTextCtrl_cls(panel, wxID_ANY, v)));
    auto* f = Add(new AtofTextCtrl_cls(panel, wxID_ANY, 0.1f));
    Show();
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i]->GetDouble(), values[i]) << entries[i]->GetValue();
        entries[i]->CommitText(true);  // as Tab does
    }
    EXPECT_EQ(entries[1]->GetValue(), "1234.5678");
    EXPECT_EQ(entries[2]->GetValue(), "0.29");
    EXPECT_EQ(f->GetValue(), "0.1");
    EXPECT_EQ(f->GetFloat(), 0.1f);
    f->CommitText(true);
    testsupport::Pump(50);
    EXPECT_TRUE(log.keys.empty()) << "an untouched entry queued " << log.keys.size() << " Enter(s)";

    // Typing the same text again reads the same value; other text reads at double precision.
    entries[2]->ChangeValue("0.29 ");
    EXPECT_EQ(entries[2]->GetDouble(), 0.29);
    entries[1]->ChangeValue("1234.5678");
    EXPECT_EQ(entries[1]->GetDouble(), 1234.5678);
}

TEST_F(EntryTest, TabCommitsOnlyAChangedEntryAndMovesOn) {
    auto* a = Add(new AtofTextCtrl_cls(panel, wxID_ANY, 1.5));
    auto* b = Add(new AtofTextCtrl_cls(panel, wxID_ANY, 2.0));
    Show();
    wxUIActionSimulator sim;

    Focus(a);
    sim.Char(WXK_TAB);  // untouched: no commit, focus moves on
    ASSERT_TRUE(testsupport::PumpUntil([&] { return wxWindow::FindFocus() == b; }));
    EXPECT_EQ(log.Count(WXK_RETURN, a->GetId()), 0);

    Focus(a);
    a->SelectAll();
    sim.Text("2.75");
    sim.Char(WXK_TAB);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return log.Count(WXK_RETURN, a->GetId()) == 1; }));
    EXPECT_EQ(a->GetValue(), "2.75");
    EXPECT_EQ(a->GetDouble(), 2.75);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return wxWindow::FindFocus() == b; }));

    // Losing the focus commits without Enter; a later Tab without edits queues nothing.
    Focus(a);
    a->SelectAll();
    sim.Text("4");
    ASSERT_TRUE(testsupport::PumpUntil([&] { return a->GetValue() == "4"; }));
    Focus(b);
    testsupport::Pump(100);
    EXPECT_EQ(log.Count(WXK_RETURN, a->GetId()), 1);
    Focus(a);
    sim.Char(WXK_TAB);
    testsupport::Pump(200);
    EXPECT_EQ(log.Count(WXK_RETURN, a->GetId()), 1);
    EXPECT_EQ(a->GetDouble(), 4.0);
}

TEST_F(EntryTest, EnterIsForwardedAndAnIntEntryClampsFirst) {
    auto* n = Add(new AtoiTextCtrl_cls(panel, wxID_ANY, 5));
    auto* other = Add(new AtoiTextCtrl_cls(panel, wxID_ANY, 0));
    n->SetRange(0, 10);
    Show();
    wxUIActionSimulator sim;
    struct Case {
        const char* typed;
        int key;
        const char* text;
    } cases[] = {
        {"50", WXK_RETURN, "10"},
        {"abc", WXK_TAB, "0"},
        {"-3", WXK_RETURN, "0"},
        {"7", WXK_TAB, "7"},
    };
    int expected = 0;
    for (const Case& c : cases) {
        Focus(n);
        n->SelectAll();
        sim.Text(c.typed);
        sim.Char(c.key);
        ++expected;
        EXPECT_TRUE(testsupport::PumpUntil([&] { return log.Count(WXK_RETURN, n->GetId()) == expected; }))
            << c.typed;
        EXPECT_EQ(n->GetValue(), c.text) << c.typed;
        EXPECT_EQ(n->GetInt(), std::atoi(c.text));
    }
    EXPECT_EQ(log.Count(WXK_RETURN, other->GetId()), 0);
}

TEST_F(EntryTest, TextThatIsNoNumberShowsWhatTheCommitStored) {
    auto* f = Add(new AtofTextCtrl_cls(panel, wxID_ANY, 1.5f));
    auto* n = Add(new AtoiTextCtrl_cls(panel, wxID_ANY, 5));  // no range: no clamping
    Show();
    wxUIActionSimulator sim;
    struct Case {
        wxTextCtrl* entry;
        const char* typed;
        const char* shown;
        double value;
    } cases[] = {
        {f, "abc", "0", 0.0}, {f, "2.5x", "2.5", 2.5}, {f, "1e3", "1e3", 1000.0},
        {f, "-0.25", "-0.25", -0.25}, {n, "abc", "0", 0.0}, {n, "12z", "12", 12.0},
        {n, "7", "7", 7.0},
    };
    for (const Case& c : cases) {
        Focus(c.entry);
        c.entry->SelectAll();
        sim.Text(c.typed);
        sim.Char(WXK_TAB);
        EXPECT_TRUE(testsupport::PumpUntil([&] { return wxWindow::FindFocus() != c.entry; }))
            << c.typed;
        EXPECT_EQ(c.entry->GetValue(), c.shown) << c.typed;
        const double read = c.entry == f ? f->GetDouble() : n->GetInt();
        EXPECT_EQ(read, c.value) << c.typed;
    }
}

TEST_F(EntryTest, SpaceCommitsUnlessSwitchedOff) {
    auto* s = Add(new AtoSTextCtrl_cls(panel, wxID_ANY, "ab"));
    Show();
    wxUIActionSimulator sim;
    Focus(s);
    s->SetInsertionPointEnd();
    sim.Char(' ');
    ASSERT_TRUE(testsupport::PumpUntil([&] { return log.Count(' ', s->GetId()) == 1; }));
    EXPECT_EQ(s->GetValue(), "ab");
    EXPECT_TRUE(testsupport::PumpUntil([&] {
        long from = 0, to = 0;
        s->GetSelection(&from, &to);
        return from == 0 && to == 2;
    })) << "the text is selected after a Space commit";

    s->SetSpaceCommits(false);
    s->SetInsertionPointEnd();
    sim.Char(' ');
    ASSERT_TRUE(testsupport::PumpUntil([&] { return s->GetValue() == "ab "; }));
    EXPECT_EQ(log.Count(' ', s->GetId()), 1);
}

TEST_F(EntryTest, SpinArrowCommitsTypingDoesNotUntilEnter) {
    auto* spin = Add(new AtoiSpinCtrl_cls(panel, wxID_ANY, 3));
    auto* other = Add(new AtoiTextCtrl_cls(panel, wxID_ANY, 0));
    Show();
    EXPECT_EQ(spin->GetMin(), -99999);
    EXPECT_EQ(spin->GetMax(), 99999);
    wxUIActionSimulator sim;
    Focus(spin);
    sim.Char(WXK_UP);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return log.Count(WXK_RETURN, spin->GetId()) == 1; }));
    EXPECT_EQ(spin->GetValue(), 4);

    Focus(spin);
    spin->SetSelection(-1, -1);
    sim.Text("12");
    Focus(other);
    testsupport::Pump(200);
    EXPECT_EQ(log.Count(WXK_RETURN, spin->GetId()), 1);

    Focus(spin);
    spin->SetSelection(-1, -1);
    sim.Text("15");
    sim.Char(WXK_RETURN);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return log.Count(WXK_RETURN, spin->GetId()) == 2; }));
    testsupport::Pump(200);
    EXPECT_EQ(log.Count(WXK_RETURN, spin->GetId()), 2);  // one Enter for one commit
    EXPECT_EQ(spin->GetValue(), 15);
}

TEST_F(EntryTest, ComboIndexFollowsItsOwnList) {
    const wxString choices[] = {"points", "billboards", "spheres"};
    auto* combo = Add(new AtoiComboCtrl_cls(panel, wxID_ANY, "billboards", 3, choices));
    Show();
    EXPECT_EQ(combo->GetIndex(), 1);
    combo->SetIndex(2);
    EXPECT_EQ(combo->GetIndex(), 2);
    combo->SetIndex(7);  // outside the list: unchanged
    combo->SetIndex(-1);
    EXPECT_EQ(combo->GetIndex(), 2);
    combo->Clear();
    EXPECT_EQ(combo->GetIndex(), -1);
    EXPECT_EQ(combo->Count(), 0);
}

TEST_F(EntryTest, TabFollowsTheExplicitTargetsFirst) {
    auto* a = Add(new AtoiTextCtrl_cls(panel, wxID_ANY, 1));
    auto* b = Add(new AtoiTextCtrl_cls(panel, wxID_ANY, 2));
    auto* c = Add(new AtoiTextCtrl_cls(panel, wxID_ANY, 3));
    a->AddForward(b);  // destroyed below: skipped
    a->AddForward(c);
    c->AddBackward(a);
    Show();
    b->Destroy();
    testsupport::Pump(50);
    wxUIActionSimulator sim;
    Focus(a);
    sim.Char(WXK_TAB);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return wxWindow::FindFocus() == c; }));
    sim.Char(WXK_TAB, wxMOD_SHIFT);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return wxWindow::FindFocus() == a; }));
    EXPECT_EQ(log.keys.size(), 0u);  // nothing was edited: no commits
}
