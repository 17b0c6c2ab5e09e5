// The snapshot body reader thread and its two reading paths.
#include "data/ThreadFileReader.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "common/ForkJoin.h"
#include "data/ThreadAsciiReader.h"
#include "data/ThreadReadBuffer.h"
#include "platform/FileNumbers.h"
#include "platform/Trace.h"

std::atomic<ThreadFileReader_cls*> GpFileReaderThread{nullptr};
std::atomic<bool> GbFileReaderDone{true};
std::atomic<int> GiLoadingFileIndex{-1};
std::atomic<int> GiLoadProgress{0};

namespace {

// Readers started and not yet finished (0 or 1; a counter so that a stray second start
// cannot make IsRunning lie).
std::atomic<int> gRunningReaders{0};
// The started reader thread, joinable, until the GUI thread has joined and deleted it.
ThreadFileReader_cls* gStartedReader = nullptr;

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

SnapshotReadResult Prefixed(const wxString& fileName, SnapshotReadResult r) {
    if (!r.ok) r.message = std::string(fileName.utf8_str()) + ": " + r.message;
    if (!r.warning.empty()) r.warning = std::string(fileName.utf8_str()) + ": " + r.warning;
    return r;
}

void SetProgress(std::atomic<int>* p, int v) {
    if (p) p->store(v, std::memory_order_relaxed);
}

}  // namespace

ThreadFileReader_cls::~ThreadFileReader_cls() = default;

bool ThreadFileReader_cls::IsRunning() { return gRunningReaders.load(std::memory_order_acquire) > 0; }

std::FILE* ThreadFileReader_cls::OpenFile(const wxString& fileName) {
    if (fileName.empty()) return nullptr;
    return std::fopen(fileName.fn_str(), "rb");
}

bool ThreadFileReader_cls::FileSize(std::FILE* f, uint64_t& size) {
    const off_t here = ftello(f);
    if (here < 0 || fseeko(f, 0, SEEK_END) != 0) return false;
    const off_t end = ftello(f);
    if (end < 0 || fseeko(f, here, SEEK_SET) != 0) return false;
    size = static_cast<uint64_t>(end);
    return true;
}

void ThreadFileReader_cls::Setup(std::atomic<bool>* done, const SnapshotLoadSettings& settings,
                                 const wxString& fileName, ParticleData_cls* target, int ioThreads,
                                 std::function<void()> onFinished) {
    done_ = done;
    settings_ = settings;
    fileName_ = fileName;
    target_ = target;
    ioThreads_ = std::clamp(ioThreads, 1, 64);
    onFinished_ = std::move(onFinished);
}

void ThreadFileReader_cls::MarkStarted() {
    registered_ = true;
    gRunningReaders.fetch_add(1, std::memory_order_acq_rel);
    if (GetKind() == wxTHREAD_JOINABLE) gStartedReader = this;
}

void ThreadFileReader_cls::MarkNotStarted() {
    if (registered_) gRunningReaders.fetch_sub(1, std::memory_order_acq_rel);
    registered_ = false;
    if (gStartedReader == this) gStartedReader = nullptr;
}

void ThreadFileReader_cls::JoinEnded() {
    ThreadFileReader_cls* reader = gStartedReader;
    if (reader == nullptr) return;
    gStartedReader = nullptr;
    reader->Wait();  // returns once the thread has truly ended
    if (GpFileReaderThread.load(std::memory_order_acquire) == reader)
        GpFileReaderThread.store(nullptr, std::memory_order_release);
    delete reader;
}

wxThread::ExitCode ThreadFileReader_cls::Entry() {
    SetProgress(&GiLoadProgress, 0);
    ParticleArrays_cls none;
    const ParticleArrays_cls& arrays = target_->arrays ? *target_->arrays : none;
    const int64_t n = target_->allocated ? target_->count : 0;
    SnapshotReadResult r = ReadBody(fileName_, settings_, n, arrays, ioThreads_, &GiLoadProgress);
    target_->readFailed = !r.ok;
    target_->readError = r.ok ? std::string() : r.message;
    target_->readWarning = r.ok ? r.warning : std::string();
    if (!r.ok) platform::ReportError(r.message);
    if (done_) done_->store(true, std::memory_order_release);
    GbFileReaderDone.store(true, std::memory_order_release);
    SetProgress(&GiLoadProgress, 100);
    if (onFinished_) onFinished_();
    // The registration (GpFileReaderThread, GiLoadingFileIndex) is the GUI thread's to
    // clear once it sees this end (ForgetFinished); the reader only says it has ended.
    if (registered_) gRunningReaders.fetch_sub(1, std::memory_order_acq_rel);
    return nullptr;
}

bool ThreadFileReader_cls::ForgetFinished() {
    if (GpFileReaderThread.load(std::memory_order_acquire) == nullptr && gStartedReader == nullptr) return true;
    if (IsRunning()) return false;
    JoinEnded();
    GpFileReaderThread.store(nullptr, std::memory_order_release);
    GiLoadingFileIndex.store(-1, std::memory_order_release);
    return true;
}

SnapshotReadResult ThreadFileReader_cls::ReadBody(const wxString& fileName, const SnapshotLoadSettings& s,
                                                  int64_t count, const ParticleArrays_cls& arrays,
                                                  int ioThreads, std::atomic<int>* progress) {
    const std::string problem = s.grammar.Problem();
    if (!problem.empty()) return Prefixed(fileName, SnapshotReadResult::Fail(problem));
    if (count < 0) return Prefixed(fileName, SnapshotReadResult::Fail("the particle count is unknown"));
    FilePtr f(OpenFile(fileName));
    if (!f) return Prefixed(fileName, SnapshotReadResult::Fail("cannot open the file: " + std::string(std::strerror(errno))));
    if (count > 0 && (!arrays.position || !arrays.velocity || !arrays.radius || !arrays.value1 || !arrays.type))
        return Prefixed(fileName, SnapshotReadResult::Fail("no particle arrays to read into"));
    SnapshotReadResult r;
    // The read buffers and the sort take memory of their own: running out of it fails this
    // file instead of ending the program from the reader thread.
    try {
        if (s.grammar.dataType == SNAPSHOT_BINARY)
            r = ReadBodyBinary(f.get(), s.grammar, count, arrays, progress);
        else if (s.grammar.dataType == SNAPSHOT_ASCII)
            r = ReadBodyAscii(f.get(), s.grammar, count, arrays, ioThreads, progress);
        else
            r = SnapshotReadResult::Fail("unknown data type " + platform::FormatInt(s.grammar.dataType));
        if (!r.ok) return Prefixed(fileName, r);
        ClearUnfilledArrays(s.grammar, count, arrays);
        ApplyTransforms(s, count, arrays);
        if (s.numberMode == 2) SortByID(count, arrays);
    } catch (const std::bad_alloc&) {
        return Prefixed(fileName, SnapshotReadResult::Fail("not enough memory to read the body"));
    }
    return Prefixed(fileName, r);
}

SnapshotReadResult ThreadFileReader_cls::ReadBodyBinary(std::FILE* f, const SnapshotGrammar& g, int64_t n,
                                                        const ParticleArrays_cls& arrays,
                                                        std::atomic<int>* progress, int64_t chunkParticles) {
    const uint64_t header = g.HeaderByteSize();
    const uint64_t rec = g.RecordByteSize();
    uint64_t fileSize = 0;
    if (!FileSize(f, fileSize)) return SnapshotReadResult::Fail("cannot tell the file size");
    if (n <= 0) return {};
    if (header + static_cast<uint64_t>(n) * rec > fileSize) {
        const uint64_t whole = fileSize > header ? (fileSize - header) / rec : 0;
        const uint64_t at = header + whole * rec;
        return SnapshotReadResult::Fail("byte " + platform::FormatUInt(at) + ": the body ends after " +
                                            platform::FormatUInt(whole) + " of " + platform::FormatInt(n) +
                                            " particles",
                                        -1, static_cast<int64_t>(at));
    }
    if (fseeko(f, static_cast<off_t>(header), SEEK_SET) != 0)
        return SnapshotReadResult::Fail("cannot seek to the body at byte " + platform::FormatUInt(header));

    // The standard layout is read on this thread in chunks that stay in the core's cache:
    // from the page cache a read is a memory copy, and a copy into cached bytes followed by
    // the scatter into the arrays costs about what one read into memory costs. A read-ahead
    // thread per chunk would add a thread start and a wake-up for each, which on a busy
    // machine cost more than the read.
    if (g.IsStandardLayout()) {
        int64_t chunk = chunkParticles > 0 ? chunkParticles : std::max<int64_t>(1, (256 << 10) / 40);
        chunk = std::min(chunk, n);
        std::unique_ptr<unsigned char[]> buf(new (std::nothrow) unsigned char[static_cast<size_t>(chunk) * rec]);
        if (!buf) return SnapshotReadResult::Fail("not enough memory for the read buffer");
        const int64_t progressStep = std::max<int64_t>(chunk, n / 100);
        int64_t nextProgress = 0;
        for (int64_t k = 0; k < n; k += chunk) {
            if (k >= nextProgress) {
                SetProgress(progress, static_cast<int>(k * 100 / n));
                nextProgress = k + progressStep;
            }
            const int64_t thisCount = std::min(chunk, n - k);
            const size_t got = std::fread(buf.get(), 1, static_cast<size_t>(thisCount) * rec, f);
            SnapshotReadResult r = ParseBodyBinary(buf.get(), got, g, k, thisCount, arrays,
                                                   header + static_cast<uint64_t>(k) * rec);
            if (!r.ok) return r;  // the file shrank under us
        }
        return {};
    }

    // Other layouts: chunks of about 4 MiB, two of them, one read ahead on a worker while
    // the other is copied into the arrays.
    int64_t chunk = std::max<int64_t>(1, static_cast<int64_t>((4u << 20) / rec));
    if (chunkParticles > 0) chunk = chunkParticles;
    chunk = std::min(chunk, n);

    std::unique_ptr<unsigned char[]> store[2];
    unsigned char* buf[2] = {nullptr, nullptr};
    for (int b = 0; b < (n > chunk ? 2 : 1); ++b) {
        store[b].reset(new (std::nothrow) unsigned char[static_cast<size_t>(chunk) * rec]);
        if (!store[b]) return SnapshotReadResult::Fail("not enough memory for the read buffers");
        buf[b] = store[b].get();
    }

    // The first chunk is read here; later ones are read ahead while the previous is copied.
    size_t got = std::fread(buf[0], 1, static_cast<size_t>(chunk) * rec, f);
    int cur = 0;
    for (int64_t k = 0; k < n; k += chunk) {
        SetProgress(progress, static_cast<int>(k * 100 / n));
        const int64_t thisCount = std::min(chunk, n - k);
        const int64_t nextCount = std::min(chunk, n - k - thisCount);
        // The group joins the read-ahead before this round ends, also when the copy runs out
        // of memory: no read ever goes on into a buffer that is being freed.
        ForkJoin_cls group;
        ThreadReadBuffer_cls* ahead = nullptr;
        if (nextCount > 0) {
            auto worker = std::make_unique<ThreadReadBuffer_cls>();
            worker->Setup(f, buf[1 - cur], static_cast<size_t>(nextCount) * rec);
            ahead = worker.get();
            group.Add(std::move(worker), [ahead] { ahead->ReadNow(); });  // no thread: read here
            group.Run(0);
        }
        SnapshotReadResult r = ParseBodyBinary(buf[cur], got, g, k, thisCount, arrays,
                                               header + static_cast<uint64_t>(k) * rec);
        group.Join();
        if (ahead) got = ahead->got;
        if (!r.ok) return r;  // the file shrank under us
        cur = 1 - cur;
    }
    return {};
}

SnapshotReadResult ThreadFileReader_cls::ReadBodyAscii(std::FILE* f, const SnapshotGrammar& g, int64_t n,
                                                       const ParticleArrays_cls& arrays, int ioThreads,
                                                       std::atomic<int>* progress, size_t chunkBytes) {
    uint64_t fileSize = 0;
    if (!FileSize(f, fileSize)) return SnapshotReadResult::Fail("cannot tell the file size");
    return ThreadAsciiReader_cls::ReadBody(f, fileSize, g, n, arrays, ioThreads, progress, chunkBytes);
}
