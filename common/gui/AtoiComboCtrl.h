// Read-only choice box that edits an index into its own list of texts; keys other than Tab
// go on to the parent window.
#pragma once

#include "common/gui/TabCtrl.h"

#include <wx/arrstr.h>
#include <wx/combobox.h>

class AtoiComboCtrl_cls : public wxComboBox, public TabCtrl_cls {
public:
    /// Style wxCB_READONLY | wxCB_DROPDOWN | wxWANTS_CHARS, window name "comboBox"; shows
    /// `shown` (which should be one of the `count` strings).
    AtoiComboCtrl_cls(wxWindow* parent, wxWindowID id, const wxString& shown, int count,
                      const wxString* strings, const wxPoint& pos = wxDefaultPosition,
                      const wxSize& size = wxDefaultSize);

    /// Index of the first string of the list equal to the shown text; -1 when none.
    int GetIndex() const;
    /// Shows string `index` when it is in the list (negative or too large: nothing).
    void SetIndex(int index);
    /// Empties the list.
    void Clear() override;
    /// Number of strings in the list.
    int Count() const { return static_cast<int>(m_strings.size()); }

private:
    void OnChar(wxKeyEvent& event);
    void OnKeyDown(wxKeyEvent& event);

    wxArrayString m_strings;  ///< own copy of the choices
};
