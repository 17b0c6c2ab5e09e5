// Pixel <-> frame and pixel <-> time mappings of the timeline panels and key strips.
#include "timeline/TLPanelGeom.h"

void TLPanelGeom_cls::FrameToPixel(float a, float b, int lo, int hi) {
    if (lo == hi) {
        pixel1 = 0;
        pixel2 = 1;
        return;
    }
    const double span = double(width - 2 * margin);
    const float range = float(hi - lo);
    const float fa = (a - float(lo)) / range;
    const float fb = (b - float(lo)) / range;
    pixel1 = int(span * double(fa) + margin);
    pixel2 = int(span * double(fb) + margin);
}

int TLPanelGeom_cls::FractionToPixel(double f) const {
    return int(double(width - 2 * margin) * f + margin);
}

int TLPanelGeom_cls::PixelToFrame(int x, int lo, int hi) const {
    if (lo == hi) return 0;
    const int span = width - 2 * margin;
    // A panel narrower than its margins has no pixels to map: everything is its first frame.
    if (span <= 0) return lo < 0 ? 0 : (lo > hi ? hi : lo);
    int f = int(double(x - margin) / span * (hi - lo) + lo + 0.5);
    if (f < 0) f = 0;
    if (f > hi) f = hi;
    return f;
}

double TLPanelGeom_cls::PixelToTime(int x, double a0, double a1) const {
    const int span = width - 2 * margin;
    if (span <= 0) return a0;
    return double(x - margin) / span * (a1 - a0) + a0;
}

int TLPanelGeom_cls::TimeToPixel(double t, double a0, double a1) const {
    const double f = (a1 == a0) ? 0.0 : (t - a0) / (a1 - a0);
    return FractionToPixel(f);
}

double TLPanelGeom_cls::PickTolerance(double a0, double a1) const {
    const int span = width - 2 * margin;
    if (span <= 0) return 0.0;
    return (a1 - a0) / span * 3.0;
}
