// Fog filter: the POV-Ray background and fog text (and its absence), the clear colour, the
// first-fog rule of the world list, and the project round trip with the key-framed density.
#include <gtest/gtest.h>

#include "filters/ColorCurve.h"
#include "filters/FilterFog.h"
#include "tests/filters/FilterListsFixture.h"
#include "tests/support/PovRayProbe.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"

namespace {

class FilterFogTest : public FilterListsFixture {
protected:
    FilterFog_cls* AddFog() {
        return static_cast<FilterFog_cls*>(list2.AddFilter(FILTER_FOG, -1, nullptr, nullptr, nullptr, nullptr));
    }
    static void Key(FilterFog_cls* f, double density, double alpha) {
        f->Data()->fogParams->SetKeyFrame({density, alpha}, true, -1);
    }
    static void SetColor(FilterFog_cls* f, float r, float g, float b) {
        float* c = f->Data()->colors[0]->constantColor.values;
        c[0] = r, c[1] = g, c[2] = b, c[3] = 1;
    }
};

TEST_F(FilterFogTest, PovTextFollowsTypeDensityAndAlpha) {
    FilterFog_cls* f = AddFog();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Data()->Name(), "Fog00");
    // A new fog (density 0, alpha 1, EXP) writes nothing.
    EXPECT_EQ(f->PovFog(0), "");
    struct Case {
        unsigned type;
        double density, alpha;
        float end;
        const char* text;
    };
    const Case cases[] = {
        {0, 0.5, 1.0, 1,
         "background {rgbt <1.0000,0.5000,0.2500,0.0000>}\nfog { \n\tdistance 2.000000\n"
         "\tcolor rgbt <1.0000,0.5000,0.2500,0.0000>\n}\n"},
        {1, 0.25, 0.99, 1,
         "background {rgbt <1.0000,0.5000,0.2500,1.0000>}\nfog { \n\tdistance 4.000000\n"
         "\tcolor rgbt <1.0000,0.5000,0.2500,0.0100>\n}\n"},
        {2, 0.0, 1.0, 10,
         "background {rgbt <1.0000,0.5000,0.2500,0.0000>}\nfog { \n\tdistance 5.000000\n"
         "\tcolor rgbt <1.0000,0.5000,0.2500,0.0000>\n}\n"},
        {1, 0.0, 0.5, 1, ""},
    };
    SetColor(f, 1, 0.5f, 0.25f);
    for (const Case& c : cases) {
        f->Data()->fogType.value = c.type;
        f->Data()->fogEnd.value = c.end;
        Key(f, c.density, c.alpha);
        EXPECT_EQ(f->PovFog(0), c.text) << c.type << " " << c.density;
    }
    // Disabled: nothing, whatever the settings.
    Key(f, 1, 1);
    f->Data()->filterValid.value = 0;
    EXPECT_EQ(f->PovFog(0), "");
}

TEST_F(FilterFogTest, PovTextParses) {
    if (!povprobe::Available()) GTEST_SKIP() << "no POV-Ray";
    FilterFog_cls* f = AddFog();
    Key(f, 0.2, 0.7);
    bool ok = false;
    const std::string out = povprobe::Run("#version 3.7;\n" + f->PovFog(0).utf8_string() +
                                              "camera { location <0,0,-5> look_at <0,0,0> }\n",
                                          ok);
    EXPECT_TRUE(ok) << out;
}

TEST_F(FilterFogTest, ClearColourMixesFogOverBackgroundByAlpha) {
    const float white[4] = {1, 1, 1, 1}, blue[3] = {0, 0, 1};
    float out[3];
    FogClearColor(white, 0.5f, blue, out);
    EXPECT_FLOAT_EQ(out[0], 0.5f);
    EXPECT_FLOAT_EQ(out[1], 0.5f);
    EXPECT_FLOAT_EQ(out[2], 1.0f);
    FogClearColor(white, 0.0f, blue, out);
    EXPECT_FLOAT_EQ(out[0], 0.0f);
    EXPECT_FLOAT_EQ(out[2], 1.0f);
}

TEST_F(FilterFogTest, OnlyTheFirstFogOfTheWorldListCounts) {
    EXPECT_EQ(list2.FindFog(), nullptr);
    FilterFog_cls* first = AddFog();
    FilterFog_cls* second = AddFog();
    EXPECT_EQ(second->Data()->Name(), "Fog01");
    first->Data()->filterValid.value = 0;
    Key(second, 1, 1);
    // The disabled first one is still the one found: no fog at all.
    EXPECT_EQ(list2.FindFog(), first);
    EXPECT_EQ(list2.FindFog()->PovFog(0), "");
}

TEST_F(FilterFogTest, ProjectRoundTripKeepsSettingsKeysAndColour) {
    FilterFog_cls* f = AddFog();
    f->Data()->fogType.value = 2;
    f->Data()->fogStart.value = 1.5f;
    f->Data()->fogEnd.value = 7.25f;
    SetColor(f, 0.25f, 0.5f, 0.75f);
    f->Data()->fogParams->SetTimeDependent(true);
    f->Data()->fogParams->SetKeyFrame({0.1, 0.2}, true, 0.0);
    f->Data()->fogParams->SetKeyFrame({0.3, 0.9}, true, 1.0);
    // The registry names carry the filter's name.
    EXPECT_NE(list2.FindParam("Fog00 Parameter deinsity"), nullptr);
    const std::string text = All();
    EXPECT_NE(text.find("FogType=2\r\n"), std::string::npos);
    EXPECT_NE(text.find("-ParamGroup=Filter Parameter"), std::string::npos);
    // A fog block inside list 0's section still lands in the world list.
    std::string moved = text;
    const size_t block = moved.find("-FilterBegin");
    const size_t end = moved.find("-FilterEnd\n") + 11;
    const std::string fogBlock = moved.substr(block, end - block);
    moved.erase(block, end - block);
    moved.insert(moved.find("---FilterCtrl0End"), fogBlock);

    FilterCtrl_cls a0{0}, a1{1}, a2{2};
    FilterCtrl_cls* into[3] = {&a0, &a1, &a2};
    ReadAllInto(into, moved);
    ASSERT_EQ(a0.Count(), 0);
    ASSERT_EQ(a2.Count(), 1);
    EXPECT_EQ(a0.WriteSection() + a1.WriteSection() + a2.WriteSection(), text);
    auto* g = static_cast<FilterFog_cls*>(a2.FindFog());
    ASSERT_NE(g, nullptr);
    float d = 0, al = 0;
    g->Data()->DensityAlpha(0.5, d, al);
    EXPECT_NEAR(d, 0.2, 1e-6);
    EXPECT_NEAR(al, 0.55, 1e-6);
    EXPECT_FLOAT_EQ(g->Data()->colors[0]->ConstantColor()[2], 0.75f);
}

}  // namespace
