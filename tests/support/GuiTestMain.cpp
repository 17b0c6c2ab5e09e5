// Entry of the window test programs. Listing tests (done at build and discovery time)
// needs no display; running them starts GTK, turns wx asserts into test failures and
// runs every test inside an active event loop. Events a test leaves behind are handled
// before the program ends, and an assert raised by them (or by the clean-up) fails the run.
// Each run holds its X display alone: ctest hands it a display from a pool of virtual X
// servers, or, run without the pool, it waits for the one in DISPLAY to be free.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/utils.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

// The display ctest gave this run from its pool of virtual X servers ("xdisplay"
// resources whose ids are display numbers), or "" when ctest runs without the pool.
std::string PoolDisplay() {
    const char* count = std::getenv("CTEST_RESOURCE_GROUP_COUNT");
    if (!count || std::atoi(count) < 1) return "";
    const char* type = std::getenv("CTEST_RESOURCE_GROUP_0");
    const char* given = std::getenv("CTEST_RESOURCE_GROUP_0_XDISPLAY");
    if (!type || std::strcmp(type, "xdisplay") != 0 || !given) return "";
    // "id:<number>,slots:1"
    const char* id = std::strstr(given, "id:");
    if (!id) return "";
    std::string number(id + 3, std::strcspn(id + 3, ","));
    return number.empty() ? "" : ":" + number;
}

// Simulated input, focus and screen grabs go to the whole display, so two window test runs
// never share one: the lock is held until the program ends (the kernel drops it then, also
// on a crash). A test that starts this program again (a death test, a child run) passes
// the display on with PT_TEST_DISPLAY_HELD: the child uses it while its parent waits.
// Returns false when the lock cannot be taken at all.
bool HoldDisplay() {
    const std::string pooled = PoolDisplay();
    if (!pooled.empty()) setenv("DISPLAY", pooled.c_str(), 1);
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) return true;  // the toolkit says what is missing
    const char* held = std::getenv("PT_TEST_DISPLAY_HELD");
    if (held && std::strcmp(held, display) == 0) return true;
    std::string lockPath = "/tmp/pelthorn3-tests-display";
    for (const char* c = display; *c; ++c) lockPath += (*c == '/' ? '_' : *c);
    lockPath += ".lock";
    const int fd = ::open(lockPath.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        std::fprintf(stderr, "cannot open %s: %s\n", lockPath.c_str(), std::strerror(errno));
        return false;
    }
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            std::fprintf(stderr, "cannot lock %s: %s\n", lockPath.c_str(), std::strerror(errno));
            return false;
        }
    }
    setenv("PT_TEST_DISPLAY_HELD", display, 1);
    return true;  // fd stays open: the lock lives as long as the program
}

}  // namespace

int main(int argc, char** argv) {
    // Asked before InitGoogleTest, which takes the gtest options out of argv.
    const bool listing = OnlyListing(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (listing) return RUN_ALL_TESTS();

    if (!HoldDisplay()) return 1;
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
