// The undoable "set a time-model value" command.
#pragma once

#include "common/CommandItem.h"

class TimeCtrl_cls;

/// Runs the time model's direct setter chosen by `which` with its value, in either
/// direction: 0 frame, 1 sub-frame (both with update bits 6), 2 work-area min, 3 max,
/// 4 active-area min, 5 max, 6 repeat, 7 step, 8 interval, 9 prefetch, 10 scene length;
/// any other value does nothing. Raises no bits of its own. GUI thread only.
class CommandSetTimeCtrlValue_cls : public CommandItem_cls {
public:
    CommandSetTimeCtrlValue_cls(TimeCtrl_cls* timeCtrl, int which, int value);
    void Execute(bool undo) override;

    TimeCtrl_cls* timeCtrl;  ///< not owned; lives as long as the program
    int which;
    int value;
};
