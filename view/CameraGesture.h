// The camera gestures of a view: orbit about the pivot, pan together with the pivot, and
// dolly by drag or wheel (on the axis views: the orthographic scale instead).
#pragma once

#include "view/MouseMove.h"

class GLCamera_cls;
class GLCameraPose_cls;
class MouseBindings_cls;

/// Gesture state of one view. GUI thread only.
class CameraGesture_cls {
public:
    /// `bindings` (the invert flags) may be null and must outlive the gesture.
    explicit CameraGesture_cls(const MouseBindings_cls* bindings = nullptr) : preferences(bindings) {}

    /// Takes one step's values: speed, move, client size (aspect w / h; 1 for a view
    /// without area) and camera choice (1..6 are the axis views).
    void Init(double speed, const MouseMove_cls& move, int w, int h, int choice);
    bool IsAxisView() const { return choice >= 1 && choice <= 6; }

    /// Orbits `camera` about its pivot by the move (negated with GUI_GYRATION_INVERT).
    bool Orbit(GLCamera_cls& camera);
    /// Pans `camera` by the move at a speed of half its pivot depth, and moves `pose` (the
    /// pivot) by the same, so the pivot stays where it is on screen.
    bool Pan(GLCamera_cls& camera, GLCameraPose_cls& pose);
    /// Dolly by the move: axis views scale `orthoScale` by (dy + 1) - 0.2 dx, other views
    /// scale the camera's distance to the pivot by the same factor.
    bool DragZoom(GLCamera_cls& camera, double& orthoScale);
    /// Dolly by wheel steps: factor 1 + 0.1 steps (positive steps move away). The factor is
    /// kept at 0.1 or more: a burst of steps towards the pivot would otherwise put the
    /// camera on the pivot (where it can never zoom out again) or through it.
    bool WheelZoom(GLCamera_cls& camera, int steps, double& orthoScale);

    /// The distance factor of `steps` wheel steps (after the invert flag).
    static double WheelFactor(int steps);

    const MouseBindings_cls* preferences;
    double speed = 1.0;
    double aspect = 1.0;
    MouseMove_cls move;
    int choice = 0;
};
