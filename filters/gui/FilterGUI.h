// The panel controller of a filter: builds and owns the filter's bound-widget panel (header
// row with the enable box and the open button, the kind's rows, the transform rows), its
// callbacks, the collapse state and the selection colouring. One subclass per kind.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <wx/string.h>

class ColorCurveBtn_cls;
class FilterBase_cls;
class FilterData_cls;
class MultiInputPanel_cls;
class ParamGroup_cls;
class TexProperty_cls;
class FilterValueTarget_cls;
class wxWindow;

/// Control id of the header row's open button.
constexpr int ID_FILTER_OPEN_BUTTON = 6535;

/// Rows of AddTransformRows (an empty mask means all three).
enum FilterTransformRows { FILTER_ROW_T = 1, FILTER_ROW_R = 2, FILTER_ROW_S = 4 };

/// What a panel asks of the program around it; set by the page before Build.
struct FilterGUIHooks {
    /// Select `filter` in all lists; `clearParams` also clears the parameter selection.
    std::function<void(FilterBase_cls* filter, bool clearParams)> selectFilter;
    /// Queue a command-bus id (ID_REDRAW_VIEWS, ID_PAGES_RELAYOUT, ...) to the main frame.
    std::function<void(int id)> postCommand;
    /// Ask for a new name (current name given); "" cancels.
    std::function<wxString(const wxString& current)> askName;
    /// Tell the user why something was refused (a message box in the program).
    std::function<void(const wxString& message)> reportError;
    /// Edit `record` in the texture editor under `title` (a filter with a texture record
    /// became the selected one).
    std::function<void(TexProperty_cls* record, const wxString& title, FilterValueTarget_cls* list)> loadTexture;
    /// Open the CopyBox kind's shear dialog for `filter` (tests replace it).
    std::function<void(FilterBase_cls* filter)> showShearDialog;
    /// Ask for a file to open: (message, wildcard) -> path, "" on Cancel. Empty: the
    /// shared file dialog.
    std::function<wxString(const wxString& message, const wxString& wildcard)> chooseFile;
};

/// GUI thread only. The panel window is a child of the page; the page destroys it.
class FilterGUI_cls {
public:
    explicit FilterGUI_cls(FilterBase_cls* filter);
    virtual ~FilterGUI_cls();
    FilterGUI_cls(const FilterGUI_cls&) = delete;
    FilterGUI_cls& operator=(const FilterGUI_cls&) = delete;

    /// Builds the panel as a child of `page` (the page puts it into its sizer), collapsed
    /// when FilterGUIOpen is 0, coloured by the selected flag.
    void Build(wxWindow* page, const FilterGUIHooks& hooks);

    /// The header row: group of the enable box and the "[+]<label>" open button. Returns
    /// the new panel (also kept as Panel()).
    MultiInputPanel_cls* CreateHeaderPanel(wxWindow* page, const wxString& label);
    /// T, R, S rows (by `mask`, 0 = all) bound to the groups' current values; returns the
    /// item indices of the rows' group headers.
    std::vector<int> AddTransformRows(MultiInputPanel_cls* panel, FilterData_cls* data, int mask);
    /// One x, y, z row labelled `label` bound to the current values of `group`.
    int AddVectorRow(MultiInputPanel_cls* panel, ParamGroup_cls* group, const wxString& label);
    /// The five standard callbacks (value changed, open button, label click, custom click,
    /// check box).
    void ConnectPanelCallbacks(MultiInputPanel_cls* panel);
    /// Expands or collapses the rows after the header; FilterGUIOpen follows.
    void ToggleOpen();
    /// The open button shows the filter's name.
    void UpdateHeaderLabel();
    /// Panel background by the selected flag: (240, 230, 180) selected, "LIGHT BLUE" not.
    void ShowSelection();
    /// Every control shows its variable again, and the header its name.
    void RefreshWidgets();
    /// Asks for a new name and renames the filter through the history.
    void AskRename();
    /// The filter's texture record (Object and Stick kinds), or null.
    virtual TexProperty_cls* TextureRecord() { return nullptr; }

    MultiInputPanel_cls* Panel() const { return panel_; }
    FilterBase_cls* Filter() const { return filter_; }
    const FilterGUIHooks& Hooks() const { return hooks_; }

protected:
    /// The kind's rows after the header (pattern: settings, then transform rows).
    virtual void BuildRows() = 0;
    /// After the controls exist (a kind's own control settings).
    virtual void AfterBuild() {}
    /// Shows, hides and enables the kind's rows by its settings (kinds whose rows depend
    /// on their choices); called when the panel opens and when its widgets are refreshed.
    virtual void RefreshRows() {}
    /// Item indices of the header items of the rows tinted x, y, z.
    std::vector<int> xyzRows_;
    void Post(int id) const;

    FilterBase_cls* filter_;
    MultiInputPanel_cls* panel_ = nullptr;
    FilterGUIHooks hooks_;
    int groupCount2_ = 2;
    int groupCount3_ = 3;
};

/// Colour button on colour record `index` of `filter`'s data; colour commands find the record
/// again by the filter's list and name, so they outlive a deleted and restored filter.
/// `checkArea`: the left 20 pixels switch between constant colour and curve (the BG sky's
/// colour; the kinds that use only one colour of the record have no such area).
ColorCurveBtn_cls* MakeFilterColorButton(wxWindow* parent, FilterBase_cls* filter, int index, bool checkArea);

/// The panel controller of `filter`'s kind, or null for a kind without one.
std::unique_ptr<FilterGUI_cls> MakeFilterGUI(FilterBase_cls* filter);
