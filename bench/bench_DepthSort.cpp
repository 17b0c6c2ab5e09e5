// Depth sort of the draw order against a single-thread std::sort of the same {float key,
// uint32 index} records, 1 M and 10 M records. Each iteration sorts a fresh copy of the same
// shuffled keys (the copy is timed in both, so the ratio compares the sorts). The sorter
// lives across iterations as it lives across frames in the renderer. Wall time is the
// measure; the CPU column is the whole process's (all workers), which tells a busy machine
// (wall far above CPU / workers) from a slow sort.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include <wx/init.h>

#include "view/DepthSort.h"

namespace {

struct PlainRecord {
    float key;
    uint32_t index;
};

const std::vector<ParticleRecord_cls>& Input(int64_t n) {
    static std::vector<ParticleRecord_cls> cache;
    if (int64_t(cache.size()) != n) {
        std::mt19937 rng(42);
        std::uniform_real_distribution<float> d(-1000.0f, 1000.0f);
        cache.resize(n);
        for (int64_t i = 0; i < n; ++i) cache[i] = ParticleRecord_cls{int(i), d(rng), 1.0f};
    }
    return cache;
}

void BM_DepthSortBaselineStdSort(benchmark::State& state) {
    const auto& in = Input(state.range(0));
    std::vector<PlainRecord> plain(in.size()), work(in.size());
    for (size_t i = 0; i < in.size(); ++i) plain[i] = PlainRecord{in[i].key, uint32_t(in[i].index)};
    std::memcpy(work.data(), plain.data(), sizeof(PlainRecord) * plain.size());  // pages touched once
    for (auto _ : state) {
        std::memcpy(work.data(), plain.data(), sizeof(PlainRecord) * plain.size());
        std::sort(work.begin(), work.end(), [](const PlainRecord& a, const PlainRecord& b) { return a.key < b.key; });
        benchmark::DoNotOptimize(work.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DepthSortBaselineStdSort)
    ->Arg(1000000)
    ->Arg(10000000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// range(1): the merge block size (1 precise, 100 approximate); range(2): worker count.
void BM_DepthSortDrawOrder(benchmark::State& state) {
    static wxInitializer init;
    const auto& in = Input(state.range(0));
    std::vector<ParticleRecord_cls> work(in.size());
    DepthSorter_cls sorter;
    // One frame before the timing: the sorter's working space exists from then on, as in
    // the renderer after its first frame.
    std::memcpy(work.data(), in.data(), sizeof(ParticleRecord_cls) * in.size());
    sorter.Sort(work.data(), int(work.size()), int(state.range(2)), int(state.range(1)));
    for (auto _ : state) {
        std::memcpy(work.data(), in.data(), sizeof(ParticleRecord_cls) * in.size());
        sorter.Sort(work.data(), int(work.size()), int(state.range(2)), int(state.range(1)));
        benchmark::DoNotOptimize(work.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DepthSortDrawOrder)
    ->Args({1000000, 1, 4})
    ->Args({1000000, 100, 4})
    ->Args({1000000, 1, 1})
    ->Args({10000000, 1, 4})
    ->Args({10000000, 100, 4})
    ->Args({10000000, 1, 1})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// Keys for 1 M particles on four workers against one plain loop over the same positions.
void BM_DepthSortKeys(benchmark::State& state) {
    static wxInitializer init;
    const int n = 1000000;
    std::vector<float> pos(3 * size_t(n));
    std::mt19937 rng(1);
    for (auto& p : pos) p = std::uniform_real_distribution<float>(-10, 10)(rng);
    std::vector<ParticleRecord_cls> r(n + 1);
    const float eye[3] = {1, 2, 30}, dir[3] = {0, 0, -1};
    const int threads = int(state.range(0));
    for (auto _ : state) {
        ComputeSortKeys(r.data(), n, 1, pos.data(), eye, dir, 1, threads);
        benchmark::DoNotOptimize(r.data());
    }
}
BENCHMARK(BM_DepthSortKeys)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
