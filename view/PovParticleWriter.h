// The POV-Ray particle writer that the data sequences call: the particles the views drew last,
// with the attribute sets of the sequence asked for.
#pragma once

#include <functional>

#include "data/FrameSink.h"

class ParticleAttrib_cls;

/// Installed by the owner of the attribute sets; GUI thread only.
class PovParticleWriter_cls : public FramePovWriter_cls {
public:
    /// Removes itself as the installed writer when it is.
    ~PovParticleWriter_cls() override;

    /// PovWriteDrawnParticles with `attribs` of the sequence's index, the soft-border and
    /// material-form answers below. Writes nothing without `attribs`.
    std::string WritePovParticles(DataSequence_cls& sequence, wxString& out) override;
    /// The same straight to a file, batch by batch.
    std::string WritePovParticleFile(DataSequence_cls& sequence, std::FILE* out) override;
    /// Makes this the writer every data sequence writes through.
    void Install();

    /// The four attribute sets of sequence 0..3.
    std::function<ParticleAttrib_cls* const*(int sequence)> attribs;
    /// An enabled Boolean filter of list 0 has a soft border (every type then takes the
    /// FilterAlpha macro); empty: none.
    std::function<bool()> softBooleanBorder;
    /// The output setting "PovFastColoring=" (one pigment and one finish); empty: the POV-Ray
    /// controller's setting (1 before the controller exists).
    std::function<bool()> singleForm;

private:
    /// The two writers above: `out` is the text or the file.
    template <class Out>
    std::string WriteDrawn(DataSequence_cls& sequence, Out& out);
};
