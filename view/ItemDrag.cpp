// The gizmo drag of the selected scene object.
#include "view/ItemDrag.h"

#include <cmath>

#include "common/CommandHistory.h"
#include "common/GLCamera.h"
#include "scene/SceneObj.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"

ItemDragState_cls GoItemDrag;

namespace {

bool Finite3(const double v[3]) {
    return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

}  // namespace

void ItemDragState_cls::Publish() const {
    for (int k = 0; k < 3; ++k) {
        GdItemDragPosition[k] = moved[k];
        GdItemDragRotation[k] = rotation[k];
    }
}

void ItemDragState_cls::ResetIncrements() {
    for (int k = 0; k < 3; ++k) {
        rotation[k] = 0.0;
        scale[k] = 1.0;
    }
    Publish();
}

void ItemDrag_cls::Init(double s, const MouseMove_cls& m, int w, int h, int c) {
    speed = s;
    move = m;
    aspect = (w > 0 && h > 0) ? double(w) / double(h) : 1.0;
    choice = c;
}

void ItemDrag_cls::SetMatrices(const double mv[16], const double pr[16], const int vp[4]) {
    for (int i = 0; i < 16; ++i) modelview[i] = mv[i], projection[i] = pr[i];
    for (int i = 0; i < 4; ++i) viewport[i] = vp[i];
    matricesRecorded = vp[2] > 0 && vp[3] > 0;
}

bool ItemDrag_cls::ProjectPoint(const double p[3], double win[3]) const {
    if (projector) return projector(p, win) && Finite3(win);
    if (!matricesRecorded) return false;
    double e[4], c[4];
    for (int r = 0; r < 4; ++r)
        e[r] = modelview[r] * p[0] + modelview[4 + r] * p[1] + modelview[8 + r] * p[2] + modelview[12 + r];
    for (int r = 0; r < 4; ++r)
        c[r] = projection[r] * e[0] + projection[4 + r] * e[1] + projection[8 + r] * e[2] + projection[12 + r] * e[3];
    if (c[3] == 0.0 || !std::isfinite(c[3])) return false;
    win[0] = viewport[0] + viewport[2] * (c[0] / c[3] + 1.0) * 0.5;
    win[1] = viewport[1] + viewport[3] * (c[1] / c[3] + 1.0) * 0.5;
    win[2] = (c[2] / c[3] + 1.0) * 0.5;
    return Finite3(win);
}

void ItemDrag_cls::Begin() {
    SceneObj_cls* obj = GpSelectedSceneObj;
    for (int k = 0; k < 3; ++k) {
        const double v = obj->translate->Component(k).GetValue(-1, -1);
        GoItemDrag.start[k] = GoItemDrag.moved[k] = v;
    }
    GoItemDrag.ResetIncrements();
    obj->dragged = 1;
    active = true;
}

bool ItemDrag_cls::Drag(const GLCamera_cls& camera, int w, int h, int mode, int facing) {
    SceneObj_cls* obj = GpSelectedSceneObj;
    if (!obj || !obj->translate || obj->translate->ComponentCount() < 3) return false;
    if (!active) Begin();
    if (!move.valid || w < 1 || h < 1) return true;
    const int axis = obj->gizmoAxis;
    const double dx = move.DeltaX(), dy = move.DeltaY();

    // Window positions of the moved and the start point, and the moved point normalised
    // like the pointer.
    const bool haveCentre = ProjectPoint(GoItemDrag.moved, movedWindow) &&
                            ProjectPoint(GoItemDrag.start, startWindow);
    const double cx = (2.0 * movedWindow[0] - w) / w;
    const double cy = (2.0 * movedWindow[1] - h) / h;

    if (mode == 0) {
        // A camera standing at the object with the view's frame pans the object in the view
        // plane; the speed grows with the depth so the object keeps up with the pointer.
        GLCamera_cls aux(camera.pose, camera.frame);
        for (int k = 0; k < 3; ++k) aux.pose.position[k] = GoItemDrag.moved[k];
        aux.SetPivot(camera.pose.position);
        aux.SetSpeed(-0.3 * camera.DepthOf(GoItemDrag.moved));
        aux.SetAspectFactor(aspect);
        const GLCamera_cls reference;  // direction (0,0,-1), up (0,1,0), right (1,0,0)
        aux.Pan(dx, dy, 3, &reference);
        double next[3];
        for (int k = 0; k < 3; ++k) next[k] = aux.pose.position[k];
        if (axis >= 0 && axis <= 2)
            for (int k = 0; k < 3; ++k)
                if (k != axis) next[k] = GoItemDrag.start[k];
        if (Finite3(next))
            for (int k = 0; k < 3; ++k) GoItemDrag.moved[k] = next[k];
    } else if (mode == 2) {
        if (haveCentre && axis >= 0 && axis <= 2) {
            const double rx = move.x1 - cx, ry = move.y1 - cy;
            const double r2 = rx * rx + ry * ry;
            // On the centre itself the angle is undefined: that step turns nothing.
            if (r2 > 1e-8) {
                double dTheta = (ry * dx - rx * dy) / r2;
                if (facing == 1) dTheta = -dTheta;
                const double next = GoItemDrag.rotation[axis] + 75.0 * dTheta;
                if (std::isfinite(next)) GoItemDrag.rotation[axis] = next;
            }
        }
    } else if (mode == 1) {
        if (haveCentre) {
            const double pressDist = std::hypot(move.px - cx, move.py - cy);
            const double dist = std::hypot(move.x1 - cx, move.y1 - cy);
            // A press on the centre gives no reference length: the scale stays.
            if (pressDist > 1e-4) {
                const double t = dist / pressDist;
                if (std::isfinite(t)) {
                    if (axis >= 0 && axis <= 2)
                        GoItemDrag.scale[axis] = t;
                    else
                        GoItemDrag.scale[0] = GoItemDrag.scale[1] = GoItemDrag.scale[2] = t;
                }
            }
        }
    }
    GoItemDrag.Publish();
    return true;
}

void ItemDrag_cls::Cancel() {
    if (!active) return;
    active = false;
    if (SceneObj_cls* obj = GpSelectedSceneObj) obj->dragged = 0;
    GoItemDrag.ResetIncrements();
}

bool ItemDrag_cls::Commit(CommandHistory_cls& history) {
    if (!active) return false;
    active = false;
    SceneObj_cls* obj = GpSelectedSceneObj;
    if (!obj || !obj->translate || !obj->rotation || !obj->scale) {
        GoItemDrag.ResetIncrements();
        return false;
    }
    bool changed = false;
    for (int k = 0; k < 3; ++k)
        changed = changed || GoItemDrag.moved[k] != GoItemDrag.start[k] || GoItemDrag.rotation[k] != 0.0 ||
                  GoItemDrag.scale[k] != 1.0;
    const bool finite = Finite3(GoItemDrag.moved) && Finite3(GoItemDrag.rotation) && Finite3(GoItemDrag.scale);
    if (!changed || !finite) {
        obj->dragged = 0;
        GoItemDrag.ResetIncrements();
        return false;
    }
    ParamGroup_cls* groups[3] = {obj->translate, obj->rotation, obj->scale};
    for (int k = 0; k < 3; ++k) {
        if (k < obj->translate->ComponentCount()) obj->translate->Component(k).cachedValue = GoItemDrag.moved[k];
        if (k < obj->rotation->ComponentCount()) {
            Parameter_cls& r = obj->rotation->Component(k);
            r.cachedValue = r.GetValue(-1, -1) + GoItemDrag.rotation[k];
        }
        if (k < obj->scale->ComponentCount()) {
            Parameter_cls& s = obj->scale->Component(k);
            s.cachedValue = s.GetValue(-1, -1) * GoItemDrag.scale[k];
        }
    }
    obj->dragged = 0;
    GoItemDrag.ResetIncrements();
    history.BeginBlock("");
    for (ParamGroup_cls* g : groups) g->UpdateChangedKeys(-1);
    obj->AimAtOrigin();
    obj->gizmoAxis = -1;
    history.EndBlock("");
    return true;
}
