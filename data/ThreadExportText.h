// Text formatting workers of the ASCII snapshot writer: the records of one round are cut into
// contiguous particle ranges, each formatted into a buffer of its own by a worker; the writer
// then writes the buffers in file order.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include <wx/thread.h>

#include "data/SnapshotWriter.h"

/// Joinable worker formatting the records of particles first, first + stride, ... below
/// `end` into `text`. The grammar and arrays belong to the writer, which Wait()s for every
/// worker before it reads `text`; workers write nothing shared.
class ThreadExportText_cls : public wxThread {
public:
    /// Particles one worker formats per round: a few MB of text.
    static constexpr int64_t kRecordsPerRange = 65536;

    ThreadExportText_cls() : wxThread(wxTHREAD_JOINABLE) {}
    void Setup(const SnapshotGrammar* grammar, const SnapshotArraysView* particles, int64_t first, int64_t end,
               int64_t stride, SnapshotText form);
    /// The formatting itself (Entry, or the writer's thread when the worker cannot start).
    void FormatNow();

    std::string text;  ///< the formatted records

    /// Formats particles 0, stride, 2·stride, ... below `ps.count` in `form` and hands the
    /// text to `sink` piece by piece in file order. Each round formats up to `workers`
    /// ranges at once (1 to 64; the last range of a round, and any whose worker cannot
    /// start, on the calling thread). Stops at the first false from `sink` and returns false.
    static bool FormatAll(const SnapshotGrammar& g, const SnapshotArraysView& ps, int64_t stride, SnapshotText form,
                          int workers, const std::function<bool(const std::string&)>& sink);

protected:
    ExitCode Entry() override;

private:
    const SnapshotGrammar* grammar_ = nullptr;
    const SnapshotArraysView* particles_ = nullptr;
    int64_t first_ = 0, end_ = 0, stride_ = 1;
    SnapshotText form_ = SnapshotText::Fixed;
};
