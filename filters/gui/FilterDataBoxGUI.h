// Panel of the DataBox filter.
#pragma once

#include "filters/gui/FilterGUI.h"

class FilterDataBoxGUI_cls : public FilterGUI_cls {
public:
    explicit FilterDataBoxGUI_cls(FilterBase_cls* filter) : FilterGUI_cls(filter) {}

protected:
    void BuildRows() override;
};
