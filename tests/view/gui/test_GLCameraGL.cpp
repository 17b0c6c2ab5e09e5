// The placement record and projection as OpenGL applies them: a marker placed in the world
// shows up at the pixel the camera maths predicts.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <wx/frame.h>
#include <wx/glcanvas.h>

#include <cmath>
#include <memory>

#include "tests/support/GuiTestSupport.h"
#include "tests/view/gui/GLTestCanvas.h"
#include "common/GLCamera.h"
#include "common/GLProjection.h"

namespace {

constexpr int kW = 160, kH = 120;

class GLCameraGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<ShownGLCanvas>(kW, kH);
        ready = window->ready;
    }
    void TearDown() override { window.reset(); }

    // Clears to black, loads the projection and the camera, draws a white 3x3 point at `p`
    // and returns whether the pixel (x, y) (GL window coordinates) is lit.
    bool Lit(const GLProjection_cls& proj, const GLCamera_cls& cam, const double p[3], int x, int y) {
        proj.ApplyViewport();
        proj.Apply(cam, 0);
        cam.LoadModelview(GL_MODELVIEW);
        glDisable(GL_DEPTH_TEST);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glPointSize(3);
        glColor3f(1, 1, 1);
        glBegin(GL_POINTS);
        glVertex3dv(p);
        glEnd();
        glFinish();
        unsigned char px[4] = {0, 0, 0, 0};
        glReadBuffer(GL_BACK);
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, px);
        return px[0] > 128;
    }

    std::unique_ptr<ShownGLCanvas> window;
    bool ready = false;
};

}  // namespace

TEST_F(GLCameraGLTest, MarkersLandWhereTheCameraMathsPutThem) {
    if (!ready) GTEST_SKIP() << "no GL context";
    GLProjection_cls proj(kW, kH, 35, 0.03, 5000);
    // A camera 10 units back on +z looking down -z, then turned by a yaw of 30 degrees.
    const double pos[3] = {0, 0, 10}, second[3] = {0, 0, 0}, dir[3] = {0, 0, -1}, up[3] = {0, 1, 0},
                 right[3] = {1, 0, 0};
    GLCamera_cls cam(pos, second, dir, up, right);
    cam.frame.Rotate(30, 0, 0);
    // A point 5 units ahead and 1 unit along the camera's right and 0.5 along its up.
    double p[3];
    for (int k = 0; k < 3; ++k)
        p[k] = pos[k] + 5 * cam.frame.direction[k] + 1 * cam.frame.right[k] + 0.5 * cam.frame.up[k];
    // Expected pixel from the perspective: f = 1 / tan(angle / 2), x_ndc = f / aspect * 1 / 5.
    const double f = 1.0 / std::tan(35.0 * M_PI / 360.0), aspect = double(kW) / kH;
    const int px = int(std::lround((f / aspect * 1.0 / 5 + 1) * 0.5 * kW - 0.5));
    const int py = int(std::lround((f * 0.5 / 5 + 1) * 0.5 * kH - 0.5));
    EXPECT_TRUE(Lit(proj, cam, p, px, py)) << px << "," << py;
    // the mirrored place stays dark (right and up really are right and up on screen)
    EXPECT_FALSE(Lit(proj, cam, p, kW - 1 - px, kH - 1 - py));

    // Orthographic, width-fit: a camera 10 units from its pivot spans x -5..5.
    proj.perspective = 0;
    proj.widthFit = 1;
    GLCamera_cls ortho(pos, second, dir, up, right);
    const double origin[3] = {0, 0, 0};
    ortho.SetPivot(origin);
    const double q[3] = {2.5, 0, 0};  // three quarters of the way across
    EXPECT_TRUE(Lit(proj, ortho, q, int(0.75 * kW), kH / 2));
    EXPECT_FALSE(Lit(proj, ortho, q, int(0.25 * kW), kH / 2));
}
