// The lower panel's parameter tracks.
#include "timeline/gui/ParamGUICtrl.h"

#include "timeline/ParamGroup.h"
#include "timeline/ParamOwner.h"
#include "timeline/ParamViews.h"
#include "timeline/TimeCtrl.h"
#include "timeline/gui/ParametersPanel.h"
#include "timeline/gui/PlayCtrlGUI.h"
#include "timeline/gui/TimeCtrlGUI.h"
#include "common/CommandIds.h"

#include <wx/scrolwin.h>
#include <wx/sizer.h>
#include <wx/toplevel.h>

#include <algorithm>

ParamGUICtrl_cls::ParamGUICtrl_cls(wxWindow* parent, TimeCtrl_cls* t)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER, "panel"),
      time(t) {
    SetBackgroundColour(wxColour(216, 216, 216));
    timeline = t->CreatePanels(this);
    playBar = t->CreatePlayCtrl(this);
    tracks = new wxScrolledWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                  wxVSCROLL | wxTAB_TRAVERSAL | wxNO_BORDER, "panel");
    tracks->SetBackgroundColour(wxColour(216, 216, 216));
    tracks->SetScrollRate(0, 16);
    tracks->Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        UpdateScrollPolicy();
        e.Skip();
    });
    trackSizer = new wxBoxSizer(wxVERTICAL);
    tracks->SetSizer(trackSizer);
    timeline->buttons->updateAll = [this] { UpdateAll(); };

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(timeline, 0, wxEXPAND);
    sizer->Add(playBar, 0, wxEXPAND);
    sizer->Add(tracks, 1, wxEXPAND);
    SetSizer(sizer);

    if (t->remap) {
        AddGroup(t->remap);
        t->UpdateRemapTrack();
    }
}

ParamGUICtrl_cls::~ParamGUICtrl_cls() {
    // The groups outlive their windows: forget the windows before the toolkit deletes them.
    // A time model no longer published means the models are being torn down before the
    // frame: the groups may be gone, leave them alone.
    if (GpTimeCtrlPanels != time) return;
    for (ParamGroup_cls* g : groups) {
        std::vector<ParamGroup_cls*> stack{g};
        while (!stack.empty()) {
            ParamGroup_cls* c = stack.back();
            stack.pop_back();
            c->header = nullptr;
            c->rows.clear();
            for (Parameter_cls& p : c->components) p.row = nullptr;
            for (ParamGroup_cls* k : c->children)
                if (k) stack.push_back(k);
        }
    }
}

ParamGUICtrl_cls* ParamGUICtrl_cls::Of(TimeCtrl_cls* t) {
    if (!t || !t->panels) return nullptr;
    wxWindow* w = t->panels;
    return dynamic_cast<ParamGUICtrl_cls*>(w->GetParent());
}

void ParamGUICtrl_cls::CreateWindows(ParamGroup_cls* g, int level) {
    g->CreateGUI(tracks, trackSizer, level);
    for (ParamGroup_cls* c : g->children)
        if (c) CreateWindows(c, level + 1);
}

void ParamGUICtrl_cls::AddGroup(ParamGroup_cls* g) {
    if (!g || std::find(groups.begin(), groups.end(), g) != groups.end()) return;
    groups.push_back(g);
    CreateWindows(g, 0);
    UpdateAll();
}

void ParamGUICtrl_cls::RemoveGroup(ParamGroup_cls* g) {
    auto it = std::find(groups.begin(), groups.end(), g);
    if (it == groups.end()) return;
    groups.erase(it);
    std::vector<ParamGroup_cls*> stack{g};
    while (!stack.empty()) {
        ParamGroup_cls* c = stack.back();
        stack.pop_back();
        c->DestroyGUI();
        for (ParamGroup_cls* k : c->children)
            if (k) stack.push_back(k);
    }
    Relayout();
}

void ParamGUICtrl_cls::ShowGroup(ParamGroup_cls* g, bool visible) {
    const bool shown = visible && g->listed && g->active && !(time->hideMarked && g->marked) &&
                       !(g == time->remap && !time->useTimeRemap.value);
    if (g->header) g->header->ShowHeader(shown);
    const bool open = shown && g->header && g->header->IsFolderOpen();
    if (g->header) g->header->ShowLinkButton(open);
    for (ParamRowView_cls* r : g->rows)
        if (r) r->ShowRow(open);
    for (ParamGroup_cls* c : g->children)
        if (c) ShowGroup(c, open);
}

void ParamGUICtrl_cls::UpdateAll() {
    remapShown = time->useTimeRemap.value != 0;
    Freeze();
    for (ParamGroup_cls* g : groups) ShowGroup(g, true);
    Refresh();
    Thaw();
    Relayout();
}

void ParamGUICtrl_cls::UpdateScrollPolicy() {
    // GTK cannot fit a scroll bar into a track list a few pixels high (it complains while
    // the frame is still being laid out): the bar may show once the list has room for it.
    const bool room = tracks->GetClientSize().y >= 48;
    tracks->ShowScrollbars(wxSHOW_SB_NEVER, room ? wxSHOW_SB_DEFAULT : wxSHOW_SB_NEVER);
}

void ParamGUICtrl_cls::Relayout() {
    UpdateScrollPolicy();
    tracks->FitInside();
    tracks->Layout();
    Layout();
    if (wxWindow* p = GetParent()) p->Layout();
}

ParamOwner_cls* ParamGUICtrl_cls::SelectGroup(ParamOwner_cls* owner) {
    bool changed = false;
    for (ParamGroup_cls* g : groups) changed = g->SelectByOwner(owner) || changed;
    if (changed) {
        if (wxWindow* top = wxGetTopLevelParent(this)) {
            wxCommandEvent a(wxEVT_MENU, ID_REDRAW_VIEWS);
            wxCommandEvent b(wxEVT_MENU, ID_TIME_REFRESH);
            top->GetEventHandler()->AddPendingEvent(a);
            top->GetEventHandler()->AddPendingEvent(b);
        }
    }
    return changed && owner && owner->IsOwnerSelected() ? owner : nullptr;
}

void ParamGUICtrl_cls::RefreshRows() {
    // A file read may have switched the remap on or off: re-show the groups then.
    const bool remapOn = time->useTimeRemap.value != 0;
    if (remapOn != remapShown) UpdateAll();
    SyncTimelineGeometry();
    for (ParamGroup_cls* g : groups) g->RefreshGUI();
}

void ParamGUICtrl_cls::ScaleKeyTimes(double x) {
    for (ParamGroup_cls* g : groups) {
        std::vector<ParamGroup_cls*> stack{g};
        while (!stack.empty()) {
            ParamGroup_cls* c = stack.back();
            stack.pop_back();
            c->ScaleKeyTimes(x);
            for (ParamGroup_cls* k : c->children)
                if (k) stack.push_back(k);
        }
    }
}

void ParamGUICtrl_cls::MarkKeyFrames(std::vector<bool>& marks) {
    for (ParamGroup_cls* g : groups) {
        std::vector<ParamGroup_cls*> stack{g};
        while (!stack.empty()) {
            ParamGroup_cls* c = stack.back();
            stack.pop_back();
            c->MarkKeyFrames(marks);
            for (ParamGroup_cls* k : c->children)
                if (k) stack.push_back(k);
        }
    }
}
