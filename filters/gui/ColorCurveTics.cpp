// The colour-curve editor's ruler.
#include "filters/gui/ColorCurveTics.h"

#include <wx/dcbuffer.h>

#include "filters/ColorCurve.h"
#include "filters/gui/ColorCurveGUI.h"

ColorCurveTics_cls::ColorCurveTics_cls(ColorCurveGUI_cls* dialog)
    : wxPanel(dialog, wxID_ANY, wxDefaultPosition, wxSize(-1, 16), wxTAB_TRAVERSAL | wxNO_BORDER, "panel"),
      dialog_(dialog) {
    SetBackgroundStyle(wxBG_STYLE_CUSTOM);
    Bind(wxEVT_PAINT, &ColorCurveTics_cls::OnPaint, this);
}

void ColorCurveTics_cls::Render(wxDC& dc, const wxSize& size) {
    const ColorCurve_cls* record = dialog_ ? dialog_->Record() : nullptr;
    if (!record) {
        dc.SetBackground(wxBrush(backgroundColour));
        dc.Clear();
        return;
    }
    SetRange(size, record->scalingMin.value, record->scalingMax.value, 1);
    DrawTics(dc);
}

void ColorCurveTics_cls::OnPaint(wxPaintEvent& event) {
    wxAutoBufferedPaintDC dc(this);
    Render(dc, GetClientSize());
    event.Skip();
}
