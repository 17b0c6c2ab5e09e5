// Export runs with the real central object and frame: "Export Data" plays the work area and
// writes every frame once, in order; the run ends with repeat on and with the views hidden;
// "Abort Export" stops it; a file that cannot be written stops it with a message naming it.
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/ViewPixels.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>

#include <wx/button.h>

#include "app/gui/TopHalfPanel.h"
#include "common/CommandIds.h"
#include "data/DataExporter.h"
#include "data/DataLoader.h"
#include "data/DataSequence.h"
#include "data/DataSequenceSet.h"
#include "tools/DemoSequence.h"
#include "data/ParticleData.h"
#include "data/gui/DataExporterGUI.h"
#include "data/SnapshotReader.h"
#include "data/ThreadFileReader.h"
#include "timeline/TimeCtrl.h"
#include "view/DrawOptions.h"
#include "view/gui/MainGLCanvas.h"

using shelltest::Shell;
using testsupport::TempDir;

namespace {

constexpr int kFrames = 5;
constexpr int kParticles = 600;

/// Five binary frames in the loader's default grammar; returns the first file.
std::string WriteDemo(const TempDir& dir) { return viewpixels::WriteSequence(dir, kParticles, kFrames, 4.0f); }

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
    s.time->TogglePlay(-1);  // playing backwards from frame 2: the run plays forwards from 0
    ASSERT_TRUE(s.time->IsPlaying());
    // The main view exports what it shows and draws nothing while the run lasts.
    MainGLCanvas_cls* view = s.shell.frame->GetTopPanel()->View(0);
    int drawnWhileExporting = 0;
    MainGLCanvas_cls::SetPaintProbe([&](MainGLCanvas_cls& v) {
        if (&v == view && s.exporter->exporting) ++drawnWhileExporting;
    });
    ASSERT_TRUE(s.Run());
    MainGLCanvas_cls::SetPaintProbe(nullptr);
    EXPECT_EQ(drawnWhileExporting, 0);
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

TEST(DataExportRun, GrammarEditedInTheDialogIsWrittenAndTheLoaderReadsItBack) {
    TempDir dir;
    ExportShell s(dir);
    DataExporterGUI_cls* d = s.dialog;
    auto menu = [d](int id) {
        wxCommandEvent ev(wxEVT_MENU, id);
        d->GetEventHandler()->ProcessEvent(ev);
    };
    auto select = [](wxListCtrl* list, std::vector<long> rows) {
        for (long r = 0; r < list->GetItemCount(); ++r) list->SetItemState(r, 0, wxLIST_STATE_SELECTED);
        for (long r : rows) list->SetItemState(r, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    };
    // Header: Dummy*10 before Time and Number. Body: the type first, no velocity and no
    // value, a Dummy*3 at the end.
    select(d->headerList, {0});
    d->PrepareMenu(GrammerBaseGUI_cls::HEADER);
    menu(ID_GRAMMER_ADD_DUMMY10);
    select(d->bodyList, {1, 5});  // Vx Vy Vz, Value1
    d->PrepareMenu(GrammerBaseGUI_cls::BODY);
    menu(ID_GRAMMER_DELETE);       // 0 5 6 7
    select(d->bodyList, {3});
    menu(ID_GRAMMER_BODY_SWAP_UP);
    menu(ID_GRAMMER_BODY_SWAP_UP);
    menu(ID_GRAMMER_BODY_SWAP_UP);  // 7 0 5 6
    select(d->bodyList, {});
    menu(ID_GRAMMER_ADD_DUMMY3);
    s.exporter->dataType.value = SNAPSHOT_ASCII;
    s.exporter->UpdateGUI();
    s.shell.core->GetDrawOptions()->downSizing.value = 3;
    ASSERT_TRUE(s.Run());
    EXPECT_EQ(s.exporter->HeaderCodes(), (std::vector<int>{4, 0, 1}));
    EXPECT_EQ(s.exporter->BodyCodes(), (std::vector<int>{7, 0, 5, 6, 3}));
    ASSERT_EQ(s.exporter->filesWritten, kFrames);

    // The loader set to the same grammar reads the exported sequence back.
    SnapshotLoadSettings source;
    std::vector<ParticleData_cls> originals(kFrames);
    for (int k = 0; k < kFrames; ++k) ASSERT_TRUE(LoadFile(originals[k], Source(dir, k), source));
    GpDataLoader->dataType.value = SNAPSHOT_ASCII;
    GpDataLoader->SetHeaderCodes(s.exporter->HeaderCodes());
    GpDataLoader->SetBodyCodes(s.exporter->BodyCodes());
    s.shell.core->LoadData(wxString::FromUTF8(Output(dir, 0).c_str()));
    ASSERT_EQ(GpDataSequenceSet->GetFrameCount(), kFrames);
    DataSequence_cls* seq = GpDataSequenceSet->GetCurrent();
    for (int k = 0; k < kFrames; ++k) {
        GpDataSequenceSet->PrepareFrame(k, 0.0, false, true);
        const ParticleData_cls& back = *seq->frames[k]->data;
        const ParticleData_cls& original = originals[k];
        ASSERT_EQ(back.count, kParticles / 3) << k;
        EXPECT_NEAR(back.time, original.time, 1e-6) << k;
        for (int i = 0; i < back.count; i += 11) {
            for (int c = 0; c < 3; ++c) EXPECT_NEAR(back.position[3 * i + c], original.position[9 * i + c], 1e-6);
            EXPECT_NEAR(back.radius[i], original.radius[3 * i], 1e-6);
            EXPECT_EQ(back.id[i], original.id[3 * i]);
            EXPECT_EQ(back.type[i], original.type[3 * i]);
            EXPECT_EQ(back.value1[i], 0.0f);  // not exported
        }
    }
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
