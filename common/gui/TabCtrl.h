// Mixin of the entries, spin control, combo box, sliders and icon strip: explicit lists of
// windows that Tab and Shift+Tab move the focus to.
#pragma once

#include <wx/weakref.h>
#include <wx/window.h>

#include <vector>

class wxKeyEvent;

class TabCtrl_cls {
public:
    virtual ~TabCtrl_cls() = default;

    /// Appends a window that Tab (without Shift or Ctrl) may move the focus to. The lists
    /// hold weak references: a destroyed window is skipped.
    void AddForward(wxWindow* window);
    /// Appends a window that Shift+Tab or Ctrl+Tab may move the focus to.
    void AddBackward(wxWindow* window);

    /// Gives the focus to the first window of the backward list (Shift or Ctrl held) or of
    /// the forward list that is shown on screen. False when there is no such window.
    bool FocusNext(const wxKeyEvent& event);

protected:
    /// Queues to `control`'s parent a copy of `event` as a character event carrying
    /// `control`'s id (the commit contract of the entries: the parent commits that id).
    static void QueueKeyToParent(wxWindow* control, const wxKeyEvent& event);
    /// Queues to `control`'s parent a synthesized Enter character (key code 13) carrying
    /// `control`'s id.
    static void QueueEnterToParent(wxWindow* control);

    std::vector<wxWeakRef<wxWindow>> m_forward;   ///< Tab targets, tried in order
    std::vector<wxWeakRef<wxWindow>> m_backward;  ///< Shift/Ctrl+Tab targets, tried in order
};
