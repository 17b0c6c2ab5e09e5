// Filter page: panels in list order, parameter-panel groups, clicks on the empty area.
#include "filters/gui/FilterPanelPain.h"

#include <algorithm>

#include <wx/sizer.h>

#include "common/CommandIds.h"
#include "common/gui/MessageHelpers.h"
#include "common/gui/MultiInputPanel.h"
#include "filters/FilterCtrl.h"
#include "timeline/ParamGroup.h"
#include "timeline/gui/ParamGUICtrl.h"

namespace {

// Kinds whose transform is key-framed list their container in the parameter panel.
bool ShowsGroupInParamPanel(const FilterData_cls* d) {
    return d && d->group && !d->group->children.empty();
}

}  // namespace

FilterPanelPain_cls::FilterPanelPain_cls(wxWindow* book, FilterCtrl_cls* list)
    : wxScrolledWindow(book, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxVSCROLL, "panel"), list_(list) {
    sizer_ = new wxBoxSizer(wxVERTICAL);
    SetSizer(sizer_);
    SetScrollRate(5, 5);
    // The page scrolls its panels: it never asks the notebook for their whole height (a
    // notebook squeezed below its page's request makes GTK complain).
    SetMinSize(wxSize(220, 60));
    Bind(wxEVT_LEFT_DOWN, &FilterPanelPain_cls::OnMouse, this);
    Bind(wxEVT_RIGHT_DOWN, &FilterPanelPain_cls::OnMouse, this);
    if (list_) {
        list_->SetView(this);
        for (int i = 0; i < list_->Count(); ++i) FilterAdded(list_->GetNode(i), i);
    }
}

FilterPanelPain_cls::~FilterPanelPain_cls() {
    if (list_ && list_->View() == this) list_->SetView(nullptr);
    // The parameter panel may be gone already (windows die with the frame): the groups'
    // rows go with it.
}

FilterGUI_cls* FilterPanelPain_cls::GUIOf(const FilterBase_cls* filter) const {
    for (const auto& g : guis_)
        if (g->Filter() == filter) return g.get();
    return nullptr;
}

FilterGUI_cls* FilterPanelPain_cls::GUIAt(int index) const {
    return list_ ? GUIOf(list_->GetNode(index)) : nullptr;
}

void FilterPanelPain_cls::RefreshPanels() {
    for (const auto& g : guis_) g->RefreshWidgets();
}

void FilterPanelPain_cls::Relayout() {
    sizer_->Layout();
    FitInside();
    Layout();
}

void FilterPanelPain_cls::FilterAdded(FilterBase_cls* filter, int index) {
    std::unique_ptr<FilterGUI_cls> gui = MakeFilterGUI(filter);
    if (!gui) return;
    Freeze();
    gui->Build(this, hooks);
    const int at = std::clamp(index, 0, static_cast<int>(sizer_->GetItemCount()));
    sizer_->Insert(static_cast<size_t>(at), gui->Panel(), 0, wxEXPAND, 0);
    FilterData_cls* d = filter->GetData();
    if (ShowsGroupInParamPanel(d))
        if (ParamGUICtrl_cls* params = paramPanel ? paramPanel() : nullptr) {
            params->AddGroup(d->group);
            d->group->HideGUI();
            params->UpdateAll();
        }
    guis_.push_back(std::move(gui));
    Thaw();
    Relayout();
}

void FilterPanelPain_cls::FilterRemoving(FilterBase_cls* filter, int) {
    auto it = std::find_if(guis_.begin(), guis_.end(), [filter](const auto& g) { return g->Filter() == filter; });
    if (it == guis_.end()) return;
    Freeze();
    MultiInputPanel_cls* panel = (*it)->Panel();
    if (panel) {
        sizer_->Detach(panel);
        panel->Destroy();
    }
    FilterData_cls* d = filter->GetData();
    if (ShowsGroupInParamPanel(d))
        if (ParamGUICtrl_cls* params = paramPanel ? paramPanel() : nullptr) {
            if (std::find(params->groups.begin(), params->groups.end(), d->group) != params->groups.end()) {
                params->RemoveGroup(d->group);
                params->Layout();
                params->Relayout();
            }
        }
    guis_.erase(it);
    Relayout();
    Thaw();
}

void FilterPanelPain_cls::FiltersSwapped(int index, int offset) {
    const int to = index + offset;
    const int n = static_cast<int>(sizer_->GetItemCount());
    if (index < 0 || index >= n || to < 0 || to >= n) return;
    wxWindow* panel = sizer_->GetItem(static_cast<size_t>(index))->GetWindow();
    if (!panel) return;
    sizer_->Detach(static_cast<int>(index));
    sizer_->Insert(static_cast<size_t>(to), panel, 0, wxEXPAND, 0);
    Relayout();
}

void FilterPanelPain_cls::FilterSelectionChanged(FilterBase_cls* filter) {
    FilterGUI_cls* g = GUIOf(filter);
    if (!g) return;
    g->ShowSelection();
    // The texture editor follows the selected filter that has a texture.
    if (filter->GetData()->selected && hooks.loadTexture)
        if (TexProperty_cls* record = g->TextureRecord()) hooks.loadTexture(record, filter->GetData()->filterName.Value(), list_);
}

void FilterPanelPain_cls::FilterChanged(FilterBase_cls* filter) {
    if (FilterGUI_cls* g = GUIOf(filter)) g->RefreshWidgets();
}

void FilterPanelPain_cls::FilterValuesBounded(FilterBase_cls*, const wxString& why) {
    // After the command that set the value has finished: a modal box inside it would run
    // the event loop in the middle of an undo step.
    CallAfter([this, why]() { ShowMessageBox(wxGetTopLevelParent(this), why, wxGetTranslation("Warning")); });
}

void FilterPanelPain_cls::OnMouse(wxMouseEvent& event) {
    if (event.LeftDown()) {
        if (hooks.selectFilter) hooks.selectFilter(nullptr, true);
    } else if (event.RightDown() && event.GetEventObject() == this && list_) {
        wxWindow* top = wxGetTopLevelParent(this);
        if (top) {
            auto* e = new wxCommandEvent(wxEVT_MENU, ID_FILTER_ADD_MENU);
            e->SetInt(list_->ListIndex());
            wxQueueEvent(top, e);
        }
    }
    event.Skip();
}
