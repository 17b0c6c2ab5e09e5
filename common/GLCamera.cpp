// Placement record maths: frame turns, normalisation, angles and the camera gestures.
#include "common/GLCamera.h"

#include <algorithm>
#include <cmath>

namespace {

// Degrees convert to radians and back with pi taken as 3.14159 throughout (the stored
// rotations and camera paths were made that way); only the half-turn offsets of
// UpdateAngles are true half turns, see there.
constexpr double kPi = 3.14159;
constexpr double kDegToRad = kPi / 180.0;

void Set3(double d[3], double x, double y, double z) {
    d[0] = x;
    d[1] = y;
    d[2] = z;
}
void Copy3(double d[3], const double s[3]) {
    d[0] = s[0];
    d[1] = s[1];
    d[2] = s[2];
}
double Dot3(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
double Len3(const double a[3]) { return std::sqrt(Dot3(a, a)); }
void Cross3(const double a[3], const double b[3], double out[3]) {
    const double x = a[1] * b[2] - a[2] * b[1];
    const double y = a[2] * b[0] - a[0] * b[2];
    const double z = a[0] * b[1] - a[1] * b[0];
    Set3(out, x, y, z);
}
// Scales to unit length; false (vector unchanged) when it has no length.
bool Unit3(double v[3]) {
    const double l = Len3(v);
    if (!(l > 0.0) || !std::isfinite(l)) return false;
    v[0] /= l;
    v[1] /= l;
    v[2] /= l;
    return true;
}
// a*cos - b*sin and b*cos + a*sin, both from the old vectors.
void Turn(double a[3], double b[3], double degrees) {
    const double r = degrees * kDegToRad;
    const double c = std::cos(r), s = std::sin(r);
    for (int k = 0; k < 3; ++k) {
        const double na = a[k] * c - b[k] * s;
        const double nb = b[k] * c + a[k] * s;
        a[k] = na;
        b[k] = nb;
    }
}
double Clamp1(double v) { return std::max(-1.0, std::min(1.0, v)); }

}  // namespace

// ---------------------------------------------------------------- GLCameraPose_cls

GLCameraPose_cls::GLCameraPose_cls() {
    Set3(position, 0, 0, 0);
    Set3(second, 0, 0, 0);
}

GLCameraPose_cls::GLCameraPose_cls(double x, double y, double z, const double secondVector[3]) {
    Set3(position, x, y, z);
    Copy3(second, secondVector);
}

void GLCameraPose_cls::Copy(const GLCameraPose_cls& source, GLCameraPose_cls& destination) {
    Copy3(destination.position, source.position);
    Copy3(destination.second, source.second);
}

void GLCameraPose_cls::Assign(GLCamera_cls& camera) const { Copy(*this, camera.pose); }

bool GLCameraPose_cls::Equals(const GLCameraPose_cls& o) const {
    for (int k = 0; k < 3; ++k)
        if (position[k] != o.position[k] || second[k] != o.second[k]) return false;
    return true;
}

// ---------------------------------------------------------------- GLCameraFrame_cls

GLCameraFrame_cls::GLCameraFrame_cls() {
    Set3(direction, 0, 0, -1);
    Set3(up, 0, 1, 0);
    Set3(right, 1, 0, 0);
    UpdateAngles(true);
}

GLCameraFrame_cls::GLCameraFrame_cls(const double dir[3], const double upVec[3], const double rightVec[3]) {
    Copy3(direction, dir);
    Copy3(up, upVec);
    Copy3(right, rightVec);
    UpdateAngles(true);
}

void GLCameraFrame_cls::Copy(GLCameraFrame_cls& d, const GLCameraFrame_cls& s) { d = s; }

bool GLCameraFrame_cls::Equals(const GLCameraFrame_cls& o) const {
    for (int k = 0; k < 3; ++k)
        if (direction[k] != o.direction[k] || up[k] != o.up[k] || right[k] != o.right[k]) return false;
    return true;
}

void GLCameraFrame_cls::Normalise() {
    bool ok = Unit3(direction);
    if (ok) {
        const double along = Dot3(up, direction);
        for (int k = 0; k < 3; ++k) up[k] -= along * direction[k];
        ok = std::fabs(up[0]) > 1e-12 || std::fabs(up[1]) > 1e-12 || std::fabs(up[2]) > 1e-12;
    }
    if (!ok) {
        Set3(direction, 0, 0, -1);
        Set3(up, 0, 1, 0);
    }
    Unit3(up);
    Cross3(direction, up, right);
}

void GLCameraFrame_cls::SetDirUp(const double dir[3], const double upVec[3]) {
    Copy3(direction, dir);
    Copy3(up, upVec);
    Normalise();
}

void GLCameraFrame_cls::SetAxisView(int view) {
    switch (view) {
        case 1: Set3(direction, 1, 0, 0); Set3(up, 0, 0, 1); break;
        case 2: Set3(direction, -1, 0, 0); Set3(up, 0, 0, 1); break;
        case 3: Set3(direction, 0, 1, 0); Set3(up, 0, 0, 1); break;
        case 4: Set3(direction, 0, -1, 0); Set3(up, 0, 0, 1); break;
        case 5: Set3(direction, 0, 0, 1); Set3(up, 0, 1, 0); break;
        case 6: Set3(direction, 0, 0, -1); Set3(up, 0, 1, 0); break;
        default: break;
    }
    Normalise();
}

void GLCameraFrame_cls::Yaw(double degrees) { Turn(direction, right, degrees); }
void GLCameraFrame_cls::Pitch(double degrees) { Turn(direction, up, degrees); }
void GLCameraFrame_cls::Roll(double degrees) {
    // up' = up cos + right sin; right' = right cos - up sin
    const double r = degrees * kDegToRad;
    const double c = std::cos(r), s = std::sin(r);
    for (int k = 0; k < 3; ++k) {
        const double nu = up[k] * c + right[k] * s;
        const double nr = right[k] * c - up[k] * s;
        up[k] = nu;
        right[k] = nr;
    }
}

void GLCameraFrame_cls::Rotate(double a, double b, double c) {
    Yaw(a);
    Normalise();
    Pitch(b);
    Normalise();
    Roll(c);
}

void GLCameraFrame_cls::UpdateAngles(bool unwrap) {
    // Degrees and radians convert with 3.14159 everywhere (the frame turns use it too), but
    // the half-turn offsets below are true half turns: with 3.14159 there a frame turned by
    // 60 degrees would read back as 59.99985.
    const double y = (std::atan2(-direction[1], -direction[0]) + M_PI) * 180.0 / kPi;
    // Rounding can push the sine ratios a hair past 1 (straight up or down); asin would
    // then give NaN angles that end up as keys.
    const double p = std::asin(Clamp1(-direction[2]));
    const double cp = std::cos(p);
    const double e = cp > 0.0 ? std::asin(Clamp1(right[2] / cp)) : 0.0;
    const double r = (up[2] < 0 ? e + M_PI : -e) * 180.0 / kPi;
    const double pt = p * 180.0 / kPi;
    if (unwrap) {
        // A jump of more than half a turn between two evaluations is a wrap across 0/360.
        if (y - prevYaw > 180.0) --yawTurns;
        else if (prevYaw - y > 180.0) ++yawTurns;
    }
    prevPitch = pt;
    prevRoll = r;
    prevYaw = y;
    roll = rollTurns * 360.0 + r;
    pitch = pt;
    yaw = yawTurns * 360.0 + y;
}

// ---------------------------------------------------------------- GLCamera_cls

GLCamera_cls::GLCamera_cls() = default;

GLCamera_cls::GLCamera_cls(const double position[3], const double second[3], const double dir[3],
                           const double upVec[3], const double rightVec[3])
    : pose(position[0], position[1], position[2], second), frame(dir, upVec, rightVec) {}

GLCamera_cls::GLCamera_cls(const GLCameraPose_cls& p, const GLCameraFrame_cls& f) : pose(p), frame(f) {}

GLCamera_cls& GLCamera_cls::operator=(const GLCamera_cls& o) {
    if (this == &o) return *this;
    pose = o.pose;
    frame = o.frame;
    Copy3(pivot, o.pivot);
    speed = o.speed;
    Copy3(panScale, o.panScale);
    aspect = o.aspect;
    return *this;
}

bool GLCamera_cls::Equals(const GLCamera_cls& a, const GLCamera_cls& b) {
    return a.frame.Equals(b.frame) && a.pose.Equals(b.pose);
}

void GLCamera_cls::ModelviewMatrix(double m[16]) const {
    const double* r = frame.right;
    const double* u = frame.up;
    const double* d = frame.direction;
    const double* p = pose.position;
    const double rows[3][3] = {{r[0], r[1], r[2]}, {u[0], u[1], u[2]}, {-d[0], -d[1], -d[2]}};
    for (int c = 0; c < 3; ++c)
        for (int row = 0; row < 3; ++row) m[c * 4 + row] = rows[row][c];
    m[3] = m[7] = m[11] = 0.0;
    for (int row = 0; row < 3; ++row)
        m[12 + row] = -(rows[row][0] * p[0] + rows[row][1] * p[1] + rows[row][2] * p[2]);
    m[15] = 1.0;
}

void GLCamera_cls::ToMatrix(double m[16]) const {
    double second[3];
    Cross3(frame.up, frame.direction, second);
    for (int k = 0; k < 3; ++k) {
        m[k] = frame.direction[k];
        m[4 + k] = second[k];
        m[8 + k] = frame.up[k];
        m[12 + k] = pose.position[k];
    }
    m[3] = m[7] = m[11] = 0.0;
    m[15] = 1.0;
}

double GLCamera_cls::PivotDistance() const {
    const double r[3] = {pivot[0] - pose.position[0], pivot[1] - pose.position[1], pivot[2] - pose.position[2]};
    return Len3(r);
}

double GLCamera_cls::DepthOf(const double point[3]) const {
    const double r[3] = {point[0] - pose.position[0], point[1] - pose.position[1], point[2] - pose.position[2]};
    return std::fabs(Dot3(r, frame.direction));
}

double GLCamera_cls::PivotDepth() const { return DepthOf(pivot); }

void GLCamera_cls::LookAt(const double point[3]) {
    Copy3(pivot, point);
    for (int k = 0; k < 3; ++k) frame.direction[k] = point[k] - pose.position[k];
    frame.Normalise();
}

void GLCamera_cls::SetPivot(const double point[3]) { Copy3(pivot, point); }

void GLCamera_cls::Orbit(float x0, float y0, float x1, float y1) {
    const double dx = std::clamp((double(x1) - x0) * speed, -0.2, 0.2);
    const double dy = std::clamp((double(y1) - y0) * speed, -0.2, 0.2);
    double r[3] = {pose.position[0] - pivot[0], pose.position[1] - pivot[1], pose.position[2] - pivot[2]};
    const double h = Len3(r);
    const double ky = std::max(0.0, 1.0 - double(y1) * y1);
    const double kx = std::max(0.0, 1.0 - double(x1) * x1);
    double* d = frame.direction;
    const double* rt = frame.right;
    double* u = frame.up;
    for (int k = 0; k < 3; ++k) {
        d[k] += dx * ky * rt[k];
        r[k] -= h * dx * ky * rt[k];
    }
    for (int k = 0; k < 3; ++k) {
        d[k] += dy * kx * u[k];
        r[k] -= h * dy * kx * u[k];
    }
    const double twist = dy * x1 - dx * y1;
    for (int k = 0; k < 3; ++k) u[k] += twist * rt[k];
    const double l = Len3(r);
    if (l > 0.0) {
        for (int k = 0; k < 3; ++k) pose.position[k] = pivot[k] + r[k] * (h / l);
    }
    frame.Normalise();
}

void GLCamera_cls::Pan(double dx, double dy, int axis, const GLCamera_cls* reference) {
    double m[3] = {1, 1, 1};
    if (axis >= 0 && axis <= 2) {
        if (reference) {
            const double* v = axis == 0 ? reference->frame.right
                              : axis == 1 ? reference->frame.up
                                          : reference->frame.direction;
            Set3(m, std::fabs(v[0]), std::fabs(v[1]), std::fabs(v[2]));
        } else {
            Set3(m, 0, 0, 0);
            m[axis] = 1;
        }
    }
    for (int k = 0; k < 3; ++k)
        pose.position[k] -= (dx * frame.right[k] * speed * aspect + dy * frame.up[k] * speed) * m[k] * panScale[k];
}

void GLCamera_cls::Zoom(double amount, double extra) {
    double r[3] = {pose.position[0] - pivot[0], pose.position[1] - pivot[1], pose.position[2] - pivot[2]};
    const double f = extra + 1.0 - 0.2 * amount;
    for (int k = 0; k < 3; ++k) pose.position[k] = pivot[k] + r[k] * f;
    frame.Normalise();
}
