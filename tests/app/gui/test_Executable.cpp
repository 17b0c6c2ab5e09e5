// The real program under the test display: it starts without a configuration file, opens
// the project named on its command line (its title names it), quits through the Q key and
// the Yes of its question with exit code 0, and leaves its configuration file behind.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <dlfcn.h>

#include <wx/process.h>
#include <wx/stream.h>
#include <wx/txtstrm.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

#include <filesystem>
#include <functional>

#include "tests/app/gui/ExpectedFiles.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/TestFiles.h"
#include "tools/DemoSequence.h"

namespace {

class WatchedProcess : public wxProcess {
public:
    bool ended = false;
    int status = -1;
    void OnTerminate(int, int code) override {
        ended = true;
        status = code;
    }
};

std::string FindProgram() {
    namespace fs = std::filesystem;
    const fs::path testDir =
        fs::path(std::string(wxStandardPaths::Get().GetExecutablePath().utf8_str())).parent_path();
    for (const fs::path& p : {testDir.parent_path() / "pelthorn3", testDir / "pelthorn3"})
        if (fs::exists(p)) return p.string();
    return std::string();
}

// Another process's windows are reached through Xlib and the XTEST extension, loaded at
// run time so that the test links nothing more than the program does.
class XInput {
public:
    XInput() {
        x11_ = dlopen("libX11.so.6", RTLD_NOW);
        xtst_ = dlopen("libXtst.so.6", RTLD_NOW);
        if (!x11_ || !xtst_) return;
        open_ = reinterpret_cast<decltype(open_)>(dlsym(x11_, "XOpenDisplay"));
        close_ = reinterpret_cast<decltype(close_)>(dlsym(x11_, "XCloseDisplay"));
        query_ = reinterpret_cast<decltype(query_)>(dlsym(x11_, "XQueryTree"));
        fetch_ = reinterpret_cast<decltype(fetch_)>(dlsym(x11_, "XFetchName"));
        free_ = reinterpret_cast<decltype(free_)>(dlsym(x11_, "XFree"));
        focus_ = reinterpret_cast<decltype(focus_)>(dlsym(x11_, "XSetInputFocus"));
        keycode_ = reinterpret_cast<decltype(keycode_)>(dlsym(x11_, "XKeysymToKeycode"));
        sync_ = reinterpret_cast<decltype(sync_)>(dlsym(x11_, "XSync"));
        attrs_ = reinterpret_cast<decltype(attrs_)>(dlsym(x11_, "XGetWindowAttributes"));
        fake_ = reinterpret_cast<decltype(fake_)>(dlsym(xtst_, "XTestFakeKeyEvent"));
        if (open_ && close_ && query_ && fetch_ && free_ && focus_ && keycode_ && sync_ && attrs_ &&
            fake_)
            display_ = open_(nullptr);
    }
    ~XInput() {
        if (display_) close_(display_);
        if (xtst_) dlclose(xtst_);
        if (x11_) dlclose(x11_);
    }
    bool Ok() const { return display_ != nullptr; }

    /// The size of `w` (its client area, without the window manager's frame).
    wxSize Size(Window w) {
        XWindowAttributes a;
        if (!attrs_(display_, w, &a)) return wxSize();
        return wxSize(a.width, a.height);
    }

    /// A mapped window whose name satisfies `match`, searched from the root; 0 when none.
    Window FindWindow(const std::function<bool(const std::string&)>& match) {
        return Find(DefaultRootWindow(display_), match);
    }
    /// Gives `w` the keyboard and types the key `sym`.
    void Type(Window w, KeySym sym) {
        focus_(display_, w, RevertToParent, CurrentTime);
        const unsigned code = keycode_(display_, sym);
        fake_(display_, code, True, CurrentTime);
        fake_(display_, code, False, CurrentTime);
        sync_(display_, False);
    }

private:
    Window Find(Window w, const std::function<bool(const std::string&)>& match) {
        char* name = nullptr;
        if (fetch_(display_, w, &name) && name) {
            const std::string n(name);
            free_(name);
            XWindowAttributes a;
            if (match(n) && attrs_(display_, w, &a) && a.map_state == IsViewable) return w;
        }
        Window root, parent, *children = nullptr;
        unsigned count = 0;
        if (!query_(display_, w, &root, &parent, &children, &count)) return 0;
        Window found = 0;
        for (unsigned i = 0; i < count && !found; ++i) found = Find(children[i], match);
        if (children) free_(children);
        return found;
    }

    void* x11_ = nullptr;
    void* xtst_ = nullptr;
    Display* display_ = nullptr;
    Display* (*open_)(const char*) = nullptr;
    int (*close_)(Display*) = nullptr;
    Status (*query_)(Display*, Window, Window*, Window*, Window**, unsigned*) = nullptr;
    Status (*fetch_)(Display*, Window, char**) = nullptr;
    int (*free_)(void*) = nullptr;
    int (*focus_)(Display*, Window, int, Time) = nullptr;
    KeyCode (*keycode_)(Display*, KeySym) = nullptr;
    int (*sync_)(Display*, Bool) = nullptr;
    Status (*attrs_)(Display*, Window, XWindowAttributes*) = nullptr;
    int (*fake_)(Display*, unsigned, Bool, unsigned long) = nullptr;
};

/// Starts `program` with one argument from the source folder (the program's data folders),
/// told to `process` when it ends; returns its process id, 0 when it did not start.
long Start(const std::string& program, const std::string& argument, WatchedProcess* process) {
    wxExecuteEnv env;
    env.cwd = PT_SOURCE_DIR;
    wxGetEnvMap(&env.env);
    const char* const argv[] = {program.c_str(), argument.c_str(), nullptr};
    return wxExecute(argv, wxEXEC_ASYNC, process, &env);
}

}  // namespace

TEST(Executable, StartsOpensCommandLineProjectAndQuitsWithQ) {
    namespace fs = std::filesystem;
    const std::string program = FindProgram();
    if (program.empty()) GTEST_SKIP() << "pelthorn3 is not built beside the tests";
    XInput x;
    ASSERT_TRUE(x.Ok()) << "no X display, or libX11 / libXtst missing";

    testsupport::TempDir dir;
    // a private copy, so that the configuration file beside it lands in the temporary folder
    const std::string copy = dir.File("pelthorn3");
    fs::copy_file(program, copy);
    const std::string cfg = dir.File("Pelthorn3Configure.txt");
    const std::string project = dir.File("scene.ptp");
    testsupport::WriteFile(project,
                           "LastOpenedFilePTP=/elsewhere/scene.ptp\r\nTimeMaxFrame=123\r\n");

    auto* process = new WatchedProcess;
    const long pid = Start(copy, project, process);
    ASSERT_GT(pid, 0);

    const std::string title = "Pelthorn3 - " + project;
    Window frame = 0;
    auto named = [&x](const std::string& name) {
        return x.FindWindow([&name](const std::string& n) { return n == name; });
    };
    testsupport::PumpUntil([&] { return process->ended || (frame = named(title)) != 0; }, 20000);
    EXPECT_NE(frame, 0u) << "no window titled \"" << title << "\"";
    EXPECT_FALSE(fs::exists(cfg)) << "starting writes no configuration";

    if (frame) {
        // the frame may still be settling after it was mapped: press Q until it asks
        Window question = 0;
        for (int attempt = 0; attempt < 20 && !question; ++attempt) {
            x.Type(frame, XK_q);
            testsupport::PumpUntil([&] { return (question = named("Query")) != 0; }, 500);
        }
        EXPECT_NE(question, 0u) << "Q did not ask \"Really Quit ?\"";
        // A busy machine may map the box before it takes keys: answer again while it stands.
        for (int attempt = 0; question && attempt < 6 && !process->ended; ++attempt) {
            x.Type(question, XK_Return);
            testsupport::PumpUntil([&] { return process->ended; }, 5000);
            question = named("Query");
        }
    }
    testsupport::PumpUntil([&] { return process->ended; }, 10000);
    if (!process->ended) {
        wxProcess::Kill(pid, wxSIGKILL);
        testsupport::PumpUntil([&] { return process->ended; }, 3000);
        ADD_FAILURE() << "the program did not quit";
    } else {
        EXPECT_EQ(process->status, 0);
        // Quit wrote the configuration; "LastOpenedFilePTP=" is the opened file, not the
        // path written inside it
        EXPECT_EQ(testsupport::ReadFile(cfg), shelltest::ConfigFile(project));
    }
    delete process;
}

// As a user starts it from a terminal: at the size it takes on the test display, with a
// snapshot sequence named on its command line. It opens a whole window, and nothing of
// GTK's (warnings, criticals, pixman's complaints) reaches the terminal.
TEST(Executable, StartsWholeAndQuietOnTheTerminal) {
    namespace fs = std::filesystem;
    const std::string program = FindProgram();
    if (program.empty()) GTEST_SKIP() << "pelthorn3 is not built beside the tests";
    XInput x;
    ASSERT_TRUE(x.Ok()) << "no X display, or libX11 / libXtst missing";

    testsupport::TempDir dir;
    const std::string copy = dir.File("pelthorn3");
    fs::copy_file(program, copy);
    DemoSequenceOptions demo;
    demo.frames = 2;
    demo.particles = 3000;
    demo.grammar.dataType = SNAPSHOT_BINARY;
    demo.box = 4;
    std::string error;
    ASSERT_TRUE(DemoSequence_cls(demo).WriteAll(dir.File("demo"), error)) << error;
    const std::string first = dir.File("demo/" + demo.FileName(0));

    auto* process = new WatchedProcess;
    process->Redirect();
    const long pid = Start(copy, first, process);
    ASSERT_GT(pid, 0);

    std::string terminal;
    auto drain = [&] {
        for (wxInputStream* in : {process->GetInputStream(), process->GetErrorStream()}) {
            char buffer[4096];
            while (in && in->CanRead()) {
                in->Read(buffer, sizeof buffer);
                terminal.append(buffer, in->LastRead());
                if (in->LastRead() == 0) break;
            }
        }
    };
    Window frame = 0;
    testsupport::PumpUntil([&] {
        drain();
        return process->ended ||
               (frame = x.FindWindow([](const std::string& n) { return n == "Pelthorn 3 v 0.82"; })) != 0;
    }, 20000);
    ASSERT_NE(frame, 0u) << "no main window";
    // the sequence is read and drawn, the views settle
    testsupport::PumpUntil([&] { drain(); return process->ended; }, 2500);
    const wxSize size = x.Size(frame);
    EXPECT_GE(size.x, 1000) << "the window is " << size.x << " x " << size.y;
    EXPECT_GE(size.y, 600) << "the window is " << size.x << " x " << size.y;

    Window question = 0;
    for (int attempt = 0; attempt < 20 && !question && !process->ended; ++attempt) {
        x.Type(frame, XK_q);
        testsupport::PumpUntil([&] {
            drain();
            return (question = x.FindWindow([](const std::string& n) { return n == "Query"; })) != 0;
        }, 500);
    }
    if (question) x.Type(question, XK_Return);
    testsupport::PumpUntil([&] { drain(); return process->ended; }, 10000);
    if (!process->ended) {
        wxProcess::Kill(pid, wxSIGKILL);
        testsupport::PumpUntil([&] { return process->ended; }, 3000);
        ADD_FAILURE() << "the program did not quit";
    }
    drain();
    for (const char* noise : {"Gtk-", "GLib-", "pixman", "Pango-", "GdkPixbuf-"})
        EXPECT_EQ(terminal.find(noise), std::string::npos) << "on the terminal:\n" << terminal;
    delete process;
}
