// Panel of the Boolean filter.
#pragma once

#include "filters/gui/FilterGUI.h"

class FilterBooleanGUI_cls : public FilterGUI_cls {
public:
    explicit FilterBooleanGUI_cls(FilterBase_cls* filter) : FilterGUI_cls(filter) {}

protected:
    void BuildRows() override;
};
