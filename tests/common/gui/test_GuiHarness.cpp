// Proves the window test harness: a real frame under the X server, typed input through
// the action simulator, a modal box answered by the dialog hook, and the toolkit's asserts
// failing the test that raised them, or the whole run when no test was running.
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "platform/ChildProcess.h"

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

// Run only as a child of the test below: leaves an event behind whose handler asserts after
// this test (the last of its run) has returned.
TEST(GuiHarness, DISABLED_LeavesAnAssertingEventBehind) {
    wxTheApp->CallAfter([] { wxFAIL_MSG("asserting event left behind"); });
}

TEST(GuiHarness, AssertRaisedInAnEventHandlerFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            auto* frame = new wxFrame(nullptr, wxID_ANY, "asserting");
            frame->Bind(wxEVT_BUTTON, [](wxCommandEvent&) { wxFAIL_MSG("raised in a handler"); });
            wxCommandEvent click(wxEVT_BUTTON);
            frame->GetEventHandler()->AddPendingEvent(click);
            testsupport::Pump(20);
            frame->Destroy();
            testsupport::Pump();
        },
        "raised in a handler");
}

TEST(GuiHarness, AssertAfterTheLastTestFailsTheRun) {
    const platform::ChildResult r = platform::RunChild(
        "/proc/self/exe", {"--gtest_filter=GuiHarness.DISABLED_LeavesAnAssertingEventBehind", "--gtest_also_run_disabled_tests"},
        wxGetCwd().utf8_string());
    ASSERT_TRUE(r.started) << r.error;
    EXPECT_NE(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("asserting event left behind"), std::string::npos) << r.output;
}

TEST(GuiHarness, ListingTheTestsNeedsNoDisplay) {
    // What test discovery does at build time, where there may be no X server.
    const wxString display = wxGetenv("DISPLAY");
    wxUnsetEnv("DISPLAY");
    const platform::ChildResult r = platform::RunChild("/proc/self/exe", {"--gtest_list_tests"}, wxGetCwd().utf8_string());
    wxSetEnv("DISPLAY", display);
    ASSERT_TRUE(r.started) << r.error;
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("ListingTheTestsNeedsNoDisplay"), std::string::npos) << r.output;
}
