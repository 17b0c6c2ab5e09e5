// ASCII body worker: parses one contiguous block of body lines into the particle arrays.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include <wx/thread.h>

#include "data/ParticleData.h"
#include "data/SnapshotReader.h"

/// Joinable worker over body lines [lineBegin, lineEnd). The line starts, grammar and
/// arrays belong to the reader, which Wait()s for every worker before it reads `result`.
/// Workers write disjoint particles, so they need no lock.
class ThreadAsciiReader_cls : public wxThread {
public:
    ThreadAsciiReader_cls() : wxThread(wxTHREAD_JOINABLE) {}
    /// Before Run. `starts` from FindBodyLines; `firstLine` is the 1-based file line of body
    /// line 0; `progress` (may be null) gets 0..100 of this block when `reportsProgress`.
    void Setup(const std::vector<const char*>* starts, int64_t lineBegin, int64_t lineEnd,
               int64_t firstLine, const SnapshotGrammar* grammar, const ParticleArrays_cls& arrays,
               std::atomic<int>* progress, bool reportsProgress);
    /// Parses the block on the calling thread (also used when no thread can be made).
    void ParseNow();
    std::atomic<bool> done{false};  ///< set (release) after `result`
    SnapshotReadResult result;      ///< first failure of the block, or ok

protected:
    ExitCode Entry() override;

private:
    const std::vector<const char*>* starts_ = nullptr;
    int64_t lineBegin_ = 0;
    int64_t lineEnd_ = 0;
    int64_t firstLine_ = 1;
    const SnapshotGrammar* grammar_ = nullptr;
    ParticleArrays_cls arrays_;
    std::atomic<int>* progress_ = nullptr;
    bool reportsProgress_ = false;
};
