// Fork-join of short-lived worker threads: every worker is built before any runs, one that
// cannot start does its work on the calling thread, and the group joins before it goes.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include <wx/thread.h>

/// A group of joinable worker threads run for one task and joined together. The owner adds
/// every worker (Add) and then starts them (Run); a worker that cannot be started, and those
/// the owner keeps for itself, are run on the calling thread through their `runHere`. The
/// destructor joins every started worker, so leaving the owner's scope, an exception thrown
/// on the way out of memory included, never leaves a thread running. Workers added after a
/// Run form a later wave started by the next Run.
/// One thread owns the group (the one that starts the workers). Workers given as wxThread need
/// wxWidgets initialised; plain work runs on std::thread and does not.
class ForkJoin_cls {
public:
    /// Starts one worker given as a wxThread; false when it could not be started (its work is
    /// then done on the calling thread). The default calls wxThread::Run; tests pass one that
    /// refuses. Plain work is started as a std::thread without asking it.
    using Starter = std::function<bool(wxThread&)>;

    explicit ForkJoin_cls(Starter start = {});
    ForkJoin_cls(const ForkJoin_cls&) = delete;
    ForkJoin_cls& operator=(const ForkJoin_cls&) = delete;
    /// Joins every started worker, then deletes every worker.
    ~ForkJoin_cls();

    /// Takes a joinable worker that is not yet running, and `runHere`, which does the same
    /// work on the calling thread. Throws std::bad_alloc when there is no room for it; the
    /// worker is then deleted unstarted and the group stays as it was.
    void Add(std::unique_ptr<wxThread> worker, std::function<void()> runHere);
    /// Adds plain `work`, run on a std::thread of the group (or here when none can be had).
    /// Throws std::bad_alloc like the other Add.
    void Add(std::function<void()> work);

    /// Starts the workers added since the last Run, except the last `keepHere` of them, which
    /// the calling thread runs meanwhile (the caller would only wait). Then runs here, in the
    /// order they were added, every worker of this wave that could not be started. When
    /// `runHere` is false, nothing is run here: the caller does that work itself (Started
    /// tells which), for work that must be done in an order of its own.
    void Run(size_t keepHere = 1, bool runHere = true);
    /// Waits for every started worker to end (a join, no polling); afterwards all that the
    /// workers wrote is visible to the caller. The workers are kept until the destructor.
    void Join();

    /// Number of workers added.
    size_t Size() const { return workers_.size(); }
    /// Whether worker k (in the order added) was started as a thread.
    bool Started(size_t k) const { return workers_[k].started; }
    /// Worker k as added (null for one added as plain work).
    wxThread* Worker(size_t k) const { return workers_[k].thread.get(); }
    /// Runs worker k's work on the calling thread (for workers not started).
    void RunHere(size_t k) const { workers_[k].runHere(); }

private:
    struct Entry_cls {
        std::unique_ptr<wxThread> thread;  ///< null for plain work
        std::thread plain;                 ///< plain work's thread once started
        std::function<void()> runHere;
        bool started = false;
        bool joined = false;
    };
    Starter start_;
    std::vector<Entry_cls> workers_;
    size_t firstOfWave_ = 0;  ///< first worker not yet handed to Run
};
