// Interpolation thread and its block workers.
#include "data/ThreadInterpolator.h"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "common/CommandHistory.h"
#include "common/ForkJoin.h"
#include "common/MenuCommandPoster.h"

std::atomic<ThreadInterpolator_cls*> GpInterpolatorThread{nullptr};
std::atomic<bool> GbInterpolatorDone{true};

namespace {
// Interpolators started and not yet past their last shared access.
std::atomic<int> s_running{0};
// The started interpolator thread (joinable) until the GUI thread has joined and deleted
// it. GUI thread only.
ThreadInterpolator_cls* s_started = nullptr;
}  // namespace

ThreadInterpolator_cls::ThreadInterpolator_cls(const InterpolationJob_cls& job,
                                               std::atomic<bool>* done,
                                               MenuCommandPoster_cls* poster, int workers)
    : wxThread(wxTHREAD_JOINABLE), job_(job), done_(done), poster_(poster), workers_(workers) {}

bool ThreadInterpolator_cls::Start(const InterpolationJob_cls& job, std::atomic<bool>* done,
                                   MenuCommandPoster_cls* poster, int workers) {
    if (GpInterpolatorThread.load(std::memory_order_acquire) != nullptr) return false;
    JoinStarted();  // one whose registration was given up is reaped before the next
    GbInterpolatorDone.store(false, std::memory_order_release);
    auto* thread = new ThreadInterpolator_cls(job, done, poster, workers);
    s_running.fetch_add(1, std::memory_order_acq_rel);
    GpInterpolatorThread.store(thread, std::memory_order_release);
    if (thread->Run() != wxTHREAD_NO_ERROR) {
        // No thread to be had: the work is done here instead of ending the program.
        thread->Entry();
        delete thread;
        GpInterpolatorThread.store(nullptr, std::memory_order_release);
        return true;
    }
    s_started = thread;
    return true;
}

bool ThreadInterpolator_cls::IsRunning() { return s_running.load(std::memory_order_acquire) > 0; }

void ThreadInterpolator_cls::WaitUntilFinished(const std::function<void(int ms)>& sleep) {
    while (IsRunning()) sleep(3);
    JoinStarted();
}

void ThreadInterpolator_cls::JoinStarted() {
    ThreadInterpolator_cls* thread = s_started;
    if (thread == nullptr) return;
    s_started = nullptr;
    thread->Wait();  // returns once the thread has truly ended
    if (GpInterpolatorThread.load(std::memory_order_acquire) == thread)
        GpInterpolatorThread.store(nullptr, std::memory_order_release);
    delete thread;
}

void ThreadInterpolator_cls::RunBlocks(const InterpolationJob_cls& job_, int workers) {
    // One index of B's IDs for all blocks (the workers only read it).
    IdIndex_cls index;
    InterpolationJob_cls job = job_;
    if (job.UsesIdIndex() && job.idIndexB == nullptr && index.Build(job.b.id, job.countB))
        job.idIndexB = &index;
    const int w = workers <= 0 ? InterpWorkerCount(job.countA) : std::clamp(workers, 1, 6);
    const int64_t m = job.MatchedCount();
    ZeroRates(job, m, job.countA);
    if (job.interpolationType != INTERP_LINEAR && job.interpolationType != INTERP_HERMITE) {
        ZeroRates(job, 0, m);
        return;
    }
    // Every block worker is built before any runs: running out of memory while building
    // them leaves none started, and the whole range is then done on this thread.
    ForkJoin_cls group;
    try {
        for (int k = 0; k < w; ++k) {
            int64_t first, end;
            InterpBlockRange(m, w, k, first, end);
            std::unique_ptr<wxThread> t;
            if (job.interpolationType == INTERP_LINEAR)
                t.reset(new ThreadInterpBlockLinear_cls(job, first, end));
            else
                t.reset(new ThreadInterpBlockHermite_cls(job, first, end));
            group.Add(std::move(t), [&job, first, end] { ComputeRateBlock(job, first, end); });
        }
    } catch (const std::bad_alloc&) {
        ComputeRateBlock(job, 0, m);
        return;
    }
    // Every block goes to a worker: this thread only waits. A block whose thread cannot be
    // had runs here instead.
    group.Run(0);
    group.Join();
}

wxThread::ExitCode ThreadInterpolator_cls::Entry() {
    RunBlocks(job_, workers_);
    Finish();
    return nullptr;
}

void ThreadInterpolator_cls::Finish() {
    if (done_ != nullptr) done_->store(true, std::memory_order_release);
    GbInterpolatorDone.store(true, std::memory_order_release);
    if (poster_ != nullptr) poster_->PostMenuCommand(ID_TIME_REFRESH);
    // GpInterpolatorThread is the GUI thread's to clear once it sees this end (the waits);
    // the interpolator only says it has ended.
    s_running.fetch_sub(1, std::memory_order_acq_rel);
}

ThreadInterpBlockLinear_cls::ThreadInterpBlockLinear_cls(const InterpolationJob_cls& job,
                                                         int64_t first, int64_t end)
    : wxThread(wxTHREAD_JOINABLE), job_(job), first_(first), end_(end) {}

wxThread::ExitCode ThreadInterpBlockLinear_cls::Entry() {
    ComputeLinearRates(job_, first_, end_);
    return nullptr;
}

ThreadInterpBlockHermite_cls::ThreadInterpBlockHermite_cls(const InterpolationJob_cls& job,
                                                           int64_t first, int64_t end)
    : wxThread(wxTHREAD_JOINABLE), job_(job), first_(first), end_(end) {}

wxThread::ExitCode ThreadInterpBlockHermite_cls::Entry() {
    ComputeHermiteRates(job_, first_, end_);
    return nullptr;
}
