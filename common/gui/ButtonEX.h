// The program's buttons: key presses go on to the parent window; a right press is also
// queued to the parent.
#pragma once

#include "common/gui/WidgetEX.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>

class wxButtonEX : public wxButton, public WidgetEX_cls {
public:
    wxButtonEX(wxWindow* parent, wxWindowID id, const wxString& label,
               const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
               long style = 0, const wxString& name = wxButtonNameStr);
    wxWindow* GetWindow() override { return this; }

private:
    void OnKeyDown(wxKeyEvent& event);
    void OnRightDown(wxMouseEvent& event);
};

class wxBitmapButtonEX : public wxBitmapButton, public WidgetEX_cls {
public:
    wxBitmapButtonEX(wxWindow* parent, wxWindowID id, const wxBitmap& bitmap,
                     const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                     long style = 0, const wxString& name = wxButtonNameStr);
    wxWindow* GetWindow() override { return this; }

private:
    void OnKeyDown(wxKeyEvent& event);
    void OnRightDown(wxMouseEvent& event);
};
