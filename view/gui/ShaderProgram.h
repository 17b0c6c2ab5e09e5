// The GLSL programs of lit drawing (Gouraud, Phong and cartoon shading): built from the
// source files in "GL/", their uniforms, and switching between them for each draw.
#pragma once

#include <string>

#include <wx/string.h>

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"

class wxWindow;

/// Reads the whole file at `path` as the source of `shader`. Returns 0 when the whole file
/// was read (and handed to the shader), -1 when it cannot be opened (the path and the
/// system's reason on standard error), 1 when it could not be read whole (a message on
/// standard error; the shader keeps no source). Needs the GL 2.0 entry points.
int ReadShaderSource(unsigned int shader, const std::string& path);

/// The shader manager: one instance (GpShaderProgram) for the process, made for the first
/// GL context. A failure at any step disables it for good; a disabled manager's Use and
/// Stop do nothing, so every draw takes the fixed pipeline. GUI thread, with the context
/// current.
class ShaderProgram_cls {
public:
    /// Makes GpShaderProgram and runs Init when there is none yet; nothing otherwise.
    static void Create(wxWindow* view, bool glslCapable);
    /// Deletes GpShaderProgram and nulls it (the GL programs stay with their context).
    static void Destroy();

    /// The settings group with "CartoonBoldness=" (float, default "0.3").
    ShaderProgram_cls();
    ~ShaderProgram_cls();
    ShaderProgram_cls(const ShaderProgram_cls&) = delete;
    ShaderProgram_cls& operator=(const ShaderProgram_cls&) = delete;

    /// enabled := glslCapable; when capable, builds the three programs from "GL/" (found as
    /// program data), looks up their uniforms and sets the cartoon program's defaults. A
    /// manager that is not capable reads no file.
    void Init(wxWindow* view, bool glslCapable);
    /// Builds one program from a vertex and a fragment source file. A fragment shader that
    /// does not compile is reported and replaced by the fallback `dummyPath`; a file that
    /// cannot be read, a vertex shader or fallback that does not compile, or a failed link
    /// disables the manager (compile and link errors are shown in a message box parented to
    /// `view`, unreadable files only on standard error). `program` receives the program
    /// name (0 when none was linked). Returns whether the manager is still enabled. Empty
    /// `dummyPath`: "GL/Dummy.frag" as program data.
    bool BuildProgram(wxWindow* view, unsigned int& program, const std::string& vertexPath,
                      const std::string& fragmentPath, const std::string& dummyPath = std::string());
    /// Message box "!!": "Linking error in <name>\n" for shader -1, else "Compile error in
    /// <name>\n" followed by the shader's info log.
    void ReportError(wxWindow* view, long shader, const wxString& name);
    /// Looks up the six uniform locations.
    void GetUniforms();
    /// Switches to the program of `shaderType` (0 fixed pipeline, 1 Gouraud, 2 Phong,
    /// 3 cartoon) with `lightCount` lights; Phong takes the fog mode of the fixed state
    /// (0 off, 1 GL_EXP, 2 GL_EXP2, 3 GL_LINEAR); cartoon takes its boldness and the shadow
    /// volume mode (0 when there is one light whose ambient red is 0, else 1).
    void Use(int shaderType, int lightCount);
    /// Back to the fixed pipeline.
    void Stop();

    bool enabled = false;  ///< GLSL programs in use
    ConfItemGroup_cls settings;
    ConfItemFLOAT_cls cartoonBoldness;  ///< "CartoonBoldness=": outline width of the cartoon shading
    unsigned int gouraud = 0, phong = 0, cartoon = 0;  ///< GL program names
    int lightNumberGouraud = -1, lightNumberPhong = -1, lightNumberCartoon = -1;  ///< uniform locations
    int fogMode = -1, shadowVolumeModeCartoon = -1, boldnessCartoon = -1;
};

/// The shader manager, or null before the first context and after Destroy.
extern ShaderProgram_cls* GpShaderProgram;
