// Read-only choice box editing an index.
#include "common/gui/AtoiComboCtrl.h"

#include "common/gui/WidgetEX.h"

AtoiComboCtrl_cls::AtoiComboCtrl_cls(wxWindow* parent, wxWindowID id, const wxString& shown,
                                     int count, const wxString* strings, const wxPoint& pos,
                                     const wxSize& size)
    : wxComboBox(parent, id, shown, pos, size, count > 0 ? count : 0, strings,
                 wxCB_READONLY | wxCB_DROPDOWN | wxWANTS_CHARS, wxDefaultValidator, "comboBox") {
    for (int i = 0; i < count; ++i) m_strings.Add(strings[i]);
    // A read-only box shows only its choices; make sure the shown text is one of them.
    if (!shown.empty() && wxComboBox::GetValue() != shown) SetStringSelection(shown);
    Bind(wxEVT_CHAR, &AtoiComboCtrl_cls::OnChar, this);
    Bind(wxEVT_KEY_DOWN, &AtoiComboCtrl_cls::OnKeyDown, this);
}

int AtoiComboCtrl_cls::GetIndex() const {
    const wxString shown = wxComboBox::GetValue();
    for (size_t i = 0; i < m_strings.size(); ++i)
        if (m_strings[i] == shown) return static_cast<int>(i);
    return -1;
}

void AtoiComboCtrl_cls::SetIndex(int index) {
    if (index < 0 || index >= static_cast<int>(m_strings.size())) return;
    if (wxComboBox::GetValue() != m_strings[index]) SetSelection(index);
}

void AtoiComboCtrl_cls::Clear() {
    m_strings.clear();
    wxComboBox::Clear();
}

void AtoiComboCtrl_cls::OnChar(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_TAB) {
        if (!FocusNext(event))
            Navigate((event.ShiftDown() || event.ControlDown()) ? wxNavigationKeyEvent::IsBackward
                                                                : wxNavigationKeyEvent::IsForward);
        return;
    }
    event.Skip();
}

void AtoiComboCtrl_cls::OnKeyDown(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_TAB) {
        event.Skip();
        return;
    }
    if (wxWindow* parent = GetParent()) parent->GetEventHandler()->AddPendingEvent(event);
    // Ctrl, Alt and function keys go on as well, to the window's accelerators.
    if (!event.HasAnyModifiers() || WidgetEX_cls::IsWindowKey(event)) event.Skip();
}
