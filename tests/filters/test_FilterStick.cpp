// The Stick filter: its settings text and project round trip, the per-draw preparation
// (stick files per data frame, the distance rule), and its POV-Ray macro and unions, parsed
// by POV-Ray.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "filters/FilterCtrl.h"
#include "filters/FilterStick.h"
#include "tests/support/ParamHistoryFixture.h"
#include "tests/support/PovRayProbe.h"
#include "tests/support/TestFiles.h"
#include "tests/timeline/TextFeed.h"

namespace {

class FilterStickTest : public ParamHistoryFixture {
protected:
    FilterCtrl_cls list0{0}, list1{1}, list2{2};
    FilterCtrl_cls* lists[3] = {&list0, &list1, &list2};

    FilterStick_cls* Add() {
        return static_cast<FilterStick_cls*>(list1.AddFilter(FILTER_STICK, -1, nullptr, nullptr, nullptr, nullptr));
    }
    void ReadAllInto(FilterCtrl_cls* const into[3], const std::string& text) {
        const std::vector<std::string> lines = textfeed::SplitAtLf(text);
        ParamTextStream_cls stream(lines);
        std::string line;
        while (stream.ReadLine(line))
            for (int i = 0; i < 3; ++i) into[i]->ReadSection(stream, line, into);
    }
};

// Three particles on the x axis at 0, 1 and 2.5.
struct Line3 {
    float pos[9] = {0, 0, 0, 1, 0, 0, 2.5f, 0, 0};
    uint8_t types[3] = {0, 1, 0};
    StickFrame_cls Frame(double time = 0) {
        StickFrame_cls f;
        f.positions = pos;
        f.types = types;
        f.count = 3;
        f.time = time;
        return f;
    }
};

TEST_F(FilterStickTest, DefaultTextAndProjectRoundTrip) {
    FilterStick_cls* s = Add();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Data()->Name(), "Stick00");
    const std::string text = s->WriteText();
    EXPECT_EQ(text,
              "FilterType=7\r\nFilterValid=1\r\nFilterName=Stick00\r\nFilterGUIOpen=1\r\n"
              "StickType=0\r\nStickRadius=0.500000\r\nStickWidth=10\r\nCalcType=0\r\nStickPath=NONE\r\n"
              "CritType=0\r\nCritA=1.000000\r\nCritB=2.000000\r\nSpecType=0\r\nSpecA=0\r\nSpecB=1\r\n"
              "ShaderType=2\r\nShininess=10\r\nTransmitType=0\r\nAlpha=1.000000\r\nReflectType=0\r\n"
              "ReflectMin=0.200000\r\nReflectMax=0.500000\r\nIOR=1.000000\r\n"
              "NormalPattern0=0\r\nNormalDegree0=0.300000\r\nNormalScale0=1.000000\r\n"
              "NormalPattern1=0\r\nNormalDegree1=0.300000\r\nNormalScale1=1.000000\r\n");
    // Changed settings come back from the project text, even when the section of another
    // list holds the filter.
    s->Data()->calcType.value = 1;
    s->Data()->critType.value = 2;
    s->Data()->critB.value = 3.5f;
    s->Data()->stickPath.text = "bond%04d.bond";
    s->Data()->texture.normalPattern[1].value = 3;
    Add();
    const std::string before = list1.WriteSection();
    std::string misplaced = before;
    misplaced.replace(misplaced.find("FilterCtrl1Begin"), 16, "FilterCtrl0Begin");
    misplaced.replace(misplaced.find("FilterCtrl1End"), 14, "FilterCtrl0End");
    FilterCtrl_cls r0{0}, r1{1}, r2{2};
    FilterCtrl_cls* const read[3] = {&r0, &r1, &r2};
    ReadAllInto(read, misplaced);
    EXPECT_EQ(r0.Count(), 0);
    EXPECT_EQ(r1.WriteSection(), before);
    // Choices beyond their lists are brought back into them.
    std::string wild = before;
    for (const char* key : {"StickType=0", "CalcType=1", "CritType=2", "SpecType=0", "StickWidth=10"}) {
        const size_t at = wild.find(key);
        ASSERT_NE(at, std::string::npos) << key;
        wild.replace(at, std::strlen(key), std::string(key).substr(0, std::strlen(key) - 1) + "99");
    }
    FilterCtrl_cls w0{0}, w1{1}, w2{2};
    FilterCtrl_cls* const wread[3] = {&w0, &w1, &w2};
    ReadAllInto(wread, wild);
    ASSERT_EQ(w1.Count(), 2);
    const auto* wd = static_cast<FilterStickData_cls*>(w1.GetNode(0)->GetData());
    EXPECT_EQ(wd->stickType.value, 1u);
    EXPECT_EQ(wd->calcType.value, 1u);
    EXPECT_EQ(wd->critType.value, 2u);
    EXPECT_EQ(wd->specType.value, 1u);
    EXPECT_EQ(wd->stickWidth.value, 20);
}

TEST_F(FilterStickTest, StickFilesPerDataFrame) {
    testsupport::TempDir dir;
    testsupport::WriteFile(dir.File("bond0012.txt"), "0 1\n1 2 1\n");
    testsupport::WriteFile(dir.File("bond0013.txt"), "0 2\n");
    FilterStick_cls* s = Add();
    Line3 l;
    const StickFrame_cls f = l.Frame();
    StickBox_cls box;
    std::vector<std::string> shown;
    s->errorSink = [&](const std::string& m) { shown.push_back(m); };
    // A new filter reads "NONE": no sticks, no message, not tried again.
    s->Prepare(&f, box, 0, 0);
    EXPECT_EQ(s->Data()->engine.Size(), 0u);
    EXPECT_EQ(s->Data()->engine.StickPath(), "NONE");
    EXPECT_TRUE(shown.empty());
    s->Data()->stickPath.text = wxString::FromUTF8(dir.File("bond%04d.txt"));
    s->Prepare(&f, box, 0, 12);
    EXPECT_EQ(s->Data()->engine.Size(), 2u);
    EXPECT_TRUE(s->Data()->engine.Valid());
    s->Data()->stickType.value = 1;  // the drawing changes, the list stays
    s->Prepare(&f, box, 0, 12);
    EXPECT_EQ(s->Data()->engine.Size(), 2u);
    s->Prepare(&f, box, 0, 13);
    EXPECT_EQ(s->Data()->engine.Second(), std::vector<int>{2});
    // A missing frame's file is told once, naming the file.
    s->Prepare(&f, box, 0, 14);
    s->Prepare(&f, box, 0, 14);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("bond0014.txt"), std::string::npos) << shown[0];
    EXPECT_EQ(s->LastError(), shown[0]);
    // Fewer particles than the file names: nothing drawn or written.
    testsupport::WriteFile(dir.File("bond0015.txt"), "0 3\n");
    s->Prepare(&f, box, 0, 15);
    EXPECT_FALSE(s->Data()->engine.Valid());
    wxString pov;
    s->PovSticks(pov, l.pos);
    EXPECT_EQ(pov.Find("CY("), wxNOT_FOUND);
    EXPECT_NE(pov.Find("#declare STICKS0=\nunion{\n};\n"), wxNOT_FOUND);
}

TEST_F(FilterStickTest, CalculatedSticksAndDisabledFilter) {
    FilterStick_cls* s = Add();
    FilterStickData_cls* d = s->Data();
    d->calcType.value = 1;
    d->critA.value = 1.2f;
    Line3 l;
    const StickFrame_cls f = l.Frame();
    s->Prepare(&f, StickBox_cls(), 0, 0);
    EXPECT_EQ(d->engine.First(), std::vector<int>{0});
    EXPECT_EQ(d->engine.Second(), std::vector<int>{1});
    d->specType.value = 1;
    d->specA.value = 0;
    d->specB.value = 0;  // types (0, 0) only: 0 and 2 are too far apart
    s->Prepare(&f, StickBox_cls(), 0, 0);
    EXPECT_EQ(d->engine.Size(), 0u);
    // Switching the way back and forth refills the list each time.
    testsupport::TempDir dir;
    testsupport::WriteFile(dir.File("one.txt"), "1 2\n");
    d->stickPath.text = wxString::FromUTF8(dir.File("one.txt"));
    d->calcType.value = 0;
    s->Prepare(&f, StickBox_cls(), 0, 0);
    EXPECT_EQ(d->engine.First(), std::vector<int>{1});
    d->calcType.value = 1;
    d->specType.value = 0;
    s->Prepare(&f, StickBox_cls(), 0, 0);
    EXPECT_EQ(d->engine.First(), std::vector<int>{0});
    d->calcType.value = 0;
    s->Prepare(&f, StickBox_cls(), 0, 0);
    EXPECT_EQ(d->engine.First(), std::vector<int>{1});
    d->calcType.value = 1;
    d->filterValid.value = false;
    d->critA.value = 5;  // would join every pair
    s->Prepare(&f, StickBox_cls(), 0, 0);
    EXPECT_EQ(d->engine.Size(), 1u);  // a disabled filter does nothing
    wxString pov;
    s->PovSticks(pov, l.pos);
    EXPECT_TRUE(pov.empty());
    EXPECT_TRUE(list1.GetEnabledSticks().empty());
    d->filterValid.value = true;
    EXPECT_EQ(list1.GetEnabledSticks(), std::vector<FilterStick_cls*>{s});
}

TEST_F(FilterStickTest, MacroTextByFactorsAndTexture) {
    FilterStick_cls* s = Add();
    FilterStickData_cls* d = s->Data();
    d->engine.Append(0, 1, 0, 1.0f);
    EXPECT_EQ(s->PovMacro(),
              "#macro CY(VPos0,VPos1)\n"
              "cylinder{ VPos0,VPos1,0.500000 open\n"
              "\ttexture {\n"
              "\t\tpigment {rgbt <0.8,0.8,0.8,1-1.000000>}\n"
              "\t\tfinish { ambient <0.2,0.16,0.04> diffuse 1 specular 1 metallic roughness 0.024336}\n"
              "\t}\n"
              "}\n#end\n\n");
    d->engine.Append(1, 2, 0, 0.5f);
    d->texture.alpha.value = 0;
    d->texture.reflectType.value = 2;
    d->texture.ior.value = 1.5f;
    d->texture.normalPattern[0].value = 3;
    EXPECT_EQ(s->PovMacro(),
              "#macro CY(VPos0,VPos1,Factor)\n"
              "cylinder{ VPos0,VPos1,0.500000 open\n"
              "\ttexture {\n"
              "\t\tpigment {rgbt <1,1,1,1-0.000000*Factor>}\n"
              "\t\tfinish { ambient <0.2,0.16,0.04> diffuse 1 specular Factor metallic roughness 0.024336"
              " reflection{0.200000,0.500000}}\n"
              "\t}\n"
              "\tnormal {bumps 0.300000 scale <1.0000,1.0000,1.0000> }\n"
              "\tinterior { ior 1.500000}\n"
              "}\n#end\n\n");
}

TEST_F(FilterStickTest, SceneTextParsesInPovRay) {
    if (!povprobe::Available()) GTEST_SKIP() << "POV-Ray is not installed";
    for (bool ramp : {false, true}) {
        FilterStick_cls* s = Add();
        FilterStickData_cls* d = s->Data();
        d->calcType.value = 1;
        d->critType.value = ramp ? 1 : 0;
        d->critA.value = 1.2f;
        d->critB.value = 2;
        d->texture.normalPattern[0].value = 3;
        d->texture.normalPattern[1].value = ramp ? 11 : 6;  // the ridged function needs its include
        d->texture.ior.value = 1.3f;
        Line3 l;
        const StickFrame_cls f = l.Frame();
        s->Prepare(&f, StickBox_cls(), 0, 0);
        EXPECT_EQ(d->engine.Size(), ramp ? 2u : 1u);
        wxString scene;
        s->PovMacroAndSticks(scene, l.pos);
        scene += "object{STICKS0}\n#debug concat(\"parsed \", str(1,0,0), \"\\n\")\n";
        bool ok = false;
        const std::string out = povprobe::Run(scene.utf8_string(), ok);
        EXPECT_TRUE(ok) << out;
        EXPECT_EQ(povprobe::Line(out, "parsed"), "1") << out;
    }
}

// Two enabled Stick filters: each one's cylinders are made by its own macro, and the one
// instance of the unions that the scene places shows the sticks of both.
TEST_F(FilterStickTest, TwoStickFiltersKeepTheirOwnUnionsInPovRay) {
    if (!povprobe::Available()) GTEST_SKIP() << "POV-Ray is not installed";
    FilterStick_cls* first = Add();
    FilterStick_cls* second = Add();
    Line3 near, far;
    for (int i = 0; i < 3; ++i) far.pos[3 * i] += 10.0f;  // particles at x 10, 11, 12.5
    wxString scene;
    int n = 0;
    for (auto [s, line] : {std::pair{first, &near}, std::pair{second, &far}}) {
        FilterStickData_cls* d = s->Data();
        d->calcType.value = 1;
        d->critA.value = 1.2f;  // one stick: the first two particles
        d->stickRadius.value = n == 0 ? 0.25f : 0.125f;
        const StickFrame_cls f = line->Frame();
        s->Prepare(&f, StickBox_cls(), 0, 0);
        ASSERT_EQ(d->engine.Size(), 1u);
        s->PovMacroAndSticks(scene, line->pos, n++);
    }
    // The second filter's macro is declared after the first filter's unions were made:
    // each union keeps its own filter's radius.
    for (const char* u : {"STICKS0", "STICKS0_F1"})
        scene += wxString::Format("#declare LO = min_extent(%s);\n#declare HI = max_extent(%s);\n"
                                  "#debug concat(\"%s \", str(LO.x,0,3), \" \", str(HI.x,0,3), "
                                  "\" \", str(HI.y-LO.y,0,3), \"\\n\")\n",
                                  u, u, u);
    scene += "object{STICKS0}\nobject{STICKS0_F1}\n";
    bool ok = false;
    const std::string out = povprobe::Run(scene.utf8_string(), ok);
    ASSERT_TRUE(ok) << out;
    double lo = 0, hi = 0, thick = 0;
    ASSERT_EQ(std::sscanf(povprobe::Line(out, "STICKS0").c_str(), "%lf %lf %lf", &lo, &hi, &thick), 3) << out;
    EXPECT_NEAR(lo, 0.0, 0.3) << out;
    EXPECT_NEAR(hi, 1.0, 0.3) << out;
    EXPECT_NEAR(thick, 0.5, 0.05) << out;
    ASSERT_EQ(std::sscanf(povprobe::Line(out, "STICKS0_F1").c_str(), "%lf %lf %lf", &lo, &hi, &thick), 3) << out;
    EXPECT_NEAR(lo, 10.0, 0.3) << out;
    EXPECT_NEAR(hi, 11.0, 0.3) << out;
    EXPECT_NEAR(thick, 0.25, 0.05) << out;
}

}  // namespace
