// Start-up, Quit and the configuration file, with the real central object and frame.
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/ExpectedFiles.h"

#include <gtest/gtest.h>

#include <wx/toplevel.h>

#include "common/CommandIds.h"
#include "data/PeriodicBoundary.h"
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
    // the start title stays until a project is opened or saved; then it names the path
    EXPECT_EQ(again.frame->GetTitle(), "Pelthorn 3 v 0.82");
    again.frame->UpdateTitle();
    EXPECT_EQ(std::string(again.frame->GetTitle().utf8_str()),
              "Pelthorn3 - /data/run \xC3\xA9t\xC3\xA9.ptp");
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
    Shell shell(cfg);
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
