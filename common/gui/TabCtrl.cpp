// Explicit Tab targets of the program's controls.
#include "common/gui/TabCtrl.h"

#include <wx/event.h>

void TabCtrl_cls::AddForward(wxWindow* window) { m_forward.emplace_back(window); }
void TabCtrl_cls::AddBackward(wxWindow* window) { m_backward.emplace_back(window); }

bool TabCtrl_cls::FocusNext(const wxKeyEvent& event) {
    const bool back = event.ShiftDown() || event.ControlDown();
    for (const wxWeakRef<wxWindow>& ref : back ? m_backward : m_forward) {
        wxWindow* w = ref.get();
        if (w && w->IsShownOnScreen()) {
            w->SetFocus();
            return true;
        }
    }
    return false;
}

void TabCtrl_cls::QueueKeyToParent(wxWindow* control, const wxKeyEvent& event) {
    wxWindow* parent = control ? control->GetParent() : nullptr;
    if (!parent) return;
    wxKeyEvent copy(event);
    copy.SetEventType(wxEVT_CHAR);
    copy.SetId(control->GetId());
    copy.SetEventObject(control);
    parent->GetEventHandler()->AddPendingEvent(copy);
}

void TabCtrl_cls::QueueEnterToParent(wxWindow* control) {
    wxKeyEvent enter(wxEVT_CHAR);
    enter.m_keyCode = WXK_RETURN;
    enter.m_uniChar = WXK_RETURN;
    QueueKeyToParent(control, enter);
}
