// A view's mouse: the wx events turned into numbers for the tracker, the gestures and the
// item drag; mouse capture and wheel routing among the views; the picks of the next draw.
#include <GL/gl.h>

#include <algorithm>

#include <wx/menu.h>
#include <wx/utils.h>

#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "scene/LightSRCCtrl.h"
#include "scene/SceneObj.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"
#include "view/DistortionMesh.h"
#include "view/ModeIcon.h"
#include "view/StereoGram.h"
#include "view/WideViewProjection.h"
#include "view/gui/GLPicker.h"
#include "view/gui/PathItems.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/TransformGizmo.h"

bool GbIconClick = false;

namespace {

const MouseBindings_cls* g_bindings = nullptr;
std::function<void(int)> g_pickSelect;
std::function<void(int, double)> g_pickDrawer;

void PostToFrame(wxWindow* frame, int id) {
    if (frame) wxQueueEvent(frame, new wxCommandEvent(wxEVT_MENU, id));
}

MouseEventInfo InfoOf(const wxMouseEvent& e) {
    MouseEventInfo m;
    m.shift = e.ShiftDown();
    m.ctrl = e.ControlDown();
    m.alt = e.AltDown();
    m.left = e.LeftIsDown();
    m.middle = e.MiddleIsDown();
    m.right = e.RightIsDown();
    // The button of a press or release is taken from the event itself: the held state of
    // a press does not include its own button on every platform.
    const wxEventType type = e.GetEventType();
    if (type == wxEVT_LEFT_DOWN || type == wxEVT_LEFT_DCLICK) m.left = true;
    if (type == wxEVT_MIDDLE_DOWN || type == wxEVT_MIDDLE_DCLICK) m.middle = true;
    if (type == wxEVT_RIGHT_DOWN || type == wxEVT_RIGHT_DCLICK) m.right = true;
    if (type == wxEVT_LEFT_UP) m.left = false;
    if (type == wxEVT_MIDDLE_UP) m.middle = false;
    if (type == wxEVT_RIGHT_UP) m.right = false;
    m.x = e.GetX();
    m.y = e.GetY();
    m.buttonDown = e.ButtonDown() || e.ButtonDClick();
    m.buttonUp = e.ButtonUp();
    m.motion = type == wxEVT_MOTION;
    m.wheel = type == wxEVT_MOUSEWHEEL && e.GetWheelAxis() == wxMOUSE_WHEEL_VERTICAL;
    m.wheelRotation = e.GetWheelRotation();
    m.wheelDelta = e.GetWheelDelta();
    return m;
}

}  // namespace

// The records the gestures work on: the camera the view's choice steers (the free camera
// stands in for the copy of view 0, which nothing steers) and the choice's pivot pose.
GLCamera_cls& MainGLCanvas_cls::GestureCamera() {
    GLCamera_cls* active = GetActiveCamera();
    return active ? *active : cameras.free;
}
GLCameraPose_cls& MainGLCanvas_cls::GesturePivotPose() { return GetPivotPose(); }

void MainGLCanvas_cls::SetMouseBindings(const MouseBindings_cls* bindings) { g_bindings = bindings; }
void MainGLCanvas_cls::SetPickSelect(std::function<void(int)> select) { g_pickSelect = std::move(select); }
void MainGLCanvas_cls::SetPickDrawer(std::function<void(int, double)> drawer) {
    g_pickDrawer = std::move(drawer);
}

void MainGLCanvas_cls::BindMouse() {
    for (const wxEventTypeTag<wxMouseEvent>& type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_MIDDLE_DOWN, wxEVT_MIDDLE_UP,
                             wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP, wxEVT_MOTION, wxEVT_LEFT_DCLICK,
                             wxEVT_MIDDLE_DCLICK, wxEVT_RIGHT_DCLICK, wxEVT_LEAVE_WINDOW,
                             wxEVT_ENTER_WINDOW, wxEVT_MOUSEWHEEL})
        Bind(type, &MainGLCanvas_cls::OnMouse, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &MainGLCanvas_cls::OnCaptureLost, this);
    // The item-edit-mode icons light up under the pointer on the current view.
    Bind(wxEVT_MOTION, [this](wxMouseEvent& e) {
        const wxSize size = GetClientSize();
        if (GpCurrentCanvas == this && UpdateModeIconHover(size.x, size.y, e.GetX(), e.GetY())) RequestPaint();
        e.Skip();
    });
}

void MainGLCanvas_cls::OnMouse(wxMouseEvent& event) {
    m_tracker.preferences = m_gesture.preferences = m_itemDrag.preferences = g_bindings;
    m_tracker.Update(InfoOf(event));
    const wxSize size = GetClientSize();
    const int w = size.x, h = size.y;
    bool moved = false;

    if (m_tracker.IsMenuClick()) {
        ShowContextMenu(m_tracker.x, m_tracker.y);
        if (HasCapture()) ReleaseMouse();
        return;
    }
    // A press on an item-edit-mode icon switches the mode and starts no gesture.
    if (m_tracker.LeftHeld() && PickModeIcon(w, h, m_tracker.x, m_tracker.y)) {
        RequestPaint();
        GbIconClick = true;
        event.Skip();
        return;
    }
    if (m_tracker.ButtonWentUp()) {
        GbIconClick = false;
        if (HasCapture()) ReleaseMouse();
        // The view and camera dialog, when shown, follows what the gesture changed.
        PostToFrame(m_frame, ID_CAMERA_DIALOG_REFRESH);
    }
    if (m_tracker.Dragging() && !GbIconClick) moved = DoGestures(w, h);
    if (m_tracker.ButtonWentDown()) {
        SetFocus();
        if (!HasCapture()) {
            CaptureMouse();
            moved = true;
            SetPickRequests();
            m_tracker.StorePrevious();
        }
    }
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_LEFT_UP || type == wxEVT_MIDDLE_UP || m_tracker.Wheel()) {
        if (m_itemDrag.active && GpSelectedSceneObj) CommitItemDrag();
    }
    if (m_tracker.Wheel() && m_tracker.WheelSteps() != 0) {
        if (IsMouseInside()) {
            GestureCamera().SetPivot(GesturePivotPose().position);
            m_gesture.choice = CameraChoice();
            double scale = OrthoScale();
            moved |= m_gesture.WheelZoom(GestureCamera(), m_tracker.WheelSteps(), scale);
            OrthoScale() = float(scale);
            m_tracker.StorePrevious();
            MakeMainView();
        } else if (RouteWheel()) {
            // The view under the pointer took over; this one only shows that it lost it.
            RequestPaint();
        }
    }
    if (moved) {
        if (GpCurrentCanvas != this) {
            MakeCurrentView();
            SetFocus();
        }
        RequestPaint();
        if (IsAxisView()) RefreshAxisViews();
    }
    event.Skip();
}

void MainGLCanvas_cls::OnCaptureLost(wxMouseCaptureLostEvent&) {
    // Another window took the mouse in the middle of a gesture: the gesture ends here, as a
    // release would end it, and no button is taken as still held.
    if (m_itemDrag.active && GpSelectedSceneObj) CommitItemDrag();
    else m_itemDrag.Cancel();
    m_tracker.ReleaseAll();
    GbIconClick = false;
    m_pickSelect = m_pickGizmo = false;
}

bool MainGLCanvas_cls::DoGestures(int w, int h) {
    MouseMove_cls move = MouseMove_cls::FromTracker(m_tracker, w, h);
    if (!move.valid) return false;
    move.ClampStart();
    GestureCamera().SetPivot(GesturePivotPose().position);
    m_gesture.Init(1.0, move, w, h, CameraChoice());
    m_itemDrag.Init(1.0, move, w, h, CameraChoice());
    GLCamera_cls& cam = GestureCamera();
    bool any = false;
    if (m_tracker.MatchGyration())
        any |= m_gesture.IsAxisView() ? m_gesture.Pan(cam, GesturePivotPose()) : m_gesture.Orbit(cam);
    if (m_tracker.MatchZoom()) {
        double scale = OrthoScale();
        any |= m_gesture.DragZoom(cam, scale);
        OrthoScale() = float(scale);
    }
    if (m_tracker.MatchCenter()) any |= m_gesture.Pan(cam, GesturePivotPose());
    if (m_tracker.MatchItem()) {
        const TransformGizmo_cls* rings = GpTransformGizmos[1];
        const int facing = rings ? rings->axisAway : 0;
        any |= m_itemDrag.Drag(cam, w, h, GiItemEditMode, facing);
    }
    m_tracker.StorePrevious();
    return any;
}

void MainGLCanvas_cls::SetPickRequests() {
    if (m_tracker.MatchItem()) m_pickGizmo = true;
    if (m_tracker.MatchHitTest()) m_pickSelect = true;
}

void MainGLCanvas_cls::CaptureMouse() {
    for (MainGLCanvas_cls* v : siblings)
        if (v && v != this && v->HasCapture()) v->ReleaseMouse();
    if (!HasCapture()) wxWindow::CaptureMouse();
    MakeMainView();
}

void MainGLCanvas_cls::CommitItemDrag() {
    if (m_itemDrag.Commit(GoCommandHistory)) RequestRedrawOthers();
    PostToFrame(m_frame, ID_FILTERS_AT_TIME);
    RequestPaint();
}

bool MainGLCanvas_cls::IsMouseInside() const {
    return GetScreenRect().Contains(wxGetMousePosition());
}

bool MainGLCanvas_cls::RouteWheel() {
    const wxPoint at = wxGetMousePosition();
    for (MainGLCanvas_cls* v : siblings) {
        if (!v || !v->IsShownOnScreen() || !v->GetScreenRect().Contains(at)) continue;
        v->MakeMainView();
        v->SetFocus();
        v->RequestPaint();
        return true;
    }
    return false;
}

void MainGLCanvas_cls::PictureMatrices(bool offScreen, int pass, double t, double mv[16], double pr[16],
                                       int vp[4]) {
    const int w = m_clientW, h = m_clientH;
    StereoGram_cls& stereo = Stereo();
    // Drawn directly, the window shows the first pass's eye alone.
    const GLCamera_cls cam = EyeSceneCamera(offScreen ? stereo.EyeOfShownPass(pass) : stereo.EyeOfPass(0), t);
    vp[0] = 0, vp[1] = 0, vp[2] = w, vp[3] = h;
    cam.ModelviewMatrix(mv);
    GLProjection_cls p = projection;
    if (!offScreen) {
        p.Matrix(cam, 0, pr);
        return;
    }
    const int s = BufferSize(0), q = std::max(w, h);
    p.SetViewportSize(s, s);
    p.SetFitSize(w, h);
    const GLCamera_cls bufferCamera = projection.perspective ? cam : ViewCameras_cls::OrthoBufferCamera(cam, w, h);
    bufferCamera.ModelviewMatrix(mv);
    p.Matrix(bufferCamera, 1, pr);
    vp[0] = (w - q) / 2, vp[1] = (h - q) / 2, vp[2] = q, vp[3] = q;
    if (stereo.IsSideBySide()) {
        // Each eye's square buffer is squeezed into its half of the window.
        StereoQuad sides[2];
        stereo.SideBySideQuads(false, w, h, sides);
        const StereoQuad& e = sides[pass == 1 ? 1 : 0];
        vp[0] = e.x, vp[1] = e.y, vp[2] = e.w, vp[3] = e.h;
    }
}

void MainGLCanvas_cls::AfterSceneDrawn(bool offScreen, double t) {
    const int w = m_clientW, h = m_clientH;
    if (w < 1 || h < 1) return;
    if (offScreen && GeometryMode() != 0) {
        AfterWideSceneDrawn(t);
        return;
    }
    // The matrices of the draw, with the window rectangle the picture covers: the whole
    // client directly; through a buffer, the square of the wider side centred on the view.
    // A side-by-side stereogram shows each eye in its half: drags and picks work in the
    // picture that was pressed, with the camera of its eye, and the gizmo shows in both.
    StereoGram_cls& stereo = Stereo();
    const int pictures = offScreen && stereo.IsSideBySide() ? 2 : 1;
    const int pressed = pictures > 1 ? stereo.PassAtColumn(m_tracker.pressX + 0.5, w) : 0;
    double mv[16], pr[16];
    int vp[4];
    PictureMatrices(offScreen, pressed, t, mv, pr, vp);
    m_itemDrag.projector = nullptr;
    m_itemDrag.SetMatrices(mv, pr, vp);
    if (TransformGizmo_cls* rings = GpTransformGizmos[1]) {
        std::copy(mv, mv + 16, rings->modelview);
        std::copy(pr, pr + 16, rings->projection);
        std::copy(vp, vp + 4, rings->viewport);
    }

    // The selected object's gizmo over the picture, where the drags and picks expect it.
    if (SceneObj_cls* s = GpSelectedSceneObj; s && s->translate) {
        CreateTransformGizmos();
        s->UpdateTransform(t);
        for (int pass = 0; pass < pictures; ++pass) {
            double gmv[16], gpr[16];
            int gvp[4];
            PictureMatrices(offScreen, pass, t, gmv, gpr, gvp);
            glViewport(gvp[0], gvp[1], gvp[2], gvp[3]);
            glMatrixMode(GL_PROJECTION);
            glPushMatrix();
            glLoadMatrixd(gpr);
            glMatrixMode(GL_MODELVIEW);
            glPushMatrix();
            glLoadMatrixd(gmv);
            s->DrawGizmo();
            glMatrixMode(GL_PROJECTION);
            glPopMatrix();
            glMatrixMode(GL_MODELVIEW);
            glPopMatrix();
        }
        glViewport(0, 0, w, h);
    }

    if (m_pickSelect || m_pickGizmo) {
        const double x = m_tracker.pressX + 0.5, y = h - m_tracker.pressY - 0.5;
        RunPicks(x, y, std::max(3, w / 50), mv, pr, vp, t);
    }
    glViewport(0, 0, w, h);
    if (m_itemDrag.active && GpSelectedSceneObj)
        m_itemDrag.DrawGuideLine(GiItemEditMode, GpSelectedSceneObj->gizmoAxis, w, h, w, h);
}

void MainGLCanvas_cls::AfterWideSceneDrawn(double t) {
    const int w = m_clientW, h = m_clientH, s = BufferSize(0), mode = GeometryMode();
    // The picture is composed from four sub-views: a point's place in the window follows the
    // composition, and a click is picked in the sub-view that shows its direction, with the
    // matrices that sub-view was drawn with.
    // The window rectangle the eye buffer is composed into: the square over the height, the
    // whole window through the lens; side by side, the half that was pressed, whose eye's
    // camera drew it.
    StereoGram_cls& stereo = Stereo();
    const bool lens = settings.distortion.value && cameras.IsFisheye();
    StereoQuad q = StereoGram_cls::FittedQuad(lens ? 2 : 1, w, h);
    const int pressed = stereo.PassAtColumn(m_tracker.pressX + 0.5, w);
    if (stereo.IsSideBySide()) {
        StereoQuad sides[2];
        stereo.SideBySideQuads(lens, w, h, sides);
        q = sides[pressed];
    }
    const GLCamera_cls cam = EyeSceneCamera(stereo.EyeOfShownPass(pressed), t);
    const double eye[4] = {double(q.x), double(q.y), double(q.w), double(q.h)};
    WideViewProjection_cls wide(mode, projection.angle, eye, cam);
    const DistortionMesh_cls* mesh = lens ? GpDistortionMesh : nullptr;
    wide.SetLens(mesh);
    // The drag keeps the lens by pointer: once the GL resources are gone it projects nothing.
    m_itemDrag.projector = [wide, mesh](const double* point, double* window) {
        return (!mesh || mesh == GpDistortionMesh) && wide.ProjectPoint(point, window);
    };
    const int vp[4] = {0, 0, s, s};
    double mv[16], pr[16], pixel[2];

    // The rotation rings judge which way they face by the sub-view that shows the object.
    if (TransformGizmo_cls* rings = GpTransformGizmos[1]) {
        double dir[3] = {cam.frame.direction[0], cam.frame.direction[1], cam.frame.direction[2]};
        if (SceneObj_cls* o = GpSelectedSceneObj; o && o->translate && o->translate->ComponentCount() >= 3) {
            double d[3], n = 0;
            for (int k = 0; k < 3; ++k) d[k] = o->translate->Component(k).GetValue(-1, -1) - cam.pose.position[k];
            for (int k = 0; k < 3; ++k) n += d[k] * d[k];
            if (n > 0)
                for (int k = 0; k < 3; ++k) dir[k] = d[k] / std::sqrt(n);
        }
        if (wide.SubViewOf(dir, projection, s, pixel, mv, pr) >= 0) {
            std::copy(mv, mv + 16, rings->modelview);
            std::copy(pr, pr + 16, rings->projection);
            std::copy(vp, vp + 4, rings->viewport);
        }
    }

    if (m_pickSelect || m_pickGizmo) {
        double dir[3];
        const double x = m_tracker.pressX + 0.5, y = h - m_tracker.pressY - 0.5;
        if (wide.WindowToDirection(x, y, dir) && wide.SubViewOf(dir, projection, s, pixel, mv, pr) >= 0) {
            // The window's pick region in the sub-view's pixels: a window pixel spans about
            // angle / (eye height) degrees of the disc (twice that across the band), a
            // sub-view pixel at most 90 / s degrees.
            const double degreesPerPixel = (mode == 2 ? 2.0 : 1.0) * projection.angle / std::max(1, q.h);
            const double region = std::max(3.0, std::max(3, w / 50) * degreesPerPixel * s / 90.0);
            RunPicks(pixel[0], pixel[1], region, mv, pr, vp, t);
        }
        m_pickSelect = m_pickGizmo = false;  // a click outside the picture picks nothing
    }
    glViewport(0, 0, w, h);
    if (m_itemDrag.active && GpSelectedSceneObj)
        m_itemDrag.DrawGuideLine(GiItemEditMode, GpSelectedSceneObj->gizmoAxis, w, h, w, h);
}

void MainGLCanvas_cls::RunPicks(double x, double y, double region, const double mv[16], const double pr[16],
                                const int vp[4], double t) {
    CreateTransformGizmos();
    auto draw = [&](int request) {
        // The light symbols first, as the items pass draws them; a view that shows no items
        // picks none.
        if (request == 1 && settings.showItems.value && GpLightSRCCtrl) {
            glPushAttrib(GL_ENABLE_BIT);
            glDisable(GL_DEPTH_TEST);
            GpLightSRCCtrl->UpdateTransforms(t);
            GpLightSRCCtrl->DrawGL(true);
            glPopAttrib();
        }
        if (g_pickDrawer) g_pickDrawer(request, t);
        else DrawScenePickForms(t, request);
        // The camera path and the anchor, pickable where the items pass drew them.
        if (request == 1 && settings.showItems.value) DrawPathItems(*this, true);
    };
    glViewport(vp[0], vp[1], vp[2], vp[3]);
    if (m_pickGizmo && GpSelectedSceneObj) {
        GoGLPicker.Begin(x, y, region, mv, pr, vp);
        draw(2);
        GoGLPicker.End();
        const int axis = GoGLPicker.SecondName();
        if (axis >= 0 && axis <= 2) GpSelectedSceneObj->SetAxisIfFree(axis);
    }
    // A view that shows no items offers nothing to select: the lights, paths and filter
    // regions it hides are not picked either.
    if (m_pickSelect && settings.showItems.value) {
        GoGLPicker.Begin(x, y, region, mv, pr, vp);
        draw(1);
        GoGLPicker.End();
        // Empty space selects nothing and deselects nothing.
        const int name = GoGLPicker.FirstName();
        if (name >= 0 && g_pickSelect) {
            g_pickSelect(name);
            // A scene item's new selection shows in every view after this paint; a
            // filter's selection asks for its own redraw.
            if (name < 20) RequestRedrawOthers();
        }
    } else if (m_pickSelect) {
        GoGLPicker.Clear();  // the click hit nothing the view shows
    }
    m_pickSelect = m_pickGizmo = false;
}

void MainGLCanvas_cls::DrawSubViewGizmo(double t) {
    SceneObj_cls* s = GpSelectedSceneObj;
    if (!s || !s->translate) return;
    CreateTransformGizmos();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    s->UpdateTransform(t);
    s->DrawGizmo();
    glPopAttrib();
}
