// OpenGL functions beyond version 1.1, fetched by name from the driver once a context is
// current: the OpenGL 2.0 shader, uniform, attribute and separate-stencil functions, the EXT
// frame-buffer and render-buffer functions, and the blend equation and blend colour.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

/// The entry-point tables. Null until loaded; a pointer being set says nothing about
/// availability (the driver hands out pointers for any name): the loaders fill a table only
/// when GL_VERSION or the extension string promises its functions. GUI thread.
namespace gl {
#define PT_GL_FUNC(type, name) extern type name;
#define PT_GL2_FUNCTIONS(X)                                              \
    X(PFNGLCREATESHADERPROC, CreateShader)                               \
    X(PFNGLSHADERSOURCEPROC, ShaderSource)                               \
    X(PFNGLCOMPILESHADERPROC, CompileShader)                             \
    X(PFNGLGETSHADERIVPROC, GetShaderiv)                                 \
    X(PFNGLGETSHADERINFOLOGPROC, GetShaderInfoLog)                       \
    X(PFNGLDELETESHADERPROC, DeleteShader)                               \
    X(PFNGLCREATEPROGRAMPROC, CreateProgram)                             \
    X(PFNGLATTACHSHADERPROC, AttachShader)                               \
    X(PFNGLDETACHSHADERPROC, DetachShader)                               \
    X(PFNGLLINKPROGRAMPROC, LinkProgram)                                 \
    X(PFNGLGETPROGRAMIVPROC, GetProgramiv)                               \
    X(PFNGLGETPROGRAMINFOLOGPROC, GetProgramInfoLog)                     \
    X(PFNGLVALIDATEPROGRAMPROC, ValidateProgram)                         \
    X(PFNGLDELETEPROGRAMPROC, DeleteProgram)                             \
    X(PFNGLUSEPROGRAMPROC, UseProgram)                                   \
    X(PFNGLISPROGRAMPROC, IsProgram)                                     \
    X(PFNGLISSHADERPROC, IsShader)                                       \
    X(PFNGLGETUNIFORMLOCATIONPROC, GetUniformLocation)                   \
    X(PFNGLGETUNIFORMIVPROC, GetUniformiv)                               \
    X(PFNGLGETUNIFORMFVPROC, GetUniformfv)                               \
    X(PFNGLUNIFORM1IPROC, Uniform1i)                                     \
    X(PFNGLUNIFORM1FPROC, Uniform1f)                                     \
    X(PFNGLUNIFORM2FPROC, Uniform2f)                                     \
    X(PFNGLUNIFORM3FPROC, Uniform3f)                                     \
    X(PFNGLUNIFORM4FPROC, Uniform4f)                                     \
    X(PFNGLUNIFORM1IVPROC, Uniform1iv)                                   \
    X(PFNGLUNIFORM1FVPROC, Uniform1fv)                                   \
    X(PFNGLUNIFORM3FVPROC, Uniform3fv)                                   \
    X(PFNGLUNIFORM4FVPROC, Uniform4fv)                                   \
    X(PFNGLUNIFORMMATRIX4FVPROC, UniformMatrix4fv)                       \
    X(PFNGLGETATTRIBLOCATIONPROC, GetAttribLocation)                     \
    X(PFNGLBINDATTRIBLOCATIONPROC, BindAttribLocation)                   \
    X(PFNGLVERTEXATTRIB1FPROC, VertexAttrib1f)                           \
    X(PFNGLVERTEXATTRIB3FPROC, VertexAttrib3f)                           \
    X(PFNGLVERTEXATTRIB4FPROC, VertexAttrib4f)                           \
    X(PFNGLVERTEXATTRIBPOINTERPROC, VertexAttribPointer)                 \
    X(PFNGLENABLEVERTEXATTRIBARRAYPROC, EnableVertexAttribArray)         \
    X(PFNGLDISABLEVERTEXATTRIBARRAYPROC, DisableVertexAttribArray)       \
    X(PFNGLSTENCILOPSEPARATEPROC, StencilOpSeparate)                     \
    X(PFNGLSTENCILFUNCSEPARATEPROC, StencilFuncSeparate)                 \
    X(PFNGLSTENCILMASKSEPARATEPROC, StencilMaskSeparate)                 \
    X(PFNGLBLENDEQUATIONSEPARATEPROC, BlendEquationSeparate)             \
    X(PFNGLDRAWBUFFERSPROC, DrawBuffers)
#define PT_GLEXT_FBO_FUNCTIONS(X)                                             \
    X(PFNGLISFRAMEBUFFEREXTPROC, IsFramebufferEXT)                            \
    X(PFNGLGENFRAMEBUFFERSEXTPROC, GenFramebuffersEXT)                        \
    X(PFNGLDELETEFRAMEBUFFERSEXTPROC, DeleteFramebuffersEXT)                  \
    X(PFNGLBINDFRAMEBUFFEREXTPROC, BindFramebufferEXT)                        \
    X(PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC, CheckFramebufferStatusEXT)          \
    X(PFNGLFRAMEBUFFERTEXTURE2DEXTPROC, FramebufferTexture2DEXT)              \
    X(PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC, FramebufferRenderbufferEXT)        \
    X(PFNGLISRENDERBUFFEREXTPROC, IsRenderbufferEXT)                          \
    X(PFNGLGENRENDERBUFFERSEXTPROC, GenRenderbuffersEXT)                      \
    X(PFNGLDELETERENDERBUFFERSEXTPROC, DeleteRenderbuffersEXT)                \
    X(PFNGLBINDRENDERBUFFEREXTPROC, BindRenderbufferEXT)                      \
    X(PFNGLRENDERBUFFERSTORAGEEXTPROC, RenderbufferStorageEXT)                \
    X(PFNGLGETRENDERBUFFERPARAMETERIVEXTPROC, GetRenderbufferParameterivEXT)  \
    X(PFNGLGENERATEMIPMAPEXTPROC, GenerateMipmapEXT)
PT_GL2_FUNCTIONS(PT_GL_FUNC)
PT_GLEXT_FBO_FUNCTIONS(PT_GL_FUNC)
/// "glBlendEquationEXT": GL_EXT_blend_minmax, or OpenGL 1.4 where the function is core.
extern PFNGLBLENDEQUATIONEXTPROC BlendEquationEXT;
/// "glBlendColor": OpenGL 1.4, or GL_EXT_blend_color.
extern PFNGLBLENDCOLORPROC BlendColor;
#undef PT_GL_FUNC
}  // namespace gl

/// Major and minor version at the start of a GL_VERSION text ("4.5 (Compatibility Profile)
/// Mesa 22.3.6"; an "OpenGL ES " prefix is skipped). False, 0.0, for anything else.
bool ParseGLVersion(const char* versionText, int& major, int& minor);
/// True when the blank-separated `list` holds `name` as a whole token (a name that is only
/// the start of a longer one does not count).
bool ExtensionListHas(const char* list, const char* name);

/// The current context's version is at least major.minor. Needs a current context.
bool GLVersionAtLeast(int major, int minor);
/// The current context names the extension. Needs a current context.
bool GLHasExtension(const char* name);

/// Fills the OpenGL 2.0 table when the current context is at least OpenGL 2.0. Otherwise,
/// or when the driver gives a null pointer, writes "Could not obtain all of entry points.\n"
/// to standard error and returns 1 (the table is then left null); 0 on success.
int LoadGL2EntryPoints();
/// Fills the EXT frame-buffer table when GL_EXT_framebuffer_object is named, and the blend
/// equation and blend colour where the version or their extension promise them. Returns 0
/// when all of them are available, 1 otherwise (the unavailable ones stay null).
int LoadGLExtEntryPoints();
