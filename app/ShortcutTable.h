// What a key pressed in the main window does: the decision table of the shortcut keys,
// kept free of windows so that every key and modifier combination is tested alone.
#pragma once

/// Modifier mask of a key event: Alt 1, Ctrl 2, Shift 4, Meta 8.
enum ShortcutModifier : int { MOD_ALT = 1, MOD_CTRL = 2, MOD_SHIFT = 4, MOD_META = 8 };

/// Toolkit key codes the table uses (printable keys come as their upper-case character).
enum ShortcutKeyCode : int {
    KEY_SPACE = 32,
    KEY_LEFT = 314,
    KEY_RIGHT = 316,
    KEY_NUMPAD0 = 324,  ///< number-pad digits run 324 (0) to 333 (9)
    KEY_NUMPAD9 = 333,
};

enum ShortcutActionKind : int {
    SHORTCUT_NONE,
    SHORTCUT_CAMERA_CHOICE,  ///< main view camera choice := value (0 free, 1..6 axis views)
    SHORTCUT_TOGGLE_PERSPECTIVE,
    SHORTCUT_UNDO,
    SHORTCUT_REDO,
    SHORTCUT_TOGGLE_PLAY,       ///< TogglePlay(+1)
    SHORTCUT_ZOOM_ACTIVE_AREA,  ///< value 1 in, 0 out
    SHORTCUT_STEP,              ///< StepBy(value), value -1 or +1
    SHORTCUT_WORK_AREA_MIN,     ///< work area begins at the current frame
    SHORTCUT_WORK_AREA_MAX,     ///< work area ends at the current frame
    SHORTCUT_GO_TO_KEY,         ///< GoToKeyFrame(value), value -1 or +1
    SHORTCUT_EDIT_MODE,         ///< transform mode: value 0 translation, 1 scale, 2 rotation
    SHORTCUT_TOGGLE_AXIS,       ///< selected scene object's gizmo axis: value 0 x, 1 y, 2 z
};

struct ShortcutAction {
    int kind = SHORTCUT_NONE;  ///< ShortcutActionKind
    int value = 0;
    bool operator==(const ShortcutAction& o) const { return kind == o.kind && value == o.value; }
};

/// The action of key `key` with modifier mask `mask`: Ctrl alone selects the Ctrl table,
/// Alt alone does nothing, any other mask (none, Shift, Ctrl+Shift, ...) the plain table.
ShortcutAction ShortcutActionFor(int mask, int key);

/// The Ctrl table: 1 / 3 / 7 (main row or number pad) camera choices 2, 4, 5; Y redo; Z undo.
ShortcutAction CtrlShortcutFor(int key);

/// The plain-key table (space, "'", '-', arrows, B, N, J, K, digits 0 1 3 7 5, T S R, X Y Z).
ShortcutAction PlainShortcutFor(int key);
