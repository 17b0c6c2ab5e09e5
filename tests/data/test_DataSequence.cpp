// Data sequences and the frame cache: loading frame by frame, rates between frames,
// unreadable files, the memory limit and eviction order, settings text.
#include "data/DataSequence.h"
#include "data/DataSequenceSet.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>
#include <wx/utils.h>

#include "SnapshotTestUtil.h"
#include "common/MenuCommandPoster.h"
#include "data/DataLoader.h"
#include "data/ThreadFileReader.h"
#include "data/ThreadInterpolator.h"
#include "tests/support/TestFiles.h"
#include "timeline/ParamTextStream.h"

namespace {

using snaptest::Particle;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

// Particle j of frame f: positions move by (0.5 j, -0.25, 1) per frame, radius and value
// change linearly, so the linear rates are known exactly.
std::vector<Particle> FrameParticles(int f, int n) {
    std::vector<Particle> ps(static_cast<size_t>(n));
    for (int j = 0; j < n; ++j) {
        Particle& p = ps[static_cast<size_t>(j)];
        p.pos[0] = 0.5f * j * f + 0.25f * j;
        p.pos[1] = -0.25f * f + 3.0f;
        p.pos[2] = 1.0f * f - 0.5f * j;
        p.radius = 0.125f + 0.0625f * f;
        p.id = j;
        p.type = j % 4;
        p.value1 = 2.0f * j + 4.0f * f;
    }
    return ps;
}

constexpr double kFrameTime = 0.5;  // snapshot time step of the written sequences

std::string FileName(const TempDir& dir, int f, const char* ext = ".dat") {
    char name[32];
    std::snprintf(name, sizeof name, "snap%04d%s", f, ext);
    return dir.File(name);
}

void WriteSequence(const TempDir& dir, int frames, int n, bool ascii = false) {
    SnapshotGrammar g;
    g.dataType = ascii ? SNAPSHOT_ASCII : SNAPSHOT_BINARY;
    for (int f = 0; f < frames; ++f) {
        const auto ps = FrameParticles(f, n);
        const float t = static_cast<float>(kFrameTime * f);
        WriteFile(FileName(dir, f, ascii ? ".txt" : ".dat"),
                  ascii ? snaptest::Ascii(g, t, ps) : snaptest::Binary(g, t, ps));
    }
}

// A set whose loads read with the given interpolation type and data type.
struct Cache {
    explicit Cache(int interpolationType = 0, int dataType = SNAPSHOT_BINARY) : set(nullptr, true) {
        set.context.settings = [interpolationType, dataType]() {
            SnapshotLoadSettings s;
            s.interpolationType = interpolationType;
            s.grammar.dataType = dataType;
            return s;
        };
        set.context.onReadFailed = [this](const wxString& file, const std::string& error) {
            failures.push_back(file.utf8_string());
            errors.push_back(error);
        };
    }
    DataSequence_cls& Seq() { return *set.GetCurrent(); }
    DataFrame_cls& Frame(int i) { return *Seq().frames[static_cast<size_t>(i)]; }
    DataSequenceSet_cls set;
    std::vector<std::string> failures;
    std::vector<std::string> errors;
};

TEST(DataSequence, LoadsFrameByFrameWithTimesAndParticles) {
    TempDir dir;
    WriteSequence(dir, 20, 50);
    Cache cache;
    cache.set.SetFileList(wxString::FromUTF8(FileName(dir, 0)));
    ASSERT_EQ(cache.set.GetFrameCount(), 20);
    EXPECT_EQ(cache.set.GetFileList(), wxString::FromUTF8(FileName(dir, 0)));
    DataSequence_cls& seq = cache.Seq();
    EXPECT_EQ(seq.GetParticleCount(3), 0);  // never read

    for (int i = 0; i < 20; ++i) {
        EXPECT_FALSE(cache.set.IsFrameReady(i, 0.0, false)) << i;
        cache.set.PrepareFrame(i, 0.0, false, true);
        ASSERT_TRUE(cache.set.IsFrameReady(i, 0.0, false)) << i;
        EXPECT_EQ(seq.GetParticleCount(i), 50);
        EXPECT_DOUBLE_EQ(seq.GetFrameTime(i), kFrameTime * i);
        const ParticleData_cls& d = *cache.Frame(i).data;
        const auto ps = FrameParticles(i, 50);
        for (int j : {0, 17, 49}) {
            EXPECT_FLOAT_EQ(d.position[3 * j + 0], ps[j].pos[0]) << i << " " << j;
            EXPECT_FLOAT_EQ(d.position[3 * j + 2], ps[j].pos[2]) << i << " " << j;
            EXPECT_FLOAT_EQ(d.value1[j], ps[j].value1);
        }
    }
    EXPECT_EQ(cache.set.CountLoadedFrames(), 20);
    EXPECT_TRUE(cache.failures.empty());

    // Times of a frame and the span to the next, indices clamped to the last frame.
    double t = 0, span = 0;
    EXPECT_DOUBLE_EQ(seq.GetFrameTimes(t, span, 3, 0.5), 0.25);
    EXPECT_DOUBLE_EQ(t, 1.5);
    seq.GetFrameTimes(t, span, 19, 0.7);
    EXPECT_DOUBLE_EQ(t, 9.5);
    EXPECT_EQ(span, 0.0);
    seq.GetFrameTimes(t, span, 500, 1.0);
    EXPECT_DOUBLE_EQ(t, 9.5);
    EXPECT_EQ(span, 0.0);
}

TEST(DataSequence, SlotsWithoutFileCountAsReady) {
    Cache cache;
    EXPECT_EQ(cache.set.GetFrameCount(), 0);
    EXPECT_TRUE(cache.set.IsFrameReady(0, 0.5, true));
    cache.set.PrepareFrame(0, 0.5, true, true);  // nothing to load, nothing blocks
    EXPECT_EQ(cache.set.CountLoadedFrames(), 0);
    EXPECT_FALSE(cache.Frame(0).loadStarted.load());
}

// Slots are made as the file lists need them: none for an empty sequence, the files' and
// one more for a list. A list that grows keeps the slots it had in, and the frame that was
// the last one reaches its new successor for the rates.
TEST(DataSequence, SlotsAreMadeAsTheFileListGrows) {
    TempDir dir;
    const int n = 8;
    WriteSequence(dir, 3, n);
    Cache cache;
    DataSequence_cls& seq = cache.Seq();
    EXPECT_EQ(seq.frames.Made(), 0);
    EXPECT_EQ(seq.GetFrameTime(0), -9999.0);  // addressing the slot makes it, unread

    cache.set.SetFileList(wxString::FromUTF8(FileName(dir, 0)));
    ASSERT_EQ(cache.set.GetFrameCount(), 3);
    EXPECT_EQ(seq.frames.Made(), 4);
    for (int i = 0; i < 3; ++i) cache.set.PrepareFrame(i, 0.0, false, true);
    ASSERT_EQ(cache.set.CountLoadedFrames(), 3);

    WriteSequence(dir, 6, n);  // the same three files again and three more
    cache.set.SetFileList(wxString::FromUTF8(FileName(dir, 0)));
    ASSERT_EQ(cache.set.GetFrameCount(), 6);
    EXPECT_EQ(seq.frames.Made(), 7);
    EXPECT_EQ(cache.set.CountLoadedFrames(), 3) << "slots keeping their file keep their data";
    for (int i = 0; i + 1 < 7; ++i) {
        ASSERT_EQ(cache.Frame(i).next, &cache.Frame(i + 1)) << i;
        ASSERT_EQ(cache.Frame(i + 1).previous, &cache.Frame(i)) << i;
    }

    cache.set.PrepareFrame(2, 0.5, false, true);
    ASSERT_TRUE(cache.set.IsFrameReady(2, 0.5, false));
    ASSERT_TRUE(cache.Frame(3).IsLoaded());
    const ParticleData_cls& a = *cache.Frame(2).data;
    const auto pa = FrameParticles(2, n);
    const auto pb = FrameParticles(3, n);
    for (int j = 0; j < n; ++j)
        EXPECT_NEAR(a.velocity[3 * j], (pb[j].pos[0] - pa[j].pos[0]) / kFrameTime, 1e-4) << j;
    EXPECT_EQ(seq.GetFrameTime(5), -9999.0);
    cache.set.PrepareFrame(5, 0.0, false, true);
    EXPECT_DOUBLE_EQ(seq.GetFrameTime(5), 5 * kFrameTime);
}

// Rates of frame i towards i+1 are (B − A) / (t(i+1) − t(i)) for position, radius and value.
TEST(DataSequence, RatesBetweenConsecutiveFramesFollowTheInterpolation) {
    TempDir dir;
    const int n = 40;
    WriteSequence(dir, 6, n);
    Cache cache(/*linear*/ 0);
    cache.set.SetFileList(wxString::FromUTF8(FileName(dir, 0)));
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(cache.set.IsFrameReady(i, 0.5, false));
        cache.set.PrepareFrame(i, 0.0, false, true);
        // Read without rates: the memory estimate leaves out the untouched rate arrays.
        EXPECT_FALSE(cache.Frame(i).data->ratesInUse) << i;
        cache.set.PrepareFrame(i, 0.5, false, true);  // a fraction needs the rates
        ASSERT_TRUE(cache.set.IsFrameReady(i, 0.5, false)) << i;
        EXPECT_TRUE(cache.Frame(i).data->ratesInUse) << i;
        ASSERT_TRUE(cache.Frame(i + 1).IsLoaded()) << "the next frame is read for the rates";
        const ParticleData_cls& a = *cache.Frame(i).data;
        const auto pa = FrameParticles(i, n);
        const auto pb = FrameParticles(i + 1, n);
        for (int j = 0; j < n; ++j) {
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(a.velocity[3 * j + c], (pb[j].pos[c] - pa[j].pos[c]) / kFrameTime, 1e-4)
                    << i << " " << j << " " << c;
            EXPECT_NEAR(a.radiusRate[j], (pb[j].radius - pa[j].radius) / kFrameTime, 1e-6);
            EXPECT_NEAR(a.value1Rate[j], (pb[j].value1 - pa[j].value1) / kFrameTime, 1e-4);
        }
    }

    // The last frame: without waiting its rates are never started (there is no next file);
    // with the wait they are computed against itself, i.e. no motion.
    cache.set.PrepareFrame(5, 0.0, false, true);
    cache.set.PrepareFrame(5, 0.5, false, false);
    EXPECT_FALSE(cache.Frame(5).ratesStarted.load());
    EXPECT_FALSE(cache.set.IsFrameReady(5, 0.5, false));
    cache.set.PrepareFrame(5, 0.5, false, true);
    EXPECT_TRUE(cache.set.IsFrameReady(5, 0.5, false));
    const ParticleData_cls& last = *cache.Frame(5).data;
    for (int j = 0; j < n; ++j) {
        EXPECT_EQ(last.velocity[3 * j], 0.0f);
        EXPECT_EQ(last.value1Rate[j], 0.0f);
    }
}

// Playback as the idle driver runs it: no call waits, each frame is asked again until it is
// ready. Finished workers stay registered until the GUI side forgets them, and that must
// never keep the next read or interpolation from starting.
// More files than frame slots: the sequence keeps the first slots' worth, says so once,
// and its last frame is addressed like any other.
TEST(DataSequence, SequenceLongerThanTheSlotsIsCutWithAWarning) {
    TempDir dir;
    const int files = DataSequence_cls::kFrameSlots + 5;
    for (int f = 0; f < files; ++f) WriteFile(FileName(dir, f), "");
    WriteSequence(dir, 1, 10);  // frame 0 readable
    Cache cache;
    std::vector<std::string> warnings;
    cache.set.context.onWarning = [&](const std::string& m) { warnings.push_back(m); };
    cache.set.SetFileList(wxString::FromUTF8(FileName(dir, 0)));
    EXPECT_EQ(cache.set.GetFrameCount(), DataSequence_cls::kFrameSlots);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("10005 files"), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[0].find("first 10000"), std::string::npos) << warnings[0];
    cache.set.PrepareFrame(0, 0.0, false, true);
    EXPECT_EQ(cache.Seq().GetParticleCount(0), 10);
    cache.set.PrepareFrame(files - 1, 0.0, false, true);  // clamped to the last slot: an empty file
    EXPECT_EQ(cache.Seq().GetFileName(files - 1), wxString::FromUTF8(FileName(dir, DataSequence_cls::kFrameSlots - 1)));
    EXPECT_EQ(cache.Seq().GetParticleCount(files - 1), 0);
    EXPECT_EQ(cache.failures.size(), 1u);
}

TEST(DataSequence, FramesBecomeReadyWithoutAnyWait) {
    TempDir dir;
    const int n = 30;
    WriteSequence(dir, 6, n, /*ascii*/ true);
    Cache cache(/*linear*/ 0, SNAPSHOT_ASCII);
    cache.set.SetFileList(wxString::FromUTF8(FileName(dir, 0, ".txt")));
    ASSERT_EQ(cache.set.GetFrameCount(), 6);
    for (int i = 0; i < 5; ++i) {
        int polls = 0;
        while (!cache.set.IsFrameReady(i, 0.5, false) && polls < 4000) {
            cache.set.PrepareFrame(i, 0.5, false, false);
            wxMilliSleep(1);
            ++polls;
        }
        ASSERT_TRUE(cache.set.IsFrameReady(i, 0.5, false)) << "frame " << i << " never got ready";
        const ParticleData_cls& a = *cache.Frame(i).data;
        const auto pa = FrameParticles(i, n);
        const auto pb = FrameParticles(i + 1, n);
        for (int j : {0, n - 1})
            EXPECT_NEAR(a.value1Rate[j], (pb[j].value1 - pa[j].value1) / kFrameTime, 1e-4) << i;
    }
    EXPECT_TRUE(cache.failures.empty());
}

// A broken file in the middle of the sequence: only that frame is unreadable, it is
// reported once, it never blocks, and the frames after it load (and the frame before it
// gets rates towards itself).
TEST(DataSequence, UnreadableFileInTheMiddleMarksOnlyThatFrame) {
    struct Case {
        const char* what;
        bool ascii;
        std::string (*breakFile)(const std::string& good);
        const char* errorPart;
    };
    const Case cases[] = {
        {"binary body cut short", false,
         [](const std::string& good) { return good.substr(0, good.size() - 7); }, "snap0005.dat"},
        {"binary garbage", false, [](const std::string&) { return std::string("xy"); }, "snap0005.dat"},
        {"ascii value that is no number", true,
         [](const std::string& good) {
             std::string s = good;
             const size_t line3 = s.find('\n', s.find('\n', s.find('\n') + 1) + 1) + 1;
             s.replace(line3, 1, "q");
             return s;
         },
         "snap0005.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        WriteSequence(dir, 9, 30, c.ascii);
        const char* ext = c.ascii ? ".txt" : ".dat";
        WriteFile(FileName(dir, 5, ext), c.breakFile(ReadFile(FileName(dir, 5, ext))));
        Cache cache(0, c.ascii ? SNAPSHOT_ASCII : SNAPSHOT_BINARY);
        cache.set.SetFileList(wxString::FromUTF8(FileName(dir, 0, ext)));
        ASSERT_EQ(cache.set.GetFrameCount(), 9);

        for (int i = 0; i < 9; ++i) cache.set.PrepareFrame(i, 0.0, false, true);
        for (int i = 0; i < 9; ++i) cache.set.IsFrameReady(i, 0.0, false);  // settle reads
        ASSERT_EQ(cache.failures.size(), 1u);
        EXPECT_EQ(cache.failures[0], FileName(dir, 5, ext));
        EXPECT_NE(cache.errors[0].find(c.errorPart), std::string::npos) << cache.errors[0];

        EXPECT_TRUE(cache.set.IsFrameReady(5, 0.5, true));  // never blocks playback
        EXPECT_FALSE(cache.Frame(5).IsLoaded());
        EXPECT_FALSE(cache.Frame(5).data->allocated);
        EXPECT_EQ(cache.Seq().GetParticleCount(5), 0);
        for (int i : {0, 4, 6, 8}) {
            EXPECT_TRUE(cache.Frame(i).IsLoaded()) << i;
            EXPECT_EQ(cache.Seq().GetParticleCount(i), 30) << i;
        }
        // Asking again reports nothing new.
        cache.set.PrepareFrame(5, 0.0, false, true);
        cache.set.IsFrameReady(5, 0.0, false);
        EXPECT_EQ(cache.failures.size(), 1u);

        // Frame 4's next file is unreadable: its rates are zero, frame 6 moves on normally.
        cache.set.PrepareFrame(4, 0.5, false, true);
        EXPECT_TRUE(cache.set.IsFrameReady(4, 0.5, false));
        EXPECT_EQ(cache.Frame(4).data->velocity[3 * 7], 0.0f);
        cache.set.PrepareFrame(6, 0.5, false, true);
        EXPECT_NEAR(cache.Frame(6).data->velocity[3 * 7], 7 * 0.5 / kFrameTime, 1e-4);
    }
}

// Stepping through 20 frames of 1 MB each with a 4 MB limit while the idle driver's
// prefetch keeps a read going: the cache stays within the limit, and the current frame,
// its successor and the frame being read are never freed.
TEST(DataSequence, CacheStaysUnderLimitWhileStepping) {
    TempDir dir;
    const int n = 32768;  // 45 bytes each without Hermite: 1440 KB per frame
    WriteSequence(dir, 20, n);
    Cache cache(0);
    cache.set.memoryLimit = 4;
    cache.set.SetFileList(wxString::FromUTF8(FileName(dir, 0)));
    for (int c = 0; c < 20; ++c) {
        cache.set.PrepareFrame(c, 0.5, false, true);
        cache.set.PrepareFrame(c + 2, 0.0, false, false);  // prefetch without waiting
        const bool prefetchReading = c + 2 < 20 && cache.Frame(c + 2).IsLoading();
        cache.set.EnforceMemoryLimit(c, 1);
        EXPECT_LE(cache.Seq().GetMemoryMB(), 4) << c;
        EXPECT_LE(cache.set.memoryInUse, 4) << c;
        // The bytes really held by the arrays, counted here from their sizes, stay within
        // the limit too (the estimate is not below what is allocated).
        int64_t held = 0;
        for (int i = 0; i < 20; ++i) {
            const ParticleData_cls& d = *cache.Frame(i).data;
            if (!d.allocated) continue;
            EXPECT_EQ(d.hermiteC2, nullptr);
            held += d.count * (2 * 3 * sizeof(float) + 4 * sizeof(float) + sizeof(uint8_t) + sizeof(int32_t));
        }
        EXPECT_LE(held, 4 * 1024 * 1024 + 1024 * 1024) << c;  // within the limit's last MB
        EXPECT_TRUE(cache.Frame(c).IsLoaded()) << c;
        EXPECT_TRUE(cache.Frame(c).data->allocated) << c;
        EXPECT_TRUE(cache.Frame(c).ratesReady.load()) << c;
        if (c + 1 < 20) {
            EXPECT_TRUE(cache.Frame(c + 1).data->allocated) << c;
        }
        if (prefetchReading) {
            EXPECT_TRUE(cache.Frame(c + 2).data->allocated) << c;
        }
        cache.set.WaitForWorkers();
    }
    EXPECT_GE(cache.set.CountLoadedFrames(), 2);
}

// Eviction order around the current frame (frames flagged loaded without reading).
TEST(DataSequence, EvictionOrder) {
    TempDir dir;
    SnapshotGrammar g;
    for (int f = 0; f < 100; ++f) WriteFile(FileName(dir, f), snaptest::Binary(g, 0.0f, {}));
    struct Case {
        const char* what;
        int current, step;
        std::vector<int> loaded, marked;
        std::vector<int> expected;  // evictions in order, until nothing goes
    };
    std::vector<int> behind;
    for (int i = 10; i <= 45; ++i) behind.push_back(i);
    std::vector<int> tenTo60;
    for (int i = 10; i <= 60; ++i) tenTo60.push_back(i);
    std::vector<int> tenTo40, fortyDownTo14;
    for (int i = 10; i <= 40; ++i) tenTo40.push_back(i);
    for (int i = 40; i >= 14; --i) fortyDownTo14.push_back(i);
    std::vector<int> behindThen60 = behind;
    behindThen60.push_back(60);
    const Case cases[] = {
        {"behind first until ahead is twice as far", 50, 1, tenTo60, {}, {}},
        {"ahead from the far end, never within three steps", 10, 1, tenTo40, {}, fortyDownTo14},
        {"unmarked before marked", 20, 1, {5, 30}, {30}, {5, 30}},
        {"marked behind goes first when over twice as far as unmarked behind", 20, 1, {2, 16, 50},
         {2, 50}, {2, 16, 50}},
        {"unmarked behind first when the marked behind is less than twice as far", 20, 1,
         {14, 16, 50}, {14, 50}, {16, 50, 14}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Cache cache;
        cache.set.SetFileList(wxString::FromUTF8(FileName(dir, 0)));
        ASSERT_EQ(cache.set.GetFrameCount(), 100);
        for (int i : c.loaded) {
            cache.Frame(i).loadStarted = true;
            cache.Frame(i).loaded = true;
        }
        for (int i : c.marked) cache.set.MarkFrame(i);
        std::vector<int> got;
        for (int e; (e = cache.Seq().EvictOne(c.current, c.step)) >= 0;) {
            got.push_back(e);
            ASSERT_LT(got.size(), 200u);
        }
        if (c.expected.empty()) {
            // 10..45 from behind, then 60 (the farthest behind is 46, four away), ...
            ASSERT_GE(got.size(), behind.size() + 1);
            EXPECT_EQ(std::vector<int>(got.begin(), got.begin() + 37), behindThen60);
            for (int kept : {50, 51, 52, 53}) EXPECT_TRUE(cache.Frame(kept).IsLoaded()) << kept;
        } else {
            EXPECT_EQ(got, c.expected);
        }
        EXPECT_TRUE(cache.Frame(c.current).IsLoaded() || c.current == 20);
    }
}

TEST(DataSequence, EvictionPassesOverFramesAWorkerUses) {
    TempDir dir;
    SnapshotGrammar g;
    for (int f = 0; f < 40; ++f) WriteFile(FileName(dir, f), snaptest::Binary(g, 0.0f, {}));
    Cache cache;
    cache.set.SetFileList(wxString::FromUTF8(FileName(dir, 0)));
    for (int i = 0; i < 40; ++i) {
        cache.Frame(i).loadStarted = true;
        cache.Frame(i).loaded = true;
    }
    // Frame 30's rates towards 31 are being computed; frame 35 is being read.
    cache.Frame(30).ratesStarted = true;
    cache.Frame(35).loaded = false;
    std::vector<int> got;
    for (int e; (e = cache.Seq().EvictOne(0, 1)) >= 0;) got.push_back(e);
    for (int busy : {30, 31, 35}) {
        EXPECT_EQ(std::count(got.begin(), got.end(), busy), 0) << busy;
        EXPECT_TRUE(cache.Frame(busy).loadStarted.load()) << busy;
    }
    EXPECT_EQ(got.front(), 39);
    EXPECT_EQ(got.size(), 40u - 4u /* 0..3 */ - 3u);
    cache.Frame(30).ratesStarted = false;  // no real worker behind the flags
}

// Off-step frames go whatever the limit; the current frame and its successor stay.
TEST(DataSequence, OffStepFramesAreDropped) {
    TempDir dir;
    SnapshotGrammar g;
    for (int f = 0; f < 9; ++f) WriteFile(FileName(dir, f), snaptest::Binary(g, 0.0f, {}));
    struct Case {
        int current;
        std::vector<int> dropped;
    };
    for (const Case& c : {Case{0, {2, 5, 8}}, Case{5, {2, 8}}, Case{4, {2, 8}}}) {
        SCOPED_TRACE(c.current);
        Cache cache;
        cache.set.SetFileList(wxString::FromUTF8(FileName(dir, 0)));
        for (int i = 0; i < 9; ++i) {
            cache.Frame(i).loadStarted = true;
            cache.Frame(i).loaded = true;
        }
        cache.set.EnforceMemoryLimit(c.current, 3);
        std::vector<int> dropped;
        for (int i = 0; i < 9; ++i)
            if (!cache.Frame(i).IsLoaded()) dropped.push_back(i);
        EXPECT_EQ(dropped, c.dropped);
    }
}

TEST(DataSequence, ReleaseWithAndWithoutReset) {
    TempDir dir;
    WriteSequence(dir, 4, 10);
    Cache cache;
    cache.set.SetFileList(wxString::FromUTF8(FileName(dir, 0)));
    for (int i = 0; i < 4; ++i) cache.set.PrepareFrame(i, 0.0, false, true);
    cache.set.MarkFrame(99);  // clamped to the last frame
    EXPECT_TRUE(cache.Frame(3).keyFrameMark);

    cache.set.ReleaseFrames(-1, -2, false);
    EXPECT_EQ(cache.set.CountLoadedFrames(), 0);
    EXPECT_EQ(cache.set.GetFrameCount(), 4);
    EXPECT_DOUBLE_EQ(cache.Seq().GetFrameTime(2), 1.0);
    EXPECT_EQ(cache.Frame(2).fileName, wxString::FromUTF8(FileName(dir, 2)));
    cache.set.PrepareFrame(2, 0.0, false, true);  // loads again after an eviction
    EXPECT_TRUE(cache.Frame(2).IsLoaded());

    cache.set.ReleaseFrames(-1, -2, true);
    EXPECT_EQ(cache.set.GetFrameCount(), 0);
    EXPECT_TRUE(cache.set.GetFileList().empty());
    EXPECT_EQ(cache.Seq().GetFrameTime(2), -9999.0);
    EXPECT_TRUE(cache.Frame(2).fileName.empty());
    EXPECT_FALSE(cache.Frame(2).data->allocated);

    cache.set.ClearFrameMarks();  // below the count only; with no files nothing changes
    EXPECT_TRUE(cache.Frame(3).keyFrameMark);
}

// Threads of this process (one entry each in /proc/self/task).
int ThreadCount() {
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) {
        (void)entry;
        ++n;
    }
    return n;
}

// The thread count once it has come back to `expected`, or after half a second. A joined
// thread can still be listed for a moment: the kernel wakes the joiner as the thread
// exits, before it takes the thread's entry away.
int ThreadCountSettledTo(int expected) {
    int n = ThreadCount();
    for (int k = 0; k < 500 && n != expected; ++k) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        n = ThreadCount();
    }
    return n;
}

// When a wait for the reader or the interpolator returns, their threads have truly ended
// (joined), not only said so: nothing of them can overlap what the caller frees next.
TEST(DataSequence, WaitsEndWithTheWorkerThreadsGone) {
    TempDir dir;
    WriteSequence(dir, 8, 2000);
    Cache cache;
    cache.set.context.sleep = [](int) {};  // poll without sleeping: check right at the end
    cache.set.SetFileList(wxString::FromUTF8(FileName(dir, 0)));
    // One thread started and joined first: a sanitizer's runtime starts its own helper
    // thread with the first thread of the process, and that one stays.
    std::thread([] {}).join();
    const int before = ThreadCount();
    for (int i = 0; i < 7; ++i) {
        cache.set.PrepareFrame(i, 0.5, false, true);  // reads i and i + 1, then the rates
        ASSERT_TRUE(cache.Frame(i).ratesReady.load()) << i;
        EXPECT_EQ(ThreadCountSettledTo(before), before) << i;
    }
    EXPECT_EQ(GpFileReaderThread.load(), nullptr);
    EXPECT_EQ(GpInterpolatorThread.load(), nullptr);
}

// Holds the interpolator in its completion (at most a while, so a wait cannot hang).
class HeldPoster : public MenuCommandPoster_cls {
public:
    std::atomic<bool> entered{false};
    std::atomic<bool> release{false};
    std::atomic<bool> left{false};  ///< the completion has returned (released or timed out)
    void PostMenuCommand(int) override {
        entered = true;
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
        while (!release && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        left = true;
    }
};

// Prefetch (no wait) never blocks the GUI on another running interpolation: it returns,
// and a later call starts the rates.
TEST(DataSequence, PrefetchDoesNotWaitForARunningInterpolation) {
    TempDir dir;
    WriteSequence(dir, 3, 10);
    Cache cache;
    int sleeps = 0;
    cache.set.context.sleep = [&sleeps](int ms) {
        ++sleeps;
        wxMilliSleep(ms);
    };
    cache.set.SetFileList(wxString::FromUTF8(FileName(dir, 0)));
    cache.set.PrepareFrame(0, 0.0, false, true);
    cache.set.PrepareFrame(1, 0.0, false, true);

    HeldPoster held;
    ASSERT_TRUE(ThreadInterpolator_cls::Start(InterpolationJob_cls(), nullptr, &held, 1));
    while (!held.entered) wxMilliSleep(1);
    sleeps = 0;
    cache.set.PrepareFrame(0, 0.5, false, false);
    // Neither a polling wait (it would sleep) nor a join (it would return only once the
    // held interpolator has left its completion).
    EXPECT_FALSE(held.left.load());
    EXPECT_EQ(sleeps, 0);
    EXPECT_FALSE(cache.Frame(0).ratesStarted.load());
    held.release = true;
    cache.set.WaitForWorkers();

    cache.set.PrepareFrame(0, 0.5, false, false);  // the idle driver's next try
    EXPECT_TRUE(cache.Frame(0).ratesStarted.load());
    cache.set.WaitForWorkers();
    EXPECT_TRUE(cache.set.IsFrameReady(0, 0.5, false));
}

// A new file list never shows the particles of the old files under the new names.
TEST(DataSequence, NewFileListReleasesTheFramesWhoseFileChanged) {
    TempDir big, small;
    WriteSequence(big, 4, 50);
    WriteSequence(small, 2, 7);
    Cache cache;
    cache.set.SetFileList(wxString::FromUTF8(FileName(big, 0)));
    for (int i = 0; i < 4; ++i) cache.set.PrepareFrame(i, 0.0, false, true);
    ASSERT_EQ(cache.Seq().GetParticleCount(0), 50);

    cache.set.SetFileList(wxString::FromUTF8(FileName(small, 0)));
    ASSERT_EQ(cache.set.GetFrameCount(), 2);
    EXPECT_FALSE(cache.set.IsFrameReady(0, 0.0, false));
    EXPECT_EQ(cache.Seq().GetParticleCount(0), 0);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(cache.Frame(i).data->allocated) << i;  // beyond the new count too
        EXPECT_FALSE(cache.Frame(i).IsLoaded()) << i;
    }
    EXPECT_TRUE(cache.Frame(3).fileName.empty());
    EXPECT_EQ(cache.Seq().GetFrameTime(1), -9999.0);
    cache.set.PrepareFrame(0, 0.0, false, true);
    EXPECT_TRUE(cache.set.IsFrameReady(0, 0.0, false));
    EXPECT_EQ(cache.Seq().GetParticleCount(0), 7);

    // The same list again keeps what is loaded.
    cache.set.SetFileList(wxString::FromUTF8(FileName(small, 0)));
    EXPECT_TRUE(cache.Frame(0).IsLoaded());
    EXPECT_EQ(cache.Seq().GetParticleCount(0), 7);

    // Opening a project lets go of every sequence.
    DataSequence_cls& other = *cache.set.sequences[2];
    other.SetFileList(wxString::FromUTF8(FileName(big, 0)));
    other.PrepareFrame(1, 0.0, false, true);
    ASSERT_TRUE(other.frames[1]->data->allocated);
    cache.set.ReleaseAllSequences(true);
    EXPECT_FALSE(other.frames[1]->data->allocated);
    EXPECT_EQ(other.GetFrameCount(), 0);
    EXPECT_FALSE(cache.Frame(0).data->allocated);
    EXPECT_EQ(cache.set.GetFrameCount(), 0);
}

TEST(DataSequence, SettingsTextRoundTrip) {
    TempDir dir;
    WriteSequence(dir, 3, 5);
    const std::string first = FileName(dir, 0);
    DataSequenceSet_cls a(nullptr, false);
    EXPECT_EQ(a.memoryLimit, 768);
    a.SetFileList(wxString::FromUTF8(first));
    const wxString text = a.WriteConfig();
    EXPECT_EQ(text, "DataSequence0=0\r\n" + wxString::FromUTF8(first) +
                        "\nDataSequence1=1\r\n\nDataSequence2=2\r\n\nDataSequence3=3\r\n\n");

    // Read back line by line as the configuration reader offers them.
    std::vector<std::string> lines;
    {
        std::string all = text.utf8_string(), line;
        for (char ch : all) {
            if (ch == '\n') {
                lines.push_back(line);
                line.clear();
            } else {
                line += ch;
            }
        }
    }
    DataSequenceSet_cls b(nullptr, true);
    EXPECT_EQ(b.memoryLimit, 4096);
    ParamTextStream_cls stream(lines);
    std::string line;
    while (stream.ReadLine(line)) b.ReadConfig(stream, line);
    EXPECT_EQ(b.GetFileList(), wxString::FromUTF8(first));
    EXPECT_EQ(b.GetFrameCount(), 3);
    EXPECT_EQ(b.WriteConfig(), text);

    // An empty path line keeps the list as it was.
    std::vector<std::string> empty{"DataSequence0=0", ""};
    ParamTextStream_cls stream2(empty);
    stream2.ReadLine(line);
    b.ReadConfig(stream2, line);
    EXPECT_EQ(b.GetFrameCount(), 3);
}

// The readers take the loader's settings as they stand when a read begins.
TEST(DataSequence, LoadsUseTheDataLoaderSettings) {
    TempDir dir;
    WriteSequence(dir, 2, 4);
    DataLoader_cls loader;
    GpDataLoader = &loader;
    loader.interpolateType.value = 0;
    loader.scale.value = 2.0f;
    {
        DataSequenceSet_cls set(nullptr, true);  // default context: reads GpDataLoader
        set.SetFileList(wxString::FromUTF8(FileName(dir, 0)));
        set.PrepareFrame(1, 0.0, false, true);
        const ParticleData_cls& d = *set.GetCurrent()->frames[1]->data;
        EXPECT_EQ(d.interpolationType, 0);
        EXPECT_FLOAT_EQ(d.position[3 * 3], 2.0f * FrameParticles(1, 4)[3].pos[0]);
        loader.scale.value = 1.0f;
        set.PrepareFrame(0, 0.0, false, true);
        EXPECT_FLOAT_EQ(set.GetCurrent()->frames[0]->data->position[3 * 3], FrameParticles(0, 4)[3].pos[0]);
    }
    GpDataLoader = nullptr;
}

}  // namespace

namespace {

// Resident size of this process in KB.
int64_t ResidentKB() {
    long pages = 0, resident = 0;
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f) return -1;
    const int got = std::fscanf(f, "%ld %ld", &pages, &resident);
    std::fclose(f);
    return got == 2 ? int64_t(resident) * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

}  // namespace

TEST(DataSequence, MemoryOfReleasedFramesGoesBackToTheSystem) {
    TempDir big, small;
    const int n = 100000;  // 3.6 MB a frame
    WriteSequence(big, 8, n);
    WriteSequence(small, 2, 50);
    Cache cache;
    cache.set.SetFileList(wxString::FromUTF8(FileName(big, 0)));
    // Playing evicts: what the allocator then keeps for reuse is what a long session has.
    cache.set.memoryLimit = 9;
    for (int i = 0; i < 8; ++i) {
        cache.set.PrepareFrame(i, 0.0, false, true);
        cache.set.EnforceMemoryLimit(i, 1);
    }
    cache.set.WaitForWorkers();
    cache.set.memoryLimit = 4096;
    for (int i = 0; i < 8; ++i) cache.set.PrepareFrame(i, 0.0, false, true);
    cache.set.WaitForWorkers();
    const int heldMB = cache.Seq().GetMemoryMB();
    ASSERT_GE(heldMB, 25);
    EXPECT_EQ(cache.set.UpdateMemoryInUse(), heldMB);
    const int64_t before = ResidentKB();
    ASSERT_GT(before, 0);

    // A small set replaces the big one: the cache's figure and the process both shrink.
    cache.set.SetFileList(wxString::FromUTF8(FileName(small, 0)));
    cache.set.PrepareFrame(0, 0.0, false, true);
    cache.set.WaitForWorkers();
    EXPECT_EQ(cache.set.memoryInUse, 0);
    // gcc says so with __SANITIZE_*__, clang through __has_feature.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizer's allocator holds freed memory back itself";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
    GTEST_SKIP() << "the sanitizer's allocator holds freed memory back itself";
#endif
#endif
    const int64_t after = ResidentKB();
    EXPECT_LT(after, before - int64_t(heldMB) * 1024 * 3 / 4)
        << "resident " << before / 1024 << " MB with " << heldMB << " MB cached, " << after / 1024
        << " MB after the release";
}
