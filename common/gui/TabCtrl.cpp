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
