// The main frame's command bus and menus, and Open / Save / Save As of projects.
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/ExpectedFiles.h"
#include "scene/PovRayCtrl.h"

#include <gtest/gtest.h>

#include <wx/filedlg.h>
#include <wx/splitter.h>
#include <wx/menu.h>

#include <cstring>
#include <filesystem>
#include <unistd.h>

#include "app/AtomicFile.h"
#include "app/BusyFlags.h"
#include "common/CommandIds.h"
#include "app/MenuTable.h"
#include "app/gui/AboutBox.h"
#include "app/gui/TopHalfPanel.h"
#include "common/gui/FileDialogEX.h"
#include "platform/ProgramPaths.h"

#include <wx/hyperlink.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>
#include "common/CommandHistory.h"
#include "common/gui/MultiInputPanel.h"
#include "data/DataLoader.h"
#include "data/PeriodicBoundary.h"
#include "data/gui/DataLoaderGUI.h"
#include "data/gui/PeriodicBoundaryGUI.h"
#include "timeline/ParamGroup.h"
#include "timeline/TimeCtrl.h"
#include "view/ImageSaver.h"
#include "view/gui/MainGLCanvas.h"

using shelltest::Shell;
using testsupport::FileExists;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

/// The refreshes the current view posts after each of its paints (the camera-path, light
/// and stereogram dialogs follow it); a command that repaints the views adds them.
bool IsPaintRefresh(int id) {
    return id == ID_CAMERA_DIALOG_REFRESH || id == ID_LIGHT_DIALOG_REFRESH || id == ID_STEREO_DIALOG_REFRESH;
}

struct Recorder {
    FrameTestHooks hooks;
    std::vector<int> ids;
    std::vector<wxMenu*> popups;
    std::vector<int> unhandled;  ///< ids that reached the frame without a handler
    /// Leaves out the paints' dialog refreshes, except the one command being posted.
    int keep = -1;
    explicit Recorder(FrameMain_cls* frame) {
        hooks.onCommand = [this](int id) {
            if (!IsPaintRefresh(id) || (id == keep && ids.empty())) ids.push_back(id);
        };
        hooks.popupMenu = [this](wxMenu* m) { popups.push_back(m); };
        hooks.onUnhandled = [this](int id) { unhandled.push_back(id); };
        frame->SetTestHooks(&hooks);
    }
};

// A command that raises update bits, to see the history post through the frame.
class FlagCommand : public CommandItem_cls {
public:
    explicit FlagCommand(uint64_t flags) : CommandItem_cls(COMMAND_PLAIN, "flags", flags) {}
    void Execute(bool) override { Notify(); }
};

}  // namespace

TEST(FrameMain, EveryCommandIdReachesItsHandler) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    Recorder rec(shell.frame);
    testsupport::SetModalAnswer(wxID_CANCEL);
    shell.prompts.yes = false;  // Quit: No

    TimeCtrl_cls* time = shell.core->GetTimeCtrl();
    // POV-Ray writes into the test's folder and runs a renderer that is not there.
    PovRayCtrl_cls* pov = shell.core->GetPovRay();
    pov->pathPovWork.text = wxString::FromUTF8(dir.File("POV"));
    pov->pathPovRay.text = wxString::FromUTF8(dir.File("no-povray"));
    for (const FrameCommandSpec& c : FrameCommands()) {
        testsupport::Pump(20);  // whatever an earlier step left queued has run
        rec.ids.clear();
        rec.keep = c.id;
        shell.Post(c.id);
        // A POV-Ray animation run starts playback at once (it asks nothing); the same
        // command stops it again. A render reports its end (and here its failure) later.
        if (c.id == ID_POV_EXPORT_ANIMATION || c.id == ID_POV_RENDER_ANIMATION) {
            testsupport::Pump(20);
            EXPECT_EQ(rec.ids.front(), c.id) << c.name;
            EXPECT_TRUE(pov->exporting) << c.name;
            shell.Post(c.id);
            testsupport::Pump(50);
            EXPECT_FALSE(pov->exporting) << c.name;
            EXPECT_FALSE(time->IsPlaying()) << c.name;
            continue;
        }
        if (c.id == ID_POV_RENDER_SNAPSHOT) {
            testsupport::PumpUntil([&] { return pov->IsRenderIdle(); }, 5000);
            testsupport::Pump(50);
            EXPECT_EQ(rec.ids, std::vector<int>{c.id}) << c.name;
            EXPECT_TRUE(std::filesystem::exists(dir.File("POV/povsnap0000.ini")));
            continue;
        }
        // its own handler only: with every question cancelled no command acts, so nothing
        // else is posted (a sequence run started without its dialog's button would play
        // the timeline and post the steps' refreshes)
        // Adding a filter and keying the camera or anchor ask no question: they are undoable
        // steps, and the history posts the refreshes of what they changed.
        const bool addsFilter = (c.id == ID_ADD_BOOLEAN || c.id == ID_ADD_DATABOX || c.id == ID_ADD_FILTERING ||
                                 c.id == ID_ADD_COPYBOX || c.id == ID_ADD_OBJECT || c.id == ID_ADD_STICK ||
                                 c.id == ID_ADD_GRID || c.id == ID_ADD_FOG || c.id == ID_ADD_BG);
        const bool keys = c.id == ID_SET_CAMERA_KEY_POS || c.id == ID_SET_CAMERA_KEY_POSROT ||
                          c.id == ID_SET_ANCHOR_KEY;
        if (addsFilter || keys) {
            ASSERT_FALSE(rec.ids.empty()) << c.name;
            EXPECT_EQ(rec.ids.front(), c.id) << c.name;
        } else {
            EXPECT_EQ(rec.ids, std::vector<int>{c.id}) << c.name << " (" << c.id << ")";
        }
        EXPECT_FALSE(time->IsPlaying()) << c.name;
        ASSERT_NE(shell.core->GetFrameMain(), nullptr) << c.name << " closed the frame";
    }
    // the internal ids as much as the menu items: each one arrived at a handler of its own
    EXPECT_EQ(rec.unhandled, std::vector<int>{});
    // every menu item of the menu bar exists with its id and is handled
    for (const MenuItemSpec& s : FrameMenuItems()) {
        if (s.kind == ITEM_SEPARATOR || s.menu == MENU_FILTER_CONTEXT) continue;
        EXPECT_NE(shell.frame->GetMenuBar()->FindItem(s.id), nullptr) << s.text;
    }
    EXPECT_EQ(shell.frame->GetMenuBar()->GetMenuCount(), 7u);
    EXPECT_EQ(shell.frame->GetMenuBar()->GetMenuLabel(3), "Pov-Ray(&P)");
    EXPECT_EQ(shell.frame->GetMenuBar()->FindItem(ID_QUIT)->GetItemLabel(), "Quit(&Q)\tQ");
    EXPECT_EQ(shell.frame->GetMenuBar()->FindItem(ID_POV_RENDER_SNAPSHOT)->GetItemLabel(),
              "Render (Snapshot)");
    EXPECT_TRUE(shell.frame->GetMenuBar()->FindItem(ID_TIME_REMAP)->IsCheckable());
    // the dialogs' icons are program data found from the working folder
    for (const char* icon : {"Camera", "LightSource", "SpotLight", "Color", "Preference", "PovRay",
                             "Scene", "Texture", "StereoGram", "PeriodicBoundary"})
        EXPECT_TRUE(shell.frame->Icon(icon).IsOk()) << icon;
    EXPECT_FALSE(shell.frame->Icon("NoSuchIcon").IsOk());
}

TEST(FrameMain, CurrentViewRefreshesTheDialogsAfterItsPaintsWithoutPaintingAgain) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    std::vector<int> ids;
    FrameTestHooks hooks;
    hooks.onCommand = [&ids](int id) { ids.push_back(id); };
    shell.frame->SetTestHooks(&hooks);
    // The camera-path and stereogram dialogs are shown: both refresh after each paint.
    shell.Post(ID_VIEW_CAMERA_CONFIG);
    shell.Post(ID_STEREOGRAM_CONFIG);
    MainGLCanvas_cls* view = shell.frame->GetTopPanel()->View(0);
    ASSERT_NE(view, nullptr);
    view->MakeCurrentView();
    const int before = view->DrawCount();
    view->RequestPaint();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return view->DrawCount() > before; }, 5000));
    testsupport::Pump(300);
    for (int id : {ID_CAMERA_DIALOG_REFRESH, ID_LIGHT_DIALOG_REFRESH, ID_STEREO_DIALOG_REFRESH})
        EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end()) << id;
    // The refreshes change nothing the views show: no paint follows them.
    const int settled = view->DrawCount();
    ids.clear();
    testsupport::Pump(600);
    EXPECT_EQ(view->DrawCount(), settled);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), int(ID_STEREO_DIALOG_REFRESH)), 0);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), int(ID_CAMERA_DIALOG_REFRESH)), 0);
    shell.frame->SetTestHooks(nullptr);
}

TEST(FrameMain, PopUpMenusFollowTheEventsList) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    Recorder rec(shell.frame);
    for (int list : {0, 1, 2, 3, -1}) {
        wxCommandEvent e(wxEVT_MENU, ID_FILTER_ADD_MENU);
        e.SetInt(list);
        shell.frame->GetEventHandler()->AddPendingEvent(e);
    }
    shell.Post(ID_FILTER_CONTEXT_MENU);
    EXPECT_EQ(rec.popups, (std::vector<wxMenu*>{shell.frame->GetAddFilterPopup(0),
                                                shell.frame->GetAddFilterPopup(1),
                                                shell.frame->GetAddFilterPopup(2),
                                                shell.frame->GetFrameMenu(MENU_FILTER_CONTEXT)}));
    // pop-ups hang in no menu (the toolkit refuses to pop up a menu-bar submenu) and carry
    // the same commands as the Filter menu's submenus
    const int submenus[3] = {MENU_BOOL, MENU_OBJECT, MENU_WORLD};
    for (int list = 0; list < 3; ++list) {
        wxMenu* popup = shell.frame->GetAddFilterPopup(list);
        EXPECT_EQ(popup->GetParent(), nullptr);
        EXPECT_FALSE(popup->IsAttached());
        wxMenu* sub = shell.frame->GetFrameMenu(submenus[list]);
        ASSERT_EQ(popup->GetMenuItemCount(), sub->GetMenuItemCount());
        for (size_t i = 0; i < sub->GetMenuItemCount(); ++i)
            EXPECT_EQ(popup->FindItemByPosition(i)->GetId(), sub->FindItemByPosition(i)->GetId());
    }
}

TEST(FrameMain, HistoryPostsItsUpdateBitsThroughTheFrame) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    Recorder rec(shell.frame);
    GoCommandHistory.Push(new FlagCommand(UPD_VIEWS | UPD_TIME),
                          new FlagCommand(UPD_VIEWS | UPD_TIME));
    GoCommandHistory.Redo();
    testsupport::Pump(20);
    // the time bit at once, then the pending bits in table order
    EXPECT_EQ(rec.ids, (std::vector<int>{ID_TIME_REFRESH, ID_TIME_REFRESH, ID_REDRAW_VIEWS}));
    GoCommandHistory.Clear();
}

TEST(FrameMain, UndoRedoFromMenuAndFromAForwardedKey) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    TimeCtrl_cls* time = shell.core->GetTimeCtrl();
    time->SetFrameUndoable(5, -1);
    ASSERT_EQ(time->Frame(), 5);
    shell.Post(ID_UNDO);
    EXPECT_EQ(time->Frame(), 0);
    shell.Post(ID_REDO);
    EXPECT_EQ(time->Frame(), 5);
    // Ctrl+Z typed in a dialog's panel comes back through ID_FORWARD_KEY
    shell.frame->ForwardKey('Z', 2);
    testsupport::Pump(20);
    EXPECT_EQ(time->Frame(), 0);
    shell.frame->ForwardKey('Y', 2);
    testsupport::Pump(20);
    EXPECT_EQ(time->Frame(), 5);
    // plain right arrow steps the time model, Alt+Right does nothing
    shell.frame->ForwardKey(316, 0);
    testsupport::Pump(20);
    EXPECT_EQ(time->Frame(), 6);
    shell.frame->ForwardKey(316, 1);
    testsupport::Pump(20);
    EXPECT_EQ(time->Frame(), 6);
    GoCommandHistory.Clear();
}

TEST(FrameMain, IdlePassesPlayTheTimeline) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    TimeCtrl_cls* time = shell.core->GetTimeCtrl();
    ASSERT_EQ(time->Frame(), 0);
    shell.frame->ForwardKey(' ', 0);  // Space: play forward
    ASSERT_TRUE(testsupport::PumpUntil([&] { return time->Frame() >= 5; }, 5000))
        << "frame " << time->Frame();
    shell.frame->ForwardKey(' ', 0);  // Space again: stop
    testsupport::Pump(50);
    const int stopped = time->Frame();
    EXPECT_FALSE(time->IsPlaying());
    testsupport::Pump(200);
    EXPECT_EQ(time->Frame(), stopped);
    GoCommandHistory.Clear();
}

TEST(FrameMain, EndCaptureKeepsARestartedPlaybackOnce) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    TimeCtrl_cls* time = shell.core->GetTimeCtrl();
    time->playing = true;
    shell.frame->SetRestartFlag(true);
    shell.Post(ID_END_CAPTURE);
    EXPECT_TRUE(time->IsPlaying());
    EXPECT_FALSE(shell.frame->RestartFlag());
    shell.Post(ID_END_CAPTURE);
    EXPECT_FALSE(time->IsPlaying());
}

TEST(FrameMain, TimeRemapMenuSwitchesTheRemapDirectly) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    TimeCtrl_cls* time = shell.core->GetTimeCtrl();
    for (int checked : {1, 0}) {
        wxCommandEvent e(wxEVT_MENU, ID_TIME_REMAP);
        e.SetInt(checked);
        shell.frame->GetEventHandler()->AddPendingEvent(e);
        testsupport::Pump(20);
        EXPECT_EQ(time->useTimeRemap.value, checked == 1);
    }
    EXPECT_EQ(GoCommandHistory.Size(), 0u) << "not an undo step";
}

TEST(FrameMain, AboutNamesProgramSystemAndMachine) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    testsupport::ResetModals();
    testsupport::SetModalAnswer(wxID_OK);
    shell.Post(ID_ABOUT);
    ASSERT_EQ(testsupport::ModalTitles().size(), 1u);
    EXPECT_EQ(testsupport::ModalTitles()[0], "About Pelthorn3");

    AboutBox_cls box(shell.frame, wxID_ANY, "About Pelthorn3",
                     "Pelthorn3 ver. 0.82\nProcessors: 4\n");
    wxString shown;
    for (wxWindow* w : box.GetChildren())
        if (auto* t = dynamic_cast<wxStaticText*>(w)) shown += t->GetLabel();
    EXPECT_NE(shown.find("Pelthorn3 ver. 0.82"), wxString::npos);
    EXPECT_EQ(box.Link()->GetURL(), AboutBox_cls::ProductPage());
    EXPECT_NE(box.FindWindow(wxID_OK), nullptr);
}

// ------------------------------------------------------------------------- projects

namespace {

// Puts the scene into a recognisable state: scene length, work area, step and a remap key.
void ShapeScene(TimeCtrl_cls* t, int length) {
    t->maxFrame.value = length;
    t->workAreaMax.value = length - 10;
    t->animStep.value = 3;
    t->useTimeRemap.value = true;
    t->remap->InsertKey(0, 0.25, length / 2.0);
}

// The time section ShapeScene leaves: settings lines, then the remap block with its key
// at 0 and the inserted one (value written as `keyValue`).
std::string ShapedTimeText(int length, int workAreaMax, const std::string& keyValue) {
    return "TimeMaxFrame=" + std::to_string(length) +
           "\r\n"
           "TimeWorkAreaMin=0\r\n"
           "TimeWorkAreaMax=" + std::to_string(workAreaMax) +
           "\r\n"
           "TimeActiveAreaMin=0\r\n"
           "TImeActiveAreaMax=100\r\n"
           "TimeUseTimeRemap=1\r\n"
           "TimeUseMotionBlur=0\r\n"
           "TimeAnimStep=3\r\n"
           "TimeAnimInterp=1\r\n"
           "TimeRepeat=0\r\n"
           "TimeSceneLengthType=0\r\n"
           "---TimeRemap\n"
           "-ParamGroup=Time Remap\n"
           "dimension=1\r\n"
           "Start\n"
           "Parameter_Time\n"
           "timeDepend=0\r\n"
           "periodic=0\r\n"
           "itemnum 2\n"
           "0.000000000 0 0.000000 0.000000 0.000000 \r\n"
           "0.250000000 0 " + keyValue + " 0.000000 0.000000 \r\n";
}

}  // namespace

TEST(FrameMain, SaveAsOpenSaveIsByteIdenticalAndSaveWritesTheOpenedPath) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    TimeCtrl_cls* time = shell.core->GetTimeCtrl();
    ShapeScene(time, 250);
    const std::string a = dir.File("a.ptp");

    // Save As of a never saved project proposes a name of its own, not a bare extension
    shell.prompts.fileAnswer = wxID_OK;
    shell.prompts.filePath = wxString::FromUTF8(a);
    shell.Post(ID_SAVE_PROJECT_AS);
    ASSERT_EQ(shell.prompts.fileQuestions.size(), 1u);
    EXPECT_EQ(shell.prompts.fileQuestions[0].message, "Select a file");
    EXPECT_EQ(shell.prompts.fileQuestions[0].wildcard, "Project file (*.ptp)|*.ptp");
    EXPECT_EQ(shell.prompts.fileQuestions[0].style, long(wxFD_SAVE | wxFD_OVERWRITE_PROMPT));
    EXPECT_EQ(shell.prompts.fileQuestions[0].fileName, "untitled.ptp");
    ASSERT_TRUE(FileExists(a));
    EXPECT_TRUE(shell.frame->IsProjectLoaded());
    EXPECT_EQ(std::string(shell.frame->GetTitle().utf8_str()), "Pelthorn3 - " + a);
    const std::string saved = ReadFile(a);
    // every section in writing order: the program-wide rows with the project's own path,
    // then time with its remap block, draw options, exposure, data sequences, the periodic
    // boundary, preferences
    EXPECT_EQ(saved, shelltest::ProjectFile(a, ShapedTimeText(250, 240, "125.000000")));

    // change the scene, open the project again: the saved state comes back
    time->maxFrame.value = 10;
    time->useTimeRemap.value = false;
    time->SetFrameUndoable(7, -1);
    shell.Post(ID_OPEN_PROJECT);
    ASSERT_EQ(shell.prompts.fileQuestions.size(), 2u);
    EXPECT_EQ(shell.prompts.fileQuestions[1].message, "Select a project file");
    EXPECT_EQ(shell.prompts.fileQuestions[1].fileName, "a.ptp");
    EXPECT_EQ(time->MaxFrame(), 250);
    EXPECT_TRUE(time->useTimeRemap.value);
    EXPECT_EQ(time->Frame(), 0);
    EXPECT_EQ(GoCommandHistory.Size(), 0u) << "nothing read can be undone";
    EXPECT_TRUE(shell.frame->GetMenuBar()->IsChecked(ID_TIME_REMAP));

    // Save writes the same bytes
    shell.Post(ID_SAVE_PROJECT);
    EXPECT_EQ(ReadFile(a), saved);
    EXPECT_EQ(shell.prompts.fileQuestions.size(), 2u) << "Save of a loaded project asks nothing";

    // a moved project: Save writes where it was opened from, not the path inside it
    const std::string b = dir.File("moved.ptp");
    WriteFile(b, saved);
    std::filesystem::remove(a);
    shell.prompts.filePath = wxString::FromUTF8(b);
    shell.Post(ID_OPEN_PROJECT);
    EXPECT_EQ(std::string(shell.frame->GetTitle().utf8_str()), "Pelthorn3 - " + b);
    shell.Post(ID_SAVE_PROJECT);
    EXPECT_FALSE(FileExists(a));
    EXPECT_EQ(ReadFile(b), shelltest::ProjectFile(b, ShapedTimeText(250, 240, "125.000000")));
}

TEST(FrameMain, EverySectionOfAProjectIsReadBackAndWrittenAgain) {
    TempDir dir;
    const std::string cfg = dir.File("Pelthorn3Configure.txt");
    Shell shell(cfg);
    // a project with a changed value in every section that has settings
    const std::string time = ShapedTimeText(250, 240, "125.000000");
    auto changed = [&time](const std::string& path) {
        std::string text = shelltest::ProjectFile(path, time);
        const std::pair<const char*, const char*> edits[] = {
            {"InterpolateType=1", "InterpolateType=2"},
            {"LoaderScale=1.000000", "LoaderScale=2.500000"},
            {"ImageJpegQuality=95", "ImageJpegQuality=80"},
            {"DownSizing=1", "DownSizing=5"},
            {"ExposureGamma=1.000000", "ExposureGamma=2.200000"},
            {"GUI_ZOOM_INVERT=0", "GUI_ZOOM_INVERT=1"},
            {"PREF_USE_FBO=1", "PREF_USE_FBO=0"},
            {"PeriodicType=0", "PeriodicType=2"},
            {"PeriodicSize=1.000000 1.000000 1.000000", "PeriodicSize=1.000000 2.000000 0.500000"},
            {"PeriodicBaseVector2=0.000000 0.000000 10.000000",
             "PeriodicBaseVector2=0.000000 1.500000 12.000000"},
            {"StereogramType=0", "StereogramType=2"},
            {"StereogramEye=0", "StereogramEye=4"},
            {"StereoGramToeInAngle=0.5", "StereoGramToeInAngle=1.25"},
            {"0.000000000 0 0.100000 0.000000 0.000000 ", "0.000000000 0 0.250000 0.000000 0.000000 "},
        };
        for (const auto& e : edits) {
            const size_t at = text.find(std::string(e.first) + "\r\n");
            if (at == std::string::npos) ADD_FAILURE() << e.first;
            else text.replace(at, std::strlen(e.first), e.second);
        }
        return text;
    };
    const std::string p = dir.File("p.ptp");
    WriteFile(p, changed(p));
    shell.prompts.fileAnswer = wxID_OK;
    shell.prompts.filePath = wxString::FromUTF8(p);
    shell.Post(ID_OPEN_PROJECT);
    ASSERT_TRUE(testsupport::ModalTitles().empty()) << testsupport::ModalMessages()[0];

    // Save As elsewhere: every changed value was taken and is written in its place
    const std::string q = dir.File("q.ptp");
    shell.prompts.filePath = wxString::FromUTF8(q);
    shell.Post(ID_SAVE_PROJECT_AS);
    EXPECT_EQ(ReadFile(q), changed(q));

    // Quit keeps the program-wide values only: the loader's and the image saver's
    shell.prompts.yes = true;
    shell.frame->PostMenuCommand(ID_QUIT);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return shell.core->GetFrameMain() == nullptr; }));
    std::string config = shelltest::ConfigFile(q);
    config.replace(config.find("InterpolateType=1"), 17, "InterpolateType=2");
    config.replace(config.find("LoaderScale=1.000000"), 20, "LoaderScale=2.500000");
    config.replace(config.find("ImageJpegQuality=95"), 19, "ImageJpegQuality=80");
    EXPECT_EQ(ReadFile(cfg), config);
    GoCommandHistory.Clear();
    GoImageSaver.jpegQuality.value = 95;  // the image saver outlives the shell
}

TEST(FrameMain, PeriodicBoundaryCommandShowsItsDialogWithTheOpenedValues) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    auto findDialog = []() -> wxWindow* {
        for (wxWindow* w : wxTopLevelWindows) {
            auto* top = dynamic_cast<wxTopLevelWindow*>(w);
            if (top && top->GetTitle() == "Periodic Boundary") return w;
        }
        return nullptr;
    };
    wxWindow* dialog = findDialog();
    ASSERT_NE(dialog, nullptr);  // made with the frame, hidden until asked for
    EXPECT_FALSE(dialog->IsShown());

    // a project sets the box; the command shows the dialog with the values read
    const std::string p = dir.File("box.ptp");
    WriteFile(p, "PeriodicType=1\r\nPeriodicSize=1 2.5 1\r\nPeriodicBaseVector1=0 7 0\r\n");
    shell.prompts.fileAnswer = wxID_OK;
    shell.prompts.filePath = wxString::FromUTF8(p);
    shell.Post(ID_OPEN_PROJECT);
    ASSERT_TRUE(testsupport::ModalTitles().empty()) << testsupport::ModalMessages()[0];
    shell.Post(ID_PERIODIC_BOUNDARY);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return dialog->IsShown(); }));
    EXPECT_EQ(findDialog(), dialog);  // the same dialog, not a second one
    PeriodicBoundaryGUI_cls* gui = shell.core->GetPeriodicBoundaryControl()->gui;
    ASSERT_EQ(static_cast<wxWindow*>(gui), dialog);
    auto entry = [gui](int index) {
        auto* text = dynamic_cast<wxTextCtrl*>(gui->panel->GetItemControl(gui->boxSizeFirst + index));
        double v = -1.0;
        if (text) text->GetValue().ToCDouble(&v);
        return v;
    };
    EXPECT_EQ(entry(1), 2.5);   // "Box Size" y
    EXPECT_EQ(entry(4 * 2 + 1), 7.0);  // "BaseVectorB" y (each group: its row, then x, y, z)

    // the loader's dialog offers the periodic choice, since the boundary exists
    shell.Post(ID_LOAD_PARTICLE_DATA);
    ASSERT_NE(GpDataLoader->gui, nullptr);
    EXPECT_NE(GpDataLoader->gui->periodicPanel, nullptr);
    EXPECT_TRUE(GpDataLoader->gui->UpdatePeriodicCaption().EndsWith("[ON]"));
    // a loader dialog destroyed on its own is made anew on the next command
    GpDataLoader->gui->Destroy();
    ASSERT_TRUE(testsupport::PumpUntil([] { return GpDataLoader->gui == nullptr; }));
    shell.Post(ID_LOAD_PARTICLE_DATA);
    ASSERT_NE(GpDataLoader->gui, nullptr);
    EXPECT_TRUE(GpDataLoader->gui->IsShown());

    // the dialogs go with the frame; the boundary itself goes with the central object
    shell.CloseFrame();
    EXPECT_EQ(findDialog(), nullptr);
    EXPECT_EQ(GpDataLoader->gui, nullptr);
    ASSERT_NE(GpPeriodicBoundary, nullptr);
    GoCommandHistory.Clear();
}

TEST(FrameMain, ABrokenProjectLeavesTheOpenSceneUntouched) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    TimeCtrl_cls* time = shell.core->GetTimeCtrl();
    ShapeScene(time, 300);
    const std::string good = dir.File("good.ptp");
    ASSERT_TRUE(shell.frame->SaveProjectTo(wxString::FromUTF8(good)));
    const std::string text = ReadFile(good);
    const size_t remap = text.find("Parameter_Time");
    ASSERT_NE(remap, std::string::npos);
    // the remap's last key line; other sections follow it
    const size_t lastKey = text.find("\n0.250000000 0 150.000000 ") + 1;
    const size_t lastKeyEnd = text.find('\n', lastKey) + 1;
    ASSERT_GT(lastKey, 0u);
    ASSERT_LT(lastKeyEnd, text.size());

    struct Case {
        const char* name;
        std::string bytes;  // empty name of a folder below
        bool folder;
    };
    const Case cases[] = {
        {"truncated.ptp", text.substr(0, remap + 20), false},
        {"last-key-cut.ptp", text.substr(0, lastKey + 12), false},
        {"last-key-missing.ptp", text.substr(0, lastKey) + text.substr(lastKeyEnd), false},
        {"undecodable.ptp", "TimeMaxFrame=5\r\n\x81\x20\r\n", false},
        {"empty.ptp", "", false},
        {"a-folder.ptp", "", true},
        {"absent.ptp", "", false},
        // files of other programs, some made of KEY=value lines like a project
        {"make-variable.ptp", "CXX=g++", false},
        {"makefile.ptp", "CC=gcc\nCFLAGS=-O2\n\nall:\n\t$(CC) a.c\n", false},
        {"settings.ini.ptp", "[General]\nTime=5\nName=x\n", false},
        {"prose.ptp", "Dear reader,\nthis is a letter.\n", false},
        // a remap marker whose block is missing would take the rest of the file
        {"remap-without-block.ptp",
         "TimeMaxFrame=300\r\nTimeUseTimeRemap=1\r\n---TimeRemap\nDownSizing=3\r\n"
         "PeriodicType=1\r\n",
         false},
        {"remap-at-end.ptp", "TimeMaxFrame=300\r\nTimeUseTimeRemap=1\r\n---TimeRemap\n", false},
    };
    // the scene has a save target of its own, which a refused file never replaces
    shell.prompts.fileAnswer = wxID_OK;
    shell.prompts.filePath = wxString::FromUTF8(good);
    shell.Post(ID_OPEN_PROJECT);
    ASSERT_TRUE(shell.frame->IsProjectLoaded());
    ASSERT_EQ(std::string(shell.frame->LastOpenedProject().utf8_str()), good);
    const wxString title = shell.frame->GetTitle();
    for (const Case& c : cases) {
        const std::string path = dir.File(c.name);
        if (c.folder)
            std::filesystem::create_directory(path);
        else if (std::string(c.name) != "absent.ptp")
            WriteFile(path, c.bytes);

        time->maxFrame.value = 120;
        time->useTimeRemap.value = false;
        time->SetFrameUndoable(9, -1);
        const size_t undoSteps = GoCommandHistory.Size();
        const wxString before = shell.frame->LastOpenedProject();
        testsupport::ResetModals();
        testsupport::SetModalAnswer(wxID_OK);

        shell.prompts.fileAnswer = wxID_OK;
        shell.prompts.filePath = wxString::FromUTF8(path);
        shell.Post(ID_OPEN_PROJECT);

        EXPECT_EQ(time->MaxFrame(), 120) << c.name;
        EXPECT_FALSE(time->useTimeRemap.value) << c.name;
        EXPECT_EQ(time->Frame(), 9) << c.name;
        EXPECT_EQ(GoCommandHistory.Size(), undoSteps) << c.name << ": the undo history stays";
        EXPECT_EQ(shell.frame->LastOpenedProject(), before) << c.name;
        const auto titles = testsupport::ModalTitles();
        ASSERT_EQ(titles.size(), 1u) << c.name;
        EXPECT_EQ(titles[0], "Warning") << c.name;
        EXPECT_NE(testsupport::ModalMessages()[0].find(c.name), wxString::npos)
            << testsupport::ModalMessages()[0];
        EXPECT_EQ(shell.frame->GetTitle(), title) << c.name;

        // Save afterwards writes the open scene's own file; the refused one stays as it was
        shell.Post(ID_SAVE_PROJECT);
        if (!c.folder && std::string(c.name) != "absent.ptp") {
            EXPECT_EQ(ReadFile(path), c.bytes) << c.name;
        }
        EXPECT_NE(ReadFile(good).find("TimeMaxFrame=120\r\n"), std::string::npos) << c.name;
    }
    GoCommandHistory.Clear();
}

TEST(FrameMain, TheTitleNamesOnlyAProjectThatIsOpen) {
    // The remembered project (the last one saved) is not open at start: neither a refused
    // nor a cancelled Open may name it in the title, and Save still asks where to write.
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    const std::string last = dir.File("last.ptp");
    ASSERT_TRUE(shell.core->WriteConfig(last, true));
    ASSERT_EQ(std::string(shell.frame->LastOpenedProject().utf8_str()), last);
    const std::string prose = dir.File("prose.ptp");
    WriteFile(prose, "Dear reader,\nthis is a letter.\n");
    const wxString start = "Pelthorn 3 v 0.82";

    struct Step {
        const char* what;
        int answer;
        std::string path;
    };
    const Step steps[] = {
        {"refused file", wxID_OK, prose},
        {"missing file", wxID_OK, dir.File("absent.ptp")},
        {"cancelled", wxID_CANCEL, last},
    };
    for (const Step& s : steps) {
        testsupport::ResetModals();
        testsupport::SetModalAnswer(wxID_OK);
        shell.prompts.fileAnswer = s.answer;
        shell.prompts.filePath = wxString::FromUTF8(s.path);
        shell.Post(ID_OPEN_PROJECT);
        EXPECT_EQ(shell.frame->GetTitle(), start) << s.what;
        EXPECT_FALSE(shell.frame->IsProjectLoaded()) << s.what;
    }

    // Opened for real, the project is named.
    shell.prompts.fileAnswer = wxID_OK;
    shell.prompts.filePath = wxString::FromUTF8(last);
    shell.Post(ID_OPEN_PROJECT);
    EXPECT_TRUE(shell.frame->IsProjectLoaded());
    EXPECT_EQ(std::string(shell.frame->GetTitle().utf8_str()), "Pelthorn3 - " + last);
}

TEST(FrameMain, AFailedSaveIsReportedAndChangesNothing) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    ShapeScene(shell.core->GetTimeCtrl(), 200);

    // Save As onto a folder: the write fails, the flag, the path and the title stay
    const std::string folder = dir.File("folder.ptp");
    std::filesystem::create_directory(folder);
    testsupport::ResetModals();
    testsupport::SetModalAnswer(wxID_OK);
    shell.prompts.fileAnswer = wxID_OK;
    shell.prompts.filePath = wxString::FromUTF8(folder);
    const wxString titleBefore = shell.frame->GetTitle();
    shell.Post(ID_SAVE_PROJECT_AS);
    ASSERT_EQ(testsupport::ModalTitles().size(), 1u);
    EXPECT_EQ(testsupport::ModalTitles()[0], "Error!");
    EXPECT_NE(testsupport::ModalMessages()[0].find("folder.ptp"), wxString::npos);
    EXPECT_FALSE(shell.frame->IsProjectLoaded());
    EXPECT_EQ(shell.frame->LastOpenedProject(), "None");
    EXPECT_EQ(shell.frame->GetTitle(), titleBefore);
    EXPECT_TRUE(std::filesystem::is_directory(folder));

    // Save into a folder that no longer accepts files: the old project stays as it was
    const std::string sub = dir.File("ro");
    std::filesystem::create_directory(sub);
    const std::string p = sub + "/p.ptp";
    shell.prompts.filePath = wxString::FromUTF8(p);
    shell.Post(ID_SAVE_PROJECT_AS);
    ASSERT_TRUE(FileExists(p));
    const std::string old = ReadFile(p);
    shell.core->GetTimeCtrl()->maxFrame.value = 42;
    testsupport::ResetModals();
    testsupport::SetModalAnswer(wxID_OK);
    if (geteuid() == 0) {
        // root writes anywhere: a folder standing where the temporary file goes breaks the
        // write the same way
        std::filesystem::create_directory(AtomicFile_cls::TempPathFor(p));
    } else {
        std::filesystem::permissions(
            sub, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    }
    shell.Post(ID_SAVE_PROJECT);
    ASSERT_EQ(testsupport::ModalTitles().size(), 1u);
    EXPECT_EQ(testsupport::ModalTitles()[0], "Error!");
    EXPECT_EQ(ReadFile(p), old);
    EXPECT_EQ(std::string(shell.frame->LastOpenedProject().utf8_str()), p);
    std::filesystem::permissions(sub, std::filesystem::perms::owner_all);
}

TEST(FrameMain, SaveAndQuitShareTheirGuard) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    const std::string p = dir.File("guarded.ptp");
    shell.prompts.fileAnswer = wxID_OK;
    shell.prompts.filePath = wxString::FromUTF8(p);
    shell.Post(ID_SAVE_PROJECT);  // not loaded yet: Save acts as Save As
    ASSERT_TRUE(FileExists(p));
    const std::string before = ReadFile(p);
    shell.core->GetTimeCtrl()->maxFrame.value = 77;

    // while the quit question (or a save) is under way, Save and Quit do nothing
    GbGLLockForSaveOrQuit = true;
    shell.Post(ID_SAVE_PROJECT);
    shell.Post(ID_QUIT);
    GbGLLockForSaveOrQuit = false;
    EXPECT_EQ(ReadFile(p), before);
    EXPECT_TRUE(shell.prompts.questions.empty());

    shell.Post(ID_SAVE_PROJECT);
    EXPECT_NE(ReadFile(p).find("TimeMaxFrame=77\r\n"), std::string::npos);
    EXPECT_EQ(shell.prompts.fileQuestions.size(), 1u) << "a loaded project saves without asking";
}

TEST(FrameMain, TheFirstWindowOpensWholeOnTheScreenItOpensOn) {
    struct Case {
        const char* screen;
        bool display;      // the test display itself (1280 x 1024)
        FrameRect area;    // else this usable area
    };
    const Case cases[] = {
        {"the display", true, {}},
        {"a small screen", false, {0, 0, 1024, 600}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen);
        TempDir dir;
        Shell shell(dir.File("Pelthorn3Configure.txt"), c.display ? nullptr : &c.area);
        // past the show event and what it schedules
        testsupport::Pump(300);
        const FrameRect& area = shell.core->ScreenArea();
        const wxRect frame = shell.frame->GetRect();
        auto* splitter = dynamic_cast<wxSplitterWindow*>(shell.frame->GetTopPanel()->GetParent());
        ASSERT_NE(splitter, nullptr);
        wxWindow* upper = splitter->GetWindow1();
        wxWindow* lower = splitter->GetWindow2();
        ASSERT_TRUE(upper && lower);

        // a working size: the whole usable height at most, and most of it at least
        EXPECT_GE(frame.y, area.y);
        EXPECT_LE(frame.y + frame.height, area.y + area.height);
        EXPECT_GE(frame.height, area.height * 3 / 5);
        // the lower pane whole: its full width and its own height
        lower->InvalidateBestSize();
        EXPECT_GE(lower->GetClientSize().x, lower->GetBestSize().x);
        EXPECT_GE(lower->GetSize().y, shell.frame->LowerPaneHeight() - splitter->GetSashSize());
        // the views get the most of it
        EXPECT_GT(upper->GetSize().y, 2 * lower->GetSize().y);
        EXPECT_GE(upper->GetSize().y, frame.height / 2);
    }
}

TEST(FrameMain, SaveAsStartsBesideTheProjectElseInTheWorkingFolder) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    // the shared file dialog was last pointed at another folder
    GpFileDialogEX->SetDirectoryAndFile(wxString::FromUTF8(dir.File("data")), "run0000.dat");
    shell.prompts.fileAnswer = wxID_CANCEL;
    shell.Post(ID_SAVE_PROJECT_AS);
    ASSERT_EQ(shell.prompts.fileQuestions.size(), 1u);
    EXPECT_EQ(shell.prompts.fileQuestions[0].directory.utf8_string(), platform::WorkingDirectory());
    EXPECT_EQ(shell.prompts.fileQuestions[0].fileName, "untitled.ptp");

    std::filesystem::create_directories(dir.File("projects"));
    const std::string project = dir.File("projects/scene.ptp");
    shell.prompts.fileAnswer = wxID_OK;
    shell.prompts.filePath = wxString::FromUTF8(project);
    shell.Post(ID_SAVE_PROJECT_AS);
    ASSERT_TRUE(FileExists(project));
    shell.prompts.fileAnswer = wxID_CANCEL;
    shell.Post(ID_SAVE_PROJECT_AS);
    ASSERT_EQ(shell.prompts.fileQuestions.size(), 3u);
    EXPECT_EQ(shell.prompts.fileQuestions[2].directory.utf8_string(), dir.File("projects"));
    EXPECT_EQ(shell.prompts.fileQuestions[2].fileName, "scene.ptp");
}
