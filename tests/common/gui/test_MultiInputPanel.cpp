// Bound-widget panels: layout of groups and value-with-slider pairs, showing and folding,
// the commit roads with their callbacks, and the three commit modes.
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/slider.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/wx.h>

#include <map>
#include <vector>

#include "common/CommandHistory.h"
#include "common/FilterValueTarget.h"
#include "common/gui/AtoiComboCtrl.h"
#include "common/gui/DualSlider.h"
#include "common/gui/MultiInputPanel.h"
#include "common/gui/WidgetCommon.h"

using testsupport::Pump;
using testsupport::PumpUntil;

namespace {

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        GoCommandHistory.Clear();
        frame = new wxFrame(nullptr, wxID_ANY, "panel host", wxPoint(30, 30), wxSize(500, 600));
        panel = CreateMultiInputPanel(&slot, frame);
    }
    void TearDown() override {
        frame->Destroy();
        Pump(30);
        GoCommandHistory.Clear();
    }
    void BuildAndShow() {
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        panel->CreateAndAddToSizer(sizer);
        frame->SetSizer(sizer);
        frame->Layout();
        frame->Show();
        ASSERT_TRUE(PumpUntil([&] { return frame->IsShownOnScreen(); }));
        frame->Raise();
        Pump(150);
    }
    // Records the keys dispatched to the panel's callbacks, in order.
    void RecordKeys(std::vector<int>& keys) {
        for (int key : std::vector<int>{MIE_SELECT, MIE_LABEL_CLICK, MIE_COMMITTED, 3, MIE_CHECKBOX_CHANGED,
                        MIE_SELECT_CHANGED, MIE_BUTTON, MIE_VALUE_CHANGED, MIE_CLICK})
            if (key != MIE_LABEL_CLICK)
                panel->AddCallback([&keys, key](void*, void*) { keys.push_back(key); }, key,
                                   nullptr);
    }
    template <class W>
    W* ControlOf(int index) {
        return dynamic_cast<W*>(panel->GetItemControl(index));
    }

    wxFrame* frame = nullptr;
    MultiInputPanel_cls* slot = nullptr;
    MultiInputPanel_cls* panel = nullptr;
};

TEST_F(PanelTest, CreateStoresThePanelInItsSlotAndUsesItAsDefaultContext) {
    EXPECT_EQ(slot, panel);
    void* seen = nullptr;
    bool flag = false;
    panel->AddItem(MI_CHECKBOX, &flag, "flag");
    BuildAndShow();
    panel->AddCallback([&](void* context, void*) { seen = context; }, MIE_COMMITTED, nullptr);
    ControlOf<wxCheckBox>(0)->SetValue(true);
    panel->CommitItems(0, true);
    EXPECT_EQ(seen, static_cast<void*>(&slot));
    EXPECT_TRUE(flag);
}

TEST_F(PanelTest, ValueWithSliderWidthsAndRange) {
    float f = 0.5f;
    double later = 1.0;
    const int header = panel->AddValueWithSlider(MI_FLOAT_TEXT, &f, "value", 60, 120);
    panel->SetItemRange(MI_LAST_TWO, 0, 200, 100);
    panel->AddItem(MI_DOUBLE_TEXT, &later, "later");
    ASSERT_EQ(header, 0);
    EXPECT_EQ(panel->GetItem(1).kind, MI_FLOAT_TEXT);
    EXPECT_EQ(panel->GetItem(2).kind, MI_FLOAT_SLIDER);
    EXPECT_EQ(panel->GetItem(1).controlWidth, 60);
    EXPECT_EQ(panel->GetItem(2).controlWidth, 120);
    EXPECT_EQ(panel->GetItem(3).controlWidth, 120);
    EXPECT_TRUE(panel->GetItem(1).inGroup && panel->GetItem(2).inGroup);
    EXPECT_FALSE(panel->GetItem(3).inGroup);
    BuildAndShow();

    auto* slider = ControlOf<wxSlider>(2);
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->GetMin(), 0);
    EXPECT_EQ(slider->GetMax(), 200);
    EXPECT_EQ(slider->GetValue(), 50);
    EXPECT_EQ(slider->GetSize().x, 120);
    // The entry and slider share one row.
    EXPECT_EQ(ControlOf<wxWindow>(1)->GetContainingSizer(), slider->GetContainingSizer());

    // The float entry does not clamp; its slider follows the committed value.
    ControlOf<wxTextCtrl>(1)->ChangeValue("5");
    std::vector<int> keys;
    RecordKeys(keys);
    panel->CommitItems(MI_ALL_ITEMS, true);
    EXPECT_EQ(f, 5.0f);
    EXPECT_EQ(slider->GetValue(), 200);
    EXPECT_EQ(GoCommandHistory.Cursor(), 1u) << "the refreshed slider must not commit again";
    EXPECT_EQ(keys, std::vector<int>{MIE_VALUE_CHANGED});
}

TEST_F(PanelTest, HidingAGroupHeaderHidesItsMembersOnly) {
    int two = 2, a = 1, b = 2, c = 3;
    panel->AddItem(MI_GROUP, &two, "group");
    panel->AddItem(MI_INT_TEXT, &a, "");
    panel->AddItem(MI_INT_TEXT, &b, "");
    panel->AddItem(MI_INT_TEXT, &c, "after");
    BuildAndShow();
    panel->ShowItem(0, false);
    EXPECT_FALSE(panel->GetItem(0).labelControl->IsShown());
    EXPECT_FALSE(panel->GetItemControl(1)->IsShown());
    EXPECT_FALSE(panel->GetItemControl(2)->IsShown());
    EXPECT_TRUE(panel->GetItemControl(3)->IsShown());
    EXPECT_TRUE(panel->GetItem(3).labelControl->IsShown());
}

TEST_F(PanelTest, ToggleCollapseFoldsFromAnIndexAndOpensAgain) {
    int v[5] = {0, 1, 2, 3, 4};
    for (int i = 0; i < 5; ++i) panel->AddItem(MI_INT_TEXT, &v[i], wxString::Format("v%d", i));
    BuildAndShow();
    auto shown = [&] {
        std::vector<bool> s;
        for (int i = 0; i < 5; ++i) s.push_back(panel->GetItemControl(i)->IsShown());
        return s;
    };
    panel->ToggleCollapse(3);
    EXPECT_EQ(shown(), (std::vector<bool>{true, true, true, false, false}));
    EXPECT_FALSE(panel->GetItem(4).labelControl->IsShown());
    panel->ToggleCollapse(3);
    EXPECT_EQ(shown(), (std::vector<bool>(5, true)));
}

TEST_F(PanelTest, CheckBoxClickCommitsOneStepAndNotifiesInOrder) {
    bool flag = false;
    panel->AddItem(MI_CHECKBOX, &flag, "flag");
    BuildAndShow();
    std::vector<int> keys;
    RecordKeys(keys);
    auto* box = ControlOf<wxCheckBox>(0);
    box->SetValue(true);
    wxCommandEvent click(wxEVT_CHECKBOX, box->GetId());
    click.SetEventObject(box);
    click.SetInt(1);
    box->GetEventHandler()->ProcessEvent(click);
    EXPECT_TRUE(flag);
    EXPECT_EQ(keys, (std::vector<int>{MIE_VALUE_CHANGED, MIE_COMMITTED, MIE_CHECKBOX_CHANGED}));
    EXPECT_EQ(GoCommandHistory.Cursor(), 1u);
    GoCommandHistory.Undo();
    EXPECT_FALSE(flag);
}

TEST_F(PanelTest, SliderTrackAndReleaseRoads) {
    double d = 1.5;
    panel->AddItem(MI_DOUBLE_SLIDER, &d, "d");
    panel->SetItemRange(MI_LAST_ITEM, 0, 200, 100);
    BuildAndShow();
    auto* slider = ControlOf<wxSlider>(0);
    EXPECT_EQ(slider->GetValue(), 150);
    std::vector<int> keys;
    RecordKeys(keys);
    auto send = [&](wxEventType type) {
        wxScrollEvent event(type, slider->GetId(), slider->GetValue());
        event.SetEventObject(slider);
        slider->GetEventHandler()->ProcessEvent(event);
    };
    // A track that does not move the value: only the commit notice.
    send(wxEVT_SCROLL_THUMBTRACK);
    EXPECT_EQ(keys, std::vector<int>{MIE_COMMITTED});
    keys.clear();
    slider->SetValue(75);
    send(wxEVT_SCROLL_THUMBTRACK);
    EXPECT_EQ(d, 0.75);
    EXPECT_EQ(keys, (std::vector<int>{MIE_VALUE_CHANGED, MIE_COMMITTED}));
    slider->SetValue(20);
    send(wxEVT_SCROLL_THUMBTRACK);
    keys.clear();
    // The release reports a change even though nothing moved since the last track.
    send(wxEVT_SCROLL_THUMBRELEASE);
    EXPECT_EQ(keys, (std::vector<int>{MIE_VALUE_CHANGED, MIE_COMMITTED}));
    EXPECT_EQ(d, 0.2);
    EXPECT_EQ(GoCommandHistory.BlockDepth(), 0);
    GoCommandHistory.Undo();
    EXPECT_EQ(d, 1.5) << "the whole drag is one undo step";
    EXPECT_EQ(GoCommandHistory.Cursor(), 0u);
}

TEST_F(PanelTest, CommitAllOverTwoItemsOnOneVariablePushesOnePair) {
    int v = 3;
    panel->AddItem(MI_INT_TEXT, &v, "a");
    panel->AddItem(MI_INT_SPIN, &v, "b");
    BuildAndShow();
    ControlOf<wxTextCtrl>(0)->ChangeValue("8");
    int changed = 0;
    panel->AddCallback([&](void*, void* payload) {
        ++changed;
        EXPECT_EQ(*static_cast<int*>(payload), MI_ALL_ITEMS);
    }, MIE_VALUE_CHANGED, nullptr);
    panel->CommitItems(MI_ALL_ITEMS, true);
    EXPECT_EQ(v, 8);
    EXPECT_EQ(ControlOf<wxSpinCtrl>(1)->GetValue(), 8);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(GoCommandHistory.Cursor(), 1u);
}

// A filter list stand-in: settings addressed by name, set by the commands it makes.
class FakeFilterList : public FilterValueTarget_cls {
public:
    std::map<const void*, wxString> names;
    int asked = 0;
    wxString GetItemAddress(const void* value) const override {
        ++const_cast<FakeFilterList*>(this)->asked;
        auto it = names.find(value);
        return it == names.end() ? wxString() : "Boolean0::" + it->second;
    }
    struct SetByAddress : CommandItem_cls {
        FakeFilterList* list;
        wxString address;
        double value;
        SetByAddress(FakeFilterList* l, const wxString& a, double v)
            : CommandItem_cls(COMMAND_PLAIN, "FilterDouble"), list(l), address(a), value(v) {}
        void Execute(bool) override {
            for (auto& [ptr, name] : list->names)
                if ("Boolean0::" + name == address) *static_cast<double*>(const_cast<void*>(ptr)) = value;
        }
    };
    CommandItem_cls* MakeValueCommand(const wxString& a, int v, uint64_t) override {
        return new SetByAddress(this, a, v);
    }
    CommandItem_cls* MakeValueCommand(const wxString& a, unsigned v, uint64_t) override {
        return new SetByAddress(this, a, v);
    }
    CommandItem_cls* MakeValueCommand(const wxString& a, float v, uint64_t) override {
        return new SetByAddress(this, a, v);
    }
    CommandItem_cls* MakeValueCommand(const wxString& a, double v, uint64_t) override {
        return new SetByAddress(this, a, v);
    }
    CommandItem_cls* MakeValueCommand(const wxString& a, const wxString&, uint64_t) override {
        return new SetByAddress(this, a, 0);
    }
};

TEST_F(PanelTest, CommitModes) {
    FakeFilterList list;
    struct Case {
        const char* name;
        int mode;
        FilterValueTarget_cls* context;
        uint32_t steps;    // history steps one commit adds
        bool addressed;    // the list was asked for the address
    } cases[] = {
        {"direct", MI_COMMIT_DIRECT, nullptr, 0, false},
        {"undo", MI_COMMIT_UNDO, nullptr, 1, false},
        {"filter", MI_COMMIT_FILTER, &list, 1, true},
        {"filter without a list", MI_COMMIT_FILTER, nullptr, 0, false},
    };
    double values[4] = {1, 1, 1, 1};
    list.names[&values[2]] = "Radius=";
    for (int i = 0; i < 4; ++i) {
        panel->commitMode = cases[i].mode;
        panel->filterContext = cases[i].context;
        panel->AddItem(MI_DOUBLE_TEXT, &values[i], cases[i].name);
    }
    BuildAndShow();
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(cases[i].name);
        const uint32_t cursor = GoCommandHistory.Cursor();
        const int asked = list.asked;
        ControlOf<wxTextCtrl>(i)->ChangeValue("2.5");
        panel->CommitItems(i, true);
        EXPECT_EQ(values[i], 2.5);
        EXPECT_EQ(GoCommandHistory.Cursor(), cursor + cases[i].steps);
        EXPECT_EQ(list.asked > asked, cases[i].addressed);
        if (cases[i].steps) {
            GoCommandHistory.Undo();
            EXPECT_EQ(values[i], 1.0);
            GoCommandHistory.Redo();
            EXPECT_EQ(values[i], 2.5);
        }
    }
}

TEST_F(PanelTest, ChoicesAndUnsignedNeverTakeImpossibleIndexes) {
    unsigned stale = 7, none = 0, count = 4;
    const wxString choices[3] = {"a", "b", "c"};
    panel->AddChoiceItem(MI_COMBO, &stale, 3, choices, "stale");
    panel->AddChoiceItem(MI_COMBO, &none, 0, nullptr, "empty");
    panel->AddItem(MI_UINT_SPIN, &count, "count");
    BuildAndShow();
    // A stale index shows the last choice; a list without choices never commits -1.
    EXPECT_EQ(ControlOf<AtoiComboCtrl_cls>(0)->GetValue(), "c");
    ControlOf<wxSpinCtrl>(2)->SetValue(-3);
    panel->CommitItems(1, true);
    panel->CommitItems(2, true);
    EXPECT_EQ(none, 0u);
    EXPECT_EQ(count, 0u) << "a negative spin value must not wrap to 4294967293";
}

TEST_F(PanelTest, SpinControlsAreNeverNarrowerThanGtkDrawsThem) {
    // The default control width (80) is less than a GTK spin button with both arrows
    // needs; squeezed below that, GTK complains on every layout and clips the arrows.
    int a = 3;
    unsigned b = 4;
    panel->AddItem(MI_INT_SPIN, &a, "a");
    panel->defaultControlWidth = 200;
    panel->AddItem(MI_UINT_SPIN, &b, "b");
    BuildAndShow();
    auto* narrow = ControlOf<wxSpinCtrl>(0);
    auto* wide = ControlOf<wxSpinCtrl>(1);
    ASSERT_TRUE(narrow && wide);
    EXPECT_GE(narrow->GetSize().x, narrow->GetBestSize().x);
    EXPECT_GT(narrow->GetSize().x, 80);
    EXPECT_EQ(wide->GetSize().x, 200) << "a width GTK accepts is kept as given";
}

TEST_F(PanelTest, RangeSliderWithBothValuesChangedPushesTwoPairs) {
    double range[2] = {0.25, 0.75};
    panel->AddItem(MI_DUAL_SLIDER, range, "range");
    panel->SetItemRange(MI_LAST_ITEM, 0, 100, 100);
    BuildAndShow();
    auto* dual = ControlOf<DualSlider_cls>(0);
    ASSERT_NE(dual, nullptr);
    EXPECT_EQ(dual->GetPosition(0), 25);
    EXPECT_EQ(dual->GetPosition(1), 75);
    dual->ApplyTypedValues(0, 1, 0.125, 0.875);
    panel->CommitItems(0, true);
    EXPECT_EQ(range[0], 0.13);
    EXPECT_EQ(range[1], 0.88);
    EXPECT_EQ(GoCommandHistory.Cursor(), 2u);
    GoCommandHistory.Undo();
    EXPECT_EQ(range[0], 0.13);
    EXPECT_EQ(range[1], 0.75);
    GoCommandHistory.Undo();
    EXPECT_EQ(range[0], 0.25);
}

TEST_F(PanelTest, DisplayItemShowsTheValueItWasBuiltWith) {
    int shown = 7;
    panel->AddItem(MI_INT_DISPLAY, &shown, "shown");
    BuildAndShow();
    shown = 9;
    panel->UpdateWidgets(MI_ALL_ITEMS);
    ControlOf<wxTextCtrl>(0)->ChangeValue("12");
    panel->CommitItems(MI_ALL_ITEMS, true);
    EXPECT_EQ(shown, 9);
    EXPECT_EQ(GoCommandHistory.Size(), 0u);
}

class RecordingForwarder : public ShortcutForwarder_cls {
public:
    std::vector<std::pair<int, int>> keys;
    void ForwardKey(int code, int modifiers) override { keys.emplace_back(code, modifiers); }
};

TEST_F(PanelTest, KeysOfTheControlsReachTheMainWindowShortcuts) {
    RecordingForwarder forwarder;
    ShortcutForwarder_cls::Install(&forwarder);
    GiForwardedKey = 0;
    GiForwardedKeyMods = 0;
    bool flag = false;
    panel->AddItem(MI_CHECKBOX, &flag, "flag");
    BuildAndShow();
    wxWindow* box = panel->GetItemControl(0);
    box->SetFocus();
    PumpUntil([&] { return wxWindow::FindFocus() == box; }, 2000);
    wxUIActionSimulator sim;
    sim.Char('z', wxMOD_CONTROL);
    PumpUntil([&] { return !forwarder.keys.empty(); }, 2000);
    ShortcutForwarder_cls::Install(nullptr);
    ASSERT_FALSE(forwarder.keys.empty());
    EXPECT_EQ(forwarder.keys.back(), std::make_pair(90, 2));
    // The main window replays the key from these two.
    EXPECT_EQ(GiForwardedKey, 90);
    EXPECT_EQ(GiForwardedKeyMods, 2);
    EXPECT_FALSE(flag);
}

TEST_F(PanelTest, LabelPressesAreReported) {
    int v = 1;
    panel->AddItem(MI_INT_TEXT, &v, "label");
    BuildAndShow();
    int labelClicks = 0;
    panel->AddCallback([&](void*, void* payload) {
        if (static_cast<wxMouseEvent*>(payload)->LeftDown()) ++labelClicks;
    }, MIE_LABEL_CLICK, nullptr);
    wxWindow* label = panel->GetItem(0).labelControl;
    ASSERT_NE(label, nullptr);
    wxUIActionSimulator sim;
    sim.MouseMove(label->ClientToScreen(wxPoint(5, label->GetClientSize().y / 2)));
    Pump(60);
    sim.MouseClick();
    EXPECT_TRUE(PumpUntil([&] { return labelClicks > 0; }, 2000));
    EXPECT_EQ(v, 1);
}

TEST_F(PanelTest, SliderWithoutRangeStaysPut) {
    int v = 0;
    panel->AddItem(MI_INT_SLIDER, &v, "unranged");
    BuildAndShow();
    auto* slider = ControlOf<wxSlider>(0);
    ASSERT_NE(slider, nullptr);
    panel->CommitItems(MI_ALL_ITEMS, true);
    EXPECT_EQ(v, 0);
    EXPECT_EQ(GoCommandHistory.Size(), 0u);
}

TEST_F(PanelTest, CustomControlPressesAreReported) {
    auto* custom = new wxPanel(panel, wxID_ANY, wxDefaultPosition, wxSize(60, 30));
    panel->AddItem(MI_CUSTOM, custom, "custom");
    BuildAndShow();
    std::vector<int> keys;
    RecordKeys(keys);
    wxUIActionSimulator sim;
    sim.MouseMove(custom->ClientToScreen(wxPoint(30, 15)));
    Pump(60);
    sim.MouseClick();
    EXPECT_TRUE(PumpUntil([&] { return !keys.empty(); }, 2000));
    EXPECT_EQ(keys, std::vector<int>{MIE_CLICK});
    EXPECT_EQ(panel->GetItemControl(0), custom);
}

}  // namespace
