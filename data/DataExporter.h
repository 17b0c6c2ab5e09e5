// The data exporter settings: the record grammar of the files it writes, the output file
// pattern, the first file number, and the writing of one data frame's particles.
#pragma once

#include <cstdint>
#include <string>

#include <wx/string.h>

#include "common/ConfItem.h"
#include "common/FileSequence.h"
#include "data/GrammerBase.h"

class AppCore_cls;
class DataExporterGUI_cls;
class DataLoader_cls;
class DataSequence_cls;
class MenuCommandPoster_cls;
class ParticleData_cls;
class wxWindow;

/// What ExportSnapshot did with a frame.
enum ExportOutcome {
    EXPORT_SKIPPED = 0,  ///< the frame was the one last exported: nothing written
    EXPORT_WRITTEN = 1,  ///< one file written and counted
    EXPORT_FAILED = 2,   ///< the file could not be written; `lastError` says which and why
};

/// What one frame shown during an export run did (ExportShownFrame).
enum ExportRunStep {
    RUN_IDLE = 0,      ///< no run is in progress: nothing done
    RUN_WRITTEN = 1,   ///< the frame's file was written
    RUN_SKIPPED = 2,   ///< already written in this run, or its data could not be read
    RUN_FAILED = 3,    ///< the file could not be written (`lastError`); the run must stop
    RUN_COMPLETE = 4,  ///< playback wrapped to an earlier frame: every frame is written
};

/// The program-wide exporter. One instance, made by the central object after the loader.
/// Its settings lines, in order: "DataExportDataType=", "DataExportGrammerHead=",
/// "DataExportGrammerBody=", "DataExportLastSavedFile=", "DataExportInitNum=". The output
/// pattern lives only in memory. GUI thread only.
class DataExporter_cls : public GrammerBase_cls {
public:
    AppCore_cls* appCore;               ///< borrowed; may be null
    DataExporterGUI_cls* gui = nullptr; ///< the dialog; null until first shown
    DataLoader_cls* loader;             ///< borrowed; the grammar "Copy From Loader" copies
    FileSequence_cls output;            ///< output file sequence; `output.path` is the pattern text

    ConfItemSTR_cls lastSavedFile;      ///< "DataExportLastSavedFile=", "NONE"
    ConfItemINT_cls initNum;            ///< "DataExportInitNum=": number of a run's first file

    int filesWritten = 0;     ///< files written since the current run began
    int lastFrameIndex = -1;  ///< data frame last exported; -1 at the start of a run
    bool running = false;     ///< a run is asked for or in progress (the dialog's button)
    bool exporting = false;   ///< a run is in progress: the frames shown are exported
    int lastSceneFrame = -1;  ///< scene frame last exported in this run
    int endSceneFrame = -1;   ///< the last scene frame of the run
    std::string lastError;    ///< why the last write failed ("<path>: <reason>"); "" after a success
    /// Whether the program can run an export (the main view's paints drive it); set by the
    /// shell. While false the dialog's "Export Data" is disabled and says why.
    bool runAvailable = false;
    /// Threads formatting an ASCII file's text; 0: one per processor, at most 8.
    int textWorkers = 0;

    DataExporter_cls(AppCore_cls* core, DataLoader_cls* loader);
    DataExporter_cls(const DataExporter_cls&) = delete;
    DataExporter_cls& operator=(const DataExporter_cls&) = delete;

    /// Offers one configuration or project line to the group; true when an item took it.
    bool ReadConfig(const wxString& line);
    /// The exporter's block of settings lines (each ending in CR LF).
    wxString WriteConfig() const;

    /// The header and body codes become copies of the loader's (the data type stays).
    void CopyGrammarFromLoader();

    /// Output pattern text as the dialog edits it.
    void SetPattern(const wxString& pattern);
    /// Counter 0 and last frame -1; the output sequence derived again from its pattern. The
    /// run's files take the grammar, data type, output sequence and first number as they
    /// are now, whatever the dialog changes until the next BeginRun.
    void BeginRun();
    /// A run over the scene frames up to `lastSceneFrame` (the last frame playback shows)
    /// begins: BeginRun, and the frames shown from now on are exported.
    void BeginRun(int lastSceneFrame);

    /// During a run, exports the data frame `dataFrame` of `sequence` shown at scene frame
    /// `sceneFrame`, every `stride`-th particle. Playback runs forward, so a scene frame
    /// already passed means playback has wrapped: the run is complete and nothing is
    /// written; the frame last exported is not written again. The data must be in (the
    /// caller makes it ready); a frame whose data could not be read is skipped.
    ExportRunStep ExportShownFrame(DataSequence_cls* sequence, int sceneFrame, int dataFrame, int stride);
    /// True while a run is in progress and scene frame `sceneFrame` has not been exported
    /// yet although playback has shown (or passed) every frame before it.
    bool Misses(int sceneFrame) const { return exporting && sceneFrame > lastSceneFrame; }

    /// Name of the next file: the output sequence's member (files written + initial number),
    /// of the run's sequence and number once a run has begun.
    wxString NextFileName() const;

    /// Writes `snapshot` (every `stride`-th particle, stride at least 1) to NextFileName()
    /// unless `frameIndex` is the frame last exported; the frame index is recorded either
    /// way. A snapshot without particles gives a file of its header with count 0. On a
    /// failure the run should stop: the caller shows `lastError` and calls EndRun.
    ExportOutcome ExportSnapshot(const ParticleData_cls& snapshot, int stride, int frameIndex);

    /// The writers: true when the file was written (and counted). On failure no partial
    /// file stays, the counter is kept, `lastError` says which file and why.
    bool WriteAscii(const wxString& path, const ParticleData_cls& snapshot, int stride);
    bool WriteBinary(const wxString& path, const ParticleData_cls& snapshot, int stride);

    /// "" when a run can start; else the reason shown to the user.
    wxString RunUnavailableReason() const;
    /// Refreshes every control of the dialog from its value, when the dialog exists.
    void UpdateGUI();
    /// The run is over (the main view left export mode, or a write failed): flags cleared
    /// and the dialog's button reset. Window code: defined with the dialog.
    void EndRun();

    /// Creates the "Data Exporter" dialog on first use, shows it when hidden, focuses and
    /// raises it. Window code: defined with the dialog.
    void ShowDialog(wxWindow* mainFrame, MenuCommandPoster_cls* poster);

private:
    bool Write(const wxString& path, const ParticleData_cls& snapshot, int stride, const SnapshotGrammar& grammar);

    // What the last BeginRun started with; ExportSnapshot and NextFileName use it.
    bool runCaptured_ = false;
    FileSequence_cls runOutput_;
    int runFirstNumber_ = 0;
    SnapshotGrammar runGrammar_;
};

/// The data exporter, or null outside the central object's life.
extern DataExporter_cls* GpDataExporter;
