// Reading the whole back buffer and finding where something was drawn.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <functional>
#include <vector>

/// The back buffer of a w x h view as RGBA rows, bottom row first.
struct PixelProbe {
    PixelProbe(int w_, int h_) : w(w_), h(h_), rgba(size_t(4) * w_ * h_) {
        glFinish();
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    }
    const unsigned char* At(int x, int y) const { return &rgba[4 * (size_t(y) * w + x)]; }

    /// Bounding box (GL window pixels) of the pixels for which `pick` holds; false when none.
    bool Box(const std::function<bool(const unsigned char*)>& pick, int& x0, int& y0, int& x1, int& y1) const {
        x0 = y0 = 1 << 30;
        x1 = y1 = -1;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (pick(At(x, y))) {
                    x0 = std::min(x0, x), y0 = std::min(y0, y);
                    x1 = std::max(x1, x), y1 = std::max(y1, y);
                }
        return x1 >= 0;
    }
    /// True when `pick` holds somewhere within `r` pixels of (x, y).
    bool Near(int x, int y, int r, const std::function<bool(const unsigned char*)>& pick) const {
        for (int yy = y - r; yy <= y + r; ++yy)
            for (int xx = x - r; xx <= x + r; ++xx)
                if (xx >= 0 && yy >= 0 && xx < w && yy < h && pick(At(xx, yy))) return true;
        return false;
    }

    int w, h;
    std::vector<unsigned char> rgba;
};

inline bool IsRed(const unsigned char* p) { return p[0] > 150 && p[1] < 100 && p[2] < 100; }
inline bool IsGreen(const unsigned char* p) { return p[1] > 150 && p[0] < 100 && p[2] < 100; }
inline bool IsBlue(const unsigned char* p) { return p[2] > 150 && p[0] < 100 && p[1] < 100; }
inline bool IsLit(const unsigned char* p) { return p[0] > 100 || p[1] > 100 || p[2] > 100; }

/// Window position of a world point under the current matrices.
inline void WindowOf(double x, double y, double z, double out[3]) {
    double mv[16], pr[16];
    int vp[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    glGetIntegerv(GL_VIEWPORT, vp);
    gluProject(x, y, z, mv, pr, vp, &out[0], &out[1], &out[2]);
}
