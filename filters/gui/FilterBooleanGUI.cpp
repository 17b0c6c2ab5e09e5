// Boolean filter panel: operator and region, T/R/S rows, border width.
#include "filters/gui/FilterBooleanGUI.h"

#include <wx/intl.h>

#include "common/gui/MultiInputPanel.h"
#include "filters/FilterBoolean.h"

void FilterBooleanGUI_cls::BuildRows() {
    auto* d = static_cast<FilterBooleanData_cls*>(filter_->GetData());
    MultiInputPanel_cls* p = panel_;
    p->updateFlags = 4102;
    p->labelWidth = 80;
    p->commitMode = MI_COMMIT_FILTER;
    static const wxString kOperators[3] = {"Intersect", "Difference", "Add"};
    static const wxString kRegions[3] = {"Box", "Plane", "Sphere"};
    p->AddItem(MI_GROUP, &groupCount2_, wxGetTranslation("Operator"));
    p->AddChoiceItem(MI_COMBO, &d->operatorType.value, 3, kOperators, "");
    p->AddChoiceItem(MI_COMBO, &d->regionType.value, 3, kRegions, "");
    xyzRows_ = AddTransformRows(p, d, 0);
    p->labelWidth = 80;
    p->defaultControlWidth = 80;
    p->commitMode = MI_COMMIT_FILTER;
    p->AddItem(MI_FLOAT_TEXT, &d->borderFactor.value, wxGetTranslation("Border"));
}
