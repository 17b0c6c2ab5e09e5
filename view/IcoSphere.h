// The unit icosphere of the sphere particles and markers: the icosahedron, its subdivision
// into levels 0..3 (20, 80, 320, 1280 triangles) with normals and seam-corrected texture
// coordinates, and (GL layer) one display list per level, textured and plain.
#pragma once

#include <vector>

/// One emitted vertex: position on the unit sphere (also its normal) and texture u, v.
struct IcoVertex_cls {
    double p[3];
    double u, v;
};

class IcoSphere_cls {
public:
    /// The 12 vertices and 20 faces of the icosahedron; no lists yet.
    IcoSphere_cls();

    /// Triangles of subdivision `level` (clamped to 0..3), three vertices each; with
    /// `textured` the u, v of each triangle are corrected across the texture seam.
    std::vector<IcoVertex_cls> Triangles(int level, bool textured) const;
    /// Texture coordinates of a unit-sphere point: u = (atan2(y, -x) + pi) / 2pi,
    /// v = (atan2(z, sqrt(x^2 + y^2)) + pi/2) / pi (pi as 3.14159).
    static void TexCoord(const double p[3], double& u, double& v);

    /// Compiles the textured lists of levels 0..3, then the plain ones; once. GL layer.
    void BuildLists();
    /// Calls the textured / plain list of `level` (clamped to 0..3), building first when
    /// needed. GL layer.
    void CallTextured(int level);
    void CallPlain(int level);

    unsigned char built = 0;
    int texturedLists[4] = {0, 0, 0, 0};
    int plainLists[4] = {0, 0, 0, 0};
    double vertices[12][3];
    int faces[20][3];

private:
    void Subdivide(const double* a, const double* b, const double* c, int level, bool textured,
                   std::vector<IcoVertex_cls>& out) const;
    void EmitTriangle(const double* a, const double* b, const double* c, bool textured,
                      std::vector<IcoVertex_cls>& out) const;
};

/// The shared icosphere of the GL context; null until the view resources make it.
extern IcoSphere_cls* GpIcoSphere;
