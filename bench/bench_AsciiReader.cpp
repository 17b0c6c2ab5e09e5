// Reading "x y z" lines of float text: the field parser against std::from_chars, over
// the same ~100 MB text made once in memory.
#include <benchmark/benchmark.h>

#include <charconv>
#include <random>
#include <string>

#include "common/AsciiReader.h"

namespace {

const std::string& XyzText() {
    static const std::string text = [] {
        std::string t;
        t.reserve(105u << 20);
        std::mt19937 rng(2024);
        std::uniform_real_distribution<double> coord(-1000.0, 1000.0);
        char buf[64];
        while (t.size() < (100u << 20)) {
            for (int k = 0; k < 3; ++k) {
                auto r = std::to_chars(buf, buf + sizeof buf, coord(rng), std::chars_format::fixed, 6);
                t.append(buf, r.ptr);
                t += k < 2 ? ' ' : '\n';
            }
        }
        return t;
    }();
    return text;
}

void BM_AsciiReader_ParseFloatField(benchmark::State& state) {
    const std::string& text = XyzText();
    const char* const end = text.data() + text.size();
    double sum = 0.0;
    for (auto _ : state) {
        sum = 0.0;
        const char* p = text.data();
        while (p < end) {
            sum += AsciiReader_cls::ParseFloatField(p, ' ', end);
            ++p;
            sum += AsciiReader_cls::ParseFloatField(p, ' ', end);
            ++p;
            sum += AsciiReader_cls::ParseFloatField(p, '\n', end);
            ++p;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["checksum"] = sum;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_AsciiReader_ParseFloatField)->Unit(benchmark::kMillisecond);

void BM_AsciiReader_FromCharsBaseline(benchmark::State& state) {
    const std::string& text = XyzText();
    const char* const end = text.data() + text.size();
    double sum = 0.0;
    for (auto _ : state) {
        sum = 0.0;
        const char* p = text.data();
        while (p < end) {
            float v = 0.0f;
            p = std::from_chars(p, end, v).ptr + 1;  // over the blank or line feed
            sum += v;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["checksum"] = sum;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_AsciiReader_FromCharsBaseline)->Unit(benchmark::kMillisecond);

}  // namespace
