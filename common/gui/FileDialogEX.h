// The one shared file question through which every open and save question goes, with a guard
// against opening it twice.
#pragma once

#include "common/gui/UserPrompts.h"

#include <wx/string.h>

class wxWindow;

class FileDialogEX {
public:
    /// Message "FileDialogEX", wildcard "*.*", style wxFD_OPEN, window name "filedlg".
    explicit FileDialogEX(wxWindow* parent);
    ~FileDialogEX();

    void SetMessage(const wxString& text) { m_question.message = text; }
    void SetWildcard(const wxString& text) { m_question.wildcard = text; }
    /// wxFD_OPEN (1), wxFD_SAVE | wxFD_OVERWRITE_PROMPT (6) or wxFD_FILE_MUST_EXIST (16).
    void SetStyle(long style) { m_question.style = style; }
    /// Sets each of the two unless it is "".
    void SetDirectoryAndFile(const wxString& directory, const wxString& file);
    /// Unless `path` is "None": the directory and the name with extension of the path.
    void SetInitialPath(const wxString& path);
    /// wxID_OK when a file was chosen, wxID_CANCEL otherwise, 0 at once when the dialog is
    /// already showing. Afterwards the wildcard is "*" and the style wxFD_OPEN again;
    /// message, directory and file stay. Through UserPrompts_cls::PickFile.
    int ShowModal();
    /// The chosen path (of the last ShowModal that returned wxID_OK).
    wxString GetPath() const { return m_path; }

    const FileQuestion& Question() const { return m_question; }

private:
    wxWindow* m_parent;  ///< parent of the dialog (not owned)
    FileQuestion m_question;
    wxString m_path;
    bool m_busy = false;
};

/// The shared file dialog; created and deleted by the main frame.
extern FileDialogEX* GpFileDialogEX;
