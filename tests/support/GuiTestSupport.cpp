#include "tests/support/GuiTestSupport.h"

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

namespace testsupport {
namespace {

struct ModalState {
    int answer = wxID_CANCEL;
    std::vector<wxString> titles;
    std::vector<wxString> messages;
};

ModalState& State() {
    static ModalState state;
    return state;
}

// Answers every modal dialog at once, so tests never block on a window.
class AnsweringHook : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dialog) override {
        State().titles.push_back(dialog->GetTitle());
        if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog))
            State().messages.push_back(box->GetMessage());
        else
            State().messages.push_back(wxString());
        return State().answer;
    }
    void Exit(wxDialog*) override {}
};

AnsweringHook& Hook() {
    static AnsweringHook hook;
    return hook;
}

}  // namespace

void InstallModalHook() { Hook().Register(); }

void Pump(int ms) {
    wxStopWatch watch;
    do {
        if (wxTheApp) wxTheApp->Yield(true);
        if (ms > 0) wxMilliSleep(2);
    } while (watch.Time() < ms);
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    wxStopWatch watch;
    while (!done()) {
        if (watch.Time() > timeoutMs) return false;
        if (wxTheApp) wxTheApp->Yield(true);
        wxMilliSleep(5);
    }
    return true;
}

void SetModalAnswer(int id) { State().answer = id; }

std::vector<wxString> ModalTitles() { return State().titles; }
std::vector<wxString> ModalMessages() { return State().messages; }

void ResetModals() {
    State().titles.clear();
    State().messages.clear();
    State().answer = wxID_CANCEL;
}

}  // namespace testsupport
