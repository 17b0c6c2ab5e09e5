// Boolean filter: region weights and their workers.
#include "filters/FilterBoolean.h"

#include <wx/intl.h>

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

#include "common/ForkJoin.h"
#include "timeline/ParamGroup.h"

namespace {

// Soft-border factor of one axis: 1 inside the half size h, falling linearly to 0 over
// the border h*b on either side.
float AxisFactor(float d, float h, float b) {
    const float outer = h * (1.0f + b);
    if (d > outer) return 0.0f;
    if (d > h) return 1.0f - (d - h) / (h * b);
    if (d > -h) return 1.0f;
    if (d > -outer) return 1.0f + (h + d) / (h * b);
    return 0.0f;
}

}  // namespace

float BooleanRegion_cls::Factor(const float p[3]) const {
    float d[3];
    for (int a = 0; a < 3; ++a) {
        if (!(size[a] > 0.0f)) return 0.0f;  // empty region; also a NaN size
        d[a] = p[a] - centre[a];
    }
    if (region == BOOLEAN_SPHERE) {
        float s = 0.0f;
        for (int a = 0; a < 3; ++a) s += (d[a] * d[a] / size[a]) / size[a];
        return s < 0.25f ? 1.0f : 0.0f;
    }
    // A border that is not a positive number would divide by zero or grow the weights:
    // it is taken as a hard edge.
    if (border > 0.0f && std::isfinite(border)) {
        float r = 1.0f;
        for (int a = 0; a < 3; ++a) r *= AxisFactor(d[a], size[a] * 0.5f, border);
        return r;
    }
    for (int a = 0; a < 3; ++a) {
        const float h = size[a] * 0.5f;
        if (!(d[a] > -h && d[a] < h)) return 0.0f;
    }
    return 1.0f;
}

namespace {

enum Shape { HARD_BOX, SOFT_BOX, ELLIPSOID };

// One loop per shape and operator, so the per-record work is a few compares and
// multiplies with no dispatch; Factor stays the reference the loops agree with.
template <int S, int Op>
void Kernel(const BooleanRegion_cls& r, const FilterParticles_cls& parts, float* weights, size_t first,
            size_t end) {
    const float cx = r.centre[0], cy = r.centre[1], cz = r.centre[2];
    const float hx = r.size[0] * 0.5f, hy = r.size[1] * 0.5f, hz = r.size[2] * 0.5f;
    const float sx = r.size[0], sy = r.size[1], sz = r.size[2];
    const float b = r.border;
    const bool empty = !(sx > 0.0f) || !(sy > 0.0f) || !(sz > 0.0f);
    for (size_t i = first; i < end; ++i) {
        const int k = parts.IndexAt(i);
        if (!parts.Valid(k)) {
            weights[i] = 0.0f;
            continue;
        }
        const float* p = parts.positions + 3 * static_cast<size_t>(k);
        const float dx = p[0] - cx, dy = p[1] - cy, dz = p[2] - cz;
        float f;
        if (empty) {
            f = 0.0f;
        } else if (S == HARD_BOX) {
            f = (dx > -hx && dx < hx && dy > -hy && dy < hy && dz > -hz && dz < hz) ? 1.0f : 0.0f;
        } else if (S == SOFT_BOX) {
            f = AxisFactor(dx, hx, b) * AxisFactor(dy, hy, b) * AxisFactor(dz, hz, b);
        } else {
            f = (dx * dx / sx) / sx + (dy * dy / sy) / sy + (dz * dz / sz) / sz < 0.25f ? 1.0f : 0.0f;
        }
        float& w = weights[i];
        if (Op == BOOLEAN_INTERSECT)
            w = f * w;
        else if (Op == BOOLEAN_DIFFERENCE)
            w = (1.0f - f) * w;
        else
            w = std::min(w + f, 1.0f);
    }
}

template <int S>
void KernelForOp(const BooleanRegion_cls& r, const FilterParticles_cls& parts, float* weights, size_t first,
                 size_t end) {
    switch (r.op) {
        case BOOLEAN_INTERSECT: Kernel<S, BOOLEAN_INTERSECT>(r, parts, weights, first, end); break;
        case BOOLEAN_DIFFERENCE: Kernel<S, BOOLEAN_DIFFERENCE>(r, parts, weights, first, end); break;
        default: Kernel<S, BOOLEAN_ADD>(r, parts, weights, first, end); break;
    }
}

}  // namespace

void BooleanRegion_cls::Apply(const FilterParticles_cls& particles, float* weights, size_t first,
                              size_t end) const {
    if (op < 0 || op > 2 || region < 0 || region > 2) return;
    if (region == BOOLEAN_SPHERE)
        KernelForOp<ELLIPSOID>(*this, particles, weights, first, end);
    else if (border > 0.0f && std::isfinite(border))
        KernelForOp<SOFT_BOX>(*this, particles, weights, first, end);
    else
        KernelForOp<HARD_BOX>(*this, particles, weights, first, end);
}

int BooleanWorkerCount(size_t records) {
    if (records <= 10000) return 1;
    if (records <= 100000) return 2;
    if (records <= 1000000) return 3;
    return 4;
}

void ApplyBooleanRegion(const BooleanRegion_cls& region, const FilterParticles_cls& particles,
                        float* weights, int workers) {
    const size_t c = particles.count;
    const size_t n = static_cast<size_t>(std::max(1, workers));
    if (n == 1 || c < n) {
        region.Apply(particles, weights, 0, c);
        return;
    }
    const size_t chunk = c / n;
    // Range 0 is added last, so the calling thread takes it meanwhile; ranges 1..n-1 run on
    // workers, or here when no thread can be had. Each writes only its own range of
    // weights; the join orders their writes before our reads.
    ForkJoin_cls group;
    try {
        for (size_t i = 1; i <= n; ++i) {
            const size_t k = i % n;
            const size_t first = k * chunk, end = k + 1 == n ? c : (k + 1) * chunk;
            group.Add([&region, &particles, weights, first, end] { region.Apply(particles, weights, first, end); });
        }
    } catch (const std::bad_alloc&) {
        // No room for the workers, none started: every range here.
        region.Apply(particles, weights, 0, c);
        return;
    }
    group.Run(1);
    group.Join();
}

FilterBooleanData_cls::FilterBooleanData_cls() : FilterData_cls(true, true) {
    filterName.Init("FilterName=", wxGetTranslation("Boolean") + "%02d");
    settings.Register(&operatorType, "OperatorType=", "0");
    settings.Register(&regionType, "RegionType=", "0");
    settings.Register(&borderFactor, "BorderFactor=", "0.01");
}

BooleanRegion_cls FilterBooleanData_cls::RegionAt(double t) {
    BooleanRegion_cls r;
    r.op = static_cast<int>(std::min(operatorType.value, 1000u));
    r.region = static_cast<int>(std::min(regionType.value, 1000u));
    r.border = borderFactor.value;
    const std::vector<double> T = translate->GetValues(t, -1);
    const std::vector<double> S = scale->GetValues(t, -1);
    for (size_t a = 0; a < 3; ++a) {
        r.centre[a] = a < T.size() ? static_cast<float>(T[a]) : 0.0f;
        r.size[a] = a < S.size() ? static_cast<float>(S[a]) : 0.0f;
    }
    return r;
}

FilterBoolean_cls::FilterBoolean_cls(FilterCtrl_cls* list)
    : FilterBase_cls(list, FILTER_BOOLEAN, std::make_unique<FilterBooleanData_cls>()) {}

void FilterBoolean_cls::ApplyWeights(const FilterParticles_cls& particles, float* weights, double time,
                                     int threads) {
    if (!Data()->filterValid.value) return;
    const BooleanRegion_cls region = Data()->RegionAt(time);
    const int byCount = BooleanWorkerCount(particles.count);
    ApplyBooleanRegion(region, particles, weights, threads > 0 ? threads : byCount);
}
