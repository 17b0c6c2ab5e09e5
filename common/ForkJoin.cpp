// Fork-join of short-lived worker threads.
#include "common/ForkJoin.h"

#include <new>
#include <system_error>
#include <utility>

ForkJoin_cls::ForkJoin_cls(Starter start) : start_(std::move(start)) {}

ForkJoin_cls::~ForkJoin_cls() { Join(); }

void ForkJoin_cls::Add(std::unique_ptr<wxThread> worker, std::function<void()> runHere) {
    // Room first: once the worker is in the list nothing more can fail, and a failure before
    // deletes it unstarted.
    workers_.reserve(workers_.size() + 1);
    Entry_cls e;
    e.thread = std::move(worker);
    e.runHere = std::move(runHere);
    workers_.push_back(std::move(e));
}

void ForkJoin_cls::Add(std::function<void()> work) { Add(nullptr, std::move(work)); }

void ForkJoin_cls::Run(size_t keepHere, bool runHere) {
    const size_t end = workers_.size();
    const size_t first = firstOfWave_;
    firstOfWave_ = end;
    const size_t toStart = end - first > keepHere ? end - first - keepHere : 0;
    for (size_t k = first; k < first + toStart; ++k) {
        Entry_cls& e = workers_[k];
        if (e.thread) {
            e.started = start_ ? start_(*e.thread) : e.thread->Run() == wxTHREAD_NO_ERROR;
            continue;
        }
        // The thread gets a copy of the work: entries move when a later wave grows the list.
        try {
            e.plain = std::thread(e.runHere);
            e.started = true;
        } catch (const std::system_error&) {
            // no thread to be had: run here below
        } catch (const std::bad_alloc&) {
            // no room for the thread's copy: run here below
        }
    }
    if (!runHere) return;
    for (size_t k = first; k < end; ++k)
        if (!workers_[k].started) workers_[k].runHere();
}

void ForkJoin_cls::Join() {
    for (Entry_cls& e : workers_) {
        if (!e.started || e.joined) continue;
        if (e.thread)
            e.thread->Wait();  // returns once the thread has truly ended
        else
            e.plain.join();
        e.joined = true;
    }
}
