// Camera gestures.
#include "view/CameraGesture.h"

#include <algorithm>
#include <cmath>

#include "common/GLCamera.h"
#include "view/MouseBindings.h"

void CameraGesture_cls::Init(double s, const MouseMove_cls& m, int w, int h, int c) {
    speed = s;
    move = m;
    aspect = (w > 0 && h > 0) ? double(w) / double(h) : 1.0;
    choice = c;
}

bool CameraGesture_cls::Orbit(GLCamera_cls& camera) {
    MouseMove_cls m = move;
    if (preferences && preferences->GyrationInvert()) {
        m.x0 = -m.x0, m.y0 = -m.y0, m.x1 = -m.x1, m.y1 = -m.y1;
    }
    camera.SetSpeed(1.0);
    camera.Orbit(m.x0, m.y0, m.x1, m.y1);
    return true;
}

bool CameraGesture_cls::Pan(GLCamera_cls& camera, GLCameraPose_cls& pose) {
    const double dx = move.DeltaX(), dy = move.DeltaY();
    const double s = camera.PivotDepth() * speed * 0.5;
    camera.SetSpeed(s);
    camera.SetAspectFactor(aspect);
    camera.Pan(dx, dy, 3, nullptr);
    // The pivot rides along: a camera standing at the pivot with the same frame pans by
    // the same amount.
    GLCamera_cls aux(pose, camera.frame);
    aux.SetPivot(camera.pose.position);
    aux.SetSpeed(s);
    aux.SetAspectFactor(aspect);
    aux.Pan(dx, dy, 3, nullptr);
    for (int k = 0; k < 3; ++k) pose.position[k] = aux.pose.position[k];
    return true;
}

bool CameraGesture_cls::DragZoom(GLCamera_cls& camera, double& orthoScale) {
    double dx = move.DeltaX(), dy = move.DeltaY();
    if (preferences && preferences->ZoomInvert()) dx = -dx, dy = -dy;
    if (IsAxisView()) {
        orthoScale *= (dy + 1.0) - 0.2 * dx;
    } else {
        camera.SetSpeed(1.0);
        camera.Zoom(dx, dy);
    }
    return true;
}

double CameraGesture_cls::WheelFactor(int steps) {
    return std::max(0.1, 1.0 + 0.1 * steps);
}

bool CameraGesture_cls::WheelZoom(GLCamera_cls& camera, int steps, double& orthoScale) {
    if (preferences && preferences->ZoomInvert()) steps = -steps;
    const double f = WheelFactor(steps);
    if (IsAxisView()) {
        orthoScale *= f;
    } else {
        camera.SetSpeed(1.0);
        camera.Zoom(0.0, f - 1.0);
    }
    return true;
}
