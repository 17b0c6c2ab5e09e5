// The sticks in OpenGL: lines, or lit open cylinders of 12 sides. The caller has the fixed
// pipeline selected (no shader program bound).
#include "scene/StickEngine.h"

#include <GL/gl.h>

#include <cmath>

namespace {

void Unit(float v[3]) {
    const float l = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (l > 0) v[0] /= l, v[1] /= l, v[2] /= l;
}

}  // namespace

void StickEngine_cls::DrawGL(const float* positions, int stickType, float alpha, float radius, float lineWidth,
                             int mask) const {
    if (!valid_ || !positions || first_.empty()) return;
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // The second end of stick m, or false when its class is not drawn in this copy.
    const auto secondEnd = [&](size_t m, float b[3]) {
        const int k = class_[m];
        if (k > 7 || (mask & k) != k || !Evaluated(m)) return false;
        const float* q = positions + 3 * int64_t(second_[m]);
        for (int c = 0; c < 3; ++c) b[c] = q[c] + offsets_[k][c];
        return true;
    };
    if (stickType == 0) {
        glDisable(GL_LIGHTING);
        GLfloat oldWidth = 1;
        glGetFloatv(GL_LINE_WIDTH, &oldWidth);
        glLineWidth(lineWidth);
        glBegin(GL_LINES);
        for (size_t m = 0; m < first_.size(); ++m) {
            float b[3];
            if (!secondEnd(m, b)) continue;
            glColor4f(0.7f, 0.7f, 0.7f, alpha * factor_[m]);
            glVertex3fv(positions + 3 * int64_t(first_[m]));
            glVertex3fv(b);
        }
        glEnd();
        glLineWidth(oldWidth);
        return;
    }
    if (stickType != 1) return;
    glEnable(GL_LIGHTING);
    float last = -1.0f;
    for (size_t m = 0; m < first_.size(); ++m) {
        float b[3];
        if (!secondEnd(m, b)) continue;
        const float f = factor_[m];
        if (f != last) {
            const GLfloat ambient[4] = {0.2f, 0.16f, 0.04f, alpha * f};
            const GLfloat diffuse[4] = {1, 1, 1, alpha * f};
            const GLfloat specular[4] = {1, 1, 1, f};
            glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
            glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
            glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
            last = f;
        }
        const float* a = positions + 3 * int64_t(first_[m]);
        float dir[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        Unit(dir);
        // v: the z axis without its part along the stick; a stick along z has none.
        const float along = dir[2];
        float v[3] = {-along * dir[0], -along * dir[1], 1.0f - along * dir[2]};
        if (!(std::fabs(v[0]) > 1e-12f || std::fabs(v[1]) > 1e-12f || std::fabs(v[2]) > 1e-12f)) continue;
        Unit(v);
        const float u[3] = {dir[1] * v[2] - dir[2] * v[1], dir[2] * v[0] - dir[0] * v[2], dir[0] * v[1] - dir[1] * v[0]};
        glBegin(GL_QUAD_STRIP);
        for (int t = 0; t < 13; ++t) {
            const float n[3] = {u[0] * sin_[t] + v[0] * cos_[t], u[1] * sin_[t] + v[1] * cos_[t],
                                u[2] * sin_[t] + v[2] * cos_[t]};
            glNormal3fv(n);
            glVertex3f(a[0] + radius * n[0], a[1] + radius * n[1], a[2] + radius * n[2]);
            glVertex3f(b[0] + radius * n[0], b[1] + radius * n[1], b[2] + radius * n[2]);
        }
        glEnd();
    }
}
