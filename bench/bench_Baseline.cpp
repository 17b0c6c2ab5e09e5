// Plain baselines that the other benchmarks are read against, in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

static void BM_Memcpy64MB(benchmark::State& state) {
    std::vector<char> a(64 << 20, 'x'), b(64 << 20);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size());
        benchmark::DoNotOptimize(b.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(a.size()));
}
BENCHMARK(BM_Memcpy64MB)->Unit(benchmark::kMillisecond);
