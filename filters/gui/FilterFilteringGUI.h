// Panel of the Filtering filter.
#pragma once

#include "filters/gui/FilterGUI.h"

class FilterFilteringGUI_cls : public FilterGUI_cls {
public:
    explicit FilterFilteringGUI_cls(FilterBase_cls* filter) : FilterGUI_cls(filter) {}

protected:
    void BuildRows() override;
    void AfterBuild() override;

private:
    int textItem_ = -1;
};
