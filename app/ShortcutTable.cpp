// Decision table of the main window's shortcut keys.
#include "app/ShortcutTable.h"

namespace {

// A digit from the main row or the number pad; -1 for any other key.
int DigitOf(int key) {
    if (key >= '0' && key <= '9') return key - '0';
    if (key >= KEY_NUMPAD0 && key <= KEY_NUMPAD9) return key - KEY_NUMPAD0;
    return -1;
}

ShortcutAction Act(int kind, int value = 0) {
    return ShortcutAction{kind, value};
}

}  // namespace

ShortcutAction CtrlShortcutFor(int key) {
    switch (DigitOf(key)) {
        case 1: return Act(SHORTCUT_CAMERA_CHOICE, 2);
        case 3: return Act(SHORTCUT_CAMERA_CHOICE, 4);
        case 7: return Act(SHORTCUT_CAMERA_CHOICE, 5);
        default: break;
    }
    if (key == 'Y') return Act(SHORTCUT_REDO);
    if (key == 'Z') return Act(SHORTCUT_UNDO);
    return Act(SHORTCUT_NONE);
}

ShortcutAction PlainShortcutFor(int key) {
    switch (DigitOf(key)) {
        case 0: return Act(SHORTCUT_CAMERA_CHOICE, 0);
        case 1: return Act(SHORTCUT_CAMERA_CHOICE, 1);
        case 3: return Act(SHORTCUT_CAMERA_CHOICE, 3);
        case 7: return Act(SHORTCUT_CAMERA_CHOICE, 6);
        case 5: return Act(SHORTCUT_TOGGLE_PERSPECTIVE);
        default: break;
    }
    switch (key) {
        case KEY_SPACE: return Act(SHORTCUT_TOGGLE_PLAY, 1);
        case '\'': return Act(SHORTCUT_ZOOM_ACTIVE_AREA, 1);
        case '-': return Act(SHORTCUT_ZOOM_ACTIVE_AREA, 0);
        case KEY_LEFT: return Act(SHORTCUT_STEP, -1);
        case KEY_RIGHT: return Act(SHORTCUT_STEP, 1);
        case 'B': return Act(SHORTCUT_WORK_AREA_MIN);
        case 'N': return Act(SHORTCUT_WORK_AREA_MAX);
        case 'J': return Act(SHORTCUT_GO_TO_KEY, -1);
        case 'K': return Act(SHORTCUT_GO_TO_KEY, 1);
        case 'T': return Act(SHORTCUT_EDIT_MODE, 0);
        case 'S': return Act(SHORTCUT_EDIT_MODE, 1);
        case 'R': return Act(SHORTCUT_EDIT_MODE, 2);
        case 'X': return Act(SHORTCUT_TOGGLE_AXIS, 0);
        case 'Y': return Act(SHORTCUT_TOGGLE_AXIS, 1);
        case 'Z': return Act(SHORTCUT_TOGGLE_AXIS, 2);
        default: return Act(SHORTCUT_NONE);
    }
}

ShortcutAction ShortcutActionFor(int mask, int key) {
    if (mask == MOD_CTRL) return CtrlShortcutFor(key);
    if (mask == MOD_ALT) return Act(SHORTCUT_NONE);
    return PlainShortcutFor(key);
}
