// The particle text of a POV-Ray scene for 1 M drawn particles (radius per particle, plain
// macros) on four workers and on one, against formatting the same numbers into one buffer
// with snprintf and with std::to_chars on one thread, and against an fwrite of the same bytes
// to a file. Goal: the four workers at most as slow as the to_chars baseline; the one-worker
// run within 1.5 times of it; the text written straight to a file on four workers at most 3
// times the fwrite baseline. The wide-text run shows what handing the text over as the
// program's wide string costs.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

#include <wx/init.h>

#include "scene/PovParticleText.h"

namespace {

constexpr int kParticles = 1000000;

struct Record {
    int index;
    float key;
    float weight;
};

struct TextFixture {
    std::vector<float> positions, radii;
    std::vector<uint8_t> types;
    std::vector<Record> order;
    PovParticleType_cls tables[4];
    PovParticleFrame_cls frame;
    size_t textBytes = 0;
    TextFixture() {
        static wxInitializer init;  // the workers are wxThreads
        positions.resize(3 * size_t(kParticles));
        radii.resize(kParticles);
        types.resize(kParticles);
        order.resize(kParticles);
        for (int i = 0; i < kParticles; ++i) {
            for (int c = 0; c < 3; ++c) {
                const int64_t mixed = (int64_t{i} * 7919 + int64_t{c} * 104729) % 200000;
                positions[3 * size_t(i) + c] = static_cast<float>(mixed) * 0.01f - 1000.0f;
            }
            radii[i] = 0.5f + static_cast<float>(i % 100) * 0.01f;
            types[i] = static_cast<uint8_t>(i % 4);
            order[i] = {(i * 7) % kParticles, 0.0f, 1.0f};  // 7 and 10^6 are coprime: a permutation
        }
        for (int t = 0; t < 4; ++t) tables[t].drawType = 2;
        frame.positions = positions.data();
        frame.radii = radii.data();
        frame.types = types.data();
        frame.particleCount = kParticles;
        frame.orderIndex = &order[0].index;
        frame.orderWeight = &order[0].weight;
        frame.orderStride = sizeof(Record);
        frame.orderCount = kParticles;
        std::string text;
        PovWriteParticles(text, tables, frame, true, 1);
        textBytes = text.size();
    }
};

TextFixture& Fixture() {
    static TextFixture f;
    return f;
}

// Argument: workers (4 as the scene writer uses, or 1).
void BM_PovParticleText1M(benchmark::State& state) {
    TextFixture& f = Fixture();
    for (auto _ : state) {
        std::string text;
        PovWriteParticles(text, f.tables, f.frame, true, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.textBytes));
}
BENCHMARK(BM_PovParticleText1M)->Arg(4)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same into the program's wide text, as the scene writer receives it (four workers).
void BM_PovParticleText1M_WideText(benchmark::State& state) {
    TextFixture& f = Fixture();
    for (auto _ : state) {
        wxString text;
        PovWriteParticles(text, f.tables, f.frame, true, 4);
        benchmark::DoNotOptimize(text.wx_str());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.textBytes));
}
BENCHMARK(BM_PovParticleText1M_WideText)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baseline: the same lines with snprintf into one preallocated buffer, one thread.
void BM_PovParticleText_SnprintfBaseline(benchmark::State& state) {
    TextFixture& f = Fixture();
    std::vector<char> buf(f.textBytes + 256);
    for (auto _ : state) {
        char* p = buf.data();
        for (const Record& r : f.order) {
            const float* xyz = &f.positions[3 * size_t(r.index)];
            p += std::snprintf(p, 256, "SP%d(<%.3f,%.3f,%.3f>,%.3f)\n", int(f.types[r.index]), double(xyz[0]),
                               double(xyz[1]), double(xyz[2]), double(f.tables[0].radius * f.radii[r.index]));
        }
        benchmark::DoNotOptimize(buf.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.textBytes));
}
BENCHMARK(BM_PovParticleText_SnprintfBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baseline: the same numbers with std::to_chars into one preallocated buffer, one thread.
void BM_PovParticleText_ToCharsBaseline(benchmark::State& state) {
    TextFixture& f = Fixture();
    std::vector<char> buf(f.textBytes + 256);
    for (auto _ : state) {
        char* p = buf.data();
        for (const Record& r : f.order) {
            const float* xyz = &f.positions[3 * size_t(r.index)];
            const double v[4] = {xyz[0], xyz[1], xyz[2], f.tables[0].radius * f.radii[r.index]};
            for (double d : v) {
                p = std::to_chars(p, p + 64, d, std::chars_format::fixed, 3).ptr;
                *p++ = ',';
            }
        }
        benchmark::DoNotOptimize(buf.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.textBytes));
}
BENCHMARK(BM_PovParticleText_ToCharsBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

// Runs `write` on a temporary file opened afresh in every iteration and closed after it;
// the file is removed at the end.
template <class Write>
void WriteToFreshFiles(benchmark::State& state, Write write) {
    char path[] = "/tmp/pt_bench_povfileXXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) {
        state.SkipWithError("no temporary file");
        return;
    }
    close(fd);
    for (auto _ : state) {
        FILE* file = std::fopen(path, "wb");
        if (!file) {
            state.SkipWithError("cannot open the temporary file");
            break;
        }
        write(file);
        std::fclose(file);
    }
    std::remove(path);
}

// The text written straight to a fresh file on four workers, closed each time.
void BM_PovParticleText1M_ToFile(benchmark::State& state) {
    TextFixture& f = Fixture();
    WriteToFreshFiles(state, [&f](FILE* file) {
        benchmark::DoNotOptimize(PovWriteParticles(file, f.tables, f.frame, true, 4).written);
    });
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.textBytes));
}
BENCHMARK(BM_PovParticleText1M_ToFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baseline: an fwrite of text of the same size to a fresh file, closed each time (what
// writing the finished scene costs at best).
void BM_PovParticleText_FwriteBaseline(benchmark::State& state) {
    TextFixture& f = Fixture();
    std::string text;
    PovWriteParticles(text, f.tables, f.frame, true, 1);
    WriteToFreshFiles(state, [&text](FILE* file) {
        benchmark::DoNotOptimize(std::fwrite(text.data(), 1, text.size(), file));
    });
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.textBytes));
}
BENCHMARK(BM_PovParticleText_FwriteBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
