// One frame slot of a data sequence: its snapshot, its load and rate status, the cached
// file test; the waits for the reader and interpolator threads; what loads need from outside.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <wx/string.h>

#include "data/ParticleData.h"
#include "data/PeriodicBoundary.h"
#include "data/SnapshotReader.h"

class DataSequence_cls;
class MenuCommandPoster_cls;

/// What frame loads take from the rest of the program. Every member may stay empty: the
/// defaults read `GpDataLoader` and `GpPeriodicBoundary`, sleep with the toolkit and report
/// nothing. Owned by the sequence set (or a test); read on the GUI thread, except
/// `onReaderFinished`, which runs on the reader thread.
struct DataLoadContext_cls {
    /// The loader settings a read starts with (empty: GpDataLoader's, or the defaults).
    std::function<SnapshotLoadSettings()> settings;
    /// The periodic rule an interpolation starts with (empty: GpPeriodicBoundary's, or none).
    std::function<PeriodicRule_cls()> periodic;
    std::function<int()> ioThreads;             ///< ASCII parse workers of a read (empty: 1)
    MenuCommandPoster_cls* poster = nullptr;    ///< gets 6018 from the interpolator; may be null
    std::function<void()> onReaderFinished;     ///< reader thread, at its very end; must queue only
    /// GUI thread: a snapshot turned out unreadable (once per file name given to the slot).
    std::function<void(const wxString& fileName, const std::string& error)> onReadFailed;
    /// GUI thread: something the user should know that is not a read failure (a sequence
    /// longer than the frame slots is cut).
    std::function<void(const std::string& message)> onWarning;
    std::function<void()> statusRefresh;        ///< every 100th 5 ms poll of a reader wait
    std::function<void(int ms)> sleep;          ///< empty: wxMilliSleep

    SnapshotLoadSettings Settings() const;
    PeriodicRule_cls Periodic() const;
    int IOThreads() const;
    void Sleep(int ms) const;
};

/// One frame slot. Slots are made with their sequence and live as long as it does; the
/// snapshot's arrays come and go. Everything runs on the GUI thread; the `loaded` byte is
/// set by the reader thread and `ratesReady` by the interpolation thread (release stores).
/// The four status bytes are only ever cleared together (Release).
class DataFrame_cls {
public:
    std::unique_ptr<ParticleData_cls> data;  ///< owned, made with the slot
    DataSequence_cls* owner;                 ///< borrowed; may be null (tests)
    DataFrame_cls* next = nullptr;           ///< following slot; null for the last one
    DataFrame_cls* previous = nullptr;       ///< preceding slot; null for slot 0
    int index;                               ///< slot index 0..9,999
    double time = -9999.0;                   ///< snapshot time; -9999.0 until a header was read
    bool keyFrameMark = false;               ///< carries key frames; evicted last
    wxString fileName;                       ///< "" when the slot has no file
    int readable = 0;                        ///< file test cache: 0 not tested, 1 readable, 2 not
    std::atomic<bool> loadStarted{false};    ///< StartLoad began a read (GUI thread)
    std::atomic<bool> loaded{false};         ///< the reader has finished the body (reader thread)
    std::atomic<bool> ratesStarted{false};   ///< StartRates began an interpolation (GUI thread)
    std::atomic<bool> ratesReady{false};     ///< the rates are in (interpolation thread)
    std::string readError;                   ///< why the file was found unreadable; "" otherwise
    /// What was left out of a file that read well (lines past its header's count), kept
    /// once it has been said; "" otherwise. Cleared when the slot's file changes.
    std::string readWarning;

    DataFrame_cls(DataSequence_cls* owner, int index);
    /// Waits for a reader or interpolator that still uses this slot's arrays.
    ~DataFrame_cls();
    DataFrame_cls(const DataFrame_cls&) = delete;
    DataFrame_cls& operator=(const DataFrame_cls&) = delete;

    /// Cached test that the file opens for reading. A read that has failed (header or body)
    /// turns the cache to 2, frees the arrays, clears the status and reports once.
    bool IsReadable();
    /// True when the slot has no readable file (a missing file never blocks playback), else
    /// when the body is in and, with `needsRates`, the rates too.
    bool IsReady(bool needsRates);
    /// Starts what is missing (load, then rates when needed); with `wait` blocks until done.
    void Prepare(bool needsRates, bool wait);
    /// Reads the header and starts the body reader (first waiting for a reader of another
    /// file; without `wait` it returns instead while one runs, and a later call goes on).
    /// An unreadable header marks the slot unreadable.
    void StartLoad(bool wait = true);
    /// Starts the rates towards the next slot (loading it first), or towards this snapshot
    /// itself when the next slot has no readable file. Without `wait` it returns at once
    /// while the next slot is still being read or another interpolation runs; a later call
    /// goes on.
    void StartRates(bool wait);
    /// Frees the arrays (after waiting for a reader or interpolator using them) and clears
    /// the status; `reset` also forgets time, file name and the file test.
    void Release(bool reset);
    /// Release(false).
    void Evict();
    /// Names the slot's file and resets the file test. Data and status are kept.
    void SetFileName(const wxString& name);
    /// The snapshot's memory estimate in KB (0 when no header is known).
    int64_t GetMemoryKB() const;

    /// Load started and loaded: the body is in (or failed and is about to be settled).
    bool IsLoaded() const;
    /// The body is being read: load started and not yet loaded.
    bool IsLoading() const;
    /// The running interpolation reads or writes this slot's arrays: its own rates are
    /// started and not ready, or the previous slot's are (this is their target).
    bool IsInterpolating() const;

    /// The load context of the owning sequence (a shared default when there is no owner).
    const DataLoadContext_cls& Context() const;
};

/// When a reader runs and `other`'s loading state ("load started and not loaded") equals
/// `expected`, blocks (5 ms polls; status refresh every 100th) until the reader has
/// finished, then forgets it. A wait entered while another is under way prints
/// "waitnig??\n" and returns. `frame` is not used. GUI thread.
void WaitForReader(DataFrame_cls* frame, DataFrame_cls* other, int expected);
/// When an interpolator runs and `other`'s busy state (loaded with rates not ready, or
/// not loaded with its load or rates started) equals `expected`, blocks (3 ms polls) until
/// the interpolator has finished. `frame` is not used. GUI thread.
void WaitForInterpolator(DataFrame_cls* frame, DataFrame_cls* other, int expected);

/// Set while a wait for the reader thread is under way; the views draw nothing meanwhile.
extern bool GbGLLockForLoadingData;
/// Set while a wait for the interpolation thread is under way.
extern bool GbGLLockForInterpolation;
