// Reading the OpenGL information of the current context.
#include "view/gui/GLInfo.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include "platform/gui/GLEntryPoints.h"

namespace {

std::string GLString(GLenum name) {
    const GLubyte* s = glGetString(name);
    return s ? std::string(reinterpret_cast<const char*>(s)) : std::string();
}

}  // namespace

void GLInfo_cls::Query() {
    version = GLString(GL_VERSION);
    extensions = GLString(GL_EXTENSIONS);
    major = minor = 0;
    ParseGLVersion(version.c_str(), major, minor);
    glslMajor = glslMinor = 0;
    if (major < 2) {
        glslVersion = "0.0";
    } else {
        glslVersion = GLString(GL_SHADING_LANGUAGE_VERSION);
        ParseGLVersion(glslVersion.c_str(), glslMajor, glslMinor);
    }
    GLint v = 0, i = 0;
    glGetIntegerv(GL_MAX_ELEMENTS_VERTICES, &v);
    glGetIntegerv(GL_MAX_ELEMENTS_INDICES, &i);
    maxElementsVertices = v;
    maxElementsIndices = i;
}

wxString GLInfo_cls::GLVersionText() const {
    return wxString::Format("OpenGL ver. %d.%d", major, minor);
}

wxString GLInfo_cls::GLSLVersionText() const {
    if (glslMajor == 0) return "GLSL Not Implemented";
    return wxString::Format("GLSL ver. %d.%d", glslMajor, glslMinor);
}

wxString GLInfo_cls::MaxElementsVerticesText() const {
    return wxString::Format("Max Elements Vertices: %d", maxElementsVertices);
}

wxString GLInfo_cls::MaxElementsIndicesText() const {
    return wxString::Format("Max Elements Indices: %d", maxElementsIndices);
}

bool GLInfo_cls::HasExtension(const char* name) const {
    return ExtensionListHas(extensions.c_str(), name);
}

bool GLInfo_cls::QueryVideoMemoryKB(int& totalKB, int& availableKB) const {
    totalKB = availableKB = 0;
    // Other drivers answer these integers with GL_INVALID_ENUM: ask only where promised.
    if (!GLHasExtension("GL_NVX_gpu_memory_info")) return false;
    GLint total = 0, avail = 0;
    glGetIntegerv(0x9048, &total);
    glGetIntegerv(0x9049, &avail);
    totalKB = total;
    availableKB = avail;
    return true;
}
