// The modal editor dialog around one bound-widget panel.
#include "common/gui/MultiInputDialog.h"

#include <wx/sizer.h>

#include "common/gui/ButtonEX.h"

MultiInputDialog_cls::MultiInputDialog_cls(void* owner, wxWindow* parent, wxWindowID id,
                                           const wxString& title, const wxPoint& pos,
                                           const wxSize& size)
    : wxDialogEXKey(parent, id, title, pos, size, nullptr, wxDEFAULT_DIALOG_STYLE, "dialogBox"),
      ownerSlot(owner) {
    SetBackgroundColour(wxColour("WHEAT"));
    SetWindowStyleFlag(GetWindowStyleFlag() | wxTAB_TRAVERSAL);
    panel = new MultiInputPanel_cls(&panel, this, wxID_ANY);
    panel->ownerDialog = this;
    notifier = panel->GetNotifier();

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(panel, 0, wxEXPAND, 0);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    okButton = new wxButtonEX(this, wxID_OK, "OK", wxDefaultPosition, wxDefaultSize, 0, "button");
    cancelButton =
        new wxButtonEX(this, wxID_CANCEL, "Calcel", wxDefaultPosition, wxDefaultSize, 0, "button");
    buttons->Add(okButton, 1, wxEXPAND, 0);
    buttons->Add(cancelButton, 1, wxEXPAND, 0);
    top->Add(buttons, 0, wxEXPAND, 0);
    SetSizer(top);

    Bind(wxEVT_BUTTON, &MultiInputDialog_cls::OnOK, this, wxID_OK);
}

MultiInputDialog_cls::~MultiInputDialog_cls() = default;

void MultiInputDialog_cls::BuildAndLayout() {
    panel->BuildControls();
    Relayout();
}

void MultiInputDialog_cls::OnOK(wxCommandEvent& event) {
    panel->CommitItems(MI_ALL_ITEMS, true);
    // The standard handling then ends the dialog with wxID_OK.
    event.Skip();
}
