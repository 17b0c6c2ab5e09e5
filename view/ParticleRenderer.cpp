// The renderer's logic: draw order, stride compensation and the billboard vertex pipeline.
// Nothing here calls GL; the drawing lives in gui/ParticleRendererGL.cpp.
#include "view/ParticleRenderer.h"

#include <wx/thread.h>

#include "view/ParticleAttrib.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

const float kBillboardTemplate[12] = {-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0};

namespace {
// The draw order's array belongs to this module: every renderer builds into it, and it is
// kept between builds so that frames of the same size allocate nothing.
size_t sOrderCapacity = 0;
int sRenderers = 0;

ParticleRecord_cls* OrderArray(size_t records) {
    if (GpDrawOrder && sOrderCapacity >= records) return GpDrawOrder;
    std::free(GpDrawOrder);
    GpDrawOrder = static_cast<ParticleRecord_cls*>(std::malloc(records * sizeof(ParticleRecord_cls)));
    sOrderCapacity = GpDrawOrder ? records : 0;
    return GpDrawOrder;
}
}  // namespace

StrideFactors BillboardStrideFactors(int stride) {
    const float s = float(std::max(stride, 1)), u = 0.006f * s;
    return {std::sqrt((u + 0.2f) * (s - 1) + 1), (0.8f - u) * (s - 1) + 1};
}

StrideFactors PointStrideFactors(int stride) { return {1.0f, BillboardStrideFactors(stride).alpha}; }

StrideFactors ClampedStrideFactors(int stride) {
    const float s = float(std::max(stride, 1)), u = 0.006f * s;
    return {std::sqrt((s - 1) * std::min(u + 0.2f, 0.8f) + 1), (s - 1) * std::max(0.8f - u, 0.2f) + 1};
}

void TransformBillboardTemplate(const float m[16], float out[12]) {
    for (int k = 0; k < 4; ++k) {
        const float x = kBillboardTemplate[3 * k], y = kBillboardTemplate[3 * k + 1], z = kBillboardTemplate[3 * k + 2];
        out[3 * k] = x * m[0] + y * m[4] + z * m[8];
        out[3 * k + 1] = x * m[1] + y * m[5] + z * m[9];
        out[3 * k + 2] = x * m[2] + y * m[6] + z * m[10];
    }
}

void ComputeBillboardChunk(const BillboardChunkJob& job) {
    const float fixedAlpha = job.alphaFactor * job.alphaFactro;
    for (int64_t k = 0; k < job.n; ++k) {
        const int i = job.order[job.first + k].index;
        const float* p = job.positions + 3 * int64_t(i);
        const float r = job.constRadius ? job.size : job.size * job.radii[i];
        float* c = job.outCorners + 12 * k;
        for (int v = 0; v < 4; ++v) {
            c[3 * v] = job.corners[3 * v] * r + p[0];
            c[3 * v + 1] = job.corners[3 * v + 1] * r + p[1];
            c[3 * v + 2] = job.corners[3 * v + 2] * r + p[2];
        }
        const float* src = job.frameColours + 4 * int64_t(i);
        float* o = job.outColours + 4 * k;
        o[0] = src[0], o[1] = src[1], o[2] = src[2];
        if (job.alphaType == 1) {
            const float rr = job.size * job.radii[i];
            const float a = rr != 0.0f ? src[3] / (rr * rr) * job.alphaFactor : job.alphaMax;
            o[3] = std::min(a, job.alphaMax);
        } else {
            o[3] = src[3] * fixedAlpha;
        }
    }
}

class ThreadCaleVertex_cls : public wxThread {
public:
    ThreadCaleVertex_cls(const BillboardChunkJob& job, std::atomic<bool>* done)
        : wxThread(wxTHREAD_JOINABLE), job_(job), done_(done) {}
    /// The chunk on the calling thread (when no thread could be started).
    void RunHere() {
        ComputeBillboardChunk(job_);
        done_->store(true, std::memory_order_release);
    }

protected:
    ExitCode Entry() override {
        RunHere();
        return nullptr;
    }

private:
    BillboardChunkJob job_;
    std::atomic<bool>* done_;
};

ParticleRenderer_cls::ParticleRenderer_cls() { ++sRenderers; }

ParticleRenderer_cls::~ParticleRenderer_cls() {
    if (--sRenderers == 0) {
        std::free(GpDrawOrder);
        GpDrawOrder = nullptr;
        GiDrawOrderCount = 0;
        sOrderCapacity = 0;
    }
}

void ParticleRenderer_cls::SetEye(const float eye[3], const float direction[3]) {
    std::copy(eye, eye + 3, eye_);
    std::copy(direction, direction + 3, direction_);
}

void ParticleRenderer_cls::SetShadowLight(int lightCount, const double direction[3], double angle1, double angle2) {
    lightCount_ = lightCount;
    std::copy(direction, direction + 3, lightDir_);
    angle1_ = angle1, angle2_ = angle2;
}

void ParticleRenderer_cls::BuildDrawOrder(int n, int s, const float* positions, unsigned sortType, bool quality,
                                          double drawTime, const int32_t* ids) {
    GiDrawOrderCount = 0;
    if (s < 1) s = 1;
    if (n <= 0 || !positions) return;
    const int64_t records = SortKeyRecordCount(n, s);
    ParticleRecord_cls* order = OrderArray(size_t(records) + 1);
    if (!order) return;  // no memory: nothing drawn this frame, the program goes on
    orderCapacity_ = sOrderCapacity;
    int count = 0;
    if (sortType == 1 || sortType == 2) {
        float eye[3] = {eye_[0], eye_[1], eye_[2]}, dir[3] = {direction_[0], direction_[1], direction_[2]};
        MapSortViewToFrame(eye, dir);
        const int keyMode = sortType == 2 ? 2 : (quality ? 0 : 1);
        count = ComputeSortKeys(order, n, s, positions, eye, dir, keyMode);
        // Solid objects are drawn whatever the filters say; transparent ones are filtered first.
        if (sortType == 1 && filter_) count = filter_->ApplyToParticles(order, positions, count, drawTime, ids);
        sorter_.Sort(order, count, kSortThreads, SortBlockSize(sortPreference), &GbSpecialDebug);
    } else {
        for (int64_t i = 0, k = 0; i < n; i += s, ++k) order[k] = ParticleRecord_cls{int(i), 0.0f, 1.0f};
        count = int(records);
        if (filter_) count = filter_->ApplyToParticles(order, positions, count, drawTime, ids);
    }
    GiDrawOrderCount = std::max(count, 0);
}

void ParticleRenderer_cls::RunBillboardPipeline(
    const BillboardChunkJob& base, int64_t count,
    const std::function<void(const float*, const float*, int64_t)>& draw, const std::function<bool()>& abort) {
    if (count <= 0 || base.size == 0.0f) return;
    const size_t chunk = size_t(std::min<int64_t>(count, kBillboardThreadChunk));
    if (cornersA_.size() < 12 * chunk) {
        cornersA_.resize(12 * chunk), cornersB_.resize(12 * chunk);
        coloursA_.resize(4 * chunk), coloursB_.resize(4 * chunk);
    }
    float* corners[2] = {cornersA_.data(), cornersB_.data()};
    float* colours[2] = {coloursA_.data(), coloursB_.data()};
    int64_t previousN = 0;
    int pair = 0;
    for (int64_t first = 0; first < count; first += kBillboardThreadChunk, pair ^= 1) {
        BillboardChunkJob job = base;
        job.first = first;
        job.n = std::min<int64_t>(kBillboardThreadChunk, count - first);
        job.outCorners = corners[pair];
        job.outColours = colours[pair];
        std::atomic<bool> done{false};
        ThreadCaleVertex_cls worker(job, &done);
        const bool started = startWorker_ ? startWorker_(worker) : worker.Run() == wxTHREAD_NO_ERROR;
        // While the worker fills one pair, the previous chunk is sent from the other.
        if (!started) worker.RunHere();
        if (previousN > 0) draw(corners[pair ^ 1], colours[pair ^ 1], previousN);
        if (started) worker.Wait();
        (void)done.load(std::memory_order_acquire);
        previousN = job.n;
        if (progress) progress(int((first + job.n) * 100 / count));
        if (abort && abort()) return;
    }
    if (previousN > 0) draw(corners[pair ^ 1], colours[pair ^ 1], previousN);
}

bool ParticleRenderer_cls::AttribsChanged(ParticleAttrib_cls* const attribs[4]) {
    // The frame's colours hold these four values of every type, so a change rebuilds it.
    float now[16];
    for (int t = 0; t < 4; ++t) {
        now[4 * t] = float(attribs[t]->alphaType.value);
        now[4 * t + 1] = attribs[t]->alphaFactro.value;
        now[4 * t + 2] = attribs[t]->alphaDependBase.value;
        now[4 * t + 3] = attribs[t]->alphaMax.value;
    }
    const bool changed = !attribCacheSet_ || std::memcmp(now, attribCache_, sizeof now) != 0;
    std::memcpy(attribCache_, now, sizeof now);
    attribCacheSet_ = true;
    return changed;
}
