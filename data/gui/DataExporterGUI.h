// The "Data Exporter" dialog: data type, grammar, output pattern and first number of the
// snapshot files the exporter writes, and the start and abort of an export run.
#pragma once

#include "common/gui/DialogEXKey.h"
#include "data/gui/GrammerBaseGUI.h"

class DataExporter_cls;
class MenuCommandPoster_cls;
class MultiInputPanel_cls;
class wxButton;

constexpr int ID_EXPORTER_RUN = 6507;
constexpr int ID_EXPORTER_REFERENCE = 6508;
constexpr int ID_EXPORTER_COPY_FROM_LOADER = 6509;

/// The exporter's dialog, a modeless child of the main frame, built on first show and then
/// only shown and hidden. Its grammar lists are applied to the exporter's grammar when an
/// export starts and when the data type combo is used. GUI thread only.
class DataExporterGUI_cls : public wxDialogEXKey, public GrammerBaseGUI_cls {
public:
    DataExporterGUI_cls(wxWindow* mainFrame, MenuCommandPoster_cls* poster, DataExporter_cls* exporter);
    ~DataExporterGUI_cls() override;

    /// Every control of the panel from its value; the run button's state.
    void UpdateControls();
    /// "Export Data": aborts a running export, or checks the pattern, applies the lists and
    /// asks the main frame to start the run (ID_START_EXPORT_RUN).
    void OnExportData(wxCommandEvent& event);
    /// "Reference": the output file chosen in a save dialog (undoable); a numbered name's
    /// number becomes the first number.
    void OnReference(wxCommandEvent& event);
    /// "Copy From Loader": the loader's code lists, shown at once.
    void OnCopyFromLoader(wxCommandEvent& event);
    /// "Default": the editor's Default on the exporter's grammar.
    void OnDefault(wxCommandEvent& event);
    /// Posts ID_END_CAPTURE to the main frame and resets the button.
    void StopExport();
    /// "Export Data" again, default colours, run flag cleared.
    void ResetExportButton();

    MultiInputPanel_cls* panel = nullptr;
    wxButton* exportButton = nullptr;

private:
    void Post(int id);
    MenuCommandPoster_cls* poster_;
    DataExporter_cls* exporter_;
    int initialMembers_ = 3;
};
