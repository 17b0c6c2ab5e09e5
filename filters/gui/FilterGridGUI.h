// Panel of the Grid filter: grid type, coordinate labels, range and divisions, line colour.
#pragma once

#include "filters/gui/FilterGUI.h"

class FilterGridGUI_cls : public FilterGUI_cls {
public:
    explicit FilterGridGUI_cls(FilterBase_cls* filter) : FilterGUI_cls(filter) {}

    int typeItem = -1;  ///< "Grid Type" combo

protected:
    void BuildRows() override;
    void AfterBuild() override;

private:
    int oneMember_ = 1;
};
