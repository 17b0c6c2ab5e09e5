// The cameras of one view and how its camera choice picks and moves them: the free camera
// about the shared pivot, the six axis views, the scene's camera path and the copy of
// view 0; the view angle and geometry that follow from the choice; and the camera and
// anchor keys a view sets. Pure logic: the GL side is in view/gui.
#pragma once

#include <string>

#include "common/GLCamera.h"
#include "view/ViewSettings.h"

class AnchorPath_cls;
class CameraPath_cls;

/// The pivot point of the free views, and the value keyed by the anchor-key command. All
/// views share it.
extern GLCameraPose_cls GoPivotPose;
/// The pivot point of the axis views, shared by all views.
extern GLCameraPose_cls GoAxisPivotPose;

/// Camera records and choice logic of one view. GUI thread.
class ViewCameras_cls {
public:
    explicit ViewCameras_cls(ViewSettings_cls& settings);
    ViewCameras_cls(const ViewCameras_cls&) = delete;
    ViewCameras_cls& operator=(const ViewCameras_cls&) = delete;

    /// The default free view: position (-3.92, -2.8, 1.96) looking along (1.12, 0.8, -0.56),
    /// up +z, pivot at the origin; free and path cameras become copies of it.
    void Reset();

    int Choice() const { return settings.displayMode.value; }
    /// Choices 1..6.
    bool IsAxisView() const;
    /// The record the current choice works on (what mouse gestures move): the axis-view
    /// camera for 1..6, the path camera for 7, the free camera for 0; null for the copy of
    /// view 0, whose cameras are taken from view 0 before every draw.
    GLCamera_cls* Active();
    /// GoAxisPivotPose for the axis views, GoPivotPose otherwise.
    GLCameraPose_cls& PivotPose() const;

    /// DisplayMode := choice (clamped to the view's choices); the followed camera path is
    /// dropped; a planar geometry becomes orthographic for the axis views, perspective
    /// otherwise; fisheye and panorama stay.
    void SetChoice(int choice);
    /// Follows the scene's camera path and anchor (either may be null): choice 7, planar
    /// geometry becomes perspective, both brought to time t, path camera := the path's
    /// placement.
    void LinkToCameraPath(double t);
    /// Leaves the path (or the copy of view 0) for the free camera. With `keepView` the
    /// free camera first takes the path camera, so the picture stays.
    void Unlink(bool keepView);
    /// GLGeometry := 1 when it was 0, else 0.
    void TogglePerspective();

    /// The camera path the view follows, else the scene's (may be null).
    CameraPath_cls* Path() const;
    /// The anchor the view follows, else the scene's (may be null).
    AnchorPath_cls* Anchor() const;
    bool FollowsPath() const { return followedPath != nullptr; }

    /// Geometry of the draw: the path's CameraGeometry under choice 7, planar (0 or 1 as
    /// GLGeometry says) for the axis views, GLGeometry otherwise.
    int EffectiveGeometry() const;
    /// 0 planar, 1 fisheye, 2 panorama.
    int GeometryMode() const;
    bool IsFisheye() const { return EffectiveGeometry() == GEOMETRY_FISHEYE; }
    bool IsOrthographic() const { return settings.geometry.value == GEOMETRY_ORTHOGRAPHIC; }
    /// Perspective flag of the projection: GLGeometry is not orthographic.
    bool Perspective() const { return !IsOrthographic(); }
    /// Vertical view angle of the draw: the path's CameraVAngle under choice 7, else
    /// GLPersAngle; limited to 120 in perspective, and then the limit's line is appended
    /// to `message` (when given).
    double ViewAngle(std::string* message) const;

    /// The camera the scene passes draw with: the drawn camera, pitched by the camera
    /// path's FishEyeOffset (degrees, the followed path or the scene's) in a fisheye view
    /// that looks through the path (choice 7) or copies view 0 (choice 8).
    GLCamera_cls SceneCamera() const;

    /// Axis-view camera := GLOrthoScale from GoAxisPivotPose against the viewing
    /// direction, pivot there, frame of the axis view.
    void SetAxisCamera();
    /// The drawn camera's pivot := the pivot pose's position (the followed anchor's
    /// position when the view follows a camera path).
    void SetPivotFromPose();

    /// The camera of a draw (the scene objects are already at the draw's time). `timeMoved`:
    /// the frame, sub-frame or blur offset differs from the last draw.
    void Update(bool timeMoved);

    /// Keys the camera path's Translate at the current time with the active record's
    /// position, inside one undo block; `withRotation` also keys its Rotation with the
    /// record's roll, pitch and yaw. Nothing without a camera path or active record.
    void SetCameraKey(bool withRotation);
    /// Keys the anchor's Translate with GoPivotPose's position, inside one undo block.
    void SetAnchorKey();

    /// For an orthographic draw into a square buffer that is then shown over the wider side
    /// of a w x h view: `camera` moved back from its pivot by max(1, w / h), so the
    /// buffer's box spans what a direct draw into the view shows.
    static GLCamera_cls OrthoBufferCamera(const GLCamera_cls& camera, int w, int h);

    ViewSettings_cls& settings;
    GLCamera_cls drawn;   ///< the camera every pass of a draw uses
    GLCamera_cls free;    ///< choice 0
    GLCamera_cls path;    ///< choice 7
    GLCamera_cls axis;    ///< choices 1..6
    CameraPath_cls* followedPath = nullptr;
    AnchorPath_cls* followedAnchor = nullptr;
};
