// The four data sequences' renderers and attribute sets, and their draw requests.
#include "view/gui/SequenceRenderer.h"

#include <GL/gl.h>

#include <algorithm>

#include "data/DataSequence.h"
#include "data/DataSequenceSet.h"
#include "data/ParticleData.h"
#include "view/ParticleAttrib.h"
#include "view/ParticleRenderer.h"
#include "view/Snap.h"

struct SequenceRenderer_cls::Sequence {
    ParticleRenderer_cls renderer;
    std::array<std::unique_ptr<ParticleAttrib_cls>, 4> owned;
    ParticleAttrib_cls* attribs[4] = {nullptr, nullptr, nullptr, nullptr};
    bool texturesStale = true;
};

namespace {
int ClampSequence(int seq) { return std::min(std::max(seq, 0), SequenceRenderer_cls::kSequences - 1); }
}  // namespace

SequenceRenderer_cls::SequenceRenderer_cls(DataSequenceSet_cls& set, DrawOptions_cls* drawOptions) {
    for (int s = 0; s < kSequences; ++s) {
        auto seq = std::make_unique<Sequence>();
        DataSequence_cls* owner = set.sequences[s].get();
        for (int t = 0; t < 4; ++t) {
            seq->owned[t] = std::make_unique<ParticleAttrib_cls>(owner, s, t, drawOptions);
            seq->attribs[t] = seq->owned[t].get();
        }
        seq->renderer.progress = [this](int percent) {
            if (progress) progress(percent);
        };
        m_sequences[s] = std::move(seq);
        owner->attribsNeedRates = [this, s] { return AttribsNeedRates(Attribs(s)); };
    }
    m_set = &set;
    m_povWriter.attribs = [this](int seq) { return Attribs(seq); };
}

SequenceRenderer_cls::~SequenceRenderer_cls() {
    if (FrameRenderer_cls::Installed() == this) FrameRenderer_cls::Install(nullptr);
    for (auto& seq : m_set->sequences)
        if (seq) seq->attribsNeedRates = nullptr;
}

void SequenceRenderer_cls::Install() {
    FrameRenderer_cls::Install(this);
    m_povWriter.Install();
}

ParticleRenderer_cls& SequenceRenderer_cls::Renderer(int seq) { return m_sequences[ClampSequence(seq)]->renderer; }

ParticleAttrib_cls* const* SequenceRenderer_cls::Attribs(int seq) { return m_sequences[ClampSequence(seq)]->attribs; }

void SequenceRenderer_cls::SetEye(int seq, const double eye[3], const double direction[3]) {
    const float e[3] = {float(eye[0]), float(eye[1]), float(eye[2])};
    const float d[3] = {float(direction[0]), float(direction[1]), float(direction[2])};
    Renderer(seq).SetEye(e, d);
}

void SequenceRenderer_cls::DrawSnapshot(DataSequence_cls& sequence, ParticleData_cls& snapshot,
                                        const FrameDrawRequest& request) {
    Sequence& seq = *m_sequences[ClampSequence(sequence.index)];
    if (seq.texturesStale) {
        // Textures are GL objects: made on the first draw, with the views' context current.
        for (ParticleAttrib_cls* a : seq.attribs) a->UploadBillboard();
        seq.texturesStale = false;
    }
    const double direction[3] = {request.lightDirection[0], request.lightDirection[1], request.lightDirection[2]};
    seq.renderer.SetShadowLight(request.lightCount, direction, request.shadow[0], request.shadow[1]);
    seq.renderer.SetVolumePass(request.flag);
    seq.renderer.sortPreference = sortType ? sortType() : 0;
    seq.renderer.Draw(&snapshot, seq.attribs, request.dt, request.subView > 0);
}

wxString SequenceRenderer_cls::WriteConfig(int seq) const {
    wxString text;
    for (const ParticleAttrib_cls* a : m_sequences[ClampSequence(seq)]->attribs) text += a->WriteConfig();
    return text;
}

void SequenceRenderer_cls::ReadConfig(int seq, ParamTextStream_cls& stream, const std::string& line) {
    for (ParticleAttrib_cls* a : m_sequences[ClampSequence(seq)]->attribs) a->ReadConfig(stream, line);
}

void SequenceRenderer_cls::ReloadTextures() {
    for (auto& seq : m_sequences) seq->texturesStale = true;
}
