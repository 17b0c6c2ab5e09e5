// Evaluation of key-framed values against a plain linear interpolation over a sorted array
// (std::upper_bound), for 2, 10 and 50 keys; read the two as a ratio in the same run.
#include <benchmark/benchmark.h>

#include "timeline/Parameter.h"

#include <algorithm>
#include <random>
#include <vector>

namespace {

constexpr int kEvaluations = 10000000;

std::vector<double> Times() {
    std::vector<double> t(4096);
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    for (double& x : t) x = u(rng);
    return t;
}

Parameter_cls MakeCurve(int keys, int type) {
    Parameter_cls p("Bench X", "X", 0, 1);
    p.keys.clear();
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> v(-10.0, 10.0);
    for (int i = 0; i < keys; ++i) p.AddKey(static_cast<double>(i) / (keys - 1), v(rng), type, 0, 0);
    return p;
}

void BM_ParamGetValueLinear(benchmark::State& state) {
    Parameter_cls p = MakeCurve(static_cast<int>(state.range(0)), PKT_LINEAR);
    const std::vector<double> t = Times();
    for (auto _ : state) {
        double sum = 0;
        for (int i = 0; i < kEvaluations; ++i) sum += p.GetValue(t[static_cast<size_t>(i) & 4095], -1);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ParamGetValueLinear)->Arg(2)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_ParamEvaluateHermite(benchmark::State& state) {
    Parameter_cls p = MakeCurve(static_cast<int>(state.range(0)), PKT_HERMITE_AUTO);
    const std::vector<double> t = Times();
    for (auto _ : state) {
        double sum = 0;
        for (int i = 0; i < kEvaluations; ++i) sum += p.Evaluate(t[static_cast<size_t>(i) & 4095], -1);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ParamEvaluateHermite)->Arg(2)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

// Baseline: the same linear curve as plain sorted arrays searched with std::upper_bound.
void BM_BaselineUpperBoundLerp(benchmark::State& state) {
    const Parameter_cls p = MakeCurve(static_cast<int>(state.range(0)), PKT_LINEAR);
    std::vector<double> kt, kv;
    for (const ParamKey_cls& k : p.keys) {
        kt.push_back(k.time);
        kv.push_back(k.value);
    }
    const std::vector<double> t = Times();
    for (auto _ : state) {
        double sum = 0;
        for (int i = 0; i < kEvaluations; ++i) {
            const double x = t[static_cast<size_t>(i) & 4095];
            const size_t j = static_cast<size_t>(std::upper_bound(kt.begin(), kt.end(), x) - kt.begin());
            if (j == 0) {
                sum += kv.front();
            } else if (j >= kt.size()) {
                sum += kv.back();
            } else {
                const double f = (x - kt[j - 1]) / (kt[j] - kt[j - 1]);
                sum += kv[j - 1] + (kv[j] - kv[j - 1]) * f;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_BaselineUpperBoundLerp)->Arg(2)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace
