// Mixin owning the pop-up menu with the single item "minimize".
#pragma once

class wxMenu;

class MinimizeButton_cls {
public:
    /// Id of the menu item "minimize".
    static constexpr int kMinimizeId = 6059;

    MinimizeButton_cls();
    ~MinimizeButton_cls();
    MinimizeButton_cls(const MinimizeButton_cls&) = delete;
    MinimizeButton_cls& operator=(const MinimizeButton_cls&) = delete;

    /// The menu (owned).
    wxMenu* GetMinimizeMenu() const { return m_menu; }

private:
    wxMenu* m_menu;
};
