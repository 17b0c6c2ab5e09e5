// The "Info" and "Overlay" pages: the Info page shows what it is handed; the overlay page
// edits undoably, and "Custom" asks for a face, keeping the old one on Cancel.
#include <gtest/gtest.h>

#include <wx/combobox.h>
#include <wx/font.h>
#include <wx/textctrl.h>

#include "common/CommandHistory.h"
#include "common/gui/MultiInputPanel.h"
#include "data/ParticleData.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/view/gui/PageTestFrame.h"
#include "view/InfoSettings.h"
#include "view/OverlaySettings.h"
#include "view/gui/InfoPage.h"
#include "view/gui/OverlayPage.h"

using testsupport::Pump;

namespace {

using InfoPageTest = PageTestFrame<InfoSettings_cls>;
using OverlayPageTest = PageTestFrame<OverlaySettings_cls>;

wxString TextOf(MultiInputPanel_cls* p, int item) {
    auto* t = dynamic_cast<wxTextCtrl*>(p->GetItemControl(item));
    return t ? t->GetValue() : wxString("?");
}

void Select(MultiInputPanel_cls* p, int item, int index) {
    auto* combo = dynamic_cast<wxComboBox*>(p->GetItemControl(item));
    ASSERT_NE(combo, nullptr);
    testsupport::ChooseInCombo(combo, index);
    Pump(10);
}

}  // namespace

TEST_F(InfoPageTest, ShowsTheChosenParticleAndZerosPastTheCount) {
    EXPECT_EQ(GpInfoPage, settings.page) << "published for the renderer";
    ParticleData_cls data;
    ASSERT_TRUE(data.Allocate(3));
    for (int i = 0; i < 3; ++i) {
        for (int k = 0; k < 3; ++k) data.position[3 * i + k] = 1.5f * i + k, data.velocity[3 * i + k] = -i;
        data.radius[i] = 0.25f * (i + 1);
        data.value1[i] = 7.0f + i;
        data.type[i] = uint8_t(i);
        data.id[i] = 40 + i;
    }
    settings.index.value = 2;
    settings.type.value = 1;
    NotifyInfoPage(&data, nullptr);
    MultiInputPanel_cls* p = settings.page->panel;
    EXPECT_EQ(TextOf(p, settings.page->xItem + 1), "3");
    EXPECT_EQ(TextOf(p, settings.page->xItem + 3), "5");
    EXPECT_EQ(TextOf(p, settings.page->vItem + 2), "-2");
    EXPECT_EQ(TextOf(p, settings.page->typeIdItem + 1), "2");
    EXPECT_EQ(TextOf(p, settings.page->typeIdItem + 2), "42");
    EXPECT_EQ(TextOf(p, settings.page->radiusItem + 1), "0.75");
    EXPECT_EQ(TextOf(p, settings.page->radiusItem + 2), "9");
    settings.index.value = 3;  // past the count
    NotifyInfoPage(&data, nullptr);
    EXPECT_EQ(TextOf(p, settings.page->xItem + 1), "0");
    EXPECT_EQ(TextOf(p, settings.page->typeIdItem + 2), "0");
}

TEST_F(OverlayPageTest, EditsAreUndoableAndCustomAsksForTheFace) {
    MultiInputPanel_cls* p = settings.page->panel;
    Select(p, settings.page->timePosItem, 1);
    EXPECT_EQ(settings.timePos.value, 1u);
    GoCommandHistory.Undo();
    EXPECT_EQ(settings.timePos.value, 4u);

    int asked = 0;
    wxString answer;
    bool ok = false;
    OverlayPage_cls::SetFontChooser([&](wxWindow*, const wxFont& initial, wxString& face) {
        ++asked;
        EXPECT_EQ(initial.GetPointSize(), settings.fontPoint.value);
        if (ok) face = answer;
        return ok;
    });
    struct Reset {
        ~Reset() { OverlayPage_cls::SetFontChooser(nullptr); }
    } reset;
    settings.customFont.text = "Old Face";
    Select(p, settings.page->familyItem, 7);  // Cancel
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(settings.customFont.text, "Old Face");
    EXPECT_EQ(settings.fontFamily.value, 7u);
    Select(p, settings.page->familyItem, 4);  // not Custom: no question
    EXPECT_EQ(asked, 1);
    ok = true;
    answer = "DejaVu Serif";
    Select(p, settings.page->familyItem, 7);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(settings.customFont.text, "DejaVu Serif");
    EXPECT_EQ(settings.FontFace(), "DejaVu Serif");
}
