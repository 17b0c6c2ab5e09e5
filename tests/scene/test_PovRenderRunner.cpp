// The render runner: one renderer call at a time on its own thread, the calls of an
// animation run one after the other, and failures reported rather than fatal.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <thread>

#include <wx/init.h>

#include "scene/PovOutputSettings.h"
#include "scene/PovRayCtrl.h"
#include "scene/PovRayHost.h"
#include "scene/PovRegionSettings.h"
#include "scene/PovSceneSources.h"
#include "scene/PovSceneWriter.h"
#include "tests/support/PovRayProbe.h"
#include "tests/support/TestFiles.h"

namespace {

struct CountingHost : PovRayHost_cls {
    std::atomic<int> done{0};
    void ReadControls() override {}
    void UpdateBusyState() override {}
    void EnableFrame(bool) override {}
    void RenderDone() override { ++done; }
};

bool WaitIdle(PovRayCtrl_cls& c, int ms = 20000) {
    for (int i = 0; i < ms / 5; ++i) {
        if (c.IsRenderIdle()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

/// A stand-in renderer that logs its arguments and working folder, then exits with `code`.
std::string FakeRenderer(const testsupport::TempDir& dir, int code) {
    const std::string path = dir.File("fake-povray");
    testsupport::WriteFile(path, "#!/bin/sh\necho \"$(pwd) $*\" >> " + dir.File("calls.txt") +
                                     "\nexit " + std::to_string(code) + "\n");
    chmod(path.c_str(), 0755);
    return path;
}

/// The render thread is a toolkit thread: the toolkit's base library is set up around each test.
class PovRenderRunner : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(wxInitialize()); }
    void TearDown() override { wxUninitialize(); }
};

}  // namespace

TEST_F(PovRenderRunner, SnapshotRenderWritesTheImage) {
    if (!povprobe::Available()) GTEST_SKIP() << "POV-Ray is not installed";
    testsupport::TempDir dir;
    PovRayCtrl_cls ctrl;
    CountingHost host;
    ctrl.SetHost(&host);
    ctrl.pathPovWork.text = dir.File("work");
    ctrl.output->width.value = 32;
    ctrl.output->height.value = 24;
    ctrl.output->display.value = false;
    PovSceneSources_cls nothing;  // a scene of the controller's own parts: background only
    PovSceneWriter_cls writer(&ctrl, &nothing);
    ASSERT_TRUE(writer.ExportPovSnapshot(true));
    ASSERT_TRUE(ctrl.RenderSnap());
    EXPECT_FALSE(ctrl.RenderSnap());  // one render at a time (it runs for about a second)
    ASSERT_TRUE(WaitIdle(ctrl));
    EXPECT_EQ(ctrl.TakeRenderFailure(), "");
    EXPECT_EQ(host.done.load(), 1);
    const std::string png = testsupport::ReadFile(dir.File("work/povsnap0000.png"));
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
}

TEST_F(PovRenderRunner, MissingOrFailingRendererIsReported) {
    testsupport::TempDir dir;
    PovRayCtrl_cls ctrl;
    CountingHost host;
    ctrl.SetHost(&host);
    ctrl.pathPovWork.text = dir.File("work");
    ctrl.pathPovRay.text = dir.File("no/such/povray");
    ASSERT_TRUE(ctrl.RenderSnap());
    ASSERT_TRUE(WaitIdle(ctrl));
    const std::string missing = ctrl.TakeRenderFailure().utf8_string();
    EXPECT_NE(missing.find("could not be started"), std::string::npos) << missing;
    EXPECT_NE(missing.find("No such file"), std::string::npos) << missing;
    EXPECT_EQ(ctrl.TakeRenderFailure(), "");  // reported once

    ctrl.pathPovRay.text = FakeRenderer(dir, 1);
    ASSERT_TRUE(ctrl.RenderSnap());
    ASSERT_TRUE(WaitIdle(ctrl));
    const std::string failed = ctrl.TakeRenderFailure().utf8_string();
    EXPECT_NE(failed.find("status 1"), std::string::npos) << failed;
    EXPECT_EQ(host.done.load(), 2);
}

TEST_F(PovRenderRunner, QueueRendersEachFrameInTurnInTheWorkFolder) {
    testsupport::TempDir dir;
    PovRayCtrl_cls ctrl;
    CountingHost host;
    ctrl.SetHost(&host);
    const std::string work = dir.File("w");
    ctrl.pathPovWork.text = work;
    ctrl.pathPovRay.text = FakeRenderer(dir, 0);
    ctrl.region->initial.value = 5;
    ASSERT_TRUE(ctrl.ToggleExportAnim(true));
    for (int i = 0; i < 3; ++i) ctrl.NextAnimFrame();
    ctrl.OnExportRunEnd();
    ASSERT_EQ(ctrl.renderQueue.size(), 3u);
    // The idle driver's steps: each starts the next call only once the last has returned.
    int started = 0;
    for (int step = 0; step < 4000 && (ctrl.renderAfter || !ctrl.IsRenderIdle()); ++step) {
        const bool idle = ctrl.IsRenderIdle();
        const int before = ctrl.animCounter;
        ctrl.RenderNextAnimFrame();
        if (ctrl.animCounter != before) {
            EXPECT_TRUE(idle);
            ++started;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_TRUE(WaitIdle(ctrl));
    EXPECT_EQ(started, 3);
    EXPECT_FALSE(ctrl.renderAfter);
    EXPECT_EQ(host.done.load(), 3);
    EXPECT_EQ(testsupport::ReadFile(dir.File("calls.txt")),
              work + " povanim0005.ini -P\n" + work + " povanim0006.ini -P\n" + work + " povanim0007.ini -P\n");
}

TEST_F(PovRenderRunner, StopEndsARunningRenderer) {
    testsupport::TempDir dir;
    PovRayCtrl_cls ctrl;
    ctrl.pathPovWork.text = dir.Path();
    // A renderer that ends when asked, at once (it may not be started yet) and once it runs;
    // and one that ignores the request: it is ended outright after the grace time, not
    // waited for.
    struct Case {
        const char* body;
        int delayMs;
    };
    const Case cases[] = {{"exec sleep 30", 0}, {"exec sleep 30", 200}, {"trap '' TERM\nexec sleep 30", 200}};
    for (const Case& c : cases) {
        const std::string slow = dir.File("slow");
        testsupport::WriteFile(slow, std::string("#!/bin/sh\n") + c.body + "\n");
        chmod(slow.c_str(), 0755);
        ctrl.pathPovRay.text = slow;
        ASSERT_TRUE(ctrl.RenderSnap());
        std::this_thread::sleep_for(std::chrono::milliseconds(c.delayMs));
        const auto start = std::chrono::steady_clock::now();
        ctrl.StopRender();
        EXPECT_TRUE(ctrl.IsRenderIdle());
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << c.body << " " << c.delayMs;
    }
}
