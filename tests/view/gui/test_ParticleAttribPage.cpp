// The "Attrib" page: the controls shown follow the draw, radius and alpha types; choices
// commit undoably.
#include <gtest/gtest.h>

#include <wx/combobox.h>
#include <wx/frame.h>
#include <wx/sizer.h>

#include "common/CommandHistory.h"
#include "common/gui/MultiInputPanel.h"
#include "tests/support/GuiTestSupport.h"
#include "view/ParticleAttrib.h"
#include "filters/gui/ColorCurveBtn.h"
#include "view/gui/ParticleAttribPanel.h"

namespace {

class AttribPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        GoCommandHistory.Clear();
        frame = new wxFrame(nullptr, wxID_ANY, "attrib", wxPoint(20, 20), wxSize(420, 500));
        attrib.CreatePanelBinding(frame);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        attrib.panel->CreateControls(sizer);
        frame->SetSizer(sizer);
        frame->Show();
        testsupport::PumpUntil([&] { return frame->IsShownOnScreen(); });
        testsupport::Pump(30);
    }
    void TearDown() override {
        frame->Destroy();
        testsupport::Pump(30);
        GoCommandHistory.Clear();
    }
    bool Shown(int item) { return page()->panel->GetItemControl(item)->IsShown(); }
    bool Enabled(int item) { return page()->panel->GetItemControl(item)->IsEnabled(); }
    ParticleAttribPanel_cls* page() { return attrib.panel; }
    void Select(int item, int index) {
        auto* combo = dynamic_cast<wxComboBox*>(page()->panel->GetItemControl(item));
        ASSERT_NE(combo, nullptr);
        testsupport::ChooseInCombo(combo, index);
        testsupport::Pump(10);
    }

    ParticleAttrib_cls attrib{nullptr, 0, 1};
    wxFrame* frame = nullptr;
};

}  // namespace

TEST_F(AttribPageTest, DrawTypeChoosesBetweenPointSizeAndRadiusControls) {
    // Point: the point size shows, the radius factors hide and the radius rule is off.
    EXPECT_TRUE(Shown(page()->pointSizeItem + 1));
    EXPECT_FALSE(Shown(page()->radiusFactorItem));
    EXPECT_FALSE(Shown(page()->radiusFactorConstItem));
    EXPECT_FALSE(Enabled(page()->radiusItem));
    EXPECT_TRUE(Shown(page()->alphaFactorItem + 1));
    EXPECT_FALSE(Shown(page()->baseMaxItem + 1));

    Select(1, 2);  // DrawType: Sphere
    EXPECT_EQ(attrib.drawType.value, 2u);
    EXPECT_FALSE(Shown(page()->pointSizeItem + 1));
    EXPECT_TRUE(Shown(page()->radiusFactorItem));
    EXPECT_FALSE(Shown(page()->radiusFactorConstItem));
    EXPECT_TRUE(Enabled(page()->radiusItem));

    Select(page()->radiusItem, 1);  // constant radius: its own factor
    EXPECT_FALSE(Shown(page()->radiusFactorItem));
    EXPECT_TRUE(Shown(page()->radiusFactorConstItem));

    // A second sync with nothing changed leaves the page alone.
    page()->panel->ShowItem(page()->radiusFactorItem, true);
    page()->Sync();
    EXPECT_TRUE(Shown(page()->radiusFactorItem));

    // The choice was one undoable step.
    GoCommandHistory.Undo();
    EXPECT_EQ(attrib.radiusType.value, 0u);
}

TEST_F(AttribPageTest, AlphaRuleSwapsFactorForBaseAndMax) {
    const int alphaCombo = page()->alphaFactorItem - 1;
    Select(alphaCombo, 1);
    EXPECT_EQ(attrib.alphaType.value, 1u);
    EXPECT_FALSE(Shown(page()->alphaFactorItem + 1));
    EXPECT_TRUE(Shown(page()->baseMaxItem + 1));
    EXPECT_TRUE(Shown(page()->baseMaxItem + 2));
}

TEST_F(AttribPageTest, ColourButtonsFollowTheDrawType) {
    // Points and billboards are coloured by "Col"; spheres by their material.
    ASSERT_NE(page()->colorButton, nullptr);
    EXPECT_EQ(page()->colorButton->Record(), attrib.col.get());
    EXPECT_EQ(page()->ambientButton->Record(), attrib.ambient.get());
    EXPECT_EQ(page()->diffuseButton->Record(), attrib.diffuse.get());
    EXPECT_EQ(page()->specularButton->Record(), attrib.specular.get());
    EXPECT_TRUE(page()->colorButton->IsShown());
    EXPECT_FALSE(page()->ambientButton->IsShown());
    Select(1, 1);  // Billboard: still "Color"
    EXPECT_TRUE(page()->colorButton->IsShown());
    Select(1, 2);  // Sphere
    EXPECT_FALSE(page()->colorButton->IsShown());
    EXPECT_TRUE(page()->ambientButton->IsShown());
    EXPECT_TRUE(page()->specularButton->IsShown());
    EXPECT_GE(page()->specularButton->GetSize().y, 20) << "a 20-pixel swatch";
}
