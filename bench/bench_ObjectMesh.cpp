// Reading meshes: the OBJ and mesh2 readers against std::from_chars over the same text
// (every number of it parsed, nothing kept), a grid of about 1 M triangles each.
#include <benchmark/benchmark.h>

#include <charconv>
#include <string>

#include <wx/init.h>

#include "scene/ObjectMesh.h"

namespace {

constexpr int kSide = 700;  // (kSide + 1)^2 vertices, 2 kSide^2 triangles

std::string Num(double v) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 6);
    return std::string(buf, r.ptr);
}

const std::string& ObjText() {
    static const std::string text = [] {
        std::string t;
        for (int y = 0; y <= kSide; ++y)
            for (int x = 0; x <= kSide; ++x)
                t += "v " + Num(x * 0.01) + " " + Num(y * 0.01) + " " + Num((x ^ y) * 0.001) + "\n";
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) {
                const int a = y * (kSide + 1) + x + 1, b = a + 1, c = a + kSide + 2, d = a + kSide + 1;
                t += "f " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c) + "\n";
                t += "f " + std::to_string(a) + " " + std::to_string(c) + " " + std::to_string(d) + "\n";
            }
        return t;
    }();
    return text;
}

const std::string& Mesh2Text() {
    static const std::string text = [] {
        const int nv = (kSide + 1) * (kSide + 1);
        std::string t = "#declare Grid=mesh2{\nvertex_vectors{ " + std::to_string(nv) + ",\n";
        for (int y = 0; y <= kSide; ++y)
            for (int x = 0; x <= kSide; ++x)
                t += "<" + Num(x * 0.01) + "," + Num(y * 0.01) + "," + Num((x ^ y) * 0.001) + ">,\n";
        t += "}\nnormal_vectors{ " + std::to_string(nv) + ",\n";
        for (int i = 0; i < nv; ++i) t += "<0.000000,0.000000,1.000000>,\n";
        t += "}\nface_indices{ " + std::to_string(2 * kSide * kSide) + ",\n";
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) {
                const int a = y * (kSide + 1) + x, b = a + 1, c = a + kSide + 2, d = a + kSide + 1;
                t += "<" + std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c) + ">,\n";
                t += "<" + std::to_string(a) + "," + std::to_string(c) + "," + std::to_string(d) + ">,\n";
            }
        return t + "}\n}\n";
    }();
    return text;
}

// Every number of the text through from_chars: the floor any text reader stands on.
void FromCharsOver(benchmark::State& state, const std::string& text) {
    const char* const end = text.data() + text.size();
    double sum = 0;
    for (auto _ : state) {
        sum = 0;
        for (const char* p = text.data(); p < end;) {
            if ((*p >= '0' && *p <= '9') || *p == '-') {
                double v = 0;
                auto r = std::from_chars(p, end, v);
                sum += v;
                p = r.ptr > p ? r.ptr : p + 1;
            } else {
                ++p;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_ObjectMesh_ObjBaselineFromChars(benchmark::State& state) { FromCharsOver(state, ObjText()); }
BENCHMARK(BM_ObjectMesh_ObjBaselineFromChars)->Unit(benchmark::kMillisecond);

void BM_ObjectMesh_ParseObj(benchmark::State& state) {
    const std::string& text = ObjText();
    for (auto _ : state) {
        ObjectMesh_cls m;
        const MeshReadResult r = m.ParseObj(text.data(), text.size(), "bench.obj");
        if (!r.ok) state.SkipWithError(r.message.c_str());
        benchmark::DoNotOptimize(m.faces.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ObjectMesh_ParseObj)->Unit(benchmark::kMillisecond);

void BM_ObjectMesh_Mesh2BaselineFromChars(benchmark::State& state) { FromCharsOver(state, Mesh2Text()); }
BENCHMARK(BM_ObjectMesh_Mesh2BaselineFromChars)->Unit(benchmark::kMillisecond);

void BM_ObjectMesh_ParseMesh2(benchmark::State& state) {
    static const bool wxReady = wxInitialize();  // the list workers are wx threads
    const std::string& text = Mesh2Text();
    for (auto _ : state) {
        ObjectMesh_cls m;
        const MeshReadResult r = m.ParseMesh2(text.data(), text.size(), "bench.pov", state.range(0) != 0 && wxReady);
        if (!r.ok) state.SkipWithError(r.message.c_str());
        benchmark::DoNotOptimize(m.faces.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ObjectMesh_ParseMesh2)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
