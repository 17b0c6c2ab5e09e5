// One bound-widget item: a label and a control bound to one variable, with the commit
// that writes the control's value back (directly or as an undoable command pair).
#pragma once

#include <cstdint>
#include <vector>

#include <wx/bitmap.h>
#include <wx/string.h>

class wxWindow;
class wxSizer;
class wxStaticText;
class FilterValueTarget_cls;

/// Item kinds: what the variable is and which control edits it.
enum MultiInputKind {
    MI_INT_TEXT = 1,        ///< int, integer entry
    MI_INT_SPIN = 2,        ///< int, spin control
    MI_INT_SLIDER = 3,      ///< int, slider (position = value)
    MI_FLOAT_TEXT = 4,      ///< float, number entry
    MI_FLOAT_SLIDER = 5,    ///< float, slider (position = value x digits)
    MI_DOUBLE_TEXT = 6,     ///< double, number entry
    MI_DOUBLE_SLIDER = 7,   ///< double, slider (position = value x digits)
    MI_CHECKBOX = 8,        ///< bool (one byte), check box
    MI_INT_DISPLAY = 9,     ///< int, shown when built, never committed
    MI_COMBO = 10,          ///< unsigned index into the item's choices
    MI_UINT_SPIN = 11,      ///< unsigned, spin control
    MI_STRING_TEXT = 12,    ///< wxString, text entry
    MI_DUAL_SLIDER = 13,    ///< two consecutive doubles (low, high), range slider
    MI_ICON_SELECTOR = 14,  ///< unsigned index, icon strip
    MI_CUSTOM = 15,         ///< the variable pointer is the caller's own control window
    MI_STATIC_TEXT = 16,    ///< wxString or none, a label
    MI_BUTTON = 40,         ///< unbound button
    MI_GROUP = 60,          ///< group header; the int at the variable counts its members
};

/// How a commit writes the variable.
enum MultiInputCommitMode {
    MI_COMMIT_DIRECT = 0,  ///< store into the variable
    MI_COMMIT_UNDO = 1,    ///< push and run a CommandSetValue_cls pair (new, old)
    MI_COMMIT_FILTER = 2,  ///< push and run a pair made by the filter context by address
};

/// Keys of the panel's notifier callbacks (key 3 is never dispatched).
enum MultiInputEventKey {
    MIE_SELECT = 0,            ///< a combo box or icon strip reported a selection; payload the wx event
    MIE_LABEL_CLICK = 1,       ///< a mouse event on the panel or a label; payload the wx mouse event
    MIE_COMMITTED = 2,         ///< after one item's commit; payload the MultiInputItem_cls
    MIE_CHECKBOX_CHANGED = 4,  ///< a check box click changed its variable; payload the wx event
    MIE_SELECT_CHANGED = 5,    ///< a combo or icon strip changed its variable; payload the wx event
    MIE_BUTTON = 6,            ///< a button item was clicked; payload the wx event
    /// A commit changed a variable (and every thumb release); payload int* holding the item
    /// index (-3 on the commit-all road).
    MIE_VALUE_CHANGED = 8,
    MIE_CLICK = 9,             ///< mouse down on an MI_CUSTOM control; payload the wx mouse event
};

/// The item record, kept by value in the panel's item list. The owner keeps the bound
/// variable (and icon vector, and custom control) alive at the same address for as long
/// as the panel lives; in MI_COMMIT_UNDO mode as long as the history's steps, too.
/// GUI thread only.
class MultiInputItem_cls {
public:
    wxString label;                     ///< "" by default
    wxStaticText* labelControl = nullptr;  ///< the row's label, null for none / group members
    int kind = 0;                       ///< MultiInputKind
    int controlId = -1;                 ///< window id of the control once built (buttons: given id)
    uint32_t updateFlags = 0;           ///< UPD_* bits raised by the commands of a commit
    int commitMode = MI_COMMIT_UNDO;    ///< MultiInputCommitMode
    FilterValueTarget_cls* filterContext = nullptr;  ///< MI_COMMIT_FILTER target list
    int labelWidth = 40;                ///< pixels
    int controlWidth = -1;              ///< pixels; -1 stretches along the row
    void* variable = nullptr;           ///< bound variable (type by kind); null when unbound
    wxWindow* control = nullptr;        ///< the control once built (null for a group header)
    wxSizer* row = nullptr;             ///< the row the control sits in (a group header's own row)
    bool enabled = true;                ///< enabled state given to the control when built
    double minimum = 0, maximum = 0;    ///< both 0: no range applied (sliders take them anyway)
    int digits = 1;                     ///< slider positions per unit of value (0 is taken as 1)
    std::vector<wxString> choices;      ///< MI_COMBO choice texts
    const std::vector<wxBitmap>* icons = nullptr;  ///< MI_ICON_SELECTOR images, owner's vector
    bool inGroup = false;               ///< member of a group
    int groupIndex = 0;                 ///< index of the group header when inGroup
    int alignment = 0;                  ///< 1: right-aligned row

    /// Sets kind, variable, label and enabled flag; clears the group membership.
    void Bind(int kind, void* variable, const wxString& label, bool enabled);
    /// The same for an item without a variable whose control takes `id` (-1: any).
    void BindUnbound(int id, const wxString& label, int kind, bool enabled);
    /// Label width, and the control width: `comboWidthInGroup` for a combo added while a
    /// group is open (`membersToCome` > 0), else `defaultControlWidth`.
    void SetWidths(int membersToCome, int labelWidth, int comboWidthInGroup,
                   int defaultControlWidth);
    /// Stores the range (slider items: in positions) and digits; used when built.
    void SetRange(double minimum, double maximum, int digits);

    /// A group header's row: a horizontal sizer with the label (when not empty); returned
    /// and kept in `row` (the header's control).
    wxSizer* BuildGroupRow(wxWindow* panel);
    /// The row of an item outside a group: a horizontal sizer with the label unless the
    /// item is a button or its label is empty; returned and kept in `row`.
    wxSizer* BuildRow(wxWindow* panel);
    /// Enables the built control by `enabled`, adds it to `row` (stretching when the
    /// control width is -1; right-aligned for alignment 1) and records its id.
    void PlaceControl();
    /// Builds the control on `parent` (not for a group header). Returns it, or null.
    wxWindow* BuildControl(wxWindow* parent);
    /// Applies minimum/maximum/digits to the built control, unless both are 0.
    void ApplyRange();

    /// Compares the control with the variable and, when they differ, writes the variable by
    /// the commit mode. True when written. Untouched controls never commit: an entry reads
    /// back exactly the value it was given, and a slider (or range slider) still at what
    /// the item last set counts as unchanged, even when the variable lies between two
    /// slider positions.
    bool Commit();
    /// Sets the control from the variable when they differ.
    void UpdateControl();

    /// Enables or shows the control (not a group header's) and the label control.
    void Enable(bool on);
    void Show(bool on);

    /// The control window for kinds 1 to 16 and 40, else null.
    wxWindow* GetControl() const;
    /// The variable read as unsigned for kinds 1, 2, 3, 9, 10, 11, 14; else 0.
    unsigned GetIntValue() const;
    /// The variable of a check box item, else false.
    bool GetBoolValue() const;
    /// The variable's text for kinds 12 and 16, else "".
    wxString GetText() const;

    /// True for the kinds whose control a commit reads.
    bool IsCommitted() const;
    /// True for the slider kinds (3, 5, 7, 13).
    bool IsSlider() const;

private:
    void RememberShown();
    bool ControlUntouched() const;

    int shownPosition_ = 0;    ///< slider position as last set from (or committed to) the variable
    double shownLow_ = 0, shownHigh_ = 0;  ///< range slider values as last set
};
