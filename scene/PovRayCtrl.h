// The POV-Ray controller: its paths and name patterns, the six settings groups, the file
// names of a snapshot and of an animation frame, the .ini file, the scene's own text pieces
// (global settings, camera, object instances), the animation run and the render runner.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include <wx/string.h>

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"
#include "scene/PovSerialize.h"

class GLCamera_cls;
class GLCameraPose_cls;
class PovFocalBlurSettings_cls;
class PovOutputSettings_cls;
class PovPhotonsSettings_cls;
class PovRadiositySettings_cls;
class PovRayHost_cls;
class PovRegionSettings_cls;
class PovTraceSettings_cls;
struct PovViewCamera_cls;
class ThreadPovRay_cls;
class TimeCtrl_cls;

/// One renderer call: the program (a path, or a bare name looked up on PATH), its
/// arguments, and the folder it runs in. No shell is involved.
struct PovRenderCommand_cls {
    std::string program;
    std::vector<std::string> args;
    std::string workDir;
    /// The call as one readable line (for messages and traces).
    std::string Text() const;
};

/// Created once by the central object, lives until it goes. GUI thread, except where said.
class PovRayCtrl_cls : public PovSerialize_cls {
public:
    /// File kinds of GetPovFileName.
    enum FileKind : int { FILE_SNAPSHOT = 0, FILE_ANIMATION = 1, FILE_COMMON = 2 };

    /// Builds the groups (output, radiosity, region, photons, trace, focal blur), sets the
    /// defaults and stores itself in GpPovRayCtrlSelf.
    PovRayCtrl_cls();
    /// Ends a running renderer and waits for its thread.
    ~PovRayCtrl_cls();
    PovRayCtrl_cls(const PovRayCtrl_cls&) = delete;
    PovRayCtrl_cls& operator=(const PovRayCtrl_cls&) = delete;

    /// The program around the controller (dialog fields, busy state, frame, completion).
    /// Null detaches it. Not owned.
    void SetHost(PovRayHost_cls* host) { host_ = host; }
    /// The time model used by the region page and the animation range. Not owned.
    void SetTimeCtrl(TimeCtrl_cls* time) { time_ = time; }
    TimeCtrl_cls* GetTimeCtrl() const { return time_; }

    // Settings ----------------------------------------------------------------------------
    /// Snapshot number 0, work folder "<current folder>/POV", and the path and option items
    /// back at their defaults. The six groups keep their values.
    void SetDefaults();
    /// Offers a configuration line to the paths, the options and the six groups.
    bool ReadConfig(const wxString& line);
    /// Lines of the paths, the options, radiosity, region, photons, focal blur, output and
    /// trace, in this order (project files).
    wxString WriteConfig() const;
    /// The "PathPovRay=" and "PathPovWork=" lines (every configuration file).
    wxString WritePathConfig() const;
    /// Every settings group of the controller, for the files' key listing.
    std::vector<ConfItemGroup_cls*> AllGroups();

    // File names ---------------------------------------------------------------------------
    /// Work folder + "/" (absolute) or "./".
    wxString GetPathPrefix(bool absolute) const;
    /// The base name (without extension) of a snapshot or an animation frame, number -1
    /// meaning the snapshot number or the animation counter; the common scene file's name
    /// ("CommonScene.pov", in the work folder with "PovFileAbsolute=" 1). The dialog's
    /// fields are taken first. A pattern without exactly one integer conversion is used
    /// with the number appended.
    wxString GetPovFileName(int kind, int number = -1);
    /// `path` relative to the work folder (unchanged when it is not inside it).
    wxString MakeRelativePath(const wxString& path) const;
    /// Writes the .ini file: output block, radiosity lines, four commented frame lines.
    bool WriteIni(const wxString& iniPath);

    // Scene text ---------------------------------------------------------------------------
    /// The global_settings block (trace, radiosity, photons) and the background statement
    /// with `backgroundRGB` ("rgb<r,g,b>").
    wxString WriteGlobalSettings(const wxString& backgroundRGB) const;
    /// The CameraAngle declaration for the view's vertical angle `angle` (degrees): the
    /// horizontal angle 2 atan(tan(a/2) w/h) that frames what the view shows, or the plain
    /// angle for a fisheye view.
    static wxString WriteCameraAngle(double angle, bool fisheye);
    /// The camera block of the view's camera, of the view's camera type, with focal blur.
    wxString WriteCamera(const PovViewCamera_cls& view) const;
    /// "object { name }" with objectIndent tabs and objectModifier inside.
    wxString WrapObject(const wxString& name) const;

    // Animation run ------------------------------------------------------------------------
    /// Starts or stops an animation run (see the run states); true when a run starts.
    bool ToggleExportAnim(bool render);
    /// The export of a run has ended: a rendering run builds its render queue.
    void OnExportRunEnd();
    /// The number of the next animation frame (animCounter + 1).
    void NextAnimFrame() { ++animCounter; }
    /// Whether the step (scene frame, sub-frame) a paint of the main view drew is still to
    /// be exported in this run; true once per step, false for every later paint of it (an
    /// uncovered or resized view paints its step again).
    bool TakeAnimStep(int frame, int sub);
    int GetRenderRegion() const;
    int GetRegionCustomMin() const;
    int GetRegionCustomMax() const;

    // Rendering ----------------------------------------------------------------------------
    /// The renderer call for base + ".ini": `<PathPovRay> <base>.ini`, with "-P" when the
    /// renderer is not to pause, run in the work folder; the .ini is named relative to it.
    PovRenderCommand_cls MakeRenderCommand(const wxString& base) const;
    /// Renders the snapshot's .ini; false (nothing started) while a render runs.
    bool RenderSnap();
    /// One command per exported frame, PovRenderAnimNinit to animCounter - 1.
    void BuildRenderQueue();
    void QueueAnimRender(int number);
    /// Idle step of a render queue: starts the next command once the last has returned.
    void RenderNextAnimFrame();
    /// True while no renderer runs.
    bool IsRenderIdle() const { return renderIdle.load(std::memory_order_acquire); }
    /// Why a snapshot may not be exported or rendered now, "" when it may: a running render
    /// or a render queue reads the scene, common and background files a snapshot export
    /// writes again.
    wxString SnapshotRefusal() const;
    /// The message of the last render that failed since the last call, or "" (GUI thread,
    /// after the completion). Clears it.
    wxString TakeRenderFailure();
    /// Ends a running renderer (Quit) and waits for its thread: asked to end (SIGTERM) for
    /// two seconds, then ended outright (SIGKILL).
    void StopRender();

    // Fields -------------------------------------------------------------------------------
    std::atomic<bool> renderIdle{true};      ///< false while a renderer runs
    std::vector<PovRenderCommand_cls> renderQueue;  ///< commands of an animation run
    int objectIndent = 0;                    ///< tabs before WrapObject's lines
    wxString objectModifier;                 ///< extra line inside WrapObject (a copy's translate)
    bool exporting = false;                  ///< an animation export run writes frames
    bool renderAfter = false;                ///< the run renders its frames afterwards
    ConfItemGroup_cls pathsGroup;
    ConfItemSTR_cls pathPovRay;              ///< "PathPovRay="
    ConfItemSTR_cls pathPovWork;             ///< "PathPovWork="
    ConfItemSTR_cls filePovSnap;             ///< "FilePovSnap="
    ConfItemSTR_cls filePovAnim;             ///< "FilePovAnim="
    ConfItemGroup_cls optionsGroup;
    ConfItemUINT_cls povTweaks;              ///< "PovTweaks=" 1 shows the advanced radiosity fields
    ConfItemBOOL_cls useCommonSceneFile;     ///< "UseCommonSceneFile="
    int snapshotNumber = 0;                  ///< number of the snapshot's name
    int animCounter = 0;                     ///< next animation frame; next command while rendering
    int lastAnimFrame = -1, lastAnimSub = -1;  ///< step exported last in this run (-1: none yet)
    int commonWritten = 0;                   ///< the common scene file was written in this run
    int bgCommonWritten = 0;                 ///< the BG filters wrote their common files in this run
    /// Set while a scene is written by a part that could not write a file of its own (a
    /// background's common file): "cannot write <path>: <reason>". The scene writer empties
    /// it before each scene and fails the export with it.
    std::string sceneFailure;
    /// What the parts left out of the scene being written, one line each (a texture or mesh
    /// path POV-Ray cannot open). Emptied before each scene; reported to the user.
    std::vector<std::string> sceneNotes;

    std::unique_ptr<PovOutputSettings_cls> output;
    std::unique_ptr<PovRadiositySettings_cls> radiosity;
    std::unique_ptr<PovRegionSettings_cls> region;
    std::unique_ptr<PovPhotonsSettings_cls> photons;
    std::unique_ptr<PovTraceSettings_cls> trace;
    std::unique_ptr<PovFocalBlurSettings_cls> focalBlur;

private:
    void ReadControls();
    void UpdateBusyState();
    void StartRender(const PovRenderCommand_cls& command);
    /// Joins a finished render thread.
    void ReapThread();

    PovRayHost_cls* host_ = nullptr;
    TimeCtrl_cls* time_ = nullptr;
    ThreadPovRay_cls* renderThread_ = nullptr;  ///< owned, joinable
    std::string failure_;  ///< message of the last failed render, until taken
};

/// The one controller; set by its constructor, null after its destructor.
extern PovRayCtrl_cls* GpPovRayCtrlSelf;
/// The controller as the central object publishes it (the mesh writer's way to it).
extern PovRayCtrl_cls* GpPovRayCtrl;
