// Building and switching the GLSL programs.
#include "view/gui/ShaderProgram.h"

#include <cstdio>
#include <vector>

#include "common/gui/MessageHelpers.h"
#include "platform/ProgramPaths.h"
#include "platform/gui/GLEntryPoints.h"
#include "platform/Trace.h"

ShaderProgram_cls* GpShaderProgram = nullptr;

int ReadShaderSource(unsigned int shader, const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        std::perror(path.c_str());
        return -1;
    }
    std::vector<char> buffer;
    long size = -1;
    if (std::fseek(f, 0, SEEK_END) == 0) size = std::ftell(f);
    if (size >= 0 && std::fseek(f, 0, SEEK_SET) != 0) size = -1;
    size_t got = 0;
    if (size >= 0) {
        buffer.resize(size_t(size) + 1);
        got = std::fread(buffer.data(), 1, size_t(size), f);
    }
    std::fclose(f);
    if (size < 0 || got != size_t(size)) {
        platform::ReportError("Could not read file: " + path + ".");
        return 1;
    }
    const GLchar* text = buffer.data();
    const GLint length = GLint(size);
    gl::ShaderSource(shader, 1, &text, &length);
    return 0;
}

void ShaderProgram_cls::Create(wxWindow* view, bool glslCapable) {
    if (GpShaderProgram) return;
    GpShaderProgram = new ShaderProgram_cls();
    GpShaderProgram->Init(view, glslCapable);
}

void ShaderProgram_cls::Destroy() {
    delete GpShaderProgram;
    GpShaderProgram = nullptr;
}

ShaderProgram_cls::ShaderProgram_cls() { settings.Register(&cartoonBoldness, "CartoonBoldness=", "0.3"); }

ShaderProgram_cls::~ShaderProgram_cls() = default;

void ShaderProgram_cls::Init(wxWindow* view, bool glslCapable) {
    enabled = glslCapable && gl::CreateShader;  // no table, no programs
    if (!enabled) return;
    BuildProgram(view, gouraud, platform::FindProgramData("GL/Gouraud.vert"),
                 platform::FindProgramData("GL/Gouraud.frag"));
    if (enabled)
        BuildProgram(view, phong, platform::FindProgramData("GL/Phong.vert"),
                     platform::FindProgramData("GL/Phong.frag"));
    if (enabled)
        BuildProgram(view, cartoon, platform::FindProgramData("GL/Cartoon.vert"),
                     platform::FindProgramData("GL/Cartoon.frag"));
    if (!enabled) return;
    GetUniforms();
    gl::UseProgram(cartoon);
    gl::Uniform1i(lightNumberCartoon, 0);
    gl::Uniform1f(boldnessCartoon, cartoonBoldness.value);
    gl::UseProgram(0);
}

bool ShaderProgram_cls::BuildProgram(wxWindow* view, unsigned int& program, const std::string& vertexPath,
                                     const std::string& fragmentPath, const std::string& dummyPath) {
    program = 0;
    if (!gl::CreateShader) {
        enabled = false;
        return false;
    }
    const GLuint vs = gl::CreateShader(GL_VERTEX_SHADER);
    const GLuint fs = gl::CreateShader(GL_FRAGMENT_SHADER);
    const GLuint dummy = gl::CreateShader(GL_FRAGMENT_SHADER);
    auto release = [&] {
        gl::DeleteShader(vs);
        gl::DeleteShader(fs);
        gl::DeleteShader(dummy);
    };
    const std::string dummyFile = dummyPath.empty() ? platform::FindProgramData("GL/Dummy.frag") : dummyPath;
    if (ReadShaderSource(vs, vertexPath) == -1) enabled = false;
    if (ReadShaderSource(fs, fragmentPath) == -1) enabled = false;
    if (ReadShaderSource(dummy, dummyFile) == -1) enabled = false;
    if (!enabled) {
        release();
        return false;
    }
    GLint status = 0;
    gl::CompileShader(vs);
    gl::GetShaderiv(vs, GL_COMPILE_STATUS, &status);
    if (!status) {
        ReportError(view, long(vs), "exposure-vertex");
        enabled = false;
        release();
        return false;
    }
    GLuint fragment = fs;
    gl::CompileShader(fs);
    gl::GetShaderiv(fs, GL_COMPILE_STATUS, &status);
    if (!status) {
        ReportError(view, long(fs), "exposure-fragment");
        gl::CompileShader(dummy);
        gl::GetShaderiv(dummy, GL_COMPILE_STATUS, &status);
        if (!status) {
            ReportError(view, long(dummy), "exposure-dummy-fragment");
            enabled = false;
            release();
            return false;
        }
        fragment = dummy;
    }
    const GLuint p = gl::CreateProgram();
    gl::AttachShader(p, vs);
    gl::AttachShader(p, fragment);
    gl::LinkProgram(p);
    gl::GetProgramiv(p, GL_LINK_STATUS, &status);
    release();  // attached shaders live on with the program
    if (!status) {
        ReportError(view, -1, wxString::FromUTF8(fragmentPath));
        gl::DeleteProgram(p);
        enabled = false;
        return false;
    }
    program = p;
    return true;
}

void ShaderProgram_cls::ReportError(wxWindow* view, long shader, const wxString& name) {
    wxString message;
    if (shader == -1) {
        message = "Linking error in " + name + "\n";
    } else {
        GLint length = 0;
        gl::GetShaderiv(GLuint(shader), GL_INFO_LOG_LENGTH, &length);
        std::vector<GLchar> log(size_t(length > 0 ? length : 0) + 1, '\0');
        if (length > 0) gl::GetShaderInfoLog(GLuint(shader), length, nullptr, log.data());
        message = "Compile error in " + name + "\n" + wxString::FromUTF8(log.data());
    }
    ShowMessageBox(view, message, "!!");
}

void ShaderProgram_cls::GetUniforms() {
    gl::UseProgram(gouraud);
    lightNumberGouraud = gl::GetUniformLocation(gouraud, "lightNumberGouraud");
    gl::UseProgram(phong);
    lightNumberPhong = gl::GetUniformLocation(phong, "lightNumberPhong");
    fogMode = gl::GetUniformLocation(phong, "fogMode");
    gl::UseProgram(cartoon);
    lightNumberCartoon = gl::GetUniformLocation(cartoon, "lightNumberCartoon");
    shadowVolumeModeCartoon = gl::GetUniformLocation(cartoon, "shadowVolumeModeCartoon");
    boldnessCartoon = gl::GetUniformLocation(cartoon, "boldnessCartoon");
}

void ShaderProgram_cls::Use(int shaderType, int lightCount) {
    if (!enabled) return;
    gl::UseProgram(0);
    switch (shaderType) {
    case 1:
        gl::UseProgram(gouraud);
        gl::Uniform1i(lightNumberGouraud, lightCount);
        break;
    case 2: {
        int mode = 0;
        if (glIsEnabled(GL_FOG)) {
            GLint fog = 0;
            glGetIntegerv(GL_FOG_MODE, &fog);
            mode = fog == GL_EXP ? 1 : fog == GL_EXP2 ? 2 : fog == GL_LINEAR ? 3 : 0;
        }
        gl::UseProgram(phong);
        gl::Uniform1i(lightNumberPhong, lightCount);
        gl::Uniform1i(fogMode, mode);
        break;
    }
    case 3: {
        gl::UseProgram(cartoon);
        gl::Uniform1i(lightNumberCartoon, lightCount);
        gl::Uniform1f(boldnessCartoon, cartoonBoldness.value);
        GLfloat ambient[4] = {0, 0, 0, 0};
        glGetLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
        gl::Uniform1i(shadowVolumeModeCartoon, lightCount == 1 && ambient[0] == 0.0f ? 0 : 1);
        break;
    }
    default: break;
    }
}

void ShaderProgram_cls::Stop() {
    if (enabled) gl::UseProgram(0);
}
