// The billboard texture of a particle attribute set: the default sprite, an image without
// alpha, an unreadable file; and the shader switch of a set.
#include <gtest/gtest.h>

#include <wx/image.h>

#include <vector>

#include "platform/gui/GLEntryPoints.h"
#include "tests/support/TestFiles.h"
#include "tests/view/gui/GLTestCanvas.h"
#include "view/ParticleAttrib.h"
#include "view/gui/ShaderProgram.h"

namespace {

class ParticleAttribGLTest : public GLTestCanvas {
protected:
    // The bound texture's level 0 as RGBA rows (bottom row first), with its size.
    std::vector<unsigned char> TextureBytes(unsigned int name, int& w, int& h) {
        glBindTexture(GL_TEXTURE_2D, name);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
        std::vector<unsigned char> out(size_t(4) * w * h);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        if (!out.empty()) glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
        return out;
    }
};

}  // namespace

TEST_F(ParticleAttribGLTest, DefaultSpriteIsASoftRoundParticle) {
    if (!ready) GTEST_SKIP() << "no GL context";
    ParticleAttrib_cls set(nullptr, 0, 0);
    set.UploadBillboard();
    ASSERT_NE(set.billboardTexture, 0u);
    int w = 0, h = 0;
    const auto bytes = TextureBytes(set.billboardTexture, w, h);
    ASSERT_EQ(w, 64);
    ASSERT_EQ(h, 64);
    auto alpha = [&](int x, int y) { return int(bytes[4 * (size_t(y) * w + x) + 3]); };
    EXPECT_GT(alpha(32, 32), 240);                     // opaque middle
    EXPECT_EQ(alpha(0, 0), 0);                         // clear corners
    EXPECT_EQ(alpha(63, 63), 0);
    EXPECT_GT(alpha(32, 16), 20);                      // soft falloff: half way out is partly covered
    EXPECT_LT(alpha(32, 16), alpha(32, 24));
    EXPECT_EQ(bytes[4 * (32 * 64 + 32)], 255);         // white, coloured by the particle colour
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_NEAREST);

    // Uploading again replaces the texture.
    const unsigned int first = set.billboardTexture;
    set.UploadBillboard();
    EXPECT_NE(set.billboardTexture, 0u);
    EXPECT_FALSE(glIsTexture(first) && first != set.billboardTexture);
}

TEST_F(ParticleAttribGLTest, ImageWithoutAlphaIsOpaqueAndMissingFileIsEmpty) {
    if (!ready) GTEST_SKIP() << "no GL context";
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    testsupport::TempDir dir;
    wxImage rgb(4, 2);
    rgb.SetRGB(wxRect(0, 0, 4, 2), 10, 200, 30);
    ASSERT_TRUE(rgb.SaveFile(wxString::FromUTF8(dir.File("rgb.png")), wxBITMAP_TYPE_PNG));

    ParticleAttrib_cls set(nullptr, 1, 2);
    set.texFileBillboard.text = wxString::FromUTF8(dir.File("rgb.png"));
    set.UploadBillboard();
    int w = 0, h = 0;
    auto bytes = TextureBytes(set.billboardTexture, w, h);
    ASSERT_EQ(w, 4);
    ASSERT_EQ(h, 2);
    for (int p = 0; p < 8; ++p) {
        EXPECT_EQ(bytes[4 * p + 1], 200) << p;
        EXPECT_EQ(bytes[4 * p + 3], 255) << p;
    }

    set.texFileBillboard.text = wxString::FromUTF8(dir.File("no such sprite.png"));
    set.UploadBillboard();
    EXPECT_NE(set.billboardTexture, 0u);
    bytes = TextureBytes(set.billboardTexture, w, h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(set.billboardWidth, 0);
    EXPECT_TRUE(testsupport::ModalTitles().empty());  // drawing goes on without a box
}

TEST_F(ParticleAttribGLTest, SetSwitchesToItsShader) {
    if (!ready) GTEST_SKIP() << "no GL context";
    ASSERT_EQ(LoadGL2EntryPoints(), 0);
    ParticleAttrib_cls set(nullptr, 0, 3);
    set.shaderType.value = 2;
    set.UseShader(1);  // no manager yet: nothing happens
    GLint current = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(current, 0);
    ShaderProgram_cls::Create(canvas, true);
    ASSERT_TRUE(GpShaderProgram->enabled);
    set.UseShader(1);
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(GLuint(current), GpShaderProgram->phong);
    {
        // Another set going away leaves the shared manager in place.
        ParticleAttrib_cls other(nullptr, 0, 1);
    }
    ASSERT_NE(GpShaderProgram, nullptr);
    set.StopShader();
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(current, 0);
    ShaderProgram_cls::Destroy();
}
