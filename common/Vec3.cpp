#include "common/Vec3.h"

#include <cmath>

namespace {

// The float and double vectors share these in their own precision.

template <typename V>
void CrossOf(const V& a, const V& b, V& out) {
    // temporaries first: `out` may alias a or b
    const auto cx = a.y * b.z - a.z * b.y;
    const auto cy = a.z * b.x - a.x * b.z;
    const auto cz = a.x * b.y - a.y * b.x;
    out.x = cx;
    out.y = cy;
    out.z = cz;
}

template <typename V, typename T>
T Rescale(V& v, T length) {
    const T old = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (old == T(0)) return T(0);
    const T f = length / old;
    v.x *= f;
    v.y *= f;
    v.z *= f;
    return old;
}

bool AboveTiny(double v) { return v > 1e-12 || v < -1e-12; }

template <typename V>
bool RemoveAlong(const V& unit, V& b) {
    const auto e = b.x * unit.x + b.y * unit.y + b.z * unit.z;
    b.x -= e * unit.x;
    b.y -= e * unit.y;
    b.z -= e * unit.z;
    return AboveTiny(b.x) || AboveTiny(b.y) || AboveTiny(b.z);
}

}  // namespace

void Vec3f::Cross(const Vec3f& b, Vec3f& out) const { CrossOf(*this, b, out); }

float Vec3f::Length() const { return std::sqrt(x * x + y * y + z * z); }

float Vec3f::SetLength(float length) { return Rescale(*this, length); }

bool Vec3f::RemoveComponent(Vec3f& b) const { return RemoveAlong(*this, b); }

void Vec3d::Cross(const Vec3d& b, Vec3d& out) const { CrossOf(*this, b, out); }

double Vec3d::Length() const { return std::sqrt(x * x + y * y + z * z); }

double Vec3d::Distance(const Vec3d& b) const {
    const double dx = x - b.x, dy = y - b.y, dz = z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

double Vec3d::Dot(const Vec3d& b) const { return x * b.x + y * b.y + z * b.z; }

double Vec3d::SetLength(double length) { return Rescale(*this, length); }

bool Vec3d::RemoveComponent(Vec3d& b) const { return RemoveAlong(*this, b); }
