// The window side of the time model's host.
#include "timeline/gui/TimelineHost.h"

#include "timeline/TimeCtrl.h"
#include "timeline/gui/ParamGUICtrl.h"
#include "timeline/gui/PlayCtrlGUI.h"
#include "timeline/gui/TimeCtrlGUI.h"

void TimelineHost_cls::RefreshPanels() {
    if (GpTimeCtrlPanels && GpTimeCtrlPanels->panels) GpTimeCtrlPanels->panels->RefreshAll();
}

void TimelineHost_cls::UpdatePlayControls() {
    if (GpTimeCtrlPanels && GpTimeCtrlPanels->playCtrl) GpTimeCtrlPanels->playCtrl->UpdateControls();
}

void TimelineHost_cls::UpdatePlayColour() {
    if (GpTimeCtrlPanels && GpTimeCtrlPanels->playCtrl) GpTimeCtrlPanels->playCtrl->UpdatePlayColour();
}

void TimelineHost_cls::MarkKeyFrames(std::vector<bool>& marks) {
    if (ParamGUICtrl_cls* p = ParamGUICtrl_cls::Of(GpTimeCtrlPanels)) p->MarkKeyFrames(marks);
}

void TimelineHost_cls::ScaleKeyTimes(double x) {
    if (ParamGUICtrl_cls* p = ParamGUICtrl_cls::Of(GpTimeCtrlPanels)) p->ScaleKeyTimes(x);
}
