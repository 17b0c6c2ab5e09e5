// The transform gizmo drawn at the selected scene object: arrow or cube handles along the
// axes (translation, scale) or rings about them (rotation), one GL pick name per axis.
#pragma once

class GLCamera_cls;

/// One gizmo shape. GUI thread, context current.
class TransformGizmo_cls {
public:
    enum Kind { Translation = 0, Scale = 1, Rotation = 2 };

    /// `kind` 0 Translation, 1 Scale, 2 Rotation; `variant`: for Rotation the number of
    /// rings (1 z only, 2 z and y, 3 z, y and x). Handle lengths (1, 1, 1).
    TransformGizmo_cls(int kind, int variant);

    /// Keeps the current modelview, projection and viewport for ProjectAxis (the view calls
    /// it after setting up its matrices).
    void SaveMatrices();

    /// Draws the gizmo at `position`'s position, scaled by 0.025 x `size` (handles) or
    /// 0.05 x `size` (rings); rings follow `orientation`'s yaw (z), pitch (y) and roll (x)
    /// in degrees. `activeAxis` 0..2 marks the constrained axis, -1 none. Handles push the
    /// pick names 0 (x), 1 (y), 2 (z). Face culling, texturing and lighting are off while
    /// drawing and restored after.
    void Draw(const GLCamera_cls& position, double size, const GLCamera_cls& orientation, int activeAxis);
    /// The rotation rings; `scale` (three factors) or null multiplies their size.
    void DrawRings(const GLCamera_cls& position, double size, const double* scale,
                   const GLCamera_cls& orientation, int activeAxis);
    /// One handle along +x (or -x for a negative length): a line from the origin to
    /// (length, 0, 0) ended by a cone (`handleKind` 0) or a cube of side 0.4 (1). Nothing
    /// at all for length 0.
    static void DrawAxisHandle(double length, int handleKind);
    /// A 24-point line loop of `radius` about axis `axis` (0 x, 1 y, 2 z).
    static void DrawRing(double radius, int axis);
    /// Sets axisAway when p lies deeper than q in the window (by the saved matrices).
    void ProjectAxis(const double p[3], const double q[3]);

    double handleLength[3] = {1.0, 1.0, 1.0};
    int kind;
    int variant;
    unsigned char axisAway = 0;  ///< set by ProjectAxis
    double modelview[16];
    double projection[16];
    int viewport[4];
};

/// The views' gizmos: [0] translation, [1] rotation (three rings), [2] scale; null until
/// CreateTransformGizmos. GUI thread.
extern TransformGizmo_cls* GpTransformGizmos[3];
/// Makes the gizmos once: (Translation, 4), (Scale, 3), (Rotation, 1), (Rotation, 3).
void CreateTransformGizmos();
/// Deletes them and nulls GpTransformGizmos.
void DeleteTransformGizmos();
/// The gizmo of an item-edit mode (0 translation, 1 scale, 2 rotation), or null.
TransformGizmo_cls* GizmoForEditMode(int mode);
