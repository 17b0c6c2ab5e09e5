// The small modal editor dialog: one bound-widget panel with "OK" and "Calcel" below it.
#pragma once

#include "common/gui/ButtonEX.h"
#include "common/gui/DialogEXKey.h"
#include "common/gui/MultiInputPanel.h"


/// OK (wxID_OK, 5100) commits every item (commit all, final) and closes with wxID_OK;
/// "Calcel" (wxID_CANCEL, 5101), Esc and Ctrl+W close with wxID_CANCEL without
/// committing (values committed while it was open, by Enter, sliders or clicks, stay).
/// Items bound to working copies that live only while the dialog is shown must use
/// MI_COMMIT_DIRECT (set commitMode on the panel before adding them). GUI thread only.
class MultiInputDialog_cls : public wxDialogEXKey {
public:
    /// `ownerSlot`: an opaque pointer of the owner (kept, not used). Name "dialogBox",
    /// background "WHEAT", no items yet.
    MultiInputDialog_cls(void* ownerSlot, wxWindow* parent, wxWindowID id, const wxString& title,
                         const wxPoint& pos = wxDefaultPosition,
                         const wxSize& size = wxDefaultSize);
    ~MultiInputDialog_cls() override;

    // Forwarded to the panel (see MultiInputBase_cls).
    int AddItem(int kind, void* variable, const wxString& label, bool enabled = true) {
        return panel->AddItem(kind, variable, label, enabled);
    }
    int AddChoiceItem(int kind, void* variable, int count, const wxString* choices,
                      const wxString& label, bool enabled = true) {
        return panel->AddChoiceItem(kind, variable, count, choices, label, enabled);
    }
    void SetItemRange(int index, double minimum, double maximum, int digits) {
        panel->SetItemRange(index, minimum, maximum, digits);
    }
    void ShowItem(int index) { panel->ShowItem(index, true); }
    void HideItem(int index) { panel->HideItem(index); }
    void UpdateWidgets(int index = MI_ALL_ITEMS) { panel->UpdateWidgets(index); }

    /// Builds the panel's controls and lays the dialog out again.
    void BuildAndLayout();

    void* ownerSlot;                    ///< the owner's pointer, as given
    MultiInputPanel_cls* panel;         ///< the panel (a child window)
    MultiInputNotifier_cls* notifier;   ///< the panel's notifier: owners register on it
    wxButtonEX* okButton;               ///< "OK"
    wxButtonEX* cancelButton;           ///< "Calcel"

private:
    void OnOK(wxCommandEvent& event);
};
