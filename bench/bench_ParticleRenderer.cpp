// The particle renderer's CPU work for 1 M particles against plain baselines in the same run:
// the billboard vertex pipeline (corners and colours of every quad, prepared on the worker
// chunk by chunk) against a memcpy of its output bytes; the draw order (depth keys on four
// workers, filter weights, sort) against one single-thread std::sort of the same keys.
#include <benchmark/benchmark.h>

#include <wx/init.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "view/ParticleRenderer.h"

namespace {

constexpr int kCount = 1000000;

struct Particles {
    Particles() : pos(3 * size_t(kCount)), radii(kCount), colours(4 * size_t(kCount), 0.7f) {
        std::mt19937 rng(7);
        std::uniform_real_distribution<float> d(-100.0f, 100.0f);
        for (float& x : pos) x = d(rng);
        for (float& r : radii) r = 0.5f + d(rng) * 0.001f;
    }
    std::vector<float> pos, radii, colours;
};
const Particles& Data() {
    static Particles p;
    return p;
}

// The baseline of the pipeline: copying as many bytes as it writes (12 + 4 floats a quad).
void BM_BillboardBaselineMemcpy(benchmark::State& state) {
    const size_t bytes = size_t(kCount) * 16 * sizeof(float);
    std::vector<char> src(bytes, 1), dst(bytes, 0);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), bytes);
        benchmark::DoNotOptimize(dst.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}
BENCHMARK(BM_BillboardBaselineMemcpy)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BillboardVertexPipeline(benchmark::State& state) {
    static wxInitializer init;
    const Particles& p = Data();
    std::vector<ParticleRecord_cls> order(kCount);
    for (int i = 0; i < kCount; ++i) order[size_t(i)].index = i;
    BillboardChunkJob job;
    job.order = order.data();
    job.positions = p.pos.data();
    job.radii = p.radii.data();
    job.frameColours = p.colours.data();
    std::copy(kBillboardTemplate, kBillboardTemplate + 12, job.corners);
    job.size = 0.3f;
    ParticleRenderer_cls renderer;
    int64_t drawn = 0;
    // The draw step only looks at the prepared chunk (its GL hand-over is measured by the GL
    // benchmark); the buffers are allocated by the first run, as in the program.
    auto draw = [&](const float* c, const float*, int64_t n) {
        benchmark::DoNotOptimize(c);
        drawn += n;
    };
    renderer.RunBillboardPipeline(job, kCount, draw);
    for (auto _ : state) renderer.RunBillboardPipeline(job, kCount, draw);
    state.SetItemsProcessed(int64_t(state.iterations()) * kCount);
}
BENCHMARK(BM_BillboardVertexPipeline)->Unit(benchmark::kMillisecond)->UseRealTime();

struct PlainRecord {
    float key;
    uint32_t index;
};

// The baseline of the draw order: one std::sort of the same back-to-front keys.
void BM_DrawOrderBaselineStdSort(benchmark::State& state) {
    const Particles& p = Data();
    const float eye[3] = {0, 0, 300};
    std::vector<PlainRecord> keys(kCount), work(kCount);
    for (int i = 0; i < kCount; ++i) {
        const float* q = &p.pos[3 * size_t(i)];
        const float dx = q[0] - eye[0], dy = q[1] - eye[1], dz = q[2] - eye[2];
        keys[size_t(i)] = {-(dx * dx + dy * dy + dz * dz), uint32_t(i)};
    }
    for (auto _ : state) {
        std::memcpy(work.data(), keys.data(), sizeof(PlainRecord) * keys.size());
        std::sort(work.begin(), work.end(), [](const PlainRecord& a, const PlainRecord& b) { return a.key < b.key; });
        benchmark::DoNotOptimize(work.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kCount);
}
BENCHMARK(BM_DrawOrderBaselineStdSort)->Unit(benchmark::kMillisecond)->UseRealTime();

// Weights every record (keeps all), as a visibility filter does.
class WeightAll : public DrawOrderFilter_cls {
public:
    int ApplyToParticles(ParticleRecord_cls* r, const float*, int count, double, const int32_t*) override {
        for (int k = 0; k < count; ++k) r[k].weight *= 0.9f;
        return count;
    }
};

void BM_DrawOrderBuild(benchmark::State& state) {
    static wxInitializer init;
    const Particles& p = Data();
    ParticleRenderer_cls renderer;
    WeightAll filter;
    renderer.SetFilter(&filter);
    const float eye[3] = {0, 0, 300}, dir[3] = {0, 0, -1};
    renderer.SetEye(eye, dir);
    renderer.BuildDrawOrder(kCount, 1, p.pos.data(), 1, false);  // the array and sort space, once
    for (auto _ : state) {
        renderer.BuildDrawOrder(kCount, 1, p.pos.data(), 1, false);
        benchmark::DoNotOptimize(GpDrawOrder);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kCount);
}
BENCHMARK(BM_DrawOrderBuild)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
