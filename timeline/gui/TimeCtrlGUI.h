// The timeline panels of the lower panel: main slider, active-area bar, tick ruler, frame
// entry, mark toggle and zoom buttons, and the window that lays them out.
#pragma once

#include "common/gui/Tics.h"
#include "timeline/gui/TLPanelBase.h"

#include <wx/bitmap.h>
#include <wx/pen.h>

#include <functional>

class AtoiTextCtrl_cls;
class BitmapPanel_cls;

/// Main slider: the active area across the width, the work area with its tabs, loaded,
/// ready and key-framed frames, and the draggable frame cursor.
class TimeCtrlGUI_cls : public TLPanelBase_cls {
public:
    TimeCtrlGUI_cls(wxWindow* parent, TimeCtrl_cls* time, wxWindowID id, const wxPoint& pos,
                    const wxSize& size);
    void Repaint() override;
    bool CommitFrame() override;
    bool CommitRangeMin() override;
    bool CommitRangeMax() override;
    void CommitRangeMinUndoable(int old) override;
    void CommitRangeMaxUndoable(int old) override;
    /// Paints the whole panel into `dc`.
    void Draw(wxDC& dc);
    /// The red line at the top: the current frame, sub-frame and step, and the MB of data
    /// in memory.
    wxString CaptionText() const;
    /// MB of data in memory for the status text; empty: the time model's host tells.
    std::function<int()> memoryUsed;

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);
    wxBitmap m_thumb;
    wxPen m_loadedPen;
};

/// Active-area bar: the whole scene, the work area as a band, the active area draggable.
class TimeCtrlGUIAA_cls : public TLPanelBase_cls {
public:
    TimeCtrlGUIAA_cls(wxWindow* parent, TimeCtrl_cls* time, wxWindowID id, const wxPoint& pos,
                      const wxSize& size);
    void Repaint() override;
    bool CommitFrame() override;
    bool CommitRangeMin() override;
    bool CommitRangeMax() override;
    void CommitRangeMinUndoable(int old) override;
    void CommitRangeMaxUndoable(int old) override;
    void Draw(wxDC& dc);

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);
    wxBitmap m_thumb;
};

/// Tick ruler over the active area with a red line at the current frame.
class TimeCtrlGUITics_cls : public TLPanelBase_cls {
public:
    TimeCtrlGUITics_cls(wxWindow* parent, TimeCtrl_cls* time, wxWindowID id, const wxPoint& pos,
                        const wxSize& size);
    void Repaint() override;
    void Draw(wxDC& dc);
    Tics_cls tics;

private:
    void OnPaint(wxPaintEvent& event);
};

/// Frame and sub-frame entries; Enter or Space moves the time model there (undoable).
class TimeCtrlGUIAtoi_cls : public TLPanelBase_cls {
public:
    TimeCtrlGUIAtoi_cls(wxWindow* parent, TimeCtrl_cls* time, wxWindowID id, const wxPoint& pos,
                        const wxSize& size);
    void Repaint() override;
    bool CommitFrame() override;
    bool CommitRangeMin() override;
    bool CommitRangeMax() override;
    void CommitRangeMinUndoable(int old) override;
    void CommitRangeMaxUndoable(int old) override;
    /// Writes frame and sub-frame into the entries with their ranges.
    void RefreshEntries();
    /// Applies the entries (what Enter or Space does).
    void ApplyEntries();
    AtoiTextCtrl_cls* frameEntry = nullptr;
    AtoiTextCtrl_cls* subFrameEntry = nullptr;

private:
    int shownFrame = -1;  ///< frame written into the entry last
    int shownSub = -1;    ///< sub-frame written last
    void OnChar(wxKeyEvent& event);
    void OnPaint(wxPaintEvent& event);
};

/// The mark toggle: hides or shows the marked parameter groups.
class TimeCtrlGUIButtons_cls : public TLPanelBase_cls {
public:
    TimeCtrlGUIButtons_cls(wxWindow* parent, TimeCtrl_cls* time, wxWindowID id,
                           const wxPoint& pos, const wxSize& size);
    void Repaint() override {}
    void OnToggle(wxMouseEvent& event);
    BitmapPanel_cls* toggle = nullptr;
    /// The lower panel's UpdateAll (set by the lower panel; nothing without).
    std::function<void()> updateAll;
};

/// Zoom out / zoom in of the active area.
class TimeCtrlGUIZoom_cls : public TLPanelBase_cls {
public:
    TimeCtrlGUIZoom_cls(wxWindow* parent, TimeCtrl_cls* time, wxWindowID id, const wxPoint& pos,
                        const wxSize& size);
    void Repaint() override {}
    BitmapPanel_cls* zoomOut = nullptr;
    BitmapPanel_cls* zoomIn = nullptr;

private:
    void OnZoomOut(wxMouseEvent& event);
    void OnZoomIn(wxMouseEvent& event);
};

/// The six panels in two columns: entry, mark toggle and zoom on the left (69 pixels, the
/// width of a parameter row's controls), slider, ruler and bar on the right, so that the
/// right column lines up with the key strips below. Clears the time model's pointer to it
/// when destroyed.
class TimelinePanels_cls : public wxPanel {
public:
    TimelinePanels_cls(wxWindow* parent, TimeCtrl_cls* time);
    ~TimelinePanels_cls() override;
    /// Repaints every panel (the time model's RefreshPanels).
    void RefreshAll();

    TimeCtrl_cls* time;
    TimeCtrlGUI_cls* slider = nullptr;
    TimeCtrlGUIAA_cls* bar = nullptr;
    TimeCtrlGUITics_cls* ruler = nullptr;
    TimeCtrlGUIAtoi_cls* entry = nullptr;
    TimeCtrlGUIButtons_cls* buttons = nullptr;
    TimeCtrlGUIZoom_cls* zoom = nullptr;
};
