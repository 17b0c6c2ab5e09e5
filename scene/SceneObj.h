// Base of everything placed in the scene with key-framed translate, rotation and scale:
// filter data, light sources, the camera path and the anchor.
#pragma once

#include <array>
#include <string>
#include <vector>

#include <wx/string.h>

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"
#include "scene/PovSerialize.h"
#include "timeline/ParamOwner.h"
#include "common/GLCamera.h"

class ParamGroup_cls;
class SceneObj_cls;

/// Absolute position of the scene object being dragged in a view (world units). GUI thread.
extern double GdItemDragPosition[3];
/// Rotation (degrees, x y z) added to the dragged object's Rotation while it is dragged.
extern double GdItemDragRotation[3];
/// The selected scene object: the one the views' gizmo drag moves; null when none. Not
/// owned: whoever deletes the object clears it first. GUI thread.
extern SceneObj_cls* GpSelectedSceneObj;
/// Stores the selected scene object (null: none).
void SetSelectedSceneObj(SceneObj_cls* object);

/// A scene object: Translate, Rotation (degrees) and Scale groups of components "x", "y",
/// "z" (update flags 0x1006, constant until made time-dependent) under a container group
/// named as the object, the placement at the displayed time, and its POV-Ray transform.
/// All operations run on the GUI thread. The object owns its four groups and its items.
///
/// Placement convention: a local point v is placed at R*(S*v) + position, where R has the
/// columns direction, up x direction and up of the placement frame (R = Rz*Ry*Rx of the
/// rotation angles) and S scales per axis; this is exactly what the POV-Ray text
/// "scale, rotate x, rotate y, rotate z, translate" does.
class SceneObj_cls : public PovSerialize_cls, public ParamOwner_cls {
public:
    /// `makeParams` false makes an object without groups (it must not be placed, drawn or
    /// written). `groupAll` true makes Translate, Rotation and Scale children of the
    /// container group; false keeps them apart and the container unlisted. An object named
    /// exactly "Camera" wraps its Rotation x and z at 360.
    SceneObj_cls(const std::string& name, bool groupAll, bool makeParams);
    ~SceneObj_cls() override;
    SceneObj_cls(const SceneObj_cls&) = delete;
    SceneObj_cls& operator=(const SceneObj_cls&) = delete;

    /// Keys, at the current time, every component of every child group whose cached value
    /// differs from its curve.
    virtual void UpdateChangedKeys();
    /// Placement for normalised time t: translate, frame turned by Rotation (z about up, y
    /// about right, x about direction; pi as 3.14159), angles updated with unwrapping and
    /// their whole turns of roll and yaw set nearest the Rotation's x and z (a Rotation of
    /// (300, 10, 350) reads back as those angles), object scale := Scale. While selected and dragged, the drag globals are shown.
    virtual void UpdateTransform(double t);

    /// Force-keys the group at the current time with (x, y, z).
    void SetTranslateKey(double x, double y, double z);
    void SetRotationKey(double x, double y, double z);
    void SetScaleKey(double x, double y, double z);

    /// World position of local point `p` by the last placement (UpdateTransform).
    void TransformPoint(double p[3]) const;
    /// Column-major matrix of TransformPoint (placement with the scale): what the views
    /// multiply onto the model-view matrix to draw the object.
    void PlacementMatrix(double out[16]) const;

    /// Appends the POV-Ray transform lines for time t ("\tscale", "\ttranslate -pivot",
    /// "\trotate" per non-zero axis, "\ttranslate +pivot", "\ttranslate"), four decimals,
    /// "\n" each; nothing for an identity transform. `pivot` holds 0 or 3 values.
    void PovTransform(wxString& out, double t, const std::vector<double>& pivot);

    /// Turns a world direction into object axes: the exact inverse of the Rotation at t.
    void InverseRotatePoint(float point[3], double t);
    /// World point into object space at t: the inverse of "scale, turn about the pivot,
    /// translate" (pivot = the values of `pivotGroup` at t, or none). A zero scale
    /// component leaves that coordinate unscaled.
    void InverseTransformPoint(float point[3], double t, ParamGroup_cls* pivotGroup);

    /// Unit direction that the Rotation at t points along (used by light sources).
    std::array<double, 3> RotationDirection(double t);
    /// With target 1 ("Target Origin"): turns the placement towards (0,0,0) and keys the
    /// changed Rotation components at the current time. Nothing for other targets.
    void AimAtOrigin();

    /// 100 positions of the Translate curve at t = i/100 (the path the views draw); the
    /// Translate group's cached values are left as they were.
    std::vector<std::array<double, 3>> PathPoints();

    /// Multiplies the current GL matrix by PlacementMatrix, so that the views place the
    /// object exactly as its POV-Ray text does. GL context required (defined in the GL
    /// layer, scene/gui/SceneObjGL.cpp).
    void ApplyGLTransform() const;
    /// Draws the gizmo of the item-edit mode (translation, scale or rotation; nothing for
    /// other modes or before the gizmos exist) at the placement's position, at a constant
    /// size on screen (the eye depth of the position under the current modelview), the
    /// rotation rings turned like the object, with the gizmo axis marked; depth test off
    /// while drawing, restored after. GL layer.
    void DrawGizmo();
    /// When visible: the 100 points of PathPoints as GL points in (0.2, 1, 0.2, 1). GL layer.
    void DrawPath();

    /// The first of Translate, Rotation, Scale and the container named `name`, else null.
    ParamGroup_cls* FindParam(const std::string& name) const;
    /// Stores the selected byte and recolours the container's header when it is shown.
    void SetSelected(bool flag);
    /// Sets the gizmo axis only when none is set.
    void SetAxisIfFree(int axis);
    /// Gizmo axis := -1 when it equals `axis`, else `axis`.
    void ToggleAxis(int axis);
    /// Undoable copy of mode, visible and target (one step each), then the Translate,
    /// Rotation and Scale curves of `source`.
    void CopyFrom(const SceneObj_cls& source);

    // ParamOwner_cls
    int GetOwnerPickId() const override { return pickId; }
    bool IsOwnerSelected() const override { return selected != 0; }
    void SetOwnerSelected(bool flag) override { SetSelected(flag); }
    void ClearOwnerDragged() override { dragged = 0; }
    void SetOwnerVisible(bool flag) override { visible.value = flag; }

    unsigned char selected = 0;  ///< 1 while it is the selected scene object
    unsigned char dragged = 0;   ///< 1 while a view drags it with the gizmo
    int mode = 0;                ///< set by subclasses: 1 light source, 0 camera path
    int pickId = 0;              ///< GL pick name, set by subclasses
    int gizmoAxis = -1;          ///< -1 none, 0 x, 1 y, 2 z
    ParamGroup_cls* translate = nullptr;
    ParamGroup_cls* rotation = nullptr;
    ParamGroup_cls* scale = nullptr;
    ParamGroup_cls* group = nullptr;  ///< container named as the object; null without params
    ConfItemGroup_cls settings;       ///< subclasses register their keys here
    ConfItemUINT_cls target;          ///< 0 none, 1 origin, 2 anchor (no key registered here)
    ConfItemBOOL_cls visible;         ///< path drawn (no key registered here; starts on)
    GLCamera_cls transform;           ///< placement at the displayed time

private:
    void ValuesAt(ParamGroup_cls* g, double t, double out[3]);
};
