// The dialog base and its controller: Esc and Ctrl+W hide a modeless dialog, which reopens
// where it was left; the command bus queues in order.
#include "common/gui/DialogControl.h"
#include "common/gui/DialogEXKey.h"
#include "common/gui/WidgetCommon.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

namespace {

class TestDialog : public wxDialogEXKey {
public:
    TestDialog(wxWindow* parent, const wxPoint& pos, const wxSize& size)
        : wxDialogEXKey(parent, wxID_ANY, "test dialog", pos, size) {
        auto* box = new wxBoxSizer(wxVERTICAL);
        text = new wxTextCtrl(this, wxID_ANY, "x");
        box->Add(text, 0, wxEXPAND | wxALL, 4);
        box->Add(new wxButton(this, wxID_CANCEL, "Calcel"), 0, wxALL, 4);
        SetSizer(box);
    }
    wxTextCtrl* text;
};

class TestController : public DialogControl_cls {
public:
    void CreateGUI(wxWindow* frame) override {
        ++creates;
        SetGUI(new TestDialog(frame, wxPoint(x, y), wxSize(width, height)));
    }
    void UpdateGUI(bool) override { ++updates; }
    int creates = 0;
    int updates = 0;
};

struct Fixture : ::testing::Test {
    void SetUp() override {
        frame = new wxFrame(nullptr, wxID_ANY, "owner", wxPoint(0, 0), wxSize(200, 100));
        frame->Show();
        ASSERT_TRUE(testsupport::PumpUntil([&] { return frame->IsShownOnScreen(); }));
    }
    void TearDown() override {
        frame->Destroy();
        testsupport::Pump(50);
    }
    // Shows the controller's dialog and puts the keyboard focus in its text field.
    TestDialog* ShowFocused(TestController& c) {
        c.Show(frame);
        auto* d = static_cast<TestDialog*>(c.dialog);
        EXPECT_TRUE(testsupport::PumpUntil([&] { return d->IsShownOnScreen(); }));
        d->Raise();
        d->text->SetFocus();
        testsupport::Pump(150);
        return d;
    }
    wxFrame* frame = nullptr;
};

using DialogEXKeyTest = Fixture;

}  // namespace

TEST_F(DialogEXKeyTest, EscAndCtrlWHideAndTheDialogReopensWhereItWasLeft) {
    TestController c;
    c.x = 60;
    c.y = 70;
    c.width = 300;
    c.height = 180;
    struct Case {
        int key;
        int mods;
        wxPoint moveTo;
        wxSize sizeTo;
    } cases[] = {
        {WXK_ESCAPE, wxMOD_NONE, wxPoint(240, 210), wxSize(320, 200)},
        {'W', wxMOD_CONTROL, wxPoint(300, 150), wxSize(280, 220)},
    };
    for (const Case& k : cases) {
        TestDialog* d = ShowFocused(c);
        d->SetSize(k.moveTo.x, k.moveTo.y, k.sizeTo.x, k.sizeTo.y);
        testsupport::Pump(150);
        const wxPoint where = d->GetPosition();
        const wxSize size = d->GetSize();

        wxUIActionSimulator sim;
        sim.Char(k.key, k.mods);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return !d->IsShown(); })) << "key " << k.key;
        EXPECT_EQ(c.x, where.x);
        EXPECT_EQ(c.y, where.y);
        EXPECT_EQ(c.width, size.x);
        EXPECT_EQ(c.height, size.y);

        // Hidden, not destroyed: the same window comes back, refilled, at the stored place.
        const int updates = c.updates;
        c.Show(frame);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return d->IsShownOnScreen(); }));
        testsupport::Pump(100);
        EXPECT_EQ(c.dialog, d);
        EXPECT_EQ(c.creates, 1);
        EXPECT_EQ(c.updates, updates + 1);
        EXPECT_EQ(d->GetPosition(), where);
        EXPECT_EQ(d->GetSize(), size);
        d->CloseDialog(wxID_CANCEL);
    }
}

TEST_F(DialogEXKeyTest, CtrlWNeedsCtrlAloneAndAnOpenCloseId) {
    TestController c;
    struct Case {
        int key;
        int mods;
        int closeId;
        bool hides;
    } cases[] = {
        {'W', wxMOD_CONTROL | wxMOD_SHIFT, wxID_CANCEL, false},
        {'W', wxMOD_ALT, wxID_CANCEL, false},
        {'W', wxMOD_CONTROL, wxID_NONE, false},
        {WXK_ESCAPE, wxMOD_NONE, wxID_NONE, true},
        {'W', wxMOD_CONTROL, wxID_OK, true},
    };
    for (const Case& k : cases) {
        TestDialog* d = ShowFocused(c);
        d->SetCloseId(k.closeId);
        wxUIActionSimulator sim;
        sim.Char(k.key, k.mods);
        if (k.hides) {
            EXPECT_TRUE(testsupport::PumpUntil([&] { return !d->IsShown(); })) << k.key << "/" << k.mods;
        } else {
            testsupport::Pump(300);
            EXPECT_TRUE(d->IsShown()) << k.key << "/" << k.mods << "/" << k.closeId;
        }
        d->CloseDialog(wxID_CANCEL);
        testsupport::Pump(50);
    }
}

TEST_F(DialogEXKeyTest, ShowingAShownDialogRaisesWithoutRefilling) {
    TestController c;
    ShowFocused(c);
    const int updates = c.updates;
    c.Show(frame);
    EXPECT_EQ(c.updates, updates);
    EXPECT_EQ(c.creates, 1);
    // A modal run of a dialog already shown modelessly does not start.
    EXPECT_FALSE(c.RunModal(frame));
    EXPECT_EQ(c.updates, updates);
    c.dialog->CloseDialog(wxID_CANCEL);
}

TEST_F(DialogEXKeyTest, RunModalIsTrueOnlyForOk) {
    TestController c;
    testsupport::SetModalAnswer(wxID_OK);
    EXPECT_TRUE(c.RunModal(frame));
    testsupport::SetModalAnswer(wxID_CANCEL);
    EXPECT_FALSE(c.RunModal(frame));
    EXPECT_EQ(c.creates, 1);
    EXPECT_EQ(c.updates, 2);
    testsupport::ResetModals();
}

TEST_F(DialogEXKeyTest, OtherKeysOnTheDialogReachTheShortcuts) {
    struct Recorder : ShortcutForwarder_cls {
        void ForwardKey(int code, int mods) override { keys.push_back({code, mods}); }
        std::vector<std::pair<int, int>> keys;
    } recorder;
    ShortcutForwarder_cls::Install(&recorder);
    TestController c;
    c.CreateGUI(frame);
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = 'Z';
    key.m_controlDown = true;
    key.SetId(c.dialog->GetId());
    c.dialog->GetEventHandler()->ProcessEvent(key);
    ShortcutForwarder_cls::Install(nullptr);
    ASSERT_EQ(recorder.keys.size(), 1u);
    EXPECT_EQ(recorder.keys[0], std::make_pair(int('Z'), 2));
    c.dialog->Destroy();
}

TEST_F(DialogEXKeyTest, PostedCommandsArriveLaterAndInOrder) {
    std::vector<int> seen;
    frame->Bind(wxEVT_MENU, [&](wxCommandEvent& e) { seen.push_back(e.GetId()); });
    WidgetCommon_cls::PostMenuCommand(frame, 6018);
    WidgetCommon_cls::PostMenuCommand(frame, 6017);
    EXPECT_TRUE(seen.empty());  // queued, not handled inside the posting code
    ASSERT_TRUE(testsupport::PumpUntil([&] { return seen.size() == 2; }));
    EXPECT_EQ(seen, (std::vector<int>{6018, 6017}));

    // A dialog reaches the frame that owns it.
    TestController c;
    c.CreateGUI(frame);
    std::vector<int> buttons;
    frame->Bind(wxEVT_BUTTON, [&](wxCommandEvent& e) { buttons.push_back(e.GetId()); });
    WidgetCommon_cls::PostEventToOwner(static_cast<TestDialog*>(c.dialog)->text, wxEVT_BUTTON, 6035);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !buttons.empty(); }));
    EXPECT_EQ(buttons[0], 6035);
    c.dialog->Destroy();
}
