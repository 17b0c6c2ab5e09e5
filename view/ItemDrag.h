// Dragging the selected scene object with its gizmo: translation in the view plane,
// rotation about the constrained axis, scale about the object's position; the drag is
// shown live and committed as one undoable step on release.
#pragma once

#include <functional>

#include "view/MouseMove.h"

class CommandHistory_cls;
class GLCamera_cls;
class MouseBindings_cls;

/// The one drag in progress, shared by all views. The moved translation and the rotation
/// increments are also published to GdItemDragPosition and GdItemDragRotation, which the
/// dragged object's transform update shows.
struct ItemDragState_cls {
    double moved[3] = {0, 0, 0};     ///< translation the object is shown at
    double start[3] = {0, 0, 0};     ///< translation at the start of the drag
    double rotation[3] = {0, 0, 0};  ///< degrees added to Rotation x, y, z
    double scale[3] = {1, 1, 1};     ///< factors applied to Scale at the commit
    /// Copies moved and rotation to GdItemDragPosition and GdItemDragRotation.
    void Publish() const;
    /// rotation := 0, scale := 1 (published).
    void ResetIncrements();
};
extern ItemDragState_cls GoItemDrag;

/// Item-drag state of one view. GUI thread only.
class ItemDrag_cls {
public:
    explicit ItemDrag_cls(const MouseBindings_cls* bindings = nullptr) : preferences(bindings) {}

    /// Takes one step's values, as CameraGesture_cls::Init.
    void Init(double speed, const MouseMove_cls& move, int w, int h, int choice);
    /// One step of dragging GpSelectedSceneObj in `mode` (0 translation, 1 scale, 2
    /// rotation) seen through `camera` in a w x h view; `facing` 1 turns the rotation the
    /// other way (the ring's back faces the viewer). The first step begins the drag. A step
    /// whose result would not be finite (the pointer on the gizmo's centre, a view without
    /// area, no recorded matrices) changes nothing. False without a selected object.
    bool Drag(const GLCamera_cls& camera, int w, int h, int mode, int facing);
    /// Ends the drag into `history`: Translate := moved, Rotation += increments, Scale *=
    /// factors, the changed components keyed at the current time, AimAtOrigin, all in one
    /// block with an empty name; the object's constrained axis := -1 and its dragged mark
    /// cleared. A drag that changed nothing records nothing. True when a step was recorded.
    bool Commit(CommandHistory_cls& history);
    /// Ends a drag without keeping it (capture lost): the object goes back to its values.
    void Cancel();

    /// Keeps the matrices of the last draw: model-view and projection (column-major) and
    /// the window rectangle the drawn image covers (x, y from the bottom left, w, h).
    void SetMatrices(const double modelview[16], const double projection[16], const int viewport[4]);
    /// Reads the current GL model-view, projection and viewport (GL layer; context current).
    void RecordMatrices();
    /// Window position (pixels from the bottom left, depth 0..1) of a world point by the
    /// recorded matrices; false when there are none or the point projects to infinity.
    bool ProjectPoint(const double point[3], double window[3]) const;
    /// The dashed guide line of Scale and constrained Rotation from the start point to the
    /// pointer, in window pixels scaled from the view size to the target size. GL layer.
    void DrawGuideLine(int mode, int axis, int viewW, int viewH, int targetW, int targetH) const;

    /// Where a world point shows in the window when the view's picture is not one planar
    /// projection (fisheye, panorama): while set it takes the place of the recorded
    /// matrices in ProjectPoint. Empty: the matrices.
    std::function<bool(const double point[3], double window[3])> projector;
    const MouseBindings_cls* preferences;
    bool active = false;
    double speed = 1.0;
    double aspect = 1.0;
    MouseMove_cls move;
    int choice = 0;
    double modelview[16] = {};
    double projection[16] = {};
    int viewport[4] = {0, 0, 0, 0};
    bool matricesRecorded = false;
    double movedWindow[3] = {0, 0, 0};  ///< window position of the moved point
    double startWindow[3] = {0, 0, 0};  ///< window position of the start point

private:
    void Begin();
};
