// What the key-frame model asks of the windows that show it: the key strip of a parameter,
// the row around it and the header row of a group. The window layer implements these.
#pragma once

class wxMouseEvent;
class wxWindow;

/// The key strip (`ParamTL_cls`) that shows one parameter, together with its row's toggle.
/// GUI thread only. The parameter does not own it.
class ParamStripView_cls {
public:
    virtual ~ParamStripView_cls() = default;
    /// Stores the key index the last click selected (-1 none).
    virtual void SetCurrentKey(int index) = 0;
    /// Shows `state` (0 or 1) in the row's time-dependence toggle at once.
    virtual void SetTimeDependToggle(int state) = 0;
    /// Re-reads the parameter's "timeDepend=" value into the row's toggle and repaints it.
    virtual void UpdateTimeDependToggle() = 0;
    /// Strip side of the linked edits: press time (normalised), drag start on a key at
    /// time `t` with the Ctrl and Alt states, drag motion and drag end.
    virtual void SetPressTime(double t) = 0;
    virtual void DragStart(double t, bool ctrl, bool alt) = 0;
    virtual void DragMotion(wxMouseEvent& event) = 0;
    virtual void EndDrag() = 0;
};

/// One component row (`ParametersPanel_cls`) of a group in the lower panel.
class ParamRowView_cls {
public:
    virtual ~ParamRowView_cls() = default;
    virtual void ShowRow(bool show) = 0;
    /// Refreshes the row's controls from its parameter and repaints its strip.
    virtual void UpdateState() = 0;
    /// Destroys the row's window (the object is gone afterwards).
    virtual void DestroyRow() = 0;
};

/// The header row (`ParamGroupGUI_cls`) of a group, and through it the lower panel.
class ParamHeaderView_cls {
public:
    virtual ~ParamHeaderView_cls() = default;
    virtual void ShowHeader(bool show) = 0;
    /// Shows or hides the link button (child groups only; others ignore it).
    virtual void ShowLinkButton(bool show) = 0;
    /// True while the folder button shows the group expanded.
    virtual bool IsFolderOpen() const = 0;
    virtual void SetFolderOpen(bool open) = 0;
    /// Recolours the background by the owner's selection.
    virtual void UpdateColour() = 0;
    /// The lower panel's `ParamGUICtrl_cls::Relayout` and `ParamGUICtrl_cls::UpdateAll`.
    virtual void RelayoutPanel() = 0;
    virtual void UpdatePanel() = 0;
    /// Destroys the header's window (the object is gone afterwards).
    virtual void DestroyHeader() = 0;
    /// The header's window: parent of the group's key dialog.
    virtual wxWindow* HeaderWindow() = 0;
};
