// POV-Ray number, vector, colour and material text.
#include <gtest/gtest.h>

#include "scene/PovText.h"
#include "tests/support/TestFiles.h"

namespace {

struct TextCase {
    const char* what;
    wxString got;
    const char* expected;
};

void CheckTable(const std::vector<TextCase>& cases) {
    for (const TextCase& c : cases) EXPECT_EQ(c.got.ToStdString(), std::string(c.expected)) << c.what;
}

std::vector<TextCase> FormattingCases() {
    const float v123[3] = {1, 2, 3};
    const float trimmed[3] = {1.25f, 2, 0.5f};
    const float tens[3] = {10, 20, 30};
    const double d3[3] = {-1.5, 0.25, 1e6};
    const float q[4] = {0.5f, -1, 2, 0.125f};
    const int iv[3] = {-7, 0, 42};
    const float opaque[4] = {0.2f, 0.4f, 0.6f, 1};
    const float half[4] = {1, 0, 0, 0.25f};
    return {
        {"indent 0", PovIndent(0), ""},
        {"indent 1", PovIndent(1), "\t"},
        {"indent 7", PovIndent(7), "\t\t\t\t\t\t\t"},
        {"indent 8", PovIndent(8), ""},
        {"scalar 3", PovScalar(0.1f, 3), "0.100"},
        {"scalar 0 rounds", PovScalar(2.5f, 0), "2"},
        {"scalar negative decimals", PovScalar(1.75f, -2), "2"},
        {"trimmed 0.1", PovTrimmedFloat(0.1f), "0.1"},
        {"trimmed 3", PovTrimmedFloat(3), "3"},
        {"trimmed -0", PovTrimmedFloat(-0.0f), "-0"},
        {"trimmed 100", PovTrimmedFloat(100), "100"},
        {"trim without point", PovTrimZeros("100"), "100"},
        {"trim 1.500000", PovTrimZeros("1.500000"), "1.5"},
        {"vector label", PovVector3f("\tlocation", v123, 5), "\tlocation<1.00000,2.00000,3.00000>"},
        {"vector 0 decimals", PovVector3f("", v123, 0), "<1,2,3>"},
        {"vector label with blank", PovVector3f("rgb ", v123, 1), "rgb <1.0,2.0,3.0>"},
        {"vector double", PovVector3d("scale", d3, 2), "scale<-1.50,0.25,1000000.00>"},
        {"vector 4", PovVector4f("v", q, 3), "v<0.500,-1.000,2.000,0.125>"},
        {"vector int", PovVector3i("i", iv), "i<-7,0,42>"},
        {"trimmed vector", PovVector3fTrimmed(trimmed, 4), "<1.25,2,0.5>"},
        {"trimmed vector 0 decimals", PovVector3fTrimmed(tens, 0), "<10,20,30>"},
        {"trimmed vector label", PovVector3fTrimmed("at ", trimmed, 1), "at <1.2,2,0.5>"},
        {"colour rgbt", PovColor(opaque, 3, true), "rgbt <0.200,0.400,0.600,0.000>"},
        {"colour plain", PovColor(opaque, 3, false), "<0.200,0.400,0.600,0.000>"},
        {"colour transmit", PovColor(half, 2, true), "rgbt <1.00,0.00,0.00,0.75>"},
    };
}

}  // namespace

TEST(PovText, FormattingTable) { CheckTable(FormattingCases()); }

TEST(PovText, FormattingTableUnderDecimalComma) {
    testsupport::CommaLocale comma;
    if (!comma.Ok()) GTEST_SKIP() << "no decimal-comma locale on this machine";
    CheckTable(FormattingCases());
}

TEST(PovText, SingleFormMaterial) {
    MaterialColors_cls c = {{0.2f, 0.1f, 0.3f, 1}, {1, 0.5f, 0, 1}, {0.5f, 0.5f, 0.5f, 1}};
    const wxString t = PovMaterialTexture("\t", c, 0.05f, " phong 1", false, true);
    EXPECT_EQ(t.ToStdString(),
              "\ttexture {\n"
              "\t\tpigment {rgb <1.0000,0.5000,0.0000>}\n"
              "\t\tfinish { ambient <0.2000,0.2000,0.3000> diffuse 1 specular 0.774597 metallic roughness "
              "0.050000 phong 1}\n"
              "\t}\n");
    // the ambient colour of the record is now relative to the diffuse colour
    EXPECT_FLOAT_EQ(c.ambient[1], 0.2f);
    EXPECT_FLOAT_EQ(c.ambient[2], 0.3f);
}

TEST(PovText, SingleFormBlackDiffuseAndFilterAlpha) {
    MaterialColors_cls c = {{0.2f, 0.1f, 0.3f, 1}, {0, 0, 0, 0.5f}, {1, 1, 1, 1}};
    const wxString t = PovMaterialTexture("", c, 0.1f, "", true, true);
    EXPECT_EQ(t.ToStdString(),
              "texture {\n"
              "\tpigment {rgbt <0.000000,0.000000,0.000000,1-0.500000*FilterAlpha>}\n"
              "\tfinish { ambient <0.2000,0.1000,0.3000> diffuse 1 specular 0.000000*FilterAlpha  metallic "
              "roughness 0.100000}\n"
              "}\n");
}

TEST(PovText, AveragedFormUsesRgbtForAllWhenDiffuseIsTransparent) {
    MaterialColors_cls c = {{0.1f, 0.1f, 0.1f, 1}, {1, 0, 0, 0.5f}, {1, 1, 1, 1}};
    const wxString t = PovMaterialTexture("", c, 0.25f, " brilliance 2", false, false);
    EXPECT_EQ(t.ToStdString(),
              "texture {\n"
              "\taverage\n"
              "\ttexture_map {\n"
              "\t\t\t[pigment {rgbt <0.1000,0.1000,0.1000,0.0000>} finish { ambient 3 diffuse 0 specular 0 "
              "brilliance 2}]\n"
              "\t\t\t[pigment {rgbt <1.0000,0.0000,0.0000,0.5000>} finish { ambient 0 diffuse 3 specular 0 "
              "brilliance 2}]\n"
              "\t\t\t[pigment {rgbt <1.0000,1.0000,1.0000,0.0000>} finish { ambient 0 diffuse 0 specular 3 "
              "metallic roughness 0.250000 brilliance 2}]\n"
              "\t\t}\n"
              "\t}\n");
    EXPECT_FLOAT_EQ(c.ambient[0], 0.1f);  // the averaged form leaves the record alone
}
