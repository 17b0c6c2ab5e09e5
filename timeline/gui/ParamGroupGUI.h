// The header row of a parameter group in the lower panel: folder, mark, name, and the eye
// (top-level groups) or link (child groups) button.
#pragma once

#include "timeline/ParamViews.h"

#include <wx/panel.h>

class BitmapPanel_cls;
class ParamGUICtrl_cls;
class ParamGroup_cls;
class wxStaticText;

/// GUI thread only. The group is not owned; `panel` is the lower panel (may be null in a
/// window of its own, then relayout and selection requests do nothing).
class ParamGroupGUI_cls : public wxPanel, public ParamHeaderView_cls {
public:
    ParamGroupGUI_cls(ParamGroup_cls* group, wxWindow* parent, const wxString& name, int level,
                      wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                      const wxSize& size = wxSize(-1, 12));

    /// Background by the owner's selection and the nesting level.
    void UpdateColour() override;

    // ParamHeaderView_cls
    void ShowHeader(bool show) override { Show(show); }
    void ShowLinkButton(bool show) override;
    bool IsFolderOpen() const override;
    void SetFolderOpen(bool open) override;
    void RelayoutPanel() override;
    void UpdatePanel() override;
    void DestroyHeader() override { Destroy(); }
    wxWindow* HeaderWindow() override { return this; }

    void OnFolder(wxMouseEvent& event);
    void OnMark(wxMouseEvent& event);
    void OnLink(wxMouseEvent& event);
    void OnEye(wxMouseEvent& event);
    void OnNameClick(wxMouseEvent& event);

    ParamGroup_cls* group;
    ParamGUICtrl_cls* panel;
    wxStaticText* nameLabel = nullptr;
    int level;
    BitmapPanel_cls* folderButton = nullptr;
    BitmapPanel_cls* linkButton = nullptr;  ///< child groups only
    BitmapPanel_cls* eyeButton = nullptr;   ///< top-level groups only
    BitmapPanel_cls* markButton = nullptr;
};
