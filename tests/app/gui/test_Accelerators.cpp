// Menu accelerators typed as a user types them, with the keyboard focus on a button of the
// playback bar, on a text field and on the frame itself; and the menu items whose targets
// are not built yet, which are greyed out.
#include "scene/PovRayCtrl.h"
#include "tests/app/gui/ShellFixture.h"
#include "app/gui/TopHalfPanel.h"

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <functional>
#include <set>

#include "common/CommandIds.h"
#include "app/MenuTable.h"
#include "common/CommandHistory.h"
#include "common/gui/TextCtrlEX.h"
#include "timeline/TimeCtrl.h"

using shelltest::Shell;
using testsupport::TempDir;

namespace {

// The first shown window under `w` (depth first) that `match` accepts.
wxWindow* FindShown(wxWindow* w, const std::function<bool(wxWindow*)>& match) {
    for (wxWindow* child : w->GetChildren()) {
        if (!child->IsShown() || child->IsTopLevel()) continue;
        if (match(child)) return child;
        if (wxWindow* found = FindShown(child, match)) return found;
    }
    return nullptr;
}

// Hides every top-level window but the frame (dialogs an accelerator opened).
void HideDialogs(wxWindow* frame) {
    for (wxWindow* w : wxTopLevelWindows)
        if (w != frame && w->IsShown()) w->Hide();
    testsupport::Pump(30);
}

int ToSimulatorModifiers(int mask) {
    int m = 0;
    if (mask & 1) m |= wxMOD_ALT;
    if (mask & 2) m |= wxMOD_CONTROL;
    if (mask & 4) m |= wxMOD_SHIFT;
    return m;
}

int ToSimulatorKey(int key) {
    if (key >= 'A' && key <= 'Z') return key - 'A' + 'a';  // the shift comes from the mask
    return key;
}

struct Accelerator {
    int id;
    int mask;
    int key;
    const char* text;
};

std::vector<Accelerator> MenuAccelerators() {
    std::vector<Accelerator> out;
    for (const MenuItemSpec& s : FrameMenuItems()) {
        int mask = 0, key = 0;
        if (s.kind == ITEM_NORMAL || s.kind == ITEM_CHECK)
            if (ParseMenuAccelerator(s.format, &mask, &key)) out.push_back({s.id, mask, key, s.text});
    }
    return out;
}

}  // namespace

TEST(Accelerators, EveryShownAcceleratorParsesAndNoTwoShareAKey) {
    const std::vector<Accelerator> all = MenuAccelerators();
    std::set<std::pair<int, int>> seen;
    for (const Accelerator& a : all) {
        EXPECT_TRUE(seen.insert({a.mask, a.key}).second) << a.text;
        EXPECT_EQ(MenuAcceleratorFor(a.mask, a.key), a.id) << a.text;
    }
    EXPECT_EQ(MenuAcceleratorFor(6, 'S'), ID_SAVE_PROJECT_AS);
    EXPECT_EQ(MenuAcceleratorFor(3, 'P'), ID_PREFERENCE);
    EXPECT_EQ(MenuAcceleratorFor(0, 347), ID_SAVE_IMAGE_SEQUENCE);  // F8
    EXPECT_EQ(MenuAcceleratorFor(0, 'S'), 0);                      // plain S is the scale mode
    // Ctrl+Alt with a function key switches the console on Linux: no menu may use it
    for (const Accelerator& a : all)
        EXPECT_FALSE((a.mask & 3) == 3 && a.key >= 340 && a.key <= 363) << a.text;
    EXPECT_GE(all.size(), 25u);
}

TEST(Accelerators, WorkWhateverControlHasTheFocus) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    FrameMain_cls* frame = shell.frame;
    std::vector<int> reached;
    FrameTestHooks hooks;
    hooks.onCommand = [&](int id) { reached.push_back(id); };
    hooks.popupMenu = [](wxMenu*) {};
    frame->SetTestHooks(&hooks);
    testsupport::SetModalAnswer(wxID_CANCEL);  // Scene Config, Move Frame: cancelled
    shell.prompts.yes = false;                 // Quit: No; file questions cancelled
    frame->Raise();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return frame->IsActive(); }, 3000));

    // a button of the playback bar, and a text field of the lower panel
    wxWindow* button = FindShown(frame, [](wxWindow* w) { return dynamic_cast<wxButton*>(w) != nullptr; });
    ASSERT_NE(button, nullptr) << "no button in the frame";
    wxWindow* text = FindShown(frame, [](wxWindow* w) {
        return dynamic_cast<wxTextCtrl*>(w) != nullptr && w->IsEnabled();
    });
    if (!text) {
        text = new AtofTextCtrl_cls(button->GetParent(), wxID_ANY, 1.0f, wxDefaultPosition, wxDefaultSize);
        button->GetParent()->Layout();
    }
    struct Focus {
        const char* name;
        wxWindow* window;
    };
    const Focus targets[] = {{"button", button}, {"text field", text}, {"frame", frame}};

    wxUIActionSimulator sim;
    for (const Focus& target : targets) {
        for (const Accelerator& a : MenuAccelerators()) {
            const bool enabled = frame->GetMenuBar()->FindItem(a.id)->IsEnabled();
            // a plain letter typed in a text field is the text's own
            if (a.mask == 0 && a.key < 127 && target.window == text) continue;
            HideDialogs(frame);
            frame->Raise();
            target.window->SetFocus();
            testsupport::PumpUntil([&] { return wxWindow::FindFocus() == target.window || target.window == frame; }, 1000);
            reached.clear();
            sim.Char(ToSimulatorKey(a.key), ToSimulatorModifiers(a.mask));
            if (enabled) {
                EXPECT_TRUE(testsupport::PumpUntil(
                    [&] { return std::find(reached.begin(), reached.end(), a.id) != reached.end(); },
                    2000))
                    << a.text << " with the focus on the " << target.name;
            } else {
                testsupport::Pump(60);
                EXPECT_EQ(std::count(reached.begin(), reached.end(), a.id), 0)
                    << a.text << " is disabled but ran (focus on the " << target.name << ")";
            }
            // whatever the key opened stays out of the next key's way
            EXPECT_EQ(std::count(reached.begin(), reached.end(), a.id), enabled ? 1 : 0) << a.text;
        }
    }
    HideDialogs(frame);
    frame->SetTestHooks(nullptr);
    GoCommandHistory.Clear();
}

TEST(Accelerators, CtrlShiftSIsSaveAsAndPlainSStaysTheScaleMode) {
    // Ctrl+Shift+S asks for a project file (Save As), it does not change the transform mode
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    shell.frame->Raise();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return shell.frame->IsActive(); }, 3000));
    shell.frame->SetFocus();
    testsupport::Pump(30);
    wxUIActionSimulator sim;
    sim.Char('s', wxMOD_CONTROL | wxMOD_SHIFT);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !shell.prompts.fileQuestions.empty(); }, 2000));
    EXPECT_EQ(shell.prompts.fileQuestions.size(), 1u);
}

TEST(MenuAvailability, DisabledItemsAreGreyAndEveryEnabledOneActs) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    std::vector<int> unhandled;
    FrameTestHooks hooks;
    hooks.onUnhandled = [&](int id) { unhandled.push_back(id); };
    hooks.popupMenu = [](wxMenu*) {};
    shell.frame->SetTestHooks(&hooks);
    testsupport::SetModalAnswer(wxID_CANCEL);
    shell.prompts.yes = false;
    // POV-Ray writes into the test's folder and runs a renderer that is not there.
    shell.core->GetPovRay()->pathPovWork.text = wxString::FromUTF8(dir.File("POV"));
    shell.core->GetPovRay()->pathPovRay.text = wxString::FromUTF8(dir.File("no-povray"));

    int disabled = 0;
    for (const MenuItemSpec& s : FrameMenuItems()) {
        if (s.kind != ITEM_NORMAL && s.kind != ITEM_CHECK) continue;
        wxMenuItem* item = s.menu == MENU_FILTER_CONTEXT
                               ? shell.frame->GetFrameMenu(MENU_FILTER_CONTEXT)->FindItem(s.id)
                               : shell.frame->GetMenuBar()->FindItem(s.id);
        ASSERT_NE(item, nullptr) << s.text;
        EXPECT_EQ(item->IsEnabled(), CommandTargetBuilt(s.id)) << s.text;
        if (!item->IsEnabled()) ++disabled;
        unhandled.clear();
        shell.Post(s.id);
        HideDialogs(shell.frame);
        // an enabled item has a handler that acts; a disabled one would have none, so
        // building its target means giving it both its handler and its flag
        EXPECT_EQ(unhandled.empty(), CommandTargetBuilt(s.id)) << s.text;
    }
    EXPECT_GT(disabled, 0);
    // the pop-up copies of the add-filter menus are greyed out the same way
    for (int list = 0; list < 3; ++list)
        for (wxMenuItem* item : shell.frame->GetAddFilterPopup(list)->GetMenuItems())
            EXPECT_EQ(item->IsEnabled(), CommandTargetBuilt(item->GetId())) << item->GetItemLabel();
    // a check item's accelerator toggles its check and its target together
    wxMenuItem* extra = shell.frame->GetMenuBar()->FindItem(ID_EXTRA_PANEL);
    ASSERT_TRUE(extra->IsEnabled());
    const bool shown = shell.frame->GetExtraFrame()->IsShown();
    EXPECT_TRUE(shell.frame->RunAccelerator(1, '0'));
    testsupport::Pump(20);
    EXPECT_EQ(extra->IsChecked(), !shown);
    EXPECT_EQ(shell.frame->GetExtraFrame()->IsShown(), !shown);
    EXPECT_TRUE(shell.frame->RunAccelerator(1, '0'));
    testsupport::Pump(20);
    EXPECT_EQ(shell.frame->GetExtraFrame()->IsShown(), shown);
    EXPECT_EQ(extra->IsChecked(), shown);
    shell.frame->SetTestHooks(nullptr);
    // The POV-Ray animation items played the timeline, whose steps leave update bits for the
    // next history step: they go to this frame, not to the next test's.
    GoCommandHistory.FireUpdates();
    testsupport::Pump(20);
    GoCommandHistory.Clear();
}
