// Panel of the Fog filter: fog type, colour and alpha, density, near and far distances.
#pragma once

#include "filters/gui/FilterGUI.h"

class FilterFogGUI_cls : public FilterGUI_cls {
public:
    explicit FilterFogGUI_cls(FilterBase_cls* filter) : FilterGUI_cls(filter) {}

    /// Density shown for the exponential types, "Near/Far" for linear fog; the pages are
    /// laid out again.
    void UpdateVisibility();

    int typeItem = -1;     ///< "Fog Type" combo
    int densityItem = -1;  ///< "Density" entry
    int nearFarItem = -1;  ///< "Near/Far" group

protected:
    void BuildRows() override;
    void AfterBuild() override;
    void RefreshRows() override;
};
