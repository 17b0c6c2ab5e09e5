// The "Stereogram Configure" dialog and its controller: camera setting, stereogram type,
// file output, toe-in angle, eye distance and the focus distance they give.
#pragma once

#include <wx/bitmap.h>

#include "common/gui/DialogControl.h"

class MultiInputPanel_cls;
class StereoGram_cls;
class StereoGramGUI_cls;

constexpr int ID_STEREO_SET_DEFAULT = 6533;
constexpr int ID_STEREO_CLOSE = 6534;

/// Created once by the central object with the main frame; the dialog is made at once and
/// hidden. GUI thread only.
class StereoGramControl_cls : public DialogControl_cls {
public:
    StereoGramControl_cls(wxWindow* frame, StereoGram_cls* stereo, const wxBitmap& icon = wxBitmap());
    /// Destroys the dialog; call it while the parent frame still lives.
    ~StereoGramControl_cls() override;

    void CreateGUI(wxWindow* frame) override;
    /// Recomputes the focus distance at the current scene time and refreshes the dialog.
    void UpdateGUI(bool full) override;
    /// ID_STEREOGRAM_CONFIG: shows the dialog with the items of the current setting.
    void Show(wxWindow* frame) override;
    /// The eye-distance track is shown exactly while stereo is on.
    void SyncEyeParam();

    StereoGram_cls* stereo;               ///< not owned
    wxWindow* frame;                      ///< command target, not owned
    wxBitmap icon;
    StereoGramGUI_cls* gui = nullptr;     ///< the dialog, a child of the frame
};

class StereoGramGUI_cls : public wxDialogEXKey {
public:
    StereoGramGUI_cls(StereoGramControl_cls* owner, wxWindow* frame, const wxPoint& pos, const wxSize& size);
    ~StereoGramGUI_cls() override;

    /// Shows the items the camera setting and type use, then lays the dialog out again.
    void UpdateShownItems();
    /// Every control from its value (the eye distance from its curve at the current time).
    void RefreshItems();
    /// A combo box changed its value: "LINE BY LINE" with "Combined" is refused (the choice
    /// is undone after a warning).
    void OnSelectChanged();
    /// After any combo use: focus, shown items, eye track, views redrawn.
    void OnSelect();
    /// After a commit: keys a changed eye distance at the current time.
    void OnCommitted();
    void OnSetDefault(wxCommandEvent& event);
    void OnClose(wxCommandEvent& event);

    StereoGramControl_cls* owner;
    MultiInputPanel_cls* panel = nullptr;
    wxString focusText;  ///< "Distance to Focus" as shown ("infinite" for parallel eyes)
    int typeItem = -1, fileItem = -1, toeInItem = -1, parallaxItem = -1, focusItem = -1;
};
