// Sizes of controls from the toolkit's own measure.
#include "common/gui/BestSize.h"

#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>
#include <wx/window.h>

#include <algorithm>

namespace {

bool Grow(wxWindow* w) {
    bool grew = false;
    for (wxWindow* child : w->GetChildren()) {
        if (child->IsTopLevel()) continue;
        if (!child->GetChildren().empty()) {
            grew |= Grow(child);
            continue;
        }
        if (!child->GetContainingSizer()) continue;
        // The best size is measured again: GTK's theme applies its paddings once the
        // window is on screen, which the size measured at creation did not include.
        child->InvalidateBestSize();
        const wxSize best = child->GetBestSize();
        const wxSize min = child->GetMinSize();
        const bool text = dynamic_cast<wxTextCtrl*>(child) != nullptr;
        wxSize need(std::max(min.x, best.x), min.y);
        if (!text || min.y < 0) need.y = std::max(min.y, best.y);
        if (need != min) {
            child->SetMinSize(need);
            grew = true;
        }
    }
    return grew;
}

// Post-order: every panel below `w` takes its contents' new minimum before its parent.
void RefitPanels(wxWindow* w) {
    for (wxWindow* child : w->GetChildren()) {
        if (child->IsTopLevel()) continue;
        RefitPanels(child);
        if (wxSizer* s = child->GetSizer()) {
            const wxSize need = child->ClientToWindowSize(s->GetMinSize());
            const wxSize min = child->GetMinSize();
            child->SetMinSize(wxSize(std::max(min.x, need.x), std::max(min.y, need.y)));
        }
    }
}

}  // namespace

bool GrowToBestSizes(wxWindow* top) {
    return top && Grow(top);
}

void FitToBestSizes(wxWindow* top) {
    if (!GrowToBestSizes(top)) return;
    wxSizer* sizer = top->GetSizer();
    if (!sizer) {
        top->Layout();
        return;
    }
    RefitPanels(top);
    const wxSize need = sizer->ComputeFittingClientSize(top);
    top->SetMinClientSize(need);
    const wxSize now = top->GetClientSize();
    if (now.x < need.x || now.y < need.y)
        top->SetClientSize(std::max(now.x, need.x), std::max(now.y, need.y));
    top->Layout();
}
