// Normalised gesture moves.
#include "view/MouseMove.h"

#include <algorithm>

#include "view/MouseTracker.h"

MouseMove_cls MouseMove_cls::FromTracker(const MouseTracker_cls& t, int w, int h) {
    MouseMove_cls m;
    if (w < 1 || h < 1) return m;
    const float fw = float(w), fh = float(h);
    auto nx = [&](int px) { return (2.0f * float(px) - fw) / fw; };
    auto ny = [&](int py) { return (fh - 2.0f * float(py)) / fh; };
    m.x0 = nx(t.prevX);
    m.y0 = ny(t.prevY);
    m.x1 = nx(t.x);
    m.y1 = ny(t.y);
    m.px = nx(t.pressX);
    m.py = ny(t.pressY);
    m.valid = true;
    return m;
}

void MouseMove_cls::ClampStart() {
    x0 = std::clamp(x0, x1 - 0.2f, x1 + 0.2f);
    y0 = std::clamp(y0, y1 - 0.2f, y1 + 0.2f);
}
