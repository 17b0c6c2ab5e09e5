// The central object, the program's composition root: creates every long-lived model,
// settings object and controller and the main frame, owns them in dependency order, wires
// each into the section registry of the settings files and the selection services, and
// reads the configuration file at start.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/CommandLoadData.h"
#include "app/ConfigSections.h"
#include "app/FrameGeometry.h"
#include "app/SettingsFiles.h"
#include "filters/FilterParamRegistry.h"
#include "timeline/TimeCtrlHost.h"
#include "timeline/gui/TimelineHost.h"

class FilterBase_cls;
class FilterCtrl_cls;
class CameraPath_cls;
class AnchorPath_cls;
class SceneObj_cls;
class FrameMain_cls;
class TimeCtrl_cls;
class ImgSequence_cls;
class StereoGram_cls;
class StereoGramControl_cls;
class LightSRCCtrl_cls;
class LightSRCGUICtrl_cls;
class SceneObj_cls;
class ColorCurveCtrl_cls;
class CameraPathCtrl_cls;
class ColorCurveCtrl_cls;
class FilterValueTarget_cls;
class TexProperty_cls;
class TexPropertyCtrl_cls;
class PeriodicBoundaryControl_cls;
class DrawOptions_cls;
class ExposureSettings_cls;
class InfoSettings_cls;
class OverlaySettings_cls;
class MenuCommandPoster_cls;
class SequenceRenderer_cls;
class ViewScene_cls;
class PovRayCtrl_cls;
class PovSceneWriter_cls;
class AppPovSources_cls;
class AppPovHost_cls;
class PovRayGUI_cls;
class SceneSelection_cls;
class Preference_cls;
class PeriodicBoundary_cls;
class DataLoader_cls;
class DataExporter_cls;
class DataSequenceSet_cls;

/// Deleter of an object that is also published through a global pointer `*global`: the
/// global is cleared just before the object goes.
template <class T>
struct PublishedDeleter {
    T** global = nullptr;
    void operator()(T* object) const {
        if (global && *global == object) *global = nullptr;
        delete object;
    }
};

class AppCore_cls : public DataLoadTarget_cls {
public:
    /// Builds everything and reads the configuration file `configPath` (default: the
    /// program's configuration file, platform::ConfigFilePath()). The main frame opens on
    /// `screenArea` (a display's usable area in pixels; default: the primary display's).
    /// Sets GpAppCore first. GUI thread.
    explicit AppCore_cls(const std::string& configPath = std::string(),
                         const FrameRect* screenArea = nullptr);
    /// A frame still open is destroyed first (after the workers end); then the program-wide
    /// seams are detached and the owned objects go in reverse order of their members.
    ~AppCore_cls() override;
    AppCore_cls(const AppCore_cls&) = delete;
    AppCore_cls& operator=(const AppCore_cls&) = delete;

    /// The main frame, or null once it has been destroyed.
    FrameMain_cls* GetFrameMain() const { return m_frame; }
    /// Called by the frame's destructor: forgets the frame.
    void FrameDestroyed(FrameMain_cls* frame);
    /// Size of the primary display in pixels, taken at construction.
    int DisplayWidth() const { return m_displayWidth; }
    int DisplayHeight() const { return m_displayHeight; }
    /// The usable area of the display the frame opened on (without task bars), in pixels.
    const FrameRect& ScreenArea() const { return m_screenArea; }

    // Files ---------------------------------------------------------------------------
    // Through the settings files (SettingsFiles_cls): a file that cannot be read shows
    // "Warning" / "Read Configure Fails" + path.
    const std::string& ConfigPath() const { return m_files.ConfigPath(); }
    void ReadConfig(const std::string& path) { m_files.Read(path); }
    bool IsProgramLine(const std::string& line) const { return m_files.IsProgramLine(line); }
    void ReadConfigLines(const std::vector<std::string>& lines) { m_files.ReadLines(lines); }
    /// A project path becomes "LastOpenedFilePTP=" first; a failed write restores it.
    bool WriteConfig(const std::string& path, bool full, std::string* error = nullptr) {
        return m_files.Write(path, full, error);
    }
    /// The configuration file at Quit (program-wide rows only).
    bool WriteConfigFile(std::string* error = nullptr) { return m_files.WriteConfigFile(error); }
    /// Before a project is read: the time model goes to frame 0, the current data and the
    /// filters are released.
    void PrepareForProject();
    /// After a project was read: panels, pages and the scene dialogs refresh from the new
    /// settings.
    void AfterProjectRead();
    /// Every dialog bound to scene objects (lights, view and camera, stereogram, colour
    /// curve, texture, POV-Ray) refills from what the scene holds now, shown or hidden.
    void RefreshSceneDialogs();
    /// The section registry; each owner plugs its reader and writer in at its place.
    ConfigSections_cls& Sections() { return m_files.Sections(); }

    // Particle data --------------------------------------------------------------------
    /// Undoable load of the numbered sequence whose first file is `path`: one undo step
    /// brings the previous data back, one redo loads `path` again.
    void LoadData(const wxString& path);
    /// Undoable close of the particle data.
    void CloseData();
    /// The current sequence takes the file list of `path`, the time model's last frame
    /// follows its frame count and the views redraw. A path that names no readable file
    /// leaves an empty sequence and says so in a message.
    void LoadFileSequence(const wxString& path) override;
    /// Waits for the reader and interpolator, releases every frame of the current
    /// sequence (times and names too) and the drawable frame.
    void ClearData() override;
    /// Frame `i` (clamped to the last) of the current sequence has its body in.
    bool IsFrameLoaded(int i) const;
    /// Frame `i` with interpolation `fraction` can be shown (the time model's sampling
    /// flag asks for the rates too).
    bool IsFrameReady(int i, double fraction) const;
    /// Memory of the current sequence's frames and its limit, in MB; MB per loaded frame,
    /// or -1 when none is loaded.
    int GetMemoryUsed() const;
    int GetMemoryLimit() const;
    int GetMemoryPerFrame() const;

    // Edits ---------------------------------------------------------------------------
    /// One history step back or forward; the scene dialogs follow (RefreshSceneDialogs).
    void Undo();
    void Redo();

    // Filters and selection (the selection calls go to SceneSelection_cls) ----------------
    /// Filter list `i` (0..2; null outside).
    FilterCtrl_cls* GetFilterCtrl(int i) const { return i >= 0 && i < 3 ? m_filterCtrls[i] : nullptr; }
    /// One "AddFilter" history block: a filter of `kind` appended to `list` (its own
    /// list when `list` is null), its Scale keyed to (1, 1, 1) at the current time.
    /// Returns the new filter, or null for a kind that is not built.
    FilterBase_cls* AddFilter(FilterCtrl_cls* list, int kind);
    /// Undoable deletion of the selected filter of each list.
    void DeleteSelectedFilter();
    /// Every filter of every list goes (not undoable; before a project is read).
    void DeleteAllFilters();
    /// Undoable move of the selected filter by `direction` (-1 up, +1 down).
    void MoveSelectedFilter(int direction);
    /// Selects `filter` (null: none) in all three lists; its data (or nothing) becomes the
    /// selected scene object. When anything changed the views redraw, and
    /// `clearParamSelection` also clears the parameter panel's selection.
    void SelectFilter(FilterBase_cls* filter, bool clearParamSelection);
    /// The selected filter of any list, or null.
    FilterBase_cls* SelectedFilter() const;

    // Selection by pick id (0 camera path, 1 anchor, 10..16 lights, 20 + 20 * list +
    // index filters). An id that names nothing existing selects nothing.
    void SelectFilterById(int id, bool clearParamSelection);
    void SelectLightById(int id);
    /// Selects the parameter group of the scene object with pick id `id` (0 the camera path,
    /// 1 the anchor, 10 + i light i through the scene-object finder) and makes that object
    /// the selected scene object; every other owner is unselected. Returns the object, or
    /// null (and no selected scene object) when the id names nothing. Selecting the object
    /// that is selected already keeps it selected.
    SceneObj_cls* SelectParamsById(int id);
    /// "Export Path to Clipboard (.pov)": the camera path (and, when the camera looks at
    /// the anchor, the anchor) as POV-Ray text with the camera template, put on the
    /// clipboard as plain text. A template that cannot be read is reported and left out.
    void CopyPathToClipboard();
    /// What a click bound to "Item Selection" does with the first pick name under it:
    /// below 20 no filter and the scene object of that id; 20 and above that filter. -1
    /// changes nothing.
    void SelectByPickName(int name);

    /// Parameters and colour curves of the filters of the three lists, by registry name or
    /// address: the undo commands' road to them.
    ParamRegistry_cls& ParamRegistry() { return m_paramRegistry; }

    /// The time model (owned).
    TimeCtrl_cls* GetTimeCtrl() const { return m_timeCtrl.get(); }
    /// The image-sequence controller (owned).
    ImgSequence_cls* GetImgSequence() const { return m_imgSequence.get(); }
    /// The stereogram settings (owned; GpStereoGram) and their dialog's controller (owned).
    StereoGram_cls* GetStereoGram() const { return m_stereo.get(); }
    StereoGramControl_cls* GetStereoControl() const { return m_stereoControl.get(); }
    LightSRCCtrl_cls* GetLights() const { return m_lights.get(); }
    /// The light editor's controller (owned).
    LightSRCGUICtrl_cls* GetLightEditor() const { return m_lightEditor.get(); }
    CameraPathCtrl_cls* GetCameraControl() const { return m_cameraControl.get(); }
    /// The colour-curve editor's controller (owned; GpColorCurveCtrl).
    ColorCurveCtrl_cls* GetColorCurveControl() const { return m_colorCurveControl.get(); }
    /// The texture editor's controller (owned).
    TexPropertyCtrl_cls* GetTextureControl() const { return m_textureControl.get(); }
    /// The texture editor edits `record` (null: nothing) under `title`; edits are steps
    /// on `target`, the record's filter list (null: direct writes).
    void LoadTexture(TexProperty_cls* record, const wxString& title, FilterValueTarget_cls* target);
    /// The controller of the "Periodic Boundary" dialog (owned; edits GpPeriodicBoundary).
    PeriodicBoundaryControl_cls* GetPeriodicBoundaryControl() const { return m_periodicControl.get(); }
    /// The draw-option and exposure settings (with their pages, once made).
    DrawOptions_cls* GetDrawOptions() const { return m_drawOptions.get(); }
    ExposureSettings_cls* GetExposureSettings() const { return m_exposure.get(); }
    /// The overlay and Info page settings (with their pages, once made).
    OverlaySettings_cls* GetOverlaySettings() const { return m_overlay.get(); }
    InfoSettings_cls* GetInfoSettings() const { return m_info.get(); }
    /// The data sequences' renderers and attribute sets (owned), and the views' scene
    /// passes (owned).
    SequenceRenderer_cls* GetSequenceRenderer() const { return m_sequenceRenderer.get(); }
    ViewScene_cls* GetViewScene() const { return m_viewScene.get(); }

    // POV-Ray ---------------------------------------------------------------------------
    /// The POV-Ray controller (owned; GpPovRayCtrl), the scene writer's sources (owned; the
    /// particle text, lights, fog, BG, sticks and objects plug into its seams) and host.
    PovRayCtrl_cls* GetPovRay() const { return m_povRay.get(); }
    AppPovSources_cls* GetPovSources() const { return m_povSources.get(); }
    AppPovHost_cls* GetPovHost() const { return m_povHost.get(); }
    /// Writes the snapshot's .ini and .pov (`forRender`: for a render). True only when every
    /// file of the scene was written; a failure is reported to the user.
    bool ExportPovSnapshot(bool forRender);
    /// While a render or a render queue runs: tells the user that a snapshot waits, and
    /// returns true (the command is refused). False when a snapshot may be made.
    bool RefusePovSnapshot();
    /// Writes the next frame of a POV-Ray animation run (after each paint of the main view).
    bool ExportPovAnimationFrame();
    /// Moves the time to the start of the run's range and switches repeat off.
    void ApplyPovAnimRange();
    /// A render has ended: the dialog shows it, and a failed render is reported once.
    void OnPovRenderDone();
    /// Shows the "Pov-Ray Rendering Configure" dialog, built on first use as a child of the
    /// frame; null until then and after the frame has gone.
    void ShowPovDialog();
    PovRayGUI_cls* GetPovDialog() const { return m_povDialog; }

private:
    /// The time model's view of the shell.
    class TimeHost : public TimelineHost_cls {
    public:
        explicit TimeHost(AppCore_cls* core) : m_core(core) {}
        void SetRestartFlag() override;
        // The data side's answers (the current data sequence).
        bool IsDataFrameLoaded(int dataFrame) override;
        bool IsDataFrameReady(int dataFrame, double fraction, bool sampling) override;
        int GetMemoryLimit() override;
        int GetMemoryUsed() override;
        int GetMemoryPerFrame() override;
        void ClearDataFrameMarks() override;
        void MarkDataFrame(int dataFrame) override;

    private:
        AppCore_cls* m_core;
    };

    void RegisterSections();
    /// What the settings files ask of the frame: its freeze around a read, the project
    /// name it keeps, and the message of a file that cannot be read.
    SettingsFiles_cls::Hooks SettingsFileHooks();
    /// Installs the particle drawing as the views' scene drawer and gives the current
    /// sequence's attribute sets their pages.
    void InstallViewDrawing();
    /// Connects the data sequences' loads to the frame (poster, status, reports).
    void InstallDataLoadContext();
    /// The POV-Ray controller, its host, sources and scene writer (after the frame).
    void CreatePovRay();
    /// Ends a running renderer and detaches the controller from the frame.
    void StopPovRay();

    template <class T>
    using Published = std::unique_ptr<T, PublishedDeleter<T>>;
    /// Makes a `T` from `args`, publishes it as `global` and owns it.
    template <class T, class... Args>
    static Published<T> Publish(T*& global, Args&&... args) {
        Published<T> owned(new T(std::forward<Args>(args)...), PublishedDeleter<T>{&global});
        global = owned.get();
        return owned;
    }

    TimeHost m_timeHost{this};
    FrameMain_cls* m_frame = nullptr;    ///< not owned: the toolkit destroys it
    /// Queues the data workers' commands on the frame (wxQueueEvent, from their threads).
    std::unique_ptr<MenuCommandPoster_cls> m_dataPoster;
    /// The configuration file and projects, with the section registry.
    SettingsFiles_cls m_files;
    // The owned objects, each declared after everything its destruction still needs: the
    // members go in reverse, views' drawers first and the scene's paths last.
    Published<AnchorPath_cls> m_anchorPath;    ///< GpAnchorPath
    Published<CameraPath_cls> m_cameraPath;    ///< GpCameraPath
    Published<LightSRCCtrl_cls> m_lights;      ///< GpLightSRCCtrl
    std::unique_ptr<LightSRCGUICtrl_cls> m_lightEditor;  ///< its dialog is the frame's
    Published<FilterCtrl_cls> m_filterLists[3];           ///< GpFilterCtrls
    FilterCtrl_cls* m_filterCtrls[3] = {nullptr, nullptr, nullptr};  ///< the three lists' addresses
    FilterParamRegistry_cls m_paramRegistry{m_filterCtrls};          ///< over the three lists
    std::unique_ptr<TimeCtrl_cls> m_timeCtrl;
    /// The selection services over the lists, paths and lights above; null until they exist.
    std::unique_ptr<SceneSelection_cls> m_selection;
    std::unique_ptr<DrawOptions_cls> m_drawOptions;
    std::unique_ptr<InfoSettings_cls> m_info;
    std::unique_ptr<OverlaySettings_cls> m_overlay;
    std::unique_ptr<ExposureSettings_cls> m_exposure;
    Published<Preference_cls> m_preference;  ///< GpPreference; its dialog is the frame's
    Published<StereoGram_cls> m_stereo;      ///< GpStereoGram
    std::unique_ptr<ColorCurveCtrl_cls> m_colorCurveControl;  ///< its dialog is the frame's
    std::unique_ptr<CameraPathCtrl_cls> m_cameraControl;      ///< its dialog is the frame's
    std::unique_ptr<TexPropertyCtrl_cls> m_textureControl;    ///< its dialog is the frame's
    std::unique_ptr<StereoGramControl_cls> m_stereoControl;   ///< its dialog is the frame's
    std::unique_ptr<AppPovHost_cls> m_povHost;
    Published<PovRayCtrl_cls> m_povRay;  ///< GpPovRayCtrl
    std::unique_ptr<AppPovSources_cls> m_povSources;
    std::unique_ptr<PovSceneWriter_cls> m_povWriter;
    PovRayGUI_cls* m_povDialog = nullptr;  ///< a child of the frame
    std::string m_povNotesTold;  ///< what the scenes left out, as last told to the user
    std::unique_ptr<ImgSequence_cls> m_imgSequence;
    Published<PeriodicBoundary_cls> m_periodicBoundary;                ///< GpPeriodicBoundary
    std::unique_ptr<PeriodicBoundaryControl_cls> m_periodicControl;    ///< its dialog is the frame's
    Published<DataLoader_cls> m_dataLoader;        ///< GpDataLoader
    Published<DataExporter_cls> m_dataExporter;    ///< GpDataExporter; reads the loader
    Published<DataSequenceSet_cls> m_dataSequences;  ///< GpDataSequenceSet; its workers end with it
    std::unique_ptr<SequenceRenderer_cls> m_sequenceRenderer;  ///< draws the sequences
    std::unique_ptr<ViewScene_cls> m_viewScene;                ///< the views' drawer
    int m_skippedFilterBlocks = 0;  ///< filter blocks the read could not take, until reported
    std::string m_exeDir;
    int m_displayWidth = 0;
    int m_displayHeight = 0;
    FrameRect m_screenArea;
};

/// The central object; set first thing by its constructor, null after its destructor.
extern AppCore_cls* GpAppCore;
