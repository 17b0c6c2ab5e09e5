// The camera path as the views draw it: its symbol at the placement, its gizmo and its path.
#include <GL/gl.h>

#include "scene/CameraPath.h"
#include "view/gui/PathItems.h"
#include "view/gui/SceneLists.h"

void CameraPath_cls::DrawGL(bool pickPass) {
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.2f, 1, 0.2f, 1);
    glPushMatrix();
    ApplyGLTransform();
    // A path camera with fisheye geometry shows the cone; every other geometry the frustum.
    const int kind = geometry.value == 2 ? 1 : 0;
    if (pickPass) DrawSymbolPickForm(kind, 0.2, vAngle.value);
    else DrawCameraSymbol(kind, 0.2, vAngle.value);
    glPopMatrix();
    if (selected && !dragged) {
        glPushMatrix();
        DrawGizmo();
        glPopMatrix();
        glColor4f(0.2f, 1, 0.2f, 1);
    }
    if (!pickPass) DrawPath();
}
