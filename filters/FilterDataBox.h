// The DataBox filter: places the particle data in the scene by a key-framed Translate,
// Rotation and Scale turning about a key-framed anchor point.
#pragma once

#include <wx/string.h>

#include "filters/FilterBase.h"

class FilterDataBoxData_cls : public FilterData_cls {
public:
    FilterDataBoxData_cls();
    ~FilterDataBoxData_cls() override;
    int Kind() const override { return 1; }

    /// Placement at data time t: the box's own point A (the anchor) lands at T + A and the
    /// box turns about it; scale factors S.
    void UpdateTransform(double t) override;
    /// Also copies the anchor's key frames (from the source's anchor).
    void CopyFrom(const FilterData_cls& source, const ParamGroup_cls* t, const ParamGroup_cls* r,
                  const ParamGroup_cls* s) override;
    /// POV-Ray transform about the anchor: mode 0 for particle objects, 1 for filter objects
    /// (nothing in mode 1 when the influence is "Particle Only").
    void PovTransform(wxString& out, double t, int mode);

    ConfItemUINT_cls influence;        ///< "DataBoxInfluence=" 0 particles only, 1 all
    ParamGroup_cls* anchor = nullptr;  ///< "Filter Anchor", owned
};

class FilterDataBox_cls : public FilterBase_cls {
public:
    explicit FilterDataBox_cls(FilterCtrl_cls* list);
    FilterDataBoxData_cls* Data() const { return static_cast<FilterDataBoxData_cls*>(GetData()); }
};
