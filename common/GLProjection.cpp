// Projection numbers of a view, shared by the GL layer and the POV-Ray camera.
#include "common/GLProjection.h"

#include <cmath>

#include "common/GLCamera.h"

namespace {
constexpr double kPi = 3.14159;
}

GLProjection_cls::GLProjection_cls(int w, int h, double a, double n, double f)
    : angle(a), nearPlane(n), farPlane(f), width(w), height(h), fitWidth(w), fitHeight(h) {}

void GLProjection_cls::SetViewportSize(int w, int h) {
    width = w;
    height = h;
}

void GLProjection_cls::SetFitSize(int w, int h) {
    fitWidth = w;
    fitHeight = h;
}

double GLProjection_cls::EffectiveAngle(int fit) const {
    double a = angle;
    if (fit == 1 && fitHeight > 0) {
        const double q = double(fitWidth) / fitHeight;
        if (q > 1.0) a = 2.0 * std::atan(std::tan(a * kPi / 360.0) * q) * 180.0 / kPi;
    }
    return a;
}

void GLProjection_cls::OrthoBox(const GLCamera_cls& camera, double& l, double& r, double& b, double& t) const {
    const double e = float(camera.PivotDistance() * 0.5);
    const double d = height > 0 ? double(width) / height : 1.0;
    if (widthFit == 1) {
        l = -e; r = e; b = -e / d; t = e / d;
    } else {
        l = -e * d; r = e * d; b = -e; t = e;
    }
}

void GLProjection_cls::Matrix(const GLCamera_cls& camera, int fit, double m[16]) const {
    for (int i = 0; i < 16; ++i) m[i] = 0.0;
    if (perspective) {
        // gluPerspective
        const double a = EffectiveAngle(fit) * M_PI / 360.0;  // gluPerspective uses its own pi
        const double f = 1.0 / std::tan(a);
        const double aspectRatio = height > 0 ? double(width) / height : 1.0;
        m[0] = f / aspectRatio;
        m[5] = f;
        m[10] = (farPlane + nearPlane) / (nearPlane - farPlane);
        m[11] = -1.0;
        m[14] = 2.0 * farPlane * nearPlane / (nearPlane - farPlane);
    } else {
        // glOrtho(l, r, b, t, -kOrthoDepth, kOrthoDepth)
        double l, r, b, t;
        OrthoBox(camera, l, r, b, t);
        const double n = -kOrthoDepth, f = kOrthoDepth;
        m[0] = 2.0 / (r - l);
        m[5] = 2.0 / (t - b);
        m[10] = -2.0 / (f - n);
        m[12] = -(r + l) / (r - l);
        m[13] = -(t + b) / (t - b);
        m[14] = -(f + n) / (f - n);
        m[15] = 1.0;
    }
}
