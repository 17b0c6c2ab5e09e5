// The exposure program: built from its two files at the views' GL set-up, used around the
// copy of a scene image into its eye buffer.
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/ProgramPaths.h"
#include "view/ExposureSettings.h"
#include "view/gui/ExposurePage.h"

namespace {

// The OpenGL 2 entry points the exposure program needs, fetched once per process.
struct ExposureGLEntries {
    PFNGLCREATESHADERPROC createShader = nullptr;
    PFNGLSHADERSOURCEPROC shaderSource = nullptr;
    PFNGLCOMPILESHADERPROC compileShader = nullptr;
    PFNGLGETSHADERIVPROC getShaderiv = nullptr;
    PFNGLGETSHADERINFOLOGPROC getShaderInfoLog = nullptr;
    PFNGLDELETESHADERPROC deleteShader = nullptr;
    PFNGLCREATEPROGRAMPROC createProgram = nullptr;
    PFNGLATTACHSHADERPROC attachShader = nullptr;
    PFNGLLINKPROGRAMPROC linkProgram = nullptr;
    PFNGLGETPROGRAMIVPROC getProgramiv = nullptr;
    PFNGLGETPROGRAMINFOLOGPROC getProgramInfoLog = nullptr;
    PFNGLDELETEPROGRAMPROC deleteProgram = nullptr;
    PFNGLUSEPROGRAMPROC useProgram = nullptr;
    PFNGLGETUNIFORMLOCATIONPROC getUniformLocation = nullptr;
    PFNGLUNIFORM1IPROC uniform1i = nullptr;
    PFNGLUNIFORM1FPROC uniform1f = nullptr;
    PFNGLUNIFORM4FPROC uniform4f = nullptr;
    bool loaded = false;
};

ExposureGLEntries& Entries() {
    static ExposureGLEntries e;
    return e;
}

template <typename T>
void Fetch(T& slot, const char* name) {
    slot = reinterpret_cast<T>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

// glXGetProcAddress answers for unknown names too: judge by the version string first.
bool LoadEntries() {
    ExposureGLEntries& e = Entries();
    if (e.loaded) return true;
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (!version || version[0] < '2' || version[0] > '9' || version[1] != '.') return false;
    Fetch(e.createShader, "glCreateShader");
    Fetch(e.shaderSource, "glShaderSource");
    Fetch(e.compileShader, "glCompileShader");
    Fetch(e.getShaderiv, "glGetShaderiv");
    Fetch(e.getShaderInfoLog, "glGetShaderInfoLog");
    Fetch(e.deleteShader, "glDeleteShader");
    Fetch(e.createProgram, "glCreateProgram");
    Fetch(e.attachShader, "glAttachShader");
    Fetch(e.linkProgram, "glLinkProgram");
    Fetch(e.getProgramiv, "glGetProgramiv");
    Fetch(e.getProgramInfoLog, "glGetProgramInfoLog");
    Fetch(e.deleteProgram, "glDeleteProgram");
    Fetch(e.useProgram, "glUseProgram");
    Fetch(e.getUniformLocation, "glGetUniformLocation");
    Fetch(e.uniform1i, "glUniform1i");
    Fetch(e.uniform1f, "glUniform1f");
    Fetch(e.uniform4f, "glUniform4f");
    e.loaded = e.createShader && e.shaderSource && e.compileShader && e.getShaderiv &&
               e.getShaderInfoLog && e.deleteShader && e.createProgram && e.attachShader &&
               e.linkProgram && e.getProgramiv && e.getProgramInfoLog && e.deleteProgram &&
               e.useProgram && e.getUniformLocation && e.uniform1i && e.uniform1f &&
               e.uniform4f;
    return e.loaded;
}

bool ReadFile(const std::string& relative, std::string& text) {
    std::ifstream in(platform::FindProgramData(relative), std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot be read\n", relative.c_str());
        return false;
    }
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return true;
}

GLuint Compile(GLenum type, const std::string& relative) {
    ExposureGLEntries& e = Entries();
    std::string text;
    if (!ReadFile(relative, text)) return 0;
    const GLuint shader = e.createShader(type);
    const GLchar* src = text.c_str();
    e.shaderSource(shader, 1, &src, nullptr);
    e.compileShader(shader);
    GLint ok = 0;
    e.getShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[2048] = {0};
        e.getShaderInfoLog(shader, sizeof log - 1, nullptr, log);
        std::fprintf(stderr, "%s: compile error\n%s\n", relative.c_str(), log);
        e.deleteShader(shader);
        return 0;
    }
    return shader;
}

}  // namespace

bool ExposureSettings_cls::InitShader(bool available) {
    shaderAvailable = available && LoadEntries();
    if (shaderAvailable && program == 0) {
        ExposureGLEntries& e = Entries();
        const GLuint vs = Compile(GL_VERTEX_SHADER, "GL/exposure.vert");
        const GLuint fs = Compile(GL_FRAGMENT_SHADER, "GL/exposure.frag");
        if (vs && fs) {
            const GLuint p = e.createProgram();
            e.attachShader(p, vs);
            e.attachShader(p, fs);
            e.linkProgram(p);
            GLint ok = 0;
            e.getProgramiv(p, GL_LINK_STATUS, &ok);
            if (ok) {
                program = p;
            } else {
                char log[2048] = {0};
                e.getProgramInfoLog(p, sizeof log - 1, nullptr, log);
                std::fprintf(stderr, "GL/exposure: link error\n%s\n", log);
                e.deleteProgram(p);
            }
        }
        // The program keeps its own reference; the shader objects go once it is linked.
        if (vs) e.deleteShader(vs);
        if (fs) e.deleteShader(fs);
        if (program) {
            e.useProgram(program);
            LookUpUniforms();
            e.uniform1i(uniformLocation[0], 0);
            e.useProgram(0);
        }
    }
    // A program that failed to build is never used: the copy stays plain.
    if (program == 0) shaderAvailable = false;
    if (page) page->EnableByShader(shaderAvailable);
    return shaderAvailable;
}

void ExposureSettings_cls::LookUpUniforms() {
    for (int i = 0; i < 9; ++i)
        uniformLocation[i] = Entries().getUniformLocation(program, kUniformNames[i]);
}

void ExposureSettings_cls::SetUniforms() {
    ExposureGLEntries& e = Entries();
    const ExposureParams p = Params();
    e.uniform4f(uniformLocation[1], p.levelMin, p.levelMin, p.levelMin, p.levelMin);
    e.uniform4f(uniformLocation[2], p.levelMax, p.levelMax, p.levelMax, p.levelMax);
    e.uniform4f(uniformLocation[4], p.gamma, p.gamma, p.gamma, p.gamma);
    e.uniform1i(uniformLocation[5], p.hueOffset);
    e.uniform1i(uniformLocation[6], p.saturation);
    e.uniform1i(uniformLocation[8], p.blendMode);
    e.uniform1f(uniformLocation[7], p.alpha);
}

void ExposureSettings_cls::BeginExposure() {
    if (!shaderAvailable) return;
    Entries().useProgram(program);
    SetUniforms();
}

void ExposureSettings_cls::EndExposure() {
    if (!shaderAvailable) return;
    Entries().useProgram(0);
}
