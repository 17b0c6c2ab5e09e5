// One view's paint of 1 M particles, as points and as billboards, through the drawing road
// (busy guards, camera and projection set-up, the scene drawer, then either the direct pass
// or the off-screen buffer and its composition, and the buffer swap) against the particle
// renderer's own draw of the same frame in the same context, at the same pixel count (a
// 512 x 512 view with 512 x 512 off-screen buffers). Each iteration ends with glFinish.
// Needs a display: scripts/bench.sh runs it under xvfb-run when there is none.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/utils.h>

#include <clocale>
#include <cstdio>
#include <memory>
#include <random>

#include "view/DrawOptions.h"
#include "view/ParticleAttrib.h"
#include "view/ParticleRenderer.h"
#include "view/Snap.h"
#include "view/gui/GLResources.h"
#include "view/gui/MainGLCanvas.h"

namespace {

constexpr int kCount = 1000000, kSize = 512;

struct Scene {
    Scene() {
        for (int t = 0; t < 4; ++t) {
            attribs[t] = std::make_unique<ParticleAttrib_cls>(nullptr, 0, t, &options);
            raw[t] = attribs[t].get();
            attribs[t]->pointSize.value = 1;
        }
        options.classify.value = 0;
        frame = std::make_unique<Snap_cls>(nullptr, raw, 0.0, 1);
        frame->Allocate(kCount);
        std::mt19937 rng(3);
        std::uniform_real_distribution<float> d(-1.0f, 1.0f);
        for (int64_t i = 0; i < 3 * int64_t(kCount); ++i) frame->positions[i] = d(rng);
        for (int i = 0; i < kCount; ++i) frame->radius[i] = 0.01f, frame->type[i] = 0;
    }
    void SetDrawType(unsigned type) {
        for (auto& a : attribs) a->drawType.value = type;
    }
    DrawOptions_cls options;
    std::unique_ptr<ParticleAttrib_cls> attribs[4];
    ParticleAttrib_cls* raw[4] = {};
    std::unique_ptr<Snap_cls> frame;
    ParticleRenderer_cls renderer;
};

Scene* g_scene = nullptr;
MainGLCanvas_cls* g_view = nullptr;

void Pump(int ms) {
    for (int i = 0; i < ms / 5 + 1; ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    }
}

/// One paint of the view as its paint handler runs it.
void Paint() {
    g_view->Render();
    glFinish();
    GbPaintBusy = false;
}

/// The renderer alone: the view's camera and projection loaded by hand, a clear, the draw.
void BM_RendererOwnDraw(benchmark::State& state) {
    g_scene->SetDrawType(unsigned(state.range(0)));
    g_view->SetCurrent(*MainGLCanvas_cls::SharedContext());
    GLProjection_cls p = g_view->projection;
    p.SetViewportSize(kSize, kSize);
    p.SetFitSize(kSize, kSize);
    for (auto _ : state) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        p.ApplyViewport();
        p.Apply(g_view->camera, 0);
        g_view->camera.LoadModelview(GL_MODELVIEW);
        g_scene->renderer.DrawFrame(*g_scene->frame, g_scene->raw);
        glFinish();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kCount);
}

/// The whole paint of the view: range(1) 0 draws directly, 1 through the off-screen buffer.
void BM_ViewPaint(benchmark::State& state) {
    g_scene->SetDrawType(unsigned(state.range(0)));
    const bool offScreen = state.range(1) != 0;
    MainGLCanvas_cls::SetUseFBO([offScreen] { return offScreen; });
    Paint();
    const int before = g_view->DrawCount();
    for (auto _ : state) Paint();
    if (g_view->DrawCount() - before != int(state.iterations())) state.SkipWithError("the view did not paint");
    state.SetItemsProcessed(int64_t(state.iterations()) * kCount);
}

// Points, then billboards: the renderer's own draw, the direct paint, the off-screen paint.
BENCHMARK(BM_RendererOwnDraw)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ViewPaint)->Args({0, 0})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ViewPaint)->Args({0, 1})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RendererOwnDraw)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ViewPaint)->Args({1, 0})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ViewPaint)->Args({1, 1})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "bench_ViewPaint: cannot start the toolkit (is DISPLAY set?)\n");
        return 1;
    }
    std::setlocale(LC_NUMERIC, "C");
    wxTheApp->CallOnInit();
    int result = 0;
    {
        CreateGLResources();
        GoRenderConfig.bufferSizeIndex.value = 1;  // 512: the view's own pixel count
        auto* frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxDefaultSize);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        g_view = new MainGLCanvas_cls(frame, frame, 0, 0);
        g_view->SetMinSize(wxSize(kSize, kSize));
        sizer->Add(g_view, 0);
        frame->SetSizerAndFit(sizer);
        frame->Show();
        for (int i = 0; i < 400 && !g_view->IsShownOnScreen(); ++i) Pump(5);
        Pump(100);
        auto scene = std::make_unique<Scene>();
        g_scene = scene.get();
        MainGLCanvas_cls::SetSceneDrawer([](MainGLCanvas_cls&, const SceneDrawArgs& a) {
            g_scene->renderer.DrawFrame(*g_scene->frame, g_scene->raw, a.subView > 0);
        });
        Paint();  // the first paint sets the view's GL state up and draws nothing
        g_view->SetCurrent(*MainGLCanvas_cls::SharedContext());
        for (auto& a : scene->attribs) a->UploadBillboard();
        if (g_view->GetClientSize() != wxSize(kSize, kSize))
            std::fprintf(stderr, "bench_ViewPaint: the view is %dx%d\n", g_view->GetClientSize().x,
                         g_view->GetClientSize().y);
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        MainGLCanvas_cls::SetSceneDrawer(nullptr);
        MainGLCanvas_cls::SetUseFBO(nullptr);
        g_view->SetCurrent(*MainGLCanvas_cls::SharedContext());
        scene.reset();  // its textures and buffers go while the context is current
        g_scene = nullptr;
        ReleaseGLResources();
        frame->Destroy();
        Pump(20);
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
