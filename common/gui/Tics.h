// Horizontal tick ruler drawn into a device context: the timeline's and the colour editor's
// rulers and the legend's scale derive from it or use it.
#pragma once

#include "common/TicsLayout.h"

#include <wx/colour.h>
#include <wx/gdicmn.h>

class wxDC;

class Tics_cls : public TicsLayout_cls {
public:
    Tics_cls();
    using TicsLayout_cls::SetRange;
    /// Stores size, range and margin and chooses the steps (see TicsLayout_cls::SetRange).
    void SetRange(const wxSize& size, float minimum, float maximum, int margin);
    void SetColours(const wxColour& background, const wxColour& tick, const wxColour& text);
    /// Clears with the background colour and paints ticks and labels (first UI font).
    void DrawTics(wxDC& dc) const;

    wxColour backgroundColour;  ///< (216, 216, 216)
    wxColour ticColour;         ///< (32, 32, 32): major, middle and small-range ticks
    wxColour textColour;        ///< (128, 128, 128): minor ticks and labels
};
