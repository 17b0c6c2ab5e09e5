// Grid filter: the POV-Ray boxes and tori of every grid type (line positions, trimmed
// corners, the cube's far faces, the skipped copies), that the text parses, the list's
// object services, and the project round trip.
#include <gtest/gtest.h>

#include "common/GLCamera.h"
#include "filters/ColorCurve.h"
#include "filters/FilterGrid.h"
#include "filters/FilterObject.h"
#include "tests/filters/FilterListsFixture.h"
#include "tests/support/PovRayProbe.h"
#include "timeline/ParamGroup.h"

namespace {

class FilterGridTest : public FilterListsFixture {
protected:
    FilterGrid_cls* AddGrid() {
        return static_cast<FilterGrid_cls*>(list1.AddFilter(FILTER_GRID, -1, nullptr, nullptr, nullptr, nullptr));
    }
    static int Count(const wxString& text, const wxString& what) {
        int n = 0;
        for (size_t at = text.find(what); at != wxString::npos; at = text.find(what, at + 1)) ++n;
        return n;
    }
    /// The export's style: this camera, line width 5.
    PovObjectStyle_cls Style() const {
        PovObjectStyle_cls style;
        style.camera = &camera;
        style.lineWidth = 5.0f;
        return style;
    }
    GLCamera_cls camera;
};

TEST_F(FilterGridTest, DefaultGridWritesTwentyOneLinesEachWay) {
    FilterGrid_cls* g = AddGrid();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->Data()->Name(), "Grid00");
    EXPECT_FLOAT_EQ(g->Data()->gridMax.value, 1.0f);
    wxString out;
    list1.PovObjects(out, 0, 0, 1, "", Style());
    EXPECT_EQ(Count(out, "box{"), 42);
    EXPECT_TRUE(out.StartsWith("\tunion {\n\t\tbox{<-1,-1.01,-0.01>,<1,-0.99,0.01>}\n")) << out.Left(120);
    // Lines at -1.0, -0.9, ..., +1.0: the last of the first loop and the first of the second.
    EXPECT_NE(out.find("\t\tbox{<-1,0.99,-0.01>,<1,1.01,0.01>}\n\t\tbox{<-1.01,-1,-0.01>,<-0.99,1,0.01>}\n"),
              wxString::npos);
    EXPECT_NE(out.find("\t\tbox{<-0.91,-1,-0.01>,<-0.89,1,0.01>}\n"), wxString::npos);
    EXPECT_NE(out.find("\t\tno_shadow\n\t}\n"), wxString::npos);
    EXPECT_NE(out.find("\t\t\t\t[pigment {rgbt <0.5000,0.5000,0.5000,0.0000>} finish { ambient 3"), wxString::npos)
        << out;
    // A periodic copy's pass writes nothing; a moved grid is still written at the origin.
    wxString copy;
    list1.PovObjects(copy, 0, 1, 1, "", Style());
    EXPECT_EQ(copy, "");
    g->Data()->SetTranslateKey(3, 4, 5);
    wxString moved;
    list1.PovObjects(moved, 0, 0, 1, "", Style());
    EXPECT_EQ(moved, out);
    EXPECT_TRUE(list1.HasEnabledObjectOrGrid());
    g->Data()->filterValid.value = 0;
    EXPECT_FALSE(list1.HasEnabledObjectOrGrid());
}

TEST_F(FilterGridTest, LinePositionsFromRangeAndDivisions) {
    struct Case {
        float a, b;
        int n;
        std::vector<double> lines;
    };
    const Case cases[] = {
        {2, 2, 4, {2}},                  // equal ends: step 0.25, one line
        {0, 1, 0, {0, 1}},               // no divisions taken as one
        {0, 1, -3, {0, 1}},
        {-0.5f, 1, 3, {-0.5, 0, 0.5, 1}},
        {1, 0, 2, {}},                   // reversed: nothing between
    };
    for (const Case& c : cases) {
        const std::vector<double> v = GridLinePositions(c.a, c.b, c.n);
        ASSERT_EQ(v.size(), c.lines.size()) << c.a << " " << c.b << " " << c.n;
        for (size_t i = 0; i < v.size(); ++i) EXPECT_NEAR(v[i], c.lines[i], 1e-6);
    }
    EXPECT_EQ(GridLinePositions(-1, 1, 20).size(), 21u);
    EXPECT_EQ(GridLinePositions(0, 1, 1000).size(), 1001u);
}

TEST_F(FilterGridTest, TypesWriteTheirPrimitives) {
    FilterGrid_cls* g = AddGrid();
    FilterGridData_cls* d = g->Data();
    d->gridMin.value = -0.5f;
    d->gridMax.value = 1;
    d->gridLineNum.value = 3;
    auto text = [&](unsigned type) {
        d->gridType.value = type;
        wxString out;
        g->PovGrid(out, 0, 0, "", camera, 5.0f);
        return out;
    };
    const wxString rings = text(4);
    EXPECT_NE(rings.find("union {\n\ttorus{0,0.01}\n\ttorus{0.5,0.01}\n\ttorus{1,0.01}\n\trotate <90, 0, 0>\n"),
              wxString::npos)
        << rings;
    EXPECT_EQ(Count(rings, "torus{"), 3);
    const wxString sphere = text(5);
    EXPECT_EQ(Count(sphere, "box{") + Count(sphere, "torus{"), 0);
    EXPECT_TRUE(sphere.StartsWith("union {\n\ttexture {\n")) << sphere;
    EXPECT_TRUE(sphere.EndsWith("\tno_shadow\n}\n"));
    // Plane x = 0 and plane y = 0.
    EXPECT_TRUE(text(1).StartsWith("union {\n\tbox{<-0.01,-0.51,-0.5>,<0.01,-0.49,1>}\n")) << text(1);
    EXPECT_TRUE(text(2).StartsWith("union {\n\tbox{<-0.51,-0.01,-0.5>,<-0.49,0.01,1>}\n")) << text(2);
    // The cube seen along -z, +x and -y: planes z = min, x = max, y = min.
    const double dir[3] = {1, -1, -1}, up[3] = {0, 0, 1};
    camera.frame.SetDirUp(dir, up);
    const wxString cube = text(3);
    EXPECT_EQ(Count(cube, "box{"), 24);
    EXPECT_NE(cube.find("\tbox{<-0.5,-0.51,-0.51>,<1,-0.49,-0.49>}\n"), wxString::npos);  // z = -0.5
    EXPECT_NE(cube.find("\tbox{<0.99,-0.51,-0.5>,<1.01,-0.49,1>}\n"), wxString::npos);    // x = 1
    EXPECT_NE(cube.find("\tbox{<-0.51,-0.51,-0.5>,<-0.49,-0.49,1>}\n"), wxString::npos);  // y = -0.5
}

TEST_F(FilterGridTest, ReversedRangeIsWrittenBetweenTheSameEnds) {
    FilterGrid_cls* g = AddGrid();
    FilterGridData_cls* d = g->Data();
    d->gridLineNum.value = 4;
    const double dir[3] = {1, -1, -1}, up[3] = {0, 0, 1};
    camera.frame.SetDirUp(dir, up);
    auto text = [&](unsigned type, float a, float b) {
        d->gridType.value = type;
        d->gridMin.value = a;
        d->gridMax.value = b;
        wxString out;
        list1.PovObjects(out, 0, 0, 1, "", Style());
        return out;
    };
    for (unsigned type : {0u, 1u, 2u, 3u, 4u}) {
        const wxString forward = text(type, -0.5f, 2.0f);
        EXPECT_GT(Count(forward, "box{") + Count(forward, "torus{"), 0) << type;
        EXPECT_EQ(text(type, 2.0f, -0.5f), forward) << type;
    }
}

TEST_F(FilterGridTest, GridHiddenByTheEyeIsNotWritten) {
    FilterGrid_cls* g = AddGrid();
    ASSERT_NE(g->Data()->group, nullptr);
    g->Data()->group->visible = 0;
    wxString out;
    list1.PovObjects(out, 0, 0, 1, "", Style());
    EXPECT_EQ(out, "");
    EXPECT_FALSE(list1.HasEnabledObjectOrGrid()) << "no union of the filter objects is opened";
    g->Data()->group->visible = 1;
    EXPECT_TRUE(list1.HasEnabledObjectOrGrid());
    list1.PovObjects(out, 0, 0, 1, "", Style());
    EXPECT_EQ(Count(out, "box{"), 42);
}

TEST_F(FilterGridTest, PovTextParses) {
    if (!povprobe::Available()) GTEST_SKIP() << "no POV-Ray";
    FilterGrid_cls* g = AddGrid();
    g->Data()->gridLineNum.value = 4;
    std::string scene = "#version 3.7;\ncamera { location <0,0,-5> look_at <0,0,0> }\n";
    for (unsigned type : {0u, 3u, 4u, 5u}) {
        g->Data()->gridType.value = type;
        wxString out;
        list1.PovObjects(out, 0, 0, 0, "", Style());
        scene += out.utf8_string();
    }
    bool ok = false;
    const std::string messages = povprobe::Run(scene, ok);
    EXPECT_TRUE(ok) << messages;
}

TEST_F(FilterGridTest, ProjectRoundTrip) {
    FilterGrid_cls* g = AddGrid();
    g->Data()->gridType.value = 4;
    g->Data()->gridMin.value = 0.25f;
    g->Data()->gridMax.value = 3.5f;
    g->Data()->gridLineNum.value = 7;
    g->Data()->gridCoord.value = 0;
    g->Data()->colors[0]->constantColor.values[0] = 0.125f;
    g->Data()->SetRotationKey(10, 20, 30);
    const std::string text = All();
    EXPECT_NE(text.find("GridMax=3.500000\r\n"), std::string::npos);
    FilterCtrl_cls a0{0}, a1{1}, a2{2};
    FilterCtrl_cls* into[3] = {&a0, &a1, &a2};
    ReadAllInto(into, text);
    ASSERT_EQ(a1.Count(), 1);
    EXPECT_EQ(a0.WriteSection() + a1.WriteSection() + a2.WriteSection(), text);
    auto* r = static_cast<FilterGrid_cls*>(a1.GetNode(0));
    EXPECT_EQ(r->Data()->gridType.value, 4u);
    EXPECT_EQ(r->Data()->gridCoord.value, 0);
    EXPECT_NEAR(r->Data()->rotation->GetValues(0, 0)[2], 30, 1e-9);
}

}  // namespace

namespace {

TEST_F(FilterGridTest, GridsAndObjectsAreWrittenInListOrder) {
    list1.AddFilter(FILTER_OBJECT, -1, nullptr, nullptr, nullptr, nullptr);
    AddGrid();
    list1.AddFilter(FILTER_OBJECT, -1, nullptr, nullptr, nullptr, nullptr);
    wxString out;
    list1.PovObjects(out, 0, 0, 1, "", Style());
    const size_t first = out.find("\tbox {"), grid = out.find("\tunion {\n"), last = out.rfind("\tbox {");
    ASSERT_NE(first, wxString::npos) << out;
    ASSERT_NE(grid, wxString::npos);
    EXPECT_LT(first, grid);
    EXPECT_LT(grid, last);
    // A periodic copy's pass writes the objects' copies but no grid.
    wxString copy;
    list1.PovObjects(copy, 0, 1, 1, "translate <1,0,0>", Style());
    EXPECT_EQ(copy.find("union {"), wxString::npos);
}

}  // namespace
