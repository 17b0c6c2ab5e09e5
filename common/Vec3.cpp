#include "common/Vec3.h"

#include <cmath>

namespace {

bool AboveTiny(double v) { return v > 1e-12 || v < -1e-12; }

}  // namespace

void Vec3f::Cross(const Vec3f& b, Vec3f& out) const {
    // temporaries first: `out` may alias this vector or b
    const float cx = y * b.z - z * b.y;
    const float cy = z * b.x - x * b.z;
    const float cz = x * b.y - y * b.x;
    out.x = cx;
    out.y = cy;
    out.z = cz;
}

float Vec3f::Length() const { return std::sqrt(x * x + y * y + z * z); }

float Vec3f::SetLength(float length) {
    const float old = Length();
    if (old == 0.0f) return 0.0f;
    const float f = length / old;
    x *= f;
    y *= f;
    z *= f;
    return old;
}

bool Vec3f::RemoveComponent(Vec3f& b) const {
    const float e = b.x * x + b.y * y + b.z * z;
    b.x -= e * x;
    b.y -= e * y;
    b.z -= e * z;
    return AboveTiny(b.x) || AboveTiny(b.y) || AboveTiny(b.z);
}

void Vec3d::Cross(const Vec3d& b, Vec3d& out) const {
    const double cx = y * b.z - z * b.y;
    const double cy = z * b.x - x * b.z;
    const double cz = x * b.y - y * b.x;
    out.x = cx;
    out.y = cy;
    out.z = cz;
}

double Vec3d::Length() const { return std::sqrt(x * x + y * y + z * z); }

double Vec3d::Distance(const Vec3d& b) const {
    const double dx = x - b.x, dy = y - b.y, dz = z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

double Vec3d::Dot(const Vec3d& b) const { return x * b.x + y * b.y + z * b.z; }

double Vec3d::SetLength(double length) {
    const double old = Length();
    if (old == 0.0) return 0.0;
    const double f = length / old;
    x *= f;
    y *= f;
    z *= f;
    return old;
}

bool Vec3d::RemoveComponent(Vec3d& b) const {
    const double e = b.Dot(*this);
    b.x -= e * x;
    b.y -= e * y;
    b.z -= e * z;
    return AboveTiny(b.x) || AboveTiny(b.y) || AboveTiny(b.z);
}
