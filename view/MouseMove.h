// The move of one gesture step in normalised view coordinates: x from -1 (left) to 1
// (right), y from -1 (bottom) to 1 (top).
#pragma once

class MouseTracker_cls;

/// Plain value. All coordinates single precision, as the gestures take them.
class MouseMove_cls {
public:
    /// The tracker's previous, current and press positions normalised for a w x h client:
    /// x = (2 px - w) / w, y = (h - 2 py) / h. `valid` is false for a view without area
    /// (w or h below 1): such a view has no gesture, and every coordinate is 0.
    static MouseMove_cls FromTracker(const MouseTracker_cls& tracker, int w, int h);
    /// Limits the start to 0.2 of the current position per axis, so one step moves at most
    /// 0.2 on each axis however fast the pointer went.
    void ClampStart();
    float DeltaX() const { return x1 - x0; }
    float DeltaY() const { return y1 - y0; }

    float x0 = 0, y0 = 0;  ///< previous position
    float x1 = 0, y1 = 0;  ///< current position
    float px = 0, py = 0;  ///< press position
    bool valid = false;
};
