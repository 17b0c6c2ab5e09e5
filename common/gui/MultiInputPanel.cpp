// Bound-widget editor panel: the window side of the item list.
#include "common/gui/MultiInputPanel.h"

#include <wx/sizer.h>
#include <wx/slider.h>

#include "common/gui/AppFonts.h"
#include "common/gui/WidgetCommon.h"

MultiInputPanel_cls::MultiInputPanel_cls(void* ownerSlot, wxWindow* parent, wxWindowID id,
                                         const wxPoint& pos, const wxSize& size)
    : wxPanel(parent, id, pos, size, wxSIMPLE_BORDER | wxTAB_TRAVERSAL, "panel"),
      MultiInputBase_cls(ownerSlot, parent) {
    SetBackgroundColour(wxColour(191, 216, 216));
    if (GetAppFont(0).IsOk()) SetFont(GetAppFont(0));
    Bind(wxEVT_CHAR, &MultiInputPanel_cls::OnChar, this);
    Bind(wxEVT_KEY_DOWN, &MultiInputPanel_cls::OnKeyDown, this);
    // Every mouse event of the panel itself, and the presses its labels queue to it.
    Bind(wxEVT_LEFT_DOWN, &MultiInputPanel_cls::OnMouse, this);
    Bind(wxEVT_LEFT_UP, &MultiInputPanel_cls::OnMouse, this);
    Bind(wxEVT_LEFT_DCLICK, &MultiInputPanel_cls::OnMouse, this);
    Bind(wxEVT_MIDDLE_DOWN, &MultiInputPanel_cls::OnMouse, this);
    Bind(wxEVT_MIDDLE_UP, &MultiInputPanel_cls::OnMouse, this);
    Bind(wxEVT_RIGHT_DOWN, &MultiInputPanel_cls::OnMouse, this);
    Bind(wxEVT_RIGHT_UP, &MultiInputPanel_cls::OnMouse, this);
    Bind(wxEVT_RIGHT_DCLICK, &MultiInputPanel_cls::OnMouse, this);
    Bind(wxEVT_MOTION, &MultiInputPanel_cls::OnMouse, this);
    Bind(wxEVT_ENTER_WINDOW, &MultiInputPanel_cls::OnMouse, this);
    Bind(wxEVT_LEAVE_WINDOW, &MultiInputPanel_cls::OnMouse, this);
    Bind(wxEVT_MOUSEWHEEL, &MultiInputPanel_cls::OnMouse, this);
}

MultiInputPanel_cls::~MultiInputPanel_cls() {
    // The controls go before the item records they point back to (range sliders).
    DestroyChildren();
}

void MultiInputPanel_cls::BuildControls() {
    if (built_) return;
    built_ = true;
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    CreateControls(sizer, this);
    SetSizer(sizer);
    sizer->SetSizeHints(this);
}

void MultiInputPanel_cls::CreateAndAddToSizer(wxSizer* sizer) {
    BuildControls();
    if (sizer) sizer->Add(this, 0, wxALL, 2);
}

void MultiInputPanel_cls::SetSpacerWidth(int width) {
    spacerWidth = width;
    if (closingSpacer_) closingSpacer_->SetMinSize(wxSize(width, 0));
    Layout();
}

void MultiInputPanel_cls::RefreshSliders() {
    for (auto& item : items_) {
        if (item.kind != MI_INT_SLIDER && item.kind != MI_FLOAT_SLIDER &&
            item.kind != MI_DOUBLE_SLIDER)
            continue;
        if (auto* slider = dynamic_cast<wxSlider*>(item.control)) {
            const int position = slider->GetValue();
            slider->SetValue(0);
            slider->SetValue(position);
        }
    }
}

void MultiInputPanel_cls::ConnectButton(wxWindow*, int id) {
    Bind(wxEVT_BUTTON, &MultiInputBase_cls::OnButtonRoad, static_cast<MultiInputBase_cls*>(this),
         id);
}

void MultiInputPanel_cls::ConnectClick(wxWindow* window, int) {
    // A custom control's own presses do not travel to the panel: listen on the control.
    auto road = [this](wxMouseEvent& event) { OnCustomClickRoad(event); };
    window->Bind(wxEVT_LEFT_DOWN, road);
    window->Bind(wxEVT_RIGHT_DOWN, road);
}

void MultiInputPanel_cls::ConnectCheckBox(wxWindow*, int id) {
    Bind(wxEVT_CHECKBOX, &MultiInputBase_cls::OnCheckBoxRoad,
         static_cast<MultiInputBase_cls*>(this), id);
}

void MultiInputPanel_cls::ConnectComboBox(wxWindow*, int id) {
    Bind(wxEVT_COMBOBOX, &MultiInputBase_cls::OnComboBoxRoad,
         static_cast<MultiInputBase_cls*>(this), id);
}

void MultiInputPanel_cls::ConnectSlider(wxWindow*, int id) {
    auto* base = static_cast<MultiInputBase_cls*>(this);
    Bind(wxEVT_SCROLL_THUMBTRACK, &MultiInputBase_cls::OnSliderTrackRoad, base, id);
    Bind(wxEVT_SCROLL_THUMBRELEASE, &MultiInputBase_cls::OnSliderReleaseRoad, base, id);
}

void MultiInputPanel_cls::OnChar(wxKeyEvent& event) {
    const int code = event.GetKeyCode();
    if (code == WXK_RETURN || code == WXK_SPACE) {
        CommitById(event.GetId());
        return;
    }
    event.Skip();
}

void MultiInputPanel_cls::OnKeyDown(wxKeyEvent& event) {
    // Keys the controls did not use are the main window's shortcuts (Ctrl+Z undoes).
    if (!ShortcutForwarder_cls::Forward(event)) event.Skip();
}

void MultiInputPanel_cls::OnMouse(wxMouseEvent& event) {
    OnLabelClickRoad(event);
}

MultiInputPanel_cls* CreateMultiInputPanel(MultiInputPanel_cls** slot, wxWindow* parent) {
    auto* panel = new MultiInputPanel_cls(slot, parent, wxID_ANY);
    if (slot) *slot = panel;
    return panel;
}
