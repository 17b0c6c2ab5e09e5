// BG filter in GL: stars at their generated places, the colour sky green at the horizon and
// red at the poles ("Even"), the fisheye dome over the upper half only, brightness 0 draws
// nothing, and the star list is rebuilt only when its inputs change.
#include <gtest/gtest.h>

#include <GL/glu.h>
#include <wx/image.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "filters/ColorCurve.h"
#include "filters/FilterBG.h"
#include "filters/FilterCtrl.h"
#include "tests/support/TestFiles.h"
#include "tests/view/gui/GLTestCanvas.h"
#include "tests/view/gui/PixelProbe.h"
#include "timeline/Parameter.h"
#include "view/IcoSphere.h"
#include "view/gui/GLTexture.h"

namespace {

class BGFilterGL : public GLTestCanvas {
protected:
    void SetUp() override {
        GLTestCanvas::SetUp();
        undoWas_ = GbParamUndoEnabled;
        GbParamUndoEnabled = 0;
        // The sphere's lists belong to a context: this test's own, in its own sphere.
        savedIco_ = GpIcoSphere;
        GpIcoSphere = &ico_;
        bg = std::make_unique<FilterBG_cls>(nullptr);
        bg->Data()->SetScaleKey(1, 1, 1);
    }
    void TearDown() override {
        bg.reset();
        GpIcoSphere = savedIco_;
        GbParamUndoEnabled = undoWas_;
        GLTestCanvas::TearDown();
    }
    /// A camera at the origin looking along `dir` (up +z, or +y when looking along z).
    void Look(double dx, double dy, double dz) {
        glViewport(0, 0, kSize, kSize);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(40, 1, 0.1, 5000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        const bool vertical = std::fabs(dz) > 0.9;
        gluLookAt(0, 0, 0, dx, dy, dz, 0, vertical ? 1 : 0, vertical ? 0 : 1);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    std::unique_ptr<FilterBG_cls> bg;

private:
    IcoSphere_cls ico_;
    IcoSphere_cls* savedIco_ = nullptr;
    unsigned char undoWas_ = 1;
};

bool Bright(const unsigned char* p) { return p[0] > 100 && p[1] > 100 && p[2] > 100; }

/// Writes a 32 x 32 PNG picture of one colour to `file`.
bool WritePlainPng(const std::string& file, unsigned char r, unsigned char g, unsigned char b) {
    EnsureImageHandlers();
    wxImage plain(32, 32);
    plain.SetRGB(wxRect(0, 0, 32, 32), r, g, b);
    return plain.SaveFile(file, wxBITMAP_TYPE_PNG);
}

}  // namespace

TEST_F(BGFilterGL, StarsAtTheirGeneratedPlaces) {
    if (!ready) GTEST_SKIP() << "no GL context";
    FilterBGData_cls* d = bg->Data();
    d->starNumber.value = 40;
    d->bgScale.value = 10;
    d->starScale.value = 3;
    const std::vector<BGStar_cls> stars = MakeStarField(40, 10, 3);
    // Look at the brightest star (the last ones have alpha 1).
    const BGStar_cls& s = stars.back();
    Look(s.position[0], s.position[1], s.position[2]);
    bg->Draw(0);
    {
        PixelProbe probe(kSize, kSize);
        EXPECT_TRUE(probe.Near(kSize / 2, kSize / 2, 1, Bright));
        // Away from every star, the sky stays black.
        int x0, y0, x1, y1;
        ASSERT_TRUE(probe.Box(Bright, x0, y0, x1, y1));
        EXPECT_LT(x1 - x0, kSize);
    }
    // A brightness typed far beyond the limit draws the limit's passes, and the paint ends.
    d->brightness.value = 1e9f;
    Look(s.position[0], s.position[1], s.position[2]);
    bg->Draw(0);
    {
        PixelProbe probe(kSize, kSize);
        EXPECT_TRUE(probe.Near(kSize / 2, kSize / 2, 1, Bright));
    }
    // Brightness 0 draws nothing.
    d->brightness.value = 0;
    Look(s.position[0], s.position[1], s.position[2]);
    bg->Draw(0);
    {
        PixelProbe probe(kSize, kSize);
        int x0, y0, x1, y1;
        EXPECT_FALSE(probe.Box([](const unsigned char* p) { return p[0] > 10; }, x0, y0, x1, y1));
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(BGFilterGL, ColourSkyEvenIsGreenAtTheHorizonAndRedAtThePoles) {
    if (!ready) GTEST_SKIP() << "no GL context";
    FilterBGData_cls* d = bg->Data();
    d->bgType.value = 2;
    d->colors[0]->useColorCurve.value = 1;
    unsigned char px[4];
    Look(1, 0, 0);
    bg->Draw(0);
    Pixel(kSize / 2, kSize / 2, px);
    EXPECT_LT(px[0], 60);
    EXPECT_GT(px[1], 190);
    Look(0, 0, 1);
    bg->Draw(0);
    Pixel(kSize / 2, kSize / 2, px);
    EXPECT_GT(px[0], 190);
    EXPECT_LT(px[1], 60);
    Look(0, 0, -1);
    bg->Draw(0);
    Pixel(kSize / 2, kSize / 2, px);
    EXPECT_GT(px[0], 190);
    // "Odd": the nadir takes the curve's start (green); a constant colour fills the sky.
    d->colorMap.value = 0;
    Look(0, 0, -1);
    bg->Draw(0);
    Pixel(kSize / 2, kSize / 2, px);
    EXPECT_GT(px[1], 190);
    d->colors[0]->useColorCurve.value = 0;
    Look(1, 0, 0);
    bg->Draw(0);
    Pixel(kSize / 2, kSize / 2, px);
    EXPECT_NEAR(px[0], 25, 3);  // 0.1 0.3 0.5
    EXPECT_NEAR(px[1], 76, 3);
    EXPECT_NEAR(px[2], 127, 3);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(BGFilterGL, FisheyeDomeCoversTheUpperHalfOnly) {
    if (!ready) GTEST_SKIP() << "no GL context";
    testsupport::TempDir dir;
    const std::string file = dir.File("upper.png");
    ASSERT_TRUE(WritePlainPng(file, 255, 0, 0));
    FilterBGData_cls* d = bg->Data();
    d->bgType.value = 1;
    d->textureA.text = wxString::FromUTF8(file);
    unsigned char px[4];
    Look(0, 0, 1);
    bg->Draw(0);
    Pixel(kSize / 2, kSize / 2, px);
    EXPECT_GT(px[0], 200);
    Look(0, 0, -1);
    bg->Draw(0);
    Pixel(kSize / 2, kSize / 2, px);
    EXPECT_LT(px[0], 10);
    // The same image as texture B fills the lower half too; a missing file keeps it.
    d->textureB.text = d->textureA.text;
    Look(0, 0, -1);
    bg->Draw(0);
    Pixel(kSize / 2, kSize / 2, px);
    EXPECT_GT(px[0], 200);
    d->textureB.text = wxString::FromUTF8(dir.File("missing.png"));
    Look(0, 0, -1);
    bg->Draw(0);
    Pixel(kSize / 2, kSize / 2, px);
    EXPECT_GT(px[0], 200);
    // "NONE" releases it.
    d->textureB.text = "NONE";
    Look(0, 0, -1);
    bg->Draw(0);
    Pixel(kSize / 2, kSize / 2, px);
    EXPECT_LT(px[0], 10);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

namespace {

/// The texture and display-list names alive in the current context (names below 4096).
std::vector<GLuint> LiveNames(GLboolean (*is)(GLuint)) {
    std::vector<GLuint> names;
    for (GLuint n = 1; n < 4096; ++n)
        if (is(n)) names.push_back(n);
    return names;
}

std::vector<GLuint> Added(const std::vector<GLuint>& before, const std::vector<GLuint>& after) {
    std::vector<GLuint> out;
    for (GLuint n : after)
        if (std::find(before.begin(), before.end(), n) == before.end()) out.push_back(n);
    return out;
}

GLboolean IsTexture(GLuint n) { return glIsTexture(n); }
GLboolean IsList(GLuint n) { return glIsList(n); }

}  // namespace

// A deleted background gives back its textures and lists at the next paint of a view: a
// fisheye sky of 4096 x 4096 would otherwise keep 64 MB for the rest of the session.
TEST_F(BGFilterGL, DeletedFilterReleasesItsTexturesAndLists) {
    if (!ready) GTEST_SKIP() << "no GL context";
    testsupport::TempDir dir;
    const std::string file = dir.File("sky.png");
    ASSERT_TRUE(WritePlainPng(file, 0, 0, 255));
    FilterCtrl_cls world{2};
    auto* f = static_cast<FilterBG_cls*>(world.AddFilter(FILTER_BG, -1, nullptr, nullptr, nullptr, nullptr));
    ASSERT_NE(f, nullptr);
    FilterBGData_cls* d = f->Data();
    d->SetScaleKey(1, 1, 1);
    d->starNumber.value = 40;
    const std::vector<GLuint> textures = LiveNames(IsTexture), lists = LiveNames(IsList);
    Look(0, 0, 1);
    f->Draw(0);  // stars: the star texture and list
    d->bgType.value = 1;
    d->textureA.text = wxString::FromUTF8(file);
    d->textureB.text = wxString::FromUTF8(file);
    f->Draw(0);  // fisheye domes: both textures and the dome list
    unsigned char px[4];
    Pixel(kSize / 2, kSize / 2, px);
    EXPECT_GT(px[2], 200) << "the sky is drawn";
    const std::vector<GLuint> madeTextures = Added(textures, LiveNames(IsTexture));
    const std::vector<GLuint> madeLists = Added(lists, LiveNames(IsList));
    EXPECT_GE(madeTextures.size(), 2u);
    EXPECT_GE(madeLists.size(), 2u);

    world.DeleteFilter(0);
    // Nothing is deleted without the paint: the list has no context to ask for.
    EXPECT_EQ(Added(textures, LiveNames(IsTexture)), madeTextures);
    world.ReleaseRetiredGL();
    for (GLuint n : madeTextures) EXPECT_FALSE(glIsTexture(n)) << "texture " << n;
    for (GLuint n : madeLists) EXPECT_FALSE(glIsList(n)) << "list " << n;
    world.ReleaseRetiredGL();  // nothing left to release
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
