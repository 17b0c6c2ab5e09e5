// The mouse state one view keeps between events: buttons, modifiers, positions, the kind of
// the last event and the wheel steps, and the matching of that state against the bindings.
#pragma once

#include "view/MouseBindings.h"

/// One mouse event as the canvas hands it over (client pixels, y downwards).
struct MouseEventInfo {
    bool shift = false, ctrl = false, alt = false;
    bool left = false, middle = false, right = false;  ///< buttons held after the event
    int x = 0, y = 0;
    bool buttonDown = false;  ///< a button press (double-clicks count as presses)
    bool buttonUp = false;    ///< a button release
    bool motion = false;      ///< a motion event
    bool wheel = false;       ///< a wheel event
    int wheelRotation = 0;    ///< the event's wheel rotation (GTK smooth scrolling: fractions)
    int wheelDelta = 120;     ///< rotation of one whole step
};

/// Mouse state of one view. GUI thread only.
class MouseTracker_cls {
public:
    /// `bindings` may be null (then nothing matches) and must outlive the tracker.
    explicit MouseTracker_cls(const MouseBindings_cls* bindings = nullptr) : preferences(bindings) {}

    /// Copies the event, applies the bindings' middle-button emulation, and works out the
    /// event flags. Wheel rotation is accumulated across events: GTK's smooth scrolling
    /// delivers a step in several small parts, each of which alone would truncate to 0
    /// steps; the whole steps are taken and the remainder kept for the next event.
    void Update(const MouseEventInfo& event);

    bool MatchGyration() const { return Match(PREF_GYRATION); }
    bool MatchZoom() const { return Match(PREF_ZOOM); }
    bool MatchCenter() const { return Match(PREF_CENTER); }
    bool MatchItem() const { return Match(PREF_ITEM); }
    bool MatchHitTest() const { return Match(PREF_HITTEST); }
    /// A button went down and the menu binding matches.
    bool IsMenuClick() const { return buttonWentDown && Match(PREF_MENU); }
    /// True when binding `binding` (PrefBinding) matches the current state.
    bool Match(int binding) const;

    bool ButtonWentDown() const { return buttonWentDown; }
    bool ButtonWentUp() const { return buttonWentUp; }
    bool Dragging() const { return dragging; }
    bool Wheel() const { return wheel; }
    int WheelSteps() const { return wheelSteps; }
    /// Left button held (before emulation: the icons react to the real left button).
    bool LeftHeld() const { return rawLeft; }
    bool AnyButtonHeld() const { return state.buttons[0] || state.buttons[1] || state.buttons[2]; }
    /// previous := current position.
    void StorePrevious() {
        prevX = x;
        prevY = y;
    }
    /// Forgets the buttons (a lost capture ends the gesture) and any partial wheel step.
    void ReleaseAll();

    const MouseBindings_cls* preferences;
    PrefMouseState state;  ///< modifiers and buttons after emulation
    int x = 0, y = 0;
    int prevX = 0, prevY = 0;
    int pressX = 0, pressY = 0;
    bool buttonWentDown = false;
    bool buttonWentUp = false;
    bool dragging = false;
    bool wheel = false;
    int wheelSteps = 0;

private:
    bool rawLeft = false;
    int wheelRemainder_ = 0;  ///< rotation not yet amounting to a whole step
};
