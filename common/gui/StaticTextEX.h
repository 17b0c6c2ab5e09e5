// The program's label: mouse presses and double clicks on it also reach its parent, so a
// click on a label reaches the panel that holds it.
#pragma once

#include <wx/stattext.h>

class wxStaticTextEX : public wxStaticText {
public:
    wxStaticTextEX(wxWindow* parent, wxWindowID id, const wxString& label,
                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                   long style = 0, const wxString& name = wxStaticTextNameStr);

private:
    void OnMouse(wxMouseEvent& event);
};
