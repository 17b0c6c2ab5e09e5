// Texture uploads read back: raw RGBA drawn as a screen quad, RGB images of awkward
// widths, files and text canvases.
#include <gtest/gtest.h>

#include <wx/dc.h>
#include <wx/image.h>

#include <vector>

#include "tests/support/TestFiles.h"
#include "tests/view/gui/GLTestCanvas.h"
#include "view/gui/GLTexture.h"
#include "view/gui/ScreenQuad.h"

namespace {

class GLTextureTest : public GLTestCanvas {
protected:
    std::vector<unsigned char> Level0(const GLTexture_cls& t, GLenum format, int channels, int& w, int& h) {
        t.Bind();
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
        std::vector<unsigned char> out(size_t(channels) * w * h);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        if (!out.empty()) glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, out.data());
        glBindTexture(GL_TEXTURE_2D, 0);
        return out;
    }
};

}  // namespace

TEST_F(GLTextureTest, RGBAQuadDrawsItsFourTexelsInTheirCorners) {
    if (!ready) GTEST_SKIP() << "no GL context";
    // 2 x 2 texels, bottom row first: red, green / blue, white.
    const unsigned char texels[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
    GLTexture_cls tex;
    tex.UploadRGBA(texels, 2, 2);
    ASSERT_NE(tex.name, 0u);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    DrawTextureQuad(tex, kSize, kSize, kSize, kSize, 0, 0, false);
    glFinish();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    struct Spot {
        int x, y;
        unsigned char r, g, b;
    };
    const Spot spots[] = {{4, 4, 255, 0, 0}, {60, 4, 0, 255, 0}, {4, 60, 0, 0, 255}, {60, 60, 255, 255, 255}};
    for (const Spot& s : spots) {
        unsigned char px[4];
        Pixel(s.x, s.y, px);
        EXPECT_NEAR(px[0], s.r, 8) << s.x << "," << s.y;
        EXPECT_NEAR(px[1], s.g, 8) << s.x << "," << s.y;
        EXPECT_NEAR(px[2], s.b, 8) << s.x << "," << s.y;
    }
    tex.Release();
    EXPECT_EQ(tex.name, 0u);
}

TEST_F(GLTextureTest, FittedQuadInModeOneIsASquareCentredInTheWidth) {
    if (!ready) GTEST_SKIP() << "no GL context";
    ShownGLCanvas wide(80, 60);
    ASSERT_TRUE(wide.ready);
    const unsigned char white[4] = {255, 255, 255, 255};
    GLTexture_cls tex;
    tex.UploadRGBA(white, 1, 1);
    glViewport(0, 0, 80, 60);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    DrawTextureFitted(tex, 80, 60, 1, false);
    glFinish();
    unsigned char px[4];
    Pixel(5, 30, px);
    EXPECT_LT(px[0], 20);  // left of the 60 x 60 square starting at x = 10
    Pixel(15, 30, px);
    EXPECT_GT(px[0], 230);
    Pixel(75, 30, px);
    EXPECT_LT(px[0], 20);
    tex.Release();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(GLTextureTest, RGBImagesOfAnyWidthAndImagesWithAlphaUploadExactly) {
    if (!ready) GTEST_SKIP() << "no GL context";
    for (int w : {30, 32, 7}) {
        wxImage image(w, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < w; ++x) image.SetRGB(x, y, (unsigned char)(x * 8), (unsigned char)(y * 60), 77);
        GLTexture_cls tex;
        tex.UploadImage(image);
        int tw = 0, th = 0;
        const auto bytes = Level0(tex, GL_RGB, 3, tw, th);
        ASSERT_EQ(tw, w);
        ASSERT_EQ(th, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < w; ++x) {
                const unsigned char* p = &bytes[3 * (size_t(y) * w + x)];
                ASSERT_EQ(p[0], x * 8) << "width " << w << " at " << x << "," << y;
                ASSERT_EQ(p[1], y * 60) << "width " << w << " at " << x << "," << y;
                ASSERT_EQ(p[2], 77);
            }
        tex.Release();
    }
    wxImage alpha(3, 1);
    alpha.SetRGB(wxRect(0, 0, 3, 1), 9, 8, 7);
    alpha.InitAlpha();
    alpha.SetAlpha(1, 0, 100);
    GLTexture_cls tex;
    tex.UploadImage(alpha);
    int tw = 0, th = 0;
    const auto bytes = Level0(tex, GL_RGBA, 4, tw, th);
    ASSERT_EQ(tw, 3);
    EXPECT_EQ(bytes[4 * 1 + 3], 100);
    EXPECT_EQ(bytes[4 * 1 + 0], 9);
    tex.Release();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(GLTextureTest, FilesLoadMirroredOnRequestAndFailuresKeepTheTexture) {
    if (!ready) GTEST_SKIP() << "no GL context";
    EnsureImageHandlers();
    testsupport::TempDir dir;
    wxImage image(2, 2);
    image.SetRGB(0, 0, 200, 0, 0);  // top row red
    image.SetRGB(1, 0, 200, 0, 0);
    image.SetRGB(0, 1, 0, 0, 200);  // bottom row blue
    image.SetRGB(1, 1, 0, 0, 200);
    ASSERT_TRUE(image.SaveFile(wxString::FromUTF8(dir.File("two.png")), wxBITMAP_TYPE_PNG));

    GLTexture_cls tex;
    ASSERT_TRUE(tex.LoadFile(dir.File("two.png"), true));
    int w = 0, h = 0;
    auto bytes = Level0(tex, GL_RGB, 3, w, h);
    EXPECT_EQ(bytes[2], 200);  // mirrored: the first uploaded row is the image's bottom (blue)
    ASSERT_TRUE(tex.LoadFile(dir.File("two.png"), false));
    bytes = Level0(tex, GL_RGB, 3, w, h);
    EXPECT_EQ(bytes[0], 200);

    const unsigned int name = tex.name;
    EXPECT_FALSE(tex.LoadFile("NONE", false));
    EXPECT_FALSE(tex.LoadFile(dir.File("missing.png"), false));
    EXPECT_EQ(tex.name, name);
    bytes = Level0(tex, GL_RGB, 3, w, h);
    EXPECT_EQ(bytes[0], 200);  // contents kept
    tex.Release();
}

TEST_F(GLTextureTest, CanvasUploadsAsLuminanceAndAlpha) {
    if (!ready) GTEST_SKIP() << "no GL context";
    GLTexture_cls tex;
    wxDC* dc = tex.CreateCanvas(16, 8);
    ASSERT_NE(dc, nullptr);
    dc->SetBackground(*wxBLACK_BRUSH);
    dc->Clear();
    dc->SetPen(*wxWHITE_PEN);
    dc->SetBrush(*wxWHITE_BRUSH);
    dc->DrawRectangle(8, 0, 8, 8);
    tex.UploadCanvas();
    int w = 0, h = 0;
    const auto bytes = Level0(tex, GL_LUMINANCE_ALPHA, 2, w, h);
    ASSERT_EQ(w, 16);
    ASSERT_EQ(h, 8);
    EXPECT_LT(bytes[2 * (4 * 16 + 2)], 20);
    EXPECT_GT(bytes[2 * (4 * 16 + 12)], 235);
    EXPECT_EQ(bytes[2 * (4 * 16 + 2) + 1], 255);
    tex.UploadCanvas();  // no canvas: nothing happens
    tex.Release();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
