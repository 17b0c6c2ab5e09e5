// The key strip of one key-framed parameter: the active area of the timeline with the work
// area, the parameter's label and value, its key glyphs and the current time; selects,
// drags and retypes keys with the mouse and opens the numerical key dialog.
#pragma once

#include "timeline/TLPanelGeom.h"
#include "timeline/ParamViews.h"

#include <wx/panel.h>
#include <wx/string.h>

class Parameter_cls;
class ParametersPanel_cls;
class wxMenu;

/// Time geometry shared by all strips, refreshed by ParamTL_cls::SyncTimeStatics. GUI thread.
extern int GiTLMaxFrame;
extern int GiTLActiveMin, GiTLActiveMax;
extern int GiTLWorkMin, GiTLWorkMax;
extern double GdTLTime;
extern double GdTLActiveStart, GdTLActiveEnd;
extern double GdTLWorkStart, GdTLWorkEnd;

constexpr int ID_TL_INSERT_REMOVE_KEY = 6079;
constexpr int ID_TL_EDIT_KEY = 6080;
constexpr int ID_TL_EXPORT_POV = 6081;

/// GUI thread only. Neither the parameter nor the row is owned.
class ParamTL_cls : public wxPanel, public TLPanelGeom_cls, public ParamStripView_cls {
public:
    /// `row` may be null (a strip on its own); it receives the events the strip passes on
    /// (else the parent does). Registers itself as the parameter's strip.
    ParamTL_cls(Parameter_cls* parameter, wxWindow* parent, ParametersPanel_cls* row,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(-1, 16),
                wxWindowID id = wxID_ANY);
    ~ParamTL_cls() override;

    /// Copies the time model's frames and areas (GpTimeCtrlPanels) into the shared values.
    static void SyncTimeStatics();

    // ParamStripView_cls
    void SetCurrentKey(int index) override { currentKey = index; }
    void SetTimeDependToggle(int state) override;
    void UpdateTimeDependToggle() override;
    void SetPressTime(double t) override { pressTime = t; }
    void DragStart(double t, bool ctrl, bool alt) override;
    void DragMotion(wxMouseEvent& event) override;
    void EndDrag() override { buttonDown = false; }

    /// Enables and labels the pop-up items for the current state.
    void UpdatePopupMenu();
    /// The key dialog for the current key (or the current time).
    void EditCurrentKey();
    /// The numerical key dialog at the strip's screen position + (x, y) (or `pos` + (x, y)).
    void ShowKeyDialog(int x, int y, const wxPoint& pos = wxDefaultPosition);
    /// Paints the strip into `dc`.
    void Draw(wxDC& dc);
    /// Normalised time under pixel x.
    double TimeAt(int x) const;
    /// Pixel of normalised time t.
    int PixelOf(double t) const;

    Parameter_cls* parameter;
    ParametersPanel_cls* row;
    wxString label;
    wxMenu* menu = nullptr;  ///< owned
    int lastX = 0, lastY = 0;
    int easeGroupItem = -1;
    int dialogType = 0;
    bool dragging = false;
    bool buttonDown = false;
    bool inBand = false;
    int currentKey = -1;
    double pressTime = 0.0, dragTime = 0.0, dragAnchor = 0.0;

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnInsertRemoveKey(wxCommandEvent& event);
    void OnEditKey(wxCommandEvent& event);
    void OnExportPov(wxCommandEvent& event);
    /// Moves the selected keys by the drag in one undo step; true when any moved.
    bool MoveDraggedKeys();
    void PassToParent(const wxEvent& event);
    void UpdateSize();
};
