// The "Data Loader" dialog: the loader's settings, the periodic boundary choice, and the
// opening of a numbered snapshot sequence.
#pragma once

#include "common/gui/DialogEXKey.h"
#include "data/gui/GrammerBaseGUI.h"

class DataLoader_cls;
class MultiInputPanel_cls;
class MenuCommandPoster_cls;

/// Control ids of the dialog.
constexpr int ID_LOADER_OPEN_SEQUENCE = 6500;
constexpr int ID_LOADER_DEFAULT = 6505;
constexpr int ID_LOADER_BOUNDARY_SIZE = 6506;

/// The loader's dialog, a modeless child of the main frame, built on first show and then
/// only shown and hidden. Its grammar editor's lists are applied to the loader's grammar by
/// "Open File Sequence" and when a combo box of the settings panel is used. Bound controls change the loader's values through undoable
/// commands. GUI thread only.
class DataLoaderGUI_cls : public wxDialogEXKey, public GrammerBaseGUI_cls {
public:
    /// `mainFrame` is the parent and gets the dialog's command posts through `poster`
    /// (usually the same object; may be null).
    DataLoaderGUI_cls(wxWindow* mainFrame, MenuCommandPoster_cls* poster, DataLoader_cls* loader);
    /// Clears the program's loader's (`GpDataLoader`) `gui` when it still names this dialog.
    ~DataLoaderGUI_cls() override;

    /// Rebuilds the settings panel's controls from the loader's values.
    void UpdateControls();
    /// "Periodic Boundary Condition" + "[ON]" or "[OFF]" by the periodic type.
    wxString UpdatePeriodicCaption();

    /// "Open File Sequence": checks the body grammar, asks for the first file, loads it.
    void OnOpenFileSequence(wxCommandEvent& event);
    /// "Default": the grammar's lists back to default after a question; the transforms
    /// are reset whatever the answer.
    void OnDefault(wxCommandEvent& event);
    /// Ctrl+O opens a project (the main menu's "Open Project").
    void OnKeyDown(wxKeyEvent& event);

    MultiInputPanel_cls* settingsPanel = nullptr;  ///< label width 90
    MultiInputPanel_cls* periodicPanel = nullptr;  ///< label width 100; null without a boundary

private:
    void BuildSettingsPanel(wxSizer* sizer);
    void BuildPeriodicPanel(wxSizer* sizer);
    /// "Boundary Size": the main frame opens the periodic boundary dialog.
    void PostBoundarySize();

    MenuCommandPoster_cls* poster_;
    DataLoader_cls* loader_;
    int translateMembers_ = 3;
    int valueMembers_ = 2;
};
