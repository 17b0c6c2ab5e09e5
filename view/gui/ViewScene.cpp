// The views' scene passes.
#include "view/gui/ViewScene.h"

#include <GL/gl.h>

#include <cmath>

#include "data/DataSequence.h"
#include "data/DataSequenceSet.h"
#include "data/FrameSink.h"
#include "timeline/TimeCtrl.h"
#include "view/gui/InfoHover.h"
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
    : m_time(time), m_renderer(renderer), m_options(options) {}

ViewScene_cls::~ViewScene_cls() { Uninstall(); }

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
    RecordDrawnMatrices(view, args.subView);  // for the particle under the mouse
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
    seq->DrawFrame(request);
}
