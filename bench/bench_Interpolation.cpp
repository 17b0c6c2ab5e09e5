// Rates between two snapshots of 1 M particles, read against a memcpy of the bytes the
// rates occupy (velocity, radius rate and value1 rate: 20 bytes per particle).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include <wx/init.h>

#include "data/ThreadInterpolator.h"

namespace {

constexpr int64_t kParticles = 1000000;

struct BenchPair {
    std::vector<float> posA, velA, radA, radRateA, valA, valRateA, posB, velB, radB, valB;
    std::vector<int32_t> idA, idB;
    BenchPair() {
        const size_t n = kParticles;
        posA.resize(3 * n);
        posB.resize(3 * n);
        velA.resize(3 * n);
        velB.resize(3 * n);
        radA.resize(n);
        radB.resize(n);
        valA.resize(n);
        valB.resize(n);
        radRateA.resize(n);
        valRateA.resize(n);
        idA.resize(n);
        idB.resize(n);
        for (size_t i = 0; i < n; ++i) {
            for (int c = 0; c < 3; ++c) {
                posA[3 * i + c] = static_cast<float>((i * 7 + c) % 1000) * 0.01f;
                posB[3 * i + c] = static_cast<float>((i * 7 + c + 3) % 1000) * 0.01f;
            }
            radA[i] = 1.0f;
            radB[i] = 1.5f;
            valA[i] = static_cast<float>(i % 100);
            valB[i] = static_cast<float>(i % 97);
            idA[i] = static_cast<int32_t>(2 * i);
            idB[i] = static_cast<int32_t>(2 * i + (i % 5 == 0 ? 1 : 0));
        }
    }
    InterpolationJob_cls Job(int mode, PeriodicRule_cls rule) {
        InterpolationJob_cls job;
        job.interpolationType = INTERP_LINEAR;
        job.numberMode = mode;
        job.periodic = rule;
        job.a = {posA.data(), velA.data(), nullptr, nullptr, radA.data(), radRateA.data(),
                 valA.data(), valRateA.data(), nullptr, idA.data()};
        job.b = {posB.data(), velB.data(), nullptr, nullptr, radB.data(), nullptr,
                 valB.data(), nullptr, nullptr, idB.data()};
        job.countA = job.countB = kParticles;
        job.dt = 0.5f;
        return job;
    }
};

BenchPair& Pair() {
    static BenchPair pair;
    return pair;
}

void SetBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kParticles * 20);
}

}  // namespace

static void BM_InterpBaselineMemcpy1M(benchmark::State& state) {
    std::vector<char> a(kParticles * 20, 'x'), b(kParticles * 20);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size());
        benchmark::DoNotOptimize(b.data());
    }
    SetBytes(state);
}
BENCHMARK(BM_InterpBaselineMemcpy1M)->Unit(benchmark::kMillisecond);

// Arg: 0 by index, 1 by index in a periodic box, 2 sorted IDs.
static void BM_InterpLinear1M(benchmark::State& state) {
    const int mode = state.range(0) == 2 ? NUMBER_SORTED_ID : NUMBER_BY_INDEX;
    const PeriodicRule_cls rule = state.range(0) == 1 ? PeriodicRule_cls(2, 0, 10, 10, 10)
                                                      : PeriodicRule_cls();
    const InterpolationJob_cls job = Pair().Job(mode, rule);
    for (auto _ : state) {
        ComputeAllRates(job, 1);
        benchmark::DoNotOptimize(job.a.velocity);
    }
    SetBytes(state);
}
BENCHMARK(BM_InterpLinear1M)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The threaded split as the interpolator runs it (3 block workers for 1 M particles).
static void BM_InterpLinear1MThreads(benchmark::State& state) {
    static wxInitializer init;
    const InterpolationJob_cls job = Pair().Job(NUMBER_BY_INDEX, PeriodicRule_cls());
    for (auto _ : state) {
        ThreadInterpolator_cls::RunBlocks(job, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(job.a.velocity);
    }
    SetBytes(state);
}
BENCHMARK(BM_InterpLinear1MThreads)->Arg(3)->Arg(6)->Unit(benchmark::kMillisecond)->UseRealTime();

namespace {

// A snapshot pair of 1 M particles where 5% of A's particles are gone from B (chosen at
// random): B's later particles sit ever further from their index in A, as after losses.
struct LostPair {
    std::vector<float> posA, velA, radA, radRateA, valA, valRateA, posB, velB, radB, valB;
    std::vector<int32_t> idA, idB;
    LostPair() {
        const size_t n = kParticles;
        std::mt19937 rng(7);
        for (size_t i = 0; i < n; ++i) {
            idA.push_back(static_cast<int32_t>(i));
            for (int c = 0; c < 3; ++c) posA.push_back(static_cast<float>((i * 7 + c) % 1000) * 0.01f);
            radA.push_back(1.0f);
            valA.push_back(static_cast<float>(i % 100));
            if (rng() % 20 == 0) continue;  // lost in B
            idB.push_back(static_cast<int32_t>(i));
            for (int c = 0; c < 3; ++c) posB.push_back(static_cast<float>((i * 7 + c + 3) % 1000) * 0.01f);
            radB.push_back(1.5f);
            valB.push_back(static_cast<float>(i % 97));
        }
        velA.resize(3 * n);
        velB.resize(posB.size());
        radRateA.resize(n);
        valRateA.resize(n);
    }
    InterpolationJob_cls Job(int mode) {
        InterpolationJob_cls job;
        job.interpolationType = INTERP_LINEAR;
        job.numberMode = mode;
        job.a = {posA.data(), velA.data(), nullptr, nullptr, radA.data(), radRateA.data(),
                 valA.data(), valRateA.data(), nullptr, idA.data()};
        job.b = {posB.data(), velB.data(), nullptr, nullptr, radB.data(), nullptr,
                 valB.data(), nullptr, nullptr, idB.data()};
        job.countA = static_cast<int64_t>(idA.size());
        job.countB = static_cast<int64_t>(idB.size());
        job.dt = 0.5f;
        return job;
    }
};

LostPair& Lost() {
    static LostPair pair;
    return pair;
}

}  // namespace

// Matching by ID (the index of B's IDs built in each run) against matching by index, on the
// same pair of 1 M and 950 k particles, one worker. Arg: 0 by index (the baseline), 1 by ID.
static void BM_InterpLost5Percent1M(benchmark::State& state) {
    const InterpolationJob_cls job = Lost().Job(state.range(0) == 1 ? NUMBER_BY_ID : NUMBER_BY_INDEX);
    for (auto _ : state) {
        ComputeAllRates(job, 1);
        benchmark::DoNotOptimize(job.a.velocity);
    }
    SetBytes(state);
}
BENCHMARK(BM_InterpLost5Percent1M)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
