// The GL side of scene objects: their placement on the matrix stack, their gizmo and their
// path.
#include <GL/gl.h>

#include "scene/SceneObj.h"
#include "view/ModeIcon.h"
#include "view/gui/TransformGizmo.h"

void SceneObj_cls::ApplyGLTransform() const {
    double m[16];
    PlacementMatrix(m);
    glMultMatrixd(m);
}

void SceneObj_cls::DrawGizmo() {
    TransformGizmo_cls* gizmo = GizmoForEditMode(GiItemEditMode);
    if (!gizmo) return;
    double mv[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    // Sized by the depth of the object itself, not of the world origin, so the gizmo keeps
    // its size on screen wherever the object stands.
    const double* p = transform.pose.position;
    const double depth = -(mv[2] * p[0] + mv[6] * p[1] + mv[10] * p[2] + mv[14]);
    const GLboolean depthWasOn = glIsEnabled(GL_DEPTH_TEST);
    glDisable(GL_DEPTH_TEST);
    // The rings show the object's own rotation: z ring by its yaw, y by its pitch, x by
    // its roll, as the Rotation values turn it.
    gizmo->Draw(transform, depth, transform, gizmoAxis);
    if (depthWasOn) glEnable(GL_DEPTH_TEST);
}

void SceneObj_cls::DrawPath() {
    if (!visible.value) return;
    const auto points = PathPoints();
    glColor4f(0.2f, 1, 0.2f, 1);
    glBegin(GL_POINTS);
    for (const auto& q : points) glVertex3d(q[0], q[1], q[2]);
    glEnd();
}
