// POV-Ray rendering dialog.
#include "scene/gui/PovRayGUI.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/dirdlg.h>
#include <wx/filefn.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/translation.h>

#include "common/CommandIds.h"
#include "common/gui/AppFonts.h"
#include "common/gui/ButtonEX.h"
#include "common/gui/FileDialogEX.h"
#include "common/gui/MessageHelpers.h"
#include "common/gui/MultiInputPanel.h"
#include "common/gui/SpinCtrlEX.h"
#include "common/gui/TextCtrlEX.h"
#include "scene/PovFocalBlurSettings.h"
#include "scene/PovOutputSettings.h"
#include "scene/PovPhotonsSettings.h"
#include "scene/PovRadiositySettings.h"
#include "scene/PovRayCtrl.h"
#include "scene/PovRegionSettings.h"
#include "scene/PovTraceSettings.h"

namespace {

wxPanel* StatusSquare(wxWindow* parent) {
    auto* p = new wxPanel(parent, wxID_ANY, wxDefaultPosition, wxSize(10, 10), wxBORDER_SUNKEN);
    p->SetMinSize(wxSize(10, 10));
    return p;
}

void Paint(wxButton* b, const wxString& label, bool alarm) {
    if (!b) return;
    b->SetLabel(label);
    if (alarm) {
        b->SetForegroundColour(*wxWHITE);
        b->SetBackgroundColour(*wxRED);
    } else {
        b->SetForegroundColour(wxNullColour);
        b->SetBackgroundColour(wxNullColour);
    }
}

}  // namespace

PovRayGUI_cls::PovRayGUI_cls(PovRayCtrl_cls* controller, wxWindow* frame, std::function<void(int)> postToFrame)
    : wxDialogEXKey(frame, wxID_ANY, wxGetTranslation("Pov-Ray Rendering Configure"), wxDefaultPosition,
                    wxDefaultSize, nullptr, wxDEFAULT_DIALOG_STYLE, "dialogBox"),
      m_controller(controller),
      m_post(std::move(postToFrame)) {
    if (GoAppFonts[0].IsOk()) SetFont(GoAppFonts[0]);
    auto* top = new wxBoxSizer(wxVERTICAL);

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    exeStatus = StatusSquare(this);
    row->Add(exeStatus, 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    row->Add(new wxStaticText(this, wxID_ANY, wxGetTranslation("Exe Path")), 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    exePath = new AtoSTextCtrl_cls(this, ID_EXE_PATH, controller->pathPovRay.text, wxDefaultPosition, wxSize(300, -1));
    row->Add(exePath, 1, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    browseExe = new wxButton(this, ID_BROWSE_EXE, "...", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    row->Add(browseExe, 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    top->Add(row, 0, wxEXPAND);

    row = new wxBoxSizer(wxHORIZONTAL);
    workStatus = StatusSquare(this);
    row->Add(workStatus, 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    row->Add(new wxStaticText(this, wxID_ANY, wxGetTranslation("WorkPath")), 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    workPath = new AtoSTextCtrl_cls(this, ID_WORK_PATH, controller->pathPovWork.text, wxDefaultPosition, wxSize(300, -1));
    row->Add(workPath, 1, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    browseWork = new wxButton(this, ID_BROWSE_WORK, "...", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    row->Add(browseWork, 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    top->Add(row, 0, wxEXPAND);

    row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(this, wxID_ANY, "SnapFile"), 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    snapPattern = new AtoSTextCtrl_cls(this, wxID_ANY, controller->filePovSnap.text);
    row->Add(snapPattern, 1, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    row->Add(new wxStaticText(this, wxID_ANY, "current"), 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    snapNumber = new AtoiSpinCtrl_cls(this, wxID_ANY, controller->snapshotNumber);
    snapNumber->SetRange(0, 99999);
    row->Add(snapNumber, 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    top->Add(row, 0, wxEXPAND);

    row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(this, wxID_ANY, "AnimFile"), 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    animPattern = new AtoSTextCtrl_cls(this, wxID_ANY, controller->filePovAnim.text);
    row->Add(animPattern, 1, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    top->Add(row, 0, wxEXPAND);

    settingsBook = new wxNotebook(this, ID_SETTINGS_BOOK);
    controller->radiosity->CreatePage(settingsBook);
    controller->photons->CreatePage(settingsBook);
    controller->focalBlur->CreatePage(settingsBook);
    settingsBook->AddPage(static_cast<wxWindow*>(controller->radiosity->page), wxGetTranslation("Radiosity"));
    settingsBook->AddPage(static_cast<wxWindow*>(controller->photons->page), wxGetTranslation("Photons"));
    settingsBook->AddPage(static_cast<wxWindow*>(controller->focalBlur->page), wxGetTranslation("Focal Blur"));
    top->Add(settingsBook, 0, wxEXPAND | wxALL, 3);

    formatBook = new wxNotebook(this, ID_FORMAT_BOOK);
    controller->output->CreatePage(formatBook, nullptr);
    controller->region->CreatePage(formatBook);
    formatBook->AddPage(static_cast<wxWindow*>(controller->output->page), wxGetTranslation("Format"));
    formatBook->AddPage(static_cast<wxWindow*>(controller->region->page), wxGetTranslation("RenderType"));
    top->Add(formatBook, 0, wxEXPAND | wxALL, 3);

    row = new wxBoxSizer(wxHORIZONTAL);
    exportSnap = new wxButton(this, ID_EXPORT_SNAP, "ExportSnap");
    exportAnim = new wxButton(this, ID_EXPORT_ANIM, "ExportAnim");
    renderSnap = new wxButton(this, ID_RENDER_SNAP, "RenderSnap");
    renderAnim = new wxButton(this, ID_RENDER_ANIM, "RenderAnim");
    for (wxButton* b : {exportSnap, exportAnim, renderSnap, renderAnim}) row->Add(b, 1, wxALL, 2);
    top->Add(row, 0, wxEXPAND);

    row = new wxBoxSizer(wxHORIZONTAL);
    advanced = new wxButtonEX(this, ID_ADVANCED, wxGetTranslation("Advanced"));
    setDefault = new wxButtonEX(this, ID_SET_DEFAULT, wxGetTranslation("Set to Defalt"));
    row->Add(advanced, 0, wxALL, 2);
    row->AddStretchSpacer(1);
    row->Add(setDefault, 0, wxALL, 2);
    top->Add(row, 0, wxEXPAND);

    SetSizer(top);
    Bind(wxEVT_BUTTON, &PovRayGUI_cls::OnButton, this);
    Bind(wxEVT_TEXT, [this](wxCommandEvent&) { CheckExePath(); }, ID_EXE_PATH);
    Bind(wxEVT_TEXT, [this](wxCommandEvent&) { CheckWorkPath(); }, ID_WORK_PATH);
    // The renderer or the folder may have been made elsewhere meanwhile.
    Bind(wxEVT_ACTIVATE, [this](wxActivateEvent& event) {
        event.Skip();
        if (!event.GetActive()) return;
        CheckExePath();
        CheckWorkPath();
    });
    FitNotebooks();
    Relayout();
    CheckExePath();
    CheckWorkPath();
    UpdateBusyState();
}

PovRayGUI_cls::~PovRayGUI_cls() {
    // The pages go with their notebooks: the groups forget them.
    if (m_controller)
        for (PageSettings_cls* g : std::initializer_list<PageSettings_cls*>{
                 m_controller->output.get(), m_controller->region.get(), m_controller->radiosity.get(),
                 m_controller->photons.get(), m_controller->focalBlur.get()})
            g->page = nullptr;
}

void PovRayGUI_cls::ReadControls() {
    m_controller->pathPovRay.text = exePath->GetValue();
    m_controller->pathPovWork.text = workPath->GetValue();
    m_controller->filePovSnap.text = snapPattern->GetValue();
    m_controller->filePovAnim.text = animPattern->GetValue();
    m_controller->snapshotNumber = snapNumber->GetValue();
}

void PovRayGUI_cls::UpdateGUI() {
    // The fields follow the controller, so values read from a file reach them before the
    // next name request copies the fields back.
    exePath->ChangeValue(m_controller->pathPovRay.text);
    workPath->ChangeValue(m_controller->pathPovWork.text);
    snapPattern->ChangeValue(m_controller->filePovSnap.text);
    animPattern->ChangeValue(m_controller->filePovAnim.text);
    snapNumber->SetValueText(m_controller->snapshotNumber);
    RefreshSettingsPages();
    CheckExePath();
    CheckWorkPath();
    UpdateBusyState();
}

void PovRayGUI_cls::RefreshSettingsPages() {
    m_controller->radiosity->UpdateWidgets();
    m_controller->radiosity->UpdateEnables();
    m_controller->photons->UpdateWidgets();
    m_controller->photons->UpdateEnables();
    m_controller->output->sizeTemplate.FindIndex(m_controller->output->width.value, m_controller->output->height.value);
    m_controller->output->UpdateWidgets();
    m_controller->output->UpdateEnables();
    m_controller->focalBlur->UpdateWidgets();
    m_controller->focalBlur->UpdateEnables();
    m_controller->region->UpdateWidgets();
    m_controller->region->OnPageChanged();
    FitNotebooks();
    Relayout();
    Refresh();
}

void PovRayGUI_cls::EnableControls(bool a, bool b, bool c, bool d, bool e) {
    exportSnap->Enable(a);
    exportAnim->Enable(b);
    renderSnap->Enable(c);
    renderAnim->Enable(d);
    for (wxWindow* w : {static_cast<wxWindow*>(advanced), static_cast<wxWindow*>(setDefault),
                        static_cast<wxWindow*>(browseExe), static_cast<wxWindow*>(browseWork)})
        w->Enable(e);
}

void PovRayGUI_cls::UpdateBusyState() {
    // An export creates a missing work folder: its dot turns green then.
    CheckWorkPath();
    const bool exporting = m_controller->exporting;
    const bool renderAfter = m_controller->renderAfter;
    if (exporting) EnableControls(false, !renderAfter, false, renderAfter, false);
    else EnableControls(true, true, true, true, true);
    for (PageSettings_cls* g : std::initializer_list<PageSettings_cls*>{
             m_controller->output.get(), m_controller->radiosity.get(), m_controller->photons.get(),
             m_controller->region.get()})
        g->EnableAll(!exporting);
    Paint(renderAnim, renderAfter ? wxGetTranslation("Abort") : wxString("RenderAnim"), renderAfter);
    if (renderAfter) exportAnim->SetLabel(exporting ? "Exporting..." : "ExportAnim");
    else Paint(exportAnim, exporting ? wxGetTranslation("Abort") : wxString("ExportAnim"), exporting);
    const bool idle = m_controller->IsRenderIdle();
    Paint(renderSnap, idle ? wxString("RenderSnap") : wxString("Rendering.."), !idle);
}

void PovRayGUI_cls::SetStatus(wxPanel* square, bool ok) {
    square->SetBackgroundColour(ok ? *wxGREEN : *wxRED);
    square->SetToolTip(ok ? wxGetTranslation("File exists.") : wxGetTranslation("File dose not exist."));
    square->Refresh();
}

bool PovRayGUI_cls::CheckExePath() {
    const wxString path = exePath->GetValue();
    // A bare name is looked up on PATH, as the renderer is started.
    bool ok = wxFileExists(path);
    if (!ok && !path.empty() && path.Find('/') == wxNOT_FOUND) {
        wxPathList list;
        list.AddEnvList("PATH");
        ok = !list.FindAbsoluteValidPath(path).empty();
    }
    SetStatus(exeStatus, ok);
    return ok;
}

bool PovRayGUI_cls::CheckWorkPath() {
    const bool ok = wxDirExists(workPath->GetValue());
    SetStatus(workStatus, ok);
    return ok;
}

bool PovRayGUI_cls::CheckBeforeRun() {
    if (CheckExePath()) return true;
    return AskYesNo(this, "Warning",
                    wxGetTranslation("Path discrepancy.") + "\n" + wxGetTranslation("Above warnings detected. Continue?") +
                        "\n");
}

bool PovRayGUI_cls::RefuseSnapshot() {
    const wxString why = m_controller->SnapshotRefusal();
    if (why.empty()) return false;
    ShowMessageBox(this, why, "Warning");
    return true;
}

void PovRayGUI_cls::FitNotebooks() {
    for (wxNotebook* book : {formatBook, settingsBook}) {
        int best = 0;
        for (size_t i = 0; i < book->GetPageCount(); ++i) best = std::max(best, book->GetPage(i)->GetBestSize().y);
        // the tabs take what the theme gives them, often more than 30 pixels
        book->SetMinSize(wxSize(-1, std::max(best + 30, book->CalcSizeFromPage(wxSize(1, best)).y)));
    }
}

void PovRayGUI_cls::OnButton(wxCommandEvent& event) {
    switch (event.GetId()) {
        case ID_BROWSE_EXE: OnBrowseExe(); break;
        case ID_BROWSE_WORK: OnBrowseWork(); break;
        case ID_EXPORT_SNAP:
            if (!RefuseSnapshot() && CheckBeforeRun() && m_post) m_post(ID_POV_EXPORT_SNAPSHOT);
            break;
        case ID_EXPORT_ANIM:
            if (CheckBeforeRun() && m_post) m_post(ID_POV_EXPORT_ANIMATION);
            break;
        case ID_RENDER_SNAP:
            if (!RefuseSnapshot() && CheckBeforeRun() && m_post) m_post(ID_POV_RENDER_SNAPSHOT);
            break;
        case ID_RENDER_ANIM:
            if (CheckBeforeRun() && m_post) m_post(ID_POV_RENDER_ANIMATION);
            break;
        case ID_ADVANCED: m_controller->trace->EditDialog(this); break;
        case ID_SET_DEFAULT:
            m_controller->SetDefaults();
            UpdateGUI();
            break;
        default: event.Skip(); break;
    }
}

void PovRayGUI_cls::OnBrowseExe() {
    if (GpFileDialogEX) {
        GpFileDialogEX->SetMessage(wxGetTranslation("Choose path of Pov-Ray"));
        GpFileDialogEX->SetInitialPath(m_controller->pathPovRay.text);
        GpFileDialogEX->SetWildcard("povray files (povray)|povray*|all files|*");
        GpFileDialogEX->SetStyle(wxFD_FILE_MUST_EXIST);
        if (GpFileDialogEX->ShowModal() == wxID_OK) {
            m_controller->pathPovRay.text = GpFileDialogEX->GetPath();
            exePath->ChangeValue(m_controller->pathPovRay.text);
        }
    }
    CheckExePath();
    ReadControls();
    UpdateGUI();
}

void PovRayGUI_cls::OnBrowseWork() {
    wxDirDialog dialog(this, "Choose Working Directory", m_controller->pathPovWork.text, wxDD_DEFAULT_STYLE,
                       wxDefaultPosition, wxDefaultSize, "wxDirCtrl");
    if (dialog.ShowModal() == wxID_OK) {
        m_controller->pathPovWork.text = dialog.GetPath();
        workPath->ChangeValue(m_controller->pathPovWork.text);
    }
    CheckWorkPath();
    ReadControls();
    UpdateGUI();
}
