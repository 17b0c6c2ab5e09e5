// The mouse bindings of the views as the navigation reads them: which button and modifiers
// start which action. The preferences implement this interface; the views hold a pointer.
#pragma once

/// The six mouse bindings, in registration order.
enum PrefBinding {
    PREF_GYRATION = 0,  ///< rotate the view
    PREF_ZOOM,          ///< zoom
    PREF_CENTER,        ///< move the view centre
    PREF_ITEM,          ///< move an item
    PREF_MENU,          ///< pop-up menu
    PREF_HITTEST,       ///< item selection
    PREF_BINDING_COUNT
};

/// Values of a binding's button item ("GUI_GYRATION=" ...).
enum PrefButton { PREF_BTN_LEFT = 0, PREF_BTN_MIDDLE = 1, PREF_BTN_RIGHT = 2, PREF_BTN_NONE = 3 };
/// Modifier indices of the modifier arrays and of "GUI_MBUTTON_EMULATE=" (3: no emulation).
enum PrefModifier { PREF_MOD_SHIFT = 0, PREF_MOD_CTRL = 1, PREF_MOD_ALT = 2, PREF_MOD_NONE = 3 };

/// A mouse state: Shift, Ctrl, Alt held and left, middle, right buttons held; element 3
/// of both is always false, so a binding to button 3 ("Not Assigned") never matches.
struct PrefMouseState {
    bool modifiers[4] = {false, false, false, false};
    bool buttons[4] = {false, false, false, false};
};

/// What the mouse navigation asks of the bindings. GUI thread only.
class MouseBindings_cls {
public:
    virtual ~MouseBindings_cls() = default;
    /// Applies middle-button emulation to `state` (left + the emulation modifier counts as
    /// middle, and that modifier as not held).
    virtual void ReleaseEmulatedButton(PrefMouseState& state) const = 0;
    /// True when binding `binding` (PrefBinding) matches the state (after emulation).
    virtual bool MatchBinding(int binding, const PrefMouseState& state) const = 0;
    /// "GUI_ZOOM_INVERT=": the drag zoom and the wheel run the other way.
    virtual bool ZoomInvert() const = 0;
    /// "GUI_GYRATION_INVERT=": the orbit runs the other way.
    virtual bool GyrationInvert() const = 0;
};
