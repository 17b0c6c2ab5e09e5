// Controller base of the settings dialogs: owns the remembered geometry and creates its
// dialog on first use; the dialog is shown again, refilled, on later uses.
#pragma once

#include "common/gui/DialogEXKey.h"

class wxWindow;

/// The geometry fields x, y, width, height come from DialogGeometry; the dialog writes
/// them back when it closes.
class DialogControl_cls : public DialogGeometry {
public:
    DialogControl_cls() = default;
    virtual ~DialogControl_cls() = default;

    /// Creates the dialog as a child of `frame` and records it with SetGUI.
    virtual void CreateGUI(wxWindow* frame) = 0;
    /// Fills the dialog's controls from the data (`full` true from Show and RunModal).
    virtual void UpdateGUI(bool full) = 0;
    /// Creates the dialog when missing; when hidden refills (UpdateGUI(true)) and shows it;
    /// raises it in any case (an already shown dialog is not refilled).
    virtual void Show(wxWindow* frame);

    /// Creates the dialog when missing; when it is already shown modelessly gives it the
    /// focus and returns false; else refills it and runs it modally: true on wxID_OK.
    bool RunModal(wxWindow* frame);

    /// Records the dialog (not owned: it is a child window of the frame) and makes this
    /// controller its geometry store.
    void SetGUI(wxDialogEXKey* dialog);
    wxDialogEXKey* GetGUI() const { return dialog; }

    wxDialogEXKey* dialog = nullptr;  ///< null until the first CreateGUI
};
