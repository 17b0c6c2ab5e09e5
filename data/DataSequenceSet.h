// The four data sequences, the current one that receives every load, and the frame cache's
// memory limit.
#pragma once

#include <array>
#include <memory>
#include <string>

#include <wx/string.h>

#include "data/DataFrame.h"
#include "data/DataSequence.h"

class DrawOptions_cls;
class ParamTextStream_cls;

/// The set of data sequences. One instance, owned by the central object, published in
/// `GpDataSequenceSet`. GUI thread only. "current" below is the current sequence.
class DataSequenceSet_cls {
public:
    static constexpr int kSequences = 4;

    std::array<std::unique_ptr<DataSequence_cls>, kSequences> sequences;  ///< indices 0..3
    int current = 0;        ///< index of the current sequence; nothing changes it
    int memoryInUse = 0;    ///< MB, the last estimate of the current sequence
    int memoryLimit;        ///< MB; 4096 with the large-limit flag, else 768
    DrawOptions_cls* drawOptions;  ///< borrowed; may be null
    /// What loads take from the program (settings, threads, poster, reports). Set by the
    /// shell before the first load; shared by the four sequences.
    DataLoadContext_cls context;

    DataSequenceSet_cls(DrawOptions_cls* drawOptions, bool largeLimit);
    ~DataSequenceSet_cls();
    DataSequenceSet_cls(const DataSequenceSet_cls&) = delete;
    DataSequenceSet_cls& operator=(const DataSequenceSet_cls&) = delete;

    /// Drops off-step frames of the current sequence, then evicts one frame at a time until
    /// the estimate is within the limit or nothing can go; memory so freed is handed back
    /// to the system. The current frame `frame`, its
    /// successor and frames a worker uses stay. `step` below 1 counts as 1.
    void EnforceMemoryLimit(int frame, int step);
    /// Memory in use := the current sequence's estimate now (MB); returns it.
    int UpdateMemoryInUse();
    /// `sequence` -2: every sequence with (frame, reset); -1: the current one with (frame,
    /// reset); 0..3: that sequence, all frames (with `reset`).
    void ReleaseFrames(int sequence, int frame, bool reset);
    /// Releases every frame of all four sequences (ReleaseFrames(-2, -2, reset)); what
    /// opening a project does before it reads the sequences' file lists.
    void ReleaseAllSequences(bool reset);
    /// Clears the key-frame marks of all four sequences.
    void ClearFrameMarks();
    /// Marks frame `i` (clamped) in all four sequences.
    void MarkFrame(int i);
    /// File count of the current sequence.
    int GetFrameCount() const;
    /// Loaded slots of the current sequence.
    int CountLoadedFrames() const;
    DataSequence_cls* GetCurrent() const { return sequences[current].get(); }
    /// The current sequence's path text.
    wxString GetFileList() const;
    /// SetFileList of the current sequence (`loadCut` as there).
    void SetFileList(const wxString& path, bool loadCut = false);
    /// time(i) and (time(i+1) − time(i)) × factor of the current sequence; returns the span.
    double GetFrameTimes(double& time, double& span, int i, double factor) const;
    /// IsFrameReady of the current sequence.
    bool IsFrameReady(int i, double fraction, bool needsRates);
    /// PrepareFrame of the current sequence; never ends the program.
    void PrepareFrame(int i, double fraction, bool needsRates, bool wait);
    /// Blocks until the running reader and interpolator have finished (what the drawing
    /// side waits for before it uses or frees snapshots).
    void WaitForWorkers();

    /// Offers the line to the four sequences in order.
    void ReadConfig(ParamTextStream_cls& stream, const std::string& line);
    /// The text of the four sequences in order.
    wxString WriteConfig() const;
};

/// The set of data sequences, or null outside the central object's life.
extern DataSequenceSet_cls* GpDataSequenceSet;
