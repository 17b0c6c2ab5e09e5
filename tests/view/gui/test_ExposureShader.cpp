// The exposure program on Mesa: it builds from its two files, and a textured quad drawn
// through it shows the colours the exposure mapping computes.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <wx/frame.h>
#include <wx/glcanvas.h>

#include <cmath>
#include <memory>

#include "platform/gui/GLEntryPoints.h"
#include "tests/view/gui/GLTestCanvas.h"
#include "view/ExposureSettings.h"

namespace {

constexpr int kTexels = 4, kCell = 16, kW = kTexels * kCell, kH = 16;  // a strip of the canvas
const unsigned char kTexture[kTexels][4] = {
    {51, 102, 153, 255}, {255, 0, 0, 255}, {255, 128, 0, 255}, {204, 102, 102, 255}};

class ExposureShaderTest : public GLTestCanvas {
protected:
    void SetUp() override {
        GLTestCanvas::SetUp();
        // As at the views' GL set-up: the program is built only when the entry points load.
        if (ready) ready = LoadGL2EntryPoints() == 0;
    }
    void TearDown() override {
        if (texture) glDeleteTextures(1, &texture);
        GLTestCanvas::TearDown();
    }

    // Draws the four texels across the canvas through the program and reads the centre
    // pixel of each cell.
    void DrawAndRead(ExposureSettings_cls& e, unsigned char out[kTexels][4]) {
        if (!texture) {
            glGenTextures(1, &texture);
            glBindTexture(GL_TEXTURE_2D, texture);
            glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kTexels, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, kTexture);
        }
        glViewport(0, 0, kW, kH);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
        e.BeginExposure();
        glColor4f(1, 1, 1, 1);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0); glVertex2f(-1, -1);
        glTexCoord2f(1, 0); glVertex2f(1, -1);
        glTexCoord2f(1, 1); glVertex2f(1, 1);
        glTexCoord2f(0, 1); glVertex2f(-1, 1);
        glEnd();
        e.EndExposure();
        glDisable(GL_TEXTURE_2D);
        glFinish();
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        for (int i = 0; i < kTexels; ++i)
            glReadPixels(i * kCell + kCell / 2, kH / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, out[i]);
    }

    GLuint texture = 0;
};

}  // namespace

TEST_F(ExposureShaderTest, ProgramBuildsAndFindsItsUniforms) {
    if (!ready) GTEST_SKIP() << "no GL context";
    ExposureSettings_cls e;
    ASSERT_TRUE(e.InitShader(true));
    EXPECT_TRUE(e.shaderAvailable);
    EXPECT_NE(e.program, 0u);
    for (int i = 0; i < 9; ++i) {
        if (std::string(ExposureSettings_cls::kUniformNames[i]) == "exposure") continue;  // never set
        EXPECT_NE(e.uniformLocation[i], -1) << ExposureSettings_cls::kUniformNames[i];
    }
    // Without the OpenGL 2 entry points nothing is applied.
    ExposureSettings_cls off;
    EXPECT_FALSE(off.InitShader(false));
    EXPECT_EQ(off.program, 0u);
}

TEST_F(ExposureShaderTest, DrawnColoursFollowTheMapping) {
    if (!ready) GTEST_SKIP() << "no GL context";
    ExposureSettings_cls e;
    ASSERT_TRUE(e.InitShader(true));
    struct Setting {
        const char* what;
        double low, high;
        float gamma;
        int hue, saturation;
        float alpha;
        int blend;
    };
    const Setting settings[] = {
        {"neutral", 0, 1, 1, 0, 0, 1, 0},
        {"levels and gamma", 0.1, 0.9, 2.2f, 0, 0, 1, 0},
        {"hue +120", 0, 1, 1, 120, 0, 1, 0},
        {"hue -90 and saturation -50", 0, 1, 1, -90, -50, 1, 0},
        {"saturation +100", 0, 1, 1, 0, 100, 1, 0},
        {"eye buffer copy at half alpha", 0, 1, 1, 0, 0, 0.5f, 1},
    };
    for (const Setting& s : settings) {
        e.level.values[0] = s.low;
        e.level.values[1] = s.high;
        e.gamma.value = s.gamma;
        e.hueOffset.value = s.hue;
        e.saturation.value = s.saturation;
        e.alpha = s.alpha;
        e.blendMode = s.blend;
        unsigned char got[kTexels][4];
        DrawAndRead(e, got);
        for (int i = 0; i < kTexels; ++i) {
            float in[4], want[4];
            for (int k = 0; k < 4; ++k) in[k] = kTexture[i][k] / 255.0f;
            ExposureSettings_cls::MapColour(e.Params(), in, want);
            for (int k = 0; k < 3; ++k)
                EXPECT_NEAR(got[i][k], want[k] * 255.0f, 2.0) << s.what << " texel " << i << " channel " << k;
        }
    }
    // The neutral program leaves the image as it was.
    e.level.values[0] = 0;
    e.level.values[1] = 1;
    e.gamma.value = 1;
    e.hueOffset.value = 0;
    e.saturation.value = 0;
    e.alpha = 1;
    e.blendMode = 0;
    unsigned char got[kTexels][4];
    DrawAndRead(e, got);
    for (int i = 0; i < kTexels; ++i)
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(got[i][k], kTexture[i][k], 1) << i << " " << k;
}
