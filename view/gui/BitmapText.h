// Bitmap text drawn through GLUT's bitmap fonts in window pixels, and the size of the
// window being drawn that the text is placed in.
#pragma once

#include <string>

/// Width and height in pixels of the window being drawn.
class ScreenSize_cls {
public:
    void Set(int w, int h) {
        width = w;
        height = h;
    }
    int width = 0;
    int height = 0;
};

/// Calls glutInit once per process with a private argv (GLUT needs it before any bitmap
/// character). Returns false, without calling it, when there is no X display to open
/// (GLUT would end the process). GUI thread.
bool EnsureGlutInit();

/// The GLUT bitmap font of a tag font index: 0 Helvetica 10, 1 Helvetica 12, 2 Helvetica
/// 18, 3 Times Roman 10, 4 Times Roman 24; null for any other index.
void* BitmapFontForIndex(int index);

/// Draws `text` with `font` (a GLUT bitmap font) at window pixel (x, y) in a projection of
/// the whole screen; y counts from the bottom, or with `fromTop` from the top (the first
/// line's baseline then sits at height - y - 12). Each "\n" starts a line 24 pixels further
/// down (fromTop) or up. Both matrix stacks are restored. Needs a current context; draws
/// nothing when GLUT cannot be initialised or `font` is null.
void DrawBitmapText(const ScreenSize_cls& screen, void* font, const std::string& text, int x, int y,
                    bool fromTop);

/// Raster start of DrawBitmapText's first line: (x, y), or (x, height - y - 12) from the top.
int BitmapTextBaseline(const ScreenSize_cls& screen, int y, bool fromTop);

/// Width in pixels of one line of `text` in `font` (0 without GLUT or font).
int BitmapTextWidth(void* font, const std::string& line);

/// Draws `text` with `font`, each "\n"-separated line centred horizontally and the block of
/// lines (24 pixels apart) centred vertically in the window. Lines wider than the window
/// are clipped at both sides. Both matrix stacks are restored; needs a current context.
void DrawCentredBitmapText(const ScreenSize_cls& screen, void* font, const std::string& text);
