// GL entry points: version and extension parsing, and the fetched frame-buffer, blend
// equation and blend colour functions drawing into an off-screen buffer.
#include <gtest/gtest.h>

#include "platform/gui/GLEntryPoints.h"
#include "tests/view/gui/GLTestCanvas.h"

TEST(GLEntryPointsText, VersionAndExtensionTokens) {
    struct V { const char* text; bool ok; int major, minor; };
    const V versions[] = {
        {"4.5 (Compatibility Profile) Mesa 22.3.6", true, 4, 5},
        {"1.1.0", true, 1, 1},
        {"2.1 Mesa 7.0", true, 2, 1},
        {"OpenGL ES 3.2 Mesa 22.3.6", true, 3, 2},
        {"10.12", true, 10, 12},
        {"", false, 0, 0},
        {"Mesa 4.5", false, 0, 0},
        {"4", false, 0, 0},
        {nullptr, false, 0, 0},
    };
    for (const V& v : versions) {
        int a = -1, b = -1;
        EXPECT_EQ(ParseGLVersion(v.text, a, b), v.ok) << (v.text ? v.text : "null");
        EXPECT_EQ(a, v.major);
        EXPECT_EQ(b, v.minor);
    }
    const char* list = "GL_ARB_multitexture GL_EXT_blend_minmax GL_EXT_framebuffer_object_extra GL_EXT_abgr";
    struct E { const char* name; bool has; };
    const E names[] = {
        {"GL_ARB_multitexture", true},  {"GL_EXT_blend_minmax", true}, {"GL_EXT_abgr", true},
        {"GL_EXT_blend", false},        {"GL_EXT_framebuffer_object", false},  // only a longer name
        {"EXT_blend_minmax", false},    {"", false},
    };
    for (const E& e : names) EXPECT_EQ(ExtensionListHas(list, e.name), e.has) << e.name;
    EXPECT_FALSE(ExtensionListHas(nullptr, "GL_EXT_abgr"));
}

class GLEntryPointsTest : public GLTestCanvas {};

TEST_F(GLEntryPointsTest, FramebufferAndBlendFunctionsDraw) {
    if (!ready) GTEST_SKIP() << "no GL context";
    ASSERT_EQ(LoadGL2EntryPoints(), 0);
    ASSERT_EQ(LoadGLExtEntryPoints(), 0);
    ASSERT_NE(gl::GenFramebuffersEXT, nullptr);
    ASSERT_NE(gl::BlendColor, nullptr);
    ASSERT_NE(gl::BlendEquationEXT, nullptr);

    // A 16 x 16 colour render buffer behind a frame buffer.
    GLuint fbo = 0, rb = 0;
    gl::GenFramebuffersEXT(1, &fbo);
    gl::GenRenderbuffersEXT(1, &rb);
    gl::BindRenderbufferEXT(GL_RENDERBUFFER_EXT, rb);
    gl::RenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_RGBA8, 16, 16);
    gl::BindFramebufferEXT(GL_FRAMEBUFFER_EXT, fbo);
    gl::FramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_RENDERBUFFER_EXT, rb);
    ASSERT_EQ(gl::CheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT), GLenum(GL_FRAMEBUFFER_COMPLETE_EXT));
    glViewport(0, 0, 16, 16);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0.5f, 0.5f, 0.5f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    // White scaled by the blend colour, subtracted from the grey background.
    glEnable(GL_BLEND);
    gl::BlendColor(0.25f, 0.5f, 0.0f, 1.0f);
    glBlendFunc(GL_CONSTANT_COLOR, GL_ONE);
    gl::BlendEquationEXT(GL_FUNC_REVERSE_SUBTRACT);
    glColor4f(1, 1, 1, 1);
    glRectf(-1, -1, 1, 1);
    glFinish();
    unsigned char px[4] = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_COLOR_ATTACHMENT0_EXT);
    glReadPixels(8, 8, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, px);
    EXPECT_NEAR(px[0], 64, 2);   // 0.5 - 0.25
    EXPECT_NEAR(px[1], 0, 1);    // 0.5 - 0.5
    EXPECT_NEAR(px[2], 128, 2);  // 0.5 - 0
    gl::BlendEquationEXT(GL_FUNC_ADD);
    glDisable(GL_BLEND);
    gl::BindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    gl::DeleteFramebuffersEXT(1, &fbo);
    gl::DeleteRenderbuffersEXT(1, &rb);
}
