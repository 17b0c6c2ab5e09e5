// POV-Ray controller: settings, file names, .ini file, scene text pieces, animation run and
// render runner.
#include "scene/PovRayCtrl.h"

#include <chrono>
#include <cmath>
#include <thread>
#include <cstdio>

#include <wx/intl.h>

#include "common/GLCamera.h"
#include "common/GLProjection.h"
#include "common/UserPattern.h"
#include "platform/FileNumbers.h"
#include "platform/ProgramPaths.h"
#include "platform/Trace.h"
#include "scene/PovFocalBlurSettings.h"
#include "scene/PovOutputSettings.h"
#include "scene/PovPhotonsSettings.h"
#include "scene/PovRadiositySettings.h"
#include "scene/PovRayHost.h"
#include "scene/PovRegionSettings.h"
#include "scene/PovSceneSources.h"
#include "scene/PovText.h"
#include "scene/PovTraceSettings.h"
#include "scene/ThreadPovRay.h"

PovRayCtrl_cls* GpPovRayCtrlSelf = nullptr;
PovRayCtrl_cls* GpPovRayCtrl = nullptr;

std::string PovRenderCommand_cls::Text() const {
    std::string s = program;
    for (const std::string& a : args) s += " " + a;
    return s;
}

PovRayCtrl_cls::PovRayCtrl_cls() {
    output = std::make_unique<PovOutputSettings_cls>(this);
    radiosity = std::make_unique<PovRadiositySettings_cls>(this);
    region = std::make_unique<PovRegionSettings_cls>(this);
    photons = std::make_unique<PovPhotonsSettings_cls>();
    trace = std::make_unique<PovTraceSettings_cls>(output.get());
    focalBlur = std::make_unique<PovFocalBlurSettings_cls>();
    SetDefaults();
    GpPovRayCtrlSelf = this;
}

PovRayCtrl_cls::~PovRayCtrl_cls() {
    StopRender();
    if (GpPovRayCtrlSelf == this) GpPovRayCtrlSelf = nullptr;
}

void PovRayCtrl_cls::SetDefaults() {
    snapshotNumber = 0;
    const std::string cwd = platform::WorkingDirectory();
    const wxString work = cwd.empty() ? wxString() : wxString::FromUTF8(cwd + "/POV");
    pathsGroup.Clear();
    pathsGroup.Register(&pathPovRay, "PathPovRay=", "/usr/bin/povray");
    pathsGroup.Register(&pathPovWork, "PathPovWork=", "");
    pathPovWork.text = work;
    pathsGroup.Register(&filePovSnap, "FilePovSnap=", "povsnap%04d");
    pathsGroup.Register(&filePovAnim, "FilePovAnim=", "povanim%04d");
    optionsGroup.Clear();
    povTweaks.SetRange(0, 1);
    optionsGroup.Register(&povTweaks, "PovTweaks=", "0");
    optionsGroup.Register(&useCommonSceneFile, "UseCommonSceneFile=", "1");
}

std::vector<ConfItemGroup_cls*> PovRayCtrl_cls::AllGroups() {
    return {&pathsGroup,      &optionsGroup,     &radiosity->items, &region->items,
            &photons->items,  &focalBlur->items, &output->items,    &trace->items};
}

bool PovRayCtrl_cls::ReadConfig(const wxString& line) {
    bool taken = pathsGroup.OfferLine(line);
    taken |= optionsGroup.OfferLine(line);
    taken |= radiosity->ReadText(line);
    taken |= region->ReadText(line);
    taken |= photons->ReadText(line);
    taken |= focalBlur->ReadText(line);
    taken |= output->ReadText(line);
    taken |= trace->ReadText(line);
    return taken;
}

wxString PovRayCtrl_cls::WriteConfig() const {
    return pathsGroup.WriteAll() + optionsGroup.WriteAll() + radiosity->WriteText() +
           region->WriteText() + photons->WriteText() + focalBlur->WriteText() +
           output->WriteText() + trace->WriteText();
}

wxString PovRayCtrl_cls::WritePathConfig() const {
    return pathPovRay.WriteLine() + pathPovWork.WriteLine();
}

void PovRayCtrl_cls::ReadControls() {
    if (host_) host_->ReadControls();
}

void PovRayCtrl_cls::UpdateBusyState() {
    if (host_) host_->UpdateBusyState();
}

wxString PovRayCtrl_cls::GetPathPrefix(bool absolute) const {
    return absolute ? pathPovWork.text + "/" : wxString("./");
}

wxString PovRayCtrl_cls::GetPovFileName(int kind, int number) {
    ReadControls();
    if (kind == FILE_COMMON)
        return output->fileAbsolute.value ? pathPovWork.text + "/CommonScene.pov" : wxString("CommonScene.pov");
    if (number == -1) number = kind == FILE_SNAPSHOT ? snapshotNumber : animCounter;
    const wxString& pattern = kind == FILE_SNAPSHOT ? filePovSnap.text : filePovAnim.text;
    bool ok = false;
    wxString name = UserPattern_cls::ExpandOne(pattern, number, &ok);
    if (!ok) {
        // A pattern that holds no single number still names distinct files.
        name << number;
    }
    return pathPovWork.text + "/" + name;
}

wxString PovRayCtrl_cls::MakeRelativePath(const wxString& path) const {
    const wxString prefix = pathPovWork.text + "/";
    if (!pathPovWork.text.empty() && path.StartsWith(prefix)) return path.Mid(prefix.length());
    return path;
}

bool PovRayCtrl_cls::WriteIni(const wxString& iniPath) {
    wxString text = output->IniText(iniPath) + radiosity->IniText();
    text << "#Initial_Frame=0\n#Final_Frame=10\n#Subset_Start_Frame=0\n#Subset_End_Frame=9\n";
    platform::MakeDirectories(pathPovWork.text.utf8_string());
    FILE* f = std::fopen(iniPath.utf8_string().c_str(), "wb");
    if (!f) return false;
    const std::string bytes = text.utf8_string();
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

wxString PovRayCtrl_cls::WriteGlobalSettings(const wxString& backgroundRGB) const {
    wxString s = "global_settings {\n";
    s << trace->PovGlobalText() << radiosity->PovGlobalText() << photons->PovGlobalText() << "}\n";
    s << "background {" << backgroundRGB << "}\n";
    return s;
}

wxString PovRayCtrl_cls::WriteCameraAngle(double angle, bool fisheye) {
    const wxString a = wxString(platform::FormatF(angle, 6));
    wxString s = "#declare CameraAngle=\n";
    if (fisheye) s << a;
    else s << "2 * 180 * atan2( tan (pi*" << a << "/360) * image_width / image_height, 1) / pi";
    s << ";\n#if (CameraAngle < 0)\n#declare CameraAngle = CameraAngle+180;\n#end\n\n";
    return s;
}

wxString PovRayCtrl_cls::WriteCamera(const PovViewCamera_cls& view) const {
    const GLCamera_cls& camera = view.camera;
    float location[3], lookAt[3], sky[3];
    const double reach = 2.0 * camera.PivotDistance();
    // POV-Ray's spherical camera turns its azimuth the other way round from the cameras
    // that take their handedness from `right`: with its sky pointing down (and the same
    // right vector) its picture comes out upright and unmirrored.
    const double skySign = view.type == POV_CAMERA_SPHERICAL ? -1.0 : 1.0;
    // An orthographic view also draws what lies behind its camera, up to its depth range;
    // POV-Ray's orthographic rays start at the location, so the location steps back that far
    // (the parallel rays show the same picture from there).
    const double back = view.type == POV_CAMERA_ORTHOGRAPHIC ? GLProjection_cls::kOrthoDepth : 0.0;
    for (int i = 0; i < 3; ++i) {
        location[i] = float(camera.pose.position[i] - back * camera.frame.direction[i]);
        lookAt[i] = float(camera.pose.position[i] + reach * camera.frame.direction[i]);
        sky[i] = float(skySign * camera.frame.up[i] + 0.0);  // no "-0" in the text
    }
    // A camera at its pivot would look at its own position, which POV-Ray cannot aim.
    if (reach <= 0.0)
        for (int i = 0; i < 3; ++i) lookAt[i] = float(camera.pose.position[i] + camera.frame.direction[i]);
    static const char* const kProjection[] = {"\tperspective", "\torthographic", "\tfisheye", "\tspherical"};
    const int type = view.type >= POV_CAMERA_PERSPECTIVE && view.type <= POV_CAMERA_SPHERICAL ? view.type : 0;
    wxString s = wxString("camera {\n") + kProjection[type] + "\n";
    s << PovVector3f("\tlocation", location, 5) << "\n";
    s << PovVector3f("\tlook_at", lookAt, 5) << "\n";
    s << PovVector3f("\tsky", sky, 8) << "\n";
    if (type == POV_CAMERA_ORTHOGRAPHIC) {
        // The size of the box the view shows, not an angle: POV-Ray would size an angle at
        // the look_at distance, which is not where the view's box is measured.
        const wxString h = wxString(platform::FormatF(view.orthoHeight > 0 ? view.orthoHeight : 1.0, 6));
        s << "\tright -x*" << h << "*image_width/image_height\n";
        s << "\tup y*" << h << "\n";
    } else if (type == POV_CAMERA_SPHERICAL) {
        // The band shows `angle` degrees per half view height, across and up alike; the
        // render spans as many degrees per pixel over its own width, at most all round.
        const wxString a2 = wxString(platform::FormatF(2.0 * view.angle, 6));
        s << "\tangle min(360, " << a2 << "*image_width/image_height), min(180, " << a2 << ")\n";
        s << "\tright -x*image_width/image_height\n";
    } else {
        s << "\tangle CameraAngle\n";
        s << "\tright -x*image_width/image_height\n";
    }
    s << focalBlur->PovCameraText(camera, view.pivot, 1.0);
    s << "}\n";
    return s;
}

wxString PovRayCtrl_cls::WrapObject(const wxString& name) const {
    const wxString tabs = objectIndent > 0 ? wxString(wxT('\t'), size_t(objectIndent)) : wxString();
    wxString s = tabs + "object {\n" + tabs + "\t" + name + "\n";
    if (!objectModifier.empty()) s << tabs << "\t" << objectModifier << "\n";
    s << tabs << "}\n";
    return s;
}

bool PovRayCtrl_cls::ToggleExportAnim(bool render) {
    ReadControls();
    animCounter = region->initial.value;
    commonWritten = 0;
    bgCommonWritten = 0;
    lastAnimFrame = lastAnimSub = -1;
    if (renderAfter) {
        // A rendering run stops whether it exports or renders its queue; one that was still
        // exporting had disabled the main frame.
        const bool wasExporting = exporting;
        exporting = false;
        renderAfter = false;
        renderQueue.clear();
        UpdateBusyState();
        if (wasExporting && host_) host_->EnableFrame(true);
        return false;
    }
    if (!exporting) {
        exporting = true;
        renderAfter = render;
        UpdateBusyState();
        if (host_) host_->EnableFrame(false);
        return true;
    }
    exporting = false;
    UpdateBusyState();
    if (host_) host_->EnableFrame(true);
    return false;
}

bool PovRayCtrl_cls::TakeAnimStep(int frame, int sub) {
    if (!exporting || (frame == lastAnimFrame && sub == lastAnimSub)) return false;
    lastAnimFrame = frame;
    lastAnimSub = sub;
    return true;
}

void PovRayCtrl_cls::OnExportRunEnd() {
    exporting = false;
    if (renderAfter) BuildRenderQueue();
    UpdateBusyState();
    if (host_) host_->EnableFrame(true);
}

int PovRayCtrl_cls::GetRenderRegion() const { return int(region->region.value); }
int PovRayCtrl_cls::GetRegionCustomMin() const { return region->customMin.value; }
int PovRayCtrl_cls::GetRegionCustomMax() const { return region->customMax.value; }

PovRenderCommand_cls PovRayCtrl_cls::MakeRenderCommand(const wxString& base) const {
    PovRenderCommand_cls c;
    c.program = pathPovRay.text.utf8_string();
    // POV-Ray runs in the work folder; it takes a blank in the name as the end of an option
    // and cannot open letters other than ASCII, so the .ini is named relative to the folder.
    c.args.push_back(MakeRelativePath(base + ".ini").utf8_string());
    if (!output->pauseWhenDone.value) c.args.push_back("-P");
    c.workDir = pathPovWork.text.utf8_string();
    return c;
}

void PovRayCtrl_cls::ReapThread() {
    if (!renderThread_) return;
    renderThread_->Wait();
    delete renderThread_;
    renderThread_ = nullptr;
}

void PovRayCtrl_cls::StartRender(const PovRenderCommand_cls& command) {
    ReapThread();
    auto* thread = new ThreadPovRay_cls;
    PovRayHost_cls* host = host_;
    renderIdle.store(false, std::memory_order_release);
    if (!thread->Start(command, &renderIdle, [host]() {
            if (host) host->RenderDone();
        })) {
        // No thread: run the renderer here rather than end the program.
        delete thread;
        const platform::ChildResult r = platform::RunChild(command.program, command.args, command.workDir);
        renderIdle.store(true, std::memory_order_release);
        if (!r.started || r.exitCode != 0) {
            failure_ = "POV-Ray failed";
        }
        if (host) host->RenderDone();
        return;
    }
    renderThread_ = thread;
    renderThread_->Run();
}

bool PovRayCtrl_cls::RenderSnap() {
    if (!IsRenderIdle()) return false;
    StartRender(MakeRenderCommand(GetPovFileName(FILE_SNAPSHOT)));
    UpdateBusyState();
    return true;
}

wxString PovRayCtrl_cls::SnapshotRefusal() const {
    if (IsRenderIdle() && !renderAfter) return wxString();
    return wxGetTranslation("POV-Ray is rendering. A snapshot is exported or rendered once the render has finished.");
}

void PovRayCtrl_cls::QueueAnimRender(int number) {
    renderQueue.push_back(MakeRenderCommand(GetPovFileName(FILE_ANIMATION, number)));
}

void PovRayCtrl_cls::BuildRenderQueue() {
    renderQueue.clear();
    const bool pause = output->pauseWhenDone.value;
    output->pauseWhenDone.value = false;
    for (int i = region->initial.value; i < animCounter; ++i) QueueAnimRender(i);
    output->pauseWhenDone.value = pause;
    animCounter = 0;
}

void PovRayCtrl_cls::RenderNextAnimFrame() {
    if (!renderAfter || exporting || !IsRenderIdle()) return;
    if (renderQueue.empty() || animCounter < 0 || size_t(animCounter) >= renderQueue.size()) {
        exporting = false;
        renderAfter = false;
        renderQueue.clear();
        UpdateBusyState();
        return;
    }
    StartRender(renderQueue[size_t(animCounter)]);
    ++animCounter;
    if (size_t(animCounter) >= renderQueue.size()) {
        exporting = false;
        renderAfter = false;
    }
    UpdateBusyState();
}

wxString PovRayCtrl_cls::TakeRenderFailure() {
    if (renderThread_ && IsRenderIdle()) {
        const platform::ChildResult r = renderThread_->Result();
        const std::string call = renderThread_->Command().Text();
        ReapThread();
        if (!r.started) failure_ = "POV-Ray could not be started (" + call + "): " + r.error;
        else if (r.exitCode != 0) {
            std::string last = r.output;
            while (!last.empty() && (last.back() == '\n' || last.back() == '\r')) last.pop_back();
            const size_t nl = last.rfind('\n');
            if (nl != std::string::npos) last = last.substr(nl + 1);
            failure_ = "POV-Ray ended with status " + std::to_string(r.exitCode) + " (" + call + ")" +
                       (last.empty() ? std::string() : ": " + last);
        }
    }
    const wxString text = wxString::FromUTF8(failure_);
    failure_.clear();
    return text;
}

void PovRayCtrl_cls::StopRender() {
    if (renderThread_) {
        // The thread may not have started the renderer yet when asked first: ask again until
        // it has returned, for two seconds at most. A renderer that ignores the request is
        // then ended outright, so that Quit never waits on it.
        for (int i = 0; i < 400 && !IsRenderIdle(); ++i) {
            renderThread_->Terminate();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        while (!IsRenderIdle()) {
            renderThread_->Kill();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ReapThread();
    }
    renderIdle.store(true, std::memory_order_release);
}
