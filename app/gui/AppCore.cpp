// The central object: construction order, ownership, file reading and writing.
#include "app/gui/AppCore.h"

#include "scene/gui/TexPropertyGUI.h"

#include <wx/artprov.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/display.h>
#include <wx/gdicmn.h>
#include <wx/log.h>

#include "app/BusyFlags.h"
#include "common/CommandIds.h"
#include "app/FrameGeometry.h"
#include "app/PickId.h"
#include "app/ProjectFile.h"
#include "app/WorkerWait.h"
#include "app/gui/AppPovSources.h"
#include "app/gui/FrameMain.h"
#include "app/gui/Preference.h"
#include "app/gui/SceneSelection.h"
#include "common/CommandHistory.h"
#include "common/gui/AppFonts.h"
#include "common/gui/MessageHelpers.h"
#include "common/gui/MyArtProvider.h"
#include "data/DataExporter.h"
#include "data/DataLoader.h"
#include "data/DataSequenceSet.h"
#include "data/PeriodicBoundary.h"
#include "data/gui/DataEventPoster.h"
#include "filters/CommandFilter.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterListView.h"
#include "timeline/gui/ParamGUICtrl.h"
#include "scene/AnchorPath.h"
#include "scene/CameraPath.h"
#include "scene/LightSRCCtrl.h"
#include "scene/gui/LightSRCGUI.h"
#include "scene/PathPovText.h"
#include "timeline/ParamGroup.h"
#include "app/gui/TopHalfPanel.h"
#include "view/gui/MainGLCanvas.h"
#include "data/gui/PeriodicBoundaryGUI.h"
#include "platform/ProgramPaths.h"
#include "platform/Trace.h"
#include "timeline/ComParam.h"
#include "timeline/TimeCtrl.h"
#include "view/ImageSaver.h"
#include "view/gui/ImageSaverGL.h"
#include "view/gui/ImgSequence.h"
#include "view/StereoGram.h"
#include "view/gui/FBO.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/StereoGramGUI.h"
#include "filters/gui/ColorCurveGUI.h"
#include "timeline/gui/ParamGUICtrl.h"
#include "view/DrawOptions.h"
#include "view/Snap.h"
#include "view/ExposureSettings.h"
#include "view/InfoSettings.h"
#include "view/gui/InfoPage.h"
#include "view/OverlaySettings.h"
#include "view/ShadowVolume.h"
#include "view/ParticleAttrib.h"
#include "view/gui/SequenceRenderer.h"
#include "view/gui/ViewScene.h"
#include "scene/PovSceneWriter.h"
#include "view/gui/CameraPathGUI.h"
#include "view/gui/GLResources.h"
#include "view/TagList.h"
#include "filters/ColorCurve.h"
#include "view/gui/MainGLCanvas.h"
#include "filters/FilterBase.h"
#include "scene/SceneObj.h"
#include "scene/PovRayCtrl.h"
#include "app/gui/AppPovHost.h"
#include "scene/gui/PovRayGUI.h"

AppCore_cls* GpAppCore = nullptr;

AppCore_cls::AppCore_cls(const std::string& configPath, const FrameRect* screenArea)
    : m_files(configPath.empty() ? platform::ConfigFilePath() : configPath, SettingsFileHooks()) {
    m_exeDir = platform::ExecutableDir();

    if (screenArea) {
        m_screenArea = *screenArea;
        m_displayWidth = screenArea->x + screenArea->width;
        m_displayHeight = screenArea->y + screenArea->height;
    } else {
        const wxRect display = wxDisplay(0u).GetGeometry();
        const wxRect client = wxGetClientDisplayRect();
        m_displayWidth = display.width;
        m_displayHeight = display.height;
        m_screenArea = FrameRect{client.x, client.y, client.width, client.height};
    }
    const FrameRect geometry = MainFrameGeometry(m_displayHeight, m_screenArea);

    GpAppCore = this;

    wxArtProvider::Push(new MyArtProvider);
    InitAppFonts();
    m_drawOptions = std::make_unique<DrawOptions_cls>();
    // The Option page's "Q./Length" group edits the shadow volumes' own settings.
    RegisterShadowSettings();
    m_drawOptions->shadowQuality = &GoShadowConfig.quality.value;
    m_drawOptions->shadowLength = &GoShadowConfig.length.value;
    m_exposure = std::make_unique<ExposureSettings_cls>();
    m_overlay = std::make_unique<OverlaySettings_cls>();
    m_info = std::make_unique<InfoSettings_cls>();
    m_dataSequences = Publish(GpDataSequenceSet, m_drawOptions.get(), true);
    m_dataLoader = Publish(GpDataLoader, this);
    m_dataExporter = Publish(GpDataExporter, this, GpDataLoader);

    // Models and settings, in the order later steps hand them to each other.
    m_timeCtrl = std::make_unique<TimeCtrl_cls>(&m_timeHost);
    // The filter lists exist before the frame: its filter pages show them.
    for (int i = 0; i < 3; ++i) {
        m_filterLists[i] = Publish(GpFilterCtrls[i], i);
        m_filterCtrls[i] = m_filterLists[i].get();
        m_filterCtrls[i]->selectAcrossLists = [this](FilterBase_cls* f) { SelectFilter(f, false); };
    }

    m_frame = new FrameMain_cls(ProjectFile_cls::InitialTitle(), this, geometry.x, geometry.y,
                                geometry.width, geometry.height);
    // The periodic boundary and its dialog's controller (the dialog a child of the frame).
    m_periodicBoundary = Publish(GpPeriodicBoundary);
    m_periodicControl = std::make_unique<PeriodicBoundaryControl_cls>(m_frame, GpPeriodicBoundary,
                                                                     m_frame->Icon("PeriodicBoundary"));
    // Created with the frame, its dialog a child of it; deleted after the frame is gone.
    m_preference = Publish(GpPreference, m_frame, &m_frame->Icon("Preference"));
    // The views match the mouse against its bindings, and a click on an item selects it.
    MainGLCanvas_cls::SetMouseBindings(GpPreference);
    MainGLCanvas_cls::SetPickSelect([this](int name) { SelectByPickName(name); });
    // Image saving: the encoder and failure report, the preferences' image items, and the
    // image-sequence controller with its (hidden) dialog.
    InstallImageSaving(GoImageSaver);
    PreferencePerformanceTargets imageTargets = GpPreference->PerformanceTargets();
    imageTargets.jpegQuality = &GoImageSaver.jpegQuality.value;
    imageTargets.imageMultiThread = &GoImageSaver.multiThread.value;
    // "Critical" and "NowUsed" are the data cache's own limit and use.
    imageTargets.memoryLimitMB = &GpDataSequenceSet->memoryLimit;
    imageTargets.memoryUsedMB = &GpDataSequenceSet->memoryInUse;
    GpPreference->SetPerformanceTargets(imageTargets);
    m_imgSequence = std::make_unique<ImgSequence_cls>(m_frame, m_timeCtrl.get());
    m_imgSequence->drawOptions = m_drawOptions.get();
    CreatePovRay();
    // The stereogram settings with their eye-distance track and (hidden) dialog.
    m_stereo = Publish(GpStereoGram);
    m_stereoControl = std::make_unique<StereoGramControl_cls>(m_frame, m_stereo.get(), m_frame->Icon("StereoGram"));
    // The colour-curve editor, hidden until a curve's button or its menu item asks for it.
    m_colorCurveControl = std::make_unique<ColorCurveCtrl_cls>(m_frame);
    // The texture editor, hidden until its menu item asks for it.
    m_textureControl = std::make_unique<TexPropertyCtrl_cls>(m_frame, &m_frame->Icon("Texture"));
    InstallDataLoadContext();

    // Module-level pointers, once every object exists.
    GpTimeCtrl = m_timeCtrl.get();
    GpTimeCtrlPanels = m_timeCtrl.get();
    ComParamBase_cls::SetRegistry(&m_paramRegistry);

    // The scene's camera path and anchor, which views follow and key.
    m_cameraPath = Publish(GpCameraPath);
    m_anchorPath = Publish(GpAnchorPath);
    // The lower panel lists the camera's Translate and Rotation and the anchor's Translate
    // under one collapsed "Camera Path" group, which the camera path keeps from then on.
    if (ParamGUICtrl_cls* params = ParamGUICtrl_cls::Of(m_timeCtrl.get())) {
        auto* container = new ParamGroup_cls("Camera Path", {}, 0x1006, 0);
        container->container = 1;
        container->owner = m_cameraPath.get();
        container->children = {m_cameraPath->translate, m_cameraPath->rotation, m_anchorPath->translate};
        m_anchorPath->translate->owner = m_anchorPath.get();
        delete m_cameraPath->group;
        m_cameraPath->group = container;
        params->AddGroup(container);
        container->HideGUI();
        // A click on a group header makes its object the target of the views' gizmo.
        params->onOwnerSelected = [this](ParamOwner_cls* owner) {
            SetSelectedSceneObj(dynamic_cast<SceneObj_cls*>(owner));
            // A light's group also makes it the light editor's light.
            if (owner) SelectLightById(owner->GetOwnerPickId());
        };
        params->UpdateAll();
    }
    // The stereogram's eye distance follows the camera path in the lower panel.
    if (ParamGUICtrl_cls* params = ParamGUICtrl_cls::Of(m_timeCtrl.get())) {
        params->AddGroup(m_stereo->eyeParam);
        params->UpdateAll();
    }

    // The view and camera dialog over the five views and the two paths.
    m_cameraControl = std::make_unique<CameraPathCtrl_cls>(
        m_frame, m_frame->Icon("Camera"),
        [this](int i) -> MainGLCanvas_cls* {
            if (!m_frame) return nullptr;
            if (i == 4) return m_frame->GetExtraFrame() ? m_frame->GetExtraFrame()->View() : nullptr;
            return m_frame->GetTopPanel() ? m_frame->GetTopPanel()->View(i) : nullptr;
        },
        m_cameraPath.get(), m_anchorPath.get());

    // The seven lights, their tracks in the lower panel (the inactive ones hidden).
    m_lights = Publish(GpLightSRCCtrl);
    m_lightEditor = std::make_unique<LightSRCGUICtrl_cls>(m_frame, m_lights.get(), m_frame->Icon("LightSource"),
                                                          m_frame->Icon("LightSource"),
                                                          m_frame->Icon("SpotLight"));
    // What is selected: the filters of the three lists, the paths' and lights' groups.
    m_selection = std::make_unique<SceneSelection_cls>(
        m_filterCtrls, m_timeCtrl.get(), m_cameraPath.get(), m_anchorPath.get(), m_lights.get(), [this] {
            if (m_frame) m_frame->PostMenuCommand(ID_REDRAW_VIEWS);
        });
    m_lightEditor->selectById = [this](int id) { SelectParamsById(id); };
    // The POV-Ray scene writes the lights after the camera.
    if (m_povSources) {
        LightSRCCtrl_cls* sceneLights = m_lights.get();
        m_povSources->povLights = [sceneLights](double t) { return sceneLights->PovLights(t); };
        m_povSources->countVisibleLights = [sceneLights]() { return sceneLights->CountVisibleLights(); };
    }
    // The views pick the active lights by their ids (10 + index).
    m_selection->SetSceneObjFinder([this](int id) -> SceneObj_cls* {
        const PickTarget t = DecodePickId(id);
        if (t.kind != PICK_LIGHT || !m_lights || t.index >= m_lights->LightNumber()) return nullptr;
        return &m_lights->Light(t.index);
    });
    if (ParamGUICtrl_cls* params = ParamGUICtrl_cls::Of(m_timeCtrl.get())) {
        for (int i = 0; i < LightSRCCtrl_cls::kLights; ++i) {
            params->AddGroup(m_lights->Light(i).group);
            m_lights->Light(i).group->HideGUI();
        }
        params->UpdateAll();
    }

    InstallViewDrawing();
    // During a POV-Ray animation run the main view exports each step it draws, once: its
    // later paints of that step (uncovered, resized) write nothing.
    MainGLCanvas_cls::SetPovAnimationHook([this](MainGLCanvas_cls& view) {
        if (m_povRay && m_povRay->TakeAnimStep(view.DrawnFrame(), view.DrawnSub())) ExportPovAnimationFrame();
    });
    RegisterSections();
    ReadConfig(m_files.ConfigPath());

    m_frame->PostMenuCommand(ID_TIME_REFRESH);
    m_frame->PostMenuCommand(ID_REDRAW_VIEWS);
    m_frame->AdjustSash(true);
}

AppCore_cls::~AppCore_cls() {
    if (m_frame) {
        // Normally the toolkit has destroyed the frame already. One still open goes now,
        // with every window in it, while the models it shows still exist: a deferred
        // destroy would let its timeline paint from a deleted time model. Workers that
        // post to it end first; its destructor reports back through FrameDestroyed.
        FrameMain_cls* frame = m_frame;
        frame->SetTestHooks(nullptr);
        frame->Hide();
        WaitForWorkerThreads();
        delete frame;
        m_frame = nullptr;
    }
    // The history's steps act on the objects owned here (the data loads on this object).
    GoCommandHistory.Clear();
    // No window of the models below is left; their module pointers go before they do.
    if (GpTimeCtrl == m_timeCtrl.get()) GpTimeCtrl = nullptr;
    if (GpTimeCtrlPanels == m_timeCtrl.get()) GpTimeCtrlPanels = nullptr;
    ComParamBase_cls::SetRegistry(nullptr);
    GoImageSaver.WaitForWriter();  // a running writer ends before the objects go
    // The views read these through their program-wide seams; they go below.
    MainGLCanvas_cls::SetTimeModel(nullptr);
    MainGLCanvas_cls::SetExposure(nullptr);
    MainGLCanvas_cls::SetInfoSource(nullptr);
    MainGLCanvas_cls::SetScreenItems(false);
    MainGLCanvas_cls::SetSnapshotSaved(nullptr);
    MainGLCanvas_cls::SetExportMode(nullptr);
    MainGLCanvas_cls::SetPovAnimationHook(nullptr);
    MainGLCanvas_cls::SetMouseBindings(nullptr);
    MainGLCanvas_cls::SetPickSelect(nullptr);
    StopPovRay();
    // The views and their context are gone: the eye buffers' GL objects went with them.
    if (m_stereo)
        for (FBO_cls** pair : {m_stereo->eyeBuffers, m_stereo->otherBuffers})
            for (int i = 0; i < 2; ++i) {
                if (pair[i]) pair[i]->created = false;
                delete pair[i];
                pair[i] = nullptr;
            }
    if (GpSelectedSceneObj && m_lights)
        for (int i = 0; i < LightSRCCtrl_cls::kLights; ++i)
            if (GpSelectedSceneObj == &m_lights->Light(i)) SetSelectedSceneObj(nullptr);
    // The owned members go now, in reverse order of their declaration: the views' drawer
    // and renderers before the sequences they draw, the sequences (their readers and
    // interpolation ending) before the boundary rule they take, the controllers before
    // what they edit, the scene's paths last.
    if (GpAppCore == this) GpAppCore = nullptr;
}

void AppCore_cls::TimeHost::SetRestartFlag() {
    if (m_core->m_frame) m_core->m_frame->SetRestartFlag(true);
}

bool AppCore_cls::TimeHost::IsDataFrameLoaded(int dataFrame) {
    return m_core->IsFrameLoaded(dataFrame);
}

bool AppCore_cls::TimeHost::IsDataFrameReady(int dataFrame, double fraction, bool sampling) {
    return !GpDataSequenceSet || GpDataSequenceSet->IsFrameReady(dataFrame, fraction, sampling);
}

int AppCore_cls::TimeHost::GetMemoryLimit() {
    return m_core->GetMemoryLimit();
}

int AppCore_cls::TimeHost::GetMemoryUsed() {
    return m_core->GetMemoryUsed();
}

int AppCore_cls::TimeHost::GetMemoryPerFrame() {
    return m_core->GetMemoryPerFrame();
}

void AppCore_cls::TimeHost::ClearDataFrameMarks() {
    if (GpDataSequenceSet) GpDataSequenceSet->ClearFrameMarks();
}

void AppCore_cls::TimeHost::MarkDataFrame(int dataFrame) {
    if (GpDataSequenceSet) GpDataSequenceSet->MarkFrame(dataFrame);
}

void AppCore_cls::FrameDestroyed(FrameMain_cls* frame) {
    if (m_frame == frame) m_frame = nullptr;
    if (GpDataSequenceSet && !m_frame) GpDataSequenceSet->context = DataLoadContext_cls();
    // The loader's dialog is a child of the frame and goes with it.
    if (GpDataLoader && !m_frame) GpDataLoader->gui = nullptr;
    if (GpDataExporter && !m_frame) GpDataExporter->gui = nullptr;
    // A running renderer ends before the frame that hears of its end goes.
    if (!m_frame) StopPovRay();
    if (m_periodicControl && !m_frame) {
        m_periodicControl->gui = nullptr;
        m_periodicControl->dialog = nullptr;
    }
}

void AppCore_cls::InstallDataLoadContext() {
    DataLoadContext_cls& ctx = GpDataSequenceSet->context;
    FrameMain_cls* frame = m_frame;
    ctx.ioThreads = []() { return DataIOThreadCount(); };
    GpDataLoader->periodic = GpPeriodicBoundary;  // null until the boundary exists
    m_dataPoster = std::make_unique<DataEventPoster_cls>(frame);
    MenuCommandPoster_cls* poster = m_dataPoster.get();
    ctx.poster = poster;
    // Runs on the reader thread: only queue events.
    ctx.onReaderFinished = [poster]() {
        poster->PostMenuCommand(ID_STATUS_REFRESH);
        poster->PostMenuCommand(ID_TIME_REFRESH);
    };
    ctx.statusRefresh = [frame]() { frame->UpdateStatusLine(); };
    // GUI thread, possibly inside a paint or an idle pass: the status line says it at
    // once, the message box comes once the handler has returned (a modal loop inside a
    // paint would run further paints and loads beneath it).
    ctx.onReadFailed = [frame](const wxString&, const std::string& error) {
        // The reader has written the line to standard error already.
        frame->UpdateStatusLine();
        const wxString text = wxString::FromUTF8(error);
        frame->CallAfter([frame, text]() {
            ShowMessageBox(frame, text, wxGetTranslation("Warning"));
        });
    };
    ctx.onWarning = [frame](const std::string& message) {
        const wxString text = wxString::FromUTF8(message);
        frame->CallAfter([frame, text]() { ShowMessageBox(frame, text, wxGetTranslation("Warning")); });
    };
    GpDataLoader->loadData = [this](const wxString& path) { LoadData(path); };
}

void AppCore_cls::InstallViewDrawing() {
    m_sequenceRenderer = std::make_unique<SequenceRenderer_cls>(*GpDataSequenceSet, m_drawOptions.get());
    m_sequenceRenderer->Install();
    m_sequenceRenderer->sortType = [] { return GpPreference ? int(GpPreference->SortType()) : 0; };
    m_sequenceRenderer->PovWriter().softBooleanBorder = [this] {
        return m_filterCtrls[0] && m_filterCtrls[0]->HasBorderBoolean();
    };
    m_viewScene = std::make_unique<ViewScene_cls>(m_timeCtrl.get(), m_sequenceRenderer.get(), m_drawOptions.get());
    m_viewScene->SetExposure(m_exposure.get());
    // A mesh file that cannot be read is said once per path, after the paint has ended.
    if (FrameMain_cls* frame = m_frame)
        m_viewScene->SetMeshErrorReporter([frame](const std::string& message) {
            const wxString text = wxString::FromUTF8(message);
            frame->CallAfter([frame, text]() { ShowMessageBox(frame, text, wxGetTranslation("Warning")); });
        });
    m_viewScene->Install();
    if (m_frame) m_frame->InstallViewDrawing();
}

void AppCore_cls::RegisterSections() {
    ConfigSections_cls& sections = m_files.Sections();
    sections.AddGroup(ROW_DATA_LOADER, READ_DATA_LOADER, "data loader", &GpDataLoader->group);
    sections.AddGroup(ROW_DATA_EXPORTER, READ_DATA_EXPORTER, "data exporter", &GpDataExporter->group);
    // Each sequence's own lines are followed by the four attribute sets of its particle
    // types (how each type is drawn), and both are read back from any file.
    SequenceRenderer_cls* renderer = m_sequenceRenderer.get();
    sections.AddWriter(ROW_DATA_SEQUENCES, "data sequences", [renderer]() {
        std::string text;
        for (size_t i = 0; i < GpDataSequenceSet->sequences.size(); ++i) {
            text += GpDataSequenceSet->sequences[i]->WriteConfig().utf8_string();
            if (renderer) text += renderer->WriteConfig(int(i)).utf8_string();
        }
        return text;
    });
    sections.AddReader(READ_DATA_SEQUENCES, "data sequences",
                       [renderer](ParamTextStream_cls& stream, const std::string& line) {
                           GpDataSequenceSet->ReadConfig(stream, line);
                           if (!renderer) return;
                           for (int i = 0; i < SequenceRenderer_cls::kSequences; ++i)
                               renderer->ReadConfig(i, stream, line);
                       });
    for (size_t i = 0; i < GpDataSequenceSet->sequences.size(); ++i) {
        sections.AddSettingsGroup("data sequence " + std::to_string(i), [i]() {
            return GpDataSequenceSet ? &GpDataSequenceSet->sequences[i]->group : nullptr;
        });
        if (!renderer) continue;
        for (int t = 0; t < 4; ++t) {
            ParticleAttrib_cls* a = renderer->Attribs(int(i))[t];
            const std::string name = "attrib " + std::to_string(i) + "." + std::to_string(t);
            sections.AddSettingsGroup(name, [a]() { return &a->settings; });
            for (ColorCurve_cls* c : {a->ambient.get(), a->diffuse.get(), a->specular.get(), a->col.get()})
                sections.AddSettingsGroup(name + " " + c->name, [c]() { return &c->settings; });
        }
    }
    // What a read changed shows: the textures are made again from their files, the drawable
    // frame is coloured anew and the Attrib pages show the values read.
    sections.AddAfterRead(AFTER_VIEW_SETTINGS, "particle attributes", [this, renderer]() {
        if (renderer) renderer->ReloadTextures();
        GbSnapDataRefresh = true;
        if (m_frame) m_frame->PostMenuCommand(ID_ATTRIB_PAGES_REFRESH);
        if (GpInfoPage) GpInfoPage->RefreshAll();
    });
    sections.AddWriter(ROW_FRAME, "frame", [this]() {
        return m_frame ? m_frame->WriteConfig().utf8_string() : std::string();
    });
    sections.AddReader(READ_FRAME, "frame",
                       [this](ParamTextStream_cls&, const std::string& line) {
                           if (m_frame) m_frame->ReadConfig(wxString::FromUTF8(line));
                       });
    sections.AddSettingsGroup(
        "frame", [this]() { return m_frame ? &m_frame->ConfigGroup() : nullptr; });
    sections.AddWriter(ROW_GL_SETTINGS, "GL settings", []() { return WriteGLSettings().utf8_string(); });
    sections.AddReader(READ_GL_SETTINGS, "GL settings", [](ParamTextStream_cls& stream, const std::string& line) {
        ReadGLSettings(stream, line);
    });
    sections.AddSettingsGroup("render settings", []() { return &GoRenderConfig.group; });
    sections.AddSettingsGroup("tag settings", []() { return &GoTagConfig.group; });
    sections.AddSettingsGroup("background colour", []() { return GpBGColor ? &GpBGColor->settings : nullptr; });
    sections.AddSettingsGroup("outer colour", []() { return GpOutColor ? &GpOutColor->settings : nullptr; });
    sections.AddSettingsGroup("tag colour", []() { return GpTagColor ? &GpTagColor->settings : nullptr; });
    sections.AddWriter(ROW_LAYOUT, "layout", [this]() {
        return m_frame ? m_frame->WriteLayoutConfig().utf8_string() : std::string();
    });
    TimeCtrl_cls* time = m_timeCtrl.get();
    sections.AddWriter(ROW_TIME, "time",
                       [time]() { return time->WriteText().utf8_string(); });
    sections.AddReader(READ_TIME, "time",
                       [time](ParamTextStream_cls& stream, const std::string& line) {
                           time->ReadText(stream, line);
                       });
    sections.AddSettingsGroup("time", [time]() { return &time->settings; });
    sections.AddMarker("---TimeRemap");
    sections.AddMarker("-ParamGroup=");
    sections.AddGroup(ROW_PERIODIC_BOUNDARY, READ_PERIODIC_BOUNDARY, "periodic boundary",
                      &GpPeriodicBoundary->group);
    sections.AddGroup(ROW_DRAW_OPTIONS, READ_DRAW_OPTIONS, "draw options", &m_drawOptions->group);
    // Written into projects only (its row comes after the program-wide ones), read from any file.
    sections.AddGroup(ROW_OVERLAY, READ_OVERLAY, "overlay", &m_overlay->group);
    // The Info page's particle index and source, beside the overlay page they share a
    // notebook with: a project opens on the particle it was saved on.
    sections.AddGroup(ROW_OVERLAY, READ_OVERLAY, "info", &m_info->group);
    sections.AddGroup(ROW_EXPOSURE, READ_EXPOSURE, "exposure", &m_exposure->group);
    // The image sequence's output size (and its initial number, set anew whenever its
    // dialog opens) follow the exposure applied to the images it writes.
    sections.AddGroup(ROW_EXPOSURE, READ_EXPOSURE, "image sequence", &m_imgSequence->group);
    sections.AddGroup(ROW_SHADOW, READ_SHADOW, "shadow", &GoShadowConfig.group);
    sections.AddGroup(ROW_IMAGE_SAVER, READ_IMAGE_SAVER, "image saver", &GoImageSaver.group);
    sections.AddGroup(ROW_PREFERENCES, READ_PREFERENCES, "preferences mouse",
                      &GpPreference->MouseGroup());
    sections.AddGroup(ROW_PREFERENCES, READ_PREFERENCES, "preferences performance",
                      &GpPreference->PerformanceGroup());
    PovRayCtrl_cls* pov = m_povRay.get();
    sections.AddWriter(ROW_POVRAY_PATHS, "povray paths", [pov]() { return pov->WritePathConfig().utf8_string(); });
    sections.AddWriter(ROW_POVRAY_SETTINGS, "povray", [pov]() { return pov->WriteConfig().utf8_string(); });
    sections.AddReader(READ_POVRAY, "povray", [pov](ParamTextStream_cls&, const std::string& line) {
        pov->ReadConfig(wxString::FromUTF8(line));
    });
    {
        const std::vector<ConfItemGroup_cls*> groups = pov->AllGroups();
        for (size_t i = 0; i < groups.size(); ++i) {
            ConfItemGroup_cls* g = groups[i];
            sections.AddSettingsGroup("povray " + std::to_string(i), [this, g]() { return m_povRay ? g : nullptr; });
        }
    }
    sections.AddAfterRead(AFTER_POVRAY_GUI, "povray dialog", [this]() {
        if (m_povDialog) m_povDialog->UpdateGUI();
    });
    sections.AddMarker("--StereoGram");
    sections.AddSettingsGroup("stereogram", [this]() { return m_stereo ? &m_stereo->group : nullptr; });
    sections.AddWriter(ROW_STEREOGRAM, "stereogram", [this]() { return m_stereo->WriteConfig(); });
    sections.AddReader(READ_STEREOGRAM, "stereogram",
                       [this](ParamTextStream_cls& stream, const std::string& line) {
                           m_stereo->ReadConfig(stream, line);
                       });
    sections.AddAfterRead(AFTER_STEREO_EYE, "stereogram eye", [this]() {
        if (m_stereoControl) {
            m_stereoControl->SyncEyeParam();
            m_stereoControl->UpdateGUI(false);
        }
    });
    sections.AddMarker("---FilterCtrl");
    FilterCtrl_cls* const* filterCtrls = m_filterCtrls;
    sections.AddWriter(ROW_FILTER_LISTS, "filter lists", [filterCtrls]() {
        std::string text;
        for (int i = 0; i < 3; ++i) text += filterCtrls[i]->WriteSection();
        return text;
    });
    sections.AddReader(READ_FILTER_LISTS, "filter lists",
                       [this, filterCtrls](ParamTextStream_cls& stream, const std::string& line) {
                           for (int i = 0; i < 3; ++i)
                               m_skippedFilterBlocks += filterCtrls[i]->ReadSection(stream, line, filterCtrls);
                       });
    CameraPath_cls* cameraPath = m_cameraPath.get();
    AnchorPath_cls* anchorPath = m_anchorPath.get();
    sections.AddMarker("---CameraPath");
    sections.AddMarker("---AnchorPath");
    sections.AddSettingsGroup("camera path", [cameraPath]() { return &cameraPath->settings; });
    sections.AddWriter(ROW_CAMERA_PATH, "camera path", [cameraPath]() { return cameraPath->WriteSection(); });
    sections.AddReader(READ_CAMERA_PATH, "camera path",
                       [cameraPath](ParamTextStream_cls& stream, const std::string& line) {
                           cameraPath->ReadSection(stream, line);
                       });
    sections.AddWriter(ROW_ANCHOR_PATH, "anchor path", [anchorPath]() { return anchorPath->WriteSection(); });
    sections.AddReader(READ_ANCHOR_PATH, "anchor path",
                       [anchorPath](ParamTextStream_cls& stream, const std::string& line) {
                           anchorPath->ReadSection(stream, line);
                       });
    LightSRCCtrl_cls* lights = m_lights.get();
    sections.AddMarker("---AllLightSource");
    sections.AddMarker("---LightSRC");
    sections.AddSettingsGroup("lights", [lights]() { return &lights->items; });
    for (int i = 0; i < LightSRCCtrl_cls::kLights; ++i)
        sections.AddSettingsGroup("light " + std::to_string(i), [lights, i]() { return &lights->Light(i).settings; });
    sections.AddWriter(ROW_LIGHTS, "lights", [lights]() { return lights->WriteSection(); });
    sections.AddReader(READ_LIGHTS, "lights", [lights](ParamTextStream_cls& stream, const std::string& line) {
        lights->ReadSection(stream, line);
    });
    sections.AddAfterRead(AFTER_LIGHT_STATES, "light states", [lights]() {
        if (lights->selected >= lights->LightNumber()) lights->SelectLight(lights->LightNumber() - 1);
        lights->UpdateGroupStates();
    });
    for (int i = 0; i < 5; ++i)
        sections.AddSettingsGroup("view " + std::to_string(i), [this, i]() -> ConfItemGroup_cls* {
            if (!m_frame) return nullptr;
            MainGLCanvas_cls* v = nullptr;
            if (i < 4 && m_frame->GetTopPanel()) v = m_frame->GetTopPanel()->View(i);
            if (i == 4 && m_frame->GetExtraFrame()) v = m_frame->GetExtraFrame()->View();
            return v ? &v->settings.group : nullptr;
        });
    sections.AddWriter(ROW_VIEWS_AGAIN, "views again", [this]() {
        return m_frame ? m_frame->WriteUpperViewConfig().utf8_string() : std::string();
    });
    // Filters of kinds this program cannot show yet (or of unknown kinds) are left out of
    // the scene: saving it again would drop them, so the user is told once per read; so
    // is every filter whose values had to be narrowed to be drawn.
    sections.AddAfterRead(AFTER_VIEW_SETTINGS, "skipped filters", [this]() {
        const int skipped = m_skippedFilterBlocks;
        m_skippedFilterBlocks = 0;
        std::string why;
        for (FilterCtrl_cls* list : m_filterCtrls)
            if (list)
                for (const wxString& note : list->TakeReadNotes()) why += (why.empty() ? "" : "\n") + note.utf8_string();
        if (skipped > 0)
            why += (why.empty() ? "" : "\n") + std::to_string(skipped) +
                   " filter(s) of a kind this program does not show were left out of the scene; "
                   "saving the project again will not keep them";
        if (why.empty()) return;
        platform::ReportError(why);
        if (FrameMain_cls* frame = m_frame)
            frame->CallAfter([frame, why]() {
                ShowMessageBox(frame, wxString::FromUTF8(why), wxGetTranslation("Warning"));
            });
    });
    sections.AddAfterRead(AFTER_VIEW_SETTINGS, "view settings", [this]() {
        if (m_frame) m_frame->PostMenuCommand(ID_APPLY_VIEW_SETTINGS);
    });
    sections.AddAfterRead(AFTER_CLEAR_HISTORY, "undo history",
                          []() { GoCommandHistory.Clear(); });
}

// ---------------------------------------------------------------------------------------
// Files

SettingsFiles_cls::Hooks AppCore_cls::SettingsFileHooks() {
    SettingsFiles_cls::Hooks hooks;
    hooks.beginRead = [this] {
        if (m_frame) m_frame->Freeze();
    };
    hooks.endRead = [this] {
        if (m_frame) m_frame->Thaw();
    };
    // Without a frame no project name is kept.
    hooks.projectName = [this] {
        return m_frame ? std::string(m_frame->LastOpenedProject().utf8_str()) : std::string();
    };
    hooks.setProjectName = [this](const std::string& path) {
        if (m_frame) m_frame->SetLastOpenedProject(wxString::FromUTF8(path));
    };
    hooks.reportReadFailure = [this](const std::string& message) {
        ShowMessageBox(m_frame, wxString::FromUTF8(message), "Warning");
    };
    return hooks;
}

void AppCore_cls::PrepareForProject() {
    // Directly, without an undo step: the history is emptied by the read anyway.
    m_timeCtrl->SetFrame(0, 0);
    m_timeCtrl->SetSubFrame(0, 0);
    // The current data sequence's frames (after its workers have finished) and the
    // drawable frame, then every other sequence's frames and the three filter lists.
    ClearData();
    if (GpDataSequenceSet) GpDataSequenceSet->ReleaseAllSequences(true);
    DeleteAllFilters();
}

void AppCore_cls::AfterProjectRead() {
    // A project names its sequence: the frame slots are named by the read; the views and
    // the status line follow, and the first paint loads the shown frame.
    if (m_frame) {
        m_frame->PostMenuCommand(ID_REDRAW_VIEWS);
        m_frame->PostMenuCommand(ID_STATUS_REFRESH);
    }
    if (m_periodicControl && m_periodicControl->gui) m_periodicControl->UpdateGUI(true);
    RefreshSceneDialogs();
}

void AppCore_cls::RefreshSceneDialogs() {
    // Each refill runs whether the dialog is shown or not: a hidden dialog that kept the
    // old values (or a light that is gone) would show them, and write them back, when it
    // is opened again.
    if (m_lightEditor) m_lightEditor->UpdateGUI(true);
    if (m_cameraControl && m_cameraControl->gui) m_cameraControl->UpdateGUI(true);
    if (m_stereoControl && m_stereoControl->gui) m_stereoControl->UpdateGUI(true);
    if (m_colorCurveControl) m_colorCurveControl->UpdateGUI(true);
    if (m_textureControl) m_textureControl->UpdateGUI(true);
    // The path fields are not scene settings; only the settings pages follow an undo.
    if (m_povDialog) m_povDialog->RefreshSettingsPages();
}

// ---------------------------------------------------------------------------------------
// Particle data

void AppCore_cls::LoadData(const wxString& path) {
    const wxString previous = GpDataSequenceSet ? GpDataSequenceSet->GetFileList() : wxString();
    GoCommandHistory.BeginBlock(wxString());
    GoCommandHistory.Push(new CommandLoadData_cls(this, wxString()),
                          new CommandLoadData_cls(this, previous));
    GoCommandHistory.Redo();
    GoCommandHistory.Push(new CommandLoadData_cls(this, path),
                          new CommandLoadData_cls(this, wxString()));
    GoCommandHistory.Redo();
    GoCommandHistory.EndBlock(wxString());
}

void AppCore_cls::CloseData() {
    const wxString previous = GpDataSequenceSet ? GpDataSequenceSet->GetFileList() : wxString();
    GoCommandHistory.Push(new CommandLoadData_cls(this, wxString()),
                          new CommandLoadData_cls(this, previous));
    GoCommandHistory.Redo();
}

void AppCore_cls::ClearData() {
    WaitForWorkerThreads();
    const bool hadData = GpDataSequenceSet && !GpDataSequenceSet->GetFileList().empty();
    if (GpDataSequenceSet) GpDataSequenceSet->ReleaseFrames(-1, -2, true);
    delete GpSnap;  // releases its arrays
    GpSnap = nullptr;
    Snap_cls::FreeSpareArrays();
    if (m_frame && hadData) {  // closing nothing changes nothing on screen
        m_frame->PostMenuCommand(ID_REDRAW_VIEWS);
        m_frame->PostMenuCommand(ID_STATUS_REFRESH);
    }
}

void AppCore_cls::LoadFileSequence(const wxString& path) {
    if (!GpDataSequenceSet) return;
    GpDataSequenceSet->SetFileList(path, true);
    const int count = GpDataSequenceSet->GetFrameCount();
    if (GpDataSequenceSet->GetCurrent()->LongerThanSlots()) {
        // More files than the sequence has slots: the load keeps the first 8000.
        const wxString why = wxGetTranslation("Max file sequence number is 8000");
        platform::ReportError(std::string(path.utf8_str()) + ": " + std::string(why.utf8_str()));
        // Shown once the load has finished, as the reader's warnings are.
        if (FrameMain_cls* frame = m_frame)
            frame->CallAfter([frame, why]() { ShowMessageBox(frame, why, wxGetTranslation("Warning")); });
    }
    if (count <= 0) {
        const std::string why = std::string(path.utf8_str()) + ": no such snapshot file";
        platform::ReportError(why);
        ShowMessageBox(m_frame, wxString::FromUTF8(why), wxGetTranslation("Warning"));
    }
    m_timeCtrl->SetMaxFrame(count > 0 ? count - 1 : 0);
    if (m_frame) {
        m_frame->PostMenuCommand(ID_REDRAW_VIEWS);
        m_frame->PostMenuCommand(ID_TIME_REFRESH);
        m_frame->PostMenuCommand(ID_STATUS_REFRESH);
    }
}

bool AppCore_cls::IsFrameLoaded(int i) const {
    if (!GpDataSequenceSet) return true;
    const DataSequence_cls* seq = GpDataSequenceSet->GetCurrent();
    const DataFrame_cls& f = *seq->frames[seq->Clamp(i < 0 ? 0 : i)];
    return f.loadStarted.load(std::memory_order_acquire) && f.loaded.load(std::memory_order_acquire);
}

bool AppCore_cls::IsFrameReady(int i, double fraction) const {
    if (!GpDataSequenceSet) return true;
    return GpDataSequenceSet->IsFrameReady(i, fraction, m_timeCtrl->motionBlur.sampling != 0);
}

int AppCore_cls::GetMemoryUsed() const {
    return GpDataSequenceSet ? GpDataSequenceSet->UpdateMemoryInUse() : 0;
}

int AppCore_cls::GetMemoryLimit() const {
    return GpDataSequenceSet ? GpDataSequenceSet->memoryLimit : 4096;
}

int AppCore_cls::GetMemoryPerFrame() const {
    if (!GpDataSequenceSet) return -1;
    const int loaded = GpDataSequenceSet->CountLoadedFrames();
    return loaded > 0 ? GpDataSequenceSet->memoryInUse / loaded : -1;
}

// ---------------------------------------------------------------------------------------
// Edits and selection

void AppCore_cls::Undo() {
    GoCommandHistory.Undo();
    RefreshSceneDialogs();
}

void AppCore_cls::Redo() {
    GoCommandHistory.Redo();
    RefreshSceneDialogs();
}

FilterBase_cls* AppCore_cls::AddFilter(FilterCtrl_cls* list, int kind) {
    if (!list) list = GetFilterCtrl(FilterListOfKind(kind));
    if (!list) return nullptr;
    return AddFilterCommand(GoCommandHistory, list, kind);
}

void AppCore_cls::DeleteSelectedFilter() {
    for (FilterCtrl_cls* list : m_filterCtrls)
        if (list) list->DeleteSelected();
}

void AppCore_cls::DeleteAllFilters() {
    for (FilterCtrl_cls* list : m_filterCtrls)
        if (list) list->DeleteAll();
}

void AppCore_cls::MoveSelectedFilter(int direction) {
    for (FilterCtrl_cls* list : m_filterCtrls)
        if (list) list->MoveSelected(direction);
}

void AppCore_cls::LoadTexture(TexProperty_cls* record, const wxString& title, FilterValueTarget_cls* target) {
    if (m_textureControl) m_textureControl->EditTexture(record, title, target);
}

void AppCore_cls::SelectFilter(FilterBase_cls* filter, bool clearParamSelection) {
    if (m_selection) m_selection->SelectFilter(filter, clearParamSelection);
}

FilterBase_cls* AppCore_cls::SelectedFilter() const {
    return m_selection ? m_selection->SelectedFilter() : nullptr;
}

void AppCore_cls::SelectFilterById(int id, bool clearParamSelection) {
    if (m_selection) m_selection->SelectFilterById(id, clearParamSelection);
}

void AppCore_cls::SelectByPickName(int name) {
    if (m_selection) m_selection->SelectByPickName(name);
}

SceneObj_cls* AppCore_cls::SelectParamsById(int id) {
    return m_selection ? m_selection->SelectParamsById(id) : nullptr;
}

void AppCore_cls::SelectLightById(int id) {
    if (m_selection) m_selection->SelectLightById(id);
}

void AppCore_cls::CopyPathToClipboard() {
    if (!m_cameraPath || !m_anchorPath) return;
    std::string error;
    const std::vector<std::string> lines =
        ReadCameraTemplate(platform::FindProgramData(CameraTemplateName(*m_cameraPath)), error);
    if (lines.empty() && !error.empty()) platform::ReportError(error);
    const std::string text = CameraPathPovText(*m_cameraPath, *m_anchorPath, lines);
    if (!wxTheClipboard->Open()) return;
    wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(text.c_str())));
    wxTheClipboard->Close();
}
