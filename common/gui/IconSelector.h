// A row of 20-pixel cells each showing a 16 x 16 icon, one of them selected; a click selects
// a cell and is reported to the parent as a combo-box selection.
#pragma once

#include "common/gui/TabCtrl.h"
#include "common/gui/WidgetEX.h"

#include <wx/bitmap.h>
#include <wx/imaglist.h>
#include <wx/panel.h>

class wxDC;

#include <vector>

class IconSelector_cls : public wxPanel, public WidgetEX_cls, public TabCtrl_cls {
public:
    IconSelector_cls(wxWindow* parent, wxWindowID id, int selection, int cellCount,
                     const std::vector<wxBitmap>& images, const wxPoint& pos = wxDefaultPosition,
                     const wxSize& size = wxDefaultSize);
    wxWindow* GetWindow() override { return this; }

    /// Replaces the images (scaled to 16 x 16 when needed); the cell count becomes their number.
    void SetImages(const std::vector<wxBitmap>& images);
    /// Selects cell `index` and repaints (no event).
    void SetSelection(int index);
    int GetSelection() const { return m_selection; }
    /// Number of cells (a strip with one image shows it in every cell).
    void SetCellCount(int count);
    int GetCellCount() const { return m_cellCount; }
    int GetImageCount() const { return m_images.GetImageCount(); }

    /// The page text drawn beside the cells, "selection/count" ("" without cells).
    wxString PageText() const;
    /// Cell under pixel column `x`, -1 when none.
    int CellAt(int x) const;
    /// Paints the strip into `dc` (sized as the client area).
    void Draw(wxDC& dc);

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);

    wxImageList m_images;
    int m_selection;
    int m_cellCount;
    int m_textHeight = 14;
};
