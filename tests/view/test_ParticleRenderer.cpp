// The renderer's logic: the draw order over stride, filter and sort; the stride factors;
// and the billboard vertex pipeline, whose chunks must reach the drawer whole, once and in
// order, whether the workers start or not, and not at all after an abort.
#include <gtest/gtest.h>

#include <wx/init.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/CommandHistory.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterFiltering.h"
#include "view/FilterDrawOrder.h"
#include "view/ParticleRenderer.h"

namespace {

class RendererLogicTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(wxInitialize()); }
    void TearDown() override { wxUninitialize(); }
};

// Drops every particle whose x is negative and halves the weight of the rest.
class DropNegativeX : public DrawOrderFilter_cls {
public:
    int ApplyToParticles(ParticleRecord_cls* r, const float* pos, int count, double, const int32_t*) override {
        ++calls;
        int out = 0;
        for (int k = 0; k < count; ++k)
            if (pos[3 * r[k].index] >= 0) {
                r[out] = r[k];
                r[out++].weight *= 0.5f;
            }
        return out;
    }
    int calls = 0;
};

std::vector<float> Line(int n) {  // particle i at (i - n/2, 0, -i): farther with i
    std::vector<float> p(3 * size_t(n));
    for (int i = 0; i < n; ++i) p[3 * i] = float(i - n / 2), p[3 * i + 2] = float(-i);
    return p;
}

TEST_F(RendererLogicTest, DrawOrderByStrideSortAndFilter) {
    ParticleRenderer_cls r;
    const float eye[3] = {0, 0, 10}, dir[3] = {0, 0, -1};
    r.SetEye(eye, dir);
    const std::vector<float> pos = Line(10);
    struct Case {
        unsigned sort;
        bool filter;
        std::vector<int> expect;
    };
    const Case cases[] = {
        {0, false, {0, 3, 6, 9}},   // every third particle, in index order
        {1, false, {9, 6, 3, 0}},   // back to front
        {2, false, {0, 3, 6, 9}},   // nearest first
        {0, true, {6, 9}},          // the filter drops x < 0 (particles 0..4)
        {1, true, {9, 6}},          // filtered, then sorted
        {2, true, {0, 3, 6, 9}},    // solid sorting ignores the filter
    };
    for (const Case& c : cases) {
        DropNegativeX filter;
        r.SetFilter(c.filter ? &filter : nullptr);
        r.BuildDrawOrder(10, 3, pos.data(), c.sort, true);
        std::vector<int> got;
        for (int k = 0; k < GiDrawOrderCount; ++k) got.push_back(GpDrawOrder[k].index);
        EXPECT_EQ(got, c.expect) << "sort " << c.sort << " filter " << c.filter;
        if (c.filter && c.sort != 2)
            for (int k = 0; k < GiDrawOrderCount; ++k) EXPECT_FLOAT_EQ(GpDrawOrder[k].weight, 0.5f);
    }
    r.SetFilter(nullptr);
    r.BuildDrawOrder(0, 1, pos.data(), 1, true);
    EXPECT_EQ(GiDrawOrderCount, 0);
    r.BuildDrawOrder(10, 1, nullptr, 1, true);
    EXPECT_EQ(GiDrawOrderCount, 0);
}

// A Filtering filter that classifies by particle ID sees the frame's identifiers through
// the draw order, for the plain and the depth-sorted order alike.
TEST_F(RendererLogicTest, FilteringByParticleIdReachesTheDrawOrder) {
    GoCommandHistory.Clear();
    FilterCtrl_cls list(0);
    auto* f = static_cast<FilterFiltering_cls*>(list.AddFilter(FILTER_FILTERING, -1, nullptr, nullptr, nullptr, nullptr));
    f->Data()->filteringString.text = "104,107";
    f->Data()->indexType.value = 1;
    FilterDrawOrder_cls filter([&list]() { return &list; });
    ParticleRenderer_cls r;
    const float eye[3] = {0, 0, 10}, dir[3] = {0, 0, -1};
    r.SetEye(eye, dir);
    r.SetFilter(&filter);
    const std::vector<float> pos = Line(10);
    std::vector<int32_t> ids(10);
    for (int i = 0; i < 10; ++i) ids[size_t(i)] = 100 + i;
    for (unsigned sort : {0u, 1u}) {
        r.BuildDrawOrder(10, 1, pos.data(), sort, true, 0.0, ids.data());
        std::vector<int> got;
        for (int k = 0; k < GiDrawOrderCount; ++k) got.push_back(GpDrawOrder[k].index);
        EXPECT_EQ(got, sort == 0 ? (std::vector<int>{4, 7}) : (std::vector<int>{7, 4})) << "sort " << sort;
    }
    // Without identifiers the numbers are indices, beyond these ten particles.
    r.BuildDrawOrder(10, 1, pos.data(), 0, true, 0.0, nullptr);
    EXPECT_EQ(GiDrawOrderCount, 0);
    r.SetFilter(nullptr);
}

TEST_F(RendererLogicTest, DrawOrderArrayIsReusedAndLargeOrdersSortOnWorkers) {
    ParticleRenderer_cls r;
    const float eye[3] = {0, 0, 1e6f}, dir[3] = {0, 0, -1};
    r.SetEye(eye, dir);
    const int n = 150001;  // above the single-thread limit
    std::vector<float> pos(3 * size_t(n));
    for (int i = 0; i < n; ++i) pos[3 * i + 2] = float((i * 7919) % n);
    r.BuildDrawOrder(n, 1, pos.data(), 2, true);
    ASSERT_EQ(GiDrawOrderCount, n);
    const ParticleRecord_cls* first = GpDrawOrder;
    std::vector<bool> seen(n);
    for (int k = 0; k < n; ++k) {
        seen[size_t(GpDrawOrder[k].index)] = true;
        if (k) ASSERT_LE(GpDrawOrder[k - 1].key, GpDrawOrder[k].key);
    }
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](bool b) { return b; }));
    r.BuildDrawOrder(n, 2, pos.data(), 1, true);
    EXPECT_EQ(GpDrawOrder, first) << "a smaller order reuses the array";
    EXPECT_EQ(GiDrawOrderCount, (n + 1) / 2);
}

TEST(RendererStrideFactors, MatchTheirFormulas) {
    for (auto f : {BillboardStrideFactors(1), PointStrideFactors(1), ClampedStrideFactors(1)}) {
        EXPECT_FLOAT_EQ(f.size, 1.0f);
        EXPECT_FLOAT_EQ(f.alpha, 1.0f);
    }
    EXPECT_LT(BillboardStrideFactors(150).alpha, 0.0f);
    EXPECT_LT(PointStrideFactors(150).alpha, 0.0f);
    EXPECT_NEAR(ClampedStrideFactors(150).alpha, 0.2f * 149 + 1, 1e-3);
    EXPECT_NEAR(ClampedStrideFactors(150).size, std::sqrt(149 * 0.8f + 1), 1e-3);
}

// A pipeline over `count` records of a line of particles; returns the particle index of
// every quad that reached the drawer (read back from its corner), in drawing order.
struct PipelineRun {
    explicit PipelineRun(int64_t count) : pos(3 * size_t(count)), radii(size_t(count), 1.0f),
                                          colours(4 * size_t(count), 1.0f), order(size_t(count)) {
        for (int64_t i = 0; i < count; ++i) {
            pos[3 * i] = float(i);
            colours[4 * i + 3] = 0.5f;
            order[size_t(i)].index = int(count - 1 - i);
        }
        job.order = order.data();
        job.positions = pos.data();
        job.radii = radii.data();
        job.frameColours = colours.data();
        std::copy(kBillboardTemplate, kBillboardTemplate + 12, job.corners);
        job.size = 0.25f;
        job.alphaFactor = 2.0f;
        job.alphaFactro = 0.5f;
    }
    std::vector<int> Run(ParticleRenderer_cls& r, int64_t count, const std::function<bool()>& abort = {}) {
        std::vector<int> drawn;
        int64_t bad = 0;
        r.RunBillboardPipeline(job, count, [&](const float* c, const float* col, int64_t n) {
            for (int64_t k = 0; k < n; ++k) {
                // corner 0 is position + (-size, -size, 0)
                drawn.push_back(int(std::lround(c[12 * k] + 0.25f)));
                if (c[12 * k + 1] != -0.25f || col[4 * k + 3] != 0.5f) ++bad;
            }
        }, abort);
        EXPECT_EQ(bad, 0) << "quads with wrong corners or alpha";
        return drawn;
    }
    std::vector<float> pos, radii, colours;
    std::vector<ParticleRecord_cls> order;
    BillboardChunkJob job;
};

TEST_F(RendererLogicTest, PipelineDrawsEveryChunkOnceInOrderWithOrWithoutWorkers) {
    const int64_t count = 2 * kBillboardThreadChunk + 12345;
    PipelineRun run(count);
    std::vector<int> expect(static_cast<size_t>(count));
    for (int64_t k = 0; k < count; ++k) expect[size_t(k)] = int(count - 1 - k);
    for (bool refuse : {false, true}) {
        ParticleRenderer_cls r;
        int refused = 0;
        if (refuse) r.SetWorkerStarter([&](ThreadCaleVertex_cls&) { return ++refused, false; });
        EXPECT_EQ(run.Run(r, count), expect) << "refuse " << refuse;
        EXPECT_EQ(refused, refuse ? 3 : 0);
    }
}

TEST_F(RendererLogicTest, PipelineAbortDropsTheChunkJustComputedAndZeroInputDrawsNothing) {
    PipelineRun run(3 * kBillboardThreadChunk);
    ParticleRenderer_cls r;
    int polls = 0;
    // Abort seen after the second chunk: only the first chunk was drawn.
    const std::vector<int> drawn = run.Run(r, 3 * kBillboardThreadChunk, [&] { return ++polls == 2; });
    EXPECT_EQ(drawn.size(), size_t(kBillboardThreadChunk));
    EXPECT_TRUE(run.Run(r, 0).empty());
    run.job.size = 0.0f;
    EXPECT_TRUE(run.Run(r, 10).empty());
}

TEST(RendererChunk, RadiusDependentAlphaIsClampedAndScaled) {
    const float pos[6] = {0, 0, 0, 5, 0, 0}, radii[2] = {1.0f, 10.0f}, colours[8] = {1, 0, 0, 1, 0, 1, 0, 1};
    const ParticleRecord_cls order[2] = {{0, 0, 1}, {1, 0, 1}};
    float outCorners[24], outColours[8];
    BillboardChunkJob job;
    job.order = order, job.n = 2, job.positions = pos, job.radii = radii, job.frameColours = colours;
    std::copy(kBillboardTemplate, kBillboardTemplate + 12, job.corners);
    job.size = 0.5f, job.alphaType = 1, job.alphaFactor = 1.0f, job.alphaMax = 0.8f;
    job.outCorners = outCorners, job.outColours = outColours;
    ComputeBillboardChunk(job);
    EXPECT_FLOAT_EQ(outColours[3], 0.8f);                    // 1 / 0.25 = 4, clamped
    EXPECT_FLOAT_EQ(outColours[7], 1.0f / 25.0f);            // 1 / (0.5 * 10)^2
    EXPECT_FLOAT_EQ(outCorners[12 + 0], 5.0f - 5.0f);        // corner 0 of particle 1: x - 5
    EXPECT_FLOAT_EQ(outCorners[12 + 6], 5.0f + 5.0f);        // corner 2: x + 5
}

}  // namespace
