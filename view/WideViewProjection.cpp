// Directions and window pixels of fisheye and panorama views.
#include "view/WideViewProjection.h"

#include <algorithm>
#include <cmath>

#include "common/GLProjection.h"
#include "view/DistortionMesh.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;

// Yaw, pitch and roll (degrees) of the four sub-views; the composition's lists and strips
// expect exactly these turns.
const double kFisheyeTurns[4][3] = {{45, 0, 0}, {-45, 0, 0}, {45, -90, 0}, {-45, 90, 0}};
const double kPanoramaTurns[4][3] = {{45, 0, 0}, {-45, 0, 0}, {135, 0, 0}, {-135, 0, 0}};

double Dot(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

}  // namespace

WideViewProjection_cls::WideViewProjection_cls(int mode, double angle, const double eye[4], const GLCamera_cls& camera)
    : mode_(mode), angle_(angle), eye_{eye[0], eye[1], eye[2], eye[3]}, camera_(camera) {}

WideViewProjection_cls::WideViewProjection_cls(int mode, double angle, int w, int h, const GLCamera_cls& camera)
    : mode_(mode), angle_(angle), eye_{double((w - h) / 2), 0.0, double(h), double(h)}, camera_(camera) {}

void WideViewProjection_cls::SetLens(const DistortionMesh_cls* lens) {
    lens_ = (lens && lens->loaded && lens->width > 0 && lens->height > 0) ? lens : nullptr;
}

namespace {

/// Barycentric weights of (px, py) in the triangle a, b, c; false when it lies outside
/// (with a small tolerance, so shared edges belong to both neighbours) or the triangle has
/// no area.
bool Barycentric(const double a[2], const double b[2], const double c[2], double px, double py, double w[3]) {
    const double d = (b[1] - c[1]) * (a[0] - c[0]) + (c[0] - b[0]) * (a[1] - c[1]);
    if (std::fabs(d) < 1e-14) return false;
    w[0] = ((b[1] - c[1]) * (px - c[0]) + (c[0] - b[0]) * (py - c[1])) / d;
    w[1] = ((c[1] - a[1]) * (px - c[0]) + (a[0] - c[0]) * (py - c[1])) / d;
    w[2] = 1 - w[0] - w[1];
    const double e = -1e-9;
    return w[0] >= e && w[1] >= e && w[2] >= e;
}

/// Finds the triangle of the lens (each quad split as GL draws it: corners 0 1 2 and
/// 0 2 3) that holds (px, py) in `from` coordinates (0 the place in the eye square, 1 the
/// texture coordinates) and interpolates the other coordinates there.
bool LensLookup(const DistortionMesh_cls& m, int from, double px, double py, double& qx, double& qy) {
    const size_t faces = m.faceVertex.size() / 4;
    for (size_t f = 0; f < faces; ++f) {
        double place[4][2], texture[4][2];
        bool ok = true;
        for (int k = 0; k < 4; ++k) {
            const int vi = m.faceVertex[4 * f + k] - 1, ti = m.faceTexture[4 * f + k] - 1;
            if (vi < 0 || ti < 0 || size_t(vi) >= m.x.size() || size_t(vi) >= m.z.size() || size_t(ti) >= m.u.size() ||
                size_t(ti) >= m.v.size()) {
                ok = false;
                break;
            }
            // As the distortion pass draws it: x across the square, -z up, each scaled to
            // the mesh's extent.
            place[k][0] = m.x[size_t(vi)] / m.width + 0.5;
            place[k][1] = -m.z[size_t(vi)] / m.height + 0.5;
            texture[k][0] = m.u[size_t(ti)];
            texture[k][1] = m.v[size_t(ti)];
        }
        if (!ok) continue;
        const double(&src)[4][2] = from == 0 ? place : texture;
        const double(&dst)[4][2] = from == 0 ? texture : place;
        static const int kTriangles[2][3] = {{0, 1, 2}, {0, 2, 3}};
        for (const auto& t : kTriangles) {
            double w[3];
            if (!Barycentric(src[t[0]], src[t[1]], src[t[2]], px, py, w)) continue;
            qx = w[0] * dst[t[0]][0] + w[1] * dst[t[1]][0] + w[2] * dst[t[2]][0];
            qy = w[0] * dst[t[0]][1] + w[1] * dst[t[1]][1] + w[2] * dst[t[2]][1];
            return true;
        }
    }
    return false;
}

}  // namespace

bool WideViewProjection_cls::EyeToPicture(double ex, double ey, double& X, double& Y) const {
    if (lens_ && mode_ == 1) {
        double u, v;
        if (!LensLookup(*lens_, 0, ex, ey, u, v)) return false;
        ex = u, ey = v;
    }
    X = ex - 0.5;
    Y = ey - 0.5;
    return true;
}

bool WideViewProjection_cls::PictureToEye(double X, double Y, double& ex, double& ey) const {
    ex = X + 0.5;
    ey = Y + 0.5;
    if (lens_ && mode_ == 1) return LensLookup(*lens_, 1, ex, ey, ex, ey);
    return true;
}

bool WideViewProjection_cls::WindowToDirection(double x, double y, double dir[3]) const {
    if (eye_[2] < 1 || eye_[3] < 1 || !(angle_ > 0)) return false;
    double X, Y;
    if (!EyeToPicture((x - eye_[0]) / eye_[2], (y - eye_[1]) / eye_[3], X, Y)) return false;
    const GLCameraFrame_cls& f = camera_.frame;
    double along, across, up;  // components along direction, right and up
    if (mode_ == 1) {
        const double rho = std::hypot(X, Y);
        if (rho > 0.5) return false;
        const double theta = rho * angle_;  // equidistant: the disc's edge is angle / 2 off the axis
        if (theta > 180) return false;
        const double phi = std::atan2(Y, X);
        along = std::cos(theta * kDeg);
        across = std::sin(theta * kDeg) * std::cos(phi);
        up = std::sin(theta * kDeg) * std::sin(phi);
    } else if (mode_ == 2) {
        const double width = 2 * angle_;  // the band's width in degrees
        const double azimuth = X * width, elevation = Y * width;
        // The band's stencil keeps |Y| within 180 / width x 0.196.
        if (std::fabs(Y) > 180.0 / width * 0.196 || std::fabs(azimuth) > 180 || std::fabs(X) > 0.5) return false;
        along = std::cos(elevation * kDeg) * std::cos(azimuth * kDeg);
        across = std::cos(elevation * kDeg) * std::sin(azimuth * kDeg);
        up = std::sin(elevation * kDeg);
    } else {
        return false;
    }
    for (int k = 0; k < 3; ++k) dir[k] = along * f.direction[k] + across * f.right[k] + up * f.up[k];
    return std::isfinite(dir[0]) && std::isfinite(dir[1]) && std::isfinite(dir[2]);
}

bool WideViewProjection_cls::ProjectPoint(const double p[3], double win[3]) const {
    if (eye_[2] < 1 || eye_[3] < 1 || !(angle_ > 0)) return false;
    double d[3];
    for (int k = 0; k < 3; ++k) d[k] = p[k] - camera_.pose.position[k];
    const GLCameraFrame_cls& f = camera_.frame;
    const double along = Dot(d, f.direction), across = Dot(d, f.right), up = Dot(d, f.up);
    const double length = std::sqrt(along * along + across * across + up * up);
    if (!(length > 0)) return false;
    double X, Y;
    if (mode_ == 1) {
        const double theta = std::acos(std::clamp(along / length, -1.0, 1.0)) / kDeg;
        const double phi = std::atan2(up, across);
        const double rho = theta / angle_;
        X = rho * std::cos(phi);
        Y = rho * std::sin(phi);
    } else if (mode_ == 2) {
        const double width = 2 * angle_;
        X = std::atan2(across, along) / kDeg / width;
        Y = std::atan2(up, std::hypot(across, along)) / kDeg / width;
    } else {
        return false;
    }
    double ex, ey;
    if (!PictureToEye(X, Y, ex, ey)) return false;  // a place the lens does not show
    win[0] = eye_[0] + ex * eye_[2];
    win[1] = eye_[1] + ey * eye_[3];
    win[2] = 0;
    return std::isfinite(win[0]) && std::isfinite(win[1]);
}

GLCamera_cls WideViewProjection_cls::SubViewCamera(const GLCamera_cls& camera, int mode, int index) {
    GLCamera_cls c(camera);
    if ((mode == 1 || mode == 2) && index >= 0 && index < 4) {
        const double* r = mode == 1 ? kFisheyeTurns[index] : kPanoramaTurns[index];
        c.frame.Rotate(r[0], r[1], r[2]);
    }
    return c;
}

void WideViewProjection_cls::SubViewMatrices(const GLCamera_cls& camera, const GLProjection_cls& projection,
                                             int mode, int index, int s, double modelview[16], double proj[16]) {
    const GLCamera_cls c = SubViewCamera(camera, mode, index);
    GLProjection_cls p = projection;
    p.SetViewportSize(s, s);
    p.angle = 90;
    p.SetFitSize(s, s);
    p.Matrix(c, 1, proj);
    c.ModelviewMatrix(modelview);
}

int WideViewProjection_cls::SubViewOf(const double dir[3], const GLProjection_cls& projection, int s,
                                      double pixel[2], double modelview[16], double proj[16]) const {
    if (s < 1 || (mode_ != 1 && mode_ != 2)) return -1;
    int best = -1;
    double bestEdge = 1.0;  // the largest normalised coordinate: 1 is the square's edge
    for (int j = 0; j < 4; ++j) {
        double mv[16], pr[16];
        SubViewMatrices(camera_, projection, mode_, j, s, mv, pr);
        double p[4] = {camera_.pose.position[0] + dir[0], camera_.pose.position[1] + dir[1],
                       camera_.pose.position[2] + dir[2], 1};
        double e[4], c[4];
        for (int r = 0; r < 4; ++r) e[r] = mv[r] * p[0] + mv[4 + r] * p[1] + mv[8 + r] * p[2] + mv[12 + r] * p[3];
        for (int r = 0; r < 4; ++r) c[r] = pr[r] * e[0] + pr[4 + r] * e[1] + pr[8 + r] * e[2] + pr[12 + r] * e[3];
        if (!(c[3] > 0)) continue;  // behind this sub-view's camera
        const double x = c[0] / c[3], y = c[1] / c[3];
        const double edge = std::max(std::fabs(x), std::fabs(y));
        if (!(edge <= bestEdge)) continue;
        bestEdge = edge;
        best = j;
        pixel[0] = (x + 1) * 0.5 * s;
        pixel[1] = (y + 1) * 0.5 * s;
        std::copy(mv, mv + 16, modelview);
        std::copy(pr, pr + 16, proj);
    }
    return best;
}
