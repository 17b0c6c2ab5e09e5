// Memory of the frame cache: 20 frames of 1 M particles loaded into a data sequence (the
// default Hermite settings), its own estimate (GetMemoryMB) beside the growth of the
// process's resident memory (/proc/self/statm), without and with the rates computed.
// One iteration each; read the counters EstimateMB and ResidentGrowthMB.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include <malloc.h>
#include <unistd.h>
#include <wx/init.h>

#include "data/DataFrame.h"
#include "data/DataSequence.h"
#include "data/SnapshotWriter.h"
#include "platform/ProgramPaths.h"
#include "tools/DemoSequence.h"

namespace {

constexpr int64_t kParticles = 1000000;
constexpr int kFrames = 20;

double ResidentMB() {
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f) return 0;
    long size = 0, resident = 0;
    const int got = std::fscanf(f, "%ld %ld", &size, &resident);
    std::fclose(f);
    return got == 2 ? static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0)
                    : 0.0;
}

// One generated 1 M-particle binary file and 19 links to it: 20 frames for the cache
// without 800 MB on disk.
std::string Folder() {
    static const std::string folder = [] {
        const std::string dir = "/tmp/pt3_bench_frames_" + std::to_string(getpid());
        std::filesystem::create_directories(dir);
        DemoSequenceOptions o;
        o.particles = kParticles;
        o.frames = 1;
        o.grammar.dataType = SNAPSHOT_BINARY;
        DemoSequence_cls seq(o);
        std::string error;
        WriteSnapshotFile(dir + "/" + o.FileName(0), o.grammar, seq.Time(), seq.Particles(), error);
        for (int k = 1; k < kFrames; ++k)
            std::filesystem::create_symlink(o.FileName(0), dir + "/" + o.FileName(k));
        return dir;
    }();
    return folder;
}

}  // namespace

// Arg 0: bodies only; 1: with the rates towards the next frame.
static void BM_FrameCacheMemory20x1M(benchmark::State& state) {
    static const bool wx = wxInitialize();
    (void)wx;
    const std::string folder = Folder();
    const bool rates = state.range(0) != 0;
    for (auto _ : state) {
        DataLoadContext_cls context;
        context.settings = [] {
            SnapshotLoadSettings s;
            s.grammar.dataType = SNAPSHOT_BINARY;
            return s;
        };
        auto seq = std::make_unique<DataSequence_cls>(0, &context);
        malloc_trim(0);  // memory freed by an earlier run would otherwise be reused unseen
        const double before = ResidentMB();
        seq->SetFileList(wxString::FromUTF8((folder + "/demo0000.dat").c_str()));
        for (int k = 0; k < kFrames; ++k) seq->PrepareFrame(k, 0.0, rates, true);
        const double after = ResidentMB();
        state.counters["Frames"] = seq->CountLoadedFrames();
        state.counters["EstimateMB"] = seq->GetMemoryMB();
        state.counters["ResidentGrowthMB"] = after - before;
        state.counters["estimate_vs_growth"] = seq->GetMemoryMB() / std::max(1.0, after - before);
        state.PauseTiming();
        seq.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FrameCacheMemory20x1M)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
