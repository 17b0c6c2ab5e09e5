// Drawable frame evaluation of 1 M particles (linear motion, a colour curve on value1),
// read against a memcpy that reads as many bytes as the evaluation reads: 41 per particle
// (position, velocity, radius and value1 with their rates, type); the evaluation writes 37
// (position, radius, value1, RGBA, type), the memcpy 41.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

#include <wx/init.h>

#include "common/CommandHistory.h"
#include "data/InterpolationJob.h"
#include "data/ParticleData.h"
#include "filters/ColorCurve.h"
#include "timeline/Parameter.h"
#include "view/ParticleAttrib.h"
#include "view/Snap.h"

namespace {

constexpr int64_t kParticles = 1000000;
constexpr int64_t kBytesRead = 41;

struct Frame {
    ParticleData_cls pd;
    std::unique_ptr<ParticleAttrib_cls> sets[4];
    ParticleAttrib_cls* raw[4] = {};
    Frame() {
        static const bool wx = wxInitialize();
        (void)wx;
        GbParamUndoEnabled = 0;
        pd.interpolationType = INTERP_LINEAR;
        pd.Allocate(kParticles);
        for (int64_t i = 0; i < kParticles; ++i) {
            for (int c = 0; c < 3; ++c) {
                pd.position[3 * i + c] = static_cast<float>((i * 7 + c) % 1000) * 0.01f;
                pd.velocity[3 * i + c] = 0.5f - static_cast<float>(c);
            }
            pd.radius[i] = 0.01f;
            pd.radiusRate[i] = 0.001f;
            pd.value1[i] = static_cast<float>(i % 1000) * 0.001f;
            pd.value1Rate[i] = 0.1f;
            pd.type[i] = static_cast<uint8_t>(i % 4);
            pd.id[i] = static_cast<int32_t>(i);
        }
        for (int t = 0; t < 4; ++t) {
            sets[t].reset(new ParticleAttrib_cls(nullptr, 0, t));
            raw[t] = sets[t].get();
        }
    }
    void Curves(bool on) {
        for (auto& s : sets) s->col->useColorCurve.value = on;
    }
};

Frame& TheFrame() {
    static Frame f;
    return f;
}

}  // namespace

static void BM_SnapBaselineMemcpy1M(benchmark::State& state) {
    std::vector<char> a(kParticles * kBytesRead, 'x'), b(kParticles * kBytesRead);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size());
        benchmark::DoNotOptimize(b.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kParticles * kBytesRead);
}
BENCHMARK(BM_SnapBaselineMemcpy1M)->Unit(benchmark::kMillisecond);

// Arg 0: workers by count (2 for 1 M); 1 and 4: that many.
static void BM_SnapEvaluateCurve1M(benchmark::State& state) {
    Frame& f = TheFrame();
    f.Curves(true);
    for (auto _ : state) {
        Snap_cls snap(&f.pd, f.raw, 0.25, 1, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(snap.colours);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kParticles * kBytesRead);
}
BENCHMARK(BM_SnapEvaluateCurve1M)->Arg(0)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_SnapEvaluateConstantColour1M(benchmark::State& state) {
    Frame& f = TheFrame();
    f.Curves(false);
    for (auto _ : state) {
        Snap_cls snap(&f.pd, f.raw, 0.25, 1, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(snap.colours);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kParticles * kBytesRead);
}
BENCHMARK(BM_SnapEvaluateConstantColour1M)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The colour lookup alone: 1 M colour-table lookups into a buffer that is already mapped.
static void BM_SnapColourLookup1M(benchmark::State& state) {
    Frame& f = TheFrame();
    f.Curves(true);
    ColorCurve_cls& col = *f.sets[0]->col;
    col.UpdateScaling();
    col.BuildColorTable();  // as the evaluation does before its workers start
    std::vector<float> out(4 * kParticles, 0.0f);
    for (auto _ : state) {
        for (int64_t i = 0; i < kParticles; ++i) SnapParticleColour(col, f.pd.value1[i], 1.0f, &out[4 * i]);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kParticles * kBytesRead);
}
BENCHMARK(BM_SnapColourLookup1M)->Unit(benchmark::kMillisecond);

// The ratios of one run, each time the best of interleaved rounds so that load from other
// processes hits all alike: "eval_vs_memcpy" (evaluation with the workers chosen by count
// over a memcpy of the 41 bytes per particle it reads, whose traffic, 82 bytes, is about
// the evaluation's 78; goal <= 3), "eval1_vs_memcpy" the same on one worker, and
// "eval_vs_memcpy78" against a memcpy of the 78 bytes it reads and writes.
static void BM_SnapRatios1M(benchmark::State& state) {
    Frame& f = TheFrame();
    f.Curves(true);
    std::vector<char> a(kParticles * 78, 'x'), b(kParticles * 78, 'y');
    using Clock = std::chrono::steady_clock;
    const auto seconds = [](Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); };
    double copy41 = 1e9, copy78 = 1e9, eval = 1e9, eval1 = 1e9;
    for (auto _ : state) {
        auto t0 = Clock::now();
        std::memcpy(b.data(), a.data(), kParticles * kBytesRead);
        benchmark::DoNotOptimize(b.data());
        copy41 = std::min(copy41, seconds(t0));
        t0 = Clock::now();
        std::memcpy(b.data(), a.data(), b.size());
        benchmark::DoNotOptimize(b.data());
        copy78 = std::min(copy78, seconds(t0));
        t0 = Clock::now();
        {
            Snap_cls snap(&f.pd, f.raw, 0.25, 1, 0);
            benchmark::DoNotOptimize(snap.colours);
        }
        eval = std::min(eval, seconds(t0));
        t0 = Clock::now();
        {
            Snap_cls snap(&f.pd, f.raw, 0.25, 1, 1);
            benchmark::DoNotOptimize(snap.colours);
        }
        eval1 = std::min(eval1, seconds(t0));
        state.SetIterationTime(eval);
    }
    state.counters["ms_memcpy41"] = copy41 * 1e3;
    state.counters["ms_eval"] = eval * 1e3;
    state.counters["ms_eval1"] = eval1 * 1e3;
    state.counters["eval_vs_memcpy"] = eval / copy41;
    state.counters["eval1_vs_memcpy"] = eval1 / copy41;
    state.counters["eval_vs_memcpy78"] = eval / copy78;
}
BENCHMARK(BM_SnapRatios1M)->Iterations(20)->Unit(benchmark::kMillisecond)->UseManualTime();
