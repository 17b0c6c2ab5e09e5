// What the current OpenGL context offers: version texts, GLSL version, element limits and,
// where the driver names the NVX memory extension, its video memory figures.
#pragma once

#include <string>

#include <wx/string.h>

/// Filled per GL context by Query (GUI thread, context current); read by the About box
/// and the capability check.
class GLInfo_cls {
public:
    /// Reads GL_VERSION, GL_EXTENSIONS, the GLSL version (reported as 0.0 below OpenGL 2)
    /// and GL_MAX_ELEMENTS_VERTICES / GL_MAX_ELEMENTS_INDICES (0 when the driver leaves
    /// them unset). Needs a current context.
    void Query();

    /// "OpenGL ver. <major>.<minor>".
    wxString GLVersionText() const;
    /// "GLSL ver. <major>.<minor>", or "GLSL Not Implemented" when the GLSL major is 0.
    wxString GLSLVersionText() const;
    /// "Max Elements Vertices: <count>".
    wxString MaxElementsVerticesText() const;
    /// "Max Elements Indices: <count>".
    wxString MaxElementsIndicesText() const;

    /// True when the extension list of the last Query names `name` as a whole token.
    bool HasExtension(const char* name) const;
    /// Total and currently available video memory in KiB (GL integers 0x9048 and 0x9049),
    /// asked only when the context lists "GL_NVX_gpu_memory_info"; false (and both 0)
    /// otherwise. Needs a current context.
    bool QueryVideoMemoryKB(int& totalKB, int& availableKB) const;

    std::string version;     ///< GL_VERSION
    std::string extensions;  ///< GL_EXTENSIONS
    std::string glslVersion; ///< GL_SHADING_LANGUAGE_VERSION, "0.0" below OpenGL 2
    int major = 0, minor = 0;
    int glslMajor = 0, glslMinor = 0;
    int maxElementsVertices = 0;
    int maxElementsIndices = 0;
};
