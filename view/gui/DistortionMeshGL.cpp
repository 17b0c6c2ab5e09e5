// Drawing the lens mesh and its view.
#include <GL/gl.h>

#include "common/GLCamera.h"
#include "common/GLProjection.h"
#include "view/DistortionMesh.h"

void DistortionMesh_cls::Draw(float q, float c, int workingCopy, int flip) const {
    if (!loaded || width <= 0 || height <= 0) return;
    const std::vector<float>& uu = workingCopy == 1 ? workU : u;
    const std::vector<float>& vv = workingCopy == 1 ? workV : v;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glScalef(q * 10 / width, q * 10 / width, 10 / height);
    glBegin(GL_QUADS);
    for (size_t i = 0; i < faceVertex.size(); ++i) {
        // Indices were checked when the file was read.
        const size_t vi = size_t(faceVertex[i] - 1), ti = size_t(faceTexture[i] - 1);
        glTexCoord2f((uu[ti] - 0.5f) / c + 0.5f, flip == -1 ? 1 - vv[ti] : vv[ti]);
        glVertex3f(x[vi], y[vi], -z[vi]);
    }
    glEnd();
    glPopMatrix();
}

void SetupDistortionView(int width, int height) {
    GLProjection_cls p(width, height, 35, 0.03, 5000);
    p.perspective = 0;
    const double pos[3] = {0, -10, 0};
    const double second[3] = {0, 0, 0};
    const double dir[3] = {0, 1, 0};
    const double up[3] = {0, 0, 1};
    GLCamera_cls cam;
    cam.pose = GLCameraPose_cls(pos[0], pos[1], pos[2], second);
    cam.frame.SetDirUp(dir, up);
    const double origin[3] = {0, 0, 0};
    cam.SetPivot(origin);
    p.ApplyViewport();
    p.Apply(cam, 1);
    cam.LoadModelview(GL_MODELVIEW);
}
