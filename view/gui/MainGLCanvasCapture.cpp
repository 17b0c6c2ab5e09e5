// What a view does after its scene draw: the 2-D overlays, the capture of the picture to an
// image file, the screen items and the info line.
#include <GL/gl.h>

#include "view/gui/MainGLCanvas.h"
#include "view/gui/ScreenQuad.h"

namespace {

OverlayDrawer g_overlayDrawer;

/// Calls the overlay drawer for a w x h target with a pixel projection, restoring the GL
/// state it may change.
void DrawOverlayInto(MainGLCanvas_cls& view, int w, int h) {
    if (!g_overlayDrawer || w <= 0 || h <= 0) return;
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    PushOrtho2D(w, h);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    g_overlayDrawer(view, w, h);
    PopOrtho2D();
    glPopAttrib();
}

}  // namespace

void MainGLCanvas_cls::SetOverlayDrawer(OverlayDrawer drawer) { g_overlayDrawer = std::move(drawer); }

bool MainGLCanvas_cls::FinishPaint() {
    OverlayPass();
    return true;
}

void MainGLCanvas_cls::OverlayPass() { DrawOverlayInto(*this, m_clientW, m_clientH); }
