// Drag protocol and shared drawing of the timeline panels.
#include "timeline/gui/TLPanelBase.h"

#include "timeline/TimeCtrl.h"

#include <wx/dc.h>
#include <wx/toplevel.h>
#include <wx/window.h>

TLPanelBase_cls::TLPanelBase_cls(wxWindow* parent, TimeCtrl_cls* t, wxWindowID id, const wxPoint& pos,
                                 const wxSize& size, bool customBackground)
    : wxPanel(), time(t) {
    if (customBackground) SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(parent, id, pos, size, 0, "panel");
    margin = 8;
    SetBackgroundColour(wxColour(216, 216, 216));
    Bind(wxEVT_KEY_DOWN, &TLPanelBase_cls::OnKeyDown, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &TLPanelBase_cls::OnCaptureLost, this);
    if (customBackground) Bind(wxEVT_SIZE, &TLPanelBase_cls::OnSize, this);
}

TLPanelBase_cls::~TLPanelBase_cls() {
    if (HasCapture()) ReleaseMouse();
}

void TLPanelBase_cls::CopyTimeValues() {
    cFrame = time->Frame();
    cSub = time->SubFrame();
    cInterp = time->AnimInterp();
    cMaxFrame = time->MaxFrame();
    cWorkMin = int(time->workAreaMin.value);
    cWorkMax = int(time->workAreaMax.value);
    cActiveMin = int(time->activeAreaMin.value);
    cActiveMax = int(time->activeAreaMax.value);
    cStep = time->AnimStep();
}

void TLPanelBase_cls::UpdatePointer(const wxMouseEvent& event, int first, int last) {
    editFirst = first;
    editLast = last;
    width = GetClientSize().x;
    height = GetClientSize().y;
    frameUnderPointer = PixelToFrame(event.GetX(), viewFirst, viewLast);
    FrameToPixel(float(first), float(last), viewFirst, viewLast);
}

bool TLPanelBase_cls::BeginDrag() {
    mode = TLD_NONE;
    moved = false;
    dragFrame = cFrame;
    const int x = pointerX;
    const int c = cursorPixel;
    const int p1 = pixel1;
    const int p2 = pixel2;
    if (c - 5 < x && x < c + 5) {
        mode = TLD_FRAME;
    } else {
        if (p1 - 7 < x && x < p1) mode = TLD_RANGE_START;
        if (p2 < x && x < p2 + 7) mode = TLD_RANGE_END;
        if (mode == TLD_NONE) {
            const int mid = (editFirst + editLast) / 2;
            const int keep1 = pixel1, keep2 = pixel2;
            FrameToPixel(float(mid), float(mid), viewFirst, viewLast);
            const int g = pixel1;
            pixel1 = keep1;
            pixel2 = keep2;
            if (g - 7 < x && x < g + 7) mode = TLD_RANGE;
        }
    }
    if (mode == TLD_NONE) return false;
    SetCursor(wxCursor(mode == TLD_FRAME ? wxCURSOR_SIZEWE : wxCURSOR_HAND));
    startFrame = frameUnderPointer;
    startFirst = dragFirst = editFirst;
    startLast = dragLast = editLast;
    committedFirst = editFirst;
    committedLast = editLast;
    committedFrame = cFrame;
    // A frame drag starts from the current frame, whatever frame lies under the pointer.
    if (mode == TLD_FRAME) startFrame = cFrame;
    return true;
}

void TLPanelBase_cls::Drag(bool ctrl) {
    const int u = frameUnderPointer;
    switch (mode) {
        case TLD_RANGE_START: dragFirst = u > dragLast ? dragLast : u; break;
        case TLD_RANGE_END: dragLast = u < dragFirst ? dragFirst : u; break;
        case TLD_RANGE: {
            const int d = u - startFrame;
            dragFirst = startFirst + d < viewFirst ? viewFirst : startFirst + d;
            dragLast = startLast + d > viewLast ? viewLast : startLast + d;
            break;
        }
        case TLD_FRAME:
            dragFrame = time->QuantizeFrame(u);
            if (ctrl && dragFrame != startFrame) {
                time->SetFrameUndoable(dragFrame, startFrame);
                moved = true;
            }
            break;
        default: break;
    }
}

void TLPanelBase_cls::EndDrag() {
    if (HasCapture()) {
        ReleaseMouse();
        SetCursor(wxNullCursor);
    }
    if (mode == TLD_FRAME && dragFrame != startFrame) {
        time->SetFrameUndoable(dragFrame, startFrame);
        moved = true;
    } else if (mode == TLD_RANGE_START) {
        CommitRangeMinUndoable(startFirst);
    } else if (mode == TLD_RANGE_END) {
        CommitRangeMaxUndoable(startLast);
    }
    mode = TLD_NONE;
}

void TLPanelBase_cls::HandleMouse(wxMouseEvent& event, int first, int last) {
    UpdatePointer(event, first, last);
    if (event.LeftDown()) {
        pointerX = event.GetX();
        if (BeginDrag()) {
            if (!HasCapture()) CaptureMouse();
        } else if (wxWindow* top = wxGetTopLevelParent(this)) {
            wxCommandEvent e(wxEVT_MENU, 6042);  // the parameter panel drops its selection
            top->GetEventHandler()->AddPendingEvent(e);
        }
    } else if (event.LeftUp()) {
        EndDrag();
    } else if (event.Dragging()) {
        Drag(event.ControlDown());
    }
    pointerX = event.GetX();
    if (mode != TLD_NONE) {
        bool any = false;
        if (dragFrame != committedFrame) any = CommitFrame() || any;
        if (dragFirst != committedFirst) any = CommitRangeMin() || any;
        if (dragLast != committedLast) any = CommitRangeMax() || any;
        if (any) {
            committedFrame = dragFrame;
            committedFirst = dragFirst;
            committedLast = dragLast;
        }
    }
}

void TLPanelBase_cls::OnCaptureLost(wxMouseCaptureLostEvent&) {
    // Another window took the mouse in mid-drag: end the drag as a release would, so the
    // live changes still become one undo step.
    if (mode != TLD_NONE) EndDrag();
    SetCursor(wxNullCursor);
}

void TLPanelBase_cls::DrawRangeBand(wxDC& dc, int first, int last) {
    FrameToPixel(float(first), float(last), viewFirst, viewLast);
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawRectangle(pixel1, 0, pixel2 - pixel1, height);
}

void TLPanelBase_cls::DrawRangeHandles(wxDC& dc, int first, int last) {
    FrameToPixel(float(first), float(last), viewFirst, viewLast);
    const int h = height;
    dc.SetBrush(wxBrush(wxColour("AQUAMARINE")));
    dc.SetPen(*wxBLACK_PEN);
    const wxPoint left[4] = {{-1, 0}, {-1, h - 1}, {-7, h - 1}, {-7, 3}};
    const wxPoint right[4] = {{0, 0}, {0, h - 1}, {6, h - 1}, {6, 3}};
    dc.DrawPolygon(4, left, pixel1, 0, wxODDEVEN_RULE);
    dc.DrawPolygon(4, right, pixel2, 0, wxODDEVEN_RULE);
}

void TLPanelBase_cls::DrawCursor(wxDC& dc) {
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    FrameToPixel(float(cFrame), float(dragFrame), viewFirst, viewLast);
    cursorPixel = pixel1;
    dragCursorPixel = pixel2;
    dc.SetPen(*wxGREY_PEN);
    dc.DrawLine(cursorPixel, 0, cursorPixel, height);
    FrameToPixel(float(cFrame) + float(cSub) / float(cInterp), 0.0f, viewFirst, viewLast);
    dc.SetPen(*wxRED_PEN);
    dc.DrawLine(pixel1, 0, pixel1, height);
}

void TLPanelBase_cls::OnKeyDown(wxKeyEvent& event) {
    // The main frame's shortcut keys work while a panel has the focus.
    if (wxWindow* top = wxGetTopLevelParent(this)) {
        wxKeyEvent e(event);
        e.SetId(top->GetId());
        e.SetEventObject(top);
        top->GetEventHandler()->AddPendingEvent(e);
    }
}

void TLPanelBase_cls::OnSize(wxSizeEvent& event) {
    Refresh(false);
    event.Skip();
}
