// The curve graph: the component curves of one key-framed parameter group drawn over a
// 0..1 domain, with key selection, dragging, insertion, deletion and channel picking.
#pragma once

#include <wx/colour.h>
#include <wx/panel.h>

#include <vector>

#include "common/KeyedCurves.h"
#include "common/gui/WidgetCommon.h"

class KeyedCurves_cls;
class wxDC;
class wxMenu;

/// Posted to the parent after a channel key and while the cursor is dragged.
constexpr int ID_GRAPH_CHANGED = 6089;
/// Pop-up menu items.
constexpr int ID_GRAPH_INSERT_KEY = 6554;
constexpr int ID_GRAPH_DELETE_KEY = 6555;
constexpr int ID_GRAPH_SELECT_COLOR = 6556;

/// Pen and key colours of components 0..3: red, green, blue, white.
extern const wxColour GoGraphColours[4];

/// Draws and edits only while a group is bound; all edits go through the group's own
/// operations (named undo blocks: one undo step per insertion, drag or deletion). The
/// group belongs to the owner and must outlive the binding. GUI thread only.
class GraphPanel_cls : public wxPanel, public WidgetCommon_cls {
public:
    /// `withColourItem` adds "Select Color" to the pop-up menu.
    GraphPanel_cls(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, bool withColourItem = false);
    ~GraphPanel_cls() override;

    /// The bound group (null: none; draws background, grid and cursor only).
    KeyedCurves_cls* group = nullptr;

    /// Domain shown from the left to the right edge (the caller repaints).
    void SetXRange(double minimum, double maximum);
    /// Values shown from the bottom to the top edge (the caller repaints).
    void SetYRange(double minimum, double maximum);
    /// Domain value of pixel column `column`, clamped to the domain limits (0..1).
    double PixelToX(int column) const;
    /// Value of pixel row `row`, clamped to the value limits (0..1).
    double PixelToY(int row) const;
    /// Pixel column of domain value `x`; pixel row of value `v`.
    int ColumnOf(double x) const;
    int RowOf(double v) const;

    /// The first three component values at the cursor (0, 0, 0 without a group).
    void GetCursorValues(float out[3]) const;
    /// Every component (or the selected one) gets a key on its curve at the cursor; the new
    /// keys become the selection.
    void InsertKeyAtCursor();
    /// The colour dialog, preset with the colour at the cursor; on OK a key of that colour
    /// with alpha 1 at the cursor.
    void PickColourAtCursor();

    /// Draws the whole panel into `dc` at the size taken last (client size at each paint
    /// and mouse event; SetDrawSize for drawing off screen).
    void Render(wxDC& dc);
    /// The size the coordinates and Render use until the next paint or mouse event.
    void SetDrawSize(int width, int height) { width_ = width; height_ = height; }

    int GetCursorColumn() const { return cursorColumn_; }
    /// Columns sampled per curve point: 1, 2 above 320 pixels, 4 above 640.
    static int SampleStep(int width);
    /// Snaps a drag offset in pixels to the horizontal or vertical axis when the drag is
    /// nearly so.
    static void SnapDragOffset(int& dx, int& dy);

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnMenu(wxCommandEvent& event);
    void Press(bool shift);
    void EndDrags();
    void TakeSize();

    bool viewReady_ = false;
    bool draggingCursor_ = false;
    bool rubberBand_ = false;
    int width_ = 0, height_ = 0;
    wxMenu* menu_ = nullptr;
    std::vector<double> verticalGrid_{0, 1};
    std::vector<double> horizontalGrid_{0, 1};
    bool coloured_ = true;
    double yViewMin_ = 0, yViewMax_ = 1;
    double yLimitMin_ = 0, yLimitMax_ = 1;
    double xViewMin_ = 0, xViewMax_ = 1;
    double xLimitMin_ = 0, xLimitMax_ = 1;
    int cursorColumn_ = 0;
    wxPoint mouse_, press_;
    double mouseX_ = 0, mouseY_ = 0, pressX_ = 0, pressY_ = 0;
};
