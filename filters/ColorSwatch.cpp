// Swatch colours of a colour record.
#include "filters/ColorSwatch.h"

#include "filters/ColorCurve.h"

namespace {
// Truncated toward zero, but never wrapped: a channel above 1 (a curve may overshoot) is
// full, one below 0 is none, as in the colour tables.
unsigned char ChannelByte(double v) {
    if (!(v > 0.0)) return 0;
    if (v >= 255.0) return 255;
    return static_cast<unsigned char>(v);
}
}  // namespace

SwatchRGB SwatchColour(const ColorCurve_cls& record, SwatchRGB bg, double p, bool opaque) {
    SwatchRGB out;
    if (!record.UsesCurve()) {
        const float* c = record.ConstantColor();
        out.r = ChannelByte(c[0] * 255.0);
        out.g = ChannelByte(c[1] * 255.0);
        out.b = ChannelByte(c[2] * 255.0);
        return out;
    }
    float c[4];
    record.ColorAt(static_cast<float>(p), c);
    if (opaque) {
        out.r = ChannelByte(c[0] * 255.0);
        out.g = ChannelByte(c[1] * 255.0);
        out.b = ChannelByte(c[2] * 255.0);
        return out;
    }
    const double a = c[3];
    out.r = ChannelByte((c[0] * 255.0 - bg.r) * a + bg.r);
    out.g = ChannelByte((c[1] * 255.0 - bg.g) * a + bg.g);
    out.b = ChannelByte((c[2] * 255.0 - bg.b) * a + bg.b);
    return out;
}
