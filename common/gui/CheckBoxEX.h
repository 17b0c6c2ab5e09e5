// The program's check box: key presses go on to the parent window; a click hands the new
// state to its validator at once.
#pragma once

#include "common/gui/WidgetEX.h"

#include <wx/checkbox.h>

class wxCheckBoxEX : public wxCheckBox, public WidgetEX_cls {
public:
    wxCheckBoxEX(wxWindow* parent, wxWindowID id, const wxString& label,
                 const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                 long style = 0, const wxString& name = wxCheckBoxNameStr);
    wxWindow* GetWindow() override { return this; }

private:
    void OnKeyDown(wxKeyEvent& event);
    void OnClicked(wxCommandEvent& event);
};
