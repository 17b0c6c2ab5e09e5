// Depth keys and the sort of the draw order: which particles get records, the drawing order
// of the key modes, and a sort that always returns every record exactly once.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <iterator>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <wx/init.h>

#include "common/CommandHistory.h"
#include "scene/SceneObj.h"
#include "tests/support/TestFiles.h"
#include "timeline/Parameter.h"
#include "view/DepthSort.h"
#include "view/ThreadSort.h"

namespace {

class DepthSortTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(wxInitialize()); }
    void TearDown() override { wxUninitialize(); }
};

// Runs the body with the working directory switched to a fresh folder.
class InTempDir {
public:
    InTempDir() {
        char buf[4096];
        old_ = getcwd(buf, sizeof buf) ? buf : ".";
        EXPECT_EQ(chdir(dir.Path().c_str()), 0);
    }
    ~InTempDir() { (void)chdir(old_.c_str()); }
    testsupport::TempDir dir;

private:
    std::string old_;
};

enum class Keys { Random, FewDistinct, Ascending, Descending, AllEqual, Sawtooth };

std::vector<ParticleRecord_cls> MakeRecords(int count, Keys kind, unsigned seed = 7) {
    std::mt19937 rng(seed);
    std::vector<ParticleRecord_cls> r(count);
    for (int i = 0; i < count; ++i) {
        r[i].index = i;
        r[i].weight = 1.0f + float(i % 5) / 10.0f;
        switch (kind) {
        case Keys::Random: r[i].key = std::uniform_real_distribution<float>(-50, 50)(rng); break;
        case Keys::FewDistinct: r[i].key = float(rng() % 7); break;
        case Keys::Ascending: r[i].key = float(i); break;
        case Keys::Descending: r[i].key = float(count - i); break;
        case Keys::AllEqual: r[i].key = 3.0f; break;
        case Keys::Sawtooth: r[i].key = float(i % 1000) + (i % 2 ? 0.5f : 0.0f); break;
        }
    }
    return r;
}

// Every input record comes out exactly once, with its own key and weight.
::testing::AssertionResult IsPermutationOf(const std::vector<ParticleRecord_cls>& in,
                                           const std::vector<ParticleRecord_cls>& out) {
    if (in.size() != out.size()) return ::testing::AssertionFailure() << "size " << out.size();
    std::vector<int> seen(in.size(), 0);
    for (size_t p = 0; p < out.size(); ++p) {
        const int i = out[p].index;
        if (i < 0 || size_t(i) >= in.size()) return ::testing::AssertionFailure() << "bad index " << i;
        if (++seen[i] > 1) return ::testing::AssertionFailure() << "index " << i << " twice";
        const bool sameKey = out[p].key == in[i].key || (std::isnan(in[i].key) && std::isinf(out[p].key));
        if (!sameKey || out[p].weight != in[i].weight)
            return ::testing::AssertionFailure() << "record " << i << " changed";
    }
    return ::testing::AssertionSuccess();
}

bool KeysAscending(const std::vector<ParticleRecord_cls>& r) {
    return std::is_sorted(r.begin(), r.end(), [](const auto& a, const auto& b) { return a.key < b.key; });
}

}  // namespace

TEST_F(DepthSortTest, KeyRecordsCoverEveryStrideMultiple) {
    // Every particle index 0, s, 2s, ... below n gets one record, whatever the worker count,
    // followed by the sentinel (index 0, key 9999).
    struct Case { int n, s; };
    const Case cases[] = {{10, 3}, {12, 3}, {1, 1}, {0, 4}, {9, 1}, {1001, 7}, {100003, 13}, {5, 10}};
    for (const Case& c : cases) {
        std::vector<float> pos(3 * size_t(c.n));
        for (int i = 0; i < c.n; ++i) pos[3 * i + 2] = float(i);
        const float eye[3] = {0, 0, 0}, dir[3] = {0, 0, -1};
        for (int threads : {1, 2, 3, 4, 8}) {
            const int64_t want = SortKeyRecordCount(c.n, c.s);
            std::vector<ParticleRecord_cls> r(want + 1, ParticleRecord_cls{-1, -5.0f, 0.0f});
            const int got = ComputeSortKeys(r.data(), c.n, c.s, pos.data(), eye, dir, 0, threads);
            ASSERT_EQ(got, want) << c.n << "/" << c.s << " threads " << threads;
            for (int k = 0; k < got; ++k) {
                ASSERT_EQ(r[k].index, k * c.s) << c.n << "/" << c.s << " threads " << threads;
                ASSERT_EQ(r[k].key, float(k * c.s)) << "depth along -z";  // -(p . (0,0,-1)) = z
                ASSERT_EQ(r[k].weight, 1.0f);
            }
            EXPECT_EQ(r[got].index, 0);
            EXPECT_EQ(r[got].key, 9999.0f);
        }
    }
    // n = 10, s = 3: particles 0, 3, 6 and 9, the last one included.
    EXPECT_EQ(SortKeyRecordCount(10, 3), 4);
}

TEST_F(DepthSortTest, KeyModesGiveTheDrawingOrder) {
    // Eye at the origin looking down -z. Particles: a near one off to the side, a far one on
    // the axis, one in between, one behind the eye.
    const float pos[] = {
        3, 0, -1,   // 0: depth 1 along the view, distance^2 10
        0, 0, -6,   // 1: depth 6, distance^2 36
        0, 1, -4,   // 2: depth 4, distance^2 17
        0, 0, 2,    // 3: behind the eye, depth -2, distance^2 4
        -3, 0, -1,  // 4: same depth as 0, on the other side
    };
    const float eye[3] = {0, 0, 0}, dir[3] = {0, 0, -1};
    struct Case { int mode; std::vector<int> order; };
    const Case cases[] = {
        {0, {1, 2, 0, 4, 3}},  // back to front along the viewing direction (0 and 4 tie)
        {1, {1, 2, 0, 4, 3}},  // back to front by distance from the eye
        {2, {3, 0, 4, 2, 1}},  // nearest first (0 and 4 tie)
    };
    for (const Case& c : cases) {
        std::vector<ParticleRecord_cls> r(6);
        const int n = ComputeSortKeys(r.data(), 5, 1, pos, eye, dir, c.mode, 2);
        ASSERT_EQ(n, 5);
        SortDrawOrder(r.data(), n);
        std::vector<int> got;
        for (int k = 0; k < n; ++k) got.push_back(r[k].index);
        // 0 and 4 have equal keys in every mode: accept either order.
        std::vector<int> alt = c.order;
        auto a = std::find(alt.begin(), alt.end(), 0), b = std::find(alt.begin(), alt.end(), 4);
        std::iter_swap(a, b);
        EXPECT_TRUE(got == c.order || got == alt) << "mode " << c.mode;
    }
    // Mode 0 measures depth only: equal depth, different distance, equal keys.
    std::vector<ParticleRecord_cls> r(3);
    const float twin[] = {0, 0, -5, 40, 0, -5};
    ComputeSortKeys(r.data(), 2, 1, twin, eye, dir, 0, 1);
    EXPECT_EQ(r[0].key, r[1].key);
    ComputeSortKeys(r.data(), 2, 1, twin, eye, dir, 1, 1);
    EXPECT_GT(r[0].key, r[1].key);  // the far one (x = 40) first
}

TEST_F(DepthSortTest, ParallelSortIsAlwaysAPermutation) {
    // Sizes around the threshold and a few tiny ones, every worker count, every block size,
    // several key patterns (ties included): no record is lost or doubled; the precise mode
    // sorts exactly and agrees with a single sort up to the order of equal keys.
    const int sizes[] = {0, 1, 2, 7, 99999, 100000, 100001, 100003};
    const Keys kinds[] = {Keys::Random, Keys::FewDistinct, Keys::Descending, Keys::Sawtooth};
    for (int size : sizes)
        for (Keys kind : kinds) {
            const auto in = MakeRecords(size, kind);
            auto ref = in;
            std::sort(ref.begin(), ref.end(), [](const auto& a, const auto& b) { return a.key < b.key; });
            for (int threads = 1; threads <= 8; ++threads)
                for (int block : {1, 10, 100, 1000}) {
                    if (size < 99999 && block > 10) continue;
                    auto out = in;
                    ParallelSortRecords(out.data(), size, threads, block);
                    const std::string what = "size " + std::to_string(size) + " kind " +
                                             std::to_string(int(kind)) + " threads " + std::to_string(threads) +
                                             " block " + std::to_string(block);
                    ASSERT_TRUE(IsPermutationOf(in, out)) << what;
                    if (block == 1) {
                        ASSERT_TRUE(KeysAscending(out)) << what;
                        for (int k = 0; k < size; ++k) ASSERT_EQ(out[k].key, ref[k].key) << what;
                    }
                }
        }
}

TEST_F(DepthSortTest, ApproximateMergesKeepEveryRecordOnSkewedRuns) {
    // Runs where one side's keys all fall inside a narrow band of the other's, so the block
    // test copies whole blocks out of order: still every record exactly once.
    for (int block : {10, 100, 1000}) {
        const int n = 40000;
        std::vector<ParticleRecord_cls> in(n);
        for (int i = 0; i < n; ++i) {
            in[i].index = i;
            in[i].key = i < n / 2 ? float(i) : float(n / 4) + float(i - n / 2) * 1e-3f;
        }
        for (int split : {n / 2, n / 3, 1, n - 1}) {
            std::vector<ParticleRecord_cls> a(in.begin(), in.begin() + split), b(in.begin() + split, in.end());
            std::sort(a.begin(), a.end(), [](auto& x, auto& y) { return x.key < y.key; });
            std::sort(b.begin(), b.end(), [](auto& x, auto& y) { return x.key < y.key; });
            std::vector<ParticleRecord_cls> src(a);
            src.insert(src.end(), b.begin(), b.end());
            std::vector<ParticleRecord_cls> dst(n, ParticleRecord_cls{-1, 0, 0});
            MergeRunsFront(src.data(), dst.data(), 0, split, n, block);
            MergeRunsBack(src.data(), dst.data(), 0, split, n);
            ASSERT_TRUE(IsPermutationOf(in, dst)) << "block " << block << " split " << split;
        }
    }
}

TEST_F(DepthSortTest, ApproximateMergeCopiesWholeBlocks) {
    // Interleaved runs (A even keys, B odd keys): the precise merge alternates, while with
    // blocks of 10 the front part copies A's first ten records as one block (the record
    // ten places into B is larger than the block's last key), so key 1 comes after key 18.
    const int n = 400;
    std::vector<ParticleRecord_cls> src(n);
    for (int i = 0; i < n / 2; ++i) src[i] = {i, float(2 * i), 1.0f};
    for (int i = 0; i < n / 2; ++i) src[n / 2 + i] = {n / 2 + i, float(2 * i + 1), 1.0f};
    std::vector<ParticleRecord_cls> precise(n), approx(n);
    MergeRunsFront(src.data(), precise.data(), 0, n / 2, n, 1);
    MergeRunsBack(src.data(), precise.data(), 0, n / 2, n);
    MergeRunsFront(src.data(), approx.data(), 0, n / 2, n, 10);
    MergeRunsBack(src.data(), approx.data(), 0, n / 2, n);
    for (int k = 0; k < n; ++k) ASSERT_EQ(precise[k].key, float(k)) << k;
    for (int k = 0; k < 10; ++k) EXPECT_EQ(approx[k].key, float(2 * k)) << k;
    EXPECT_FALSE(KeysAscending(approx));
    ASSERT_TRUE(IsPermutationOf(src, approx));
}

TEST_F(DepthSortTest, PreciseMergePlacesRunBBeforeRunAOnTies) {
    const ParticleRecord_cls src[] = {{0, 1, 1}, {1, 2, 1}, {2, 2, 1}, {3, 2, 1}, {4, 3, 1}};
    // A = records 0..2 (keys 1 2 2), B = records 3..4 (keys 2 3).
    ParticleRecord_cls dst[5];
    MergeRunsFront(src, dst, 0, 3, 5, 1);
    MergeRunsBack(src, dst, 0, 3, 5);
    const int want[] = {0, 3, 1, 2, 4};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(dst[k].index, want[k]) << k;
}

TEST_F(DepthSortTest, MergePiecesTileTheExactMerge) {
    // The exact merge cut at any output positions, pieces written in any order, equals the
    // front and back halves' merge record for record (ties included).
    std::mt19937 rng(3);
    for (int trial = 0; trial < 40; ++trial) {
        const int n = 1 + int(rng() % 3000), split = int(rng() % (n + 1));
        std::vector<ParticleRecord_cls> src(n);
        for (int i = 0; i < n; ++i) src[i] = {i, float(rng() % (trial % 2 ? 5 : 100000)), 1.0f};
        std::sort(src.begin(), src.begin() + split, [](auto& x, auto& y) { return x.key < y.key; });
        std::sort(src.begin() + split, src.end(), [](auto& x, auto& y) { return x.key < y.key; });
        std::vector<ParticleRecord_cls> halves(n), pieces(n, ParticleRecord_cls{-1, 0, 0});
        MergeRunsFront(src.data(), halves.data(), 0, split, n, 1);
        MergeRunsBack(src.data(), halves.data(), 0, split, n);
        std::vector<int64_t> cuts = {0, n};
        for (int c = int(rng() % 5); c > 0; --c) cuts.push_back(int64_t(rng() % (n + 1)));
        std::sort(cuts.begin(), cuts.end());
        for (size_t q = cuts.size() - 1; q-- > 0;)  // last piece first
            MergeRunsPiece(src.data(), pieces.data(), 0, split, n, cuts[q], cuts[q + 1]);
        for (int k = 0; k < n; ++k) ASSERT_EQ(pieces[k].index, halves[k].index) << "trial " << trial << " at " << k;
    }
}

TEST_F(DepthSortTest, KeysThatAreNotNumbersSortLast) {
    auto in = MakeRecords(150000, Keys::Random);
    for (int i = 0; i < 150000; i += 97) in[i].key = std::numeric_limits<float>::quiet_NaN();
    for (int count : {1000, 150000}) {
        std::vector<ParticleRecord_cls> part(in.begin(), in.begin() + count), out = part;
        SortDrawOrder(out.data(), count);
        ASSERT_TRUE(IsPermutationOf(part, out)) << count;
        ASSERT_TRUE(KeysAscending(out)) << count;
        EXPECT_TRUE(std::isinf(out.back().key)) << count;
    }
    // A particle with a non-number coordinate gets an infinite key, not a NaN one.
    const float pos[] = {NAN, 0, 0, 0, 0, -1}, eye[3] = {0, 0, 0}, dir[3] = {0, 0, -1};
    ParticleRecord_cls r[3];
    ComputeSortKeys(r, 2, 1, pos, eye, dir, 1, 1);
    EXPECT_TRUE(std::isinf(r[0].key));
}

TEST_F(DepthSortTest, BlockSizeFollowsTheSortPreference) {
    const int want[][2] = {{0, 1}, {1, 10}, {2, 100}, {3, 1000}, {4, 1}, {-1, 1}};
    for (const auto& w : want) EXPECT_EQ(SortBlockSize(w[0]), w[1]) << w[0];
}

TEST_F(DepthSortTest, DebugDumpsOnlyWhenAskedAndOnce) {
    InTempDir cwd;
    auto in = MakeRecords(100001, Keys::Random);
    // Off by default: nothing written.
    auto out = in;
    SortDrawOrder(out.data(), 100001);
    EXPECT_FALSE(testsupport::FileExists("logA.txt"));
    // 100,000 records take the single sort: no dump, the request stays.
    bool dump = true;
    out = in;
    SortDrawOrder(out.data(), 100000, 4, 1, &dump);
    EXPECT_FALSE(testsupport::FileExists("logA.txt"));
    EXPECT_TRUE(dump);
    // 100,001 take the parallel sort: both files, then the request is cleared.
    out = in;
    SortDrawOrder(out.data(), 100001, 4, 1, &dump);
    EXPECT_FALSE(dump);
    const std::string a = testsupport::ReadFile("logA.txt"), b = testsupport::ReadFile("logB.txt");
    ASSERT_FALSE(a.empty());
    EXPECT_EQ(std::count(a.begin(), a.end(), '\n'), 100001);
    EXPECT_EQ(a, b);  // the first merge stage reads the part-sorted array
    // Each part is sorted on its own: line 25000 starts the second quarter with its smallest key.
    std::vector<ParticleRecord_cls> second(in.begin() + 25000, in.begin() + 50000);
    const auto least = std::min_element(second.begin(), second.end(),
                                        [](auto& x, auto& y) { return x.key < y.key; });
    size_t lineStart = 0;
    for (int l = 0; l < 25000; ++l) lineStart = a.find('\n', lineStart) + 1;
    const std::string line = a.substr(lineStart, a.find('\n', lineStart) - lineStart);
    EXPECT_EQ(line.substr(0, line.rfind(' ')), "25000 " + std::to_string(least->index));
    // The next sort writes nothing.
    std::remove("logA.txt");
    std::remove("logB.txt");
    out = in;
    SortDrawOrder(out.data(), 100001, 4, 1, &dump);
    EXPECT_FALSE(testsupport::FileExists("logA.txt"));
    EXPECT_FALSE(testsupport::FileExists("logB.txt"));
}

TEST_F(DepthSortTest, KeysFollowTheFrameObject) {
    // Particles drawn inside an object turned 90 degrees about x: local y becomes world z.
    GoCommandHistory.Clear();
    GbParamUndoEnabled = 0;
    SceneObj_cls box("Box", true, true);
    box.SetRotationKey(90, 0, 0);
    box.UpdateTransform(0);
    const float local[] = {0, 2, 0, 0, 1, 0, 0, 3, 0};  // local y 2, 1, 3: world z 2, 1, 3
    struct Case { int mode; std::vector<int> order; };
    // Eye at world (0, 0, 10) looking down -z: the particle at world z 1 is the farthest.
    const Case cases[] = {{0, {1, 0, 2}}, {1, {1, 0, 2}}, {2, {2, 0, 1}}};
    for (const Case& c : cases) {
        float eye[3] = {0, 0, 10}, dir[3] = {0, 0, -1};
        SetSortTransform(&box, 0.0);
        MapSortViewToFrame(eye, dir);
        SetSortTransform(nullptr, 0.0);
        std::vector<ParticleRecord_cls> r(4);
        const int n = ComputeSortKeys(r.data(), 3, 1, local, eye, dir, c.mode, 1);
        SortDrawOrder(r.data(), n);
        EXPECT_EQ((std::vector<int>{r[0].index, r[1].index, r[2].index}), c.order) << "mode " << c.mode;
    }
    // Without a frame object nothing is mapped.
    float eye[3] = {1, 2, 3}, dir[3] = {0, 0, -1};
    MapSortViewToFrame(eye, dir);
    EXPECT_EQ(eye[1], 2.0f);
    EXPECT_EQ(dir[2], -1.0f);
    GbParamUndoEnabled = 1;
}

TEST_F(DepthSortTest, RadixOrderFollowsTheFloatOrder) {
    // The unsigned images keep the float order across signs, magnitudes and infinities, and
    // give -0 and +0 one image (they are equal keys).
    const float inf = std::numeric_limits<float>::infinity();
    const float ascending[] = {-inf, -3e38f, -1e10f, -2.5f, -1.0f, -1e-30f, -1e-45f /* denormal */, 0.0f,
                               1e-45f, 1e-30f, 0.5f, 1.0f, 1.0000001f, 2.0f, 9999.0f, 3e38f, inf};
    for (size_t k = 0; k + 1 < std::size(ascending); ++k)
        EXPECT_LT(RadixKeyOf(ascending[k]), RadixKeyOf(ascending[k + 1])) << ascending[k] << " " << ascending[k + 1];
    EXPECT_EQ(RadixKeyOf(-0.0f), RadixKeyOf(0.0f));

    // Whole sorts through the radix path (with working space) against a comparison sort, on
    // key sets that a wrong digit order, a wrong sign flip or a skipped pass would break.
    struct Case { const char* what; std::vector<float> pool; };
    const Case cases[] = {
        {"mixed signs", {-5.5f, 3.25f, -0.001f, 0.001f, -1e6f, 1e6f, -7.0f, 7.0f}},
        {"negatives only", {-1.0f, -2.0f, -1.5f, -100.0f, -0.25f, -3e-20f}},
        {"zeros of both signs", {-0.0f, 0.0f, -1.0f, 1.0f}},
        {"one key", {42.0f}},
        {"low bits only", {1.0f, 1.0000001f, 1.0000002f, 1.0000004f}},
        {"high bits only", {1.0f, 4.0f, 1024.0f, -1.0f, -4.0f}},
        {"infinities", {-std::numeric_limits<float>::infinity(), std::numeric_limits<float>::infinity(), 0.0f, 1.0f}},
        {"not numbers", {std::numeric_limits<float>::quiet_NaN(), -std::numeric_limits<float>::quiet_NaN(), 2.0f, -2.0f}},
    };
    for (const Case& c : cases)
        for (int count : {600, 5000}) {
            std::mt19937 rng(count);
            std::vector<ParticleRecord_cls> in(count);
            for (int i = 0; i < count; ++i) in[i] = {i, c.pool[rng() % c.pool.size()], float(i % 3)};
            auto out = in;
            std::vector<ParticleRecord_cls> scratch(count, ParticleRecord_cls{-1, 0, 0});
            SortRecordRange(out.data(), 0, count, scratch.data());
            ASSERT_TRUE(IsPermutationOf(in, out)) << c.what;
            ASSERT_TRUE(KeysAscending(out)) << c.what;
            ASSERT_FALSE(std::isnan(out.back().key)) << c.what << ": not-a-number keys become +infinity";
            // Equal keys (-0 and +0 included) keep their input order: the digit passes are stable.
            for (int k = 0; k + 1 < count; ++k)
                if (out[k].key == out[k + 1].key) {
                    ASSERT_LT(out[k].index, out[k + 1].index) << c.what << " at " << k;
                }
        }
    // A range inside a larger array leaves the rest untouched.
    auto in = MakeRecords(3000, Keys::Random);
    auto out = in;
    std::vector<ParticleRecord_cls> scratch(1000);
    SortRecordRange(out.data(), 1000, 2000, scratch.data());
    for (int k = 0; k < 1000; ++k) ASSERT_EQ(out[k].index, in[k].index);
    for (int k = 2000; k < 3000; ++k) ASSERT_EQ(out[k].index, in[k].index);
    EXPECT_TRUE(std::is_sorted(out.begin() + 1000, out.begin() + 2000,
                               [](const auto& a, const auto& b) { return a.key < b.key; }));
}

TEST_F(DepthSortTest, SorterReusesItsWorkingSpace) {
    // Two frames of one size allocate once; a smaller frame reuses the space; only a larger
    // one grows it.
    DepthSorter_cls sorter;
    EXPECT_EQ(sorter.BufferCapacity(), 0u);
    for (int count : {150000, 150000, 20000, 150000}) {
        auto in = MakeRecords(count, Keys::Random, unsigned(count));
        auto out = in;
        sorter.Sort(out.data(), count);
        ASSERT_TRUE(IsPermutationOf(in, out)) << count;
        ASSERT_TRUE(KeysAscending(out)) << count;
        EXPECT_EQ(sorter.BufferCapacity(), 150000u) << "after " << count;
    }
    auto in = MakeRecords(200000, Keys::FewDistinct);
    auto out = in;
    sorter.Sort(out.data(), 200000, 4, 100);
    ASSERT_TRUE(IsPermutationOf(in, out));
    EXPECT_EQ(sorter.BufferCapacity(), 200000u);
}

TEST_F(DepthSortTest, WorkersThatCannotStartRunOnTheCallingThread) {
    // Every start refused, or every other one: all the work is still done, nothing waits for
    // a thread that never ran, and the sort is complete.
    int calls = 0;
    const SortWorkerStarter refuseAll = [&](ThreadSortBase_cls&) { ++calls; return false; };
    const SortWorkerStarter refuseOdd = [&](ThreadSortBase_cls& t) {
        return (calls++ % 2 == 0) && t.Run() == wxTHREAD_NO_ERROR;
    };
    for (const SortWorkerStarter* start : {&refuseAll, &refuseOdd})
        for (int block : {1, 100}) {
            calls = 0;
            DepthSorter_cls sorter;
            sorter.SetWorkerStarter(*start);
            auto in = MakeRecords(120000, Keys::Sawtooth);
            auto out = in;
            sorter.Sort(out.data(), 120000, 4, block);
            ASSERT_TRUE(IsPermutationOf(in, out)) << "block " << block;
            if (block == 1) {
                ASSERT_TRUE(KeysAscending(out));
            }
            EXPECT_GT(calls, 0) << "the starter was asked";
        }
    // The runner itself: every worker's work done, every done flag set.
    std::vector<ParticleRecord_cls> r(1000);
    std::vector<float> pos(3000);
    for (int i = 0; i < 1000; ++i) pos[3 * i + 2] = float(i);
    const float eye[3] = {0, 0, 0}, dir[3] = {0, 0, -1};
    std::vector<std::unique_ptr<ThreadSortBase_cls>> workers;
    std::vector<std::atomic<bool>> done(4);
    for (int k = 0; k < 4; ++k)
        workers.push_back(std::make_unique<ThreadSortPrepare_cls>(&done[k], r.data(), k * 250, k * 250,
                                                                  (k + 1) * 250, 1, pos.data(), eye, dir, 0));
    calls = 0;
    RunSortWorkers(workers, done, refuseOdd);
    EXPECT_TRUE(workers.empty());
    for (auto& d : done) EXPECT_TRUE(d.load());
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(r[i].key, float(i));
}
