#include "view/PovParticleWriter.h"

#include "data/DataSequence.h"
#include "scene/PovText.h"
#include "view/PovDrawnParticles.h"

PovParticleWriter_cls::~PovParticleWriter_cls() {
    if (FramePovWriter_cls::Installed() == this) FramePovWriter_cls::Install(nullptr);
}

template <class Out>
std::string PovParticleWriter_cls::WriteDrawn(DataSequence_cls& sequence, Out& out) {
    if (!attribs) return std::string();
    ParticleAttrib_cls* const* sets = attribs(sequence.index);
    if (!sets) return std::string();
    std::string problem;
    PovWriteDrawnParticles(out, sets, softBooleanBorder ? softBooleanBorder() : false,
                           singleForm ? singleForm() : PovFastColoring(), &problem);
    return problem;
}

std::string PovParticleWriter_cls::WritePovParticles(DataSequence_cls& sequence, wxString& out) {
    return WriteDrawn(sequence, out);
}

std::string PovParticleWriter_cls::WritePovParticleFile(DataSequence_cls& sequence, std::FILE* out) {
    return WriteDrawn(sequence, out);
}

void PovParticleWriter_cls::Install() { FramePovWriter_cls::Install(this); }
