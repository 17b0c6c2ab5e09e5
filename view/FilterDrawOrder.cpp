// Draw-order filtering through filter list 0.
#include "view/FilterDrawOrder.h"

#include <algorithm>

#include "filters/FilterCtrl.h"

int FilterDrawOrder_cls::ApplyToParticles(ParticleRecord_cls* records, const float* positions, int count,
                                          double time, const int32_t* ids) {
    FilterCtrl_cls* list = list_ ? list_() : nullptr;
    if (!list || list->Count() == 0 || count <= 0 || !records || !positions) return count;
    // The positions cover every particle a record names: the largest index bounds them.
    int top = -1;
    for (int i = 0; i < count; ++i) top = std::max(top, records[i].index);
    const size_t particles = static_cast<size_t>(top + 1);
    return static_cast<int>(list->ApplyToParticles(records, positions, particles, static_cast<size_t>(count), time, 0, ids));
}

bool FilterDrawOrder_cls::HasBorderBoolean() const {
    FilterCtrl_cls* list = list_ ? list_() : nullptr;
    return list && list->HasBorderBoolean();
}
