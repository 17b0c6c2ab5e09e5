// The Boolean filter: weights particles by an axis-aligned box or the ellipsoid inscribed
// in it (Translate = centre, Scale = size), combined with the earlier weights by
// intersect, difference or add, with an optional soft border; on up to four workers.
#pragma once

#include <cstddef>

#include "filters/FilterBase.h"

/// Operators of "OperatorType=".
enum BooleanOperator { BOOLEAN_INTERSECT = 0, BOOLEAN_DIFFERENCE = 1, BOOLEAN_ADD = 2 };
/// Regions of "RegionType=" ("Plane" weights exactly like "Box").
enum BooleanRegionType { BOOLEAN_BOX = 0, BOOLEAN_PLANE = 1, BOOLEAN_SPHERE = 2 };

/// The values one weighting pass needs, copied out of the data so that workers never
/// touch it.
struct BooleanRegion_cls {
    int op = BOOLEAN_INTERSECT;
    int region = BOOLEAN_BOX;
    float border = 0.0f;                ///< soft border as a fraction of the half size; 0 hard
    float centre[3] = {0, 0, 0};        ///< Translate at the time
    float size[3] = {1, 1, 1};          ///< Scale at the time (full edge lengths)

    /// Region factor of a position: 1 inside, 0 outside, between in a soft border (boxes
    /// only). A zero or negative size component makes the region empty.
    float Factor(const float p[3]) const;
    /// Combines the region with the weights of records [first, end). Records naming no
    /// particle get weight 0. An operator or region code outside 0..2 changes nothing.
    void Apply(const FilterParticles_cls& particles, float* weights, size_t first, size_t end) const;
};

/// Workers used for `records` records: 1 up to 10,000, 2 up to 100,000, 3 up to
/// 1,000,000, 4 above.
int BooleanWorkerCount(size_t records);

/// Runs `region.Apply` over all records on `workers` threads (contiguous ranges, the last
/// one up to the end), joined before returning; a worker that cannot be started runs on
/// the calling thread. Results do not depend on the number of workers.
void ApplyBooleanRegion(const BooleanRegion_cls& region, const FilterParticles_cls& particles,
                        float* weights, int workers);

class FilterBooleanData_cls : public FilterData_cls {
public:
    FilterBooleanData_cls();
    int Kind() const override { return 0; }
    /// The region at data time t (Translate and Scale evaluated at t).
    BooleanRegion_cls RegionAt(double t);

    ConfItemUINT_cls operatorType;  ///< "OperatorType=" 0 intersect, 1 difference, 2 add
    ConfItemUINT_cls regionType;    ///< "RegionType=" 0 box, 1 plane, 2 sphere
    ConfItemFLOAT_cls borderFactor; ///< "BorderFactor=" default 0.01
};

class FilterBoolean_cls : public FilterBase_cls {
public:
    explicit FilterBoolean_cls(FilterCtrl_cls* list);
    FilterBooleanData_cls* Data() const { return static_cast<FilterBooleanData_cls*>(GetData()); }
    /// Nothing when disabled; otherwise the region at `time` over every record.
    void ApplyWeights(const FilterParticles_cls& particles, float* weights, double time,
                      int threads) override;
};
