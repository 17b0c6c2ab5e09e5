// The window side of the time model's host: repaints the timeline panels, refreshes the
// playback bar and reaches the groups of the lower panel. The shell's host derives from it.
#pragma once

#include "timeline/TimeCtrlHost.h"

/// Acts on the windows of the time model in GpTimeCtrlPanels (nothing while they do not
/// exist). GUI thread only.
class TimelineHost_cls : public TimeCtrlHost_cls {
public:
    void RefreshPanels() override;
    void UpdatePlayControls() override;
    void UpdatePlayColour() override;
    void MarkKeyFrames(std::vector<bool>& marks) override;
    void ScaleKeyTimes(double x) override;
};
