// Object filters in the views: the solids with their material, and the wire outline of
// the pick pass.
#include "filters/gui/FilterObjectGL.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <vector>

#include "filters/FilterCtrl.h"
#include "filters/FilterObject.h"
#include "filters/gui/FilterRegionGL.h"
#include "platform/Trace.h"
#include "scene/PovText.h"
#include "timeline/ParamGroup.h"

namespace {

std::vector<double> ValuesOf(ParamGroup_cls* g, double t, double fill) {
    std::vector<double> v = g ? g->GetValues(t, -1) : std::vector<double>();
    v.resize(3, fill);
    return v;
}

void CubeWithNormals() {
    static const float n[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    glBegin(GL_QUADS);
    for (const auto& f : n) {
        glNormal3fv(f);
        // the four corners of face f, counter-clockwise seen from outside
        const int a = f[0] != 0 ? 0 : f[1] != 0 ? 1 : 2;
        const int b = (a + 1) % 3, c = (a + 2) % 3;
        const float s = f[a];
        const float uv[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (int k = 0; k < 4; ++k) {
            float p[3];
            p[a] = s;
            p[b] = uv[k][0];
            p[c] = s > 0 ? uv[k][1] : -uv[k][1];
            glVertex3fv(p);
        }
    }
    glEnd();
}

void Sphere() {
    GLUquadric* q = gluNewQuadric();
    gluQuadricNormals(q, GLU_SMOOTH);
    gluSphere(q, 1.0, 32, 16);
    gluDeleteQuadric(q);
}

// The placement of the scene object at t (translate, rotation, scale), the same matrix the
// POV-Ray transform text gives, so the views and the renders agree.
void PlaceByTRS(FilterData_cls& d, double t) {
    d.UpdateTransform(t);
    double m[16];
    d.PlacementMatrix(m);
    glMultMatrixd(m);
}

}  // namespace

void FilterObject_cls::Draw(const ObjectDrawContext& c) {
    FilterObjectData_cls* d = Data();
    if (!d->filterValid.value || !d->ShownByEye()) return;
    const unsigned type = d->objectType.value;
    if (type > OBJECT_IMPORT) return;
    if ((type == OBJECT_IMPORT) != (c.pass == 1)) return;
    if (type == OBJECT_IMPORT) {
        const std::string problem = d->LoadMesh(c.dataFrame);
        if (!problem.empty()) {
            platform::ReportError(problem);
            if (c.reportError) c.reportError(problem);
        }
        if (d->mesh.vertices.empty()) return;
    }
    if (c.useShader) c.useShader(d->texture.shaderType.value, c.shaderArg);
    glPushAttrib(GL_ENABLE_BIT | GL_LIGHTING_BIT | GL_COLOR_BUFFER_BIT | GL_POLYGON_BIT);
    glPushMatrix();
    MaterialColors_cls m;
    d->MaterialAt0(m);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, m.ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, m.diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m.specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 20.0f);
    glDisable(GL_COLOR_MATERIAL);
    glColor4fv(m.diffuse);  // for the unlit fixed pipeline
    PlaceByTRS(*d, c.time);
    glEnable(GL_NORMALIZE);
    switch (type) {
        case OBJECT_BOX:
            glScaled(0.5, 0.5, 0.5);
            if (c.drawCube) c.drawCube(); else CubeWithNormals();
            break;
        case OBJECT_PLANE:
            glScaled(0.5, 0.5, 0.5);
            glBegin(GL_QUADS);
            glNormal3f(0, 0, 1);
            glVertex3f(-1, -1, 0);
            glVertex3f(1, -1, 0);
            glVertex3f(1, 1, 0);
            glVertex3f(-1, 1, 0);
            glEnd();
            break;
        case OBJECT_SPHERE:
            glScaled(0.5, 0.5, 0.5);
            if (c.drawSphere) c.drawSphere(); else Sphere();
            break;
        default: {
            glDisable(GL_CULL_FACE);
            // the affine map: columns ArrayVector0, 1, 2 and the origin
            double a[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
            for (int col = 0; col < 3; ++col)
                for (int k = 0; k < 3; ++k) a[4 * col + k] = d->arrayVector[col].values[k];
            glMultMatrixd(a);
            d->mesh.DrawGL();
        }
    }
    glPopMatrix();
    glPopAttrib();
    if (c.stopShader) c.stopShader();
}

void FilterObject_cls::DrawOutline(double t) {
    FilterObjectData_cls* d = Data();
    if (!d->ShownByEye()) return;
    if (d->selected) {
        const std::vector<double> T = ValuesOf(d->translate, t, 0);
        for (int k = 0; k < 3; ++k) d->transform.pose.position[k] = T[k];
        d->DrawGizmo();
        glColor4f(0.8f, 0.7f, 0.3f, 1.0f);
    } else {
        glColor4f(0.3f, 0.8f, 0.3f, 1.0f);
    }
    glPushMatrix();
    PlaceByTRS(*d, t);
    DrawUnitCubeEdges();
    glPopMatrix();
}

void FilterCtrl_cls::DrawObjects(const ObjectDrawContext& context) {
    for (int i = 0; i < Count(); ++i)
        if (FilterBase_cls* f = GetNode(i); f->Kind() == FILTER_OBJECT) static_cast<FilterObject_cls*>(f)->Draw(context);
}
