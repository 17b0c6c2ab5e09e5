// The main frame's menus as data: every menu, item, label format, accelerator, bitmap and
// help text, and the list of command ids the frame handles. The window code builds the
// menu bar from these tables; tests walk them.
#pragma once

#include <vector>

/// Menus of the frame: the seven of the menu bar, their submenus, and the filter
/// context menu that is only popped up.
enum FrameMenu : int {
    MENU_FILE,
    MENU_EXPORT,  ///< submenu of File
    MENU_EDIT,
    MENU_REMOVE_CACHE,  ///< submenu of Edit
    MENU_FILTER,
    MENU_BOOL,    ///< submenu of Filter; also popped up by the filter pages
    MENU_OBJECT,  ///< submenu of Filter; also popped up
    MENU_WORLD,   ///< submenu of Filter; also popped up
    MENU_POVRAY,
    MENU_VIEW,
    MENU_DIALOG,
    MENU_HELP,
    MENU_FILTER_CONTEXT,  ///< Up / Down / Delete of a filter panel
    MENU_COUNT
};

enum MenuItemKind : int { ITEM_NORMAL, ITEM_CHECK, ITEM_SEPARATOR, ITEM_SUBMENU };

/// One entry of a menu, in menu order.
struct MenuItemSpec {
    int menu;            ///< FrameMenu the entry belongs to
    int id;              ///< command id (0 for a separator)
    const char* text;    ///< English text, the catalogue key (null for a separator)
    const char* text2;   ///< second translated word for "%s (%s)" labels, else null
    const char* format;  ///< label format: "%s" stands for the translated text(s)
    int kind;            ///< MenuItemKind
    int submenu;         ///< FrameMenu opened by an ITEM_SUBMENU entry, else -1
    const char* bitmap;  ///< frame icon name ("Scene", ...) or a file "ICONS/...png"; null none
    const char* help;    ///< help text key; null: the item's English text; "": no help
};

/// Every entry of every menu, menus in FrameMenu order, entries in menu order.
const std::vector<MenuItemSpec>& FrameMenuItems();

/// The entries of one menu, in order.
std::vector<MenuItemSpec> MenuEntries(int menu);

/// Catalogue key of a menu-bar title ("File"); null for submenus and the context menu.
/// The shown title is the translated key followed by MenuBarMnemonic ("File(&F)"); the
/// "Pov-Ray" title is not translated.
const char* MenuBarTitleKey(int menu);
/// Mnemonic suffix of a menu-bar title ("(&F)"); "" for menus not in the bar.
const char* MenuBarMnemonic(int menu);

/// Menus of the menu bar in bar order: File, Edit, Filter, Pov-Ray, View, Dialog, Help.
const std::vector<int>& MenuBarOrder();

/// How an id reaches the frame.
enum CommandSource : int { SOURCE_MENU, SOURCE_INTERNAL, SOURCE_MENU_AND_INTERNAL };

struct FrameCommandSpec {
    int id;
    const char* name;  ///< the id's symbolic name ("ID_OPEN_PROJECT")
    int source;        ///< CommandSource
};

/// Every id with a handler in the frame's command table, ascending. Submenu ids
/// (6004, 6031, 6064, 6066, 6068) have none.
const std::vector<FrameCommandSpec>& FrameCommands();

/// The menu command whose accelerator is `key` pressed with modifier mask `mask` and no
/// modifier (Quit's plain "Q"), or 0.
int PlainKeyAccelerator(int mask, int key);

/// Filter kind made by one of the add-filter menu ids 6065..6075: 6065 Boolean 0,
/// 6067 DataBox 1, 6069 Object 2, 6070 Grid 3, 6071 Fog 4, 6072 Filtering 5,
/// 6073 CopyBox 6, 6074 Stick 7, 6075 BG 8; any other id 0.
int FilterTypeForMenuId(int id);

/// Reads the accelerator after the tab of a label format ("%s(&S)\tCtrl-Shift-S", "%s\tF5",
/// "%s(&Q)\tQ") into a modifier mask (Alt 1, Ctrl 2, Shift 4) and the toolkit's key code
/// (letters upper case, digits, F1..F24 as 340..363). False when the format has none.
bool ParseMenuAccelerator(const char* format, int* mask, int* key);

/// The menu command whose accelerator is `key` with exactly the modifiers `mask` (Meta
/// never matches), or 0. Every accelerator of the menus, with or without modifiers.
int MenuAcceleratorFor(int mask, int key);

