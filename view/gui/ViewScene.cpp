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
#include "filters/ColorCurve.h"
#include "filters/FilterCopy.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterBG.h"
#include "filters/FilterDataBox.h"
#include "filters/FilterFog.h"
#include "filters/FilterStick.h"
#include "timeline/ParamGroup.h"
#include "filters/gui/FilterObjectGL.h"
#include "filters/gui/FilterRegionGL.h"
#include "scene/LightSRCCtrl.h"
#include "timeline/TimeCtrl.h"
#include "view/DepthSort.h"
#include "view/DrawOptions.h"
#include "view/ShadowVolume.h"
#include "view/ExposureSettings.h"
#include "view/TagList.h"
#include "view/gui/GLResources.h"
#include "view/gui/FBO.h"
#include "view/gui/GridDrawing.h"
#include "view/gui/PathItems.h"
#include "view/gui/SceneLists.h"
#include "view/gui/ScreenQuad.h"
#include "view/gui/SequenceRenderer.h"
#include "view/gui/ShaderProgram.h"
#include "view/IcoSphere.h"
#include "view/ParticleAttrib.h"
#include "view/ParticleRecord.h"
#include "view/Snap.h"

int GiDrawProgress = 100;
int GiDrawMode = 0;

std::string DrawProgressText(int mode, int progress) {
    if (progress == 100) return std::string();
    static const char* const kLabels[3] = {"Drawing ", "Shadow ", "Drawing LH"};
    const char* label = kLabels[(mode >= 0 && mode <= 2) ? mode : 0];
    return label + std::to_string(progress) + "%";
}

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
    // The views' context may be gone already: its GL objects went with it.
    if (m_lightBuffer) m_lightBuffer->created = false;
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

double GridStepForDistance(double d) {
    if (!(d > 0.001)) return 0.0001;
    double g = 0.001;
    while (g * 10 < d && g < 1e30) g *= 10;
    return g;
}

float PassLineWidth(float lineWidth, int width, bool offScreen) {
    if (!offScreen) return lineWidth / 3;
    const float scale = width == 256 ? 0.125f : width == 512 ? 0.25f : width == 1024 ? 0.5f : width == 4096 ? 2.0f : 1.0f;
    return lineWidth * scale;
}

ViewToggles TogglesOf(const MainGLCanvas_cls& view) {
    ViewToggles t;
    t.data = view.settings.showData.value;
    t.grid = view.settings.showGrid.value;
    t.items = view.settings.showItems.value;
    return t;
}

TagList_cls& ViewScene_cls::Tags(int view) {
    const int i = view < 0 ? 0 : view > 4 ? 4 : view;
    if (!m_tags[i]) m_tags[i] = std::make_unique<TagList_cls>();
    return *m_tags[i];
}

namespace {

/// The background: BGColor's constant colour (opaque), tinted by the first Fog filter of the
/// world list at scene time `t`, then every buffer cleared.
void ClearBackground(double t) {
    float c[3] = {0, 0, 0};
    if (GpBGColor) {
        const float* k = GpBGColor->ConstantColor();
        c[0] = k[0], c[1] = k[1], c[2] = k[2];
    }
    glClearColor(c[0], c[1], c[2], 1);
    if (FilterFog_cls* fog = GpFilterCtrls[2] ? GpFilterCtrls[2]->FindFog() : nullptr) fog->SetClearColor(t, c);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | GL_ACCUM_BUFFER_BIT);
}

/// The enabled BG filters of the world list at scene time `t`, behind everything.
void DrawBackgrounds(double t) {
    if (!GpFilterCtrls[2]) return;
    // Deleted backgrounds give their textures back here, where the context is current.
    GpFilterCtrls[2]->ReleaseRetiredGL();
    const std::vector<FilterBG_cls*> bgs = GpFilterCtrls[2]->GetEnabledBGs();
    if (bgs.empty()) return;
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_TEXTURE_BIT | GL_DEPTH_BUFFER_BIT |
                 GL_POLYGON_BIT);
    glMatrixMode(GL_MODELVIEW);
    for (FilterBG_cls* bg : bgs) bg->Draw(t);
    glPopAttrib();
}

/// GL fog of the first Fog filter of the world list at `t`; none without one.
void ApplyFog(double t) {
    glDisable(GL_FOG);
    if (FilterFog_cls* fog = GpFilterCtrls[2] ? GpFilterCtrls[2]->FindFog() : nullptr) fog->ApplyGLFog(t);
}

/// Stencil, depth and face state of a shadow-volume pass: the volumes count into the stencil
/// buffer without writing depth, and with `hideColour` without writing colour either (else
/// the volumes themselves show).
void BeginShadowVolumes(bool hideColour) {
    glEnable(GL_STENCIL_TEST);
    glStencilMask(0xFF);
    glDepthMask(GL_FALSE);
    glStencilFunc(GL_ALWAYS, 0, 0xFF);
    if (hideColour) glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDisable(GL_BLEND);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    GiDrawMode = 1;
}

}  // namespace

void ViewScene_cls::Draw(MainGLCanvas_cls& view, const SceneDrawArgs& args) {
    const ViewToggles show = m_toggles ? m_toggles(view) : TogglesOf(view);
    const GLCamera_cls& camera = *args.camera;
    // The pivot distance sizes the grid and the pivot marker.
    const double d = camera.PivotDistance();
    const double g = GridStepForDistance(d);
    TagList_cls& tags = Tags(args.view);
    if (args.subView == 0) tags.Clear();

    const double sceneTime = args.time;
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    ClearBackground(sceneTime);
    DrawBackgrounds(sceneTime);
    // The scene's lights take over once they exist; before, one default light shows the
    // particles' colours.
    LightSRCCtrl_cls* lights = GpLightSRCCtrl;
    const int k = ShadowLightCount(args);
    if (lights) {
        lights->UpdateTransforms(args.time);
        // With several shadow-casting lights the picture starts with the lights that cast
        // none; each caster adds its light outside its own shadows afterwards.
        if (k < 2) lights->ApplyGLLights(args.time);
        else lights->ApplyGLLightsForShadow(args.time, 0);
    } else {
        SetDefaultLights(camera);
    }
    glClear(GL_DEPTH_BUFFER_BIT);
    const float lineWidth = PassLineWidth(GoRenderConfig.lineWidth.value, args.width, args.offScreen);
    glLineWidth(lineWidth);
    DataPass(view, args, show, k);
    glLineWidth(lineWidth);
    ItemsPass(view, args, show, d, g, tags);
    // Labels last, over everything, at the size of the target drawn into.
    glDisable(GL_LIGHTING);
    glColor4f(1, 1, 1, 1);
    tags.Project();
    const int viewport[4] = {0, 0, args.width, args.height};
    tags.Draw(viewport);
    glPopAttrib();
    if (k > 1 && show.data) ShadowLightPasses(args);
    if (!args.offScreen) DirectModeWarnings(view);
}

void ViewScene_cls::ShadowLightPasses(const SceneDrawArgs& args) {
    LightSRCCtrl_cls* lights = GpLightSRCCtrl;
    DataSequence_cls* seq = GpDataSequenceSet ? GpDataSequenceSet->GetCurrent() : nullptr;
    FBO_cls* target = GpFBOPool ? GpFBOPool->Slot(args.subView) : nullptr;
    if (!lights || !seq || !m_renderer || seq->GetFrameCount() <= 0 || !target) return;
    const int w = args.width, h = args.height;
    if (!m_lightBuffer) m_lightBuffer = std::make_unique<FBO_cls>(w, h);
    m_lightBuffer->SetSize(w, h);
    m_lightBuffer->Allocate(true);
    if (!m_lightBuffer->created) return;
    // The sub-view's buffer is resumed after each light's buffer without being cleared.
    target->clearAll = false;
    for (int i = 0; i < lights->LightNumber() && i < LightSRCCtrl_cls::kLights; ++i) {
        if (!lights->Light(i).castShadow.value) continue;
        m_lightBuffer->Bind(true);
        // Each light's pass leaves its stencil and light state behind: the picture it is
        // added to (and the next light) start from the state before it.
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        ShadowLightPass(*seq, args, i);
        glPopAttrib();
        m_lightBuffer->Unbind();
        // Light i's part of the picture is added over it.
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        PushOrtho2D(w, h);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glEnable(GL_TEXTURE_2D);
        m_lightBuffer->BindTexture();
        glColor4f(1, 1, 1, 1);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0), glVertex2f(0, 0);
        glTexCoord2f(1, 0), glVertex2f(float(w), 0);
        glTexCoord2f(1, 1), glVertex2f(float(w), float(h));
        glTexCoord2f(0, 1), glVertex2f(0, float(h));
        glEnd();
        PopOrtho2D();
        glPopAttrib();
    }
}

void ViewScene_cls::ShadowLightPass(DataSequence_cls& seq, const SceneDrawArgs& args, int i) {
    LightSRCCtrl_cls* lights = GpLightSRCCtrl;
    const ViewDataTime now = CurrentDataTime();
    double t0 = 0, dt = 0;
    seq.GetFrameTimes(t0, dt, now.dataFrame, now.fraction);
    const double sceneTime = m_time ? m_time->GetNormalizedTime(-1, -1) : 0.0;
    FilterDataBoxData_cls* box = GpFilterCtrls[2] ? GpFilterCtrls[2]->GetEnabledDataBoxData() : nullptr;
    const bool objectsInBox = box && box->influence.value == 1;
    FrameDrawRequest request;
    request.frame = now.dataFrame;
    request.dt = dt;
    request.lightCount = 1;
    request.subView = std::max(1, args.subView);  // the particles of the main pass
    float position[4], angles[2];
    lights->GetLightVectors(args.time, position, angles, i, true, box);
    double away[3];
    ShadowVolume_cls::DirectionForAngles(angles[0], angles[1], away);
    for (int a = 0; a < 3; ++a) request.lightDirection[a] = float(away[a]);
    request.shadow[0] = angles[0];
    request.shadow[1] = angles[1];
    // Light i alone (the view matrix is loaded: the lights stand in the world); the
    // picture below holds the ambient light already.
    lights->ApplyOneGLLight(i, args.time);
    const float none[4] = {0, 0, 0, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
    glMatrixMode(GL_MODELVIEW);
    double viewMatrix[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, viewMatrix);
    FilterCtrl_cls* objects = GpFilterCtrls[1];
    // The grids (unlit) and the objects stand in front of what they hide in this light's
    // picture too; the objects follow the DataBox only when its influence is "All".
    auto drawGrids = [&]() {
        if (!objects) return;
        glPushAttrib(GL_ENABLE_BIT);
        glDisable(GL_LIGHTING);
        objects->DrawGrids(args.time, *args.camera, nullptr);
        glPopAttrib();
    };
    auto drawObjects = [&](int lightCount) {
        if (!objectsInBox) {
            glPushMatrix();
            glLoadMatrixd(viewMatrix);
        }
        DrawObjectPasses(*args.camera, t0 + dt, sceneTime, now.dataFrame, lightCount);
        if (!objectsInBox) glPopMatrix();
    };
    auto placeData = [&]() {
        glPushMatrix();
        if (box) {
            box->UpdateTransform(sceneTime);
            box->ApplyGLTransform();
        }
    };
    ApplyFog(args.time);
    glEnable(GL_DEPTH_TEST);
    drawGrids();
    glEnable(GL_LIGHTING);
    placeData();
    DrawCopies(seq, request, *args.camera, t0 + dt, now.dataFrame, false);
    drawObjects(1);
    glPopMatrix();
    // Its shadow volumes, then the shadowed places drawn again without any light.
    placeData();
    glStencilMask(0xFF);
    glClear(GL_STENCIL_BUFFER_BIT);
    BeginShadowVolumes(m_options->Shadow() == 1);
    glColor4f(1, 0.5f, 0.5f, 0.2f);
    FrameDrawRequest volumes = request;
    volumes.flag = true;
    volumes.lightCount = 0;
    DrawCopies(seq, volumes, *args.camera, t0 + dt, now.dataFrame, false);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glDisable(GL_CULL_FACE);
    glStencilMask(0);
    glStencilFunc(GL_LESS, 0, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glDepthFunc(GL_LEQUAL);
    ParticleAttrib_cls* const* attribs = m_renderer->Attribs(seq.index);
    if (attribs[0]->shaderType.value != 0 && GpShaderProgram && GpShaderProgram->enabled) {
        // Particles drawn by a shader are lit whatever the fixed lights say: the places in
        // this light's shadow are cleared to transparent black instead, so they add nothing.
        GpShaderProgram->Stop();
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        glDisable(GL_FOG);
        glDisable(GL_TEXTURE_2D);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(0, 1, 0, 1, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glColor4f(0, 0, 0, 0);
        glRectf(0, 0, 1, 1);
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        GiDrawMode = 0;
        return;
    }
    DisableGLLights();
    GiDrawMode = 2;
    ApplyFog(args.time);
    glPopMatrix();
    glColor4fv(none);
    drawGrids();
    placeData();
    FrameDrawRequest dark = request;
    dark.lightCount = 0;
    DrawCopies(seq, dark, *args.camera, t0 + dt, now.dataFrame, false);
    drawObjects(0);
    glPopMatrix();
    GiDrawMode = 0;
}

void ViewScene_cls::DirectModeWarnings(MainGLCanvas_cls& view) const {
    if (m_options && m_options->Shadow() != 0)
        view.message += "Direct Display Mode does not support shadow volume.\n";
    if (m_exposure && !m_exposure->IsNeutral()) view.message += "Direct Display Mode does not support exposure.\n";
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

int ViewScene_cls::ShadowLightCount(const SceneDrawArgs& args) const {
    // Shadow volumes need the stencil of the off-screen buffers: the window draws none.
    if (!args.offScreen || !m_options || m_options->Shadow() == 0 || !GpLightSRCCtrl) return 0;
    return GpLightSRCCtrl->CountShadowLights();
}

void ViewScene_cls::DataPass(MainGLCanvas_cls&, const SceneDrawArgs& args, const ViewToggles& show, int k) {
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    GiDrawMode = 0;
    ApplyFog(args.time);
    DataSequence_cls* seq = GpDataSequenceSet ? GpDataSequenceSet->GetCurrent() : nullptr;
    const bool particles = show.data && seq && m_renderer && seq->GetFrameCount() > 0;
    const ViewDataTime now = CurrentDataTime();
    double t0 = 0, dt = 0;
    if (particles) seq->GetFrameTimes(t0, dt, now.dataFrame, now.fraction);
    FrameDrawRequest request;
    request.frame = now.dataFrame;
    request.dt = dt;
    LightSRCCtrl_cls* lights = GpLightSRCCtrl;
    request.lightCount = lights ? lights->LightNumber() : 1;
    request.subView = args.subView;
    // The filters weight, place and repeat the data at the displayed time (scene time for
    // key-framed values, data time for the copies' shear).
    const double sceneTime = m_time ? m_time->GetNormalizedTime(-1, -1) : 0.0;
    if (particles) {
        m_renderer->SetEye(seq->index, args.camera->pose.position, args.camera->frame.direction);
        m_renderer->Renderer(seq->index).SetFilterTime(sceneTime);
    }
    FilterCtrl_cls* world = GpFilterCtrls[2];
    // An enabled DataBox places the particles: they are drawn in its frame, and the depth
    // sort sees the eye in that frame too.
    FilterDataBoxData_cls* box = world ? world->GetEnabledDataBoxData() : nullptr;
    if (lights) {
        // The shadows fall away from the first shadow-casting light, in the data's frame.
        float position[4], angles[2];
        lights->GetLightVectors(args.time, position, angles, lights->GetShadowLightIndex(), true, box);
        double away[3];
        ShadowVolume_cls::DirectionForAngles(angles[0], angles[1], away);
        for (int a = 0; a < 3; ++a) request.lightDirection[a] = float(away[a]);
        request.shadow[0] = angles[0];
        request.shadow[1] = angles[1];
    }
    SetSortTransform(box, sceneTime);
    glMatrixMode(GL_MODELVIEW);
    double viewMatrix[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, viewMatrix);
    glPushMatrix();
    if (box) {
        box->UpdateTransform(sceneTime);
        box->ApplyGLTransform();
    }
    if (particles) DrawCopies(*seq, request, *args.camera, t0 + dt, now.dataFrame);
    // Objects follow the DataBox only when its influence is "All".
    const bool objectsInBox = box && box->influence.value == 1;
    // The filter objects are drawn whatever ShowData says (it hides the particles only),
    // before the shadow volumes: they stand in the depth buffer the volumes are counted
    // against, and the shadows fall on them.
    if (objectsInBox) {
        DrawObjectPasses(*args.camera, t0 + dt, sceneTime, now.dataFrame);
    } else {
        glPushMatrix();
        glLoadMatrixd(viewMatrix);
        DrawObjectPasses(*args.camera, t0 + dt, sceneTime, now.dataFrame);
        glPopMatrix();
    }
    if (particles && k > 0)
        ShadowVolumePass(*seq, request, *args.camera, t0 + dt, now.dataFrame, viewMatrix, args.time, objectsInBox);
    if (show.items && objectsInBox && GpFilterCtrls[1]) DrawFilterRegions(*GpFilterCtrls[1], sceneTime);
    // The Boolean regions are in the data's own coordinates. The regions are scene items:
    // shown with the view's items (toggle I), as the lights and paths are.
    if (show.items && GpFilterCtrls[0]) {
        DrawFilterRegions(*GpFilterCtrls[0], sceneTime);
        DrawSelectedFilterGizmo(*GpFilterCtrls[0], sceneTime);
    }
    glPopMatrix();
    SetSortTransform(nullptr, sceneTime);
    if (show.items && world) {
        DrawFilterRegions(*world, sceneTime);
        DrawSelectedFilterGizmo(*world, sceneTime);
    }
    if (show.items && !objectsInBox && GpFilterCtrls[1]) DrawFilterRegions(*GpFilterCtrls[1], sceneTime);
}

void ViewScene_cls::DrawObjectPasses(const GLCamera_cls& camera, double dataTime, double sceneTime, int dataFrame,
                                     int lightCount) {
    FilterCtrl_cls* objects = GpFilterCtrls[1];
    if (!objects || !objects->HasEnabledObjectOrGrid()) return;
    ObjectDrawContext c;
    c.dataFrame = dataFrame;
    c.time = sceneTime;
    c.shaderArg = lightCount;
    c.useShader = [](unsigned type, int lights) {
        if (GpShaderProgram) GpShaderProgram->Use(int(type), lights);
    };
    c.stopShader = []() {
        if (GpShaderProgram) GpShaderProgram->Stop();
    };
    c.drawCube = []() { DrawCubeList(); };
    c.drawSphere = []() {
        if (!GpIcoSphere) GpIcoSphere = new IcoSphere_cls;
        GpIcoSphere->CallTextured(3);
    };
    if (m_reportMeshError) c.reportError = m_reportMeshError;
    // Meshes once per periodic copy inside its translation, then the solids once.
    c.pass = 1;
    FilterCopy_cls* copy = GpFilterCtrls[2] ? GpFilterCtrls[2]->FindCopy() : nullptr;
    if (copy) {
        float box[3][3] = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
        if (GpPeriodicBoundary)
            for (int a = 0; a < 3; ++a) {
                Vec3f e;
                GpPeriodicBoundary->GetImageOffset(e, a);
                box[a][0] = e.x, box[a][1] = e.y, box[a][2] = e.z;
            }
        for (const CopyOrderEntry_cls& entry : copy->SortCopies(camera.frame.direction, dataTime, box)) {
            const std::vector<float> shift = copy->GetCopyOffset(entry.copy, dataTime, box);
            glPushMatrix();
            if (shift.size() == 3) glTranslatef(shift[0], shift[1], shift[2]);
            objects->DrawObjects(c);
            glPopMatrix();
        }
    } else {
        objects->DrawObjects(c);
    }
    c.pass = 0;
    objects->DrawObjects(c);
}

void ViewScene_cls::ShadowVolumePass(DataSequence_cls& seq, const FrameDrawRequest& request,
                                     const GLCamera_cls& camera, double dataTime, int dataFrame,
                                     const double viewMatrix[16], double lightTime, bool objectsInBox) {
    // The volumes count into the stencil buffer; the Grid filters, the filter objects and
    // the particles are then drawn again where the count is above 0, lit as the shadowed
    // side sees the lights: the particles' shadows fall on all of them.
    glClear(GL_STENCIL_BUFFER_BIT);
    BeginShadowVolumes(m_options->Shadow() == 1);
    FrameDrawRequest volumes = request;
    volumes.flag = true;
    volumes.subView = std::max(1, request.subView);  // the particles just drawn
    DrawCopies(seq, volumes, camera, dataTime, dataFrame, false);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glDisable(GL_CULL_FACE);
    glStencilMask(0);
    glStencilFunc(GL_LESS, 0, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    // The same particles again at the same depths: they pass where they were seen, and
    // whatever stands in front of them (filter objects) keeps its place.
    GLint depthFunc = GL_LEQUAL;
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    glDepthFunc(GL_LEQUAL);
    GiDrawMode = 2;
    // The lights stand in the world: set under the view matrix, not the data's placement.
    glPushMatrix();
    glLoadMatrixd(viewMatrix);
    if (GpLightSRCCtrl) GpLightSRCCtrl->ApplyGLLightsForShadow(lightTime, 1);
    glPopMatrix();
    const double sceneTime = m_time ? m_time->GetNormalizedTime(-1, -1) : 0.0;
    if (GpFilterCtrls[1]) {
        // The grids and the objects outside the DataBox stand in the world.
        glPushMatrix();
        glLoadMatrixd(viewMatrix);
        glDisable(GL_LIGHTING);
        GpFilterCtrls[1]->DrawGrids(lightTime, camera, nullptr);  // labels are drawn once, by the items pass
        glEnable(GL_LIGHTING);
        if (!objectsInBox) DrawObjectPasses(camera, dataTime, sceneTime, dataFrame);
        glPopMatrix();
        if (objectsInBox) DrawObjectPasses(camera, dataTime, sceneTime, dataFrame);
    }
    glEnable(GL_LIGHTING);
    FrameDrawRequest lit = request;
    lit.subView = std::max(1, request.subView);
    DrawCopies(seq, lit, camera, dataTime, dataFrame, false);
    glDepthFunc(GLenum(depthFunc));
    GiDrawMode = 0;
    glStencilMask(0xFF);
    glDisable(GL_STENCIL_TEST);
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

void ViewScene_cls::DrawSticks(int mask, int dataFrame) {
    FilterCtrl_cls* list = GpFilterCtrls[1];
    if (!list) return;
    const std::vector<FilterStick_cls*> sticks = list->GetEnabledSticks();
    if (sticks.empty()) return;
    // The drawn frame in its draw order (the particles just drawn).
    StickFrame_cls frame;
    if (GpSnap) {
        frame.positions = GpSnap->positions;
        frame.types = GpSnap->type;
        frame.count = GpSnap->allocated ? GpSnap->count : 0;
        frame.time = GpSnap->time;
        frame.source = GpSnap->SourceGeneration();
        frame.stride = GpSnap->stride;
        frame.SetOrder(GpDrawOrder, GpDrawOrder ? size_t(std::max(0, GiDrawOrderCount)) : 0);
    }
    StickBox_cls box;
    if (GpPeriodicBoundary)
        for (int m = 0; m < 3; ++m) {
            for (int c = 0; c < 3; ++c) box.base[m][c] = GpPeriodicBoundary->baseVector[m].values[c];
            box.size[m] = GpPeriodicBoundary->periodicSize.values[m];
        }
    if (GpShaderProgram) GpShaderProgram->Stop();
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_LIGHTING_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT |
                 GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    for (FilterStick_cls* s : sticks) s->Draw(GpSnap ? &frame : nullptr, box, mask, dataFrame);
    glPopAttrib();
}

void ViewScene_cls::DrawCopies(DataSequence_cls& seq, const FrameDrawRequest& request, const GLCamera_cls& camera,
                               double dataTime, int dataFrame, bool sticks) {
    FilterCopy_cls* copy = GpFilterCtrls[2] ? GpFilterCtrls[2]->FindCopy() : nullptr;
    if (!copy) {
        seq.DrawFrame(request);
        if (sticks) DrawSticks(0, dataFrame);
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
        if (sticks) DrawSticks(copy->GetNeighbourMask(order[i].copy), dataFrame);
        glPopMatrix();
    }
}

void ViewScene_cls::ItemsPass(const MainGLCanvas_cls& view, const SceneDrawArgs& args, const ViewToggles& show, double d,
                             double g, TagList_cls& tags) {
    glPointSize(6);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_TRUE);
    glDisable(GL_TEXTURE_2D);
    if (show.grid) {
        glColor4f(0.3f, 0.3f, 0.3f, 1);
        DrawFloorGrid(g, 3);
    }
    if (show.items) DrawPathItems(view, false, args.time, d);
    // The light symbols, each under its pick name.
    if (show.items && GpLightSRCCtrl) GpLightSRCCtrl->DrawGL(false);
    // The Grid filters of the object list, with their labels, whatever ShowItems says:
    // they belong to the picture, not to the editing aids.
    if (GpFilterCtrls[1]) GpFilterCtrls[1]->DrawGrids(args.time, *args.camera, &tags);
    // The pivot marker: a small cross at the pivot, sized by the pivot distance.
    if (show.items) {
        const double* p = args.camera->pivot;
        glColor4f(0.2f, 1, 1, 1);
        glPushMatrix();
        glTranslated(p[0], p[1], p[2]);
        const double k = d * 0.02;
        glScaled(k, k, k);
        DrawCameraSymbol(2, 1.0, 0.0);
        glPopMatrix();
    }
}
