// Entry of the window test programs. Listing tests (done at build and discovery time)
// needs no display; running them starts GTK, turns wx asserts into test failures and
// runs every test inside an active event loop. Events a test leaves behind are handled
// before the program ends, and an assert raised by them (or by the clean-up) fails the run.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/utils.h>

#include <clocale>
#include <cstdio>
#include <cstring>

namespace testsupport {
void InstallModalHook();
}

namespace {

class TestApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

int g_assertsOutsideTests = 0;

void AssertAsFailure(const wxString& file, int line, const wxString& func, const wxString& cond,
                     const wxString& msg) {
    if (::testing::UnitTest::GetInstance()->current_test_info()) {
        ADD_FAILURE_AT(file.utf8_str().data(), line)
            << "wx assert in " << func.utf8_str().data() << ": " << cond.utf8_str().data() << " "
            << msg.utf8_str().data();
        return;
    }
    // No test is running to take the failure: the run fails instead.
    ++g_assertsOutsideTests;
    std::fprintf(stderr, "%s:%d: wx assert outside any test, in %s: %s %s\n", file.utf8_str().data(), line,
                 func.utf8_str().data(), cond.utf8_str().data(), msg.utf8_str().data());
}

// Handles what the tests left in the queue (deferred calls, destroyed windows).
void DrainEvents() {
    for (int i = 0; i < 10; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
        wxMilliSleep(2);
    }
}

bool OnlyListing(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    // Asked before InitGoogleTest, which takes the gtest options out of argv.
    const bool listing = OnlyListing(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (listing) return RUN_ALL_TESTS();

    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "cannot start the toolkit (is DISPLAY set?)\n");
        return 1;
    }
    // Numbers in files never follow the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    wxTheApp->CallOnInit();
    wxSetAssertHandler(AssertAsFailure);
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxInitAllImageHandlers();
    testsupport::InstallModalHook();

    int result = 0;
    {
        wxGUIEventLoop loop;
        wxEventLoopActivator active(&loop);
        result = RUN_ALL_TESTS();
        DrainEvents();
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    if (g_assertsOutsideTests > 0) {
        std::fprintf(stderr, "%d wx assert(s) outside the tests: the run fails\n", g_assertsOutsideTests);
        return 1;
    }
    return result;
}
