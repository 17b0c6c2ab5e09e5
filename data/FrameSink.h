// Where a data sequence hands a frame to be drawn or exported: small interfaces that the
// particle renderer and the data exporter implement, so that the data side needs neither.
#pragma once

#include <cstdio>
#include <string>

class DataSequence_cls;
class ParticleData_cls;
class wxString;

/// What DataSequence_cls::DrawFrame passes on with the snapshot.
struct FrameDrawRequest {
    void* view = nullptr;        ///< the drawing view (the renderer knows its type)
    int frame = 0;               ///< clamped frame index
    double dt = 0.0;             ///< evaluation offset into the interval to the next frame
    int lightCount = 0;          ///< lights casting shadows
    float lightDirection[3] = {0, 0, 0};
    float shadow[2] = {0, 0};    ///< the two shadow values
    bool flag = false;           ///< first renderer byte
    int mode = 0;                ///< draw mode; 4 leaves the second renderer byte off
    int subView = 0;             ///< sub-view of the view (0..3); above 0 keeps the draw order
};

/// The particle renderer as the data sequences see it. Installed by the view side; until
/// one is installed a draw request does nothing. GUI thread only.
class FrameRenderer_cls {
public:
    virtual ~FrameRenderer_cls() = default;
    /// Draws `snapshot` (at least one particle) of `sequence` as `request` says.
    virtual void DrawSnapshot(DataSequence_cls& sequence, ParticleData_cls& snapshot,
                              const FrameDrawRequest& request) = 0;

    /// The installed renderer, or null.
    static FrameRenderer_cls* Installed();
    /// Installs `renderer` (not owned; null removes it).
    static void Install(FrameRenderer_cls* renderer);
};

/// The data exporter's per-frame export as the data sequences see it.
class FrameExporter_cls {
public:
    virtual ~FrameExporter_cls() = default;
    /// Writes every `stride`-th particle of `snapshot`, frame `frame`. False when the file
    /// could not be written.
    virtual bool ExportSnapshot(ParticleData_cls& snapshot, int stride, int frame) = 0;
};

/// The POV-Ray particle writer as the data sequences see it: writes the particles the views
/// drew last for a sequence. Installed by the view side; until one is installed a sequence
/// writes no particles. GUI thread only.
class FramePovWriter_cls {
public:
    virtual ~FramePovWriter_cls() = default;
    /// Appends the particle macros and the "PARTICLES" declaration of `sequence`'s drawn frame
    /// to `out`. Returns why particles are missing from it (no frame drawn yet, memory ran
    /// out), or "" when the whole drawn frame is in.
    virtual std::string WritePovParticles(DataSequence_cls& sequence, wxString& out) = 0;
    /// The same written to the open file `out` (UTF-8); a file that refuses the bytes shows
    /// in its error flag. By default the text is made whole and then written.
    virtual std::string WritePovParticleFile(DataSequence_cls& sequence, std::FILE* out);

    /// The installed writer, or null.
    static FramePovWriter_cls* Installed();
    /// Installs `writer` (not owned; null removes it).
    static void Install(FramePovWriter_cls* writer);
};
