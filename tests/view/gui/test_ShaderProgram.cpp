// The shader programs on the real driver: every program builds from "GL/", the Phong
// program lights a quad per pixel as computed here, the fog and shadow-volume uniforms follow
// the fixed state, and broken or missing shader files are reported without a crash.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/ProgramPaths.h"
#include "platform/gui/GLEntryPoints.h"
#include "tests/support/TestFiles.h"
#include "tests/view/gui/GLTestCanvas.h"
#include "view/gui/ShaderProgram.h"

namespace {

class ShaderProgramTest : public GLTestCanvas {
protected:
    void SetUp() override {
        GLTestCanvas::SetUp();
        ready = ready && LoadGL2EntryPoints() == 0;
    }
    void TearDown() override {
        ShaderProgram_cls::Destroy();
        GLTestCanvas::TearDown();
    }

    // One white light at eye-space `lightPos`, no ambient anywhere, a diffuse-only material.
    void SetUpLighting(const float lightPos[4], const float diffuse[4]) {
        const float zero[4] = {0, 0, 0, 1}, white[4] = {1, 1, 1, 1};
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, zero);
        glLightfv(GL_LIGHT0, GL_POSITION, lightPos);
        glLightfv(GL_LIGHT0, GL_AMBIENT, zero);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
        glLightfv(GL_LIGHT0, GL_SPECULAR, zero);
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, zero);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, zero);
        glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, zero);
    }

    // Clears to black and draws a quad facing +z at eye depth z over the whole viewport
    // (orthographic, x and y from -1 to 1).
    void DrawQuad(float z) {
        glViewport(0, 0, kSize, kSize);
        glDisable(GL_DEPTH_TEST);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1, 1, -1, 1, -4, 4);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glBegin(GL_QUADS);
        glNormal3f(0, 0, 1);
        glVertex3f(-1, -1, z);
        glVertex3f(1, -1, z);
        glVertex3f(1, 1, z);
        glVertex3f(-1, 1, z);
        glEnd();
        glFinish();
    }

    // Eye-space centre of pixel (x, y) on the quad.
    static void PixelCentre(int x, int y, float p[2]) {
        p[0] = (x + 0.5f) * 2.0f / kSize - 1.0f;
        p[1] = (y + 0.5f) * 2.0f / kSize - 1.0f;
    }

    int UniformInt(unsigned int program, int location) {
        GLint v = -99;
        gl::GetUniformiv(program, location, &v);
        return v;
    }

};

}  // namespace

TEST_F(ShaderProgramTest, EveryProgramBuildsFromItsFiles) {
    if (!ready) GTEST_SKIP() << "no GL 2.0 context";
    ShaderProgram_cls::Create(canvas, true);
    ASSERT_NE(GpShaderProgram, nullptr);
    EXPECT_TRUE(GpShaderProgram->enabled);
    EXPECT_TRUE(testsupport::ModalTitles().empty());
    for (unsigned int p : {GpShaderProgram->gouraud, GpShaderProgram->phong, GpShaderProgram->cartoon}) {
        ASSERT_NE(p, 0u);
        GLint linked = 0;
        gl::GetProgramiv(p, GL_LINK_STATUS, &linked);
        EXPECT_TRUE(linked);
    }
    // Every uniform the drawing code sets is declared and used by its program.
    for (int loc : {GpShaderProgram->lightNumberGouraud, GpShaderProgram->lightNumberPhong, GpShaderProgram->fogMode,
                    GpShaderProgram->lightNumberCartoon, GpShaderProgram->shadowVolumeModeCartoon,
                    GpShaderProgram->boldnessCartoon})
        EXPECT_GE(loc, 0);
    // The cartoon program starts with no lights and the boldness setting.
    GLfloat bold = 0;
    gl::GetUniformfv(GpShaderProgram->cartoon, GpShaderProgram->boldnessCartoon, &bold);
    EXPECT_FLOAT_EQ(bold, 0.3f);
    EXPECT_EQ(UniformInt(GpShaderProgram->cartoon, GpShaderProgram->lightNumberCartoon), 0);
    // A second Create keeps the first manager.
    ShaderProgram_cls* first = GpShaderProgram;
    ShaderProgram_cls::Create(canvas, true);
    EXPECT_EQ(GpShaderProgram, first);
}

TEST_F(ShaderProgramTest, PhongLightsAQuadPerPixel) {
    if (!ready) GTEST_SKIP() << "no GL 2.0 context";
    ShaderProgram_cls::Create(canvas, true);
    ASSERT_TRUE(GpShaderProgram->enabled);
    // A point light half a unit in front of the quad's centre: the diffuse term is
    // kd * cos(angle) = kd * 0.5 / distance, brightest in the middle, per pixel.
    const float light[4] = {0, 0, 0.5f, 1}, kd[4] = {0.8f, 0.6f, 0.4f, 1};
    SetUpLighting(light, kd);
    GpShaderProgram->Use(2, 1);
    DrawQuad(0);
    const int spots[][2] = {{32, 32}, {31, 31}, {40, 28}, {10, 50}, {0, 0}, {63, 20}};
    for (const auto& s : spots) {
        float p[2];
        PixelCentre(s[0], s[1], p);
        const float nl = 0.5f / std::sqrt(p[0] * p[0] + p[1] * p[1] + 0.25f);
        unsigned char px[4];
        Pixel(s[0], s[1], px);
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(px[c], kd[c] * nl * 255.0f, 2.0) << "pixel " << s[0] << "," << s[1] << " channel " << c;
    }
    // The Gouraud program lights only the corners (cos = 0.5 / 1.5) and interpolates:
    // its centre stays far darker than Phong's.
    GpShaderProgram->Use(1, 1);
    DrawQuad(0);
    unsigned char centre[4];
    Pixel(32, 32, centre);
    EXPECT_NEAR(centre[0], 0.8f * (0.5f / 1.5f) * 255.0f, 3.0);
    // Stop returns to the fixed pipeline.
    GpShaderProgram->Stop();
    GLint current = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(current, 0);
}

TEST_F(ShaderProgramTest, PhongTakesTheFixedFog) {
    if (!ready) GTEST_SKIP() << "no GL 2.0 context";
    ShaderProgram_cls::Create(canvas, true);
    ASSERT_TRUE(GpShaderProgram->enabled);
    // A directional light straight on: the lit colour is kd everywhere.
    const float light[4] = {0, 0, 1, 0}, kd[4] = {0.8f, 0.6f, 0.4f, 1};
    SetUpLighting(light, kd);
    const float fogColour[4] = {0, 0, 1, 1};
    glFogfv(GL_FOG_COLOR, fogColour);
    struct Case { GLint mode; int uniform; float f; };
    // The quad stands at eye distance 0.5; linear fog from 0 to 2, density 2.
    const Case cases[] = {{GL_LINEAR, 3, (2.0f - 0.5f) / 2.0f},
                          {GL_EXP, 1, std::exp(-2.0f * 0.5f)},
                          {GL_EXP2, 2, std::exp(-1.0f)}};
    for (const Case& c : cases) {
        glEnable(GL_FOG);
        glFogi(GL_FOG_MODE, c.mode);
        glFogf(GL_FOG_START, 0);
        glFogf(GL_FOG_END, 2);
        glFogf(GL_FOG_DENSITY, 2);
        GpShaderProgram->Use(2, 1);
        EXPECT_EQ(UniformInt(GpShaderProgram->phong, GpShaderProgram->fogMode), c.uniform);
        DrawQuad(-0.5f);
        unsigned char px[4];
        Pixel(20, 40, px);
        EXPECT_NEAR(px[0], 0.8f * c.f * 255, 2.0) << c.uniform;
        EXPECT_NEAR(px[2], (0.4f * c.f + (1 - c.f)) * 255, 2.0) << c.uniform;
    }
    glDisable(GL_FOG);
    GpShaderProgram->Use(2, 1);
    EXPECT_EQ(UniformInt(GpShaderProgram->phong, GpShaderProgram->fogMode), 0);
    GpShaderProgram->Stop();
}

TEST_F(ShaderProgramTest, CartoonShadowVolumeModeFollowsLightZero) {
    if (!ready) GTEST_SKIP() << "no GL 2.0 context";
    ShaderProgram_cls::Create(canvas, true);
    ASSERT_TRUE(GpShaderProgram->enabled);
    struct Case { float ambientRed; int lights; int want; };
    const Case cases[] = {{0.0f, 1, 0}, {0.0f, 2, 1}, {0.2f, 1, 1}};
    for (const Case& c : cases) {
        const float ambient[4] = {c.ambientRed, 0, 0, 1};
        glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
        GpShaderProgram->Use(3, c.lights);
        EXPECT_EQ(UniformInt(GpShaderProgram->cartoon, GpShaderProgram->shadowVolumeModeCartoon), c.want)
            << c.ambientRed << " " << c.lights;
        EXPECT_EQ(UniformInt(GpShaderProgram->cartoon, GpShaderProgram->lightNumberCartoon), c.lights);
    }
    // The boldness comes from its settings line at every switch.
    ASSERT_TRUE(GpShaderProgram->settings.OfferLine("CartoonBoldness=0.55\r\n"));
    GpShaderProgram->Use(3, 1);
    GLfloat bold = 0;
    gl::GetUniformfv(GpShaderProgram->cartoon, GpShaderProgram->boldnessCartoon, &bold);
    EXPECT_FLOAT_EQ(bold, 0.55f);
    EXPECT_EQ(GpShaderProgram->settings.WriteAll(), "CartoonBoldness=0.550000\r\n");
    GpShaderProgram->Stop();
}

TEST_F(ShaderProgramTest, WithoutGLSLNothingIsBuiltOrUsed) {
    if (!ready) GTEST_SKIP() << "no GL 2.0 context";
    ShaderProgram_cls::Create(canvas, false);
    EXPECT_FALSE(GpShaderProgram->enabled);
    EXPECT_EQ(GpShaderProgram->phong, 0u);
    GpShaderProgram->Use(2, 1);
    GLint current = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(current, 0);
}

TEST_F(ShaderProgramTest, BrokenShaderFilesAreReported) {
    if (!ready) GTEST_SKIP() << "no GL 2.0 context";
    testsupport::TempDir dir;
    const std::string good = platform::FindProgramData("GL/Phong.vert");
    const std::string goodFrag = platform::FindProgramData("GL/Phong.frag");
    const std::string dummy = platform::FindProgramData("GL/Dummy.frag");
    testsupport::WriteFile(dir.File("bad.frag"), "#version 110\nvoid main() { gl_FragColor = vec4(1.0) }\n");
    testsupport::WriteFile(dir.File("bad.vert"), "#version 110\nvoid main() { gl_Position = ; }\n");
    testsupport::WriteFile(dir.File("needs.frag"),
                           "#version 110\nvarying vec3 neverWritten;\nvoid main() { gl_FragColor = vec4(neverWritten, 1.0); }\n");
    struct Case {
        const char* what;
        std::string vert, frag, dummy;
        bool enabledAfter;
        const char* message;  // start of the box's text; empty: no box
    };
    const Case cases[] = {
        {"missing vertex file", dir.File("absent.vert"), goodFrag, dummy, false, ""},
        {"missing fallback file", good, goodFrag, dir.File("absent.frag"), false, ""},
        {"fragment replaced by fallback", good, dir.File("bad.frag"), dummy, true, "Compile error in exposure-fragment\n"},
        {"fallback broken too", good, dir.File("bad.frag"), dir.File("bad.frag"), false,
         "Compile error in exposure-fragment\n"},
        {"vertex does not compile", dir.File("bad.vert"), goodFrag, dummy, false, "Compile error in exposure-vertex\n"},
        {"does not link", good, dir.File("needs.frag"), dummy, false, "Linking error in "},
    };
    for (const Case& c : cases) {
        testsupport::ResetModals();
        ShaderProgram_cls manager;
        manager.enabled = true;
        unsigned int& program = manager.phong;  // built in the Phong place, so Use(2) shows it
        program = 99;
        ::testing::internal::CaptureStderr();
        const bool ok = manager.BuildProgram(canvas, program, c.vert, c.frag, c.dummy);
        const std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(ok, c.enabledAfter) << c.what;
        EXPECT_EQ(manager.enabled, c.enabledAfter) << c.what;
        EXPECT_EQ(program != 0, c.enabledAfter) << c.what;
        const auto messages = testsupport::ModalMessages();
        if (*c.message == '\0') {
            EXPECT_TRUE(messages.empty()) << c.what;
            EXPECT_NE(err.find("absent."), std::string::npos) << c.what << ": " << err;
        } else {
            ASSERT_FALSE(messages.empty()) << c.what;
            EXPECT_TRUE(messages[0].StartsWith(c.message)) << c.what << ": " << messages[0];
            EXPECT_EQ(testsupport::ModalTitles()[0], "!!");
        }
        if (std::string(c.what) == "fallback broken too") {
            ASSERT_EQ(messages.size(), 2u);
            EXPECT_TRUE(messages[1].StartsWith("Compile error in exposure-dummy-fragment\n"));
        }
        if (std::string(c.what) == "does not link") {
            EXPECT_EQ(messages[0], "Linking error in " + wxString::FromUTF8(dir.File("needs.frag")) + "\n");
        }
        // A disabled manager switches nothing.
        manager.Use(2, 1);
        GLint current = -1;
        glGetIntegerv(GL_CURRENT_PROGRAM, &current);
        EXPECT_EQ(current != 0, c.enabledAfter) << c.what;
        manager.Stop();
    }
}
