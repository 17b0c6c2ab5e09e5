// Fisheye and panorama views: a window pixel and the direction it shows map to each other
// both ways, straight ahead lands at the centre, and the sub-view a direction is picked in
// shows it at the texel the composition puts there.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/GLCamera.h"
#include "common/GLProjection.h"
#include "view/DistortionMesh.h"
#include "view/WideViewProjection.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kW = 300, kH = 200;

/// A camera at (1, 2, 3) looking along +x with +z up (right is -y).
GLCamera_cls TestCamera() {
    const double pos[3] = {1, 2, 3}, second[3] = {0, 0, 0}, dir[3] = {1, 0, 0}, up[3] = {0, 0, 1},
                 right[3] = {0, -1, 0};
    return GLCamera_cls(pos, second, dir, up, right);
}

/// Direction at `azimuth` degrees to the camera's right and `elevation` degrees up.
void Direction(const GLCamera_cls& c, double azimuth, double elevation, double out[3]) {
    const double a = azimuth * kPi / 180, e = elevation * kPi / 180;
    for (int k = 0; k < 3; ++k)
        out[k] = std::cos(e) * (std::cos(a) * c.frame.direction[k] + std::sin(a) * c.frame.right[k]) +
                 std::sin(e) * c.frame.up[k];
}

void PointAlong(const GLCamera_cls& c, const double dir[3], double distance, double out[3]) {
    for (int k = 0; k < 3; ++k) out[k] = c.pose.position[k] + distance * dir[k];
}

}  // namespace

TEST(WideViewProjection, KnownDirectionsLandWhereTheCompositionPutsThem) {
    const GLCamera_cls cam = TestCamera();
    struct Case {
        int mode;
        double angle, azimuth, elevation;
        double x, y;  // expected window pixel
    };
    // Fisheye: equidistant, the disc (radius h / 2) reaches angle / 2 off the axis.
    // Panorama: the band is 2 x angle degrees over one view height.
    const Case cases[] = {
        {1, 180, 0, 0, 150, 100},        {1, 180, 45, 0, 150 + 50, 100},  {1, 180, 0, -45, 150, 100 - 50},
        {1, 90, 30, 0, 150 + 200.0 / 3, 100}, {2, 180, 90, 0, 150 + 50, 100}, {2, 180, -45, 0, 150 - 25, 100},
        {2, 90, 0, 10, 150, 100 + 200.0 * 10 / 180},
    };
    for (const Case& c : cases) {
        const WideViewProjection_cls wide(c.mode, c.angle, kW, kH, cam);
        double d[3], p[3], win[3];
        Direction(cam, c.azimuth, c.elevation, d);
        PointAlong(cam, d, 7.5, p);
        ASSERT_TRUE(wide.ProjectPoint(p, win));
        EXPECT_NEAR(win[0], c.x, 1e-6) << c.mode << " " << c.azimuth << " " << c.elevation;
        EXPECT_NEAR(win[1], c.y, 1e-6) << c.mode << " " << c.azimuth << " " << c.elevation;
    }
}

TEST(WideViewProjection, PixelsAndDirectionsMapBackAndForthInsideThePictureOnly) {
    const GLCamera_cls cam = TestCamera();
    for (int mode : {1, 2}) {
        const WideViewProjection_cls wide(mode, 160, kW, kH, cam);
        int inside = 0;
        for (int y = 0; y < kH; y += 7)
            for (int x = 0; x < kW; x += 7) {
                double d[3], p[3], win[3];
                if (!wide.WindowToDirection(x + 0.5, y + 0.5, d)) continue;
                ++inside;
                EXPECT_NEAR(std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]), 1.0, 1e-9);
                PointAlong(cam, d, 3, p);
                ASSERT_TRUE(wide.ProjectPoint(p, win));
                EXPECT_NEAR(win[0], x + 0.5, 1e-6) << mode;
                EXPECT_NEAR(win[1], y + 0.5, 1e-6) << mode;
            }
        EXPECT_GT(inside, 50) << mode;
    }
    // Outside the disc, outside the band: nothing is shown there.
    double d[3];
    EXPECT_FALSE(WideViewProjection_cls(1, 180, kW, kH, cam).WindowToDirection(5, 5, d));
    EXPECT_FALSE(WideViewProjection_cls(2, 180, kW, kH, cam).WindowToDirection(150, 100 + 0.15 * kH, d));
    EXPECT_TRUE(WideViewProjection_cls(2, 180, kW, kH, cam).WindowToDirection(150, 100 + 0.05 * kH, d));
    // A point at the eye shows nowhere; a zero-sized view shows nothing.
    double win[3];
    EXPECT_FALSE(WideViewProjection_cls(1, 180, kW, kH, cam).ProjectPoint(cam.pose.position, win));
    EXPECT_FALSE(WideViewProjection_cls(1, 180, 0, 0, cam).WindowToDirection(0, 0, d));
}

TEST(WideViewProjection, ADirectionIsPickedInTheSubViewWhoseTexelTheCompositionPutsThere) {
    const GLCamera_cls cam = TestCamera();
    const GLProjection_cls projection(640, 480, 35, 0.03, 5000);
    const int s = 512;
    const double b = std::sqrt(2.0);
    const double texels[][2] = {{0.3, 0.4}, {0.7, 0.6}, {0.5, 0.2}, {0.45, 0.55}};
    for (int i = 0; i < 4; ++i)
        for (const auto& st : texels) {
            const double u = st[0], t = st[1];
            // The fisheye lists' direction of texel (u, t) of sub-view i: horizontal, vertical,
            // forward.
            double h, v, f;
            switch (i) {
                case 0: h = (u - 1) * b + 0.001, v = 2 * t - 1, f = u * b; break;
                case 1: h = u * b, v = 2 * t - 1, f = (1 - u) * b; break;
                case 2: h = (u + t - 1) * b, v = 1, f = (u - t) * b; break;
                default: h = (u + t - 1) * b, v = -1, f = (t - u) * b; break;
            }
            const double n = std::sqrt(h * h + v * v + f * f);
            double dir[3];
            for (int k = 0; k < 3; ++k)
                dir[k] = (f * cam.frame.direction[k] + h * cam.frame.right[k] + v * cam.frame.up[k]) / n;
            const WideViewProjection_cls wide(1, 180, kW, kH, cam);
            double pixel[2], mv[16], pr[16];
            ASSERT_EQ(wide.SubViewOf(dir, projection, s, pixel, mv, pr), i) << u << " " << t;
            EXPECT_NEAR(pixel[0], u * s, 0.01 * s) << i << " " << u << " " << t;
            EXPECT_NEAR(pixel[1], t * s, 0.01 * s) << i << " " << u << " " << t;
        }
    // Panorama: sub-view i is centred at azimuth -45, 45, -135, 135 degrees.
    const double centres[4] = {-45, 45, -135, 135};
    for (int i = 0; i < 4; ++i) {
        const double u = 0.35, t = 0.6;
        const double alpha = std::atan2(u - 0.5, 0.5);
        const double elevation = std::atan2(t - 0.5, 0.5 / std::cos(alpha));
        double dir[3];
        Direction(cam, centres[i] + alpha * 180 / kPi, elevation * 180 / kPi, dir);
        const WideViewProjection_cls wide(2, 180, kW, kH, cam);
        double pixel[2], mv[16], pr[16];
        ASSERT_EQ(wide.SubViewOf(dir, projection, s, pixel, mv, pr), i);
        EXPECT_NEAR(pixel[0], u * s, 0.5);
        EXPECT_NEAR(pixel[1], t * s, 0.5);
    }
}

namespace {

/// A 2 x 2 lens over the square whose middle corner takes the disc's picture at
/// (0.62, 0.45) instead of its centre; the outer corners keep their places.
std::string WarpedLens() {
    std::string obj = "# lens\n# 2 x 2\no lens\n";
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            obj += "v " + std::to_string(col - 1) + " 0 " + std::to_string(row - 1) + "\n";
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            double u = col / 2.0, v = 1 - row / 2.0;  // screen up is -z
            if (row == 1 && col == 1) u = 0.62, v = 0.45;
            obj += "vt " + std::to_string(u) + " " + std::to_string(v) + "\n";
        }
    obj += "vn 0 -1\ns off\nusemtl none\n";
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 2; ++col) {
            const int a = row * 3 + col + 1, b = a + 1, c = a + 4, d = a + 3;
            obj += "f";
            for (int i : {a, b, c, d}) obj += " " + std::to_string(i) + "/" + std::to_string(i) + "/1";
            obj += "\n";
        }
    return obj;
}

}  // namespace

TEST(WideViewProjection, ThroughALensEachPlaceShowsTheDiscAtItsTextureCoordinates) {
    const GLCamera_cls cam = TestCamera();
    DistortionMesh_cls mesh;
    std::string error;
    ASSERT_TRUE(mesh.Parse(WarpedLens(), "lens.obj", &error)) << error;
    // Through the lens the eye square covers the whole window.
    const double eye[4] = {0, 0, kW, kH};
    WideViewProjection_cls lens(1, 180, eye, cam);
    lens.SetLens(&mesh);
    const WideViewProjection_cls plain(1, 180, eye, cam);

    // The window's middle shows what the plain disc shows at (0.62, 0.45) of the square;
    // a corner of the lens keeps its place.
    double d[3], e[3];
    ASSERT_TRUE(lens.WindowToDirection(0.5 * kW, 0.5 * kH, d));
    ASSERT_TRUE(plain.WindowToDirection(0.62 * kW, 0.45 * kH, e));
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(d[k], e[k], 1e-6);  // the mesh holds floats
    ASSERT_TRUE(lens.WindowToDirection(0.5 * kW, kH, d));
    ASSERT_TRUE(plain.WindowToDirection(0.5 * kW, kH, e));
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(d[k], e[k], 1e-6);
    // Between them the lens interpolates: a quarter of the way up from the middle shows
    // the plain disc a quarter of the way from (0.62, 0.45) to (0.5, 1).
    ASSERT_TRUE(lens.WindowToDirection(0.5 * kW, 0.625 * kH, d));
    ASSERT_TRUE(plain.WindowToDirection((0.62 * 0.75 + 0.5 * 0.25) * kW, (0.45 * 0.75 + 0.25) * kH, e));
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(d[k], e[k], 1e-6);

    // Each shown direction goes back to the pixel it was seen at.
    int seen = 0;
    for (int y = 3; y < kH; y += 9)
        for (int x = 3; x < kW; x += 9) {
            double p[3], win[3];
            if (!lens.WindowToDirection(x, y, d)) continue;
            ++seen;
            PointAlong(cam, d, 4, p);
            ASSERT_TRUE(lens.ProjectPoint(p, win)) << x << " " << y;
            EXPECT_NEAR(win[0], x, 1e-6);
            EXPECT_NEAR(win[1], y, 1e-6);
        }
    EXPECT_GT(seen, 100);
    // A lens that was never loaded is no lens.
    DistortionMesh_cls empty;
    WideViewProjection_cls none(1, 180, eye, cam);
    none.SetLens(&empty);
    ASSERT_TRUE(none.WindowToDirection(0.5 * kW, 0.5 * kH, d));
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(d[k], cam.frame.direction[k], 1e-12);
}
