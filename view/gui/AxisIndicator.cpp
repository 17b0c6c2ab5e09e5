// Rendering and showing the orientation indicator.
#include "view/gui/AxisIndicator.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include "platform/gui/GLEntryPoints.h"
#include "common/GLProjection.h"
#include "view/gui/GLTexture.h"
#include "view/gui/SceneLists.h"
#include "view/gui/ScreenQuad.h"

namespace {
constexpr int kBufferSize = 256;
}

AxisIndicator_cls::AxisIndicator_cls(wxWindow* o) : owner(o), colour_(new GLTexture_cls) {}

AxisIndicator_cls::~AxisIndicator_cls() = default;

void AxisIndicator_cls::ReleaseBuffer() {
    if (framebuffer_ && gl::DeleteFramebuffersEXT) {
        GLuint f = framebuffer_;
        gl::DeleteFramebuffersEXT(1, &f);
    }
    if (depthBuffer_ && gl::DeleteRenderbuffersEXT) {
        GLuint r = depthBuffer_;
        gl::DeleteRenderbuffersEXT(1, &r);
    }
    framebuffer_ = depthBuffer_ = 0;
    colour_->Release();
    bufferTried_ = false;
}

bool AxisIndicator_cls::EnsureBuffer() {
    if (framebuffer_) return true;
    if (bufferTried_) return false;
    bufferTried_ = true;
    if (!gl::GenFramebuffersEXT) LoadGLExtEntryPoints();
    if (!gl::GenFramebuffersEXT) return false;
    colour_->UploadRGBA(nullptr, kBufferSize, kBufferSize);
    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &previous);
    GLuint f = 0, r = 0;
    gl::GenFramebuffersEXT(1, &f);
    gl::GenRenderbuffersEXT(1, &r);
    gl::BindFramebufferEXT(GL_FRAMEBUFFER_EXT, f);
    gl::BindRenderbufferEXT(GL_RENDERBUFFER_EXT, r);
    gl::RenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT24, kBufferSize, kBufferSize);
    gl::FramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, colour_->name, 0);
    gl::FramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, r);
    const GLenum status = gl::CheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT);
    gl::BindRenderbufferEXT(GL_RENDERBUFFER_EXT, 0);
    gl::BindFramebufferEXT(GL_FRAMEBUFFER_EXT, GLuint(previous));
    framebuffer_ = f;
    depthBuffer_ = r;
    if (status != GL_FRAMEBUFFER_COMPLETE_EXT) {
        ReleaseBuffer();
        bufferTried_ = true;
        return false;
    }
    return true;
}

void AxisIndicator_cls::DrawArrows(int size) const {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    GLProjection_cls projection(size, size, 15, 0.03, 5000);
    // Six units back from the origin along the view direction, turned like the view.
    GLCamera_cls eye = camera_;
    for (int k = 0; k < 3; ++k) eye.pose.position[k] = -6.0 * camera_.frame.direction[k];
    eye.pivot[0] = eye.pivot[1] = eye.pivot[2] = 0;
    projection.Apply(eye, 0);
    eye.LoadModelview(GL_MODELVIEW);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glLineWidth(5);
    glTranslated(-0.25, -0.25, -0.25);
    auto arrow = [] {
        glBegin(GL_LINES);
        glVertex3d(0, 0, 0);
        glVertex3d(1, 0, 0);
        glEnd();
        glTranslated(0.6, 0, 0);
        glScaled(0.4, 0.4, 0.4);
        CallConeList();
    };
    glPushMatrix();
    glColor4f(1, 0.1f, 0.1f, 1);
    arrow();
    glPopMatrix();
    glPushMatrix();
    glColor4f(0.1f, 1, 0.1f, 1);
    glRotated(90, 0, 0, 1);
    arrow();
    glPopMatrix();
    glPushMatrix();
    glColor4f(0.1f, 0.1f, 1, 1);
    glRotated(-90, 0, 1, 0);
    arrow();
    glPopMatrix();
}

void AxisIndicator_cls::Render(const GLCamera_cls& viewCamera) {
    camera_ = viewCamera;
    rendered_ = false;
    if (!EnsureBuffer()) return;
    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &previous);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    gl::BindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer_);
    glViewport(0, 0, kBufferSize, kBufferSize);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawArrows(kBufferSize);
    gl::BindFramebufferEXT(GL_FRAMEBUFFER_EXT, GLuint(previous));
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
    rendered_ = true;
}

void AxisIndicator_cls::Draw(int viewWidth, int viewHeight) {
    if (rendered_) {
        DrawTextureQuad(*colour_, viewWidth, viewHeight, 64, 64, 32, 0, false);
        return;
    }
    // No off-screen buffer: the arrows go straight into their corner of the view.
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glViewport(32, 0, 64, 64);
    glEnable(GL_SCISSOR_TEST);
    glScissor(32, 0, 64, 64);
    glClear(GL_DEPTH_BUFFER_BIT);
    DrawArrows(64);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}
