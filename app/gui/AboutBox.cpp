// The About boxes.
#include "app/gui/AboutBox.h"

#include <wx/button.h>
#include <wx/hyperlink.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

const char* AboutBox_cls::ProductPage() {
    return "https://pelthorn3.example.org/";
}

AboutBox_cls::AboutBox_cls(wxWindow* parent, wxWindowID id, const wxString& title,
                           const wxString& text)
    : wxDialog(parent, id, title, wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE,
               "dialog") {
    auto* label =
        new wxStaticText(this, wxID_ANY, text, wxDefaultPosition, wxSize(480, -1), 0, "staticText");
    m_link = new wxHyperlinkCtrl(this, wxID_ANY, ProductPage(), ProductPage(), wxDefaultPosition,
                                 wxSize(480, -1), wxHL_DEFAULT_STYLE, "hyperlink");
    m_link->SetVisitedColour(wxColour(32, 32, 255));
    m_link->SetNormalColour(wxColour(255, 32, 32));
    auto* ok = new wxButton(this, wxID_OK, "OK", wxDefaultPosition, wxDefaultSize, 0,
                            wxDefaultValidator, "button");

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    buttons->Add(ok);
    buttons->AddStretchSpacer();

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(30, 30);
    column->Add(label, 0, wxEXPAND);
    column->Add(10, 10);
    column->Add(m_link, 0, wxEXPAND);
    column->Add(10, 10);
    column->Add(buttons, 0, wxEXPAND);
    column->Add(10, 10);

    auto* outer = new wxBoxSizer(wxHORIZONTAL);
    outer->Add(50, 50);
    outer->Add(column, 1, wxEXPAND);
    outer->Add(50, 50);
    SetSizerAndFit(outer);
}
