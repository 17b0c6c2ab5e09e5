// The "Option" page: the shadow quality group follows "Shadow=", edits are undoable and
// the down-sizing controls keep 1 to 1000.
#include <gtest/gtest.h>

#include <wx/combobox.h>
#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/spinctrl.h>

#include "common/CommandHistory.h"
#include "common/gui/MultiInputPanel.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/view/gui/PageTestFrame.h"
#include "view/DrawOptions.h"
#include "view/gui/OptionPage.h"

using testsupport::Pump;
using testsupport::PumpUntil;

namespace {

class OptionPageTest : public PageTestFrame<DrawOptions_cls> {
protected:
    void Select(int item, int index) {
        auto* combo = dynamic_cast<wxComboBox*>(options.page->panel->GetItemControl(item));
        ASSERT_NE(combo, nullptr);
        testsupport::ChooseInCombo(combo, index);
    }
    bool QualityEnabled() {
        const int g = options.page->shadowGroupItem;
        return options.page->panel->GetItemControl(g + 1)->IsEnabled() &&
               options.page->panel->GetItemControl(g + 2)->IsEnabled();
    }

    DrawOptions_cls& options = settings;
};

}  // namespace

TEST_F(OptionPageTest, ShadowChoiceEnablesTheQualityGroup) {
    EXPECT_FALSE(QualityEnabled()) << "no shadow at start";
    Select(options.page->shadowItem, 1);
    EXPECT_EQ(options.Shadow(), 1u);
    EXPECT_TRUE(QualityEnabled());
    Select(options.page->shadowItem, 0);
    EXPECT_FALSE(QualityEnabled());
    Select(options.page->shadowItem, 2);
    EXPECT_TRUE(QualityEnabled());
    // Undo goes back through the history; the refresh command sets the enabling again.
    EXPECT_EQ(GoCommandHistory.Cursor(), 3u);
    GoCommandHistory.Undo();
    EXPECT_EQ(options.Shadow(), 0u);
    options.page->EnableShadowControls();
    options.page->RefreshAll();
    EXPECT_FALSE(QualityEnabled());
}

TEST_F(OptionPageTest, ComboEditsAreUndoableAndRaiseTheirUpdates) {
    Select(options.page->sortItem, 2);
    EXPECT_EQ(options.SortOrder(), 2u);
    Select(options.page->classifyItem, 0);
    EXPECT_EQ(options.Classify(), 0u);
    EXPECT_EQ(options.page->panel->GetItem(options.page->sortItem).updateFlags,
              UPD_VIEWS | UPD_DRAW_PAGES);
    GoCommandHistory.Undo();
    GoCommandHistory.Undo();
    EXPECT_EQ(options.SortOrder(), 0u);
    EXPECT_EQ(options.Classify(), 1u);
}

TEST_F(OptionPageTest, DownSizingControlsSpanOneToAThousand) {
    auto* spin = dynamic_cast<wxSpinCtrl*>(options.page->panel->GetItemControl(options.page->downSizeSpinItem));
    auto* slider = dynamic_cast<wxSlider*>(options.page->panel->GetItemControl(options.page->downSizeSliderItem));
    ASSERT_TRUE(spin && slider);
    EXPECT_EQ(spin->GetMin(), 1);
    EXPECT_EQ(spin->GetMax(), 1000);
    EXPECT_EQ(slider->GetMin(), 1);
    EXPECT_EQ(slider->GetMax(), 1000);
    // A value entered in the spin control moves the slider bound to the same variable.
    spin->SetValue(250);
    options.page->panel->CommitItems(options.page->downSizeSpinItem, true);
    EXPECT_EQ(options.DownSizing(), 250);
    EXPECT_EQ(slider->GetValue(), 250);
}
