// The GL side of the gizmo drag: reading the matrices of a draw and the guide line.
#include <GL/gl.h>

#include "view/ItemDrag.h"

void ItemDrag_cls::RecordMatrices() {
    double mv[16], pr[16];
    int vp[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    glGetIntegerv(GL_VIEWPORT, vp);
    SetMatrices(mv, pr, vp);
}

void ItemDrag_cls::DrawGuideLine(int mode, int axis, int viewW, int viewH, int targetW, int targetH) const {
    if (mode == 0 || (mode == 2 && (axis < 0 || axis > 2))) return;
    if (viewW < 1 || viewH < 1 || targetW < 1 || targetH < 1) return;
    static const float kColours[4][4] = {
        {0.8f, 0.8f, 0.8f, 1}, {1, 0.3f, 0.3f, 1}, {0.2f, 1, 0.2f, 1}, {0.2f, 0.2f, 1, 1}};
    const float* c = kColours[(axis >= 0 && axis <= 2) ? axis + 1 : 0];
    const double sx = double(targetW) / viewW, sy = double(targetH) / viewH;
    // Both ends in window pixels of the view, scaled to the target.
    const int x0 = int(startWindow[0] * sx), y0 = int(startWindow[1] * sy);
    const double x1 = (move.x1 * 0.5 + 0.5) * targetW, y1 = (move.y1 * 0.5 + 0.5) * targetH;
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_VIEWPORT_BIT | GL_CURRENT_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(1, 0xF0F0);
    glViewport(0, 0, targetW, targetH);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, targetW, 0, targetH, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glColor4fv(c);
    glBegin(GL_LINES);
    glVertex2d(x0, y0);
    glVertex2d(x1, y1);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}
