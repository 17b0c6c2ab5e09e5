// Time model: time conversions, the step rule, scene-length changes, remap rounding, the
// project text, undo of time edits, playback pacing and motion-blur sampling.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/CommandHistory.h"
#include "timeline/CommandSetTimeCtrlValue.h"
#include "timeline/ParamGroup.h"
#include "tests/timeline/TextFeed.h"
#include "timeline/Parameter.h"
#include "timeline/TimeCtrl.h"

namespace {

class RecordingPoster : public MenuCommandPoster_cls {
public:
    void PostMenuCommand(int id) override { ids.push_back(id); }
    int Count(int id) const {
        int n = 0;
        for (int i : ids) n += i == id;
        return n;
    }
    std::vector<int> ids;
};

// Time advances only when the model sleeps (or the test moves it).
class FakeClock : public TimeCtrlClock_cls {
public:
    long NowMs() override { return now; }
    void SleepMs(int ms) override {
        now += ms;
        slept += ms;
        ++sleeps;
    }
    long now = 1000;
    long slept = 0;
    int sleeps = 0;
};

class FakeHost : public TimeCtrlHost_cls {
public:
    void MarkKeyFrames(std::vector<bool>& m) override {
        for (int f : keyFrames)
            if (f >= 0 && f < int(m.size())) m[size_t(f)] = true;
    }
    void SetRestartFlag() override { restarted = true; }
    void ClearDataFrameMarks() override { dataMarks.clear(); }
    void MarkDataFrame(int dataFrame) override { dataMarks.push_back(dataFrame); }
    bool IsDataFrameReady(int dataFrame, double fraction, bool sampling) override {
        askedFrame = dataFrame;
        askedFraction = fraction;
        askedSampling = sampling;
        return true;
    }
    int GetMemoryPerFrame() override { return perFrame; }
    int askedFrame = -1;
    double askedFraction = -1;
    bool askedSampling = false;
    int perFrame = -1;
    std::vector<int> keyFrames;
    std::vector<int> dataMarks;  ///< data frames marked since the last clear, in order
    bool restarted = false;
};

class TimeCtrlTest : public ::testing::Test {
protected:
    void SetUp() override {
        GoCommandHistory.Clear();
        GoCommandHistory.SetPoster(&poster);
        GbParamUndoEnabled = 1;
    }
    void TearDown() override {
        GoCommandHistory.Clear();
        GoCommandHistory.SetPoster(nullptr);
    }
    // Settings as a user would set them, bypassing the undo history.
    void Configure(TimeCtrl_cls& tc, int maxFrame, int step, int interp, int wmin, int wmax, bool rep) {
        tc.SetMaxFrame(maxFrame);
        tc.SetAnimStep(step);
        tc.SetAnimInterp(interp);
        tc.SetWorkAreaMin(wmin);
        tc.SetWorkAreaMax(wmax);
        tc.SetRepeat(rep);
    }
    RecordingPoster poster;
    FakeClock clock;
    FakeHost host;
};

using textfeed::ReadAll;

}  // namespace

TEST_F(TimeCtrlTest, NormalisedTimeOfPositions) {
    TimeCtrl_cls tc(&host, &clock);
    tc.SetFrame(50, 0);
    EXPECT_DOUBLE_EQ(GdCurrentTime, 0.5);
    EXPECT_DOUBLE_EQ(tc.GetNormalizedTime(-1, -1), 0.5);
    tc.SetAnimInterp(4);
    tc.SetSubFrame(2, 0);
    EXPECT_DOUBLE_EQ(GdCurrentTime, 0.505);  // the sub-frame alone updates the scene time
    EXPECT_DOUBLE_EQ(tc.GetNormalizedTime(10, 1.5), (1.5 / 4 + 10) / 100);
    EXPECT_DOUBLE_EQ(tc.GetNormalizedTime(150, 0), 1.0);  // upper clamp only
    tc.SetMaxFrame(0);
    EXPECT_DOUBLE_EQ(tc.GetNormalizedTime(7, 0), 0.0);
}

TEST_F(TimeCtrlTest, StepRuleTable) {
    struct Case {
        const char* what;
        int maxFrame, step, interp, wmin, wmax;
        bool repeat;
        int frame, sub, dir;
        int eFrame, eSub;
    };
    const Case cases[] = {
        {"back across a frame boundary", 100, 2, 4, 0, 100, false, 10, 0, -1, 8, 3},
        {"forward across a frame boundary", 100, 2, 4, 0, 100, false, 10, 3, +1, 12, 0},
        {"inside a frame", 100, 2, 4, 0, 100, false, 10, 1, +1, 10, 2},
        {"past the end with repeat, into the work area", 100, 1, 1, 20, 100, true, 100, 0, +1, 20, 0},
        {"past the end without repeat", 100, 1, 1, 0, 100, false, 100, 0, +1, 100, 0},
        {"back from 0 with repeat", 100, 1, 1, 0, 100, true, 0, 0, -1, 100, 0},
        {"back from 0 without repeat", 100, 1, 1, 0, 100, false, 0, 0, -1, 0, 0},
        {"work-area end resets the sub-frame", 100, 1, 4, 0, 50, false, 50, 3, +1, 50, 0},
        {"onto the step grid", 100, 3, 1, 0, 100, false, 10, 0, +1, 12, 0},
    };
    for (const Case& c : cases) {
        TimeCtrl_cls tc(&host, &clock);
        Configure(tc, c.maxFrame, c.step, c.interp, c.wmin, c.wmax, c.repeat);
        tc.SetFrame(c.frame, 0);
        tc.SetSubFrame(c.sub, 0);
        tc.StepSubFrame(c.dir);
        EXPECT_EQ(tc.Frame(), c.eFrame) << c.what;
        EXPECT_EQ(tc.SubFrame(), c.eSub) << c.what;
    }
}

TEST_F(TimeCtrlTest, StepSubFrameIsOneUndoStep) {
    TimeCtrl_cls tc(&host, &clock);
    Configure(tc, 100, 2, 4, 0, 100, false);
    tc.SetFrame(10, 0);
    tc.StepSubFrame(-1);
    ASSERT_EQ(tc.Frame(), 8);
    ASSERT_EQ(tc.SubFrame(), 3);
    GoCommandHistory.Undo();
    EXPECT_EQ(tc.Frame(), 10);
    EXPECT_EQ(tc.SubFrame(), 0);
    EXPECT_DOUBLE_EQ(GdCurrentTime, 0.1);
    GoCommandHistory.Redo();
    EXPECT_EQ(tc.Frame(), 8);
    EXPECT_DOUBLE_EQ(GdCurrentTime, (3.0 / 4 + 8) / 100);
}

TEST_F(TimeCtrlTest, StepIndexIsSignedBeforeTheWorkArea) {
    TimeCtrl_cls tc(&host, &clock);
    Configure(tc, 100, 2, 4, 10, 100, false);
    const int cases[][3] = {{10, 0, 0}, {14, 1, 9}, {8, 0, -4}, {9, 2, -2}, {0, 0, -20}};
    for (const auto& c : cases) EXPECT_EQ(tc.GetStepIndex(c[0], c[1]), c[2]) << c[0] << "/" << c[1];
}

TEST_F(TimeCtrlTest, SteppedFrameForPrefetch) {
    TimeCtrl_cls tc(&host, &clock);
    Configure(tc, 100, 5, 1, 0, 40, true);
    EXPECT_EQ(tc.GetSteppedFrame(35, 3, false, false), 50);    // past the work area
    EXPECT_EQ(tc.GetSteppedFrame(35, 3, true, false), 40);     // idle prefetch stays inside
    EXPECT_EQ(tc.GetSteppedFrame(95, 3, false, false), 100);   // scene end without repeat
    EXPECT_EQ(tc.GetSteppedFrame(95, 3, false, true), 0);      // wraps with repeat
    EXPECT_EQ(tc.GetSteppedFrame(5, -3, false, true), 100);    // backwards wraps to the end
    EXPECT_EQ(tc.GetSteppedFrame(5, -3, false, false), 0);     // never a negative frame
}

TEST_F(TimeCtrlTest, SceneLengthChangesMoveTheAreas) {
    TimeCtrl_cls tc(&host, &clock);
    tc.SetMaxFrame(200);  // the previous length starts at 99: the maxima stay
    EXPECT_EQ(tc.workAreaMax.value, 100u);
    EXPECT_EQ(tc.activeAreaMax.value, 100u);
    tc.SetWorkAreaMax(200);
    tc.SetMaxFrame(300);
    EXPECT_EQ(tc.workAreaMax.value, 300u);
    EXPECT_EQ(tc.activeAreaMax.value, 100u);
    EXPECT_EQ(GiSceneFrameCount, 300);
    tc.SetFrame(80, 0);
    tc.SetMaxFrame(50);
    EXPECT_EQ(tc.Frame(), 0);
    EXPECT_EQ(tc.workAreaMax.value, 50u);
    EXPECT_EQ(tc.activeAreaMax.value, 50u);
    EXPECT_DOUBLE_EQ(GdCurrentTime, 0.0);
    tc.SetMaxFrameUndoable(60);
    GoCommandHistory.Undo();
    EXPECT_EQ(tc.MaxFrame(), 50);
}

TEST_F(TimeCtrlTest, RemapRounding) {
    struct Case {
        double curve;
        int dataFrame;
        double dataTime, fraction;
    };
    const Case cases[] = {
        {11.999995, 12, 12.0, 0.0},
        {11.5, 11, 11.5, 0.5},
        {7.0, 7, 7.0, 0.0},
        {-3.25, 0, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        TimeCtrl_cls tc(&host, &clock);
        GbParamUndoEnabled = 0;
        tc.remap->SetKeyFrame({c.curve}, true, 0.0);
        GbParamUndoEnabled = 1;
        tc.useTimeRemap.value = true;
        tc.SetFrame(30, 0);
        EXPECT_EQ(tc.GetDataFrame(-1), c.dataFrame) << c.curve;
        EXPECT_EQ(tc.GetDataFrame(5), c.dataFrame) << c.curve;
        EXPECT_NEAR(tc.GetDataTime(-1, -1), c.dataTime, 1e-12) << c.curve;
        EXPECT_NEAR(tc.GetFrameFraction(-1, -1), c.fraction, 1e-12) << c.curve;
    }
    TimeCtrl_cls plain(&host, &clock);
    plain.SetAnimInterp(4);
    plain.SetFrame(12, 0);
    plain.SetSubFrame(3, 0);
    EXPECT_EQ(plain.GetDataFrame(-1), 12);
    EXPECT_DOUBLE_EQ(plain.GetDataTime(-1, -1), 12.75);
    EXPECT_DOUBLE_EQ(plain.GetFrameFraction(-1, -1), 0.75);
}

TEST_F(TimeCtrlTest, TimeSectionRoundTripIsByteIdentical) {
    TimeCtrl_cls a(&host, &clock);
    Configure(a, 240, 2, 3, 10, 200, true);
    a.SetActiveAreaMin(5);
    a.SetActiveAreaMax(230);
    a.sceneLengthType.value = 1;
    a.useMotionBlur.value = true;
    a.useTimeRemap.value = true;
    GbParamUndoEnabled = 0;
    a.remap->Component(0).SetTimeDependentValue(true);
    a.remap->SetKeyFrame({0.0}, true, 0.0);
    a.remap->SetKeyFrame({12.5}, true, 0.5);
    a.remap->SetKeyFrame({40.0}, true, 1.0);
    GbParamUndoEnabled = 1;
    const std::string text = a.WriteText().ToStdString();
    EXPECT_EQ(text.rfind("TimeMaxFrame=240\r\nTimeWorkAreaMin=10\r\nTimeWorkAreaMax=200\r\n"
                         "TimeActiveAreaMin=5\r\nTImeActiveAreaMax=230\r\nTimeUseTimeRemap=1\r\n",
                         0),
              0u);
    EXPECT_NE(text.find("\r\n---TimeRemap\n-ParamGroup=Time Remap\n"), std::string::npos);

    TimeCtrl_cls b(&host, &clock);
    ReadAll(b, "unrelated line\r\n" + text + "TimeMaxFrameX=5\r\n");
    EXPECT_EQ(b.WriteText().ToStdString(), text);
    EXPECT_EQ(b.remap->Component(0).GetKeyCount(), 3);
    EXPECT_EQ(GiSceneFrameCount, 240);
    EXPECT_EQ(GiSceneSubSteps, 3);
}

TEST_F(TimeCtrlTest, ReadingClampsAndLeavesTheRemapAloneWithoutItsSection) {
    TimeCtrl_cls tc(&host, &clock);
    GbParamUndoEnabled = 0;
    tc.remap->SetKeyFrame({9.0}, true, 0.0);
    GbParamUndoEnabled = 1;
    ReadAll(tc, "TimeAnimStep=0\r\nTimeAnimInterp=-5\r\nTimeMaxFrame=4294967295\r\nTimeUseTimeRemap=0\r\n");
    EXPECT_EQ(tc.AnimStep(), 1);
    EXPECT_EQ(tc.animStep.value, 1);
    EXPECT_EQ(tc.animInterp.value, 1);
    EXPECT_EQ(tc.MaxFrame(), int(TimeCtrl_cls::kMaxSceneLength));
    EXPECT_DOUBLE_EQ(tc.remap->Component(0).Evaluate(0.0, 0.0), 9.0);
    // a marker with no group block after it reads nothing
    ReadAll(tc, "---TimeRemap\nsomething\nelse\n");
    EXPECT_DOUBLE_EQ(tc.remap->Component(0).Evaluate(0.0, 0.0), 9.0);
    EXPECT_EQ(tc.WriteText().Find("---TimeRemap"), wxNOT_FOUND);
}

TEST_F(TimeCtrlTest, StepSizeChangeQuantisesTheFrameInOneStep) {
    TimeCtrl_cls tc(&host, &clock);
    tc.SetFrame(13, 0);
    tc.SetAnimStepUndoable(5, 1);
    EXPECT_EQ(tc.AnimStep(), 5);
    EXPECT_EQ(tc.Frame(), 15);
    GoCommandHistory.Undo();
    EXPECT_EQ(tc.AnimStep(), 1);
    EXPECT_EQ(tc.Frame(), 13);
    EXPECT_EQ(GoCommandHistory.Cursor(), 0u);
    // quantising never goes beyond the scene end
    tc.SetMaxFrame(98);
    tc.SetAnimStep(5);
    EXPECT_EQ(tc.QuantizeFrame(98), 95);
    EXPECT_EQ(tc.QuantizeFrame(12), 10);
    EXPECT_EQ(tc.QuantizeFrame(13), 15);
}

TEST_F(TimeCtrlTest, ZoomActiveArea) {
    TimeCtrl_cls tc(&host, &clock);
    tc.SetFrame(40, 0);
    tc.ZoomActiveArea(true);
    EXPECT_EQ(tc.activeAreaMin.value, 20u);
    EXPECT_EQ(tc.activeAreaMax.value, 70u);
    tc.ZoomActiveArea(false);
    EXPECT_EQ(tc.activeAreaMin.value, 0u);
    EXPECT_EQ(tc.activeAreaMax.value, 100u);
    const uint32_t cursor = GoCommandHistory.Cursor();
    tc.ZoomActiveArea(false);  // already as wide as the scene: nothing is pushed
    EXPECT_EQ(GoCommandHistory.Cursor(), cursor);
    GoCommandHistory.Undo();
    EXPECT_EQ(tc.activeAreaMin.value, 20u);
    EXPECT_EQ(tc.activeAreaMax.value, 70u);
}

TEST_F(TimeCtrlTest, KeyFrameJumps) {
    host.keyFrames = {5, 30, 60};
    TimeCtrl_cls tc(&host, &clock);
    tc.UpdateKeyFrameMarks();
    ASSERT_EQ(tc.KeyFrameMarks().size(), 101u);
    tc.SetFrame(30, 0);
    tc.SetSubFrame(2, 0);
    tc.GoToKeyFrame(+1);
    EXPECT_EQ(tc.Frame(), 60);
    EXPECT_EQ(tc.SubFrame(), 0);
    tc.GoToKeyFrame(+1);
    EXPECT_EQ(tc.Frame(), 100);  // no mark after: the scene end
    tc.GoToKeyFrame(-1);
    EXPECT_EQ(tc.Frame(), 60);
    tc.SetFrame(5, 0);
    const uint32_t cursor = GoCommandHistory.Cursor();
    tc.GoToKeyFrame(-1);
    EXPECT_EQ(tc.Frame(), 0);
    EXPECT_GT(GoCommandHistory.Cursor(), cursor);
    tc.SetFrameFromFraction(0.5);
    EXPECT_EQ(tc.Frame(), 50);
}

TEST_F(TimeCtrlTest, KeyFramesMarkTheDataFramesTheyShow) {
    host.keyFrames = {5, 30, 60};
    TimeCtrl_cls tc(&host, &clock);
    host.dataMarks = {99};  // stale marks are cleared first
    tc.UpdateKeyFrameMarks();
    EXPECT_EQ(host.dataMarks, (std::vector<int>{5, 30, 60}));

    // With the remap on, the data frame the key's scene frame shows is kept: a curve from
    // data frame 0 at the start to 200 at the end shows frame 2 x f at scene frame f.
    GbParamUndoEnabled = 0;
    tc.remap->Component(0).SetTimeDependentValue(true);
    tc.remap->Component(0).SetKeyAt(0.0, 0.0, 0, 0);
    tc.remap->Component(0).SetKeyAt(1.0, 200.0, 0, 0);
    GbParamUndoEnabled = 1;
    tc.useTimeRemap.value = true;
    tc.UpdateKeyFrameMarks();
    EXPECT_EQ(host.dataMarks, (std::vector<int>{10, 60, 120}));
}

TEST_F(TimeCtrlTest, CommandRunsTheSetterChosenByWhich) {
    struct Case {
        int which, value;
        std::function<int(TimeCtrl_cls&)> read;
    };
    const Case cases[] = {
        {0, 7, [](TimeCtrl_cls& t) { return t.Frame(); }},
        {1, 2, [](TimeCtrl_cls& t) { return t.SubFrame(); }},
        {2, 3, [](TimeCtrl_cls& t) { return int(t.workAreaMin.value); }},
        {3, 90, [](TimeCtrl_cls& t) { return int(t.workAreaMax.value); }},
        {4, 4, [](TimeCtrl_cls& t) { return int(t.activeAreaMin.value); }},
        {5, 80, [](TimeCtrl_cls& t) { return int(t.activeAreaMax.value); }},
        {6, 1, [](TimeCtrl_cls& t) { return int(t.repeat.value); }},
        {7, 3, [](TimeCtrl_cls& t) { return t.AnimStep(); }},
        {8, 6, [](TimeCtrl_cls& t) { return t.AnimInterp(); }},
        {9, 8, [](TimeCtrl_cls& t) { return t.prefetch; }},
        {10, 150, [](TimeCtrl_cls& t) { return t.MaxFrame(); }},
    };
    for (const Case& c : cases) {
        TimeCtrl_cls tc(&host, &clock);
        CommandSetTimeCtrlValue_cls cmd(&tc, c.which, c.value);
        cmd.Execute(false);
        EXPECT_EQ(c.read(tc), c.value) << "which " << c.which;
    }
    TimeCtrl_cls tc(&host, &clock);
    const std::string before = tc.WriteText().ToStdString();
    CommandSetTimeCtrlValue_cls other(&tc, 11, 5);
    other.Execute(false);
    EXPECT_EQ(tc.WriteText().ToStdString(), before);
    CommandSetTimeCtrlValue_cls zeroStep(&tc, 7, 0);
    zeroStep.Execute(false);
    EXPECT_EQ(tc.animStep.value, 1);
}

TEST_F(TimeCtrlTest, TickIsPacedAndStopsAtTheWorkAreaEnd) {
    TimeCtrl_cls tc(&host, &clock);
    Configure(tc, 100, 1, 1, 0, 3, false);
    tc.TogglePlay(+1);
    ASSERT_TRUE(tc.IsPlaying());
    poster.ids.clear();
    EXPECT_TRUE(tc.Tick());  // long after the last tick: no wait
    EXPECT_EQ(clock.sleeps, 0);
    EXPECT_EQ(tc.Frame(), 1);
    const long t1 = clock.now;
    clock.now += 10;
    EXPECT_TRUE(tc.Tick());  // 10 ms later: waits in 3 ms steps until 30 ms have passed
    EXPECT_GE(clock.now - t1, 30);
    EXPECT_LT(clock.now - t1, 33);
    EXPECT_EQ(clock.slept, 21);
    EXPECT_EQ(tc.Frame(), 2);
    EXPECT_EQ(poster.Count(ID_REDRAW_VIEWS), 2);
    EXPECT_GE(poster.Count(ID_TIME_REFRESH), 2);
    EXPECT_TRUE(tc.Tick());
    EXPECT_EQ(tc.Frame(), 3);
    EXPECT_FALSE(tc.Tick());  // a step that changes nothing ends playback
    EXPECT_FALSE(tc.IsPlaying());
    EXPECT_EQ(tc.Frame(), 3);
    EXPECT_EQ(poster.Count(ID_END_CAPTURE), 1);
    // undoing the start stops at the frame playback started from
    GoCommandHistory.Undo();
    EXPECT_EQ(tc.Frame(), 0);
    GoCommandHistory.Redo();
    EXPECT_TRUE(tc.IsPlaying());
}

TEST_F(TimeCtrlTest, RepeatWrapsAtTheWorkAreaEnd) {
    TimeCtrl_cls tc(&host, &clock);
    Configure(tc, 100, 1, 1, 10, 50, true);
    tc.SetFrame(50, 0);
    tc.TogglePlay(+1);
    EXPECT_EQ(tc.Frame(), 50);
    EXPECT_FALSE(tc.Tick());  // the step changes nothing: stop, then restart at the start
    EXPECT_TRUE(tc.IsPlaying());
    EXPECT_TRUE(host.restarted);
    EXPECT_EQ(tc.Frame(), 10);
    EXPECT_DOUBLE_EQ(GdCurrentTime, 0.1);
    EXPECT_TRUE(tc.Tick());
    EXPECT_EQ(tc.Frame(), 11);

    // without repeat the same start stops at once
    TimeCtrl_cls once(&host, &clock);
    Configure(once, 100, 1, 1, 10, 50, false);
    once.SetFrame(50, 0);
    once.TogglePlay(+1);
    EXPECT_FALSE(once.Tick());
    EXPECT_FALSE(once.IsPlaying());
    EXPECT_EQ(once.Frame(), 50);
}

TEST_F(TimeCtrlTest, PlaybackStopsAtTheSceneEnd) {
    TimeCtrl_cls tc(&host, &clock);
    Configure(tc, 100, 1, 1, 0, 50, true);
    tc.SetFrame(99, 0);
    tc.SetTemporaryPlayRange(0, 100);
    tc.TogglePlay(+1);
    EXPECT_EQ(tc.Frame(), 99);
    poster.ids.clear();
    // The step onto the last frame goes on, so that the views paint it (and a run captures or
    // exports it) before playback ends there.
    EXPECT_TRUE(tc.Tick());
    EXPECT_EQ(tc.Frame(), 100);
    EXPECT_TRUE(tc.IsPlaying());
    EXPECT_EQ(poster.Count(ID_END_CAPTURE), 0);
    EXPECT_FALSE(tc.Tick());
    EXPECT_EQ(tc.Frame(), 100);
    EXPECT_FALSE(tc.IsPlaying());  // not the work-area end: no restart even with repeat
    EXPECT_FALSE(tc.tempRangeOn);
    EXPECT_EQ(poster.Count(ID_END_CAPTURE), 1);
    // Stopped by the user on the last frame, a new start is not ended by that pending stop.
    tc.SetFrame(99, 0);
    tc.SetTemporaryPlayRange(0, 100);
    tc.TogglePlay(+1);
    EXPECT_TRUE(tc.Tick());
    tc.TogglePlay(+1);
    EXPECT_FALSE(tc.IsPlaying());
    tc.SetFrame(98, 0);
    tc.SetTemporaryPlayRange(0, 100);
    tc.TogglePlay(+1);
    EXPECT_TRUE(tc.Tick());
    EXPECT_EQ(tc.Frame(), 99);
    EXPECT_TRUE(tc.IsPlaying());
}

TEST_F(TimeCtrlTest, StartOutsideTheWorkAreaMovesAtOnce) {
    TimeCtrl_cls tc(&host, &clock);
    Configure(tc, 100, 1, 1, 20, 60, false);
    tc.SetFrame(5, 0);
    tc.TogglePlay(+1);
    EXPECT_EQ(tc.Frame(), 20);
    EXPECT_EQ(GoCommandHistory.Cursor(), 1u);  // one step: the start command
    GoCommandHistory.Undo();
    EXPECT_EQ(tc.Frame(), 5);
    EXPECT_FALSE(tc.IsPlaying());
}

TEST_F(TimeCtrlTest, StartInsideTheTemporaryRangeKeepsTheFirstFrame) {
    // A POV-Ray run over the whole scene starts at frame 0, outside a work area of 20..60:
    // the first exported frame must be 0, so the start does not step at once.
    TimeCtrl_cls tc(&host, &clock);
    Configure(tc, 100, 1, 1, 20, 60, false);
    tc.SetFrame(0, 0);
    tc.SetTemporaryPlayRange(0, 100);
    tc.TogglePlay(+1);
    EXPECT_EQ(tc.Frame(), 0);
    EXPECT_TRUE(tc.Tick());
    EXPECT_EQ(tc.Frame(), 1);
    tc.SetFrame(60, 0);
    EXPECT_TRUE(tc.Tick());  // past the work area: the run's range holds
    EXPECT_EQ(tc.Frame(), 61);
}

TEST_F(TimeCtrlTest, MotionBlurSamplesEachFrame) {
    for (int dir : {+1, -1}) {
        TimeCtrl_cls tc(&host, &clock);
        tc.SetFrame(10, 0);
        tc.TogglePlay(dir);
        tc.StartMotionBlur();
        std::vector<double> offsets;
        std::vector<bool> first, last;
        for (int i = 0; i < 4; ++i) {
            ASSERT_TRUE(tc.Tick());
            EXPECT_EQ(tc.Frame(), 10);
            offsets.push_back(tc.motionBlur.GetOffset());
            first.push_back(tc.motionBlur.IsFirstSample());
            last.push_back(tc.motionBlur.IsCaptureSample());
            EXPECT_DOUBLE_EQ(GdCurrentTime, (10 + offsets.back()) / 100);
        }
        if (dir > 0) {
            EXPECT_EQ(offsets, (std::vector<double>{0, 0.125, 0.25, 0.375}));
            EXPECT_EQ(first, (std::vector<bool>{true, false, false, false}));
            EXPECT_EQ(last, (std::vector<bool>{false, false, false, true}));
        } else {
            EXPECT_EQ(offsets, (std::vector<double>{0.375, 0.25, 0.125, 0}));
            EXPECT_EQ(first, (std::vector<bool>{true, false, false, false}));
            EXPECT_EQ(last, (std::vector<bool>{false, false, false, true}));
        }
        ASSERT_TRUE(tc.Tick());
        EXPECT_EQ(tc.Frame(), 10 + dir);
        EXPECT_DOUBLE_EQ(tc.motionBlur.GetOffset(), dir > 0 ? 0.0 : 0.375);
        EXPECT_FLOAT_EQ(tc.motionBlur.GetSampleWeight(), 0.25f);
        tc.StopPlayback();
        EXPECT_EQ(tc.motionBlur.sampling, 0);
        EXPECT_TRUE(tc.motionBlur.IsCaptureSample());
    }
}

TEST_F(TimeCtrlTest, ReadinessQuestionsSplitTheDataTime) {
    TimeCtrl_cls tc(&host, &clock);
    tc.SetAnimInterp(4);
    tc.SetFrame(10, 0);
    tc.SetSubFrame(2, 0);
    tc.IsFrameReady(-1, false);
    EXPECT_EQ(host.askedFrame, 10);
    EXPECT_DOUBLE_EQ(host.askedFraction, 0.5);
    tc.IsFrameReady(12, true);
    EXPECT_EQ(host.askedFrame, 12);
    EXPECT_DOUBLE_EQ(host.askedFraction, 1.0);
    EXPECT_FALSE(host.askedSampling);
    EXPECT_EQ(tc.GetFrameCapacity(), -1);
    host.perFrame = 0;
    EXPECT_EQ(tc.GetFrameCapacity(), 4096);
    host.perFrame = 100;
    EXPECT_EQ(tc.GetFrameCapacity(), 40);
}
