// Posting operations of the command bus.
#include "common/gui/WidgetCommon.h"

#include <wx/toplevel.h>
#include <wx/utils.h>
#include <wx/window.h>

namespace {
void Queue(wxWindow* window, const wxEvent& event) {
    if (window) window->GetEventHandler()->AddPendingEvent(event);
}
}  // namespace

void WidgetCommon_cls::PostMenuCommand(wxWindow* window, int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    Queue(window, event);
}

void WidgetCommon_cls::PostButtonCommand(wxWindow* window, int id) {
    wxCommandEvent event(wxEVT_BUTTON, id);
    Queue(window, event);
}

void WidgetCommon_cls::PostEvent(wxWindow* window, wxEventType type, int id) {
    if (!window) return;
    wxCommandEvent event(type, id);
    Queue(wxGetTopLevelParent(window), event);
}

void WidgetCommon_cls::PostEventToOwner(wxWindow* window, wxEventType type, int id) {
    if (!window) return;
    wxWindow* top = wxGetTopLevelParent(window);
    if (!top || !top->GetParent()) return;
    wxCommandEvent event(type, id);
    Queue(top->GetParent(), event);
}

void WidgetCommon_cls::ForwardToTopLevel(wxWindow* window, const wxCommandEvent& event) {
    if (!window) return;
    wxWindow* top = wxGetTopLevelParent(window);
    if (!top) return;
    wxCommandEvent copy(event);
    copy.SetId(top->GetId());
    Queue(top, copy);
}

void WidgetCommon_cls::ForwardEvent(wxWindow* window, const wxEvent& event) { Queue(window, event); }

void WidgetCommon_cls::PostMouseEvent(wxWindow* window, wxEventType type, int id) {
    wxMouseEvent event(type);
    event.SetId(id);
    Queue(window, event);
}
