// Start-up cost of the data sequences: the program's set of four sequences made empty, as
// at launch, beside a plain baseline that makes only the 4 x 11 frame slots a list of ten
// files needs. Read BM_SequenceSetEmpty / BM_FrameSlotsBaseline; their ratio is the price
// of the slots made before any data is there.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include <wx/init.h>

#include "data/DataFrame.h"
#include "data/DataSequence.h"
#include "data/DataSequenceSet.h"

static void BM_SequenceSetEmpty(benchmark::State& state) {
    static const bool wx = wxInitialize();
    (void)wx;
    for (auto _ : state) {
        auto set = std::make_unique<DataSequenceSet_cls>(nullptr, true);
        benchmark::DoNotOptimize(set.get());
    }
}
BENCHMARK(BM_SequenceSetEmpty)->Unit(benchmark::kMicrosecond);

static void BM_FrameSlotsBaseline(benchmark::State& state) {
    static const bool wx = wxInitialize();
    (void)wx;
    for (auto _ : state) {
        std::vector<std::unique_ptr<DataFrame_cls>> slots;
        slots.reserve(44);
        for (int i = 0; i < 44; ++i) slots.push_back(std::make_unique<DataFrame_cls>(nullptr, i % 11));
        benchmark::DoNotOptimize(slots.data());
    }
}
BENCHMARK(BM_FrameSlotsBaseline)->Unit(benchmark::kMicrosecond);
