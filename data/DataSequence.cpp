// One data sequence: slots, naming, readiness, eviction choices, settings text.
#include "data/DataSequence.h"

#include <cmath>
#include <cstdio>

#include "timeline/ParamTextStream.h"
#include "platform/Trace.h"

namespace {
const DataLoadContext_cls& SharedDefaultContext() {
    static const DataLoadContext_cls context;
    return context;
}
}  // namespace

DataSequence_cls::DataSequence_cls(int index_, const DataLoadContext_cls* context)
    : frames(this), index(index_), context_(context) {
    group.Register(&item, wxString::Format("DataSequence%d=", index), wxString::Format("%d", index));
}

DataSequence_cls::~DataSequence_cls() {
    // A worker may still use a slot's arrays, or (the interpolator) those of the slot after
    // it: wait while any slot is busy, then unlink the slots so none looks at a deleted one.
    for (auto& f : frames) {
        if (f->IsLoading() || f->IsInterpolating()) f->Release(false);
    }
    for (auto& f : frames) f->previous = f->next = nullptr;
    for (auto& f : frames) f.reset();
}

const DataLoadContext_cls& DataSequence_cls::Context() const {
    return context_ ? *context_ : SharedDefaultContext();
}

int DataSequence_cls::Clamp(int i) const {
    if (frameCount_ > 0 && i >= frameCount_) i = frameCount_ - 1;
    // Indices outside the slots are never addressed, whatever a caller passes.
    if (i < 0) i = 0;
    if (i >= kFrameSlots) i = kFrameSlots - 1;
    return i;
}

void DataSequence_cls::SetFileList(const wxString& path, bool loadCut) {
    files.SetPath(path);
    files.CalcMaxOffset();
    int count = files.fileCount < 0 ? 0 : files.fileCount;
    if (count > kFrameSlots && loadCut) {
        count = kLoadCutFrames;
    } else if (count > kFrameSlots) {
        const std::string message = std::string(files.FileName(0, 0).utf8_str()) + ": the sequence has " +
                                    std::to_string(count) + " files; only the first " +
                                    std::to_string(kFrameSlots) + " are loaded";
        platform::Trace(message);
        if (Context().onWarning) Context().onWarning(message);
        count = kFrameSlots;
    }
    // A slot whose file changes (or that has no file any more) lets its snapshot go, time
    // included: no particle of the old file is ever shown under the new name.
    const int before = frameCount_;
    frames.MakeBelow(count + 1);
    for (int i = 0; i < count; ++i) {
        const wxString name = files.FileName(i, 0);
        DataFrame_cls& f = *frames[i];
        if (f.fileName != name) f.Release(true);
        f.SetFileName(name);
    }
    for (int i = count; i < before; ++i) frames[i]->Release(true);
    frameCount_ = count;
}

void DataSequence_cls::ReleaseFrames(int frame, bool reset) {
    if (frame != -2) {
        if (frame >= 0 && frame < frames.Made()) frames[frame]->Release(reset);
        return;
    }
    if (reset) {
        files = FileSequence_cls();
        frameCount_ = 0;
    }
    for (auto& f : frames) f->Release(reset);
}

void DataSequence_cls::ClearMarks() {
    for (int i = 0; i < frameCount_; ++i) frames[i]->keyFrameMark = false;
}

void DataSequence_cls::MarkFrame(int i) { frames[Clamp(i)]->keyFrameMark = true; }

int DataSequence_cls::GetFrameCount() const { return frameCount_; }

wxString DataSequence_cls::GetFileName(int i) const { return files.FileName(Clamp(i), 0); }

int64_t DataSequence_cls::GetParticleCount(int i) const {
    const int64_t n = frames[Clamp(i)]->data->count;
    return n < 0 ? 0 : n;
}

double DataSequence_cls::GetFrameTime(int i) const { return frames[Clamp(i)]->time; }

double DataSequence_cls::GetFrameTimes(double& time, double& span, int i, double factor) const {
    const int a = Clamp(i);
    const int b = Clamp(i + 1);
    time = frames[a]->time;
    span = (frames[b]->time - frames[a]->time) * factor;
    return span;
}

int64_t DataSequence_cls::GetMemoryKB() const {
    int64_t kb = 0;
    for (int i = 0; i < frameCount_; ++i) kb += frames[i]->GetMemoryKB();
    return kb;
}

int DataSequence_cls::GetMemoryMB() const { return static_cast<int>(GetMemoryKB() / 1024); }

int DataSequence_cls::CountLoadedFrames() const {
    int n = 0;
    for (int i = 0; i < frameCount_; ++i)
        if (frames[i]->loaded.load(std::memory_order_acquire)) ++n;
    return n;
}

bool DataSequence_cls::RatesNeeded(double fraction, bool needsRates) const {
    // Sets coloured by a rate-derived value would otherwise show the file's velocities while
    // paused and the rates once playback has computed them.
    return needsRates || fraction != 0.0 || std::isnan(fraction) || (attribsNeedRates && attribsNeedRates());
}

bool DataSequence_cls::IsFrameReady(int i, double fraction, bool needsRates) {
    return frames[Clamp(i)]->IsReady(RatesNeeded(fraction, needsRates));
}

void DataSequence_cls::PrepareFrame(int i, double fraction, bool needsRates, bool wait) {
    frames[Clamp(i)]->Prepare(RatesNeeded(fraction, needsRates), wait);
}

bool DataSequence_cls::Evictable(int i) const {
    const DataFrame_cls& f = *frames[i];
    return f.IsLoaded() && !f.IsInterpolating();
}

void DataSequence_cls::ReleaseOffStep(int step, int current) {
    if (step < 1) step = 1;
    for (int i = 0; i < frameCount_; ++i) {
        if (i % step <= 1) continue;
        if (i == current || i == current + 1) continue;
        if (Evictable(i)) frames[i]->Evict();
    }
}

int DataSequence_cls::EvictOne(int c, int s) {
    const int n = frameCount_;
    int a = -1, b = -1, m = -1, k = -1;
    for (int i = n - 1; i > c && a < 0; --i)
        if (Evictable(i) && !frames[i]->keyFrameMark) a = i;
    for (int i = 0; i < c && i < n && b < 0; ++i)
        if (Evictable(i) && !frames[i]->keyFrameMark) b = i;
    for (int i = n - 1; i > c && m < 0; --i)
        if (Evictable(i) && frames[i]->keyFrameMark) m = i;
    for (int i = 0; i < c && i < n && k < 0; ++i)
        if (Evictable(i) && frames[i]->keyFrameMark) k = i;
    const int dA = a >= 0 ? a - c : 0;
    const int dB = b >= 0 ? c - b : 0;
    const int dM = m >= 0 ? m - c : 0;
    const int dK = k >= 0 ? c - k : 0;
    int pick = -1;
    if (a >= 0 && dA > 2 * dB && dA > 3 * s && 2 * dA > dM)
        pick = a;
    else if (b >= 0 && 2 * dB > dK)
        pick = b;
    else if (m >= 0 && dM > 2 * dK && dM > 3 * s)
        pick = m;
    else if (k >= 0)
        pick = k;
    if (pick < 0) return -1;
    frames[pick]->Evict();
    return pick;
}

bool DataSequence_cls::ReadConfig(ParamTextStream_cls& stream, const std::string& line) {
    if (!item.ParseLine(wxString::FromUTF8(line))) return false;
    std::string path;
    if (stream.ReadLine(path) && !path.empty()) SetFileList(wxString::FromUTF8(path));
    return true;
}

wxString DataSequence_cls::WriteConfig() const { return item.WriteLine() + files.path + "\n"; }
