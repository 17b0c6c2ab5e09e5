// The playback bar: controls, their handlers and the time model's call-backs.
#include "timeline/gui/PlayCtrlGUI.h"

#include "common/gui/AppFonts.h"
#include "common/gui/ButtonEX.h"
#include "timeline/PrefetchLimit.h"
#include "timeline/TimeCtrl.h"
#include "common/CommandIds.h"

#include <wx/artprov.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/tglbtn.h>
#include <wx/toplevel.h>

bool GbAbortDrawing = false;

namespace {

wxSpinCtrl* MakeSpin(wxWindow* parent, int id) {
    auto* s = new wxSpinCtrl(parent, id, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                             wxSP_ARROW_KEYS, 0, 100, 0);
    // 50 pixels wide where the toolkit can draw it so (GTK's buttons need more).
    if (s->GetBestSize().x < 50) s->SetMinSize(wxSize(50, -1));
    s->SetRange(1, 99);
    return s;
}

}  // namespace

PlayCtrlGUI_cls::PlayCtrlGUI_cls(wxWindow* parent, TimeCtrl_cls* t, wxWindowID id, const wxPoint& pos,
                                 const wxSize& size)
    : wxPanel(parent, id, pos, size, wxTAB_TRAVERSAL | wxNO_BORDER, "panel"), time(t) {
    SetBackgroundColour(wxColour(216, 216, 216));
    SetFont(GetAppFont(1));
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    auto bmp = [](const char* art) {
        return wxArtProvider::GetBitmap(art, wxART_MAKE_CLIENT_ID_FROM_STR("wxART_TOOLBAR_C"));
    };
    auto bmpButton = [&](int bid, const char* art) {
        auto* b = new wxBitmapButtonEX(this, bid, bmp(art), wxDefaultPosition, wxDefaultSize, 4);
        sizer->Add(b, 0);
        return b;
    };

    AddLabel(sizer, wxGetTranslation("Set Key"));
    keyAnc = new wxButtonEX(this, ID_PLAY_KEY_ANC, "ANC", wxDefaultPosition, wxSize(60, -1));
    keyPos = new wxButtonEX(this, ID_PLAY_KEY_POS, "POS", wxDefaultPosition, wxSize(60, -1));
    keyPosRot = new wxButtonEX(this, ID_PLAY_KEY_POSROT, "POS+ROT", wxDefaultPosition, wxSize(90, -1));
    sizer->Add(keyAnc, 0);
    sizer->Add(keyPos, 0);
    sizer->Add(keyPosRot, 0);
    sizer->AddSpacer(10);
    goToStart = bmpButton(ID_PLAY_GOTO_START, "wxART_STARTPOINT");
    playBackward = bmpButton(ID_PLAY_BACKWARD, "wxART_PLAY_BACK");
    stepBackward = bmpButton(ID_PLAY_STEP_BACKWARD, "wxART_STEP_BACKWARD");
    stepForward = bmpButton(ID_PLAY_STEP_FORWARD, "wxART_STEP_FORWARD");
    playForward = bmpButton(ID_PLAY_FORWARD, "wxART_PLAY");
    goToEnd = bmpButton(ID_PLAY_GOTO_END, "wxART_ENDPOINT");
    sizer->AddSpacer(10);
    repeat = new wxToggleButton(this, ID_PLAY_REPEAT, "Repeat", wxDefaultPosition, wxSize(70, -1));
    sizer->Add(repeat, 0);
    sizer->AddSpacer(10);
    AddLabel(sizer, wxGetTranslation("Stepping"));
    stepping = MakeSpin(this, ID_PLAY_STEPPING);
    sizer->Add(stepping, 0);
    AddLabel(sizer, wxGetTranslation("Interval"));
    interval = MakeSpin(this, ID_PLAY_INTERVAL);
    sizer->Add(interval, 0);
    sizer->AddSpacer(10);
    AddLabel(sizer, wxGetTranslation("Prefetch"));
    prefetchCtrl = MakeSpin(this, ID_PLAY_PREFETCH);
    prefetchCtrl->SetValue(3);
    sizer->Add(prefetchCtrl, 0);
    sizer->AddStretchSpacer(1);
    abort = new wxBitmapButtonEX(this, ID_PLAY_ABORT, bmp("wxART_DELETE"), wxDefaultPosition,
                                 wxDefaultSize, 4);
    abort->SetBackgroundColour(wxColour(255, 128, 128));
    sizer->Add(abort, 0);
    SetSizer(sizer);

    Bind(wxEVT_BUTTON, &PlayCtrlGUI_cls::OnKeyAnc, this, ID_PLAY_KEY_ANC);
    Bind(wxEVT_BUTTON, &PlayCtrlGUI_cls::OnKeyPos, this, ID_PLAY_KEY_POS);
    Bind(wxEVT_BUTTON, &PlayCtrlGUI_cls::OnKeyPosRot, this, ID_PLAY_KEY_POSROT);
    Bind(wxEVT_BUTTON, &PlayCtrlGUI_cls::OnGoToStart, this, ID_PLAY_GOTO_START);
    Bind(wxEVT_BUTTON, &PlayCtrlGUI_cls::OnPlayBackward, this, ID_PLAY_BACKWARD);
    Bind(wxEVT_BUTTON, &PlayCtrlGUI_cls::OnStepBackward, this, ID_PLAY_STEP_BACKWARD);
    Bind(wxEVT_BUTTON, &PlayCtrlGUI_cls::OnStepForward, this, ID_PLAY_STEP_FORWARD);
    Bind(wxEVT_BUTTON, &PlayCtrlGUI_cls::OnPlayForward, this, ID_PLAY_FORWARD);
    Bind(wxEVT_BUTTON, &PlayCtrlGUI_cls::OnGoToEnd, this, ID_PLAY_GOTO_END);
    Bind(wxEVT_BUTTON, &PlayCtrlGUI_cls::OnAbort, this, ID_PLAY_ABORT);
    Bind(wxEVT_TOGGLEBUTTON, &PlayCtrlGUI_cls::OnRepeat, this, ID_PLAY_REPEAT);
    Bind(wxEVT_SPINCTRL, &PlayCtrlGUI_cls::OnStepping, this, ID_PLAY_STEPPING);
    Bind(wxEVT_SPINCTRL, &PlayCtrlGUI_cls::OnInterval, this, ID_PLAY_INTERVAL);
    Bind(wxEVT_SPINCTRL, &PlayCtrlGUI_cls::OnPrefetch, this, ID_PLAY_PREFETCH);
    UpdateControls();
}

PlayCtrlGUI_cls::~PlayCtrlGUI_cls() {
    // Only while the time model is still published (see TimelinePanels_cls).
    if (time && GpTimeCtrlPanels == time && time->playCtrl == this) time->playCtrl = nullptr;
}

void PlayCtrlGUI_cls::AddLabel(wxSizer* sizer, const wxString& text) {
    // Centred vertically by two stretching spacers in a box that takes the bar's height
    // (an alignment flag in a vertical box would be refused).
    auto* box = new wxBoxSizer(wxVERTICAL);
    auto* label = new wxStaticText(this, wxID_ANY, text, wxDefaultPosition, wxDefaultSize, 0, "staticText");
    box->AddStretchSpacer(1);
    box->Add(label, 0);
    box->AddStretchSpacer(1);
    sizer->Add(box, 0, wxEXPAND | wxLEFT | wxRIGHT, 2);
}

void PlayCtrlGUI_cls::UpdateControls() {
    stepping->SetValue(time->AnimStep());
    interval->SetValue(time->AnimInterp());
    repeat->SetValue(time->repeat.value != 0);
}

void PlayCtrlGUI_cls::UpdatePlayColour() {
    const wxColour blue("LIGHT BLUE");
    if (time->IsPlaying() && time->direction == 1) {
        playForward->SetBackgroundColour(blue);
        playBackward->SetBackgroundColour(wxNullColour);
    } else if (time->IsPlaying() && time->direction == -1) {
        playForward->SetBackgroundColour(wxNullColour);
        playBackward->SetBackgroundColour(blue);
    } else {
        playForward->SetBackgroundColour(wxNullColour);
        playBackward->SetBackgroundColour(wxNullColour);
    }
    playForward->Refresh();
    playBackward->Refresh();
}

void PlayCtrlGUI_cls::PostToFrame(int id) {
    wxWindow* top = wxGetTopLevelParent(this);
    if (!top) return;
    wxCommandEvent e(wxEVT_MENU, id);
    top->GetEventHandler()->AddPendingEvent(e);
}

void PlayCtrlGUI_cls::PostRedraw() {
    PostToFrame(ID_REDRAW_VIEWS);
    PostToFrame(ID_FILTERS_AT_TIME);
}

void PlayCtrlGUI_cls::OnKeyPos(wxCommandEvent&) { PostToFrame(ID_SET_CAMERA_KEY_POS); }
void PlayCtrlGUI_cls::OnKeyPosRot(wxCommandEvent&) { PostToFrame(ID_SET_CAMERA_KEY_POSROT); }
void PlayCtrlGUI_cls::OnKeyAnc(wxCommandEvent&) { PostToFrame(ID_SET_ANCHOR_KEY); }

void PlayCtrlGUI_cls::OnGoToStart(wxCommandEvent&) {
    time->GoToLimit(-1);
    PostRedraw();
}
void PlayCtrlGUI_cls::OnGoToEnd(wxCommandEvent&) {
    time->GoToLimit(+1);
    PostRedraw();
}
void PlayCtrlGUI_cls::OnStepBackward(wxCommandEvent&) {
    time->StepSubFrame(-1);
    PostRedraw();
}
void PlayCtrlGUI_cls::OnStepForward(wxCommandEvent&) {
    time->StepSubFrame(+1);
    PostRedraw();
}
void PlayCtrlGUI_cls::OnPlayBackward(wxCommandEvent&) { time->TogglePlay(-1); }
void PlayCtrlGUI_cls::OnPlayForward(wxCommandEvent&) { time->TogglePlay(+1); }
void PlayCtrlGUI_cls::OnAbort(wxCommandEvent&) { GbAbortDrawing = true; }

void PlayCtrlGUI_cls::OnRepeat(wxCommandEvent&) {
    const int state = repeat->GetValue() ? 1 : 0;
    if (state != int(time->repeat.value)) time->SetRepeatUndoable(state, int(time->repeat.value));
}

void PlayCtrlGUI_cls::OnStepping(wxSpinEvent&) {
    const int v = stepping->GetValue();
    if (v != int(time->animStep.value)) time->SetAnimStepUndoable(v, int(time->animStep.value));
}

void PlayCtrlGUI_cls::OnInterval(wxSpinEvent&) {
    const int v = interval->GetValue();
    if (v != int(time->animInterp.value)) time->SetAnimInterpUndoable(v, int(time->animInterp.value));
}

void PlayCtrlGUI_cls::OnPrefetch(wxSpinEvent&) {
    int v = prefetchCtrl->GetValue();
    const int limited = LimitPrefetch(v, time->GetFrameCapacity());
    if (limited != v) {
        v = limited;
        prefetchCtrl->SetValue(v);
    }
    if (v != time->prefetch) time->SetPrefetchUndoable(v, time->prefetch);
}

PlayCtrlGUI_cls* TimeCtrl_cls::CreatePlayCtrl(wxWindow* parent) {
    playCtrl = new PlayCtrlGUI_cls(parent, this);
    return playCtrl;
}
