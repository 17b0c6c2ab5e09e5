// The particle under the mouse in a view, from the matrices its scene was drawn with.
#include "view/gui/InfoHover.h"

#include <GL/gl.h>

#include <algorithm>
#include <map>

#include "view/Snap.h"
#include "view/gui/MainGLCanvas.h"

namespace {

// Keyed by the view's address; a view's entry is only read while the view exists.
std::map<const MainGLCanvas_cls*, ViewMatrices>& Recorded() {
    static std::map<const MainGLCanvas_cls*, ViewMatrices> m;
    return m;
}

}  // namespace

void RecordDrawnMatrices(const MainGLCanvas_cls& view, int subView) {
    if (subView != 0) return;
    ViewMatrices& m = Recorded()[&view];
    m.valid = view.cameras.EffectiveGeometry() < 2;
    if (!m.valid) return;
    glGetDoublev(GL_MODELVIEW_MATRIX, m.modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, m.projection);
    glGetIntegerv(GL_VIEWPORT, m.viewport);
}

ViewMatrices DrawnMatrices(const MainGLCanvas_cls& view) {
    auto it = Recorded().find(&view);
    return it == Recorded().end() ? ViewMatrices() : it->second;
}

int64_t ParticleUnderCursor(const MainGLCanvas_cls& view, int x, int y, const bool* typeShown) {
    const Snap_cls* frame = GpSnap;
    if (!frame || !frame->allocated || frame->count <= 0) return -1;
    const ViewMatrices m = DrawnMatrices(view);
    if (!m.valid) return -1;
    // Window pixels are the GL pixels times the content scale (1 but on high-density screens).
    const double scale = view.GetContentScaleFactor();
    const wxSize size = view.GetClientSize();
    double tx = 0, ty = 0;
    if (!WindowToTarget(m, int(size.x * scale), int(size.y * scale), int(x * scale), int(y * scale), tx, ty))
        return -1;
    // Eight window pixels, measured in the target's pixels (an off-screen buffer is shown
    // over the view's wider side).
    const double w = size.x * scale, h = size.y * scale;
    const bool direct = m.viewport[2] == int(w) && m.viewport[3] == int(h);
    const double reach = direct ? 8.0 * scale : 8.0 * scale * m.viewport[2] / std::max(1.0, std::max(w, h));
    return NearestProjectedParticle(m, frame->positions, frame->type, frame->count, frame->stride, typeShown, tx, ty,
                                    reach);
}
