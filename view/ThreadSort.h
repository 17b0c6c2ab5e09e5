// The worker threads of the depth sort: key computation, part sorts, the halves and pieces
// of a merge, and the count and scatter steps of the shared radix sort. Each does one call
// of the sort logic, sets its done flag and is joined.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <wx/thread.h>

#include "view/ParticleRecord.h"

/// Base of the sort workers: a joinable thread that runs Work() and then sets its done flag
/// (release). The flag belongs to the starting side and must outlive the worker.
/// wxWidgets must be initialised (the application does it; tests call wxInitialize).
class ThreadSortBase_cls : public wxThread {
public:
    explicit ThreadSortBase_cls(std::atomic<bool>* done);
    /// The task itself; also run on the starting thread when no thread can be started.
    virtual void Work() = 0;
    /// Work() and the done flag on the calling thread.
    void RunHere();

protected:
    ExitCode Entry() override;

private:
    std::atomic<bool>* done_;
};

/// Starts one worker as a thread; false when it could not be started (its work is then
/// done by the caller). The default runs wxThread::Run; tests pass one that refuses.
using SortWorkerStarter = std::function<bool(ThreadSortBase_cls&)>;

/// Runs every worker of `workers` (all built before this call): all but the last start as
/// threads, the last runs on the calling thread meanwhile, and any worker that cannot be
/// started runs on the calling thread too. Returns once every worker has finished: the
/// started threads are joined (no polling), then every done flag is read (acquire), so all
/// their writes are visible. The workers are deleted and `workers` cleared. GUI thread.
void RunSortWorkers(std::vector<std::unique_ptr<ThreadSortBase_cls>>& workers,
                    std::vector<std::atomic<bool>>& done, const SortWorkerStarter& start = {});

/// Keys of the particle indices first, first + s, ... below end, written from outFirst on.
class ThreadSortPrepare_cls : public ThreadSortBase_cls {
public:
    ThreadSortPrepare_cls(std::atomic<bool>* done, ParticleRecord_cls* records, int64_t outFirst,
                          int64_t first, int64_t end, int stride, const float* positions,
                          const float eye[3], const float direction[3], int keyMode);
    void Work() override;

private:
    ParticleRecord_cls* records_;
    int64_t outFirst_, first_, end_;
    int stride_;
    const float* positions_;
    float eye_[3], direction_[3];
    int keyMode_;
};

/// Sorts records[first, end) by key, using scratch[first, end) as its working space (null:
/// a comparison sort in place).
class ThreadSortParallel_cls : public ThreadSortBase_cls {
public:
    ThreadSortParallel_cls(std::atomic<bool>* done, ParticleRecord_cls* records, int64_t first, int64_t end,
                           ParticleRecord_cls* scratch = nullptr);
    void Work() override;

private:
    ParticleRecord_cls* records_;
    int64_t first_, end_;
    ParticleRecord_cls* scratch_;
};

/// The front half of merging src[sA, eA) and src[eA, eB) into dst (MergeRunsFront).
class ThreadSortMergeOrd_cls : public ThreadSortBase_cls {
public:
    ThreadSortMergeOrd_cls(std::atomic<bool>* done, const ParticleRecord_cls* src, ParticleRecord_cls* dst,
                           int64_t sA, int64_t eA, int64_t eB, int blockSize);
    void Work() override;

private:
    const ParticleRecord_cls* src_;
    ParticleRecord_cls* dst_;
    int64_t sA_, eA_, eB_;
    int blockSize_;
};

/// The back half of the same merge (MergeRunsBack); no block size.
class ThreadSortMergeInv_cls : public ThreadSortBase_cls {
public:
    ThreadSortMergeInv_cls(std::atomic<bool>* done, const ParticleRecord_cls* src, ParticleRecord_cls* dst,
                           int64_t sA, int64_t eA, int64_t eB);
    void Work() override;

private:
    const ParticleRecord_cls* src_;
    ParticleRecord_cls* dst_;
    int64_t sA_, eA_, eB_;
};

/// One piece, output positions [sA + k0, sA + k1), of the exact merge (MergeRunsPiece).
class ThreadSortMergePiece_cls : public ThreadSortBase_cls {
public:
    ThreadSortMergePiece_cls(std::atomic<bool>* done, const ParticleRecord_cls* src, ParticleRecord_cls* dst,
                             int64_t sA, int64_t eA, int64_t eB, int64_t k0, int64_t k1);
    void Work() override;

private:
    const ParticleRecord_cls* src_;
    ParticleRecord_cls* dst_;
    int64_t sA_, eA_, eB_, k0_, k1_;
};

/// Counts one radix digit over records[first, end) (CountRadixDigit).
class ThreadSortRadixCount_cls : public ThreadSortBase_cls {
public:
    ThreadSortRadixCount_cls(std::atomic<bool>* done, ParticleRecord_cls* records, int64_t first, int64_t end,
                             int pass, uint32_t* hist, bool fixKeys);
    void Work() override;

private:
    ParticleRecord_cls* records_;
    int64_t first_, end_;
    int pass_;
    uint32_t* hist_;
    bool fixKeys_;
};

/// Scatters src[first, end) by one radix digit to its offsets in dst (ScatterRadixDigit).
class ThreadSortRadixScatter_cls : public ThreadSortBase_cls {
public:
    ThreadSortRadixScatter_cls(std::atomic<bool>* done, const ParticleRecord_cls* src, ParticleRecord_cls* dst,
                               int64_t first, int64_t end, int pass, uint32_t* offsets);
    void Work() override;

private:
    const ParticleRecord_cls* src_;
    ParticleRecord_cls* dst_;
    int64_t first_, end_;
    int pass_;
    uint32_t* offsets_;
};

/// Copies src[first, end) to the same places of dst.
class ThreadSortCopy_cls : public ThreadSortBase_cls {
public:
    ThreadSortCopy_cls(std::atomic<bool>* done, const ParticleRecord_cls* src, ParticleRecord_cls* dst,
                       int64_t first, int64_t end);
    void Work() override;

private:
    const ParticleRecord_cls* src_;
    ParticleRecord_cls* dst_;
    int64_t first_, end_;
};
