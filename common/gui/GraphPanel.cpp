// Curve graph panel: drawing a parameter group's curves and keys, and editing the keys
// with the mouse, the keyboard and the pop-up menu.
#include "common/gui/GraphPanel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <wx/dcbuffer.h>
#include <wx/menu.h>

#include "common/gui/ColourDialogEX.h"

const wxColour GoGraphColours[4] = {wxColour(255, 0, 0), wxColour(0, 255, 0),
                                    wxColour(0, 0, 255), wxColour(255, 255, 255)};

namespace {

// Half-size of a key's square, and the pick distances in domain and value units.
constexpr int kKeyHalf = 3;
constexpr double kPickDistance = 0.03;

const wxColour& ComponentColour(int j) { return GoGraphColours[((j % 4) + 4) % 4]; }

int Truncate(double v) {
    if (!(v == v)) return 0;
    return static_cast<int>(std::max(-1e9, std::min(1e9, v)));
}

}  // namespace

GraphPanel_cls::GraphPanel_cls(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                               const wxSize& size, bool withColourItem)
    : wxPanel(parent, id, pos, size, wxFULL_REPAINT_ON_RESIZE, "panel") {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    menu_ = new wxMenu;
    menu_->Append(ID_GRAPH_INSERT_KEY, _("Insert Key"));
    menu_->Append(ID_GRAPH_DELETE_KEY, _("Delete Key"));
    if (withColourItem) menu_->Append(ID_GRAPH_SELECT_COLOR, _("Select Color"));

    Bind(wxEVT_PAINT, &GraphPanel_cls::OnPaint, this);
    Bind(wxEVT_KEY_DOWN, &GraphPanel_cls::OnKeyDown, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &GraphPanel_cls::OnCaptureLost, this);
    Bind(wxEVT_LEFT_DOWN, &GraphPanel_cls::OnMouse, this);
    Bind(wxEVT_LEFT_UP, &GraphPanel_cls::OnMouse, this);
    Bind(wxEVT_LEFT_DCLICK, &GraphPanel_cls::OnMouse, this);
    Bind(wxEVT_RIGHT_DOWN, &GraphPanel_cls::OnMouse, this);
    Bind(wxEVT_RIGHT_UP, &GraphPanel_cls::OnMouse, this);
    Bind(wxEVT_MIDDLE_DOWN, &GraphPanel_cls::OnMouse, this);
    Bind(wxEVT_MIDDLE_UP, &GraphPanel_cls::OnMouse, this);
    Bind(wxEVT_MOTION, &GraphPanel_cls::OnMouse, this);
    Bind(wxEVT_ENTER_WINDOW, &GraphPanel_cls::OnMouse, this);
    Bind(wxEVT_LEAVE_WINDOW, &GraphPanel_cls::OnMouse, this);
    Bind(wxEVT_MENU, &GraphPanel_cls::OnMenu, this, ID_GRAPH_INSERT_KEY, ID_GRAPH_SELECT_COLOR);
}

GraphPanel_cls::~GraphPanel_cls() {
    if (HasCapture()) ReleaseMouse();
    delete menu_;
}

void GraphPanel_cls::SetXRange(double minimum, double maximum) {
    xViewMin_ = minimum;
    xViewMax_ = maximum;
}

void GraphPanel_cls::SetYRange(double minimum, double maximum) {
    yViewMin_ = minimum;
    yViewMax_ = maximum;
}

void GraphPanel_cls::TakeSize() {
    const wxSize size = GetClientSize();
    width_ = size.x;
    height_ = size.y;
}

// The drawable extent is (size - 2) pixels; a panel too small for that, or a view range
// of zero width, must not divide by zero.
double GraphPanel_cls::PixelToX(int column) const {
    const double span = std::max(width_ - 2, 1);
    const double x = (column - 1) / span * (xViewMax_ - xViewMin_) + xViewMin_;
    return std::min(std::max(x, xLimitMin_), xLimitMax_);
}

double GraphPanel_cls::PixelToY(int row) const {
    const double span = std::max(height_ - 2, 1);
    const double v = (1.0 - (row - 1) / span) * (yViewMax_ - yViewMin_) + yViewMin_;
    return std::min(std::max(v, yLimitMin_), yLimitMax_);
}

int GraphPanel_cls::ColumnOf(double x) const {
    const double range = xViewMax_ - xViewMin_;
    if (range == 0) return 1;
    return Truncate((width_ - 2) * (x - xViewMin_) / range + 1);
}

int GraphPanel_cls::RowOf(double v) const {
    const double range = yViewMax_ - yViewMin_;
    if (range == 0) return 1;
    return Truncate((height_ - 2) - (height_ - 2) * (v - yViewMin_) / range + 1);
}

int GraphPanel_cls::SampleStep(int width) {
    if (width > 640) return 4;
    if (width > 320) return 2;
    return 1;
}

void GraphPanel_cls::SnapDragOffset(int& dx, int& dy) {
    const double a = std::atan2(static_cast<double>(dy), static_cast<double>(dx)) * 180.0 / 3.14159;
    bool toAngleRule = false;
    if (std::abs(dx) <= 50) {
        if (a > -15 && a < 15) dy = 0;
        if (a > 165 || a < -165) {
            dy = 0;
            toAngleRule = true;
        }
    }
    if (!toAngleRule && std::abs(dx) > 50 && std::abs(dy) <= 24) {
        dy = 0;
        toAngleRule = true;
    }
    if (!toAngleRule && std::abs(dy) > 50) {
        if (std::abs(dx) <= 24) dx = 0;
        return;
    }
    if ((a > 75 && a < 105) || (a > -105 && a < -75)) dx = 0;
}

void GraphPanel_cls::GetCursorValues(float out[3]) const {
    out[0] = out[1] = out[2] = 0.0f;
    if (!group) return;
    const double t = PixelToX(cursorColumn_);
    const int n = std::min(group->Dimension(), 3);
    for (int j = 0; j < n; ++j) out[j] = static_cast<float>(group->CurveValue(j, t));
}

void GraphPanel_cls::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    TakeSize();
    Render(dc);
}

void GraphPanel_cls::Render(wxDC& dc) {
    if (!viewReady_) {
        cursorColumn_ = ColumnOf(0.0);
        viewReady_ = true;
    }
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(wxBrush(*wxLIGHT_GREY));
    dc.DrawRectangle(0, 0, width_, height_);

    if (rubberBand_) {
        dc.SetPen(*wxGREY_PEN);
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(wxRect(press_, mouse_));
    }

    if (group) {
        const int count = group->Dimension();
        // Curves: the group is evaluated without touching the components' cached values,
        // so painting never changes what an editor is about to key.
        const int step = SampleStep(width_);
        std::vector<std::vector<wxPoint>> points(static_cast<size_t>(count));
        for (int c = 0; c < width_; c += step) {
            const double x = PixelToX(c);
            const int column = ColumnOf(x);
            for (int j = 0; j < count; ++j)
                points[j].emplace_back(column, RowOf(group->CurveValue(j, x)));
        }
        int dx = mouse_.x - press_.x, dy = mouse_.y - press_.y;
        SnapDragOffset(dx, dy);
        const bool keyDrag = HasCapture() && !draggingCursor_ && !rubberBand_;
        for (int j = 0; j < count; ++j) {
            const wxColour colour = coloured_ ? ComponentColour(j) : *wxBLACK;
            dc.SetPen(wxPen(colour, group->SelectedCurve() == j ? 2 : 1));
            if (points[j].size() > 1)
                dc.DrawLines(static_cast<int>(points[j].size()), points[j].data());
            for (const CurveKeyPoint& key : group->CurveKeys(j)) {
                dc.SetBrush(key.selected ? wxBrush(colour) : *wxTRANSPARENT_BRUSH);
                dc.DrawRectangle(ColumnOf(key.time) - kKeyHalf, RowOf(key.value) - kKeyHalf,
                                 2 * kKeyHalf + 1, 2 * kKeyHalf + 1);
                if (keyDrag && key.selected) {
                    // Where the key goes when the button is released.
                    dc.SetBrush(wxBrush(colour));
                    dc.DrawRectangle(ColumnOf(key.time) - kKeyHalf + dx,
                                     RowOf(key.value) - kKeyHalf + dy, 2 * kKeyHalf + 1,
                                     2 * kKeyHalf + 1);
                }
            }
        }
    }

    static wxDash dashes[2] = {2, 3};
    wxPen grid(wxColour(128, 128, 128), 1, wxPENSTYLE_USER_DASH);
    grid.SetDashes(2, dashes);
    dc.SetPen(grid);
    for (double x : verticalGrid_) dc.DrawLine(ColumnOf(x), 0, ColumnOf(x), height_);
    for (double v : horizontalGrid_) dc.DrawLine(0, RowOf(v), width_, RowOf(v));

    dc.SetPen(*wxWHITE_PEN);
    dc.DrawLine(cursorColumn_, 0, cursorColumn_, height_);
}

void GraphPanel_cls::Press(bool shift) {
    // Keys already selected near the press move together; otherwise start afresh.
    if (!group->HasSelectedKeyNear(pressX_, kPickDistance, pressY_, kPickDistance) && !shift)
        group->DeselectKeys();
    if (group->SelectKeysNear(pressX_, kPickDistance, pressY_, kPickDistance, true)) return;
    if (std::abs(press_.x - cursorColumn_) < 6)
        draggingCursor_ = true;
    else
        rubberBand_ = true;
}

void GraphPanel_cls::EndDrags() {
    if (draggingCursor_) {
        draggingCursor_ = false;
        const int lo = ColumnOf(xLimitMin_), hi = ColumnOf(xLimitMax_);
        cursorColumn_ = std::min(std::max(cursorColumn_, std::min(lo, hi)), std::max(lo, hi));
    }
    rubberBand_ = false;
}

void GraphPanel_cls::OnMouse(wxMouseEvent& event) {
    if (!group) return;
    TakeSize();
    const bool cursorDrag = draggingCursor_;
    if (cursorDrag) cursorColumn_ = mouse_.x;  // the cursor follows one event behind

    const wxPoint position = event.GetPosition();
    const bool moved = position != mouse_;
    mouse_ = position;
    mouseX_ = PixelToX(position.x);
    mouseY_ = PixelToY(position.y);

    if (event.LeftDown()) {
        press_ = mouse_;
        pressX_ = mouseX_;
        pressY_ = mouseY_;
        Press(event.ShiftDown());
        if (!HasCapture()) CaptureMouse();
        SetFocus();
        Refresh(false);
    } else if (event.RightDown()) {
        if (HasCapture()) ReleaseMouse();
        EndDrags();
        PopupMenu(menu_, position);
    } else if (event.LeftUp() && HasCapture()) {
        ReleaseMouse();
        if (draggingCursor_) {
            EndDrags();
        } else if (rubberBand_) {
            rubberBand_ = false;
            group->SelectKeysInRect(pressX_, mouseX_, pressY_, mouseY_, true);
        } else {
            int dx = mouse_.x - press_.x, dy = mouse_.y - press_.y;
            SnapDragOffset(dx, dy);
            const double targetX = PixelToX(press_.x + dx);
            const double targetY = PixelToY(press_.y + dy);
            group->MoveSelectedKeys(targetX - pressX_, targetY - pressY_, 0.01, 0, 1.0, yLimitMin_,
                                    yLimitMax_);
        }
        Refresh(false);
    } else if (moved) {
        Refresh(false);
    }
    if (cursorDrag) PostMenuCommand(GetParent(), ID_GRAPH_CHANGED);
}

void GraphPanel_cls::OnCaptureLost(wxMouseCaptureLostEvent&) {
    // The release will never come: end the gesture without applying a key drag or a
    // rubber band the user did not finish.
    const bool cursorDrag = draggingCursor_;
    EndDrags();
    Refresh(false);
    if (cursorDrag) PostMenuCommand(GetParent(), ID_GRAPH_CHANGED);
}

void GraphPanel_cls::OnKeyDown(wxKeyEvent& event) {
    const int modifiers = event.GetModifiers();
    const int code = event.GetKeyCode();
    if (modifiers == wxMOD_CONTROL && (code == 'Y' || code == 'Z')) {
        ShortcutForwarder_cls::Forward(event);
    } else if (modifiers == wxMOD_NONE && group) {
        int channel = -1;
        if (code == 'R') channel = 0;
        if (code == 'G') channel = 1;
        if (code == 'B') channel = 2;
        if (code == 'A') channel = 3;
        // A channel key picks that channel alone, or all channels when it was picked already.
        group->SelectCurve((channel >= 0 && group->SelectedCurve() != channel) ? channel : -1);
        if (code == WXK_DELETE) group->DeleteSelectedKeys();
        PostMenuCommand(GetParent(), ID_GRAPH_CHANGED);
        Refresh(false);
    }
    event.Skip();
}

void GraphPanel_cls::InsertKeyAtCursor() {
    if (!group) return;
    const double t = PixelToX(cursorColumn_);
    group->InsertKey(-1, t, -9999);
    group->DeselectKeys();
    group->SelectKeysInRect(t - 0.001, t + 0.001, 0, 0, true);
    Refresh(false);
}

void GraphPanel_cls::PickColourAtCursor() {
    if (!GpColourDialogEX) return;
    float rgb[3];
    GetCursorValues(rgb);
    GpColourDialogEX->SetColourRGB(rgb);
    Freeze();
    if (GpColourDialogEX->ShowModal() == wxID_OK && group) {
        const float* chosen = GpColourDialogEX->GetColourRGB();
        group->SetKeyFrame({chosen[0], chosen[1], chosen[2], 1.0}, true,
                           PixelToX(cursorColumn_));
    }
    Thaw();
    Refresh(false);
}

void GraphPanel_cls::OnMenu(wxCommandEvent& event) {
    switch (event.GetId()) {
    case ID_GRAPH_INSERT_KEY:
        InsertKeyAtCursor();
        break;
    case ID_GRAPH_DELETE_KEY:
        if (group) group->DeleteSelectedKeys();
        Refresh(false);
        break;
    case ID_GRAPH_SELECT_COLOR:
        PickColourAtCursor();
        break;
    default:
        event.Skip();
        break;
    }
}
