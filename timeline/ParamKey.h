// One key frame of a key-framed value: time, value and the interpolation of the segment
// that starts at it; its line of project text and its glyph on a key strip.
#pragma once

#include <cstdint>
#include <string>

class wxDC;

/// Interpolation of the segment that starts at a key. Any other code evaluates as linear.
enum ParamKeyType : int32_t {
    PKT_LINEAR = 0,
    PKT_HERMITE_AUTO = 1,      ///< tangent and ease follow the neighbours
    PKT_HERMITE_SEMIAUTO = 2,  ///< tangent follows the neighbours, ease is the user's factor
    PKT_HERMITE = 3,           ///< user tangent
    PKT_STEP = 4,
};

class ParamKey_cls {
public:
    uint8_t selected = 0;   ///< 1 while selected in the user interface; not stored in files
    int32_t type = PKT_LINEAR;
    double time = 0.0;      ///< normalised scene time 0..1
    double value = 0.0;
    double tangent = 0.0;   ///< slope per unit of normalised time (Hermite types)
    double ease = 0.0;      ///< multiplies the tangent for PKT_HERMITE_SEMIAUTO

    /// Every field 0 (time 0, value 0, linear, not selected).
    void Clear() { *this = ParamKey_cls(); }

    /// True when time - d < t < time + d; then, unless `noSelect`, the key becomes selected.
    bool IsNear(double t, double d, int noSelect);

    /// "time type value tangent ease " with "%.9f" / "%d" / "%f" each followed by a blank,
    /// ended by CR LF. Locale independent.
    std::string WriteText() const;
    /// Reads time, type, value, tangent, ease from a line written by WriteText; fields not
    /// found keep their value (a cleared key keeps 0). Locale independent.
    void ReadText(const std::string& line);

    /// Draws the glyph centred on column `x` of a 16-pixel strip. mode 0: yellow brush when
    /// selected, else grey; mode 1 (drag preview): grey pen and brush when `active`, else
    /// light grey pen and no fill. GUI thread; defined in the window library.
    void DrawGlyph(wxDC& dc, int x, int mode, bool active) const;
};
