// Mesh import: the mesh2 and OBJ readers, their messages on broken files, normals, the
// load-once rule and the POV-Ray declaration, parsed by POV-Ray itself.
#include <gtest/gtest.h>

#include <wx/init.h>

#include <string>

#include "scene/ObjectMesh.h"
#include "tests/support/PovRayProbe.h"
#include "tests/support/TestFiles.h"

namespace {

std::string Fixture(const std::string& name) { return std::string(PT_SOURCE_DIR) + "/tests/scene/fixtures/" + name; }

class ObjectMeshTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(wxInitialize()); }  // the mesh2 list workers are wx threads
    void TearDown() override { wxUninitialize(); }
};

MeshReadResult ParseMesh2(ObjectMesh_cls& m, const std::string& text, bool threads = true) {
    return m.ParseMesh2(text.data(), text.size(), "mem.pov", threads);
}
MeshReadResult ParseObj(ObjectMesh_cls& m, const std::string& text) {
    return m.ParseObj(text.data(), text.size(), "mem.obj");
}

}  // namespace

TEST_F(ObjectMeshTest, FixturesReadWithTheirCountsAndMessages) {
    struct Case {
        const char* file;
        bool ok;
        size_t vertices, triangles;
        const char* message;  // part of the message ("" when ok)
    } cases[] = {
        // Lists on one line each are found by their brackets, not by line counting.
        {"mesh2_one_line_lists.pov", true, 3, 1, ""},
        {"mesh2_one_vector_per_line.pov", true, 3, 1, ""},
        {"mesh2_truncated.pov", false, 2, 0, "mesh2_truncated.pov: vertex_vectors: the list ends after 2 of 4 vectors"},
        // a quad becomes two triangles; the corner normals are kept
        {"obj_quad_with_normals.obj", true, 4, 3, ""},
        {"obj_face_beyond_vertices.obj", false, 4, 1,
         "obj_face_beyond_vertices.obj: triangle 1 uses vertex 8, but there are 4 vertices"},
    };
    for (const Case& c : cases) {
        ObjectMesh_cls m;
        const MeshReadResult r = m.Load(Fixture(c.file));
        EXPECT_EQ(r.ok, c.ok) << c.file << ": " << r.message;
        EXPECT_EQ(m.VertexCount(), c.vertices) << c.file;
        EXPECT_EQ(m.TriangleCount(), c.triangles) << c.file;
        if (*c.message)
            EXPECT_NE(r.message.find(c.message), std::string::npos) << r.message;
        else
            EXPECT_EQ(r.message, "");
        // whatever the file, drawing finds a normal for every corner
        if (m.PerVertexNormals())
            EXPECT_TRUE(m.normalIndices.empty());
        else
            ASSERT_EQ(m.normalIndices.size(), m.faces.size()) << c.file;
    }
}

TEST_F(ObjectMeshTest, ObjCornersAndNumbers) {
    ObjectMesh_cls m;
    ASSERT_TRUE(m.Load(Fixture("obj_quad_with_normals.obj")).ok);
    EXPECT_EQ(m.faces, (std::vector<int>{0, 1, 2, 0, 2, 3, 0, 2, 1}));
    EXPECT_EQ(m.normalIndices, (std::vector<int>{0, 0, 0, 0, 0, 0, 1, 1, 1}));
    EXPECT_FALSE(m.PerVertexNormals());
    // blanks of any width, exponents and relative (negative) indices
    ASSERT_TRUE(ParseObj(m, "v  1 2 3\r\nv 1e-3 0 0\r\nv\t0 4 0\r\nf -3 -2 -1\r\n").ok);
    EXPECT_EQ(m.vertices, (std::vector<float>{1, 2, 3, 0.001f, 0, 0, 0, 4, 0}));
    EXPECT_EQ(m.faces, (std::vector<int>{0, 1, 2}));
    // 'v/t/n' and 'v/t' corners
    ASSERT_TRUE(ParseObj(m, "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\nf 1/1/1 2/1/1 3/1/1\n").ok);
    EXPECT_EQ(m.normalIndices, (std::vector<int>{0, 0, 0}));
    ASSERT_TRUE(ParseObj(m, "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1/1 2/1 3/1\n").ok);
    EXPECT_TRUE(m.PerVertexNormals());
    // as many normals as vertices, but the corners name them in another order: the corners win
    ASSERT_TRUE(ParseObj(m, "v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 1 0 0\nvn 0 1 0\nvn 0 0 1\nf 1//3 2//3 3//3\n").ok);
    EXPECT_FALSE(m.PerVertexNormals());
    EXPECT_EQ(m.normalIndices, (std::vector<int>{2, 2, 2}));
    EXPECT_NE(m.WritePov().find("\tnormal_indices{\t\t1,\n<2,2,2>,\n\t}\n"), wxString::npos);
    // a value that is not a finite number is refused, with its line; none reaches the scene
    const std::pair<const char*, const char*> bad[] = {
        {"v 0 0 0\nv 1 zero 0\n", "mem.obj line 2: 'zero' is not a finite number"},
        {"v 0 0 0\nv 1 0 0\nv nan 1 0\nf 1 2 3\n", "mem.obj line 3: 'nan' is not a finite number"},
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 -inf 1\nf 1 2 3\n", "mem.obj line 4: '-inf' is not a finite number"},
        {"v 0 0 0\nv 1e39 0 0\n", "mem.obj line 2: '1e39' is not a finite number"},
    };
    for (const auto& b : bad) {
        const MeshReadResult r = ParseObj(m, b.first);
        EXPECT_FALSE(r.ok) << b.first;
        EXPECT_EQ(r.message, b.second);
        const std::string pov = m.WritePov().utf8_string();
        EXPECT_EQ(pov.find("nan"), std::string::npos) << pov;
        EXPECT_EQ(pov.find("inf"), std::string::npos) << pov;
    }
}

TEST_F(ObjectMeshTest, ComputedNormalsAverageTheFaces) {
    ObjectMesh_cls m;
    // two faces meeting at a right angle along the x axis, one unused vertex, one face
    // without area
    ASSERT_TRUE(ParseObj(m, "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 1\nv 5 5 5\nf 1 2 3\nf 2 1 4\nf 1 1 2\n").ok);
    ASSERT_EQ(m.normals.size(), 15u);
    const float h = 0.70710677f;
    const float want[5][3] = {{0, h, h}, {0, h, h}, {0, 0, 1}, {0, 1, 0}, {0, 0, 1}};
    for (int v = 0; v < 5; ++v)
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(m.normals[3 * v + k], want[v][k], 1e-6) << v << " " << k;
}

TEST_F(ObjectMeshTest, Mesh2HintsAndLayouts) {
    // with hints the lists are found whatever their layout; a wrong hint is not followed
    const std::string body =
        "#declare Shape=mesh2{ vertex_vectors { 3, <0,0,0>, < 1 , 0 , 0 >, <0,1,0> } "
        "normal_vectors { 3, <0,0,1>, <0,0,1>, <0,0,1> } face_indices { 1, <0,1,2> } }\n";
    for (int wrong = 0; wrong < 2; ++wrong) {
        const std::string head = "//normal_start_at=00000\n//index_start_at=00000\n";
        std::string text = head + body;
        const size_t n = text.find("normal_vectors"), f = text.find("face_indices");
        char buf[8];
        std::snprintf(buf, sizeof buf, "%05zu", wrong ? n + 3 : n);
        text.replace(18, 5, buf);
        std::snprintf(buf, sizeof buf, "%05zu", wrong ? f - 4 : f);
        text.replace(41, 5, buf);
        for (bool threads : {true, false}) {
            ObjectMesh_cls m;
            const MeshReadResult r = ParseMesh2(m, text, threads);
            EXPECT_TRUE(r.ok) << r.message;
            EXPECT_EQ(m.declaredName, "Shape");
            EXPECT_EQ(m.vertices, (std::vector<float>{0, 0, 0, 1, 0, 0, 0, 1, 0}));
            EXPECT_EQ(m.normals.size(), 9u);
            EXPECT_EQ(m.faces, (std::vector<int>{0, 1, 2}));
        }
    }
    struct Bad {
        const char* text;
        const char* message;
    } bad[] = {
        {"no mesh here", "mem.pov: no \"#declare\" found"},
        {"#declare 1bad=mesh2{}", "mem.pov: '1bad' after \"#declare\" is not a name"},
        {"#declare M=mesh2{ }", "mem.pov: no vertex_vectors list"},
        {"#declare M=mesh2{ vertex_vectors { -4 } }", "mem.pov: vertex_vectors count -4 is negative"},
        {"#declare M=mesh2{ vertex_vectors { 1, <0,x,0> } }",
         "mem.pov: vertex_vectors: line 1, vector 1: '<0,x,0>' is not three finite numbers"},
        {"#declare M=mesh2{\n vertex_vectors { 2,\n <0,0,0>,\n <0,nan,0> } }",
         "mem.pov: vertex_vectors: line 4, vector 2: '<0,nan,0>' is not three finite numbers"},
        {"#declare M=mesh2{ vertex_vectors { 1, <0,0,0> }\n normal_vectors { 1,\n <inf,0,1> } }",
         "mem.pov: normal_vectors: line 3, vector 1: '<inf,0,1>' is not three finite numbers"},
        {"#declare M=mesh2{ vertex_vectors { 1, <0,0,0> } face_indices { 2, <0,0,0>",
         "mem.pov: face_indices ends after 1 of 2 triangles"},
        {"#declare M=mesh2{ vertex_vectors { 2000000000, <0,0,0> } }",
         "mem.pov: vertex_vectors: the list ends after 1 of 2000000000 vectors"},
    };
    for (const Bad& b : bad) {
        ObjectMesh_cls m;
        const MeshReadResult r = ParseMesh2(m, b.text);
        EXPECT_FALSE(r.ok) << b.text;
        EXPECT_EQ(r.message, b.message);
    }
}

TEST_F(ObjectMeshTest, LoadReadsAPathOnceAndIgnoresOtherExtensions) {
    testsupport::TempDir dir;
    const std::string obj = dir.File("mesh007.obj");
    testsupport::WriteFile(obj, "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    ObjectMesh_cls m;
    ASSERT_TRUE(m.Load(obj).ok);
    testsupport::WriteFile(obj, "v 0 0 0\n");
    m.Load(obj);  // the same path again: not read
    EXPECT_EQ(m.TriangleCount(), 1u);
    for (const char* other : {"NONE", "mesh.Obj", "mesh.stl"}) {
        m.Load(other);
        EXPECT_EQ(m.TriangleCount(), 1u) << other;
    }
    // a missing .pov file is tried again; a missing .obj file is not
    EXPECT_FALSE(m.Load(dir.File("missing.pov")).ok);
    EXPECT_EQ(m.sourcePath, "");
    EXPECT_EQ(m.VertexCount(), 0u);
    const MeshReadResult missing = m.Load(dir.File("missing.obj"));
    EXPECT_EQ(missing.message, dir.File("missing.obj") + ": cannot be read");
    EXPECT_TRUE(m.Load(dir.File("missing.obj")).ok);  // not tried again
}

TEST_F(ObjectMeshTest, PovDeclarationText) {
    ObjectMesh_cls m;
    EXPECT_EQ(m.WritePov(), "#declare MESH_OBJECT=union{};\n");
    ASSERT_TRUE(ParseObj(m, "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3\nf 1 3 4\n").ok);
    EXPECT_EQ(m.WritePov(),
              "#declare MESH_OBJECT=mesh2{\n"
              "\tvertex_vectors{\t\t4,\n<0.00000000,0.00000000,0.00000000>,\n<1.00000000,0.00000000,0.00000000>,\n"
              "<1.00000000,1.00000000,0.00000000>,\n<0.00000000,1.00000000,0.00000000>,\n\t}\n"
              "\tnormal_vectors{\t\t4,\n<0.00,0.00,1.00>,\n<0.00,0.00,1.00>,\n<0.00,0.00,1.00>,\n<0.00,0.00,1.00>,\n\t}\n"
              "\tface_indices{\t\t2,\n<0,1,2>,\n<0,2,3>,\n\t}\n};\n");
    EXPECT_EQ(m.declaredName, "MESH_OBJECT");
    ASSERT_TRUE(m.Load(Fixture("mesh2_one_line_lists.pov")).ok);
    // the file's own name is copied under the import's at once: a later file may declare it
    EXPECT_EQ(m.WritePov([](const wxString& p) { return "rel/" + p.AfterLast('/'); }, "MESH_IMPORT_2"),
              "#include \"rel/mesh2_one_line_lists.pov\"\n#declare MESH_IMPORT_2=object{Tri}\n");
    EXPECT_EQ(m.declaredName, "Tri");
    EXPECT_EQ(m.sceneName, "MESH_IMPORT_2");

    // A name POV-Ray cannot open, or a file with a number it refuses, is not included: the
    // lists read from the file stand in for it.
    std::string note;
    const std::string fromMemory =
        m.WritePov([](const wxString&) { return wxString::FromUTF8("/tmp/m\xc3\xa9sh.pov"); }, "M1", &note)
            .utf8_string();
    EXPECT_EQ(fromMemory.find("#include"), std::string::npos) << fromMemory;
    EXPECT_NE(fromMemory.find("#declare M1=mesh2{\n\tvertex_vectors{\t\t3,\n"), std::string::npos) << fromMemory;
    EXPECT_NE(note.find("/tmp/m\xc3\xa9sh.pov: POV-Ray cannot open"), std::string::npos) << note;
    EXPECT_EQ(m.WritePov([](const wxString&) { return wxString("a\"b.pov"); }, "M1").find("#include"), wxString::npos);
    testsupport::TempDir dir;
    testsupport::WriteFile(dir.File("bad.pov"), "#declare Bad=mesh2{\nvertex_vectors { 3, <0,0,0>,\n <nan,0,0>, <0,1,0> }\n"
                                                "face_indices { 1, <0,1,2> }\n}\n");
    EXPECT_EQ(m.Load(wxString::FromUTF8(dir.File("bad.pov"))).message,
              dir.File("bad.pov") + ": vertex_vectors: line 3, vector 2: '<nan,0,0>' is not three finite numbers");
    note.clear();
    const std::string bad = m.WritePov({}, "M2", &note).utf8_string();
    EXPECT_EQ(bad.find("#include"), std::string::npos) << bad;
    EXPECT_EQ(bad.find("nan"), std::string::npos) << bad;
    EXPECT_NE(bad.find("#declare M2=mesh2{"), std::string::npos) << bad;
    EXPECT_EQ(note, "");  // the read has told it already
}

TEST_F(ObjectMeshTest, DeclarationsParseInPovRay) {
    if (!povprobe::Available()) GTEST_SKIP() << "no POV-Ray";
    ObjectMesh_cls plain, indexed, included;
    ASSERT_TRUE(ParseObj(plain, "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\n").ok);
    ASSERT_TRUE(indexed.Load(Fixture("obj_quad_with_normals.obj")).ok);
    ASSERT_TRUE(included.Load(Fixture("mesh2_one_vector_per_line.pov")).ok);
    std::string scene = "#version 3.7;\nglobal_settings { assumed_gamma 1 }\n";
    scene += plain.WritePov().utf8_string() + "#declare A = object { MESH_OBJECT }\n";
    scene += indexed.WritePov().utf8_string() + "#declare B = object { MESH_OBJECT }\n";
    scene += included.WritePov().utf8_string() + "#declare C = object { " + included.declaredName.utf8_string() + " }\n";
    scene += ObjectMesh_cls().WritePov().utf8_string();
    scene += "#debug concat(\"AMAX \", vstr(3, max_extent(A), \" \", 0, 3), \"\\n\")\n";
    scene += "#debug concat(\"CMAX \", vstr(3, max_extent(C), \" \", 0, 3), \"\\n\")\n";
    bool ok = false;
    const std::string out = povprobe::Run(scene, ok);
    ASSERT_TRUE(ok) << out << scene;
    EXPECT_EQ(povprobe::Line(out, "AMAX"), "1.000 1.000 0.000");
    EXPECT_EQ(povprobe::Line(out, "CMAX"), "1.000 1.000 0.000");
}
