// The modeless "Pov-Ray Rendering Configure" dialog: renderer path, work folder, name
// patterns and snapshot number, the pages of the six settings groups, and the four export
// and render actions, which it posts to the main frame.
#pragma once

#include <functional>

#include "common/gui/DialogEXKey.h"

class AtoSTextCtrl_cls;
class AtoiSpinCtrl_cls;
class PovRayCtrl_cls;
class wxButton;
class wxButtonEX;
class wxNotebook;
class wxPanel;

/// Built once, a child of the main frame; closing only hides it. GUI thread.
class PovRayGUI_cls : public wxDialogEXKey {
public:
    /// Ids of the dialog's controls.
    enum : int {
        ID_BROWSE_EXE = 6536,
        ID_BROWSE_WORK = 6537,
        ID_EXPORT_SNAP = 6538,
        ID_EXPORT_ANIM = 6539,
        ID_RENDER_SNAP = 6540,
        ID_RENDER_ANIM = 6541,
        ID_ADVANCED = 6543,
        ID_SET_DEFAULT = 6544,
        ID_EXE_PATH = 6545,
        ID_WORK_PATH = 6546,
        ID_FORMAT_BOOK = 9005,
        ID_SETTINGS_BOOK = 9006,
    };

    /// `postToFrame` queues a command id on the main frame (the four actions).
    PovRayGUI_cls(PovRayCtrl_cls* controller, wxWindow* frame, std::function<void(int)> postToFrame);
    ~PovRayGUI_cls() override;

    /// Copies the path, pattern and number fields into the controller.
    void ReadControls();
    /// Refreshes the fields from the controller, the pages from their values and what they
    /// show, then the status squares.
    void UpdateGUI();
    /// The settings pages only follow their values (after an undo or redo); the typed
    /// fields are left alone.
    void RefreshSettingsPages();
    /// Shows the run and render state on the buttons and pages.
    void UpdateBusyState();
    /// The renderer's path names an existing file (status square green), the work folder an
    /// existing folder.
    bool CheckExePath();
    bool CheckWorkPath();
    /// True when the renderer exists, or the user answers Yes to going on without it.
    bool CheckBeforeRun();
    /// While a render or a render queue runs: says so in a box and returns true, so that
    /// neither snapshot command is posted.
    bool RefuseSnapshot();
    /// Each notebook's minimum height: the tallest page's best height + 30.
    void FitNotebooks();
    void EnableControls(bool exportSnap, bool exportAnim, bool renderSnap, bool renderAnim, bool others);

    // Controls (tests press and read them).
    AtoSTextCtrl_cls* exePath = nullptr;
    AtoSTextCtrl_cls* workPath = nullptr;
    AtoSTextCtrl_cls* snapPattern = nullptr;
    AtoSTextCtrl_cls* animPattern = nullptr;
    AtoiSpinCtrl_cls* snapNumber = nullptr;
    wxPanel* exeStatus = nullptr;
    wxPanel* workStatus = nullptr;
    wxButton* browseExe = nullptr;
    wxButton* browseWork = nullptr;
    wxButton* exportSnap = nullptr;
    wxButton* renderSnap = nullptr;
    wxButton* exportAnim = nullptr;
    wxButton* renderAnim = nullptr;
    wxButtonEX* advanced = nullptr;
    wxButtonEX* setDefault = nullptr;
    wxNotebook* formatBook = nullptr;
    wxNotebook* settingsBook = nullptr;

private:
    void OnButton(wxCommandEvent& event);
    void OnBrowseExe();
    void OnBrowseWork();
    void SetStatus(wxPanel* square, bool ok);

    PovRayCtrl_cls* m_controller;
    std::function<void(int)> m_post;
};
