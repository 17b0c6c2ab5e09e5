// The preferences' settings: the mouse bindings of the views (two templates), the
// performance keys, and the matching of a mouse state against the bindings.
#pragma once

#include <wx/string.h>

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"
#include "view/MouseBindings.h"

/// Bit of a binding in the result of PreferenceSettings_cls::GesturesFor: 1 << PrefBinding.
constexpr unsigned PrefGestureBit(int binding) { return 1u << binding; }

/// One row of the mouse-settings table, in registration (and line) order.
struct PrefMouseKey {
    const char* key;          ///< settings key, with its "="
    int kind;                 ///< 0 button, 1 modifiers (3 bools), 2 invert flag, 3 emulation
    int binding;              ///< PrefBinding of kinds 0 to 2; -1 for the emulation
    const char* defaults[2];  ///< default text of template 0 "Defalut" and 1 "Blender Like"
};
/// The fifteen mouse keys.
extern const PrefMouseKey kPrefMouseKeys[15];
constexpr int kPrefMouseKeyCount = 15;
constexpr int kPrefTemplateCount = 2;

/// Holds the preference items; GUI thread only (the views read the values while painting,
/// also on the GUI thread).
class PreferenceSettings_cls : public MouseBindings_cls {
public:
    /// Builds the items, applies template 0 and registers the performance items.
    PreferenceSettings_cls();
    ~PreferenceSettings_cls() override = default;
    PreferenceSettings_cls(const PreferenceSettings_cls&) = delete;
    PreferenceSettings_cls& operator=(const PreferenceSettings_cls&) = delete;

    /// Empties the mouse group and registers the fifteen mouse items again with the defaults
    /// of template `index` (0 "Defalut", 1 "Blender Like"; any other index is taken as 0),
    /// which sets every value. Not undoable.
    void ApplyMouseTemplate(int index);
    /// Empties the performance group and registers "PREF_SORT_TYPE=" ("0") and
    /// "PREF_USE_FBO=" ("1").
    void RegisterPerformanceItems();

    /// Offers a project line to the mouse group, then to the performance group.
    void ReadConfig(const wxString& line);
    /// The mouse group's lines followed by the performance group's (CR LF each).
    wxString WriteConfig() const;

    /// Applies middle-button emulation to `state`: with e = "GUI_MBUTTON_EMULATE=" below 3,
    /// when the left button and modifier e are held, left counts as up and middle as down;
    /// then modifier e counts as not held. Element 3 of both arrays is forced false.
    void ReleaseEmulatedButton(PrefMouseState& state) const override;
    /// True when binding `binding`'s button is held and its modifiers match the state's
    /// (after emulation): for gyration, centre, item and selection the emulation
    /// modifier's flag counts as 0; for zoom and menu all three flags count as stored.
    bool MatchBinding(int binding, const PrefMouseState& state) const override;
    /// The menu binding's button is down and the three "GUI_MENU_MOD=" flags equal the
    /// held modifiers (no emulation applied here).
    bool IsMenuBindingActive(const bool modifiers[3], const bool buttons[3]) const;
    /// Applies emulation to a copy of `raw` and returns the PrefGestureBit of every
    /// binding that matches.
    unsigned GesturesFor(const PrefMouseState& raw) const;

    // Readers of the values.
    unsigned Button(int binding) const { return button_[binding].value; }
    const bool* Modifiers(int binding) const { return modifier_[binding].values; }
    bool ZoomInvert() const override { return zoomInvert_.value; }
    bool GyrationInvert() const override { return gyrationInvert_.value; }
    /// "GUI_MBUTTON_EMULATE=": 0 Shift, 1 Ctrl, 2 Alt, 3 none.
    unsigned Emulation() const { return emulate_.value; }
    /// "PREF_SORT_TYPE=": 0 precise, 1..3 approximate 10, 100, 1000.
    unsigned SortType() const { return sortType_.value; }
    /// The depth sort's block size of SortType(): 1, 10, 100 or 1000.
    int SortBlockSize() const;
    /// "PREF_USE_FBO=": non-zero draws each view through an off-screen buffer.
    bool UseFBO() const { return useFBO_.value != 0; }

    ConfItemGroup_cls& MouseGroup() { return mouseGroup_; }
    ConfItemGroup_cls& PerformanceGroup() { return performanceGroup_; }

    // Bound variables of the editor pages (stable addresses for the life of the object).
    unsigned* ButtonValue(int binding) { return &button_[binding].value; }
    bool* ModifierValue(int binding, int modifier) { return &modifier_[binding].values[modifier]; }
    bool* ZoomInvertValue() { return &zoomInvert_.value; }
    bool* GyrationInvertValue() { return &gyrationInvert_.value; }
    unsigned* EmulationValue() { return &emulate_.value; }
    unsigned* SortTypeValue() { return &sortType_.value; }
    unsigned* UseFBOValue() { return &useFBO_.value; }

private:
    ConfItemGroup_cls mouseGroup_;
    ConfItemUINT_cls button_[PREF_BINDING_COUNT];
    ConfItemBOOLARRAY_cls modifier_[PREF_BINDING_COUNT];
    ConfItemBOOL_cls zoomInvert_;
    ConfItemBOOL_cls gyrationInvert_;
    ConfItemUINT_cls emulate_;
    ConfItemGroup_cls performanceGroup_;
    ConfItemUINT_cls sortType_;
    ConfItemUINT_cls useFBO_;
};

/// Number of ASCII reader workers of the snapshot body reader; edited on the preferences'
/// Performance page (1 to 64), initial value 4. GUI thread writes; readers take it when
/// they start.
extern int GiDataIOThreads;
/// GiDataIOThreads limited to 1..64, the value the body reader should use.
int DataIOThreadCount();
