// The particle under the mouse: the nearest of 1 M drawn particles to a window point, found
// on every mouse move over a view, against a memcpy of the same positions in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "view/ParticleUnderCursor.h"

namespace {

constexpr int kParticles = 1000000;

const std::vector<float>& Positions() {
    static std::vector<float> p = [] {
        std::vector<float> out(size_t(3) * kParticles);
        std::mt19937 rng(11);
        std::uniform_real_distribution<float> d(-1.0f, 1.0f);
        for (float& x : out) x = d(rng);
        return out;
    }();
    return p;
}

// A view of 800 x 600 looking down -z at the unit cube from 4 units away (60 degrees).
ViewMatrices View() {
    ViewMatrices m;
    for (int i = 0; i < 16; ++i) m.modelview[i] = m.projection[i] = 0;
    m.modelview[0] = m.modelview[5] = m.modelview[10] = m.modelview[15] = 1;
    m.modelview[14] = -4;
    const double f = 1.7320508, n = 0.03, far = 5000, aspect = 800.0 / 600.0;
    m.projection[0] = f / aspect;
    m.projection[5] = f;
    m.projection[10] = (far + n) / (n - far);
    m.projection[11] = -1;
    m.projection[14] = 2 * far * n / (n - far);
    m.viewport[2] = 800;
    m.viewport[3] = 600;
    m.valid = true;
    return m;
}

void BM_PositionsMemcpyBaseline(benchmark::State& state) {
    const std::vector<float>& p = Positions();
    std::vector<float> out(p.size());
    for (auto _ : state) {
        std::memcpy(out.data(), p.data(), p.size() * sizeof(float));
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(p.size() * sizeof(float)));
}
BENCHMARK(BM_PositionsMemcpyBaseline)->Unit(benchmark::kMillisecond);

void BM_NearestProjectedParticle(benchmark::State& state) {
    const std::vector<float>& p = Positions();
    const ViewMatrices m = View();
    const bool shown[4] = {true, true, true, true};
    int64_t found = -1;
    for (auto _ : state) {
        found = NearestProjectedParticle(m, p.data(), nullptr, kParticles, 1, shown, 400.5, 300.5, 8);
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(p.size() * sizeof(float)));
    state.counters["found"] = double(found);
}
BENCHMARK(BM_NearestProjectedParticle)->Unit(benchmark::kMillisecond);

}  // namespace
