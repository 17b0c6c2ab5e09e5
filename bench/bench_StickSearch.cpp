// The stick search over 1 M particles (uniform in a box, about 6 neighbours within the
// cut-off, as bonds in a dense material) on 1 and 4 workers, and the POV-Ray text of the
// sticks found, against std::sort of 1 M {float key, uint32 index} records in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "scene/StickEngine.h"

namespace {

constexpr int kParticles = 1000000;

struct Cloud {
    std::vector<float> pos;
    std::vector<uint8_t> types;
    std::vector<int> order;
    Cloud() : pos(3 * size_t(kParticles)), types(size_t(kParticles)), order(size_t(kParticles)) {
        std::mt19937 rng(5);
        std::uniform_real_distribution<float> u(0.0f, 100.0f);  // one particle per unit volume
        for (float& v : pos) v = u(rng);
        for (int i = 0; i < kParticles; ++i) {
            types[size_t(i)] = uint8_t(i % 2);
            order[size_t(i)] = i;
        }
        std::shuffle(order.begin(), order.end(), rng);  // a depth-sorted draw order
    }
    StickFrame_cls Frame(double time) const {
        StickFrame_cls f;
        f.positions = pos.data();
        f.types = types.data();
        f.count = kParticles;
        f.time = time;
        f.SetOrder(order.data(), order.size());
        return f;
    }
};

const Cloud& Data() {
    static Cloud c;
    return c;
}

StickRule_cls Step() {
    StickRule_cls r;
    r.critType = 0;
    r.critA = 1.15f;  // 4/3 pi 1.15^3: about 6.4 neighbours
    return r;
}

void BM_StickSearch1M(benchmark::State& state) {
    const Cloud& c = Data();
    const int threads = int(state.range(0));
    double time = 0;
    size_t sticks = 0;
    for (auto _ : state) {
        StickEngine_cls e;
        const StickFrame_cls f = c.Frame(time += 1);  // a new time: always searched again
        e.Compute(&f, Step(), threads);
        sticks = e.Size();
        benchmark::DoNotOptimize(sticks);
    }
    state.counters["sticks"] = double(sticks);
    state.SetItemsProcessed(state.iterations() * int64_t(kParticles));
}
BENCHMARK(BM_StickSearch1M)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StickPovText1M(benchmark::State& state) {
    const Cloud& c = Data();
    StickEngine_cls e;
    const StickFrame_cls f = c.Frame(0);
    e.Compute(&f, Step(), 4);
    e.CheckIndices(kParticles);
    e.AllFactorsOne();
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = e.PovText(c.pos.data(), int(state.range(0)));
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["sticks"] = double(e.Size());
    state.SetBytesProcessed(state.iterations() * int64_t(bytes));
}
BENCHMARK(BM_StickPovText1M)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baseline: sorting the same number of draw-order records.
void BM_StickBaselineSort1M(benchmark::State& state) {
    struct Rec {
        float key;
        uint32_t index;
    };
    std::vector<Rec> base(static_cast<size_t>(kParticles));
    std::mt19937 rng(9);
    std::uniform_real_distribution<float> u(0.0f, 1.0f);
    for (int i = 0; i < kParticles; ++i) base[size_t(i)] = {u(rng), uint32_t(i)};
    std::vector<Rec> v;
    for (auto _ : state) {
        state.PauseTiming();
        v = base;
        state.ResumeTiming();
        std::sort(v.begin(), v.end(), [](const Rec& a, const Rec& b) { return a.key < b.key; });
        benchmark::DoNotOptimize(v.data());
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kParticles));
}
BENCHMARK(BM_StickBaselineSort1M)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
