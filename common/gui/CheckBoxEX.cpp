// Check box that hands keys to its parent.
#include "common/gui/CheckBoxEX.h"

#include <wx/validate.h>

wxCheckBoxEX::wxCheckBoxEX(wxWindow* parent, wxWindowID id, const wxString& label,
                           const wxPoint& pos, const wxSize& size, long style, const wxString& name)
    : wxCheckBox(parent, id, label, pos, size, style, wxDefaultValidator, name) {
    Bind(wxEVT_KEY_DOWN, &wxCheckBoxEX::OnKeyDown, this);
    Bind(wxEVT_CHECKBOX, &wxCheckBoxEX::OnClicked, this);
}

void wxCheckBoxEX::OnKeyDown(wxKeyEvent& event) {
    ForwardCommand(event);
    if (IsWindowKey(event)) event.Skip();  // the window's accelerators see it too
}

void wxCheckBoxEX::OnClicked(wxCommandEvent& event) {
    if (wxValidator* v = GetValidator()) v->TransferFromWindow();
    event.Skip();
}
