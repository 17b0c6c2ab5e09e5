// Bound-widget items: building a control from its variable, committing it back, and
// refreshing it when the variable changed elsewhere.
#include "common/gui/MultiInputItem.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include <wx/sizer.h>
#include <wx/window.h>

#include "common/CommandHistory.h"
#include "common/CommandSetValue.h"
#include "common/FilterValueTarget.h"
#include "common/gui/AppFonts.h"
#include "common/gui/AtoiComboCtrl.h"
#include "common/gui/ButtonEX.h"
#include "common/gui/CheckBoxEX.h"
#include "common/gui/DualSlider.h"
#include "common/gui/IconSelector.h"
#include "common/gui/SliderEX.h"
#include "common/gui/SpinCtrlEX.h"
#include "common/gui/StaticTextEX.h"
#include "common/gui/TextCtrlEX.h"

namespace {

int IntPart(double v) {
    if (!(v == v)) return 0;
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(v);
}

// The filter lists know int, unsigned, float, double and text settings; a bool goes as
// int (bool settings of filters have no address, so the filter's command changes nothing).
template <class T>
const T& FilterArg(const T& v) { return v; }
int FilterArg(bool v) { return v ? 1 : 0; }

// Writes `value` into `*var` by the item's commit mode.
template <class T>
void WriteByMode(const MultiInputItem_cls& item, T* var, const T& value) {
    switch (item.commitMode) {
    case MI_COMMIT_FILTER:
        if (item.filterContext) {
            // The filter list finds the setting again by address when the command runs,
            // so the pair stays valid when the filter is deleted and recreated.
            const wxString address = item.filterContext->GetItemAddress(var);
            CommandItem_cls* doCmd = item.filterContext->MakeValueCommand(
                address, FilterArg(value), item.updateFlags);
            CommandItem_cls* undoCmd = item.filterContext->MakeValueCommand(
                address, FilterArg(*var), item.updateFlags);
            if (doCmd && undoCmd) {
                GoCommandHistory.Push(doCmd, undoCmd);
                GoCommandHistory.Redo();
            } else {
                delete doCmd;
                delete undoCmd;
            }
        } else {
            // No list to address the setting through: never leave a raw pointer into a
            // filter in the history; write it directly.
            *var = value;
        }
        break;
    case MI_COMMIT_UNDO:
        GoCommandHistory.Push(new CommandSetValue_cls(var, value, item.updateFlags),
                              new CommandSetValue_cls(var, *var, item.updateFlags));
        GoCommandHistory.Redo();
        break;
    default:
        *var = value;
        break;
    }
}

}  // namespace

void MultiInputItem_cls::Bind(int k, void* var, const wxString& text, bool on) {
    kind = k;
    variable = var;
    label = text;
    enabled = on;
    inGroup = false;
}

void MultiInputItem_cls::BindUnbound(int id, const wxString& text, int k, bool on) {
    Bind(k, nullptr, text, on);
    controlId = id;
}

void MultiInputItem_cls::SetWidths(int membersToCome, int labelW, int comboWidthInGroup,
                                   int defaultControlWidth) {
    labelWidth = labelW;
    controlWidth = (kind == MI_COMBO && membersToCome > 0) ? comboWidthInGroup
                                                            : defaultControlWidth;
}

void MultiInputItem_cls::SetRange(double minV, double maxV, int d) {
    minimum = minV;
    maximum = maxV;
    digits = d;
}

bool MultiInputItem_cls::IsCommitted() const {
    switch (kind) {
    case MI_INT_TEXT: case MI_INT_SPIN: case MI_INT_SLIDER: case MI_FLOAT_TEXT:
    case MI_FLOAT_SLIDER: case MI_DOUBLE_TEXT: case MI_DOUBLE_SLIDER: case MI_CHECKBOX:
    case MI_COMBO: case MI_UINT_SPIN: case MI_STRING_TEXT: case MI_DUAL_SLIDER:
    case MI_ICON_SELECTOR:
        return variable != nullptr;
    default:
        return false;
    }
}

bool MultiInputItem_cls::IsSlider() const {
    return kind == MI_INT_SLIDER || kind == MI_FLOAT_SLIDER || kind == MI_DOUBLE_SLIDER ||
           kind == MI_DUAL_SLIDER;
}

namespace {
// The label of a row: fixed width, or stretching when the label width is -1. Its presses
// reach the panel (wxStaticTextEX queues them), which reports them as label clicks.
wxStaticTextEX* AddRowLabel(wxSizer* row, wxWindow* panel, const wxString& text, int width) {
    auto* label = new wxStaticTextEX(panel, wxID_ANY, text, wxDefaultPosition, wxSize(width, -1),
                                     0, "staticText");
    row->Add(label, width == -1 ? 1 : 0, wxFIXED_MINSIZE | wxALIGN_CENTER_VERTICAL | wxLEFT, 2);
    return label;
}
}  // namespace

wxSizer* MultiInputItem_cls::BuildGroupRow(wxWindow* panel) {
    row = new wxBoxSizer(wxHORIZONTAL);
    if (!label.empty()) labelControl = AddRowLabel(row, panel, label, labelWidth);
    return row;
}

wxSizer* MultiInputItem_cls::BuildRow(wxWindow* panel) {
    row = new wxBoxSizer(wxHORIZONTAL);
    if (kind != MI_BUTTON && !label.empty())
        labelControl = AddRowLabel(row, panel, label, labelWidth);
    return row;
}

void MultiInputItem_cls::PlaceControl() {
    if (!control || !row) return;
    control->Enable(enabled);
    const bool stretch = controlWidth == -1;
    int flags = wxFIXED_MINSIZE | wxLEFT;
    if (alignment == 1) flags |= wxRIGHT;
    if (stretch)
        flags |= wxEXPAND;
    else if (alignment != 1)
        flags |= wxALIGN_CENTER_VERTICAL;
    row->Add(control, stretch ? 1 : 0, flags, 2);
    // The widths were chosen for another platform's font: a control is never made smaller
    // than the toolkit needs to show it whole (a cut choice, a clipped caption, or a GTK
    // widget squeezed below its minimum, which GTK reports as a warning). Set after Add,
    // since a fixed-minimum sizer item takes the window's size then as its minimum.
    const wxSize best = control->GetBestSize();
    const wxSize need(stretch ? best.x : std::max(controlWidth, best.x), best.y);
    control->SetMinSize(need);
    control->SetSize(need);
    controlId = control->GetId();
}

wxWindow* MultiInputItem_cls::BuildControl(wxWindow* parent) {
    const wxSize size(controlWidth, -1);
    const int scale = digits == 0 ? 1 : digits;
    switch (kind) {
    case MI_INT_TEXT:
    case MI_INT_DISPLAY:
        control = new AtoiTextCtrl_cls(parent, wxID_ANY,
                                       variable ? *static_cast<int*>(variable) : 0,
                                       wxDefaultPosition, size);
        break;
    case MI_INT_SPIN:
    case MI_UINT_SPIN: {
        int v = 0;
        if (variable)
            v = kind == MI_INT_SPIN ? *static_cast<int*>(variable)
                                    : static_cast<int>(std::min<unsigned>(
                                          *static_cast<unsigned*>(variable), INT_MAX));
        control = new AtoiSpinCtrl_cls(parent, wxID_ANY, v, wxDefaultPosition, size);
        break;
    }
    case MI_INT_SLIDER:
        control = new SliderInt_cls(parent, wxID_ANY, variable ? *static_cast<int*>(variable) : 0,
                                    IntPart(minimum), IntPart(maximum), wxDefaultPosition, size);
        break;
    case MI_FLOAT_TEXT:
        control = new AtofTextCtrl_cls(parent, wxID_ANY,
                                       variable ? *static_cast<float*>(variable) : 0.0f,
                                       wxDefaultPosition, size);
        break;
    case MI_DOUBLE_TEXT:
        control = new AtofTextCtrl_cls(parent, wxID_ANY,
                                       variable ? *static_cast<double*>(variable) : 0.0,
                                       wxDefaultPosition, size);
        break;
    case MI_FLOAT_SLIDER:
        control = new SliderFloat_cls(
            parent, wxID_ANY,
            SliderPositionOf(variable ? *static_cast<float*>(variable) : 0.0f, scale),
            IntPart(minimum), IntPart(maximum), scale, wxDefaultPosition, size);
        break;
    case MI_DOUBLE_SLIDER:
        control = new SliderDouble_cls(
            parent, wxID_ANY,
            SliderPositionOf(variable ? *static_cast<double*>(variable) : 0.0, scale),
            IntPart(minimum), IntPart(maximum), scale, wxDefaultPosition, size);
        break;
    case MI_CHECKBOX: {
        // Outside a group the label stands in the row's own label control.
        auto* box = new wxCheckBoxEX(parent, wxID_ANY, inGroup ? label : wxString(),
                                     wxDefaultPosition, size, 0, "checkBox");
        box->SetValue(variable && *static_cast<bool*>(variable));
        control = box;
        break;
    }
    case MI_COMBO: {
        maximum = static_cast<double>(choices.size());
        wxString shown;
        if (!choices.empty() && variable) {
            // An index past the list (a stale file value) shows the last choice.
            const unsigned index = std::min<unsigned>(*static_cast<unsigned*>(variable),
                                                      static_cast<unsigned>(choices.size() - 1));
            shown = choices[index];
        }
        auto* combo = new AtoiComboCtrl_cls(parent, wxID_ANY, shown,
                                            static_cast<int>(choices.size()),
                                            choices.empty() ? nullptr : choices.data(),
                                            wxDefaultPosition, size);
        if (GetAppFont(0).IsOk()) combo->SetFont(GetAppFont(0));
        control = combo;
        break;
    }
    case MI_STRING_TEXT:
        control = new AtoSTextCtrl_cls(parent, wxID_ANY,
                                       variable ? *static_cast<wxString*>(variable) : wxString(),
                                       wxDefaultPosition, size);
        break;
    case MI_DUAL_SLIDER: {
        const double* v = static_cast<const double*>(variable);
        auto* dual = new DualSlider_cls(
            parent, this, wxID_ANY, v ? SliderPositionOf(v[0], scale) : 0,
            v ? SliderPositionOf(v[1], scale) : 0, IntPart(minimum), IntPart(maximum),
            wxDefaultPosition, controlWidth == -1 ? wxDefaultSize : size);
        // The scale is needed to read values back even when no range was given.
        dual->SetRange(IntPart(minimum), IntPart(maximum), scale);
        dual->SetBound(true);
        dual->SetDialogTitle(label);
        control = dual;
        break;
    }
    case MI_ICON_SELECTOR: {
        static const std::vector<wxBitmap> none;
        const std::vector<wxBitmap>& images = icons ? *icons : none;
        const int selection =
            variable ? static_cast<int>(*static_cast<unsigned*>(variable)) : 0;
        control = new IconSelector_cls(parent, wxID_ANY, selection,
                                       static_cast<int>(images.size()), images, wxDefaultPosition,
                                       size);
        break;
    }
    case MI_CUSTOM:
        control = static_cast<wxWindow*>(variable);
        break;
    case MI_STATIC_TEXT:
        control = new wxStaticTextEX(parent, wxID_ANY, GetText(), wxDefaultPosition,
                                     wxDefaultSize, 0, "staticText");
        break;
    case MI_BUTTON:
        control = new wxButtonEX(parent, controlId, label, wxDefaultPosition, size, 0, "button");
        break;
    default:
        control = nullptr;
        break;
    }
    if (control) controlId = control->GetId();
    RememberShown();
    return control;
}

void MultiInputItem_cls::ApplyRange() {
    if (!control || (minimum == 0 && maximum == 0)) return;
    switch (kind) {
    case MI_INT_TEXT:
    case MI_INT_DISPLAY:
        static_cast<AtoiTextCtrl_cls*>(control)->SetRange(IntPart(minimum), IntPart(maximum));
        break;
    case MI_INT_SPIN:
        static_cast<AtoiSpinCtrl_cls*>(control)->SetRange(IntPart(minimum), IntPart(maximum));
        break;
    case MI_DUAL_SLIDER:
        static_cast<DualSlider_cls*>(control)->SetRange(IntPart(minimum), IntPart(maximum),
                                                        digits == 0 ? 1 : digits);
        break;
    case MI_ICON_SELECTOR:
        static_cast<IconSelector_cls*>(control)->SetCellCount(IntPart(maximum));
        break;
    default:
        break;
    }
    RememberShown();
}

void MultiInputItem_cls::RememberShown() {
    if (!control) return;
    switch (kind) {
    case MI_INT_SLIDER:
    case MI_FLOAT_SLIDER:
    case MI_DOUBLE_SLIDER:
        shownPosition_ = static_cast<wxSlider*>(control)->GetValue();
        break;
    case MI_DUAL_SLIDER:
        shownLow_ = static_cast<DualSlider_cls*>(control)->GetValue(0);
        shownHigh_ = static_cast<DualSlider_cls*>(control)->GetValue(1);
        break;
    default:
        break;
    }
}

bool MultiInputItem_cls::ControlUntouched() const {
    switch (kind) {
    case MI_INT_SLIDER:
    case MI_FLOAT_SLIDER:
    case MI_DOUBLE_SLIDER:
        // A slider can only show values on its grid: the position the item set from
        // the variable stands for the variable itself, rounded or not.
        return static_cast<wxSlider*>(control)->GetValue() == shownPosition_;
    default:
        return false;
    }
}

bool MultiInputItem_cls::Commit() {
    if (!IsCommitted() || !control) return false;
    if (ControlUntouched()) return false;
    bool written = false;
    switch (kind) {
    case MI_INT_TEXT: {
        auto* entry = static_cast<AtoiTextCtrl_cls*>(control);
        int v = entry->GetInt();
        if (!(minimum == 0 && maximum == 0))
            v = std::min(std::max(v, IntPart(minimum)), IntPart(maximum));
        int* var = static_cast<int*>(variable);
        if (v != *var) { WriteByMode(*this, var, v); written = true; }
        break;
    }
    case MI_INT_SPIN: {
        int v = static_cast<wxSpinCtrl*>(control)->GetValue();
        int* var = static_cast<int*>(variable);
        if (v != *var) { WriteByMode(*this, var, v); written = true; }
        break;
    }
    case MI_UINT_SPIN: {
        // The spin control also shows negative numbers; an unsigned never wraps to 4e9.
        const int shown = static_cast<wxSpinCtrl*>(control)->GetValue();
        const unsigned v = shown < 0 ? 0u : static_cast<unsigned>(shown);
        unsigned* var = static_cast<unsigned*>(variable);
        if (v != *var) { WriteByMode(*this, var, v); written = true; }
        break;
    }
    case MI_INT_SLIDER: {
        int v = static_cast<wxSlider*>(control)->GetValue();
        int* var = static_cast<int*>(variable);
        if (v != *var) { WriteByMode(*this, var, v); written = true; }
        break;
    }
    case MI_FLOAT_TEXT: {
        const float v = static_cast<AtofTextCtrl_cls*>(control)->GetFloat();
        float* var = static_cast<float*>(variable);
        if (!(v == *var)) { WriteByMode(*this, var, v); written = true; }
        break;
    }
    case MI_DOUBLE_TEXT: {
        const double v = static_cast<AtofTextCtrl_cls*>(control)->GetDouble();
        double* var = static_cast<double*>(variable);
        if (!(v == *var)) { WriteByMode(*this, var, v); written = true; }
        break;
    }
    case MI_FLOAT_SLIDER: {
        const float v = static_cast<SliderFloat_cls*>(control)->GetValueF();
        float* var = static_cast<float*>(variable);
        if (!(v == *var)) { WriteByMode(*this, var, v); written = true; }
        break;
    }
    case MI_DOUBLE_SLIDER: {
        const double v = static_cast<SliderDouble_cls*>(control)->GetValueD();
        double* var = static_cast<double*>(variable);
        if (!(v == *var)) { WriteByMode(*this, var, v); written = true; }
        break;
    }
    case MI_CHECKBOX: {
        const bool v = static_cast<wxCheckBox*>(control)->GetValue();
        bool* var = static_cast<bool*>(variable);
        if (v != *var) { WriteByMode(*this, var, v); written = true; }
        break;
    }
    case MI_COMBO: {
        const int index = static_cast<AtoiComboCtrl_cls*>(control)->GetIndex();
        unsigned* var = static_cast<unsigned*>(variable);
        // A text outside the list reads -1: that is no choice, never an index.
        if (index >= 0 && static_cast<unsigned>(index) != *var) {
            WriteByMode(*this, var, static_cast<unsigned>(index));
            written = true;
        }
        break;
    }
    case MI_DUAL_SLIDER: {
        // Low, then high: one write (or pair) per value the user moved.
        auto* dual = static_cast<DualSlider_cls*>(control);
        double* var = static_cast<double*>(variable);
        const double low = dual->GetValue(0);
        const double high = dual->GetValue(1);
        if (!(low == shownLow_) && !(low == var[0])) {
            WriteByMode(*this, &var[0], low);
            written = true;
        }
        if (!(high == shownHigh_) && !(high == var[1])) {
            WriteByMode(*this, &var[1], high);
            written = true;
        }
        break;
    }
    case MI_ICON_SELECTOR: {
        const int index = static_cast<IconSelector_cls*>(control)->GetSelection();
        unsigned* var = static_cast<unsigned*>(variable);
        if (index >= 0 && static_cast<unsigned>(index) != *var) {
            WriteByMode(*this, var, static_cast<unsigned>(index));
            written = true;
        }
        break;
    }
    case MI_STRING_TEXT: {
        const wxString v = static_cast<wxTextCtrl*>(control)->GetValue();
        wxString* var = static_cast<wxString*>(variable);
        if (v != *var) { WriteByMode(*this, var, v); written = true; }
        break;
    }
    default:
        break;
    }
    RememberShown();
    return written;
}

void MultiInputItem_cls::UpdateControl() {
    if (!control || !variable) return;
    switch (kind) {
    case MI_INT_TEXT: {
        auto* entry = static_cast<AtoiTextCtrl_cls*>(control);
        const int v = *static_cast<int*>(variable);
        if (entry->GetInt() != v) entry->SetInt(v);
        break;
    }
    case MI_INT_SPIN:
    case MI_UINT_SPIN: {
        auto* spin = static_cast<AtoiSpinCtrl_cls*>(control);
        const int v = kind == MI_INT_SPIN
                          ? *static_cast<int*>(variable)
                          : static_cast<int>(std::min<unsigned>(*static_cast<unsigned*>(variable),
                                                                INT_MAX));
        if (spin->GetValue() != v) spin->SetValueText(v);
        break;
    }
    case MI_INT_SLIDER: {
        auto* slider = static_cast<wxSlider*>(control);
        const int v = *static_cast<int*>(variable);
        if (slider->GetValue() != v) slider->SetValue(v);
        break;
    }
    case MI_FLOAT_TEXT: {
        auto* entry = static_cast<AtofTextCtrl_cls*>(control);
        const float v = *static_cast<float*>(variable);
        if (!(entry->GetFloat() == v)) entry->SetFloat(v);
        break;
    }
    case MI_DOUBLE_TEXT: {
        auto* entry = static_cast<AtofTextCtrl_cls*>(control);
        const double v = *static_cast<double*>(variable);
        if (!(entry->GetDouble() == v)) entry->SetDouble(v);
        break;
    }
    case MI_FLOAT_SLIDER: {
        auto* slider = static_cast<SliderFloat_cls*>(control);
        const float v = *static_cast<float*>(variable);
        if (!(slider->GetValueF() == v)) slider->SetValueF(v);
        break;
    }
    case MI_DOUBLE_SLIDER: {
        auto* slider = static_cast<SliderDouble_cls*>(control);
        const double v = *static_cast<double*>(variable);
        if (!(slider->GetValueD() == v)) slider->SetValueD(v);
        break;
    }
    case MI_CHECKBOX: {
        auto* box = static_cast<wxCheckBox*>(control);
        const bool v = *static_cast<bool*>(variable);
        if (box->GetValue() != v) box->SetValue(v);
        break;
    }
    case MI_COMBO: {
        // Values outside the list leave the text as it is.
        const unsigned v = *static_cast<unsigned*>(variable);
        if (v < choices.size())
            static_cast<AtoiComboCtrl_cls*>(control)->SetIndex(static_cast<int>(v));
        break;
    }
    case MI_STRING_TEXT: {
        auto* entry = static_cast<AtoSTextCtrl_cls*>(control);
        const wxString& v = *static_cast<wxString*>(variable);
        if (entry->GetValue() != v) entry->ChangeValue(v);
        break;
    }
    case MI_DUAL_SLIDER: {
        auto* dual = static_cast<DualSlider_cls*>(control);
        const double* v = static_cast<const double*>(variable);
        if (!(dual->GetValue(0) == v[0]) || !(dual->GetValue(1) == v[1]))
            dual->SetValues(v[0], v[1]);
        break;
    }
    case MI_ICON_SELECTOR: {
        auto* strip = static_cast<IconSelector_cls*>(control);
        const unsigned v = *static_cast<unsigned*>(variable);
        if (strip->GetSelection() < 0 || static_cast<unsigned>(strip->GetSelection()) != v)
            strip->SetSelection(static_cast<int>(v));
        break;
    }
    case MI_CUSTOM:
        control->Refresh(false);
        break;
    default:
        break;
    }
    RememberShown();
}

void MultiInputItem_cls::Enable(bool on) {
    if (control) control->Enable(on);
    if (labelControl) labelControl->Enable(on);
}

void MultiInputItem_cls::Show(bool on) {
    if (control) control->Show(on);
    if (labelControl) labelControl->Show(on);
}

wxWindow* MultiInputItem_cls::GetControl() const {
    if ((kind >= MI_INT_TEXT && kind <= MI_STATIC_TEXT) || kind == MI_BUTTON) return control;
    return nullptr;
}

unsigned MultiInputItem_cls::GetIntValue() const {
    if (!variable) return 0;
    switch (kind) {
    case MI_INT_TEXT: case MI_INT_SPIN: case MI_INT_SLIDER: case MI_INT_DISPLAY:
    case MI_COMBO: case MI_UINT_SPIN: case MI_ICON_SELECTOR:
        return *static_cast<unsigned*>(variable);
    default:
        return 0;
    }
}

bool MultiInputItem_cls::GetBoolValue() const {
    return kind == MI_CHECKBOX && variable && *static_cast<bool*>(variable);
}

wxString MultiInputItem_cls::GetText() const {
    if ((kind == MI_STRING_TEXT || kind == MI_STATIC_TEXT) && variable)
        return *static_cast<wxString*>(variable);
    return wxString();
}
