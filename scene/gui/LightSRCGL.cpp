// The OpenGL side of the lights: the views' lighting for the normal, one-light and
// after-shadow passes, and the light symbols drawn and picked in the items pass.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "scene/LightSRC.h"
#include "scene/LightSRCCtrl.h"

namespace {

constexpr double kPi = 3.14159;

GLenum GLLight(int slot) { return GLenum(GL_LIGHT0 + slot); }

void SetColours(GLenum light, const float ambient[4], const float colour[4]) {
    glLightfv(light, GL_AMBIENT, ambient);
    glLightfv(light, GL_DIFFUSE, colour);
    glLightfv(light, GL_SPECULAR, colour);
}

// Circle of `radius` in the z = 0 plane through the points at 0, 10, .. degrees: as
// separate dashes (GL_LINES over 0..350) or closed (a strip over 0..360).
void Circle(double radius, bool dashed) {
    glBegin(dashed ? GL_LINES : GL_LINE_STRIP);
    const int last = dashed ? 350 : 360;
    for (int a = 0; a <= last; a += 10) {
        const double r = a * kPi / 180.0;
        glVertex3d(radius * std::cos(r), radius * std::sin(r), 0.0);
    }
    glEnd();
}

}  // namespace

void DisableGLLights() {
    const float zero[4] = {0, 0, 0, 0};
    for (int i = 0; i < LightSRCCtrl_cls::kLights; ++i) {
        glDisable(GLLight(i));
        SetColours(GLLight(i), zero, zero);
    }
}

// ------------------------------------------------------------------------- one light

void LightSRC_cls::ApplyGL(int slot, double t, bool fullAmbient, bool useColour) {
    if (!visible.value || slot < 0 || slot >= LightSRCCtrl_cls::kLights) return;
    const GLenum light = GLLight(slot);
    float c[4];
    PlaceGL(light, t, c);
    const float zero[4] = {0, 0, 0, 0}, full[4] = {1, 1, 1, 0};
    SetColours(light, fullAmbient ? full : zero, useColour ? c : zero);
}

void LightSRC_cls::ApplyGLForShadowPass(double t, bool enable) {
    const GLenum light = GLLight(index);
    const float zero[4] = {0, 0, 0, 0};
    if (!enable || !visible.value) {
        glDisable(light);
        SetColours(light, zero, zero);
        return;
    }
    float c[4];
    PlaceGL(light, t, c);
    const float full[4] = {1, 1, 1, 0};
    SetColours(light, index == 0 ? full : zero, c);
}

void LightSRC_cls::PlaceGL(unsigned light, double t, float c[4]) {
    glEnable(light);
    float pos[4], angles[2];
    GetPositionAndAngles(t, pos, angles, type.value == LIGHT_PARALLEL, nullptr);
    const float s = float(StrengthAt(t));
    c[0] = c[1] = c[2] = s;
    c[3] = 0;
    if (fade.value != 0)
        for (int k = 0; k < 3; ++k) c[k] *= 2;
    glLightfv(light, GL_POSITION, pos);
    ApplyGLAttenuation(light);
    ApplyGLSpot(light, t);
}

void LightSRC_cls::ApplyGLAttenuation(unsigned light) {
    const double d = fadeDistance.value;
    switch (fade.value) {
        case 0:
            glLightf(light, GL_CONSTANT_ATTENUATION, 1);
            glLightf(light, GL_LINEAR_ATTENUATION, 0);
            glLightf(light, GL_QUADRATIC_ATTENUATION, 0);
            break;
        case 1:
            glLightf(light, GL_CONSTANT_ATTENUATION, 1);
            glLightf(light, GL_LINEAR_ATTENUATION, GLfloat(1.0 / d));
            glLightf(light, GL_QUADRATIC_ATTENUATION, 0);
            break;
        case 2:
            glLightf(light, GL_CONSTANT_ATTENUATION, 1);
            glLightf(light, GL_LINEAR_ATTENUATION, 0);
            glLightf(light, GL_QUADRATIC_ATTENUATION, GLfloat(1.0 / (d * d)));
            break;
        default: break;
    }
}

void LightSRC_cls::ApplyGLSpot(unsigned light, double t) {
    if (type.value != LIGHT_SPOT) {
        glLightf(light, GL_SPOT_CUTOFF, 180);
        return;
    }
    float dir[3] = {0, 0, -1};
    if (target.value == 0 || target.value == 1) {
        const std::array<double, 3> d = RotationDirection(t);
        for (int k = 0; k < 3; ++k) dir[k] = float(-d[size_t(k)]);
    }
    glLightfv(light, GL_SPOT_DIRECTION, dir);
    // OpenGL takes a cut-off of 0..90 degrees (or 180): a wider spot lights its half space
    // instead of failing with an invalid value and leaving the last cut-off in place.
    glLightf(light, GL_SPOT_CUTOFF, GLfloat(std::clamp(spotAngle.value, 0, 90)));
    glLightf(light, GL_SPOT_EXPONENT, 0);
}

void LightSRC_cls::DrawGL(bool pickPass) {
    if (!visible.value) return;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.7f, 0.7f, 0.2f, 1.0f);
    glEnable(GL_LINE_STIPPLE);
    double mv[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    // The viewer's distance to the world origin keeps the symbol's size on the screen.
    double k = -mv[14];
    if (!(std::fabs(k) > 1e-9)) k = 1.0;
    const double* p = transform.pose.position;
    if (!pickPass) {
        glLineStipple(1, 0xF0F0);
        glBegin(GL_LINES);
        glVertex3d(p[0], p[1], 0.0);
        glVertex3d(p[0], p[1], p[2]);
        glEnd();
        if (type.value != LIGHT_POINT) {
            glLineStipple(1, 0xFF00);
            if (target.value == 0) {
                double m[16];
                transform.ToMatrix(m);
                glBegin(GL_LINES);
                glVertex3d(p[0], p[1], p[2]);
                glVertex3d(p[0] + m[0] * 0.2 * k, p[1] + m[1] * 0.2 * k, p[2] + m[2] * 0.2 * k);
                glEnd();
            } else if (target.value == 1) {
                glBegin(GL_LINES);
                glVertex3d(p[0], p[1], p[2]);
                glVertex3d(0, 0, 0);
                glEnd();
            }
        }
    }
    glDisable(GL_LINE_STIPPLE);
    if (!(pickPass && selected)) {
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glTranslated(p[0], p[1], p[2]);
        // The inverse of the view's rotation (its transpose) turns the circles to face the
        // viewer.
        const double inv[16] = {mv[0], mv[4], mv[8], 0, mv[1], mv[5], mv[9], 0, mv[2], mv[6], mv[10], 0, 0, 0, 0, 1};
        glMultMatrixd(inv);
        const double s = 0.02 * k;
        glScaled(s, s, s);
        Circle(1.0, true);
        Circle(0.7, false);
        if (pickPass) {
            // A click anywhere inside the symbol hits it, not only on its outline.
            glBegin(GL_POLYGON);
            for (int a = 0; a < 360; a += 10) glVertex3d(std::cos(a * kPi / 180.0), std::sin(a * kPi / 180.0), 0.0);
            glEnd();
        }
        glPopMatrix();
    }
    if (!pickPass && visible.value) {
        glColor4f(0.2f, 1, 0.2f, 1);
        glBegin(GL_POINTS);
        for (const auto& q : PathPoints()) glVertex3d(q[0], q[1], q[2]);
        glEnd();
    }
    glPopAttrib();
}

// ------------------------------------------------------------------------- the set

void LightSRCCtrl_cls::ApplyGLLights(double t) {
    DisableGLLights();
    const int first = FirstVisibleIndex();
    for (int i = 0; i < lightNumber.value; ++i) lights[i]->ApplyGL(i, t, i == first, true);
}

void LightSRCCtrl_cls::ApplyOneGLLight(int index, double t) {
    DisableGLLights();
    if (index >= 0 && index < kLights) lights[index]->ApplyGL(0, t, false, true);
}

void LightSRCCtrl_cls::ApplyGLLightsForShadow(double t, int) {
    for (int i = 0; i < kLights; ++i) glDisable(GLLight(i));
    const int c = FirstVisibleIndex();
    if (c >= 0) {
        glEnable(GLLight(c));
        lights[c]->ApplyGL(c, t, true, !lights[c]->castShadow.value);
    }
    for (int j = 0; j < kLights; ++j)
        if (j != c) lights[j]->ApplyGLForShadowPass(t, !lights[j]->castShadow.value && j < lightNumber.value);
}

void LightSRCCtrl_cls::DrawGL(bool pickPass) {
    for (int i = 0; i < lightNumber.value; ++i) {
        glPushName(GLuint(lights[i]->pickId));
        lights[i]->DrawGL(pickPass);
        glPopName();
    }
}
