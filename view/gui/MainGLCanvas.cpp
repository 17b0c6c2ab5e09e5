// The drawing road of one view.
#include "view/gui/MainGLCanvas.h"

#include <GL/gl.h>

#include <algorithm>

#include <wx/dcclient.h>
#include <wx/stopwatch.h>

#include "common/CommandIds.h"
#include "common/gui/WidgetCommon.h"
#include "platform/gui/GLDrawable.h"
#include "timeline/TimeCtrl.h"
#include "view/IcoSphere.h"
#include "view/gui/AxisIndicator.h"
#include "view/gui/BitmapText.h"
#include "view/gui/FBO.h"
#include "view/gui/GLInfo.h"
#include "view/gui/GLResources.h"
#include "view/gui/ShaderProgram.h"

bool GbPaintBusy = false;
MainGLCanvas_cls* GpCurrentCanvas = nullptr;

namespace {

wxGLContext* g_context = nullptr;
unsigned long g_contextVisual = 0;  // the X visual the context was made for
int g_canvasCount = 0;
SceneDrawer g_drawer;
SceneDrawer g_programDrawer;
std::function<bool()> g_busy;
std::function<bool()> g_useFBO;
std::function<void(int&, int&, double&)> g_frameSource;
std::function<void(MainGLCanvas_cls&)> g_probe;
std::function<void(MainGLCanvas_cls&)> g_glInit;
std::function<void()> g_frameRequest;
std::function<bool()> g_exportMode;
std::function<void(MainGLCanvas_cls&)> g_povHook;

std::vector<MainGLCanvas_cls*> g_views;

const int kAttribs[] = {WX_GL_RGBA, WX_GL_DOUBLEBUFFER, WX_GL_DEPTH_SIZE, 24, WX_GL_STENCIL_SIZE, 8, 0};

}  // namespace

MainGLCanvas_cls::MainGLCanvas_cls(wxWindow* parent, wxWindow* frame, int viewIndex, int choice,
                                   const wxString& name)
    : wxGLCanvas(parent, wxID_ANY, kAttribs, wxDefaultPosition, wxDefaultSize,
                 wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS, name),
      settings(viewIndex, choice),
      cameras(settings),
      camera(cameras.drawn),
      projection(640, 480, 35, 0.03, 5000),
      m_frame(frame),
      m_view(viewIndex) {
    // The first view makes the context; every later view shares it, so lists, textures and
    // programs are built once. It is made current only in a paint, once the view is shown.
    if (!g_context) {
        g_context = new wxGLContext(this);
        g_contextVisual = platform::CanvasVisualId(*this);
    }
    ++g_canvasCount;
    g_views.push_back(this);
    ResetCamera();
    BuildContextMenu();
    // Painting happens only in paint events; the background is never erased by the
    // toolkit (that would flicker between the erase and the GL picture).
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &MainGLCanvas_cls::OnPaint, this);
    Bind(wxEVT_SIZE, &MainGLCanvas_cls::OnSize, this);
    BindMouse();
}

MainGLCanvas_cls::~MainGLCanvas_cls() {
    if (GpCurrentCanvas == this) GpCurrentCanvas = nullptr;
    g_views.erase(std::remove(g_views.begin(), g_views.end(), this), g_views.end());
    for (MainGLCanvas_cls* v : g_views)
        v->siblings.erase(std::remove(v->siblings.begin(), v->siblings.end(), this), v->siblings.end());
    if (g_context && m_small && IsShownOnScreen()) platform::MakeCurrentChecked(*g_context, *this);
    m_small.reset();
    if (--g_canvasCount == 0) {
        delete g_context;
        g_context = nullptr;
        // The sphere lists went with the context: a later context builds its own, instead
        // of calling names that there belong to other lists.
        delete GpIcoSphere;
        GpIcoSphere = nullptr;
        // So did the shader programs: a later context draws with the fixed pipeline until
        // its first view's set-up builds them again, never with names of another context.
        ShaderProgram_cls::Destroy();
    }
}

void MainGLCanvas_cls::SetSceneDrawer(SceneDrawer drawer) { g_drawer = std::move(drawer); }
void MainGLCanvas_cls::SetProgramDrawer(SceneDrawer drawer) { g_programDrawer = std::move(drawer); }
void MainGLCanvas_cls::SetBusyCheck(std::function<bool()> busy) { g_busy = std::move(busy); }
void MainGLCanvas_cls::SetUseFBO(std::function<bool()> useFBO) { g_useFBO = std::move(useFBO); }
void MainGLCanvas_cls::SetFrameSource(std::function<void(int&, int&, double&)> source) {
    g_frameSource = std::move(source);
}
void MainGLCanvas_cls::SetGLInitHook(std::function<void(MainGLCanvas_cls&)> hook) {
    g_glInit = std::move(hook);
}

void MainGLCanvas_cls::SetPaintProbe(std::function<void(MainGLCanvas_cls&)> probe) {
    g_probe = std::move(probe);
}
void MainGLCanvas_cls::SetFrameRequest(std::function<void()> request) { g_frameRequest = std::move(request); }
void MainGLCanvas_cls::SetExportMode(std::function<bool()> exporting) { g_exportMode = std::move(exporting); }
wxGLContext* MainGLCanvas_cls::SharedContext() { return g_context; }
void MainGLCanvas_cls::SetPovAnimationHook(std::function<void(MainGLCanvas_cls&)> hook) {
    g_povHook = std::move(hook);
}

void MainGLCanvas_cls::BeginPovAnimation() {
    m_povAnimation = true;
    // The picture on screen was drawn before the run: as stale, it holds playback back
    // until it has been drawn, and so exported, as the run's first step.
    ForgetDrawnFrame();
    Refresh(false);
}

MainGLCanvas_cls* MainGLCanvas_cls::FindView(int viewIndex) {
    for (auto it = g_views.rbegin(); it != g_views.rend(); ++it)
        if ((*it)->m_view == viewIndex) return *it;
    return nullptr;
}

void MainGLCanvas_cls::SourceFrame(int& frame, int& sub, double& time) {
    frame = 0, sub = 0, time = 0;
    if (g_frameSource) g_frameSource(frame, sub, time);
}

void MainGLCanvas_cls::ResetCamera() { cameras.Reset(); }

bool MainGLCanvas_cls::MakeCurrentView() {
    if (GpCurrentCanvas == this) return false;
    MainGLCanvas_cls* old = GpCurrentCanvas;
    GpCurrentCanvas = this;
    if (old) old->RequestPaint();
    return true;
}

void MainGLCanvas_cls::OnSize(wxSizeEvent& event) {
    // A new size needs a new picture: the view counts as stale.
    ForgetDrawnFrame();
    Refresh(false);
    event.Skip();
}

void MainGLCanvas_cls::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);  // a paint handler must always validate its region
    const int drawn = m_drawCount;
    Render();
    // Only a paint that drew exports: one skipped while busy has not drawn its step.
    if (m_povAnimation && g_povHook && m_drawCount != drawn) g_povHook(*this);
    GbPaintBusy = false;
}

void MainGLCanvas_cls::Render() {
    if (!IsShownOnScreen() || GbPaintBusy || (g_busy && g_busy())) return;
    const wxSize size = GetClientSize();
    // A view squeezed to nothing by the layout has nothing to show; binding a context to a
    // zero-sized drawable is an error under GLX.
    if (size.x <= 0 || size.y <= 0) return;
    GbPaintBusy = true;
    m_paintStartUs = PaintClockUs();
    message.clear();  // the warnings of this paint only
    m_clientW = size.x;
    m_clientH = size.y;
    if (DrawScene()) {
        ++m_drawCount;
        // The notice stands alone: no overlay, icons or info line over it.
        const bool swap = m_showingNotice || FinishPaint();
        if (g_probe) g_probe(*this);
        if (swap) platform::SwapBuffersChecked(*this);
    }
    if (GpCurrentCanvas == this && m_frame) {
        // The camera-path, light and stereogram dialogs follow the current view; a dialog
        // that is not built yet ignores its refresh.
        WidgetCommon_cls::PostMenuCommand(m_frame, ID_CAMERA_DIALOG_REFRESH);
        WidgetCommon_cls::PostMenuCommand(m_frame, ID_LIGHT_DIALOG_REFRESH);
        WidgetCommon_cls::PostMenuCommand(m_frame, ID_STEREO_DIALOG_REFRESH);
    }
    const TimeCtrl_cls* time = TimeModel();
    if (m_redrawOthers && !(time && time->IsPlaying())) {
        // A new selection or a moved object shows in every view once; a slow paint skips
        // that extra round, which would take as long again in each view.
        m_redrawOthers = false;
        if (PaintClockUs() - m_paintStartUs < 1000000LL && m_frame)
            WidgetCommon_cls::PostMenuCommand(m_frame, ID_REDRAW_VIEWS);
    }
}

bool MainGLCanvas_cls::DrawScene() {
    message.clear();
    m_showingNotice = false;
    if (g_frameRequest) g_frameRequest();
    int frame = 0, sub = 0;
    double t = 0;
    if (g_frameSource) g_frameSource(frame, sub, t);
    if (m_view == 0 && g_exportMode && g_exportMode()) {
        // An export paint has written the shown frame: it draws and shows nothing.
        m_drawnFrame = frame;
        m_drawnSub = sub;
        return false;
    }
    if (!g_context) return false;
    // A window the layout has just shown may not yet be realised with the context's visual;
    // binding it then is an X error that would end the program. Such a paint draws
    // nothing: the view stays stale, and the idle driver's next round paints it.
    if (!platform::WindowReadyForContext(*this, g_contextVisual)) return false;
    if (!platform::MakeCurrentChecked(*g_context, *this)) return false;
    if (InitGL()) {
        // The paint on which a view sets its GL state up draws nothing; the idle driver's
        // staleness check (or this queued repaint when there is no idle driver) draws it.
        CallAfter([this] { Refresh(false); });
        return false;
    }
    if (!GbFBOSupported && (!g_useFBO || g_useFBO())) {
        // FBO mode cannot work with this driver: the view shows why on grey instead of a
        // picture that would be wrong (the reason went to standard error once at set-up).
        glViewport(0, 0, m_clientW, m_clientH);
        glClearColor(212 / 255.0f, 212 / 255.0f, 212 / 255.0f, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        DrawNoFBONotice();
        m_showingNotice = true;
        return true;
    }
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    projection.SetViewportSize(m_clientW, m_clientH);
    projection.SetFitSize(m_clientW, m_clientH);
    UpdateCamera(frame, sub);
    m_drawnFrame = frame;
    m_drawnSub = sub;
    const bool useFBO = GbFBOSupported && (!g_useFBO || g_useFBO());
    DrawEyes(t, useFBO);
    AfterSceneDrawn(useFBO, t);
    return true;
}

void MainGLCanvas_cls::CallDrawer(int subView, int w, int h, bool offScreen, double t) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    // The drawer places its objects with the model-view matrix (translations, scene
    // object transforms): it starts in that mode, as every draw expects.
    glMatrixMode(GL_MODELVIEW);
    const SceneDrawer& drawer = g_drawer ? g_drawer : g_programDrawer;
    if (drawer) {
        SceneDrawArgs a;
        a.view = m_view;
        a.subView = subView;
        a.width = w;
        a.height = h;
        a.offScreen = offScreen;
        a.time = t;
        a.camera = &camera;
        a.projection = &projection;
        drawer(*this, a);
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

void MainGLCanvas_cls::DirectPass(double t) {
    const GLCamera_cls sceneCamera = cameras.SceneCamera();
    projection.ApplyViewport();
    projection.Apply(sceneCamera, 0);
    sceneCamera.LoadModelview(GL_MODELVIEW);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    if (GeometryMode() != 0) message += "Direct Display Mode does not support fisheye or panorama.\n";
    CallDrawer(0, m_clientW, m_clientH, false, t);
}

void MainGLCanvas_cls::RenderToFBO(double t, int pass) {
    FBOPool_cls* pool = GpFBOPool;
    if (!pool) return;
    const int s = BufferSize(0);
    pool->Resize(projection.fitWidth, projection.fitHeight, s);
    const int n = GeometryMode() == 0 ? 1 : 4;
    // The square buffer is shown over the view's wider side: an orthographic box must
    // cover that side too, or the view would show less than a direct draw.
    const GLCamera_cls sceneCamera = cameras.SceneCamera();
    const GLCamera_cls bufferCamera =
        (GeometryMode() == 0 && !projection.perspective)
            ? ViewCameras_cls::OrthoBufferCamera(sceneCamera, projection.fitWidth, projection.fitHeight)
            : sceneCamera;
    for (int j = 0; j < n; ++j) {
        pool->BeginSubView(j, bufferCamera, projection, GeometryMode());
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        CallDrawer(j, s, s, true, t);
        // A fisheye or panorama picture is composed from the sub-views: the gizmo is drawn
        // into each of them, so it shows where the composition puts its object.
        if (n > 1) DrawSubViewGizmo(t);
        pool->EndSubView(j);
    }
    CopyToEye(pass);
}

bool MainGLCanvas_cls::InitGL() {
    if (m_glReady) return false;
    InitGlutOnce();
    SetDefaultGLState();
    QueryGLInfoOnce();
    FetchFBOEntryPoints();
    if (GbFBOSupported) {
        m_small = std::make_unique<FBO_cls>(128, 128);
        m_small->Allocate(false);
    }
    InitSharedGLObjects(this);
    glDepthFunc(GL_LEQUAL);
    m_glReady = true;
    if (g_glInit) g_glInit(*this);
    return true;
}

wxString MainGLCanvas_cls::NoFBONoticeText() {
    return "Your OpenGL version is " + GLInfoRecord().GLVersionText() +
           "\nFBO is NOT supported. Plase upgrade your OpenGL environment."
           "\nYou can not use most advanced openGL functions on remote desktop.";
}

void MainGLCanvas_cls::DrawNoFBONotice() {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor3f(0, 0, 0);
    ScreenSize_cls screen;
    screen.Set(m_clientW, m_clientH);
    DrawCentredBitmapText(screen, BitmapFontForIndex(1), NoFBONoticeText().ToStdString());
    glPopAttrib();
}

int MainGLCanvas_cls::BufferSize(int flag) const {
    if (flag && GeometryMode() != 0) return 4096;
    return RenderBufferSize();
}

bool MainGLCanvas_cls::RefreshIfStale(int frame, int sub) {
    if (!IsShownOnScreen()) return true;
    const wxSize size = GetClientSize();
    if (size.x <= 0 || size.y <= 0) return true;  // nothing to show: always current
    if (m_drawnFrame == frame && m_drawnSub == sub) return true;
    Refresh(false);
    return false;
}

void MainGLCanvas_cls::RequestPaint() {
    // Queued: the paint runs from the event loop, never inside another paint.
    Refresh(false);
    // The extra view copying view 0's camera follows every picture view 0 draws: a mouse
    // gesture in view 0 repaints only view 0.
    if (m_view == 0) {
        MainGLCanvas_cls* extra = FindView(4);
        if (extra && extra != this && extra->IsShownOnScreen() && extra->CameraChoice() == CAMERA_COPY_VIEW0) extra->Refresh(false);
    }
}
