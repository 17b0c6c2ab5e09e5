// Drawable frame: evaluation of a snapshot at t0 + dt on up to four joined workers.
#include "view/Snap.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include <wx/thread.h>

#include "common/ForkJoin.h"
#include "data/DataFrame.h"
#include "data/InterpolationJob.h"
#include "data/ParticleData.h"
#include "filters/ColorCurve.h"
#include "view/ParticleAttrib.h"

Snap_cls* GpSnap = nullptr;

namespace {

enum Motion { MOTION_NONE, MOTION_LINEAR, MOTION_HERMITE };

template <typename T>
T* NewArray(int64_t n, bool& ok) {
    if (!ok) return nullptr;
    T* p = new (std::nothrow) T[static_cast<size_t>(n)];
    if (!p) ok = false;
    return p;
}

// The arrays of the last frame released, kept for the next frame of the same count: the
// views rebuild the frame at every step of playback, and fresh memory costs a page fault
// per page on first touch (tens of milliseconds per million particles). One spare set.
struct SpareArrays {
    std::mutex lock;
    int64_t count = 0;
    float* positions = nullptr;
    float* radius = nullptr;
    float* value1 = nullptr;
    float* colours = nullptr;
    uint8_t* type = nullptr;

    void Free() {
        delete[] positions;
        delete[] radius;
        delete[] value1;
        delete[] colours;
        delete[] type;
        positions = radius = value1 = colours = nullptr;
        type = nullptr;
        count = 0;
    }
};

SpareArrays& Spare() {
    static SpareArrays* spare = new SpareArrays;  // never destroyed: frames may outlive statics
    return *spare;
}

bool RatesAreReady(const ParticleData_cls& pd) {
    return pd.frame == nullptr || pd.frame->ratesReady.load(std::memory_order_acquire);
}

// How the snapshot moves between its time and the next snapshot's.
Motion MotionOf(const ParticleData_cls& pd) {
    if (pd.interpolationType == INTERP_LINEAR) return MOTION_LINEAR;
    if (pd.interpolationType == INTERP_HERMITE)
        return (pd.hermiteC2 && pd.hermiteC3) ? MOTION_HERMITE : MOTION_LINEAR;
    return MOTION_NONE;  // "No Interpolate": the snapshot is shown as it is
}

}  // namespace

void SnapParticleColour(const ColorCurve_cls& record, float value, float alphaFactor, float out[4]) {
    record.ColorFromTable(value, out);
    out[3] *= alphaFactor;
}

/// Everything the workers read, filled on the GUI thread before any of them starts.
struct SnapEvaluation {
    Snap_cls* snap = nullptr;
    const ParticleData_cls* pd = nullptr;
    Motion motion = MOTION_NONE;
    float t = 0.0f;
    int64_t stride = 1;
    const ColorCurve_cls* record[4] = {};
    unsigned source[4] = {};  // per type; 0 or 1 read the evaluated arrays
    float alphaFactor[4] = {};

    void Run(int64_t first, int64_t end) const;

private:
    template <Motion M, bool Strided>
    void Advance(int64_t first, int64_t end) const;
};

template <Motion M, bool Strided>
void SnapEvaluation::Advance(int64_t first, int64_t end) const {
    const float* const pos = pd->position;
    const float* const vel = pd->velocity;
    const float* const c2 = pd->hermiteC2;
    const float* const c3 = pd->hermiteC3;
    const float* const rad = pd->radius;
    const float* const radRate = pd->radiusRate;
    const float* const val = pd->value1;
    const float* const valRate = pd->value1Rate;
    const uint8_t* const typ = pd->type;
    float* const outPos = snap->positions;
    float* const outRad = snap->radius;
    float* const outVal = snap->value1;
    uint8_t* const outType = snap->type;
    const float tt = t;
    const int64_t step = Strided ? stride : 1;
    for (int64_t i = first; i < end; i += step) {
        for (int c = 0; c < 3; ++c) {
            const int64_t k = 3 * i + c;
            if (M == MOTION_NONE)
                outPos[k] = pos[k];
            else if (M == MOTION_LINEAR)
                outPos[k] = pos[k] + tt * vel[k];
            else
                outPos[k] = pos[k] + tt * (vel[k] + tt * (c2[k] + tt * c3[k]));
        }
        if (M == MOTION_NONE) {
            outRad[i] = rad[i];
            outVal[i] = val[i];
        } else {
            outRad[i] = rad[i] + tt * radRate[i];
            outVal[i] = val[i] + tt * valRate[i];
        }
        outType[i] = typ[i] > 3 ? uint8_t{3} : typ[i];
    }
}

void SnapEvaluation::Run(int64_t first, int64_t end) const {
    // The first evaluated particle of the range: a multiple of the stride.
    if (stride > 1) first = (first + stride - 1) / stride * stride;
    if (end <= first) return;
    const bool strided = stride > 1;
    switch (motion) {
        case MOTION_NONE:
            strided ? Advance<MOTION_NONE, true>(first, end) : Advance<MOTION_NONE, false>(first, end);
            break;
        case MOTION_LINEAR:
            strided ? Advance<MOTION_LINEAR, true>(first, end) : Advance<MOTION_LINEAR, false>(first, end);
            break;
        case MOTION_HERMITE:
            strided ? Advance<MOTION_HERMITE, true>(first, end) : Advance<MOTION_HERMITE, false>(first, end);
            break;
    }
    // Derived sources of this range, each once however many types use it.
    for (int ty = 0; ty < 4; ++ty) {
        const unsigned s = source[ty];
        if (s < COLOR_SOURCE_POSITION) continue;
        bool earlier = false;
        for (int u = 0; u < ty; ++u) earlier = earlier || source[u] == s;
        if (!earlier) snap->FillDerived(s, first, end);
    }
    const float* src[4];
    for (int ty = 0; ty < 4; ++ty) {
        const unsigned s = source[ty];
        src[ty] = s == COLOR_SOURCE_RADIUS ? snap->radius : s >= COLOR_SOURCE_POSITION ? snap->derived_[s] : snap->value1;
    }
    float* const colours = snap->colours;
    const uint8_t* const types = snap->type;
    for (int64_t i = first; i < end; i += stride) {
        const int ty = types[i];
        SnapParticleColour(*record[ty], src[ty][i], alphaFactor[ty], colours + 4 * i);
    }
}

/// One evaluation worker: a contiguous range of particles, joined by Compute.
class ThreadSnapInterpolate_cls : public wxThread {
public:
    ThreadSnapInterpolate_cls(const SnapEvaluation& e, int64_t first, int64_t end)
        : wxThread(wxTHREAD_JOINABLE), e_(e), first_(first), end_(end) {}

protected:
    ExitCode Entry() override {
        e_.Run(first_, end_);
        return nullptr;
    }

private:
    const SnapEvaluation& e_;
    int64_t first_;
    int64_t end_;
};

int SnapWorkerCount(int64_t n) {
    if (n <= 100000) return 1;
    if (n <= 1000000) return 2;
    if (n <= 10000000) return 3;
    return 4;
}

void SnapWorkerRange(int64_t n, int workers, int k, int64_t& first, int64_t& end) {
    workers = std::max(1, workers);
    n = std::max<int64_t>(0, n);
    const int64_t block = n / workers;
    first = k * block;
    end = k == workers - 1 ? n : (k + 1) * block;
}

bool AttribsNeedRates(ParticleAttrib_cls* const attribs[4]) {
    for (int ty = 0; ty < 4; ++ty) {
        const ParticleAttrib_cls* a = attribs[ty];
        if (a == nullptr) continue;
        const unsigned drawType = a->drawType.value;
        if (drawType == 4) continue;
        if (drawType == 2) {
            if (a->ambient->dependType.value >= 2 || a->diffuse->dependType.value >= 2 ||
                a->specular->dependType.value >= 2)
                return true;
        } else if (a->col->dependType.value >= 2) {
            return true;
        }
    }
    return false;
}

Snap_cls::Snap_cls(ParticleData_cls* snapshot_, ParticleAttrib_cls* const attribs[4], double dt, int stride_,
                   int workers)
    : snapshot(snapshot_), stride(stride_ < 1 ? 1 : stride_) {
    const bool held = snapshot && snapshot->allocated && snapshot->count > 0;
    generation_ = snapshot ? snapshot->loadGeneration : 0;
    Allocate(held ? snapshot->count : 0);
    Compute(attribs, dt, workers);
}

Snap_cls::~Snap_cls() { Release(); }

void Snap_cls::Allocate(int64_t n) {
    Release();
    if (n <= 0) return;
    {
        SpareArrays& spare = Spare();
        std::lock_guard<std::mutex> hold(spare.lock);
        if (spare.count == n) {
            positions = spare.positions;
            radius = spare.radius;
            value1 = spare.value1;
            colours = spare.colours;
            type = spare.type;
            spare.positions = spare.radius = spare.value1 = spare.colours = nullptr;
            spare.type = nullptr;
            spare.count = 0;
            allocated = true;
            count = n;
            return;
        }
        spare.Free();  // a frame of another size is coming: make room for it
    }
    bool ok = true;
    positions = NewArray<float>(3 * n, ok);
    radius = NewArray<float>(n, ok);
    value1 = NewArray<float>(n, ok);
    colours = NewArray<float>(4 * n, ok);
    type = NewArray<uint8_t>(n, ok);
    allocated = true;
    count = n;
    if (!ok) Release();  // out of memory: an empty frame, not the end of the program
}

void Snap_cls::Release() {
    if (allocated && positions && radius && value1 && colours && type) {
        SpareArrays& spare = Spare();
        std::lock_guard<std::mutex> hold(spare.lock);
        spare.Free();
        spare.positions = positions;
        spare.radius = radius;
        spare.value1 = value1;
        spare.colours = colours;
        spare.type = type;
        spare.count = count;
        positions = radius = value1 = colours = nullptr;
        type = nullptr;
    }
    delete[] positions;
    delete[] radius;
    delete[] value1;
    delete[] colours;
    delete[] type;
    for (float*& d : derived_) {
        delete[] d;
        d = nullptr;
    }
    positions = radius = value1 = colours = nullptr;
    type = nullptr;
    allocated = false;
    count = 0;
}

void Snap_cls::FreeSpareArrays() {
    SpareArrays& spare = Spare();
    std::lock_guard<std::mutex> hold(spare.lock);
    spare.Free();
}

const int32_t* Snap_cls::IdsOfSnapshot() const { return snapshot ? snapshot->id : nullptr; }

bool Snap_cls::SnapshotIsCurrent() const {
    return snapshot && snapshot->loadGeneration == generation_ && snapshot->allocated && snapshot->count == count;
}

void Snap_cls::Compute(ParticleAttrib_cls* const attribs[4], double dt, int workers) {
    time = (snapshot ? snapshot->time : 0.0) + dt;
    ratesWanted_ = dt != 0.0 && snapshot && MotionOf(*snapshot) != MOTION_NONE;
    ratesUsed = false;
    if (!allocated || !SnapshotIsCurrent()) return;

    SnapEvaluation e;
    e.snap = this;
    e.pd = snapshot;
    e.stride = stride;
    e.t = static_cast<float>(dt);
    ratesUsed = ratesWanted_ && RatesAreReady(*snapshot);
    e.motion = ratesUsed ? MotionOf(*snapshot) : MOTION_NONE;
    for (int ty = 0; ty < 4; ++ty) {
        ParticleAttrib_cls* a = attribs[ty];
        ColorCurve_cls* record = a->col.get();
        // Before the workers: they only read the record. The table turns the curve
        // evaluation per particle into a lookup between two entries.
        record->UpdateScaling();
        record->BuildColorTable();
        e.record[ty] = record;
        const unsigned s = record->dependType.value;
        e.source[ty] = s < COLOR_SOURCE_COUNT ? s : COLOR_SOURCE_VALUE1;
        e.alphaFactor[ty] = a->alphaType.value == 1 ? a->alphaDependBase.value * a->alphaDependBase.value
                                                    : a->alphaFactro.value;
    }
    for (int ty = 0; ty < 4; ++ty) {
        const unsigned s = e.source[ty];
        if (s >= COLOR_SOURCE_POSITION && derived_[s] == nullptr) {
            derived_[s] = new (std::nothrow) float[static_cast<size_t>(count)];
            if (derived_[s] == nullptr) e.source[ty] = COLOR_SOURCE_VALUE1;  // colour by value1 instead
        }
    }

    const int w = workers > 0 ? std::min(workers, 4) : SnapWorkerCount(count);
    // All ranges but the last go to workers; the last is evaluated here meanwhile. Running
    // out of memory for the workers leaves the ranges not handed out to this thread.
    ForkJoin_cls group;
    int64_t handedOut = 0;
    try {
        for (int k = 0; k + 1 < w; ++k) {
            int64_t first, end;
            SnapWorkerRange(count, w, k, first, end);
            group.Add(std::make_unique<ThreadSnapInterpolate_cls>(e, first, end),
                      [&e, first, end] { e.Run(first, end); });
            handedOut = end;
        }
    } catch (const std::bad_alloc&) {
        // The workers built so far are kept; the rest of the ranges are evaluated here.
    }
    group.Run(0);
    e.Run(handedOut, count);
    group.Join();
}

void Snap_cls::FillDerived(unsigned source, int64_t first, int64_t end) {
    float* const out = derived_[source];
    const ParticleData_cls& pd = *snapshot;
    const int64_t s = stride;
    if (s > 1) first = (first + s - 1) / s * s;
    auto length = [](const float* v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); };
    switch (source) {
        case COLOR_SOURCE_POSITION:
            for (int64_t i = first; i < end; i += s) out[i] = length(pd.position + 3 * i);
            break;
        case COLOR_SOURCE_POSITION_X:
        case COLOR_SOURCE_POSITION_X + 1:
        case COLOR_SOURCE_POSITION_X + 2: {
            const int c = static_cast<int>(source - COLOR_SOURCE_POSITION_X);
            for (int64_t i = first; i < end; i += s) out[i] = pd.position[3 * i + c];
            break;
        }
        case COLOR_SOURCE_VELOCITY:
            for (int64_t i = first; i < end; i += s) out[i] = length(pd.velocity + 3 * i);
            break;
        case COLOR_SOURCE_VELOCITY_X:
        case COLOR_SOURCE_VELOCITY_X + 1:
        case COLOR_SOURCE_VELOCITY_X + 2: {
            const int c = static_cast<int>(source - COLOR_SOURCE_VELOCITY_X);
            for (int64_t i = first; i < end; i += s) out[i] = pd.velocity[3 * i + c];
            break;
        }
        case COLOR_SOURCE_ID:
            for (int64_t i = first; i < end; i += s) out[i] = pd.id ? static_cast<float>(pd.id[i]) : 0.0f;
            break;
        default:
            break;
    }
}

bool Snap_cls::EnsureDerived(unsigned source) {
    if (derived_[source] != nullptr) return true;
    if (!allocated || !SnapshotIsCurrent()) return false;
    derived_[source] = new (std::nothrow) float[static_cast<size_t>(count)];
    if (derived_[source] == nullptr) return false;
    FillDerived(source, 0, count);
    return true;
}

const float* Snap_cls::GetColorSource(unsigned source) {
    if (!allocated) return nullptr;
    if (source == COLOR_SOURCE_VALUE1) return value1;
    if (source == COLOR_SOURCE_RADIUS) return radius;
    if (source >= COLOR_SOURCE_COUNT) return nullptr;
    return EnsureDerived(source) ? derived_[source] : nullptr;
}

const float* Snap_cls::GetColorSource(const ParticleAttrib_cls& attrib, bool useAmbient) {
    const ColorCurve_cls& record = useAmbient ? *attrib.ambient : *attrib.col;
    return GetColorSource(record.dependType.value);
}

bool Snap_cls::IsValidFor(const ParticleData_cls* snap, double dt, int stride_, bool* refresh) const {
    if (refresh && *refresh) {
        *refresh = false;
        return false;
    }
    if (snap == nullptr || snap != snapshot || snap->loadGeneration != generation_) return false;
    if (time != snap->time + dt) return false;
    const int s = stride_ < 1 ? 1 : stride_;
    if (s != stride && stride != 1) return false;
    if (ratesWanted_ && !ratesUsed && RatesAreReady(*snap)) return false;
    return true;
}
