// The output-size templates of the image-sequence and POV-Ray dialogs ("Custom",
// "1024x768", ...).
#pragma once

#include <wx/string.h>

/// Template 0 is "Custom" (no size); templates 1 to 13 are fixed sizes. Plain value type.
class ImgSizeTemplate_cls {
public:
    static constexpr int kCount = 14;

    ImgSizeTemplate_cls();

    /// "Custom" (translated) for 0; else width "x" height ("1920x1080"); "" out of range.
    wxString GetLabel(int i) const;
    /// True and nothing written for 0 ("Custom") or an index out of range; else writes the
    /// template's size and returns false.
    bool GetSize(int i, int& width, int& height) const;
    /// Selects the template whose width and height both equal the pair; 0 when none does.
    /// Returns the selection.
    int FindIndex(int width, int height);

    int itemIndex = -1;         ///< index of the template combo box in the owner's item panel
    unsigned selected = 0;      ///< selected template (bound to the combo box)
    int widths[kCount];
    int heights[kCount];
};
