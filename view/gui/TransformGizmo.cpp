// Drawing the transform gizmo.
#include "view/gui/TransformGizmo.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "common/GLCamera.h"

TransformGizmo_cls* GpTransformGizmos[3] = {nullptr, nullptr, nullptr};

namespace {

constexpr double kPi = 3.14159;
TransformGizmo_cls* gAllGizmos[4] = {nullptr, nullptr, nullptr, nullptr};

const double kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

}  // namespace

void CreateTransformGizmos() {
    if (gAllGizmos[0]) return;
    gAllGizmos[0] = new TransformGizmo_cls(TransformGizmo_cls::Translation, 4);
    gAllGizmos[1] = new TransformGizmo_cls(TransformGizmo_cls::Scale, 3);
    gAllGizmos[2] = new TransformGizmo_cls(TransformGizmo_cls::Rotation, 1);
    gAllGizmos[3] = new TransformGizmo_cls(TransformGizmo_cls::Rotation, 3);
    GpTransformGizmos[0] = gAllGizmos[0];
    GpTransformGizmos[1] = gAllGizmos[3];
    GpTransformGizmos[2] = gAllGizmos[1];
}

void DeleteTransformGizmos() {
    for (auto*& g : gAllGizmos) {
        delete g;
        g = nullptr;
    }
    for (auto*& g : GpTransformGizmos) g = nullptr;
}

TransformGizmo_cls* GizmoForEditMode(int mode) {
    switch (mode) {
        case 0: return GpTransformGizmos[0];
        case 1: return GpTransformGizmos[2];
        case 2: return GpTransformGizmos[1];
        default: return nullptr;
    }
}

TransformGizmo_cls::TransformGizmo_cls(int k, int v) : kind(k), variant(v) {
    for (int i = 0; i < 16; ++i) modelview[i] = projection[i] = kIdentity[i];
    viewport[0] = viewport[1] = 0;
    viewport[2] = viewport[3] = 1;
}

void TransformGizmo_cls::SaveMatrices() {
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
}

void TransformGizmo_cls::Draw(const GLCamera_cls& position, double size, const GLCamera_cls& orientation,
                              int activeAxis) {
    if (kind == Rotation) {
        DrawRings(position, size, nullptr, orientation, activeAxis);
        return;
    }
    const int handle = kind == Scale ? 1 : 0;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslated(position.pose.position[0], position.pose.position[1], position.pose.position[2]);
    const double s = 0.025 * size;
    glScaled(s, s, s);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);

    glPushName(0);
    glColor4f(1, 0, 0, 1);
    DrawAxisHandle(2 * handleLength[0], handle);
    glPopName();

    glPushName(1);
    glColor4f(0.2f, 1, 0.2f, 1);
    glPushMatrix();
    glRotated(90, 0, 0, 1);
    DrawAxisHandle(2 * handleLength[1], handle);
    glPopMatrix();
    glPopName();

    glPushName(2);
    glColor4f(0.2f, 0.2f, 1, 1);
    glPushMatrix();
    glRotated(-90, 0, 1, 0);
    DrawAxisHandle(2 * handleLength[2], handle);
    glPopMatrix();
    glPopName();

    if (activeAxis >= 0 && activeAxis <= 2) {
        static const float kColour[3][3] = {{1, 0, 0}, {0.2f, 1, 0.2f}, {0, 0, 1}};
        glColor3fv(kColour[activeAxis]);
        double a[3] = {0, 0, 0}, b[3] = {0, 0, 0};
        a[activeAxis] = -10;
        b[activeAxis] = 10;
        glBegin(GL_LINES);
        glVertex3dv(a);
        glVertex3dv(b);
        glEnd();
    }
    glPopMatrix();
    glPopAttrib();
}

void TransformGizmo_cls::DrawAxisHandle(double L, int handleKind) {
    if (L == 0) return;
    if (handleKind == 0) {
        static const double kRim[9][2] = {{0, -0.1},     {-0.0707, -0.0707}, {-0.1, 0},
                                          {-0.0707, 0.0707}, {0, 0.1},       {0.0707, 0.0707},
                                          {0.1, 0},      {0.0707, -0.0707},  {0, -0.1}};
        const double base = L > 0 ? L - 0.6 : L + 0.6;
        glBegin(GL_TRIANGLE_FAN);
        glVertex3d(L, 0, 0);
        for (const auto& p : kRim) glVertex3d(base, p[0], p[1]);
        glEnd();
    } else {
        const double h = 0.2;
        const double x0 = L - h, x1 = L + h;
        glBegin(GL_QUAD_STRIP);
        glVertex3d(x0, -h, -h);
        glVertex3d(x1, -h, -h);
        glVertex3d(x0, h, -h);
        glVertex3d(x1, h, -h);
        glVertex3d(x0, h, h);
        glVertex3d(x1, h, h);
        glVertex3d(x0, -h, h);
        glVertex3d(x1, -h, h);
        glVertex3d(x0, -h, -h);
        glVertex3d(x1, -h, -h);
        glEnd();
        glBegin(GL_QUADS);
        glVertex3d(x0, -h, -h);
        glVertex3d(x0, -h, h);
        glVertex3d(x0, h, h);
        glVertex3d(x0, h, -h);
        glVertex3d(x1, -h, -h);
        glVertex3d(x1, h, -h);
        glVertex3d(x1, h, h);
        glVertex3d(x1, -h, h);
        glEnd();
    }
    glBegin(GL_LINES);
    glVertex3d(0, 0, 0);
    glVertex3d(L, 0, 0);
    glEnd();
}

void TransformGizmo_cls::DrawRing(double r, int axis) {
    static const double kA[3][3] = {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}};
    static const double kB[3][3] = {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}};
    if (axis < 0 || axis > 2) return;
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < 24; ++i) {
        const double t = i * 15.0 * kPi / 180.0;
        const double c = r * std::cos(t), s = r * std::sin(t);
        glVertex3d(c * kA[axis][0] + s * kB[axis][0], c * kA[axis][1] + s * kB[axis][1],
                   c * kA[axis][2] + s * kB[axis][2]);
    }
    glEnd();
}

void TransformGizmo_cls::ProjectAxis(const double p[3], const double q[3]) {
    double wp[3] = {0, 0, 0}, wq[3] = {0, 0, 0};
    gluProject(p[0], p[1], p[2], modelview, projection, viewport, &wp[0], &wp[1], &wp[2]);
    gluProject(q[0], q[1], q[2], modelview, projection, viewport, &wq[0], &wq[1], &wq[2]);
    axisAway = wp[2] > wq[2] ? 1 : 0;
}

void TransformGizmo_cls::DrawRings(const GLCamera_cls& position, double size, const double* scale,
                                   const GLCamera_cls& orientation, int a) {
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslated(position.pose.position[0], position.pose.position[1], position.pose.position[2]);
    const double s = 0.05 * size;
    if (scale)
        glScaled(s * scale[0], s * scale[1], s * scale[2]);
    else
        glScaled(s, s, s);
    const bool active = a != -1;
    const GLCameraFrame_cls& f = orientation.frame;

    if (variant >= 1) {
        double start = 1.4;
        if (a == 2) {
            const double p[3] = {0, 0, -6}, q[3] = {0, 0, 6};
            ProjectAxis(p, q);
            start = 0;
        }
        glRotated(f.yaw, 0, 0, 1);
        if (a == 2)
            glColor3f(0.2f, 0.2f, 1);
        else
            glColor3f(0.1f, 0.1f, active ? 0.4f : 0.7f);
        glPushName(2);
        DrawRing(1.4, 2);
        glBegin(GL_LINES);
        glVertex3d(start, 0, 0);
        glVertex3d(1.6, 0, 0);
        glEnd();
        glPopName();
    }
    if (variant >= 2) {
        double start = 1.3;
        if (a == 1) {
            const double p[3] = {0, -6, 0}, q[3] = {0, 6, 0};
            ProjectAxis(p, q);
            start = 0;
        }
        glRotated(f.pitch, 0, 1, 0);
        if (a == 1)
            glColor3f(0.2f, 1, 0.2f);
        else
            glColor3f(0.1f, active ? 0.4f : 0.7f, 0.1f);
        glPushName(1);
        DrawRing(1.3, 1);
        glBegin(GL_LINES);
        glVertex3d(start, 0, 0);
        glVertex3d(1.5, 0, 0);
        glEnd();
        glPopName();
    }
    if (variant >= 3) {
        double start = 1.2;
        if (a == 0) {
            const double p[3] = {-6, 0, 0}, q[3] = {6, 0, 0};
            ProjectAxis(p, q);
            start = 0;
        }
        glRotated(f.roll, 1, 0, 0);
        if (a == 0)
            glColor3f(1, 0.2f, 0.2f);
        else
            glColor3f(active ? 0.4f : 0.7f, 0.1f, 0.1f);
        glPushName(0);
        DrawRing(1.2, 0);
        glBegin(GL_LINES);
        glVertex3d(0, 0, start);
        glVertex3d(0, 0, 1.4);
        glEnd();
        glPopName();
    }
    glPopMatrix();
    glPopAttrib();
}
