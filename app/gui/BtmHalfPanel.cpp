// The lower pane of the main window.
#include "app/gui/BtmHalfPanel.h"

#include <wx/sizer.h>

#include "timeline/gui/ParamGUICtrl.h"

BtmHalfPanel_cls::BtmHalfPanel_cls(wxWindow* splitter, TimeCtrl_cls* time)
    : wxPanel(splitter, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER, "panel") {
    SetBackgroundColour(wxColour("BLACK"));
    if (!time) return;
    // Timeline, playback bar and parameter tracks fill the pane.
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    params_ = new ParamGUICtrl_cls(this, time);
    sizer->Add(params_, 1, wxEXPAND);
    SetSizer(sizer);
}

void BtmHalfPanel_cls::RefreshParams() {
    if (params_) params_->RefreshRows();
}
