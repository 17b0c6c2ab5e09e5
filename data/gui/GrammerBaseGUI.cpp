// The grammar editor: two code lists, their buttons and pop-up menus.
#include "data/gui/GrammerBaseGUI.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "common/gui/MessageHelpers.h"
#include "data/GrammerBase.h"
#include "data/SnapshotReader.h"

namespace {

const char* const kHeaderNames[] = {"Time", "Number", "Dummy", "Dummy*3", "Dummy*10"};
const char* const kBodyNames[] = {"x y z", "Vx Vy Vz", "Dummy", "Dummy*3", "Dummy*10",
                                  "Radius", "ID", "Type", "Value1"};
const char* const kHeaderTypes[] = {"float", "integer", "float", "float*3", "float*10"};
const char* const kHeaderBytes[] = {"4", "4", "4", "12", "40"};
const char* const kBodyBytes[] = {"12", "12", "4", "12", "40", "4", "4", "4", "4"};

wxString BodyType(int code) {
    static const char* const types[] = {"float*3", "float*3", "float", "float*3", "float*10",
                                        "float", "integer", nullptr, "float"};
    if (code == 7) return wxString::Format("integer[0-%d]", 3);
    return types[code];
}

// Menu id -> code, per list kind; the order is the add menu's.
struct AddEntry {
    int id;
    int code;
    const char* label;
};
const AddEntry kHeaderAdds[] = {{ID_GRAMMER_ADD_TIME, 0, "Time"},
                                {ID_GRAMMER_ADD_NUMBER, 1, "Number"},
                                {ID_GRAMMER_ADD_DUMMY, 2, "Dummy"},
                                {ID_GRAMMER_ADD_DUMMY3, 3, "Dummy*3"},
                                {ID_GRAMMER_ADD_DUMMY10, 4, "Dummy*10"}};
const AddEntry kBodyAdds[] = {{ID_GRAMMER_ADD_XYZ, 0, "XYZ"},       {ID_GRAMMER_ADD_VELOCITY, 1, "VxVyVz"},
                              {ID_GRAMMER_ADD_RADIUS, 5, "Raius"},  {ID_GRAMMER_ADD_ID, 6, "ID"},
                              {ID_GRAMMER_ADD_TYPE, 7, "Type"},     {ID_GRAMMER_ADD_VALUE1, 8, "Value1"},
                              {ID_GRAMMER_ADD_DUMMY, 2, "Dummy"},   {ID_GRAMMER_ADD_DUMMY3, 3, "Dummy*3"},
                              {ID_GRAMMER_ADD_DUMMY10, 4, "Dummy*10"}};

bool IsDummy(int code) { return code >= 2 && code <= 4; }

void ClearMenu(wxMenu* menu) {
    while (menu->GetMenuItemCount() > 0) menu->Destroy(menu->FindItemByPosition(0));
}

// One entry a field the list lacks (dummies always), all disabled once the list is full.
void FillAddMenu(wxMenu* menu, const AddEntry* first, const AddEntry* last, const std::vector<int>& codes) {
    if (!menu) return;
    ClearMenu(menu);
    const bool full = static_cast<int>(codes.size()) >= GrammerBase_cls::kMaxCodes;
    for (const AddEntry* e = first; e != last; ++e) {
        if (!IsDummy(e->code) && std::find(codes.begin(), codes.end(), e->code) != codes.end()) continue;
        const bool translate = IsDummy(e->code);
        menu->Append(e->id, translate ? wxGetTranslation(e->label) : wxString(e->label))->Enable(!full);
    }
}

}  // namespace

wxListCtrlEX::wxListCtrlEX(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
    : wxListCtrl(parent, id, pos, size, style, wxDefaultValidator, "listCtrl") {
    Bind(wxEVT_RIGHT_UP, [this](wxMouseEvent& event) {
        // A release over a row ends the click that opened that row's menu: one menu a click.
        int flags = 0;
        if (HitTest(event.GetPosition(), flags) != wxNOT_FOUND) {
            event.Skip();
            return;
        }
        if (wxWindow* parentWindow = GetParent()) {
            auto* copy = static_cast<wxMouseEvent*>(event.Clone());
            copy->SetEventObject(this);
            copy->SetId(GetId());
            parentWindow->GetEventHandler()->QueueEvent(copy);
        }
        event.Skip();
    });
}

GrammerBaseGUI_cls::GrammerBaseGUI_cls(GrammerBase_cls* g) : grammar(g) {}

GrammerBaseGUI_cls::~GrammerBaseGUI_cls() {
    delete headerMenu;
    delete bodyMenu;
    delete headerAddPopup;
    delete bodyAddPopup;
}

void GrammerBaseGUI_cls::BuildEditor(wxWindow* dialog, wxSizer* sizer, bool withDefault) {
    dialog_ = dialog;
    auto makeList = [&](const wxString& caption, wxListCtrlEX*& list, wxButton*& up, wxButton*& down, int upId,
                        int downId) {
        auto* column = new wxBoxSizer(wxVERTICAL);
        column->Add(new wxStaticText(dialog, wxID_ANY, caption), 0, wxALL, 2);
        list = new wxListCtrlEX(dialog, wxID_ANY, wxDefaultPosition, wxSize(260, 180),
                                wxLC_REPORT | wxBORDER_SUNKEN);
        list->AppendColumn("", wxLIST_FORMAT_CENTRE, 20);
        list->AppendColumn(_("Data"), wxLIST_FORMAT_LEFT, 90);
        list->AppendColumn(_("Type"), wxLIST_FORMAT_LEFT, 80);
        list->AppendColumn(_("Byte"), wxLIST_FORMAT_LEFT, 60);
        column->Add(list, 1, wxALL | wxEXPAND, 2);
        auto* buttons = new wxBoxSizer(wxHORIZONTAL);
        up = new wxButton(dialog, upId, _("Up"));
        down = new wxButton(dialog, downId, _("Down"));
        buttons->Add(up, 0, wxALL, 2);
        buttons->Add(down, 0, wxALL, 2);
        column->Add(buttons, 0);
        return column;
    };
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(makeList(_("Header Format"), headerList, headUp, headDown, ID_GRAMMER_HEAD_UP, ID_GRAMMER_HEAD_DOWN), 1,
             wxEXPAND);
    row->Add(makeList(_("Body Format"), bodyList, bodyUp, bodyDown, ID_GRAMMER_BODY_UP, ID_GRAMMER_BODY_DOWN), 1,
             wxEXPAND);
    sizer->Add(row, 0, wxALL | wxEXPAND, 2);
    if (withDefault) {
        defaultButton = new wxButton(dialog, ID_GRAMMER_DEFAULT, _("Default"));
        sizer->Add(defaultButton, 0, wxALL, 2);
    }
    Refill();
    CreateMenus();

    for (int id : {ID_GRAMMER_HEAD_UP, ID_GRAMMER_HEAD_DOWN, ID_GRAMMER_BODY_UP, ID_GRAMMER_BODY_DOWN})
        dialog->Bind(wxEVT_BUTTON, [this, id](wxCommandEvent&) { RunCommand(id); }, id);
    dialog->Bind(wxEVT_MENU, [this](wxCommandEvent& e) { RunCommand(e.GetId()); }, ID_GRAMMER_HEAD_SWAP_UP,
                 ID_GRAMMER_ADD_VALUE1);
    for (wxListCtrlEX* list : {headerList, bodyList}) {
        list->Bind(wxEVT_LIST_ITEM_RIGHT_CLICK, [this, list](wxListEvent& e) {
            // Below the rows (index -1) the release opens the add-field menu alone.
            if (e.GetIndex() >= 0) OnRightClick(dialog_, list, true);
        });
        list->Bind(wxEVT_LIST_KEY_DOWN, [this, list](wxListEvent& e) {
            currentList = list == bodyList ? BODY : HEADER;
            if (e.GetKeyCode() == WXK_DELETE) {
                DeleteSelectedRows(list);
                Renumber(list);
            } else {
                e.Skip();
            }
        });
    }
    dialog->Bind(wxEVT_RIGHT_UP, [this](wxMouseEvent& e) {
        auto* list = dynamic_cast<wxListCtrl*>(e.GetEventObject());
        if (list == headerList || list == bodyList) OnRightClick(dialog_, list, false);
        else e.Skip();
    });
}

void GrammerBaseGUI_cls::CreateMenus() {
    headerAddMenu = new wxMenu;
    bodyAddMenu = new wxMenu;
    headerMenu = new wxMenu;
    headerMenu->Append(ID_GRAMMER_HEAD_SWAP_UP, "Swap up");
    headerMenu->Append(ID_GRAMMER_HEAD_SWAP_DOWN, "Swap down");
    headerMenu->AppendSeparator();
    headerMenu->Append(ID_GRAMMER_DELETE, _("Delete item"));
    headerMenu->Append(ID_GRAMMER_INSERT, _("InsertItem"), headerAddMenu);
    bodyMenu = new wxMenu;
    bodyMenu->Append(ID_GRAMMER_BODY_SWAP_UP, "Swap up");
    bodyMenu->Append(ID_GRAMMER_BODY_SWAP_DOWN, "Swap down");
    bodyMenu->AppendSeparator();
    bodyMenu->Append(ID_GRAMMER_DELETE, _("Delete item"));
    bodyMenu->Append(ID_GRAMMER_INSERT, _("InsertItem"), bodyAddMenu);
    headerAddPopup = new wxMenu;
    bodyAddPopup = new wxMenu;
    BuildHeaderAddMenu();
    BuildBodyAddMenu();
}

void GrammerBaseGUI_cls::WriteRow(wxListCtrl* list, long row, int code, int kind) {
    const bool ascii = grammar && grammar->dataType.value != SNAPSHOT_BINARY;
    wxString name, type, bytes;
    if (kind == HEADER && code >= 0 && code <= 4) {
        name = kHeaderNames[code];
        type = kHeaderTypes[code];
        bytes = kHeaderBytes[code];
    } else if (kind == BODY && code >= 0 && code <= 8) {
        name = kBodyNames[code];
        type = BodyType(code);
        bytes = kBodyBytes[code];
    } else {
        name = wxString::Format("? %d", code);  // only from a hand-written configuration line
        type = bytes = "0";
    }
    list->SetItemData(row, code);
    list->SetItem(row, 1, name);
    list->SetItem(row, 2, ascii ? wxString("-") : type);
    list->SetItem(row, 3, ascii ? wxString("-") : bytes);
}

bool GrammerBaseGUI_cls::InsertRow(wxListCtrl* list, long position, int code, int kind) {
    if (list->GetItemCount() >= GrammerBase_cls::kMaxCodes) return false;
    if (position < 0) {
        position = list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
        if (position < 0) position = list->GetItemCount();
    }
    const long row = list->InsertItem(std::min<long>(position, list->GetItemCount()), "");
    WriteRow(list, row, code, kind);
    return true;
}

void GrammerBaseGUI_cls::FillList(wxListCtrl* list, const std::vector<int>& codes, int kind) {
    list->DeleteAllItems();
    for (int code : codes) {
        const long row = list->InsertItem(list->GetItemCount(), "");
        WriteRow(list, row, code, kind);
    }
    Renumber(list);
}

std::vector<int> GrammerBaseGUI_cls::ListCodes(wxListCtrl* list) {
    std::vector<int> codes;
    for (long r = 0; r < list->GetItemCount(); ++r) codes.push_back(static_cast<int>(list->GetItemData(r)));
    return codes;
}

void GrammerBaseGUI_cls::ApplyAndRefill() {
    grammar->SetHeaderCodes(ListCodes(headerList));
    grammar->SetBodyCodes(ListCodes(bodyList));
    Refill();
}

void GrammerBaseGUI_cls::Refill() {
    if (!headerList) return;
    FillList(headerList, grammar->HeaderCodes(), HEADER);
    FillList(bodyList, grammar->BodyCodes(), BODY);
}

void GrammerBaseGUI_cls::Renumber(wxListCtrl* list) {
    for (long r = 0; r < list->GetItemCount(); ++r) {
        list->SetItem(r, 0, wxString::Format("%ld", r));
        list->SetItemTextColour(r, IsDummy(static_cast<int>(list->GetItemData(r))) ? wxColour("LIGHT GREY")
                                                                                    : *wxBLACK);
    }
}

void GrammerBaseGUI_cls::DeleteSelectedRows(wxListCtrl* list) {
    for (long r = list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); r != -1;
         r = list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        list->DeleteItem(r);
}

void GrammerBaseGUI_cls::MoveSelectedRows(wxListCtrl* list, int kind, int direction) {
    const long n = list->GetItemCount();
    if (n < 2) return;
    auto selected = [&](long r) { return list->GetItemState(r, wxLIST_STATE_SELECTED) != 0; };
    auto swapRows = [&](long a, long b) {
        const int codeA = static_cast<int>(list->GetItemData(a));
        const int codeB = static_cast<int>(list->GetItemData(b));
        const bool selA = selected(a), selB = selected(b);
        WriteRow(list, a, codeB, kind);
        WriteRow(list, b, codeA, kind);
        list->SetItemState(a, selB ? wxLIST_STATE_SELECTED : 0, wxLIST_STATE_SELECTED);
        list->SetItemState(b, selA ? wxLIST_STATE_SELECTED : 0, wxLIST_STATE_SELECTED);
    };
    if (direction > 0) {
        for (long r = n - 1; r >= 0; --r)
            if (selected(r) && r + 1 < n) swapRows(r, r + 1);
    } else {
        for (long r = 0; r < n; ++r)
            if (selected(r) && r - 1 >= 0) swapRows(r, r - 1);
    }
    Renumber(list);
}

bool GrammerBaseGUI_cls::SetDefault(wxWindow* parent) {
    if (!AskYesNo(parent, wxString(_("Inquery")), wxString(_("Set to default ?")))) return false;
    grammar->SetDefaultCodes();
    Refill();
    return true;
}

void GrammerBaseGUI_cls::BuildHeaderAddMenu() {
    const std::vector<int> codes = headerList ? ListCodes(headerList) : grammar->HeaderCodes();
    FillAddMenu(headerAddMenu, std::begin(kHeaderAdds), std::end(kHeaderAdds), codes);
    FillAddMenu(headerAddPopup, std::begin(kHeaderAdds), std::end(kHeaderAdds), codes);
}

void GrammerBaseGUI_cls::BuildBodyAddMenu() {
    const std::vector<int> codes = bodyList ? ListCodes(bodyList) : grammar->BodyCodes();
    FillAddMenu(bodyAddMenu, std::begin(kBodyAdds), std::end(kBodyAdds), codes);
    FillAddMenu(bodyAddPopup, std::begin(kBodyAdds), std::end(kBodyAdds), codes);
}

std::vector<int> GrammerBaseGUI_cls::OfferedCodes(int kind) const {
    std::vector<int> codes;
    const wxMenu* menu = kind == BODY ? bodyAddMenu : headerAddMenu;
    if (!menu) return codes;
    const AddEntry* first = kind == BODY ? std::begin(kBodyAdds) : std::begin(kHeaderAdds);
    const AddEntry* last = kind == BODY ? std::end(kBodyAdds) : std::end(kHeaderAdds);
    for (const wxMenuItem* item : menu->GetMenuItems()) {
        if (!item->IsEnabled()) continue;
        for (const AddEntry* e = first; e != last; ++e)
            if (e->id == item->GetId()) codes.push_back(e->code);
    }
    return codes;
}

void GrammerBaseGUI_cls::PrepareMenu(int kind) {
    currentList = kind == BODY ? BODY : HEADER;
    if (currentList == BODY) BuildBodyAddMenu();
    else BuildHeaderAddMenu();
}

void GrammerBaseGUI_cls::OnRightClick(wxWindow* dialog, wxListCtrl* list, bool wholeMenu) {
    const int kind = list == bodyList ? BODY : HEADER;
    PrepareMenu(kind);
    wxMenu* menu = wholeMenu ? (kind == BODY ? bodyMenu : headerMenu) : (kind == BODY ? bodyAddPopup : headerAddPopup);
    if (popupMenu) popupMenu(menu);
    else if (dialog) dialog->PopupMenu(menu);
}

bool GrammerBaseGUI_cls::RunCommand(int id) {
    switch (id) {
        case ID_GRAMMER_HEAD_UP:
        case ID_GRAMMER_HEAD_SWAP_UP: MoveSelectedRows(headerList, HEADER, -1); return true;
        case ID_GRAMMER_HEAD_DOWN:
        case ID_GRAMMER_HEAD_SWAP_DOWN: MoveSelectedRows(headerList, HEADER, +1); return true;
        case ID_GRAMMER_BODY_UP:
        case ID_GRAMMER_BODY_SWAP_UP: MoveSelectedRows(bodyList, BODY, -1); return true;
        case ID_GRAMMER_BODY_DOWN:
        case ID_GRAMMER_BODY_SWAP_DOWN: MoveSelectedRows(bodyList, BODY, +1); return true;
        case ID_GRAMMER_DELETE:
            DeleteSelectedRows(CurrentList());
            Renumber(CurrentList());
            return true;
        case ID_GRAMMER_INSERT: return true;  // opens the submenu
        default: break;
    }
    const AddEntry* first = currentList == BODY ? std::begin(kBodyAdds) : std::begin(kHeaderAdds);
    const AddEntry* last = currentList == BODY ? std::end(kBodyAdds) : std::end(kHeaderAdds);
    for (const AddEntry* e = first; e != last; ++e) {
        if (e->id != id) continue;
        // As the menu offers it: nothing at 16 rows, a field only while its list lacks it.
        const std::vector<int> codes = ListCodes(CurrentList());
        if (static_cast<int>(codes.size()) >= GrammerBase_cls::kMaxCodes) return true;
        if (!IsDummy(e->code) && std::find(codes.begin(), codes.end(), e->code) != codes.end()) return true;
        if (InsertRow(CurrentList(), -1, e->code, currentList)) Renumber(CurrentList());
        return true;
    }
    return false;
}
