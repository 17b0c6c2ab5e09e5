// Buttons that hand keys and right presses to their parent.
#include "common/gui/ButtonEX.h"

namespace {
void QueueToParent(wxWindow* self, const wxEvent& event) {
    if (wxWindow* parent = self->GetParent()) parent->GetEventHandler()->AddPendingEvent(event);
}
}  // namespace

wxButtonEX::wxButtonEX(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                       const wxSize& size, long style, const wxString& name)
    : wxButton(parent, id, label, pos, size, style, wxDefaultValidator, name) {
    Bind(wxEVT_KEY_DOWN, &wxButtonEX::OnKeyDown, this);
    Bind(wxEVT_RIGHT_DOWN, &wxButtonEX::OnRightDown, this);
}

void wxButtonEX::OnKeyDown(wxKeyEvent& event) {
    ForwardCommand(event);
    if (IsWindowKey(event)) event.Skip();  // the window's accelerators see it too
}

void wxButtonEX::OnRightDown(wxMouseEvent& event) {
    QueueToParent(this, event);
    event.Skip();
}

wxBitmapButtonEX::wxBitmapButtonEX(wxWindow* parent, wxWindowID id, const wxBitmap& bitmap,
                                   const wxPoint& pos, const wxSize& size, long style,
                                   const wxString& name)
    : wxBitmapButton(parent, id, bitmap, pos, size, style, wxDefaultValidator, name) {
    Bind(wxEVT_KEY_DOWN, &wxBitmapButtonEX::OnKeyDown, this);
    Bind(wxEVT_RIGHT_DOWN, &wxBitmapButtonEX::OnRightDown, this);
}

void wxBitmapButtonEX::OnKeyDown(wxKeyEvent& event) {
    ForwardCommand(event);
    if (IsWindowKey(event)) event.Skip();  // the window's accelerators see it too
}

void wxBitmapButtonEX::OnRightDown(wxMouseEvent& event) {
    QueueToParent(this, event);
    event.Skip();
}
