// Panel of the Copy filter.
#pragma once

#include "filters/gui/FilterGUI.h"

class FilterCopyGUI_cls : public FilterGUI_cls {
public:
    explicit FilterCopyGUI_cls(FilterBase_cls* filter) : FilterGUI_cls(filter) {}

protected:
    void BuildRows() override;
    void AfterBuild() override;

public:
    /// The modal "Shearing Box" dialog on working copies of the nine shear values and the
    /// phase; OK stores them directly (outside the history), Cancel changes nothing.
    void ShowShearDialog();

private:
    int boundaryButton_ = -1;
    int shearButton_ = -1;
};
