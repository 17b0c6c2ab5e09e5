// The "Periodic Boundary" dialog: built at once with its four groups, refreshed from the
// settings when shown, the box size rows tinted; the loader dialog's translate rows too.
#include "data/gui/PeriodicBoundaryGUI.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

#include "common/gui/MultiInputPanel.h"
#include "data/DataLoader.h"
#include "data/PeriodicBoundary.h"
#include "data/gui/DataLoaderGUI.h"
#include "tests/support/GuiTestSupport.h"

namespace {

double EntryValue(MultiInputPanel_cls* panel, int index) {
    auto* text = dynamic_cast<wxTextCtrl*>(panel->GetItemControl(index));
    if (!text) return -12345.0;
    double v = -12345.0;
    text->GetValue().ToCDouble(&v);
    return v;
}

TEST(PeriodicBoundaryGUI, EntriesShowTheSettingsAndFollowThemWhenShown) {
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "main");
    {
        PeriodicBoundary_cls boundary;
        PeriodicBoundaryControl_cls control(frame, &boundary);
        PeriodicBoundaryGUI_cls* dialog = control.gui;
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(control.GetGUI(), dialog);
        EXPECT_EQ(dialog->GetTitle(), "Periodic Boundary");
        EXPECT_EQ(dialog->GetName(), "dialogBox");
        EXPECT_FALSE(dialog->IsShown());  // made at once, shown on demand

        // Groups of four rows each: the group, then x, y, z.
        MultiInputPanel_cls* p = dialog->panel;
        const int box = dialog->boxSizeFirst;
        const double expected[4][3] = {{1, 1, 1}, {10, 0, 0}, {0, 10, 0}, {0, 0, 10}};
        for (int g = 0; g < 4; ++g)
            for (int k = 0; k < 3; ++k)
                EXPECT_EQ(EntryValue(p, box + 4 * g + k), expected[g][k]) << g << " " << k;

        const wxColour tints[3] = {wxColour(255, 244, 244), wxColour(244, 255, 244), wxColour(244, 244, 255)};
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(p->GetItemControl(box + k)->GetBackgroundColour(), tints[k]) << k;

        // Values read from a project reach the entries when the dialog is shown.
        boundary.ReadConfig("PeriodicSize=2 1.5 1");
        boundary.ReadConfig("PeriodicBaseVector2=0 0.5 12");
        control.Show(frame);
        testsupport::Pump();
        EXPECT_TRUE(dialog->IsShown());
        EXPECT_EQ(EntryValue(p, box + 0), 2.0);
        EXPECT_EQ(EntryValue(p, box + 1), 1.5);
        EXPECT_EQ(EntryValue(p, box + 4 * 3 + 1), 0.5);
        EXPECT_EQ(EntryValue(p, box + 4 * 3 + 2), 12.0);
    }
    frame->Destroy();
    testsupport::Pump();
}

TEST(PeriodicBoundaryGUI, LoaderTranslateRowsAreTinted) {
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "main");
    {
        DataLoader_cls loader;
        loader.ShowDialog(frame, nullptr);
        ASSERT_NE(loader.gui, nullptr);
        MultiInputPanel_cls* p = loader.gui->settingsPanel;
        // Data type, interpolation, particle number, the "Translate" group, then x, y, z.
        EXPECT_EQ(p->GetItemControl(4)->GetBackgroundColour(), wxColour(255, 244, 244));
        EXPECT_EQ(p->GetItemControl(6)->GetBackgroundColour(), wxColour(244, 244, 255));
    }
    frame->Destroy();
    testsupport::Pump();
}

}  // namespace
