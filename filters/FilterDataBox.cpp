// DataBox filter: anchor group and placement about the anchor.
#include "filters/FilterDataBox.h"

#include "timeline/Parameter.h"

#include <wx/intl.h>

#include "timeline/ParamGroup.h"

FilterDataBoxData_cls::FilterDataBoxData_cls() : FilterData_cls(true, true) {
    filterName.Init("FilterName=", wxGetTranslation("DataBox") + "%02d");
    settings.Register(&influence, "DataBoxInfluence=", "1");
    anchor = new ParamGroup_cls("Filter Anchor", {"x", "y", "z"}, 0x1006, 0);
    anchor->owner = this;
    group->children.push_back(anchor);
}

FilterDataBoxData_cls::~FilterDataBoxData_cls() { delete anchor; }

void FilterDataBoxData_cls::UpdateTransform(double t) {
    SceneObj_cls::UpdateTransform(t);
    const std::vector<double> A = anchor->GetValues(t, 0);
    const double a[3] = {A.size() > 0 ? A[0] : 0, A.size() > 1 ? A[1] : 0, A.size() > 2 ? A[2] : 0};
    const GLCameraFrame_cls& f = transform.frame;
    // The box's point A is placed at position + R*A; keeping it at T + A puts the origin
    // at T + A - R*A. The placement's second column is up x direction = -right.
    for (int k = 0; k < 3; ++k)
        transform.pose.position[k] += a[k] - (a[0] * f.direction[k] - a[1] * f.right[k] + a[2] * f.up[k]);
}

void FilterDataBoxData_cls::CopyFrom(const FilterData_cls& source, const ParamGroup_cls* t,
                                     const ParamGroup_cls* r, const ParamGroup_cls* s) {
    if (const auto* box = dynamic_cast<const FilterDataBoxData_cls*>(&source)) {
        const unsigned char undoWas = GbParamUndoEnabled;  // part of the caller's step
        GbParamUndoEnabled = 0;
        anchor->CopyFrom(*box->anchor);
        GbParamUndoEnabled = undoWas;
    }
    FilterData_cls::CopyFrom(source, t, r, s);
}

void FilterDataBoxData_cls::PovTransform(wxString& out, double t, int mode) {
    if (influence.value == 0 && mode == 1) return;
    SceneObj_cls::PovTransform(out, t, anchor->GetValues(t, 0));
}

FilterDataBox_cls::FilterDataBox_cls(FilterCtrl_cls* list)
    : FilterBase_cls(list, FILTER_DATABOX, std::make_unique<FilterDataBoxData_cls>()) {}
