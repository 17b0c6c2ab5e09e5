// Loading and drawing the item-edit-mode icons.
#include <GL/gl.h>
#include <wx/image.h>
#include <wx/log.h>

#include <vector>

#include "platform/ProgramPaths.h"
#include "view/ModeIcon.h"
#include "view/gui/GLTexture.h"
#include "view/gui/ScreenQuad.h"

void ModeIcon_cls::LoadTexture() {
    if (texture == 0) {
        GLuint n = 0;
        glGenTextures(1, &n);
        texture = n;
    }
    width = height = 0;
    EnsureImageHandlers();
    wxImage image;
    const std::string path = !imagePath.empty() && imagePath[0] == '/' ? imagePath : platform::FindProgramData(imagePath);
    if (!platform::PathExists(path) || !image.LoadFile(wxString::FromUTF8(path), wxBITMAP_TYPE_ANY)) {
        wxLogError("Could not read the icon image %s.", wxString::FromUTF8(imagePath));
        return;
    }
    image = image.Mirror(false);  // GL rows run bottom-up
    const int w = image.GetWidth(), h = image.GetHeight();
    const unsigned char* rgb = image.GetData();
    const unsigned char* alpha = image.HasAlpha() ? image.GetAlpha() : nullptr;
    std::vector<unsigned char> bytes(size_t(4) * w * h);
    for (size_t p = 0; p < size_t(w) * h; ++p) {
        bytes[4 * p] = rgb[3 * p];
        bytes[4 * p + 1] = rgb[3 * p + 1];
        bytes[4 * p + 2] = rgb[3 * p + 2];
        bytes[4 * p + 3] = alpha ? alpha[p] : 255;
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    width = w;
    height = h;
}

void ModeIcon_cls::Draw(int viewWidth, bool current) const {
    if (width <= 0 || height <= 0) return;
    const int x0 = Left(viewWidth), y0 = y, x1 = x0 + width, y1 = y0 + height;
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    if (hover) {
        glDisable(GL_TEXTURE_2D);
        glColor4f(0.2f, 0.2f, 0.3f, 1);
        glRecti(x0, y0, x1, y1);
        glColor4f(0.3f, 0.3f, 0.5f, 1);
        glBegin(GL_LINE_LOOP);
        glVertex2i(x0, y0);
        glVertex2i(x1, y0);
        glVertex2i(x1, y1);
        glVertex2i(x0, y1);
        glEnd();
    }
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    if (current)
        glColor4f(0.9f, 0.9f, 1.0f, 1);
    else
        glColor4f(0.3f, 0.3f, 0.28f, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2i(x0, y0);
    glTexCoord2f(1, 0);
    glVertex2i(x1, y0);
    glTexCoord2f(1, 1);
    glVertex2i(x1, y1);
    glTexCoord2f(0, 1);
    glVertex2i(x0, y1);
    glEnd();
    glPopAttrib();
}

void LoadModeIcons() {
    GoModeIconRotation.LoadTexture();
    GoModeIconTranslation.LoadTexture();
    GoModeIconScale.LoadTexture();
}

void DrawModeIcons(int viewWidth, int viewHeight) {
    PushOrtho2D(viewWidth, viewHeight);
    for (const ModeIcon_cls* icon : {&GoModeIconScale, &GoModeIconRotation, &GoModeIconTranslation})
        icon->Draw(viewWidth, icon->mode == GiItemEditMode);
    PopOrtho2D();
}
