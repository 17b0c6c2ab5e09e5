// Icosphere geometry: triangle counts, unit normals, winding and the texture seam.
#include <gtest/gtest.h>

#include <cmath>

#include "view/IcoSphere.h"

TEST(IcoSphere, LevelsGiveTheirTriangleCountsOnTheUnitSphereWoundOutward) {
    IcoSphere_cls sphere;
    const size_t expected[4] = {20, 80, 320, 1280};
    for (int level = 0; level < 4; ++level) {
        const auto tris = sphere.Triangles(level, false);
        ASSERT_EQ(tris.size(), 3 * expected[level]) << level;
        for (size_t t = 0; t < tris.size(); t += 3) {
            const double* a = tris[t].p;
            const double* b = tris[t + 1].p;
            const double* c = tris[t + 2].p;
            for (int i = 0; i < 3; ++i) {
                const double* p = tris[t + size_t(i)].p;
                ASSERT_NEAR(p[0] * p[0] + p[1] * p[1] + p[2] * p[2], 1.0, 1e-9);
            }
            // Counter-clockwise from outside: the face normal points away from the centre.
            const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
            const double v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
            const double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
            ASSERT_GT(n[0] * a[0] + n[1] * a[1] + n[2] * a[2], 0.0) << "level " << level << " triangle " << t / 3;
        }
    }
    EXPECT_EQ(sphere.Triangles(9, false).size(), 3u * 1280u);  // levels are clamped to 0..3
}

TEST(IcoSphere, TextureCoordinatesOfATriangleStayWithinHalfATurn) {
    IcoSphere_cls sphere;
    const auto tris = sphere.Triangles(3, true);
    int seamTriangles = 0;
    for (size_t t = 0; t < tris.size(); t += 3) {
        double raw[3];
        for (int i = 0; i < 3; ++i) {
            double u, v;
            IcoSphere_cls::TexCoord(tris[t + size_t(i)].p, u, v);
            raw[i] = u;
        }
        if (std::fabs(raw[0] - raw[1]) > 0.5 || std::fabs(raw[1] - raw[2]) > 0.5) ++seamTriangles;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                EXPECT_LE(std::fabs(tris[t + size_t(i)].u - tris[t + size_t(j)].u), 0.5) << t / 3;
                EXPECT_LE(std::fabs(tris[t + size_t(i)].v - tris[t + size_t(j)].v), 0.5) << t / 3;
            }
    }
    EXPECT_GT(seamTriangles, 0);  // the table does cross the seam
    // The pole texture coordinates.
    const double north[3] = {0, 0, 1}, west[3] = {-1, 0, 0};
    double u, v;
    IcoSphere_cls::TexCoord(north, u, v);
    EXPECT_NEAR(v, 1.0, 1e-5);
    IcoSphere_cls::TexCoord(west, u, v);
    EXPECT_NEAR(u, 0.5, 1e-5);
    EXPECT_NEAR(v, 0.5, 1e-5);
}
