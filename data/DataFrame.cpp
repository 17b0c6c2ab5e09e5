// Frame slots: on-demand loading, rates, release, and the waits for the worker threads.
#include "data/DataFrame.h"

#include <cstdio>

#include <wx/utils.h>

#include "data/DataLoader.h"
#include "data/DataSequence.h"
#include "data/InterpolationJob.h"
#include "data/ThreadFileReader.h"
#include "data/ThreadInterpolator.h"
#include "platform/Trace.h"

bool GbGLLockForLoadingData = false;
bool GbGLLockForInterpolation = false;

namespace {

const DataLoadContext_cls& DefaultContext() {
    static const DataLoadContext_cls context;
    return context;
}

// Blocks until the reader thread has made its last access to anything shared (its done
// flag comes a little earlier, and the arrays must not be freed under it), then joins it.
void WaitForReaderEnd(const DataLoadContext_cls& ctx) {
    while (ThreadFileReader_cls::IsRunning()) ctx.Sleep(5);
    ThreadFileReader_cls::ForgetFinished();
}

}  // namespace

SnapshotLoadSettings DataLoadContext_cls::Settings() const {
    if (settings) return settings();
    return GpDataLoader ? GpDataLoader->MakeLoadSettings() : SnapshotLoadSettings();
}

PeriodicRule_cls DataLoadContext_cls::Periodic() const {
    if (periodic) return periodic();
    return GpPeriodicBoundary ? GpPeriodicBoundary->MakeRule() : PeriodicRule_cls();
}

int DataLoadContext_cls::IOThreads() const {
    const int n = ioThreads ? ioThreads() : 1;
    return n < 1 ? 1 : (n > 64 ? 64 : n);
}

void DataLoadContext_cls::Sleep(int ms) const {
    if (sleep)
        sleep(ms);
    else
        wxMilliSleep(ms);
}

DataFrame_cls::DataFrame_cls(DataSequence_cls* owner_, int index_)
    : data(std::make_unique<ParticleData_cls>(this, index_)), owner(owner_), index(index_) {}

DataFrame_cls::~DataFrame_cls() {
    if (IsLoading()) WaitForReaderEnd(Context());
    if (IsInterpolating()) ThreadInterpolator_cls::WaitUntilFinished([this](int ms) { Context().Sleep(ms); });
}

const DataLoadContext_cls& DataFrame_cls::Context() const {
    return owner ? owner->Context() : DefaultContext();
}

bool DataFrame_cls::IsLoaded() const {
    return loadStarted.load(std::memory_order_acquire) && loaded.load(std::memory_order_acquire);
}

bool DataFrame_cls::IsLoading() const {
    return loadStarted.load(std::memory_order_acquire) && !loaded.load(std::memory_order_acquire);
}

bool DataFrame_cls::IsInterpolating() const {
    auto busy = [](const DataFrame_cls* f) {
        return f->ratesStarted.load(std::memory_order_acquire) &&
               !f->ratesReady.load(std::memory_order_acquire);
    };
    return busy(this) || (previous && busy(previous));
}

bool DataFrame_cls::IsReadable() {
    if (fileName.empty()) return false;
    if (readable == 2) return false;
    if (readable == 1) {
        // A body that failed to read makes the file unreadable from now on: the reader
        // has finished with the arrays once the loaded byte is set.
        if (IsLoaded() && data->readFailed) {
            readable = 2;
            readError = data->readError;
            data->Free();
            loadStarted = false;
            loaded = false;
            ratesStarted = false;
            ratesReady = false;
            if (Context().onReadFailed) Context().onReadFailed(fileName, readError);
            return false;
        }
        if (IsLoaded() && readWarning.empty() && !data->readWarning.empty()) {
            // Lines past the header's count were left out: said once for the file, however
            // often it is read again.
            readWarning = data->readWarning;
            platform::ReportError(readWarning);
        }
        return true;
    }
    std::FILE* f = ThreadFileReader_cls::OpenFile(fileName);
    if (!f) {
        readable = 2;
        return false;
    }
    std::fclose(f);
    readable = 1;
    return true;
}

bool DataFrame_cls::IsReady(bool needsRates) {
    if (!IsReadable()) return true;
    if (!IsLoaded()) return false;
    if (!needsRates) return true;
    return ratesStarted.load(std::memory_order_acquire) && ratesReady.load(std::memory_order_acquire);
}

void DataFrame_cls::Prepare(bool needsRates, bool wait) {
    if (IsLoaded() && ratesReady.load(std::memory_order_acquire)) return;
    if (!loaded.load(std::memory_order_acquire) && !loadStarted.load(std::memory_order_acquire)) StartLoad(wait);
    if (wait) WaitForReader(this, this, 1);
    if (!needsRates) return;
    if (!IsReadable()) return;  // settles a body that has just failed
    if (!ratesStarted.load(std::memory_order_acquire) && !ratesReady.load(std::memory_order_acquire))
        StartRates(wait);
    if (wait) WaitForInterpolator(this, this, 1);
}

void DataFrame_cls::StartLoad(bool wait) {
    // A second start would hand the same arrays to a second read.
    if (loadStarted.load(std::memory_order_acquire)) return;
    if (!wait && ThreadFileReader_cls::IsRunning()) return;  // a later call starts it
    WaitForReader(this, this, 0);
    if (!IsReadable()) return;
    const DataLoadContext_cls& ctx = Context();
    const SnapshotLoadSettings settings = ctx.Settings();
    loadStarted = true;
    if (!data->Load(fileName, settings)) {
        // Header unreadable or refused (Load printed its line): the frame is left out.
        loadStarted = false;
        readable = 2;
        readError = data->readError;
        data->Free();
        if (ctx.onReadFailed) ctx.onReadFailed(fileName, readError);
        return;
    }
    time = data->time;
    if (!data->StartReader(fileName, settings, ctx.IOThreads(), &loaded, ctx.onReaderFinished)) {
        // Another reader is still registered (a wait was refused): try again later.
        loadStarted = false;
    }
}

void DataFrame_cls::StartRates(bool wait) {
    if (!IsLoaded()) return;
    if (!next || !next->IsLoaded()) {
        if (next) next->StartLoad(wait);
        if (!wait) return;
        if (next) WaitForReader(this, next, 1);
    }
    if (!IsReadable()) return;
    // A registered interpolator is waited for (if still running) and forgotten: only this
    // thread clears the registration. Without the wait flag (prefetch from the idle driver)
    // a running one is not waited for: the GUI goes on and a later call starts these rates.
    if (!wait && ThreadInterpolator_cls::IsRunning()) return;
    if (GpInterpolatorThread.load(std::memory_order_acquire) != nullptr || ThreadInterpolator_cls::IsRunning()) {
        GbGLLockForInterpolation = true;
        ThreadInterpolator_cls::WaitUntilFinished([this](int ms) { Context().Sleep(ms); });
        GpInterpolatorThread.store(nullptr, std::memory_order_release);
        GbGLLockForInterpolation = false;
    }
    // Towards the next snapshot when it is in, else towards this one (zero motion).
    ParticleData_cls* target = data.get();
    if (next && next->IsReadable() && next->IsLoaded()) target = next->data.get();
    ratesStarted = true;
    const DataLoadContext_cls& ctx = Context();
    if (!data->StartInterpolation(*target, ctx.Periodic(), &ratesReady, ctx.poster)) ratesStarted = false;
}

void DataFrame_cls::Release(bool reset) {
    WaitForReader(this, this, 1);
    const DataLoadContext_cls& ctx = Context();
    // Never free arrays a worker still uses, whatever the waits above decided.
    if (IsLoading()) WaitForReaderEnd(ctx);
    if (IsInterpolating()) ThreadInterpolator_cls::WaitUntilFinished([&ctx](int ms) { ctx.Sleep(ms); });
    data->Free();
    loadStarted = false;
    loaded = false;
    ratesStarted = false;
    ratesReady = false;
    if (reset) {
        time = -9999.0;
        fileName.clear();
        readable = 0;
        readError.clear();
        readWarning.clear();
    }
}

void DataFrame_cls::Evict() { Release(false); }

void DataFrame_cls::SetFileName(const wxString& name) {
    if (name != fileName) readWarning.clear();  // told once per file
    fileName = name;
    readable = 0;
    readError.clear();
}

int64_t DataFrame_cls::GetMemoryKB() const { return data->GetMemoryKB(); }

void WaitForReader(DataFrame_cls* /*frame*/, DataFrame_cls* other, int expected) {
    if (GpFileReaderThread.load(std::memory_order_acquire) == nullptr) return;
    const bool loading = other->IsLoading();
    if (static_cast<int>(loading) != expected) return;
    if (GbGLLockForLoadingData) {
        platform::Trace("waitnig??");
        return;
    }
    const DataLoadContext_cls& ctx = other->Context();
    GbGLLockForLoadingData = true;
    if (!GbFileReaderDone.load(std::memory_order_acquire)) {
        const int index = GiLoadingFileIndex.load(std::memory_order_acquire);
        long polls = 0;
        for (;;) {
            ctx.Sleep(5);
            ++polls;
            if (polls % 100 == 0 && ctx.statusRefresh) ctx.statusRefresh();
            if (GbFileReaderDone.load(std::memory_order_acquire)) break;
            if (GiLoadingFileIndex.load(std::memory_order_acquire) != index) break;
        }
    }
    // The done flag comes just before the reader's last shared access.
    WaitForReaderEnd(ctx);
    GbGLLockForLoadingData = false;
    platform::Trace("Set::GbGLLockForLoadingData = FALSE");
}

void WaitForInterpolator(DataFrame_cls* /*frame*/, DataFrame_cls* other, int expected) {
    if (!ThreadInterpolator_cls::IsRunning()) return;
    const bool isLoaded = other->loaded.load(std::memory_order_acquire);
    const bool busy = isLoaded ? !other->ratesReady.load(std::memory_order_acquire)
                               : (other->loadStarted.load(std::memory_order_acquire) ||
                                  other->ratesStarted.load(std::memory_order_acquire));
    if (static_cast<int>(busy) != expected) return;
    const DataLoadContext_cls& ctx = other->Context();
    GbGLLockForInterpolation = true;
    ThreadInterpolator_cls::WaitUntilFinished([&ctx](int ms) { ctx.Sleep(ms); });
    GpInterpolatorThread.store(nullptr, std::memory_order_release);
    GbGLLockForInterpolation = false;
}
