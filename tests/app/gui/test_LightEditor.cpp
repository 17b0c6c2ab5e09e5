// The "Light Source Editor" opened from its menu command: adding and removing lights with
// its buttons, choosing a light in its strip, editing the selected light's items, and Undo
// bringing each state back.
#include "tests/app/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/textentry.h>
#include <wx/uiaction.h>

#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "app/gui/AppPovSources.h"
#include "common/gui/IconSelector.h"
#include "common/gui/MultiInputPanel.h"
#include "scene/LightSRCCtrl.h"
#include "scene/gui/LightSRCGUI.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"

using shelltest::Shell;
using testsupport::PumpUntil;
using testsupport::TempDir;

namespace {

class LightEditor : public ::testing::Test {
protected:
    void SetUp() override {
        shell = std::make_unique<Shell>(dir.File("Pelthorn3Configure.txt"));
        lights = shell->core->GetLights();
        editor = shell->core->GetLightEditor();
        ASSERT_TRUE(lights && editor);
        GbParamUndoEnabled = 1;
        GdCurrentTime = 0;
        GoCommandHistory.Clear();
        shell->Post(ID_LIGHT_EDITOR);
        ASSERT_TRUE(PumpUntil([&] { return editor->gui && editor->gui->IsShownOnScreen(); }, 3000));
        gui = editor->gui;
    }
    void TearDown() override {
        GoCommandHistory.Clear();
        shell.reset();
    }
    IconSelector_cls* Strip() const {
        return dynamic_cast<IconSelector_cls*>(gui->strip->GetItemControl(gui->selectorItem));
    }
    /// Clicks the strip's button with window id `id` as a user would.
    void Press(int id) {
        wxWindow* button = nullptr;
        for (int i = 0; i < gui->strip->GetItemCount(); ++i)
            if (gui->strip->GetItem(i).kind == MI_BUTTON && gui->strip->GetItem(i).controlId == id)
                button = gui->strip->GetItemControl(i);
        ASSERT_NE(button, nullptr);
        const size_t before = GoCommandHistory.Size();
        wxUIActionSimulator sim;
        const wxRect r = button->GetScreenRect();
        sim.MouseMove(r.x + r.width / 2, r.y + r.height / 2);
        testsupport::Pump(30);
        sim.MouseClick();
        PumpUntil([&] { return GoCommandHistory.Size() != before; }, 2000);
        testsupport::Pump(30);
    }
    void Undo() {
        GoCommandHistory.Undo();
        testsupport::Pump(50);  // the update bits rebind the editor
    }
    /// Selects choice `choice` of the combo of panel item `item`, as the user's pick does.
    void Choose(int item, int choice) {
        auto* combo = dynamic_cast<wxComboBox*>(gui->panel->GetItemControl(item));
        ASSERT_NE(combo, nullptr);
        testsupport::ChooseInCombo(combo, choice);
        testsupport::Pump(30);
    }
    bool Shown(int item) const { return gui->panel->GetItemControl(item)->IsShown(); }

    TempDir dir;
    std::unique_ptr<Shell> shell;
    LightSRCCtrl_cls* lights = nullptr;
    LightSRCGUICtrl_cls* editor = nullptr;
    LightSRCGUI_cls* gui = nullptr;
};

}  // namespace

TEST_F(LightEditor, AddAndRemoveWithTheButtonsAreUndoneInOneStep) {
    // Starting state: two parallel lights, light 0 selected, two point icons.
    EXPECT_EQ(gui->GetTitle(), "Light Source Editor");
    EXPECT_EQ(lights->LightNumber(), 2);
    EXPECT_EQ(Strip()->GetCellCount(), 2);
    EXPECT_EQ(Strip()->GetSelection(), 0);

    Press(ID_LIGHT_ADD);
    EXPECT_EQ(lights->LightNumber(), 3);
    EXPECT_EQ(lights->selected, 2);
    EXPECT_EQ(Strip()->GetCellCount(), 3);
    EXPECT_EQ(Strip()->GetSelection(), 2);
    EXPECT_EQ(gui->panel->GetItem(gui->validItem).variable, &lights->Light(2).visible.value);
    EXPECT_TRUE(lights->Light(2).group->active);
    Undo();
    EXPECT_EQ(lights->LightNumber(), 2);
    EXPECT_EQ(lights->selected, 0);
    EXPECT_FALSE(lights->Light(2).group->active);
    EXPECT_EQ(gui->panel->GetItem(gui->validItem).variable, &lights->Light(0).visible.value);
    EXPECT_EQ(Strip()->GetCellCount(), 2);

    // Removing light 0 moves light 1 down; Undo brings both back.
    lights->Light(1).spotAngle.value = 50;
    Press(ID_LIGHT_REMOVE);
    EXPECT_EQ(lights->LightNumber(), 1);
    EXPECT_EQ(lights->Light(0).spotAngle.value, 50);
    EXPECT_NEAR(lights->Light(0).StrengthAt(0), 0.1, 1e-12);
    EXPECT_EQ(Strip()->GetCellCount(), 1);
    Undo();
    EXPECT_EQ(lights->LightNumber(), 2);
    EXPECT_EQ(lights->Light(0).spotAngle.value, 35);
    EXPECT_NEAR(lights->Light(0).StrengthAt(0), 1.0, 1e-12);

    // Removing the only light leaves none selected and the items disabled.
    Press(ID_LIGHT_REMOVE);
    Press(ID_LIGHT_REMOVE);
    EXPECT_EQ(lights->LightNumber(), 0);
    EXPECT_EQ(lights->selected, -1);
    EXPECT_FALSE(gui->panel->IsEnabled());
    Press(ID_LIGHT_REMOVE);  // nothing left to remove
    EXPECT_EQ(lights->LightNumber(), 0);
    Undo();
    EXPECT_EQ(lights->LightNumber(), 1);
    EXPECT_TRUE(gui->panel->IsEnabled());
}

TEST_F(LightEditor, EditsOfTheSelectedLightAreUndoable) {
    // Choosing light 1 in the strip binds the items to it and selects it for the gizmo.
    Strip()->SetSelection(1);
    wxCommandEvent pick(wxEVT_COMBOBOX, Strip()->GetId());
    pick.SetEventObject(Strip());
    pick.SetInt(1);
    Strip()->GetEventHandler()->ProcessEvent(pick);
    testsupport::Pump(30);
    EXPECT_EQ(lights->selected, 1);
    EXPECT_EQ(GpSelectedSceneObj, &lights->Light(1));
    EXPECT_EQ(gui->panel->GetItem(gui->typeItem).variable, &lights->Light(1).type.value);

    // "Spot Light" shows the spot angle and turns the light's icon into the spot icon.
    EXPECT_FALSE(Shown(gui->spotAngleItem + 1));
    Choose(gui->typeItem, LIGHT_SPOT);
    EXPECT_EQ(lights->Light(1).type.value, LIGHT_SPOT);
    EXPECT_TRUE(Shown(gui->spotAngleItem + 1));
    ASSERT_EQ(gui->icons.size(), 2u);
    EXPECT_TRUE(gui->icons[1].IsSameAs(editor->spotIcon));
    EXPECT_TRUE(gui->icons[0].IsSameAs(editor->pointIcon));
    Undo();
    EXPECT_EQ(lights->Light(1).type.value, LIGHT_PARALLEL);
    EXPECT_FALSE(Shown(gui->spotAngleItem + 1));

    // A typed Translate value becomes a key at the current time; Undo takes it back.
    GdCurrentTime = 0.5;
    auto* entry = dynamic_cast<wxTextEntry*>(gui->panel->GetItemControl(gui->translateItem + 1));
    ASSERT_NE(entry, nullptr);
    entry->ChangeValue("0.25");
    gui->panel->CommitItems(gui->translateItem + 1, true);
    testsupport::Pump(30);
    Parameter_cls& x = lights->Light(1).translate->Component(0);
    EXPECT_NEAR(x.GetValue(0.5), 0.25, 1e-12);
    GoCommandHistory.Undo();
    GoCommandHistory.Undo();
    testsupport::Pump(30);
    EXPECT_NEAR(x.GetValue(0.5), -1.0, 1e-12);
    GdCurrentTime = 0;

    // A fade shows its distance; an area light its size and quality.
    EXPECT_FALSE(Shown(gui->fadeDistanceItem + 1));
    Choose(gui->fadeItem, 2);
    EXPECT_TRUE(Shown(gui->fadeDistanceItem + 1));
    EXPECT_EQ(lights->Light(1).fade.value, 2);
}

TEST_F(LightEditor, ThePovRaySceneTakesTheActiveVisibleLights) {
    AppPovSources_cls* pov = shell->core->GetPovSources();
    ASSERT_NE(pov, nullptr);
    auto count = [](const std::string& text) {
        size_t n = 0;
        for (size_t at = text.find("light_source {"); at != std::string::npos; at = text.find("light_source {", at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(pov->CountVisibleLights(), 2);
    EXPECT_EQ(count(pov->PovLights(0).utf8_string()), 2u);
    Press(ID_LIGHT_ADD);
    lights->Light(0).visible.value = false;
    EXPECT_EQ(pov->CountVisibleLights(), 2);
    EXPECT_EQ(count(pov->PovLights(0).utf8_string()), 2u);
}

TEST_F(LightEditor, AfterOpenAndUndoItShowsTheScenesLightWhetherShownOrHidden) {
    // A project whose light 0 shines at 0.1, opened while the scene's light 0 shines at 1;
    // then a light added and undone. The editor, shown or closed meanwhile, must show the
    // scene's values and edit the scene's selected light once it is (re)opened.
    const std::string project = dir.File("dim.ptp");
    ParamGroup_cls* strength = lights->Light(0).strength;
    GbParamUndoEnabled = 0;
    strength->SetKeyFrame({0.1}, true, 0.0);
    ASSERT_TRUE(shell->core->WriteConfig(project, true));
    strength = nullptr;
    auto strengthShown = [&]() {
        auto* entry = dynamic_cast<wxTextEntry*>(gui->panel->GetItemControl(gui->strengthItem + 1));
        double v = -1;
        return entry && entry->GetValue().ToCDouble(&v) ? v : -1.0;
    };
    auto reopenIfClosed = [&](bool closed) {
        if (!closed) return;
        shell->Post(ID_LIGHT_EDITOR);
        ASSERT_TRUE(PumpUntil([&] { return gui->IsShownOnScreen(); }, 3000));
    };

    for (const bool closed : {false, true}) {
        SCOPED_TRACE(closed ? "closed meanwhile" : "shown throughout");
        GbParamUndoEnabled = 0;
        lights->Light(0).strength->SetKeyFrame({1.0}, true, 0.0);
        lights->SelectLight(0);
        editor->UpdateGUI(true);
        ASSERT_NEAR(strengthShown(), 1.0, 1e-9);
        GbParamUndoEnabled = 1;

        if (closed) gui->Hide();
        ASSERT_TRUE(shell->frame->OpenProjectFile(wxString::FromUTF8(project)));
        testsupport::Pump(50);
        reopenIfClosed(closed);
        EXPECT_NEAR(lights->Light(0).StrengthAt(0), 0.1, 1e-9);
        EXPECT_NEAR(strengthShown(), 0.1, 1e-9);
        EXPECT_EQ(gui->panel->GetItem(gui->strengthItem + 1).variable,
                  &lights->Light(0).strength->Component(0).cachedValue);

        // A light added (and selected), then taken back by Ctrl+Z's road.
        lights->AddLight();
        testsupport::Pump(30);
        ASSERT_EQ(lights->LightNumber(), 3);
        if (closed) gui->Hide();
        shell->Post(ID_UNDO);
        reopenIfClosed(closed);
        EXPECT_EQ(lights->LightNumber(), 2);
        EXPECT_EQ(lights->selected, 0);
        EXPECT_EQ(Strip()->GetCellCount(), 2);
        EXPECT_EQ(gui->panel->GetItem(gui->validItem).variable, &lights->Light(0).visible.value);
    }
}
