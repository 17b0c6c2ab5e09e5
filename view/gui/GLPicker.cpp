// Selection-mode picking.
#include "view/gui/GLPicker.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "filters/FilterBase.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterDataBox.h"
#include "filters/FilterData.h"
#include "scene/SceneObj.h"

GLPicker_cls GoGLPicker;

void GLPicker_cls::Begin(double x, double y, double size, const double modelview[16],
                         const double projection[16], const int viewport[4]) {
    pickX = float(x);
    pickY = float(y);
    hits.clear();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    GLint vp[4] = {viewport[0], viewport[1], viewport[2], viewport[3]};
    gluPickMatrix(x, y, size, size, vp);
    glMultMatrixd(projection);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadMatrixd(modelview);
    glSelectBuffer(kBufferSize, selection);
    glRenderMode(GL_SELECT);
    glInitNames();
    inSelect_ = true;
}

void GLPicker_cls::End() {
    if (!inSelect_) return;
    inSelect_ = false;
    const GLint n = glRenderMode(GL_RENDER);
    Decode(n, selection, kBufferSize);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void GLPicker_cls::Decode(int count, const unsigned* buffer, int used) {
    hits.clear();
    if (count <= 0) return;
    int at = 0;
    for (int r = 0; r < count; ++r) {
        // A record: name count, minimum and maximum depth, then the names.
        if (at + 3 > used) break;
        const unsigned names = buffer[at];
        if (names > unsigned(used - at - 3)) break;
        std::vector<int> list;
        for (unsigned i = 0; i < names; ++i) list.push_back(int(buffer[at + 3 + int(i)]));
        hits.push_back(std::move(list));
        at += 3 + int(names);
    }
    // A short read means the records did not fit: no hit is trusted then.
    if (int(hits.size()) != count) hits.clear();
}

int GLPicker_cls::FirstName() const {
    if (hits.empty() || hits[0].empty()) return -1;
    return hits[0][0];
}

int GLPicker_cls::SecondName() const {
    if (hits.empty() || hits[0].size() < 2) return -1;
    return hits[0][1];
}

namespace {

void DrawUnitBox() {
    static const float v[8][3] = {{-0.5f, -0.5f, -0.5f}, {0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, -0.5f},
                                  {-0.5f, 0.5f, -0.5f},  {-0.5f, -0.5f, 0.5f}, {0.5f, -0.5f, 0.5f},
                                  {0.5f, 0.5f, 0.5f},    {-0.5f, 0.5f, 0.5f}};
    static const int f[6][4] = {{0, 1, 2, 3}, {4, 5, 6, 7}, {0, 1, 5, 4},
                                {2, 3, 7, 6}, {1, 2, 6, 5}, {0, 3, 7, 4}};
    glBegin(GL_QUADS);
    for (const auto& q : f)
        for (int i : q) glVertex3fv(v[i]);
    glEnd();
}

}  // namespace

void DrawScenePickForms(double t, int request) {
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    // The Boolean regions are in the data's own coordinates: the views draw them inside the
    // first enabled DataBox's placement, and they are picked there too.
    FilterDataBoxData_cls* placement = GpFilterCtrls[2] ? GpFilterCtrls[2]->GetEnabledDataBoxData() : nullptr;
    for (int l = 0; l < 3 && request == 1; ++l) {
        FilterCtrl_cls* list = GpFilterCtrls[l];
        if (!list) continue;
        glPushMatrix();
        // The Object filters follow a DataBox whose influence is "All".
        const bool placed = l == 0 || (l == 1 && placement && placement->influence.value == 1);
        if (placed && placement) {
            placement->UpdateTransform(t);
            placement->ApplyGLTransform();
        }
        for (int i = 0; i < list->Count() && i < 20; ++i) {
            FilterBase_cls* f = list->GetNode(i);
            FilterData_cls* d = f ? f->GetData() : nullptr;
            if (!d || !d->translate) continue;
            if (f->Kind() != FILTER_BOOLEAN && f->Kind() != FILTER_DATABOX && f->Kind() != FILTER_OBJECT) continue;
            d->UpdateTransform(t);
            glPushName(GLuint(list->PickIdOf(i)));
            glPushMatrix();
            d->ApplyGLTransform();
            DrawUnitBox();
            glPopMatrix();
            glPopName();
        }
        glPopMatrix();
    }
    SceneObj_cls* s = request == 2 ? GpSelectedSceneObj : nullptr;
    if (s) {
        int id = s->pickId;
        bool inData = false;  // a visibility filter: its gizmo stands inside the placement
        for (int l = 0; l < 3; ++l)
            if (FilterCtrl_cls* list = GpFilterCtrls[l])
                for (int i = 0; i < list->Count() && i < 20; ++i)
                    if (list->GetNode(i) && list->GetNode(i)->GetData() == s) {
                        id = list->PickIdOf(i);
                        inData = l == 0 || (l == 1 && placement && placement->influence.value == 1);
                    }
        if (s->translate) {
            s->UpdateTransform(t);
            glPushMatrix();
            if (inData && placement && placement != s) {
                placement->UpdateTransform(t);
                placement->ApplyGLTransform();
            }
            glPushName(GLuint(id));
            s->DrawGizmo();
            glPopName();
            glPopMatrix();
        }
    }
    glPopAttrib();
}
