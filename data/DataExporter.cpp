// The data exporter settings and the writing of one frame.
#include "data/DataExporter.h"

#include <algorithm>

#include <wx/thread.h>
#include <wx/translation.h>

#include "data/DataLoader.h"
#include "data/DataSequence.h"
#include "data/FrameSink.h"
#include "data/ParticleData.h"
#include "data/SnapshotWriter.h"
#include "platform/Trace.h"

DataExporter_cls* GpDataExporter = nullptr;

DataExporter_cls::DataExporter_cls(AppCore_cls* core, DataLoader_cls* loaderSettings)
    : GrammerBase_cls("DataExport"), appCore(core), loader(loaderSettings) {
    initNum.SetRange(0, 9999);
    group.Register(&lastSavedFile, "DataExportLastSavedFile=", "NONE");
    group.Register(&initNum, "DataExportInitNum=", "0");
}

bool DataExporter_cls::ReadConfig(const wxString& line) { return group.OfferLine(line); }

wxString DataExporter_cls::WriteConfig() const { return group.WriteAll(); }

void DataExporter_cls::CopyGrammarFromLoader() {
    if (!loader) return;
    SetHeaderCodes(loader->HeaderCodes());
    SetBodyCodes(loader->BodyCodes());
}

void DataExporter_cls::SetPattern(const wxString& pattern) { output.SetPath(pattern); }

void DataExporter_cls::BeginRun() {
    filesWritten = 0;
    lastFrameIndex = -1;
    lastError.clear();
    output.SetPath(output.path);
    // A numbered name ("p0005.dat") starts this run at its own number; the pattern text
    // then shows the number field in place of the digits ("p%04d.dat"), as a run after this
    // one takes it.
    if (output.digitCount >= 0) output.path = output.pattern;
    // What the dialog shows may change while the run goes on (the data type combo applies
    // at once, the slider moves the first number): the run keeps what it started with.
    runOutput_ = output;
    runFirstNumber_ = initNum.value;
    runGrammar_ = Snapshot();
    runCaptured_ = true;
}

void DataExporter_cls::BeginRun(int lastScene) {
    BeginRun();
    exporting = true;
    lastSceneFrame = -1;
    endSceneFrame = lastScene;
}

namespace {

// The data sequence's road to ExportSnapshot, keeping what the exporter did.
class OutcomeSink : public FrameExporter_cls {
public:
    explicit OutcomeSink(DataExporter_cls& exporter) : exporter_(exporter) {}
    bool ExportSnapshot(ParticleData_cls& snapshot, int stride, int frame) override {
        called = true;
        outcome = exporter_.ExportSnapshot(snapshot, stride, frame);
        return outcome != EXPORT_FAILED;
    }
    bool called = false;
    ExportOutcome outcome = EXPORT_SKIPPED;

private:
    DataExporter_cls& exporter_;
};

}  // namespace

ExportRunStep DataExporter_cls::ExportShownFrame(DataSequence_cls* sequence, int sceneFrame, int dataFrame,
                                                 int stride) {
    if (!exporting) return RUN_IDLE;
    if (sceneFrame < lastSceneFrame) return RUN_COMPLETE;
    if (sceneFrame == lastSceneFrame || !sequence) return RUN_SKIPPED;
    OutcomeSink sink(*this);
    sequence->ExportFrame(&sink, dataFrame, stride);
    if (!sink.called) return RUN_SKIPPED;  // unreadable: no file, the run goes on
    if (sink.outcome == EXPORT_FAILED) return RUN_FAILED;
    lastSceneFrame = sceneFrame;
    return sink.outcome == EXPORT_WRITTEN ? RUN_WRITTEN : RUN_SKIPPED;
}

wxString DataExporter_cls::RunUnavailableReason() const {
    if (runAvailable) return wxString();
    return wxGetTranslation("Data export runs are driven by the main view, which this version does not have yet.");
}

wxString DataExporter_cls::NextFileName() const {
    if (runCaptured_) return runOutput_.FileName(static_cast<long long>(filesWritten) + runFirstNumber_);
    return output.FileName(static_cast<long long>(filesWritten) + initNum.value);
}

ExportOutcome DataExporter_cls::ExportSnapshot(const ParticleData_cls& snapshot, int stride, int frameIndex) {
    if (frameIndex == lastFrameIndex) return EXPORT_SKIPPED;
    lastFrameIndex = frameIndex;
    const wxString path = NextFileName();
    SnapshotGrammar g = runCaptured_ ? runGrammar_ : Snapshot();
    if (g.dataType != SNAPSHOT_BINARY) g.dataType = SNAPSHOT_ASCII;
    return Write(path, snapshot, stride, g) ? EXPORT_WRITTEN : EXPORT_FAILED;
}

bool DataExporter_cls::WriteAscii(const wxString& path, const ParticleData_cls& snapshot, int stride) {
    SnapshotGrammar g = Snapshot();
    g.dataType = SNAPSHOT_ASCII;
    return Write(path, snapshot, stride, g);
}

bool DataExporter_cls::WriteBinary(const wxString& path, const ParticleData_cls& snapshot, int stride) {
    SnapshotGrammar g = Snapshot();
    g.dataType = SNAPSHOT_BINARY;
    return Write(path, snapshot, stride, g);
}

bool DataExporter_cls::Write(const wxString& path, const ParticleData_cls& snapshot, int stride,
                             const SnapshotGrammar& g) {
    SnapshotArraysView view;
    // A frame whose arrays are not held (never read, or freed) is written as an empty one.
    if (snapshot.allocated && snapshot.count > 0) {
        view.position = snapshot.position;
        view.velocity = snapshot.velocity;
        view.radius = snapshot.radius;
        view.value1 = snapshot.value1;
        view.id = snapshot.id;
        view.type8 = snapshot.type;
        view.count = snapshot.count;
    }
    const std::string file(path.utf8_str());
    std::string error;
    const int workers = textWorkers > 0 ? textWorkers : std::clamp(wxThread::GetCPUCount(), 1, 8);
    if (!WriteSnapshotFile(file, g, snapshot.time, view, std::max(1, stride), SnapshotText::Fixed, error, workers)) {
        lastError = error;
        return false;
    }
    lastError.clear();
    platform::Trace(file + " time=" + std::to_string(snapshot.time));
    lastSavedFile.text = path;
    ++filesWritten;
    return true;
}
