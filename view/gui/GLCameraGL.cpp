// The GL side of the placement record and the projection: loading their matrices.
#include <GL/gl.h>

#include "common/GLCamera.h"
#include "common/GLProjection.h"

void GLCamera_cls::LoadModelview(unsigned matrixMode) const {
    double m[16];
    ModelviewMatrix(m);
    glMatrixMode(GLenum(matrixMode));
    glLoadIdentity();
    glMultMatrixd(m);
}

void GLProjection_cls::ApplyViewport() const {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
}

void GLProjection_cls::Apply(const GLCamera_cls& camera, int fit) const {
    double m[16];
    Matrix(camera, fit, m);
    glMultMatrixd(m);
}
