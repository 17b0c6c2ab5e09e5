// The "Periodic Boundary" dialog (box size factors and the three base vectors) and the
// window-side controller that creates, refreshes and shows it.
#pragma once

#include <wx/bitmap.h>

#include "common/gui/DialogControl.h"
#include "common/gui/DialogEXKey.h"

class MultiInputPanel_cls;
class PeriodicBoundary_cls;
class PeriodicBoundaryGUI_cls;

/// The dialog controller of the periodic boundary settings. Made by the central object
/// with the settings it edits (not owned) and the dialog icon; the dialog is created at
/// once. The menu command "Periodic Boundary" (6049) calls Show. GUI thread only.
class PeriodicBoundaryControl_cls : public DialogControl_cls {
public:
    PeriodicBoundaryControl_cls(wxWindow* frame, PeriodicBoundary_cls* boundary,
                                const wxBitmap& icon = wxBitmap());
    /// Destroys the dialog; call it while the parent frame still lives.
    ~PeriodicBoundaryControl_cls() override;

    /// A new dialog at the remembered geometry, recorded with SetGUI.
    void CreateGUI(wxWindow* frame) override;
    /// Every control of the dialog's panel refreshed from the settings.
    void UpdateGUI(bool full) override;
    /// Creates the dialog when missing, shows and raises it, then UpdateGUI(true).
    void Show(wxWindow* frame) override;

    PeriodicBoundary_cls* boundary;        ///< the settings edited; not owned
    wxBitmap icon;                         ///< the dialog's icon (may be empty)
    PeriodicBoundaryGUI_cls* gui = nullptr;///< the dialog, a child of the frame
};

/// The dialog: one panel (label width 120) with the groups "Box Size", "BaseVectorA",
/// "BaseVectorB" and "BaseVectorC", three float entries each; edits commit through the
/// panel's bound items.
class PeriodicBoundaryGUI_cls : public wxDialogEXKey {
public:
    PeriodicBoundaryGUI_cls(PeriodicBoundaryControl_cls* owner, wxWindow* frame,
                            const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize);

    MultiInputPanel_cls* panel = nullptr;  ///< the bound entries
    int boxSizeFirst = -1;                 ///< panel index of the "Box Size" x entry

private:
    void BuildPanel(wxSizer* sizer);

    PeriodicBoundaryControl_cls* owner_;
};
