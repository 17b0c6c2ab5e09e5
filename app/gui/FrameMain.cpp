// The main window: construction, command bus, Quit, About, key and idle handling.
#include "app/gui/FrameMain.h"

#include <wx/clipbrd.h>

#include "scene/gui/TexPropertyGUI.h"

#include <algorithm>
#include <cmath>

#include <wx/busyinfo.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/splitter.h>
#include <wx/textentry.h>
#include <wx/statusbr.h>
#include <wx/thread.h>
#include <wx/utils.h>

#include "app/AboutText.h"
#include "app/BusyFlags.h"
#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "app/MenuTable.h"
#include "app/WorkerWait.h"
#include "app/gui/AboutBox.h"
#include "app/gui/AppCore.h"
#include "scene/LightSRCCtrl.h"
#include "scene/SceneObj.h"
#include "timeline/gui/ParamGUICtrl.h"
#include "scene/gui/LightSRCGUI.h"
#include "scene/PovRayCtrl.h"
#include "app/gui/Preference.h"
#include "app/gui/ShortcutKeys.h"
#include "data/DataExporter.h"
#include "app/gui/BtmHalfPanel.h"
#include "app/gui/TopHalfPanel.h"
#include "platform/gui/GLDrawable.h"
#include "view/gui/GLInfo.h"
#include "view/gui/GLResources.h"
#include "view/DepthSort.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/SequenceRenderer.h"
#include "view/gui/ViewScene.h"
#include "data/DataLoader.h"
#include "data/DataFrame.h"
#include "data/DataSequenceSet.h"
#include "data/ThreadFileReader.h"
#include "data/gui/PeriodicBoundaryGUI.h"
#include "common/gui/AppFonts.h"
#include <wx/colordlg.h>
#include <wx/colourdata.h>

#include "common/gui/ColourDialogEX.h"
#include "common/gui/FileDialogEX.h"
#include "common/gui/MessageHelpers.h"
#include "platform/ProgramPaths.h"
#include "platform/Trace.h"
#include "timeline/TimeCtrl.h"
#include "view/DrawOptions.h"
#include "view/ExposureSettings.h"
#include "view/gui/ImgSequence.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/CameraPathGUI.h"
#include "view/gui/StereoGramGUI.h"
#include "filters/gui/ColorCurveGUI.h"
#include "view/gui/ExposurePage.h"
#include "view/gui/OptionPage.h"
#include "view/OverlaySettings.h"
#include "view/gui/OverlayPage.h"
#include "timeline/gui/ParamGUICtrl.h"
#include "filters/FilterCtrl.h"
#include "filters/gui/FilterPanelPain.h"
#include "timeline/gui/Scene.h"

#include <wx/numdlg.h>

FrameMain_cls* GpFrameMain = nullptr;

static_assert(ID_QUIT == wxID_EXIT, "Quit uses the toolkit's stock Exit id");
static_assert(ID_ABOUT == wxID_ABOUT, "About uses the toolkit's stock About id");

namespace {

const char* const kIconNames[] = {"Camera",     "LightSource",     "SpotLight", "Color",
                                  "Preference", "PovRay",          "Scene",     "Texture",
                                  "StereoGram", "PeriodicBoundary"};

wxBitmap LoadPng(const wxString& relative) {
    wxBitmap bmp;
    if (relative.empty()) return bmp;
    const std::string path = platform::FindProgramData(std::string(relative.utf8_str()));
    if (!platform::PathExists(path)) return bmp;
    wxLogNull quiet;  // a broken icon file gives an empty bitmap, not a message box
    bmp.LoadFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG);
    return bmp;
}

}  // namespace

// The world as the idle driver sees it. The particle data, the views and POV-Ray add
// their parts here as they join the program; until then there is nothing to load and
// every view is current.
class FrameMain_cls::IdleHost : public IdleHost_cls {
public:
    explicit IdleHost(FrameMain_cls* frame) : m_frame(frame) {}
    void EnforceMemoryLimit() override {
        if (GpDataSequenceSet && Time()) GpDataSequenceSet->EnforceMemoryLimit(Time()->Frame(), Time()->AnimStep());
    }
    bool ReaderRunning() override { return ThreadFileReader_cls::IsRunning(); }
    void PostStatusRefresh() override { m_frame->PostMenuCommand(ID_STATUS_REFRESH); }
    int CurrentFrame() override { return Time() ? Time()->Frame() : 0; }
    double DataTime(int frame) override {
        return Time() ? Time()->GetDataTime(frame, Time()->SubFrame()) : frame;
    }
    bool IsFrameReady(int frame, double fraction) override {
        return !GpDataSequenceSet ||
               GpDataSequenceSet->IsFrameReady(frame, fraction, Time() && Time()->motionBlur.sampling);
    }
    int SteppedFrame(int steps) override {
        return Time() ? Time()->GetSteppedFrame(-1, steps, true, true) : -1;
    }
    int MaxFrame() override { return Time() ? Time()->MaxFrame() : 0; }
    void PrepareFrame(int frame) override {
        // -1 (the current frame) here only starts the load: the idle pass never blocks.
        if (frame == -1) frame = CurrentFrame();
        m_frame->PrepareFrame(frame);
    }
    int PrefetchCount() override { return Time() ? Time()->prefetch : 0; }
    int Direction() override { return Time() ? Time()->direction : 1; }
    bool RedrawPending() override { return GbRedrawPending; }
    void SetRedrawPending() override { GbRedrawPending = true; }
    bool AllViewsCurrent() override {
        TopHalfPanel_cls* top = m_frame->GetTopPanel();
        if (!top) return true;
        const int frame = Time() ? Time()->Frame() : 0;
        const int sub = Time() ? Time()->SubFrame() : 0;
        return top->AllViewsCurrent(frame, sub);
    }
    void Sleep(int ms) override { wxMilliSleep(ms); }
    bool Playing() override { return Time() && Time()->IsPlaying(); }
    bool Tick() override { return Time() && Time()->Tick(); }
    void RenderNextAnimFrame() override {
        if (PovRayCtrl_cls* pov = m_frame->GetAppCore() ? m_frame->GetAppCore()->GetPovRay() : nullptr)
            pov->RenderNextAnimFrame();
    }

private:
    TimeCtrl_cls* Time() const {
        return m_frame->GetAppCore() ? m_frame->GetAppCore()->GetTimeCtrl() : nullptr;
    }
    FrameMain_cls* m_frame;
};

FrameMain_cls::FrameMain_cls(const wxString& title, AppCore_cls* core, int x, int y, int width,
                             int height)
    : wxFrame(nullptr, wxID_ANY, title, wxPoint(x, y), wxSize(width, height), wxDEFAULT_FRAME_STYLE,
              "frame"),
      m_core(core),
      m_timer(this, 0) {
    GpFrameMain = this;
#ifdef __WXGTK__
    // wxGTK would map the frame first and wait for the window manager's frame extents
    // before giving it its size; meanwhile GTK lays the whole window out a few pixels
    // wide, and every notebook and spin button complains of it on standard error (and the
    // frame may end up at its minimum size). Shown at once, the frame opens at its size.
    m_deferShow = false;
#endif
    m_projectLoaded = false;
    SetFont(GetAppFont(0));

    for (const char* name : kIconNames)
        m_icons.emplace_back(name, LoadPng(wxString("ICONS/") + name + ".png"));

    m_shortcuts = std::make_unique<ShortcutKeys_cls>(this);
    m_idleHost = std::make_unique<IdleHost>(this);

    SetExtraStyle(GetExtraStyle() | wxWS_EX_PROCESS_IDLE);
    m_timer.Start(500);

    m_group.Register(&m_lastPTP, "LastOpenedFilePTP=", "None");
    m_group.Register(&m_lastIMG, "LastOpenedFileIMG=", "None");

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_splitter = new wxSplitterWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_3DSASH,
                                      "splitter");
    m_splitter->SetSashGravity(1.0);
    m_splitter->Bind(wxEVT_SPLITTER_SASH_POS_CHANGED, &FrameMain_cls::OnSashChanged, this);
    // A sash placed before the frame has its size is placed again once the splitter is
    // tall enough: with gravity 1.0 the lower pane would otherwise keep the sliver it was
    // given while the frame was still small.
    m_splitter->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        if (m_sashPending) CallAfter([this] { PlacePendingSash(); });
    });
    // The upper panel (views and notebooks) and the lower panel (timeline and parameter
    // rows) are filled by their owners; the frame keeps their places and colours.
    CreateGLResources();
    // The views paint only when the loaders, the configuration reader, Save and Quit leave
    // them free, draw through the off-screen buffers as the preference says, and show the
    // time model's frame.
    MainGLCanvas_cls::SetBusyCheck([] {
        return GbGLLockForConfig || GbGLLockForSaveOrQuit || GbGLLockForLoadingData ||
               GbGLLockForInterpolation;
    });
    MainGLCanvas_cls::SetUseFBO([] { return !GpPreference || GpPreference->UseFBO(); });
    MainGLCanvas_cls::SetFrameSource([this](int& frame, int& sub, double& t) {
        TimeCtrl_cls* time = GetTimeCtrl();
        frame = time ? time->Frame() : 0;
        sub = time ? time->SubFrame() : 0;
        t = time ? time->GetNormalizedTime(-1, 0) : 0;
    });
    m_top = new TopHalfPanel_cls(m_splitter, this, core);
    m_upper = m_top;
    TimeCtrl_cls* time = core ? core->GetTimeCtrl() : nullptr;
    m_lower = new BtmHalfPanel_cls(m_splitter, time);
    m_upper->SetBackgroundColour(wxColour("WHITE"));
    m_extra = new GLExtraFrame_cls(this);
    if (time) m_scene = std::make_unique<Scene_cls>(this, time, &Icon("Scene"));
    // The lower pane starts at its working height: squeezed to a 30-pixel strip until the
    // first AdjustSash, its playback bar and rows would be laid out below the sizes GTK
    // needs for them (which GTK reports as warnings on standard error).
    m_lowerPaneHeight = (core && core->DisplayHeight() > 1050) ? 210 : 150;
    m_splitter->SetMinimumPaneSize(80);
    m_splitter->SplitHorizontally(m_upper, m_lower, -m_lowerPaneHeight);
    sizer->Add(m_splitter, 1, wxEXPAND);

    CreateMenuBar();

    wxStatusBar* status =
        CreateStatusBar(4, wxSTB_SIZEGRIP | wxFULL_REPAINT_ON_RESIZE, 0, "status_line");
    const int widths[4] = {-1, -1, 180, 180};
    status->SetStatusWidths(4, widths);
    for (int i = 0; i < 4; ++i) SetStatusText(wxString::Format("field_%d", i), i);

    SetSizer(sizer);
    KeepLowerPaneWhole();
    // The window manager tells the size of its frame around ours only after the show: the
    // minimum size is set again with it.
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        if (IsShownOnScreen() && GetSize() - GetClientSize() != m_framing)
            CallAfter([this] { KeepLowerPaneWhole(); });
    });
    // GTK's theme paddings count once the frame is on screen: measure again then.
    Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
        if (event.IsShown()) CallAfter([this] {
                KeepLowerPaneWhole();
                PlacePendingSash();
            });
        event.Skip();
    });
    SetFocus();
    Refresh(false);

    GpFileDialogEX = new FileDialogEX(this);
    GpColourDialogEX = new ColourDialogEX_cls(this, wxColour("BLACK"), true);

    for (const FrameCommandSpec& c : FrameCommands())
        Bind(wxEVT_MENU, &FrameMain_cls::OnCommand, this, c.id);
    Bind(wxEVT_KEY_DOWN, &FrameMain_cls::OnKeyDown, this);
    Bind(wxEVT_CHAR_HOOK, &FrameMain_cls::OnCharHook, this);
    m_upper->Bind(wxEVT_KEY_DOWN, &FrameMain_cls::OnKeyDown, this);
    m_lower->Bind(wxEVT_KEY_DOWN, &FrameMain_cls::OnKeyDown, this);
    Bind(wxEVT_IDLE, &FrameMain_cls::OnIdle, this);
    Bind(wxEVT_TIMER, &FrameMain_cls::OnTimer, this, 0);
    Bind(wxEVT_CLOSE_WINDOW, &FrameMain_cls::OnClose, this);

    GoCommandHistory.SetPoster(this);
    ShortcutForwarder_cls::Install(this);
    // The frame drives export runs: playback plus the paints of the views.
    if (GpDataExporter) GpDataExporter->runAvailable = true;
}

FrameMain_cls::~FrameMain_cls() {
    m_timer.Stop();
    MainGLCanvas_cls::SetGLInitHook(nullptr);
    MainGLCanvas_cls::SetOverlayDrawer(nullptr);  // it draws through this frame
    if (m_scene) {
        // The scene dialog edits its controller's fields: it goes before the controller,
        // not later with the frame's other child windows.
        delete m_scene->gui;
        m_scene->gui = nullptr;
        m_scene->dialog = nullptr;
        m_scene.reset();
    }
    if (SequenceRenderer_cls* renderer = m_core ? m_core->GetSequenceRenderer() : nullptr)
        renderer->progress = nullptr;  // it refreshed this frame's status line
    if (ShortcutForwarder_cls::Installed() == this) ShortcutForwarder_cls::Install(nullptr);
    if (GoCommandHistory.Poster() == this) GoCommandHistory.SetPoster(nullptr);
    m_shortcuts.reset();
    delete GpFileDialogEX;
    GpFileDialogEX = nullptr;
    delete GpColourDialogEX;
    GpColourDialogEX = nullptr;
    delete m_menus[MENU_FILTER_CONTEXT];
    m_menus[MENU_FILTER_CONTEXT] = nullptr;
    for (wxMenu*& m : m_addPopups) {
        delete m;
        m = nullptr;
    }
    if (GpDataExporter) {
        GpDataExporter->runAvailable = false;
        GpDataExporter->exporting = false;
    }
    if (m_core) m_core->FrameDestroyed(this);
    MainGLCanvas_cls::SetBusyCheck(nullptr);
    MainGLCanvas_cls::SetUseFBO(nullptr);
    MainGLCanvas_cls::SetFrameSource(nullptr);
    MainGLCanvas_cls::SetFrameRequest(nullptr);
    // The shared GL objects go while their context still exists (the views are destroyed
    // after this, with the frame's other child windows).
    if (wxGLContext* context = MainGLCanvas_cls::SharedContext()) {
        MainGLCanvas_cls* view = m_top ? m_top->View(0) : nullptr;
        if (view && view->IsShownOnScreen()) platform::MakeCurrentChecked(*context, *view);
    }
    for (FilterCtrl_cls* list : GpFilterCtrls)
        if (list) list->ReleaseRetiredGL();
    ReleaseGLResources();
    if (GpFrameMain == this) GpFrameMain = nullptr;
}

// ---------------------------------------------------------------------------------------
// Menus

wxMenu* FrameMain_cls::BuildMenu(int menu) {
    auto* m = new wxMenu;
    for (const MenuItemSpec& s : MenuEntries(menu)) {
        if (s.kind == ITEM_SEPARATOR) {
            m->AppendSeparator();
            continue;
        }
        const wxString text = wxGetTranslation(s.text);
        wxString label(s.format);
        const size_t first = label.find("%s");
        if (first != wxString::npos) label.replace(first, 2, text);
        if (s.text2) {
            const size_t second = label.find("%s", first + text.length());
            if (second != wxString::npos) label.replace(second, 2, wxGetTranslation(s.text2));
        }
        wxString help;
        if (!s.help)
            help = text;
        else if (*s.help)
            help = wxGetTranslation(s.help);
        if (s.kind == ITEM_SUBMENU) {
            wxMenu* sub = BuildMenu(s.submenu);
            if (!m_menus[s.submenu]) m_menus[s.submenu] = sub;
            m->Append(s.id, label, sub, help);
            continue;
        }
        auto* item = new wxMenuItem(m, s.id, label, help,
                                    s.kind == ITEM_CHECK ? wxITEM_CHECK : wxITEM_NORMAL);
        if (s.bitmap && *s.bitmap) {
            const wxString b(s.bitmap);
            const wxBitmap bmp = b.StartsWith("ICONS/") ? LoadPng(b) : Icon(b);
            if (bmp.IsOk()) item->SetBitmap(bmp);
        }
        m->Append(item);
    }
    return m;
}

void FrameMain_cls::CreateMenuBar() {
    auto* bar = new wxMenuBar;
    for (int menu : MenuBarOrder()) {
        m_menus[menu] = BuildMenu(menu);
        const char* key = MenuBarTitleKey(menu);
        const wxString title =
            (menu == MENU_POVRAY ? wxString(key) : wxGetTranslation(key)) + MenuBarMnemonic(menu);
        bar->Append(m_menus[menu], title);
    }
    SetMenuBar(bar);
    m_menus[MENU_FILTER_CONTEXT] = BuildMenu(MENU_FILTER_CONTEXT);
    // A menu that hangs in the menu bar cannot also be popped up: the filter pages get
    // copies of Bool, Object and World with the same items and ids.
    const int popups[3] = {MENU_BOOL, MENU_OBJECT, MENU_WORLD};
    for (int i = 0; i < 3; ++i) m_addPopups[i] = BuildMenu(popups[i]);
}

const wxBitmap& FrameMain_cls::Icon(const wxString& name) const {
    static const wxBitmap empty;
    for (const auto& p : m_icons)
        if (p.first == name) return p.second;
    return empty;
}

void FrameMain_cls::PopupAtMouse(wxMenu* menu) {
    if (!menu) return;
    if (m_hooks && m_hooks->popupMenu) {
        m_hooks->popupMenu(menu);
        return;
    }
    PopupMenu(menu, ScreenToClient(wxGetMousePosition()));
}

// ---------------------------------------------------------------------------------------
// Command bus

void FrameMain_cls::PostMenuCommand(int id) {
    WidgetCommon_cls::PostMenuCommand(this, id);
}

void FrameMain_cls::ForwardKey(int keyCode, int modifiers) {
    m_forwardedKey = keyCode;
    m_forwardedMods = modifiers;
    PostMenuCommand(ID_FORWARD_KEY);
}

void FrameMain_cls::OnQuit() {
    if (GbGLLockForSaveOrQuit) return;
    GbGLLockForSaveOrQuit = true;
    const bool yes = AskYesNo(this, wxGetTranslation("Query"), wxGetTranslation("Really Quit ?"));
    if (yes) {
        WaitForWorkerThreads();
        std::string error;
        if (m_core && !m_core->WriteConfigFile(&error))
            ShowMessageBox(this, wxString::FromUTF8(error), "Warning");
        GbGLLockForSaveOrQuit = false;
        Close(true);
        return;
    }
    GbGLLockForSaveOrQuit = false;
}

void FrameMain_cls::OnClose(wxCloseEvent& event) {
    // The close box ends the program as Quit does, without the question and without
    // writing the configuration file; running workers are waited for all the same.
    WaitForWorkerThreads();
    // Text the program put on the clipboard (a camera path, keys, colours) stays there for
    // pasting once the program has gone, where the desktop keeps clipboards.
    if (wxTheClipboard->Open()) {
        wxTheClipboard->Flush();
        wxTheClipboard->Close();
    }
    event.Skip();
}

void FrameMain_cls::OnAbout() {
    AboutFacts facts;
    facts.program = "Pelthorn3";
    facts.version = "0.82";
    facts.toolkit = std::string(wxGetLibraryVersionInfo().GetVersionString().utf8_str());
    facts.system = std::string(wxGetOsDescription().utf8_str());
    const wxMemorySize free = wxGetFreeMemory();
    facts.freeMemory = free.GetValue();
    facts.processors = wxThread::GetCPUCount();
    AboutBox_cls box(this, wxID_ANY, wxGetTranslation("About Pelthorn3"),
                     wxString::FromUTF8(BuildAboutText(facts)));
    box.ShowModal();
}

void FrameMain_cls::OnAboutOpenGL() {
    // Before any view has set its GL state up the record is empty and shows its zeros.
    const GLInfo_cls& info = GLInfoRecord();
    const wxString text = info.GLVersionText() + "\n" + info.GLSLVersionText() + "\n" +
                          info.MaxElementsVerticesText() + "\n" + info.MaxElementsIndicesText() + "\n";
    AboutBox_cls box(this, wxID_ANY, wxGetTranslation("About Open GL"), text);
    box.ShowModal();
}

void FrameMain_cls::ShowExtraPanel(bool show) {
    if (!m_extra) return;
    m_extra->Show(show);
    if (wxMenuItem* item = GetMenuBar() ? GetMenuBar()->FindItem(ID_EXTRA_PANEL) : nullptr)
        item->Check(show);
    if (show) m_extra->View()->RequestPaint();
}

void FrameMain_cls::OnFilterAddMenu(int list) {
    if (list < 0 || list > 2) return;
    PopupAtMouse(m_addPopups[list]);
}

void FrameMain_cls::OnEndCapture() {
    // The main view's run modes end here, once the frame the capturing view is about to
    // draw (the last of the run, or the one on screen when the user aborts) has been drawn
    // and saved.
    ImgSequence_cls* sequence = m_core ? m_core->GetImgSequence() : nullptr;
    if (MainGLCanvas_cls* view = sequence ? sequence->captureView : nullptr) {
        TimeCtrl_cls* t = GetTimeCtrl();
        if (view->SequenceCaptureOn() && t && !view->RefreshIfStale(t->Frame(), t->SubFrame())) view->Update();
        view->EndSequenceCapture();
    }
    EndViewRunModes();
    if (ImgSequence_cls* seq = m_core ? m_core->GetImgSequence() : nullptr) seq->EndRun();
    TimeCtrl_cls* t = GetTimeCtrl();
    if (GpDataExporter && GpDataExporter->exporting) {
        // Playback stopped at the last frame, or wrapped from it with repeat (the restart
        // byte): the run has reached its end. Otherwise it was stopped on the way.
        FinishExportRun(m_restart || (t && t->Frame() == GpDataExporter->endSceneFrame));
    } else if (GpDataExporter && GpDataExporter->running) {
        GpDataExporter->EndRun();
    }
    if (t && t->IsPlaying() && !m_restart) t->StopPlayback();
    m_restart = false;
}

void FrameMain_cls::OnMoveFrame() {
    TimeCtrl_cls* t = GetTimeCtrl();
    if (!t) return;
    const long frame = wxGetNumberFromUser("Frame", wxString(), wxGetTranslation("Move Frame"),
                                           t->Frame(), 0, t->MaxFrame(), nullptr);
    if (frame != -1) t->SetFrameUndoable(int(frame), -1);
}

TimeCtrl_cls* FrameMain_cls::GetTimeCtrl() const {
    return m_core ? m_core->GetTimeCtrl() : nullptr;
}

void FrameMain_cls::DropParamSelection() {
    // A click on an empty part of the timeline: no parameter group stays selected, and no
    // scene object stays the target of the views' gizmo.
    ParamGUICtrl_cls* params = ParamGUICtrl_cls::Of(GetTimeCtrl());
    SceneObj_cls* selected = params ? dynamic_cast<SceneObj_cls*>(params->SelectGroup(nullptr)) : nullptr;
    if (selected == GpSelectedSceneObj) return;
    SetSelectedSceneObj(selected);
    PostMenuCommand(ID_REDRAW_VIEWS);
}

void FrameMain_cls::OnKeyDown(wxKeyEvent& event) {
    const ShortcutAction a =
        m_shortcuts->OnKey(ShortcutForwarder_cls::ModifierMask(event), event.GetKeyCode());
    // A key that is no shortcut goes on to the menu accelerators (Q, F5, Alt+1, ...); here
    // they are looked up after the window's own key handler, not before it.
    if (a.kind == SHORTCUT_NONE) event.Skip();
}

void FrameMain_cls::OnCharHook(wxKeyEvent& event) {
    // Menu accelerators are run here, before any control sees the key, so that a control
    // that keeps its keys (a button, a slider) or a shortcut that shares the letter
    // (Ctrl+Shift+S against S) cannot take them. A plain printable accelerator (Quit's Q)
    // is left to a text field that has the keyboard.
    const int mask = ShortcutForwarder_cls::ModifierMask(event);
    const int key = event.GetKeyCode();
    const bool printable = mask == 0 && key >= 32 && key <= 126;
    if (printable && dynamic_cast<wxTextEntry*>(wxWindow::FindFocus())) {
        event.Skip();
        return;
    }
    if (RunAccelerator(mask, key)) return;
    event.Skip();
}

bool FrameMain_cls::RunAccelerator(int mask, int key) {
    const int id = MenuAcceleratorFor(mask, key);
    if (id == 0) return false;
    wxMenuItem* item = GetMenuBar() ? GetMenuBar()->FindItem(id) : nullptr;
    if (!item) return false;
    if (!item->IsEnabled()) return true;
    wxCommandEvent e(wxEVT_MENU, id);
    e.SetEventObject(this);
    if (item->IsCheckable()) {
        item->Check(!item->IsChecked());
        e.SetInt(item->IsChecked() ? 1 : 0);
    }
    GetEventHandler()->AddPendingEvent(e);
    return true;
}

void FrameMain_cls::OnIdle(wxIdleEvent&) {
    IdleDriver_cls::RunIdle(*m_idleHost);
}

void FrameMain_cls::Prefetch(int direction) {
    IdleDriver_cls::Prefetch(*m_idleHost, direction);
}

void FrameMain_cls::OnTimer(wxTimerEvent&) {
    // A finished reader is forgotten, so the next idle pass may prefetch again.
    ThreadFileReader_cls::ForgetFinished();
}

bool FrameMain_cls::PrepareFrame(int frame) {
    if (GbGLLockForLoadingData) {
        // Reached only from a nested event loop during a wait for the reader: nothing is
        // prepared now; the idle pass or the next paint asks again.
        platform::Trace("GbGLLockForLoadingData == TRUE: Prepare impossible");
        return false;
    }
    TimeCtrl_cls* t = GetTimeCtrl();
    if (!t || !GpDataSequenceSet) return false;
    const double d = t->GetDataTime(frame, -1);
    const double whole = std::floor(d);
    GpDataSequenceSet->PrepareFrame(static_cast<int>(whole), d - whole, t->motionBlur.sampling != 0,
                                    frame == -1);
    return true;
}

bool FrameMain_cls::IsFrameReady(int frame) {
    TimeCtrl_cls* t = GetTimeCtrl();
    if (!t || !GpDataSequenceSet) return true;
    const double d = t->GetDataTime(frame, -1);
    const double whole = std::floor(d);
    return GpDataSequenceSet->IsFrameReady(static_cast<int>(whole), d - whole,
                                           t->motionBlur.sampling != 0);
}

void FrameMain_cls::OnSashChanged(wxSplitterEvent& event) {
    event.Skip();
}

// ---------------------------------------------------------------------------------------
// Settings, status, layout

void FrameMain_cls::ReadConfig(const wxString& line) {
    m_group.OfferLine(line);
    ReadViewConfig(line);
}

wxString FrameMain_cls::WriteConfig() const {
    return m_group.WriteAll();
}


void FrameMain_cls::UpdateStatusLine() {
    if (!GetStatusBar()) return;
    wxString file, frameText, loading;
    TimeCtrl_cls* t = GetTimeCtrl();
    DataSequence_cls* seq = GpDataSequenceSet ? GpDataSequenceSet->GetCurrent() : nullptr;
    if (t && seq && seq->GetFrameCount() > 0) {
        const int i = seq->Clamp(std::max(0, t->GetDataFrame(-1)));
        DataFrame_cls& f = *seq->frames[i];
        file = seq->GetFileName(i);
        // The file test settles a body whose read has just failed (and reports it once).
        if (!f.fileName.empty() && !f.IsReadable())
            file += ": " + (f.readError.empty() ? wxString(wxGetTranslation("File open fails"))
                                                : wxString::FromUTF8(f.readError));
        else if (!f.readWarning.empty())
            file = wxString::FromUTF8(f.readWarning);  // names the file and the first line left out
        frameText = wxString::Format("frame %d/%d", i, seq->GetFrameCount() - 1);
        if (f.loaded.load(std::memory_order_acquire))
            frameText += wxString::Format("  %lld particles",
                                          static_cast<long long>(seq->GetParticleCount(i)));
        frameText += wxString::Format("  %d/%d MB", GpDataSequenceSet->UpdateMemoryInUse(),
                                      GpDataSequenceSet->memoryLimit);
    }
    const int progress = GiLoadProgress.load(std::memory_order_acquire);
    if (ThreadFileReader_cls::IsRunning() && progress != 100)
        loading = wxString::Format("index:%d- Loading%d%%",
                                   GiLoadingFileIndex.load(std::memory_order_acquire), progress);
    SetStatusText(file, 0);
    SetStatusText(frameText, 1);
    // The drawing progress (field 2): the particle renderer refreshes the line while it
    // draws; between draws the progress is 100 and the field empty.
    SetStatusText(wxString::FromUTF8(DrawProgressText(GiDrawMode, GiDrawProgress)), 2);
    SetStatusText(loading, 3);
}

void FrameMain_cls::KeepLowerPaneWhole() {
    // The playback bar's controls cannot shrink below what GTK needs for them (it complains
    // on standard error when they are given less): the frame is never narrower. Nor is it
    // shorter than both panes' scroll bars and notebook tabs need.
    if (!m_lower) return;
    m_lower->InvalidateBestSize();
    const int need = m_lower->GetBestSize().x;
    constexpr int kMinClientHeight = 280;
    // As an outer size: the window manager's frame counts once it is known (after the show).
    m_framing = GetSize() - GetClientSize();
    SetMinSize(wxSize(need, kMinClientHeight) + m_framing);
    // The frame grows by what its client area lacks, from its own outer size: a client
    // height read before the frame has its size on screen is no height to give it.
    const wxSize client = GetClientSize();
    const wxSize outer = GetSize();
    wxSize want = outer;
    if (client.x < need) want.x += need - client.x;
    if (client.y < kMinClientHeight) want.y += kMinClientHeight - client.y;
    // Once on screen its decorations count: the frame stays within the usable area of the
    // screen where its minimum allows.
    if (IsShownOnScreen() && m_core) {
        const FrameRect& area = m_core->ScreenArea();
        const int bottom = area.y + area.height;
        const int top = GetPosition().y;
        if (area.height > 0 && top + want.y > bottom)
            want.y = std::max(bottom - top, outer.y - client.y + kMinClientHeight);
    }
    if (want != outer) SetSize(want);
}

void FrameMain_cls::AdjustSash(bool force) {
    if (!m_splitter) return;
    wxSizer* lowerSizer = m_lower->GetSizer();
    int h = lowerSizer ? lowerSizer->GetMinSize().y : 0;
    if (h > 120) h = 120;
    const int s = m_splitter->GetSashPosition();
    const int H = m_splitter->GetClientSize().y;
    m_splitter->SetMinimumPaneSize(80);
    if (force || s > H - h) {
        m_splitter->SetSashPosition(H - m_lowerPaneHeight, true);
        Refresh(true);
        // Before the frame is on screen the splitter's height is not yet the real one.
        if (!IsShownOnScreen() || H < m_lowerPaneHeight + 80) m_sashPending = true;
    }
}

void FrameMain_cls::PlacePendingSash() {
    if (!m_sashPending || !m_splitter || !m_splitter->IsSplit() || !IsShownOnScreen()) return;
    const int H = m_splitter->GetClientSize().y;
    // The upper pane keeps at least the splitter's minimum pane size.
    if (H < m_lowerPaneHeight + 80) return;
    m_sashPending = false;
    m_splitter->SetSashPosition(H - m_lowerPaneHeight, true);
}
