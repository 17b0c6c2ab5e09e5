// The About boxes: a plain dialog with a text, the product's web page and an OK button.
#pragma once

#include <wx/dialog.h>

class wxHyperlinkCtrl;

class AboutBox_cls : public wxDialog {
public:
    /// The product's web page shown under the text.
    static const char* ProductPage();

    /// A dialog of `parent` with `title`, the text 480 pixels wide, the web page link and
    /// "OK" (wxID_OK), fitted to its content. Shown modally by its creator.
    AboutBox_cls(wxWindow* parent, wxWindowID id, const wxString& title, const wxString& text);

    wxHyperlinkCtrl* Link() const { return m_link; }

private:
    wxHyperlinkCtrl* m_link;
};
