// Fog filter panel.
#include "filters/gui/FilterFogGUI.h"

#include <wx/intl.h>

#include "common/CommandIds.h"
#include "common/gui/MultiInputPanel.h"
#include "filters/FilterFog.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"

void FilterFogGUI_cls::BuildRows() {
    auto* d = static_cast<FilterFogData_cls*>(filter_->GetData());
    MultiInputPanel_cls* p = panel_;
    p->updateFlags = 0x1006;
    p->labelWidth = 80;
    p->commitMode = MI_COMMIT_FILTER;
    const wxString types[3] = {"EXP", "EXP 2", "LINEAR"};
    typeItem = p->AddChoiceItem(MI_COMBO, &d->fogType.value, 3, types, wxGetTranslation("Fog Type"));
    p->AddItem(MI_GROUP, &groupCount2_, wxGetTranslation("Color/alpha"));
    p->AddItem(MI_CUSTOM, MakeFilterColorButton(p, filter_, 0, false), "");
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
