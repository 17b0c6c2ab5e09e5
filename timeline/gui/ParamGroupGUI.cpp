// The group header row and the group's window builder.
#include "timeline/gui/ParamGroupGUI.h"

#include <algorithm>

#include "common/gui/AppFonts.h"
#include "common/gui/BitmapPanel.h"
#include "common/gui/StaticTextEX.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamOwner.h"
#include "timeline/gui/ParamGUICtrl.h"
#include "timeline/gui/ParametersPanel.h"
#include "common/CommandIds.h"

#include <wx/sizer.h>
#include <wx/toplevel.h>

namespace {

BitmapPanel_cls* TwoState(wxWindow* parent, const char* a, const char* b, const char* plain) {
    auto* p = new BitmapPanel_cls(parent, wxID_ANY, wxDefaultPosition, wxSize(14, 16));
    p->AddBitmap(a);
    p->AddBitmap(b);
    p->SetBitmap(plain);
    return p;
}

}  // namespace

ParamGroupGUI_cls::ParamGroupGUI_cls(ParamGroup_cls* g, wxWindow* parent, const wxString& name,
                                     int lvl, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxPanel(parent, id, pos, size, wxTAB_TRAVERSAL | wxNO_BORDER, "panel"),
      group(g),
      panel(nullptr),
      level(lvl) {
    for (wxWindow* w = parent; w && !panel; w = w->GetParent()) panel = dynamic_cast<ParamGUICtrl_cls*>(w);
    UpdateColour();
    folderButton = TwoState(this, "wxART_OPEN_FOLDER", "wxART_CLOSE_FOLDER", "wxART_CLOSE_FOLDER");
    markButton = TwoState(this, "wxART_KILROY_HERE", "wxART_KILROY_THERE", "wxART_KILROY_HERE");
    nameLabel = new wxStaticTextEX(this, wxID_ANY, name, wxDefaultPosition, wxSize(-1, 12));
    nameLabel->SetFont(GetAppFont(0));
    if (level == 0)
        eyeButton = TwoState(this, "wxART_EYE_P", "wxART_EYE_N", "wxART_EYE_N");
    else
        linkButton = TwoState(this, "wxART_LINKED", "wxART_UNLINKED", "wxART_UNLINKED");

    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    if (level > 0) sizer->AddSpacer(12);
    sizer->Add(folderButton, 0);
    sizer->AddSpacer(2);
    sizer->Add(markButton, 0);
    sizer->Add(nameLabel, 0, wxALIGN_CENTER_VERTICAL);
    sizer->AddSpacer(2);
    if (eyeButton) sizer->Add(eyeButton, 0);
    if (linkButton) sizer->Add(linkButton, 0);
    SetSizer(sizer);
    for (BitmapPanel_cls* b : {folderButton, markButton, linkButton})
        if (b) b->SetAspectSize(8, 1.0);
    if (eyeButton) {
        eyeButton->SetMinSize(wxSize(14, 16));
        eyeButton->SetMaxSize(wxSize(14, 16));
    }
    if (linkButton) linkButton->Hide();

    folderButton->Bind(wxEVT_LEFT_UP, &ParamGroupGUI_cls::OnFolder, this);
    markButton->Bind(wxEVT_LEFT_UP, &ParamGroupGUI_cls::OnMark, this);
    if (linkButton) linkButton->Bind(wxEVT_LEFT_UP, &ParamGroupGUI_cls::OnLink, this);
    if (eyeButton) eyeButton->Bind(wxEVT_LEFT_UP, &ParamGroupGUI_cls::OnEye, this);
    Bind(wxEVT_LEFT_DOWN, &ParamGroupGUI_cls::OnNameClick, this);
    nameLabel->Bind(wxEVT_LEFT_DOWN, &ParamGroupGUI_cls::OnNameClick, this);
}

void ParamGroupGUI_cls::UpdateColour() {
    if (group && group->owner && group->owner->IsOwnerSelected())
        SetBackgroundColour(wxColour(192, 192, 255));
    else if (level != 0)
        SetBackgroundColour(wxColour(255, 255, 164));
    else
        SetBackgroundColour(wxColour(255, 255, 96));
    Refresh();
}

void ParamGroupGUI_cls::ShowLinkButton(bool show) {
    if (!linkButton) return;
    linkButton->Show(show);
    Layout();
}

bool ParamGroupGUI_cls::IsFolderOpen() const { return folderButton->GetState() == 0; }
void ParamGroupGUI_cls::SetFolderOpen(bool open) { folderButton->SetState(open ? 0 : 1); }

void ParamGroupGUI_cls::RelayoutPanel() {
    if (panel) panel->Relayout();
}

void ParamGroupGUI_cls::UpdatePanel() {
    if (panel) panel->UpdateAll();
}

// The bitmap panels step their state on the same release that reaches these handlers; the
// handlers read the state once that has run.
void ParamGroupGUI_cls::OnFolder(wxMouseEvent& event) {
    event.Skip();
    CallAfter([this] { UpdatePanel(); });
}

void ParamGroupGUI_cls::OnMark(wxMouseEvent& event) {
    event.Skip();
    CallAfter([this] {
        group->SetMarked(markButton->GetState() != 0);
        UpdatePanel();
    });
}

void ParamGroupGUI_cls::OnLink(wxMouseEvent& event) {
    event.Skip();
    CallAfter([this] { group->linked = linkButton->GetState() != 1 ? 1 : 0; });
}

void ParamGroupGUI_cls::OnEye(wxMouseEvent& event) {
    event.Skip();
    CallAfter([this] {
        const bool shown = eyeButton->GetState() == 0;
        // The object itself is shown or hidden (a light stops lighting, a path is not
        // drawn), besides the group's own byte that the filters' drawing reads.
        if (group->owner) group->owner->SetOwnerVisible(shown);
        group->visible = shown ? 1 : 0;
        if (wxWindow* top = wxGetTopLevelParent(this)) {
            wxCommandEvent e(wxEVT_MENU, ID_REDRAW_VIEWS);
            top->GetEventHandler()->AddPendingEvent(e);
        }
    });
}

void ParamGroupGUI_cls::OnNameClick(wxMouseEvent& event) {
    event.Skip();
    if (!group || !group->owner || !panel) return;
    panel->SelectGroup(group->owner);
    // A click on the group of the object selected already keeps it selected.
    if (panel->onOwnerSelected) panel->onOwnerSelected(group->owner->IsOwnerSelected() ? group->owner : nullptr);
}

// ---------------------------------------------------------------- the group's windows

void ParamGroup_cls::CreateGUI(wxWindow* parent, wxSizer* sizer, int level) {
    auto* head = new ParamGroupGUI_cls(this, parent, wxString::FromUTF8(displayName.c_str()), level,
                                       wxID_ANY, wxDefaultPosition, wxSize(-1, 12));
    head->SetMinSize(wxSize(-1, 16));
    std::vector<ParamRowView_cls*> made;
    if (sizer) sizer->Add(head, 0, wxEXPAND);
    for (int i = 0; i < ComponentCount(); ++i) {
        auto* r = new ParametersPanel_cls(&Component(i), parent, true, wxDefaultPosition, wxSize(-1, 16));
        // At least 16 pixels, and what the row's controls need (GTK's check box is taller).
        r->SetMinSize(wxSize(-1, std::max(16, r->GetSizer() ? r->GetSizer()->GetMinSize().y : 16)));
        if (sizer) sizer->Add(r, 0, wxEXPAND);
        made.push_back(r);
    }
    AttachGUI(head, made);
}
