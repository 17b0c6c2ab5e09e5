// Off-screen buffers, their bind stack, and the sub-view pool with the fisheye and panorama
// compositions.
#include "view/gui/FBO.h"


#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>

#include "common/GLCamera.h"
#include "common/GLProjection.h"
#include "platform/Trace.h"
#include "platform/gui/GLEntryPoints.h"
#include "view/WideViewProjection.h"

bool GbFBOSupported = true;
FBOPool_cls* GpFBOPool = nullptr;

namespace {

std::vector<FBO_cls*> g_bindStack;
bool g_fetched = false;

bool FunctionsPresent() {
    return gl::GenFramebuffersEXT && gl::DeleteFramebuffersEXT && gl::BindFramebufferEXT &&
           gl::FramebufferTexture2DEXT && gl::GenRenderbuffersEXT && gl::DeleteRenderbuffersEXT &&
           gl::BindRenderbufferEXT && gl::RenderbufferStorageEXT && gl::FramebufferRenderbufferEXT &&
           gl::CheckFramebufferStatusEXT;
}

void AttachAndClear(FBO_cls& f) {
    gl::BindFramebufferEXT(GL_FRAMEBUFFER_EXT, f.frameBuffer);
    gl::FramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, f.texture, 0);
    gl::FramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                                   f.depthStencil);
    gl::FramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_STENCIL_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                                   f.depthStencil);
    gl::BindRenderbufferEXT(GL_RENDERBUFFER_EXT, 0);
    glViewport(0, 0, f.width, f.height);
    glClearColor(0, 0, 0, 0);
    if (f.clearAll)
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | GL_ACCUM_BUFFER_BIT);
    else
        glClear(GL_STENCIL_BUFFER_BIT | GL_ACCUM_BUFFER_BIT);
}

}  // namespace

bool FetchFBOEntryPoints() {
    if (g_fetched) return GbFBOSupported;
    g_fetched = true;
    LoadGLExtEntryPoints();
    if (!FunctionsPresent()) {
        GbFBOSupported = false;
        platform::ReportError("OpenGL: frame-buffer objects are not supported (entry points missing)");
        return false;
    }
    // A small test buffer: the driver must call it complete.
    FBO_cls probe(16, 16);
    probe.bits = 8;
    probe.Allocate(true);
    gl::BindFramebufferEXT(GL_FRAMEBUFFER_EXT, probe.frameBuffer);
    gl::FramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, probe.texture, 0);
    gl::FramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                                   probe.depthStencil);
    gl::FramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_STENCIL_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                                   probe.depthStencil);
    const GLenum status = gl::CheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT);
    gl::BindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    if (status != GL_FRAMEBUFFER_COMPLETE_EXT) {
        GbFBOSupported = false;
        platform::ReportError("OpenGL: frame-buffer objects are not supported (a test buffer is incomplete)");
    }
    return GbFBOSupported;
}

int FBOBindDepth() {
    return int(g_bindStack.size());
}

FBO_cls::FBO_cls(int w, int h) : width(w), height(h) {
    if (!g_fetched) FetchFBOEntryPoints();
}

FBO_cls::~FBO_cls() {
    // A buffer deleted while bound must not stay on the stack.
    g_bindStack.erase(std::remove(g_bindStack.begin(), g_bindStack.end(), this), g_bindStack.end());
    Release();
}

void FBO_cls::Release() {
    if (!created) return;
    glDeleteTextures(1, &texture);
    if (gl::DeleteRenderbuffersEXT) gl::DeleteRenderbuffersEXT(1, &depthStencil);
    if (gl::DeleteFramebuffersEXT) gl::DeleteFramebuffersEXT(1, &frameBuffer);
    texture = depthStencil = frameBuffer = 0;
    created = false;
    allocWidth = allocHeight = 0;
}

void FBO_cls::SetSize(int w, int h) {
    width = w;
    height = h;
}

void FBO_cls::Allocate(bool alpha) {
    if (!GbFBOSupported || !FunctionsPresent()) return;
    if (created && allocWidth == width && allocHeight == height && alpha == withAlpha) return;
    if (created) Release();
    withAlpha = alpha;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    if (bits == 8)
        glTexImage2D(GL_TEXTURE_2D, 0, alpha ? GL_RGBA : GL_RGB, width, height, 0, alpha ? GL_RGBA : GL_RGB,
                     GL_UNSIGNED_BYTE, nullptr);
    else
        glTexImage2D(GL_TEXTURE_2D, 0, alpha ? GL_RGBA16F_ARB : GL_RGB16F_ARB, width, height, 0,
                     alpha ? GL_RGBA : GL_RGB, GL_HALF_FLOAT_ARB, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, 0);
    gl::GenRenderbuffersEXT(1, &depthStencil);
    gl::BindRenderbufferEXT(GL_RENDERBUFFER_EXT, depthStencil);
    gl::RenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH24_STENCIL8_EXT, width, height);
    gl::BindRenderbufferEXT(GL_RENDERBUFFER_EXT, 0);
    gl::GenFramebuffersEXT(1, &frameBuffer);
    created = true;
    allocWidth = width;
    allocHeight = height;
}

void FBO_cls::Bind(bool clear) {
    if (!created) return;
    clearAll = clear;
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    g_bindStack.push_back(this);
    AttachAndClear(*this);
}

void FBO_cls::Unbind() {
    if (g_bindStack.empty() || g_bindStack.back() != this) return;
    // The attributes pushed by Bind are popped first: that brings back the state (and the
    // viewport) of whatever was drawn into before, so the stack depth stays balanced however
    // deep the nesting and however many paints run.
    glPopAttrib();
    g_bindStack.pop_back();
    if (!g_bindStack.empty()) {
        FBO_cls& outer = *g_bindStack.back();
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        GLfloat clearColour[4];
        glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
        AttachAndClear(outer);
        glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
        glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    } else {
        gl::BindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    }
}

void FBO_cls::BindAndRelease() {
    Bind(true);
    Unbind();
}

void FBO_cls::BindTexture() const {
    glBindTexture(GL_TEXTURE_2D, texture);
}

float FBO_cls::ScaleForSize() const {
    switch (width) {
        case 256: return 0.125f;
        case 512: return 0.25f;
        case 1024: return 0.5f;
        case 4096: return 2.0f;
        default: return 1.0f;
    }
}

// ---------------------------------------------------------------------------------------
// Pool

void FBOPool_cls::Release() {
    for (FBO_cls*& f : m_fbo) {
        delete f;
        f = nullptr;
    }
    for (unsigned& l : m_lists)
        if (l) {
            glDeleteLists(l, 1);
            l = 0;
        }
    m_listAngle = -1;
}

void FBOPool_cls::Resize(int viewWidth, int viewHeight, int bufferSize) {
    m_viewWidth = viewWidth;
    m_viewHeight = viewHeight;
    m_buffer = bufferSize;
    for (FBO_cls*& f : m_fbo) {
        if (f)
            f->SetSize(bufferSize, bufferSize);
        else
            f = new FBO_cls(bufferSize, bufferSize);
    }
}

void FBOPool_cls::BeginSubView(int index, GLCamera_cls camera, GLProjection_cls projection, int type) {
    FBO_cls* f = Slot(index);
    if (!f) return;
    m_current = m_buffer;
    f->Allocate(false);
    f->Bind(true);
    projection.SetViewportSize(m_buffer, m_buffer);
    if (type == 1 || type == 2) {
        // The same turns picking and dragging use (WideViewProjection_cls).
        camera = WideViewProjection_cls::SubViewCamera(camera, type, index);
        projection.angle = 90;
        projection.SetFitSize(m_buffer, m_buffer);
    } else {
        projection.SetFitSize(m_viewWidth, m_viewHeight);
    }
    projection.ApplyViewport();
    projection.Apply(camera, 1);
    camera.LoadModelview(GL_MODELVIEW);
}

void FBOPool_cls::EndSubView(int index) {
    if (FBO_cls* f = Slot(index)) f->Unbind();
}

void FBOPool_cls::ComposeSetup(int width, int height, bool blendInto) {
    glClear(blendInto ? GL_DEPTH_BUFFER_BIT : (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double q = height > 0 ? double(width) / height : 1.0;
    glOrtho(-0.5 * q, 0.5 * q, -0.5, 0.5, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glColor4f(1, 1, 1, 1);
}

void FBOPool_cls::BuildFisheyeLists(double angle) {
    const double b = std::sqrt(2.0);
    for (int i = 0; i < 4; ++i) {
        if (!m_lists[i]) m_lists[i] = glGenLists(1);
        glNewList(m_lists[i], GL_COMPILE);
        for (int j = 0; j < 80; ++j) {
            glBegin(GL_QUAD_STRIP);
            for (int k = 0; k <= 80; ++k) {
                const double s = k / 80.0;
                for (int e = 0; e < 2; ++e) {
                    const double t = (j + e) / 80.0;
                    double h, v, f;
                    switch (i) {
                        case 0: h = (s - 1) * b + 0.001, v = 2 * t - 1, f = s * b; break;
                        case 1: h = s * b, v = 2 * t - 1, f = (1 - s) * b; break;
                        case 2: h = (s + t - 1) * b, v = 1, f = (s - t) * b; break;
                        default: h = (s + t - 1) * b, v = -1, f = (t - s) * b; break;
                    }
                    const double len = std::sqrt(h * h + v * v + f * f);
                    const double phi = std::atan2(v, h);
                    const double rho = (1.5708 - std::asin(f / len)) / 3.1415 * 180.0 / angle;
                    glTexCoord2d(s, t);
                    glVertex3d(rho * std::cos(phi), rho * std::sin(phi), 0);
                }
            }
            glEnd();
        }
        glEndList();
    }
    m_listAngle = int(angle);
}

namespace {

void StencilShape(void (*shape)(double), double arg) {
    glStencilFunc(GL_ALWAYS, 1, ~0u);
    glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);
    shape(arg);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glStencilFunc(GL_EQUAL, 1, ~0u);
}

void Disc(double) {
    glBegin(GL_TRIANGLE_FAN);
    glVertex2d(0, 0);
    for (int i = 0; i <= 72; ++i) {
        const double a = i / 72.0 * 2 * 3.1416;
        glVertex2d(0.5 * std::cos(a), 0.5 * std::sin(a));
    }
    glEnd();
}

void Band(double s) {
    glBegin(GL_QUADS);
    glVertex2d(-1, -s), glVertex2d(1, -s), glVertex2d(1, s), glVertex2d(-1, s);
    glEnd();
}

void BlendMode(int mode) {
    if (mode == 1) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    } else {
        glDisable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
        glColor4f(0, 0, 0, 0);
        Band(10);
        glColor4f(1, 1, 1, 1);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    }
}

// The stencil shape has written all channels again: a stereo eye's mask is set after it,
// so an anaglyph keeps each eye in its own colours.
void EyeMask(const bool* m) {
    if (m) glColorMask(m[0], m[1], m[2], m[3]);
}

}  // namespace

void FBOPool_cls::ComposeFisheye(double angle, int blendMode, int width, int height, const bool* eyeMask) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    if (int(angle) != m_listAngle || !m_lists[0]) BuildFisheyeLists(angle);
    ComposeSetup(width, height, blendMode == 1);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_STENCIL_TEST);
    glClear(GL_STENCIL_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    StencilShape(Disc, 0);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_POLYGON_SMOOTH);
    BlendMode(blendMode);
    EyeMask(eyeMask);
    for (int i = 0; i < 4; ++i) {
        if (!m_fbo[i] || !m_fbo[i]->created) continue;
        m_fbo[i]->BindTexture();
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glCallList(m_lists[i]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

void FBOPool_cls::ComposePanorama(double angle, int blendMode, int width, int height, const bool* eyeMask) {
    const double W = 2 * angle;
    const double k = 180.0 / 3.14159;
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    ComposeSetup(width, height, blendMode == 1);
    glEnable(GL_STENCIL_TEST);
    glClear(GL_STENCIL_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    StencilShape(Band, 180.0 / W * 0.196);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    BlendMode(blendMode);
    EyeMask(eyeMask);
    static const double kCentre[4] = {-45, 45, -135, 135};
    for (int i = 0; i < 4; ++i) {
        if (!m_fbo[i] || !m_fbo[i]->created) continue;
        m_fbo[i]->BindTexture();
        for (int j = 0; j < 40; ++j) {
            glBegin(GL_QUAD_STRIP);
            for (int k2 = 0; k2 <= 40; ++k2) {
                const double t = k2 / 40.0;
                for (int e = 0; e < 2; ++e) {
                    const double s = (j + e) / 40.0;
                    double alpha = std::atan2(s - 0.5, 0.5) * k;
                    if (j == 0 && e == 0) alpha = -45.001;
                    if (j == 39 && e == 1) alpha = 45.001;
                    const double x = (kCentre[i] + alpha) / W;
                    const double y = std::atan2(t - 0.5, 0.5 / std::cos(alpha / k)) * k / W;
                    glTexCoord2d(s, t);
                    glVertex2d(x, y);
                }
            }
            glEnd();
        }
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}
