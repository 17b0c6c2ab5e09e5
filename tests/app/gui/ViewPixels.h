// What a view just drew, for the window tests that look at particles in its picture: the
// back buffer read out, and where the view's camera puts each particle of the drawn frame.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/TestFiles.h"
#include "tools/DemoSequence.h"
#include "view/Snap.h"
#include "view/gui/MainGLCanvas.h"

namespace viewpixels {

/// A generated sequence of `frames` files of `particles` particles in the loader's default
/// grammar ("Simple Binary"), in `dir`/seq, crossing a periodic box of edge `box` when it is
/// above 0; returns its first file.
inline std::string WriteSequence(const testsupport::TempDir& dir, int particles, int frames, float box = 0.0f) {
    DemoSequenceOptions o;
    o.grammar = SnapshotGrammar();
    o.frames = frames;
    o.particles = particles;
    o.box = box;
    std::string error;
    const std::string folder = dir.File("seq");
    EXPECT_TRUE(DemoSequence_cls(o).WriteAll(folder, error)) << error;
    return folder + "/" + o.FileName(0);
}

/// The back buffer of the current view (`format` GL_RGBA or GL_RGB), bottom row first.
inline std::vector<unsigned char> ReadBack(int w, int h, GLenum format = GL_RGBA) {
    std::vector<unsigned char> pixels(size_t(format == GL_RGB ? 3 : 4) * w * h);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, w, h, format, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

/// Where view `v` (drawn at w x h) puts each particle of the drawn frame, moved by `shift`
/// (window pixels, rows bottom-up); its matrices go to `pr` and `mv` when given.
struct Projected {
    std::vector<double> x, y;
    double pr[16], mv[16];
};

inline Projected ProjectDrawnFrame(const MainGLCanvas_cls& v, int w, int h, const double* shift = nullptr) {
    Projected out;
    GLProjection_cls p = v.projection;
    p.SetViewportSize(w, h);
    p.SetFitSize(w, h);
    p.Matrix(v.camera, 0, out.pr);
    v.camera.ModelviewMatrix(out.mv);
    const int vp[4] = {0, 0, w, h};
    const int n = GpSnap ? int(GpSnap->count) : 0;
    out.x.resize(size_t(n));
    out.y.resize(size_t(n));
    for (int i = 0; i < n; ++i) {
        const float* q = GpSnap->positions + 3 * i;
        const double s[3] = {shift ? shift[0] : 0, shift ? shift[1] : 0, shift ? shift[2] : 0};
        double z;
        gluProject(q[0] + s[0], q[1] + s[1], q[2] + s[2], out.mv, out.pr, vp, &out.x[size_t(i)], &out.y[size_t(i)],
                   &z);
    }
    return out;
}

/// True when particle i cannot be judged: within 8 pixels of an edge, or within 10 of a
/// particle of another type.
inline bool Crowded(const Projected& p, int i, int w, int h) {
    const size_t k = size_t(i);
    if (p.x[k] < 8 || p.y[k] < 8 || p.x[k] > w - 8 || p.y[k] > h - 8) return true;
    for (size_t j = 0; j < p.x.size(); ++j)
        if (GpSnap->type[j] != GpSnap->type[k] && std::hypot(p.x[k] - p.x[j], p.y[k] - p.y[j]) < 10) return true;
    return false;
}

}  // namespace viewpixels
