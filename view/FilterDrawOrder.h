// The visibility filters (filter list 0) as the particle renderer's draw-order filter.
#pragma once

#include <functional>

#include "view/ParticleRenderer.h"

class FilterCtrl_cls;

/// Weights and compacts the draw order through a filter list. GUI thread only.
class FilterDrawOrder_cls : public DrawOrderFilter_cls {
public:
    /// `list` is asked for at every call (it may come and go; null: nothing filtered).
    explicit FilterDrawOrder_cls(std::function<FilterCtrl_cls*()> list) : list_(std::move(list)) {}

    /// The list's weighting at scene time `time`; records whose particle index is
    /// negative are dropped. Returns the new count.
    int ApplyToParticles(ParticleRecord_cls* records, const float* positions, int count, double time,
                         const int32_t* ids) override;
    bool HasBorderBoolean() const override;

private:
    std::function<FilterCtrl_cls*()> list_;
};
