// The lens mesh reader: the program's own file, and a table of good and broken files.
#include <gtest/gtest.h>

#include <string>

#include "view/DistortionMesh.h"

namespace {

const std::string kHead = "# a\n# b\no mesh\n";
const std::string kVerts =
    "v -1 0 -1\nv 1 0 -1\nv 1 0 1\nv -1 0 1\n"
    "vt 0 0\nvt 1 0\nvt 1.5 1\nvt -0.5 1\nvn 0 -1\ns off\nusemtl x\n";

struct Case {
    const char* name;
    std::string text;
    bool ok;
    size_t faces;
    const char* errorHas;
};

TEST(DistortionMesh, ReaderTable) {
    const Case cases[] = {
        {"one quad", kHead + kVerts + "f 1/1/1 2/2/1 3/3/1 4/4/1\n", true, 1, ""},
        {"CR LF and a blank last line", kHead + kVerts + "f 1/1/1 2/2/1 3/3/1 4/4/1\r\n\r\n", true, 1, ""},
        {"missing numbers keep the previous face's", kHead + kVerts + "f 1/1/1 2/2/1 3/3/1 4/4/1\nf 4/4/1 3/3/1\n",
         true, 2, ""},
        {"vertex index past the end", kHead + kVerts + "f 1/1/1 2/2/1 3/3/1 5/4/1\n", false, 0, "line 15: vertex index 5"},
        {"vertex index 0", kHead + kVerts + "f 0/1/1 2/2/1 3/3/1 4/4/1\n", false, 0, "vertex index 0"},
        {"texture index past the end", kHead + kVerts + "f 1/9/1 2/2/1 3/3/1 4/4/1\n", false, 0, "texture index 9"},
        {"normal index past the end", kHead + kVerts + "f 1/1/2 2/2/1 3/3/1 4/4/1\n", false, 0, "normal index 2"},
        {"truncated first face", kHead + kVerts + "f 1/1/1 2/2\n", false, 0, "four v/t/n"},
        {"face line without numbers", kHead + kVerts + "f 1/1/1 2/2/1 3/3/1 4/4/1\nf x\n", false, 0, "no index"},
        {"truncated before the s line", kHead + "v 1 0 1\nv 2 0\n", false, 0, "vertex needs three"},
        {"no s line", kHead + "v 1 0 1\n", false, 0, "no \"s\" line"},
        {"empty file", "", false, 0, "no \"s\" line"},
    };
    for (const Case& c : cases) {
        DistortionMesh_cls m;
        std::string error;
        EXPECT_EQ(m.Parse(c.text, "lens.obj", &error), c.ok) << c.name << ": " << error;
        EXPECT_EQ(m.loaded, c.ok) << c.name;
        EXPECT_EQ(m.faceVertex.size(), 4 * c.faces) << c.name;
        if (!c.ok) {
            EXPECT_NE(error.find(c.errorHas), std::string::npos) << c.name << ": " << error;
            EXPECT_EQ(error.rfind("lens.obj line ", 0), 0u) << error;
        }
    }
}

TEST(DistortionMesh, ValuesBoundsAndClampedTextureCoordinates) {
    DistortionMesh_cls m;
    ASSERT_TRUE(m.Parse(kHead + kVerts + "f 1/1/1 2/2/1 3/3/1 4/4/1\nf 4/4/1 3/3/1\n", "x", nullptr));
    const int expected[8] = {1, 2, 3, 4, 4, 3, 3, 4};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(m.faceVertex[i], expected[i]) << i;
    EXPECT_FLOAT_EQ(m.width, 2.0f);
    EXPECT_FLOAT_EQ(m.height, 2.0f);
    EXPECT_FLOAT_EQ(m.u[2], 1.0f);  // 1.5 clamped
    EXPECT_FLOAT_EQ(m.u[3], 0.0f);  // -0.5 clamped
    EXPECT_FLOAT_EQ(m.uMin, 0.0f);
    EXPECT_FLOAT_EQ(m.uMax, 1.0f);
    EXPECT_EQ(m.workU, m.u);
}

TEST(DistortionMesh, ProgramFileIsARegularGrid) {
    DistortionMesh_cls m;
    std::string error;
    ASSERT_TRUE(m.Load(std::string(PT_SOURCE_DIR) + "/Resource/distortion.obj", &error)) << error;
    EXPECT_EQ(m.faceVertex.size(), 4u * 32 * 32);
    EXPECT_FLOAT_EQ(m.width, 2.0f);
    EXPECT_FLOAT_EQ(m.height, 2.0f);
    DistortionMesh_cls missing;
    EXPECT_FALSE(missing.Load("/nonexistent/distortion.obj", &error));
    EXPECT_FALSE(missing.loaded);
}

}  // namespace
