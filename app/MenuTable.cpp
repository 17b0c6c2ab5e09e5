// Menu and command tables of the main frame.
#include "app/MenuTable.h"

#include "common/CommandIds.h"

#include <cstring>
#include <string>
#include <utility>

namespace {

constexpr int kKeyF1 = 340;  // the toolkit's code of F1; F2..F24 follow

const MenuItemSpec kSep{0, 0, nullptr, nullptr, nullptr, ITEM_SEPARATOR, -1, nullptr, ""};

MenuItemSpec Item(int menu, int id, const char* text, const char* format,
                  const char* bitmap = nullptr, const char* help = nullptr) {
    return MenuItemSpec{menu, id, text, nullptr, format, ITEM_NORMAL, -1, bitmap, help};
}

MenuItemSpec Check(int menu, int id, const char* text, const char* format, const char* help) {
    return MenuItemSpec{menu, id, text, nullptr, format, ITEM_CHECK, -1, nullptr, help};
}

MenuItemSpec Sub(int menu, int id, const char* text, const char* format, int submenu,
                 const char* help = nullptr) {
    return MenuItemSpec{menu, id, text, nullptr, format, ITEM_SUBMENU, submenu, nullptr, help};
}

MenuItemSpec Pair(int menu, int id, const char* text, const char* text2, const char* help) {
    return MenuItemSpec{menu, id, text, text2, "%s (%s)", ITEM_NORMAL, -1, nullptr, help};
}

MenuItemSpec Sep(int menu) {
    MenuItemSpec s = kSep;
    s.menu = menu;
    return s;
}

std::vector<MenuItemSpec> BuildItems() {
    return {
        // File
        Item(MENU_FILE, ID_OPEN_PROJECT, "Open Project", "%s(&O)\tCtrl-O"),
        Item(MENU_FILE, ID_SAVE_PROJECT, "Save Project", "%s(&S)\tCtrl-S"),
        Item(MENU_FILE, ID_SAVE_PROJECT_AS, "Save Project As", "%s(&S)\tCtrl-Shift-S"),
        Sep(MENU_FILE),
        Item(MENU_FILE, ID_LOAD_PARTICLE_DATA, "Load Particle Data", "%s(&L)\tCtrl-Alt-O"),
        Sep(MENU_FILE),
        Item(MENU_FILE, ID_SAVE_SNAPSHOT, "Save Snapshot", "%s(&I)\tF7"),
        Item(MENU_FILE, ID_SAVE_IMAGE_SEQUENCE, "Save Image Sequence", "%s(&A)\tF8"),
        Sub(MENU_FILE, ID_EXPORT_MENU, "Export", "%s(&E)", MENU_EXPORT),
        Sep(MENU_FILE),
        Item(MENU_FILE, ID_CLOSE_PARTICLE_DATA, "Close Particle Data", "%s(&W)\tCtrl-W"),
        Sep(MENU_FILE),
        Item(MENU_FILE, ID_QUIT, "Quit", "%s(&Q)\tQ", nullptr, "Quit this application"),
        // Export
        Item(MENU_EXPORT, ID_EXPORT_PARTICLE_DATA, "Export Particle Data", "%s(&P)"),
        Item(MENU_EXPORT, ID_EXPORT_PATH_CLIPBOARD, "Export Path to Clipboard (.pov)", "%s(&C)"),
        // Edit
        Item(MENU_EDIT, ID_UNDO, "Undo", "%s(&U)\tCtrl-Z"),
        Item(MENU_EDIT, ID_REDO, "Redo", "%s(&R)\tCtrl-Y"),
        Sep(MENU_EDIT),
        Item(MENU_EDIT, ID_MOVE_FRAME, "Move Frame", "%s(&G)\tCtrl-G"),
        Sep(MENU_EDIT),
        Check(MENU_EDIT, ID_TIME_REMAP, "Time Remap", "%s(&R)", nullptr),
        Sep(MENU_EDIT),
        Sub(MENU_EDIT, ID_REMOVE_CACHE_MENU, "Remove Cache", "%s(&D)", MENU_REMOVE_CACHE),
        Sep(MENU_EDIT),
        Item(MENU_EDIT, ID_SCENE_CONFIG, "Scene Config", "%s(&S)\tCtrl-K", "Scene"),
        Item(MENU_EDIT, ID_PREFERENCE, "Preference", "%s(&P)\tCtrl-Alt-P", "Preference"),
        // Remove Cache
        Item(MENU_REMOVE_CACHE, ID_REMOVE_CACHE_SNAPSHOT, "Snapshot", "%s\tF5", nullptr, ""),
        // Ctrl+Alt+F1..F12 switch the console on Linux and never reach a program: Ctrl+Shift.
        Item(MENU_REMOVE_CACHE, ID_REMOVE_CACHE_ALL, "All Cache", "%s\tCtrl-Shift-F5", nullptr, ""),
        // Filter
        Sub(MENU_FILTER, ID_FILTER_BOOL_MENU, "Bool", "%s(&B)", MENU_BOOL, "Boolean"),
        Sub(MENU_FILTER, ID_FILTER_OBJECT_MENU, "Object", "%s(&B)", MENU_OBJECT),
        Sub(MENU_FILTER, ID_FILTER_WORLD_MENU, "World", "%s(&W)", MENU_WORLD),
        // Bool, Object, World
        Item(MENU_BOOL, ID_ADD_BOOLEAN, "Boolean", "%s(&B)", nullptr, ""),
        Item(MENU_BOOL, ID_ADD_FILTERING, "Filtering", "%s(&T)", nullptr, ""),
        Item(MENU_OBJECT, ID_ADD_OBJECT, "Object", "%s(&O)", nullptr, ""),
        Item(MENU_OBJECT, ID_ADD_STICK, "Stick", "%s(&S)", nullptr, ""),
        Item(MENU_OBJECT, ID_ADD_GRID, "Grid", "%s(&G)", nullptr, ""),
        Item(MENU_WORLD, ID_ADD_DATABOX, "DataBox", "%s(&C)", nullptr, ""),
        Item(MENU_WORLD, ID_ADD_COPYBOX, "CopyBox", "%s(&C)", nullptr, ""),
        Item(MENU_WORLD, ID_ADD_FOG, "Fog", "%s(&F)", nullptr, ""),
        Item(MENU_WORLD, ID_ADD_BG, "BG", "%s(&F)", nullptr, ""),
        // Pov-Ray
        Item(MENU_POVRAY, ID_POVRAY_CONFIG, "Pov-Ray Rendering Configure", "%s(&R)\tCtrl-R",
             "PovRay", "PovRay"),
        Sep(MENU_POVRAY),
        Pair(MENU_POVRAY, ID_POV_EXPORT_SNAPSHOT, "Export", "Snapshot",
             "Export Pov-Ray scene file"),
        Pair(MENU_POVRAY, ID_POV_EXPORT_ANIMATION, "Export", "Animation",
             "Export Pov-Ray scene file"),
        Pair(MENU_POVRAY, ID_POV_RENDER_SNAPSHOT, "Render", "Snapshot",
             "Render scene using Pov-Ray"),
        Pair(MENU_POVRAY, ID_POV_RENDER_ANIMATION, "Render", "Animation",
             "Render scene using Pov-Ray"),
        // View
        Item(MENU_VIEW, ID_LAYOUT_1, "1 panel", "%s\tAlt-1", "", ""),
        Item(MENU_VIEW, ID_LAYOUT_2V, "2 panels (vertical)", "%s\tAlt-2", "ICONS/splitV.png", ""),
        Item(MENU_VIEW, ID_LAYOUT_2H, "2 panels (horizontal)", "%s\tAlt-3", "ICONS/splitH.png", ""),
        Item(MENU_VIEW, ID_LAYOUT_4A, "4 panelsA", "%s\tAlt-4", "ICONS/split4.png", ""),
        Item(MENU_VIEW, ID_LAYOUT_4B, "4 panelsB", "%s\tAlt-5", "ICONS/split4.png", ""),
        Sep(MENU_VIEW),
        Check(MENU_VIEW, ID_EXTRA_PANEL, "Extra Panel", "%s(&0)\tAlt-0", ""),
        // Dialog
        Item(MENU_DIALOG, ID_VIEW_CAMERA_CONFIG, "View and Camera Config", "%s(&U)\tCtrl-U",
             "Camera"),
        Item(MENU_DIALOG, ID_LIGHT_EDITOR, "Light Source Editor", "%s(&L)\tCtrl-L", "LightSource"),
        Item(MENU_DIALOG, ID_COLOR_CURVE_EDITOR, "Color Curve Editor", "%s(&J)\tCtrl-J", "Color"),
        Item(MENU_DIALOG, ID_TEXTURE_EDITOR, "Texture Editor", "%s(&J)\tCtrl-T", "Texture"),
        Item(MENU_DIALOG, ID_STEREOGRAM_CONFIG, "Stereogram Config", "%s(&S)\tCtrl-M",
             "StereoGram"),
        Item(MENU_DIALOG, ID_PERIODIC_BOUNDARY, "Periodic Boundary", "%s(&P)\tCtrl-B",
             "PeriodicBoundary"),
        // Help
        Item(MENU_HELP, ID_ABOUT, "About", "%s(&A)"),
        Item(MENU_HELP, ID_ABOUT_OPENGL, "About Open GL", "%s(&G)"),
        Item(MENU_HELP, ID_DEBUG_UNLOCK, "Unlock (for Debug)", "%s(&U)"),
        Item(MENU_HELP, ID_DEBUG_SPECIAL, "Special (for Debug)", "%s(&S)"),
        // filter context menu
        Item(MENU_FILTER_CONTEXT, ID_FILTER_UP, "Up", "%s(&U)", nullptr, ""),
        Item(MENU_FILTER_CONTEXT, ID_FILTER_DOWN, "Down", "%s(&D)", nullptr, ""),
        Sep(MENU_FILTER_CONTEXT),
        Item(MENU_FILTER_CONTEXT, ID_FILTER_DELETE, "Delete", "%s(&X)", nullptr, ""),
    };
}

}  // namespace

int FilterTypeForMenuId(int id) {
    switch (id) {
        case ID_ADD_BOOLEAN: return 0;
        case ID_ADD_DATABOX: return 1;
        case ID_ADD_OBJECT: return 2;
        case ID_ADD_GRID: return 3;
        case ID_ADD_FOG: return 4;
        case ID_ADD_FILTERING: return 5;
        case ID_ADD_COPYBOX: return 6;
        case ID_ADD_STICK: return 7;
        case ID_ADD_BG: return 8;
        default: return 0;
    }
}

const std::vector<MenuItemSpec>& FrameMenuItems() {
    static const std::vector<MenuItemSpec> items = BuildItems();
    return items;
}

std::vector<MenuItemSpec> MenuEntries(int menu) {
    std::vector<MenuItemSpec> out;
    for (const MenuItemSpec& s : FrameMenuItems())
        if (s.menu == menu) out.push_back(s);
    return out;
}

const char* MenuBarTitleKey(int menu) {
    switch (menu) {
        case MENU_FILE: return "File";
        case MENU_EDIT: return "Edit";
        case MENU_FILTER: return "Filter";
        case MENU_POVRAY: return "Pov-Ray";
        case MENU_VIEW: return "View";
        case MENU_DIALOG: return "Dialog";
        case MENU_HELP: return "Help";
        default: return nullptr;
    }
}

const char* MenuBarMnemonic(int menu) {
    switch (menu) {
        case MENU_FILE: return "(&F)";
        case MENU_EDIT: return "(&E)";
        case MENU_FILTER: return "(&L)";
        case MENU_POVRAY: return "(&P)";
        case MENU_VIEW: return "(&V)";
        case MENU_DIALOG: return "(&D)";
        case MENU_HELP: return "(&H)";
        default: return "";
    }
}

const std::vector<int>& MenuBarOrder() {
    static const std::vector<int> order = {MENU_FILE, MENU_EDIT,   MENU_FILTER, MENU_POVRAY,
                                           MENU_VIEW, MENU_DIALOG, MENU_HELP};
    return order;
}

const std::vector<FrameCommandSpec>& FrameCommands() {
    static const std::vector<FrameCommandSpec> commands = {
        {ID_QUIT, "wxID_EXIT", SOURCE_MENU},
        {ID_ABOUT, "wxID_ABOUT", SOURCE_MENU},
        {ID_OPEN_PROJECT, "ID_OPEN_PROJECT", SOURCE_MENU_AND_INTERNAL},
        {ID_SAVE_PROJECT, "ID_SAVE_PROJECT", SOURCE_MENU},
        {ID_SAVE_PROJECT_AS, "ID_SAVE_PROJECT_AS", SOURCE_MENU},
        {ID_LOAD_PARTICLE_DATA, "ID_LOAD_PARTICLE_DATA", SOURCE_MENU},
        {ID_EXPORT_PARTICLE_DATA, "ID_EXPORT_PARTICLE_DATA", SOURCE_MENU},
        {ID_EXPORT_PATH_CLIPBOARD, "ID_EXPORT_PATH_CLIPBOARD", SOURCE_MENU},
        {ID_SAVE_SNAPSHOT, "ID_SAVE_SNAPSHOT", SOURCE_MENU},
        {ID_SAVE_IMAGE_SEQUENCE, "ID_SAVE_IMAGE_SEQUENCE", SOURCE_MENU},
        {ID_CLOSE_PARTICLE_DATA, "ID_CLOSE_PARTICLE_DATA", SOURCE_MENU},
        {ID_UNDO, "ID_UNDO", SOURCE_MENU},
        {ID_REDO, "ID_REDO", SOURCE_MENU},
        {ID_MOVE_FRAME, "ID_MOVE_FRAME", SOURCE_MENU},
        {ID_TIME_REMAP, "ID_TIME_REMAP", SOURCE_MENU},
        {ID_SCENE_CONFIG, "ID_SCENE_CONFIG", SOURCE_MENU},
        {ID_PREFERENCE, "ID_PREFERENCE", SOURCE_MENU},
        {ID_REDRAW_VIEWS, "ID_REDRAW_VIEWS", SOURCE_INTERNAL},
        {ID_TIME_REFRESH, "ID_TIME_REFRESH", SOURCE_INTERNAL},
        {ID_STATUS_REFRESH, "ID_STATUS_REFRESH", SOURCE_INTERNAL},
        {ID_ATTRIB_PAGES_REFRESH, "ID_ATTRIB_PAGES_REFRESH", SOURCE_INTERNAL},
        {ID_IMGSEQ_DIALOG_REFRESH, "ID_IMGSEQ_DIALOG_REFRESH", SOURCE_INTERNAL},
        {ID_CAMERA_DIALOG_REFRESH, "ID_CAMERA_DIALOG_REFRESH", SOURCE_INTERNAL},
        {ID_COLOR_DIALOG_REFRESH, "ID_COLOR_DIALOG_REFRESH", SOURCE_INTERNAL},
        {ID_EXPORTER_DIALOG_REFRESH, "ID_EXPORTER_DIALOG_REFRESH", SOURCE_INTERNAL},
        {ID_DRAW_PAGES_REFRESH, "ID_DRAW_PAGES_REFRESH", SOURCE_INTERNAL},
        {ID_LIGHT_DIALOG_REFRESH, "ID_LIGHT_DIALOG_REFRESH", SOURCE_INTERNAL},
        {ID_EXPOSURE_PAGE_REFRESH, "ID_EXPOSURE_PAGE_REFRESH", SOURCE_INTERNAL},
        {ID_STEREO_DIALOG_REFRESH, "ID_STEREO_DIALOG_REFRESH", SOURCE_INTERNAL},
        {ID_TEXTURE_DIALOG_REFRESH, "ID_TEXTURE_DIALOG_REFRESH", SOURCE_INTERNAL},
        {ID_BOTTOM_RELAYOUT, "ID_BOTTOM_RELAYOUT", SOURCE_INTERNAL},
        {ID_REMOVE_CACHE_SNAPSHOT, "ID_REMOVE_CACHE_SNAPSHOT", SOURCE_MENU},
        {ID_REMOVE_CACHE_ALL, "ID_REMOVE_CACHE_ALL", SOURCE_MENU},
        {ID_FORWARD_KEY, "ID_FORWARD_KEY", SOURCE_INTERNAL},
        {ID_APPLY_VIEW_SETTINGS, "ID_APPLY_VIEW_SETTINGS", SOURCE_INTERNAL},
        {ID_LAYOUT_1, "ID_LAYOUT_1", SOURCE_MENU},
        {ID_LAYOUT_2V, "ID_LAYOUT_2V", SOURCE_MENU},
        {ID_LAYOUT_2H, "ID_LAYOUT_2H", SOURCE_MENU},
        {ID_LAYOUT_4A, "ID_LAYOUT_4A", SOURCE_MENU},
        {ID_LAYOUT_4B, "ID_LAYOUT_4B", SOURCE_MENU},
        {ID_EXTRA_PANEL, "ID_EXTRA_PANEL", SOURCE_MENU},
        {ID_PARAM_PANEL_REFRESH, "ID_PARAM_PANEL_REFRESH", SOURCE_INTERNAL},
        {ID_VIEW_CAMERA_CONFIG, "ID_VIEW_CAMERA_CONFIG", SOURCE_MENU},
        {ID_LIGHT_EDITOR, "ID_LIGHT_EDITOR", SOURCE_MENU},
        {ID_COLOR_CURVE_EDITOR, "ID_COLOR_CURVE_EDITOR", SOURCE_MENU_AND_INTERNAL},
        {ID_TEXTURE_EDITOR, "ID_TEXTURE_EDITOR", SOURCE_MENU},
        {ID_POVRAY_CONFIG, "ID_POVRAY_CONFIG", SOURCE_MENU},
        {ID_STEREOGRAM_CONFIG, "ID_STEREOGRAM_CONFIG", SOURCE_MENU},
        {ID_PERIODIC_BOUNDARY, "ID_PERIODIC_BOUNDARY", SOURCE_MENU_AND_INTERNAL},
        {ID_DEBUG_UNLOCK, "ID_DEBUG_UNLOCK", SOURCE_MENU},
        {ID_DEBUG_SPECIAL, "ID_DEBUG_SPECIAL", SOURCE_MENU},
        {ID_ABOUT_OPENGL, "ID_ABOUT_OPENGL", SOURCE_MENU},
        {ID_END_CAPTURE, "ID_END_CAPTURE", SOURCE_INTERNAL},
        {ID_SET_CAMERA_KEY_POS, "ID_SET_CAMERA_KEY_POS", SOURCE_INTERNAL},
        {ID_SET_CAMERA_KEY_POSROT, "ID_SET_CAMERA_KEY_POSROT", SOURCE_INTERNAL},
        {ID_SET_ANCHOR_KEY, "ID_SET_ANCHOR_KEY", SOURCE_INTERNAL},
        {ID_IMGSEQ_PRECHECK, "ID_IMGSEQ_PRECHECK", SOURCE_INTERNAL},
        {ID_START_EXPORT_RUN, "ID_START_EXPORT_RUN", SOURCE_INTERNAL},
        {ID_FILTER_ADD_MENU, "ID_FILTER_ADD_MENU", SOURCE_INTERNAL},
        {ID_FILTERS_AT_TIME, "ID_FILTERS_AT_TIME", SOURCE_INTERNAL},
        {ID_FILTER_CONTEXT_MENU, "ID_FILTER_CONTEXT_MENU", SOURCE_INTERNAL},
        {ID_PAGES_RELAYOUT, "ID_PAGES_RELAYOUT", SOURCE_INTERNAL},
        {ID_ADD_BOOLEAN, "ID_ADD_BOOLEAN", SOURCE_MENU},
        {ID_ADD_DATABOX, "ID_ADD_DATABOX", SOURCE_MENU},
        {ID_ADD_OBJECT, "ID_ADD_OBJECT", SOURCE_MENU},
        {ID_ADD_GRID, "ID_ADD_GRID", SOURCE_MENU},
        {ID_ADD_FOG, "ID_ADD_FOG", SOURCE_MENU},
        {ID_ADD_FILTERING, "ID_ADD_FILTERING", SOURCE_MENU},
        {ID_ADD_COPYBOX, "ID_ADD_COPYBOX", SOURCE_MENU},
        {ID_ADD_STICK, "ID_ADD_STICK", SOURCE_MENU},
        {ID_ADD_BG, "ID_ADD_BG", SOURCE_MENU},
        {ID_FILTER_DELETE, "ID_FILTER_DELETE", SOURCE_MENU},
        {ID_FILTER_UP, "ID_FILTER_UP", SOURCE_MENU},
        {ID_FILTER_DOWN, "ID_FILTER_DOWN", SOURCE_MENU},
        {ID_POV_EXPORT_SNAPSHOT, "ID_POV_EXPORT_SNAPSHOT", SOURCE_MENU_AND_INTERNAL},
        {ID_POV_EXPORT_ANIMATION, "ID_POV_EXPORT_ANIMATION", SOURCE_MENU_AND_INTERNAL},
        {ID_POV_RENDER_SNAPSHOT, "ID_POV_RENDER_SNAPSHOT", SOURCE_MENU_AND_INTERNAL},
        {ID_POV_RENDER_ANIMATION, "ID_POV_RENDER_ANIMATION", SOURCE_MENU_AND_INTERNAL},
    };
    return commands;
}

int PlainKeyAccelerator(int mask, int key) {
    if (mask != 0 || key < 32 || key > 126) return 0;
    return MenuAcceleratorFor(mask, key);
}

bool ParseMenuAccelerator(const char* format, int* mask, int* key) {
    const char* tab = format ? std::strchr(format, '\t') : nullptr;
    if (!tab || !tab[1]) return false;
    std::string rest(tab + 1);
    int m = 0;
    const std::pair<const char*, int> modifiers[] = {{"Ctrl-", 2}, {"Alt-", 1}, {"Shift-", 4}};
    for (bool found = true; found;) {
        found = false;
        for (const auto& mod : modifiers) {
            const size_t n = std::strlen(mod.first);
            if (rest.size() > n && rest.compare(0, n, mod.first) == 0) {
                m |= mod.second;
                rest.erase(0, n);
                found = true;
            }
        }
    }
    int k = 0;
    if (rest.size() == 1) {
        const unsigned char c = static_cast<unsigned char>(rest[0]);
        k = (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
    } else if (rest.size() >= 2 && rest[0] == 'F') {
        int n = 0;
        for (size_t i = 1; i < rest.size(); ++i) {
            if (rest[i] < '0' || rest[i] > '9') return false;
            n = n * 10 + (rest[i] - '0');
        }
        if (n < 1 || n > 24) return false;
        k = kKeyF1 + n - 1;
    } else {
        return false;
    }
    *mask = m;
    *key = k;
    return true;
}

int MenuAcceleratorFor(int mask, int key) {
    if (key >= 'a' && key <= 'z') key = key - 'a' + 'A';
    for (const MenuItemSpec& s : FrameMenuItems()) {
        if (s.kind == ITEM_SEPARATOR || s.kind == ITEM_SUBMENU) continue;
        int m = 0, k = 0;
        if (ParseMenuAccelerator(s.format, &m, &k) && m == mask && k == key) return s.id;
    }
    return 0;
}

bool CommandTargetBuilt(int id) {
    // The debugging commands have no target in this program.
    static const int kNotBuilt[] = {
        ID_DEBUG_UNLOCK, ID_DEBUG_SPECIAL,
    };
    for (int n : kNotBuilt)
        if (n == id) return false;
    return true;
}
