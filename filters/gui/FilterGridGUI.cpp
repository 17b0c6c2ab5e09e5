// Grid filter panel.
#include "filters/gui/FilterGridGUI.h"

#include <wx/intl.h>

#include "common/CommandIds.h"
#include "common/gui/MultiInputPanel.h"
#include "filters/FilterGrid.h"

void FilterGridGUI_cls::BuildRows() {
    auto* d = static_cast<FilterGridData_cls*>(filter_->GetData());
    MultiInputPanel_cls* p = panel_;
    p->updateFlags = 0x1006;
    p->labelWidth = 80;
    p->commitMode = MI_COMMIT_DIRECT;
    wxString types[6];
    for (int i = 0; i < 6; ++i) types[i] = wxGetTranslation(GoGridTypeNames[i]);
    typeItem = p->AddChoiceItem(MI_COMBO, &d->gridType.value, 6, types, wxGetTranslation("Grid Type"));
    p->AddItem(MI_CHECKBOX, &d->gridCoord.value, wxGetTranslation("Coordinate"));
    p->commitMode = MI_COMMIT_FILTER;
    p->AddItem(MI_GROUP, &groupCount3_, wxGetTranslation("Min/Max/Num"));
    p->AddItem(MI_FLOAT_TEXT, &d->gridMin.value, "");
    p->AddItem(MI_FLOAT_TEXT, &d->gridMax.value, "");
    p->AddItem(MI_INT_TEXT, &d->gridLineNum.value, "");
    p->AddItem(MI_GROUP, &oneMember_, wxGetTranslation("Color"));
    p->AddItem(MI_CUSTOM, MakeFilterColorButton(p, filter_, 0, false), "");
}

void FilterGridGUI_cls::AfterBuild() {
    // The grid type is stored directly: the views are asked to redraw as for a check box.
    panel_->AddItemCallback([this](void*, void*) { Post(ID_REDRAW_VIEWS); }, MIE_SELECT_CHANGED, typeItem);
}
