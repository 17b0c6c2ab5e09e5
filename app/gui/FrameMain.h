// The main window: menu bar, splitter with the upper and lower panels, status line, the
// internal command bus (every menu item and internal request is a menu-command event with a
// fixed id), the idle-time driver, the shortcut keys, and Open / Save / Save As of projects.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/frame.h>
#include <wx/timer.h>

#include "app/IdleDriver.h"
#include "app/MenuTable.h"
#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"
#include "common/MenuCommandPoster.h"
#include "common/gui/WidgetCommon.h"

class AppCore_cls;
class MainGLCanvas_cls;
class Scene_cls;
class ShortcutKeys_cls;
class TimeCtrl_cls;
class wxMenu;
class wxPanel;
class wxSplitterWindow;
class wxSplitterEvent;
class TopHalfPanel_cls;
class BtmHalfPanel_cls;
class MainGLCanvas_cls;
class GLExtraFrame_cls;

/// Seams of the window tests.
struct FrameTestHooks {
    /// Called with the id at the start of every command handler.
    std::function<void(int id)> onCommand;
    /// Replaces popping up a menu at the mouse (which waits for the user).
    std::function<void(wxMenu* menu)> popupMenu;
    /// Called with the id when a command reached the frame but no handler acted on it.
    std::function<void(int id)> onUnhandled;
};

class FrameMain_cls : public wxFrame,
                      public WidgetCommon_cls,
                      public MenuCommandPoster_cls,
                      public ShortcutForwarder_cls {
public:
    /// Builds the frame with its menus, panels and status line; registers itself as the
    /// command history's poster and the dialogs' shortcut forwarder. Not shown.
    FrameMain_cls(const wxString& title, AppCore_cls* core, int x, int y, int width, int height);
    ~FrameMain_cls() override;

    // Command bus ---------------------------------------------------------------------
    /// Queues a menu command with `id` to this frame (handled later, on the GUI thread).
    void PostMenuCommand(int id) override;
    /// A key a dialog did not use: kept and replayed through ID_FORWARD_KEY.
    void ForwardKey(int keyCode, int modifiers) override;

    // Settings ------------------------------------------------------------------------
    /// Offers a settings line to the frame's group ("LastOpenedFilePTP=",
    /// "LastOpenedFileIMG=").
    void ReadConfig(const wxString& line);
    /// The group's lines, CR LF each.
    wxString WriteConfig() const;
    /// The group of "LastOpenedFilePTP=" and "LastOpenedFileIMG=".
    ConfItemGroup_cls& ConfigGroup() { return m_group; }
    /// The layout section (upper panel and view bars); empty until those exist.
    wxString WriteLayoutConfig() const;
    /// Offers a line to the settings of the five views.
    void ReadViewConfig(const wxString& line);
    /// The settings lines of views 0 to 3 (a project holds them a second time).
    wxString WriteUpperViewConfig() const;

    // Projects ------------------------------------------------------------------------
    /// "LastOpenedFilePTP=" value: the project path Save writes to ("None" by default).
    wxString LastOpenedProject() const { return m_lastPTP.text; }
    void SetLastOpenedProject(const wxString& path) { m_lastPTP.text = path; }
    /// "LastOpenedFileIMG=" value.
    wxString LastOpenedImage() const { return m_lastIMG.text; }
    /// A project has been opened or saved; Save then writes without asking.
    bool IsProjectLoaded() const { return m_projectLoaded; }
    /// Title from "LastOpenedFilePTP=" ("Pelthorn3 - <path>") once a project has been
    /// opened or saved; before that the start title.
    void UpdateTitle();
    /// Checks the file, then releases the open scene and reads the project. A file that
    /// cannot be read or is incomplete leaves everything as it was and shows a message.
    /// After success Save writes to `path`. True on success.
    bool OpenProjectFile(const wxString& path);
    /// Writes the whole project to `path` through a temporary file. On success
    /// "LastOpenedFilePTP=" becomes `path`; on failure a message names the file and the
    /// value, the flag and the title stay as they were. True on success.
    bool SaveProjectTo(const wxString& path);

    // Other ---------------------------------------------------------------------------
    /// Field 0: the current data frame's file name (with why it cannot be read, when it
    /// cannot); field 1: frame, particle count and frame-cache memory; field 3: the
    /// reading progress while a reader runs. Field 2: the drawing progress while a draw runs.
    void UpdateStatusLine();
    /// Makes the data of scene frame `frame` (-1: the current position) ready: -1 waits
    /// for the reader and interpolator, any other frame only starts them. False, without
    /// waiting, while a wait for the reader is under way (the caller tries again later).
    bool PrepareFrame(int frame);
    /// The data of scene frame `frame` (-1: the current position) can be shown.
    bool IsFrameReady(int frame);
    /// Places the splitter's sash so that the lower pane gets its default height. Called
    /// before the frame is shown, the placement is made again once the splitter has its
    /// real height.
    void AdjustSash(bool force);
    /// After the central object has installed the views' scene drawer: the views make
    /// their frame ready before they draw, and the current sequence's four attribute sets
    /// get their "Attrib" pages.
    void InstallViewDrawing();
    /// The time text and legends over `view` on a w x h target (the views' 2-D overlay
    /// pass): the current data frame's time and the colour records of the current data
    /// sequence's four types (Ambient for spheres, else Col). GL context current.
    void DrawViewOverlays(MainGLCanvas_cls& view, int w, int h);
    /// The restart byte: set by the time model when playback restarted by itself.
    void SetRestartFlag(bool on) { m_restart = on; }
    bool RestartFlag() const { return m_restart; }
    /// Menu `menu` (FrameMenu) of the frame.
    wxMenu* GetFrameMenu(int menu) const { return m_menus[menu]; }
    /// The add-filter menu popped up for filter list `list` (0 Bool, 1 Object, 2 World).
    wxMenu* GetAddFilterPopup(int list) const { return m_addPopups[list]; }
    AppCore_cls* GetAppCore() const { return m_core; }
    /// Forgets the central object (it is being deleted while the frame still exists).
    void DetachAppCore() { m_core = nullptr; }
    /// The time model held by the central object (null once the central object is gone).
    TimeCtrl_cls* GetTimeCtrl() const;
    /// Requests the first frame that is not ready among the next prefetch-count playback
    /// steps in `direction` (+1 or -1); at most one load is started.
    void Prefetch(int direction);
    ShortcutKeys_cls* GetShortcutKeys() const { return m_shortcuts.get(); }
    /// The icon bitmaps by name ("Camera", ..., "PeriodicBoundary"); an empty bitmap when
    /// the file is missing.
    const wxBitmap& Icon(const wxString& name) const;
    /// The "Scene Config" controller (null without a time model).
    Scene_cls* GetSceneControl() const { return m_scene.get(); }
    /// Window tests' seams (not owned; null removes them).
    void SetTestHooks(FrameTestHooks* hooks) { m_hooks = hooks; }
    /// The upper panel with the four views and the notebooks.
    TopHalfPanel_cls* GetTopPanel() const { return m_top; }
    /// The view the shortcuts and camera keys act on: the current view, else view 0.
    MainGLCanvas_cls* GetMainView() const;
    /// The floating frame of the fifth view (hidden until "Extra Panel").
    GLExtraFrame_cls* GetExtraFrame() const { return m_extra; }
    /// Lower pane height: 150, or 210 on displays taller than 1050 pixels.
    int LowerPaneHeight() const { return m_lowerPaneHeight; }
    /// Runs the menu command whose accelerator is `key` with modifier mask `mask` (Alt 1,
    /// Ctrl 2, Shift 4, Meta 8) as a click on its item would, when the item is enabled.
    /// True when there is such an item (enabled or not): the key is the menu's.
    bool RunAccelerator(int mask, int key);

private:
    void CreateMenuBar();
    /// The frame's minimum width: what the lower pane (playback bar) needs.
    void KeepLowerPaneWhole();
    wxMenu* BuildMenu(int menu);
    void PopupAtMouse(wxMenu* menu);

    /// One command the frame handles: its id and what it does (FrameMainCommands.cpp).
    struct CommandRow {
        int id;
        void (*run)(FrameMain_cls& frame, wxCommandEvent& event);
    };
    /// Every command the frame handles, one row each, sorted by id; a new command is a row.
    static const std::vector<CommandRow>& CommandRows();
    /// Every id of FrameCommands() arrives here and runs its row.
    void OnCommand(wxCommandEvent& event);
    void OnQuit();
    void OnAbout();
    void OnAboutOpenGL();
    void ShowExtraPanel(bool show);
    void OnOpenProject();
    void OnSaveProject();
    void OnSaveProjectAs();
    void OnFilterAddMenu(int list);
    void OnEndCapture();
    // Data export runs (FrameMainExport.cpp) ---------------------------------------------
    /// ID_START_EXPORT_RUN: from the start of the work area, playback forward with one
    /// sub-frame per frame; the first frame is exported at once.
    void StartExportRun();
    /// A paint or a playback step shows the current frame: during a run it is exported once.
    void ExportShownFrame();
    /// Makes scene frame `sceneFrame`'s data ready and exports it; a failed write stops the
    /// run with a message naming the file, a wrap completes it.
    void ExportSceneFrame(int sceneFrame);
    /// The run is over; with `reachedEnd` (playback got to the last frame, or wrapped from
    /// it) a last frame that no paint or step exported is written first.
    void FinishExportRun(bool reachedEnd);
    /// The view commands: settings shown in the bars, camera and anchor keys from the
    /// main view (FrameMainCamera.cpp).
    void OnViewCommand(int id);
    /// ID_END_CAPTURE: the main view leaves its run modes.
    void EndViewRunModes();
    /// The POV-Ray commands: the dialog, exports and renders of a snapshot or an
    /// animation, and the end of a render (FrameMainPov.cpp).
    void OnPovCommand(int id);
    void OnMoveFrame();
    /// ID_PARAM_PANEL_REFRESH: the parameter panel drops its group selection, and the selected
    /// scene object goes with it.
    void DropParamSelection();
    void OnKeyDown(wxKeyEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnIdle(wxIdleEvent& event);
    void OnTimer(wxTimerEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnSashChanged(wxSplitterEvent& event);
    /// The default sash placement asked for before the splitter had its real height.
    void PlacePendingSash();
    void ReportSaveFailure(const wxString& path, const std::string& error);

    class IdleHost;

    AppCore_cls* m_core;
    wxSplitterWindow* m_splitter = nullptr;
    wxPanel* m_upper = nullptr;
    TopHalfPanel_cls* m_top = nullptr;
    GLExtraFrame_cls* m_extra = nullptr;
    BtmHalfPanel_cls* m_lower = nullptr;
    wxMenu* m_menus[MENU_COUNT] = {};
    wxMenu* m_addPopups[3] = {};  ///< pop-up copies of Bool, Object, World; owned
    std::vector<std::pair<wxString, wxBitmap>> m_icons;
    wxTimer m_timer;
    std::unique_ptr<ShortcutKeys_cls> m_shortcuts;
    std::unique_ptr<IdleHost> m_idleHost;
    int m_lowerPaneHeight = 150;
    wxSize m_framing;  ///< outer size minus client size when the minimum size was last set
    bool m_sashPending = false;  ///< AdjustSash ran before the splitter had its height
    bool m_restart = false;
    bool m_projectLoaded = false;
    bool m_focusSettled = false;  ///< the first activation has placed the keyboard
    int m_forwardedKey = 0;
    int m_forwardedMods = 0;
    ConfItemGroup_cls m_group;
    ConfItemSTR_cls m_lastPTP;
    ConfItemSTR_cls m_lastIMG;
    FrameTestHooks* m_hooks = nullptr;
    std::unique_ptr<Scene_cls> m_scene;  ///< "Scene Config" controller
};

/// The main frame: the target of every posted command; null before it exists and after
/// it was destroyed.
extern FrameMain_cls* GpFrameMain;
