// The "Exposure" page: "Default" restores the neutral values in one undo step, and the
// panel is usable only while the exposure program is.
#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/frame.h>
#include <wx/sizer.h>

#include "common/CommandHistory.h"
#include "common/gui/MultiInputPanel.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/view/gui/PageTestFrame.h"
#include "view/ExposureSettings.h"
#include "view/gui/ExposurePage.h"

using testsupport::Pump;
using testsupport::PumpUntil;

namespace {

using ExposurePageTest = PageTestFrame<ExposureSettings_cls>;

}  // namespace

TEST_F(ExposurePageTest, DefaultButtonRestoresAllInOneUndoStep) {
    settings.level.values[0] = 0.3;
    settings.level.values[1] = 1.6;
    settings.gamma.value = 2.5f;
    settings.hueOffset.value = 45;
    settings.saturation.value = -70;
    ASSERT_FALSE(settings.IsNeutral());
    auto* button = dynamic_cast<wxButton*>(settings.page->panel->GetItemControl(settings.page->defaultItem));
    ASSERT_NE(button, nullptr);
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
    EXPECT_TRUE(settings.IsNeutral());
    EXPECT_EQ(GoCommandHistory.BlockDepth(), 0);
    GoCommandHistory.Undo();
    EXPECT_EQ(settings.level.values[0], 0.3);
    EXPECT_EQ(settings.level.values[1], 1.6);
    EXPECT_EQ(settings.gamma.value, 2.5f);
    EXPECT_EQ(settings.hueOffset.value, 45);
    EXPECT_EQ(settings.saturation.value, -70);
    EXPECT_FALSE(GoCommandHistory.CanUndo()) << "one step holds all five";
    GoCommandHistory.Redo();
    EXPECT_TRUE(settings.IsNeutral());
}

TEST_F(ExposurePageTest, PanelFollowsTheShaderAvailability) {
    EXPECT_FALSE(settings.page->panel->IsEnabled()) << "disabled until the views set GL up";
    settings.page->EnableByShader(true);
    EXPECT_TRUE(settings.page->panel->IsEnabled());
    // Without OpenGL 2 (no context is needed to learn that) the page goes off again.
    settings.InitShader(false);
    EXPECT_FALSE(settings.page->panel->IsEnabled());
}

TEST_F(ExposurePageTest, SlidersCoverTheirRanges) {
    MultiInputPanel_cls* p = settings.page->panel;
    const auto& level = p->GetItem(settings.page->levelItem);
    EXPECT_EQ(level.minimum, 0);
    EXPECT_EQ(level.maximum, 200);
    // Each value-with-slider group: header, entry, slider.
    const auto& gamma = p->GetItem(settings.page->gammaItem + 2);
    EXPECT_EQ(gamma.minimum, 10);
    EXPECT_EQ(gamma.maximum, 300);
    const auto& hue = p->GetItem(settings.page->hueItem + 2);
    EXPECT_EQ(hue.minimum, -180);
    EXPECT_EQ(hue.maximum, 180);
    const auto& sat = p->GetItem(settings.page->saturationItem + 2);
    EXPECT_EQ(sat.minimum, -100);
    EXPECT_EQ(sat.maximum, 100);
}
