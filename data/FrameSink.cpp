// Draw and export requests of a data sequence, handed to the renderer and the exporter.
#include "data/FrameSink.h"

#include "data/DataSequence.h"
#include "data/ParticleData.h"

namespace {
FrameRenderer_cls*& RendererSlot() {
    static FrameRenderer_cls* renderer = nullptr;
    return renderer;
}
}  // namespace

FrameRenderer_cls* FrameRenderer_cls::Installed() { return RendererSlot(); }

void FrameRenderer_cls::Install(FrameRenderer_cls* renderer) { RendererSlot() = renderer; }

bool DataSequence_cls::DrawFrame(const FrameDrawRequest& request) {
    FrameRenderer_cls* renderer = FrameRenderer_cls::Installed();
    if (!renderer) return false;
    const int i = Clamp(request.frame < 0 ? 0 : request.frame);
    DataFrame_cls& f = *frames[i];
    // Only a body that is in: a frame whose read failed or is still running draws nothing.
    if (!f.loaded.load(std::memory_order_acquire) || f.data->count < 1) return false;
    FrameDrawRequest r = request;
    r.frame = i;
    renderer->DrawSnapshot(*this, *f.data, r);
    return true;
}

bool DataSequence_cls::ExportFrame(FrameExporter_cls* exporter, int i, int stride) {
    if (!exporter) return false;
    DataFrame_cls& f = *frames[Clamp(i < 0 ? 0 : i)];
    // A snapshot of no particles is exported too (a file whose count is 0), so the files of
    // a run keep step with the frames; a body that is not in (or failed) gives nothing.
    if (!f.loaded.load(std::memory_order_acquire) || f.data->count < 0) return false;
    return exporter->ExportSnapshot(*f.data, stride < 1 ? 1 : stride, Clamp(i < 0 ? 0 : i));
}
