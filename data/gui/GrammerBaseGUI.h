// The grammar editor inside the data loader's and data exporter's dialogs: a header list
// and a body list of record codes, their buttons and pop-up menus, and "Default".
#pragma once

#include <functional>
#include <vector>

#include <wx/listctrl.h>
#include <wx/string.h>

class GrammerBase_cls;
class wxButton;
class wxMenu;
class wxSizer;
class wxWindow;

/// Control and menu ids of the editor (the same in both dialogs).
constexpr int ID_GRAMMER_HEAD_UP = 6501;
constexpr int ID_GRAMMER_HEAD_DOWN = 6502;
constexpr int ID_GRAMMER_BODY_UP = 6503;
constexpr int ID_GRAMMER_BODY_DOWN = 6504;
constexpr int ID_GRAMMER_DEFAULT = 6505;
constexpr int ID_GRAMMER_HEAD_SWAP_UP = 6565;
constexpr int ID_GRAMMER_HEAD_SWAP_DOWN = 6566;
constexpr int ID_GRAMMER_BODY_SWAP_UP = 6567;
constexpr int ID_GRAMMER_BODY_SWAP_DOWN = 6568;
constexpr int ID_GRAMMER_DELETE = 6569;
constexpr int ID_GRAMMER_INSERT = 6570;
constexpr int ID_GRAMMER_ADD_DUMMY = 6571;
constexpr int ID_GRAMMER_ADD_DUMMY3 = 6572;
constexpr int ID_GRAMMER_ADD_DUMMY10 = 6573;
constexpr int ID_GRAMMER_ADD_TIME = 6574;
constexpr int ID_GRAMMER_ADD_NUMBER = 6575;
constexpr int ID_GRAMMER_ADD_XYZ = 6576;
constexpr int ID_GRAMMER_ADD_VELOCITY = 6577;
constexpr int ID_GRAMMER_ADD_RADIUS = 6578;
constexpr int ID_GRAMMER_ADD_ID = 6579;
constexpr int ID_GRAMMER_ADD_TYPE = 6580;
constexpr int ID_GRAMMER_ADD_VALUE1 = 6581;

/// A report list that passes a right-button release outside its rows on to its parent (as
/// the same mouse event, with the list as event object), where the editor opens the
/// add-field menu; a right click on a row opens the row menu instead.
class wxListCtrlEX : public wxListCtrl {
public:
    wxListCtrlEX(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style);
};

/// The editor's state: two lists of codes bound to one grammar. The lists are applied to
/// the grammar only by ApplyAndRefill (the owning dialog decides when). GUI thread only.
class GrammerBaseGUI_cls {
public:
    enum { HEADER = 0, BODY = 1 };

    explicit GrammerBaseGUI_cls(GrammerBase_cls* grammar);
    ~GrammerBaseGUI_cls();
    GrammerBaseGUI_cls(const GrammerBaseGUI_cls&) = delete;
    GrammerBaseGUI_cls& operator=(const GrammerBaseGUI_cls&) = delete;

    /// Builds "Header Format", "Body Format", their lists and "Up"/"Down" buttons, and
    /// "Default" (when `withDefault`) into `sizer` on `dialog`, fills the lists from the
    /// grammar, makes the menus and binds the editor's events on `dialog`.
    void BuildEditor(wxWindow* dialog, wxSizer* sizer, bool withDefault = true);

    /// Inserts a row of `code` at `position` (-1: before the first selected row, or at the
    /// end when none is selected). Refused (false) when the list already holds 16 rows.
    bool InsertRow(wxListCtrl* list, long position, int code, int kind);
    /// All rows replaced by one row per code, renumbered.
    void FillList(wxListCtrl* list, const std::vector<int>& codes, int kind);
    /// The codes of all rows in row order.
    static std::vector<int> ListCodes(wxListCtrl* list);
    /// Both lists become the grammar's code lists; then both are filled again from it.
    void ApplyAndRefill();
    /// Both lists filled from the grammar (after its data type or codes changed).
    void Refill();
    /// Row numbers from 0 and text colours (dummies light grey).
    static void Renumber(wxListCtrl* list);
    static void DeleteSelectedRows(wxListCtrl* list);
    /// Moves the selected rows one place up (-1) or down (+1); a block moves as a whole.
    void MoveSelectedRows(wxListCtrl* list, int kind, int direction);
    wxListCtrl* CurrentList() const { return currentList == BODY ? bodyList : headerList; }
    /// Asks "Set to default ?"; on Yes the grammar's lists become "0 1" and "0 1 5 6 7 8"
    /// and both lists are filled again. True when the answer was Yes.
    bool SetDefault(wxWindow* parent);
    /// Rebuild the add-field submenus: each field code only while its list lacks it, the
    /// dummies always; every entry disabled while the list holds 16 rows.
    void BuildHeaderAddMenu();
    void BuildBodyAddMenu();
    /// The codes the add-field submenu of `kind` offers now (its enabled entries, in order).
    std::vector<int> OfferedCodes(int kind) const;
    /// Runs a command of the editor (buttons 6501-6504, menu ids 6565-6581). False when the
    /// id is not the editor's.
    bool RunCommand(int id);
    /// Sets the current list and rebuilds its add-field submenu (what opening its menu does).
    void PrepareMenu(int kind);

    GrammerBase_cls* grammar;               ///< bound grammar, not owned
    wxListCtrlEX* headerList = nullptr;
    wxListCtrlEX* bodyList = nullptr;
    wxButton* headUp = nullptr;
    wxButton* headDown = nullptr;
    wxButton* bodyUp = nullptr;
    wxButton* bodyDown = nullptr;
    wxButton* defaultButton = nullptr;
    wxMenu* headerMenu = nullptr;           ///< owned; its add-field submenu goes with it
    wxMenu* bodyMenu = nullptr;             ///< owned
    wxMenu* headerAddMenu = nullptr;        ///< submenu of headerMenu
    wxMenu* bodyAddMenu = nullptr;          ///< submenu of bodyMenu
    /// Owned stand-alone copies of the add-field submenus, popped up by a right click below
    /// the rows: a menu attached as a submenu cannot be popped up on its own.
    wxMenu* headerAddPopup = nullptr;
    wxMenu* bodyAddPopup = nullptr;
    /// 0 header, 1 body: the list that the Delete key and the menu commands act on. Set when
    /// a list's menu opens or a key is pressed in it; the body list before either.
    int currentList = BODY;
    /// Window tests' seam: takes the place of popping a menu up at the mouse (which waits
    /// for the user). Empty: the menu pops up.
    std::function<void(wxMenu* menu)> popupMenu;

private:
    void WriteRow(wxListCtrl* list, long row, int code, int kind);
    void CreateMenus();
    void OnRightClick(wxWindow* dialog, wxListCtrl* list, bool wholeMenu);
    wxWindow* dialog_ = nullptr;
};
