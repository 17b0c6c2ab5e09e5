// Controller base of the settings dialogs.
#include "common/gui/DialogControl.h"

#include <wx/log.h>

#include "common/gui/DialogEXKey.h"

#include <cstdio>
#include "platform/Trace.h"

void DialogControl_cls::SetGUI(wxDialogEXKey* d) {
    dialog = d;
    if (dialog) dialog->SetGeometryStore(this);
}

void DialogControl_cls::Show(wxWindow* frame) {
    if (!dialog) CreateGUI(frame);
    if (!dialog) return;
    if (!dialog->IsShown()) {
        UpdateGUI(true);
        // Reopen where the user left it.
        if (x != -1 || y != -1) dialog->Move(x, y);
        if (width > 0 && height > 0) dialog->SetSize(width, height);
        dialog->Show();
    }
    platform::Trace("Raise");
    dialog->Raise();
}

bool DialogControl_cls::RunModal(wxWindow* frame) {
    if (!dialog) CreateGUI(frame);
    if (!dialog) return false;
    if (dialog->IsShown()) {
        dialog->SetFocus();
        return false;
    }
    UpdateGUI(true);
    if (x != -1 || y != -1) dialog->Move(x, y);
    if (width > 0 && height > 0) dialog->SetSize(width, height);
    return dialog->ShowModal() == wxID_OK;
}
