// The rates of one snapshot towards the next: matching of particles by index or by ID,
// linear and Hermite rules, periodic correction. Plain functions over the arrays; the
// interpolation thread only splits the particles into blocks and calls them.
#pragma once

#include <cstdint>

#include "data/IdIndex.h"
#include "data/ParticleData.h"
#include "data/PeriodicBoundary.h"

/// Interpolation types ("InterpolateType=").
enum InterpolationType {
    INTERP_LINEAR = 0,   ///< "Linear": velocity := position rate
    INTERP_HERMITE = 1,  ///< "Hermite": velocities as read (the tangents), cubic coefficients filled
    INTERP_NONE = 2,     ///< "No Interpolate": no rates
};

/// Particle matching between the snapshots ("VariableNumber=").
enum NumberMode {
    NUMBER_BY_INDEX = 0,   ///< "Constant": particle i of A against particle i of B
    NUMBER_BY_ID = 1,      ///< "Variable": by ID, same index first, then widening windows
    NUMBER_SORTED_ID = 2,  ///< "Sort by ID": by ID, both snapshots sorted by ascending ID
};

/// Everything one interpolation reads and writes. The arrays are borrowed from the two
/// snapshots (A = the frame, B = the next frame; B may be A itself); neither may be freed
/// while a job on them runs. Workers write only A's rates (and A's velocity in linear
/// mode), each its own range of particles.
class InterpolationJob_cls {
public:
    int interpolationType = INTERP_LINEAR;  ///< InterpolationType; other values: no rates
    int numberMode = NUMBER_BY_INDEX;       ///< NumberMode; other values: no rates
    PeriodicRule_cls periodic;              ///< box correction of position differences
    ParticleArrays_cls a;                   ///< A's arrays (rates written here)
    ParticleArrays_cls b;                   ///< B's arrays (read only)
    int64_t countA = 0;                     ///< particles in A (negative counts as 0)
    int64_t countB = 0;                     ///< particles in B (negative counts as 0)
    float dt = 1.0f;                        ///< B's time − A's time; 0 or not finite: 1
    /// Index of B's IDs for matching by ID (borrowed; null: each call builds its own).
    /// ComputeAllRates and the interpolation thread build it once for all blocks.
    const IdIndex_cls* idIndexB = nullptr;

    /// The job of snapshot `a` towards `next` (which may be `a` itself, for a last frame):
    /// a's interpolation type and number mode, both array bundles (empty when not
    /// allocated, with count 0), dt = next's time − a's time in double, as float, exactly
    /// 0 becoming 1. GUI thread (the snapshots must not change meanwhile).
    static InterpolationJob_cls FromSnapshots(const ParticleData_cls& a,
                                              const ParticleData_cls& next,
                                              const PeriodicRule_cls& periodic);

    /// The particles of A that can have a partner in B: min(countA, countB) by index, all of
    /// A by ID (when B has particles); the blocks cover [0, MatchedCount()).
    int64_t MatchedCount() const;
    /// The divisor of the rates: dt, or 1 when dt is 0 or not finite.
    float TimeStep() const;
    /// True when the block rules compute anything: linear and Hermite in every known number
    /// mode with a known periodic rule; never for other types, unknown modes, an unknown
    /// periodic rule, or a mode that needs IDs when an ID array is null.
    bool ComputesRates() const;
    /// True when the rules look particles up in B by ID through an index (number mode 1).
    bool UsesIdIndex() const;
};

/// Number of block workers for `countA` particles: 1 up to 100,000, 2 above, 3 above
/// 300,000, 4 above 1,000,000, 5 above 3,000,000, 6 above 10,000,000.
int InterpWorkerCount(int64_t countA);

/// Block `k` (0-based) of `workers` (1..6) over `matched` particles: [k·block, (k+1)·block)
/// with block = matched / workers; the last block ends at `matched`.
void InterpBlockRange(int64_t matched, int workers, int k, int64_t& first, int64_t& end);

/// Linear rule for A's particles [first, end) (within MatchedCount()): the matched
/// particle j of B gives velocity := corrected (P_B[j] − P_A[i]) / T, radius rate :=
/// (r_B[j] − r_A[i]) / T, value1 rate := (v_B[j] − v_A[i]) / T. A particle without a
/// partner, or every particle when ComputesRates() is false, gets three zero rates.
void ComputeLinearRates(const InterpolationJob_cls& job, int64_t first, int64_t end);

/// Hermite rule for A's particles [first, end): partners found as in the linear rule (by
/// index or by ID), radius and value1 rates as there; the velocities are kept (they are the
/// tangents, and B's are read by the previous frame's job); when A holds the coefficient
/// arrays, per component the cubic P(t) = P_A + V_A·t + c2·t² + c3·t³ on 0 ≤ t ≤ T that
/// meets P_A + d with velocity V_B at T, d = P_B[j] − P_A[i] corrected by the periodic rule:
/// c2 = (3d/T − 2V_A − V_B)/T, c3 = (−2d/T + V_A + V_B)/T². A particle without a partner,
/// every particle of a job towards A itself, and a component that the rule forces to 0 get
/// c2 = c3 = 0: they move by their own velocity. When ComputesRates() is false the rates
/// and coefficients of the range are 0.
void ComputeHermiteRates(const InterpolationJob_cls& job, int64_t first, int64_t end);

/// The rule of the job's interpolation type for A's particles [first, end): linear,
/// Hermite, or zero rates for any other type. What one block worker runs.
void ComputeRateBlock(const InterpolationJob_cls& job, int64_t first, int64_t end);

/// Zero rates for A's particles [first, end) (end ≤ countA): radius and value1 rates, the
/// Hermite coefficients when held, and the velocity in linear mode (where it is the rate).
void ZeroRates(const InterpolationJob_cls& job, int64_t first, int64_t end);

/// The whole job on the calling thread, one block after another exactly as the workers
/// split it: the particles beyond MatchedCount() get zero rates first. `workers` 1..6
/// (clamped); 0 takes InterpWorkerCount(countA).
void ComputeAllRates(const InterpolationJob_cls& job, int workers = 0);
