// Worker-thread posting of menu commands.
#include "data/gui/DataEventPoster.h"

#include <wx/event.h>

void DataEventPoster_cls::PostMenuCommand(int id) {
    if (target_ == nullptr) return;
    wxQueueEvent(target_, new wxCommandEvent(wxEVT_MENU, id));
}
