// Time-model value command.
#include "timeline/CommandSetTimeCtrlValue.h"

#include "timeline/TimeCtrl.h"

CommandSetTimeCtrlValue_cls::CommandSetTimeCtrlValue_cls(TimeCtrl_cls* t, int w, int v)
    : CommandItem_cls(COMMAND_PLAIN, wxString()), timeCtrl(t), which(w), value(v) {}

void CommandSetTimeCtrlValue_cls::Execute(bool) {
    if (!timeCtrl) return;
    switch (which) {
        case 0: timeCtrl->SetFrame(value, 6); break;
        case 1: timeCtrl->SetSubFrame(value, 6); break;
        case 2: timeCtrl->SetWorkAreaMin(value); break;
        case 3: timeCtrl->SetWorkAreaMax(value); break;
        case 4: timeCtrl->SetActiveAreaMin(value); break;
        case 5: timeCtrl->SetActiveAreaMax(value); break;
        case 6: timeCtrl->SetRepeat(value); break;
        case 7: timeCtrl->SetAnimStep(value); break;
        case 8: timeCtrl->SetAnimInterp(value); break;
        case 9: timeCtrl->SetPrefetch(value); break;
        case 10: timeCtrl->SetMaxFrame(value); break;
        default: break;
    }
}
