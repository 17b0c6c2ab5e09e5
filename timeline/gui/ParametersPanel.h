// One component row of the lower panel: time-dependence toggle, previous/next key arrows,
// the key-at-current-time check box and the parameter's key strip.
#pragma once

#include "timeline/ParamViews.h"

#include <wx/panel.h>

class BitmapPanel_cls;
class Parameter_cls;
class ParamTL_cls;
class wxBitmapButton;
class wxCheckBox;

/// Refreshes the strips' shared time geometry from the time model and the rows' copy of
/// the current time; the lower panel runs it on every time refresh. GUI thread.
void SyncTimelineGeometry();

/// GUI thread only. The parameter (may be null: disabled controls) is not owned.
class ParametersPanel_cls : public wxPanel, public ParamRowView_cls {
public:
    ParametersPanel_cls(Parameter_cls* parameter, wxWindow* parent, bool shown,
                        const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(-1, 16),
                        wxWindowID id = wxID_ANY);
    ~ParametersPanel_cls() override;

    // ParamRowView_cls
    void ShowRow(bool show) override { Show(show); }
    void UpdateState() override;
    void DestroyRow() override;

    /// Toggle state := "timeDepend=" (0 without a parameter), repainted.
    void UpdateTimeDependToggle();
    /// Shows `state` in the toggle at once.
    void SetToggleState(int state);
    /// Flips the check box and runs its click (key at the current time, or its removal).
    void ToggleKey();

    void OnPrevKey(wxCommandEvent& event);
    void OnNextKey(wxCommandEvent& event);
    void OnKeyCheck(wxCommandEvent& event);
    void OnTimeDependToggle(wxMouseEvent& event);

    /// The current normalised time shared by all rows.
    static double sharedTime;

    Parameter_cls* parameter;
    ParamTL_cls* strip = nullptr;
    BitmapPanel_cls* timeToggle = nullptr;
    wxBitmapButton* prevButton = nullptr;
    wxBitmapButton* nextButton = nullptr;
    wxCheckBox* keyCheck = nullptr;

private:
    void OnPaint(wxPaintEvent& event);
    void OnKey(wxKeyEvent& event);
    void OnStripMouse(wxMouseEvent& event);
};
