// The shared file dialog.
#include "common/gui/FileDialogEX.h"

#include "common/PathParts.h"

#include <wx/filedlg.h>
#include <wx/window.h>

FileDialogEX* GpFileDialogEX = nullptr;

FileDialogEX::FileDialogEX(wxWindow* parent)
    : m_parent(parent) {
    m_question.message = "FileDialogEX";
    m_question.wildcard = "*.*";
    m_question.style = wxFD_OPEN;
}

FileDialogEX::~FileDialogEX() = default;

void FileDialogEX::SetDirectoryAndFile(const wxString& directory, const wxString& file) {
    if (!directory.empty()) m_question.directory = directory;
    if (!file.empty()) m_question.fileName = file;
}

void FileDialogEX::SetInitialPath(const wxString& path) {
    if (path == "None") return;
    const PathParts_cls parts(path);
    SetDirectoryAndFile(parts.Part(3), parts.Part(12));
}

int FileDialogEX::ShowModal() {
    if (m_busy) return 0;
    m_busy = true;
    wxString path;
    const int result = UserPrompts_cls::Current().PickFile(m_parent, m_question, path);
    m_busy = false;
    if (result == wxID_OK) m_path = path;
    m_question.wildcard = "*";
    m_question.style = wxFD_OPEN;
    return result;
}
