// GLUT bitmap text in window pixels.
#include "view/gui/BitmapText.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

bool EnsureGlutInit() {
    static int state = 0;  // 0 not tried, 1 initialised, -1 impossible
    if (state == 0) {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display) {
            state = -1;
        } else {
            // GLUT takes argc/argv by address and may keep them: give it storage of its own
            // instead of the program's arguments.
            static int argc = 1;
            static char argv0[] = "pelthorn3";
            static char* argv[] = {argv0, nullptr};
            glutInit(&argc, argv);
            state = 1;
        }
    }
    return state == 1;
}

void* BitmapFontForIndex(int index) {
    switch (index) {
        case 0: return GLUT_BITMAP_HELVETICA_10;
        case 1: return GLUT_BITMAP_HELVETICA_12;
        case 2: return GLUT_BITMAP_HELVETICA_18;
        case 3: return GLUT_BITMAP_TIMES_ROMAN_10;
        case 4: return GLUT_BITMAP_TIMES_ROMAN_24;
        default: return nullptr;
    }
}

namespace {

// Window pixels as the projection (origin at the bottom left), both matrices kept.
void PushWindowPixels(const ScreenSize_cls& screen) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, screen.width, 0, screen.height);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void PopWindowPixels() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

}  // namespace

int BitmapTextBaseline(const ScreenSize_cls& screen, int y, bool fromTop) {
    return fromTop ? screen.height - y - 12 : y;
}

void DrawBitmapText(const ScreenSize_cls& screen, void* font, const std::string& text, int x, int y,
                    bool fromTop) {
    if (!font || !EnsureGlutInit()) return;
    int line = BitmapTextBaseline(screen, y, fromTop);
    PushWindowPixels(screen);
    glRasterPos2i(x, line);
    for (char c : text) {
        if (c == '\n') {
            line += fromTop ? -24 : 24;
            glRasterPos2i(x, line);
            continue;
        }
        glutBitmapCharacter(font, static_cast<unsigned char>(c));
    }
    PopWindowPixels();
}

int BitmapTextWidth(void* font, const std::string& line) {
    if (!font || !EnsureGlutInit()) return 0;
    int w = 0;
    for (char c : line) w += glutBitmapWidth(font, static_cast<unsigned char>(c));
    return w;
}

void DrawCentredBitmapText(const ScreenSize_cls& screen, void* font, const std::string& text) {
    if (!font || !EnsureGlutInit()) return;
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    const int step = 24;
    // The block's middle sits on the window's middle; a baseline is about a third of a
    // line above the bottom of its line box.
    const int top = screen.height / 2 + int(lines.size()) * step / 2;
    PushWindowPixels(screen);
    for (size_t i = 0; i < lines.size(); ++i) {
        const int baseline = top - int(i + 1) * step + step / 3;
        const int x = (screen.width - BitmapTextWidth(font, lines[i])) / 2;
        // A raster position outside the viewport would drop the whole line: start inside
        // and move by the (possibly negative) offset, so a narrow view shows its middle.
        glRasterPos2i(0, std::max(0, std::min(baseline, screen.height - 1)));
        glBitmap(0, 0, 0, 0, float(x), float(baseline - std::max(0, std::min(baseline, screen.height - 1))), nullptr);
        for (char c : lines[i]) glutBitmapCharacter(font, static_cast<unsigned char>(c));
    }
    PopWindowPixels();
}
