// The lower pane of the main window: the timeline rows of the time model and the parameter
// panel with the key-framed groups' rows.
#pragma once

#include <wx/panel.h>

class ParamGUICtrl_cls;
class TimeCtrl_cls;

/// GUI thread only.
class BtmHalfPanel_cls : public wxPanel {
public:
    /// `time` null: an empty pane (a frame made without the central object).
    BtmHalfPanel_cls(wxWindow* splitter, TimeCtrl_cls* time);

    /// The timeline geometry and every parameter row refreshed from their values.
    void RefreshParams();
    ParamGUICtrl_cls* Params() const { return params_; }

private:
    ParamGUICtrl_cls* params_ = nullptr;
};
