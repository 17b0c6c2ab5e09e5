// Symbol, ring, cone, cube and shadow-prism drawing.
#include "view/gui/SceneLists.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "view/ShadowVolume.h"
#include "view/TagList.h"

namespace {

constexpr double kPi = 3.14159;

GLuint gSymbolCube = 0, gAnchorCross = 0, gRing = 0, gCone = 0, gCube = 0;
unsigned char gSymbolsBuilt = 0, gRingBuilt = 0, gConeBuilt = 0, gCubeBuilt = 0;

}  // namespace

void BuildSymbolLists() {
    // Built once for the views' shared context; a new context (a new main frame) builds
    // them again.
    if (gSymbolsBuilt && glIsList(gSymbolCube)) return;
    gSymbolsBuilt = 1;
    gSymbolCube = glGenLists(1);
    glNewList(gSymbolCube, GL_COMPILE);
    const double h = 0.1;
    for (double x : {-h, h}) {
        glBegin(GL_LINE_LOOP);
        glVertex3d(x, -h, -h);
        glVertex3d(x, h, -h);
        glVertex3d(x, h, h);
        glVertex3d(x, -h, h);
        glEnd();
    }
    glBegin(GL_LINES);
    for (double y : {-h, h})
        for (double z : {-h, h}) {
            glVertex3d(-h, y, z);
            glVertex3d(h, y, z);
        }
    glEnd();
    glEndList();

    gAnchorCross = glGenLists(1);
    glNewList(gAnchorCross, GL_COMPILE);
    glBegin(GL_LINES);
    glVertex3d(-0.5, 0, 0);
    glVertex3d(0.5, 0, 0);
    glVertex3d(0, -0.5, 0);
    glVertex3d(0, 0.5, 0);
    glVertex3d(0, 0, -0.5);
    glVertex3d(0, 0, 0.5);
    glEnd();
    glEndList();
}

unsigned AnchorCrossList() {
    BuildSymbolLists();
    return gAnchorCross;
}

void BuildRingList() {
    if (gRingBuilt && glIsList(gRing)) return;
    gRingBuilt = 1;
    gRing = glGenLists(1);
    glNewList(gRing, GL_COMPILE);
    glBegin(GL_LINE_STRIP);
    for (int d = 0; d <= 360; d += 5) {
        const double t = d * kPi / 180.0;
        glVertex3d(std::cos(t), std::sin(t), 0);
    }
    glEnd();
    glEndList();
}

void EnsureConeList() {
    if (gConeBuilt && glIsList(gCone)) return;
    gConeBuilt = 1;
    gCone = glGenLists(1);
    glNewList(gCone, GL_COMPILE);
    const int n = 16;
    const double r = 0.3;
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i <= n; ++i) {
        const double t = 2.0 * kPi * i / n;
        const double c = std::cos(t), s = std::sin(t);
        // The side's normal leans towards the apex: (r, cos, sin) normalised.
        const double len = std::sqrt(r * r + 1.0);
        glNormal3d(r / len, c / len, s / len);
        glVertex3d(1, 0, 0);  // apex first: the sides then face outward
        glVertex3d(0, r * c, r * s);
    }
    glEnd();
    glBegin(GL_POLYGON);
    glNormal3d(-1, 0, 0);
    for (int i = n - 1; i >= 0; --i) {
        const double t = 2.0 * kPi * i / n;
        glVertex3d(0, r * std::cos(t), r * std::sin(t));
    }
    glEnd();
    glEndList();
}

void CallConeList() {
    EnsureConeList();
    glCallList(gCone);
}

void BuildCubeList() {
    if (gCubeBuilt && glIsList(gCube)) return;
    gCubeBuilt = 1;
    gCube = glGenLists(1);
    glNewList(gCube, GL_COMPILE);
    // Each face counter-clockwise seen from outside.
    static const double kFaces[6][4][3] = {
        {{1, -1, -1}, {1, 1, -1}, {1, 1, 1}, {1, -1, 1}},
        {{-1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}},
        {{-1, 1, -1}, {-1, 1, 1}, {1, 1, 1}, {1, 1, -1}},
        {{-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1}},
        {{-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}},
        {{-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}, {1, -1, -1}},
    };
    static const double kNormals[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    glBegin(GL_QUADS);
    for (int f = 0; f < 6; ++f) {
        glNormal3dv(kNormals[f]);
        for (int v = 0; v < 4; ++v) glVertex3dv(kFaces[f][v]);
    }
    glEnd();
    glEndList();
}

void DrawCubeList() {
    BuildCubeList();
    glCallList(gCube);
}

void DrawCameraSymbol(int type, double size, double angle) {
    BuildSymbolLists();
    glPushMatrix();
    glScaled(size, size, size);
    const double h = angle * kPi / 180.0 / 2.0;
    const double e = std::cos(h), f = std::sin(h);
    if (type == 0) {
        glCallList(gSymbolCube);
        const double corners[4][3] = {{e, -f, -f}, {e, f, -f}, {e, f, f}, {e, -f, f}};
        glBegin(GL_LINE_LOOP);
        for (const auto& c : corners) glVertex3dv(c);
        glEnd();
        glBegin(GL_LINES);
        for (const auto& c : corners) {
            glVertex3d(0, 0, 0);
            glVertex3dv(c);
        }
        glEnd();
    } else if (type == 1) {
        glCallList(gSymbolCube);
        glBegin(GL_LINE_LOOP);
        for (int t = 0; t < 360; t += 10) {
            const double r = t * kPi / 180.0;
            glVertex3d(e, f * std::cos(r), f * std::sin(r));
        }
        glEnd();
        for (int arc = 0; arc < 2; ++arc) {
            glBegin(GL_LINE_STRIP);
            for (int t = -90; t <= 90; t += 10) {
                const double u = t * angle / 180.0 * kPi / 180.0;
                if (arc == 0)
                    glVertex3d(std::cos(u), std::sin(u), 0);
                else
                    glVertex3d(std::cos(u), 0, std::sin(u));
            }
            glEnd();
        }
        glBegin(GL_LINES);
        if (angle >= 90) {
            glVertex3d(0, 0, 0);
            glVertex3d(1, 0, 0);
        } else {
            const double ends[4][3] = {{e, -f, 0}, {e, f, 0}, {e, 0, f}, {e, 0, -f}};
            for (const auto& c : ends) {
                glVertex3d(0, 0, 0);
                glVertex3dv(c);
            }
        }
        glEnd();
    } else if (type == 2) {
        glCallList(gAnchorCross);
    }
    glPopMatrix();
}

void DrawScaleRings(double from, double to, int steps, TagList_cls* tags) {
    BuildRingList();
    if (to < from) std::swap(from, to);  // a reversed range would never reach its end
    const double d = to == from ? 1.0 : to - from;
    const int n = steps <= 0 ? 1 : steps;
    const double step = d / n;
    for (int i = 0;; ++i) {
        const double x = from + i * step;
        if (x > to + 1e-6) break;
        if (x < 0) continue;
        glPushMatrix();
        glScaled(x, x, x);
        glCallList(gRing);
        glPopMatrix();
        if (tags) tags->Add(wxString::Format("%g", x), float(x), 0, 0);
    }
}

void RotateByAngles(double a, double b, const double in[3], double out[3]) {
    const double x = in[0], y = in[1], z = in[2];
    const double ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b);
    out[2] = cb * z - sb * x;
    out[0] = cb * ca * x + sa * y + sb * ca * z;
    out[1] = ca * y - sa * cb * x - sb * sa * z;
}

void DrawShadowCylinder(int reverse, double a, double b, unsigned quality, double length) {
    const int sides = ShadowSides(quality);
    std::vector<std::array<double, 3>> nearRim(size_t(sides) + 1), farRim(size_t(sides) + 1);
    for (int i = 0; i <= sides; ++i) {
        const double t = 2.0 * kPi * (i % sides) / sides;
        const double n[3] = {0.1, 0.98 * std::cos(t), 0.98 * std::sin(t)};
        const double f[3] = {length, n[1], n[2]};
        RotateByAngles(a, b, n, nearRim[size_t(i)].data());
        RotateByAngles(a, b, f, farRim[size_t(i)].data());
    }
    // Far point first in each pair winds the sides outward (counter-clockwise from outside).
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i <= sides; ++i) {
        if (reverse) {
            glVertex3dv(nearRim[size_t(i)].data());
            glVertex3dv(farRim[size_t(i)].data());
        } else {
            glVertex3dv(farRim[size_t(i)].data());
            glVertex3dv(nearRim[size_t(i)].data());
        }
    }
    glEnd();
    // The far cap faces along the axis: counter-clockwise in t from outside; the near cap
    // faces back.
    glBegin(GL_POLYGON);
    for (int i = 0; i < sides; ++i) glVertex3dv(farRim[size_t(reverse ? sides - 1 - i : i)].data());
    glEnd();
    glBegin(GL_POLYGON);
    for (int i = 0; i < sides; ++i) glVertex3dv(nearRim[size_t(reverse ? i : sides - 1 - i)].data());
    glEnd();
}
