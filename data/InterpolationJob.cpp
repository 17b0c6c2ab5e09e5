// Rates between two snapshots: matching, linear and Hermite rules, periodic correction.
#include "data/InterpolationJob.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr int64_t kSearchWindows[] = {10, 100, 1000, 10000};

// Partner of A's particle i in B by ID: same index first, then the windows around i, then
// the first place in B that holds the ID. -1 when B has none.
int64_t FindById(const int32_t* idB, int64_t nB, int64_t i, int32_t id) {
    if (i < nB && idB[i] == id) return i;
    for (int64_t w : kSearchWindows) {
        if (i - w > nB) continue;
        const int64_t lo = std::max<int64_t>(0, i - w);
        const int64_t hi = std::min<int64_t>(nB, i + w);
        for (int64_t k = lo; k < hi; ++k)
            if (idB[k] == id) return k;
    }
    // Beyond the windows, anywhere in B: a particle whose neighbours were lost still has
    // its partner (only the index-less fallback scans; the index answers at once).
    for (int64_t k = 0; k < nB; ++k)
        if (idB[k] == id) return k;
    return -1;
}

// FindById through the index of B's IDs: the same partner, found without scanning. The
// positions holding the ID are ascending, so the first of them at or above a window's
// lower end is the first the window scan would meet.
inline int64_t FindByIdIndexed(const IdIndex_cls& index, const int32_t* idB, int64_t nB, int64_t i,
                               int32_t id) {
    if (i < nB && idB[i] == id) return i;
    const uint32_t* first;
    const uint32_t* end;
    index.Find(id, first, end);
    if (first == end) return -1;
    for (int64_t w : kSearchWindows) {
        if (i - w > nB) continue;
        const int64_t lo = std::max<int64_t>(0, i - w);
        const int64_t hi = std::min<int64_t>(nB, i + w);
        const uint32_t* p = end - first == 1 ? first : std::lower_bound(first, end, static_cast<uint64_t>(lo),
                                                                     [](uint32_t a, uint64_t b) { return a < b; });
        if (p != end && static_cast<int64_t>(*p) >= lo && static_cast<int64_t>(*p) < hi) return *p;
    }
    return *first;
}

// Calls match(i, j) for every particle i of A in [first, end) that has a partner j in B by
// ID, and miss(i) for the others; the number mode (1 or 2) chooses the search. Linear and
// Hermite rules share it, so both find the same partners.
template <typename Match, typename Miss>
void ForEachPartnerById(const InterpolationJob_cls& job, int64_t first, int64_t end, Match match, Miss miss) {
    const int64_t nB = std::max<int64_t>(0, job.countB);
    if (job.numberMode == NUMBER_BY_ID) {
        IdIndex_cls own;
        const IdIndex_cls* index = job.idIndexB;
        if (index == nullptr && own.Build(job.b.id, nB)) index = &own;
        for (int64_t i = first; i < end; ++i) {
            const int64_t j = index ? FindByIdIndexed(*index, job.b.id, nB, i, job.a.id[i])
                                    : FindById(job.b.id, nB, i, job.a.id[i]);
            if (j >= 0)
                match(i, j);
            else
                miss(i);
        }
        return;
    }
    // Sorted IDs: one forward cursor into B. It starts where the block's first ID would be
    // found by a scan from B's start, so every split of the particles gives the same matches.
    const int32_t* idB = job.b.id;
    int64_t p = std::lower_bound(idB, idB + nB, job.a.id[first]) - idB;
    for (int64_t i = first; i < end; ++i) {
        const int32_t id = job.a.id[i];
        int64_t j = -1;
        int64_t k = p;
        for (; k < nB; ++k) {
            if (idB[k] == id) {
                j = k;
                break;
            }
            if (idB[k] > id) break;
        }
        if (j >= 0) {
            p = j + 1;
            match(i, j);
            continue;
        }
        if (k >= nB)
            p = nB;
        else if (k > p)
            p = k - 1;
        miss(i);
    }
}


inline void LinearRate(const InterpolationJob_cls& job, float T, int64_t i, int64_t j) {
    const float* pa = job.a.position + 3 * i;
    const float* pb = job.b.position + 3 * j;
    float* v = job.a.velocity + 3 * i;
    for (int c = 0; c < 3; ++c) v[c] = job.periodic.Correct(pb[c] - pa[c], c) / T;
    job.a.radiusRate[i] = (job.b.radius[j] - job.a.radius[i]) / T;
    job.a.value1Rate[i] = (job.b.value1[j] - job.a.value1[i]) / T;
}

inline void LinearZero(const InterpolationJob_cls& job, int64_t i) {
    float* v = job.a.velocity + 3 * i;
    v[0] = v[1] = v[2] = 0.0f;
    job.a.radiusRate[i] = 0.0f;
    job.a.value1Rate[i] = 0.0f;
}

// out[k] := (b[k] − a[k]) / T for k in [first, end). The output never overlaps the inputs
// (A's rates against A's and B's values).
void StreamRate(const float* __restrict a, const float* __restrict b, float* __restrict out,
                int64_t first, int64_t end, float T) {
    int64_t k = first;
    // Fixed-length groups: vectorised even where the compiler avoids open loops.
    for (; k + 8 <= end; k += 8)
        for (int u = 0; u < 8; ++u) out[k + u] = (b[k + u] - a[k + u]) / T;
    for (; k < end; ++k) out[k] = (b[k] - a[k]) / T;
}

// Position rates of particles [first, end) by index with the box correction, in groups of
// eight particles (24 components, so that every lane keeps its axis).
void StreamPeriodicRate(const float* __restrict a, const float* __restrict b,
                        float* __restrict out, int64_t first, int64_t end, float T,
                        const PeriodicRule_cls& rule) {
    float half[24], len[24];
    for (int u = 0; u < 24; ++u) {
        const float edge = rule.CorrectedEdge(u % 3);
        len[u] = edge;
        half[u] = edge == 0.0f ? std::numeric_limits<float>::infinity() : edge * 0.5f;
    }
    const bool guess = rule.effect == PERIODIC_GUESS_VELOCITY;
    int64_t k = 3 * first;
    const int64_t stop = 3 * end;
    for (; k + 24 <= stop; k += 24) {
        if (guess) {
            for (int u = 0; u < 24; ++u) {
                const float d = b[k + u] - a[k + u];
                const float c = d > half[u] ? d - len[u] : (d < -half[u] ? d + len[u] : d);
                out[k + u] = c / T;
            }
        } else {
            for (int u = 0; u < 24; ++u) {
                const float d = b[k + u] - a[k + u];
                const float c = (d > half[u] || d < -half[u]) ? 0.0f : d;
                out[k + u] = c / T;
            }
        }
    }
    for (; k < stop; ++k) out[k] = rule.Correct(b[k] - a[k], static_cast<int>(k % 3)) / T;
}

// Linear rates of A's particles [first, end) against B's particles shifted by `shift`.
void LinearStreamRun(const InterpolationJob_cls& job, float T, int64_t first, int64_t end, int64_t shift) {
    const float* posB = job.b.position + 3 * shift;
    if (job.periodic.CorrectedAxes() == 0)
        StreamRate(job.a.position, posB, job.a.velocity, 3 * first, 3 * end, T);
    else
        StreamPeriodicRate(job.a.position, posB, job.a.velocity, first, end, T, job.periodic);
    StreamRate(job.a.radius, job.b.radius + shift, job.a.radiusRate, first, end, T);
    StreamRate(job.a.value1, job.b.value1 + shift, job.a.value1Rate, first, end, T);
}

void FillZero(float* p, int64_t first, int64_t end, int stride) {
    if (p == nullptr || end <= first) return;
    std::memset(p + stride * first, 0, sizeof(float) * static_cast<size_t>(stride * (end - first)));
}

}  // namespace

InterpolationJob_cls InterpolationJob_cls::FromSnapshots(const ParticleData_cls& a,
                                                         const ParticleData_cls& next,
                                                         const PeriodicRule_cls& periodic) {
    InterpolationJob_cls job;
    job.interpolationType = a.interpolationType;
    job.numberMode = a.numberMode;
    job.periodic = periodic;
    if (a.allocated && a.arrays != nullptr) {
        job.a = *a.arrays;
        job.countA = std::max<int64_t>(0, a.count);
    }
    if (next.allocated && next.arrays != nullptr) {
        job.b = *next.arrays;
        job.countB = std::max<int64_t>(0, next.count);
    }
    const float dt = static_cast<float>(next.time - a.time);
    job.dt = dt == 0.0f ? 1.0f : dt;
    return job;
}

int64_t InterpolationJob_cls::MatchedCount() const {
    // By ID every particle of A may have a partner, wherever B holds it.
    const bool byId = (numberMode == NUMBER_BY_ID || numberMode == NUMBER_SORTED_ID) &&
                      a.id != nullptr && b.id != nullptr && countB > 0;
    return std::max<int64_t>(0, byId ? countA : std::min(countA, countB));
}

float InterpolationJob_cls::TimeStep() const {
    return (dt == 0.0f || !std::isfinite(dt)) ? 1.0f : dt;
}

bool InterpolationJob_cls::ComputesRates() const {
    if (!periodic.IsKnown()) return false;
    if (interpolationType == INTERP_LINEAR || interpolationType == INTERP_HERMITE) {
        if (numberMode == NUMBER_BY_INDEX) return true;
        if (numberMode == NUMBER_BY_ID || numberMode == NUMBER_SORTED_ID)
            return a.id != nullptr && b.id != nullptr;
        return false;
    }
    return false;
}

bool InterpolationJob_cls::UsesIdIndex() const {
    return (interpolationType == INTERP_LINEAR || interpolationType == INTERP_HERMITE) &&
           numberMode == NUMBER_BY_ID && ComputesRates() &&
           MatchedCount() > 0;
}

int InterpWorkerCount(int64_t countA) {
    if (countA > 10000000) return 6;
    if (countA > 3000000) return 5;
    if (countA > 1000000) return 4;
    if (countA > 300000) return 3;
    if (countA > 100000) return 2;
    return 1;
}

void InterpBlockRange(int64_t matched, int workers, int k, int64_t& first, int64_t& end) {
    workers = std::clamp(workers, 1, 6);
    matched = std::max<int64_t>(0, matched);
    const int64_t block = matched / workers;
    first = k * block;
    end = (k == workers - 1) ? matched : (k + 1) * block;
}

void ZeroRates(const InterpolationJob_cls& job, int64_t first, int64_t end) {
    first = std::max<int64_t>(0, first);
    end = std::min(end, std::max<int64_t>(0, job.countA));
    FillZero(job.a.radiusRate, first, end, 1);
    FillZero(job.a.value1Rate, first, end, 1);
    FillZero(job.a.hermiteC2, first, end, 3);
    FillZero(job.a.hermiteC3, first, end, 3);
    if (job.interpolationType == INTERP_LINEAR) FillZero(job.a.velocity, first, end, 3);
}

// Clips [first, end) to the matched particles. False when there is nothing to compute:
// an empty range, or a job without a rate rule (its range then gets zero rates).
static bool RuleRange(const InterpolationJob_cls& job, int64_t& first, int64_t& end) {
    first = std::max<int64_t>(0, first);
    end = std::min(end, job.MatchedCount());
    if (end <= first) return false;
    if (job.ComputesRates()) return true;
    ZeroRates(job, first, end);
    return false;
}

void ComputeLinearRates(const InterpolationJob_cls& job, int64_t first, int64_t end) {
    if (!RuleRange(job, first, end)) return;
    const float T = job.TimeStep();
    const int64_t nB = std::max<int64_t>(0, job.countB);
    switch (job.numberMode) {
    case NUMBER_BY_INDEX:
        if (job.periodic.CorrectedAxes() == 0) {
            // Plain streams over the arrays, which the compiler vectorises.
            StreamRate(job.a.position, job.b.position, job.a.velocity, 3 * first, 3 * end, T);
            StreamRate(job.a.radius, job.b.radius, job.a.radiusRate, first, end, T);
            StreamRate(job.a.value1, job.b.value1, job.a.value1Rate, first, end, T);
        } else {
            StreamPeriodicRate(job.a.position, job.b.position, job.a.velocity, first, end, T,
                               job.periodic);
            StreamRate(job.a.radius, job.b.radius, job.a.radiusRate, first, end, T);
            StreamRate(job.a.value1, job.b.value1, job.a.value1Rate, first, end, T);
        }
        break;
    case NUMBER_BY_ID: {
        IdIndex_cls own;
        const IdIndex_cls* index = job.idIndexB;
        if (index == nullptr && own.Build(job.b.id, nB)) index = &own;
        const int32_t* idA = job.a.id;
        const int32_t* idB = job.b.id;
        // With unique IDs in B, runs of particles whose partners lie at one offset (as
        // after particles were lost) are checked by comparing IDs and computed as streams.
        const bool runs = index != nullptr && index->Unique();
        int64_t shift = 0;  // partner of the next particle expected at its index + shift
        for (int64_t i = first; i < end;) {
            if (runs) {
                int64_t r = i;
                while (r < end && r + shift >= 0 && r + shift < nB && idB[r + shift] == idA[r]) ++r;
                // [i, r): each ID's only position in B is known; the search's reach decides
                // between the rate and zero rates. Particles below B's count (all of a
                // block) reach every window, so with one offset the reach is the same for
                // the whole run except where the first tenth of B ends.
                if (r > i) {
                    LinearStreamRun(job, T, i, r, shift);
                    i = r;
                    continue;
                }
                const int64_t at = index->Position(idA[i], i + shift);
                if (at >= 0) {
                    shift = at - i;
                    continue;  // the run above takes this particle now
                }
                LinearZero(job, i);
                ++i;
                continue;
            }
            const int64_t j = index ? FindByIdIndexed(*index, idB, nB, i, idA[i]) : FindById(idB, nB, i, idA[i]);
            if (j >= 0)
                LinearRate(job, T, i, j);
            else
                LinearZero(job, i);
            ++i;
        }
        break;
    }
    case NUMBER_SORTED_ID:
        ForEachPartnerById(job, first, end, [&](int64_t i, int64_t j) { LinearRate(job, T, i, j); },
                           [&](int64_t i) { LinearZero(job, i); });
        break;
    default:
        ZeroRates(job, first, end);
        break;
    }
}

void ComputeHermiteRates(const InterpolationJob_cls& job, int64_t first, int64_t end) {
    if (!RuleRange(job, first, end)) return;
    const float T = job.TimeStep();
    const ParticleArrays_cls& A = job.a;
    const ParticleArrays_cls& B = job.b;
    const bool cubic = A.hermiteC2 != nullptr && A.hermiteC3 != nullptr;
    // Towards itself (a last frame, or a next file that cannot be read) nothing is known of
    // where a particle goes: it keeps to its own velocity, as one without a partner does.
    const bool self = A.position == B.position;
    const double t = T;
    auto match = [&](int64_t i, int64_t j) {
        A.radiusRate[i] = (B.radius[j] - A.radius[i]) / T;
        A.value1Rate[i] = (B.value1[j] - A.value1[i]) / T;
        if (!cubic) return;
        for (int c = 0; c < 3; ++c) {
            const int64_t n = 3 * i + c;
            const float raw = B.position[3 * j + c] - A.position[n];
            const float d = job.periodic.Correct(raw, c);
            if (d == 0.0f && raw != 0.0f && job.periodic.effect == PERIODIC_ZERO_VELOCITY) {
                // Forced to stay at the box edge: no cubic correction of this component.
                A.hermiteC2[n] = A.hermiteC3[n] = 0.0f;
                continue;
            }
            // The cubic P_A + V_A·t + c2·t² + c3·t³ with P(T) = P_A + d and P'(T) = V_B.
            const double va = A.velocity[n];
            const double vb = B.velocity[3 * j + c];
            const double dp = d;
            A.hermiteC2[n] = static_cast<float>((3.0 * dp / t - 2.0 * va - vb) / t);
            A.hermiteC3[n] = static_cast<float>((-2.0 * dp / t + va + vb) / (t * t));
        }
    };
    auto miss = [&](int64_t i) {
        A.radiusRate[i] = 0.0f;
        A.value1Rate[i] = 0.0f;
        if (!cubic) return;
        for (int c = 0; c < 3; ++c) A.hermiteC2[3 * i + c] = A.hermiteC3[3 * i + c] = 0.0f;
    };
    if (self) {
        for (int64_t i = first; i < end; ++i) miss(i);
        return;
    }
    if (job.numberMode == NUMBER_BY_INDEX) {
        for (int64_t i = first; i < end; ++i) match(i, i);
        return;
    }
    ForEachPartnerById(job, first, end, match, miss);
}

void ComputeRateBlock(const InterpolationJob_cls& job, int64_t first, int64_t end) {
    if (job.interpolationType == INTERP_LINEAR)
        ComputeLinearRates(job, first, end);
    else if (job.interpolationType == INTERP_HERMITE)
        ComputeHermiteRates(job, first, end);
    else
        ZeroRates(job, first, std::min(end, job.MatchedCount()));
}

void ComputeAllRates(const InterpolationJob_cls& job_, int workers) {
    IdIndex_cls index;
    InterpolationJob_cls job = job_;
    if (job.UsesIdIndex() && job.idIndexB == nullptr && index.Build(job.b.id, job.countB))
        job.idIndexB = &index;
    const int w = workers <= 0 ? InterpWorkerCount(job.countA) : std::clamp(workers, 1, 6);
    const int64_t m = job.MatchedCount();
    ZeroRates(job, m, job.countA);
    for (int k = 0; k < w; ++k) {
        int64_t first, end;
        InterpBlockRange(m, w, k, first, end);
        ComputeRateBlock(job, first, end);
    }
}
