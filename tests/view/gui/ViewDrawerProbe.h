// A scene drawer that draws one known red quad, and where that quad must land in a view.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#include <map>
#include <vector>

#include "tests/support/GuiTestSupport.h"
#include "view/gui/MainGLCanvas.h"

/// Draws a flat red square of half size 0.4 about the origin in the x-y plane, facing up.
inline void DrawTestQuad(MainGLCanvas_cls&, const SceneDrawArgs&) {
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1, 0, 0, 1);
    glBegin(GL_QUADS);
    glVertex3d(-0.4, -0.4, 0), glVertex3d(0.4, -0.4, 0), glVertex3d(0.4, 0.4, 0), glVertex3d(-0.4, 0.4, 0);
    glEnd();
}

/// Window position of a world point in `view` as its camera and projection place it in a
/// w x h window (the projection fitted to the window, as a direct draw does).
inline void ProjectInView(const MainGLCanvas_cls& view, int w, int h, double x, double y, double z, double out[3]) {
    GLProjection_cls p = view.projection;
    p.SetViewportSize(w, h);
    p.SetFitSize(w, h);
    double pr[16], mv[16];
    p.Matrix(view.camera, 0, pr);
    view.camera.ModelviewMatrix(mv);
    const int vp[4] = {0, 0, w, h};
    gluProject(x, y, z, mv, pr, vp, &out[0], &out[1], &out[2]);
}

/// What the probe saw at the end of one view's paint.
struct ViewShot {
    int w = 0, h = 0;
    std::vector<unsigned char> rgba;  ///< back buffer, bottom row first
    double centre[3] = {0, 0, 0};     ///< gluProject of the origin
    GLenum error = GL_NO_ERROR;
    GLint attribDepth = 0;
    const unsigned char* At(int x, int y) const { return &rgba[4 * (size_t(y) * w + x)]; }
};

/// Installs a probe that records the last picture of each view (by view index).
inline void RecordShots(std::map<int, ViewShot>& shots) {
    MainGLCanvas_cls::SetPaintProbe([&shots](MainGLCanvas_cls& v) {
        ViewShot s;
        const wxSize size = v.GetClientSize();
        s.w = size.x, s.h = size.y;
        s.error = glGetError();
        glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &s.attribDepth);
        s.rgba.resize(size_t(4) * s.w * s.h);
        glFinish();
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, s.w, s.h, GL_RGBA, GL_UNSIGNED_BYTE, s.rgba.data());
        ProjectInView(v, s.w, s.h, 0, 0, 0, s.centre);
        shots[v.ViewIndex()] = std::move(s);
    });
}

/// Repaints `view` until it has drawn `n` more times (each repaint waits up to `waitMs`);
/// false when it did not.
inline bool PaintTimes(MainGLCanvas_cls& view, int n, int waitMs = 2000) {
    const int target = view.DrawCount() + n;
    for (int i = 0; i < n * 4 && view.DrawCount() < target; ++i) {
        const int before = view.DrawCount();
        view.Refresh(false);
        testsupport::PumpUntil([&] { return view.DrawCount() > before; }, waitMs);
    }
    return view.DrawCount() >= target;
}

inline bool IsQuadRed(const unsigned char* p) { return p[0] > 150 && p[1] < 80 && p[2] < 80; }
