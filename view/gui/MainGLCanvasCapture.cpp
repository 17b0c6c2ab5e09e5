// What a view does around and after its scene passes: one pass per eye, each copied into
// its eye buffer (through the exposure and, for fisheye, the lens composition), the eyes
// composed into the window, then the 2-D overlays, the capture of the picture to an image
// file, the screen items and the info line.
#include <GL/gl.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>

#include <wx/translation.h>

#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "common/gui/WidgetCommon.h"
#include "platform/gui/GLEntryPoints.h"
#include "scene/SceneObj.h"
#include "timeline/TimeCtrl.h"
#include "view/CaptureSequence.h"
#include "view/DistortionMesh.h"
#include "view/ExposureSettings.h"
#include "view/StereoGram.h"
#include "view/ViewInfoLine.h"
#include "view/ModeIcon.h"
#include "view/gui/AxisIndicator.h"
#include "view/gui/BitmapText.h"
#include "view/gui/FBO.h"
#include "view/gui/GLPicker.h"
#include "view/gui/GLResources.h"
#include "view/gui/GLTexture.h"
#include "view/gui/ImageSaverGL.h"
#include "view/gui/ImgSequence.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/ScreenQuad.h"

namespace {

OverlayDrawer g_overlayDrawer;
TimeCtrl_cls* g_time = nullptr;
ExposureSettings_cls* g_exposure = nullptr;
std::function<void(MainGLCanvas_cls&, ViewInfoLine_cls&)> g_infoSource;
bool g_screenItems = false;
std::function<void(const wxString&)> g_snapshotSaved;
const wxGLContext* g_iconContext = nullptr;  ///< the context the mode icons were loaded in

long long NowUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

/// Total and available video memory of the NVX memory-info extension, in its units; 10
/// each where the extension is missing (asking for the values then would be a GL error).
void VideoMemory(int& total, int& available) {
    total = available = 10;
    const char* ext = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!ext || !std::strstr(ext, "GL_NVX_gpu_memory_info")) return;
    GLint v = 10;
    glGetIntegerv(0x9048, &v);
    total = v;
    v = 10;
    glGetIntegerv(0x9049, &v);
    available = v;
}
/// The context the stereogram's eye buffers were made in: when the views' context is made
/// anew (all views closed and a new one opened) those GL objects are gone with the old one.
const wxGLContext* g_eyeContext = nullptr;

const MotionBlur_cls* Blur() { return g_time ? &g_time->motionBlur : nullptr; }
bool Sampling() { return Blur() && Blur()->sampling; }

/// Calls the overlay drawer for a w x h target with a pixel projection, restoring the GL
/// state it may change.
void DrawOverlayInto(MainGLCanvas_cls& view, int w, int h) {
    if (!g_overlayDrawer || w <= 0 || h <= 0) return;
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    PushOrtho2D(w, h);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    g_overlayDrawer(view, w, h);
    PopOrtho2D();
    glPopAttrib();
}

/// Drops buffers whose GL objects died with an earlier context, without touching GL.
void ForgetStaleEyeBuffers(StereoGram_cls& stereo) {
    const wxGLContext* now = MainGLCanvas_cls::SharedContext();
    if (g_eyeContext == now) return;
    for (FBO_cls** pair : {stereo.eyeBuffers, stereo.otherBuffers})
        for (int i = 0; i < 2; ++i) {
            if (pair[i]) pair[i]->created = false;
            delete pair[i];
            pair[i] = nullptr;
        }
    g_eyeContext = now;
}

/// The views' camera swapped for an eye's copy while that eye draws, and put back after:
/// every pass draws with the view's camera, so each eye stands in its place.
class EyeCamera {
public:
    EyeCamera(GLCamera_cls& camera, const StereoGram_cls& stereo, int eye, double t)
        : camera_(camera), saved_(camera) {
        stereo.ApplyEyeToCamera(camera_, eye, t);
    }
    ~EyeCamera() { camera_ = saved_; }
    EyeCamera(const EyeCamera&) = delete;
    EyeCamera& operator=(const EyeCamera&) = delete;

private:
    GLCamera_cls& camera_;
    GLCamera_cls saved_;
};

}  // namespace

void MainGLCanvas_cls::SetOverlayDrawer(OverlayDrawer drawer) { g_overlayDrawer = std::move(drawer); }
void MainGLCanvas_cls::SetTimeModel(TimeCtrl_cls* time) { g_time = time; }
void MainGLCanvas_cls::SetExposure(ExposureSettings_cls* exposure) {
    g_exposure = exposure;
}

void MainGLCanvas_cls::SetInfoSource(std::function<void(MainGLCanvas_cls&, ViewInfoLine_cls&)> source) {
    g_infoSource = std::move(source);
}

void MainGLCanvas_cls::SetScreenItems(bool on) { g_screenItems = on; }
void MainGLCanvas_cls::SetSnapshotSaved(std::function<void(const wxString&)> saved) {
    g_snapshotSaved = std::move(saved);
}

bool MainGLCanvas_cls::Accumulating() const { return Sampling() && m_captureOn && m_sequenceCapture; }

StereoGram_cls& MainGLCanvas_cls::Stereo() {
    static StereoGram_cls mono;
    return GpStereoGram ? *GpStereoGram : mono;
}

// ------------------------------------------------------------------------- eyes

GLCamera_cls MainGLCanvas_cls::EyeSceneCamera(int eye, double t) {
    EyeCamera swap(camera, Stereo(), eye, t);
    return cameras.SceneCamera();
}

long long MainGLCanvas_cls::PaintClockUs() const { return m_paintClock ? m_paintClock() : NowUs(); }
TimeCtrl_cls* MainGLCanvas_cls::TimeModel() { return g_time; }

void MainGLCanvas_cls::DrawEyes(double t, bool useFBO) {
    StereoGram_cls& stereo = Stereo();
    stereo.SetViewSize(m_clientW, m_clientH);
    if (m_captureOn && m_sequenceCapture && GpCaptureSequence) {
        // A sequence is framed for its output size, whatever the window's shape.
        GpCaptureSequence->SetViewSize(m_clientW, m_clientH, float(projection.angle), false);
        if (GpCaptureSequence->outputWidth.value > 0 && GpCaptureSequence->outputHeight.value > 0)
            projection.SetFitSize(GpCaptureSequence->outputWidth.value, GpCaptureSequence->outputHeight.value);
    }
    m_useFBO = useFBO && GpFBOPool;
    if (!m_useFBO) {
        EyeCamera eye(camera, stereo, stereo.EyeOfPass(0), t);
        DirectPass(t);
        if (stereo.PassCount() > 1) message += "Direct Display Mode does not support stereogram.\n";
        return;
    }
    ForgetStaleEyeBuffers(stereo);
    stereo.UseCaptureBuffers(m_sequenceCapture);
    // Only the capturing view adds motion-blur samples up; any other view shows each
    // sample as it comes.
    const MotionBlur_cls* blur = Blur();
    if (!Accumulating() || blur->IsFirstSample()) stereo.ClearEyeBuffers();
    for (int pass = 0; pass < stereo.PassCount(); ++pass) {
        stereo.eyeBufferSize = BufferSize(1);
        stereo.PrepareEyeBuffer(pass);
        EyeCamera eye(camera, stereo, stereo.EyeOfPass(pass), t);
        RenderToFBO(t, pass);
    }
    glViewport(0, 0, m_clientW, m_clientH);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    // Fisheye and panorama images are square compositions of the four sub-views that
    // span the window's height (the panorama band: 360 degrees over one view height).
    stereo.fisheye = GeometryMode() != 0;
    stereo.Compose(settings.distortion.value && cameras.IsFisheye());
}

void MainGLCanvas_cls::CopyToEye(int pass) {
    StereoGram_cls& stereo = Stereo();
    // Motion-blur samples add up in the eye buffer: each is copied with alpha w and its
    // colour premultiplied by w, so it adds w x w = 1 / count of the picture.
    const float w = Accumulating() ? std::sqrt(Blur()->GetSampleWeight()) : 1.0f;
    if (g_exposure) {
        g_exposure->alpha = w;
        g_exposure->blendMode = 1;
    }
    stereo.BeginEyePass(pass);
    glColor4f(w, w, w, w);
    const int e = stereo.eyeBufferSize;
    ComposeEye(e, e, pass);
    stereo.EndEyePass(pass);
    if (g_exposure) {
        g_exposure->alpha = 1.0f;
        g_exposure->blendMode = 0;
    }
}

void MainGLCanvas_cls::ComposeEye(int a, int b, int pass) {
    StereoGram_cls& stereo = Stereo();
    if (GeometryMode() != 0) {
        ComposeDistorted(a, b, pass);
        return;
    }
    FBO_cls* slot = GpFBOPool ? GpFBOPool->Slot(0) : nullptr;
    if (!slot || !slot->created) return;
    // The colour set by CopyToEye carries the sample weight where no exposure program runs.
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    if (g_exposure) g_exposure->BeginExposure();
    stereo.ApplyEyeColorMask(pass);
    glColor4fv(colour);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);  // additive: motion-blur samples add up
    StereoGram_cls::DrawTextureIdQuad(slot->texture, a, b, StereoGram_cls::FittedQuad(1, a, b));
    stereo.ResetColorMask();
    if (g_exposure) g_exposure->EndExposure();
}

void MainGLCanvas_cls::ComposeDistorted(int a, int b, int pass) {
    StereoGram_cls& stereo = Stereo();
    FBOPool_cls* pool = GpFBOPool;
    if (!pool) return;
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    glClear(GL_STENCIL_BUFFER_BIT);
    if (GeometryMode() == 2) {
        // The panorama band is composed straight into the eye buffer.
        if (g_exposure) g_exposure->BeginExposure();
        bool mask[4];
        stereo.EyeColorMask(pass, mask);
        stereo.ApplyEyeColorMask(pass);
        pool->ComposePanorama(projection.angle, 0, a, b, mask);
        stereo.ResetColorMask();
        if (g_exposure) g_exposure->EndExposure();
        return;
    }
    const int e = 4096;
    if (!m_distortionBuffer)
        m_distortionBuffer = std::make_unique<FBO_cls>(e, e);
    else
        m_distortionBuffer->SetSize(e, e);
    m_distortionBuffer->Allocate(false);
    m_distortionBuffer->Bind(true);
    // The eye's colours are chosen here: the lens mesh below copies the buffer unmasked.
    bool mask[4];
    stereo.EyeColorMask(pass, mask);
    pool->ComposeFisheye(projection.angle, 0, e, e, mask);
    // The grid and the mask are plain images: lit, they would take the material's colour.
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    if (settings.fisheyeGrid.value && FisheyeGridTexture()) {
        glEnable(GL_BLEND);
        glBlendColor(0.5f, 0.25f, 0.25f, 1.0f);
        glBlendFunc(GL_CONSTANT_COLOR, GL_ONE_MINUS_SRC_COLOR);
        DrawTextureFitted(*FisheyeGridTexture(), e, e, 2, true);
        glBlendColor(1, 1, 1, 1);
    }
    if (settings.distortion.value && MaskTexture()) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_ZERO, GL_SRC_COLOR);  // multiply by the mask
        glColor4f(1, 1, 1, 1);
        DrawTextureFitted(*MaskTexture(), e, e, 1, true);
    }
    m_distortionBuffer->Unbind();

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);  // the lens mesh's faces are wound either way
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    if (g_exposure) g_exposure->BeginExposure();
    glColor4fv(colour);
    if (settings.distortion.value && GpDistortionMesh && GpDistortionMesh->loaded) {
        // Through the lens mesh, without the eye colour mask.
        glEnable(GL_TEXTURE_2D);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        m_distortionBuffer->BindTexture();
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        SetupDistortionView(a, b);
        GpDistortionMesh->Draw(float(a) / float(b), 1.0f, 0, 1);
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glBindTexture(GL_TEXTURE_2D, 0);
    } else {
        stereo.ApplyEyeColorMask(pass);
        glColor4fv(colour);
        StereoGram_cls::DrawTextureIdQuad(m_distortionBuffer->texture, a, b, StereoGram_cls::FittedQuad(1, a, b));
        stereo.ResetColorMask();
    }
    if (g_exposure) g_exposure->EndExposure();
    glPopAttrib();
}

// ------------------------------------------------------------------------- after the scene

bool MainGLCanvas_cls::FinishPaint() {
    OverlayPass();
    CaptureImage();
    ScreenPass();
    DrawInfoText();
    // Earlier motion-blur samples of a frame stay in the eye buffers and are not shown.
    return !Accumulating() || Blur()->IsLastSample();
}

void MainGLCanvas_cls::OverlayPass() {
    m_overlayCaptured = false;
    if (m_captureOn && m_sequenceCapture && GpCaptureSequence && m_useFBO && g_overlayDrawer) {
        const int w = GpCaptureSequence->outputWidth.value, h = GpCaptureSequence->outputHeight.value;
        if (w > 0 && h > 0) {
            if (!m_overlayCapture)
                m_overlayCapture = std::make_unique<FBO_cls>(w, h);
            else
                m_overlayCapture->SetSize(w, h);
            m_overlayCapture->bits = 8;
            m_overlayCapture->Allocate(true);
            m_overlayCapture->Bind(true);
            DrawOverlayInto(*this, w, h);
            m_overlayCapture->Unbind();
            m_overlayCaptured = m_overlayCapture->created;
        }
    }
    DrawOverlayInto(*this, m_clientW, m_clientH);
}

void MainGLCanvas_cls::ScreenPass() {
    if (!g_screenItems) return;
    projection.SetViewportSize(m_clientW, m_clientH);
    projection.ApplyViewport();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    if (!m_axis) m_axis = std::make_unique<AxisIndicator_cls>(this);
    m_axis->Render(camera);
    m_axis->Draw(m_clientW, m_clientH);
    if (GpCurrentCanvas == this) {
        if (g_iconContext != SharedContext()) {
            LoadModeIcons();
            g_iconContext = SharedContext();
        }
        DrawModeIcons(m_clientW, m_clientH);
    }
    glPopAttrib();
}

void MainGLCanvas_cls::DrawInfoText() {
    m_lastMessage = message;
    // Without the program's data source (window tests of bare pictures) no line is drawn.
    if (!settings.showMessage.value || !g_infoSource) {
        message.clear();
        return;
    }
    ViewInfoLine_cls info;
    if (g_infoSource) g_infoSource(*this, info);
    // What the last pick hit (names of its first record; a gizmo pick gives the axis as
    // the second), the selected scene object, and where the pointer stands in this view.
    info.hit0 = GoGLPicker.FirstName();
    info.hit1 = GoGLPicker.SecondName();
    info.selected = static_cast<long long>(reinterpret_cast<std::intptr_t>(GpSelectedSceneObj));
    info.pointX = m_tracker.x;
    info.pointY = m_tracker.y;
    info.paintMs = long((PaintClockUs() - m_paintStartUs) / 1000);
    VideoMemory(info.gmem0, info.gmem1);
    info.count = m_messageCount++;
    info.blockDepth = GoCommandHistory.BlockDepth();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glViewport(0, 0, m_clientW, m_clientH);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    ScreenSize_cls screen;
    screen.Set(m_clientW, m_clientH);
    void* font = BitmapFontForIndex(1);  // Helvetica 12
    glColor4f(1, 1, 1, 1);
    m_lastInfoLine = info.Line1();
    DrawBitmapText(screen, font, m_lastInfoLine, 5, 10, true);
    DrawBitmapText(screen, font, info.Line2(), 5, 28, true);
    if (!message.empty()) {
        // From 10 pixels above the bottom, each further line 24 pixels higher.
        glColor4f(1, 0.5f, 0.5f, 1);
        DrawBitmapText(screen, font, message, 100, 10, false);
    }
    message.clear();
    glPopAttrib();
}

// ------------------------------------------------------------------------- capture

void MainGLCanvas_cls::BeginSequenceCapture(CaptureSequence_cls* sequence) {
    GpCaptureSequence = sequence;
    if (sequence) sequence->BeginCapture();
    m_captureOn = m_sequenceCapture = sequence != nullptr;
    // The frame on screen was drawn before the run: it is drawn (and saved) again before
    // playback moves on.
    ForgetDrawnFrame();
    Refresh(false);
}

void MainGLCanvas_cls::EndSequenceCapture() {
    if (m_sequenceCapture) m_captureOn = false;
    m_sequenceCapture = false;
}

void MainGLCanvas_cls::RequestSnapshot() {
    if (m_sequenceCapture) return;  // a running sequence has the capture
    m_captureOn = true;
    Refresh(false);
}

void MainGLCanvas_cls::CaptureImage() {
    if (!m_captureOn) return;
    if (Sampling() && !Blur()->IsCaptureSample()) return;
    if (!m_sequenceCapture || !GpCaptureSequence) {
        // A single snapshot: the picture is read now, inside the paint; the file question
        // and the write come after it, never inside a paint.
        m_captureOn = false;
        glReadBuffer(GL_BACK);
        CapturedPixels picture = ReadGLPixels(0, 0, ImageSaver_cls::SnapshotWidth(m_clientW), m_clientH, 3);
        if (!picture.Valid()) return;
        wxWindow* parent = m_frame ? m_frame : this;
        CallAfter([picture = std::move(picture), parent]() mutable {
            if (!SelectSnapshotFile(GoImageSaver, parent, GoImageSaver.snapshotPath.empty()
                                                                ? wxString("None")
                                                                : GoImageSaver.snapshotPath))
                return;
            GoImageSaver.SaveSnapshot(std::move(picture));
            if (g_snapshotSaved) g_snapshotSaved(GoImageSaver.snapshotPath);
        });
        return;
    }
    if (!m_useFBO) {
        message += "Direct Display Mode does not support sequential image saving.\n";
        m_captureOn = m_sequenceCapture = false;
        if (auto* seq = dynamic_cast<ImgSequence_cls*>(GpCaptureSequence))
            seq->AbortCapture();
        else if (m_frame)
            WidgetCommon_cls::PostMenuCommand(m_frame, ID_END_CAPTURE);
        return;
    }
    StereoGram_cls& stereo = Stereo();
    if (stereo.CaptureCombines(CameraChoice())) stereo.CombineForCapture();
    for (const StereoCaptureSave& save : stereo.CapturePlan(CameraChoice())) SaveSequenceFrame(save.buffer, save.eye);
    if (GpCaptureSequence->snapOnly) {
        GpCaptureSequence->snapOnly = false;
        if (m_frame) WidgetCommon_cls::PostMenuCommand(m_frame, ID_END_CAPTURE);
    }
}

void MainGLCanvas_cls::SaveSequenceFrame(int buffer, int eye) {
    StereoGram_cls& stereo = Stereo();
    FBO_cls* f = stereo.EyeBuffer(buffer);
    if (!f || !f->created || !GpCaptureSequence) return;
    const int step = g_time ? g_time->GetStepIndex(-1, -1) : 0;
    SaveSequenceFrameFromGL(*GpCaptureSequence, GoImageSaver, f->texture, f->width, f->height,
                            m_overlayCaptured ? m_overlayCapture->texture : 0, step, eye,
                            stereo.IsCombinedSideBySide());
}
