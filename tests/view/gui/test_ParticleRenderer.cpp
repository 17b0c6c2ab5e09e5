// The particle renderer drawing for real: a grid of a few hundred particles drawn as points,
// billboards and spheres, each particle's colour read back at its projected position; per-type
// drawing with each type's own settings; the shader programs; the shadow-volume pass.
#include <gtest/gtest.h>

#include <GL/glu.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "filters/ColorCurve.h"
#include "platform/gui/GLEntryPoints.h"
#include "tests/view/gui/GLTestCanvas.h"
#include "tests/view/gui/PixelProbe.h"
#include "view/DrawOptions.h"
#include "view/IcoSphere.h"
#include "view/ParticleAttrib.h"
#include "view/ParticleRenderer.h"
#include "view/ShadowVolume.h"
#include "view/Snap.h"
#include "view/gui/ShaderProgram.h"

namespace {

constexpr int kW = 168, kH = 128, kCols = 20, kRows = 15, kSpacing = 8;
const std::array<std::array<float, 4>, 4> kTypeColour = {{{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 1, 0, 1}}};

bool Matches(const unsigned char* p, const std::array<float, 4>& c) {
    for (int k = 0; k < 3; ++k)
        if (std::abs(int(p[k]) - int(c[size_t(k)] * 255)) > 60) return false;
    return true;
}

class ParticleRendererGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<ShownGLCanvas>(kW, kH);
        ready = window->ready;
        if (!ready) return;
        RegisterShadowSettings();
        for (int t = 0; t < 4; ++t) {
            attribs[t] = std::make_unique<ParticleAttrib_cls>(nullptr, 0, t, &options);
            raw[t] = attribs[t].get();
            ParticleAttrib_cls& a = *attribs[t];
            std::copy(kTypeColour[size_t(t)].begin(), kTypeColour[size_t(t)].end(), a.col->constantColor.values);
            std::copy(kTypeColour[size_t(t)].begin(), kTypeColour[size_t(t)].end(), a.ambient->constantColor.values);
            const float black[4] = {0, 0, 0, 1};
            std::copy(black, black + 4, a.diffuse->constantColor.values);
            std::copy(black, black + 4, a.specular->constantColor.values);
            a.pointSize.value = 3;
            a.radiusFactor.value = 1.0f;
        }
        options.downSizing.value = 1;
        options.sortOrder.value = 0;
        options.classify.value = 1;
        // A grid of 300 particles at pixel centres; type = index % 4.
        frame = std::make_unique<Snap_cls>(nullptr, raw, 0.0, 1);
        const int n = kCols * kRows;
        frame->Allocate(n);
        ASSERT_TRUE(frame->allocated);
        for (int i = 0; i < n; ++i) {
            const int cx = i % kCols, cy = i / kCols;
            frame->positions[3 * i] = 4.5f + kSpacing * cx;
            frame->positions[3 * i + 1] = 4.5f + kSpacing * cy;
            frame->positions[3 * i + 2] = float(i % 7) * 0.1f;
            frame->radius[i] = 2.5f;
            frame->value1[i] = float(i % 2);
            frame->type[i] = uint8_t(i % 4);
            std::copy(kTypeColour[size_t(i % 4)].begin(), kTypeColour[size_t(i % 4)].end(), frame->colours + 4 * i);
        }
        const float eye[3] = {kW / 2.0f, kH / 2.0f, 500}, dir[3] = {0, 0, -1};
        renderer.SetEye(eye, dir);
    }
    void TearDown() override {
        ShaderProgram_cls::Destroy();
        // The sphere lists belong to this test's context; the next test makes its own.
        delete GpIcoSphere;
        GpIcoSphere = nullptr;
        frame.reset();
        window.reset();
    }

    // Pixel-exact orthographic view, only the global ambient light (so a sphere shows its
    // ambient material), cleared to black.
    void Begin() {
        glViewport(0, 0, kW, kH);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, kW, 0, kH, -100, 100);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        const float white[4] = {1, 1, 1, 1};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, white);
        glDisable(GL_LIGHT0);
        glClearColor(0, 0, 0, 1);
        glClearStencil(0);
        glDepthMask(GL_TRUE);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    }

    // Every particle of a type in `drawn` shows `colourOf(i)` at its projected position;
    // every other one leaves black there.
    void ExpectParticles(const std::string& what, const std::vector<bool>& drawn,
                         const std::function<std::array<float, 4>(int)>& colourOf) {
        PixelProbe probe(kW, kH);
        int wrong = 0;
        for (int i = 0; i < kCols * kRows; ++i) {
            double w[3];
            WindowOf(frame->positions[3 * i], frame->positions[3 * i + 1], frame->positions[3 * i + 2], w);
            const unsigned char* p = probe.At(int(w[0]), int(w[1]));
            const bool ok = drawn[frame->type[i]] ? Matches(p, colourOf(i)) : (p[0] < 20 && p[1] < 20 && p[2] < 20);
            if (!ok && ++wrong <= 3)
                ADD_FAILURE() << what << ": particle " << i << " type " << int(frame->type[i]) << " at (" << w[0]
                              << ", " << w[1] << ") reads " << int(p[0]) << " " << int(p[1]) << " " << int(p[2]);
        }
        EXPECT_EQ(wrong, 0) << what;
    }

    std::array<float, 4> TypeColour(int i) const { return kTypeColour[frame->type[i]]; }

    std::unique_ptr<ShownGLCanvas> window;
    bool ready = false;
    DrawOptions_cls options;
    std::unique_ptr<ParticleAttrib_cls> attribs[4];
    ParticleAttrib_cls* raw[4] = {};
    std::unique_ptr<Snap_cls> frame;
    ParticleRenderer_cls renderer;
};

TEST_F(ParticleRendererGLTest, EveryDrawingModeShowsEachTypesColourAtItsProjectedPosition) {
    if (!ready) GTEST_SKIP() << "no GL context";
    struct Mode {
        const char* name;
        unsigned drawType, quality, sortOrder;
    };
    const Mode modes[] = {
        {"points", 0, 0, 0},
        {"view-aligned billboards, back to front", 1, 0, 1},
        {"eye-facing billboards, nearest first", 1, 2, 2},
        {"billboards at Middle (distance keys)", 1, 1, 1},
        {"spheres", 2, 0, 2},
        {"spheres, high quality", 2, 2, 1},
    };
    for (const Mode& m : modes) {
        for (auto& a : attribs) a->drawType.value = m.drawType, a->drawQuality.value = m.quality;
        options.sortOrder.value = m.sortOrder;
        Begin();
        renderer.DrawFrame(*frame, raw);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << m.name;
        EXPECT_EQ(GiDrawOrderCount, kCols * kRows) << m.name;
        ExpectParticles(m.name, {true, true, true, true}, [&](int i) { return TypeColour(i); });
    }
}

TEST_F(ParticleRendererGLTest, SetZeroAloneDrawsAllParticlesWithItsSettings) {
    if (!ready) GTEST_SKIP() << "no GL context";
    options.classify.value = 0;
    const std::array<float, 4> red = kTypeColour[0], green = kTypeColour[1];
    ParticleAttrib_cls& a = *attribs[0];
    struct Mode {
        const char* name;
        unsigned drawType;
        bool curve;  // colour by value1 through the default curve: 0 green, 1 red
        unsigned radiusType = 0;  // 1: every particle of the constant radius
    };
    const Mode modes[] = {
        {"indexed points in one colour", 0, false},
        {"points through the colour curve", 0, true},
        {"billboards in one colour", 1, false},
        {"spheres in one material", 2, false},
        {"spheres through the material curve", 2, true},
        {"spheres of one radius in one material", 2, false, 1},
        {"spheres of one radius through the material curve", 2, true, 1},
    };
    // The constant radius covers each pixel centre; the batches reach their particles by
    // relative translations, which must land where the positions say.
    a.radiusFactorForConst.value = 2.5f;
    for (const Mode& m : modes) {
        a.drawType.value = m.drawType;
        a.radiusType.value = m.radiusType;
        a.col->useColorCurve.value = m.curve && m.drawType != 2;
        a.ambient->useColorCurve.value = m.curve && m.drawType == 2;
        Begin();
        renderer.DrawFrame(*frame, raw);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << m.name;
        ExpectParticles(m.name, {true, true, true, true},
                        [&](int i) { return m.curve ? (frame->value1[i] > 0.5f ? red : green) : red; });
    }
    // "Both" and "Hide" draw nothing in this mode.
    for (unsigned type : {3u, 4u}) {
        a.drawType.value = type;
        Begin();
        renderer.DrawFrame(*frame, raw);
        ExpectParticles("both/hide", {false, false, false, false}, [&](int i) { return TypeColour(i); });
    }
}

TEST_F(ParticleRendererGLTest, ClassifiedDrawingUsesEachTypesOwnSettings) {
    if (!ready) GTEST_SKIP() << "no GL context";
    // Type 0 points of size 1, type 1 points of size 5, type 2 spheres, type 3 hidden.
    attribs[0]->drawType.value = 0, attribs[0]->pointSize.value = 1;
    attribs[1]->drawType.value = 0, attribs[1]->pointSize.value = 5;
    attribs[2]->drawType.value = 2;
    attribs[3]->drawType.value = 4;
    Begin();
    renderer.DrawFrame(*frame, raw);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    ExpectParticles("mixed types", {true, true, true, false}, [&](int i) { return TypeColour(i); });
    // Two pixels off the centre only the big points and the spheres (radius 2.5) are lit.
    PixelProbe probe(kW, kH);
    for (int i = 0; i < 8; ++i) {
        double w[3];
        WindowOf(frame->positions[3 * i], frame->positions[3 * i + 1], frame->positions[3 * i + 2], w);
        const bool lit = IsLit(probe.At(int(w[0]) + 2, int(w[1])));
        EXPECT_EQ(lit, frame->type[i] == 1 || frame->type[i] == 2) << "particle " << i;
    }
}

TEST_F(ParticleRendererGLTest, EveryShaderProgramLinksAndLightsTheSpheres) {
    if (!ready) GTEST_SKIP() << "no GL context";
    ASSERT_EQ(LoadGL2EntryPoints(), 0);
    ShaderProgram_cls::Create(window->canvas, true);
    ASSERT_NE(GpShaderProgram, nullptr);
    ASSERT_TRUE(GpShaderProgram->enabled);
    for (unsigned program : {GpShaderProgram->gouraud, GpShaderProgram->phong, GpShaderProgram->cartoon}) {
        GLint linked = 0;
        ASSERT_NE(program, 0u);
        gl::GetProgramiv(program, GL_LINK_STATUS, &linked);
        EXPECT_EQ(linked, GL_TRUE);
    }
    // A white light from the viewer: each shader lights the spheres and leaves no GL error.
    const float pos[4] = {0, 0, 1, 0}, white[4] = {1, 1, 1, 1}, zero[4] = {0, 0, 0, 1};
    for (auto& a : attribs) {
        a->drawType.value = 2;
        std::copy(white, white + 4, a->diffuse->constantColor.values);
    }
    for (unsigned shader : {1u, 2u, 3u}) {
        for (auto& a : attribs) a->shaderType.value = shader;
        Begin();
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, zero);
        glLightfv(GL_LIGHT0, GL_POSITION, pos);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
        glEnable(GL_LIGHT0);
        renderer.DrawFrame(*frame, raw);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << "shader " << shader;
        ExpectParticles("shader " + std::to_string(shader), {true, true, true, true},
                        [&](int) { return std::array<float, 4>{1, 1, 1, 1}; });
        glDisable(GL_LIGHT0);
    }
}

TEST_F(ParticleRendererGLTest, VolumePassMarksTheStencilBehindSphereParticlesOnly) {
    if (!ready) GTEST_SKIP() << "no GL context";
    const double down[3] = {0, 0, -1};
    double a1, a2;
    ShadowVolume_cls::AnglesForDirection(down, a1, a2);
    renderer.SetShadowLight(1, down, a1, a2);
    struct Case {
        const char* name;
        unsigned classify;
        std::array<unsigned, 4> drawType;
        std::vector<bool> shadowed;
        unsigned radiusType = 0;
    };
    const Case cases[] = {
        {"spheres of set 0", 0, {2, 2, 2, 2}, {true, true, true, true}},
        {"spheres of set 0 at one radius", 0, {2, 2, 2, 2}, {true, true, true, true}, 1},
        {"sphere types only", 1, {2, 1, 2, 0}, {true, false, true, false}},
    };
    attribs[0]->radiusFactorForConst.value = 2.5f;
    for (const Case& c : cases) {
        options.classify.value = c.classify;
        attribs[0]->radiusType.value = c.radiusType;
        for (int t = 0; t < 4; ++t) attribs[t]->drawType.value = c.drawType[size_t(t)];
        Begin();
        // A floor behind the particles, then the volumes into the stencil buffer only.
        glEnable(GL_DEPTH_TEST);
        glColor3f(0.5f, 0.5f, 0.5f);
        glBegin(GL_QUADS);
        glVertex3f(0, 0, -10), glVertex3f(kW, 0, -10), glVertex3f(kW, kH, -10), glVertex3f(0, kH, -10);
        glEnd();
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        glEnable(GL_STENCIL_TEST);
        glStencilFunc(GL_ALWAYS, 0, ~0u);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        renderer.SetVolumePass(true);
        renderer.DrawFrame(*frame, raw);
        renderer.SetVolumePass(false);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << c.name;
        glDisable(GL_CULL_FACE);
        glDisable(GL_STENCIL_TEST);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glFinish();
        std::vector<unsigned char> stencil(size_t(kW) * kH);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kW, kH, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, stencil.data());
        for (int i = 0; i < kCols * kRows; i += 13) {
            double w[3];
            WindowOf(frame->positions[3 * i], frame->positions[3 * i + 1], frame->positions[3 * i + 2], w);
            const int v = stencil[size_t(int(w[1])) * kW + size_t(int(w[0]))];
            EXPECT_EQ(v > 0, bool(c.shadowed[frame->type[i]])) << c.name << " particle " << i;
        }
        // Between the particles nothing is in shadow.
        EXPECT_EQ(stencil[size_t(8) * kW + 8], 0) << c.name;
    }
}

TEST_F(ParticleRendererGLTest, BillboardsOfSetZeroColourEachParticleOnTheDirectPathAndThroughThePipeline) {
    if (!ready) GTEST_SKIP() << "no GL context";
    options.classify.value = 0;
    ParticleAttrib_cls& a = *attribs[0];
    a.drawType.value = 1;
    a.drawQuality.value = 0;
    // Per-particle colours come from the frame, here each type's own colour; with the
    // radius-dependent alpha a radius of 1.25 gives alpha 1 / 1.25^2 = 0.64 over black.
    for (int i = 0; i < kCols * kRows; ++i) frame->radius[i] = 1.25f;
    // Beyond the direct path's limit the vertex pipeline takes over: the same grid followed
    // by enough particles far outside the view.
    const int bigCount = kBillboardChunkedLimit + kCols * kRows + 1;
    auto big = std::make_unique<Snap_cls>(nullptr, raw, 0.0, 1);
    big->Allocate(bigCount);
    ASSERT_TRUE(big->allocated);
    for (int i = 0; i < bigCount; ++i) {
        const int src = std::min(i, kCols * kRows - 1);
        std::copy(frame->positions + 3 * src, frame->positions + 3 * src + 3, big->positions + 3 * i);
        std::copy(frame->colours + 4 * src, frame->colours + 4 * src + 4, big->colours + 4 * i);
        big->radius[i] = frame->radius[src];
        big->type[i] = frame->type[src];
        big->value1[i] = frame->value1[src];
        if (i >= kCols * kRows) big->positions[3 * i] = -1000.0f;
    }
    struct Case {
        const char* name;
        bool pipeline;
        bool curve;
        unsigned alphaType;
        float scale;  // expected share of the type colour
    };
    const Case cases[] = {
        {"direct path, colours of the frame", false, true, 0, 1.0f},
        {"direct path, radius-dependent alpha", false, false, 1, 0.64f},
        {"vertex pipeline, colours of the frame", true, true, 0, 1.0f},
        {"vertex pipeline, radius-dependent alpha", true, false, 1, 0.64f},
    };
    for (const Case& c : cases) {
        a.col->useColorCurve.value = c.curve;
        a.alphaType.value = c.alphaType;
        if (c.pipeline) std::swap(frame, big);
        Begin();
        renderer.DrawFrame(*frame, raw);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << c.name;
        EXPECT_EQ(GiDrawOrderCount, c.pipeline ? bigCount : kCols * kRows) << c.name;
        ExpectParticles(c.name, {true, true, true, true}, [&](int i) {
            std::array<float, 4> col = TypeColour(i);
            for (int k = 0; k < 3; ++k) col[size_t(k)] *= c.scale;
            return col;
        });
        if (c.pipeline) std::swap(frame, big);
    }
    // The frame's own alpha scales every quad: 0 leaves nothing visible.
    a.alphaType.value = 0;
    a.col->useColorCurve.value = 1;
    for (int i = 0; i < kCols * kRows; ++i) frame->colours[4 * i + 3] = 0.0f;
    Begin();
    renderer.DrawFrame(*frame, raw);
    ExpectParticles("transparent frame", {false, false, false, false}, [&](int i) { return TypeColour(i); });
}

}  // namespace
