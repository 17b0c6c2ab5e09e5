// The "Stereogram Configure" dialog.
#include "view/gui/StereoGramGUI.h"

#include <cmath>

#include <wx/sizer.h>
#include <wx/translation.h>

#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "common/gui/ButtonEX.h"
#include "common/gui/MessageHelpers.h"
#include "common/gui/MultiInputPanel.h"
#include "common/gui/UserPrompts.h"
#include "common/gui/WidgetCommon.h"
#include "timeline/ParamGroup.h"
#include "view/StereoGram.h"

namespace {

/// The dialog's notifier callbacks reach their dialog through this.
StereoGramGUI_cls* g_dialog = nullptr;

wxString FocusText(double d) {
    if (!std::isfinite(d)) return wxGetTranslation("infinite");
    return wxString::FromCDouble(d, 6);
}

}  // namespace

// ------------------------------------------------------------------------- controller

StereoGramControl_cls::StereoGramControl_cls(wxWindow* f, StereoGram_cls* s, const wxBitmap& i)
    : stereo(s), frame(f), icon(i) {
    CreateGUI(frame);
}

StereoGramControl_cls::~StereoGramControl_cls() {
    if (gui) {
        gui->owner = nullptr;
        gui->SetGeometryStore(nullptr);  // the toolkit deletes the dialog later
        gui->Destroy();
    }
    gui = nullptr;
}

void StereoGramControl_cls::CreateGUI(wxWindow* f) {
    gui = new StereoGramGUI_cls(this, f, wxPoint(x, y), wxSize(width, height));
    SetGUI(gui);
}

void StereoGramControl_cls::UpdateGUI(bool) {
    stereo->UpdateFocus(GdCurrentTime);
    if (!gui) return;
    gui->RefreshItems();
    gui->UpdateShownItems();
}

void StereoGramControl_cls::Show(wxWindow* f) {
    DialogControl_cls::Show(f);
    UpdateGUI(true);
}

void StereoGramControl_cls::SyncEyeParam() {
    stereo->eyeParam->SetActive(stereo->StereoOn());
    stereo->eyeParam->UpdateTrackPanel();
}

// ------------------------------------------------------------------------- dialog

StereoGramGUI_cls::StereoGramGUI_cls(StereoGramControl_cls* o, wxWindow* frame, const wxPoint& pos,
                                     const wxSize& size)
    : wxDialogEXKey(frame, wxID_ANY, wxGetTranslation("Stereogram Configure"), pos, size,
                    o->icon.IsOk() ? &o->icon : nullptr, wxDEFAULT_DIALOG_STYLE, "dialogBox"),
      owner(o) {
    g_dialog = this;
    StereoGram_cls* s = owner->stereo;
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    panel = CreateMultiInputPanel(&panel, this);
    panel->updateFlags = UPD_VIEWS | UPD_STEREOGRAM_GUI;
    panel->labelWidth = 140;
    panel->defaultControlWidth = -1;
    panel->spacerWidth = 240;

    const wxString settings[] = {wxGetTranslation("0: Monogram"), wxGetTranslation("1: Off-Axis"),
                                 wxGetTranslation("2: Toe-In")};
    panel->AddChoiceItem(MI_COMBO, &s->cameraSetting.value, 3, settings, wxGetTranslation("Camera Setting"));
    const wxString types[] = {wxGetTranslation("No Parallax"),  wxGetTranslation("LEFT"),
                              wxGetTranslation("RIGHT"),        wxGetTranslation("LINE BY LINE"),
                              wxGetTranslation("RED-CYAN"),     wxGetTranslation("YELLOW-BLUE"),
                              wxGetTranslation("SIDE BY SIDE")};
    typeItem = panel->AddChoiceItem(MI_COMBO, &s->outputType.value, 7, types, wxGetTranslation("Stereogram Type"));
    const wxString files[] = {wxGetTranslation("Combined"), wxGetTranslation("Separately")};
    fileItem = panel->AddChoiceItem(MI_COMBO, &s->fileOutput.value, 2, files, wxGetTranslation("File Output"));
    toeInItem = panel->AddItem(MI_DOUBLE_TEXT, &s->toeInAngle.value, wxGetTranslation("Toe-In Angle"));
    panel->SetItemRange(MI_LAST_ITEM, 0, 45, 0);
    parallaxItem = panel->AddItem(MI_DOUBLE_TEXT, &s->eyeParam->Component(0).cachedValue,
                                  wxGetTranslation("Parallax Distance"));
    focusItem = panel->AddItem(MI_STRING_TEXT, &focusText, wxGetTranslation("Distance to Focus"), false);
    panel->CreateAndAddToSizer(sizer);
    panel->GetNotifier()->Register([](void*, void*) { if (g_dialog) g_dialog->OnSelectChanged(); },
                                   MIE_SELECT_CHANGED);
    panel->GetNotifier()->Register([](void*, void*) { if (g_dialog) g_dialog->OnSelect(); }, MIE_SELECT);
    panel->GetNotifier()->Register([](void*, void*) { if (g_dialog) g_dialog->OnCommitted(); }, MIE_COMMITTED);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(new wxButtonEX(this, ID_STEREO_SET_DEFAULT, wxGetTranslation("Set to Defalt")), 0, wxALL, 2);
    buttons->AddStretchSpacer(1);
    auto* close = new wxButtonEX(this, ID_STEREO_CLOSE, wxGetTranslation("Close"));
    buttons->Add(close, 0, wxALL, 2);
    sizer->Add(buttons, 0, wxEXPAND);
    SetSizer(sizer);
    sizer->SetSizeHints(this);
    close->SetFocus();
    SetCloseId(ID_STEREO_CLOSE);

    Bind(wxEVT_BUTTON, &StereoGramGUI_cls::OnSetDefault, this, ID_STEREO_SET_DEFAULT);
    Bind(wxEVT_BUTTON, &StereoGramGUI_cls::OnClose, this, ID_STEREO_CLOSE);
    Bind(wxEVT_BUTTON, &StereoGramGUI_cls::OnClose, this, wxID_CANCEL);  // Esc, Ctrl+W
    RefreshItems();
    UpdateShownItems();
}

StereoGramGUI_cls::~StereoGramGUI_cls() {
    if (g_dialog == this) g_dialog = nullptr;
    if (owner && owner->gui == this) {
        owner->gui = nullptr;
        owner->dialog = nullptr;
    }
}

void StereoGramGUI_cls::RefreshItems() {
    if (!owner) return;
    StereoGram_cls* s = owner->stereo;
    s->eyeParam->Component(0).GetValue(GdCurrentTime);  // the entry shows the curve's value now
    focusText = FocusText(s->focusDistance);
    panel->UpdateWidgets(MI_ALL_ITEMS);
}

void StereoGramGUI_cls::UpdateShownItems() {
    if (!owner) return;
    const StereoGram_cls* s = owner->stereo;
    const unsigned setting = s->cameraSetting.value, type = s->outputType.value;
    const bool on = setting != STEREO_MONOGRAM, typed = on && type != STEREO_NO_PARALLAX;
    panel->ShowItem(typeItem, on);
    panel->ShowItem(parallaxItem, typed);
    panel->ShowItem(toeInItem, typed && setting == STEREO_TOE_IN);
    panel->ShowItem(focusItem, typed && setting == STEREO_TOE_IN);
    panel->ShowItem(fileItem, typed && type >= STEREO_LINE_BY_LINE);
    Relayout();
}

void StereoGramGUI_cls::OnSelectChanged() {
    if (!owner) return;
    const StereoGram_cls* s = owner->stereo;
    if (!StereoGram_cls::IsRefusedCombination(s->outputType.value, s->fileOutput.value)) return;
    ShowMessageBox(this, wxGetTranslation("Saving LINE BY LINE images are not supported."),
                   wxGetTranslation("Warning"));
    GoCommandHistory.Undo();  // the selection just made
    panel->UpdateWidgets(MI_ALL_ITEMS);
}

void StereoGramGUI_cls::OnSelect() {
    if (!owner) return;
    owner->UpdateGUI(false);
    owner->SyncEyeParam();
    if (owner->frame) WidgetCommon_cls::PostMenuCommand(owner->frame, ID_REDRAW_VIEWS);
}

void StereoGramGUI_cls::OnCommitted() {
    if (!owner) return;
    owner->stereo->eyeParam->UpdateChangedKeys(GdCurrentTime);
    owner->UpdateGUI(false);
}

void StereoGramGUI_cls::OnSetDefault(wxCommandEvent&) {
    if (!owner) return;
    if (!UserPrompts_cls::Current().AskYesNo(this, wxGetTranslation("Query"), wxGetTranslation("Set to default ?")))
        return;
    owner->stereo->RegisterSettings();  // directly: not an undoable edit
    owner->UpdateGUI(false);
    owner->SyncEyeParam();
    if (owner->frame) WidgetCommon_cls::PostMenuCommand(owner->frame, ID_REDRAW_VIEWS);
}

void StereoGramGUI_cls::OnClose(wxCommandEvent&) {
    if (owner) owner->UpdateGUI(false);
    CloseDialog(wxID_CANCEL);
}
