// ASCII body workers: the body is cut into byte blocks, one per worker; each worker reads its
// block from the file in chunks and parses the lines that start in it into the particles of
// their index, once the blocks before it have told how many lines they hold.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <vector>

#include <wx/thread.h>

#include "data/ParticleData.h"
#include "data/SnapshotReader.h"

/// What the workers of one ASCII body share: the file and where the body lies in it, the
/// expected count, the grammar, the arrays and the line counts of the blocks. Made by the
/// reader before any worker runs and kept until every worker has ended. Any thread.
class AsciiBodyShare_cls {
public:
    /// `bodyOffset` and `bodySize`: the body's bytes in the file; `firstLine`: the 1-based
    /// file line of body line 0; `blocks`: the number of workers (at least 1);
    /// `chunkBytes`: the read size of a worker (> 0).
    AsciiBodyShare_cls(std::FILE* file, uint64_t bodyOffset, uint64_t bodySize, int64_t count, int64_t firstLine,
                       const SnapshotGrammar& grammar, const ParticleArrays_cls& arrays, int blocks,
                       size_t chunkBytes);

    std::FILE* const file;       ///< read with positioned reads only, never moved
    const uint64_t bodyOffset;   ///< file byte of body byte 0
    const uint64_t bodySize;     ///< bytes from the body's start to the end of the file
    const int64_t count;         ///< particles of the header (>= 0)
    const int64_t firstLine;
    const SnapshotGrammar& grammar;
    const ParticleArrays_cls arrays;
    const int blocks;
    const size_t chunkBytes;

    /// Publishes the line count of `block`; a negative count says the block failed before
    /// it knew, which stops the blocks after it.
    void PublishLines(int block, int64_t lines);
    /// Lines of all blocks before `block`, waiting until each is published; -1 when one of
    /// them failed.
    int64_t LinesBefore(int block);
    /// Notes that `block` has failed: the blocks after it may stop, their lines come later.
    void MarkFailed(int block);
    /// True when a block before `block` has failed.
    bool EarlierFailed(int block) const { return firstFailed_.load(std::memory_order_acquire) < block; }

private:
    std::mutex mutex_;
    std::condition_variable published_;
    std::vector<int64_t> lines_;      // per block; kUnknown until published
    std::atomic<int> firstFailed_;    // lowest failed block, `blocks` when none
};

/// Joinable worker over the body lines that start in body bytes [begin, end). It owns a
/// chunk buffer of its own; the share, grammar and arrays belong to the reader, which
/// Wait()s for every worker before it reads `result`. Workers write disjoint particles, so
/// they need no lock.
class ThreadAsciiReader_cls : public wxThread {
public:
    ThreadAsciiReader_cls() : wxThread(wxTHREAD_JOINABLE) {}
    /// Before Run, on the reader's thread: allocates the chunk buffer (throws std::bad_alloc,
    /// before any worker runs). `progress` (may be null) gets 0..100 of this block when
    /// `reportsProgress`.
    void Setup(AsciiBodyShare_cls* share, int block, uint64_t begin, uint64_t end, std::atomic<int>* progress,
               bool reportsProgress);
    /// First step: counts the lines that start in the block and publishes them. The last
    /// block skips it (no block after it needs the count).
    void CountNow();
    /// Second step: waits for the counts of the blocks before, then parses the block's
    /// lines into the particles of their index. Sets `done`.
    void ParseNow();
    /// The whole ASCII body of `f` (its size `fileSize`; the header of `headerLines` lines
    /// comes first) into `arrays` of `count` particles, parsed by `workers` blocks. The last
    /// block runs on the calling thread, as does any worker that cannot be started.
    /// `chunkBytes` > 0 sets the read size (tests); 0 takes 256 KiB. Blocks; any thread.
    static SnapshotReadResult ReadBody(std::FILE* f, uint64_t fileSize, const SnapshotGrammar& g, int64_t count,
                                       const ParticleArrays_cls& arrays, int workers,
                                       std::atomic<int>* progress, size_t chunkBytes = 0);

    std::atomic<bool> done{false};  ///< set (release) after `result` and `lines`
    SnapshotReadResult result;      ///< first failure of the block, or ok
    int64_t lines = 0;              ///< lines that start in the block (when `result` is ok)

protected:
    ExitCode Entry() override;

private:
    // Reads body bytes [at, at + size) into `to`; false (with `result` set) when the file
    // cannot give them.
    bool Read(uint64_t at, char* to, size_t size);
    void Finish();

    AsciiBodyShare_cls* share_ = nullptr;
    int block_ = 0;
    uint64_t begin_ = 0;
    uint64_t end_ = 0;
    std::unique_ptr<char[]> buffer_;
    size_t capacity_ = 0;
    int64_t counted_ = -1;  // published line count, -1 when not counted
    std::atomic<int>* progress_ = nullptr;
    bool reportsProgress_ = false;
};
