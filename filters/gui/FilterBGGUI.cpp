// BG filter panel.
#include "filters/gui/FilterBGGUI.h"

#include <wx/intl.h>

#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "common/CommandSetValue.h"
#include "common/gui/FileDialogEX.h"
#include "common/gui/MultiInputPanel.h"
#include "filters/FilterBG.h"
#include "filters/FilterCtrl.h"

void FilterBGGUI_cls::BuildRows() {
    auto* d = static_cast<FilterBGData_cls*>(filter_->GetData());
    MultiInputPanel_cls* p = panel_;
    p->updateFlags = 0x1006;
    p->commitMode = MI_COMMIT_FILTER;
    p->labelWidth = 105;
    p->defaultControlWidth = 160;
    const wxString types[3] = {wxGetTranslation("Star Field"), wxGetTranslation("Texture Map"),
                               wxGetTranslation("Color Curve")};
    typeItem = p->AddChoiceItem(MI_COMBO, &d->bgType.value, 3, types, wxGetTranslation("BG Type"));
    p->defaultControlWidth = 80;
    numSizeItem = p->AddItem(MI_GROUP, &groupCount2_, wxGetTranslation("Num/Size"));
    p->AddItem(MI_INT_TEXT, &d->starNumber.value, "");
    p->AddItem(MI_FLOAT_TEXT, &d->starScale.value, "");
    alphaScaleItem = p->AddItem(MI_GROUP, &groupCount2_, wxGetTranslation("Alpha/Scale"));
    p->AddItem(MI_FLOAT_TEXT, &d->brightness.value, "");
    p->AddItem(MI_FLOAT_TEXT, &d->bgScale.value, "");
    p->defaultControlWidth = 160;
    const wxString maps[2] = {wxGetTranslation("Fisheye"), wxGetTranslation("Spherical")};
    mapTypeItem = p->AddChoiceItem(MI_COMBO, &d->mappingType.value, 2, maps, wxGetTranslation("Map Type"));
    const wxString colourMaps[2] = {wxGetTranslation("Odd"), wxGetTranslation("Even")};
    colorMapItem = p->AddChoiceItem(MI_COMBO, &d->colorMap.value, 2, colourMaps, wxGetTranslation("Map Type"));
    colorItem = p->AddItem(MI_GROUP, &oneMember_, wxGetTranslation("Color"));
    p->AddItem(MI_CUSTOM, MakeFilterColorButton(p, filter_, 0, true), "");
    // The file names are typed directly; the ".." buttons choose them as undo steps.
    p->commitMode = MI_COMMIT_DIRECT;
    textureAItem = p->AddItem(MI_GROUP, &groupCount2_, wxGetTranslation("Texture A"));
    p->AddItem(MI_STRING_TEXT, &d->textureA.text, "");
    p->GetLastItem().controlWidth = 140;
    p->defaultControlWidth = 30;
    buttonA_ = p->AddUnboundItem(-1, "..", MI_BUTTON);
    p->defaultControlWidth = 160;
    textureBItem = p->AddItem(MI_GROUP, &groupCount2_, wxGetTranslation("Texture B"));
    p->AddItem(MI_STRING_TEXT, &d->textureB.text, "");
    p->GetLastItem().controlWidth = 140;
    p->defaultControlWidth = 30;
    buttonB_ = p->AddUnboundItem(-1, "..", MI_BUTTON);
    xyzRows_ = AddTransformRows(p, d, FILTER_ROW_R);
}

void FilterBGGUI_cls::AfterBuild() {
    for (int item : {typeItem, mapTypeItem, colorMapItem})
        panel_->AddItemCallback([this](void*, void*) { UpdateVisibility(); }, MIE_SELECT_CHANGED, item);
    panel_->AddItemCallback([this](void*, void*) { SelectTexture(0); }, MIE_BUTTON, buttonA_);
    panel_->AddItemCallback([this](void*, void*) { SelectTexture(1); }, MIE_BUTTON, buttonB_);
    UpdateVisibility();
}

void FilterBGGUI_cls::RefreshRows() { UpdateVisibility(); }

void FilterBGGUI_cls::UpdateVisibility() {
    if (!panel_) return;
    const auto* d = static_cast<const FilterBGData_cls*>(filter_->GetData());
    // A collapsed panel keeps its rows hidden; they are chosen again when it opens.
    if (panel_->IsShownFlag()) {
        const unsigned type = d->bgType.value;
        panel_->ShowItem(numSizeItem, type == 0);
        panel_->ShowItem(mapTypeItem, type == 1);
        panel_->ShowItem(textureAItem, type == 1);
        panel_->ShowItem(textureBItem, type == 1 && d->mappingType.value == 0);
        panel_->ShowItem(colorItem, type == 2);
        panel_->ShowItem(colorMapItem, type == 2);
    }
    panel_->Layout();
    Post(ID_PAGES_RELAYOUT);
}

void FilterBGGUI_cls::SelectTexture(int which) {
    if (!GpFileDialogEX || which < 0 || which > 1) return;
    GpFileDialogEX->SetMessage("Select Texture");
    GpFileDialogEX->SetWildcard("image (*.png;*.jpg)|*.png;*.jpg");
    if (GpFileDialogEX->ShowModal() != wxID_OK) return;
    const wxString path = GpFileDialogEX->GetPath();
    auto* d = static_cast<FilterBGData_cls*>(filter_->GetData());
    const wxString old = (which == 0 ? d->textureA : d->textureB).text;
    // The filter may be deleted and restored while the step is in the history: the
    // command finds the setting again through the list and the filter's name.
    FilterCtrl_cls* list = filter_->List();
    FilterBase_cls* self = filter_;
    const wxString name = d->filterName.Value();
    auto locate = [list, self, name, which]() -> void* {
        FilterBase_cls* f = self;
        if (list) f = list->IndexOf(self) >= 0 ? self : list->FindByName(name);
        if (!f || f->Kind() != FILTER_BG) return nullptr;
        auto* data = static_cast<FilterBGData_cls*>(f->GetData());
        return which == 0 ? &data->textureA.text : &data->textureB.text;
    };
    const uint64_t flags = 0x1002;  // views and filter evaluation
    GoCommandHistory.Push(CommandSetValue_cls::MakeLocated(locate, path, flags),
                          CommandSetValue_cls::MakeLocated(locate, old, flags));
    GoCommandHistory.Redo();
    panel_->UpdateWidgets(MI_ALL_ITEMS);
    Post(ID_REDRAW_VIEWS);
}
