// Base of the timeline panels: a panel with the timeline geometry, copies of the time
// model taken at each paint and the drag protocol of the slider and the active-area bar.
#pragma once

#include "timeline/TLPanelGeom.h"

#include <wx/panel.h>

class TimeCtrl_cls;

/// Drag modes of the slider and the active-area bar.
enum TLDragMode : int { TLD_NONE = 0, TLD_RANGE_START = 1, TLD_RANGE_END = 2, TLD_RANGE = 3, TLD_FRAME = 4 };

/// GUI thread only. The time model is not owned.
class TLPanelBase_cls : public wxPanel, public TLPanelGeom_cls {
public:
    /// `customBackground`: the panel paints everything through a buffered DC.
    TLPanelBase_cls(wxWindow* parent, TimeCtrl_cls* time, wxWindowID id, const wxPoint& pos,
                    const wxSize& size, bool customBackground);
    ~TLPanelBase_cls() override;

    virtual void Repaint() = 0;
    /// Live commits of a drag; true when the panel commits at all.
    virtual bool CommitFrame() { return false; }
    virtual bool CommitRangeMin() { return false; }
    virtual bool CommitRangeMax() { return false; }
    /// Undoable commits at the release; `old` is the value at the press.
    virtual void CommitRangeMinUndoable(int old) { (void)old; }
    virtual void CommitRangeMaxUndoable(int old) { (void)old; }

    /// Copies frame, sub-frame and the area settings of the time model.
    void CopyTimeValues();
    void SetViewRange(int first, int last) { viewFirst = first; viewLast = last; }

    /// Stores the edited range, the frame under the pointer and the tab pixels.
    void UpdatePointer(const wxMouseEvent& event, int first, int last);
    /// Hit test at the stored pointer x; true when a handle was hit (drag mode set).
    bool BeginDrag();
    /// Follows the pointer in the current mode (`ctrl`: frame drags push commands live).
    void Drag(bool ctrl);
    /// Releases the mouse and pushes the undoable command of the drag.
    void EndDrag();
    /// The whole protocol for one mouse event of the slider or the bar.
    void HandleMouse(wxMouseEvent& event, int first, int last);

    TimeCtrl_cls* time;
    // drag state
    int startFrame = 0, dragFrame = 0, committedFrame = 0;
    int startFirst = 0, dragFirst = 0, committedFirst = 0;
    int startLast = 0, dragLast = 99, committedLast = 0;
    // copies of the time model, taken at each paint
    int cFrame = 0, cSub = 0, cInterp = 1, cMaxFrame = 0, cWorkMin = 0, cWorkMax = 0;
    int cActiveMin = 0, cActiveMax = 0, cStep = 1;
    int cursorPixel = 0;      ///< pixel of the frame at the last paint
    int dragCursorPixel = 0;  ///< pixel of the dragged frame at the last paint
    int pointerX = 0;         ///< x of the last mouse event
    int viewFirst = 0, viewLast = 0;    ///< frames shown from margin to margin
    int editFirst = 0, editLast = 0;    ///< range the tabs edit
    int frameUnderPointer = 0;
    int mode = TLD_NONE;
    bool moved = false;  ///< an undoable frame command was pushed during this drag

protected:
    /// White band from the pixel of `first` to that of `last` (view range), full height.
    void DrawRangeBand(wxDC& dc, int first, int last);
    /// The two tabs at the ends of first..last.
    void DrawRangeHandles(wxDC& dc, int first, int last);
    /// Grey line at the frame, red line at frame + sub / interp; sets the cursor pixels.
    void DrawCursor(wxDC& dc);
    void OnKeyDown(wxKeyEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
};
