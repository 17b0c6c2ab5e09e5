// The "Preference" dialog: controls commit undoable edits at once, the template replaces
// the bindings without an undo step of its own, the emulated modifier is tinted, Esc
// drops uncommitted text; and in the running shell the menu opens it and its lines go
// into project files only.
#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/frame.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <functional>
#include <memory>
#include <string>

#include "common/CommandIds.h"
#include "app/gui/Preference.h"
#include "app/gui/PreferenceGUI.h"
#include "common/CommandHistory.h"
#include "common/gui/MultiInputPanel.h"
#include "tests/app/gui/ShellFixture.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/TestFiles.h"

using testsupport::Pump;
using testsupport::PumpUntil;

namespace {

const wxColour kTint(216, 191, 191);

class PreferenceDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        GoCommandHistory.Clear();
        frame = new wxFrame(nullptr, wxID_ANY, "host", wxPoint(20, 20), wxSize(300, 200));
        frame->Show();
        PumpUntil([&] { return frame->IsShownOnScreen(); });
        pref = std::make_unique<Preference_cls>(frame);
        pref->Show(frame);
        gui = pref->GetPreferenceGUI();
        ASSERT_NE(gui, nullptr);
        PumpUntil([&] { return gui->IsShownOnScreen(); });
        Pump(50);
    }
    void TearDown() override {
        pref.reset();
        frame->Destroy();
        Pump(30);
        GoCommandHistory.Clear();
    }
    void Select(MultiInputPanel_cls* panel, int item, int index) {
        auto* combo = dynamic_cast<wxComboBox*>(panel->GetItemControl(item));
        ASSERT_NE(combo, nullptr);
        testsupport::ChooseInCombo(combo, index);
    }
    wxString ComboText(MultiInputPanel_cls* panel, int item) {
        return dynamic_cast<wxComboBox*>(panel->GetItemControl(item))->GetValue();
    }

    wxFrame* frame = nullptr;
    std::unique_ptr<Preference_cls> pref;
    PreferenceGUI_cls* gui = nullptr;
};

}  // namespace

TEST_F(PreferenceDialogTest, DialogShowsTwoPagesFilledFromTheValues) {
    EXPECT_EQ(gui->GetTitle(), "Preference");
    EXPECT_EQ(gui->GetName(), "dialogBox");
    ASSERT_EQ(gui->notebook->GetPageCount(), 2u);
    EXPECT_EQ(gui->notebook->GetId(), ID_NOTEBOOK_PREFERENCE);
    EXPECT_EQ(gui->notebook->GetPageText(0), "Mouse");
    EXPECT_EQ(gui->notebook->GetPageText(1), "Performance");
    EXPECT_EQ(ComboText(gui->mousePanel, gui->ButtonItem(PREF_GYRATION)), "Left Mouse BTN");
    EXPECT_EQ(ComboText(gui->mousePanel, gui->ButtonItem(PREF_ZOOM)), "Middle Mouse BTN");
    EXPECT_EQ(ComboText(gui->mousePanel, gui->emulateItem), "Left BTN + Alt");
    EXPECT_EQ(ComboText(gui->performancePanel, gui->fboItem), "Use FBO as a buffer");
    auto* shift = dynamic_cast<wxCheckBox*>(
        gui->mousePanel->GetItemControl(gui->ModifierItem(PREF_CENTER, PREF_MOD_SHIFT)));
    auto* ctrl = dynamic_cast<wxCheckBox*>(
        gui->mousePanel->GetItemControl(gui->ModifierItem(PREF_CENTER, PREF_MOD_CTRL)));
    ASSERT_TRUE(shift && ctrl);
    EXPECT_TRUE(shift->GetValue());
    EXPECT_TRUE(ctrl->GetValue());
    EXPECT_FALSE(gui->performancePanel->GetItemControl(gui->nowUsedItem)->IsEnabled());
}

TEST_F(PreferenceDialogTest, ChoiceCommitsAtOnceAsOneUndoableStep) {
    struct Case {
        MultiInputPanel_cls* PreferenceGUI_cls::*panel;
        int PreferenceGUI_cls::*item;
        int choice;
        std::function<unsigned()> value;
        unsigned before;
    };
    Preference_cls* p = pref.get();
    const Case cases[] = {
        {&PreferenceGUI_cls::performancePanel, &PreferenceGUI_cls::fboItem, 0,
         [p] { return p->UseFBO() ? 1u : 0u; }, 1},
        {&PreferenceGUI_cls::performancePanel, &PreferenceGUI_cls::sortItem, 3,
         [p] { return p->SortType(); }, 0},
    };
    for (const Case& c : cases) {
        GoCommandHistory.Clear();
        Select(gui->*c.panel, gui->*c.item, c.choice);
        EXPECT_EQ(c.value(), static_cast<unsigned>(c.choice));
        EXPECT_EQ(GoCommandHistory.Cursor(), 1u);
        GoCommandHistory.Undo();
        EXPECT_EQ(c.value(), c.before);
    }
    // A button combo of a binding, and a modifier box.
    GoCommandHistory.Clear();
    MultiInputPanel_cls* mouse = gui->mousePanel;
    Select(mouse, gui->ButtonItem(PREF_MENU), 3);
    EXPECT_EQ(pref->Button(PREF_MENU), 3u);
    auto* alt = dynamic_cast<wxCheckBox*>(mouse->GetItemControl(gui->ModifierItem(PREF_ZOOM, PREF_MOD_ALT)));
    alt->SetValue(true);
    wxCommandEvent click(wxEVT_CHECKBOX, alt->GetId());
    click.SetEventObject(alt);
    click.SetInt(1);
    alt->GetEventHandler()->ProcessEvent(click);
    EXPECT_TRUE(pref->Modifiers(PREF_ZOOM)[PREF_MOD_ALT]);
    EXPECT_NE(pref->WriteConfig().Find("GUI_ZOOM_MOD=0 0 1\r\n"), wxNOT_FOUND);
    GoCommandHistory.Undo();
    GoCommandHistory.Undo();
    EXPECT_FALSE(pref->Modifiers(PREF_ZOOM)[PREF_MOD_ALT]);
    EXPECT_EQ(pref->Button(PREF_MENU), 2u);
}

TEST_F(PreferenceDialogTest, TemplateReplacesTheBindingsAndUndoRestoresOnlyTheIndex) {
    Select(gui->mousePanel, gui->templateItem, 1);
    EXPECT_EQ(pref->Button(PREF_GYRATION), 1u);
    EXPECT_EQ(pref->Button(PREF_CENTER), 1u);
    EXPECT_TRUE(pref->Modifiers(PREF_ZOOM)[PREF_MOD_CTRL]);
    EXPECT_TRUE(pref->Modifiers(PREF_MENU)[PREF_MOD_SHIFT]);
    // The page shows the new bindings.
    EXPECT_EQ(ComboText(gui->mousePanel, gui->ButtonItem(PREF_GYRATION)), "Middle Mouse BTN");
    EXPECT_EQ(GoCommandHistory.Cursor(), 1u);
    GoCommandHistory.Undo();
    EXPECT_EQ(pref->templateIndex, 0u);
    EXPECT_EQ(pref->Button(PREF_GYRATION), 1u) << "the bindings stay as the template set them";
}

TEST_F(PreferenceDialogTest, EmulatedModifierBoxesAreTinted) {
    auto tinted = [&](int modifier) {
        int n = 0;
        for (int b = 0; b < PREF_BINDING_COUNT; ++b)
            if (gui->mousePanel->GetItemControl(gui->ModifierItem(b, modifier))->GetBackgroundColour() == kTint)
                ++n;
        return n;
    };
    EXPECT_EQ(tinted(PREF_MOD_ALT), 6);
    EXPECT_EQ(tinted(PREF_MOD_SHIFT), 0);
    Select(gui->mousePanel, gui->emulateItem, 0);
    EXPECT_EQ(pref->Emulation(), 0u);
    EXPECT_EQ(tinted(PREF_MOD_SHIFT), 6);
    EXPECT_EQ(tinted(PREF_MOD_ALT), 0);
    Select(gui->mousePanel, gui->emulateItem, 3);
    EXPECT_EQ(tinted(PREF_MOD_SHIFT) + tinted(PREF_MOD_CTRL) + tinted(PREF_MOD_ALT), 0);
}

TEST_F(PreferenceDialogTest, EscClosesWithoutCommittingTypedText) {
    const int before = *pref->PerformanceTargets().memoryLimitMB;
    auto* critical = dynamic_cast<wxTextCtrl*>(gui->performancePanel->GetItemControl(gui->criticalItem));
    ASSERT_NE(critical, nullptr);
    critical->ChangeValue("77");
    gui->Raise();
    gui->SetFocus();
    Pump(50);
    wxUIActionSimulator sim;
    // Without a window manager the X focus may rest on the root window (an earlier test's
    // window went away), and keys then go to the window under the pointer.
    const wxRect r = gui->GetScreenRect();
    sim.MouseMove(r.x + r.width / 2, r.y + 5);
    Pump(50);
    sim.Char(WXK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !gui->IsShown(); }, 3000));
    EXPECT_EQ(*pref->PerformanceTargets().memoryLimitMB, before);
    EXPECT_EQ(GoCommandHistory.Cursor(), 0u);
    // Shown again, the field holds the stored value.
    pref->Show(frame);
    EXPECT_EQ(critical->GetValue(), wxString::Format("%d", before));
}

TEST_F(PreferenceDialogTest, DataThreadsStayWithinOneToSixtyFour) {
    auto* spin = gui->performancePanel->GetItemControl(gui->dataThreadsItem);
    ASSERT_NE(spin, nullptr);
    auto& item = gui->performancePanel->GetItem(gui->dataThreadsItem);
    EXPECT_EQ(item.minimum, 1);
    EXPECT_EQ(item.maximum, 64);
    EXPECT_EQ(pref->PerformanceTargets().dataIOThreads, &GiDataIOThreads);
}

TEST(PreferenceShell, MenuOpensTheDialogAndProjectsAloneCarryTheLines) {
    testsupport::TempDir dir;
    const std::string cfg = dir.File("Pelthorn3Configure.txt");
    const std::string project = dir.File("p.ptp");
    {
        shelltest::Shell shell(cfg);
        ASSERT_NE(GpPreference, nullptr);
        shell.Post(ID_PREFERENCE);
        ASSERT_NE(GpPreference->GetPreferenceGUI(), nullptr);
        EXPECT_TRUE(PumpUntil([] { return GpPreference->GetPreferenceGUI()->IsShown(); }));
        *GpPreference->UseFBOValue() = 0;
        ASSERT_TRUE(shell.core->WriteConfig(project, true));
        ASSERT_TRUE(shell.core->WriteConfigFile());
        const std::string config = testsupport::ReadFile(cfg);
        EXPECT_EQ(config.find("PREF_"), std::string::npos);
        EXPECT_EQ(config.find("GUI_"), std::string::npos);
        const std::string text = testsupport::ReadFile(project);
        EXPECT_NE(text.find("GUI_GYRATION=0\r\n"), std::string::npos);
        EXPECT_NE(text.find("PREF_USE_FBO=0\r\n"), std::string::npos);
        EXPECT_NE(text.find("DownSizing=1\r\n"), std::string::npos);
        EXPECT_NE(text.find("ExposureLevel=0 1\r\n"), std::string::npos);
        // The draw options come before the exposure, the preferences after both.
        EXPECT_LT(text.find("DownSizing="), text.find("ExposureLevel="));
        EXPECT_LT(text.find("ExposureLevel="), text.find("GUI_GYRATION="));
    }
    {
        shelltest::Shell shell(cfg);
        EXPECT_TRUE(GpPreference->UseFBO()) << "a new start holds the defaults";
        shell.core->ReadConfig(project);
        EXPECT_FALSE(GpPreference->UseFBO());
    }
    EXPECT_EQ(GpPreference, nullptr);
}
