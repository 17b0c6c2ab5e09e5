// Horizontal slider with two thumbs (low and high), drawn by the program: edits a pair of
// values in integer positions; a double click opens a dialog to type range and values.
#pragma once

#include <wx/panel.h>

class wxDC;

class MultiInputItem_cls;

class DualSlider_cls : public wxPanel {
public:
    /// Positions are integers; value = position / digits. `item` is the bound-widget item
    /// that built the slider (may be null; not owned).
    DualSlider_cls(wxWindow* parent, MultiInputItem_cls* item, wxWindowID id, int low, int high,
                   int minimum, int maximum, const wxPoint& pos = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize);
    ~DualSlider_cls() override;

    /// Range in positions and the scale (positions per unit of value). A scale of 0 is
    /// taken as 1.
    void SetRange(int minimum, int maximum, int digits);
    /// Value of thumb 0 (low) or 1 (high): position / digits at double precision.
    double GetValue(int thumb) const;
    /// Positions = digits × value rounded to nearest; repaints.
    void SetValues(double low, double high);

    /// Set by the bound item: labels show values ("%0.2f") instead of positions.
    void SetBound(bool on) { m_bound = on; }
    bool IsBound() const { return m_bound; }
    /// Title of the value dialog (the bound item's label).
    void SetDialogTitle(const wxString& title) { m_title = title; }
    MultiInputItem_cls* GetItem() const { return m_item; }

    int GetPosition(int thumb) const { return thumb == 0 ? m_low : m_high; }
    int GetMinimum() const { return m_min; }
    int GetMaximum() const { return m_max; }
    int GetDigits() const { return m_digits; }
    /// -1 none, 0 low, 1 high.
    int GetActiveThumb() const { return m_active; }

    /// Pixel column of position `p` at the current width (5 at both ends for an empty range).
    int ColumnOf(int p) const;
    /// Position under pixel column `column`, clamped to the range.
    int PositionAt(int column) const;

    /// Opens the value dialog at (x, y) of the slider; on OK takes the typed values (working
    /// copies, no undo steps) and reports a change to the parent. True on OK.
    bool OpenValueDialog(int x, int y);

    /// Paints track, ticks, thumbs and labels into `dc` (sized as the client area).
    void Draw(wxDC& dc);
    /// What OK of the value dialog does with the typed values: range and positions become
    /// digits × value rounded to nearest (no ordering applied); repaints.
    void ApplyTypedValues(double minimum, double maximum, double low, double high);

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnSize(wxSizeEvent& event);
    /// Queues wxEVT_SCROLL_THUMBRELEASE with the slider's id to the parent.
    void ReportChange();
    void EndDrag(bool report);

    MultiInputItem_cls* m_item;
    wxString m_title;
    int m_width = 0;
    int m_height = 0;
    bool m_bound = false;
    int m_thumbCount = 2;
    int m_active = -1;
    int m_lastColumn = 0;
    bool m_dragging = false;
    int m_low;
    int m_high;
    int m_min;
    int m_max;
    int m_digits = 1;
};
