// Proves the window test harness: a real frame under the X server, typed input through
// the action simulator, and a modal box answered by the dialog hook.
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <wx/msgdlg.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/wx.h>

TEST(GuiHarness, TypedTextReachesARealWindow) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "harness", wxPoint(50, 50), wxSize(300, 120));
    auto* text = new wxTextCtrl(frame, wxID_ANY);
    frame->Show();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return frame->IsShownOnScreen(); }));
    frame->Raise();
    text->SetFocus();
    testsupport::Pump(200);

    wxUIActionSimulator sim;
    sim.Text("abc12");
    EXPECT_TRUE(testsupport::PumpUntil([&] { return text->GetValue() == "abc12"; }))
        << "got \"" << text->GetValue().utf8_str().data() << "\"";
    frame->Destroy();
    testsupport::Pump(50);
}

TEST(GuiHarness, ModalBoxesAreAnsweredByTheHook) {
    testsupport::ResetModals();
    testsupport::SetModalAnswer(wxID_YES);
    int answer = wxMessageBox("Quit?", "Query", wxYES_NO);
    EXPECT_EQ(answer, wxYES);
    ASSERT_EQ(testsupport::ModalTitles().size(), 1u);
    EXPECT_EQ(testsupport::ModalTitles()[0], "Query");
    EXPECT_EQ(testsupport::ModalMessages()[0], "Quit?");
    testsupport::ResetModals();
}
