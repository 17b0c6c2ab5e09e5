// The particle under the cursor: projection by the drawn matrices, the mapping of window
// points onto a direct or an off-screen target, and what is never picked.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "view/ParticleUnderCursor.h"

namespace {

// Orthographic 0..w x 0..h on a w x h viewport: world x, y are target pixels.
ViewMatrices Ortho(int w, int h) {
    ViewMatrices m;
    for (int i = 0; i < 16; ++i) m.modelview[i] = m.projection[i] = (i % 5 == 0) ? 1 : 0;
    m.projection[0] = 2.0 / w;
    m.projection[5] = 2.0 / h;
    m.projection[10] = -1;  // glOrtho(near -1, far 1)
    m.projection[12] = -1;
    m.projection[13] = -1;
    m.viewport[2] = w;
    m.viewport[3] = h;
    m.valid = true;
    return m;
}

// Perspective of 90 degrees, aspect 1, near 1, far 100, eye at the origin looking down -z.
ViewMatrices Perspective(int s) {
    ViewMatrices m;
    for (int i = 0; i < 16; ++i) m.modelview[i] = m.projection[i] = 0;
    m.modelview[0] = m.modelview[5] = m.modelview[10] = m.modelview[15] = 1;
    const double n = 1, f = 100;
    m.projection[0] = m.projection[5] = 1;  // cot(45 degrees)
    m.projection[10] = (f + n) / (n - f);
    m.projection[11] = -1;
    m.projection[14] = 2 * f * n / (n - f);
    m.viewport[2] = m.viewport[3] = s;
    m.valid = true;
    return m;
}

}  // namespace

TEST(ParticleUnderCursor, NearestWithinReachAndTheFrontOneOfASpot) {
    const ViewMatrices m = Ortho(200, 100);
    // Particles 0 and 1 at the same spot, 1 nearer the eye (z larger is nearer for glOrtho).
    const std::vector<float> p = {50, 50, -0.5f, 50, 50, 0.5f, 120, 40, 0, 10, 10, 0};
    EXPECT_EQ(NearestProjectedParticle(m, p.data(), nullptr, 4, 1, nullptr, 52, 49, 8), 1);
    EXPECT_EQ(NearestProjectedParticle(m, p.data(), nullptr, 4, 1, nullptr, 117, 42, 8), 2);
    EXPECT_EQ(NearestProjectedParticle(m, p.data(), nullptr, 4, 1, nullptr, 90, 90, 8), -1) << "nothing near";
    EXPECT_EQ(NearestProjectedParticle(m, p.data(), nullptr, 4, 1, nullptr, 90, 90, 1000), 1);
}

TEST(ParticleUnderCursor, HiddenSkippedAndOutsideParticlesAreNeverPicked) {
    const ViewMatrices m = Perspective(100);
    // Straight ahead: (0, 0, -5) lands on the centre (50, 50).
    const std::vector<float> p = {0, 0, -5,   0, 0, 5,   0.02f, 0, -5,   0, 0, -500,  0, 0, -5};
    const std::vector<uint8_t> types = {1, 0, 0, 0, 9};
    EXPECT_EQ(NearestProjectedParticle(m, p.data(), nullptr, 1, 1, nullptr, 50, 50, 3), 0);
    const bool onlyType0[4] = {true, false, false, false};
    // Particle 1 is behind the eye, 3 beyond the far plane, 0 and 4 of hidden types.
    EXPECT_EQ(NearestProjectedParticle(m, p.data(), types.data(), 5, 1, onlyType0, 50, 50, 3), 2);
    const bool only3[4] = {false, false, false, true};
    EXPECT_EQ(NearestProjectedParticle(m, p.data(), types.data(), 5, 1, only3, 50, 50, 3), 4)
        << "a type past 3 counts as 3";
    // Stride 2 considers particles 0, 2, 4 only.
    EXPECT_EQ(NearestProjectedParticle(m, p.data(), nullptr, 5, 2, nullptr, 50, 50, 3), 0);
    EXPECT_EQ(NearestProjectedParticle(m, p.data(), nullptr, 5, 4, nullptr, 50.2, 50, 3), 0);
    ViewMatrices invalid = m;
    invalid.valid = false;
    EXPECT_EQ(NearestProjectedParticle(invalid, p.data(), nullptr, 5, 1, nullptr, 50, 50, 3), -1);
    const std::vector<float> nan = {NAN, 0, -5};
    EXPECT_EQ(NearestProjectedParticle(m, nan.data(), nullptr, 1, 1, nullptr, 50, 50, 1e9), -1);
}

TEST(ParticleUnderCursor, WindowPointsMapOntoTheDrawnTarget) {
    struct Case {
        int vw, vh, w, h, x, y;
        double tx, ty;
    };
    const Case cases[] = {
        {300, 200, 300, 200, 0, 0, 0.5, 199.5},       // direct: y flipped, pixel centres
        {300, 200, 300, 200, 299, 199, 299.5, 0.5},
        {512, 512, 400, 200, 200, 100, 256.64, 255.36},  // square buffer over the wider side
        {512, 512, 400, 200, 0, 0, 0.64, 384 - 0.64},
        {512, 512, 200, 400, 100, 200, 256.64, 255.36},
    };
    for (const Case& c : cases) {
        ViewMatrices m;
        m.viewport[2] = c.vw;
        m.viewport[3] = c.vh;
        double tx = 0, ty = 0;
        ASSERT_TRUE(WindowToTarget(m, c.w, c.h, c.x, c.y, tx, ty));
        EXPECT_NEAR(tx, c.tx, 1e-9) << c.w << "x" << c.h << " " << c.x << "," << c.y;
        EXPECT_NEAR(ty, c.ty, 1e-9) << c.w << "x" << c.h << " " << c.x << "," << c.y;
    }
    ViewMatrices empty;
    double tx, ty;
    EXPECT_FALSE(WindowToTarget(empty, 100, 100, 1, 1, tx, ty));
}
