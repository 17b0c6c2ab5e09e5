// Drawing 1 M particles as points through the renderer (draw order, indices, one colour)
// against a bare glDrawArrays of the same positions in the same context. Needs a display:
// scripts/bench.sh runs it under xvfb-run when there is none. Each iteration ends with
// glFinish, so the measure is the frame's whole cost.
#include <benchmark/benchmark.h>

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <wx/init.h>

#include <memory>
#include <random>

#include "view/DrawOptions.h"
#include "view/ParticleAttrib.h"
#include "view/ParticleRenderer.h"
#include "view/Snap.h"
#include "bench/gl/BenchScene.h"

namespace {

constexpr int kCount = 1000000, kSize = 256;

struct Scene : BenchScene {
    Scene() : BenchScene(kCount) {}
};
Scene& TheScene() {
    static Scene s;
    return s;
}

void Prepare() {
    glViewport(0, 0, kSize, kSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -2, 2);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPointSize(1);
}

void BM_PointsBaselineDrawArrays(benchmark::State& state) {
    Scene& s = TheScene();
    Prepare();
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, s.frame->positions);
    glColor4f(1, 0.8f, 0.2f, 1);
    for (auto _ : state) {
        glDrawArrays(GL_POINTS, 0, kCount);
        glFinish();
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    state.SetItemsProcessed(int64_t(state.iterations()) * kCount);
}
BENCHMARK(BM_PointsBaselineDrawArrays)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PointsRenderer(benchmark::State& state) {
    static wxInitializer init;
    Scene& s = TheScene();
    ParticleRenderer_cls renderer;
    Prepare();
    for (auto _ : state) {
        renderer.DrawFrame(*s.frame, s.raw);
        glFinish();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kCount);
}
BENCHMARK(BM_PointsRenderer)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    int c = 1;
    char name[] = "pelthorn3";
    char* v[] = {name, nullptr};
    glutInit(&c, v);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(kSize, kSize);
    glutCreateWindow("bench");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
