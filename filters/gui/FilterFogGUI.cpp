// Fog filter panel.
#include "filters/gui/FilterFogGUI.h"

#include <wx/intl.h>

#include "common/CommandIds.h"
#include "common/gui/MultiInputPanel.h"
#include "filters/ColorCurve.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterFog.h"
#include "filters/gui/ColorCurveBtn.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"

ColorCurveBtn_cls* MakeFilterColorButton(wxWindow* parent, FilterBase_cls* filter, int index) {
    FilterData_cls* d = filter->GetData();
    ColorCurve_cls* record = index >= 0 && index < int(d->colors.size()) ? d->colors[size_t(index)] : nullptr;
    auto* button = new ColorCurveBtn_cls(parent, record, true, true, false);
    FilterCtrl_cls* list = filter->List();
    if (list) {
        // The filter may be deleted and restored (a new object of the same name) while a
        // colour command sits in the history, or renamed while it lives: the command
        // finds the record by the object first, then by the name it had when built.
        const wxString name = d->filterName.Value();
        button->locateColor = [list, filter, name, index]() -> ConfItemFLOATARRAY_cls* {
            FilterBase_cls* f = list->IndexOf(filter) >= 0 ? filter : list->FindByName(name);
            if (!f) return nullptr;
            FilterData_cls* data = f->GetData();
            if (index < 0 || index >= int(data->colors.size())) return nullptr;
            return &data->colors[size_t(index)]->constantColor;
        };
    }
    return button;
}

void FilterFogGUI_cls::BuildRows() {
    auto* d = static_cast<FilterFogData_cls*>(filter_->GetData());
    MultiInputPanel_cls* p = panel_;
    p->updateFlags = 0x1006;
    p->labelWidth = 80;
    p->commitMode = MI_COMMIT_FILTER;
    const wxString types[3] = {"EXP", "EXP 2", "LINEAR"};
    typeItem = p->AddChoiceItem(MI_COMBO, &d->fogType.value, 3, types, wxGetTranslation("Fog Type"));
    p->AddItem(MI_GROUP, &groupCount2_, wxGetTranslation("Color/alpha"));
    p->AddItem(MI_CUSTOM, MakeFilterColorButton(p, filter_, 0), "");
    p->commitMode = MI_COMMIT_DIRECT;
    p->AddItem(MI_DOUBLE_TEXT, &d->fogParams->Component(1).cachedValue, "");
    densityItem = p->AddItem(MI_DOUBLE_TEXT, &d->fogParams->Component(0).cachedValue, wxGetTranslation("Density"));
    p->commitMode = MI_COMMIT_FILTER;
    nearFarItem = p->AddItem(MI_GROUP, &groupCount2_, wxGetTranslation("Near/Far"));
    p->AddItem(MI_FLOAT_TEXT, &d->fogStart.value, "");
    p->AddItem(MI_FLOAT_TEXT, &d->fogEnd.value, "");
    d->fogParams->GetValues(GdCurrentTime, -1);
}

void FilterFogGUI_cls::AfterBuild() {
    panel_->AddItemCallback([this](void*, void*) { UpdateVisibility(); }, MIE_SELECT_CHANGED, typeItem);
    UpdateVisibility();
}

void FilterFogGUI_cls::RefreshRows() { UpdateVisibility(); }

void FilterFogGUI_cls::UpdateVisibility() {
    if (!panel_) return;
    const bool linear = static_cast<FilterFogData_cls*>(filter_->GetData())->fogType.value == 2;
    // A collapsed panel keeps its rows hidden; the choice shows once it opens again.
    if (panel_->IsShownFlag()) {
        panel_->ShowItem(densityItem, !linear);
        panel_->ShowItem(nearFarItem, linear);
    }
    panel_->Layout();
    Post(ID_PAGES_RELAYOUT);
}
