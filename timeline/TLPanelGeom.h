// Pixel <-> frame and pixel <-> normalised-time mappings shared by the timeline panels and
// the key strips: an 8-pixel margin on both sides, the rest spans the shown range.
#pragma once

/// Geometry mix-in of the timeline panels and key strips. Plain arithmetic: any thread.
class TLPanelGeom_cls {
public:
    int width = 0;   ///< client width in pixels
    int height = 0;  ///< client height in pixels
    int margin = 8;  ///< pixels left free at each end
    int pixel1 = 0;  ///< first result of the last FrameToPixel
    int pixel2 = 0;  ///< second result of the last FrameToPixel

    /// Maps frame positions a and b over lo..hi to pixel1 and pixel2:
    /// (int)((w - 2m) x ((a - lo) / (hi - lo)) + m), the quotient in single precision.
    /// With lo = hi the results are 0 and 1.
    void FrameToPixel(float a, float b, int lo, int hi);
    /// Pixel of fraction f (0 left margin, 1 right margin): (int)((w - 2m) x f + m).
    int FractionToPixel(double f) const;
    /// Frame under pixel x over lo..hi, rounded to the nearest and limited to 0..hi;
    /// 0 when lo = hi.
    int PixelToFrame(int x, int lo, int hi) const;

    /// Normalised time under pixel x when the margins show times a0..a1 (not limited).
    double PixelToTime(int x, double a0, double a1) const;
    /// Pixel of normalised time t when the margins show a0..a1 (fraction 0 when a0 = a1).
    int TimeToPixel(double t, double a0, double a1) const;
    /// Normalised time spanned by three pixels: the pick tolerance of a key strip.
    double PickTolerance(double a0, double a1) const;
};
