// The program's side of the POV-Ray scene writer.
#include "app/gui/AppPovSources.h"

#include "app/gui/AppCore.h"
#include "app/gui/FrameMain.h"
#include "data/DataSequence.h"
#include "data/DataSequenceSet.h"
#include "data/PeriodicBoundary.h"
#include "filters/ColorCurve.h"
#include "filters/FilterCopy.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterDataBox.h"
#include "filters/FilterStick.h"
#include "filters/FilterFog.h"
#include "timeline/TimeCtrl.h"
#include "view/Snap.h"
#include "view/ViewCameras.h"
#include "view/ViewSettings.h"
#include "view/gui/GLResources.h"
#include "view/gui/MainGLCanvas.h"

namespace {

FilterCopy_cls* CopyFilter() { return GpFilterCtrls[2] ? GpFilterCtrls[2]->FindCopy() : nullptr; }

void PeriodicBox(float box[3][3]) {
    for (int a = 0; a < 3; ++a) {
        box[a][0] = box[a][1] = box[a][2] = 0;
        if (!GpPeriodicBoundary) continue;
        Vec3f e;
        GpPeriodicBoundary->GetImageOffset(e, a);
        box[a][0] = e.x, box[a][1] = e.y, box[a][2] = e.z;
    }
}

}  // namespace

wxString AppPovSources_cls::PovBackground() {
    return GpBGColor ? GpBGColor->PovRGB() : PovSceneSources_cls::PovBackground();
}

bool AppPovSources_cls::MainViewCamera(PovViewCamera_cls& out) {
    FrameMain_cls* frame = m_core->GetFrameMain();
    MainGLCanvas_cls* view = frame ? frame->GetMainView() : nullptr;
    if (!view) return false;
    // The view brought its camera up to the time when it painted last; an export follows a
    // paint (animation runs) or a menu command on a painted view. The scene is drawn with
    // that camera as the scene passes turn it: a fisheye view through the camera path is
    // pitched by the path's offset.
    out.camera = view->cameras.SceneCamera();
    GLCameraPose_cls::Copy(GoPivotPose, out.pivot);
    out.angle = view->cameras.ViewAngle(nullptr);
    // The geometry the view draws with: its composition (0 planar, 1 fisheye, 2 panorama),
    // and for a planar one the projection's own perspective flag.
    const int mode = view->cameras.GeometryMode();
    if (mode == 1) out.type = POV_CAMERA_FISHEYE;
    else if (mode == 2) out.type = POV_CAMERA_SPHERICAL;
    else out.type = view->cameras.Perspective() ? POV_CAMERA_PERSPECTIVE : POV_CAMERA_ORTHOGRAPHIC;
    double left, right, bottom, top;
    view->projection.OrthoBox(view->camera, left, right, bottom, top);
    out.orthoHeight = top - bottom;
    return true;
}

double AppPovSources_cls::NormalizedTime() {
    const TimeCtrl_cls* time = m_core->GetTimeCtrl();
    return time ? time->GetNormalizedTime(-1, 0) : 0.0;
}

int AppPovSources_cls::DataFrame() {
    const TimeCtrl_cls* time = m_core->GetTimeCtrl();
    return time ? time->GetDataFrame(-1) : 0;
}

int AppPovSources_cls::FrameCount() {
    const DataSequence_cls* seq = GpDataSequenceSet ? GpDataSequenceSet->GetCurrent() : nullptr;
    return seq ? seq->GetFrameCount() : 0;
}

double AppPovSources_cls::DataTime() {
    const TimeCtrl_cls* time = m_core->GetTimeCtrl();
    const DataSequence_cls* seq = GpDataSequenceSet ? GpDataSequenceSet->GetCurrent() : nullptr;
    if (!time || !seq) return 0.0;
    double t = 0, span = 0;
    seq->GetFrameTimes(t, span, time->GetDataFrame(-1), time->GetFrameFraction(-1, -1));
    return t;
}

bool AppPovSources_cls::WritePovParticles(wxString& out, PovRayCtrl_cls& ctrl, int frame) {
    if (writeParticles) return writeParticles(out, ctrl, frame);
    // The particles of the frame drawn last, as the current sequence hands them over.
    DataSequence_cls* seq = GpDataSequenceSet ? GpDataSequenceSet->GetCurrent() : nullptr;
    return seq && seq->WritePovParticles(out, frame, &m_particleProblem);
}

bool AppPovSources_cls::WritePovParticleFile(std::FILE* out, PovRayCtrl_cls& ctrl, int frame) {
    if (writeParticles) return PovSceneSources_cls::WritePovParticleFile(out, ctrl, frame);
    DataSequence_cls* seq = GpDataSequenceSet ? GpDataSequenceSet->GetCurrent() : nullptr;
    return seq && seq->WritePovParticleFile(out, frame, &m_particleProblem);
}

std::string AppPovSources_cls::TakeParticleProblem() {
    std::string problem;
    problem.swap(m_particleProblem);
    return problem;
}

wxString AppPovSources_cls::PovLights(double t) { return povLights ? povLights(t) : wxString(); }

int AppPovSources_cls::CountVisibleLights() { return countVisibleLights ? countVisibleLights() : -1; }

wxString AppPovSources_cls::PovFog(double t) { return povFog ? povFog(t) : wxString(); }

void AppPovSources_cls::PovBG(wxString& out, double t, PovRayCtrl_cls& ctrl) {
    if (povBG) povBG(out, t, ctrl);
}

bool AppPovSources_cls::HasEnabledDataBox() {
    return GpFilterCtrls[2] && GpFilterCtrls[2]->GetEnabledDataBoxData();
}

void AppPovSources_cls::DataBoxPovTransform(wxString& out, double t, int mode) {
    if (FilterDataBoxData_cls* box = GpFilterCtrls[2] ? GpFilterCtrls[2]->GetEnabledDataBoxData() : nullptr)
        box->PovTransform(out, t, mode);
}

int AppPovSources_cls::GetEnabledSticks() {
    if (enabledStickCount) return enabledStickCount();
    return GpFilterCtrls[1] ? int(GpFilterCtrls[1]->GetEnabledSticks().size()) : 0;
}

void AppPovSources_cls::PovSticks(wxString& out, int i) {
    if (povSticks) {
        povSticks(out, i);
        return;
    }
    if (!GpFilterCtrls[1]) return;
    const std::vector<FilterStick_cls*> sticks = GpFilterCtrls[1]->GetEnabledSticks();
    if (i >= 0 && size_t(i) < sticks.size()) sticks[size_t(i)]->PovMacroAndSticks(out, GpSnap ? GpSnap->positions : nullptr, i);
}

int AppPovSources_cls::CopyCount() {
    const FilterCopy_cls* copy = CopyFilter();
    return copy ? copy->GetCopyCount() : -1;
}

wxString AppPovSources_cls::CopyPovTranslate(int k, double time) {
    const FilterCopy_cls* copy = CopyFilter();
    if (!copy) return wxString();
    float box[3][3];
    PeriodicBox(box);
    return copy->PovTranslate(k, time, box);
}

int AppPovSources_cls::CopyNeighbourMask(int k) {
    const FilterCopy_cls* copy = CopyFilter();
    return copy ? copy->GetNeighbourMask(k) : 0;
}

wxString AppPovSources_cls::PovObjectDeclares() {
    if (povObjectDeclares) return povObjectDeclares();
    FilterCtrl_cls* list = GpFilterCtrls[1];
    if (!list) return wxString();
    // A normal pattern that calls f_ridged_mf does not parse without its include.
    wxString text = list->ObjectsUseFunctions() ? wxString("#include \"functions.inc\"\n") : wxString();
    return text + list->PovObjectDeclares();
}

bool AppPovSources_cls::HasEnabledObjectOrGrid() {
    if (hasEnabledObjectOrGrid) return hasEnabledObjectOrGrid();
    return GpFilterCtrls[1] && GpFilterCtrls[1]->HasEnabledObjectOrGrid();
}

void AppPovSources_cls::SetCopyTransform(const wxString& transform) {
    if (setCopyTransform) setCopyTransform(transform);
    else if (GpFilterCtrls[1]) GpFilterCtrls[1]->SetCopyTransform(transform);
}

void AppPovSources_cls::PovObjects(wxString& out, double t, int mode, int indent, const GLCamera_cls& camera) {
    if (povObjects) povObjects(out, t, mode, indent, camera);
    else if (GpFilterCtrls[1]) GpFilterCtrls[1]->PovObjects(out, t, mode, indent, camera);
}

void ConnectFilterPovText(AppPovSources_cls& sources) {
    // The World list's fog and backgrounds, the Object list's objects and grids.
    sources.povFog = [](double t) {
        FilterFog_cls* fog = GpFilterCtrls[2] ? GpFilterCtrls[2]->FindFog() : nullptr;
        return fog ? fog->PovFog(t) : wxString();
    };
    sources.povBG = [](wxString& out, double t, PovRayCtrl_cls& ctrl) {
        if (GpFilterCtrls[2]) GpFilterCtrls[2]->PovBG(out, t, ctrl);
    };
    sources.hasEnabledObjectOrGrid = [] { return GpFilterCtrls[1] && GpFilterCtrls[1]->HasEnabledObjectOrGrid(); };
    // The mesh declarations come from PovObjectDeclares itself, which also includes
    // "functions.inc" for a ridged normal: no override here.
    sources.setCopyTransform = [](const wxString& transform) {
        if (GpFilterCtrls[1]) GpFilterCtrls[1]->SetCopyTransform(transform);
    };
    sources.povObjects = [](wxString& out, double t, int mode, int indent, const GLCamera_cls& camera) {
        if (GpFilterCtrls[1]) GpFilterCtrls[1]->PovObjects(out, t, mode, indent, camera, GoRenderConfig.lineWidth.value);
    };
}
