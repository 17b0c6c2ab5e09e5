// Filter object common to all kinds.
#include "filters/FilterBase.h"

FilterBase_cls::FilterBase_cls(FilterCtrl_cls* list, int kind, std::unique_ptr<FilterData_cls> data)
    : list_(list), data_(std::move(data)) {
    kindItem.Init("FilterType=", wxString::Format("%d", kind));
}

FilterBase_cls::~FilterBase_cls() = default;

std::string FilterBase_cls::WriteText() {
    return kindItem.WriteLine().utf8_string() + data_->WriteBody();
}

bool FilterBase_cls::SetSelected(bool selected) {
    if ((data_->selected != 0) == selected) return false;
    data_->SetSelected(selected);
    return true;
}

void FilterBase_cls::ApplyWeights(const FilterParticles_cls&, float*, double, int) {}
