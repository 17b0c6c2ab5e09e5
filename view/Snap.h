// The drawable frame: the particles of one snapshot advanced to the displayed time and
// coloured through the colour records of their types, evaluated once for the GL views, the
// depth sort, the visibility filters and the POV-Ray writer alike.
#pragma once

#include <cstdint>

class ColorCurve_cls;
class ParticleAttrib_cls;
class ParticleData_cls;

/// The per-particle values a colour record's DependType ("DependType=") stands for.
enum ColorSource : unsigned {
    COLOR_SOURCE_VALUE1 = 0,      ///< "VALUE1": the evaluated value1
    COLOR_SOURCE_RADIUS = 1,      ///< "Radius": the evaluated radius
    COLOR_SOURCE_POSITION = 2,    ///< "Position": |position| of the snapshot
    COLOR_SOURCE_POSITION_X = 3,  ///< "Position(X)", then Y (4) and Z (5)
    COLOR_SOURCE_VELOCITY = 6,    ///< "Velocity": |velocity array entry| of the snapshot
    COLOR_SOURCE_VELOCITY_X = 7,  ///< "Velocity(X)", then Y (8) and Z (9)
    COLOR_SOURCE_ID = 10,         ///< "ID": the identifier as a float
    COLOR_SOURCE_COUNT = 11,
};

/// One snapshot at t0 + dt, every stride-th particle evaluated. Built, used and deleted on
/// the GUI thread; the evaluation workers it starts are joined before Compute returns.
/// Positions, radii, values and types do not refer to the snapshot after Compute: the
/// frame stays drawable when its snapshot is freed, and IsValidFor then says it is stale.
/// The derived colour sources (2..10) are read from the snapshot, so GetColorSource gives
/// null for one not yet computed once the snapshot has been freed or reloaded.
class Snap_cls {
public:
    /// Allocate(snapshot's count) and Compute(attribs, dt, workers). `snapshot` is borrowed
    /// (may be null or hold no particles: an empty frame); `attribs` are the four types'
    /// attribute sets, all non-null; a `stride` of 0 or less is 1; `workers` 1..4 (clamped),
    /// 0 = by count (SnapWorkerCount).
    Snap_cls(ParticleData_cls* snapshot, ParticleAttrib_cls* const attribs[4], double dt, int stride,
             int workers = 0);
    /// Release.
    ~Snap_cls();
    Snap_cls(const Snap_cls&) = delete;
    Snap_cls& operator=(const Snap_cls&) = delete;

    /// count := n; for n > 0 allocates positions (3n), radius, value1, types and colours
    /// (4n). When memory cannot be had nothing is held and the count is 0.
    void Allocate(int64_t n);
    /// Frees every array (the derived sources too); count 0. Safe to call twice. The main
    /// arrays are kept as the one spare set that the next Allocate of the same count takes
    /// over (rebuilding the frame at every step of playback then touches no fresh memory).
    void Release();
    /// Frees the spare set (when the data are cleared). Any thread.
    static void FreeSpareArrays();

    /// Evaluates the evaluated particles (every stride-th from 0): position + t·rate
    /// (Hermite: the cubic of the snapshot's coefficients with its velocities as tangents),
    /// radius and value1 + t·rate, the type, and the colour of the type's "Col" record at
    /// the record's colour source, alpha times AlphaDependBase² (AlphaType 1) or
    /// AlphaFactro. The rates are read only when dt is not 0, the snapshot's interpolation
    /// type is 0 or 1 and its frame (when it has one) says they are ready; otherwise the
    /// snapshot's values are copied. Updates the four "Col" records' scaling first, then
    /// splits the particles over `workers` threads (0: SnapWorkerCount); a worker that
    /// cannot be created runs on this thread. Same results for every worker count.
    void Compute(ParticleAttrib_cls* const attribs[4], double dt, int workers = 0);

    /// False (once) when `*refresh` is set, which it then clears; false for another
    /// snapshot, another load of the same one (see ParticleData_cls::loadGeneration),
    /// another time (snapshot time + dt, compared exactly), a stride that this frame does
    /// not serve (it serves its own and, when built with stride 1, every stride), or when
    /// it was built without the rates that are ready now. `refresh` may be null.
    bool IsValidFor(const ParticleData_cls* snapshot, double dt, int stride, bool* refresh = nullptr) const;

    /// Per-particle values of colour source `source` (ColorSource): 0 the value1 array,
    /// 1 the radius array, 2..10 that source's own derived array (computed on first use at
    /// every stride-th particle); null for other sources, an empty frame, or a derived
    /// source asked for first after the snapshot was freed or reloaded.
    const float* GetColorSource(unsigned source);
    /// The particles' identifiers (count of them) while the snapshot still holds the arrays
    /// this frame was built from and keeps identifiers; null otherwise.
    const int32_t* Ids() const { return allocated && SnapshotIsCurrent() ? IdsOfSnapshot() : nullptr; }
    /// The load generation of the snapshot this frame was built from (0 without one): equal
    /// only for frames of the same load of the same data.
    uint64_t SourceGeneration() const { return generation_; }
    /// The source array of `attrib`'s "Col" record, or of its "Ambient" one with `useAmbient`.
    const float* GetColorSource(const ParticleAttrib_cls& attrib, bool useAmbient);

    ParticleData_cls* snapshot = nullptr;  ///< borrowed source; see IsValidFor
    bool allocated = false;                ///< the arrays below are held
    int64_t count = 0;                     ///< n, the snapshot's particles at construction
    double time = 0.0;                     ///< the snapshot's time + dt
    int stride = 1;                        ///< every stride-th particle is evaluated
    float* positions = nullptr;            ///< 3n: evaluated x, y, z
    float* radius = nullptr;               ///< n: evaluated radius
    float* value1 = nullptr;               ///< n: evaluated value1
    float* colours = nullptr;              ///< 4n: RGBA, alpha already weighted
    uint8_t* type = nullptr;               ///< n: particle type 0..3 (copied from the snapshot)
    bool ratesUsed = false;                ///< the evaluation moved the particles by the rates

private:
    /// Fills the derived array of `source` (2..10) at every stride-th particle of
    /// [first, end) from the snapshot's arrays; allocates it first when `first` is 0 and it
    /// is not held. False when it cannot be had.
    bool EnsureDerived(unsigned source);
    void FillDerived(unsigned source, int64_t first, int64_t end);
    /// The snapshot still holds the arrays this frame was built from.
    bool SnapshotIsCurrent() const;
    const int32_t* IdsOfSnapshot() const;

    float* derived_[COLOR_SOURCE_COUNT] = {};  ///< derived sources 2..10 (0 and 1 unused)
    uint64_t generation_ = 0;                  ///< snapshot's loadGeneration at construction
    bool ratesWanted_ = false;                 ///< dt != 0 with a moving interpolation type

    friend class ThreadSnapInterpolate_cls;
    friend struct SnapEvaluation;
};

/// True when a drawn type colours through a source of 2 or more: a set of draw type 0, 1
/// or 3 by its "Col" record, one of draw type 2 by "Ambient", "Diffuse" or "Specular"
/// (draw type 4 is skipped). The readiness rule then asks for the rates.
bool AttribsNeedRates(ParticleAttrib_cls* const attribs[4]);

/// Evaluation workers for n particles: 1 up to 100,000, 2 up to 1,000,000, 3 up to
/// 10,000,000, else 4.
int SnapWorkerCount(int64_t n);

/// Range k of `workers` over n particles: [k·(n / workers), (k+1)·(n / workers)), the last
/// ending at n.
void SnapWorkerRange(int64_t n, int workers, int k, int64_t& first, int64_t& end);

/// RGBA of one particle: `record`'s colour at `value`, alpha times `alphaFactor`. The one
/// place the drawable frame colours a particle. Any thread, while nobody edits the record.
void SnapParticleColour(const ColorCurve_cls& record, float value, float alphaFactor, float out[4]);

/// The drawable frame of the last draw; owned by the particle renderer (and deleted by the
/// data clearing). GUI thread.
extern Snap_cls* GpSnap;
