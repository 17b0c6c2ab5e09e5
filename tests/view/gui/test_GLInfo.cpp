// OpenGL information of the current context.
#include <gtest/gtest.h>

#include "tests/view/gui/GLTestCanvas.h"
#include "view/gui/GLInfo.h"

using GLInfoTest = GLTestCanvas;

TEST_F(GLInfoTest, ReportsTheContextVersionAndLimits) {
    if (!ready) GTEST_SKIP() << "no GL context";
    GLInfo_cls info;
    info.Query();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_FALSE(info.version.empty());
    EXPECT_GE(info.major, 2);
    EXPECT_EQ(info.GLVersionText(), wxString::Format("OpenGL ver. %d.%d", info.major, info.minor));
    EXPECT_TRUE(info.version.rfind(std::to_string(info.major) + "." + std::to_string(info.minor), 0) == 0)
        << info.version;
    EXPECT_GE(info.glslMajor, 1);
    EXPECT_TRUE(info.GLSLVersionText().StartsWith("GLSL ver. ")) << info.GLSLVersionText();
    EXPECT_GT(info.maxElementsVertices, 0);
    EXPECT_EQ(info.MaxElementsIndicesText(), wxString::Format("Max Elements Indices: %d", info.maxElementsIndices));

    // The NVX memory integers are only asked for where the extension is named; Mesa does
    // not name it, and asking anyway would raise GL_INVALID_ENUM.
    int total = -1, avail = -1;
    const bool nvx = info.HasExtension("GL_NVX_gpu_memory_info");
    EXPECT_EQ(info.QueryVideoMemoryKB(total, avail), nvx);
    if (!nvx) {
        EXPECT_EQ(total, 0);
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    GLInfo_cls old;  // an OpenGL 1.x context reports no GLSL
    old.major = 1;
    old.minor = 5;
    EXPECT_EQ(old.GLSLVersionText(), "GLSL Not Implemented");
}
