// The "Data Exporter" dialog.
#include "data/gui/DataExporterGUI.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/log.h>
#include <wx/sizer.h>

#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "common/CommandSetValue.h"
#include "common/MenuCommandPoster.h"
#include "common/PathParts.h"
#include "common/gui/MessageHelpers.h"
#include "common/gui/MultiInputPanel.h"
#include "common/gui/UserPrompts.h"
#include "common/gui/WidgetCommon.h"
#include "data/DataExporter.h"
#include "platform/ProgramPaths.h"

namespace {

// "ICONS/ImgSequence.png", the dialog's icon; empty when the file is missing.
const wxBitmap* DialogIcon() {
    static wxBitmap icon;
    static bool loaded = false;
    if (!loaded) {
        loaded = true;
        const std::string path = platform::FindProgramData("ICONS/ImgSequence.png");
        if (platform::PathExists(path)) {
            wxLogNull quiet;  // a broken icon file gives no icon, not a message box
            icon.LoadFile(wxString::FromUTF8(path.c_str()), wxBITMAP_TYPE_PNG);
        }
    }
    return icon.IsOk() ? &icon : nullptr;
}

}  // namespace

void DataExporter_cls::ShowDialog(wxWindow* mainFrame, MenuCommandPoster_cls* poster) {
    if (!gui) gui = new DataExporterGUI_cls(mainFrame, poster, this);
    if (!gui->IsShown()) gui->Show();
    gui->SetFocus();
    gui->Raise();
}

void DataExporter_cls::UpdateGUI() {
    if (gui) gui->UpdateControls();
}

void DataExporter_cls::EndRun() {
    running = false;
    exporting = false;
    if (gui) gui->ResetExportButton();
}

DataExporterGUI_cls::DataExporterGUI_cls(wxWindow* mainFrame, MenuCommandPoster_cls* poster,
                                         DataExporter_cls* exporter)
    : wxDialogEXKey(mainFrame, wxID_ANY, _("Data Exporter"), wxDefaultPosition, wxDefaultSize, DialogIcon(),
                    wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX, "dialogBox"),
      GrammerBaseGUI_cls(exporter),
      poster_(poster),
      exporter_(exporter) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    panel = CreateMultiInputPanel(&panel, this);
    panel->updateFlags = UPD_EXPORTER_GUI;
    panel->labelWidth = 160;
    panel->spacerWidth = 520;
    const wxString types[] = {_("Simple Binary"), _("Simple Ascii")};
    // The data type is an int item holding 0 or 1; the combo stores an unsigned index of
    // the same size and range.
    panel->AddChoiceItem(MI_COMBO, &exporter_->dataType.value, 2, types, _("Data Type"));
    panel->AddItem(MI_GROUP, &initialMembers_, _("Initial sequence"));
    panel->AddItem(MI_INT_SLIDER, &exporter_->initNum.value, "");
    panel->SetItemRange(MI_LAST_ITEM, 0, 9999, 0);
    panel->AddItem(MI_INT_TEXT, &exporter_->initNum.value, "");
    panel->SetItemRange(MI_LAST_ITEM, 0, 9999, 0);
    panel->AddUnboundItem(ID_EXPORTER_REFERENCE, _("Reference"), MI_BUTTON);
    panel->defaultControlWidth = -1;
    panel->AddItem(MI_STRING_TEXT, &exporter_->output.path, "");
    panel->CreateAndAddToSizer(top);
    // The data type decides the lists' type and byte columns: apply and show them again.
    panel->AddCallback([this](void*, void*) { ApplyAndRefill(); }, MIE_SELECT_CHANGED, nullptr);

    BuildEditor(this, top, true);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    exportButton = new wxButton(this, ID_EXPORTER_RUN, _("Export Data"));
    exportButton->SetMinSize(wxSize(std::max(100, exportButton->GetBestSize().x), -1));
    auto* copy = new wxButton(this, ID_EXPORTER_COPY_FROM_LOADER, _("Copy From Loader"));
    copy->SetMinSize(wxSize(std::max(100, copy->GetBestSize().x), -1));
    buttons->Add(exportButton, 0, wxALL, 2);
    buttons->Add(copy, 0, wxALL, 2);
    top->Add(buttons, 0, wxALL, 2);
    UpdateControls();
    SetSizerAndFit(top);

    Bind(wxEVT_BUTTON, &DataExporterGUI_cls::OnExportData, this, ID_EXPORTER_RUN);
    Bind(wxEVT_BUTTON, &DataExporterGUI_cls::OnReference, this, ID_EXPORTER_REFERENCE);
    Bind(wxEVT_BUTTON, &DataExporterGUI_cls::OnCopyFromLoader, this, ID_EXPORTER_COPY_FROM_LOADER);
    Bind(wxEVT_BUTTON, &DataExporterGUI_cls::OnDefault, this, ID_GRAMMER_DEFAULT);
}

DataExporterGUI_cls::~DataExporterGUI_cls() {
    if (GpDataExporter && GpDataExporter == exporter_ && exporter_->gui == this) exporter_->gui = nullptr;
}

void DataExporterGUI_cls::Post(int id) {
    if (poster_) poster_->PostMenuCommand(id);
    else WidgetCommon_cls::PostMenuCommand(GetParent(), id);
}

void DataExporterGUI_cls::UpdateControls() {
    if (panel) panel->UpdateWidgets(MI_ALL_ITEMS);
    if (!exportButton) return;
    const wxString why = exporter_->RunUnavailableReason();
    exportButton->Enable(why.empty() || exporter_->running);
    exportButton->SetToolTip(why);
}

void DataExporterGUI_cls::OnExportData(wxCommandEvent&) {
    if (exporter_->running) {
        StopExport();
        return;
    }
    const wxString why = exporter_->RunUnavailableReason();
    if (!why.empty()) {
        ShowMessageBox(this, why, _("Data Exporter"));
        return;
    }
    panel->CommitItems(MI_ALL_ITEMS, true);
    exporter_->SetPattern(exporter_->output.path);
    panel->UpdateWidgets(MI_ALL_ITEMS);
    if (exporter_->output.path.empty()) {
        ShowMessageBox(this, _("No output file name."), _("Sequence Format error"));
        return;
    }
    if (exporter_->output.digitCount < 0) {
        if (!AskYesNo(this, wxString(_("Sequence Format error")), wxString(_("Not Sequence. Append 4-digit tag ?"))))
            return;
        exporter_->output.SetFourDigitPath();
        panel->UpdateWidgets(MI_ALL_ITEMS);
    }
    ApplyAndRefill();
    Post(ID_START_EXPORT_RUN);
    exportButton->SetLabel(_("Abort Export"));
    exportButton->SetBackgroundColour(wxColour("RED"));
    exportButton->SetForegroundColour(wxColour("WHITE"));
    exporter_->running = true;
}

void DataExporterGUI_cls::StopExport() {
    // No frame is exported after the abort, even one painted before the frame ends the run.
    exporter_->exporting = false;
    Post(ID_END_CAPTURE);
    ResetExportButton();
}

void DataExporterGUI_cls::ResetExportButton() {
    exporter_->running = false;
    if (!exportButton) return;
    exportButton->SetLabel(_("Export Data"));
    exportButton->SetBackgroundColour(wxNullColour);
    exportButton->SetForegroundColour(wxNullColour);
    UpdateControls();
}

void DataExporterGUI_cls::OnReference(wxCommandEvent&) {
    FileQuestion q;
    q.message = _("Select filename to export data");
    q.wildcard = "data(*.*)|*.*";
    q.style = wxFD_SAVE | wxFD_OVERWRITE_PROMPT;
    const PathParts_cls parts(exporter_->output.path);
    q.directory = parts.directory;
    q.fileName = parts.name + parts.extension;
    wxString chosen;
    if (UserPrompts_cls::Current().PickFile(this, q, chosen) != wxID_OK) return;
    // A numbered name ("p0005.dat"): its number is where a run starts and the pattern holds
    // the number field in place of the digits ("p%04d.dat").
    const FileSequence_cls chosenSequence(chosen);
    const wxString newPath = chosenSequence.digitCount >= 0 ? chosenSequence.pattern : chosen;
    wxString* target = &exporter_->output.path;
    GoCommandHistory.Push(new CommandSetValue_cls(target, newPath, UPD_EXPORTER_GUI),
                          new CommandSetValue_cls(target, *target, UPD_EXPORTER_GUI));
    GoCommandHistory.Redo();
    exporter_->SetPattern(exporter_->output.path);
    if (chosenSequence.digitCount >= 0)
        exporter_->initNum.value = static_cast<int>(std::clamp<long long>(chosenSequence.firstNumber, 0, 9999));
    panel->UpdateWidgets(MI_ALL_ITEMS);
}

void DataExporterGUI_cls::OnCopyFromLoader(wxCommandEvent&) {
    exporter_->CopyGrammarFromLoader();
    Refill();
}

void DataExporterGUI_cls::OnDefault(wxCommandEvent&) { SetDefault(this); }
