// The parameter row: its controls, their handlers and the shared time geometry refresh.
#include "timeline/gui/ParametersPanel.h"

#include <algorithm>

#include "common/gui/BitmapPanel.h"
#include "common/gui/ButtonEX.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"
#include "timeline/TimeCtrl.h"
#include "timeline/gui/ParamTL.h"

#include <wx/artprov.h>
#include <wx/checkbox.h>
#include <wx/dcclient.h>
#include <wx/sizer.h>

double ParametersPanel_cls::sharedTime = 0.0;

void SyncTimelineGeometry() {
    ParamTL_cls::SyncTimeStatics();
    ParametersPanel_cls::sharedTime = GdTLTime;
}

namespace {

wxBitmap OtherArt(const char* id) {
    return wxArtProvider::GetBitmap(id, wxART_MAKE_CLIENT_ID_FROM_STR("wxART_OTHER_C"));
}

}  // namespace

ParametersPanel_cls::ParametersPanel_cls(Parameter_cls* p, wxWindow* parent, bool shown,
                                         const wxPoint& pos, const wxSize& size, wxWindowID id)
    : wxPanel(parent, id, pos, size, wxTAB_TRAVERSAL | wxNO_BORDER, "panel"), parameter(p) {
    timeToggle = new BitmapPanel_cls(this, wxID_ANY, wxDefaultPosition, wxSize(14, 16));
    timeToggle->AddBitmap("wxART_TIME_N");
    timeToggle->AddBitmap("wxART_TIME_P");
    timeToggle->SetBitmap("wxART_TIME_D");
    timeToggle->SetDisabledArt("wxART_TIME_D");
    prevButton = new wxBitmapButtonEX(this, wxID_ANY, OtherArt("wxART_LEFT"), wxDefaultPosition,
                                      wxSize(14, 16), wxBORDER_NONE);
    prevButton->SetBitmapHover(OtherArt("wxART_LEFT_HOVER"));
    prevButton->SetBitmapDisabled(OtherArt("wxART_LEFT_DISABLED"));
    // The check box takes the size GTK needs for it (less makes GTK complain at every
    // layout); the leading spacer gives back what it takes beyond 14 pixels, so the strip
    // still starts 69 pixels in, under the timeline's slider.
    keyCheck = new wxCheckBox(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, 0,
                              wxDefaultValidator, "check");
    keyCheck->SetSize(keyCheck->GetBestSize());
    nextButton = new wxBitmapButtonEX(this, wxID_ANY, OtherArt("wxART_RIGHT"), wxDefaultPosition,
                                      wxSize(14, 16), wxBORDER_NONE);
    nextButton->SetBitmapHover(OtherArt("wxART_RIGHT_HOVER"));
    nextButton->SetBitmapDisabled(OtherArt("wxART_RIGHT_DISABLED"));
    strip = new ParamTL_cls(p, this, this, wxDefaultPosition, wxSize(-1, 16));
    for (wxWindow* w : {static_cast<wxWindow*>(timeToggle), static_cast<wxWindow*>(prevButton),
                        static_cast<wxWindow*>(keyCheck), static_cast<wxWindow*>(nextButton)}) {
        w->SetMinSize(w->GetSize());
        w->SetMaxSize(w->GetSize());
    }
    strip->SetMinSize(wxSize(40, 16));

    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->AddSpacer(std::max(0, 12 - (keyCheck->GetSize().x - 14)));
    sizer->Add(timeToggle, 0);
    sizer->Add(prevButton, 0);
    sizer->Add(keyCheck, 0, wxALIGN_CENTER_VERTICAL);
    sizer->Add(nextButton, 0);
    sizer->AddSpacer(1);
    sizer->Add(strip, 1, wxEXPAND);
    SetSizer(sizer);
    timeToggle->SetAspectSize(8, 1.0);
    timeToggle->SetState(p ? int(p->timeDepend.value ? 1 : 0) : 0);

    Bind(wxEVT_PAINT, &ParametersPanel_cls::OnPaint, this);
    for (wxWindow* w : {static_cast<wxWindow*>(this), static_cast<wxWindow*>(prevButton),
                        static_cast<wxWindow*>(nextButton), static_cast<wxWindow*>(keyCheck)})
        w->Bind(wxEVT_KEY_DOWN, &ParametersPanel_cls::OnKey, this);
    timeToggle->Bind(wxEVT_LEFT_UP, &ParametersPanel_cls::OnTimeDependToggle, this);
    timeToggle->Bind(wxEVT_RIGHT_UP, [this](wxMouseEvent& e) {
        if (GetParent()) GetParent()->GetEventHandler()->AddPendingEvent(e);
        e.Skip();
    });
    prevButton->Bind(wxEVT_BUTTON, &ParametersPanel_cls::OnPrevKey, this);
    nextButton->Bind(wxEVT_BUTTON, &ParametersPanel_cls::OnNextKey, this);
    keyCheck->Bind(wxEVT_CHECKBOX, &ParametersPanel_cls::OnKeyCheck, this);
    // Presses the strip passes on (queued with the strip's id).
    Bind(wxEVT_LEFT_DOWN, &ParametersPanel_cls::OnStripMouse, this);
    Bind(wxEVT_RIGHT_DOWN, &ParametersPanel_cls::OnStripMouse, this);
    Show(shown);
}

ParametersPanel_cls::~ParametersPanel_cls() = default;

void ParametersPanel_cls::DestroyRow() {
    if (parameter && parameter->row == strip) parameter->row = nullptr;
    Destroy();
}

void ParametersPanel_cls::OnPaint(wxPaintEvent& event) {
    wxPaintDC dc(this);
    UpdateState();
    event.Skip();
}

void ParametersPanel_cls::UpdateState() {
    strip->Refresh(false);
    timeToggle->SetState(parameter && parameter->timeDepend.value ? 1 : 0);
    if (parameter) {
        const bool td = parameter->IsTimeDependent();
        keyCheck->Enable(td);
        prevButton->Enable(td);
        nextButton->Enable(td);
        timeToggle->Enable(true);
        const bool has = parameter->HasKeyAt(sharedTime, -1);
        if (keyCheck->GetValue() != has) keyCheck->SetValue(has);
    } else {
        keyCheck->Enable(false);
        prevButton->Enable(false);
        nextButton->Enable(false);
        timeToggle->Enable(false);
    }
}

void ParametersPanel_cls::UpdateTimeDependToggle() {
    timeToggle->SetState(parameter && parameter->timeDepend.value ? 1 : 0);
}

void ParametersPanel_cls::SetToggleState(int state) { timeToggle->SetState(state); }

void ParametersPanel_cls::ToggleKey() {
    if (!parameter) return;
    keyCheck->SetValue(!keyCheck->GetValue());
    wxCommandEvent e(wxEVT_CHECKBOX, keyCheck->GetId());
    e.SetEventObject(keyCheck);
    e.SetInt(keyCheck->GetValue() ? 1 : 0);
    keyCheck->GetEventHandler()->AddPendingEvent(e);
}

void ParametersPanel_cls::OnKey(wxKeyEvent& event) {
    if (GetParent()) GetParent()->GetEventHandler()->AddPendingEvent(event);
}

void ParametersPanel_cls::OnPrevKey(wxCommandEvent& event) {
    if (parameter && GpTimeCtrlPanels)
        GpTimeCtrlPanels->SetFrameFromFraction(parameter->GetPrevKeyTime(sharedTime, -1));
    event.Skip();
}

void ParametersPanel_cls::OnNextKey(wxCommandEvent& event) {
    if (parameter && GpTimeCtrlPanels)
        GpTimeCtrlPanels->SetFrameFromFraction(parameter->GetNextKeyTime(sharedTime, -1));
    event.Skip();
}

void ParametersPanel_cls::OnKeyCheck(wxCommandEvent& event) {
    if (parameter) {
        if (keyCheck->GetValue())
            parameter->AddKeyLinked(-1);
        else
            parameter->DeleteKeyLinked(sharedTime);
        // As if the strip had been pressed: the lower panel sees the row's activity.
        if (wxWindow* p = GetParent()) {
            wxMouseEvent press(wxEVT_LEFT_DOWN);
            press.SetId(strip->GetId());
            press.SetEventObject(strip);
            p->GetEventHandler()->ProcessEvent(press);
        }
        parameter->RefreshGroupRows();
        strip->Refresh(false);
    }
    event.Skip();
}

void ParametersPanel_cls::OnTimeDependToggle(wxMouseEvent& event) {
    event.Skip();
    if (event.GetEventObject() != timeToggle || !parameter) return;
    // The toggle shows the parameter's flag, and a paint of the row re-reads it, so the
    // click's meaning is taken from the flag itself: it flips it.
    const bool on = !parameter->timeDepend.value;
    if (parameter->IsLinked())
        parameter->owner->SetTimeDependent(on);
    else
        parameter->SetTimeDependentUndoable(on);
    parameter->RefreshGroupRows();
    // The toggle steps its own state after this handler: show the flag again afterwards.
    CallAfter([this] { UpdateState(); });
}

void ParametersPanel_cls::OnStripMouse(wxMouseEvent& event) {
    // Presses passed on by the strip: left presses stop here, right presses go on up.
    if (event.RightDown() && strip && event.GetId() == strip->GetId() && GetParent())
        GetParent()->GetEventHandler()->AddPendingEvent(event);
    event.Skip();
}
