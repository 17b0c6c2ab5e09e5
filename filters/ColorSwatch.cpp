// Swatch colours of a colour record.
#include "filters/ColorSwatch.h"

#include "filters/ColorCurve.h"

namespace {
unsigned char LowByte(double v) { return static_cast<unsigned char>(static_cast<int>(v) & 0xFF); }
}  // namespace

SwatchRGB SwatchColour(const ColorCurve_cls& record, SwatchRGB bg, double p, bool opaque) {
    SwatchRGB out;
    if (!record.UsesCurve()) {
        const float* c = record.ConstantColor();
        out.r = LowByte(c[0] * 255.0);
        out.g = LowByte(c[1] * 255.0);
        out.b = LowByte(c[2] * 255.0);
        return out;
    }
    float c[4];
    record.ColorAt(static_cast<float>(p), c);
    if (opaque) {
        out.r = LowByte(c[0] * 255.0);
        out.g = LowByte(c[1] * 255.0);
        out.b = LowByte(c[2] * 255.0);
        return out;
    }
    const double a = c[3];
    out.r = LowByte((c[0] * 255.0 - bg.r) * a + bg.r);
    out.g = LowByte((c[1] * 255.0 - bg.g) * a + bg.g);
    out.b = LowByte((c[2] * 255.0 - bg.b) * a + bg.b);
    return out;
}
