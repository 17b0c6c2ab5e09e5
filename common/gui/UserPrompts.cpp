// The real question boxes, and the slot through which tests replace them.
#include "common/gui/UserPrompts.h"

#include "common/gui/MessageDialogEX.h"

#include <wx/colordlg.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>

namespace {
UserPrompts_cls*& Slot() {
    static UserPrompts_cls* installed = nullptr;
    return installed;
}
}  // namespace

bool UserPrompts_cls::AskYesNo(wxWindow* parent, const wxString& caption, const wxString& question) {
    MessageDialogEX_cls box(parent, question, caption, wxYES_NO | wxICON_QUESTION);
    return box.ShowModal() == wxID_YES;
}

int UserPrompts_cls::PickFile(wxWindow* parent, const FileQuestion& q, wxString& path) {
    // A fresh dialog each time: GTK fixes open or save when the dialog is made.
    wxFileDialog dialog(parent, q.message, q.directory, q.fileName,
                        q.wildcard.empty() ? wxString("*") : q.wildcard, q.style,
                        wxDefaultPosition, wxDefaultSize, "filedlg");
    const int result = dialog.ShowModal();
    if (result == wxID_OK) path = dialog.GetPath();
    return result == wxID_OK ? wxID_OK : wxID_CANCEL;
}

int UserPrompts_cls::PickColour(wxWindow* parent, const wxColour& initial, bool chooseFull,
                                wxColour& chosen) {
    wxColourData data;
    data.SetColour(initial);
    data.SetChooseFull(chooseFull);
    wxColourDialog dialog(parent, &data);
    const int result = dialog.ShowModal();
    if (result == wxID_OK) chosen = dialog.GetColourData().GetColour();
    return result == wxID_OK ? wxID_OK : wxID_CANCEL;
}

UserPrompts_cls& UserPrompts_cls::Current() {
    static UserPrompts_cls real;
    return Slot() ? *Slot() : real;
}

void UserPrompts_cls::Install(UserPrompts_cls* prompts) { Slot() = prompts; }
