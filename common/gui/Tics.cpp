// Painting of the tick ruler.
#include "common/gui/Tics.h"

#include "common/gui/AppFonts.h"

#include <wx/dc.h>

Tics_cls::Tics_cls()
    : backgroundColour(216, 216, 216), ticColour(32, 32, 32), textColour(128, 128, 128) {}

void Tics_cls::SetRange(const wxSize& size, float mn, float mx, int m) {
    TicsLayout_cls::SetRange(size.x, size.y, mn, mx, m);
}

void Tics_cls::SetColours(const wxColour& background, const wxColour& tick, const wxColour& text) {
    backgroundColour = background;
    ticColour = tick;
    textColour = text;
}

void Tics_cls::DrawTics(wxDC& dc) const {
    dc.SetBackground(wxBrush(backgroundColour, wxBRUSHSTYLE_SOLID));
    dc.Clear();
    dc.SetFont(GetAppFont(0));
    dc.SetTextForeground(textColour);
    // Ticks are filled one-pixel columns (no outline), so they stay sharp on every device.
    dc.SetPen(*wxTRANSPARENT_PEN);
    const wxBrush darkBrush(ticColour, wxBRUSHSTYLE_SOLID);
    const wxBrush lightBrush(textColour, wxBRUSHSTYLE_SOLID);
    for (const TicsMark& m : Marks()) {
        dc.SetBrush(m.dark ? darkBrush : lightBrush);
        if (!m.label.empty()) dc.DrawText(wxString::FromUTF8(m.label), m.x + 2, 0);
        dc.DrawRectangle(m.x, height - m.length, 1, m.length);
    }
}
