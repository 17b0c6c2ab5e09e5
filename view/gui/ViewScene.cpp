// The views' scene passes.
#include "view/gui/ViewScene.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "data/DataSequence.h"
#include "data/DataSequenceSet.h"
#include "data/FrameSink.h"
#include "common/Vec3.h"
#include "data/PeriodicBoundary.h"
#include "filters/FilterCopy.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterDataBox.h"
#include "timeline/ParamGroup.h"
#include "filters/gui/FilterRegionGL.h"
#include "timeline/TimeCtrl.h"
#include "view/gui/SequenceRenderer.h"

ViewDataTime SplitDataTime(double dataTime) {
    ViewDataTime d;
    if (!(dataTime > 0)) return d;  // negative or NaN: the first frame
    const double whole = std::floor(dataTime);
    d.dataFrame = whole > 2e9 ? 2000000000 : int(whole);
    d.fraction = dataTime - whole;
    return d;
}

ViewScene_cls::ViewScene_cls(TimeCtrl_cls* time, SequenceRenderer_cls* renderer, DrawOptions_cls* options)
    : m_time(time), m_renderer(renderer), m_options(options),
      m_filterOrder([]() { return GpFilterCtrls[0]; }) {
    if (m_renderer)
        for (int s = 0; s < SequenceRenderer_cls::kSequences; ++s) m_renderer->Renderer(s).SetFilter(&m_filterOrder);
}

ViewScene_cls::~ViewScene_cls() {
    Uninstall();
    if (m_renderer)
        for (int s = 0; s < SequenceRenderer_cls::kSequences; ++s) m_renderer->Renderer(s).SetFilter(nullptr);
}

void ViewScene_cls::Install() {
    MainGLCanvas_cls::SetProgramDrawer([this](MainGLCanvas_cls& view, const SceneDrawArgs& args) { Draw(view, args); });
    m_installed = true;
}

void ViewScene_cls::Uninstall() {
    if (!m_installed) return;
    MainGLCanvas_cls::SetProgramDrawer(nullptr);
    m_installed = false;
}

ViewDataTime ViewScene_cls::CurrentDataTime() const {
    return SplitDataTime(m_time ? m_time->GetDataTime(-1, -1) : 0.0);
}

void ViewScene_cls::Draw(MainGLCanvas_cls& view, const SceneDrawArgs& args) {
    SetDefaultLights(*args.camera);
    DataPass(view, args);
}

void ViewScene_cls::SetDefaultLights(const GLCamera_cls& camera) const {
    // Until the scene's own lights are applied, one white light shines from behind the
    // viewer, so lit spheres show their colours. Set with the view matrix loaded: the
    // direction is in model space.
    const double* d = camera.frame.direction;
    const GLfloat position[4] = {GLfloat(-d[0]), GLfloat(-d[1]), GLfloat(-d[2]), 0.0f};
    const GLfloat white[4] = {1, 1, 1, 1};
    const GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, white);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glEnable(GL_LIGHT0);
    for (GLenum l = GL_LIGHT1; l <= GL_LIGHT7; ++l) glDisable(l);
}

void ViewScene_cls::DataPass(MainGLCanvas_cls&, const SceneDrawArgs& args) {
    DataSequence_cls* seq = GpDataSequenceSet ? GpDataSequenceSet->GetCurrent() : nullptr;
    if (!seq || !m_renderer || seq->GetFrameCount() < 1) return;
    const ViewDataTime now = CurrentDataTime();
    double t0 = 0, dt = 0;
    seq->GetFrameTimes(t0, dt, now.dataFrame, now.fraction);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    m_renderer->SetEye(seq->index, args.camera->pose.position, args.camera->frame.direction);
    FrameDrawRequest request;
    request.frame = now.dataFrame;
    request.dt = dt;
    request.lightCount = 1;
    request.subView = args.subView;
    // The filters weight, place and repeat the data at the displayed time (scene time for
    // key-framed values, data time for the copies' shear).
    const double sceneTime = m_time ? m_time->GetNormalizedTime(-1, -1) : 0.0;
    m_renderer->Renderer(seq->index).SetFilterTime(sceneTime);
    FilterCtrl_cls* world = GpFilterCtrls[2];
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    if (FilterDataBoxData_cls* box = world ? world->GetEnabledDataBoxData() : nullptr) {
        box->UpdateTransform(sceneTime);
        double m[16];
        box->PlacementMatrix(m);
        glMultMatrixd(m);
    }
    DrawCopies(*seq, request, *args.camera, t0 + dt);
    // The Boolean regions are in the data's own coordinates.
    if (GpFilterCtrls[0]) {
        DrawFilterRegions(*GpFilterCtrls[0], sceneTime);
        DrawSelectedFilterGizmo(*GpFilterCtrls[0], sceneTime);
    }
    glPopMatrix();
    if (world) {
        DrawFilterRegions(*world, sceneTime);
        DrawSelectedFilterGizmo(*world, sceneTime);
    }
}

void ViewScene_cls::DrawSelectedFilterGizmo(FilterCtrl_cls& list, double sceneTime) {
    for (int i = 0; i < list.Count(); ++i) {
        FilterBase_cls* f = list.GetNode(i);
        FilterData_cls* d = f->GetData();
        if (!d->selected || !d->translate) continue;
        if (f->Kind() != FILTER_BOOLEAN && f->Kind() != FILTER_DATABOX) continue;
        if ((d->group && !d->group->visible) || (f->Kind() == FILTER_DATABOX && !d->filterValid.value)) continue;
        // The gizmo stands at the region's centre (Translate at the shown time).
        const std::vector<double> T = d->translate->GetValues(sceneTime, -1);
        for (int k = 0; k < 3 && k < int(T.size()); ++k) d->transform.pose.position[k] = T[k];
        d->DrawGizmo();
    }
}

void ViewScene_cls::DrawCopies(DataSequence_cls& seq, const FrameDrawRequest& request, const GLCamera_cls& camera,
                               double dataTime) {
    FilterCopy_cls* copy = GpFilterCtrls[2] ? GpFilterCtrls[2]->FindCopy() : nullptr;
    if (!copy) {
        seq.DrawFrame(request);
        return;
    }
    float box[3][3] = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    if (GpPeriodicBoundary)
        for (int a = 0; a < 3; ++a) {
            Vec3f e;
            GpPeriodicBoundary->GetImageOffset(e, a);
            box[a][0] = e.x, box[a][1] = e.y, box[a][2] = e.z;
        }
    const std::vector<CopyOrderEntry_cls> order = copy->SortCopies(camera.frame.direction, dataTime, box);
    for (size_t i = 0; i < order.size(); ++i) {
        const std::vector<float> shift = copy->GetCopyOffset(order[i].copy, dataTime, box);
        glPushMatrix();
        if (shift.size() == 3) glTranslatef(shift[0], shift[1], shift[2]);
        FrameDrawRequest r = request;
        // Every copy shows the same particles: the draw order of the first one is kept.
        if (i > 0) r.subView = std::max(1, request.subView);
        seq.DrawFrame(r);
        glPopMatrix();
    }
}
