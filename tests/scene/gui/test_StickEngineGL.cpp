// Sticks in GL: lines in the line colour where the sticks run, the periodic image of a
// stick only in copies whose neighbour mask holds its class, and lit cylinders.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <memory>

#include "scene/StickEngine.h"
#include "tests/view/gui/GLTestCanvas.h"

namespace {

constexpr int kW = 128, kH = 96;

class StickEngineGL : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<ShownGLCanvas>(kW, kH);
        if (!window->ready) return;
        glViewport(0, 0, kW, kH);
        // One world unit per pixel, pixel centres at half units.
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, kW, 0, kH, -50, 50);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        Clear();
    }
    void TearDown() override { window.reset(); }
    static void Clear() {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    static std::array<int, 4> At(int x, int y) {
        unsigned char c[4];
        glFinish();
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, c);
        return {c[0], c[1], c[2], c[3]};
    }
    static bool Grey(int x, int y) {
        const std::array<int, 4> c = At(x, y);
        return std::abs(c[0] - 178) < 4 && std::abs(c[1] - 178) < 4 && std::abs(c[2] - 178) < 4;
    }
    std::unique_ptr<ShownGLCanvas> window;
};

}  // namespace

TEST_F(StickEngineGL, LinesFollowTheClassAndTheNeighbourMask) {
    if (!window->ready) GTEST_SKIP() << "no GL context";
    // P0 (10.5, 10.5), P1 (30.5, 10.5); box edges 40 along x and y.
    const float pos[6] = {10.5f, 10.5f, 0, 30.5f, 10.5f, 0};
    StickEngine_cls e;
    e.Append(0, 1, 0, 1.0f);  // plain: P0 to P1
    e.Append(0, 1, 3, 1.0f);  // class 3: P0 to P1 + Ex + Ey = (70.5, 50.5)
    e.Append(0, 1, 9, 1.0f);  // no image class: never drawn
    const float base[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const float size[3] = {40, 40, 40};
    e.SetPeriodicOffsets(base, size);
    e.DrawGL(pos, 0, 1.0f, 0.5f, 3.0f, 3);
    EXPECT_FALSE(Grey(20, 10)) << "nothing is drawn before the list is checked";
    e.CheckIndices(2);
    ASSERT_TRUE(e.Valid());

    struct Case {
        int mask;
        bool image;
    };
    for (const Case c : {Case{0, false}, Case{1, false}, Case{3, true}, Case{7, true}}) {
        Clear();
        e.DrawGL(pos, 0, 1.0f, 0.5f, 3.0f, c.mask);
        EXPECT_TRUE(Grey(20, 10)) << "mask " << c.mask;
        EXPECT_EQ(Grey(40, 30), c.image) << "mask " << c.mask;  // halfway to the image
        EXPECT_FALSE(Grey(60, 10)) << "mask " << c.mask;
    }
    GLfloat width = 0;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_EQ(width, 1.0f) << "the line width is restored";

    // An index beyond the count: nothing at all.
    e.CheckIndices(1);
    Clear();
    e.DrawGL(pos, 0, 1.0f, 0.5f, 3.0f, 7);
    EXPECT_FALSE(Grey(20, 10));
}

TEST_F(StickEngineGL, CylindersAreLitAndSkipSticksAlongZ) {
    if (!window->ready) GTEST_SKIP() << "no GL context";
    const float pos[6] = {20, 30, 0, 100, 30, 0};
    StickEngine_cls e;
    e.Append(0, 1, 0, 1.0f);  // along x
    e.CheckIndices(2);
    const GLfloat light[4] = {0, 0, 1, 0}, white[4] = {1, 1, 1, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glEnable(GL_LIGHT0);
    glEnable(GL_DEPTH_TEST);
    e.DrawGL(pos, 1, 1.0f, 5.0f, 1.0f, 0);
    const std::array<int, 4> mid = At(60, 30);
    EXPECT_GT(mid[0], 150) << "the cylinder's near side faces the light";
    EXPECT_EQ(At(60, 30 + 8)[0], 0) << "beyond the radius";
    // Seen from the side (z up the screen): a stick exactly along z has no side direction
    // and is left out; one leaning a little is drawn.
    for (bool lean : {false, true}) {
        Clear();
        const float zpos[6] = {60, 70, -10, lean ? 60.5f : 60.0f, 70, 10};
        StickEngine_cls z;
        z.Append(0, 1, 0, 1.0f);
        z.CheckIndices(2);
        glPushMatrix();
        glTranslatef(60, 70, 0);
        glRotatef(-90, 1, 0, 0);
        glTranslatef(-60, -70, 0);
        z.DrawGL(zpos, 1, 1.0f, 3.0f, 1.0f, 0);
        glPopMatrix();
        const std::array<int, 4> c = At(60, 70);
        EXPECT_EQ(c[0] + c[1] + c[2] > 0, lean) << (lean ? "leaning" : "along z");
    }
    // Another stick type draws nothing.
    Clear();
    e.DrawGL(pos, 2, 1.0f, 5.0f, 1.0f, 0);
    EXPECT_EQ(At(60, 30)[0], 0);
}
