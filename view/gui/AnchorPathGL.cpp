// The anchor as the views draw it: its cross, its gizmo and its path.
#include <GL/gl.h>

#include "scene/AnchorPath.h"
#include "view/gui/PathItems.h"
#include "view/gui/SceneLists.h"

void AnchorPath_cls::DrawGL(bool pickPass) {
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.2f, 1, 0.2f, 1);
    // At the origin the cross would sit on the pivot marker: it shows there only while the
    // anchor is selected.
    const double* p = transform.pose.position;
    if (selected || p[0] != 0 || p[1] != 0 || p[2] != 0) {
        glPushMatrix();
        ApplyGLTransform();
        if (pickPass) DrawSymbolPickForm(2, 0.2, 35);
        else DrawCameraSymbol(2, 0.2, 35);
        glPopMatrix();
    }
    if (selected && !dragged) {
        glPushMatrix();
        DrawGizmo();
        glPopMatrix();
        glColor4f(0.2f, 1, 0.2f, 1);
    }
    if (!pickPass) DrawPath();
}
