// Weighting 1 M particles by a Boolean box filter through the filter list, on 1 and 4
// workers, against a plain single-threaded loop that writes the same inside/outside mask
// (the baseline in the same run). Records are in a shuffled draw order, as after the
// depth sort.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "common/CommandHistory.h"
#include "filters/FilterBoolean.h"
#include "filters/FilterCtrl.h"
#include "timeline/Parameter.h"

namespace {

constexpr size_t kParticles = 1000000;

struct Record {
    int index;
    float key;
    float weight;
};

struct Fixture {
    std::vector<float> pos;
    std::vector<Record> records;
    Fixture() : pos(3 * kParticles), records(kParticles) {
        std::mt19937 rng(11);
        std::uniform_real_distribution<float> u(-1.0f, 1.0f);
        for (float& v : pos) v = u(rng);
        for (size_t i = 0; i < kParticles; ++i) records[i] = {static_cast<int>(i), 0, 1};
        std::shuffle(records.begin(), records.end(), rng);
    }
};

const Fixture& Data() {
    static Fixture f;
    return f;
}

// The list's weighting of one frame: a box of half size 0.5 about the origin, hard edge.
void BM_FilterListBooleanWeights(benchmark::State& state) {
    const Fixture& d = Data();
    GbParamUndoEnabled = 0;
    FilterCtrl_cls list(0);
    auto* b = static_cast<FilterBoolean_cls*>(list.AddFilter(FILTER_BOOLEAN, -1, nullptr, nullptr, nullptr, nullptr));
    b->Data()->SetScaleKey(1, 1, 1);
    b->Data()->borderFactor.value = 0;
    std::vector<float> w(kParticles);
    const FilterParticles_cls parts =
        FilterParticles_cls::FromRecords(d.records.data(), kParticles, d.pos.data(), kParticles);
    const int threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        list.ComputeWeights(parts, 0.0, w.data(), threads);
        benchmark::DoNotOptimize(w.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kParticles));
}
BENCHMARK(BM_FilterListBooleanWeights)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same plus the compaction of the records (what a drawn frame costs).
void BM_FilterListApplyToParticles(benchmark::State& state) {
    const Fixture& d = Data();
    GbParamUndoEnabled = 0;
    FilterCtrl_cls list(0);
    auto* b = static_cast<FilterBoolean_cls*>(list.AddFilter(FILTER_BOOLEAN, -1, nullptr, nullptr, nullptr, nullptr));
    b->Data()->SetScaleKey(1, 1, 1);
    b->Data()->borderFactor.value = 0;
    std::vector<Record> r(kParticles);
    const int threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        r = d.records;
        state.ResumeTiming();
        benchmark::DoNotOptimize(list.ApplyToParticles(r.data(), d.pos.data(), kParticles, kParticles, 0.0, threads));
    }
}
BENCHMARK(BM_FilterListApplyToParticles)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baseline: one plain loop writing the same mask.
void BM_PlainMaskLoop(benchmark::State& state) {
    const Fixture& d = Data();
    std::vector<float> w(kParticles);
    for (auto _ : state) {
        for (size_t i = 0; i < kParticles; ++i) {
            const float* p = &d.pos[3 * static_cast<size_t>(d.records[i].index)];
            w[i] = (p[0] > -0.5f && p[0] < 0.5f && p[1] > -0.5f && p[1] < 0.5f && p[2] > -0.5f && p[2] < 0.5f)
                       ? 1.0f
                       : 0.0f;
        }
        benchmark::DoNotOptimize(w.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kParticles));
}
BENCHMARK(BM_PlainMaskLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
