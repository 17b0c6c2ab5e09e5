// One worker of the particle text: formats the macro calls of a range of draw-order records
// into its own byte buffer.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include <wx/thread.h>

#include "scene/PovParticleText.h"

/// Formats records first, first + step, ... below end of the frame's draw order. Joinable:
/// the starting side polls `done` and then waits for the thread. It reads only the shared
/// tables and the frame, and writes only its own buffer, counts and done flag.
class ThreadSPString_cls : public wxThread {
public:
    /// `types` (4 entries) and `frame` are borrowed and must stay unchanged until the thread
    /// has ended; `done` is set to 1 (release) when the range is formatted.
    ThreadSPString_cls(std::atomic<uint8_t>* done, const PovParticleType_cls* types, const PovParticleFrame_cls* frame,
                       int64_t first, int64_t end, int64_t step = 1);

    /// Formats the range on the calling thread (what Entry does); sets the done flag.
    void Format();

    /// The range's lines; valid once `done` is 1.
    const char* Text() const { return buffer_.get(); }
    size_t TextSize() const { return used_; }
    /// Frees the lines.
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
    std::unique_ptr<char[]> buffer_;  ///< grows as needed: no line is ever cut
    size_t capacity_ = 0;
    size_t used_ = 0;
    PovParticleCounts_cls counts_;
};
