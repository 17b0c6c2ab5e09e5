// Stencil shadow volumes drawn for real: a sphere above a plane darkens the plane below it
// with shadows on, nowhere with shadows off, and also when the eye sits inside the shadow.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "tests/view/gui/GLTestCanvas.h"
#include "tests/view/gui/PixelProbe.h"
#include "common/GLCamera.h"
#include "common/GLProjection.h"
#include "view/IcoSphere.h"
#include "view/ParticleRecord.h"
#include "timeline/gui/PlayCtrlGUI.h"
#include "view/ShadowVolume.h"

namespace {

constexpr int kW = 96, kH = 72;

// One sphere of radius 0.5 at (0, 0, 1.5) above the plane z = 0; light straight down.
const float kPositions[3] = {0, 0, 1.5f};
const float kRadii[1] = {0.5f};
const double kShadowDir[3] = {0, 0, -1};

class ShadowGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<ShownGLCanvas>(kW, kH);
        ready = window->ready;
        RegisterShadowSettings();
        record.index = 0;
    }
    void TearDown() override { window.reset(); }

    void Look(const double eye[3], const double at[3], const double up[3]) {
        GLProjection_cls proj(kW, kH, 35, 0.03, 5000);
        const double dir[3] = {at[0] - eye[0], at[1] - eye[1], at[2] - eye[2]}, zero[3] = {0, 0, 0},
                     right[3] = {1, 0, 0};
        cam = GLCamera_cls(eye, zero, dir, up, right);
        cam.frame.SetDirUp(dir, up);
        proj.ApplyViewport();
        proj.Apply(cam, 0);
        cam.LoadModelview(GL_MODELVIEW);
    }

    void DrawScene() {
        glClearColor(0, 0, 0, 1);
        glClearStencil(0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        glColor3f(0.8f, 0.8f, 0.8f);
        glBegin(GL_QUADS);
        glVertex3d(-3, -3, 0);
        glVertex3d(3, -3, 0);
        glVertex3d(3, 3, 0);
        glVertex3d(-3, 3, 0);
        glEnd();
        glColor3f(1, 1, 1);
        glPushMatrix();
        glTranslatef(kPositions[0], kPositions[1], kPositions[2]);
        glScalef(kRadii[0], kRadii[0], kRadii[0]);
        sphere.CallPlain(2);
        glPopMatrix();
    }

    // The volume pass into the stencil buffer, then every place with a count above 0
    // darkened to half.
    void ShadowPasses(bool scaled) {
        double a1, a2;
        ShadowVolume_cls::AnglesForDirection(kShadowDir, a1, a2);
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        glDepthMask(GL_FALSE);
        glEnable(GL_STENCIL_TEST);
        glStencilFunc(GL_ALWAYS, 0, ~0u);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        volumes.MarkEyeInsideUniform(&record, 1, kPositions, 1.0f, cam.pose.position, kShadowDir, a1, a2);
        if (scaled)
            volumes.DrawVolumesScaled(&record, 1, kPositions, kRadii, 1.0f);
        else
            volumes.DrawVolumesUnity(&record, 1, kPositions, kRadii[0]);
        glPopAttrib();

        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glEnable(GL_STENCIL_TEST);
        glStencilFunc(GL_NOTEQUAL, 0, ~0u);
        glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glColor4f(0, 0, 0, 0.5f);
        glRectf(-1, -1, 1, 1);
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopAttrib();
    }

    int RedAt(const double p[3]) {
        double w[3];
        WindowOf(p[0], p[1], p[2], w);
        PixelProbe probe(kW, kH);
        return probe.At(int(w[0]), int(w[1]))[0];
    }

    std::unique_ptr<ShownGLCanvas> window;
    bool ready = false;
    GLCamera_cls cam;
    IcoSphere_cls sphere;
    ShadowVolume_cls volumes;
    ParticleRecord_cls record;
};

}  // namespace

TEST_F(ShadowGLTest, SphereCastsADarkerShadowOnlyWithShadowsOn) {
    if (!ready) GTEST_SKIP() << "no GL context";
    const double eye[3] = {1, -4, 6}, at[3] = {0, 0, 0}, up[3] = {0, 0, 1};
    const double below[3] = {0, 0, 0}, open[3] = {1.8, 1.2, 0}, top[3] = {0, 0, 2.0};
    for (bool scaled : {true, false}) {
        Look(eye, at, up);
        DrawScene();
        const int litBelow = RedAt(below), litOpen = RedAt(open);
        EXPECT_GT(litBelow, 180);  // shadows off: the plane below the sphere is fully lit
        EXPECT_NEAR(litBelow, litOpen, 2);

        ShadowPasses(scaled);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        EXPECT_NEAR(RedAt(below), litBelow / 2, 4) << (scaled ? "scaled" : "unity");
        EXPECT_NEAR(RedAt(open), litOpen, 2) << (scaled ? "scaled" : "unity");
        EXPECT_GT(RedAt(top), 230) << "the lit top of the sphere";
        EXPECT_TRUE(volumes.flags.empty());  // the batch drawers release the flags
    }
}

TEST_F(ShadowGLTest, EyeInsideTheShadowStillSeesIt) {
    if (!ready) GTEST_SKIP() << "no GL context";
    // Between the sphere and the plane, looking straight down: all the plane in view is in
    // the shadow, which only the eye-inside sequence counts right.
    const double eye[3] = {0.1, 0, 0.8}, at[3] = {0.1, 0, 0}, up[3] = {0, 1, 0};
    Look(eye, at, up);
    DrawScene();
    const double centre[3] = {0.1, 0, 0};
    const int lit = RedAt(centre);
    ShadowPasses(true);
    EXPECT_NEAR(RedAt(centre), lit / 2, 4);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ShadowGLTest, ZeroSizesDrawNothingAndQualityChangesTheSides) {
    if (!ready) GTEST_SKIP() << "no GL context";
    const double eye[3] = {1, -4, 6}, at[3] = {0, 0, 0}, up[3] = {0, 0, 1};
    Look(eye, at, up);
    DrawScene();
    double a1, a2;
    ShadowVolume_cls::AnglesForDirection(kShadowDir, a1, a2);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 0, ~0u);
    glEnable(GL_CULL_FACE);
    volumes.MarkEyeInsideUniform(&record, 1, kPositions, 0.0f, cam.pose.position, kShadowDir, a1, a2);
    volumes.DrawVolumesUnity(&record, 1, kPositions, 0.0f);
    const float zero[1] = {0.0f};
    volumes.DrawVolumesScaled(&record, 1, kPositions, zero, 1.0f);
    volumes.DrawVolume(kPositions, 0.0f, 0);
    std::vector<unsigned char> stencil(size_t(kW) * kH, 9);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kW, kH, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, stencil.data());
    for (unsigned char s : stencil) ASSERT_EQ(s, 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    // The side count follows "ShadowQuality=" at the next build. Seen along the volume, a
    // point at 0.967 of the radius half way between two corners of the 16-sided prism lies
    // outside it (its edge is at 0.98 cos 11.25 = 0.961) and inside the 24-sided one (0.974).
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    auto covered = [&](unsigned quality, double radius) {
        GoShadowConfig.quality.value = quality;
        volumes.BuildLists(a1, a2);
        // The rim angle t runs from +y towards +x for a volume pointing down.
        const double t = 11.25 * 3.14159 / 180.0;
        const double cx = radius * std::sin(t), cy = radius * std::cos(t);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(cx - 0.001, cx + 0.001, cy - 0.001, cy + 0.001, -100, 100);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 1, 1);
        glCallList(volumes.listA);
        PixelProbe probe(kW, kH);
        return IsLit(probe.At(kW / 2, kH / 2));
    };
    EXPECT_TRUE(covered(1, 0.955));
    EXPECT_FALSE(covered(1, 0.967));
    EXPECT_TRUE(covered(2, 0.967));
    GoShadowConfig.quality.value = 1;
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ShadowGLTest, AbortStopsAfterTheBatchAndProgressIsReported) {
    if (!ready) GTEST_SKIP() << "no GL context";
    const double eye[3] = {1, -4, 6}, at[3] = {0, 0, 0}, up[3] = {0, 0, 1};
    Look(eye, at, up);
    DrawScene();
    // 600 records: the first batch of 300 at the sphere, the second at (2, 2, 1.5).
    std::vector<float> positions(3 * 600);
    std::vector<ParticleRecord_cls> order(600);
    for (int i = 0; i < 600; ++i) {
        const bool second = i >= 300;
        positions[3 * size_t(i)] = second ? 2.0f : 0.0f;
        positions[3 * size_t(i) + 1] = second ? 2.0f : 0.0f;
        positions[3 * size_t(i) + 2] = 1.5f;
        order[size_t(i)].index = i;
    }
    std::vector<int> reported;
    volumes.progress = [&](int percent) { reported.push_back(percent); };
    double a1, a2;
    ShadowVolume_cls::AnglesForDirection(kShadowDir, a1, a2);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 0, ~0u);
    glEnable(GL_CULL_FACE);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);
    volumes.MarkEyeInsideUniform(order.data(), 600, positions.data(), 0.5f, cam.pose.position, kShadowDir, a1, a2);
    GbAbortDrawing = true;
    volumes.DrawVolumesUnity(order.data(), 600, positions.data(), 0.5f);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    EXPECT_FALSE(GbAbortDrawing);  // the drawer that sees the request clears it
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], 0);
    auto stencilAt = [&](double x, double y, double z) {
        double w[3];
        WindowOf(x, y, z, w);
        unsigned char s = 0;
        glReadPixels(int(w[0]), int(w[1]), 1, 1, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, &s);
        return int(s);
    };
    EXPECT_GT(stencilAt(0, 0, 0), 0);   // the first batch was drawn
    EXPECT_EQ(stencilAt(2, 2, 0), 0);   // the second was not
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
