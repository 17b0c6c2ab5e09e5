// One worker of the particle text: formats the macro calls of a range of draw-order records
// into a byte buffer that the writer keeps from one batch of records to the next.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include <wx/thread.h>

#include "scene/PovParticleText.h"

/// Bytes a worker formats into; kept by the writer and reused, never zero-filled.
struct SPTextBuffer_cls {
    std::unique_ptr<char[]> bytes;
    size_t capacity = 0;
};

/// Formats records first, first + step, ... below end of the frame's draw order. Joinable:
/// the starting side polls `done` and then waits for the thread. It reads only the shared
/// tables and the frame, and writes only its buffer, counts and done flag.
class ThreadSPString_cls : public wxThread {
public:
    /// `types` (4 entries) and `frame` are borrowed and must stay unchanged until the thread
    /// has ended; `done` is set to 1 (release) when the range is formatted. `buffer`, when
    /// given, is borrowed the same way and grown as needed (else the worker keeps its own).
    ThreadSPString_cls(std::atomic<uint8_t>* done, const PovParticleType_cls* types, const PovParticleFrame_cls* frame,
                       int64_t first, int64_t end, int64_t step = 1, SPTextBuffer_cls* buffer = nullptr);

    /// Formats the range on the calling thread (what Entry does); sets the done flag.
    void Format();

    /// The range's lines; valid once `done` is 1.
    const char* Text() const { return buffer_->bytes.get(); }
    size_t TextSize() const { return used_; }
    /// Frees the lines (and the buffer, even a borrowed one).
    void ReleaseText();
    const PovParticleCounts_cls& Counts() const { return counts_; }

protected:
    ExitCode Entry() override;

private:
    std::atomic<uint8_t>* done_;
    const PovParticleType_cls* types_;
    const PovParticleFrame_cls* frame_;
    int64_t first_;
    int64_t end_;
    int64_t step_;
    SPTextBuffer_cls own_;
    SPTextBuffer_cls* buffer_;  ///< grows as needed: no line is ever cut
    size_t used_ = 0;
    PovParticleCounts_cls counts_;
};
