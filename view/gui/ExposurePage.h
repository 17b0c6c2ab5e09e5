// The "Exposure" page of the upper panel's option notebook: levels, gamma, hue and
// saturation of the view images, with a "Default" button.
#pragma once

#include <memory>

class ExposureSettings_cls;
class MultiInputPanel_cls;
class wxSizer;
class wxWindow;

/// Page record owned by its ExposureSettings_cls; the panel is a child of `parent`.
/// GUI thread only.
class ExposurePage_cls {
public:
    ExposurePage_cls(ExposureSettings_cls* settings, wxWindow* parent);
    ~ExposurePage_cls();

    /// Builds the panel into `sizer` (may be null); the panel stays disabled until the
    /// exposure shader is known to work.
    void CreateControls(wxSizer* sizer);
    /// Enables the item panel exactly when `available`.
    void EnableByShader(bool available);
    /// Refreshes every item from its variable.
    void RefreshAll();
    /// "Default": one undo block of five value commands back to the neutral values.
    void OnDefault();

    int defaultItem = -1;  ///< index of the "Default" button item
    ExposureSettings_cls* settings;
    wxWindow* parent;
    MultiInputPanel_cls* panel = nullptr;
    int levelItem = -1, gammaItem = -1, hueItem = -1, saturationItem = -1;

private:
    /// Lives as long as this record: the panel's callbacks hold it weakly, because the panel
    /// (a window of the parent) may outlive the record.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

