// Key forwarding of the program's controls.
#include "common/gui/WidgetEX.h"

#include <wx/event.h>
#include <wx/window.h>

void WidgetEX_cls::ForwardCommand(wxEvent& event) {
    wxWindow* self = GetWindow();
    wxWindow* parent = self ? self->GetParent() : nullptr;
    if (!parent) return;
    wxEvent* copy = event.Clone();
    copy->SetId(parent->GetId());
    parent->GetEventHandler()->QueueEvent(copy);
}

bool WidgetEX_cls::IsWindowKey(const wxKeyEvent& event) {
    if (event.RawControlDown() || event.AltDown() || event.MetaDown()) return true;
    const int key = event.GetKeyCode();
    return key >= WXK_F1 && key <= WXK_F24;
}
