// Projecting and drawing the tag labels.
#include <GL/gl.h>
#include <GL/glu.h>

#include "filters/ColorCurve.h"
#include "view/TagList.h"
#include "view/gui/BitmapText.h"

void TagList_cls::Project() {
    if (tags.empty()) return;
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    for (Tag_cls& t : tags)
        gluProject(t.x, t.y, t.z, modelview, projection, viewport, &t.winX, &t.winY, &t.winZ);
}

void TagList_cls::Draw(const int vp[4]) const {
    // An index outside the font table (set other than by reading a file) uses the default.
    void* font = BitmapFontForIndex(int(GoTagConfig.fontIndex.value));
    if (!font) font = BitmapFontForIndex(kDefaultTagFontIndex);
    if (tags.empty() || !font) return;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    const float* c = GpTagColor ? GpTagColor->ConstantColor() : nullptr;
    if (c)
        glColor4f(c[0], c[1], c[2], 1);
    else
        glColor4f(1, 1, 1, 1);
    ScreenSize_cls screen;
    screen.Set(vp[2], vp[3]);
    for (const Tag_cls& t : tags)
        // GLUT's bitmap fonts hold the Latin-1 glyphs.
        // Window coordinates count from the window's corner, the text from the viewport's.
        DrawBitmapText(screen, font, std::string(t.text.mb_str(wxConvISO8859_1)), int(t.winX) - vp[0],
                       int(t.winY) - vp[1], false);
    glPopAttrib();
}
