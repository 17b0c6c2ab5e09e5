// Colouring by value: 1 M particle values through the per-frame colour table (its build
// counted in every iteration, as it is built once per frame) against direct evaluation of
// the four channel curves for every value, the baseline in the same run.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "filters/ColorCurve.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamKey.h"
#include "timeline/Parameter.h"

namespace {

constexpr int kValues = 1000000;

const std::vector<float>& Values() {
    static std::vector<float> v = [] {
        std::vector<float> out(kValues);
        std::mt19937 rng(5);
        std::uniform_real_distribution<float> d(-1.0f, 11.0f);  // a little beyond both ends
        for (float& x : out) x = d(rng);
        return out;
    }();
    return v;
}

// range(0): key count per channel (2: the default green-to-red line; 8: a smooth curve).
std::unique_ptr<ColorCurve_cls> MakeRecord(int keyCount) {
    std::unique_ptr<ColorCurve_cls> rec;
    if (keyCount <= 2) {
        rec = std::make_unique<ColorCurve_cls>("B", "b", "0 0 0 1", 0, nullptr);
    } else {
        double keys[16][5];
        if (keyCount > 16) keyCount = 16;
        for (int i = 0; i < keyCount; ++i) {
            const double t = double(i) / (keyCount - 1);
            keys[i][0] = t;
            keys[i][1] = t;
            keys[i][2] = 1 - t;
            keys[i][3] = (i % 2) ? 1.0 : 0.2;
            keys[i][4] = 0.5 + 0.5 * t;
        }
        rec = std::make_unique<ColorCurve_cls>("B", "b", "0 0 0 1", keyCount, keys);
        for (int k = 0; k < 4; ++k) {
            Parameter_cls& p = rec->curve->Component(k);
            for (ParamKey_cls& key : p.keys) key.type = PKT_HERMITE_AUTO;
            p.UpdateAutoTangents();
        }
    }
    rec->useColorCurve.value = true;
    rec->scalingMin.value = 0;
    rec->scalingMax.value = 10;
    rec->UpdateScaling();
    return rec;
}

void BM_ColorCurveDirectBaseline(benchmark::State& state) {
    const auto rec = MakeRecord(int(state.range(0)));
    const auto& v = Values();
    std::vector<float> out(size_t(kValues) * 4);
    for (auto _ : state) {
        for (int i = 0; i < kValues; ++i) rec->ColorForValue(v[size_t(i)], &out[size_t(i) * 4]);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kValues);
}
BENCHMARK(BM_ColorCurveDirectBaseline)->Arg(2)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

// range(1): table entries.
void BM_ColorCurveTable(benchmark::State& state) {
    const auto rec = MakeRecord(int(state.range(0)));
    const auto& v = Values();
    std::vector<float> out(size_t(kValues) * 4);
    for (auto _ : state) {
        rec->BuildColorTable(int(state.range(1)));
        for (int i = 0; i < kValues; ++i) rec->ColorFromTable(v[size_t(i)], &out[size_t(i) * 4]);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kValues);
}
BENCHMARK(BM_ColorCurveTable)
    ->Args({2, 1024})
    ->Args({2, kColorTableEntries})
    ->Args({8, 1024})
    ->Args({8, kColorTableEntries})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
