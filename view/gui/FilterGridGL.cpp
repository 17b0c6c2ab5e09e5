// The GL side of the Grid filter: each grid under its own transform, and the object list's
// grid pass.
#include <GL/gl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "common/GLCamera.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterGrid.h"
#include "timeline/ParamGroup.h"
#include "view/IcoSphere.h"
#include "view/gui/GridDrawing.h"
#include "view/gui/SceneLists.h"

namespace {

void Values3(ParamGroup_cls* g, double t, double fallback, double out[3]) {
    const std::vector<double> v = g ? g->GetValues(t, 0) : std::vector<double>();
    for (int k = 0; k < 3; ++k) out[k] = k < int(v.size()) ? v[size_t(k)] : fallback;
}

}  // namespace

void FilterGrid_cls::DrawGL(double t, const GLCamera_cls& camera, TagList_cls* tags) {
    FilterGridData_cls* d = Data();
    if (!d->filterValid.value || !d->ShownByEye()) return;
    double T[3], R[3], S[3];
    Values3(d->translate, t, 0.0, T);
    Values3(d->rotation, t, 0.0, R);
    Values3(d->scale, t, 1.0, S);
    float colour[4];
    d->LineColor(colour);
    glPushMatrix();
    glPushAttrib(GL_ENABLE_BIT | GL_POLYGON_BIT | GL_CURRENT_BIT);
    glTranslatef(float(T[0]), float(T[1]), float(T[2]));
    glColor4fv(colour);
    glRotatef(float(R[2]), 0, 0, 1);
    glRotatef(float(R[0]), 1, 0, 0);
    glRotatef(float(R[1]), 0, 1, 0);
    glScalef(float(S[0]), float(S[1]), float(S[2]));
    glEnable(GL_NORMALIZE);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    TagList_cls* labels = d->gridCoord.value ? tags : nullptr;
    double a = d->gridMin.value, b = d->gridMax.value;
    // A reversed range spans the same two ends, and a cube shows its far faces either way.
    if (b < a) std::swap(a, b);
    const int n = std::min(d->gridLineNum.value, kGridMaxDivisions);
    switch (d->gridType.value) {
        case 0: DrawGridPlaneXY(a, b, n, 0, labels); break;
        case 1: DrawGridPlaneYZ(a, b, n, 0, labels); break;
        case 2: DrawGridPlaneXZ(a, b, n, 0, labels); break;
        case 3: {
            GLCamera_cls own = camera;
            DrawGridBox(a, b, n, own, labels);
            break;
        }
        case 4: DrawScaleRings(a, b, n, labels); break;
        case 5:
            // The sphere as a grid: the icosphere's edges.
            if (!GpIcoSphere) GpIcoSphere = new IcoSphere_cls;
            glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
            GpIcoSphere->CallTextured(3);
            break;
        default: break;
    }
    glPopAttrib();
    glPopMatrix();
}

void FilterCtrl_cls::DrawGrids(double t, const GLCamera_cls& camera, TagList_cls* tags) {
    for (int i = 0; i < Count(); ++i) {
        FilterBase_cls* f = GetNode(i);
        if (f->Kind() == FILTER_GRID) static_cast<FilterGrid_cls*>(f)->DrawGL(t, camera, tags);
    }
}
