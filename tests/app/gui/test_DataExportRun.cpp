// Export runs with the real central object and frame: "Export Data" plays the work area and
// writes every frame once, in order; the run ends with repeat on and with the views hidden;
// "Abort Export" stops it; a file that cannot be written stops it with a message naming it.
#include "tests/app/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>

#include <wx/button.h>

#include "app/gui/TopHalfPanel.h"
#include "common/CommandIds.h"
#include "data/DataExporter.h"
#include "data/DataLoader.h"
#include "data/DataSequenceSet.h"
#include "data/DemoSequence.h"
#include "data/ParticleData.h"
#include "data/gui/DataExporterGUI.h"
#include "data/SnapshotReader.h"
#include "data/ThreadFileReader.h"
#include "timeline/TimeCtrl.h"
#include "view/DrawOptions.h"

using shelltest::Shell;
using testsupport::TempDir;

namespace {

constexpr int kFrames = 5;
constexpr int kParticles = 600;

/// Five binary frames in the loader's default grammar; returns the first file.
std::string WriteDemo(const TempDir& dir) {
    DemoSequenceOptions o;
    o.grammar = SnapshotGrammar();
    o.frames = kFrames;
    o.particles = kParticles;
    o.box = 4.0f;
    std::string error;
    const std::string folder = dir.File("seq");
    EXPECT_TRUE(DemoSequence_cls(o).WriteAll(folder, error)) << error;
    return folder + "/" + o.FileName(0);
}

/// Header, arrays and body of one file, as the frame cache reads it.
bool LoadFile(ParticleData_cls& pd, const std::string& path, const SnapshotLoadSettings& s) {
    if (!pd.Load(wxString::FromUTF8(path.c_str()), s)) return false;
    ParticleArrays_cls none;
    return ThreadFileReader_cls::ReadBody(wxString::FromUTF8(path.c_str()), s, pd.allocated ? pd.count : 0,
                                          pd.arrays ? *pd.arrays : none, 1)
        .ok;
}

std::string Source(const TempDir& dir, int frame) {
    char name[32];
    std::snprintf(name, sizeof name, "seq/demo%04d.dat", frame);
    return dir.File(name);
}

std::string Output(const TempDir& dir, int k) {
    char name[32];
    std::snprintf(name, sizeof name, "out/x%04d.dat", k);
    return dir.File(name);
}

/// The loaded demo and the exporter's dialog with output pattern out/x%04d.dat.
struct ExportShell {
    explicit ExportShell(const TempDir& dir) : shell(dir.File("Pelthorn3Configure.txt")) {
        mkdir(dir.File("out").c_str(), 0700);
        shell.core->LoadData(wxString::FromUTF8(WriteDemo(dir).c_str()));
        testsupport::Pump(20);
        shell.Post(ID_EXPORT_PARTICLE_DATA);
        exporter = GpDataExporter;
        dialog = exporter->gui;
        exporter->output.path = wxString::FromUTF8(dir.File("out/x%04d.dat").c_str());
        exporter->UpdateGUI();
        time = shell.core->GetTimeCtrl();
        time->SetFrame(2, 0);  // a run starts from the work area's start wherever the time is
    }
    /// "Export Data", then the events until the run is over.
    bool Run(int timeoutMs = 20000) {
        wxCommandEvent press(wxEVT_BUTTON, ID_EXPORTER_RUN);
        dialog->OnExportData(press);
        return testsupport::PumpUntil([this] { return !exporter->running && !exporter->exporting; }, timeoutMs);
    }
    Shell shell;
    DataExporter_cls* exporter = nullptr;
    DataExporterGUI_cls* dialog = nullptr;
    TimeCtrl_cls* time = nullptr;
};

}  // namespace

TEST(DataExportRun, WritesEveryFrameOnceAsTheLoaderReadIt) {
    TempDir dir;
    ExportShell s(dir);
    ASSERT_TRUE(s.dialog->exportButton->IsEnabled());
    ASSERT_TRUE(s.Run());
    EXPECT_EQ(s.exporter->filesWritten, kFrames);
    // Default grammar, binary, stride 1: the very bytes of the files that were read.
    for (int k = 0; k < kFrames; ++k)
        EXPECT_EQ(testsupport::ReadFile(Output(dir, k)), testsupport::ReadFile(Source(dir, k))) << k;
    EXPECT_FALSE(testsupport::FileExists(Output(dir, kFrames)));
    EXPECT_EQ(s.dialog->exportButton->GetLabel(), "Export Data");
    EXPECT_FALSE(s.time->IsPlaying());
    EXPECT_TRUE(testsupport::ModalMessages().empty());
}

TEST(DataExportRun, EndsWithRepeatOnAndWithHiddenViewsWritingEachFrameOnce) {
    TempDir dir;
    ExportShell s(dir);
    s.time->repeat.value = 1;
    s.shell.frame->GetTopPanel()->Hide();  // no view paints
    // ASCII with the stride of the draw options.
    s.exporter->dataType.value = SNAPSHOT_ASCII;
    s.exporter->UpdateGUI();
    s.shell.core->GetDrawOptions()->downSizing.value = 4;
    ASSERT_TRUE(s.Run());
    EXPECT_EQ(s.exporter->filesWritten, kFrames);
    EXPECT_FALSE(testsupport::FileExists(Output(dir, kFrames)));
    SnapshotLoadSettings reading;
    reading.grammar = s.exporter->Snapshot();
    SnapshotLoadSettings source;
    for (int k = 0; k < kFrames; ++k) {
        ParticleData_cls back, original;
        ASSERT_TRUE(LoadFile(back, Output(dir, k), reading)) << k;
        ASSERT_TRUE(LoadFile(original, Source(dir, k), source)) << k;
        ASSERT_EQ(back.count, kParticles / 4) << k;
        EXPECT_FLOAT_EQ(float(back.time), float(original.time)) << k;
        for (int i = 0; i < back.count; i += 37) {
            EXPECT_NEAR(back.position[3 * i + 1], original.position[3 * 4 * i + 1], 1e-6) << k << " " << i;
            EXPECT_EQ(back.id[i], original.id[4 * i]) << k << " " << i;
            EXPECT_EQ(back.type[i], original.type[4 * i]) << k << " " << i;
        }
    }
    // With repeat the playback goes on after the run; the run does not start again.
    testsupport::Pump(200);
    EXPECT_FALSE(testsupport::FileExists(Output(dir, kFrames)));
}

TEST(DataExportRun, AbortStopsTheRunAndPlayback) {
    TempDir dir;
    ExportShell s(dir);
    wxCommandEvent press(wxEVT_BUTTON, ID_EXPORTER_RUN);
    s.dialog->OnExportData(press);
    testsupport::Pump(0);  // the start: the first frame is written at once
    ASSERT_TRUE(s.exporter->exporting);
    s.dialog->OnExportData(press);  // "Abort Export"
    EXPECT_FALSE(s.exporter->exporting);
    EXPECT_EQ(s.dialog->exportButton->GetLabel(), "Export Data");
    testsupport::Pump(300);
    EXPECT_FALSE(s.time->IsPlaying());
    EXPECT_LT(s.exporter->filesWritten, kFrames);
    EXPECT_FALSE(testsupport::FileExists(Output(dir, s.exporter->filesWritten)));
}

TEST(DataExportRun, FileThatCannotBeWrittenStopsTheRunAndIsNamed) {
    TempDir dir;
    ExportShell s(dir);
    ASSERT_EQ(mkdir(Output(dir, 2).c_str(), 0700), 0);  // the third name is a folder
    ASSERT_TRUE(s.Run());
    testsupport::Pump(100);
    EXPECT_EQ(s.exporter->filesWritten, 2);
    for (int k = 0; k < 2; ++k)
        EXPECT_EQ(testsupport::ReadFile(Output(dir, k)), testsupport::ReadFile(Source(dir, k))) << k;
    EXPECT_FALSE(testsupport::FileExists(Output(dir, 3)));
    EXPECT_FALSE(s.time->IsPlaying());
    const std::vector<wxString> messages = testsupport::ModalMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Contains("x0002.dat")) << messages[0];
}

TEST(DataExportRun, WithoutDataNothingRunsAndTheUserIsTold) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    shell.Post(ID_EXPORT_PARTICLE_DATA);
    DataExporter_cls* exporter = GpDataExporter;
    exporter->output.path = wxString::FromUTF8(dir.File("x%04d.dat").c_str());
    exporter->UpdateGUI();
    wxCommandEvent press(wxEVT_BUTTON, ID_EXPORTER_RUN);
    exporter->gui->OnExportData(press);
    testsupport::Pump(100);
    EXPECT_FALSE(exporter->running);
    EXPECT_FALSE(shell.core->GetTimeCtrl()->IsPlaying());
    ASSERT_EQ(testsupport::ModalMessages().size(), 1u);
    EXPECT_EQ(exporter->gui->exportButton->GetLabel(), "Export Data");
}
