// The drawn frame handed to the POV-Ray particle writer: tables from the types' attributes
// (down-sizing, constant radius, curves and soft borders, alpha) and the last draw's
// particles in draw order.
#include "view/PovDrawnParticles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "data/DataSequence.h"
#include "filters/ColorCurve.h"
#include "scene/PovOutputSettings.h"
#include "scene/PovRayCtrl.h"
#include "view/DrawOptions.h"
#include "view/ParticleAttrib.h"
#include "view/ParticleRecord.h"
#include "view/PovParticleWriter.h"
#include "view/Snap.h"

namespace {

class PovDrawnParticlesTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int t = 0; t < 4; ++t) {
            sets[t].reset(new ParticleAttrib_cls(nullptr, 0, t, &options));
            raw[t] = sets[t].get();
            raw[t]->drawType.value = 2;
        }
    }
    void TearDown() override {
        GpSnap = nullptr;
        GpDrawOrder = nullptr;
        GiDrawOrderCount = 0;
    }

    static std::string Union(const std::string& text) {
        const size_t at = text.find("#declare PARTICLES=\n");
        return at == std::string::npos ? std::string("(no union)") : text.substr(at);
    }

    DrawOptions_cls options;
    std::unique_ptr<ParticleAttrib_cls> sets[4];
    ParticleAttrib_cls* raw[4] = {};
};

TEST_F(PovDrawnParticlesTest, TablesFollowTheAttributes) {
    options.downSizing.value = 10;
    const float c = std::sqrt(3.34f);
    raw[0]->radiusType.value = 1;            // constant: RadiusFactorForConst 0.001
    raw[1]->radiusFactor.value = 2.0f;
    raw[1]->diffuse->useColorCurve.value = true;  // default curve: green at 0
    raw[2]->alphaFactro.value = 0.5f;
    raw[3]->drawType.value = 4;

    PovParticleType_cls types[4];
    PovParticleTypesFrom(raw, false, types);
    EXPECT_TRUE(types[0].fixedRadius);
    EXPECT_FLOAT_EQ(types[0].radius, 0.001f * c);
    EXPECT_FALSE(types[1].fixedRadius);
    EXPECT_FLOAT_EQ(types[1].radius, 2.0f * c);
    EXPECT_TRUE(types[0].plainMacro);
    EXPECT_FALSE(types[1].plainMacro);
    EXPECT_EQ(types[3].drawType, 4);
    const float green[4] = {0, 1, 0, 1};
    for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(types[1].colours.diffuse[k], green[k]) << k;
    // The constant colours with the alpha replaced by the type's alpha factor.
    const float ambient[4] = {0.2f, 0.16f, 0.04f, 0.5f};
    for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(types[2].colours.ambient[k], ambient[k]) << k;
    EXPECT_FLOAT_EQ(types[2].colours.diffuse[3], 0.5f);

    // A soft Boolean border puts every type in the FilterAlpha form.
    PovParticleTypesFrom(raw, true, types);
    for (int t = 0; t < 4; ++t) EXPECT_FALSE(types[t].plainMacro) << t;
}

// "Use Attrib0 Only": the views draw every type with the first set, and so does the scene.
TEST_F(PovDrawnParticlesTest, UnclassifiedTypesTakeTheFirstSet) {
    raw[0]->radiusFactor.value = 3.0f;
    raw[2]->drawType.value = 4;
    raw[2]->radiusFactor.value = 7.0f;
    PovParticleType_cls types[4];
    options.classify.value = 0;
    PovParticleTypesFrom(raw, false, types);
    for (int t = 0; t < 4; ++t) {
        EXPECT_EQ(types[t].drawType, 2) << t;
        EXPECT_FLOAT_EQ(types[t].radius, 3.0f) << t;
    }
    options.classify.value = 1;
    PovParticleTypesFrom(raw, false, types);
    EXPECT_EQ(types[2].drawType, 4);
    EXPECT_FLOAT_EQ(types[2].radius, 7.0f);
}

TEST_F(PovDrawnParticlesTest, LastDrawIsWrittenInDrawOrder) {
    raw[1]->drawType.value = 4;
    raw[2]->radiusFactor.value = 0.5f;
    Snap_cls frame(nullptr, raw, 0.0, 1, 1);
    frame.Allocate(4);
    ASSERT_TRUE(frame.allocated);
    const float xyz[4][3] = {{1, 2, 3}, {4, 5, 6}, {-1, -2, -3}, {0.5f, 0.5f, 0.5f}};
    const uint8_t types[4] = {0, 1, 2, 2};
    for (int i = 0; i < 4; ++i) {
        for (int k = 0; k < 3; ++k) frame.positions[3 * i + k] = xyz[i][k];
        frame.radius[i] = 1.0f + float(i);
        frame.type[i] = types[i];
    }
    ParticleRecord_cls order[4];
    const int indices[4] = {3, 1, 0, 2};
    for (int i = 0; i < 4; ++i) order[i].index = indices[i];
    order[3].weight = 0.0f;  // dropped by a filter
    GpSnap = &frame;
    GpDrawOrder = order;
    GiDrawOrderCount = 4;

    std::string text;
    EXPECT_TRUE(PovWriteDrawnParticles(text, raw, false, true));
    EXPECT_EQ(text.find("#macro SP1"), std::string::npos);
    EXPECT_EQ(Union(text),
              "#declare PARTICLES=\nunion{\n"
              "SP2(<0.500,0.500,0.500>,2.000)\n"
              "SP0(<1.000,2.000,3.000>,1.000)\n"
              "};\n\n");

    wxString wide;
    EXPECT_TRUE(PovWriteDrawnParticles(wide, raw, false, true));
    EXPECT_EQ(wide.utf8_string(), text);
}

TEST_F(PovDrawnParticlesTest, WithoutADrawnFrameTheUnionIsEmpty) {
    std::string text, problem;
    EXPECT_FALSE(PovWriteDrawnParticles(text, raw, false, true, &problem));
    EXPECT_EQ(problem, "no frame has been drawn yet; the scene holds no particles");
    EXPECT_EQ(Union(text), "#declare PARTICLES=\nunion{\n};\n\n");
    EXPECT_EQ(text.find("#macro SP0(VPos,Radi)\n"), 0u);
}

// The writer the data sequences call takes the sequence's own sets and the program's answers
// on soft borders and the material form.
TEST_F(PovDrawnParticlesTest, WriterUsesTheSequencesSetsAndAnswers) {
    DataSequence_cls sequence(2);
    std::unique_ptr<ParticleAttrib_cls> other[4];
    ParticleAttrib_cls* otherRaw[4];
    for (int t = 0; t < 4; ++t) {
        other[t].reset(new ParticleAttrib_cls(nullptr, 2, t, &options));
        otherRaw[t] = other[t].get();
        other[t]->drawType.value = t == 3 ? 2 : 4;
    }
    PovParticleWriter_cls writer;
    wxString out;
    writer.WritePovParticles(sequence, out);
    EXPECT_TRUE(out.empty()) << "no sets: nothing";
    std::vector<int> asked;
    writer.attribs = [&](int seq) -> ParticleAttrib_cls* const* {
        asked.push_back(seq);
        return seq == 2 ? otherRaw : raw;
    };
    writer.WritePovParticles(sequence, out);
    EXPECT_EQ(asked, std::vector<int>{2});
    EXPECT_EQ(out.Find("#macro SP0"), wxNOT_FOUND);
    EXPECT_NE(out.Find("#macro SP3(VPos,Radi)\n"), wxNOT_FOUND);
    EXPECT_NE(out.Find("\tpigment {rgb "), wxNOT_FOUND);

    // Without an answer of its own the writer follows the controller's "PovFastColoring=".
    {
        PovRayCtrl_cls ctrl;
        ctrl.output->fastColoring.value = false;
        out.clear();
        writer.WritePovParticles(sequence, out);
        EXPECT_NE(out.Find("\taverage\n"), wxNOT_FOUND);
    }

    writer.softBooleanBorder = [] { return true; };
    writer.singleForm = [] { return false; };
    out.clear();
    writer.WritePovParticles(sequence, out);
    EXPECT_NE(out.Find("#macro SP3(VPos,Radi,FilterAlpha)\n"), wxNOT_FOUND);
    EXPECT_NE(out.Find("\taverage\n"), wxNOT_FOUND);

    writer.Install();
    EXPECT_EQ(FramePovWriter_cls::Installed(), &writer);
}

TEST_F(PovDrawnParticlesTest, AWriterGoneIsNoLongerInstalled) {
    {
        PovParticleWriter_cls writer;
        writer.Install();
    }
    EXPECT_EQ(FramePovWriter_cls::Installed(), nullptr);
}

}  // namespace
