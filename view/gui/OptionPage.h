// The "Option" page of the upper panel's option notebook: the draw options.
#pragma once

#include <memory>

class DrawOptions_cls;
class MultiInputPanel_cls;
class wxSizer;
class wxWindow;

/// Page record owned by its DrawOptions_cls; the panel is a child window of `parent`.
/// GUI thread only.
class OptionPage_cls {
public:
    OptionPage_cls(DrawOptions_cls* options, wxWindow* parent);
    ~OptionPage_cls();

    /// Builds the panel into `sizer` (may be null) and sets the "Q./Length" enabling.
    void CreateControls(wxSizer* sizer);
    /// Enables the "Q./Length" group exactly when "Shadow=" is not 0.
    void EnableShadowControls();
    /// Refreshes every item from its variable.
    void RefreshAll();
    /// MIE_SELECT callback of every combo box.
    void OnSelect();

    DrawOptions_cls* options;
    wxWindow* parent;
    MultiInputPanel_cls* panel = nullptr;
    int shadowGroupItem = -1;  ///< index of the "Q./Length" group header
    int downSizeSpinItem = -1, downSizeSliderItem = -1, sortItem = -1, classifyItem = -1,
        shadowItem = -1;

private:
    /// Lives as long as this record: the panel's callbacks hold it weakly, because the panel
    /// (a window of the parent) may outlive the record.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

