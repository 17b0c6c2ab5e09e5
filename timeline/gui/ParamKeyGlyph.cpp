// The glyph of a key frame on a key strip: one shape per interpolation type.
#include "timeline/ParamKey.h"

#include <wx/brush.h>
#include <wx/dc.h>
#include <wx/pen.h>

void ParamKey_cls::DrawGlyph(wxDC& dc, int x, int mode, bool active) const {
    if (mode == 0) {
        dc.SetBrush(selected ? *wxYELLOW_BRUSH : *wxGREY_BRUSH);
    } else if (mode == 1) {
        if (active) {
            dc.SetPen(*wxGREY_PEN);
            dc.SetBrush(*wxGREY_BRUSH);
        } else {
            dc.SetPen(*wxLIGHT_GREY_PEN);
            dc.SetBrush(*wxTRANSPARENT_BRUSH);
        }
    }
    switch (type) {
    case PKT_LINEAR: {
        const wxPoint diamond[4] = {wxPoint(x - 4, 8), wxPoint(x, 4), wxPoint(x + 4, 8),
                                    wxPoint(x, 12)};
        dc.DrawPolygon(4, diamond, 0, 0, wxODDEVEN_RULE);
        break;
    }
    case PKT_HERMITE_AUTO:
        dc.DrawRoundedRectangle(x - 3, 5, 6, 6, 2);
        break;
    case PKT_HERMITE_SEMIAUTO:
        dc.DrawEllipse(x - 4, 4, 8, 8);
        break;
    case PKT_HERMITE:
        dc.DrawEllipse(x - 4, 4, 8, 8);
        dc.DrawEllipse(x - 2, 6, 4, 4);
        break;
    case PKT_STEP:
        dc.DrawRectangle(x - 4, 5, 8, 8);
        break;
    default:
        break;
    }
}
