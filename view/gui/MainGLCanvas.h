// One OpenGL view: a wxGLCanvas sharing one GL context with the other views, its camera and
// projection, and the drawing road of one paint (busy guards, first-paint GL set-up, the
// scene drawn directly or through an off-screen buffer, buffer swap). What the scene holds
// is drawn by the scene drawer the program installs (the particle renderer and the scene
// items); until one is installed a view shows its background.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/glcanvas.h>

#include "common/GLCamera.h"
#include "common/GLProjection.h"
#include "view/CameraGesture.h"
#include "view/ItemDrag.h"
#include "view/MouseTracker.h"
#include "view/ViewCameras.h"
#include "view/ViewSettings.h"

class AxisIndicator_cls;
class CaptureSequence_cls;
class ExposureSettings_cls;
class FBO_cls;
class MainGLCanvas_cls;
class wxMenu;
class wxMouseCaptureLostEvent;
class StereoGram_cls;
class TimeCtrl_cls;
struct ViewInfoLine_cls;

/// What the scene drawer is told about one draw. The projection and model-view matrices
/// are loaded, the matrix mode is GL_MODELVIEW and the viewport is set when it is called.
struct SceneDrawArgs {
    int view = 0;        ///< view index 0..4
    int subView = 0;     ///< sub-view 0..3 (fisheye and panorama draw four)
    int width = 0;       ///< size of the target (buffer or window)
    int height = 0;
    bool offScreen = false;  ///< drawing into a sub-view buffer
    double time = 0;     ///< normalised scene time of the draw
    const GLCamera_cls* camera = nullptr;
    const GLProjection_cls* projection = nullptr;
};

/// Draws the scene of one view pass.
using SceneDrawer = std::function<void(MainGLCanvas_cls& view, const SceneDrawArgs& args)>;

/// Draws a view's 2-D overlays (time text, legends) into a w x h target: the window at its
/// client size, or the capture's overlay buffer at the output size. A 2-D projection of
/// the target (origin lower left, one unit per pixel) is loaded and the viewport set; the
/// drawer may change any GL state inside a push/pop of all attributes.
using OverlayDrawer = std::function<void(MainGLCanvas_cls& view, int w, int h)>;

/// Set while a view paints; a paint that finds it set draws nothing.
extern bool GbPaintBusy;
/// The view being drawn or last made current by the user.
extern MainGLCanvas_cls* GpCurrentCanvas;
/// A press landed on an item-edit-mode icon: gestures wait until the button goes up.
extern bool GbIconClick;

class MainGLCanvas_cls : public wxGLCanvas {
public:
    /// A view inside `parent`. The first view made creates the GL context that every later
    /// view shares (display lists, textures and shader programs serve all views). `frame`
    /// receives the posted commands (may be null). Attributes: double buffer, RGBA,
    /// depth 24, stencil 8.
    MainGLCanvas_cls(wxWindow* parent, wxWindow* frame, int viewIndex, int cameraChoice,
                     const wxString& name = "GLCanvas");
    ~MainGLCanvas_cls() override;

    // Program-wide seams, set by the application ------------------------------------------
    /// The program's scene passes (empty: nothing but the background is drawn).
    static void SetProgramDrawer(SceneDrawer drawer);
    /// A drawer that takes the place of the program's passes while it is set (window tests
    /// draw known shapes through it); empty gives the program's passes back.
    static void SetSceneDrawer(SceneDrawer drawer);
    /// True while the loaders, the configuration reader, Save or Quit hold the views.
    static void SetBusyCheck(std::function<bool()> busy);
    /// "PREF_USE_FBO=": true draws through the off-screen buffers.
    static void SetUseFBO(std::function<bool()> useFBO);
    /// The frame, sub-frame and normalised time the views draw.
    static void SetFrameSource(std::function<void(int& frame, int& sub, double& time)> source);
    /// Asked at the start of every scene draw to make the displayed frame ready (it may wait
    /// for the reader) and to start the prefetch; may be empty.
    static void SetFrameRequest(std::function<void()> request);
    /// True while a data export run holds the main view: its paints export the shown frame
    /// (through the frame request) and draw nothing. May be empty.
    static void SetExportMode(std::function<bool()> exporting);
    /// Called after a scene draw, before the buffers are swapped, with the view's context
    /// current and its picture in the back buffer (window tests read pixels there).
    static void SetPaintProbe(std::function<void(MainGLCanvas_cls& view)> probe);
    /// The 2-D overlays drawn after every scene draw (empty: none).
    static void SetOverlayDrawer(OverlayDrawer drawer);
    /// Called at the end of each view's GL set-up (its first paint), context current; the
    /// program sets up what needs a context once (the exposure program). May be empty.
    static void SetGLInitHook(std::function<void(MainGLCanvas_cls& view)> hook);
    /// The context shared by all views (null before the first view).
    static wxGLContext* SharedContext();
    /// Writes the POV-Ray files of the frame a view in POV-Ray animation mode just drew;
    /// called after each paint that drew (DrawnFrame and DrawnSub give the step).
    static void SetPovAnimationHook(std::function<void(MainGLCanvas_cls& view)> hook);
    /// The view with that index made last (null when none exists).
    static MainGLCanvas_cls* FindView(int viewIndex);
    /// The frame, sub-frame and normalised time the views draw now.
    static void SourceFrame(int& frame, int& sub, double& time);

    // Drawing road ------------------------------------------------------------------------
    /// One paint's work (called by the paint handler).
    void Render();
    /// Draws the scene; false when there was nothing to draw (no context yet, or the GL
    /// state was set up on this call).
    bool DrawScene();
    // Eyes, composition and capture (MainGLCanvasCapture.cpp) ------------------------------
    /// The time model whose motion-blur samples and output steps the views follow (null:
    /// no motion blur, step 0).
    static void SetTimeModel(TimeCtrl_cls* time);
    /// The time model set above (may be null).
    static TimeCtrl_cls* TimeModel();
    /// The exposure settings applied while a scene image is copied into its eye buffer.
    static void SetExposure(ExposureSettings_cls* exposure);
    /// Fills the data side of a view's info line (frame time, particle and copy counts,
    /// pick hit, selected object, mouse position); empty: no info line is drawn.
    static void SetInfoSource(std::function<void(MainGLCanvas_cls& view, ViewInfoLine_cls& info)> source);
    /// The screen items (orientation indicator, item-edit-mode icons) drawn after the
    /// capture; off until the program turns them on (window tests look at bare pictures).
    static void SetScreenItems(bool on);
    /// Told the path of every snapshot saved (the frame remembers it as "LastOpenedFileIMG=").
    static void SetSnapshotSaved(std::function<void(const wxString& path)> saved);
    /// The stereogram the views draw their eyes for: GpStereoGram, or a mono one.
    static StereoGram_cls& Stereo();
    /// Draws the eyes of this paint (one, or two for a two-eye stereogram) and composes them
    /// into the window; in Direct Display mode one pass straight into the window.
    void DrawEyes(double t, bool useFBO);
    /// Copies the sub-view buffers of pass `pass` into the stereogram's eye buffer.
    void CopyToEye(int pass);
    /// After a scene draw: the overlay, the capture, the screen items and the info line, in
    /// that order. True when the buffers are to be swapped (not while earlier motion-blur
    /// samples of a frame are accumulating).
    bool FinishPaint();
    /// The time text and legends into the window (and into the capture's overlay buffer
    /// while capturing).
    void OverlayPass();
    /// Saves this paint's picture when a capture is on (see BeginSequenceCapture and
    /// RequestSnapshot).
    void CaptureImage();
    /// From now on every paint that completes an output step saves a frame of `sequence`
    /// (which becomes GpCaptureSequence; its last index starts at 0).
    void BeginSequenceCapture(CaptureSequence_cls* sequence);
    /// Capture off (ID_END_CAPTURE).
    void EndSequenceCapture();
    /// The next paint reads the window's picture; the snapshot file is then asked for and
    /// written outside the paint.
    void RequestSnapshot();
    /// With ShowMessage: the two info lines at the top left and this paint's warnings (the
    /// message text) at the bottom; the message text is emptied either way.
    void DrawInfoText();
    /// The orientation indicator at the lower left and, in the current view, the three
    /// item-edit-mode icons (when the screen items are on).
    void ScreenPass();
    /// The warnings of the last paint (the message text as the info pass found it).
    const std::string& LastMessage() const { return m_lastMessage; }
    /// The first info line of the last info pass drawn (empty before one).
    const std::string& LastInfoLine() const { return m_lastInfoLine; }
    bool CaptureOn() const { return m_captureOn; }
    bool SequenceCaptureOn() const { return m_sequenceCapture; }
    /// Per-view GL set-up on the first paint; true when it ran on this call.
    bool InitGL();
    /// Draws NoFBONoticeText in black, centred on the window (the view is cleared grey).
    void DrawNoFBONotice();
    /// True when the view is not on screen or has drawn (frame, sub); otherwise asks for a
    /// repaint without erasing and returns false.
    bool RefreshIfStale(int frame, int sub);
    /// Queues a repaint of the view (a paint event, never a direct draw); view 0 also queues
    /// one to the extra view while that is shown as "Copy of View 0".
    void RequestPaint();
    /// The notice a view shows instead of its picture when the driver has no frame-buffer
    /// objects: the GL version and why nothing is drawn. Read after the GL set-up.
    static wxString NoFBONoticeText();
    /// FBOBufferSize entry (256..4096); 4096 when `flag` and the geometry is fisheye or
    /// panorama.
    int BufferSize(int flag) const;
    /// The default free camera.
    void ResetCamera();
    /// Makes this view the current one; true when it was not.
    bool MakeCurrentView();

    // Mouse navigation and picking (MainGLCanvasMouse.cpp) ----------------------------------
    /// The bindings every view matches the mouse against (the preferences); null: none.
    static void SetMouseBindings(const MouseBindings_cls* bindings);
    /// Called with the first pick name under a click bound to "Item Selection" (0 camera
    /// path, 1 anchor, 10..16 lights, 20 + 20 x list + index filters); never with -1.
    static void SetPickSelect(std::function<void(int name)> select);
    /// Draws the pick forms with their names: `request` 1 the selectable items, 2 the
    /// selected object's gizmo (axis names under the object's). Empty: the filters' boxes
    /// and the gizmo (DrawScenePickForms).
    static void SetPickDrawer(std::function<void(int request, double t)> drawer);
    /// Shows a view's context menu in place of the toolkit's (modal) pop-up while set; window
    /// tests record the request through it. Empty: the menu pops up.
    static void SetMenuPopup(std::function<void(MainGLCanvas_cls& view, int x, int y)> popup);
    /// The handler of every mouse event of the view.
    void OnMouse(wxMouseEvent& event);
    /// One gesture step for a w x h client; true when the camera or an item moved.
    bool DoGestures(int w, int h);
    /// On a press: asks the next draw to pick the gizmo axis (ITEM binding) or the item
    /// under the pointer (HITTEST binding).
    void SetPickRequests();
    /// Takes the mouse capture (no sibling keeps one) and becomes the main view.
    void CaptureMouse();
    /// Ends the item drag as one undoable step and asks the views to redraw.
    void CommitItemDrag();
    /// Makes the sibling under the pointer the main view; true when there was one.
    bool RouteWheel();
    bool IsMouseInside() const;
    /// The main view is the current one (GpCurrentCanvas); true when it changed.
    bool MakeMainView() { return MakeCurrentView(); }
    /// After a scene draw: keeps the draw's matrices for drags and picks, serves the pick
    /// requests and draws the drag's guide line.
    void AfterSceneDrawn(bool offScreen, double t);
    /// Asks every view to redraw once after this view's next paint (a new selection or a
    /// moved object): the paint posts ID_REDRAW_VIEWS when it took under a second and the
    /// time is not playing; while playing the request waits for a paint after playback.
    void RequestRedrawOthers() { m_redrawOthers = true; }
    bool RedrawOthersRequested() const { return m_redrawOthers; }
    /// The clock a paint is timed with (steady, microseconds): a paint of a second or more
    /// skips the extra round of the other views, and the info line shows the paint time.
    /// Empty: the process's steady clock. GUI thread.
    void SetPaintClock(std::function<long long()> clock) { m_paintClock = std::move(clock); }
    MouseTracker_cls& Tracker() { return m_tracker; }
    ItemDrag_cls& ItemDrag() { return m_itemDrag; }

    // Camera choice and mouse seams (camera code in MainGLCanvasCamera.cpp) -------------
    /// The camera the current choice works on and mouse gestures move: the axis-view
    /// camera (choices 1..6), the path camera (7), the free camera (0); null for the copy
    /// of view 0, which cannot be steered.
    GLCamera_cls* GetActiveCamera() { return cameras.Active(); }
    /// Camera choice 1..6 (gestures pan instead of orbiting; zoom changes OrthoScale()).
    bool IsAxisView() const { return cameras.IsAxisView(); }
    /// The shared pivot pose of the choice: GoAxisPivotPose for axis views, else GoPivotPose.
    GLCameraPose_cls& GetPivotPose() const { return cameras.PivotPose(); }
    /// The drawn camera's pivot := the pivot pose (or the followed anchor).
    void SetPivotFromPose() { cameras.SetPivotFromPose(); }
    /// GLOrthoScale: the axis-view camera's distance from its pivot (wheel and drag zoom
    /// of the axis views scale it).
    float& OrthoScale() { return settings.orthoScale.value; }
    int CameraChoice() const { return cameras.Choice(); }
    /// Sets the choice (see ViewCameras_cls::SetChoice), shows it in the bar and repaints.
    void SetCameraChoice(int choice);
    /// Follows the scene's camera path (choice 7) and repaints.
    void LinkToCameraPath();
    /// ShowItems (toggle I) as the user would set it: the bar's toggle follows; repaints.
    void SetShowItems(bool show);
    /// Choice 7 or 8: back to the free camera; `keepView` keeps the picture.
    void UnlinkCamera(bool keepView);
    /// GLGeometry 0 <-> 1 (others become 0); repaints.
    void OnTogglePerspective();
    /// Repaints every sibling view whose choice is an axis view (they share a pivot).
    void RefreshAxisViews();
    /// Camera and anchor keys at the current time from this view (one undo step each).
    void SetCameraKeyPos() { cameras.SetCameraKey(false); }
    void SetCameraKeyPosRot() { cameras.SetCameraKey(true); }
    void SetAnchorKey() { cameras.SetAnchorKey(); }
    // POV-Ray animation mode -----------------------------------------------------------
    /// Each paint that draws a step not yet exported in the run writes its POV-Ray files.
    /// Starting the mode makes the step on screen stale, so it is drawn (and exported)
    /// before playback moves on.
    void BeginPovAnimation();
    void EndPovAnimation() { m_povAnimation = false; }
    bool InPovAnimation() const { return m_povAnimation; }

    /// Pops up the view's context menu at (x, y) (client pixels).
    void ShowContextMenu(int x, int y);
    /// Called on the first draw of the view (the bar applies its combos there).
    void SetFirstDrawHook(std::function<void()> hook) { m_firstDrawHook = std::move(hook); }
    /// Called whenever the choice changed outside the bar (the bar shows it).
    void SetChoiceChangedHook(std::function<void()> hook) { m_choiceHook = std::move(hook); }
    /// Keys typed in the extra view, before they go on to the main frame (its bar switches
    /// full screen with Alt+Enter and back with Esc). Arguments: modifier mask, key code.
    void SetExtraViewKeyHook(std::function<void(int, int)> hook) { m_extraKeyHook = std::move(hook); }
    /// The four upper views (filled by the layout): the axis views refresh each other, the
    /// wheel and the mouse capture are routed among them.
    std::vector<MainGLCanvas_cls*> siblings;

    int ViewIndex() const { return m_view; }
    int DrawnFrame() const { return m_drawnFrame; }
    int DrawnSub() const { return m_drawnSub; }
    void ForgetDrawnFrame() { m_drawnFrame = m_drawnSub = -1; }
    /// Number of paints that drew the scene (for the status line and the tests).
    int DrawCount() const { return m_drawCount; }
    bool GLReady() const { return m_glReady; }

    ViewSettings_cls settings;    ///< the "Panel<view>" lines
    ViewCameras_cls cameras;      ///< camera records and choice
    GLCamera_cls& camera;         ///< the drawn camera (cameras.drawn)
    GLProjection_cls projection;  ///< angle 35, depth 0.03..5000
    std::string message;  ///< warnings of one paint

private:
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void CallDrawer(int subView, int w, int h, bool offScreen, double t);
    void RenderToFBO(double t, int pass);
    void ComposeEye(int a, int b, int pass);
    void ComposeDistorted(int a, int b, int pass);
    void SaveSequenceFrame(int buffer, int eye);
    /// Motion-blur samples are being added up in this view's eye buffers (it captures).
    bool Accumulating() const;
    void DirectPass(double t);
    /// The selected object's gizmo into the bound sub-view buffer of a fisheye or panorama
    /// view (MainGLCanvasMouse.cpp).
    void DrawSubViewGizmo(double t);
    /// AfterSceneDrawn of a fisheye or panorama view drawn through the sub-view buffers.
    void AfterWideSceneDrawn(double t);
    /// The camera the scene passes of `eye` (0 mono, 1 left, 2 right) drew with at time t:
    /// the drawn camera moved for that eye, as each eye's passes see it
    /// (MainGLCanvasCapture.cpp).
    GLCamera_cls EyeSceneCamera(int eye, double t);
    /// The model-view and projection matrices and the window rectangle of the picture of
    /// `pass` in a planar view: the whole client when drawn directly; through a buffer, the
    /// square over the wider side, or that pass's half of a side-by-side stereogram.
    void PictureMatrices(bool offScreen, int pass, double t, double mv[16], double pr[16], int vp[4]);
    /// Serves the pick requests at (x, y) with a `region`-pixel square under the matrices
    /// and viewport of the picture the click landed in; clears the requests.
    void RunPicks(double x, double y, double region, const double mv[16], const double pr[16], const int vp[4],
                  double t);
    int GeometryMode() const { return cameras.GeometryMode(); }
    /// The camera and projection of a draw (MainGLCanvasCamera.cpp).
    void UpdateCamera(int frame, int sub);
    void BuildContextMenu();
    void AfterChoiceChange();
    void BindMouse();
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    /// The camera, pivot pose and orthographic scale mouse gestures work on.
    GLCamera_cls& GestureCamera();
    GLCameraPose_cls& GesturePivotPose();

    wxWindow* m_frame;
    int m_view;
    int m_drawnFrame = -1, m_drawnSub = -1;
    int m_drawCount = 0;
    bool m_showingNotice = false;  ///< this paint showed the no-frame-buffer notice only
    bool m_everDrawn = false;  ///< the camera of a draw has been made once
    bool m_glReady = false;
    int m_clientW = 0, m_clientH = 0;
    std::unique_ptr<FBO_cls> m_small;  ///< the view's 128 x 128 buffer
    std::unique_ptr<AxisIndicator_cls> m_axis;    ///< orientation indicator, made on first use
    MouseTracker_cls m_tracker;
    CameraGesture_cls m_gesture;
    ItemDrag_cls m_itemDrag;
    bool m_pickSelect = false, m_pickGizmo = false;  ///< pick requests for the next draw
    std::unique_ptr<FBO_cls> m_distortionBuffer;  ///< fisheye composition, 4096 x 4096
    std::unique_ptr<FBO_cls> m_overlayCapture;    ///< overlay at the capture's output size
    bool m_overlayCaptured = false;  ///< the overlay capture buffer holds this paint's overlay
    bool m_captureOn = false;        ///< the next completed paint saves an image
    bool m_sequenceCapture = false;  ///< ... as a frame of GpCaptureSequence
    bool m_useFBO = true;            ///< this paint draws through the off-screen buffers
    int m_messageCount = 0;          ///< info passes drawn ("Count")
    std::string m_lastMessage;       ///< message text of the last info pass
    std::string m_lastInfoLine;      ///< first info line of the last info pass
    long long m_paintStartUs = 0;    ///< when this paint began (steady clock, microseconds)
    bool m_redrawOthers = false;     ///< see RequestRedrawOthers
    std::function<long long()> m_paintClock;  ///< see SetPaintClock
    long long PaintClockUs() const;
    std::unique_ptr<wxMenu> m_menu;    ///< context menu, ids 6547..6553
    std::function<void()> m_firstDrawHook;
    std::function<void()> m_choiceHook;
    std::function<void(int, int)> m_extraKeyHook;
    bool m_povAnimation = false;
    void OnKeyDown(wxKeyEvent& event);
};
