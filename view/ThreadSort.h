// The worker threads of the depth sort: key computation, part sorts and the two halves of
// a merge. Each does one call of the sort logic and then sets its done flag.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include <wx/thread.h>

#include "view/ParticleRecord.h"

/// Base of the sort workers: a detached thread that runs Work() and then sets its done flag
/// (release). The flag belongs to the starting side and must outlive the thread's Entry.
/// wxWidgets must be initialised (the application does it; tests call wxInitialize).
class ThreadSortBase_cls : public wxThread {
public:
    explicit ThreadSortBase_cls(std::atomic<bool>* done);
    /// The task itself; also run on the starting thread when no thread can be started.
    virtual void Work() = 0;

protected:
    ExitCode Entry() override;

private:
    std::atomic<bool>* done_;
};

/// Starts every worker of `workers` (created first, then all run), runs the work of any that
/// cannot be started on the calling thread, and waits for all done flags with 1 ms polls.
/// Takes ownership of the workers (wx deletes started detached threads). GUI thread.
void RunSortWorkers(std::vector<ThreadSortBase_cls*>& workers, std::vector<std::atomic<bool>>& done);

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

/// Sorts records[first, end) by key.
class ThreadSortParallel_cls : public ThreadSortBase_cls {
public:
    ThreadSortParallel_cls(std::atomic<bool>* done, ParticleRecord_cls* records, int64_t first, int64_t end);
    void Work() override;

private:
    ParticleRecord_cls* records_;
    int64_t first_, end_;
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
