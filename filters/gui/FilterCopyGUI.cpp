// CopyBox filter panel: the cell ranges of the three box axes, the boundary and shear
// buttons, and the shear dialog.
#include "filters/gui/FilterCopyGUI.h"

#include <wx/intl.h>

#include "common/CommandIds.h"
#include "common/gui/MultiInputDialog.h"
#include "filters/FilterCopy.h"

void FilterCopyGUI_cls::BuildRows() {
    auto* d = static_cast<FilterCopyData_cls*>(filter_->GetData());
    MultiInputPanel_cls* p = panel_;
    p->updateFlags = 4102;
    p->labelWidth = 80;
    p->defaultControlWidth = 90;
    p->commitMode = MI_COMMIT_FILTER;
    for (int i = 0; i < 3; ++i) {
        p->AddItem(MI_GROUP, &groupCount2_, wxString::Format("Array %d", i));
        p->AddItem(MI_INT_TEXT, &d->arrayMin[i].value, "");
        p->AddItem(MI_INT_TEXT, &d->arrayMax[i].value, "");
    }
    p->AddItem(MI_GROUP, &groupCount2_, "");
    p->defaultControlWidth = 80;
    boundaryButton_ = p->AddUnboundItem(-1, wxGetTranslation("Boundary Size"), MI_BUTTON);
    shearButton_ = p->AddUnboundItem(-1, wxGetTranslation("Shearing Box"), MI_BUTTON);
}

void FilterCopyGUI_cls::AfterBuild() {
    panel_->AddItemCallback([this](void*, void*) { Post(ID_PERIODIC_BOUNDARY); }, MIE_BUTTON, boundaryButton_);
    panel_->AddItemCallback(
        [this](void*, void*) {
            if (hooks_.showShearDialog)
                hooks_.showShearDialog(filter_);
            else
                ShowShearDialog();
        },
        MIE_BUTTON, shearButton_);
}

void FilterCopyGUI_cls::ShowShearDialog() {
    auto* d = static_cast<FilterCopyData_cls*>(filter_->GetData());
    float shear[3][3];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) shear[r][c] = d->shear[r].values[c];
    float phase = d->shearPhase.value;
    int three = 3;
    MultiInputDialog_cls dialog(nullptr, panel_ ? wxGetTopLevelParent(panel_) : nullptr, wxID_ANY,
                                wxGetTranslation("Shearing Box"));
    dialog.panel->commitMode = MI_COMMIT_DIRECT;
    dialog.panel->labelWidth = 20;
    static const char* const kRows[3] = {"X", "Y", "Z"};
    int rows[3];
    for (int r = 0; r < 3; ++r) {
        rows[r] = dialog.AddItem(MI_GROUP, &three, kRows[r]);
        for (int c = 0; c < 3; ++c) dialog.AddItem(MI_FLOAT_TEXT, &shear[r][c], "");
    }
    dialog.panel->labelWidth = 80;
    dialog.AddItem(MI_FLOAT_TEXT, &phase, wxGetTranslation("Shear Offset"));
    dialog.BuildAndLayout();
    dialog.UpdateWidgets();
    for (int r : rows) dialog.panel->TintXYZ(r + 1);
    if (dialog.ShowModal() != wxID_OK) return;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) d->shear[r].values[c] = shear[r][c];
    }
    d->shearPhase.value = phase;
    Post(ID_REDRAW_VIEWS);
}
