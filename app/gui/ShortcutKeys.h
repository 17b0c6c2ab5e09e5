// The main window's single-key shortcuts: playback, stepping, key-frame jumps, work-area
// ends, timeline zoom, the main view's camera, the transform mode and axis, undo and redo.
#pragma once

#include "app/ShortcutTable.h"

class FrameMain_cls;

class ShortcutKeys_cls {
public:
    /// `frame` is kept, not owned; the frame creates and deletes this object.
    explicit ShortcutKeys_cls(FrameMain_cls* frame) : m_frame(frame) {}

    /// Acts on key `key` with modifier mask `mask` (Alt 1, Ctrl 2, Shift 4, Meta 8).
    /// Returns the action taken (SHORTCUT_NONE when the key means nothing, and for a menu
    /// accelerator, which is its menu item's). GUI thread.
    ShortcutAction OnKey(int mask, int key);
    /// Ctrl with `key`.
    ShortcutAction OnCtrlKey(int key);
    /// `key` without Ctrl (or with any mask other than Ctrl alone and Alt alone).
    ShortcutAction OnPlainKey(int key);

private:
    void Run(const ShortcutAction& action);
    FrameMain_cls* m_frame;
};
