// Hand-over of keys that a dialog or bound-widget panel does not use to the main window's
// shortcut keys, and the last such key.
#pragma once

#include <wx/event.h>

/// The last key handed on to the main window's shortcuts by a bound-widget panel or dialog:
/// its key code (the toolkit's) and its modifier mask (Meta 8, Shift 4, Ctrl 2, Alt 1).
/// Set by ShortcutForwarder_cls::Forward before the forwarder runs; read by the main
/// window when it replays the key (ID_FORWARD_KEY). GUI thread only.
extern int GiForwardedKey;
extern int GiForwardedKeyMods;

/// Receiver of keys that a dialog does not use and that the main window's shortcuts answer.
/// The shell installs one; without one such keys are dropped. GUI thread only.
class ShortcutForwarder_cls {
public:
    virtual ~ShortcutForwarder_cls() = default;
    /// `keyCode`: the toolkit's key code; `modifiers`: Alt 1, Ctrl 2, Shift 4, Meta 8.
    virtual void ForwardKey(int keyCode, int modifiers) = 0;

    /// Installs `forwarder` (not owned; null removes it).
    static void Install(ShortcutForwarder_cls* forwarder);
    /// The installed forwarder or null.
    static ShortcutForwarder_cls* Installed();
    /// Stores `event`'s key code and modifier mask into GiForwardedKey and GiForwardedKeyMods
    /// and hands them to the installed forwarder; false without one.
    static bool Forward(const wxKeyEvent& event);
    /// Modifier mask of a key event: Alt 1, Ctrl 2, Shift 4, Meta 8.
    static int ModifierMask(const wxKeyEvent& event);
};
