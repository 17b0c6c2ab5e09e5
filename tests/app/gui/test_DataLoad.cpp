// Loading, closing and reopening particle data with the real central object and frame: what
// the status line says, undo and redo of a load, a project that names its sequence, and a
// sequence with a damaged file in the middle.
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/StderrCapture.h"
#include "tests/app/gui/ViewPixels.h"

#include <gtest/gtest.h>

#include <wx/menu.h>
#include <wx/statusbr.h>

#include <filesystem>
#include <fstream>

#include <wx/textctrl.h>

#include "common/CommandHistory.h"
#include "common/gui/MultiInputPanel.h"
#include "data/PeriodicBoundary.h"
#include "data/gui/PeriodicBoundaryGUI.h"
#include "common/CommandIds.h"
#include "data/DataLoader.h"
#include "data/DataSequenceSet.h"
#include "tools/DemoSequence.h"
#include "data/DataSequence.h"
#include "data/DataFrame.h"
#include "scene/CameraPath.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"
#include "timeline/TimeCtrl.h"
#include "timeline/gui/TimeCtrlGUI.h"

using shelltest::Shell;
using testsupport::TempDir;

namespace {

constexpr int kFrames = 5;
constexpr int kParticles = 3000;

/// Five binary frames in the loader's default grammar, particles crossing a periodic box.
std::string WriteDemo(const TempDir& dir) { return viewpixels::WriteSequence(dir, kParticles, kFrames, 4.0f); }

double BoxSizeEntry(Shell& shell, int k) {
    PeriodicBoundaryGUI_cls* dialog = shell.core->GetPeriodicBoundaryControl()->gui;
    auto* text = dynamic_cast<wxTextCtrl*>(dialog->panel->GetItemControl(dialog->boxSizeFirst + k));
    double v = -1;
    if (text) text->GetValue().ToCDouble(&v);
    return v;
}

wxString Field(Shell& shell, int i) { return shell.frame->GetStatusBar()->GetStatusText(i); }

/// Shows scene frame `frame` as a step of the timeline does, and lets the frame prepare it.
void ShowFrame(Shell& shell, int frame) {
    shell.core->GetTimeCtrl()->SetFrame(frame, 0);
    shell.Post(ID_REDRAW_VIEWS);
}

bool WaitForStatus(Shell& shell, const wxString& field0, const wxString& part1) {
    return testsupport::PumpUntil(
        [&] {
            shell.frame->UpdateStatusLine();
            return Field(shell, 0) == field0 && Field(shell, 1).Contains(part1);
        },
        5000);
}

}  // namespace

TEST(DataLoad, LoadCommandShowsFileFrameAndCountUndoRedoAndClose) {
    TempDir dir;
    const std::string first = WriteDemo(dir);
    const wxString seq = wxString::FromUTF8(dir.File("seq/"));
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    GoCommandHistory.Clear();

    // What the loader's "Open File Sequence" does with the chosen file.
    GpDataLoader->SetFileAndLoad(wxString::FromUTF8(first));
    EXPECT_EQ(GpDataSequenceSet->GetFrameCount(), kFrames);
    EXPECT_EQ(shell.core->GetTimeCtrl()->MaxFrame(), kFrames - 1);
    ASSERT_TRUE(WaitForStatus(shell, seq + "demo0000.dat", "3000 particles")) << Field(shell, 0) << " | " << Field(shell, 1);
    EXPECT_TRUE(Field(shell, 1).StartsWith("frame 0/4")) << Field(shell, 1);
    EXPECT_TRUE(shell.core->IsFrameLoaded(0));
    EXPECT_EQ(GpDataLoader->lastOpenedFile.text, wxString::FromUTF8(first));

    ShowFrame(shell, 3);
    ASSERT_TRUE(WaitForStatus(shell, seq + "demo0003.dat", "frame 3/4  3000 particles")) << Field(shell, 1);
    EXPECT_TRUE(shell.core->IsFrameReady(3, 0.0));

    // One undo step brings the state before the load back (no data), one redo loads again.
    shell.Post(ID_UNDO);
    EXPECT_EQ(GpDataSequenceSet->GetFrameCount(), 0);
    EXPECT_EQ(GpDataSequenceSet->GetFileList(), wxString());
    shell.frame->UpdateStatusLine();
    EXPECT_EQ(Field(shell, 0), wxString());
    shell.Post(ID_REDO);
    EXPECT_EQ(GpDataSequenceSet->GetFrameCount(), kFrames);
    ASSERT_TRUE(WaitForStatus(shell, seq + "demo0003.dat", "3000 particles"));

    // Close Particle Data from the menu, undone by one step.
    ASSERT_TRUE(shell.frame->GetMenuBar()->FindItem(ID_CLOSE_PARTICLE_DATA)->IsEnabled());
    shell.Post(ID_CLOSE_PARTICLE_DATA);
    EXPECT_EQ(GpDataSequenceSet->GetFrameCount(), 0);
    EXPECT_FALSE(shell.core->IsFrameLoaded(3));
    shell.Post(ID_UNDO);
    EXPECT_EQ(GpDataSequenceSet->GetFileList(), wxString::FromUTF8(first));
    EXPECT_TRUE(testsupport::ModalMessages().empty());
}

TEST(DataLoad, FramesHoldingKeysAreKeptLongestInTheCache) {
    TempDir dir;
    const std::string first = WriteDemo(dir);
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    GpDataLoader->SetFileAndLoad(wxString::FromUTF8(first));
    ASSERT_EQ(GpDataSequenceSet->GetFrameCount(), kFrames);
    TimeCtrl_cls* time = shell.core->GetTimeCtrl();
    ASSERT_EQ(time->MaxFrame(), kFrames - 1);

    // A camera key at frame 3 (time 3/4) besides the path's first key at frame 0.
    GpCameraPath->translate->Component(0).SetKeyAt(0.75, 2.0, 0, 0);
    time->UpdateKeyFrameMarks();  // what every paint of the timeline slider does
    const DataSequence_cls* seq = GpDataSequenceSet->GetCurrent();
    std::vector<int> marked;
    for (int i = 0; i < kFrames; ++i)
        if (seq->frames[size_t(i)]->keyFrameMark) marked.push_back(i);
    EXPECT_EQ(marked, (std::vector<int>{0, 3}));
    EXPECT_TRUE(time->KeyFrameMarks()[3]);

    // The marks follow the keys: undoing the key leaves frame 3 unmarked at the next paint.
    GoCommandHistory.Undo();
    time->UpdateKeyFrameMarks();
    EXPECT_FALSE(seq->frames[3]->keyFrameMark);
    EXPECT_TRUE(seq->frames[0]->keyFrameMark);
}

TEST(DataLoad, MissingFileSaysSoAndLeavesNoFrames) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    shell.core->LoadData(wxString::FromUTF8(dir.File("none0000.dat")));
    testsupport::Pump(50);
    EXPECT_EQ(GpDataSequenceSet->GetFrameCount(), 0);
    ASSERT_EQ(testsupport::ModalMessages().size(), 1u);
    EXPECT_TRUE(testsupport::ModalMessages()[0].Contains("none0000.dat"));
}

TEST(DataLoad, ProjectThatNamesTheSequenceReopensIt) {
    TempDir dir;
    const std::string first = WriteDemo(dir);
    const std::string project = dir.File("run.ptp");
    {
        Shell shell(dir.File("Pelthorn3Configure.txt"));
        shell.core->LoadData(wxString::FromUTF8(first));
        ShowFrame(shell, 2);
        for (int k = 0; k < 3; ++k) GpPeriodicBoundary->periodicSize.values[k] = 2.0f + k;
        ASSERT_TRUE(shell.frame->SaveProjectTo(wxString::FromUTF8(project)));
    }
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    EXPECT_EQ(GpDataSequenceSet->GetFrameCount(), 0);
    // The periodic boundary dialog is open while the project is read: it shows the
    // project's box at once.
    shell.Post(ID_PERIODIC_BOUNDARY);
    ASSERT_TRUE(shell.core->GetPeriodicBoundaryControl()->gui->IsShown());
    EXPECT_EQ(BoxSizeEntry(shell, 0), 1.0);
    ASSERT_TRUE(shell.frame->OpenProjectFile(wxString::FromUTF8(project)));
    for (int k = 0; k < 3; ++k) EXPECT_EQ(BoxSizeEntry(shell, k), 2.0 + k) << k;
    EXPECT_EQ(GpDataSequenceSet->GetFrameCount(), kFrames);
    EXPECT_EQ(shell.core->GetTimeCtrl()->MaxFrame(), kFrames - 1);
    // Opening puts the time at frame 0; its snapshot is read and shown.
    const wxString seq = wxString::FromUTF8(dir.File("seq/"));
    ASSERT_TRUE(WaitForStatus(shell, seq + "demo0000.dat", "3000 particles")) << Field(shell, 0);
    EXPECT_TRUE(shell.core->IsFrameLoaded(0));
    ShowFrame(shell, 4);
    ASSERT_TRUE(WaitForStatus(shell, seq + "demo0004.dat", "frame 4/4  3000 particles"));
    EXPECT_TRUE(testsupport::ModalMessages().empty());
}

TEST(DataLoad, DamagedMiddleFileIsNamedOnceAndTheOthersPlay) {
    TempDir dir;
    const std::string first = WriteDemo(dir);
    const std::string damaged = dir.File("seq/demo0002.dat");
    // Header whole, body cut short.
    std::filesystem::resize_file(damaged, std::filesystem::file_size(damaged) / 2);

    Shell shell(dir.File("Pelthorn3Configure.txt"));
    shell.core->LoadData(wxString::FromUTF8(first));
    const wxString seq = wxString::FromUTF8(dir.File("seq/"));
    for (int pass = 0; pass < 2; ++pass) {
        for (int f = 0; f < kFrames; ++f) {
            ShowFrame(shell, f);
            const wxString name = seq + wxString::Format("demo%04d.dat", f);
            if (f == 2) {
                ASSERT_TRUE(testsupport::PumpUntil([&] {
                    shell.frame->UpdateStatusLine();
                    return Field(shell, 0).StartsWith(name + ": ");
                }));
                EXPECT_FALSE(shell.core->IsFrameLoaded(2));
                // never blocks playback
                EXPECT_TRUE(shell.core->IsFrameReady(2, 0.0));
            } else {
                ASSERT_TRUE(WaitForStatus(shell, name, "3000 particles")) << f << ": " << Field(shell, 0);
            }
        }
    }
    testsupport::Pump(50);
    const std::vector<wxString> messages = testsupport::ModalMessages();
    ASSERT_EQ(messages.size(), 1u) << "one message for the damaged file, however often it is shown";
    EXPECT_TRUE(messages[0].Contains("demo0002.dat")) << messages[0];
}

TEST(DataLoad, SequenceLongerThanTheFrameSlotsIsCutWithOneMessage) {
    TempDir dir;
    const std::string first = WriteDemo(dir);
    // The five demo frames, then empty members up to one more than the slots.
    const int files = DataSequence_cls::kFrameSlots + 1;
    for (int f = kFrames; f < files; ++f)
        std::ofstream(dir.File("seq/" + wxString::Format("demo%04d.dat", f).ToStdString()));
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    shell.core->LoadData(wxString::FromUTF8(first));
    EXPECT_EQ(GpDataSequenceSet->GetFrameCount(), 8000);
    EXPECT_EQ(shell.core->GetTimeCtrl()->MaxFrame(), 7999);
    const wxString seq = wxString::FromUTF8(dir.File("seq/"));
    ASSERT_TRUE(WaitForStatus(shell, seq + "demo0000.dat", "3000 particles")) << Field(shell, 0);
    testsupport::Pump(50);
    const std::vector<wxString> messages = testsupport::ModalMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Max file sequence number is 8000");
}

TEST(DataLoad, SequenceFillingEveryFrameSlotIsTakenWhole) {
    TempDir dir;
    const std::string first = WriteDemo(dir);
    for (int f = kFrames; f < DataSequence_cls::kFrameSlots; ++f)
        std::ofstream(dir.File("seq/" + wxString::Format("demo%04d.dat", f).ToStdString()));
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    shell.core->LoadData(wxString::FromUTF8(first));
    EXPECT_EQ(GpDataSequenceSet->GetFrameCount(), DataSequence_cls::kFrameSlots);
    EXPECT_EQ(shell.core->GetTimeCtrl()->MaxFrame(), DataSequence_cls::kFrameSlots - 1);
    testsupport::Pump(50);
    EXPECT_TRUE(testsupport::ModalMessages().empty());
}

TEST(DataLoad, TimelineAndStatusLineShowTheSameMemoryFigure) {
    TempDir dir;
    // 40 000 particles: about 1.7 MB a frame, so that the figure is not 0.
    const std::string first = viewpixels::WriteSequence(dir, 40000, 3);
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    TimeCtrl_cls* time = shell.core->GetTimeCtrl();
    ASSERT_TRUE(time->panels && time->panels->slider);
    EXPECT_TRUE(time->panels->slider->CaptionText().EndsWith("UsedMemoryMB=0"));

    GpDataLoader->SetFileAndLoad(wxString::FromUTF8(first));
    for (int f = 0; f < 3; ++f) {
        ShowFrame(shell, f);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return shell.core->IsFrameReady(f, 0.0); }, 5000));
    }
    shell.Post(ID_TIME_REFRESH);
    shell.frame->UpdateStatusLine();
    // "frame 2/2  40000 particles  N/4096 MB"
    const wxString status = Field(shell, 1);
    const int slash = status.Find("/4096 MB");
    ASSERT_NE(slash, wxNOT_FOUND) << status;
    long statusMB = -1;
    ASSERT_TRUE(status.Left(slash).AfterLast(' ').ToLong(&statusMB)) << status;
    EXPECT_GE(statusMB, 3) << status;
    EXPECT_TRUE(time->panels->slider->CaptionText().EndsWith(wxString::Format("UsedMemoryMB=%ld", statusMB)))
        << time->panels->slider->CaptionText() << " | " << status;
}

TEST(DataLoad, TextSnapshotWithLinesPastItsCountReadsTheCountAndSaysSoOnce) {
    TempDir dir;
    DemoSequenceOptions o;  // ASCII frames: header time and count, body lines after them
    o.frames = 2;
    o.particles = 20;
    std::string error;
    ASSERT_TRUE(DemoSequence_cls(o).WriteAll(dir.File("txt"), error)) << error;
    const std::string second = dir.File("txt/" + o.FileName(1));
    {
        std::ofstream extra(second, std::ios::app);
        extra << "\n1 2 3 4 5 6 0.1 99 0 0\nnot a particle\n";
    }
    shelltest::StderrCapture err;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    GpDataLoader->dataType.value = 1;  // "Simple Ascii"
    shell.core->LoadData(wxString::FromUTF8(dir.File("txt/" + o.FileName(0))));
    ASSERT_EQ(GpDataSequenceSet->GetFrameCount(), 2);
    // Body lines are file lines 3 to 22; line 23 is blank, line 24 the first extra one.
    const wxString warning = wxString::FromUTF8(second) +
                             ": line 24: the body holds more than the 20 particles of the header; the rest of the "
                             "file is ignored";
    for (int round = 0; round < 2; ++round) {
        ShowFrame(shell, 1);
        EXPECT_TRUE(WaitForStatus(shell, warning, "20 particles")) << Field(shell, 0) << " | " << Field(shell, 1);
        ShowFrame(shell, 0);
        EXPECT_TRUE(WaitForStatus(shell, wxString::FromUTF8(dir.File("txt/" + o.FileName(0))), "20 particles"))
            << Field(shell, 0);
    }
    testsupport::Pump(50);
    EXPECT_TRUE(testsupport::ModalMessages().empty()) << "a file that reads is not an error";
    err.GtkComplaints();
    size_t said = 0;
    for (size_t at = err.All().find(warning.ToStdString()); at != std::string::npos;
         at = err.All().find(warning.ToStdString(), at + 1))
        ++said;
    EXPECT_EQ(said, 1u) << err.All();
}
