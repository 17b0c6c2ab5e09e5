// The "Overlay" page of the upper panel's option notebook: the time text and the legends.
#pragma once

#include <functional>
#include <memory>

class MultiInputPanel_cls;
class OverlaySettings_cls;
class wxFont;
class wxSizer;
class wxString;
class wxWindow;

/// Page record owned by its OverlaySettings_cls; the panel is a child window of `parent`.
/// GUI thread only.
class OverlayPage_cls {
public:
    OverlayPage_cls(OverlaySettings_cls* settings, wxWindow* parent);
    ~OverlayPage_cls();

    /// Builds the panel into `sizer` (may be null): groups "Time", "Time Style" and
    /// "Legend", then "Alpha" and "Tics". Every edit is undoable and redraws the views.
    void CreateControls(wxSizer* sizer);
    /// Refreshes every item from its variable.
    void RefreshAll();
    /// MIE_SELECT callback: choosing "Custom" in "Time Style" asks for the face.
    void OnSelect(int controlId);

    /// Asks the user for a font face, starting from `initial`; true with the chosen face in
    /// `face`. Replaceable (tests answer without a dialog); the default shows the font
    /// dialog on `parent`.
    using FontChooser = std::function<bool(wxWindow* parent, const wxFont& initial, wxString& face)>;
    static void SetFontChooser(FontChooser chooser);

    OverlaySettings_cls* settings;
    wxWindow* parent;
    MultiInputPanel_cls* panel = nullptr;
    int familyItem = -1;  ///< the "Time Style" family combo box
    int timePosItem = -1, tagItem = -1, pointItem = -1, legendCheckItem = -1, legendPosItem = -1,
        alphaItem = -1, ticsItem = -1;

private:
    /// The panel's callbacks hold it weakly: the panel may outlive this record.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};
