// The bound-widget editor panel: a wxPanel holding rows of bound items, committing them
// on Enter, Space, clicks and slider moves, and handing other keys to the main window.
#pragma once

#include <wx/panel.h>

#include "common/gui/MultiInputBase.h"

class MultiInputDialog_cls;

class MultiInputPanel_cls : public wxPanel, public MultiInputBase_cls {
public:
    /// `ownerSlot`: where the owner keeps its pointer to the panel (the callbacks' default
    /// context). Name "panel", simple border, tab traversal, the editors' font.
    MultiInputPanel_cls(void* ownerSlot, wxWindow* parent, wxWindowID id = wxID_ANY,
                        const wxPoint& pos = wxDefaultPosition,
                        const wxSize& size = wxDefaultSize);
    ~MultiInputPanel_cls() override;

    /// Builds every row and control and makes the item sizer the panel's sizer. Once.
    void BuildControls();
    /// BuildControls, then adds the panel to `sizer` (proportion 0, wxALL, border 2);
    /// nothing is added when `sizer` is null.
    void CreateAndAddToSizer(wxSizer* sizer);
    /// Minimum width of the closing spacer; lays the panel out again.
    void SetSpacerWidth(int width);
    /// Sets every slider item to 0 and back, which repaints it.
    void RefreshSliders();

    /// The dialog that wraps this panel, or null for a stand-alone panel.
    MultiInputDialog_cls* ownerDialog = nullptr;

protected:
    void ConnectButton(wxWindow* window, int id) override;
    void ConnectClick(wxWindow* window, int id) override;
    void ConnectCheckBox(wxWindow* window, int id) override;
    void ConnectComboBox(wxWindow* window, int id) override;
    void ConnectSlider(wxWindow* window, int id) override;

private:
    void OnChar(wxKeyEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnMouse(wxMouseEvent& event);

    bool built_ = false;
};

/// Creates a panel (id -1, default position) on `parent`, stores it into `*slot` (when
/// `slot` is not null; the slot is also the panel's owner slot) and returns it.
MultiInputPanel_cls* CreateMultiInputPanel(MultiInputPanel_cls** slot, wxWindow* parent);
