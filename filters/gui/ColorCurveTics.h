// The ruler above the colour-curve editor's graph: the edited record's scaling range in
// attribute units over the graph's curve positions.
#pragma once

#include <wx/panel.h>

#include "common/gui/Tics.h"

class ColorCurveGUI_cls;

/// 16 pixels high. GUI thread only.
class ColorCurveTics_cls : public wxPanel, public Tics_cls {
public:
    explicit ColorCurveTics_cls(ColorCurveGUI_cls* dialog);

    /// Paints the ruler of the dialog's record into `dc` of the given size (nothing but the
    /// background without a record).
    void Render(wxDC& dc, const wxSize& size);

private:
    void OnPaint(wxPaintEvent& event);

    ColorCurveGUI_cls* dialog_;
};
