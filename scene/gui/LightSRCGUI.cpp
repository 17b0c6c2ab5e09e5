// The "Light Source Editor" dialog and its controller.
#include "scene/gui/LightSRCGUI.h"

#include <wx/sizer.h>
#include <wx/translation.h>

#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "common/gui/IconSelector.h"
#include "common/gui/MultiInputPanel.h"
#include "common/gui/WidgetCommon.h"
#include "scene/LightSRCCtrl.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"

namespace {

/// The item callbacks reach their dialog through this (one editor exists).
LightSRCGUI_cls* g_dialog = nullptr;

/// Update bits of the editor's items: UPD_VIEWS | UPD_CAMERAPATH_GUI | UPD_LIGHT_GUI.
constexpr uint32_t kItemFlags = 274;

}  // namespace

// ------------------------------------------------------------------------- controller

LightSRCGUICtrl_cls::LightSRCGUICtrl_cls(wxWindow* f, LightSRCCtrl_cls* l, const wxBitmap& i, const wxBitmap& p,
                                         const wxBitmap& s)
    : lights(l), frame(f), icon(i), pointIcon(p), spotIcon(s) {
    lights->onBind = [this]() {
        if (gui) gui->BindSelectedLight();
    };
    CreateGUI(frame);
}

LightSRCGUICtrl_cls::~LightSRCGUICtrl_cls() {
    if (lights) lights->onBind = nullptr;
    if (gui) {
        gui->owner = nullptr;
        gui->SetGeometryStore(nullptr);  // the toolkit deletes the dialog later
        gui->Destroy();
    }
    gui = nullptr;
}

void LightSRCGUICtrl_cls::CreateGUI(wxWindow* f) {
    gui = new LightSRCGUI_cls(this, f, wxPoint(x, y), wxSize(width, height));
    SetGUI(gui);
}

void LightSRCGUICtrl_cls::UpdateGUI(bool full) {
    // The current view asks after every paint: a hidden editor skips those. A full refill
    // (before it is shown, and after a project read or an undo) runs hidden too, so that it
    // never shows, nor edits, a light the scene no longer has or a value it no longer holds.
    if (!gui || (!full && !gui->IsShown())) return;
    gui->BindSelectedLight();
    gui->RebuildLightIcons(-2);
    gui->panel->UpdateWidgets(MI_ALL_ITEMS);
    gui->strip->UpdateWidgets(MI_ALL_ITEMS);
    gui->UpdateEnables();
}

void LightSRCGUICtrl_cls::Show(wxWindow* f) {
    DialogControl_cls::Show(f);
    // The refresh of the base's Show came while the editor was still hidden, and a hidden
    // editor skips it: the lights may have changed meanwhile (an opened project).
    UpdateGUI(true);
}

// ------------------------------------------------------------------------- dialog

LightSRCGUI_cls::LightSRCGUI_cls(LightSRCGUICtrl_cls* o, wxWindow* frame, const wxPoint& pos, const wxSize& size)
    : wxDialogEXKey(frame, wxID_ANY, wxGetTranslation("Light Source Editor"), pos, size,
                    o->icon.IsOk() ? &o->icon : nullptr, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX, "dialogBox"),
      owner(o) {
    g_dialog = this;
    LightSRCCtrl_cls* ctrl = owner->lights;
    auto* sizer = new wxBoxSizer(wxVERTICAL);

    // The strip: the light icons (choosing one is an undoable selection), "+" and "-".
    RebuildLightIcons(-1);
    strip = CreateMultiInputPanel(&strip, this);
    strip->defaultControlWidth = -1;
    strip->labelWidth = 0;
    int three = 3;
    strip->AddItem(MI_GROUP, &three, wxString());
    selectorItem = strip->AddItem(MI_ICON_SELECTOR, &ctrl->selected, wxString());
    strip->GetLastItem().icons = &icons;
    strip->SetItemRange(MI_LAST_ITEM, 0, double(LightSRCCtrl_cls::kLights), 0);
    strip->AddUnboundItem(ID_LIGHT_ADD, "+", MI_BUTTON);
    strip->AddUnboundItem(ID_LIGHT_REMOVE, "-", MI_BUTTON);
    strip->CreateAndAddToSizer(sizer);
    strip->GetNotifier()->Register([](void*, void*) { if (g_dialog) g_dialog->OnIconSelected(); }, MIE_SELECT);

    // The items of the selected light (bound to light 0 until BindSelectedLight).
    LightSRC_cls& l = ctrl->Light(0);
    panel = CreateMultiInputPanel(&panel, this);
    panel->updateFlags = kItemFlags;
    panel->labelWidth = 100;
    validItem = panel->AddItem(MI_CHECKBOX, &l.visible.value, wxGetTranslation("Valid"));
    int two = 2;
    panel->AddItem(MI_GROUP, &two, wxGetTranslation("Type/Fade"));
    const wxString types[] = {wxGetTranslation("Point Light"), wxGetTranslation("Spot Light"),
                              wxGetTranslation("Cylinder Light"), wxGetTranslation("Parallel Light")};
    typeItem = panel->AddChoiceItem(MI_COMBO, &l.type.value, 4, types, wxString());
    const wxString fades[] = {wxGetTranslation("No Fade"), wxGetTranslation("power 1"), wxGetTranslation("power 2")};
    fadeItem = panel->AddChoiceItem(MI_COMBO, &l.fade.value, 3, fades, wxString());
    const wxString targets[] = {wxGetTranslation("No Target"), wxGetTranslation("Target Origin"),
                                wxGetTranslation("Target Anchor")};
    targetItem = panel->AddChoiceItem(MI_COMBO, &l.target.value, 3, targets, wxGetTranslation("Target"));
    int xyz = 3;
    translateItem = panel->AddItem(MI_GROUP, &xyz, "Translate");
    for (int k = 0; k < 3; ++k) panel->AddItem(MI_DOUBLE_TEXT, &l.translate->Component(k).cachedValue, wxString());
    rotateItem = panel->AddItem(MI_GROUP, &xyz, "Rotate");
    for (int k = 0; k < 3; ++k) panel->AddItem(MI_DOUBLE_TEXT, &l.rotation->Component(k).cachedValue, wxString());
    strengthItem = panel->AddValueWithSlider(MI_DOUBLE_TEXT, &l.strength->Component(0).cachedValue,
                                             wxGetTranslation("L. Strength"), MI_KEEP_WIDTH, MI_KEEP_WIDTH);
    panel->SetItemRange(MI_LAST_ITEM, 0, 200, 100);
    fadeDistanceItem = panel->AddValueWithSlider(MI_FLOAT_TEXT, &l.fadeDistance.value,
                                                 wxGetTranslation("Fade Distance"), MI_KEEP_WIDTH, MI_KEEP_WIDTH);
    panel->SetItemRange(MI_LAST_ITEM, 1, 1000, 100);
    spotAngleItem = panel->AddValueWithSlider(MI_INT_TEXT, &l.spotAngle.value, wxGetTranslation("Spot Angle"),
                                              MI_KEEP_WIDTH, MI_KEEP_WIDTH);
    panel->SetItemRange(MI_LAST_ITEM, 0, 180, 1);
    castShadowItem = panel->AddItem(MI_CHECKBOX, &l.castShadow.value, wxGetTranslation("Cast Shadow"));
    areaItem = panel->AddItem(MI_CHECKBOX, &l.lightArea.value, wxGetTranslation("Area Light"));
    sizeQualityItem = panel->AddItem(MI_GROUP, &two, wxGetTranslation("Size/Quality"));
    panel->AddItem(MI_FLOAT_TEXT, &l.lightAreaSize.value, wxString());
    panel->AddItem(MI_INT_TEXT, &l.lightAreaQuality.value, wxString());
    panel->SetItemRange(MI_LAST_ITEM, 1, 1000, 0);
    panel->CreateAndAddToSizer(sizer);
    panel->TintXYZ(translateItem + 1);
    panel->TintXYZ(rotateItem + 1);
    boundLight = 0;
    panel->GetNotifier()->Register([](void*, void*) { if (g_dialog) g_dialog->OnItemCommitted(); }, MIE_COMMITTED);
    panel->AddItemCallback([](void*, void*) { if (g_dialog) g_dialog->OnTypeOrAreaChanged(); }, MIE_SELECT, typeItem);
    panel->AddItemCallback([](void*, void*) { if (g_dialog) g_dialog->OnTypeOrAreaChanged(); }, MIE_SELECT, fadeItem);
    panel->AddItemCallback([](void*, void*) { if (g_dialog) g_dialog->OnTypeOrAreaChanged(); }, MIE_CHECKBOX_CHANGED,
                           areaItem);

    SetSizer(sizer);
    sizer->SetSizeHints(this);
    Bind(wxEVT_BUTTON, &LightSRCGUI_cls::OnAdd, this, ID_LIGHT_ADD);
    Bind(wxEVT_BUTTON, &LightSRCGUI_cls::OnRemove, this, ID_LIGHT_REMOVE);
    BindSelectedLight();
    RebuildLightIcons(-2);
    UpdateEnables();
}

LightSRCGUI_cls::~LightSRCGUI_cls() {
    if (g_dialog == this) g_dialog = nullptr;
    if (owner && owner->gui == this) {
        owner->gui = nullptr;
        owner->dialog = nullptr;
    }
}

void LightSRCGUI_cls::BindSelectedLight() {
    if (!owner || !panel) return;
    LightSRCCtrl_cls* ctrl = owner->lights;
    LightSRC_cls* l = ctrl->SelectedLight();
    if (!l) {
        panel->Enable(false);
        return;
    }
    if (!panel->IsEnabled()) panel->Enable(true);
    if (boundLight != l->index) {
        // Every item keeps its control and place; only the variable it edits changes.
        auto bind = [&](int item, void* variable) { panel->GetItem(item).variable = variable; };
        bind(validItem, &l->visible.value);
        bind(typeItem, &l->type.value);
        bind(fadeItem, &l->fade.value);
        bind(targetItem, &l->target.value);
        for (int k = 0; k < 3; ++k) {
            bind(translateItem + 1 + k, &l->translate->Component(k).cachedValue);
            bind(rotateItem + 1 + k, &l->rotation->Component(k).cachedValue);
        }
        panel->RebindValueWithSlider(strengthItem, MI_DOUBLE_TEXT, &l->strength->Component(0).cachedValue);
        panel->RebindValueWithSlider(fadeDistanceItem, MI_FLOAT_TEXT, &l->fadeDistance.value);
        panel->RebindValueWithSlider(spotAngleItem, MI_INT_TEXT, &l->spotAngle.value);
        bind(castShadowItem, &l->castShadow.value);
        bind(areaItem, &l->lightArea.value);
        bind(sizeQualityItem + 1, &l->lightAreaSize.value);
        bind(sizeQualityItem + 2, &l->lightAreaQuality.value);
        boundLight = l->index;
    }
    // The entries show the curves' values at the current time.
    l->translate->GetValues(GdCurrentTime, 0);
    l->rotation->GetValues(GdCurrentTime, 0);
    l->strength->GetValues(GdCurrentTime, 0);
    UpdateEnables();
    panel->UpdateWidgets(MI_ALL_ITEMS);
    strip->UpdateWidgets(MI_ALL_ITEMS);
}

void LightSRCGUI_cls::UpdateEnables() {
    if (!owner || !panel) return;
    LightSRC_cls* l = owner->lights->SelectedLight();
    if (!l) return;
    panel->ShowItem(sizeQualityItem, l->lightArea.value);
    panel->ShowItem(spotAngleItem, l->type.value == LIGHT_SPOT);
    panel->ShowItem(fadeDistanceItem, l->fade.value != 0);
    // The panel shrinks to the rows shown, and the dialog with it.
    panel->InvalidateBestSize();
    if (wxSizer* rows = panel->GetSizer()) panel->SetMinSize(rows->GetMinSize());
    panel->Layout();
    Relayout();
}

void LightSRCGUI_cls::RebuildLightIcons(int select) {
    if (!owner) return;
    LightSRCCtrl_cls* ctrl = owner->lights;
    icons.clear();
    for (int i = 0; i < ctrl->LightNumber(); ++i)
        icons.push_back(ctrl->Light(i).type.value == LIGHT_SPOT ? owner->spotIcon : owner->pointIcon);
    if (!strip || selectorItem < 0) return;
    auto* selector = dynamic_cast<IconSelector_cls*>(strip->GetItemControl(selectorItem));
    if (!selector) return;
    selector->SetImages(icons);
    if (select >= 0) selector->SetSelection(select);
    else if (select == -2) selector->SetSelection(ctrl->selected);
    selector->Refresh();
}

void LightSRCGUI_cls::OnAdd(wxCommandEvent&) {
    if (!owner) return;
    owner->lights->AddLight();
    RebuildLightIcons(owner->lights->selected);
}

void LightSRCGUI_cls::OnRemove(wxCommandEvent&) {
    if (!owner || owner->lights->LightNumber() <= 0) return;
    owner->lights->RemoveLight();
    RebuildLightIcons(-1);
}

void LightSRCGUI_cls::OnIconSelected() {
    if (!owner) return;
    BindSelectedLight();
    if (LightSRC_cls* l = owner->lights->SelectedLight())
        if (owner->selectById) owner->selectById(l->pickId);
}

void LightSRCGUI_cls::OnItemCommitted() {
    if (!owner) return;
    if (LightSRC_cls* l = owner->lights->SelectedLight()) {
        // An edited entry becomes a key at the current time.
        l->translate->UpdateChangedKeys(GdCurrentTime);
        l->rotation->UpdateChangedKeys(GdCurrentTime);
        l->strength->UpdateChangedKeys(GdCurrentTime);
    }
    if (owner->frame) WidgetCommon_cls::PostMenuCommand(owner->frame, ID_REDRAW_VIEWS);
}

void LightSRCGUI_cls::OnTypeOrAreaChanged() {
    UpdateEnables();
    RebuildLightIcons(-1);
}
