// The key strip: drawing, mouse selection and drags, keys and the numerical key dialog.
#include "timeline/gui/ParamTL.h"

#include "common/CommandHistory.h"
#include "common/gui/MultiInputDialog.h"
#include "platform/ProgramPaths.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamUndoBlock.h"
#include "timeline/Parameter.h"
#include "timeline/TimeCtrl.h"
#include "timeline/gui/ParametersPanel.h"

#include <wx/ctrlsub.h>
#include <wx/dcbuffer.h>
#include <wx/icon.h>
#include <wx/image.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/toplevel.h>

#include <memory>

int GiTLMaxFrame = 0;
int GiTLActiveMin = 0, GiTLActiveMax = 0;
int GiTLWorkMin = 0, GiTLWorkMax = 0;
double GdTLTime = 0.0;
double GdTLActiveStart = 0.0, GdTLActiveEnd = 1.0;
double GdTLWorkStart = 0.0, GdTLWorkEnd = 1.0;

namespace {

// "ICONS/Numerical.png" as the key dialogs' icon, loaded once by the first strip.
const wxIcon& StripIcon() {
    static wxIcon icon;
    static bool loaded = false;
    if (loaded) return icon;
    loaded = true;
    const std::string path = platform::FindProgramData("ICONS/Numerical.png");
    if (!platform::PathExists(path)) return icon;
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    wxLogNull quiet;
    wxBitmap bitmap;
    if (bitmap.LoadFile(wxString::FromUTF8(path.c_str()), wxBITMAP_TYPE_PNG) && bitmap.IsOk())
        icon.CopyFromBitmap(bitmap);
    return icon;
}

const wxPen& SeparatorPen() {
    static const wxPen pen(wxColour(236, 236, 236), 1, wxPENSTYLE_SOLID);
    return pen;
}

}  // namespace

ParamTL_cls::ParamTL_cls(Parameter_cls* p, wxWindow* parent, ParametersPanel_cls* r,
                         const wxPoint& pos, const wxSize& size, wxWindowID id)
    : wxPanel(), parameter(p), row(r) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(parent, id, pos, size, wxWANTS_CHARS, "panel");
    margin = 8;
    if (p) label = wxString::FromUTF8(p->label.c_str());
    SetBackgroundColour(wxColour(216, 216, 216));
    if (p) p->row = this;
    StripIcon();
    menu = new wxMenu;
    menu->Append(ID_TL_INSERT_REMOVE_KEY, wxGetTranslation("Insert/Remove Key"));
    menu->Append(ID_TL_EDIT_KEY, wxGetTranslation("Edit Key"));
    menu->Append(ID_TL_EXPORT_POV, wxGetTranslation("Export to clipborad (.pov)"));

    Bind(wxEVT_PAINT, &ParamTL_cls::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &ParamTL_cls::OnMouse, this);
    Bind(wxEVT_LEFT_UP, &ParamTL_cls::OnMouse, this);
    Bind(wxEVT_LEFT_DCLICK, &ParamTL_cls::OnMouse, this);
    Bind(wxEVT_RIGHT_DOWN, &ParamTL_cls::OnMouse, this);
    Bind(wxEVT_RIGHT_UP, &ParamTL_cls::OnMouse, this);
    Bind(wxEVT_MOTION, &ParamTL_cls::OnMouse, this);
    Bind(wxEVT_MOUSEWHEEL, &ParamTL_cls::OnMouse, this);
    Bind(wxEVT_KEY_DOWN, &ParamTL_cls::OnKeyDown, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &ParamTL_cls::OnCaptureLost, this);
    Bind(wxEVT_MENU, &ParamTL_cls::OnInsertRemoveKey, this, ID_TL_INSERT_REMOVE_KEY);
    Bind(wxEVT_MENU, &ParamTL_cls::OnEditKey, this, ID_TL_EDIT_KEY);
    Bind(wxEVT_MENU, &ParamTL_cls::OnExportPov, this, ID_TL_EXPORT_POV);
}

ParamTL_cls::~ParamTL_cls() {
    if (HasCapture()) ReleaseMouse();
    if (parameter && parameter->row == this) parameter->row = nullptr;
    delete menu;
}

void ParamTL_cls::SyncTimeStatics() {
    TimeCtrl_cls* t = GpTimeCtrlPanels;
    if (!t) return;
    GiTLMaxFrame = t->MaxFrame();
    GiTLActiveMin = int(t->activeAreaMin.value);
    GiTLActiveMax = int(t->activeAreaMax.value);
    GiTLWorkMin = int(t->workAreaMin.value);
    GiTLWorkMax = int(t->workAreaMax.value);
    GdTLTime = t->GetNormalizedTime(-1, 0);
    GdTLActiveStart = t->GetNormalizedTime(GiTLActiveMin, 0.0);
    GdTLActiveEnd = t->GetNormalizedTime(GiTLActiveMax, 0.0);
    GdTLWorkStart = t->GetNormalizedTime(GiTLWorkMin, 0.0);
    GdTLWorkEnd = t->GetNormalizedTime(GiTLWorkMax, 0.0);
}

void ParamTL_cls::UpdateSize() {
    const wxSize s = GetClientSize();
    width = s.x;
    height = s.y;
}

double ParamTL_cls::TimeAt(int x) const { return PixelToTime(x, GdTLActiveStart, GdTLActiveEnd); }
int ParamTL_cls::PixelOf(double t) const { return TimeToPixel(t, GdTLActiveStart, GdTLActiveEnd); }

void ParamTL_cls::SetTimeDependToggle(int state) {
    if (row) row->SetToggleState(state);
}

void ParamTL_cls::UpdateTimeDependToggle() {
    if (row) row->UpdateTimeDependToggle();
}

void ParamTL_cls::DragStart(double t, bool ctrl, bool alt) {
    if (ctrl && parameter) {
        int type = PKT_STEP;
        if (!alt) {
            const int k = currentKey;
            const bool autoKey = k >= 0 && k < parameter->GetKeyCount() &&
                                 parameter->keys[size_t(k)].type == PKT_HERMITE_AUTO;
            type = autoKey ? PKT_LINEAR : PKT_HERMITE_AUTO;
        }
        parameter->SetSelectedKeysType(type);
    }
    dragAnchor = dragTime = t;
}

void ParamTL_cls::DragMotion(wxMouseEvent& event) {
    UpdateSize();
    buttonDown = event.LeftIsDown();
    const double t = TimeAt(event.GetX());
    dragTime = SnapTimeToFrame(t, -1);
    if (event.ShiftDown() && GiTLMaxFrame > 0) {
        const int frame = int(GiTLMaxFrame * dragTime);
        dragTime = SnapTimeToFrame(double(frame) / GiTLMaxFrame, -1);
    }
    const int y = event.GetY();
    inBand = -2 * height < y && y < 3 * height;
}

void ParamTL_cls::PassToParent(const wxEvent& event) {
    wxWindow* p = GetParent();
    if (!p) return;
    wxEvent* copy = event.Clone();
    copy->SetId(GetId());
    p->GetEventHandler()->QueueEvent(copy);
}

bool ParamTL_cls::MoveDraggedKeys() {
    // One unnamed block, opened only when a key is about to move: a release that moves
    // nothing leaves the history as it was.
    ParamUndoBlock_cls block("");
    const double dt = dragTime - dragAnchor;
    bool moved = false;
    if (parameter->IsLinked()) {
        ParamGroup_cls* g = parameter->owner;
        ParamUndoBlock_cls inner("MoveSelectedKeyByXY", &block, GbParamUndoEnabled == 1);
        for (int i = 0; i < g->Dimension(); ++i)
            moved = g->Component(i).MoveSelectedKeys(dt, 0, -1, 0, 0, 0, 0, &inner) || moved;
    } else {
        moved = parameter->MoveSelectedKeys(dt, 0, -1, 0, 0, 0, 0, &block);
    }
    return moved;
}

void ParamTL_cls::OnMouse(wxMouseEvent& event) {
    UpdateSize();
    lastX = event.GetX();
    lastY = event.GetY();
    const double t = TimeAt(lastX);
    const double e = PickTolerance(GdTLActiveStart, GdTLActiveEnd);
    bool handled = false;

    if (event.RightUp()) {
        UpdatePopupMenu();
        PopupMenu(menu, lastX - 2, lastY - 2);
    }
    if (event.LeftDClick()) EditCurrentKey();
    if (!parameter) {
        PassToParent(event);
        event.Skip();
        return;
    }
    if (event.RightDown()) {
        if (parameter->FindKeyNear(t, e) != -1)
            parameter->SelectKeyAtLinked(t, e, 0, event.ShiftDown() ? 0 : 1);
        PassToParent(event);
        handled = true;
    } else if (event.LeftDown()) {
        parameter->SetPressTimeLinked(t);
        parameter->SelectKeyAtLinked(t, e, event.ShiftDown() ? 1 : 0, event.ShiftDown() ? 0 : 1);
        if (currentKey != -1 && parameter->IsTimeDependent() && currentKey < parameter->GetKeyCount())
            parameter->DragStartLinked(parameter->GetKeyTime(currentKey), event.ControlDown(), event.AltDown());
        else
            PassToParent(event);
        if (!HasCapture()) CaptureMouse();
        dragging = true;
        inBand = true;
        handled = true;
    } else if (event.Dragging()) {
        parameter->DragMotionLinked(event);
        handled = true;
    } else if (event.LeftUp()) {
        if (dragging) {
            if (HasCapture()) ReleaseMouse();
            dragging = false;
            if (currentKey == -1) {
                parameter->SelectKeysInRectLinked(pressTime, t, 0, 0, true);
            } else if (inBand) {
                if (!MoveDraggedKeys())
                    parameter->SelectKeyAtLinked(t, e, event.ShiftDown() ? 1 : 0, 1);
            }
        }
        parameter->EndDragLinked();
        handled = true;
    }
    if (handled)
        parameter->RefreshGroupRows();
    Refresh(false);
    event.Skip();
}

void ParamTL_cls::OnCaptureLost(wxMouseCaptureLostEvent&) {
    // The drag is abandoned: nothing moves (keys move only on the release), the previews
    // go away.
    if (HasCapture()) ReleaseMouse();
    dragging = false;
    if (parameter) parameter->EndDragLinked();
    buttonDown = false;
    Refresh(false);
}

void ParamTL_cls::OnKeyDown(wxKeyEvent& event) {
    const int k = event.GetKeyCode();
    const int mods = event.GetModifiers();
    if (parameter && (k == WXK_DELETE || k == 127)) {
        if (parameter->owner)
            parameter->owner->DeleteSelectedKeys();
        else
            parameter->DeleteSelectedKeys();
        parameter->RefreshGroupRows();
        return;
    }
    if (parameter && mods == wxMOD_CONTROL && k == 'C') {
        parameter->CopySelectedKeysToClipboard();
        return;
    }
    if (parameter && mods == wxMOD_CONTROL && k == 'X') {
        parameter->CopySelectedKeysToClipboard();
        parameter->DeleteSelectedKeys();
        parameter->RefreshGroupRows();
        return;
    }
    if (parameter && mods == wxMOD_CONTROL && k == 'V') {
        Refresh(true);
        return;
    }
    if (wxWindow* top = wxGetTopLevelParent(this)) {
        wxKeyEvent copy(event);
        copy.SetId(top->GetId());
        copy.SetEventObject(top);
        top->GetEventHandler()->AddPendingEvent(copy);
    }
}

void ParamTL_cls::UpdatePopupMenu() {
    menu->SetLabel(ID_TL_EDIT_KEY, wxGetTranslation("Edit Key"));
    if (!parameter) {
        menu->Enable(ID_TL_INSERT_REMOVE_KEY, false);
        menu->Enable(ID_TL_EDIT_KEY, false);
        return;
    }
    if (!parameter->IsTimeDependent()) {
        menu->Enable(ID_TL_INSERT_REMOVE_KEY, false);
        menu->Enable(ID_TL_EDIT_KEY, true);
        menu->SetLabel(ID_TL_EDIT_KEY, wxGetTranslation("Edit Value"));
        return;
    }
    menu->Enable(ID_TL_INSERT_REMOVE_KEY, true);
    menu->Enable(ID_TL_EDIT_KEY, currentKey != -1 && parameter->GetSelectedKeyCount() == 1);
}

void ParamTL_cls::OnInsertRemoveKey(wxCommandEvent&) {
    if (row) row->ToggleKey();
    if (parameter) currentKey = parameter->GetFirstSelectedKey();
}

void ParamTL_cls::OnEditKey(wxCommandEvent&) { EditCurrentKey(); }

void ParamTL_cls::OnExportPov(wxCommandEvent&) {
    if (parameter && parameter->owner) parameter->owner->CopyPovCodeToClipboard();
}

void ParamTL_cls::EditCurrentKey() {
    if (parameter && currentKey != -1 && currentKey < parameter->GetKeyCount() &&
        parameter->GetSelectedKeyCount() == 1) {
        UpdateSize();
        lastX = PixelOf(parameter->GetKeyTime(currentKey)) + 60;
    }
    ShowKeyDialog(lastX - 40, lastY - 20);
}

void ParamTL_cls::ShowKeyDialog(int x, int y, const wxPoint& pos) {
    if (!parameter) return;
    const bool hasKey = currentKey != -1 && currentKey < parameter->GetKeyCount();
    double d = 0.0;
    if (parameter->IsTimeDependent()) d = hasKey ? parameter->GetKeyTime(currentKey) : GdTLTime;
    const int frame = int(GiTLMaxFrame * d + 0.00001);
    const wxPoint screen = GetScreenPosition();
    if (parameter->IsLinked()) {
        parameter->owner->EditKeyDialog(screen, x, y, frame, d);
        return;
    }
    wxPoint at = screen + wxPoint(x, y);
    bool keyed = hasKey;
    if (pos != wxDefaultPosition) {
        at = pos + wxPoint(x, y);
        currentKey = -1;
        keyed = false;
    }
    const wxString title = parameter->owner ? wxString::FromUTF8(parameter->owner->displayName.c_str())
                                            : wxGetTranslation("Numerical Input");
    auto* dialog = new MultiInputDialog_cls(nullptr, this, wxID_ANY, title, at);
    // Deleted on return: its callbacks refer to locals of this call.
    std::unique_ptr<MultiInputDialog_cls> owner(dialog);
    if (StripIcon().IsOk()) dialog->SetIcon(StripIcon());
    dialog->panel->labelWidth = 60;
    dialog->panel->commitMode = MI_COMMIT_DIRECT;

    int frameValue = frame;
    double value = keyed ? parameter->keys[size_t(currentKey)].value : parameter->GetValue(GdTLTime, -1);
    double ease = keyed ? parameter->keys[size_t(currentKey)].ease : 0.0;
    const int preset = parameter->GetKeyTypeAt(GdTLTime);
    dialogType = preset < 0 || preset > 4 ? 0 : preset;
    unsigned int chosen = unsigned(dialogType);
    int members = 2;
    dialog->AddItem(MI_INT_TEXT, &frameValue, wxGetTranslation("Frame"));
    dialog->AddItem(MI_DOUBLE_TEXT, &value, "Value");
    const int typeItem = dialog->AddChoiceItem(MI_COMBO, &chosen, 5, GoInterpTypeNames,
                                               wxGetTranslation("Interpolate Type"));
    easeGroupItem = dialog->AddItem(MI_GROUP, &members, "Ease Factor");
    dialog->AddItem(MI_DOUBLE_SLIDER, &ease, "");
    dialog->SetItemRange(MI_LAST_ITEM, 0, 30, 10);
    dialog->AddItem(MI_DOUBLE_TEXT, &ease, "");
    dialog->BuildAndLayout();

    auto onChange = [&](void*, void*) {
        if (auto* box = dynamic_cast<wxItemContainerImmutable*>(dialog->panel->GetItemControl(typeItem))) {
            const int sel = box->GetSelection();
            if (sel >= 0) dialogType = sel;
        }
        dialog->HideItem(easeGroupItem);
        if (dialogType == PKT_HERMITE_SEMIAUTO) dialog->ShowItem(easeGroupItem);
        dialog->Relayout();
        dialog->UpdateWidgets();
    };
    dialog->notifier->Register(onChange, MIE_SELECT, -1, false, nullptr);
    onChange(nullptr, nullptr);

    if (dialog->ShowModal() != wxID_OK) return;
    dialogType = int(chosen);
    GoCommandHistory.BeginBlock("");
    parameter->cachedValue = value;
    int keyIndex;
    if (keyed) {
        const double oldEase = parameter->keys[size_t(currentKey)].ease;
        if (parameter->IsChangedAt(-1) || ease != oldEase) parameter->KeyCachedValue(-1, 0, ease, -1);
        keyIndex = currentKey;
    } else {
        parameter->KeyCachedValue(-1, 0, ease, -1);
        keyIndex = parameter->FindKey(GdTLTime, -1, 0);
    }
    parameter->SetKeyTypeUndoable(keyIndex, dialogType);
    GoCommandHistory.EndBlock("");
    parameter->RefreshGroupRows();
}

void ParamTL_cls::OnPaint(wxPaintEvent& event) {
    wxAutoBufferedPaintDC dc(this);
    Draw(dc);
    event.Skip();
}

void ParamTL_cls::Draw(wxDC& dc) {
    dc.SetBackground(wxBrush(wxColour(216, 216, 216)));
    dc.Clear();
    UpdateSize();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(*wxWHITE_BRUSH);
    const int w0 = PixelOf(GdTLWorkStart);
    const int w1 = GdTLWorkEnd == 0.0 ? FractionToPixel(1.0) : PixelOf(GdTLWorkEnd);
    dc.DrawRectangle(w0, 0, w1 - w0, height);

    if (buttonDown && currentKey == -1) {
        const int p0 = PixelOf(pressTime);
        const int p1 = PixelOf(dragTime);
        if (p0 != p1) {
            dc.SetPen(wxPen(wxColour(128, 128, 128), 1, wxPENSTYLE_SOLID));
            dc.SetBrush(*wxTRANSPARENT_BRUSH);
            dc.DrawRectangle(std::min(p0, p1), 2, std::abs(p1 - p0), height - 4);
        }
    }
    dc.SetTextForeground(wxColour(128, 128, 128));
    dc.SetFont(wxFont(wxFontInfo(11)));
    dc.DrawText(label, 19, -2);
    dc.SetTextForeground(*wxLIGHT_GREY);
    dc.SetPen(SeparatorPen());
    dc.DrawRectangle(0, 0, width, 1);

    if (parameter) {
        // The value is written lighter than the label, in the separator's text colour.
        dc.DrawText(wxString::Format("%g", parameter->GetValue(-1, -1)), 154, -2);
        if (parameter->IsTimeDependent()) {
            dc.SetPen(*wxBLACK_PEN);
            for (const ParamKey_cls& k : parameter->keys) k.DrawGlyph(dc, PixelOf(k.time), 0, true);
        }
        if (buttonDown) {
            for (const ParamKey_cls& k : parameter->keys)
                if (k.selected) k.DrawGlyph(dc, PixelOf(dragTime - dragAnchor + k.time), 1, inBand);
        }
        dc.SetPen(*wxRED_PEN);
        const int c = PixelOf(GdTLTime);
        dc.DrawLine(c, 0, c, height);
    } else {
        dc.DrawText("Not Assigned", 114, -2);
    }
}
