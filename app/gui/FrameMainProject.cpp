// Open, Save and Save As of project files, and the frame title that names the project.
#include "app/gui/FrameMain.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/statusbr.h>
#include <wx/utils.h>

#include "app/BusyFlags.h"
#include "common/CommandIds.h"
#include "app/ProjectFile.h"
#include "app/gui/AppCore.h"
#include "common/gui/FileDialogEX.h"
#include "common/gui/MessageHelpers.h"
#include "platform/ProgramPaths.h"
#include "timeline/TimeCtrl.h"

#include <wx/menu.h>

namespace {
const char kProjectWildcard[] = "Project file (*.ptp)|*.ptp";
}

void FrameMain_cls::UpdateTitle() {
    // Only a project that was opened or saved in this session is named: the remembered
    // "LastOpenedFilePTP=" of the configuration file (after a cancelled or failed Open, say)
    // is not open, and Save would not write to it.
    SetTitle(m_projectLoaded ? ProjectFile_cls::TitleFor(m_lastPTP.text) : ProjectFile_cls::InitialTitle());
}

void FrameMain_cls::OnOpenProject() {
    if (!GpFileDialogEX) return;
    GpFileDialogEX->SetMessage(wxGetTranslation("Select a project file"));
    GpFileDialogEX->SetWildcard(kProjectWildcard);
    GpFileDialogEX->SetStyle(wxFD_OPEN);
    if (!m_lastPTP.text.empty()) GpFileDialogEX->SetInitialPath(m_lastPTP.text);
    if (GpFileDialogEX->ShowModal() == wxID_OK) OpenProjectFile(GpFileDialogEX->GetPath());
    UpdateTitle();
}

bool FrameMain_cls::OpenProjectFile(const wxString& path) {
    const std::string file(path.utf8_str());
    std::vector<std::string> lines;
    std::string error;
    // The file is checked whole before anything of the open scene is released.
    ProjectFile_cls::LineTest isProgramLine;
    if (m_core) isProgramLine = [this](const std::string& l) { return m_core->IsProgramLine(l); };
    if (!ProjectFile_cls::LoadAndCheck(file, isProgramLine, lines, error)) {
        ShowMessageBox(this, "Read Configure Fails" + path + "\n" + wxString::FromUTF8(error),
                       "Warning");
        return false;
    }
    wxBusyCursor busy;
    if (GetStatusBar()) SetStatusText(wxGetTranslation("Reading Project..."), 3);
    if (m_core) {
        m_core->PrepareForProject();
        m_core->ReadConfigLines(lines);
    }
    // Save writes to the file that was opened, whatever path the file itself names.
    m_lastPTP.text = path;
    m_projectLoaded = true;
    PostMenuCommand(ID_PAGES_RELAYOUT);
    PostMenuCommand(ID_FILTERS_AT_TIME);
    PostMenuCommand(ID_DRAW_PAGES_REFRESH);
    if (m_core) m_core->AfterProjectRead();
    if (GetMenuBar() && GetTimeCtrl())
        GetMenuBar()->Check(ID_TIME_REMAP, GetTimeCtrl()->useTimeRemap.value);
    if (GetStatusBar()) SetStatusText(wxString(), 3);
    UpdateTitle();
    return true;
}

void FrameMain_cls::ReportSaveFailure(const wxString& path, const std::string& error) {
    ShowMessageBox(this,
                   wxGetTranslation("The project could not be saved:") + "\n" + path + "\n" +
                       wxString::FromUTF8(error),
                   wxGetTranslation("Error!"));
}

bool FrameMain_cls::SaveProjectTo(const wxString& path) {
    if (!m_core) return false;
    std::string error;
    wxBusyCursor busy;
    if (!m_core->WriteConfig(std::string(path.utf8_str()), true, &error)) {
        ReportSaveFailure(path, error);
        return false;
    }
    return true;
}

void FrameMain_cls::OnSaveProject() {
    if (!m_projectLoaded) {
        OnSaveProjectAs();
        return;
    }
    if (GbGLLockForSaveOrQuit) return;
    GbGLLockForSaveOrQuit = true;
    SaveProjectTo(m_lastPTP.text);
    GbGLLockForSaveOrQuit = false;
    UpdateTitle();
}

void FrameMain_cls::OnSaveProjectAs() {
    if (!GpFileDialogEX) return;
    GpFileDialogEX->SetMessage(wxGetTranslation("Select a file"));
    GpFileDialogEX->SetWildcard(kProjectWildcard);
    GpFileDialogEX->SetStyle(wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    // The dialog starts beside the current project, else in the working folder: never where
    // the shared dialog was last pointed at (the data loader leaves it in the data folder).
    const bool noPath = m_lastPTP.text.empty() || m_lastPTP.text == "None";
    wxString folder = noPath ? wxString() : wxFileName(m_lastPTP.text).GetPath();
    if (folder.empty()) folder = wxString::FromUTF8(platform::WorkingDirectory());
    GpFileDialogEX->SetDirectoryAndFile(
        folder, ProjectFile_cls::ProposedSaveName(m_lastPTP.text, m_projectLoaded));
    if (GpFileDialogEX->ShowModal() != wxID_OK) return;
    const wxString path = GpFileDialogEX->GetPath();
    if (!SaveProjectTo(path)) return;
    m_projectLoaded = true;
    m_lastPTP.text = path;
    UpdateTitle();
}
