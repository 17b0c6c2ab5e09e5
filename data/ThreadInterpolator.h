// The interpolation thread: computes the rates of one snapshot towards the next on 1 to 6
// joinable block workers and reports completion through its done flags.
#pragma once

#include <atomic>
#include <functional>

#include <wx/thread.h>

#include "data/InterpolationJob.h"

class MenuCommandPoster_cls;
class ThreadInterpolator_cls;

/// The registered interpolator, or null. Written on the GUI thread only: set by Start,
/// cleared by the waits once the interpolator has ended and has been joined (the
/// interpolator never touches it). Only compared, never dereferenced. Release/acquire.
extern std::atomic<ThreadInterpolator_cls*> GpInterpolatorThread;
/// False while an interpolator computes; set (release) when its rates are all stored.
extern std::atomic<bool> GbInterpolatorDone;

/// One interpolation request on its own joinable thread, joined and deleted by the GUI
/// thread's waits. The snapshot arrays of the job must stay allocated until IsRunning() is
/// false (or at least until `done` is set).
class ThreadInterpolator_cls : public wxThread {
public:
    /// Starts the job on a new interpolator. Returns false, doing nothing, while another
    /// interpolator is registered in GpInterpolatorThread. Otherwise GbInterpolatorDone :=
    /// false, registers the thread and runs it. `workers` 1..6 block workers (clamped), 0 =
    /// by A's particle count (InterpWorkerCount). When done, in order: `*done` (A's
    /// rates-ready flag; may be null) := true, GbInterpolatorDone := true, ID_TIME_REFRESH
    /// (6018) posted on `poster` (may be null; it is called on the worker thread, so it must
    /// queue thread-safely, as the main frame's event queue does), then IsRunning() turns
    /// false; the registration stays until a wait on the GUI thread joins the thread and
    /// clears it. A started thread that is no longer registered is joined here first. When
    /// no thread can be created the job runs on the calling thread and all of this has
    /// happened when Start returns. GUI thread.
    static bool Start(const InterpolationJob_cls& job, std::atomic<bool>* done,
                      MenuCommandPoster_cls* poster, int workers = 0);

    /// True from Start until the interpolator has made its last access to anything shared
    /// (the poster included): after that the poster and the arrays may be destroyed.
    static bool IsRunning();
    /// Polls IsRunning() every 3 ms through `sleep` until it is false, then joins and
    /// deletes the started thread and clears GpInterpolatorThread when it names that
    /// thread. Afterwards nothing of the interpolator runs. GUI thread.
    static void WaitUntilFinished(const std::function<void(int ms)>& sleep);

    /// The body shared by the thread and the fallback on the calling thread: zero rates
    /// beyond the matched particles, one block worker per block (a block whose worker
    /// cannot be created is computed here), all joined before returning.
    static void RunBlocks(const InterpolationJob_cls& job, int workers);

protected:
    ExitCode Entry() override;

private:
    /// Joins and deletes the started thread, if any (blocks until it has ended).
    static void JoinStarted();
    ThreadInterpolator_cls(const InterpolationJob_cls& job, std::atomic<bool>* done,
                           MenuCommandPoster_cls* poster, int workers);
    /// The completion signals, in their documented order.
    void Finish();

    InterpolationJob_cls job_;
    std::atomic<bool>* done_;
    MenuCommandPoster_cls* poster_;
    int workers_;
};

/// A joinable block worker of the linear rule (ComputeLinearRates over its range).
class ThreadInterpBlockLinear_cls : public wxThread {
public:
    ThreadInterpBlockLinear_cls(const InterpolationJob_cls& job, int64_t first, int64_t end);

protected:
    ExitCode Entry() override;

private:
    const InterpolationJob_cls& job_;
    int64_t first_;
    int64_t end_;
};

/// A joinable block worker of the Hermite rule (ComputeHermiteRates over its range).
class ThreadInterpBlockHermite_cls : public wxThread {
public:
    ThreadInterpBlockHermite_cls(const InterpolationJob_cls& job, int64_t first, int64_t end);

protected:
    ExitCode Entry() override;

private:
    const InterpolationJob_cls& job_;
    int64_t first_;
    int64_t end_;
};
