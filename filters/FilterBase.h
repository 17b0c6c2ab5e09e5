// The filter object of every kind: its kind code, its list, the data it owns, its
// filter text, and the weighting service of the visibility kinds.
#pragma once

#include <memory>
#include <string>

#include "common/ConfItem.h"
#include "filters/FilterData.h"
#include "filters/FilterParticles.h"
#include "scene/PovSerialize.h"

class FilterCtrl_cls;

/// One filter. Owns its data. GUI thread only (ApplyWeights may start workers of its own).
class FilterBase_cls : public PovSerialize_cls {
public:
    /// `list` may be null (a filter not yet in a list); `data` is owned from here on.
    FilterBase_cls(FilterCtrl_cls* list, int kind, std::unique_ptr<FilterData_cls> data);
    virtual ~FilterBase_cls();
    FilterBase_cls(const FilterBase_cls&) = delete;
    FilterBase_cls& operator=(const FilterBase_cls&) = delete;

    FilterData_cls* GetData() const { return data_.get(); }
    int Kind() const { return kindItem.value; }
    FilterCtrl_cls* List() const { return list_; }
    void SetList(FilterCtrl_cls* list) { list_ = list; }

    /// The filter text: the "FilterType=" line, settings lines, parameter blocks and
    /// colour records (without "-FilterBegin"/"-FilterEnd").
    std::string WriteText();
    /// Stores the selected flag on the data; false when it was already `selected`.
    bool SetSelected(bool selected);

    /// Visibility kinds multiply, clear or force `weights` (one per record) at data time
    /// `time`. `threads`: 0 chooses by the record count, otherwise exactly that many
    /// workers. The other kinds change nothing.
    virtual void ApplyWeights(const FilterParticles_cls& particles, float* weights, double time,
                              int threads);

    ConfItemINT_cls kindItem;  ///< "FilterType=" and the kind code

private:
    FilterCtrl_cls* list_;
    std::unique_ptr<FilterData_cls> data_;
};
