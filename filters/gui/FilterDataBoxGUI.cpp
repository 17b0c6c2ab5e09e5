// DataBox filter panel: T/R/S rows, the anchor row and the influence.
#include "filters/gui/FilterDataBoxGUI.h"

#include <wx/intl.h>

#include "common/gui/MultiInputPanel.h"
#include "filters/FilterDataBox.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"

void FilterDataBoxGUI_cls::BuildRows() {
    auto* d = static_cast<FilterDataBoxData_cls*>(filter_->GetData());
    MultiInputPanel_cls* p = panel_;
    p->updateFlags = 4102;
    p->labelWidth = 80;
    xyzRows_ = AddTransformRows(p, d, 0);
    // The anchor is keyed by the value-changed callback like the transform rows.
    xyzRows_.push_back(AddVectorRow(p, d->anchor, "A"));
    if (d->anchor) d->anchor->GetValues(GdCurrentTime, -1);
    p->commitMode = MI_COMMIT_FILTER;
    p->labelWidth = 80;
    p->defaultControlWidth = 80;
    const wxString choices[2] = {wxGetTranslation("Particle Only"), wxGetTranslation("All")};
    p->AddChoiceItem(MI_COMBO, &d->influence.value, 2, choices, wxGetTranslation("Influence"));
}
