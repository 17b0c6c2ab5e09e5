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
class MenuCommandPoster_cls;
class ParticleData_cls;
class wxWindow;

/// What ExportSnapshot did with a frame.
enum ExportOutcome {
    EXPORT_SKIPPED = 0,  ///< the frame was the one last exported: nothing written
    EXPORT_WRITTEN = 1,  ///< one file written and counted
    EXPORT_FAILED = 2,   ///< the file could not be written; `lastError` says which and why
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
    bool running = false;     ///< a run is in progress
    std::string lastError;    ///< why the last write failed ("<path>: <reason>"); "" after a success
    /// Whether the program can run an export (the main view's paints drive it); set by the
    /// shell. While false the dialog's "Export Data" is disabled and says why.
    bool runAvailable = false;

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
    /// Counter 0 and last frame -1; the output sequence derived again from its pattern.
    void BeginRun();

    /// Name of the next file: the output sequence's member (files written + initial number).
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
    /// The run is over (the main view left export mode, or a write failed): flag cleared and
    /// the dialog's button reset. Window code: defined with the dialog.
    void EndRun();

    /// Creates the "Data Exporter" dialog on first use, shows it when hidden, focuses and
    /// raises it. Window code: defined with the dialog.
    void ShowDialog(wxWindow* mainFrame, MenuCommandPoster_cls* poster);

private:
    bool Write(const wxString& path, const ParticleData_cls& snapshot, int stride, int dataType);
};

/// The data exporter, or null outside the central object's life.
extern DataExporter_cls* GpDataExporter;
