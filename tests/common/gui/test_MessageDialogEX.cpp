// Message boxes show their whole caption: a short text under a long caption still gives a
// box wide enough for the title bar to hold it.
#include "common/gui/MessageDialogEX.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/settings.h>

#include "common/gui/MessageHelpers.h"
#include "tests/support/GuiTestSupport.h"

TEST(MessageDialogEX, TheBoxIsAsWideAsItsCaptionNeeds) {
    testsupport::ResetModals();
    testsupport::SetModalAnswer(wxID_NONE);  // shown for real: its size is the one on screen
    const struct {
        const char* caption;
        const char* text;
    } cases[] = {
        {"Sequence Format error", "No output file name."},
        {"Warning", "Read Configure Fails/a/very/long/path/of/a/project/that/makes/the/box/wide.ptp"},
        {"A caption much longer than the single word below it", "OK?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        MessageDialogEX_cls box(nullptr, c.text, c.caption, wxOK);
        wxSize shown;
        wxTheApp->CallAfter([&box, &shown] {
            shown = box.GetSize();
            box.EndModal(wxID_OK);
        });
        EXPECT_EQ(box.ShowModal(), wxID_OK);
        wxFont bold = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).Bold();
        int captionText = 0, height = 0;
        box.GetTextExtent(c.caption, &captionText, &height, nullptr, nullptr, &bold);
        EXPECT_GT(captionText, 0);
        EXPECT_GE(shown.x, captionText + 100);
        EXPECT_EQ(box.GetMessage(), c.text);
    }
    // the program's notices are of this kind
    testsupport::ResetModals();
    testsupport::SetModalAnswer(wxID_OK);
    ShowMessageBox(nullptr, "No output file name.", "Sequence Format error");
    ASSERT_EQ(testsupport::ModalTitles().size(), 1u);
    EXPECT_EQ(testsupport::ModalTitles()[0], "Sequence Format error");
    EXPECT_EQ(testsupport::ModalMessages()[0], "No output file name.");
    testsupport::ResetModals();
}
