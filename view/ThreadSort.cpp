// The worker threads of the depth sort.
#include "view/ThreadSort.h"

#include <wx/utils.h>

#include "view/DepthSort.h"

ThreadSortBase_cls::ThreadSortBase_cls(std::atomic<bool>* done) : wxThread(wxTHREAD_DETACHED), done_(done) {}

wxThread::ExitCode ThreadSortBase_cls::Entry() {
    Work();
    done_->store(true, std::memory_order_release);  // last touch of anything shared
    return nullptr;
}

void RunSortWorkers(std::vector<ThreadSortBase_cls*>& workers, std::vector<std::atomic<bool>>& done) {
    for (auto& d : done) d.store(false, std::memory_order_relaxed);
    std::vector<bool> started(workers.size(), false);
    for (size_t k = 0; k < workers.size(); ++k) started[k] = workers[k]->Create() == wxTHREAD_NO_ERROR;
    for (size_t k = 0; k < workers.size(); ++k) {
        if (started[k]) started[k] = workers[k]->Run() == wxTHREAD_NO_ERROR;
        if (!started[k]) {
            // A worker that never started is not waited for: its work is done here.
            workers[k]->Work();
            delete workers[k];
            done[k].store(true, std::memory_order_release);
        }
    }
    workers.clear();  // started detached threads delete themselves
    for (auto& d : done)
        while (!d.load(std::memory_order_acquire)) wxMilliSleep(1);
}

ThreadSortPrepare_cls::ThreadSortPrepare_cls(std::atomic<bool>* done, ParticleRecord_cls* records, int64_t outFirst,
                                             int64_t first, int64_t end, int stride, const float* positions,
                                             const float eye[3], const float direction[3], int keyMode)
    : ThreadSortBase_cls(done), records_(records), outFirst_(outFirst), first_(first), end_(end), stride_(stride),
      positions_(positions), eye_{eye[0], eye[1], eye[2]}, direction_{direction[0], direction[1], direction[2]},
      keyMode_(keyMode) {}

void ThreadSortPrepare_cls::Work() {
    ComputeSortKeyRange(records_, outFirst_, first_, end_, stride_, positions_, eye_, direction_, keyMode_);
}

ThreadSortParallel_cls::ThreadSortParallel_cls(std::atomic<bool>* done, ParticleRecord_cls* records, int64_t first,
                                               int64_t end)
    : ThreadSortBase_cls(done), records_(records), first_(first), end_(end) {}

void ThreadSortParallel_cls::Work() { SortRecordRange(records_, first_, end_); }

ThreadSortMergeOrd_cls::ThreadSortMergeOrd_cls(std::atomic<bool>* done, const ParticleRecord_cls* src,
                                               ParticleRecord_cls* dst, int64_t sA, int64_t eA, int64_t eB,
                                               int blockSize)
    : ThreadSortBase_cls(done), src_(src), dst_(dst), sA_(sA), eA_(eA), eB_(eB), blockSize_(blockSize) {}

void ThreadSortMergeOrd_cls::Work() { MergeRunsFront(src_, dst_, sA_, eA_, eB_, blockSize_); }

ThreadSortMergeInv_cls::ThreadSortMergeInv_cls(std::atomic<bool>* done, const ParticleRecord_cls* src,
                                               ParticleRecord_cls* dst, int64_t sA, int64_t eA, int64_t eB)
    : ThreadSortBase_cls(done), src_(src), dst_(dst), sA_(sA), eA_(eA), eB_(eB) {}

void ThreadSortMergeInv_cls::Work() { MergeRunsBack(src_, dst_, sA_, eA_, eB_); }
