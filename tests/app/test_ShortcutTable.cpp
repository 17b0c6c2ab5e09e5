#include "app/ShortcutTable.h"

#include <gtest/gtest.h>

namespace {
ShortcutAction A(int kind, int value = 0) {
    return ShortcutAction{kind, value};
}
}  // namespace

TEST(ShortcutTable, KeysAndModifiers) {
    struct Case {
        int mask, key;
        ShortcutAction expected;
    };
    const int ctrl = MOD_CTRL, alt = MOD_ALT, shift = MOD_SHIFT;
    const Case cases[] = {
        // plain keys
        {0, KEY_SPACE, A(SHORTCUT_TOGGLE_PLAY, 1)},
        {0, '\'', A(SHORTCUT_ZOOM_ACTIVE_AREA, 1)},
        {0, '-', A(SHORTCUT_ZOOM_ACTIVE_AREA, 0)},
        {0, KEY_LEFT, A(SHORTCUT_STEP, -1)},
        {0, KEY_RIGHT, A(SHORTCUT_STEP, 1)},
        {0, 'B', A(SHORTCUT_WORK_AREA_MIN)},
        {0, 'N', A(SHORTCUT_WORK_AREA_MAX)},
        {0, 'J', A(SHORTCUT_GO_TO_KEY, -1)},
        {0, 'K', A(SHORTCUT_GO_TO_KEY, 1)},
        {0, '0', A(SHORTCUT_CAMERA_CHOICE, 0)},
        {0, '1', A(SHORTCUT_CAMERA_CHOICE, 1)},
        {0, '3', A(SHORTCUT_CAMERA_CHOICE, 3)},
        {0, '7', A(SHORTCUT_CAMERA_CHOICE, 6)},
        {0, '5', A(SHORTCUT_TOGGLE_PERSPECTIVE)},
        {0, KEY_NUMPAD0 + 0, A(SHORTCUT_CAMERA_CHOICE, 0)},
        {0, KEY_NUMPAD0 + 1, A(SHORTCUT_CAMERA_CHOICE, 1)},
        {0, KEY_NUMPAD0 + 3, A(SHORTCUT_CAMERA_CHOICE, 3)},
        {0, KEY_NUMPAD0 + 7, A(SHORTCUT_CAMERA_CHOICE, 6)},
        {0, KEY_NUMPAD0 + 5, A(SHORTCUT_TOGGLE_PERSPECTIVE)},
        {0, 'T', A(SHORTCUT_EDIT_MODE, 0)},
        {0, 'S', A(SHORTCUT_EDIT_MODE, 1)},
        {0, 'R', A(SHORTCUT_EDIT_MODE, 2)},
        {0, 'X', A(SHORTCUT_TOGGLE_AXIS, 0)},
        {0, 'Y', A(SHORTCUT_TOGGLE_AXIS, 1)},
        {0, 'Z', A(SHORTCUT_TOGGLE_AXIS, 2)},
        {0, '2', A(SHORTCUT_NONE)},
        {0, 'Q', A(SHORTCUT_NONE)},  // Quit's accelerator never reaches the table
        {0, 'A', A(SHORTCUT_NONE)},
        // Ctrl alone
        {ctrl, '1', A(SHORTCUT_CAMERA_CHOICE, 2)},
        {ctrl, '3', A(SHORTCUT_CAMERA_CHOICE, 4)},
        {ctrl, '7', A(SHORTCUT_CAMERA_CHOICE, 5)},
        {ctrl, KEY_NUMPAD0 + 1, A(SHORTCUT_CAMERA_CHOICE, 2)},
        {ctrl, KEY_NUMPAD0 + 3, A(SHORTCUT_CAMERA_CHOICE, 4)},
        {ctrl, KEY_NUMPAD0 + 7, A(SHORTCUT_CAMERA_CHOICE, 5)},
        {ctrl, 'Y', A(SHORTCUT_REDO)},
        {ctrl, 'Z', A(SHORTCUT_UNDO)},
        {ctrl, '0', A(SHORTCUT_NONE)},
        {ctrl, '5', A(SHORTCUT_NONE)},
        {ctrl, KEY_SPACE, A(SHORTCUT_NONE)},
        {ctrl, 'X', A(SHORTCUT_NONE)},
        // Alt alone does nothing (Alt+digits are the layout accelerators)
        {alt, '1', A(SHORTCUT_NONE)},
        {alt, KEY_SPACE, A(SHORTCUT_NONE)},
        {alt, 'Z', A(SHORTCUT_NONE)},
        // any other mask counts as plain
        {shift, '1', A(SHORTCUT_CAMERA_CHOICE, 1)},
        {ctrl | shift, '1', A(SHORTCUT_CAMERA_CHOICE, 1)},
        {ctrl | shift, 'Z', A(SHORTCUT_TOGGLE_AXIS, 2)},
        {alt | ctrl, KEY_SPACE, A(SHORTCUT_TOGGLE_PLAY, 1)},
        {MOD_META, KEY_RIGHT, A(SHORTCUT_STEP, 1)},
    };
    for (const Case& c : cases) {
        const ShortcutAction got = ShortcutActionFor(c.mask, c.key);
        EXPECT_EQ(got.kind, c.expected.kind) << "mask " << c.mask << " key " << c.key;
        EXPECT_EQ(got.value, c.expected.value) << "mask " << c.mask << " key " << c.key;
    }
}
