// Orthographic 2-D set-up and textured screen quads.
#include "view/gui/ScreenQuad.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "view/gui/GLTexture.h"


void PushOrtho2D(int width, int height) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glViewport(0, 0, width, height);
    glLoadIdentity();
    gluOrtho2D(0, width, 0, height);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void PopOrtho2D() {
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void DrawTextureQuad(const GLTexture_cls& texture, int vw, int vh, int qw, int qh, int x, int y,
                     bool keepBlending) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    if (!keepBlending) {
        glColor4f(1, 1, 1, 1);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    texture.Bind();
    PushOrtho2D(vw, vh);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    // Clamp to the edge texels: plain GL_CLAMP blends the outer half texel with the
    // (transparent black) border, which Mesa does as written and darkens every edge.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glDisable(GL_CULL_FACE);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2i(x, y);
    glTexCoord2f(1, 0);
    glVertex2i(x + qw, y);
    glTexCoord2f(1, 1);
    glVertex2i(x + qw, y + qh);
    glTexCoord2f(0, 1);
    glVertex2i(x, y + qh);
    glEnd();
    PopOrtho2D();
    glPopAttrib();
}

void DrawTextureFitted(const GLTexture_cls& texture, int w, int h, int mode, bool keepBlending) {
    const int e = (w - h) / 2;
    if (mode == 0)
        DrawTextureQuad(texture, w, w, w, w, 0, -e, keepBlending);
    else if (mode == 1)
        DrawTextureQuad(texture, w, h, h, h, e, 0, keepBlending);
    else
        DrawTextureQuad(texture, w, h, w, h, 0, 0, keepBlending);
}
