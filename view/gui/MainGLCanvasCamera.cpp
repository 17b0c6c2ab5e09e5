// A view's camera of each draw, its camera choice commands and its context menu.
#include <wx/menu.h>

#include "common/CommandIds.h"
#include "common/gui/ShortcutForwarder.h"
#include "scene/AnchorPath.h"
#include "scene/CameraPath.h"
#include "view/gui/GLCanvasCtrl.h"
#include "view/gui/MainGLCanvas.h"

namespace {

// Context-menu ids of a view.
constexpr int ID_MENU_MOVE_TO_CAM = 6547;
constexpr int ID_MENU_KEY_CAM_POS = 6548;
constexpr int ID_MENU_KEY_CAM_POSROT = 6549;
constexpr int ID_MENU_KEY_ANC_POS = 6550;
constexpr int ID_MENU_LINK_CAM = 6551;
constexpr int ID_MENU_UNLINK_KEEP = 6552;
constexpr int ID_MENU_TOGGLE_PERSPECTIVE = 6553;

void PostTo(wxWindow* target, int id) {
    if (!target) return;
    wxCommandEvent e(wxEVT_MENU, id);
    wxPostEvent(target, e);
}

}  // namespace

void MainGLCanvas_cls::UpdateCamera(int frame, int sub) {
    if (!m_everDrawn) {
        // The choice the bar shows wins over a DisplayMode changed without it.
        m_everDrawn = true;
        if (m_firstDrawHook) m_firstDrawHook();
    }
    if (cameras.Choice() == CAMERA_COPY_VIEW0) {
        if (MainGLCanvas_cls* v0 = FindView(0); v0 && v0 != this) {
            cameras.drawn = v0->cameras.drawn;
            cameras.free = v0->cameras.free;
        }
    }
    // Choice 7 without a followed path (a settings file read after the view had drawn):
    // the view links, as on its first draw.
    if (cameras.Choice() == CAMERA_PATH && !cameras.FollowsPath() && GpCameraPath) {
        int f, s;
        double t;
        SourceFrame(f, s, t);
        cameras.LinkToCameraPath(t);
    }
    // The camera path and anchor at the drawn time: the path camera follows them, and the
    // items pass draws and picks them where they are now.
    {
        int f, s;
        double t;
        SourceFrame(f, s, t);
        if (CameraPath_cls* p = cameras.Path()) p->UpdateTransform(t);
        if (AnchorPath_cls* a = cameras.Anchor()) a->UpdateTransform(t);
    }
    const bool timeMoved = frame != m_drawnFrame || sub != m_drawnSub;
    cameras.Update(timeMoved);
    projection.perspective = cameras.Perspective() ? 1 : 0;
    projection.angle = cameras.ViewAngle(&message);
    projection.nearPlane = settings.depthMin.value;
    projection.farPlane = settings.depthMax.value;
}

void MainGLCanvas_cls::AfterChoiceChange() {
    if (m_choiceHook) m_choiceHook();
    MakeCurrentView();
    RequestPaint();
}

void MainGLCanvas_cls::SetCameraChoice(int choice) {
    cameras.SetChoice(choice);
    if (cameras.Choice() == CAMERA_PATH) LinkToCameraPath();
    AfterChoiceChange();
}

void MainGLCanvas_cls::LinkToCameraPath() {
    int f, s;
    double t;
    SourceFrame(f, s, t);
    cameras.LinkToCameraPath(t);
    AfterChoiceChange();
}

void MainGLCanvas_cls::UnlinkCamera(bool keepView) {
    cameras.Unlink(keepView);
    AfterChoiceChange();
}

void MainGLCanvas_cls::OnTogglePerspective() {
    cameras.TogglePerspective();
    AfterChoiceChange();
}

void MainGLCanvas_cls::RefreshAxisViews() {
    for (MainGLCanvas_cls* v : siblings)
        if (v && v->IsAxisView()) v->RequestPaint();
}

void MainGLCanvas_cls::BuildContextMenu() {
    m_menu = std::make_unique<wxMenu>();
    const wxString key = wxGetTranslation("Sey Key Cam Pos");
    m_menu->Append(ID_MENU_MOVE_TO_CAM, wxGetTranslation("Move to Cam Pos"));
    m_menu->Append(ID_MENU_KEY_CAM_POS, wxString::Format("%s %s", key, wxGetTranslation("(Pos)")));
    m_menu->Append(ID_MENU_KEY_CAM_POSROT, wxString::Format("%s %s", key, wxGetTranslation("(Pos+Rot)")));
    m_menu->Append(ID_MENU_KEY_ANC_POS, wxGetTranslation("Sey Key Anc Pos"));
    m_menu->Append(ID_MENU_LINK_CAM, wxGetTranslation("Link/Unlink to Cam"));
    m_menu->Append(ID_MENU_UNLINK_KEEP, wxGetTranslation("Unlink but view remains here"));
    m_menu->AppendSeparator();
    m_menu->Append(ID_MENU_TOGGLE_PERSPECTIVE, wxGetTranslation("Toggle Perspective"));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { LinkToCameraPath(); }, ID_MENU_MOVE_TO_CAM);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { PostTo(m_frame, ID_SET_CAMERA_KEY_POS); }, ID_MENU_KEY_CAM_POS);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { PostTo(m_frame, ID_SET_CAMERA_KEY_POSROT); },
         ID_MENU_KEY_CAM_POSROT);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { PostTo(m_frame, ID_SET_ANCHOR_KEY); }, ID_MENU_KEY_ANC_POS);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) {
        if (cameras.Choice() < CAMERA_PATH)
            LinkToCameraPath();
        else
            UnlinkCamera(false);
    }, ID_MENU_LINK_CAM);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { UnlinkCamera(true); }, ID_MENU_UNLINK_KEEP);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnTogglePerspective(); }, ID_MENU_TOGGLE_PERSPECTIVE);
    Bind(wxEVT_KEY_DOWN, &MainGLCanvas_cls::OnKeyDown, this);
}

void MainGLCanvas_cls::OnKeyDown(wxKeyEvent& event) {
    // The main frame's shortcuts see the keys typed in every view; the extra view first
    // looks for its own full-screen keys.
    if (m_view == 4 && m_extraKeyHook) m_extraKeyHook(ShortcutForwarder_cls::ModifierMask(event), event.GetKeyCode());
    if (!m_frame) {
        event.Skip();
        return;
    }
    wxKeyEvent copy(event);
    copy.SetId(m_frame->GetId());
    copy.SetEventObject(m_frame);
    wxPostEvent(m_frame, copy);
}

namespace {
std::function<void(MainGLCanvas_cls&, int, int)> g_menuPopup;
}  // namespace

void MainGLCanvas_cls::SetMenuPopup(std::function<void(MainGLCanvas_cls&, int, int)> popup) {
    g_menuPopup = std::move(popup);
}

void MainGLCanvas_cls::ShowContextMenu(int x, int y) {
    if (!m_menu) return;
    if (g_menuPopup) {
        g_menuPopup(*this, x, y);
        if (HasCapture()) ReleaseMouse();
        return;
    }
    PopupMenu(m_menu.get(), x, y);
    if (HasCapture()) ReleaseMouse();
}

void MainGLCanvas_cls::SetShowItems(bool show) {
    settings.showItems.value = show;
    if (auto* bar = dynamic_cast<GLCanvasCtrl_cls*>(GetParent())) bar->SyncToggles();
    RequestPaint();
}
