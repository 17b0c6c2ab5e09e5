// The worker threads of the depth sort.
#include "view/ThreadSort.h"

#include <cassert>
#include <cstring>

#include "common/ForkJoin.h"
#include "view/DepthSort.h"

ThreadSortBase_cls::ThreadSortBase_cls(std::atomic<bool>* done) : wxThread(wxTHREAD_JOINABLE), done_(done) {}

void ThreadSortBase_cls::RunHere() {
    Work();
    done_->store(true, std::memory_order_release);
}

wxThread::ExitCode ThreadSortBase_cls::Entry() {
    RunHere();
    return nullptr;
}

void RunSortWorkers(std::vector<std::unique_ptr<ThreadSortBase_cls>>& workers, std::vector<std::atomic<bool>>& done,
                    const SortWorkerStarter& start) {
    for (auto& d : done) d.store(false, std::memory_order_relaxed);
    ForkJoin_cls::Starter starter;
    if (start) starter = [&start](wxThread& t) { return start(static_cast<ThreadSortBase_cls&>(t)); };
    {
        ForkJoin_cls group(std::move(starter));
        for (auto& w : workers) {
            ThreadSortBase_cls* worker = w.get();
            group.Add(std::move(w), [worker] { worker->RunHere(); });
        }
        workers.clear();
        // The calling thread would only wait: it takes the last worker's share itself, and
        // the share of any worker that could not be started.
        group.Run(1);
    }  // joined and deleted
    // The joins already order the workers' writes before ours; each flag is still read with
    // acquire so the hand-over does not rest on the thread library alone.
    for (auto& d : done) {
        const bool finished = d.load(std::memory_order_acquire);
        assert(finished);
        (void)finished;
    }
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
                                               int64_t end, ParticleRecord_cls* scratch)
    : ThreadSortBase_cls(done), records_(records), first_(first), end_(end), scratch_(scratch) {}

void ThreadSortParallel_cls::Work() {
    SortRecordRange(records_, first_, end_, scratch_ ? scratch_ + first_ : nullptr);
}

ThreadSortMergeOrd_cls::ThreadSortMergeOrd_cls(std::atomic<bool>* done, const ParticleRecord_cls* src,
                                               ParticleRecord_cls* dst, int64_t sA, int64_t eA, int64_t eB,
                                               int blockSize)
    : ThreadSortBase_cls(done), src_(src), dst_(dst), sA_(sA), eA_(eA), eB_(eB), blockSize_(blockSize) {}

void ThreadSortMergeOrd_cls::Work() { MergeRunsFront(src_, dst_, sA_, eA_, eB_, blockSize_); }

ThreadSortMergeInv_cls::ThreadSortMergeInv_cls(std::atomic<bool>* done, const ParticleRecord_cls* src,
                                               ParticleRecord_cls* dst, int64_t sA, int64_t eA, int64_t eB)
    : ThreadSortBase_cls(done), src_(src), dst_(dst), sA_(sA), eA_(eA), eB_(eB) {}

void ThreadSortMergeInv_cls::Work() { MergeRunsBack(src_, dst_, sA_, eA_, eB_); }

ThreadSortMergePiece_cls::ThreadSortMergePiece_cls(std::atomic<bool>* done, const ParticleRecord_cls* src,
                                                   ParticleRecord_cls* dst, int64_t sA, int64_t eA, int64_t eB,
                                                   int64_t k0, int64_t k1)
    : ThreadSortBase_cls(done), src_(src), dst_(dst), sA_(sA), eA_(eA), eB_(eB), k0_(k0), k1_(k1) {}

void ThreadSortMergePiece_cls::Work() { MergeRunsPiece(src_, dst_, sA_, eA_, eB_, k0_, k1_); }

ThreadSortRadixCount_cls::ThreadSortRadixCount_cls(std::atomic<bool>* done, ParticleRecord_cls* records,
                                                   int64_t first, int64_t end, int pass, uint32_t* hist,
                                                   bool fixKeys)
    : ThreadSortBase_cls(done), records_(records), first_(first), end_(end), pass_(pass), hist_(hist),
      fixKeys_(fixKeys) {}

void ThreadSortRadixCount_cls::Work() { CountRadixDigit(records_, first_, end_, pass_, hist_, fixKeys_); }

ThreadSortRadixScatter_cls::ThreadSortRadixScatter_cls(std::atomic<bool>* done, const ParticleRecord_cls* src,
                                                       ParticleRecord_cls* dst, int64_t first, int64_t end, int pass,
                                                       uint32_t* offsets)
    : ThreadSortBase_cls(done), src_(src), dst_(dst), first_(first), end_(end), pass_(pass), offsets_(offsets) {}

void ThreadSortRadixScatter_cls::Work() { ScatterRadixDigit(src_, dst_, first_, end_, pass_, offsets_); }

ThreadSortCopy_cls::ThreadSortCopy_cls(std::atomic<bool>* done, const ParticleRecord_cls* src,
                                       ParticleRecord_cls* dst, int64_t first, int64_t end)
    : ThreadSortBase_cls(done), src_(src), dst_(dst), first_(first), end_(end) {}

void ThreadSortCopy_cls::Work() {
    std::memcpy(dst_ + first_, src_ + first_, sizeof(ParticleRecord_cls) * size_t(end_ - first_));
}
