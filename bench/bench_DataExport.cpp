// Exporting one frame of 1 M particles as "Simple Ascii" (default grammar, "%f" text)
// against writing the same bytes with one fwrite: the cost of making the text, with the
// exporter's text workers and with one thread. Goal: the export at most 3 times the fwrite.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <wx/init.h>
#include <wx/string.h>

#include "data/DataExporter.h"
#include "data/ParticleData.h"

namespace {

constexpr int kParticles = 1000000;

struct ExportFixture {
    ParticleData_cls frame;
    DataExporter_cls exporter{nullptr, nullptr};
    std::string path = "/tmp/pt_bench_export.txt";
    std::string bytes;  // what the exporter writes
    ExportFixture() {
        static wxInitializer init;  // the text workers are wxThreads
        frame.Allocate(kParticles);
        frame.time = 12.5;
        for (int i = 0; i < kParticles; ++i) {
            for (int c = 0; c < 3; ++c) {
                // 64-bit: i * 7919 goes past the int range for the later particles.
                const int64_t mixed = (int64_t{i} * 7919 + int64_t{c} * 104729) % 200000;
                frame.position[3 * i + c] = static_cast<float>(mixed) * 0.01f - 1000.0f;
                frame.velocity[3 * i + c] = static_cast<float>((i * 31 + c) % 1000) * 0.001f - 0.5f;
            }
            frame.radius[i] = 0.5f + static_cast<float>(i % 100) * 0.01f;
            frame.value1[i] = static_cast<float>(i % 4096) * 3.75f;
            frame.id[i] = i;
            frame.type[i] = static_cast<uint8_t>(i % 4);
        }
        exporter.dataType.value = 1;
        exporter.WriteAscii(wxString::FromUTF8(path.c_str()), frame, 1);
        std::ifstream in(path, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        bytes = all.str();
    }
    ~ExportFixture() { std::remove(path.c_str()); }
};

ExportFixture& Fixture() {
    static ExportFixture f;
    return f;
}

// Argument: text workers (0: the exporter's default, one per processor up to 8).
void BM_DataExport_Ascii1M(benchmark::State& state) {
    ExportFixture& f = Fixture();
    const wxString path = wxString::FromUTF8(f.path.c_str());
    f.exporter.textWorkers = static_cast<int>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(f.exporter.WriteAscii(path, f.frame, 1));
    f.exporter.textWorkers = 0;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.bytes.size()));
}
BENCHMARK(BM_DataExport_Ascii1M)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DataExport_FwriteSameBytes(benchmark::State& state) {
    ExportFixture& f = Fixture();
    for (auto _ : state) {
        std::FILE* out = std::fopen(f.path.c_str(), "wb");
        benchmark::DoNotOptimize(std::fwrite(f.bytes.data(), 1, f.bytes.size(), out));
        std::fclose(out);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.bytes.size()));
}
BENCHMARK(BM_DataExport_FwriteSameBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
