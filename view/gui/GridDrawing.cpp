// Grid planes, grid box and floor grid.
#include "view/gui/GridDrawing.h"

#include <GL/gl.h>

#include <utility>

#include "common/GLCamera.h"
#include "view/TagList.h"

namespace {

enum class Plane { YZ, XZ, XY };

// A point of `plane` from in-plane coordinates (g, h) and the plane position p.
void PlanePoint(Plane plane, double g, double h, double p, double out[3]) {
    switch (plane) {
        case Plane::YZ: out[0] = p, out[1] = g, out[2] = h; break;
        case Plane::XZ: out[0] = g, out[1] = p, out[2] = h; break;
        case Plane::XY: out[0] = g, out[1] = h, out[2] = p; break;
    }
}

void DrawPlane(Plane plane, double a, double b, int n, double position, TagList_cls* tags) {
    if (b < a) std::swap(a, b);
    const double step = (b == a ? 1.0 : b - a) / (n <= 0 ? 1 : n);
    // Lines are drawn in the plane through the origin; the caller translates to `position`.
    glBegin(GL_LINES);
    for (int i = 0;; ++i) {
        const double g = a + i * step;
        if (g > b + 1e-6) break;
        switch (plane) {
            case Plane::YZ:
                glVertex3d(0, a, g), glVertex3d(0, b, g);
                glVertex3d(0, g, a), glVertex3d(0, g, b);
                break;
            case Plane::XZ:
                glVertex3d(g, 0, a), glVertex3d(g, 0, b);
                glVertex3d(a, 0, g), glVertex3d(b, 0, g);
                break;
            case Plane::XY:
                glVertex3d(a, g, 0), glVertex3d(b, g, 0);
                glVertex3d(g, a, 0), glVertex3d(g, b, 0);
                break;
        }
    }
    glEnd();
    if (!tags) return;
    for (double u : {a, b})
        for (double v : {a, b}) {
            // World order of the corner: YZ (p, v, u), XZ (v, p, u), XY (v, u, p).
            double w[3];
            PlanePoint(plane, v, u, position, w);
            const wxString text =
                wxString::Format("(%g, %g, %g)", double(float(w[0])), double(float(w[1])), double(float(w[2])));
            // Labels are projected after the pass, in the pass's model space: the corner's
            // own coordinates, not the plane-local ones.
            tags->Add(text, float(w[0]), float(w[1]), float(w[2]));
        }
}

GLuint gFloorPlain = 0, gFloorOuter = 0;
unsigned char gFloorBuilt = 0;

}  // namespace

void DrawGridPlaneYZ(double from, double to, int divisions, double position, TagList_cls* tags) {
    DrawPlane(Plane::YZ, from, to, divisions, position, tags);
}

void DrawGridPlaneXZ(double from, double to, int divisions, double position, TagList_cls* tags) {
    DrawPlane(Plane::XZ, from, to, divisions, position, tags);
}

void DrawGridPlaneXY(double from, double to, int divisions, double position, TagList_cls* tags) {
    DrawPlane(Plane::XY, from, to, divisions, position, tags);
}

void DrawGridBox(double a, double b, int n, const GLCamera_cls& camera, TagList_cls* tags) {
    const double* d = camera.frame.direction;
    // XY planes follow z, YZ planes x, XZ planes y.
    const int axisOf[3] = {2, 0, 1};
    for (int k = 0; k < 3; ++k) {
        const int axis = axisOf[k];
        for (int end = 0; end < 2; ++end) {
            if (end == 0 && !(d[axis] <= 0)) continue;
            if (end == 1 && !(d[axis] >= 0)) continue;
            const double pos = end == 0 ? a : b;
            glPushMatrix();
            double t[3] = {0, 0, 0};
            t[axis] = pos;
            glTranslated(t[0], t[1], t[2]);
            if (k == 0)
                DrawGridPlaneXY(a, b, n, pos, tags);
            else if (k == 1)
                DrawGridPlaneYZ(a, b, n, pos, tags);
            else
                DrawGridPlaneXZ(a, b, n, pos, tags);
            glPopMatrix();
        }
    }
}

void BuildFloorGridList(unsigned name, int n, bool outer) {
    if (n < 3) n = 3;
    glNewList(name, GL_COMPILE);
    glBegin(GL_LINES);
    const int lo = outer ? -n : -n + 1, hi = outer ? n : n - 1;
    for (int i = lo; i <= hi; ++i) {
        if (i == 0) continue;
        const double t = double(i) / n;
        glVertex3d(t, -1, 0), glVertex3d(t, 1, 0);
        glVertex3d(-1, t, 0), glVertex3d(1, t, 0);
    }
    glVertex3d(1.05, 0.05, 0), glVertex3d(1.1, 0, 0);
    glVertex3d(1.05, -0.05, 0), glVertex3d(1.1, 0, 0);
    glVertex3d(0.05, 1.05, 0), glVertex3d(0, 1.1, 0);
    glVertex3d(-0.05, 1.05, 0), glVertex3d(0, 1.1, 0);
    if (outer) {
        glVertex3d(-1, 0, 0), glVertex3d(1, 0, 0);
        glVertex3d(0, -1, 0), glVertex3d(0, 1, 0);
        glVertex3d(0, 0, -1), glVertex3d(0, 0, 1);
    }
    glEnd();
    glEndList();
}

void DrawFloorGrid(double scale, int levels) {
    // A list name from another (destroyed) context is not a list here: build again.
    if (!gFloorBuilt || !glIsList(gFloorPlain)) {
        gFloorBuilt = 1;
        gFloorPlain = glGenLists(1);
        gFloorOuter = glGenLists(1);
        BuildFloorGridList(gFloorPlain, 10, false);
        BuildFloorGridList(gFloorOuter, 10, true);
    }
    glPushMatrix();
    glScaled(scale, scale, scale);
    for (int l = 0; l < levels; ++l) {
        glCallList(l == levels - 1 ? gFloorOuter : gFloorPlain);
        glScaled(10, 10, 10);
    }
    glPopMatrix();
}
