// The main window's command table: one row per command id, each with its handler. Every
// id of the menu table's command list is bound to OnCommand, which looks its row up here.
#include "app/gui/FrameMain.h"

#include <algorithm>

#include "app/BusyFlags.h"
#include "app/gui/AppCore.h"
#include "app/gui/BtmHalfPanel.h"
#include "app/gui/Preference.h"
#include "app/gui/ShortcutKeys.h"
#include "app/gui/TopHalfPanel.h"
#include "common/CommandIds.h"
#include "data/DataExporter.h"
#include "data/DataLoader.h"
#include "data/DataSequenceSet.h"
#include "data/gui/PeriodicBoundaryGUI.h"
#include "filters/FilterCtrl.h"
#include "filters/gui/ColorCurveGUI.h"
#include "filters/gui/FilterPanelPain.h"
#include "scene/LightSRCCtrl.h"
#include "scene/gui/LightSRCGUI.h"
#include "scene/gui/TexPropertyGUI.h"
#include "timeline/TimeCtrl.h"
#include "timeline/gui/ParamGUICtrl.h"
#include "timeline/gui/Scene.h"
#include "view/DepthSort.h"
#include "view/DrawOptions.h"
#include "view/ExposureSettings.h"
#include "view/ImageSaver.h"
#include "view/OverlaySettings.h"
#include "view/gui/CameraPathGUI.h"
#include "view/gui/ExposurePage.h"
#include "view/gui/ImgSequence.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/OptionPage.h"
#include "view/gui/OverlayPage.h"
#include "view/gui/StereoGramGUI.h"

namespace {

OptionPage_cls* OptionPageOf(const AppCore_cls* core) {
    return core && core->GetDrawOptions() ? core->GetDrawOptions()->page : nullptr;
}

OverlayPage_cls* OverlayPageOf(const AppCore_cls* core) {
    return core && core->GetOverlaySettings() ? core->GetOverlaySettings()->page : nullptr;
}

ExposurePage_cls* ExposurePageOf(const AppCore_cls* core) {
    return core && core->GetExposureSettings() ? core->GetExposureSettings()->page : nullptr;
}

}  // namespace

const std::vector<FrameMain_cls::CommandRow>& FrameMain_cls::CommandRows() {
    using F = FrameMain_cls;
    using E = wxCommandEvent;
    static const std::vector<CommandRow> rows = [] {
        std::vector<CommandRow> r = {
            {ID_QUIT, [](F& f, E&) { f.OnQuit(); }},
            {ID_ABOUT, [](F& f, E&) { f.OnAbout(); }},
            {ID_OPEN_PROJECT, [](F& f, E&) { f.OnOpenProject(); }},
            {ID_SAVE_PROJECT, [](F& f, E&) { f.OnSaveProject(); }},
            {ID_SAVE_PROJECT_AS, [](F& f, E&) { f.OnSaveProjectAs(); }},
            {ID_LOAD_PARTICLE_DATA,
             [](F& f, E&) {
                 if (GpDataLoader) GpDataLoader->ShowDialog(&f, &f);
             }},
            {ID_EXPORT_PARTICLE_DATA,
             [](F& f, E&) {
                 if (GpDataExporter) GpDataExporter->ShowDialog(&f, &f);
             }},
            {ID_EXPORT_PATH_CLIPBOARD,
             [](F& f, E&) {
                 if (f.m_core) f.m_core->CopyPathToClipboard();
             }},
            {ID_SAVE_SNAPSHOT,
             [](F& f, E&) {
                 // The main view reads its next picture; the file is asked for after that paint.
                 GoImageSaver.snapshotPath = f.m_lastIMG.text;
                 if (f.m_top && f.m_top->View(0)) f.m_top->View(0)->RequestSnapshot();
             }},
            {ID_SAVE_IMAGE_SEQUENCE,
             [](F& f, E&) {
                 // The dialog shows the main view's size and angle from the start; later paints
                 // of the view keep them current.
                 ImgSequence_cls* seq = f.m_core ? f.m_core->GetImgSequence() : nullptr;
                 if (!seq) return;
                 int w = seq->previewWidth, h = seq->previewHeight;
                 float angle = seq->previewAngle;
                 if (MainGLCanvas_cls* v = f.GetMainView()) {
                     const wxSize size = v->GetClientSize();
                     if (size.x > 0 && size.y > 0) w = size.x, h = size.y;
                     angle = float(v->projection.angle);
                 }
                 seq->OpenFromMenu(w, h, angle, f.m_lastIMG.text);
             }},
            {ID_CLOSE_PARTICLE_DATA,
             [](F& f, E&) {
                 if (f.m_core) f.m_core->CloseData();
             }},
            {ID_UNDO,
             [](F& f, E&) {
                 if (f.m_core) f.m_core->Undo();
             }},
            {ID_REDO,
             [](F& f, E&) {
                 if (f.m_core) f.m_core->Redo();
             }},
            {ID_MOVE_FRAME, [](F& f, E&) { f.OnMoveFrame(); }},
            {ID_TIME_REMAP,
             [](F& f, E& event) {
                 // Directly, not undoable: the remap switch only chooses which curve drives time.
                 if (f.GetTimeCtrl()) f.GetTimeCtrl()->useTimeRemap.value = event.IsChecked();
                 if (ParamGUICtrl_cls* params = ParamGUICtrl_cls::Of(f.GetTimeCtrl())) params->UpdateAll();
             }},
            {ID_SCENE_CONFIG,
             [](F& f, E&) {
                 if (f.m_scene) {
                     f.m_scene->ReadFromTimeCtrl();
                     if (f.m_scene->RunModal(&f)) f.m_scene->ApplyToTimeCtrl();
                 }
             }},
            {ID_PREFERENCE,
             [](F& f, E&) {
                 if (GpPreference) GpPreference->Show(&f);
             }},
            {ID_REDRAW_VIEWS,
             [](F& f, E&) {
                 // The shown frame is prepared once, then every view draws again; the next
                 // paint clears the pending redraw.
                 GbRedrawPending = false;
                 f.PrepareFrame(-1);
                 // A playback step of an export run is written here even when no view shows it.
                 f.ExportShownFrame();
                 f.UpdateStatusLine();
                 if (f.m_top) f.m_top->RedrawViews();
                 if (f.m_extra && f.m_extra->IsShown()) f.m_extra->View()->RequestPaint();
             }},
            {ID_TIME_REFRESH,
             [](F& f, E&) {
                 if (f.GetTimeCtrl()) f.GetTimeCtrl()->RefreshPanels();
                 if (f.m_lower) f.m_lower->RefreshParams();
             }},
            {ID_STATUS_REFRESH, [](F& f, E&) { f.UpdateStatusLine(); }},
            {ID_ATTRIB_PAGES_REFRESH,
             [](F& f, E&) {
                 // A colour or attribute edit (or its undo): every page showing settings refreshes.
                 if (f.m_top) f.m_top->RefreshAttribPages();
                 if (OptionPage_cls* page = OptionPageOf(f.m_core)) page->RefreshAll();
                 if (ExposurePage_cls* page = ExposurePageOf(f.m_core)) page->RefreshAll();
             }},
            {ID_IMGSEQ_DIALOG_REFRESH,
             [](F& f, E&) {
                 if (ImgSequence_cls* seq = f.m_core ? f.m_core->GetImgSequence() : nullptr)
                     seq->UpdateGUI(false);
             }},
            {ID_CAMERA_DIALOG_REFRESH,
             [](F& f, E&) {
                 if (CameraPathCtrl_cls* camera = f.m_core ? f.m_core->GetCameraControl() : nullptr)
                     if (camera->gui && camera->gui->IsShown()) camera->gui->SyncFromView();
             }},
            {ID_COLOR_DIALOG_REFRESH,
             [](F& f, E&) {
                 if (ColorCurveCtrl_cls* curves = f.m_core ? f.m_core->GetColorCurveControl() : nullptr)
                     curves->UpdateGUI(false);
             }},
            {ID_EXPORTER_DIALOG_REFRESH,
             [](F&, E&) {
                 if (GpDataExporter) GpDataExporter->UpdateGUI();
             }},
            {ID_DRAW_PAGES_REFRESH,
             [](F& f, E&) {
                 if (OptionPage_cls* page = OptionPageOf(f.m_core)) {
                     page->EnableShadowControls();
                     page->RefreshAll();
                 }
                 if (OverlayPage_cls* page = OverlayPageOf(f.m_core)) page->RefreshAll();
                 if (ExposurePage_cls* page = ExposurePageOf(f.m_core)) page->RefreshAll();
             }},
            {ID_LIGHT_DIALOG_REFRESH,
             [](F& f, E&) {
                 // After a light edit, its undo, a file read, and each paint of the current view:
                 // the tracks follow the light count, the shown editor its light.
                 if (LightSRCCtrl_cls* lights = f.m_core ? f.m_core->GetLights() : nullptr)
                     lights->UpdateGroupStates();
                 if (LightSRCGUICtrl_cls* editor = f.m_core ? f.m_core->GetLightEditor() : nullptr)
                     editor->UpdateGUI(false);
             }},
            {ID_EXPOSURE_PAGE_REFRESH,
             [](F& f, E&) {
                 if (ExposurePage_cls* page = ExposurePageOf(f.m_core)) page->RefreshAll();
             }},
            {ID_STEREO_DIALOG_REFRESH,
             [](F& f, E&) {
                 if (StereoGramControl_cls* stereo = f.m_core ? f.m_core->GetStereoControl() : nullptr)
                     if (stereo->gui) stereo->UpdateGUI(false);
             }},
            {ID_TEXTURE_DIALOG_REFRESH,
             [](F& f, E&) {
                 if (TexPropertyCtrl_cls* texture = f.m_core ? f.m_core->GetTextureControl() : nullptr)
                     texture->UpdateGUI(false);
             }},
            {ID_BOTTOM_RELAYOUT,
             [](F& f, E&) {
                 // The lower panel's parameter rows take their sizes and scroll state again.
                 if (ParamGUICtrl_cls* params = ParamGUICtrl_cls::Of(f.GetTimeCtrl())) params->Relayout();
             }},
            {ID_REMOVE_CACHE_SNAPSHOT,
             [](F& f, E&) {
                 if (GpDataSequenceSet && f.GetTimeCtrl())
                     GpDataSequenceSet->ReleaseFrames(-1, f.GetTimeCtrl()->GetDataFrame(-1), false);
             }},
            {ID_REMOVE_CACHE_ALL,
             [](F&, E&) {
                 if (GpDataSequenceSet) GpDataSequenceSet->ReleaseFrames(-1, -2, false);
             }},
            {ID_FORWARD_KEY,
             [](F& f, E&) {
                 // A key a dialog did not use: a menu accelerator with a modifier or a function
                 // key runs its command (Ctrl+Z undoes, F8 opens the sequence dialog); a plain
                 // letter never does (Q typed in a dialog does not quit); anything else is a
                 // shortcut.
                 if (f.m_forwardedKey < 32 || f.m_forwardedKey > 126 || f.m_forwardedMods != 0) {
                     if (f.RunAccelerator(f.m_forwardedMods, f.m_forwardedKey)) return;
                 }
                 f.m_shortcuts->OnKey(f.m_forwardedMods, f.m_forwardedKey);
             }},
            {ID_LAYOUT_1,
             [](F& f, E&) {
                 if (f.m_top) f.m_top->SetLayout(0);
             }},
            {ID_LAYOUT_2V,
             [](F& f, E&) {
                 if (f.m_top) f.m_top->SetLayout(1);
             }},
            {ID_LAYOUT_2H,
             [](F& f, E&) {
                 if (f.m_top) f.m_top->SetLayout(2);
             }},
            {ID_LAYOUT_4A,
             [](F& f, E&) {
                 if (f.m_top) f.m_top->SetLayout(3);
             }},
            {ID_LAYOUT_4B,
             [](F& f, E&) {
                 if (f.m_top) f.m_top->SetLayout(4);
             }},
            {ID_EXTRA_PANEL, [](F& f, E&) { f.ShowExtraPanel(!(f.m_extra && f.m_extra->IsShown())); }},
            {ID_PARAM_PANEL_REFRESH, [](F& f, E&) { f.DropParamSelection(); }},
            {ID_VIEW_CAMERA_CONFIG,
             [](F& f, E&) {
                 if (CameraPathCtrl_cls* camera = f.m_core ? f.m_core->GetCameraControl() : nullptr) {
                     camera->Show(&f);
                     if (camera->gui) camera->gui->SyncFromView();
                 }
             }},
            {ID_LIGHT_EDITOR,
             [](F& f, E&) {
                 if (LightSRCGUICtrl_cls* editor = f.m_core ? f.m_core->GetLightEditor() : nullptr)
                     editor->Show(&f);
             }},
            {ID_COLOR_CURVE_EDITOR,
             [](F& f, E&) {
                 if (ColorCurveCtrl_cls* curves = f.m_core ? f.m_core->GetColorCurveControl() : nullptr)
                     curves->Show(&f);
             }},
            {ID_TEXTURE_EDITOR,
             [](F& f, E&) {
                 if (TexPropertyCtrl_cls* texture = f.m_core ? f.m_core->GetTextureControl() : nullptr)
                     texture->Show(&f);
             }},
            {ID_POVRAY_CONFIG, [](F& f, E&) { f.OnPovCommand(ID_POVRAY_CONFIG); }},
            {ID_STEREOGRAM_CONFIG,
             [](F& f, E&) {
                 if (StereoGramControl_cls* stereo = f.m_core ? f.m_core->GetStereoControl() : nullptr)
                     stereo->Show(&f);
             }},
            {ID_PERIODIC_BOUNDARY,
             [](F& f, E&) {
                 if (PeriodicBoundaryControl_cls* periodic =
                         f.m_core ? f.m_core->GetPeriodicBoundaryControl() : nullptr)
                     periodic->Show(&f);
             }},
            {ID_DEBUG_UNLOCK,
             [](F&, E&) {
                 // Frees a view whose paint guard was left set.
                 GbPaintBusy = false;
             }},
            {ID_DEBUG_SPECIAL,
             [](F&, E&) {
                 // The next parallel depth sort writes its state to "logA.txt" and "logB.txt".
                 GbSpecialDebug = true;
             }},
            {ID_ABOUT_OPENGL, [](F& f, E&) { f.OnAboutOpenGL(); }},
            {ID_END_CAPTURE, [](F& f, E&) { f.OnEndCapture(); }},
            {ID_APPLY_VIEW_SETTINGS, [](F& f, E&) { f.OnViewCommand(ID_APPLY_VIEW_SETTINGS); }},
            {ID_SET_CAMERA_KEY_POS, [](F& f, E&) { f.OnViewCommand(ID_SET_CAMERA_KEY_POS); }},
            {ID_SET_CAMERA_KEY_POSROT, [](F& f, E&) { f.OnViewCommand(ID_SET_CAMERA_KEY_POSROT); }},
            {ID_SET_ANCHOR_KEY, [](F& f, E&) { f.OnViewCommand(ID_SET_ANCHOR_KEY); }},
            {ID_IMGSEQ_PRECHECK,
             [](F& f, E&) {
                 if (ImgSequence_cls* seq = f.m_core ? f.m_core->GetImgSequence() : nullptr) {
                     seq->captureView = f.GetMainView();  // the view the run is written from
                     seq->StartRun(&f);
                 }
             }},
            {ID_START_EXPORT_RUN, [](F& f, E&) { f.StartExportRun(); }},
            {ID_FILTER_ADD_MENU, [](F& f, E& event) { f.OnFilterAddMenu(event.GetInt()); }},
            {ID_FILTERS_AT_TIME,
             [](F& f, E&) {
                 // The filters' placements and panels follow the displayed time.
                 if (f.m_core && f.GetTimeCtrl()) {
                     const double t = f.GetTimeCtrl()->GetNormalizedTime(-1, -1);
                     for (int i = 0; i < 3; ++i)
                         if (FilterCtrl_cls* list = f.m_core->GetFilterCtrl(i)) list->UpdateTransforms(t);
                 }
                 if (f.m_top)
                     for (int i = 0; i < 3; ++i)
                         if (FilterPanelPain_cls* page = f.m_top->FilterPage(i)) page->RefreshPanels();
             }},
            {ID_FILTER_CONTEXT_MENU, [](F& f, E&) { f.PopupAtMouse(f.m_menus[MENU_FILTER_CONTEXT]); }},
            {ID_PAGES_RELAYOUT,
             [](F& f, E&) {
                 if (f.m_top) {
                     f.m_top->Freeze();
                     f.m_top->RelayoutFilterPages();
                     f.m_top->RelayoutFilterPages();
                     f.m_top->Thaw();
                 }
             }},
            {ID_FILTER_DELETE,
             [](F& f, E&) {
                 if (f.m_core) f.m_core->DeleteSelectedFilter();
             }},
            {ID_FILTER_UP,
             [](F& f, E&) {
                 if (f.m_core) f.m_core->MoveSelectedFilter(-1);
             }},
            {ID_FILTER_DOWN,
             [](F& f, E&) {
                 if (f.m_core) f.m_core->MoveSelectedFilter(1);
             }},
            {ID_POV_EXPORT_SNAPSHOT, [](F& f, E&) { f.OnPovCommand(ID_POV_EXPORT_SNAPSHOT); }},
            {ID_POV_EXPORT_ANIMATION, [](F& f, E&) { f.OnPovCommand(ID_POV_EXPORT_ANIMATION); }},
            {ID_POV_RENDER_SNAPSHOT, [](F& f, E&) { f.OnPovCommand(ID_POV_RENDER_SNAPSHOT); }},
            {ID_POV_RENDER_ANIMATION, [](F& f, E&) { f.OnPovCommand(ID_POV_RENDER_ANIMATION); }},
        };
        // Every add-filter item makes the filter kind its id names.
        for (int id : {ID_ADD_BOOLEAN, ID_ADD_DATABOX, ID_ADD_OBJECT, ID_ADD_GRID, ID_ADD_FOG,
                       ID_ADD_FILTERING, ID_ADD_COPYBOX, ID_ADD_STICK, ID_ADD_BG})
            r.push_back({id, [](F& f, E& event) {
                             if (f.m_core) f.m_core->AddFilter(nullptr, FilterTypeForMenuId(event.GetId()));
                         }});
        // Sorted by id for the look-up.
        std::sort(r.begin(), r.end(), [](const CommandRow& a, const CommandRow& b) { return a.id < b.id; });
        return r;
    }();
    return rows;
}

void FrameMain_cls::OnCommand(wxCommandEvent& event) {
    const int id = event.GetId();
    if (m_hooks && m_hooks->onCommand) m_hooks->onCommand(id);
    const std::vector<CommandRow>& rows = CommandRows();
    const auto row = std::lower_bound(rows.begin(), rows.end(), id,
                                      [](const CommandRow& r, int wanted) { return r.id < wanted; });
    if (row != rows.end() && row->id == id) {
        row->run(*this, event);
        return;
    }
    // An id bound without a row has no handler (the tests hear of it).
    if (m_hooks && m_hooks->onUnhandled) m_hooks->onUnhandled(id);
}
