// The questions the program asks the user in modal boxes (yes/no, a file, a colour), behind
// one small interface so that tests can answer them.
#pragma once

#include <wx/colour.h>
#include <wx/string.h>

class wxWindow;

/// What a file question asks: the message, the wildcard, the style (wxFD_OPEN, wxFD_SAVE |
/// wxFD_OVERWRITE_PROMPT, wxFD_FILE_MUST_EXIST) and where the dialog starts.
struct FileQuestion {
    wxString message;
    wxString wildcard;
    long style = 0;
    wxString directory;
    wxString fileName;
};

class UserPrompts_cls {
public:
    virtual ~UserPrompts_cls() = default;

    /// Yes/No box with the question icon; true only for Yes.
    virtual bool AskYesNo(wxWindow* parent, const wxString& caption, const wxString& question);
    /// Asks for a file as `question` says; wxID_OK with `path` set when a file was chosen,
    /// wxID_CANCEL otherwise.
    virtual int PickFile(wxWindow* parent, const FileQuestion& question, wxString& path);
    /// Asks for a colour starting at `initial` (`chooseFull`: with custom colours); wxID_OK
    /// with `chosen` set when a colour was chosen, wxID_CANCEL otherwise.
    virtual int PickColour(wxWindow* parent, const wxColour& initial, bool chooseFull,
                           wxColour& chosen);

    /// The prompts in use: the installed ones, else the real boxes.
    static UserPrompts_cls& Current();
    /// Installs `prompts` (not owned; null restores the real boxes). GUI thread only.
    static void Install(UserPrompts_cls* prompts);
};
