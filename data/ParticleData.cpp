// Snapshot particle arrays: allocation, freeing, header reading and starting the reader.
#include "data/ParticleData.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "data/InterpolationJob.h"
#include "data/ThreadFileReader.h"
#include "data/ThreadInterpolator.h"
#include "platform/FileNumbers.h"
#include "platform/Trace.h"

void ParticleArrays_cls::GetAll(float*& pos, float*& vel, float*& c2, float*& c3, float*& rad,
                                float*& radRate, float*& val, float*& valRate, uint8_t*& typ,
                                int32_t*& ids) const {
    pos = position;
    vel = velocity;
    c2 = hermiteC2;
    c3 = hermiteC3;
    rad = radius;
    radRate = radiusRate;
    val = value1;
    valRate = value1Rate;
    typ = type;
    ids = id;
}

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};

// Opens the file, tells its size and hands both to `parse`; the failure when it cannot.
template <typename Parse>
SnapshotReadResult ParseHeaderOfFile(const wxString& fileName, Parse parse) {
    std::unique_ptr<std::FILE, FileCloser> f(ThreadFileReader_cls::OpenFile(fileName));
    if (!f) return SnapshotReadResult::Fail("cannot open the file: " + std::string(std::strerror(errno)));
    uint64_t fileSize = 0;
    if (!ThreadFileReader_cls::FileSize(f.get(), fileSize))
        return SnapshotReadResult::Fail("cannot tell the file size");
    return parse(f.get(), fileSize);
}

// A read that failed: the flag, the message after the file name, one line on standard
// output. Always false.
bool RecordFailure(ParticleData_cls& pd, const wxString& fileName, const std::string& message) {
    pd.readFailed = true;
    pd.readError = std::string(fileName.utf8_str()) + ": " + message;
    platform::ReportError(pd.readError);
    return false;
}

// Numbers of ParticleData_cls::loadGeneration; GUI thread mostly, atomic for the tools.
std::atomic<uint64_t> s_loadGenerations{0};

uint64_t NextLoadGeneration() { return s_loadGenerations.fetch_add(1, std::memory_order_relaxed) + 1; }

template <typename T>
T* NewArray(size_t n, bool& ok) {
    if (!ok) return nullptr;
    T* p = new (std::nothrow) T[n];
    if (!p) ok = false;
    return p;
}

}  // namespace

ParticleData_cls::ParticleData_cls(DataFrame_cls* frame_, int frameIndex_)
    : frame(frame_),
      frameIndex(frameIndex_),
      arrays(nullptr),
      position(nullptr),
      velocity(nullptr),
      hermiteC2(nullptr),
      hermiteC3(nullptr),
      radius(nullptr),
      radiusRate(nullptr),
      value1(nullptr),
      value1Rate(nullptr),
      type(nullptr),
      id(nullptr),
      count(-1),
      allocated(false),
      interpolationType(1),
      numberMode(0),
      keepsIDs(true),
      loadGeneration(0),
      ratesInUse(false),
      time(0.0),
      readFailed(false) {}

ParticleData_cls::~ParticleData_cls() { Free(); }

bool ParticleData_cls::Load(const wxString& fileName, const SnapshotLoadSettings& settings) {
    if (count == -1) {
        bool ok = false;
        if (settings.grammar.dataType == SNAPSHOT_BINARY) {
            ok = ReadHeaderBinary(fileName, settings.grammar);
        } else if (settings.grammar.dataType == SNAPSHOT_ASCII) {
            ok = ReadHeaderAscii(fileName, settings.grammar);
        } else {
            RecordFailure(*this, fileName, "unknown data type " + platform::FormatInt(settings.grammar.dataType));
        }
        if (!ok) return false;
        interpolationType = settings.interpolationType;
        numberMode = settings.numberMode;
        if (!settings.grammar.HeaderHasCode(0)) time = static_cast<double>(frameIndex);
    }
    if (!allocated && count > 0) {
        const int64_t n = count;
        if (!Allocate(n))
            return RecordFailure(*this, fileName, "not enough memory for " + platform::FormatInt(n) + " particles");
    }
    return true;
}

bool ParticleData_cls::ReadHeaderBinary(const wxString& fileName, const SnapshotGrammar& grammar) {
    readFailed = false;
    readError.clear();
    readWarning.clear();
    SnapshotHeader h;
    const SnapshotReadResult r = ParseHeaderOfFile(fileName, [&](std::FILE* f, uint64_t fileSize) {
        std::vector<unsigned char> head(static_cast<size_t>(grammar.HeaderByteSize()));
        const size_t got = head.empty() ? 0 : std::fread(head.data(), 1, head.size(), f);
        return ParseHeaderBinary(head.data(), got, fileSize, grammar, h);
    });
    if (!r.ok) return RecordFailure(*this, fileName, r.message);
    platform::Trace("time=" + platform::FormatF(h.time));
    platform::Trace("number=" + platform::FormatInt(h.count));
    count = h.count;
    if (h.hasTime) time = h.time;
    return true;
}

bool ParticleData_cls::ReadHeaderAscii(const wxString& fileName, const SnapshotGrammar& grammar) {
    readFailed = false;
    readError.clear();
    readWarning.clear();
    SnapshotHeader h;
    const SnapshotReadResult r = ParseHeaderOfFile(fileName, [&](std::FILE* f, uint64_t fileSize) {
        // Header lines are short: read a first piece, and a larger one only when the
        // header does not end inside it, up to a limit (never the whole of a large body for
        // a file whose header has no line end).
        constexpr uint64_t kHeaderScanLimit = 1u << 20;
        SnapshotReadResult result;
        size_t want = static_cast<size_t>(std::min<uint64_t>(fileSize, 1u << 16));
        for (;;) {
            std::vector<char> text(want);
            std::rewind(f);
            const size_t got = want ? std::fread(text.data(), 1, want, f) : 0;
            result = ParseHeaderAscii(text.data(), got, grammar, h, fileSize);
            // A header that reaches the end of the piece may have lost the rest of its last
            // line (a count cut in two); a failure on a line that ends inside the piece, or
            // of the grammar itself, is final.
            bool cut = h.bodyOffset >= got;
            if (!result.ok)
                cut = result.line > 0 && result.line > std::count(text.data(), text.data() + got, '\n');
            if (!cut || got >= fileSize || want >= fileSize) break;
            if (want >= kHeaderScanLimit) {
                const int64_t line = std::count(text.data(), text.data() + got, '\n') + 1;
                result = SnapshotReadResult::Fail("line " + platform::FormatInt(line) +
                                                      ": no end of line within the first " +
                                                      platform::FormatUInt(got) + " bytes of the header",
                                                  line);
                break;
            }
            want = static_cast<size_t>(
                std::min<uint64_t>({fileSize, static_cast<uint64_t>(want) * 4, kHeaderScanLimit}));
        }
        return result;
    });
    if (!r.ok) return RecordFailure(*this, fileName, r.message);
    count = h.count;
    if (h.hasTime) time = h.time;
    return true;
}

bool ParticleData_cls::Allocate(int64_t n) {
    if (allocated) Free();
    platform::Trace("Allocate " + platform::FormatInt(count));
    loadGeneration = NextLoadGeneration();
    ratesInUse = false;
    count = n;
    if (n <= 0) return true;
    const size_t un = static_cast<size_t>(n);
    bool ok = true;
    position = NewArray<float>(3 * un, ok);
    velocity = NewArray<float>(3 * un, ok);
    if (interpolationType == 1) {
        hermiteC2 = NewArray<float>(3 * un, ok);
        hermiteC3 = NewArray<float>(3 * un, ok);
    }
    radius = NewArray<float>(un, ok);
    radiusRate = NewArray<float>(un, ok);
    type = NewArray<uint8_t>(un, ok);
    value1 = NewArray<float>(un, ok);
    value1Rate = NewArray<float>(un, ok);
    if (keepsIDs) id = NewArray<int32_t>(un, ok);
    arrays = ok ? new (std::nothrow) ParticleArrays_cls : nullptr;
    if (!arrays) {
        allocated = true;  // lets Free release whatever was had
        Free();
        return false;
    }
    arrays->position = position;
    arrays->velocity = velocity;
    arrays->hermiteC2 = hermiteC2;
    arrays->hermiteC3 = hermiteC3;
    arrays->radius = radius;
    arrays->radiusRate = radiusRate;
    arrays->value1 = value1;
    arrays->value1Rate = value1Rate;
    arrays->type = type;
    arrays->id = id;
    allocated = true;
    return true;
}

void ParticleData_cls::Free() {
    if (!allocated) return;
    delete[] position;
    delete[] velocity;
    delete[] hermiteC2;
    delete[] hermiteC3;
    delete[] radius;
    delete[] radiusRate;
    delete[] value1;
    delete[] value1Rate;
    delete[] type;
    delete[] id;
    delete arrays;
    position = velocity = hermiteC2 = hermiteC3 = radius = radiusRate = value1 = value1Rate = nullptr;
    type = nullptr;
    id = nullptr;
    arrays = nullptr;
    allocated = false;
    ratesInUse = false;
    count = -1;
    loadGeneration = NextLoadGeneration();
}

int64_t ParticleData_cls::GetMemoryKB() const {
    if (!allocated || count <= 0) return 0;
    // What Allocate really holds: every array that is there, rates included.
    int64_t perParticle = 0;
    for (const float* p3 : {position, velocity})
        if (p3) perParticle += 3 * static_cast<int64_t>(sizeof(float));
    for (const float* p1 : {radius, value1})
        if (p1) perParticle += static_cast<int64_t>(sizeof(float));
    if (ratesInUse) {
        for (const float* p3 : {hermiteC2, hermiteC3})
            if (p3) perParticle += 3 * static_cast<int64_t>(sizeof(float));
        for (const float* p1 : {radiusRate, value1Rate})
            if (p1) perParticle += static_cast<int64_t>(sizeof(float));
    }
    if (type) perParticle += static_cast<int64_t>(sizeof(uint8_t));
    if (id) perParticle += static_cast<int64_t>(sizeof(int32_t));
    return count * perParticle / 1024;
}

bool ParticleData_cls::StartReader(const wxString& fileName, const SnapshotLoadSettings& settings,
                                   int ioThreads, std::atomic<bool>* loadedFlag,
                                   std::function<void()> onFinished) {
    if (GpFileReaderThread.load(std::memory_order_acquire) != nullptr) return false;
    if (!ThreadFileReader_cls::ForgetFinished()) return false;  // an unregistered reader runs
    GiLoadingFileIndex.store(frameIndex, std::memory_order_release);
    GbFileReaderDone.store(false, std::memory_order_release);
    auto* reader = new ThreadFileReader_cls(wxTHREAD_JOINABLE);
    if (reader->Create() != wxTHREAD_NO_ERROR) {
        // No thread to be had: read on this thread instead of giving up.
        delete reader;  // never started, so still ours to delete
        ParticleArrays_cls none;
        const SnapshotReadResult r = ThreadFileReader_cls::ReadBody(
            fileName, settings, allocated ? count : 0, arrays ? *arrays : none, ioThreads, &GiLoadProgress);
        readFailed = !r.ok;
        readError = r.ok ? std::string() : r.message;
        readWarning = r.ok ? r.warning : std::string();
        if (!r.ok) platform::ReportError(readError);
        if (loadedFlag) loadedFlag->store(true, std::memory_order_release);
        GbFileReaderDone.store(true, std::memory_order_release);
        GiLoadProgress.store(100, std::memory_order_relaxed);
        GiLoadingFileIndex.store(-1, std::memory_order_release);
        if (onFinished) onFinished();
        return true;
    }
    reader->Setup(loadedFlag, settings, fileName, this, ioThreads, std::move(onFinished));
    GpFileReaderThread.store(reader, std::memory_order_release);
    reader->MarkStarted();
    if (reader->Run() != wxTHREAD_NO_ERROR) {
        reader->MarkNotStarted();
        GpFileReaderThread.store(nullptr, std::memory_order_release);
        GiLoadingFileIndex.store(-1, std::memory_order_release);
        GbFileReaderDone.store(true, std::memory_order_release);
        readFailed = true;
        readError = std::string(fileName.utf8_str()) + ": the reader could not start";
        delete reader;
        if (loadedFlag) loadedFlag->store(true, std::memory_order_release);
        return false;
    }
    return true;
}

bool ParticleData_cls::StartInterpolation(ParticleData_cls& next, const PeriodicRule_cls& periodic,
                                          std::atomic<bool>* ratesReady, MenuCommandPoster_cls* poster) {
    ratesInUse = true;
    const InterpolationJob_cls job = InterpolationJob_cls::FromSnapshots(*this, next, periodic);
    return ThreadInterpolator_cls::Start(job, ratesReady, poster, 0);
}
