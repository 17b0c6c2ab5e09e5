// One numbered sequence of snapshot files with its 10,000 frame slots: naming, readiness,
// on-demand loading, frame times, key-frame marks, eviction choices and its settings text.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include <wx/string.h>

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"
#include "common/FileSequence.h"
#include "data/DataFrame.h"
#include "data/FrameSlots.h"

class ParamTextStream_cls;
class FrameExporter_cls;
struct FrameDrawRequest;

/// One data sequence. GUI thread only (the slots' status bytes excepted, see DataFrame_cls).
///
/// Per-frame accessors clamp their index: with frames, an index at or above the frame count
/// becomes the last frame; there is no lower bound (callers pass 0 or more).
class DataSequence_cls {
public:
    static constexpr int kFrameSlots = FrameSlots_cls::kCount;  ///< slots per sequence
    /// Frames a load keeps of a list longer than the slots.
    static constexpr int kLoadCutFrames = 8000;

    /// Made on first use: the file list makes those below its count (and one more, the last
    /// frame's successor); an index addressed beyond them makes it and the slots below.
    FrameSlots_cls frames;
    int index;                 ///< 0..3
    FileSequence_cls files;    ///< the numbered file pattern, its path and file count
    ConfItemSTR_cls item;      ///< "DataSequence<index>=", default the index; the value is not used
    ConfItemGroup_cls group;   ///< holds `item`

    /// `context` is borrowed (null: the shared defaults) and must outlive the sequence.
    explicit DataSequence_cls(int index, const DataLoadContext_cls* context = nullptr);
    /// Waits for workers using its slots, then deletes them.
    ~DataSequence_cls();
    DataSequence_cls(const DataSequence_cls&) = delete;
    DataSequence_cls& operator=(const DataSequence_cls&) = delete;

    const DataLoadContext_cls& Context() const;

    /// Sets the file pattern from the first file `path`, counts the files and names every
    /// slot below the count (resetting their file tests). A slot whose file name changes,
    /// and a slot beyond the new count that had a file, is released with reset (after any
    /// worker using it has finished); slots keeping their file keep data and status.
    /// A sequence longer than the slots is cut to kFrameSlots frames with a warning, or,
    /// with `loadCut` (the user's load), to kLoadCutFrames frames and no warning: the
    /// caller says so (see LongerThanSlots).
    void SetFileList(const wxString& path, bool loadCut = false);
    /// True when the pattern of the last SetFileList counted more files than the slots.
    bool LongerThanSlots() const { return files.fileCount > kFrameSlots; }
    /// `frame` ≠ -2: that slot's Release(reset) (out-of-range indices do nothing); -2: with
    /// `reset` the path is emptied first, then all slots are released.
    void ReleaseFrames(int frame, bool reset);
    /// Clears the marks of the slots below the frame count.
    void ClearMarks();
    /// Marks slot `i` (clamped).
    void MarkFrame(int i);

    /// Files found (0 before a list is set), never above kFrameSlots.
    int GetFrameCount() const;
    /// The file name of frame `i` (clamped).
    wxString GetFileName(int i) const;
    /// The snapshot's particle count; 0 when unknown.
    int64_t GetParticleCount(int i) const;
    /// The slot's time (-9999.0 until its header has been read).
    double GetFrameTime(int i) const;
    /// time(i) through `time` and (time(i+1) − time(i)) × factor through `span` (both
    /// indices clamped); returns the span. The views use the span as evaluation offset dt.
    double GetFrameTimes(double& time, double& span, int i, double factor) const;
    /// The memory estimate in MB: the KB of the slots below the count, summed, / 1024.
    int GetMemoryMB() const;
    /// The KB of the slots below the count, summed.
    int64_t GetMemoryKB() const;
    /// Slots below the count whose body is in.
    int CountLoadedFrames() const;

    /// True when frame `i` can be shown: no readable file, or loaded with (when needed)
    /// the rates. Rates are needed with `needsRates`, when attribsNeedRates says so, or with
    /// a fraction that is not 0 (NaN counts as not 0). No side effect but the cached file test.
    bool IsFrameReady(int i, double fraction, bool needsRates);
    /// Starts loading frame `i` (and its rates when needed); with `wait` blocks until done.
    void PrepareFrame(int i, double fraction, bool needsRates, bool wait);

    /// Drops the loaded slots whose index mod `step` is above 1, but never `current` and
    /// its successor, nor slots a worker is using. `step` below 1 counts as 1.
    void ReleaseOffStep(int step, int current);
    /// Evicts one loaded slot chosen by distance from `current` (marked slots last, the
    /// current slot and the next three steps never, slots a worker uses never). Returns the
    /// evicted index, or -1 when nothing was evicted.
    int EvictOne(int current, int step);

    /// Hands the loaded snapshot of frame `request.frame` (clamped) to the installed
    /// renderer (FrameRenderer_cls). False, drawing nothing, without a renderer or when the
    /// frame's body is not in or holds no particle.
    bool DrawFrame(const FrameDrawRequest& request);
    /// The exporter's export of frame `i` (clamped) with `stride` (below 1 counts as 1); a
    /// snapshot of no particles is exported as well. False without an exporter, when the
    /// body is not in, or when the export failed.
    bool ExportFrame(FrameExporter_cls* exporter, int i, int stride);
    /// The installed POV-Ray writer's particle text (FramePovWriter_cls) appended to `out`
    /// when frame `i` (clamped) is loaded with at least one particle; false, writing nothing,
    /// without a writer or otherwise. False too when the writer left particles out (no frame
    /// drawn yet, memory ran out): `problem` (may be null) then says why.
    bool WritePovParticles(wxString& out, int i, std::string* problem = nullptr);
    /// The same written to the open file `out` (FramePovWriter_cls::WritePovParticleFile).
    bool WritePovParticleFile(std::FILE* out, int i, std::string* problem = nullptr);

    /// Offers a line: the item's line makes the next line of `stream` the path (when not
    /// empty). True when the line was taken.
    bool ReadConfig(ParamTextStream_cls& stream, const std::string& line);
    /// The item's line, then the path and "\n" (an empty line without a path).
    wxString WriteConfig() const;

    /// The clamped slot index for `i`.
    int Clamp(int i) const;

    /// Whether the sequence's attribute sets colour from values that need the rates (a
    /// velocity, say, is the rate once computed); installed by the owner of the sets, which
    /// removes it before they go. Empty: they need none. GUI thread.
    std::function<bool()> attribsNeedRates;

private:
    bool RatesNeeded(double fraction, bool needsRates) const;
    /// Loaded and not in use by a worker: may be evicted.
    bool Evictable(int i) const;

    const DataLoadContext_cls* context_;
    int frameCount_ = 0;
};
