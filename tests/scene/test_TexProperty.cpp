// The texture record: its settings lines, the alpha rule and its POV-Ray fragments.
#include <gtest/gtest.h>

#include <string>

#include "common/ConfItemGroup.h"
#include "scene/TexProperty.h"
#include "tests/support/PovRayProbe.h"

namespace {

struct Record {
    TexProperty_cls tex;
    ConfItemGroup_cls group;
    Record() { tex.Register(group); }
};

struct FakeEditor : TexPropertyEditor_cls {
    TexProperty_cls* attached = nullptr;
    wxString title = "unset";
    void Attach(TexProperty_cls* record, const wxString& t) override {
        attached = record;
        title = t;
    }
};

}  // namespace

TEST(TexProperty, DefaultsWriteInRegistrationOrderAndReadBack) {
    Record a;
    EXPECT_EQ(a.group.WriteAll(),
              "ShaderType=2\r\nShininess=10\r\nTransmitType=0\r\nAlpha=1.000000\r\nReflectType=0\r\n"
              "ReflectMin=0.200000\r\nReflectMax=0.500000\r\nIOR=1.000000\r\n"
              "NormalPattern0=0\r\nNormalDegree0=0.300000\r\nNormalScale0=1.000000\r\n"
              "NormalPattern1=0\r\nNormalDegree1=0.300000\r\nNormalScale1=1.000000\r\n");
    a.tex.shaderType.value = 3;
    a.tex.shininess.value = 77;
    a.tex.transmitType.value = 2;
    a.tex.alpha.value = 0.4f;
    a.tex.reflectType.value = 1;
    a.tex.reflectMin.value = 0.1f;
    a.tex.reflectMax.value = 0.9f;
    a.tex.ior.value = 1.33f;
    a.tex.normalPattern[1].value = 11;
    a.tex.normalDegree[1].value = 0.7f;
    a.tex.normalScale[0].value = 2.5f;
    Record b;
    const wxString text = a.group.WriteAll();
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\n", start);
        b.group.OfferLine(text.substr(start, end - start + 1));
        start = end + 1;
    }
    EXPECT_EQ(b.group.WriteAll(), text);
    EXPECT_EQ(b.tex.normalPattern[1].value, 11u);
}

TEST(TexProperty, ValuesFromAFileStayInsideTheTables) {
    Record r;
    for (const char* line : {"ShaderType=9\r\n", "TransmitType=7\r\n", "ReflectType=-1\r\n",
                             "NormalPattern0=40\r\n", "NormalPattern1=12\r\n"})
        r.group.OfferLine(line);
    EXPECT_EQ(r.tex.shaderType.value, 3u);
    EXPECT_EQ(r.tex.transmitType.value, 2u);
    EXPECT_EQ(r.tex.reflectType.value, 2u);
    EXPECT_EQ(r.tex.normalPattern[0].value, 11u);
    EXPECT_EQ(r.tex.normalPattern[1].value, 11u);
}

TEST(TexProperty, AlphaFollowsTheTransmitType) {
    Record r;
    r.tex.alpha.value = 0.4f;
    struct Case { unsigned transmit; float want; } cases[] = {{0, 1.0f}, {1, 0.4f}, {2, 0.4f}};
    for (const Case& c : cases) {
        r.tex.transmitType.value = c.transmit;
        float a[4] = {0, 0, 0, 0.1f}, d[4] = {0, 0, 0, 0.2f}, s[4] = {0, 0, 0, 0.3f};
        r.tex.ApplyAlpha(a, d, s);
        EXPECT_FLOAT_EQ(a[3], c.want);
        EXPECT_FLOAT_EQ(d[3], c.want);
        EXPECT_FLOAT_EQ(s[3], c.want);
    }
}

TEST(TexProperty, ReflectionAndInteriorText) {
    Record r;
    EXPECT_EQ(r.tex.PovReflection(), "");
    EXPECT_EQ(r.tex.PovIor(), "");
    for (unsigned type : {1u, 2u}) {  // metal like writes what mirror like writes
        r.tex.reflectType.value = type;
        EXPECT_EQ(r.tex.PovReflection(), " reflection{0.200000,0.500000}");
    }
    r.tex.ior.value = 1.000001f;
    EXPECT_EQ(r.tex.PovIor(), " ior 1.000001");
}

TEST(TexProperty, NormalText) {
    Record r;
    EXPECT_EQ(r.tex.PovNormal(), "");
    r.tex.normalPattern[0].value = 11;
    EXPECT_EQ(r.tex.PovNormal(),
              "\tnormal {function { f_ridged_mf(x, y, z, 0.07, 2.2,  7, 0.6, 0.9, 1) } 0.300000 scale "
              "<1.0000,1.0000,1.0000> }\n");
    EXPECT_TRUE(r.tex.UsesFunctions());
    r.tex.normalPattern[0].value = 0;
    r.tex.normalPattern[1].value = 3;
    EXPECT_EQ(r.tex.PovNormal(), "\tnormal {bumps 0.300000 scale <1.0000,1.0000,1.0000> }\n");
    EXPECT_FALSE(r.tex.UsesFunctions());
    r.tex.normalPattern[0].value = 6;
    r.tex.normalScale[0].value = 2;
    EXPECT_EQ(r.tex.PovNormal(),
              "\tnormal {\n\t\taverage\n\t\t\tnormal_map {\n"
              "\t\t\t [ 1.00 checker 0.300000 scale <2.0000,2.0000,2.0000> ]\n"
              "\t\t\t [ 1.00 bumps 0.300000 scale <1.0000,1.0000,1.0000> ]\n\t\t}\n\t}\n");
}

TEST(TexProperty, EveryPatternParsesInPovRay) {
    if (!povprobe::Available()) GTEST_SKIP() << "no POV-Ray";
    Record r;
    r.tex.reflectType.value = 2;
    r.tex.ior.value = 1.5f;
    std::string scene = "#version 3.7;\nglobal_settings { assumed_gamma 1 }\n#include \"functions.inc\"\n";
    for (unsigned p = 1; p < unsigned(kNormalPatternCount); ++p) {
        r.tex.normalPattern[0].value = p;
        r.tex.normalPattern[1].value = (p % 2) ? 0 : kNormalPatternCount - p;
        scene += "sphere { <0,0," + std::to_string(p) + ">, 0.5 texture { pigment { rgb 1 } finish {" +
                 r.tex.PovReflection().utf8_string() + "} }\n\tinterior {" + r.tex.PovIor().utf8_string() +
                 "}\n" + r.tex.PovNormal().utf8_string() + "}\n";
    }
    scene += "#debug \"PARSED 1\\n\"\n";
    bool ok = false;
    const std::string out = povprobe::Run(scene, ok);
    ASSERT_TRUE(ok) << out << scene;
    EXPECT_EQ(povprobe::Line(out, "PARSED"), "1");
}

TEST(TexProperty, DestroyingTheRecordDetachesItsEditor) {
    FakeEditor editor;
    {
        Record r;
        r.tex.editor = &editor;
        editor.attached = &r.tex;
    }
    EXPECT_EQ(editor.attached, nullptr);
    EXPECT_EQ(editor.title, "");
}
