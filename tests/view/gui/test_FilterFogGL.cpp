// Fog filter in GL: a far particle takes the fog colour while a near one keeps its own, the
// linear type fogs by distance, a disabled filter leaves fog off, and the clear colour is
// the background tinted by the fog's alpha.
#include <gtest/gtest.h>

#include <GL/glu.h>

#include <cstdlib>

#include "filters/ColorCurve.h"
#include "filters/FilterFog.h"
#include "tests/view/gui/GLTestCanvas.h"
#include "tests/view/gui/PixelProbe.h"
#include "timeline/ParamGroup.h"

namespace {

using FogGL = GLTestCanvas;

bool Close(const unsigned char* p, int r, int g, int b, int tol = 8) {
    return std::abs(p[0] - r) <= tol && std::abs(p[1] - g) <= tol && std::abs(p[2] - b) <= tol;
}

/// Red particles (big points) at depth 1.5 on the left and 60 on the right, under the
/// filter's fog; returns the pixels of the two.
void DrawNearAndFar(FilterFog_cls& fog, int size, unsigned char nearPx[4], unsigned char farPx[4]) {
    glViewport(0, 0, size, size);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60, 1, 0.1, 200);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    fog.ApplyGLFog(0);
    glPointSize(9);
    glColor4f(1, 0, 0, 1);
    glBegin(GL_POINTS);
    glVertex3f(-0.4f, 0, -1.5f);   // left of centre
    glVertex3f(16.0f, 0, -60.0f);  // right of centre, far
    glEnd();
    glDisable(GL_FOG);
    double m[16], p[16];
    int vp[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    glGetDoublev(GL_PROJECTION_MATRIX, p);
    glGetIntegerv(GL_VIEWPORT, vp);
    double nx, ny, nz, fx, fy, fz;
    gluProject(-0.4, 0, -1.5, m, p, vp, &nx, &ny, &nz);
    gluProject(16.0, 0, -60.0, m, p, vp, &fx, &fy, &fz);
    PixelProbe probe(size, size);
    for (int k = 0; k < 4; ++k) nearPx[k] = probe.At(int(nx), int(ny))[k], farPx[k] = probe.At(int(fx), int(fy))[k];
}

}  // namespace

TEST_F(FogGL, FarParticleTakesTheFogColourNearOneKeepsItsOwn) {
    if (!ready) GTEST_SKIP() << "no GL context";
    FilterFog_cls fog(nullptr);
    float* c = fog.Data()->colors[0]->constantColor.values;
    c[0] = 0.0f, c[1] = 1.0f, c[2] = 0.0f, c[3] = 1.0f;  // green fog
    fog.Data()->fogParams->SetKeyFrame({0.1, 1.0}, true, -1);
    unsigned char n[4], f[4];
    struct Case {
        unsigned type;
        const char* name;
    };
    for (const Case& k : {Case{0, "EXP"}, Case{1, "EXP 2"}, Case{2, "LINEAR"}}) {
        fog.Data()->fogType.value = k.type;
        fog.Data()->fogStart.value = 2;
        fog.Data()->fogEnd.value = 40;
        DrawNearAndFar(fog, kSize, n, f);
        EXPECT_GE(n[0], 200) << k.name;  // mostly red
        EXPECT_LE(n[1], 60) << k.name;
        EXPECT_TRUE(Close(f, 0, 255, 0, 20)) << k.name << " " << int(f[0]) << "," << int(f[1]) << "," << int(f[2]);
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    // Density 0 (the new filter's) leaves the particles unfogged; so does a disabled one.
    fog.Data()->fogType.value = 0;
    fog.Data()->fogParams->SetKeyFrame({0.0, 1.0}, true, -1);
    DrawNearAndFar(fog, kSize, n, f);
    EXPECT_TRUE(Close(f, 255, 0, 0)) << int(f[0]) << "," << int(f[1]);
    fog.Data()->fogParams->SetKeyFrame({0.1, 1.0}, true, -1);
    fog.Data()->filterValid.value = 0;
    DrawNearAndFar(fog, kSize, n, f);
    EXPECT_TRUE(Close(f, 255, 0, 0)) << int(f[0]) << "," << int(f[1]);
}

TEST_F(FogGL, ClearColourIsTheBackgroundTintedByAlpha) {
    if (!ready) GTEST_SKIP() << "no GL context";
    FilterFog_cls fog(nullptr);
    float* c = fog.Data()->colors[0]->constantColor.values;
    c[0] = c[1] = c[2] = c[3] = 1.0f;
    fog.Data()->fogParams->SetKeyFrame({0.3, 0.5}, true, -1);
    const float blue[3] = {0, 0, 1};
    glClearColor(0, 0, 1, 1);
    fog.SetClearColor(0, blue);
    glClear(GL_COLOR_BUFFER_BIT);
    unsigned char px[4];
    Pixel(3, 3, px);
    EXPECT_TRUE(Close(px, 128, 128, 255, 2)) << int(px[0]) << "," << int(px[1]) << "," << int(px[2]);
    // The GL fog density is alpha x density.
    fog.ApplyGLFog(0);
    GLfloat density = 0;
    glGetFloatv(GL_FOG_DENSITY, &density);
    EXPECT_FLOAT_EQ(density, 0.15f);
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    glDisable(GL_FOG);
}
