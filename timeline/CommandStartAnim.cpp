// Playback start and stop commands.
#include "timeline/CommandStartAnim.h"

#include "timeline/TimeCtrl.h"

CommandStartAnim_cls::CommandStartAnim_cls(TimeCtrl_cls* t, int d)
    : CommandItem_cls(COMMAND_PLAIN, wxString()), timeCtrl(t), direction(d) {}

void CommandStartAnim_cls::Execute(bool) {
    if (timeCtrl) timeCtrl->StartPlayback(direction);
}

CommandStopAnim_cls::CommandStopAnim_cls(TimeCtrl_cls* t, int f)
    : CommandItem_cls(COMMAND_PLAIN, wxString()), timeCtrl(t), frame(f) {}

void CommandStopAnim_cls::Execute(bool) {
    if (timeCtrl) timeCtrl->StopAt(frame);
}
