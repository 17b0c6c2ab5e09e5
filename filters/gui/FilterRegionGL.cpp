// Wire boxes of the Boolean and DataBox filters.
#include "filters/gui/FilterRegionGL.h"

#include <GL/gl.h>

#include <vector>

#include "filters/FilterBoolean.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterDataBox.h"
#include "filters/FilterObject.h"
#include "timeline/ParamGroup.h"

namespace {

std::vector<double> ValuesOf(ParamGroup_cls* g, double t) {
    std::vector<double> v = g ? g->GetValues(t, -1) : std::vector<double>();
    v.resize(3, 0.0);
    return v;
}


void Colour(const FilterData_cls& d) {
    if (d.selected)
        glColor4f(0.8f, 0.7f, 0.3f, 1.0f);
    else
        glColor4f(0.3f, 0.8f, 0.3f, 1.0f);
}

// Translate, rotations z then x then y (degrees), scale.
void PlaceBox(FilterData_cls& d, double t) {
    const std::vector<double> T = ValuesOf(d.translate, t), R = ValuesOf(d.rotation, t),
                              S = ValuesOf(d.scale, t);
    glTranslated(T[0], T[1], T[2]);
    glRotated(R[2], 0, 0, 1);
    glRotated(R[0], 1, 0, 0);
    glRotated(R[1], 0, 1, 0);
    glScaled(S[0], S[1], S[2]);
}

void DrawBoolean(FilterBooleanData_cls& d, double t) {
    // A disabled Boolean filter still shows where its region is.
    if (d.group && !d.group->visible) return;
    Colour(d);
    glPushMatrix();
    PlaceBox(d, t);
    DrawUnitCubeEdges();
    glPopMatrix();
}

void DrawDataBox(FilterDataBoxData_cls& d, double t) {
    if ((d.group && !d.group->visible) || !d.filterValid.value) return;
    Colour(d);
    glPushMatrix();
    // The box is drawn with the very placement the particles are drawn with (rotation
    // order, anchor, drag and scale), so it frames the data whatever the rotation. In the
    // box's own (scaled) coordinates its centre is the anchor.
    d.UpdateTransform(t);
    double m[16];
    d.PlacementMatrix(m);
    glMultMatrixd(m);
    const std::vector<double> A = ValuesOf(d.anchor, t), S = ValuesOf(d.scale, t);
    auto own = [](double a, double s) { return s != 0.0 ? a / s : 0.0; };
    glTranslated(own(A[0], S[0]), own(A[1], S[1]), own(A[2], S[2]));
    DrawUnitCubeEdges();
    glBegin(GL_LINES);
    glVertex3f(-0.1f, 0, 0);
    glVertex3f(0.1f, 0, 0);
    glVertex3f(0, -0.1f, 0);
    glVertex3f(0, 0.1f, 0);
    glVertex3f(0, 0, -0.1f);
    glVertex3f(0, 0, 0.1f);
    glEnd();
    glPopMatrix();
}

}  // namespace

void DrawFilterRegions(FilterCtrl_cls& list, double t) {
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    for (int i = 0; i < list.Count(); ++i) {
        FilterBase_cls* f = list.GetNode(i);
        glPushName(static_cast<GLuint>(list.PickIdOf(i)));
        if (f->Kind() == FILTER_BOOLEAN)
            DrawBoolean(*static_cast<FilterBooleanData_cls*>(f->GetData()), t);
        else if (f->Kind() == FILTER_DATABOX)
            DrawDataBox(*static_cast<FilterDataBoxData_cls*>(f->GetData()), t);
        else if (f->Kind() == FILTER_OBJECT)
            static_cast<FilterObject_cls*>(f)->DrawOutline(t);
        glPopName();
    }
    glPopAttrib();
}

void DrawUnitCubeEdges() {
    glBegin(GL_LINES);
    for (float x : {-0.5f, 0.5f})
        for (float y : {-0.5f, 0.5f}) {
            glVertex3f(x, y, -0.5f);
            glVertex3f(x, y, 0.5f);
        }
    glEnd();
    for (float z : {-0.5f, 0.5f}) {
        glBegin(GL_LINE_LOOP);
        glVertex3f(-0.5f, -0.5f, z);
        glVertex3f(0.5f, -0.5f, z);
        glVertex3f(0.5f, 0.5f, z);
        glVertex3f(-0.5f, 0.5f, z);
        glEnd();
    }
}
