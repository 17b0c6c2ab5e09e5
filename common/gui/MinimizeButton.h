// Mixin owning the pop-up menu with the single item "minimize".
#pragma once

class wxMenu;

/// Menu id of the item "minimize".
constexpr int ID_MINIMIZE = 6059;

class MinimizeButton_cls {
public:
    /// Id of the menu item "minimize" (ID_MINIMIZE).
    static constexpr int kMinimizeId = ID_MINIMIZE;

    MinimizeButton_cls();
    ~MinimizeButton_cls();
    MinimizeButton_cls(const MinimizeButton_cls&) = delete;
    MinimizeButton_cls& operator=(const MinimizeButton_cls&) = delete;

    /// The menu (owned).
    wxMenu* GetMinimizeMenu() const { return m_menu; }

private:
    wxMenu* m_menu;
};
