// The program's message box: a notice or question wide enough for its whole caption.
#pragma once

#include <wx/generic/msgdlgg.h>

/// A message box as wxMessageDialog makes it, but never narrower than its caption needs: a
/// short text under a longer caption would otherwise give a window whose title the window
/// manager cuts ("Seque... t error"). GUI thread.
class MessageDialogEX_cls : public wxGenericMessageDialog {
public:
    /// `style`: the wxMessageDialog flags (wxOK, wxYES_NO, wxICON_QUESTION, ...).
    MessageDialogEX_cls(wxWindow* parent, const wxString& message, const wxString& caption, long style);

    /// Width in pixels the caption needs in a title bar, with room for the window
    /// manager's icon and buttons beside it.
    int CaptionWidth() const;

protected:
    void AddMessageDialogDetails(wxSizer* sizer) override;
};
