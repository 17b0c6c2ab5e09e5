// Posting side of the internal command bus and of the events the program's windows send
// each other: every operation queues a copy of an event on a window's handler, so it is
// handled later on the GUI thread, after the current handler has returned.
#pragma once

#include <wx/event.h>

// Keys handed on to the main window: existing callers reach them through this header.
#include "common/gui/ShortcutForwarder.h"

class wxWindow;

class WidgetCommon_cls {
public:
    /// Queues a wxEVT_MENU command event with `id` to `window` (the main frame: the command bus).
    static void PostMenuCommand(wxWindow* window, int id);
    /// Queues a wxEVT_BUTTON command event with `id` to `window`.
    static void PostButtonCommand(wxWindow* window, int id);
    /// Queues a command event of `type` with `id` to the top-level parent of `window`.
    static void PostEvent(wxWindow* window, wxEventType type, int id);
    /// Queues a command event of `type` with `id` to the parent of the top-level parent of
    /// `window` (a dialog reaching the frame that owns it); nothing when there is none.
    static void PostEventToOwner(wxWindow* window, wxEventType type, int id);
    /// Sets the event's id to the top-level parent's id and queues a copy there.
    static void ForwardToTopLevel(wxWindow* window, const wxCommandEvent& event);
    /// Queues a copy of `event` to `window`.
    static void ForwardEvent(wxWindow* window, const wxEvent& event);
    /// Queues a mouse event of `type` carrying `id` to `window`.
    static void PostMouseEvent(wxWindow* window, wxEventType type, int id);
    /// Connects wxEVT_BUTTON of `child`'s id on `window` to `handler` (a method of `window`).
    template <class W>
    static void ConnectButton(W* window, wxWindow* child, void (W::*handler)(wxCommandEvent&));
};

template <class W>
void WidgetCommon_cls::ConnectButton(W* window, wxWindow* child,
                                     void (W::*handler)(wxCommandEvent&)) {
    window->Bind(wxEVT_BUTTON, handler, window, child->GetId());
}
