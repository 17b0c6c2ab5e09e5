// Fetching the OpenGL entry points by name through GLX.
#include "platform/gui/GLEntryPoints.h"

#include <cstdio>
#include <cstring>

// GLX brings the X11 headers and their macros: keep it last.
#include <GL/glx.h>
#include "platform/Trace.h"

namespace gl {
#define PT_GL_FUNC(type, name) type name = nullptr;
PT_GL2_FUNCTIONS(PT_GL_FUNC)
PT_GLEXT_FBO_FUNCTIONS(PT_GL_FUNC)
#undef PT_GL_FUNC
PFNGLBLENDEQUATIONEXTPROC BlendEquationEXT = nullptr;
PFNGLBLENDCOLORPROC BlendColor = nullptr;
}  // namespace gl

namespace {

template <typename T>
bool Fetch(T& out, const char* name) {
    out = reinterpret_cast<T>(glXGetProcAddress(reinterpret_cast<const GLubyte*>(name)));
    return out != nullptr;
}

const char* GLText(GLenum what) {
    const GLubyte* s = glGetString(what);
    return s ? reinterpret_cast<const char*>(s) : "";
}

}  // namespace

bool ParseGLVersion(const char* text, int& major, int& minor) {
    major = minor = 0;
    if (!text) return false;
    if (std::strncmp(text, "OpenGL ES ", 10) == 0) text += 10;
    int a = 0, b = 0;
    const char* p = text;
    if (*p < '0' || *p > '9') return false;
    while (*p >= '0' && *p <= '9') a = a * 10 + (*p++ - '0');
    if (*p++ != '.' || *p < '0' || *p > '9') return false;
    while (*p >= '0' && *p <= '9') b = b * 10 + (*p++ - '0');
    major = a;
    minor = b;
    return true;
}

bool ExtensionListHas(const char* list, const char* name) {
    if (!list || !name || !*name) return false;
    const size_t len = std::strlen(name);
    for (const char* p = list; (p = std::strstr(p, name)) != nullptr; p += len) {
        const bool startOk = p == list || p[-1] == ' ';
        const bool endOk = p[len] == ' ' || p[len] == '\0';
        if (startOk && endOk) return true;
    }
    return false;
}

bool GLVersionAtLeast(int major, int minor) {
    int a = 0, b = 0;
    if (!ParseGLVersion(GLText(GL_VERSION), a, b)) return false;
    return a > major || (a == major && b >= minor);
}

bool GLHasExtension(const char* name) { return ExtensionListHas(GLText(GL_EXTENSIONS), name); }

int LoadGL2EntryPoints() {
    bool ok = GLVersionAtLeast(2, 0);
    if (ok) {
#define PT_GL_FETCH(type, name) ok = Fetch(gl::name, "gl" #name) && ok;
        PT_GL2_FUNCTIONS(PT_GL_FETCH)
#undef PT_GL_FETCH
    }
    if (!ok) {
#define PT_GL_CLEAR(type, name) gl::name = nullptr;
        PT_GL2_FUNCTIONS(PT_GL_CLEAR)
#undef PT_GL_CLEAR
        platform::ReportError("Could not obtain all of entry points.");
        return 1;
    }
    return 0;
}

int LoadGLExtEntryPoints() {
    bool all = true;
    bool fbo = GLHasExtension("GL_EXT_framebuffer_object");
    if (fbo) {
#define PT_GL_FETCH(type, name) fbo = Fetch(gl::name, "gl" #name) && fbo;
        PT_GLEXT_FBO_FUNCTIONS(PT_GL_FETCH)
#undef PT_GL_FETCH
    }
    if (!fbo) {
#define PT_GL_CLEAR(type, name) gl::name = nullptr;
        PT_GLEXT_FBO_FUNCTIONS(PT_GL_CLEAR)
#undef PT_GL_CLEAR
        all = false;
    }
    const bool gl14 = GLVersionAtLeast(1, 4);
    if (!((gl14 || GLHasExtension("GL_EXT_blend_minmax")) && Fetch(gl::BlendEquationEXT, "glBlendEquationEXT"))) {
        gl::BlendEquationEXT = nullptr;
        all = false;
    }
    if (!((gl14 || GLHasExtension("GL_EXT_blend_color")) && Fetch(gl::BlendColor, "glBlendColor"))) {
        gl::BlendColor = nullptr;
        all = false;
    }
    return all ? 0 : 1;
}
