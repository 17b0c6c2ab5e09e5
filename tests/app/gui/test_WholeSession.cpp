// A whole session as a user works it: particle data loaded, one filter of every kind added,
// every dialog and editor opened, a POV-Ray snapshot exported and rendered, the camera keyed,
// a few frames played, the project saved, the program closed and started again, and the
// project opened: saving it again writes the same text, so nothing the user built was lost;
// and GTK has nothing to complain of on the terminal meanwhile.
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/StderrCapture.h"
#include "tests/app/gui/ViewPixels.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "data/DataLoader.h"
#include "data/DataSequenceSet.h"
#include "filters/FilterCtrl.h"
#include "scene/PovOutputSettings.h"
#include "scene/PovRayCtrl.h"
#include "tests/support/PovRayProbe.h"
#include "timeline/TimeCtrl.h"

using shelltest::Shell;
using testsupport::ReadFile;
using testsupport::TempDir;

namespace {

/// The project text with its own path row taken out, to compare projects saved to two paths.
std::string WithoutPath(std::string text, const std::string& path) {
    for (size_t at = text.find(path); at != std::string::npos; at = text.find(path, at)) text.replace(at, path.size(), "<project>");
    return text;
}

std::string FilterSections(Shell& shell) {
    std::string s;
    for (int i = 0; i < 3; ++i) s += shell.core->GetFilterCtrl(i)->WriteSection();
    return s;
}

}  // namespace

TEST(WholeSession, EverythingTheUserBuiltComesBackFromTheProject) {
    shelltest::StderrCapture capture;  // the terminal stays quiet all along
    TempDir dir;
    const std::string cfg = dir.File("Pelthorn3Configure.txt");
    const std::string first = viewpixels::WriteSequence(dir, 500, 4, 4.0f);
    const std::string a = dir.File("session.ptp");
    std::string saved, filters;
    {
        Shell shell(cfg);
        GpDataLoader->SetFileAndLoad(wxString::FromUTF8(first));
        ASSERT_EQ(GpDataSequenceSet->GetFrameCount(), 4);

        // one filter of every kind from the Filter menu
        const int kinds[] = {ID_ADD_BOOLEAN, ID_ADD_DATABOX, ID_ADD_OBJECT, ID_ADD_GRID, ID_ADD_FOG,
                             ID_ADD_FILTERING, ID_ADD_COPYBOX, ID_ADD_STICK, ID_ADD_BG};
        for (int id : kinds) shell.Post(id);
        int count = 0;
        for (int i = 0; i < 3; ++i) count += shell.core->GetFilterCtrl(i)->Count();
        EXPECT_EQ(count, int(std::size(kinds))) << FilterSections(shell);

        // POV-Ray writes to the session's folder, small and without a window
        PovRayCtrl_cls* pov = shell.core->GetPovRay();
        pov->pathPovWork.text = wxString::FromUTF8(dir.File("POV"));
        pov->output->width.value = 32;
        pov->output->height.value = 24;
        pov->output->display.value = false;

        // every dialog and editor, each answered or left open as the user would
        for (int id : {ID_SCENE_CONFIG, ID_PREFERENCE, ID_VIEW_CAMERA_CONFIG, ID_LIGHT_EDITOR, ID_COLOR_CURVE_EDITOR,
                       ID_TEXTURE_EDITOR, ID_POVRAY_CONFIG, ID_STEREOGRAM_CONFIG, ID_PERIODIC_BOUNDARY,
                       ID_ABOUT_OPENGL, ID_ABOUT, ID_SAVE_IMAGE_SEQUENCE})
            shell.Post(id);
        testsupport::Pump(100);
        const std::vector<wxString> modal = {"Scene Config", "About Open GL", "About Pelthorn3"};
        EXPECT_EQ(testsupport::ModalTitles(), modal) << "only these ask, nothing failed";
        testsupport::ResetModals();
        testsupport::SetModalAnswer(wxID_OK);

        // a POV-Ray snapshot of the main view, rendered when POV-Ray is there
        if (povprobe::Available()) {
            shell.Post(ID_POV_RENDER_SNAPSHOT);
            ASSERT_TRUE(testsupport::PumpUntil([&] { return pov->IsRenderIdle(); }, 20000));
            testsupport::Pump(50);
            EXPECT_TRUE(std::filesystem::exists(dir.File("POV/povsnap0000.png")));
            EXPECT_EQ(pov->TakeRenderFailure(), "");
        } else {
            shell.Post(ID_POV_EXPORT_SNAPSHOT);
        }
        EXPECT_TRUE(std::filesystem::exists(dir.File("POV/povsnap0000.pov")));
        EXPECT_TRUE(shell.prompts.questions.empty());

        // the camera keyed at two frames, and a few frames played
        TimeCtrl_cls* time = shell.core->GetTimeCtrl();
        shell.Post(ID_SET_CAMERA_KEY_POSROT);
        time->SetFrame(2, 0);
        shell.Post(ID_REDRAW_VIEWS);
        shell.Post(ID_SET_CAMERA_KEY_POSROT);
        time->SetFrame(0, 0);
        shell.frame->ForwardKey(' ', 0);  // Space: play
        EXPECT_TRUE(testsupport::PumpUntil([&] { return time->Frame() >= 2; }, 5000)) << time->Frame();
        shell.frame->ForwardKey(' ', 0);  // Space again: stop
        testsupport::Pump(50);
        EXPECT_FALSE(time->IsPlaying());

        shell.prompts.fileAnswer = wxID_OK;
        shell.prompts.filePath = wxString::FromUTF8(a);
        shell.Post(ID_SAVE_PROJECT_AS);
        saved = ReadFile(a);
        ASSERT_FALSE(saved.empty());
        filters = FilterSections(shell);
        EXPECT_NE(saved.find(filters), std::string::npos);
        EXPECT_NE(saved.find(dir.File("seq")), std::string::npos) << "the project names its particle data";
        EXPECT_TRUE(testsupport::ModalMessages().empty()) << testsupport::ModalMessages()[0];
    }
    GoCommandHistory.Clear();

    // the program started again opens the project: the same filters, data and text
    Shell shell(cfg);
    EXPECT_EQ(FilterSections(shell),
              "---FilterCtrl0Begin\n---FilterCtrl0End\n---FilterCtrl1Begin\n---FilterCtrl1End\n"
              "---FilterCtrl2Begin\n---FilterCtrl2End\n")
        << "a fresh start has no filters";
    shell.prompts.fileAnswer = wxID_OK;
    shell.prompts.filePath = wxString::FromUTF8(a);
    shell.Post(ID_OPEN_PROJECT);
    EXPECT_TRUE(testsupport::ModalMessages().empty()) << testsupport::ModalMessages()[0];
    EXPECT_EQ(GpDataSequenceSet->GetFrameCount(), 4);
    EXPECT_EQ(FilterSections(shell), filters);
    const std::string b = dir.File("again.ptp");
    shell.prompts.filePath = wxString::FromUTF8(b);
    shell.Post(ID_SAVE_PROJECT_AS);
    EXPECT_EQ(WithoutPath(ReadFile(b), b), WithoutPath(saved, a));
    GoCommandHistory.Clear();
    for (const std::string& m : capture.GtkComplaints()) ADD_FAILURE() << m;
}

// The same session's edits on loaded data undone step by step come back to the start, and
// redone step by step to where they were: the project writes the same text at both ends.
// (Undoing a load leaves the scene length and the loader's last file as they are.)
TEST(WholeSession, UndoingEverythingRestoresTheStartAndRedoingItTheEnd) {
    TempDir dir;
    const std::string first = viewpixels::WriteSequence(dir, 300, 4, 4.0f);
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    GpDataLoader->SetFileAndLoad(wxString::FromUTF8(first));
    GoCommandHistory.Clear();
    auto projectText = [&](const std::string& name) {
        const std::string path = dir.File(name);
        EXPECT_TRUE(shell.core->WriteConfig(path, true));
        return WithoutPath(ReadFile(path), path);
    };
    const std::string start = projectText("start.ptp");

    for (int id : {ID_ADD_BOOLEAN, ID_ADD_DATABOX, ID_ADD_OBJECT, ID_ADD_GRID, ID_ADD_FOG, ID_ADD_FILTERING,
                   ID_ADD_COPYBOX, ID_ADD_STICK, ID_ADD_BG})
        shell.Post(id);
    TimeCtrl_cls* time = shell.core->GetTimeCtrl();
    shell.Post(ID_SET_CAMERA_KEY_POSROT);
    time->SetFrameUndoable(2, time->Frame());
    shell.Post(ID_REDRAW_VIEWS);
    shell.Post(ID_SET_CAMERA_KEY_POSROT);
    shell.Post(ID_FILTER_UP);
    shell.Post(ID_FILTER_DELETE);
    const std::string end = projectText("end.ptp");
    ASSERT_NE(end, start);

    int steps = 0;
    while (GoCommandHistory.CanUndo() && steps < 100) {
        shell.Post(ID_UNDO);
        ++steps;
    }
    EXPECT_GT(steps, 8);
    EXPECT_EQ(projectText("undone.ptp"), start);
    for (int i = 0; i < steps; ++i) shell.Post(ID_REDO);
    EXPECT_EQ(projectText("redone.ptp"), end);
    EXPECT_EQ(GpDataSequenceSet->GetFrameCount(), 4);
    EXPECT_TRUE(testsupport::ModalMessages().empty()) << testsupport::ModalMessages()[0];
    GoCommandHistory.Clear();
}

// A session's project cut short anywhere (a disk that filled up, a copy that broke off)
// opens or is refused with a message; the program stays up, and a refused project leaves
// the open scene as it was.
TEST(WholeSession, AProjectCutShortAnywhereIsOpenedOrRefusedSafely) {
    TempDir dir;
    const std::string first = viewpixels::WriteSequence(dir, 300, 3, 4.0f);
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    GpDataLoader->SetFileAndLoad(wxString::FromUTF8(first));
    for (int id : {ID_ADD_BOOLEAN, ID_ADD_DATABOX, ID_ADD_OBJECT, ID_ADD_GRID, ID_ADD_FOG, ID_ADD_FILTERING,
                   ID_ADD_COPYBOX, ID_ADD_STICK, ID_ADD_BG})
        shell.Post(id);
    shell.Post(ID_SET_CAMERA_KEY_POSROT);
    const std::string whole = dir.File("whole.ptp");
    ASSERT_TRUE(shell.core->WriteConfig(whole, true));
    const std::string text = ReadFile(whole);
    const std::string scene = FilterSections(shell);

    shell.prompts.fileAnswer = wxID_OK;
    const std::string cut = dir.File("cut.ptp");
    shell.prompts.filePath = wxString::FromUTF8(cut);
    int refused = 0;
    for (int part = 1; part < 20; ++part) {
        testsupport::WriteFile(cut, text.substr(0, text.size() * part / 20));
        testsupport::ResetModals();
        testsupport::SetModalAnswer(wxID_OK);
        shell.Post(ID_OPEN_PROJECT);
        testsupport::Pump(20);
        if (!testsupport::ModalTitles().empty()) {
            ++refused;
            EXPECT_EQ(FilterSections(shell), scene) << "a refused project changed the scene (cut at " << part << "/20)";
        }
        // the whole project brings the scene back for the next cut
        shell.prompts.filePath = wxString::FromUTF8(whole);
        shell.Post(ID_OPEN_PROJECT);
        ASSERT_TRUE(testsupport::ModalTitles().empty() || FilterSections(shell) == scene) << part;
        ASSERT_EQ(FilterSections(shell), scene) << part;
        shell.prompts.filePath = wxString::FromUTF8(cut);
    }
    EXPECT_GT(refused, 0) << "a section cut in its middle is refused";
    GoCommandHistory.Clear();
}
