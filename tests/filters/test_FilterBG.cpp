// BG filter: the star generator and field, the rim repair of fisheye images, the POV-Ray
// text of every background type with its common file written once per run, renders of the
// colour sky and the panorama by POV-Ray, and the project round trip.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "filters/ColorCurve.h"
#include "filters/FilterBG.h"
#include "filters/FilterFog.h"
#include "filters/FilterGrid.h"
#include "scene/PovRayCtrl.h"
#include "tests/filters/FilterListsFixture.h"
#include "tests/support/PovRayProbe.h"
#include "tests/support/TestFiles.h"
#include "timeline/ParamGroup.h"

using testsupport::TempDir;

namespace {

class FilterBGTest : public FilterListsFixture {
protected:
    /// A BG filter as the menu adds it (Scale keyed to 1).
    FilterBG_cls* AddBG() {
        auto* f = static_cast<FilterBG_cls*>(list2.AddFilter(FILTER_BG, -1, nullptr, nullptr, nullptr, nullptr));
        if (f) f->Data()->SetScaleKey(1, 1, 1);
        return f;
    }
    static int Count(const wxString& text, const wxString& what) {
        int n = 0;
        for (size_t at = text.find(what); at != wxString::npos; at = text.find(what, at + 1)) ++n;
        return n;
    }
};

/// An RGB image rendered by POV-Ray (PPM output), or empty when the render failed.
struct Render {
    int w = 0, h = 0;
    std::vector<unsigned char> rgb;
    std::string messages;
    const unsigned char* At(int x, int y) const { return &rgb[3 * (size_t(y) * w + x)]; }  // y from the top
};

Render RenderScene(const TempDir& dir, const std::string& scene, int w, int h) {
    testsupport::WriteFile(dir.File("scene.pov"), scene);
    const std::string cmd = "cd '" + dir.Path() + "' && " + povprobe::PovRayPath() + " +Iscene.pov +W" +
                            std::to_string(w) + " +H" + std::to_string(h) +
                            " -D -P +FP +Oout.ppm -A > messages.txt 2>&1";
    Render r;
    const bool ok = std::system(cmd.c_str()) == 0;
    r.messages = testsupport::ReadFile(dir.File("messages.txt"));
    if (!ok) return r;
    const std::string ppm = testsupport::ReadFile(dir.File("out.ppm"));
    // "P6\n<w> <h>\n255\n" (with "#" comment lines between) then the pixels.
    size_t at = 0;
    auto token = [&]() {
        for (;;) {
            while (at < ppm.size() && std::isspace(static_cast<unsigned char>(ppm[at]))) ++at;
            if (at >= ppm.size() || ppm[at] != '#') break;
            while (at < ppm.size() && ppm[at] != '\n') ++at;
        }
        const size_t start = at;
        while (at < ppm.size() && !std::isspace(static_cast<unsigned char>(ppm[at]))) ++at;
        return ppm.substr(start, at - start);
    };
    if (token() != "P6") return r;
    r.w = std::atoi(token().c_str());
    r.h = std::atoi(token().c_str());
    token();
    ++at;
    if (ppm.size() < at + size_t(3) * r.w * r.h) return Render{};
    r.rgb.assign(ppm.begin() + long(at), ppm.begin() + long(at + size_t(3) * r.w * r.h));
    return r;
}

}  // namespace

TEST_F(FilterBGTest, GeneratorAndStarFieldAreFixed) {
    // The classic sequence of this generator seeded with 1.
    StarRandom_cls r(1);
    for (int expected : {41, 18467, 6334, 26500, 19169, 15724}) EXPECT_EQ(r.Next(), expected);
    const std::vector<BGStar_cls> stars = MakeStarField(4000, 1000, 3);
    ASSERT_EQ(stars.size(), 4000u);
    EXPECT_NEAR(stars[0].color[3], 1.0 / 6.0, 1e-6);  // the faintest
    EXPECT_LT(stars[1999].color[3], 1.0f);
    EXPECT_FLOAT_EQ(stars[2000].color[3], 1.0f);
    for (const BGStar_cls& s : stars)
        ASSERT_NEAR(std::sqrt(s.position[0] * s.position[0] + s.position[1] * s.position[1] +
                              s.position[2] * s.position[2]),
                    1000, 2.0);
    // Star 0 from the draws 41, 18467, 6334; size sqrt(sqrt(1)) * 3 / sqrt(1/6).
    const double p[3] = {41 / 32767.0 - 0.5, 18467 / 32767.0 - 0.5, 6334 / 32767.0 - 0.5};
    const double len = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(stars[0].position[k], p[k] * 1000 / len, 0.1);
    EXPECT_NEAR(stars[0].size, 3 * std::sqrt(6.0), 1e-4);
    // Colours by i mod 4.
    EXPECT_FLOAT_EQ(stars[2].color[1], 0.9f);
    EXPECT_FLOAT_EQ(stars[3].color[0], 0.8f);
    EXPECT_TRUE(MakeStarField(0, 1000, 3).empty());
    EXPECT_TRUE(MakeStarField(-5, 1000, 3).empty());
}

TEST_F(FilterBGTest, RimRepairOnlyForSquareImagesWithAlpha) {
    const int w = 16;
    std::vector<unsigned char> rgb(size_t(3) * w * w), alpha(size_t(w) * w);
    // A radial pattern: every pixel's red is its distance from the centre in tenths.
    for (int y = 0; y < w; ++y)
        for (int x = 0; x < w; ++x) {
            const double d = std::hypot(x + 0.5 - w / 2.0, y + 0.5 - w / 2.0);
            rgb[3 * (size_t(y) * w + x)] = static_cast<unsigned char>(std::min(255.0, d * 10));
            alpha[size_t(y) * w + x] = 255;
        }
    std::vector<unsigned char> before = rgb;
    FixFisheyeEdge(rgb.data(), nullptr, w, w);
    EXPECT_EQ(rgb, before);
    FixFisheyeEdge(rgb.data(), alpha.data(), w, w - 1);
    EXPECT_EQ(rgb, before);
    FixFisheyeEdge(rgb.data(), alpha.data(), w, w);
    EXPECT_NE(rgb, before);
    // The rim (distance about 8 from the centre) now holds colours from further inside.
    const unsigned char rim = rgb[3 * (size_t(w / 2) * w + (w - 1))];
    EXPECT_LT(rim, before[3 * (size_t(w / 2) * w + (w - 1))]);
    // The centre is untouched.
    EXPECT_EQ(rgb[3 * (size_t(w / 2) * w + w / 2)], before[3 * (size_t(w / 2) * w + w / 2)]);
}

TEST_F(FilterBGTest, StaticStarsGoToTheirCommonFileOncePerRun) {
    FilterBG_cls* bg = AddBG();
    ASSERT_NE(bg, nullptr);
    EXPECT_EQ(bg->Data()->Name(), "BG00");
    TempDir dir;
    PovBGContext_cls context;
    context.pathPrefix = dir.Path() + "/";
    context.StartRun();
    wxString scene;
    list2.PovBG(scene, 0, context);
    EXPECT_TRUE(scene.StartsWith("#macro SP(POS, R, RGBT)\n")) << scene;
    EXPECT_TRUE(scene.EndsWith("#end\n\n#include \"CommonBG00.pov\"\n")) << scene;
    const std::string common = testsupport::ReadFile(dir.File("CommonBG00.pov"));
    EXPECT_EQ(Count(wxString::FromUTF8(common), "SP(<"), 4000);
    EXPECT_EQ(common.rfind("union{\n", 0), 0u);
    EXPECT_NE(common.find("\tno_shadow\n}\n"), std::string::npos);
    // Star 0 at its generated place, radius size/8, transmit 1 - 1/6.
    const BGStar_cls s0 = MakeStarField(4000, 1000, 3)[0];
    const wxString first = wxString::Format("SP(<%.1f,%.1f,%.1f>,%.2f,<1.00,1.00,1.00,0.83>)\n", s0.position[0],
                                            s0.position[1], s0.position[2], s0.size * 0.125);
    EXPECT_NE(common.find(first.utf8_string()), std::string::npos) << first;
    // Later frames of the run include the file without writing it again.
    std::remove(dir.File("CommonBG00.pov").c_str());
    wxString again;
    list2.PovBG(again, 0, context);
    EXPECT_EQ(again, scene);
    EXPECT_FALSE(testsupport::FileExists(dir.File("CommonBG00.pov")));
    // A second static background gets its own file in the same run.
    AddBG();
    wxString both;
    list2.PovBG(both, 0, context);
    EXPECT_TRUE(testsupport::FileExists(dir.File("CommonBG01.pov")));
    EXPECT_FALSE(testsupport::FileExists(dir.File("CommonBG00.pov")));
    // A cleared flag starts a new run: the files are written again.
    context.commonWritten = 0;
    wxString rerun;
    list2.PovBG(rerun, 0, context);
    EXPECT_TRUE(testsupport::FileExists(dir.File("CommonBG00.pov")));
    // An animated background writes its union inline.
    context.StartRun();
    bg->Data()->rotation->SetTimeDependent(true);
    bg->Data()->rotation->SetKeyFrame({0, 0, 0}, true, 0);
    bg->Data()->rotation->SetKeyFrame({0, 0, 90}, true, 1);
    wxString animated;
    bg->WritePov(animated, 0.5, context);
    EXPECT_EQ(Count(animated, "SP(<"), 4000);
    EXPECT_NE(animated.find("\trotate<0.0000,0.0000,45.0000>\n"), wxString::npos) << animated.Right(200);
    EXPECT_EQ(animated.find("#include"), wxString::npos);
    // Disabled: nothing.
    bg->Data()->filterValid.value = 0;
    wxString none;
    bg->WritePov(none, 0, context);
    EXPECT_EQ(none, "");
}

TEST_F(FilterBGTest, TextureAndColourSkyText) {
    FilterBG_cls* bg = AddBG();
    FilterBGData_cls* d = bg->Data();
    d->bgType.value = 1;
    d->textureA.text = "sky/upper.png";
    wxString decl;
    bg->PovDomeDeclares(decl);
    EXPECT_NE(decl.find("#declare FE_CONVERT = function {\n"), wxString::npos);
    EXPECT_NE(decl.find("#declare DOMEA = function {\n\tpigment{\n\t\timage_map { png \"sky/upper.png\" "
                        "interpolate 2}\n\n\t\ttranslate <-0.5, -0.5, 0>\n\t\tscale 2\n\t}\n}\n"),
              wxString::npos)
        << decl;
    EXPECT_EQ(decl.find("DOMEB"), wxString::npos);
    wxString body;
    bg->WritePovUnion(body, 0);
    EXPECT_EQ(Count(body, "intersection {"), 1);
    EXPECT_NE(body.find("\t\tscale 1000.00\n\t\tscale <1,-1,1>\n\t}\n"), wxString::npos) << body;
    d->textureB.text = "sky/Lower.JPEG";
    wxString both;
    bg->PovDomeDeclares(both);
    EXPECT_NE(both.find("#declare DOMEB = function {\n\tpigment{\n\t\timage_map { jpeg \"sky/Lower.JPEG\""),
              wxString::npos);
    wxString union2;
    bg->WritePovUnion(union2, 0);
    EXPECT_EQ(Count(union2, "intersection {"), 2);
    EXPECT_NE(union2.find("\t\trotate <180, 0, 0>\n"), wxString::npos);
    // A foreign extension leaves the type word empty.
    EXPECT_EQ(FilterBG_cls::PovImageMap("a.bmp", true), "image_map {  \"a.bmp\" interpolate 2 map_type 1}\n");
    // The spherical panorama.
    d->mappingType.value = 1;
    wxString sphere;
    bg->WritePovUnion(sphere, 0);
    EXPECT_NE(sphere.find("\t\t\tpigment {image_map { png \"sky/upper.png\" interpolate 2 map_type 1}\n}\n"),
              wxString::npos)
        << sphere;
    // The colour sky: one sky_sphere, the colour map at the curve's key times.
    d->bgType.value = 2;
    d->colors[0]->useColorCurve.value = 1;
    PovBGContext_cls context;
    wxString sky;
    bg->WritePov(sky, 0, context);
    EXPECT_TRUE(sky.StartsWith("sky_sphere{\n\tpigment{\n\t\tfunction{abs(asin(z)*2/3.14159)}\n\t\t\tcolor_map{\n"))
        << sky;
    EXPECT_EQ(Count(sky, "\t[0 rgbt") + Count(sky, "\t[1 rgbt"), 2);
    EXPECT_EQ(context.commonWritten, 0u);
    d->colorMap.value = 0;
    wxString odd;
    bg->PovSkySphere(odd, 0);
    EXPECT_NE(odd.find("function{asin(z)/3.14159 + 0.5}"), wxString::npos);
}

TEST_F(FilterBGTest, PovRayRendersTheColourSkyAndParsesStarsAndDomes) {
    if (!povprobe::Available()) GTEST_SKIP() << "no POV-Ray";
    TempDir dir;
    FilterBG_cls* bg = AddBG();
    FilterBGData_cls* d = bg->Data();
    // Colour sky, "Even" on the default green-to-red curve: the horizon green, the zenith red.
    d->bgType.value = 2;
    d->colors[0]->useColorCurve.value = 1;
    PovBGContext_cls context;
    context.pathPrefix = dir.Path() + "/";
    auto render = [&](const char* lookAt) {
        wxString text;
        list2.PovBG(text, 0, context);
        return RenderScene(dir,
                           "#version 3.7;\ncamera { location <0,0,0> sky <0,0,1> look_at " + std::string(lookAt) +
                               " angle 20 }\n" + text.utf8_string(),
                           16, 16);
    };
    Render horizon = render("<1,0,0>");
    ASSERT_EQ(horizon.w, 16) << horizon.messages;
    const unsigned char* h = horizon.At(8, 8);
    EXPECT_LT(h[0], 60);
    EXPECT_GT(h[1], 200);
    Render zenith = render("<0.01,0,1>");
    ASSERT_EQ(zenith.w, 16) << zenith.messages;
    const unsigned char* z = zenith.At(8, 8);
    EXPECT_GT(z[0], 200);
    EXPECT_LT(z[1], 60);

    // Stars and both domes parse (the star sprite serves as a fisheye image).
    std::ifstream in(std::string(PT_SOURCE_DIR) + "/Texture/Star.png", std::ios::binary);
    testsupport::WriteFile(dir.File("star.png"), std::string(std::istreambuf_iterator<char>(in), {}));
    for (unsigned type : {0u, 1u}) {
        d->bgType.value = type;
        d->starNumber.value = 50;
        d->textureA.text = "star.png";
        d->textureB.text = "star.png";
        for (unsigned mapping : {0u, 1u}) {
            d->mappingType.value = mapping;
            context.StartRun();
            Render r = render("<1,0,0>");
            EXPECT_EQ(r.w, 16) << type << " " << mapping << r.messages;
        }
    }
}

TEST_F(FilterBGTest, ProjectRoundTrip) {
    FilterBG_cls* bg = AddBG();
    FilterBGData_cls* d = bg->Data();
    d->bgType.value = 1;
    d->mappingType.value = 1;
    d->textureA.text = "pano files/sky.png";
    d->starNumber.value = 12;
    d->brightness.value = 1.5f;
    d->colors[0]->constantColor.values[1] = 0.75f;
    d->SetRotationKey(0, 0, 30);
    const std::string text = All();
    EXPECT_NE(text.find("BGTectureA=pano files/sky.png\r\n"), std::string::npos);
    FilterCtrl_cls a0{0}, a1{1}, a2{2};
    FilterCtrl_cls* into[3] = {&a0, &a1, &a2};
    ReadAllInto(into, text);
    ASSERT_EQ(a2.Count(), 1);
    EXPECT_EQ(a0.WriteSection() + a1.WriteSection() + a2.WriteSection(), text);
    ASSERT_EQ(a2.GetEnabledBGs().size(), 1u);
    EXPECT_EQ(a2.GetEnabledBGs()[0]->Data()->textureA.Value(), "pano files/sky.png");
}

TEST_F(FilterBGTest, ValuesFromAFileAreClampedToTheirChoices) {
    // An edited project: choices beyond their lists and counts that would stall the views.
    const std::string text =
        "---FilterCtrl2Begin\n-FilterBegin\nFilterType=4\r\nFogType=7\r\n-FilterEnd\n"
        "-FilterBegin\nFilterType=8\r\nBGType=9\r\nBGStarNumber=99999999\r\nBGMappingType=4\r\n"
        "BGColorMap=3\r\nBGBrightness=1e9\r\n-FilterEnd\n"
        "-FilterBegin\nFilterType=8\r\nBGBrightness=-2\r\n-FilterEnd\n---FilterCtrl2End\n"
        "---FilterCtrl1Begin\n-FilterBegin\nFilterType=3\r\nGridType=12\r\nGridLineNum=2000000000\r\n"
        "-FilterEnd\n---FilterCtrl1End\n";
    ReadAllInto(lists, text);
    ASSERT_EQ(list2.Count(), 3);
    ASSERT_EQ(list1.Count(), 1);
    EXPECT_EQ(static_cast<FilterFogData_cls*>(list2.GetNode(0)->GetData())->fogType.value, 2u);
    const auto* bg = static_cast<FilterBGData_cls*>(list2.GetNode(1)->GetData());
    EXPECT_EQ(bg->bgType.value, 2u);
    EXPECT_EQ(bg->starNumber.value, kMaxStars);
    EXPECT_EQ(bg->mappingType.value, 1u);
    EXPECT_EQ(bg->colorMap.value, 1u);
    // Brightness sets the number of passes over the whole sky: a huge one would freeze the
    // first paint.
    EXPECT_FLOAT_EQ(bg->brightness.value, kMaxBGBrightness);
    EXPECT_FLOAT_EQ(static_cast<FilterBGData_cls*>(list2.GetNode(2)->GetData())->brightness.value, 0.0f);
    const auto* grid = static_cast<FilterGridData_cls*>(list1.GetNode(0)->GetData());
    EXPECT_EQ(grid->gridType.value, 5u);
    EXPECT_EQ(grid->gridLineNum.value, kGridMaxDivisions);
    // An entry beyond the limit is drawn and written with the limit too.
    EXPECT_EQ(MakeStarField(kMaxStars + 10, 1, 1).size(), size_t(kMaxStars));
    EXPECT_EQ(GridLinePositions(0, 1, 2000000000).size(), size_t(kGridMaxDivisions) + 1);
}

TEST_F(FilterBGTest, ExportRunOfThePovRayControllerWritesEachCommonFileOnce) {
    AddBG();
    TempDir dir;
    PovRayCtrl_cls ctrl;
    ctrl.pathPovWork.text = wxString::FromUTF8(dir.Path());
    ctrl.bgCommonWritten = 0;  // the export's start
    wxString out;
    list2.PovBG(out, 0, ctrl);
    EXPECT_TRUE(out.EndsWith("#include \"CommonBG00.pov\"\n"));
    EXPECT_EQ(ctrl.bgCommonWritten, 1);
    ASSERT_TRUE(testsupport::FileExists(dir.File("CommonBG00.pov")));
    std::remove(dir.File("CommonBG00.pov").c_str());
    wxString again;
    list2.PovBG(again, 0, ctrl);
    EXPECT_FALSE(testsupport::FileExists(dir.File("CommonBG00.pov")));
    ctrl.bgCommonWritten = 0;  // the next run
    list2.PovBG(again, 0, ctrl);
    EXPECT_TRUE(testsupport::FileExists(dir.File("CommonBG00.pov")));
}

TEST_F(FilterBGTest, AnyFilterNameGivesACommonFileTheSceneFinds) {
    FilterBG_cls* bg = AddBG();
    TempDir dir;
    PovRayCtrl_cls ctrl;
    ctrl.pathPovWork.text = wxString::FromUTF8(dir.Path());
    struct Case {
        const char* name;  // UTF-8
        const char* file;
    };
    const Case cases[] = {
        {"BG00", "CommonBG00.pov"},
        {"sky/stars", "Commonsky_x2Fstars.pov"},
        {"say \"hi\"", "Commonsay_x20_x22hi_x22.pov"},
        {"\xc3\x89toile", "Common_xC3_x89toile.pov"},
    };
    for (const Case& c : cases) {
        bg->Data()->filterName.text = wxString::FromUTF8(c.name);
        bg->Data()->starNumber.value = 3;
        ctrl.bgCommonWritten = 0;
        ctrl.sceneFailure.clear();
        wxString out;
        list2.PovBG(out, 0, ctrl);
        EXPECT_NE(out.utf8_string().find(std::string("#include \"") + c.file + "\"\n"), std::string::npos) << out;
        EXPECT_TRUE(testsupport::FileExists(dir.File(c.file))) << c.name;
        EXPECT_EQ(ctrl.sceneFailure, "");
        if (!povprobe::Available()) continue;
        const Render r = RenderScene(dir, "#version 3.7;\ncamera { location 0 look_at <1,0,0> }\n" + out.utf8_string(), 4, 4);
        EXPECT_EQ(r.w, 4) << c.name << r.messages;
    }
    // A common file that cannot be written fails the export, naming it.
    testsupport::WriteFile(dir.File("file"), "x");
    ctrl.pathPovWork.text = wxString::FromUTF8(dir.File("file/sub"));
    ctrl.bgCommonWritten = 0;
    wxString out;
    list2.PovBG(out, 0, ctrl);
    EXPECT_EQ(ctrl.sceneFailure.find("cannot write " + dir.File("file/sub/Common_xC3_x89toile.pov")), 0u)
        << ctrl.sceneFailure;
}

TEST_F(FilterBGTest, TexturesPovRayCannotOpenAreLeftOutAndTold) {
    FilterBG_cls* bg = AddBG();
    FilterBGData_cls* d = bg->Data();
    d->bgType.value = 1;
    TempDir dir;
    PovRayCtrl_cls ctrl;
    ctrl.pathPovWork.text = wxString::FromUTF8(dir.Path());
    d->textureA.text = wxString::FromUTF8("/pictures/\xc3\xa9t\xc3\xa9.png");
    d->textureB.text = "/pictures/lower.png";
    for (unsigned mapping : {0u, 1u}) {
        d->mappingType.value = mapping;
        ctrl.bgCommonWritten = 0;
        ctrl.sceneNotes.clear();
        wxString out;
        list2.PovBG(out, 0, ctrl);
        const std::string common = testsupport::ReadFile(dir.File("CommonBG00.pov"));
        const std::string all = out.utf8_string() + common;
        EXPECT_EQ(all.find("\xc3\xa9t\xc3\xa9"), std::string::npos) << all;
        ASSERT_EQ(ctrl.sceneNotes.size(), 1u) << mapping;
        EXPECT_EQ(ctrl.sceneNotes[0].find("/pictures/\xc3\xa9t\xc3\xa9.png: POV-Ray cannot open"), 0u);
        // The fisheye's lower dome is written all the same.
        EXPECT_EQ(Count(wxString::FromUTF8(all), "\"/pictures/lower.png\""), mapping == 0 ? 1 : 0) << all;
    }
}
