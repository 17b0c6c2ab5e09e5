// Particle drawing attributes: their settings lines under the sequence/type key prefix,
// the radius factor rule and the billboard bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/CommandHistory.h"
#include "filters/ColorCurve.h"
#include "tests/timeline/TextFeed.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamTextStream.h"
#include "timeline/Parameter.h"
#include "view/ParticleAttrib.h"

namespace {

class ParticleAttribTest : public ::testing::Test {
protected:
    void SetUp() override {
        GoCommandHistory.Clear();
        GbParamUndoEnabled = 0;
    }
    void TearDown() override {
        GbParamUndoEnabled = 1;
        GoCommandHistory.Clear();
    }
};

void ReadText(ParticleAttrib_cls& set, const wxString& text) {
    const std::vector<std::string> lines = textfeed::SplitAtLf(text.ToStdString(wxConvUTF8));
    ParamTextStream_cls stream(lines);
    std::string line;
    while (stream.ReadLine(line)) set.ReadConfig(stream, line);
}

}  // namespace

TEST_F(ParticleAttribTest, NewSetWritesItsDefaultsUnderItsPrefix) {
    ParticleAttrib_cls set(nullptr, 0, 1);
    const wxString text = set.WriteConfig();
    EXPECT_NE(text.Find("SEQ0TYPE1DrawType=0\r\n"), wxNOT_FOUND);
    EXPECT_NE(text.Find("SEQ0TYPE1TexFileBillboard=Texture/ParticleA.png\r\n"), wxNOT_FOUND);
    EXPECT_NE(text.Find("SEQ0TYPE1AlphaFactro=1.000000\r\n"), wxNOT_FOUND);
    EXPECT_EQ(set.label, "Attrib 1");
    // Colour records first (Ambient, Diffuse, Specular, Col), then the thirteen items.
    const int amb = text.Find("SEQ0TYPE1Ambient"), dif = text.Find("SEQ0TYPE1Diffuse"),
              spe = text.Find("SEQ0TYPE1Specular"), col = text.Find("SEQ0TYPE1Col"),
              draw = text.Find("SEQ0TYPE1DrawType=");
    ASSERT_NE(amb, wxNOT_FOUND);
    EXPECT_LT(amb, dif);
    EXPECT_LT(dif, spe);
    EXPECT_LT(spe, col);
    EXPECT_LT(col, draw);
    EXPECT_FLOAT_EQ(set.col->ConstantColor()[1], 0.8f);
    EXPECT_FLOAT_EQ(set.ambient->ConstantColor()[0], 0.2f);
    EXPECT_EQ(set.settings.Items().size(), 13u);
}

TEST_F(ParticleAttribTest, SettingsRoundTripThroughTheirLines) {
    ParticleAttrib_cls a(nullptr, 2, 3);
    a.drawType.value = 2;
    a.drawQuality.value = 1;
    a.blendType.value = 1;
    a.radiusType.value = 1;
    a.radiusFactor.value = 2.5f;
    a.radiusFactorForConst.value = 0.02f;
    a.pointSize.value = 33;
    a.alphaType.value = 1;
    a.shaderType.value = 2;
    a.alphaFactro.value = 0.25f;
    a.alphaDependBase.value = 0.5f;
    a.alphaMax.value = 0.75f;
    a.texFileBillboard.text = "Texture/My Sprite.png";
    a.diffuse->constantColor.values[0] = 0.125f;
    a.col->useColorCurve.value = true;
    a.col->dependType.value = 1;
    const wxString text = a.WriteConfig();

    ParticleAttrib_cls b(nullptr, 2, 3);
    ReadText(b, text);
    EXPECT_EQ(b.WriteConfig(), text);
    EXPECT_EQ(b.drawType.value, 2u);
    EXPECT_EQ(b.pointSize.value, 33);
    EXPECT_FLOAT_EQ(b.GetRadiusFactor(), 0.02f);
    EXPECT_EQ(b.texFileBillboard.text, "Texture/My Sprite.png");
    EXPECT_FLOAT_EQ(b.diffuse->ConstantColor()[0], 0.125f);
    EXPECT_TRUE(b.col->UsesCurve());

    // Another type's or sequence's lines leave a set untouched.
    ParticleAttrib_cls other(nullptr, 2, 1), otherSeq(nullptr, 0, 3);
    const wxString before = other.WriteConfig(), beforeSeq = otherSeq.WriteConfig();
    ReadText(other, text);
    ReadText(otherSeq, text);
    EXPECT_EQ(other.WriteConfig(), before);
    EXPECT_EQ(otherSeq.WriteConfig(), beforeSeq);
}

TEST_F(ParticleAttribTest, ChoicesFromAFileStayWithinTheirLists) {
    struct Case { const char* line; ConfItemUINT_cls ParticleAttrib_cls::*item; unsigned want; };
    const Case cases[] = {
        {"SEQ1TYPE0DrawType=9\r", &ParticleAttrib_cls::drawType, 4},
        {"SEQ1TYPE0DrawQuality=-1\r", &ParticleAttrib_cls::drawQuality, 2},
        {"SEQ1TYPE0ShaderType=4", &ParticleAttrib_cls::shaderType, 3},
        {"SEQ1TYPE0AlphaType=7", &ParticleAttrib_cls::alphaType, 1},
        {"SEQ1TYPE0RadiusType=2", &ParticleAttrib_cls::radiusType, 1},
        {"SEQ1TYPE0BlendType=5", &ParticleAttrib_cls::blendType, 1},
    };
    for (const Case& c : cases) {
        ParticleAttrib_cls set(nullptr, 1, 0);
        ReadText(set, c.line);
        EXPECT_EQ((set.*c.item).value, c.want) << c.line;
    }
    ParticleAttrib_cls set(nullptr, 1, 0);
    ReadText(set, "SEQ1TYPE0PointSize=500\nSEQ1TYPE0RadiusFactor=3\n");
    EXPECT_EQ(set.pointSize.value, 50);
    EXPECT_FLOAT_EQ(set.GetRadiusFactor(), 3.0f);
}

TEST_F(ParticleAttribTest, RadiusFactorFollowsTheRadiusType) {
    ParticleAttrib_cls set(nullptr, 0, 0);
    EXPECT_FLOAT_EQ(set.GetRadiusFactor(), 1.0f);
    set.radiusType.value = 1;
    EXPECT_FLOAT_EQ(set.GetRadiusFactor(), 0.001f);
}

TEST_F(ParticleAttribTest, BillboardBytesTakeAlphaOrOpaque) {
    const unsigned char rgb[] = {10, 20, 30, 40, 50, 60};
    const unsigned char alpha[] = {7, 200};
    const std::vector<unsigned char> withAlpha = ParticleAttrib_cls::BillboardBytes(rgb, alpha, 2, 1);
    EXPECT_EQ(withAlpha, (std::vector<unsigned char>{10, 20, 30, 7, 40, 50, 60, 200}));
    const std::vector<unsigned char> opaque = ParticleAttrib_cls::BillboardBytes(rgb, nullptr, 1, 2);
    EXPECT_EQ(opaque, (std::vector<unsigned char>{10, 20, 30, 255, 40, 50, 60, 255}));
    EXPECT_TRUE(ParticleAttrib_cls::BillboardBytes(rgb, nullptr, 0, 0).empty());
}
