// Label whose mouse presses also reach its parent.
#include "common/gui/StaticTextEX.h"

wxStaticTextEX::wxStaticTextEX(wxWindow* parent, wxWindowID id, const wxString& label,
                               const wxPoint& pos, const wxSize& size, long style,
                               const wxString& name)
    : wxStaticText(parent, id, label, pos, size, style, name) {
    Bind(wxEVT_LEFT_DOWN, &wxStaticTextEX::OnMouse, this);
    Bind(wxEVT_RIGHT_DOWN, &wxStaticTextEX::OnMouse, this);
    Bind(wxEVT_LEFT_DCLICK, &wxStaticTextEX::OnMouse, this);
    Bind(wxEVT_RIGHT_DCLICK, &wxStaticTextEX::OnMouse, this);
}

void wxStaticTextEX::OnMouse(wxMouseEvent& event) {
    if (wxWindow* parent = GetParent()) parent->GetEventHandler()->AddPendingEvent(event);
    event.Skip();
}
