// The "Scene Config" dialog: scene length, work area and what a length change does to the
// key frames, applied to the time model in one undo step.
#pragma once

#include "common/gui/DialogControl.h"

#include <cstdint>

class MultiInputPanel_cls;
class SceneGUI_cls;
class TimeCtrl_cls;
class wxBitmap;

/// Controller of the dialog. The dialog edits these fields (a working copy); OK in the menu
/// handler applies them with ApplyToTimeCtrl. GUI thread only.
class Scene_cls : public DialogControl_cls {
public:
    /// Creates the dialog at once (hidden). `icon` is the main frame's (not owned; may be null).
    Scene_cls(wxWindow* frame, TimeCtrl_cls* time, const wxBitmap* icon);

    void CreateGUI(wxWindow* frame) override;
    /// Refreshes every bound widget from the fields.
    void UpdateGUI(bool full) override;

    /// Fields := the time model's length, work area and length type.
    void ReadFromTimeCtrl();
    /// Applies the fields in one unnamed undo block: work-area start and length undoable,
    /// work-area end and length type directly; with "do not remap" and a changed non-zero
    /// length every key time is scaled by old / new length, so keys keep their frames.
    void ApplyToTimeCtrl();

    TimeCtrl_cls* time;
    SceneGUI_cls* gui = nullptr;
    const wxBitmap* icon;
    uint32_t sceneLength = 0;
    uint32_t workFirst = 0;
    uint32_t workLast = 0;
    uint32_t lengthType = 0;  ///< 0 "do remap", 1 "do not remap"
};

class SceneGUI_cls : public wxDialogEXKey {
public:
    SceneGUI_cls(Scene_cls* controller, wxWindow* parent, const wxPoint& pos, const wxSize& size);
    /// Fills the item panel (direct mode, label width 80).
    void BuildItems();
    void OnOK(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);

    Scene_cls* controller;
    MultiInputPanel_cls* panel = nullptr;
};
