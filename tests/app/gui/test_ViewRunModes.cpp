// The main view's data-export mode: a run started by the exporter plays the work area and
// every paint of the main view writes the data frame it shows, once per data frame, without
// drawing; the end of playback ends the mode.
#include "tests/app/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <wx/dir.h>

#include "app/gui/TopHalfPanel.h"
#include "common/CommandIds.h"
#include "data/DataExporter.h"
#include "data/DataSequence.h"
#include "data/DataSequenceSet.h"
#include "data/DemoSequence.h"
#include "timeline/TimeCtrl.h"
#include "view/gui/MainGLCanvas.h"

using shelltest::Shell;
using testsupport::TempDir;

TEST(ViewRunModes, ExportRunWritesEachShownDataFrameOnceAndEndsWithPlayback) {
    TempDir dir;
    DemoSequenceOptions o;
    o.grammar = SnapshotGrammar();
    o.frames = 3;
    o.particles = 10;
    std::string error;
    ASSERT_TRUE(DemoSequence_cls(o).WriteAll(dir.File("seq"), error)) << error;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    ASSERT_TRUE(GpDataExporter->runAvailable) << "the main view drives export runs";
    shell.core->LoadFileSequence(wxString::FromUTF8(dir.File("seq") + "/" + o.FileName(0)));
    TimeCtrl_cls* time = shell.core->GetTimeCtrl();
    DataSequence_cls* seq = GpDataSequenceSet->GetCurrent();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return seq->GetFrameCount() == 3; }, 10000));
    // A short scene: one frame per data frame.
    time->SetMaxFrameUndoable(3);
    testsupport::Pump(50);

    wxMkdir(dir.File("out"));
    GpDataExporter->SetPattern(wxString::FromUTF8(dir.File("out") + "/exp%04d.txt"));
    GpDataExporter->running = true;  // as the dialog's button does
    MainGLCanvas_cls* view = shell.frame->GetTopPanel()->View(0);
    GpCurrentCanvas = view;
    shell.Post(ID_START_EXPORT_RUN);
    EXPECT_TRUE(view->InDataExport());
    EXPECT_EQ(time->AnimInterp(), 1);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !time->IsPlaying(); }, 30000));
    testsupport::Pump(100);
    EXPECT_FALSE(view->InDataExport()) << "the end of playback ends the run";
    EXPECT_FALSE(GpDataExporter->running);

    wxArrayString files;
    wxDir::GetAllFiles(wxString::FromUTF8(dir.File("out")), &files);
    EXPECT_EQ(GpDataExporter->filesWritten, int(files.size()));
    EXPECT_GE(files.size(), 2u) << "one file per data frame shown";
    EXPECT_LE(files.size(), 3u) << "a frame shown twice is written once";
}
