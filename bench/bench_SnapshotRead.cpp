// Snapshot body reading: the ASCII body parse of a ~1M-particle snapshot against
// std::from_chars over the same text, the ASCII file reader with 1 and 4 workers against
// each other and against from_chars, and the binary body read against fread of the same
// bytes. Compare the ratios within one run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstring>
#include <cstdio>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include <wx/init.h>

#include "data/ParticleData.h"
#include "data/SnapshotReader.h"
#include "data/ThreadFileReader.h"
#include "platform/FileNumbers.h"
#include "platform/ProgramPaths.h"

namespace {

constexpr int64_t kParticles = 1000000;

void InitWx() {
    static const bool ok = wxInitialize();
    (void)ok;
}

// Default grammar, "%f"-style values as simulation codes write them.
const std::string& AsciiText() {
    static const std::string text = [] {
        std::string t = "0.500000\n" + std::to_string(kParticles) + "\n";
        t.reserve(static_cast<size_t>(kParticles) * 90);
        std::mt19937 rng(7);
        std::uniform_real_distribution<double> u(-100.0, 100.0);
        for (int64_t i = 0; i < kParticles; ++i) {
            for (int k = 0; k < 7; ++k) t += platform::FormatF(u(rng)) + ' ';
            t += std::to_string(i) + ' ' + std::to_string(i % 4) + ' ' + platform::FormatF(u(rng)) + '\n';
        }
        return t;
    }();
    return text;
}

const std::string& FilePath(bool ascii) {
    static std::string paths[2];
    std::string& p = paths[ascii ? 1 : 0];
    if (p.empty()) {
        // One file per process: benchmark runs of several builds may overlap.
        p = "/tmp/pt3_bench_snapshot_" + std::to_string(platform::ProcessId()) +
            (ascii ? "_ascii.txt" : "_binary.bin");
        std::FILE* f = std::fopen(p.c_str(), "wb");
        if (!f) return p;  // the reads then fail and the benchmark reports the error
        if (ascii) {
            std::fwrite(AsciiText().data(), 1, AsciiText().size(), f);
        } else {
            const float t = 0.5f;
            const int32_t n = static_cast<int32_t>(kParticles);
            std::fwrite(&t, 4, 1, f);
            std::fwrite(&n, 4, 1, f);
            std::vector<unsigned char> rec(40);
            std::mt19937 rng(9);
            for (int64_t i = 0; i < kParticles; ++i) {
                for (auto& b : rec) b = static_cast<unsigned char>(rng());
                const int32_t type = static_cast<int32_t>(i % 4);
                std::memcpy(&rec[32], &type, 4);
                std::fwrite(rec.data(), 1, rec.size(), f);
            }
        }
        std::fclose(f);
    }
    return p;
}

struct Arrays {
    ParticleData_cls pd;
    Arrays() { pd.Allocate(kParticles); }
};

void BM_SnapshotRead_AsciiParse(benchmark::State& state) {
    const std::string& text = AsciiText();
    Arrays a;
    SnapshotGrammar g;
    g.dataType = SNAPSHOT_ASCII;
    SnapshotHeader h;
    ParseHeaderAscii(text.data(), text.size(), g, h);
    for (auto _ : state) {
        const SnapshotReadResult r = ParseBodyAscii(text.data(), text.size(), h, g, *a.pd.arrays);
        if (!r.ok) state.SkipWithError(r.message.c_str());
        benchmark::DoNotOptimize(a.pd.position[3 * (kParticles - 1)]);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_SnapshotRead_AsciiParse)->Unit(benchmark::kMillisecond);

// Baseline: every blank-separated token of the same text through std::from_chars.
void BM_SnapshotRead_AsciiFromCharsBaseline(benchmark::State& state) {
    const std::string& text = AsciiText();
    const char* const end = text.data() + text.size();
    for (auto _ : state) {
        float sum = 0;
        const char* p = text.data();
        while (p < end) {
            while (p < end && (*p == ' ' || *p == '\n')) ++p;
            const char* t = p;
            while (p < end && *p != ' ' && *p != '\n') ++p;
            float v = 0;
            std::from_chars(t, p, v);
            sum += v;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_SnapshotRead_AsciiFromCharsBaseline)->Unit(benchmark::kMillisecond);

// The whole ASCII file through the reader with 1 and 4 workers (file read, line split,
// parse, transforms).
void BM_SnapshotRead_AsciiFile(benchmark::State& state) {
    InitWx();
    const std::string& path = FilePath(true);
    Arrays a;
    SnapshotLoadSettings s;
    s.grammar.dataType = SNAPSHOT_ASCII;
    for (auto _ : state) {
        const SnapshotReadResult r = ThreadFileReader_cls::ReadBody(wxString::FromUTF8(path.c_str()), s, kParticles,
                                                                    *a.pd.arrays, static_cast<int>(state.range(0)));
        if (!r.ok) state.SkipWithError(r.message.c_str());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(AsciiText().size()));
}
BENCHMARK(BM_SnapshotRead_AsciiFile)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SnapshotRead_BinaryFile(benchmark::State& state) {
    InitWx();
    const std::string& path = FilePath(false);
    Arrays a;
    SnapshotLoadSettings s;
    for (auto _ : state) {
        const SnapshotReadResult r =
            ThreadFileReader_cls::ReadBody(wxString::FromUTF8(path.c_str()), s, kParticles, *a.pd.arrays, 1);
        if (!r.ok) state.SkipWithError(r.message.c_str());
        benchmark::DoNotOptimize(a.pd.value1[kParticles - 1]);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * (8 + 40 * kParticles));
}
BENCHMARK(BM_SnapshotRead_BinaryFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// A generic layout (not the standard fast path): same bytes, table-driven copy.
void BM_SnapshotRead_BinaryFileGeneric(benchmark::State& state) {
    InitWx();
    const std::string& path = FilePath(false);
    Arrays a;
    SnapshotLoadSettings s;
    s.grammar.bodyCodes = {0, 1, 5, 2, 7, 8};
    for (auto _ : state) {
        const SnapshotReadResult r =
            ThreadFileReader_cls::ReadBody(wxString::FromUTF8(path.c_str()), s, kParticles, *a.pd.arrays, 1);
        if (!r.ok) state.SkipWithError(r.message.c_str());
        benchmark::DoNotOptimize(a.pd.value1[kParticles - 1]);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * (8 + 40 * kParticles));
}
BENCHMARK(BM_SnapshotRead_BinaryFileGeneric)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baseline: fread of the same bytes into one buffer, in 1 MiB pieces.
void BM_SnapshotRead_BinaryFreadBaseline(benchmark::State& state) {
    const std::string& path = FilePath(false);
    std::vector<unsigned char> buf(static_cast<size_t>(8 + 40 * kParticles));
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) {
            state.SkipWithError("cannot open the snapshot file");
            break;
        }
        size_t got = 0;
        while (got < buf.size()) {
            const size_t n = std::fread(buf.data() + got, 1, std::min<size_t>(1 << 20, buf.size() - got), f);
            if (n == 0) break;
            got += n;
        }
        std::fclose(f);
        benchmark::DoNotOptimize(buf.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(buf.size()));
}
BENCHMARK(BM_SnapshotRead_BinaryFreadBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

// The binary ratio of one run: fread time / reader time, each the best of interleaved
// rounds so that load from other processes hits both alike (goal >= 0.5).
double ReadBinary(const ParticleArrays_cls& arrays, SnapshotReadResult& r) {
    SnapshotLoadSettings s;
    const auto t0 = std::chrono::steady_clock::now();
    r = ThreadFileReader_cls::ReadBody(wxString::FromUTF8(FilePath(false).c_str()), s, kParticles, arrays, 1);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

double FreadBinary(std::vector<unsigned char>& buf) {
    const auto t0 = std::chrono::steady_clock::now();
    if (std::FILE* f = std::fopen(FilePath(false).c_str(), "rb")) {
        size_t got = 0;
        while (got < buf.size()) {
            const size_t n = std::fread(buf.data() + got, 1, std::min<size_t>(1 << 20, buf.size() - got), f);
            if (n == 0) break;
            got += n;
        }
        std::fclose(f);
    }
    benchmark::DoNotOptimize(buf.data());
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void BM_SnapshotRead_BinaryRatio(benchmark::State& state) {
    InitWx();
    FilePath(false);
    Arrays a;
    std::vector<unsigned char> buf(static_cast<size_t>(8 + 40 * kParticles));
    double bestRead = 1e9, bestFread = 1e9;
    for (auto _ : state) {
        SnapshotReadResult r;
        bestFread = std::min(bestFread, FreadBinary(buf));
        bestRead = std::min(bestRead, ReadBinary(*a.pd.arrays, r));
        if (!r.ok) state.SkipWithError(r.message.c_str());
        state.SetIterationTime(bestRead);
    }
    state.counters["ms_fread"] = bestFread * 1e3;
    state.counters["ms_reader"] = bestRead * 1e3;
    state.counters["binary_vs_fread"] = bestFread / bestRead;
}
BENCHMARK(BM_SnapshotRead_BinaryRatio)->Iterations(15)->Unit(benchmark::kMillisecond)->UseManualTime();

// ~60 MB of 1M lines "id type x y z vx vy vz" (grammar: Time, Number / ID, Type, x y z,
// Vx Vy Vz), written once per process.
const SnapshotGrammar& Grammar8() {
    static const SnapshotGrammar g = [] {
        SnapshotGrammar r;
        r.dataType = SNAPSHOT_ASCII;
        r.headerCodes = {0, 1};
        r.bodyCodes = {6, 7, 0, 1};
        return r;
    }();
    return g;
}

const std::string& Text8() {
    static const std::string text = [] {
        std::string t = "0.5\n" + std::to_string(kParticles) + "\n";
        t.reserve(static_cast<size_t>(kParticles) * 62);
        std::mt19937 rng(11);
        std::uniform_real_distribution<double> u(-100.0, 100.0);
        char buf[32];
        for (int64_t i = 0; i < kParticles; ++i) {
            t += std::to_string(1000000 + i);
            t += ' ';
            t += static_cast<char>('0' + i % 4);
            for (int k = 0; k < 6; ++k) {
                t += ' ';
                t.append(buf, std::to_chars(buf, buf + sizeof buf, u(rng), std::chars_format::fixed, 4).ptr);
            }
            t += '\n';
        }
        return t;
    }();
    return text;
}

const std::string& Path8() {
    static const std::string path = [] {
        const std::string p = "/tmp/pt3_bench_snapshot_" + std::to_string(platform::ProcessId()) + "_ascii8.txt";
        if (std::FILE* f = std::fopen(p.c_str(), "wb")) {
            std::fwrite(Text8().data(), 1, Text8().size(), f);
            std::fclose(f);
        }
        return p;
    }();
    return path;
}

// The loader's own path for the 8-column file: open, body by workers, cleared arrays.
double ReadFile8(const ParticleArrays_cls& arrays, int workers, SnapshotReadResult& r) {
    SnapshotLoadSettings s;
    s.grammar = Grammar8();
    const auto t0 = std::chrono::steady_clock::now();
    r = ThreadFileReader_cls::ReadBody(wxString::FromUTF8(Path8().c_str()), s, kParticles, arrays, workers);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// The plain baseline: the same 8M numbers of the same text through std::from_chars on one
// thread (integers as integers, the rest as floats), stored into the same arrays.
double FromChars8(const ParticleArrays_cls& a) {
    const std::string& text = Text8();
    const auto t0 = std::chrono::steady_clock::now();
    const char* p = text.data() + text.find('\n', text.find('\n') + 1) + 1;
    const char* const end = text.data() + text.size();
    for (int64_t i = 0; i < kParticles && p < end; ++i) {
        int32_t id = 0, type = 0;
        p = std::from_chars(p, end, id).ptr + 1;
        p = std::from_chars(p, end, type).ptr + 1;
        a.id[i] = id;
        a.type[i] = static_cast<uint8_t>(type);
        for (int k = 0; k < 3; ++k) p = std::from_chars(p, end, a.position[3 * i + k]).ptr + 1;
        for (int k = 0; k < 3; ++k) p = std::from_chars(p, end, a.velocity[3 * i + k]).ptr + 1;
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void BM_SnapshotRead_Ascii8FromCharsBaseline(benchmark::State& state) {
    Arrays a;
    for (auto _ : state) {
        state.SetIterationTime(FromChars8(*a.pd.arrays));
        benchmark::DoNotOptimize(a.pd.position[3 * (kParticles - 1)]);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Text8().size()));
}
BENCHMARK(BM_SnapshotRead_Ascii8FromCharsBaseline)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_SnapshotRead_Ascii8File(benchmark::State& state) {
    InitWx();
    Path8();
    Arrays a;
    for (auto _ : state) {
        SnapshotReadResult r;
        state.SetIterationTime(ReadFile8(*a.pd.arrays, static_cast<int>(state.range(0)), r));
        if (!r.ok) state.SkipWithError(r.message.c_str());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Text8().size()));
}
BENCHMARK(BM_SnapshotRead_Ascii8File)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseManualTime();

// The two ratios of one run, each from the best of interleaved rounds so that load from
// other processes hits all three alike: "workers4_vs_1" (time of 1 worker / time of 4,
// goal >= 3.2, needs 4 idle cores) and "worker1_vs_from_chars" (from_chars time / 1
// worker time, goal >= 0.9). "cpu_4_vs_1" is the processor time of all threads of the
// 4-worker read over that of the 1-worker read: the work the split adds, which a busy
// machine does not hide.
void BM_SnapshotRead_Ascii8Ratios(benchmark::State& state) {
    InitWx();
    Path8();
    Arrays a;
    double best1 = 1e9, best4 = 1e9, bestFc = 1e9, cpu1 = 1e9, cpu4 = 1e9;
    for (auto _ : state) {
        SnapshotReadResult r;
        bestFc = std::min(bestFc, FromChars8(*a.pd.arrays));
        std::clock_t c0 = std::clock();
        best1 = std::min(best1, ReadFile8(*a.pd.arrays, 1, r));
        cpu1 = std::min(cpu1, static_cast<double>(std::clock() - c0));
        if (!r.ok) state.SkipWithError(r.message.c_str());
        c0 = std::clock();
        best4 = std::min(best4, ReadFile8(*a.pd.arrays, 4, r));
        cpu4 = std::min(cpu4, static_cast<double>(std::clock() - c0));
        if (!r.ok) state.SkipWithError(r.message.c_str());
        state.SetIterationTime(best1);
    }
    state.counters["ms_from_chars"] = bestFc * 1e3;
    state.counters["ms_1_worker"] = best1 * 1e3;
    state.counters["ms_4_workers"] = best4 * 1e3;
    state.counters["workers4_vs_1"] = best1 / best4;
    state.counters["worker1_vs_from_chars"] = bestFc / best1;
    state.counters["cpu_4_vs_1"] = cpu4 / cpu1;
}
BENCHMARK(BM_SnapshotRead_Ascii8Ratios)->Iterations(7)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace

namespace {

// ~80 MB of 1M lines shaped like a molecular-dynamics dump: "id type x y z vx vy vz", with
// coordinates of up to a few hundred and velocities in the default "%f" form, written once
// per process. Read with the 8-column grammar.
const std::string& DumpPath() {
    static const std::string path = [] {
        const std::string p = "/tmp/pt3_bench_snapshot_" + std::to_string(platform::ProcessId()) + "_dump.txt";
        std::string t = "0.500000\n" + std::to_string(kParticles) + "\n";
        t.reserve(static_cast<size_t>(kParticles) * 84);
        std::mt19937 rng(13);
        std::uniform_real_distribution<double> at(-350.0, 350.0);
        std::uniform_real_distribution<double> speed(-8.0, 8.0);
        for (int64_t i = 0; i < kParticles; ++i) {
            t += std::to_string(i + 1) + ' ' + std::to_string(1 + i % 3);
            for (int k = 0; k < 3; ++k) t += ' ' + platform::FormatF(at(rng));
            for (int k = 0; k < 3; ++k) t += ' ' + platform::FormatF(speed(rng));
            t += '\n';
        }
        if (std::FILE* f = std::fopen(p.c_str(), "wb")) {
            std::fwrite(t.data(), 1, t.size(), f);
            std::fclose(f);
        }
        return p;
    }();
    // The file goes when the process ends: it is too large to leave behind run after run.
    static const struct Remover {
        ~Remover() { std::remove(path.c_str()); }
    } remover;
    return path;
}

double ReadDump(const ParticleArrays_cls& arrays, int workers, SnapshotReadResult& r) {
    SnapshotLoadSettings s;
    s.grammar = Grammar8();
    const auto t0 = std::chrono::steady_clock::now();
    r = ThreadFileReader_cls::ReadBody(wxString::FromUTF8(DumpPath().c_str()), s, kParticles, arrays, workers);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// The baseline: fread of the same file's bytes (from the page cache) into one buffer.
double FreadDump(std::vector<char>& buf) {
    const auto t0 = std::chrono::steady_clock::now();
    size_t got = 0;
    if (std::FILE* f = std::fopen(DumpPath().c_str(), "rb")) {
        for (;;) {
            if (got == buf.size()) buf.resize(buf.size() + (16u << 20));
            const size_t n = std::fread(buf.data() + got, 1, std::min<size_t>(1 << 20, buf.size() - got), f);
            if (n == 0) break;
            got += n;
        }
        std::fclose(f);
    }
    benchmark::DoNotOptimize(buf.data());
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    buf.resize(got);
    return s;
}

// The dump's ratios of one run, each from the best of interleaved rounds: "workers4_vs_fread"
// (fread time / time of the loader's read on 4 workers, goal >= 0.4) and "workers4_vs_1"
// (goal >= 3.2, needs 4 idle cores).
void BM_SnapshotRead_DumpRatios(benchmark::State& state) {
    InitWx();
    Arrays a;
    std::vector<char> buf;
    FreadDump(buf);  // writes the file and sizes the buffer outside the rounds
    double bestFread = 1e9, best1 = 1e9, best4 = 1e9;
    for (auto _ : state) {
        SnapshotReadResult r;
        bestFread = std::min(bestFread, FreadDump(buf));
        best1 = std::min(best1, ReadDump(*a.pd.arrays, 1, r));
        if (!r.ok) state.SkipWithError(r.message.c_str());
        best4 = std::min(best4, ReadDump(*a.pd.arrays, 4, r));
        if (!r.ok) state.SkipWithError(r.message.c_str());
        state.SetIterationTime(best4);
    }
    state.counters["MB"] = static_cast<double>(buf.size()) / 1e6;
    state.counters["ms_fread"] = bestFread * 1e3;
    state.counters["ms_1_worker"] = best1 * 1e3;
    state.counters["ms_4_workers"] = best4 * 1e3;
    state.counters["workers4_vs_fread"] = bestFread / best4;
    state.counters["workers4_vs_1"] = best1 / best4;
}
BENCHMARK(BM_SnapshotRead_DumpRatios)->Iterations(7)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
