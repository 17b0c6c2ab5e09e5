#include "app/IdleDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

// A time line of frames 0..maxFrame stepped by `step` (clamped at the ends), data frames
// equal to scene frames, and a set of frames whose data are ready.
class FakeHost : public IdleHost_cls {
public:
    int current = 0, maxFrame = 100, step = 1, prefetch = 3, direction = 1;
    bool reader = false, redrawPending = false, viewsCurrent = true, playing = false;
    bool tickResult = true;
    std::set<int> ready{0};
    std::vector<std::string> calls;
    std::vector<int> prepared;
    std::vector<int> sleeps;

    void EnforceMemoryLimit() override { calls.push_back("memory"); }
    bool ReaderRunning() override { return reader; }
    void PostStatusRefresh() override { calls.push_back("status"); }
    int CurrentFrame() override { return current; }
    double DataTime(int frame) override { return frame; }
    bool IsFrameReady(int frame, double fraction) override {
        EXPECT_EQ(fraction, 0.0);
        return ready.count(frame) > 0;
    }
    int SteppedFrame(int steps) override {
        return std::clamp(current + steps * step, -1000, maxFrame);
    }
    int MaxFrame() override { return maxFrame; }
    void PrepareFrame(int frame) override {
        prepared.push_back(frame);
        ready.insert(frame);  // the load finishes before the next pass
    }
    int PrefetchCount() override { return prefetch; }
    int Direction() override { return direction; }
    bool RedrawPending() override { return redrawPending; }
    void SetRedrawPending() override { redrawPending = true; }
    bool AllViewsCurrent() override { return viewsCurrent; }
    void Sleep(int ms) override { sleeps.push_back(ms); }
    bool Playing() override { return playing; }
    bool Tick() override {
        calls.push_back("tick");
        return tickResult;
    }
    void RenderNextAnimFrame() override { calls.push_back("render"); }
};

}  // namespace

TEST(IdleDriver, PrefetchLoadsNearestMissingFrameOnePerPass) {
    FakeHost h;
    h.step = 2;  // "TimeAnimStep=" 2, prefetch 3: frames 2, 4 and 6
    for (int pass = 0; pass < 5; ++pass) IdleDriver_cls::RunIdle(h);
    EXPECT_EQ(h.prepared, (std::vector<int>{2, 4, 6}));
}

TEST(IdleDriver, PrefetchDirectionEndsAndCount) {
    struct Case {
        int current, direction, prefetch, maxFrame;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {5, -1, 3, 100, {4, 3, 2}},  // backwards: behind the current frame
        {1, -1, 3, 100, {0}},        // frames below 0 are passed over
        {5, 1, 0, 100, {}},          // prefetch 0 loads nothing ahead
        {99, 1, 3, 100, {100}},      // the stepped frame is clamped at the end
    };
    for (const Case& c : cases) {
        FakeHost h;
        h.current = c.current;
        h.ready = {c.current};
        h.direction = c.direction;
        h.prefetch = c.prefetch;
        h.maxFrame = c.maxFrame;
        for (int pass = 0; pass < 6; ++pass) IdleDriver_cls::RunIdle(h);
        EXPECT_EQ(h.prepared, c.expected) << "current " << c.current << " dir " << c.direction;
    }
}

TEST(IdleDriver, NothingIsPrefetchedUntilTheCurrentFrameIsReady) {
    FakeHost h;
    h.ready.clear();
    IdleDriver_cls::RunIdle(h);
    EXPECT_TRUE(h.prepared.empty());
}

TEST(IdleDriver, ReaderRunningOnlyRefreshesStatus) {
    FakeHost h;
    h.reader = true;
    for (int pass = 0; pass < 3; ++pass) IdleDriver_cls::RunIdle(h);
    EXPECT_TRUE(h.prepared.empty());
    EXPECT_EQ(std::count(h.calls.begin(), h.calls.end(), "status"), 3);
}

TEST(IdleDriver, PendingRedrawAndStaleViewsHoldPlaybackBack) {
    FakeHost h;
    h.playing = true;
    h.redrawPending = true;
    EXPECT_EQ(IdleDriver_cls::RunIdle(h), IDLE_REDRAW_PENDING);
    EXPECT_EQ(std::count(h.calls.begin(), h.calls.end(), "tick"), 0);

    h.redrawPending = false;
    h.viewsCurrent = false;
    EXPECT_EQ(IdleDriver_cls::RunIdle(h), IDLE_VIEWS_STALE);
    EXPECT_EQ(h.sleeps, (std::vector<int>{13}));
    EXPECT_EQ(std::count(h.calls.begin(), h.calls.end(), "tick"), 0);
    EXPECT_EQ(std::count(h.calls.begin(), h.calls.end(), "render"), 0);
}

TEST(IdleDriver, PlaybackStepsOnlyWhenAllViewsAreCurrent) {
    FakeHost h;
    h.playing = true;
    EXPECT_EQ(IdleDriver_cls::RunIdle(h), IDLE_DONE);
    EXPECT_TRUE(h.redrawPending);
    EXPECT_EQ(h.calls.back(), "render");

    // the end of the work area without repeat: Tick says stop, no redraw is marked
    FakeHost end;
    end.playing = true;
    end.tickResult = false;
    IdleDriver_cls::RunIdle(end);
    EXPECT_FALSE(end.redrawPending);

    // a paused timeline still prefetches but never ticks
    FakeHost paused;
    IdleDriver_cls::RunIdle(paused);
    EXPECT_EQ(paused.prepared, (std::vector<int>{1}));
    EXPECT_EQ(std::count(paused.calls.begin(), paused.calls.end(), "tick"), 0);
    EXPECT_EQ(paused.calls.front(), "memory");
}
