// The playback command pair: start playback (do) and stop at a frame (undo).
#pragma once

#include "common/CommandItem.h"

class TimeCtrl_cls;

/// Starts playback in a direction (TimeCtrl_cls::StartPlayback). GUI thread only.
class CommandStartAnim_cls : public CommandItem_cls {
public:
    CommandStartAnim_cls(TimeCtrl_cls* timeCtrl, int direction);
    void Execute(bool undo) override;

    TimeCtrl_cls* timeCtrl;  ///< not owned
    int direction;           ///< +1 or -1
};

/// Stops playback at a frame (TimeCtrl_cls::StopAt). GUI thread only.
class CommandStopAnim_cls : public CommandItem_cls {
public:
    CommandStopAnim_cls(TimeCtrl_cls* timeCtrl, int frame);
    void Execute(bool undo) override;

    TimeCtrl_cls* timeCtrl;  ///< not owned
    int frame;
};
