// The "Save Image Sequence" dialog.
#include "view/gui/ImgSequenceGUI.h"

#include <wx/filedlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/translation.h>

#include "common/CommandIds.h"
#include "common/CommandHistory.h"
#include "common/CommandSetValue.h"
#include "common/PathParts.h"
#include "common/gui/ButtonEX.h"
#include "common/gui/MessageHelpers.h"
#include "common/gui/MultiInputPanel.h"
#include "common/gui/UserPrompts.h"
#include "timeline/TimeCtrl.h"
#include "view/gui/ImgSequence.h"

ImgSequenceGUI_cls::ImgSequenceGUI_cls(ImgSequence_cls* o, wxWindow* parent, const wxPoint& pos,
                                       const wxSize& size)
    : wxDialogEXKey(parent, wxID_ANY, wxGetTranslation("Save Image Sequence"), pos, size,
                    o->icon.IsOk() ? &o->icon : nullptr, wxDEFAULT_DIALOG_STYLE, "dialogBox"),
      owner(o) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    panel = CreateMultiInputPanel(&panel, this);
    panel->updateFlags = UPD_IMGSEQ_GUI;
    panel->labelWidth = 160;
    panel->defaultControlWidth = 90;
    panel->spacerWidth = 400;

    static int three = 3;
    panel->AddItem(MI_GROUP, &three, wxGetTranslation("Preview (W, H, V)"));
    panel->AddItem(MI_INT_TEXT, &owner->previewWidth, "", false);
    panel->AddItem(MI_INT_TEXT, &owner->previewHeight, "", false);
    panel->AddItem(MI_FLOAT_TEXT, &owner->previewAngle, "", false);

    panel->AddItem(MI_GROUP, &three, wxGetTranslation("Output Size"));
    outputWidthItem = panel->AddItem(MI_INT_SPIN, &owner->outputWidth.value, "");
    panel->SetItemRange(MI_LAST_ITEM, 0, 4096, 0);
    outputHeightItem = panel->AddItem(MI_INT_SPIN, &owner->outputHeight.value, "");
    panel->SetItemRange(MI_LAST_ITEM, 0, 4096, 0);
    wxString labels[kCount];
    for (int i = 0; i < kCount; ++i) labels[i] = ImgSizeTemplate_cls::GetLabel(i);
    itemIndex = panel->AddChoiceItem(MI_COMBO, &selected, kCount, labels, "");

    panel->AddItem(MI_GROUP, &three, wxGetTranslation("Initial sequence"));
    panel->AddItem(MI_INT_TEXT, &owner->initialNumber.value, "");
    panel->AddUnboundItem(ID_IMGSEQ_CALC_AUTO, wxGetTranslation("Calc. Auto"), MI_BUTTON);
    panel->GetLastItem().controlWidth = 40;
    panel->AddUnboundItem(ID_IMGSEQ_REFERENCE, wxGetTranslation("Reference"), MI_BUTTON);
    panel->GetLastItem().controlWidth = 40;

    panel->defaultControlWidth = -1;
    panel->AddItem(MI_STRING_TEXT, &owner->files.pattern, "");
    panel->defaultControlWidth = 90;

    if (owner->time) {
        TimeCtrl_cls* t = owner->time;
        panel->AddItem(MI_GROUP, &three, wxGetTranslation("Motion Blur (Length/Quality)"));
        panel->AddItem(MI_CHECKBOX, &t->useMotionBlur.value, wxGetTranslation("Use"));
        panel->AddItem(MI_FLOAT_TEXT, &t->motionBlur.shutter, "");
        panel->AddItem(MI_INT_SPIN, &t->motionBlur.count, "");
        panel->SetItemRange(MI_LAST_ITEM, 2, 16, 0);
    }
    panel->CreateAndAddToSizer(sizer);
    panel->GetNotifier()->Register([this](void*, void*) { OnTemplateChosen(); }, MIE_SELECT);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    renderAnimButton = new wxButtonEX(this, ID_IMGSEQ_RENDER_ANIM, wxGetTranslation("Render Anim"));
    renderSnapButton = new wxButtonEX(this, ID_IMGSEQ_RENDER_SNAP, wxGetTranslation("Render Snap"));
    buttons->Add(renderAnimButton, 0, wxALL, 2);
    buttons->Add(renderSnapButton, 0, wxALL, 2);
    buttons->AddStretchSpacer(1);
    buttons->Add(new wxButtonEX(this, wxID_CANCEL, wxGetTranslation("Close")), 0, wxALL, 2);
    sizer->Add(buttons, 0, wxEXPAND);
    unavailableNote = new wxStaticText(this, wxID_ANY, ImgSequence_cls::CaptureUnavailableReason());
    unavailableNote->Wrap(380);
    sizer->Add(unavailableNote, 0, wxALL, 4);
    UpdateRenderButtons();
    SetSizer(sizer);
    sizer->SetSizeHints(this);
    renderAnimButton->SetFocus();

    Bind(wxEVT_BUTTON, &ImgSequenceGUI_cls::OnRenderAnim, this, ID_IMGSEQ_RENDER_ANIM);
    Bind(wxEVT_BUTTON, &ImgSequenceGUI_cls::OnRenderSnap, this, ID_IMGSEQ_RENDER_SNAP);
    Bind(wxEVT_BUTTON, &ImgSequenceGUI_cls::OnCalcAuto, this, ID_IMGSEQ_CALC_AUTO);
    Bind(wxEVT_BUTTON, &ImgSequenceGUI_cls::OnReference, this, ID_IMGSEQ_REFERENCE);
    Bind(wxEVT_BUTTON, &ImgSequenceGUI_cls::OnClose, this, wxID_CANCEL);
}

ImgSequenceGUI_cls::~ImgSequenceGUI_cls() {
    if (owner && owner->gui == this) {
        owner->gui = nullptr;
        owner->dialog = nullptr;
    }
}

void ImgSequenceGUI_cls::OnTemplateChosen() {
    const bool custom = ImgSizeTemplate_cls::GetSize(static_cast<int>(selected), owner->outputWidth.value, owner->outputHeight.value);
    panel->EnableItem(outputWidthItem, custom);
    panel->EnableItem(outputHeightItem, custom);
    panel->UpdateWidgets(MI_ALL_ITEMS);
}

void ImgSequenceGUI_cls::OnCalcAuto(wxCommandEvent&) {
    if (owner->time) owner->initialNumber.value = -owner->time->GetStepIndex(0, 0);
    panel->UpdateWidgets(MI_ALL_ITEMS);
}

void ImgSequenceGUI_cls::OnReference(wxCommandEvent&) {
    FileQuestion q;
    q.message = wxGetTranslation("Select a image file to save");
    q.wildcard =
        "image(*.png;*.jpg;*.tif)|*.png;*.jpg;*.tif|png (*.png)|*.png|jpg (*.jpg)|*.jpg|tiff "
        "(*.tif)|*.tif";
    q.style = wxFD_SAVE | wxFD_OVERWRITE_PROMPT;
    const PathParts_cls parts(owner->files.path);
    q.directory = parts.directory;
    q.fileName = parts.name + parts.extension;
    wxString chosen;
    if (UserPrompts_cls::Current().PickFile(this, q, chosen) != wxID_OK) return;
    wxString* target = &owner->files.pattern;
    GoCommandHistory.Push(new CommandSetValue_cls(target, chosen, UPD_IMGSEQ_GUI),
                          new CommandSetValue_cls(target, *target, UPD_IMGSEQ_GUI));
    GoCommandHistory.Redo();
    owner->SetPattern(owner->files.pattern);
    panel->UpdateWidgets(MI_ALL_ITEMS);
}

void ImgSequenceGUI_cls::CommitAndTakePattern() {
    panel->CommitItems(MI_ALL_ITEMS, true);
    owner->SetPattern(owner->files.pattern);
    panel->UpdateWidgets(MI_ALL_ITEMS);
}

void ImgSequenceGUI_cls::UpdateRenderButtons() {
    const wxString why = ImgSequence_cls::CaptureUnavailableReason();
    const bool available = why.empty();
    for (wxButtonEX* b : {renderAnimButton, renderSnapButton}) {
        if (!b) continue;
        b->Enable(available || (b == renderAnimButton && owner->running));
        b->SetToolTip(why);
    }
    if (unavailableNote) {
        unavailableNote->SetLabel(why);
        unavailableNote->Show(!available);
    }
}

void ImgSequenceGUI_cls::OnRenderAnim(wxCommandEvent&) {
    if (owner->running) {
        PostMenuCommand(GetParent(), ID_END_CAPTURE);
        ResetRenderButton();
        return;
    }
    if (!ImgSequence_cls::CaptureViewAvailable()) {
        ShowMessageBox(this, ImgSequence_cls::CaptureUnavailableReason(),
                       wxGetTranslation("Save Image Sequence"));
        return;
    }
    CommitAndTakePattern();
    wxString message;
    if (!owner->CheckOutputSize(&message)) {
        ShowMessageBox(this, message, wxGetTranslation("Save Image Sequence"));
        return;
    }
    const CaptureSequence_cls::PatternState state = owner->CheckPattern(&message);
    if (state == CaptureSequence_cls::PATTERN_EMPTY) {
        ShowMessageBox(this, message, wxGetTranslation("Sequence Format error"));
        return;
    }
    if (state == CaptureSequence_cls::PATTERN_NOT_NUMBERED) {
        if (!AskYesNo(this, wxGetTranslation("Sequence Format error"), message)) return;
        owner->AppendFourDigitTag();
        panel->UpdateWidgets(MI_ALL_ITEMS);
    }
    PostMenuCommand(GetParent(), ID_IMGSEQ_PRECHECK);
    renderAnimButton->SetLabel(wxGetTranslation("Abort Anim"));
    renderAnimButton->SetBackgroundColour(wxColour("RED"));
    renderAnimButton->SetForegroundColour(wxColour("WHITE"));
    owner->running = true;
}

void ImgSequenceGUI_cls::OnRenderSnap(wxCommandEvent&) {
    if (owner->running) return;
    if (!ImgSequence_cls::CaptureViewAvailable()) {
        ShowMessageBox(this, ImgSequence_cls::CaptureUnavailableReason(),
                       wxGetTranslation("Save Image Sequence"));
        return;
    }
    CommitAndTakePattern();
    wxString message;
    if (!owner->CheckOutputSize(&message)) {
        ShowMessageBox(this, message, wxGetTranslation("Save Image Sequence"));
        return;
    }
    if (owner->CheckPattern(&message) == CaptureSequence_cls::PATTERN_EMPTY) {
        ShowMessageBox(this, message, wxGetTranslation("Sequence Format error"));
        return;
    }
    PostMenuCommand(GetParent(), ID_IMGSEQ_PRECHECK);
    owner->running = true;
    owner->snapOnly = true;
}

void ImgSequenceGUI_cls::OnClose(wxCommandEvent&) {
    panel->UpdateWidgets(MI_ALL_ITEMS);
    CloseDialog(wxID_CANCEL);
}

void ImgSequenceGUI_cls::ResetRenderButton() {
    renderAnimButton->SetLabel(wxGetTranslation("Render Anim"));
    renderAnimButton->SetBackgroundColour(wxNullColour);
    renderAnimButton->SetForegroundColour(wxNullColour);
    owner->running = false;
}
