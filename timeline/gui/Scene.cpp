// The scene settings dialog and its controller.
#include "timeline/gui/Scene.h"

#include "common/CommandHistory.h"
#include "common/gui/ButtonEX.h"
#include "common/gui/MultiInputItem.h"
#include "common/gui/MultiInputPanel.h"
#include "timeline/TimeCtrl.h"

#include <wx/intl.h>
#include <wx/sizer.h>

Scene_cls::Scene_cls(wxWindow* frame, TimeCtrl_cls* t, const wxBitmap* ic) : time(t), icon(ic) {
    CreateGUI(frame);
}

void Scene_cls::CreateGUI(wxWindow* frame) {
    gui = new SceneGUI_cls(this, frame, wxPoint(x, y), wxSize(width, height));
    SetGUI(gui);
}

void Scene_cls::UpdateGUI(bool) {
    if (gui) gui->panel->UpdateWidgets(MI_ALL_ITEMS);
}

void Scene_cls::ReadFromTimeCtrl() {
    sceneLength = time->maxFrame.value;
    workFirst = time->workAreaMin.value;
    workLast = time->workAreaMax.value;
    lengthType = time->sceneLengthType.value;
}

void Scene_cls::ApplyToTimeCtrl() {
    const unsigned before = time->maxFrame.value;
    // The spin controls allow up to 65535; the time model takes no more than its limit.
    const unsigned length = sceneLength > TimeCtrl_cls::kMaxSceneLength ? TimeCtrl_cls::kMaxSceneLength : sceneLength;
    GoCommandHistory.BeginBlock("");
    time->SetWorkAreaMinUndoable(int(workFirst), -1);
    time->workAreaMax.value = workLast;
    time->SetMaxFrameUndoable(int(length));
    time->sceneLengthType.value = lengthType;
    if (lengthType == 1 && length != before && length != 0)
        time->RescaleAllKeys(double(before) / double(length));
    GoCommandHistory.EndBlock("");
}

SceneGUI_cls::SceneGUI_cls(Scene_cls* c, wxWindow* parent, const wxPoint& pos, const wxSize& size)
    : wxDialogEXKey(parent, wxID_ANY, wxGetTranslation("Scene Config"), pos, size, c->icon,
                    wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX, "dialogBox"),
      controller(c) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    panel = CreateMultiInputPanel(&panel, this);
    BuildItems();
    panel->CreateAndAddToSizer(sizer);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer(1);
    buttons->Add(new wxButtonEX(this, wxID_OK, "OK"), 0, wxALL, 2);
    buttons->Add(new wxButtonEX(this, wxID_CANCEL, "Cancel"), 0, wxALL, 2);
    sizer->Add(buttons, 0, wxEXPAND);
    SetSizer(sizer);
    sizer->SetSizeHints(this);
    Bind(wxEVT_BUTTON, &SceneGUI_cls::OnOK, this, wxID_OK);
    Bind(wxEVT_BUTTON, &SceneGUI_cls::OnCancel, this, wxID_CANCEL);
}

void SceneGUI_cls::BuildItems() {
    static const wxString kTypes[2] = {"do remap", "do not remap"};
    wxString types[2] = {wxGetTranslation(kTypes[0]), wxGetTranslation(kTypes[1])};
    static int members = 2;
    panel->commitMode = MI_COMMIT_DIRECT;
    panel->labelWidth = 80;
    panel->AddItem(MI_UINT_SPIN, &controller->sceneLength, wxGetTranslation("Scene Length"));
    panel->SetItemRange(MI_LAST_ITEM, 0, 65535, 1);
    panel->AddItem(MI_GROUP, &members, wxGetTranslation("Work Area"));
    panel->AddItem(MI_UINT_SPIN, &controller->workFirst, "");
    panel->SetItemRange(MI_LAST_ITEM, 0, 65535, 1);
    panel->AddItem(MI_UINT_SPIN, &controller->workLast, "");
    panel->SetItemRange(MI_LAST_ITEM, 0, 65535, 1);
    panel->AddChoiceItem(MI_COMBO, &controller->lengthType, 2, types, wxGetTranslation("key remap"));
}

void SceneGUI_cls::OnOK(wxCommandEvent&) {
    // Values typed but not yet committed count: commit them, then show what will apply.
    panel->CommitItems(MI_ALL_ITEMS, true);
    panel->UpdateWidgets(MI_ALL_ITEMS);
    CloseDialog(wxID_OK);
}

void SceneGUI_cls::OnCancel(wxCommandEvent&) {
    panel->UpdateWidgets(MI_ALL_ITEMS);
    CloseDialog(wxID_CANCEL);
}
