// Camera choice, axis views, camera path following and camera keys of a view.
#include "view/ViewCameras.h"

#include "common/CommandHistory.h"
#include "scene/AnchorPath.h"
#include "scene/CameraPath.h"
#include "timeline/ParamGroup.h"

GLCameraPose_cls GoPivotPose;
GLCameraPose_cls GoAxisPivotPose;


namespace {

bool IsAxisChoice(int c) { return c >= CAMERA_AXIS_FIRST && c <= CAMERA_AXIS_LAST; }

bool IsPlanar(int g) { return g == GEOMETRY_PERSPECTIVE || g == GEOMETRY_ORTHOGRAPHIC; }

}  // namespace

ViewCameras_cls::ViewCameras_cls(ViewSettings_cls& s) : settings(s) { Reset(); }

void ViewCameras_cls::Reset() {
    const double second[3] = {0, 0, 0};
    const double dir[3] = {1.12, 0.8, -0.56};
    const double up[3] = {0, 0, 1};
    drawn.pose = GLCameraPose_cls(-3.92, -2.8, 1.96, second);
    drawn.frame.SetDirUp(dir, up);
    const double origin[3] = {0, 0, 0};
    drawn.SetPivot(origin);
    free = drawn;
    path = drawn;
}

bool ViewCameras_cls::IsAxisView() const { return IsAxisChoice(Choice()); }

GLCamera_cls* ViewCameras_cls::Active() {
    const int c = Choice();
    if (IsAxisChoice(c)) return &axis;
    if (c == CAMERA_PATH) return &path;
    if (c == CAMERA_FREE) return &free;
    return nullptr;
}

GLCameraPose_cls& ViewCameras_cls::PivotPose() const {
    return IsAxisView() ? GoAxisPivotPose : GoPivotPose;
}

void ViewCameras_cls::SetChoice(int choice) {
    if (choice < 0 || choice > settings.MaxChoice()) choice = CAMERA_FREE;
    settings.displayMode.value = choice;
    followedPath = nullptr;
    if (IsPlanar(settings.geometry.value))
        settings.geometry.value = IsAxisChoice(choice) ? GEOMETRY_ORTHOGRAPHIC : GEOMETRY_PERSPECTIVE;
}

void ViewCameras_cls::LinkToCameraPath(double t) {
    settings.displayMode.value = CAMERA_PATH;
    if (IsPlanar(settings.geometry.value)) settings.geometry.value = GEOMETRY_PERSPECTIVE;
    followedPath = GpCameraPath;
    followedAnchor = GpAnchorPath;
    if (followedPath) followedPath->UpdateTransform(t);
    if (followedAnchor) followedAnchor->UpdateTransform(t);
    if (!followedPath) return;
    path = followedPath->transform;
    path.frame.UpdateAngles(false);
    path.frame.prevRoll = path.frame.roll;
    path.frame.prevPitch = path.frame.pitch;
    path.frame.prevYaw = path.frame.yaw;
}

void ViewCameras_cls::Unlink(bool keepView) {
    const int c = Choice();
    if (c != CAMERA_PATH && c != CAMERA_COPY_VIEW0) return;
    if (keepView) free = c == CAMERA_PATH ? path : drawn;
    settings.displayMode.value = CAMERA_FREE;
    if (IsPlanar(settings.geometry.value)) settings.geometry.value = GEOMETRY_PERSPECTIVE;
    followedPath = nullptr;
}

void ViewCameras_cls::TogglePerspective() {
    settings.geometry.value =
        settings.geometry.value == GEOMETRY_PERSPECTIVE ? GEOMETRY_ORTHOGRAPHIC : GEOMETRY_PERSPECTIVE;
}

CameraPath_cls* ViewCameras_cls::Path() const { return followedPath ? followedPath : GpCameraPath; }

AnchorPath_cls* ViewCameras_cls::Anchor() const {
    return followedAnchor ? followedAnchor : GpAnchorPath;
}

GLCamera_cls ViewCameras_cls::SceneCamera() const {
    GLCamera_cls c(drawn);
    const int choice = Choice();
    if (IsFisheye() && (choice == CAMERA_PATH || choice == CAMERA_COPY_VIEW0))
        if (const CameraPath_cls* p = Path()) c.frame.Rotate(0, p->fishEyeOffset.value, 0);
    return c;
}

int ViewCameras_cls::EffectiveGeometry() const {
    const int c = Choice();
    if (c == CAMERA_PATH) {
        const CameraPath_cls* p = Path();
        return p ? p->geometry.value : GEOMETRY_PERSPECTIVE;
    }
    const int g = settings.geometry.value;
    if (IsAxisChoice(c)) return IsPlanar(g) ? g : GEOMETRY_ORTHOGRAPHIC;
    return g;
}

int ViewCameras_cls::GeometryMode() const {
    const int g = EffectiveGeometry();
    return g == GEOMETRY_FISHEYE ? 1 : g == GEOMETRY_PANORAMA ? 2 : 0;
}

double ViewCameras_cls::ViewAngle(std::string* message) const {
    double angle;
    bool perspective;
    const CameraPath_cls* p = Path();
    if (Choice() == CAMERA_PATH && p) {
        angle = p->vAngle.value;
        perspective = p->geometry.value == GEOMETRY_PERSPECTIVE;
    } else {
        angle = settings.persAngle.value;
        perspective = settings.geometry.value == GEOMETRY_PERSPECTIVE && !IsAxisView();
    }
    // An angle typed into an entry is not clamped there: below the smallest angle a
    // project may hold, the view draws at that angle.
    if (!(angle >= CameraPath_cls::kMinViewAngle)) angle = CameraPath_cls::kMinViewAngle;
    if (perspective && angle >= 120) {
        angle = 120;
        if (message) *message += "View angle is limited to 120 deg in perspective view.\n";
    }
    return angle;
}

void ViewCameras_cls::SetAxisCamera() {
    const int c = Choice();
    if (!IsAxisChoice(c)) return;
    const double s = settings.orthoScale.value;
    double pos[3] = {GoAxisPivotPose.position[0], GoAxisPivotPose.position[1],
                     GoAxisPivotPose.position[2]};
    const int k = (c - 1) / 2;               // 0 x, 1 y, 2 z
    pos[k] += (c % 2 == 1) ? -s : s;         // odd choices look along +axis
    const double second[3] = {0, 0, 0};
    axis.pose = GLCameraPose_cls(pos[0], pos[1], pos[2], second);
    axis.SetPivot(GoAxisPivotPose.position);
    axis.frame.SetAxisView(c);
}

void ViewCameras_cls::SetPivotFromPose() {
    if (followedPath && Anchor()) {
        drawn.SetPivot(Anchor()->transform.pose.position);
        return;
    }
    drawn.SetPivot(PivotPose().position);
}

void ViewCameras_cls::Update(bool timeMoved) {
    AnchorPath_cls* anchor = Anchor();
    if (settings.pivotMode.value && anchor)
        for (int k = 0; k < 3; ++k) GoPivotPose.position[k] = anchor->transform.pose.position[k];
    const int c = Choice();
    if (c == CAMERA_FREE) {
        free.LookAt(GoPivotPose.position);
        drawn = free;
    } else if (IsAxisChoice(c)) {
        SetAxisCamera();
        drawn = axis;
    }
    CameraPath_cls* p = Path();
    if (p && p->lookAnchor.value && anchor) p->transform.LookAt(anchor->transform.pose.position);
    if (c == CAMERA_PATH) {
        if (timeMoved && followedPath) path = followedPath->transform;
        if (p && !GLCamera_cls::Equals(path, p->transform)) path.LookAt(GoPivotPose.position);
        drawn = path;
    }
    if (c == CAMERA_COPY_VIEW0) return;  // taken from view 0 before the draw
    if (GLCamera_cls* a = Active()) a->frame.UpdateAngles(true);
    drawn.frame.UpdateAngles(true);
}

void ViewCameras_cls::SetCameraKey(bool withRotation) {
    CameraPath_cls* p = Path();
    GLCamera_cls* a = Active();
    if (!p || !a) return;
    GoCommandHistory.BeginBlock("");
    p->translate->SetKeyFrame({a->pose.position[0], a->pose.position[1], a->pose.position[2]}, true, -1);
    if (withRotation) {
        a->frame.UpdateAngles(true);
        p->rotation->SetKeyFrame({a->frame.roll, a->frame.pitch, a->frame.yaw}, true, -1);
    }
    GoCommandHistory.EndBlock("");
}

void ViewCameras_cls::SetAnchorKey() {
    AnchorPath_cls* anchor = Anchor();
    if (!anchor) return;
    GoCommandHistory.BeginBlock("");
    anchor->translate->SetKeyFrame(
        {GoPivotPose.position[0], GoPivotPose.position[1], GoPivotPose.position[2]}, true, -1);
    GoCommandHistory.EndBlock("");
}

GLCamera_cls ViewCameras_cls::OrthoBufferCamera(const GLCamera_cls& camera, int w, int h) {
    GLCamera_cls c = camera;
    if (w <= h || h <= 0) return c;
    const double f = double(w) / h;
    for (int k = 0; k < 3; ++k) c.pose.position[k] = c.pivot[k] + (c.pose.position[k] - c.pivot[k]) * f;
    return c;
}
