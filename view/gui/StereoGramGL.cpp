// The stereogram's GL side: the eye buffers, the colour masks, and the composition of the
// two eye images into a view and into one captured image.
#include <GL/gl.h>

#include "common/GLCamera.h"
#include "view/StereoGram.h"
#include "view/gui/FBO.h"
#include "view/gui/ScreenQuad.h"

namespace {

void Draw(FBO_cls* f, int vw, int vh, const StereoQuad& q) {
    if (f && f->created) StereoGram_cls::DrawTextureIdQuad(f->texture, vw, vh, q);
}

/// Source alpha / one minus source alpha in white, no depth test: an eye image laid over.
void NormalBlending() {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 1, 1, 1);
}

}  // namespace

void StereoGram_cls::DrawTextureIdQuad(unsigned texture, int vw, int vh, const StereoQuad& q) {
    if (!texture || vw <= 0 || vh <= 0) return;
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_VIEWPORT_BIT);
    PushOrtho2D(vw, vh);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);  // lit, the quad would take the material's colour, not the image
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0), glVertex2i(q.x, q.y);
    glTexCoord2f(1, 0), glVertex2i(q.x + q.w, q.y);
    glTexCoord2f(1, 1), glVertex2i(q.x + q.w, q.y + q.h);
    glTexCoord2f(0, 1), glVertex2i(q.x, q.y + q.h);
    glEnd();
    glBindTexture(GL_TEXTURE_2D, 0);
    PopOrtho2D();
    glPopAttrib();
}

void StereoGram_cls::ClearEyeBuffers() {
    for (FBO_cls* f : eyeBuffers)
        if (f && f->created) f->BindAndRelease();
}

void StereoGram_cls::PrepareEyeBuffer(int pass) {
    if (pass != 0 && pass != 1) return;
    FBO_cls*& f = eyeBuffers[pass];
    if (!f)
        f = new FBO_cls(eyeBufferSize, eyeBufferSize);
    else
        f->SetSize(eyeBufferSize, eyeBufferSize);
    // New storage holds nothing defined: it starts black, so that accumulation starts from 0.
    const bool fresh = !f->created || f->allocWidth != f->width || f->allocHeight != f->height ||
                       f->withAlpha;
    f->Allocate(false);
    if (fresh) f->BindAndRelease();
}

void StereoGram_cls::BeginEyePass(int pass) {
    FBO_cls* f = EyeBuffer(pass);
    if (!f) return;
    f->Allocate(false);
    f->Bind(false);  // keeps its colour: motion-blur samples add up
}

void StereoGram_cls::EndEyePass(int pass) {
    if (FBO_cls* f = EyeBuffer(pass)) f->Unbind();
}

void StereoGram_cls::ApplyEyeColorMask(int pass) {
    glColor4f(1, 1, 1, 1);
    bool m[4];
    EyeColorMask(pass, m);
    glColorMask(m[0], m[1], m[2], m[3]);
}

void StereoGram_cls::ResetColorMask() { glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE); }

void StereoGram_cls::DrawLineStencil() {
    const int W = viewWidth, H = viewHeight;
    PushOrtho2D(W, H);
    glClear(GL_STENCIL_BUFFER_BIT);
    glStencilFunc(GL_ALWAYS, 1, 1);
    glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_LINE_STIPPLE);
    glLineWidth(1);
    // Each line runs through the centres of its row's pixels; a line on the boundary
    // between two rows would land on either of them, depending on the rasteriser.
    glBegin(GL_LINES);
    for (int y : LineStencilRows(H)) {
        glVertex2f(0.0f, float(y) + 0.5f);
        glVertex2f(float(W), float(y) + 0.5f);
    }
    glEnd();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    PopOrtho2D();
}

void StereoGram_cls::Compose(bool distortion) {
    const int W = viewWidth, H = viewHeight;
    if (W <= 0 || H <= 0) return;
    const StereoQuad fitted = FittedQuad(ComposeFitMode(distortion), W, H);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glViewport(0, 0, W, H);
    NormalBlending();
    const unsigned type = StereoOn() ? outputType.value : unsigned(STEREO_NO_PARALLAX);
    switch (type) {
        case STEREO_LINE_BY_LINE:
            Draw(eyeBuffers[0], W, H, fitted);
            glEnable(GL_STENCIL_TEST);
            DrawLineStencil();
            glStencilFunc(GL_EQUAL, 1, 1);
            Draw(eyeBuffers[1], W, H, fitted);
            glDisable(GL_STENCIL_TEST);
            break;
        case STEREO_SIDE_BY_SIDE: {
            StereoQuad q[2];
            SideBySideQuads(distortion, W, H, q);
            Draw(eyeBuffers[0], W, H, q[0]);
            Draw(eyeBuffers[1], W, H, q[1]);
            break;
        }
        case STEREO_RED_CYAN:
        case STEREO_YELLOW_BLUE:
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
            for (int pass = 0; pass < 2; ++pass) {
                ApplyEyeColorMask(pass);
                Draw(eyeBuffers[pass], W, H, fitted);
                ResetColorMask();
            }
            break;
        default: Draw(eyeBuffers[0], W, H, fitted); break;
    }
    glPopAttrib();
}

void StereoGram_cls::CombineForCapture() {
    FBO_cls* a = eyeBuffers[0];
    FBO_cls* b = eyeBuffers[1];
    if (!a || !b || !a->created || !b->created) return;
    const int S = a->width;
    if (!(StereoOn() && outputType.value == STEREO_SIDE_BY_SIDE)) {
        a->Bind(false);
        NormalBlending();
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        Draw(b, S, S, StereoQuad{0, 0, S, S});
        a->Unbind();
        return;
    }
    FBO_cls copy(S, S);
    copy.Allocate(false);
    copy.Bind(true);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glColor4f(1, 1, 1, 1);
    Draw(a, S, S, StereoQuad{0, 0, S, S});
    copy.Unbind();
    a->Bind(true);
    NormalBlending();
    Draw(&copy, S, S, StereoQuad{0, 0, S / 2, S});
    Draw(b, S, S, StereoQuad{S / 2, 0, S / 2, S});
    a->Unbind();
}

void StereoGram_cls::DrawFocusMarker(const GLCamera_cls& camera, double t, double size, unsigned crossList) {
    if (!DrawsFocusMarker(t) || !crossList) return;
    const double f = FocusDistance(t);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslated(camera.pose.position[0] + f * camera.frame.direction[0],
                 camera.pose.position[1] + f * camera.frame.direction[1],
                 camera.pose.position[2] + f * camera.frame.direction[2]);
    const double s = 0.02 * size;
    glScaled(s, s, s);
    glCallList(crossList);
    glPopMatrix();
}

void StereoGram_cls::ReleaseGL() {
    for (FBO_cls** pair : {eyeBuffers, otherBuffers})
        for (int i = 0; i < 2; ++i) {
            delete pair[i];
            pair[i] = nullptr;
        }
}
