// Helpers of the window tests: pumping the event loop until something holds, and
// answering modal dialogs without showing them, and choosing in a combo box.
#pragma once

#include <wx/event.h>
#include <wx/string.h>

#include <functional>
#include <vector>

namespace testsupport {

/// Processes pending events for about `ms` milliseconds (at least one pass).
void Pump(int ms = 0);

/// Pumps until `done` holds or `timeoutMs` passes; returns whether it held.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);

/// Every modal dialog shown from now on returns `id` from ShowModal without appearing.
void SetModalAnswer(int id);

/// Titles and messages of the modal dialogs answered since the last ResetModals().
std::vector<wxString> ModalTitles();
std::vector<wxString> ModalMessages();
void ResetModals();

/// Entry `index` of a combo box chosen as a user would: selected, then the box's choice
/// event handled.
template <class Combo>
void ChooseInCombo(Combo* combo, int index) {
    combo->SetSelection(index);
    wxCommandEvent ev(wxEVT_COMBOBOX, combo->GetId());
    ev.SetEventObject(combo);
    ev.SetInt(index);
    combo->GetEventHandler()->ProcessEvent(ev);
}

}  // namespace testsupport
