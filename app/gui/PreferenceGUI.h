// The "Preference" dialog: a notebook with the "Mouse" and "Performance" pages.
#pragma once

#include "common/gui/DialogEXKey.h"

class MultiInputPanel_cls;
class Preference_cls;
class wxNotebook;

/// Notebook id of the dialog.
constexpr int ID_NOTEBOOK_PREFERENCE = 9000;

/// Built hidden by its controller; Esc, Ctrl+W and the close box hide it. Every control
/// commits at once through an undoable value command. GUI thread only.
class PreferenceGUI_cls : public wxDialogEXKey {
public:
    PreferenceGUI_cls(Preference_cls* controller, wxWindow* parent);
    ~PreferenceGUI_cls() override;

    /// Refreshes every control of both pages from the values.
    void RefreshAll();
    /// Default backgrounds for the eighteen modifier boxes, then the tint (216, 191, 191)
    /// on the boxes of the emulation modifier ("GUI_MBUTTON_EMULATE=" 0, 1 or 2).
    void MarkEmulatedModifier();

    /// Index of the modifier box `modifier` of binding `binding` in the Mouse panel.
    int ModifierItem(int binding, int modifier) const { return modifierItem_[binding][modifier]; }
    int ButtonItem(int binding) const { return buttonItem_[binding]; }
    int emulateItem = -1;   ///< "MButton Emulate" in the Mouse panel
    int templateItem = -1;  ///< "Template" in the Mouse panel
    int zoomInvertItem = -1, gyrationInvertItem = -1;
    /// Indices in the Performance panel.
    int criticalItem = -1, nowUsedItem = -1, dataThreadsItem = -1, jpegItem = -1,
        imageThreadItem = -1, sortItem = -1, fboItem = -1;

    Preference_cls* controller;           ///< null once the controller is gone
    wxNotebook* notebook = nullptr;
    MultiInputPanel_cls* mousePanel = nullptr;
    MultiInputPanel_cls* performancePanel = nullptr;

private:
    void BuildMousePage();
    void BuildPerformancePage();
    void OnTemplateSelected();
    void OnEmulateSelected();
    void OnCancel(wxCommandEvent& event);

    int buttonItem_[6] = {-1, -1, -1, -1, -1, -1};
    int modifierItem_[6][3] = {};
};
