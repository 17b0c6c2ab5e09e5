// The snapshot body reader thread: reads one file (binary in double-buffered chunks, ASCII
// in byte blocks read and parsed by workers), applies the load transforms, sorts by ID.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>

#include <wx/string.h>
#include <wx/thread.h>

#include "data/ParticleData.h"
#include "data/SnapshotReader.h"

class ThreadFileReader_cls;

/// The registered reader, or null. Written on the GUI thread only: set by
/// ParticleData_cls::StartReader, cleared once the reader has ended and has been joined
/// (ForgetFinished, called by the waits). Only compared, never dereferenced.
extern std::atomic<ThreadFileReader_cls*> GpFileReaderThread;
/// The reader's done flag: set (release) by the reader after the body and the frame's
/// loaded flag; the GUI polls it.
extern std::atomic<bool> GbFileReaderDone;
/// Frame index of the registered reader, -1 when none. GUI thread writes it (StartReader,
/// ForgetFinished).
extern std::atomic<int> GiLoadingFileIndex;
/// 0..100 progress of the running read, for the status line (relaxed; display only).
extern std::atomic<int> GiLoadProgress;

/// Joinable reader of one snapshot body. Setup and Run on the GUI thread; from then on the
/// target's arrays, count and read result belong to the reader until it sets the done flag
/// it was given. The GUI thread joins and deletes it (ForgetFinished) once it has ended.
class ThreadFileReader_cls : public wxThread {
public:
    explicit ThreadFileReader_cls(wxThreadKind kind = wxTHREAD_JOINABLE) : wxThread(kind) {}
    ~ThreadFileReader_cls() override;

    /// `done`: the frame's loaded flag (may be null), set with release order at the end,
    /// whether the read worked or not (the target's readFailed tells). `target`: the
    /// snapshot whose arrays (already allocated for its count) are filled and whose
    /// readFailed / readError get the outcome. `ioThreads`: ASCII workers (<= 0 means 1,
    /// at most 64). `onFinished`: runs on the reader thread after everything else.
    void Setup(std::atomic<bool>* done, const SnapshotLoadSettings& settings, const wxString& fileName,
               ParticleData_cls* target, int ioThreads, std::function<void()> onFinished = {});

    /// True from StartReader until the reader has made its last access to anything shared
    /// (the target, the done flag, `onFinished` and what it captures). Any thread.
    static bool IsRunning();
    /// GUI thread: when the registered reader has ended (IsRunning false), joins its thread
    /// (so nothing of it runs any more), deletes it, clears GpFileReaderThread and sets
    /// GiLoadingFileIndex to -1. True when no reader is registered afterwards.
    static bool ForgetFinished();

    /// The whole body of `fileName` into `arrays` of `count` particles: body by data type,
    /// arrays the grammar does not fill cleared, transforms, sort by ID when the number
    /// mode is 2. Errors name the file and the line or byte. Any thread; blocks.
    static SnapshotReadResult ReadBody(const wxString& fileName, const SnapshotLoadSettings& settings,
                                       int64_t count, const ParticleArrays_cls& arrays, int ioThreads,
                                       std::atomic<int>* progress = nullptr);
    /// Binary body: header bytes skipped; the standard layout read on this thread in small
    /// chunks, other layouts in chunks of about 4 MiB read ahead on a worker while the
    /// previous chunk is copied (two chunk buffers at most). A body shorter than
    /// the count fails at the first missing record. `chunkParticles` > 0 sets the chunk
    /// size in particles (tests).
    static SnapshotReadResult ReadBodyBinary(std::FILE* f, const SnapshotGrammar& g, int64_t count,
                                             const ParticleArrays_cls& arrays, std::atomic<int>* progress,
                                             int64_t chunkParticles = 0);
    /// ASCII body: header lines skipped, then `ioThreads` workers each read a byte block of
    /// the body in chunks and parse the lines that start in it (ThreadAsciiReader_cls). A
    /// body shorter or longer than the count fails at the first missing or extra line.
    /// `chunkBytes` > 0 sets the read size in bytes (tests).
    static SnapshotReadResult ReadBodyAscii(std::FILE* f, const SnapshotGrammar& g, int64_t count,
                                            const ParticleArrays_cls& arrays, int ioThreads,
                                            std::atomic<int>* progress, size_t chunkBytes = 0);
    /// Opens a file for binary reading by its wx name; null when it cannot.
    static std::FILE* OpenFile(const wxString& fileName);
    /// Size of an open file in bytes; false when it cannot be told.
    static bool FileSize(std::FILE* f, uint64_t& size);

    /// Registers the reader as running before Run (see IsRunning), and a joinable one as
    /// the thread ForgetFinished joins; MarkNotStarted undoes it when Run fails. GUI thread.
    void MarkStarted();
    void MarkNotStarted();

protected:
    ExitCode Entry() override;

private:
    /// Joins and deletes the started reader thread, if any (it must have ended or be about
    /// to); clears GpFileReaderThread when it names that reader. GUI thread.
    static void JoinEnded();

    bool registered_ = false;
    std::atomic<bool>* done_ = nullptr;
    SnapshotLoadSettings settings_;
    wxString fileName_;
    ParticleData_cls* target_ = nullptr;
    int ioThreads_ = 1;
    std::function<void()> onFinished_;
};
