// Object filter: added through its command and undone, written and read with the project,
// its mesh path pattern, and its POV-Ray objects, parsed by POV-Ray.
#include <gtest/gtest.h>

#include <wx/init.h>

#include <string>
#include <vector>

#include "common/CommandHistory.h"
#include "filters/ColorCurve.h"
#include "filters/CommandFilter.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterObject.h"
#include "scene/PovText.h"
#include "tests/support/ParamHistoryFixture.h"
#include "tests/support/PovRayProbe.h"
#include "tests/support/TestFiles.h"
#include "tests/timeline/TextFeed.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamTextStream.h"

namespace {

class FilterObjectTest : public ParamHistoryFixture {
protected:
    FilterCtrl_cls list0{0}, list1{1}, list2{2};
    FilterCtrl_cls* lists[3] = {&list0, &list1, &list2};

    FilterObject_cls* Add() {
        return static_cast<FilterObject_cls*>(list1.AddFilter(FILTER_OBJECT, -1, nullptr, nullptr, nullptr, nullptr));
    }
    void ReadInto(const std::string& text) {
        const std::vector<std::string> lines = textfeed::SplitAtLf(text);
        ParamTextStream_cls stream(lines);
        std::string line;
        while (stream.ReadLine(line))
            for (FilterCtrl_cls* l : lists) l->ReadSection(stream, line, lists);
    }
};

int Count(const wxString& text, const wxString& what) {
    int n = 0;
    for (size_t at = text.find(what); at != wxString::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace

TEST_F(FilterObjectTest, AddCommandAndUndo) {
    FilterBase_cls* f = AddFilterCommand(GoCommandHistory, &list1, FILTER_OBJECT);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(list1.Count(), 1);
    EXPECT_EQ(f->GetData()->Name(), "Object00");
    EXPECT_EQ(list1.FindParam("Object00 Scale x")->GetValue(0, -1), 1.0);
    EXPECT_TRUE(list1.HasEnabledObjectOrGrid());
    GoCommandHistory.Undo();
    EXPECT_EQ(list1.Count(), 0);
    EXPECT_FALSE(list1.HasEnabledObjectOrGrid());
    GoCommandHistory.Redo();
    ASSERT_EQ(list1.Count(), 1);
    EXPECT_EQ(list1.GetNode(0)->Kind(), FILTER_OBJECT);
}

TEST_F(FilterObjectTest, ProjectRoundTripKeepsEverySetting) {
    FilterObject_cls* f = Add();
    FilterObjectData_cls* d = f->Data();
    d->objectType.value = OBJECT_IMPORT;
    d->importPath.text = "meshes/frame%04d.obj";
    d->arrayVector[1].values[0] = 0.5f;
    d->texture.normalPattern[0].value = 4;
    d->texture.transmitType.value = 1;
    d->colors[1]->constantColor.values[0] = 0.25f;
    d->SetTranslateKey(1, 2, 3);
    const std::string text = list1.WriteSection();
    EXPECT_NE(text.find("FilterType=2\r\n"), std::string::npos);
    EXPECT_NE(text.find("ObjectType=3\r\nImportPath=meshes/frame%04d.obj\r\nShaderType=2\r\n"), std::string::npos);
    EXPECT_NE(text.find("ArrayVector0=1.000000 0.000000 0.000000\r\n"), std::string::npos);
    list1.DeleteAll();
    ReadInto(text);
    ASSERT_EQ(list1.Count(), 1);
    EXPECT_EQ(list1.WriteSection(), text);
    auto* back = static_cast<FilterObject_cls*>(list1.GetNode(0))->Data();
    EXPECT_EQ(back->MeshPath(7), "meshes/frame0007.obj");
    // a shape number past the choices is taken as the last choice
    std::string odd = text;
    odd.replace(odd.find("ObjectType=3"), 12, "ObjectType=9");
    list1.DeleteAll();
    ReadInto(odd);
    EXPECT_EQ(static_cast<FilterObject_cls*>(list1.GetNode(0))->Data()->objectType.value, 3u);
}

TEST_F(FilterObjectTest, MeshPathTakesOnlyAnIntegerConversion) {
    FilterObjectData_cls d;
    d.importPath.text = "mesh%03d.obj";
    EXPECT_EQ(d.MeshPath(7), "mesh007.obj");
    d.importPath.text = "mesh%s%d.obj";
    EXPECT_EQ(d.MeshPath(7), "mesh%s7.obj");
    d.importPath.text = "100%.obj";
    EXPECT_EQ(d.MeshPath(7), "100%.obj");
}

TEST_F(FilterObjectTest, PovObjectsByShapeAndMode) {
    FilterObject_cls* box = Add();
    FilterObject_cls* mesh = Add();
    mesh->Data()->objectType.value = OBJECT_IMPORT;
    const PovObjectStyle_cls style;
    struct Case {
        int mode;
        const char* copy;
        int boxes, meshes;
    } cases[] = {{0, "", 1, 0}, {1, "translate <1,0,0>", 0, 1}, {1, "", 0, 1}};
    for (const Case& c : cases) {
        wxString out;
        list1.PovObjects(out, 0, c.mode, 1, c.copy, style);
        EXPECT_EQ(Count(out, "\tbox {"), c.boxes) << c.mode;
        EXPECT_EQ(Count(out, "\tobject {\n\tMESH_OBJECT\n"), c.meshes) << c.mode;
        if (*c.copy) {
            EXPECT_EQ(Count(out, wxString("\t\t") + c.copy + "\n"), 1);
        }
    }
    EXPECT_EQ(list1.PovObjectDeclares(style), "#declare MESH_OBJECT=union{};\n");
    // disabled: no object, and no mesh declared for it
    box->Data()->filterValid.value = 0;
    mesh->Data()->filterValid.value = 0;
    wxString out;
    list1.PovObjects(out, 0, 0, 0, "", style);
    list1.PovObjects(out, 0, 1, 0, "", style);
    EXPECT_EQ(out, "");
    EXPECT_EQ(list1.PovObjectDeclares(style), "");
    // a shape number past the choices (set directly) writes nothing
    box->Data()->filterValid.value = 1;
    box->Data()->objectType.value = 7;
    list1.PovObjects(out, 0, 0, 0, "", style);
    list1.PovObjects(out, 0, 1, 0, "", style);
    EXPECT_EQ(out, "");
}

TEST_F(FilterObjectTest, TransmitZeroMakesTheMaterialOpaque) {
    FilterObjectData_cls d;
    d.texture.alpha.value = 0.3f;
    MaterialColors_cls m;
    d.MaterialAt0(m);
    EXPECT_EQ(m.ambient[3], 1.0f);
    EXPECT_EQ(m.diffuse[3], 1.0f);
    d.texture.transmitType.value = 2;
    d.MaterialAt0(m);
    EXPECT_FLOAT_EQ(m.specular[3], 0.3f);
    EXPECT_FLOAT_EQ(m.diffuse[0], 1.0f);
    EXPECT_FLOAT_EQ(m.diffuse[1], 0.8f);
}

TEST_F(FilterObjectTest, SceneOfEveryShapeParsesInPovRay) {
    if (!povprobe::Available()) GTEST_SKIP() << "no POV-Ray";
    testsupport::TempDir dir;
    testsupport::WriteFile(dir.File("m1.obj"), "v 0 0 0\nv 2 0 0\nv 0 2 0\nvn 0 0 1\nf 1//1 2//1 3//1\n");
    for (int shape = 0; shape <= 3; ++shape) {
        FilterObject_cls* f = Add();
        FilterObjectData_cls* d = f->Data();
        d->objectType.value = static_cast<unsigned>(shape);
        d->SetTranslateKey(shape, 0, 0);
        d->SetRotationKey(10, 20, 30);
        d->SetScaleKey(1, 2, 1);
        d->texture.reflectType.value = 1;
        d->texture.ior.value = 1.4f;
        d->texture.transmitType.value = 1;
        d->texture.alpha.value = 0.5f;
        d->texture.normalPattern[0].value = static_cast<unsigned>(3 + shape);
        d->texture.normalPattern[1].value = shape == 0 ? 11 : 0;
    }
    EXPECT_TRUE(list1.ObjectsUseFunctions());
    static_cast<FilterObject_cls*>(list1.GetNode(3))->Data()->importPath.text = dir.File("m%d.obj");
    for (bool single : {false, true}) {
        PovObjectStyle_cls style;
        style.singleForm = single;
        wxString scene = "#version 3.7;\nglobal_settings { assumed_gamma 1 }\n#include \"functions.inc\"\n";
        scene << list1.PovObjectDeclares(style, 1);
        list1.PovObjects(scene, 0, 1, 0, "translate <0,0,5>", style);
        list1.PovObjects(scene, 0, 0, 1, "", style);
        scene << "#debug \"PARSED 1\\n\"\n";
        bool ok = false;
        const std::string out = povprobe::Run(scene.utf8_string(), ok);
        ASSERT_TRUE(ok) << out << scene;
        EXPECT_EQ(povprobe::Line(out, "PARSED"), "1");
        EXPECT_EQ(Count(scene, "MESH_OBJECT=mesh2"), 1);
    }
}

TEST_F(FilterObjectTest, MeshPathAndAffineMapEditsUndo) {
    FilterObject_cls* f = Add();
    FilterObjectData_cls* d = f->Data();
    EXPECT_FALSE(SetImportPathCommand(GoCommandHistory, f, "NONE"));
    EXPECT_EQ(GoCommandHistory.Size(), 0u);
    ASSERT_TRUE(SetImportPathCommand(GoCommandHistory, f, "/data/mesh%03d.obj"));
    EXPECT_EQ(d->importPath.Value(), "/data/mesh%03d.obj");
    GoCommandHistory.Undo();
    EXPECT_EQ(d->importPath.Value(), "NONE");
    GoCommandHistory.Redo();
    EXPECT_EQ(d->importPath.Value(), "/data/mesh%03d.obj");

    float same[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const size_t steps = GoCommandHistory.Size();
    EXPECT_FALSE(SetAffineMapCommand(GoCommandHistory, f, same));
    EXPECT_EQ(GoCommandHistory.Size(), steps);  // confirmed unchanged: no undo entry
    float sheared[3][3] = {{1, 0, 0}, {0.5f, 1, 0}, {0, 0, 2}};
    ASSERT_TRUE(SetAffineMapCommand(GoCommandHistory, f, sheared));
    EXPECT_EQ(d->PovMatrix(), "\tmatrix<1.000000,0.000000,0.000000,0.500000,1.000000,0.000000,0.000000,0.000000,"
                              "2.000000,0,0,0>");
    GoCommandHistory.Undo();  // the whole map in one step
    for (int a = 0; a < 3; ++a)
        for (int k = 0; k < 3; ++k) EXPECT_EQ(d->arrayVector[a].values[k], same[a][k]);
}

TEST_F(FilterObjectTest, AMeshProblemIsToldOncePerPath) {
    ASSERT_TRUE(wxInitialize());  // the mesh2 list workers are wx threads
    testsupport::TempDir dir;
    FilterObjectData_cls d;
    d.importPath.text = dir.File("missing%d.pov");
    const std::string first = d.LoadMesh(1);
    EXPECT_EQ(first, dir.File("missing1.pov") + ": cannot be read");
    EXPECT_EQ(d.LoadMesh(1), "");  // tried again, not told again
    EXPECT_NE(d.LoadMesh(2), "");
    testsupport::WriteFile(dir.File("missing3.pov"), "#declare M=mesh2{ vertex_vectors { 1, <0,0,0> } }");
    EXPECT_EQ(d.LoadMesh(3), "");
    EXPECT_EQ(d.mesh.VertexCount(), 1u);
    wxUninitialize();
}

TEST_F(FilterObjectTest, PovRayPlacesTheShapesAndTheAffineMap) {
    if (!povprobe::Available()) GTEST_SKIP() << "no POV-Ray";
    ASSERT_TRUE(wxInitialize());
    testsupport::TempDir dir;
    // a unit square in z = 0 from (0,0) to (1,1)
    testsupport::WriteFile(dir.File("sq.obj"), "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\n");
    FilterObject_cls* box = Add();
    box->Data()->SetTranslateKey(1, 2, 3);
    box->Data()->SetRotationKey(0, 0, 30);
    box->Data()->SetScaleKey(1, 2, 0.5);
    FilterObject_cls* mesh = Add();
    FilterObjectData_cls* m = mesh->Data();
    m->objectType.value = OBJECT_IMPORT;
    m->importPath.text = dir.File("sq.obj");
    m->SetTranslateKey(10, 0, 0);
    m->SetScaleKey(1, 1, 1);
    // x axis to (2, 0, 1): the square leans, its far x edge 1 higher
    m->arrayVector[0].values[0] = 2;
    m->arrayVector[0].values[2] = 1;
    const PovObjectStyle_cls style;
    wxString scene = "#version 3.7;\nglobal_settings { assumed_gamma 1 }\n";
    scene << list1.PovObjectDeclares(style, 0) << "#declare All = union {\n";
    list1.PovObjects(scene, 0, 1, 1, "", style);
    list1.PovObjects(scene, 0, 0, 1, "", style);
    scene << "}\n#declare N = <0,0,0>;\n"
             "#declare A = trace(All, <1,2,-10>, <0,0,1>, N);\n"
             "#declare B = trace(All, <11.5,0.5,-10>, <0,0,1>, N);\n"
             "#debug concat(\"A \", vstr(3, A, \" \", 0, 3), \"\\n\")\n"
             "#debug concat(\"B \", vstr(3, B, \" \", 0, 3), \"\\n\")\n";
    bool ok = false;
    const std::string out = povprobe::Run(scene.utf8_string(), ok);
    ASSERT_TRUE(ok) << out << scene;
    EXPECT_EQ(povprobe::Line(out, "A"), "1.000 2.000 2.750");   // the box's lower face
    EXPECT_EQ(povprobe::Line(out, "B"), "11.500 0.500 0.750");  // the mesh at x 1.5 of 2
    wxUninitialize();
}

TEST_F(FilterObjectTest, SceneWriterFormsTakeTheCopyTransformSetLast) {
    FilterObject_cls* mesh = Add();
    mesh->Data()->objectType.value = OBJECT_IMPORT;
    const GLCamera_cls camera;
    list1.SetCopyTransform("translate <2,0,0>");
    wxString out;
    list1.PovObjects(out, 0, 1, 2, camera);
    EXPECT_EQ(Count(out, "\t\t\ttranslate <2,0,0>\n"), 1) << out;
    list1.SetCopyTransform("");
    wxString again;
    list1.PovObjects(again, 0, 1, 0, camera);
    EXPECT_EQ(Count(again, "translate <2,0,0>"), 0);
    EXPECT_EQ(list1.PovObjectDeclares(), "#declare MESH_OBJECT=union{};\n");
}

TEST_F(FilterObjectTest, ObjectsTheViewsLeaveOutAreNeitherReadNorWritten) {
    ASSERT_TRUE(wxInitialize());
    testsupport::TempDir dir;
    testsupport::WriteFile(dir.File("a.obj"), "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    FilterObject_cls* box = Add();
    FilterObject_cls* off = Add();
    FilterObject_cls* shown = Add();
    for (FilterObject_cls* f : {off, shown}) {
        f->Data()->objectType.value = OBJECT_IMPORT;
        f->Data()->importPath.text = dir.File("a.obj");
    }
    off->Data()->filterValid.value = 0;
    box->Data()->group->visible = 0;  // the eye of its group closed
    const PovObjectStyle_cls style;
    // The disabled mesh is not loaded; the one shown takes the first name.
    const wxString declares = list1.PovObjectDeclares(style, 0);
    EXPECT_EQ(Count(declares, "#declare MESH_OBJECT=mesh2{"), 1) << declares;
    EXPECT_EQ(Count(declares, "#declare"), 1) << declares;
    EXPECT_TRUE(off->Data()->mesh.vertices.empty());
    EXPECT_FALSE(shown->Data()->mesh.vertices.empty());
    wxString solids, meshes;
    list1.PovObjects(solids, 0, 0, 0, "", style);
    list1.PovObjects(meshes, 0, 1, 0, "", style);
    EXPECT_EQ(solids, "");
    EXPECT_EQ(Count(meshes, "\tMESH_OBJECT\n"), 1) << meshes;
    // Opened again, the box is written.
    box->Data()->group->visible = 1;
    list1.PovObjects(solids, 0, 0, 0, "", style);
    EXPECT_EQ(Count(solids, "box {"), 1) << solids;
    wxUninitialize();
}

TEST_F(FilterObjectTest, EveryImportedMeshIsDeclaredUnderItsOwnName) {
    ASSERT_TRUE(wxInitialize());
    testsupport::TempDir dir;
    testsupport::WriteFile(dir.File("a.obj"), "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    testsupport::WriteFile(dir.File("b.obj"), "v 0 0 5\nv 1 0 5\nv 0 1 5\nf 1 2 3\n");
    for (const char* file : {"a.obj", "b.obj"}) {
        FilterObject_cls* f = Add();
        f->Data()->objectType.value = OBJECT_IMPORT;
        f->Data()->importPath.text = dir.File(file);
    }
    const PovObjectStyle_cls style;
    const wxString declares = list1.PovObjectDeclares(style, 0);
    EXPECT_EQ(Count(declares, "#declare MESH_OBJECT=mesh2{"), 1);
    EXPECT_EQ(Count(declares, "#declare MESH_OBJECT_1=mesh2{"), 1);
    wxString objects;
    list1.PovObjects(objects, 0, 1, 0, "", style);
    EXPECT_EQ(Count(objects, "\tMESH_OBJECT\n"), 1);
    EXPECT_EQ(Count(objects, "\tMESH_OBJECT_1\n"), 1);
    wxUninitialize();
}

TEST_F(FilterObjectTest, EveryImportKeepsItsOwnMeshWhatNameItsFileDeclares) {
    ASSERT_TRUE(wxInitialize());
    testsupport::TempDir dir;
    // Two mesh2 files that declare the same name, and one that declares the name the OBJ
    // import is given: each object must show its own mesh (told apart by its height).
    auto mesh2 = [](const std::string& name, int z) {
        const std::string s = std::to_string(z);
        return "#declare " + name + "=mesh2{\nvertex_vectors { 3,\n<0,0," + s + ">,\n<1,0," + s + ">,\n<0,1," + s +
               ">\n}\nface_indices { 1,\n<0,1,2>\n}\n}\n";
    };
    testsupport::WriteFile(dir.File("a.pov"), mesh2("Shape", 1));
    testsupport::WriteFile(dir.File("b.pov"), mesh2("Shape", 2));
    testsupport::WriteFile(dir.File("c.obj"), "v 0 0 3\nv 1 0 3\nv 0 1 3\nf 1 2 3\n");
    testsupport::WriteFile(dir.File("d.pov"), mesh2("MESH_OBJECT", 4));
    for (const char* file : {"c.obj", "a.pov", "b.pov", "d.pov"}) {
        FilterObject_cls* f = Add();
        f->Data()->objectType.value = OBJECT_IMPORT;
        f->Data()->importPath.text = dir.File(file);
    }
    PovObjectStyle_cls style;
    const wxString declares = list1.PovObjectDeclares(style, 0);
    wxString objects;
    list1.PovObjects(objects, 0, 1, 0, "", style);
    std::string scene = declares.utf8_string();
    // The instances in list order, each named for what it shows.
    size_t at = 0;
    for (int k = 0; k < 4; ++k) {
        const size_t open = objects.find("object {\n\t", at);
        ASSERT_NE(open, wxString::npos) << objects;
        const size_t end = objects.find('\n', open + 10);
        scene += "#declare I" + std::to_string(k) + "=object{" + objects.substr(open + 10, end - open - 10).utf8_string() +
                 "}\n";
        scene += "#debug concat(\"Z" + std::to_string(k) + " \", str(max_extent(I" + std::to_string(k) +
                 ").z, 0, 1), \"\\n\")\n";
        at = end;
    }
    wxUninitialize();
    if (!povprobe::Available()) GTEST_SKIP() << "POV-Ray is not installed";
    bool ok = false;
    const std::string out = povprobe::Run(scene, ok);
    ASSERT_TRUE(ok) << out << scene;
    EXPECT_EQ(povprobe::Line(out, "Z0"), "3.0") << scene;
    EXPECT_EQ(povprobe::Line(out, "Z1"), "1.0") << scene;
    EXPECT_EQ(povprobe::Line(out, "Z2"), "2.0") << scene;
    EXPECT_EQ(povprobe::Line(out, "Z3"), "4.0") << scene;
}
