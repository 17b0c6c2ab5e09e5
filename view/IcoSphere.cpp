// Icosphere geometry.
#include "view/IcoSphere.h"

#include <algorithm>
#include <cmath>

IcoSphere_cls* GpIcoSphere = nullptr;

namespace {

const float kVertices[12][3] = {
    {0, 0, 1},
    {0, 0.894427f, 0.447214f},
    {-0.850651f, 0.276393f, 0.447214f},
    {-0.525731f, -0.723607f, 0.447214f},
    {0.525731f, -0.723607f, 0.447214f},
    {0.850651f, 0.276393f, 0.447214f},
    {-0.525731f, 0.723607f, -0.447214f},
    {-0.850651f, -0.276393f, -0.447214f},
    {0, -0.894427f, -0.447214f},
    {0.850651f, -0.276393f, -0.447214f},
    {0.525731f, 0.723607f, -0.447214f},
    {0, 0, -1},
};

const int kFaces[20][3] = {{1, 2, 0},  {2, 3, 0},  {3, 4, 0},   {4, 5, 0},  {5, 1, 0},
                           {1, 6, 2},  {2, 6, 7},  {2, 7, 3},   {3, 7, 8},  {4, 3, 8},
                           {4, 8, 9},  {4, 9, 5},  {5, 9, 10},  {5, 10, 1}, {1, 10, 6},
                           {6, 10, 11}, {7, 6, 11}, {8, 7, 11}, {9, 8, 11}, {10, 9, 11}};

void Normalised(const double* a, double* out) {
    const double n = std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
    for (int k = 0; k < 3; ++k) out[k] = n > 0 ? a[k] / n : a[k];
}

void MidPoint(const double* a, const double* b, double* out) {
    const double s[3] = {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
    Normalised(s, out);
}

// Moves `value` by a whole turn towards `reference` when they lie more than half apart.
double Unseam(double value, double reference) {
    if (value - reference > 0.5) return value - 1.0;
    if (reference - value > 0.5) return value + 1.0;
    return value;
}

}  // namespace

IcoSphere_cls::IcoSphere_cls() {
    for (int i = 0; i < 12; ++i)
        for (int k = 0; k < 3; ++k) vertices[i][k] = kVertices[i][k];
    for (int i = 0; i < 20; ++i)
        for (int k = 0; k < 3; ++k) faces[i][k] = kFaces[i][k];
}

void IcoSphere_cls::TexCoord(const double p[3], double& u, double& v) {
    u = (std::atan2(p[1], -p[0]) + 3.14159) / 6.28318;
    v = (std::atan2(p[2], std::sqrt(p[0] * p[0] + p[1] * p[1])) + 1.570795) / 3.14159;
}

std::vector<IcoVertex_cls> IcoSphere_cls::Triangles(int level, bool textured) const {
    level = std::clamp(level, 0, 3);
    std::vector<IcoVertex_cls> out;
    out.reserve(size_t(20) * (size_t(1) << (2 * level)) * 3);
    for (const auto& f : faces) Subdivide(vertices[f[0]], vertices[f[1]], vertices[f[2]], level, textured, out);
    return out;
}

void IcoSphere_cls::Subdivide(const double* p, const double* q, const double* r, int level, bool textured,
                              std::vector<IcoVertex_cls>& out) const {
    if (level <= 0) {
        EmitTriangle(p, q, r, textured, out);
        return;
    }
    double pq[3], qr[3], pr[3];
    MidPoint(p, q, pq);
    MidPoint(q, r, qr);
    MidPoint(p, r, pr);
    Subdivide(p, pq, pr, level - 1, textured, out);
    Subdivide(q, qr, pq, level - 1, textured, out);
    Subdivide(pq, qr, pr, level - 1, textured, out);
    Subdivide(pr, qr, r, level - 1, textured, out);
}

void IcoSphere_cls::EmitTriangle(const double* a, const double* b, const double* c, bool textured,
                                 std::vector<IcoVertex_cls>& out) const {
    IcoVertex_cls v[3];
    const double* src[3] = {a, b, c};
    for (int i = 0; i < 3; ++i) {
        Normalised(src[i], v[i].p);
        v[i].u = v[i].v = 0;
        if (textured) TexCoord(v[i].p, v[i].u, v[i].v);
    }
    if (textured) {
        v[1].u = Unseam(v[1].u, v[0].u);
        v[1].v = Unseam(v[1].v, v[0].v);
        if (v[2].v > 0.99 || v[2].v < 0.01) {
            // At a pole u means nothing: take the middle of the other two.
            v[2].u = 0.5 * (v[0].u + v[1].u);
        } else {
            v[2].u = Unseam(v[2].u, v[1].u);
            v[2].v = Unseam(v[2].v, v[1].v);
        }
    }
    for (const auto& x : v) out.push_back(x);
}
