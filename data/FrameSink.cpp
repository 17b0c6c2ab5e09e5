// Draw, export and POV-Ray requests of a data sequence, handed to the renderer, the exporter
// and the POV-Ray particle writer.
#include "data/FrameSink.h"

#include "data/DataSequence.h"
#include "data/ParticleData.h"

namespace {
FrameRenderer_cls*& RendererSlot() {
    static FrameRenderer_cls* renderer = nullptr;
    return renderer;
}
FramePovWriter_cls*& PovWriterSlot() {
    static FramePovWriter_cls* writer = nullptr;
    return writer;
}
}  // namespace

FramePovWriter_cls* FramePovWriter_cls::Installed() { return PovWriterSlot(); }

void FramePovWriter_cls::Install(FramePovWriter_cls* writer) { PovWriterSlot() = writer; }

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

std::string FramePovWriter_cls::WritePovParticleFile(DataSequence_cls& sequence, std::FILE* out) {
    wxString text;
    std::string missing = WritePovParticles(sequence, text);
    const std::string bytes = text.utf8_string();
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    return missing;
}

bool DataSequence_cls::WritePovParticleFile(std::FILE* out, int i, std::string* problem) {
    FramePovWriter_cls* writer = FramePovWriter_cls::Installed();
    if (!writer) return false;
    DataFrame_cls& f = *frames[Clamp(i < 0 ? 0 : i)];
    // As WritePovParticles: only a loaded frame with particles has any.
    if (!f.loaded.load(std::memory_order_acquire) || f.data->count < 1) return false;
    const std::string missing = writer->WritePovParticleFile(*this, out);
    if (missing.empty()) return true;
    if (problem) *problem = missing;
    return false;
}

bool DataSequence_cls::WritePovParticles(wxString& out, int i, std::string* problem) {
    FramePovWriter_cls* writer = FramePovWriter_cls::Installed();
    if (!writer) return false;
    DataFrame_cls& f = *frames[Clamp(i < 0 ? 0 : i)];
    // The particles written are those drawn last; a frame whose body is not in, or holds no
    // particle, has none, and the scene then gets no particle instance.
    if (!f.loaded.load(std::memory_order_acquire) || f.data->count < 1) return false;
    const std::string missing = writer->WritePovParticles(*this, out);
    if (missing.empty()) return true;
    if (problem) *problem = missing;
    return false;
}
