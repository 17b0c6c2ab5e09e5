// The particle drawing of the four data sequences: each sequence's renderer and its four
// per-type attribute sets, installed as the renderer the sequences hand their frames to.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include <wx/string.h>

#include "data/FrameSink.h"
#include "view/PovParticleWriter.h"

class DataSequenceSet_cls;
class DrawOptions_cls;
class ParamTextStream_cls;
class ParticleAttrib_cls;
class ParticleRenderer_cls;

/// Owns, for each of the four data sequences of `set`, one particle renderer and the four
/// attribute sets of particle types 0..3. GUI thread only; the draws need the views' GL
/// context current.
class SequenceRenderer_cls : public FrameRenderer_cls {
public:
    static constexpr int kSequences = 4;

    /// `set` and `drawOptions` are borrowed and must outlive this object (`drawOptions` may
    /// be null: DownSizing 1, no sort, classified drawing off).
    SequenceRenderer_cls(DataSequenceSet_cls& set, DrawOptions_cls* drawOptions);
    /// Removes itself as the installed renderer when it is.
    ~SequenceRenderer_cls() override;
    SequenceRenderer_cls(const SequenceRenderer_cls&) = delete;
    SequenceRenderer_cls& operator=(const SequenceRenderer_cls&) = delete;

    /// Makes this the renderer every data sequence draws through, and its POV-Ray particle
    /// writer the one they write their particles through.
    void Install();
    /// The POV-Ray particle writer of the sequences' attribute sets (its soft-border and
    /// material-form answers are set by the program).
    PovParticleWriter_cls& PovWriter() { return m_povWriter; }

    /// The renderer of sequence `seq` (0..3, clamped).
    ParticleRenderer_cls& Renderer(int seq);
    /// The four attribute sets of sequence `seq` (0..3, clamped), types 0..3.
    ParticleAttrib_cls* const* Attribs(int seq);

    /// Eye position and viewing direction (model space) for the next draws of sequence
    /// `seq`.
    void SetEye(int seq, const double eye[3], const double direction[3]);

    /// Draws `snapshot`: shadow light and volume pass from `request`, then the renderer's
    /// draw at the request's time offset; sub-views above 0 keep the draw order. Each
    /// attribute set's billboard texture is uploaded before its first draw.
    void DrawSnapshot(DataSequence_cls& sequence, ParticleData_cls& snapshot,
                      const FrameDrawRequest& request) override;

    /// The attribute text of sequence `seq`: sets 0, 1, 2, 3 in order.
    wxString WriteConfig(int seq) const;
    /// Offers a line to the four sets of sequence `seq`; they may read further lines of
    /// their blocks from `stream`.
    void ReadConfig(int seq, ParamTextStream_cls& stream, const std::string& line);
    /// The billboard textures are uploaded again before the next draw (after a read that
    /// may have changed their files). Needs no GL context.
    void ReloadTextures();

    /// Called with 0..100 while a sequence draws (the status line shows it); may be empty.
    std::function<void(int)> progress;
    /// The depth sort's approximation ("PREF_SORT_TYPE=" 0..3), read before each draw; may
    /// be empty (precise).
    std::function<int()> sortType;

private:
    struct Sequence;
    std::array<std::unique_ptr<Sequence>, kSequences> m_sequences;
    PovParticleWriter_cls m_povWriter;
    DataSequenceSet_cls* m_set = nullptr;  ///< whose sequences ask the sets about rates; not owned
};
