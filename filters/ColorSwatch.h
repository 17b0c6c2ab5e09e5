// The colours of a colour record's swatch: the record's colour at a position of the
// swatch, blended over a checkerboard by its alpha, as the colour buttons and the legends
// paint it.
#pragma once

class ColorCurve_cls;

/// An 8-bit RGB colour of a swatch column.
struct SwatchRGB {
    unsigned char r = 0, g = 0, b = 0;
};

/// The swatch colour at position `p` (0..1 along the swatch) over the checker colour
/// `background`. A curve is evaluated at p: opaque gives its colour, otherwise each channel
/// is (c x 255 - background) x alpha + background. A constant colour gives its RGB (alpha
/// ignored). Each channel is truncated toward zero and held within 0..255.
SwatchRGB SwatchColour(const ColorCurve_cls& record, SwatchRGB background, double p, bool opaque);
