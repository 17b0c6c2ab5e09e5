// Start-up, Quit and the configuration file, with the real central object and frame.
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/ExpectedFiles.h"

#include <gtest/gtest.h>

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/textentry.h>
#include <wx/toplevel.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <locale>
#include <set>
#include <sstream>
#include <functional>

#include "common/CommandIds.h"
#include "common/gui/MultiInputPanel.h"
#include "filters/gui/ColorCurveGUI.h"
#include "scene/CameraPath.h"
#include "view/gui/CameraPathGUI.h"
#include "view/gui/GLResources.h"
#include "app/ConfigSections.h"
#include "app/PreferenceSettings.h"
#include "common/ConfItemGroup.h"
#include "data/PeriodicBoundary.h"
#include "filters/FilterCtrl.h"
#include "data/SnapshotReader.h"
#include "platform/TextDecoding.h"
#include "scene/CameraPath.h"
#include "timeline/Parameter.h"
#include "timeline/ParamGroup.h"
#include "timeline/gui/ParamGUICtrl.h"
#include "timeline/TimeCtrl.h"

using shelltest::Shell;
using testsupport::FileExists;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

TEST(AppCore, StartsWithoutConfigurationQuitWritesItRestartReadsItBack) {
    TempDir dir;
    const std::string cfg = dir.File("Pelthorn3Configure.txt");
    {
        Shell shell(cfg);
        EXPECT_TRUE(testsupport::ModalTitles().empty()) << "a first start shows no message";
        EXPECT_EQ(shell.frame->GetTitle(), "Pelthorn 3 v 0.82");
        EXPECT_EQ(shell.frame->LastOpenedProject(), "None");
        EXPECT_FALSE(FileExists(cfg));

        // No: nothing happens, and the next Quit asks again
        shell.frame->SetLastOpenedProject(wxString::FromUTF8("/data/run \xC3\xA9t\xC3\xA9.ptp"));
        shell.prompts.yes = false;
        shell.Post(ID_QUIT);
        ASSERT_EQ(shell.prompts.questions.size(), 1u);
        EXPECT_EQ(shell.prompts.questions[0], "Query|Really Quit ?");
        EXPECT_NE(shell.core->GetFrameMain(), nullptr);
        EXPECT_FALSE(FileExists(cfg));

        shell.prompts.yes = true;
        shell.frame->PostMenuCommand(ID_QUIT);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return shell.core->GetFrameMain() == nullptr; }));
        EXPECT_EQ(shell.prompts.questions.size(), 2u);
    }
    // the program-wide rows only, in their order (data loader, frame, image saving), each
    // ending in CR LF, UTF-8; no preferences, time or draw settings
    EXPECT_EQ(ReadFile(cfg), shelltest::ConfigFile("/data/run \xC3\xA9t\xC3\xA9.ptp"));

    Shell again(cfg);
    EXPECT_TRUE(testsupport::ModalTitles().empty());
    EXPECT_EQ(std::string(again.frame->LastOpenedProject().utf8_str()),
              "/data/run \xC3\xA9t\xC3\xA9.ptp");
    // the start title stays until a project is opened or saved: the remembered path is
    // not open, whatever asks for the title again
    EXPECT_EQ(again.frame->GetTitle(), "Pelthorn 3 v 0.82");
    again.frame->UpdateTitle();
    EXPECT_EQ(again.frame->GetTitle(), "Pelthorn 3 v 0.82");
}

TEST(AppCore, CloseBoxWritesNoConfigurationAndReadsCp932) {
    TempDir dir;
    const std::string cfg = dir.File("Pelthorn3Configure.txt");
    // written by the Windows program: code page 932, CR LF, last line without LF
    WriteFile(cfg, "LastOpenedFilePTP=C:\\\x93\xFA\x96\x7B\\a.ptp\r\nLastOpenedFileIMG=x.png");
    const std::string before = ReadFile(cfg);
    {
        Shell shell(cfg);
        EXPECT_EQ(std::string(shell.frame->LastOpenedProject().utf8_str()),
                  "C:\\\xE6\x97\xA5\xE6\x9C\xAC\\a.ptp");
        EXPECT_EQ(shell.frame->LastOpenedImage(), "x.png");
        shell.frame->SetLastOpenedProject("/changed.ptp");
        shell.CloseFrame();
        EXPECT_TRUE(shell.prompts.questions.empty()) << "the close box asks nothing";
    }
    EXPECT_EQ(ReadFile(cfg), before);
}

TEST(AppCore, QuitReportsAConfigurationThatCannotBeWrittenAndStillQuits) {
    TempDir dir;
    Shell shell(dir.File("missing-folder/Pelthorn3Configure.txt"));
    shell.prompts.yes = true;
    shell.frame->PostMenuCommand(ID_QUIT);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return shell.core->GetFrameMain() == nullptr; }));
    const auto titles = testsupport::ModalTitles();
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_EQ(titles[0], "Warning");
    EXPECT_NE(testsupport::ModalMessages()[0].find("missing-folder"), wxString::npos);
}

TEST(AppCore, UndecodableConfigurationIsReportedNotEmptied) {
    TempDir dir;
    const std::string cfg = dir.File("Pelthorn3Configure.txt");
    WriteFile(cfg, "LastOpenedFilePTP=/a.ptp\r\n\x81\x20\r\n");
    testing::internal::CaptureStderr();
    Shell shell(cfg);
    const std::string stderrText = testing::internal::GetCapturedStderr();
    // Told once on the terminal too, as every error is.
    EXPECT_NE(stderrText.find("Read Configure Fails" + cfg), std::string::npos) << stderrText;
    const auto titles = testsupport::ModalTitles();
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_EQ(titles[0], "Warning");
    EXPECT_TRUE(testsupport::ModalMessages()[0].StartsWith("Read Configure Fails" +
                                                           wxString::FromUTF8(cfg)));
    EXPECT_EQ(shell.frame->LastOpenedProject(), "None");
}

TEST(AppCore, DeletingTheCentralObjectFirstClosesTheFrameSafely) {
    TempDir dir;
    testsupport::ResetModals();
    const size_t windowsBefore = wxTopLevelWindows.GetCount();
    auto* core = new AppCore_cls(dir.File("Pelthorn3Configure.txt"));
    FrameMain_cls* frame = core->GetFrameMain();
    frame->Show();
    // modeless dialogs of the frame open, the timeline painted once
    frame->PostMenuCommand(ID_PREFERENCE);
    frame->PostMenuCommand(ID_LOAD_PARTICLE_DATA);
    frame->PostMenuCommand(ID_PERIODIC_BOUNDARY);
    testsupport::Pump(50);
    ASSERT_GT(wxTopLevelWindows.GetCount(), windowsBefore + 3);

    // repaints and commands queued for the frame, then the central object goes first
    frame->Refresh();
    frame->PostMenuCommand(ID_UNDO);
    frame->PostMenuCommand(ID_TIME_REFRESH);
    delete core;
    // the frame and every window in it are gone with the models they show, at once
    EXPECT_EQ(GpFrameMain, nullptr);
    EXPECT_EQ(wxTopLevelWindows.GetCount(), windowsBefore);
    EXPECT_EQ(GpAppCore, nullptr);
    EXPECT_EQ(GpTimeCtrl, nullptr);
    EXPECT_EQ(GpTimeCtrlPanels, nullptr);
    EXPECT_EQ(GpPeriodicBoundary, nullptr);
    // nothing queued reaches a deleted object
    testsupport::Pump(100);
}

namespace {

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

bool IsNumberItem(int code) {
    return code != CONF_STR;
}

// The numbers of a value text, read the "C" way.
std::vector<double> Numbers(const wxString& text) {
    std::vector<double> out;
    std::istringstream in(std::string(text.utf8_str()));
    in.imbue(std::locale::classic());
    std::string token;
    while (in >> token) out.push_back(std::strtod(token.c_str(), nullptr));
    return out;
}

std::string WithoutLineEnd(const wxString& line) {
    std::string s(line.utf8_str());
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    return s;
}

}  // namespace

// Every settings key of every group the configuration and project files hold, walked
// through the program's own section registry: each written line belongs to a listed
// group, no key starts another, every value survives a write and a read, values out of
// range are clamped to their documented range and read back the same, and a file that
// lacks a key leaves its value alone.
TEST(AppCore, EverySettingsKeyOfEveryGroupIsATable) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    ConfigSections_cls& sections = shell.core->Sections();
    TimeCtrl_cls* time = shell.core->GetTimeCtrl();
    time->useTimeRemap.value = true;  // its block is written too
    time->remap->InsertKey(0, 0.5, 40.0);

    const std::vector<ConfigSections_cls::NamedGroup> groups = sections.SettingsGroups();
    std::set<std::string> names;
    for (const auto& g : groups) names.insert(g.name);
    for (const char* expected :
         {"data loader", "frame", "image saver", "time", "draw options", "exposure",
          "data sequence 0", "data sequence 1", "data sequence 2", "data sequence 3",
          "periodic boundary", "stereogram", "preferences mouse", "preferences performance"})
        EXPECT_EQ(names.count(expected), 1u) << expected;

    // Every line written outside a block belongs to a listed group.
    const std::string original = sections.WriteText(true);
    const std::vector<std::string> lines = platform::SplitLines(original);
    bool inBlock = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        if (l == "---TimeRemap" || StartsWith(l, "-ParamGroup=")) {
            inBlock = true;
            continue;
        }
        if (inBlock && !sections.IsProgramLine(l)) continue;  // the block's own lines
        inBlock = false;
        EXPECT_TRUE(sections.IsProgramLine(l)) << "line " << i + 1 << ": " << l;
        if (StartsWith(l, "DataSequence")) ++i;  // its path line
    }

    // Keys: well formed, and none the start of another (nor listed twice).
    std::vector<std::pair<std::string, ConfItem_cls*>> items;
    for (const auto& g : groups)
        for (ConfItem_cls* item : g.group->Items()) items.emplace_back(g.name, item);
    ASSERT_GE(items.size(), 60u);
    for (size_t i = 0; i < items.size(); ++i) {
        const wxString& key = items[i].second->key;
        // The views' "Distortion" and "FisheyeGrid" keys are written without "=".
        const bool bare = key.EndsWith("Distortion") || key.EndsWith("FisheyeGrid");
        EXPECT_TRUE(key.size() > 1 && (bare || key.EndsWith("="))) << items[i].first << ": " << key;
        EXPECT_EQ(key.find_first_of(" \t\r\n"), wxString::npos) << key;
        for (size_t j = 0; j < items.size(); ++j)
            if (i != j) {
                EXPECT_FALSE(items[j].second->key.StartsWith(key))
                    << items[i].first << " " << key << " / " << items[j].first << " "
                    << items[j].second->key;
            }
    }

    // The whole text reads back to the same bytes.
    sections.ReadLines(lines);
    ASSERT_EQ(sections.WriteText(true), original);

    // Documented ranges of values read from a file.
    struct Range {
        const char* key;
        double lo, hi;
    };
    const double big = 4294967295.0;
    const Range ranges[] = {
        {"DataLoadDataType=", SNAPSHOT_BINARY, SNAPSHOT_ASCII},
        {"InterpolateType=", 0, 2},
        {"VariableNumber=", 0, 2},
        {"LoaderLogarithm=", 0, 1},
        {"ImageJpegQuality=", 0, 100},
        {"ImageMultiThrad=", 0, 1},
        {"TimeMaxFrame=", 0, TimeCtrl_cls::kMaxSceneLength},
        {"TimeAnimStep=", 1, big},
        {"TimeAnimInterp=", 1, big},
        {"DownSizing=", 1, 1000},
        {"SortOrder=", 0, 2},
        {"Classify=", 0, 1},
        {"Shadow=", 0, 2},
        {"ExposureGamma=", 0.01f, 1000},
        {"ExposureHueOffset=", -180, 180},
        {"ExposureSaturation=", -100, 100},
        {"PeriodicType=", PERIODIC_NONE, PERIODIC_XYZ},
        {"PeriodicEffect=", PERIODIC_GUESS_VELOCITY, PERIODIC_ZERO_VELOCITY},
        {"StereogramType=", 0, 2},
        {"StereogramEye=", 0, 6},
        {"StereoGramToeInAngle=", 0, 45},
        {"SterogramDualOutput=", 0, 1},
        {"GUI_GYRATION=", PREF_BTN_LEFT, PREF_BTN_NONE},
        {"GUI_ZOOM=", PREF_BTN_LEFT, PREF_BTN_NONE},
        {"GUI_CENTER=", PREF_BTN_LEFT, PREF_BTN_NONE},
        {"GUI_ITEM=", PREF_BTN_LEFT, PREF_BTN_NONE},
        {"GUI_MENU=", PREF_BTN_LEFT, PREF_BTN_NONE},
        {"GUI_HITTEST=", PREF_BTN_LEFT, PREF_BTN_NONE},
        {"GUI_MBUTTON_EMULATE=", PREF_MOD_SHIFT, PREF_MOD_NONE},
        {"PREF_SORT_TYPE=", 0, 3},
        {"PREF_USE_FBO=", 0, 1},
    };
    auto rangeOf = [&](const wxString& key) -> const Range* {
        for (const Range& r : ranges)
            if (key == r.key) return &r;
        return nullptr;
    };
    for (const Range& r : ranges) {
        bool found = false;
        for (const auto& it : items) found = found || it.second->key == r.key;
        EXPECT_TRUE(found) << r.key << " is no longer registered";
    }

    auto read = [&](const std::string& line) { sections.ReadLines({line}); };
    const char* numberProbes[] = {"0",     "1",           "2",    "-1",   "7",   "0.5",
                                  "99999999999", "-99999999999", "1e30", "-1e30", "nan",
                                  "inf",   "abc",         "",     " 3",   "4x"};
    const char* arrayProbes[] = {"1 2 3", "0.5 -0.5 2 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18",
                                 "abc", "", "1e30 -1e30 nan", "2"};
    const char* stringProbes[] = {"", "a text  with blanks ", "/p/\xC3\xA9t\xC3\xA9.ptp"};
    for (const auto& [group, item] : items) {
        const std::string key(item->key.utf8_str());
        const bool array = item->typeCode == CONF_INTARRAY || item->typeCode == CONF_FLOATARRAY ||
                           item->typeCode == CONF_DOUBLEARRAY || item->typeCode == CONF_BOOLARRAY;
        std::vector<const char*> probes;
        if (!IsNumberItem(item->typeCode))
            probes.assign(std::begin(stringProbes), std::end(stringProbes));
        else if (array)
            probes.assign(std::begin(arrayProbes), std::end(arrayProbes));
        else
            probes.assign(std::begin(numberProbes), std::end(numberProbes));
        for (const char* probe : probes) {
            read(key + probe);
            const wxString written = item->WriteLine();
            if (!IsNumberItem(item->typeCode)) {
                EXPECT_EQ(WithoutLineEnd(written), key + probe) << group;
                continue;
            }
            const std::string w = WithoutLineEnd(written);
            EXPECT_EQ(w.find("nan"), std::string::npos) << group << ": " << key << probe;
            EXPECT_EQ(w.find("inf"), std::string::npos) << group << ": " << key << probe;
            // what was written reads back the same
            read(w);
            EXPECT_EQ(item->WriteLine(), written) << group << ": " << key << probe;
            if (const Range* r = rangeOf(item->key))
                for (double v : Numbers(item->ValueText())) {
                    EXPECT_GE(v, r->lo) << key << probe;
                    EXPECT_LE(v, r->hi) << key << probe;
                }
            // the time areas are frames of the scene
            for (const ConfItemUINT_cls* area : {&time->workAreaMin, &time->workAreaMax,
                                                 &time->activeAreaMin, &time->activeAreaMax})
                EXPECT_LE(area->value, time->maxFrame.value) << area->key << " after " << key << probe;
        }
        // a file without the key leaves the value as it is
        read(key + (IsNumberItem(item->typeCode) ? "1" : "kept"));
        const wxString set = item->WriteLine();
        std::vector<std::string> without;
        for (const std::string& l : lines)
            if (!StartsWith(l, key)) without.push_back(l);
        sections.ReadLines(without);
        EXPECT_EQ(item->WriteLine(), set) << group << ": " << key;
    }
    sections.ReadLines(lines);
    EXPECT_EQ(sections.WriteText(true), original);
    testsupport::Pump(20);
}

// Quit replaces the configuration file through a flushed temporary file that keeps the
// file's permissions; a configuration cut inside a block is reported, not half read.
TEST(AppCore, QuitKeepsTheConfigurationsPermissionsAndABrokenOneIsRefused) {
    namespace fs = std::filesystem;
    TempDir dir;
    const std::string cfg = dir.File("Pelthorn3Configure.txt");
    WriteFile(cfg, shelltest::ConfigFile("/old.ptp"));
    fs::permissions(cfg, fs::perms(0600));
    {
        Shell shell(cfg);
        shell.frame->SetLastOpenedProject("/new.ptp");
        shell.prompts.yes = true;
        shell.frame->PostMenuCommand(ID_QUIT);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return shell.core->GetFrameMain() == nullptr; }));
    }
    EXPECT_EQ(ReadFile(cfg), shelltest::ConfigFile("/new.ptp"));
    EXPECT_EQ(fs::status(cfg).permissions(), fs::perms(0600));

    // a remap marker whose block is missing would take every line after it
    WriteFile(cfg, "TimeUseTimeRemap=1\r\n---TimeRemap\n" + shelltest::ConfigFile("/cut.ptp"));
    Shell shell(cfg);
    const auto titles = testsupport::ModalTitles();
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_EQ(titles[0], "Warning");
    EXPECT_NE(testsupport::ModalMessages()[0].find("---TimeRemap"), wxString::npos)
        << testsupport::ModalMessages()[0];
    EXPECT_EQ(shell.frame->LastOpenedProject(), "None");
}

// The three filter lists are project sections: an opened project's filters come into
// the lists of their kinds, and saving writes them back byte for byte; opening another
// project replaces them.
TEST(AppCore, FilterListsAreReadFromAndWrittenToTheProject) {
    TempDir dir;
    const std::string cfg = dir.File("Pelthorn3Configure.txt");
    WriteFile(cfg, shelltest::ConfigFile("/old.ptp"));
    Shell shell(cfg);
    ASSERT_NE(GpFilterCtrls[0], nullptr);
    GpFilterCtrls[0]->AddFilter(FILTER_BOOLEAN, -1, nullptr, nullptr, nullptr, nullptr);
    GpFilterCtrls[0]->AddFilter(FILTER_FILTERING, -1, nullptr, nullptr, nullptr, nullptr);
    GpFilterCtrls[2]->AddFilter(FILTER_DATABOX, -1, nullptr, nullptr, nullptr, nullptr);
    GpFilterCtrls[0]->SetValueByAddress("Boolean00::BorderFactor=", 0.5, 0);
    std::string sections;
    for (int i = 0; i < 3; ++i) sections += GpFilterCtrls[i]->WriteSection();
    const std::string project = dir.File("scene.ptp");
    ASSERT_TRUE(shell.core->WriteConfig(project, true));
    const std::string saved = ReadFile(project);
    EXPECT_NE(saved.find(sections), std::string::npos);

    GpFilterCtrls[0]->DeleteAll();
    GpFilterCtrls[2]->AddFilter(FILTER_COPY, -1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(shell.frame->OpenProjectFile(wxString::FromUTF8(project)));
    std::string reread;
    for (int i = 0; i < 3; ++i) reread += GpFilterCtrls[i]->WriteSection();
    EXPECT_EQ(reread, sections);
    EXPECT_EQ(GpFilterCtrls[2]->Count(), 1);  // the CopyBox added before the open is gone
}

TEST(AppCore, SceneDialogsShowTheOpenedProjectWhetherShownOrClosed) {
    // Each dialog shows a value the project holds and the scene did not before the Open:
    // at once when it was shown, and when it is opened again after being closed.
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    ColorCurveCtrl_cls* curves = shell.core->GetColorCurveControl();
    CameraPathCtrl_cls* camera = shell.core->GetCameraControl();
    ASSERT_TRUE(curves && camera && GpBGColor && GpCameraPath);
    curves->SetRecord(GpBGColor);
    auto number = [](wxWindow* w) {
        auto* entry = dynamic_cast<wxTextEntry*>(w);
        double v = -99;
        return entry && entry->GetValue().ToCDouble(&v) ? v : -99.0;
    };
    auto setCamera = [](double x) {
        GbParamUndoEnabled = 0;
        GpCameraPath->translate->SetKeyFrame({x, 0.25, 1.5}, true, 0.0);
        GbParamUndoEnabled = 1;
    };
    struct Dialog {
        const char* name;
        int menuId;
        std::function<wxWindow*()> window;
        std::function<double()> shown;
        std::function<void(bool project)> set;  ///< the project's value, or the scene's other one
        DialogControl_cls* control;
        double projectValue;
    };
    const Dialog dialogs[] = {
        {"colour curve editor", ID_COLOR_CURVE_EDITOR, [&] { return static_cast<wxWindow*>(curves->gui); },
         [&] { return number(curves->gui->scalingPanel->GetItemControl(curves->gui->maxItem)); },
         [](bool project) { GpBGColor->scalingMax.value = project ? 5.0f : 1.0f; }, curves, 5.0},
        {"view and camera", ID_VIEW_CAMERA_CONFIG, [&] { return static_cast<wxWindow*>(camera->gui); },
         [&] { return number(camera->gui->camera->GetItemControl(camera->gui->translateItem + 1)); },
         [&](bool project) { setCamera(project ? 2.5 : -1.5); }, camera, 2.5},
    };
    const std::string project = dir.File("p.ptp");
    for (const Dialog& d : dialogs) d.set(true);
    ASSERT_TRUE(shell.core->WriteConfig(project, true));

    for (const Dialog& d : dialogs)
        for (const bool closed : {false, true}) {
            SCOPED_TRACE(std::string(d.name) + (closed ? ", closed meanwhile" : ", shown throughout"));
            shell.Post(d.menuId);
            ASSERT_TRUE(testsupport::PumpUntil([&] { return d.window() && d.window()->IsShown(); }, 3000));
            d.set(false);
            d.control->UpdateGUI(true);
            ASSERT_NE(d.shown(), d.projectValue);
            if (closed) d.window()->Hide();
            ASSERT_TRUE(shell.frame->OpenProjectFile(wxString::FromUTF8(project)));
            testsupport::Pump(50);
            if (closed) {
                shell.Post(d.menuId);
                ASSERT_TRUE(testsupport::PumpUntil([&] { return d.window()->IsShown(); }, 3000));
            }
            EXPECT_DOUBLE_EQ(d.shown(), d.projectValue);
            d.window()->Hide();
        }
    GoCommandHistory.Clear();
}

TEST(AppCore, LowerPanelListsTheCameraPathBeforeTheStereogramAndTheLights) {
    testsupport::TempDir dir;
    shelltest::Shell shell(dir.File("Pelthorn3Configure.txt"));
    ParamGUICtrl_cls* params = ParamGUICtrl_cls::Of(shell.core->GetTimeCtrl());
    ASSERT_NE(params, nullptr);
    std::vector<std::string> names;
    for (const ParamGroup_cls* g : params->groups) names.push_back(g->name);
    auto at = [&](const std::string& name) {
        return std::find(names.begin(), names.end(), name) - names.begin();
    };
    ASSERT_LT(at("Camera Path"), names.size());
    ASSERT_LT(at("Stereogram"), names.size());
    EXPECT_LT(at("Camera Path"), at("Stereogram"));
    // The seven lights come last, after both.
    EXPECT_EQ(at("Stereogram") + 8, names.size()) << ::testing::PrintToString(names);
}

TEST(AppCore, ExportPathToClipboardDeclaresThePathsViewAngle) {
    testsupport::TempDir dir;
    shelltest::Shell shell(dir.File("Pelthorn3Configure.txt"));
    GpCameraPath->vAngle.value = 50;
    shell.Post(ID_EXPORT_PATH_CLIPBOARD);
    wxString text;
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTextDataObject data;
    if (wxTheClipboard->IsSupported(wxDF_UNICODETEXT) || wxTheClipboard->IsSupported(wxDF_TEXT)) wxTheClipboard->GetData(data);
    wxTheClipboard->Close();
    text = data.GetText();
    EXPECT_TRUE(text.StartsWith("#declare t0 = clock;\n")) << text;
    EXPECT_TRUE(text.Contains("\n#declare CameraVAngle = 50;\n")) << text;
    // The template follows and keeps its fallback for a text without the declaration.
    EXPECT_LT(text.Find("#declare CameraVAngle = 50;"), text.Find("#ifndef (CameraVAngle)")) << text;
}
