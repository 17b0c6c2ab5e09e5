// The editor dialog driven like a user drives it: typed Enter, Tab and Space, clicks and
// drags on a dialog that holds every item kind, each edit one undo step; OK on an
// untouched dialog changes nothing.
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/slider.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/wx.h>

#include <functional>
#include <vector>

#include "common/CommandHistory.h"
#include "common/gui/DualSlider.h"
#include "common/gui/IconSelector.h"
#include "common/gui/MultiInputDialog.h"

using testsupport::Pump;
using testsupport::PumpUntil;

namespace {

// Every variable the dialog binds. The doubles hold values whose "%g" text or slider grid
// would not read back exactly.
struct Bound {
    int integer = 5;
    int spin = 3;
    int intSlider = 10;
    float floatText = 0.29f;
    float floatSlider = 0.29f;
    double doubleText = 0.1;
    double doubleText2 = 1234.5678;
    double doubleSlider = 0.2875;  // between two slider positions
    bool check = false;
    int display = 7;
    unsigned combo = 1;
    unsigned uintSpin = 4;
    wxString text = "abc";
    double dual[2] = {0.25, 0.75};
    unsigned icon = 0;
    wxString caption = "caption";
    int groupInt = 11;
    bool groupCheck = true;
};

bool Same(const Bound& a, const Bound& b) {
    return a.integer == b.integer && a.spin == b.spin && a.intSlider == b.intSlider &&
           a.floatText == b.floatText && a.floatSlider == b.floatSlider &&
           a.doubleText == b.doubleText && a.doubleText2 == b.doubleText2 &&
           a.doubleSlider == b.doubleSlider && a.check == b.check && a.display == b.display &&
           a.combo == b.combo && a.uintSpin == b.uintSpin && a.text == b.text &&
           a.dual[0] == b.dual[0] && a.dual[1] == b.dual[1] && a.icon == b.icon &&
           a.caption == b.caption && a.groupInt == b.groupInt && a.groupCheck == b.groupCheck;
}

std::vector<wxBitmap> FourIcons() {
    std::vector<wxBitmap> icons;
    const wxColour colours[4] = {*wxRED, *wxGREEN, *wxBLUE, *wxBLACK};
    for (const auto& c : colours) {
        wxImage image(16, 16);
        image.SetRGB(wxRect(0, 0, 16, 16), c.Red(), c.Green(), c.Blue());
        icons.emplace_back(image);
    }
    return icons;
}

// A dialog with every item kind, shown modelessly so that the simulator can drive it.
class EveryKindDialog : public ::testing::Test {
protected:
    void SetUp() override {
        GoCommandHistory.Clear();
        icons = FourIcons();
        host = new wxFrame(nullptr, wxID_ANY, "host", wxPoint(900, 0), wxSize(200, 80));
        host->Show();
        dialog = new MultiInputDialog_cls(nullptr, host, wxID_ANY, "every kind", wxPoint(20, 20));
        MultiInputPanel_cls* p = dialog->panel;
        p->labelWidth = 90;
        p->defaultControlWidth = 220;
        idx.integer = dialog->AddItem(MI_INT_TEXT, &b.integer, "int");
        idx.spin = dialog->AddItem(MI_INT_SPIN, &b.spin, "spin");
        idx.intSlider = dialog->AddItem(MI_INT_SLIDER, &b.intSlider, "int slider");
        dialog->SetItemRange(MI_LAST_ITEM, 0, 100, 1);
        idx.floatText = dialog->AddItem(MI_FLOAT_TEXT, &b.floatText, "float");
        idx.floatSlider = dialog->AddItem(MI_FLOAT_SLIDER, &b.floatSlider, "float slider");
        dialog->SetItemRange(MI_LAST_ITEM, 0, 200, 100);
        idx.doubleText = dialog->AddItem(MI_DOUBLE_TEXT, &b.doubleText, "double");
        idx.doubleText2 = dialog->AddItem(MI_DOUBLE_TEXT, &b.doubleText2, "double 2");
        idx.doubleSlider = dialog->AddItem(MI_DOUBLE_SLIDER, &b.doubleSlider, "double slider");
        dialog->SetItemRange(MI_LAST_ITEM, 0, 200, 100);
        idx.check = dialog->AddItem(MI_CHECKBOX, &b.check, "check");
        idx.display = dialog->AddItem(MI_INT_DISPLAY, &b.display, "display");
        const wxString choices[3] = {"zero", "one", "two"};
        idx.combo = dialog->AddChoiceItem(MI_COMBO, &b.combo, 3, choices, "combo");
        idx.uintSpin = dialog->AddItem(MI_UINT_SPIN, &b.uintSpin, "uint spin");
        idx.text = dialog->AddItem(MI_STRING_TEXT, &b.text, "text");
        idx.dual = dialog->AddItem(MI_DUAL_SLIDER, b.dual, "range");
        dialog->SetItemRange(MI_LAST_ITEM, 0, 100, 100);
        idx.icon = dialog->AddItem(MI_ICON_SELECTOR, &b.icon, "icons");
        p->GetLastItem().icons = &icons;
        custom = new wxPanel(p, wxID_ANY, wxDefaultPosition, wxSize(40, 20));
        idx.custom = dialog->AddItem(MI_CUSTOM, custom, "custom");
        idx.caption = dialog->AddItem(MI_STATIC_TEXT, &b.caption, "static");
        idx.button = p->AddUnboundItem(7001, "Press", MI_BUTTON);
        int two = 2;
        idx.group = dialog->AddItem(MI_GROUP, &two, "group");
        idx.groupInt = dialog->AddItem(MI_INT_TEXT, &b.groupInt, "");
        idx.groupCheck = dialog->AddItem(MI_CHECKBOX, &b.groupCheck, "member");
        dialog->BuildAndLayout();
        dialog->Show();
        ASSERT_TRUE(PumpUntil([&] { return dialog->IsShownOnScreen(); }));
        dialog->Raise();
        Pump(300);
    }

    void TearDown() override {
        if (dialog) dialog->Destroy();
        host->Destroy();
        Pump(50);
        GoCommandHistory.Clear();
    }

    wxWindow* Control(int index) { return dialog->panel->GetItemControl(index); }

    wxPoint ScreenPoint(wxWindow* w, int x, int y) { return w->ClientToScreen(wxPoint(x, y)); }
    wxPoint Centre(wxWindow* w) {
        const wxSize s = w->GetClientSize();
        return ScreenPoint(w, s.x / 2, s.y / 2);
    }

    void Click(const wxPoint& at) {
        sim.MouseMove(at);
        Pump(60);
        sim.MouseClick();
        Pump(120);
    }

    void Drag(const wxPoint& from, const wxPoint& to) {
        sim.MouseMove(from);
        Pump(60);
        sim.MouseDown();
        Pump(60);
        for (int k = 1; k <= 6; ++k) {
            sim.MouseMove(from + (to - from) * k / 6);
            Pump(40);
        }
        sim.MouseUp();
        Pump(150);
    }

    // Gives `w` the focus, types `text` over what it shows, then presses `key`.
    void TypeInto(wxWindow* w, const wxString& text, int key) {
        w->SetFocus();
        PumpUntil([&] {
            wxWindow* f = wxWindow::FindFocus();
            return f && (f == w || f->GetParent() == w);
        }, 2000);
        if (auto* t = dynamic_cast<wxTextCtrl*>(w)) t->SelectAll();
        if (auto* s = dynamic_cast<wxSpinCtrl*>(w)) s->SetSelection(-1, -1);
        Pump(50);
        sim.Text(text.utf8_str());
        Pump(50);
        sim.Char(key);
        Pump(150);
    }

    struct Indexes {
        int integer, spin, intSlider, floatText, floatSlider, doubleText, doubleText2,
            doubleSlider, check, display, combo, uintSpin, text, dual, icon, custom, caption,
            button, group, groupInt, groupCheck;
    } idx{};

    Bound b;
    std::vector<wxBitmap> icons;
    wxFrame* host = nullptr;
    MultiInputDialog_cls* dialog = nullptr;
    wxPanel* custom = nullptr;
    wxUIActionSimulator sim;
};

TEST_F(EveryKindDialog, OkOnAnUntouchedDialogChangesNothing) {
    const Bound before = b;
    const size_t steps = GoCommandHistory.Size();
    int valueChanged = 0;
    dialog->notifier->Register([&](void*, void*) { ++valueChanged; }, MIE_VALUE_CHANGED);

    Click(Centre(dialog->okButton));
    ASSERT_TRUE(PumpUntil([&] { return !dialog->IsShown(); }));
    EXPECT_TRUE(Same(b, before)) << "0.1, 1234.5678, 0.29 and an off-grid slider value must survive OK untouched; got "
                                 << b.doubleText << " " << b.doubleText2 << " " << b.doubleSlider
                                 << " " << b.floatSlider;
    EXPECT_EQ(GoCommandHistory.Size(), steps);
    EXPECT_EQ(valueChanged, 0);
}

TEST_F(EveryKindDialog, EachEditIsOneUndoStepAndUndoRestoresIt) {
    // Each edit: what the user does, and what it must have changed.
    struct Edit {
        const char* what;
        std::function<void()> act;
        std::function<bool(const Bound&)> changed;
    };
    const std::vector<Edit> edits = {
        {"int entry, Enter", [&] { TypeInto(Control(idx.integer), "42", WXK_RETURN); },
         [](const Bound& v) { return v.integer == 42; }},
        {"double entry, Tab", [&] { TypeInto(Control(idx.doubleText), "2.5", WXK_TAB); },
         [](const Bound& v) { return v.doubleText == 2.5; }},
        {"float entry, Enter", [&] { TypeInto(Control(idx.floatText), "0.125", WXK_RETURN); },
         [](const Bound& v) { return v.floatText == 0.125f; }},
        {"text entry, Space", [&] { TypeInto(Control(idx.text), "xyz", WXK_SPACE); },
         [](const Bound& v) { return v.text == "xyz"; }},
        {"spin, Enter", [&] { TypeInto(Control(idx.spin), "17", WXK_RETURN); },
         [](const Bound& v) { return v.spin == 17; }},
        {"uint spin, Tab", [&] { TypeInto(Control(idx.uintSpin), "9", WXK_TAB); },
         [](const Bound& v) { return v.uintSpin == 9u; }},
        {"check box click",
         [&] {
             wxWindow* box = Control(idx.check);
             Click(ScreenPoint(box, 8, box->GetClientSize().y / 2));
         },
         [](const Bound& v) { return v.check; }},
        {"combo, arrow key",
         [&] {
             wxWindow* combo = Control(idx.combo);
             combo->SetFocus();
             Pump(100);
             sim.Char(WXK_DOWN);
             Pump(200);
         },
         [](const Bound& v) { return v.combo == 2u; }},
        {"icon strip click",
         [&] {
             wxWindow* strip = Control(idx.icon);
             Click(ScreenPoint(strip, 2 * 20 + 10, strip->GetClientSize().y / 2));
         },
         [](const Bound& v) { return v.icon == 2u; }},
        {"int slider drag",
         [&] {
             wxWindow* s = Control(idx.intSlider);
             const wxSize z = s->GetClientSize();
             Drag(ScreenPoint(s, z.x / 10, z.y / 2), ScreenPoint(s, z.x * 7 / 10, z.y / 2));
         },
         [](const Bound& v) { return v.intSlider > 40; }},
        {"double slider drag",
         [&] {
             wxWindow* s = Control(idx.doubleSlider);
             const wxSize z = s->GetClientSize();
             Drag(ScreenPoint(s, z.x * 2 / 10, z.y / 2), ScreenPoint(s, z.x * 8 / 10, z.y / 2));
         },
         [](const Bound& v) { return v.doubleSlider > 1.0; }},
        {"range slider drag of the low thumb",
         [&] {
             auto* s = static_cast<DualSlider_cls*>(Control(idx.dual));
             const int y = s->GetClientSize().y / 2;
             Drag(ScreenPoint(s, s->ColumnOf(s->GetPosition(0)), y),
                  ScreenPoint(s, s->ColumnOf(50), y));
         },
         [](const Bound& v) { return v.dual[0] > 0.4 && v.dual[1] == 0.75; }},
    };

    std::vector<Bound> states{b};
    for (const Edit& e : edits) {
        const uint32_t cursor = GoCommandHistory.Cursor();
        e.act();
        EXPECT_TRUE(PumpUntil([&] { return e.changed(b); }, 2000)) << e.what;
        EXPECT_GT(GoCommandHistory.Cursor(), cursor) << e.what << ": no undo step";
        EXPECT_EQ(GoCommandHistory.BlockDepth(), 0) << e.what << ": a block stayed open";
        states.push_back(b);
    }
    EXPECT_EQ(b.display, 7) << "the display item is never committed";

    // One Undo per edit, newest first, each back to the state before that edit.
    for (size_t k = edits.size(); k-- > 0;) {
        GoCommandHistory.Undo();
        EXPECT_TRUE(Same(b, states[k])) << "undo of: " << edits[k].what;
    }
    EXPECT_EQ(GoCommandHistory.Cursor(), 0u);

    // Refreshed from the restored variables, OK finds nothing to commit.
    dialog->UpdateWidgets(MI_ALL_ITEMS);
    const size_t steps = GoCommandHistory.Size();
    Click(Centre(dialog->okButton));
    ASSERT_TRUE(PumpUntil([&] { return !dialog->IsShown(); }));
    EXPECT_TRUE(Same(b, states[0]));
    EXPECT_EQ(GoCommandHistory.Size(), steps);
}

TEST_F(EveryKindDialog, OkCommitsTypedTextWithoutEnterAsOneStep) {
    TypeInto(Control(idx.doubleText2), "3.75", WXK_END);  // typed, not committed
    EXPECT_EQ(b.doubleText2, 1234.5678);
    const uint32_t cursor = GoCommandHistory.Cursor();
    Click(Centre(dialog->okButton));
    ASSERT_TRUE(PumpUntil([&] { return !dialog->IsShown(); }));
    EXPECT_EQ(b.doubleText2, 3.75);
    EXPECT_EQ(GoCommandHistory.Cursor(), cursor + 1);
    GoCommandHistory.Undo();
    EXPECT_EQ(b.doubleText2, 1234.5678);
}

TEST_F(EveryKindDialog, CancelCommitsNothing) {
    TypeInto(Control(idx.integer), "99", WXK_END);
    Click(Centre(dialog->cancelButton));
    ASSERT_TRUE(PumpUntil([&] { return !dialog->IsShown(); }));
    EXPECT_EQ(b.integer, 5);
    EXPECT_EQ(GoCommandHistory.Size(), 0u);
}

TEST_F(EveryKindDialog, EscapeCommitsNothing) {
    TypeInto(Control(idx.integer), "99", WXK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !dialog->IsShown(); }));
    EXPECT_EQ(b.integer, 5);
    EXPECT_EQ(GoCommandHistory.Size(), 0u);
}

TEST_F(EveryKindDialog, ButtonClickReachesTheCallbacksAndTheDialog) {
    int fromNotifier = 0, atDialog = 0;
    dialog->notifier->Register([&](void*, void*) { ++fromNotifier; }, MIE_BUTTON, 7001);
    dialog->Bind(wxEVT_BUTTON, [&](wxCommandEvent&) { ++atDialog; }, 7001);
    Click(Centre(Control(idx.button)));
    EXPECT_TRUE(PumpUntil([&] { return atDialog == 1; }, 2000));
    EXPECT_EQ(fromNotifier, 1);
    EXPECT_EQ(GoCommandHistory.Size(), 0u);
}

}  // namespace
