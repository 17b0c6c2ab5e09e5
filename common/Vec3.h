// Three-component vectors in single and double precision: cross product, length,
// rescaling and removal of a component, for cameras, views and scene objects.
#pragma once

/// A float 3-vector. Plain value type; any thread.
class Vec3f {
public:
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Vec3f() = default;
    Vec3f(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    /// out := this × b. `out` may be this vector or `b`.
    void Cross(const Vec3f& b, Vec3f& out) const;
    /// Euclidean length, computed in float.
    float Length() const;
    /// Scales the vector to `length` and returns its previous length. A zero vector has
    /// no direction: it is left as it is and 0 is returned.
    float SetLength(float length);
    /// This vector is a unit vector: removes from `b` its component along this one.
    /// True when some component of the new `b` is above 1e-12 in magnitude (compared in
    /// double), that is, when `b` was not parallel to this vector.
    bool RemoveComponent(Vec3f& b) const;
};

/// A double 3-vector. Plain value type; any thread.
class Vec3d {
public:
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    Vec3d() = default;
    Vec3d(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}

    /// out := this × b. `out` may be this vector or `b`.
    void Cross(const Vec3d& b, Vec3d& out) const;
    /// Euclidean length.
    double Length() const;
    /// Length of this − b.
    double Distance(const Vec3d& b) const;
    /// x·b.x + y·b.y + z·b.z.
    double Dot(const Vec3d& b) const;
    /// Scales the vector to `length` and returns its previous length. A zero vector is
    /// left as it is and 0 is returned.
    double SetLength(double length);
    /// This vector is a unit vector: removes from `b` its component along this one.
    /// True when some component of the new `b` is above 1e-12 in magnitude.
    bool RemoveComponent(Vec3d& b) const;
};
