#include "common/CommandIds.h"
#include "app/MenuTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

TEST(MenuTable, EveryMenuItemHasAHandlerAndSubmenusHaveNone) {
    std::set<int> handled;
    for (const FrameCommandSpec& c : FrameCommands()) handled.insert(c.id);
    const std::set<int> submenus = {6004, 6031, 6064, 6066, 6068};  // Export, Remove Cache, Bool, Object, World
    std::map<int, int> submenuUse;
    for (const MenuItemSpec& s : FrameMenuItems()) {
        if (s.kind == ITEM_SEPARATOR) continue;
        ASSERT_NE(s.text, nullptr);
        ASSERT_NE(s.format, nullptr);
        if (s.kind == ITEM_SUBMENU) {
            EXPECT_TRUE(submenus.count(s.id)) << s.text;
            EXPECT_FALSE(handled.count(s.id)) << s.text;
            ++submenuUse[s.submenu];
        } else {
            EXPECT_TRUE(handled.count(s.id)) << s.text << " (" << s.id << ") has no handler";
        }
    }
    for (int m : {MENU_EXPORT, MENU_REMOVE_CACHE, MENU_BOOL, MENU_OBJECT, MENU_WORLD})
        EXPECT_EQ(submenuUse[m], 1) << "submenu " << m;
}

// What each menu shows, in order: the id and English text of every entry ("-" a
// separator, "..." after a submenu's text), written out here rather than read from the
// table, so an entry that moves, changes its id or loses its text is caught.
TEST(MenuTable, EveryMenuShowsItsEntriesInOrder) {
    const std::map<int, std::vector<std::string>> expected = {
        {MENU_FILE, {"6000 Open Project", "6001 Save Project", "6002 Save Project As", "-",
                     "6003 Load Particle Data", "-", "6007 Save Snapshot", "6008 Save Image Sequence",
                     "6004 Export...", "-", "6009 Close Particle Data", "-", "5006 Quit"}},
        {MENU_EXPORT, {"6005 Export Particle Data", "6006 Export Path to Clipboard (.pov)"}},
        {MENU_EDIT, {"6011 Undo", "6012 Redo", "-", "6013 Move Frame", "-", "6014 Time Remap", "-",
                     "6031 Remove Cache...", "-", "6015 Scene Config", "6016 Preference"}},
        {MENU_REMOVE_CACHE, {"6032 Snapshot", "6033 All Cache"}},
        {MENU_FILTER, {"6064 Bool...", "6066 Object...", "6068 World..."}},
        {MENU_BOOL, {"6065 Boolean", "6072 Filtering"}},
        {MENU_OBJECT, {"6069 Object", "6074 Stick", "6070 Grid"}},
        {MENU_WORLD, {"6067 DataBox", "6073 CopyBox", "6071 Fog", "6075 BG"}},
        {MENU_POVRAY, {"6047 Pov-Ray Rendering Configure", "-", "6082 Export Snapshot",
                       "6083 Export Animation", "6084 Render Snapshot", "6085 Render Animation"}},
        {MENU_VIEW, {"6036 1 panel", "6037 2 panels (vertical)", "6038 2 panels (horizontal)",
                     "6039 4 panelsA", "6040 4 panelsB", "-", "6041 Extra Panel"}},
        {MENU_DIALOG, {"6043 View and Camera Config", "6044 Light Source Editor", "6045 Color Curve Editor",
                       "6046 Texture Editor", "6048 Stereogram Config", "6049 Periodic Boundary"}},
        {MENU_HELP, {"5014 About", "6052 About Open GL", "6050 Unlock (for Debug)", "6051 Special (for Debug)"}},
        {MENU_FILTER_CONTEXT, {"6077 Up", "6078 Down", "-", "6076 Delete"}},
    };
    ASSERT_EQ(expected.size(), size_t(MENU_COUNT));
    for (const auto& [menu, entries] : expected) {
        std::vector<std::string> shown;
        for (const MenuItemSpec& s : MenuEntries(menu)) {
            if (s.kind == ITEM_SEPARATOR) {
                shown.push_back("-");
                continue;
            }
            std::string e = std::to_string(s.id) + " " + (s.text ? s.text : "(none)");
            if (s.text2) e += std::string(" ") + s.text2;
            if (s.kind == ITEM_SUBMENU) e += "...";
            shown.push_back(e);
        }
        EXPECT_EQ(shown, entries) << "menu " << menu;
    }
}

TEST(MenuTable, CommandIdsStayInTheirRanges) {
    std::set<int> seen;
    for (const FrameCommandSpec& c : FrameCommands()) {
        EXPECT_TRUE(seen.insert(c.id).second) << "duplicate " << c.id;
        const bool stock = c.id == 5006 || c.id == 5014;
        EXPECT_TRUE(stock || (c.id >= 6000 && c.id <= 6085)) << c.id;
        // 6059, and 6079..6081 (timeline pop-up, POV-Ray dialog, colour button) are not the frame's
        EXPECT_NE(c.id, 6059);
        EXPECT_FALSE(c.id >= 6079 && c.id <= 6081) << c.id;
    }
    // every internal bus id the other parts post has a handler
    for (int id :
         {6017, 6018, 6019, 6020, 6021, 6022, 6023, 6024, 6025, 6026, 6027, 6028, 6029, 6030,
          6034, 6035, 6042, 6053, 6054, 6055, 6056, 6057, 6058, 6060, 6061, 6062, 6063})
        EXPECT_TRUE(seen.count(id)) << id;
}

TEST(MenuTable, LabelsAndAccelerators) {
    std::map<int, MenuItemSpec> byId;
    for (const MenuItemSpec& s : FrameMenuItems())
        if (s.kind != ITEM_SEPARATOR) byId[s.id] = s;
    EXPECT_STREQ(byId[ID_QUIT].format, "%s(&Q)\tQ");  // the plain Q key
    EXPECT_STREQ(byId[ID_QUIT].help, "Quit this application");
    EXPECT_STREQ(byId[ID_SAVE_PROJECT_AS].format, "%s(&S)\tCtrl-Shift-S");
    EXPECT_STREQ(byId[ID_REMOVE_CACHE_ALL].format, "%s\tCtrl-Shift-F5");  // Ctrl+Alt+F5: the console
    EXPECT_STREQ(byId[ID_POV_RENDER_ANIMATION].text, "Render");
    EXPECT_STREQ(byId[ID_POV_RENDER_ANIMATION].text2, "Animation");
    EXPECT_STREQ(byId[ID_TEXTURE_EDITOR].format, "%s(&J)\tCtrl-T");
    EXPECT_EQ(byId[ID_TIME_REMAP].kind, ITEM_CHECK);
    EXPECT_EQ(byId[ID_EXTRA_PANEL].kind, ITEM_CHECK);
    EXPECT_STREQ(byId[ID_LAYOUT_2V].bitmap, "ICONS/splitV.png");
    // bar order and titles
    std::string titles;
    for (int m : MenuBarOrder())
        titles += std::string(MenuBarTitleKey(m)) + MenuBarMnemonic(m) + " ";
    EXPECT_EQ(titles, "File(&F) Edit(&E) Filter(&L) Pov-Ray(&P) View(&V) Dialog(&D) Help(&H) ");
    // the filter context menu: Up, Down, separator, Delete
    const auto ctx = MenuEntries(MENU_FILTER_CONTEXT);
    ASSERT_EQ(ctx.size(), 4u);
    EXPECT_EQ(ctx[0].id, ID_FILTER_UP);
    EXPECT_EQ(ctx[1].id, ID_FILTER_DOWN);
    EXPECT_EQ(ctx[2].kind, ITEM_SEPARATOR);
    EXPECT_EQ(ctx[3].id, ID_FILTER_DELETE);
}

TEST(MenuTable, FilterKindOfAddMenuIds) {
    const std::pair<int, int> cases[] = {{6065, 0}, {6066, 0}, {6067, 1}, {6068, 0}, {6069, 2},
                                         {6070, 3}, {6071, 4}, {6072, 5}, {6073, 6}, {6074, 7},
                                         {6075, 8}, {6064, 0}, {6076, 0}};
    for (const auto& c : cases) EXPECT_EQ(FilterTypeForMenuId(c.first), c.second) << c.first;
}

TEST(MenuTable, PlainKeyAcceleratorsAreRunByTheFrame) {
    EXPECT_EQ(PlainKeyAccelerator(0, 'Q'), ID_QUIT);
    EXPECT_EQ(PlainKeyAccelerator(2, 'Q'), 0);  // Ctrl+Q does nothing special
    EXPECT_EQ(PlainKeyAccelerator(4, 'Q'), 0);
    EXPECT_EQ(PlainKeyAccelerator(0, 'W'), 0);  // Ctrl-W is Close, not W
    EXPECT_EQ(PlainKeyAccelerator(0, 'O'), 0);
    EXPECT_EQ(PlainKeyAccelerator(0, 345), 0);  // F5 is the toolkit's
}

TEST(MenuTable, AcceleratorsReadFromTheLabelFormats) {
    struct Case {
        const char* format;
        bool has;
        int mask;
        int key;
    };
    const Case cases[] = {
        {"%s(&O)\tCtrl-O", true, 2, 'O'},       {"%s(&S)\tCtrl-Shift-S", true, 6, 'S'},
        {"%s(&P)\tCtrl-Alt-P", true, 3, 'P'},   {"%s\tCtrl-Alt-F5", true, 3, 344},
        {"%s(&A)\tF8", true, 0, 347},           {"%s\tAlt-1", true, 1, '1'},
        {"%s(&Q)\tQ", true, 0, 'Q'},            {"%s(&E)", false, 0, 0},
        {"%s\tF25", false, 0, 0},               {"%s\tCtrl-", false, 0, 0},
    };
    for (const Case& c : cases) {
        int mask = -1, key = -1;
        EXPECT_EQ(ParseMenuAccelerator(c.format, &mask, &key), c.has) << c.format;
        if (!c.has) continue;
        EXPECT_EQ(mask, c.mask) << c.format;
        EXPECT_EQ(key, c.key) << c.format;
    }
    // the key and its exact modifiers name one command; any other modifier set none
    EXPECT_EQ(MenuAcceleratorFor(6, 'S'), ID_SAVE_PROJECT_AS);
    EXPECT_EQ(MenuAcceleratorFor(2, 'S'), ID_SAVE_PROJECT);
    EXPECT_EQ(MenuAcceleratorFor(0, 'S'), 0);
    EXPECT_EQ(MenuAcceleratorFor(4, 'S'), 0);
    EXPECT_EQ(MenuAcceleratorFor(10, 'O'), 0);  // Meta never matches
    EXPECT_EQ(MenuAcceleratorFor(2, 'o'), ID_OPEN_PROJECT);
}

