// The sort of a snapshot by ID (5 M particles with shuffled unique IDs, every array
// reordered), read against std::sort of 5 M plain integers in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "data/ParticleData.h"
#include "data/SnapshotReader.h"

namespace {

constexpr size_t kSortParticles = 5000000;

std::vector<int32_t> ShuffledIds() {
    std::vector<int32_t> ids(kSortParticles);
    std::iota(ids.begin(), ids.end(), 0);
    std::shuffle(ids.begin(), ids.end(), std::mt19937(11));
    return ids;
}

}  // namespace

static void BM_SortBaselineStdSort5M(benchmark::State& state) {
    const std::vector<int32_t> ids = ShuffledIds();
    std::vector<int32_t> work;
    for (auto _ : state) {
        state.PauseTiming();
        work = ids;
        state.ResumeTiming();
        std::sort(work.begin(), work.end());
        benchmark::DoNotOptimize(work.data());
    }
}
BENCHMARK(BM_SortBaselineStdSort5M)->Unit(benchmark::kMillisecond)->MinTime(3.0);

static void BM_SortById5M(benchmark::State& state) {
    const std::vector<int32_t> ids = ShuffledIds();
    const size_t n = kSortParticles;
    std::vector<float> pos(3 * n), vel(3 * n), rad(n), val(n);
    std::vector<uint8_t> type(n);
    std::vector<int32_t> id(n);
    for (size_t i = 0; i < 3 * n; ++i) pos[i] = vel[i] = static_cast<float>(i);
    ParticleArrays_cls a;
    a.position = pos.data();
    a.velocity = vel.data();
    a.radius = rad.data();
    a.value1 = val.data();
    a.type = type.data();
    a.id = id.data();
    for (auto _ : state) {
        state.PauseTiming();
        id = ids;
        state.ResumeTiming();
        SortByID(static_cast<int64_t>(n), a);
        benchmark::DoNotOptimize(id.data());
    }
}
BENCHMARK(BM_SortById5M)->Unit(benchmark::kMillisecond)->MinTime(3.0);
