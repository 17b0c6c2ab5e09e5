// The views' mouse state and binding matching.
#include "view/MouseTracker.h"

void MouseTracker_cls::Update(const MouseEventInfo& e) {
    const bool moved = e.x != x || e.y != y;
    state = PrefMouseState();
    state.modifiers[PREF_MOD_SHIFT] = e.shift;
    state.modifiers[PREF_MOD_CTRL] = e.ctrl;
    state.modifiers[PREF_MOD_ALT] = e.alt;
    state.buttons[PREF_BTN_LEFT] = e.left;
    state.buttons[PREF_BTN_MIDDLE] = e.middle;
    state.buttons[PREF_BTN_RIGHT] = e.right;
    rawLeft = e.left;
    x = e.x;
    y = e.y;
    buttonWentDown = e.buttonDown;
    buttonWentUp = e.buttonUp;
    if (buttonWentDown) {
        pressX = x;
        pressY = y;
    }
    wheel = e.wheel;
    wheelSteps = 0;
    if (wheel && e.wheelDelta > 0) {
        // Whole steps only; the rest waits for the next part of the same step.
        wheelRemainder_ += e.wheelRotation;
        wheelSteps = wheelRemainder_ / e.wheelDelta;
        wheelRemainder_ -= wheelSteps * e.wheelDelta;
    }
    if (preferences) preferences->ReleaseEmulatedButton(state);
    state.modifiers[3] = false;
    state.buttons[3] = false;
    dragging = e.motion && AnyButtonHeld() && moved;
}

bool MouseTracker_cls::Match(int binding) const {
    return preferences && preferences->MatchBinding(binding, state);
}

void MouseTracker_cls::ReleaseAll() {
    state = PrefMouseState();
    rawLeft = false;
    buttonWentDown = buttonWentUp = dragging = wheel = false;
    wheelSteps = 0;
    wheelRemainder_ = 0;
}
