// What a view draws around and after its scene: the overlay drawer's 2-D pass, the two
// eyes of a stereogram composed in the window (anaglyph, interlaced rows, side by side),
// and the images a capture writes: sequence frames (combined or as left/right pairs, no
// frame written twice after a wrap, nothing after the end), snapshots, and motion-blurred
// frames whose samples add up to one picture's brightness.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <map>

#include <wx/frame.h>
#include <wx/image.h>
#include <wx/sizer.h>

#include "common/gui/UserPrompts.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/TestFiles.h"
#include "tests/view/gui/ViewDrawerProbe.h"
#include "timeline/ParamGroup.h"
#include "timeline/TimeCtrl.h"
#include "view/CaptureSequence.h"
#include "view/ImageSaver.h"
#include "view/StereoGram.h"
#include "view/ViewInfoLine.h"
#include "view/gui/FBO.h"
#include "view/gui/GLResources.h"
#include "view/gui/ImageSaverGL.h"
#include "view/gui/MainGLCanvas.h"

using namespace testsupport;

namespace {

/// Where the near particle of the test scene sits: 2 units straight ahead of the camera.
double g_particleX = 0.0;

/// A white square of half size 0.1 at (g_particleX, 0, -2), facing the camera.
void DrawNearParticle(MainGLCanvas_cls&, const SceneDrawArgs&) {
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    const double x = g_particleX, h = 0.1;
    glBegin(GL_QUADS);
    glVertex3d(x - h, -h, -2), glVertex3d(x + h, -h, -2), glVertex3d(x + h, h, -2), glVertex3d(x - h, h, -2);
    glEnd();
}

/// An RGB picture, bottom row first (window) or as read from a file (flipped to match).
struct Picture {
    int w = 0, h = 0;
    std::vector<unsigned char> rgb;
    const unsigned char* At(int x, int y) const { return &rgb[3 * (size_t(y) * w + x)]; }
    /// Centroid x of the pixels `pick` accepts; -1 when none.
    double CentroidX(const std::function<bool(const unsigned char*)>& pick, int x0 = 0, int x1 = -1) const {
        if (x1 < 0) x1 = w;
        double sum = 0;
        long n = 0;
        for (int y = 0; y < h; ++y)
            for (int x = x0; x < x1; ++x)
                if (pick(At(x, y))) sum += x, ++n;
        return n ? sum / n : -1;
    }
    double Brightness() const {
        double s = 0;
        for (unsigned char c : rgb) s += c;
        return s;
    }
};

Picture FromShot(const ViewShot& s) {
    Picture p;
    p.w = s.w, p.h = s.h;
    p.rgb.resize(size_t(3) * s.w * s.h);
    for (size_t i = 0; i < size_t(s.w) * s.h; ++i)
        for (int c = 0; c < 3; ++c) p.rgb[3 * i + c] = s.rgba[4 * i + c];
    return p;
}

Picture FromFile(const std::string& path) {
    Picture p;
    wxImage img;
    if (!img.LoadFile(wxString::FromUTF8(path))) return p;
    p.w = img.GetWidth(), p.h = img.GetHeight();
    p.rgb.resize(size_t(3) * p.w * p.h);
    // Files are top-down: flip so that row 0 is the bottom, as in the view.
    for (int y = 0; y < p.h; ++y)
        std::copy(img.GetData() + size_t(3) * p.w * (p.h - 1 - y), img.GetData() + size_t(3) * p.w * (p.h - y),
                  p.rgb.begin() + size_t(3) * p.w * y);
    return p;
}

bool IsRedOnly(const unsigned char* p) { return p[0] > 120 && p[1] < 60 && p[2] < 60; }
bool IsCyanOnly(const unsigned char* p) { return p[0] < 60 && p[1] > 120 && p[2] > 120; }
bool IsLitPixel(const unsigned char* p) { return p[0] > 120 || p[1] > 120 || p[2] > 120; }

class SnapshotAnswer : public UserPrompts_cls {
public:
    wxString path;
    int asked = 0;
    int PickFile(wxWindow*, const FileQuestion&, wxString& out) override {
        ++asked;
        out = path;
        return wxID_OK;
    }
};

class CaptureViewFixture : public ::testing::Test {
protected:
    void SetUp() override {
        CreateGLResources();
        savedBufferIndex = GoRenderConfig.bufferSizeIndex.value;
        GoRenderConfig.bufferSizeIndex.value = 1;  // 512: small buffers keep the tests quick
        InstallImageSaving(GoImageSaver);
        GoImageSaver.WaitForWriter();
        GoImageSaver.TakeFailures();
        g_particleX = 0.0;
        GpStereoGram = &stereo;
        MainGLCanvas_cls::SetSceneDrawer(DrawNearParticle);
        MainGLCanvas_cls::SetTimeModel(&time);
        MainGLCanvas_cls::SetFrameSource([this](int& f, int& s, double& t) {
            f = time.Frame(), s = time.SubFrame(), t = time.GetNormalizedTime(-1, 0);
        });
        RecordShots(shots);
        frame = new wxFrame(nullptr, wxID_ANY, "view", wxDefaultPosition, wxSize(360, 300));
        auto* sizer = new wxBoxSizer(wxHORIZONTAL);
        view = new MainGLCanvas_cls(frame, frame, 0, 0);
        view->SetMinSize(wxSize(240, 180));
        sizer->Add(view, 0);
        frame->SetSizer(sizer);
        frame->Show();
        testsupport::PumpUntil([&] { return view->IsShownOnScreen(); }, 3000);
        const double pos[3] = {0, 0, 0}, second[3] = {0, 0, 0}, dir[3] = {0, 0, -1}, up[3] = {0, 1, 0};
        // The free camera (choice 0) is the one every draw takes its camera from.
        for (GLCamera_cls* c : {&view->cameras.free, &view->cameras.drawn}) {
            c->pose = GLCameraPose_cls(pos[0], pos[1], pos[2], second);
            c->frame.SetDirUp(dir, up);
        }
        view->settings.showMessage.value = false;  // the info line would lie over the pictures looked at
        seq.outputWidth.value = 160, seq.outputHeight.value = 120;
    }
    void TearDown() override {
        GoImageSaver.WaitForWriter();
        testsupport::Pump(20);
        GoImageSaver.TakeFailures();
        view->EndSequenceCapture();
        GpCaptureSequence = nullptr;
        MainGLCanvas_cls::SetPaintProbe(nullptr);
        MainGLCanvas_cls::SetSceneDrawer(nullptr);
        MainGLCanvas_cls::SetOverlayDrawer(nullptr);
        MainGLCanvas_cls::SetUseFBO(nullptr);
        MainGLCanvas_cls::SetFrameSource(nullptr);
        MainGLCanvas_cls::SetTimeModel(nullptr);
        if (view->IsShownOnScreen()) view->SetCurrent(*MainGLCanvas_cls::SharedContext());
        stereo.ReleaseGL();
        GpStereoGram = nullptr;
        ReleaseGLResources();
        GoRenderConfig.bufferSizeIndex.value = savedBufferIndex;
        frame->Destroy();
        testsupport::Pump(20);
    }
    bool PaintTimes(int n) { return ::PaintTimes(*view, n, 3000); }
    /// Paints once and waits for the image writer.
    void PaintAndWrite() {
        ASSERT_TRUE(PaintTimes(1));
        GoImageSaver.WaitForWriter();
        EXPECT_TRUE(GoImageSaver.TakeFailures().empty());
    }
    void SetStereo(unsigned setting, unsigned type, unsigned file, double eyeDistance) {
        stereo.cameraSetting.value = setting;
        stereo.outputType.value = type;
        stereo.fileOutput.value = file;
        stereo.eyeParam->Component(0).keys[0].value = eyeDistance;
    }
    Picture Window() { return FromShot(shots.at(0)); }

    StereoGram_cls stereo;
    TimeCtrl_cls time;
    TempDir dir;
    CaptureSequence_cls seq{wxString::FromUTF8(dir.Path())};
    std::map<int, ViewShot> shots;
    wxFrame* frame = nullptr;
    MainGLCanvas_cls* view = nullptr;
    unsigned savedBufferIndex = 3;
};

TEST_F(CaptureViewFixture, OverlayDrawerPaintsWindowPixelsOverTheScene) {
    int seenW = 0, seenH = 0;
    MainGLCanvas_cls::SetOverlayDrawer([&](MainGLCanvas_cls&, int w, int h) {
        seenW = w, seenH = h;
        glColor4f(0, 1, 0, 1);
        glBegin(GL_QUADS);
        glVertex2i(4, 4), glVertex2i(14, 4), glVertex2i(14, 14), glVertex2i(4, 14);
        glEnd();
    });
    for (int mode = 0; mode < 2; ++mode) {
        MainGLCanvas_cls::SetUseFBO([mode] { return mode == 1; });
        ASSERT_TRUE(PaintTimes(1));
        const ViewShot& s = shots.at(0);
        EXPECT_EQ(seenW, s.w);
        EXPECT_EQ(seenH, s.h);
        EXPECT_EQ(s.error, GLenum(GL_NO_ERROR));
        EXPECT_EQ(s.attribDepth, 0);
        // Lower left corner in GL window pixels: green inside, the scene's black outside.
        EXPECT_GT(s.At(8, 8)[1], 200) << "mode " << mode;
        EXPECT_LT(s.At(8, 8)[0], 50);
        EXPECT_LT(s.At(20, 20)[1], 50);
        // The scene is still there: the particle at the centre is white.
        EXPECT_TRUE(IsLitPixel(s.At(s.w / 2, s.h / 2))) << "mode " << mode;
    }
}

TEST_F(CaptureViewFixture, RedCyanShiftsTheNearParticleOppositeWaysInTheTwoChannels) {
    ASSERT_TRUE(GbFBOSupported);
    SetStereo(STEREO_OFF_AXIS, STEREO_RED_CYAN, 0, 0.4);
    ASSERT_TRUE(PaintTimes(1));
    EXPECT_EQ(shots.at(0).error, GLenum(GL_NO_ERROR));
    EXPECT_EQ(shots.at(0).attribDepth, 0);
    const Picture win = Window();
    const double red = win.CentroidX(IsRedOnly), cyan = win.CentroidX(IsCyanOnly);
    ASSERT_GE(red, 0) << "the left eye's particle shows in red";
    ASSERT_GE(cyan, 0) << "the right eye's particle shows in cyan";
    // The left eye stands to the left, so it sees the particle right of the centre.
    const double centre = win.w / 2.0;
    EXPECT_GT(red, centre + 10);
    EXPECT_LT(cyan, centre - 10);
    EXPECT_NEAR(red - centre, centre - cyan, 2.0) << "opposite shifts of equal size";

    // The saved frame holds the same anaglyph.
    view->BeginSequenceCapture(&seq);
    PaintAndWrite();
    const Picture img = FromFile(dir.File("Preview0000.png"));
    ASSERT_EQ(img.w, 160);
    const double r2 = img.CentroidX(IsRedOnly), c2 = img.CentroidX(IsCyanOnly);
    ASSERT_GE(r2, 0);
    ASSERT_GE(c2, 0);
    EXPECT_GT(r2, img.w / 2.0 + 5);
    EXPECT_LT(c2, img.w / 2.0 - 5);
    EXPECT_NEAR(r2 - img.w / 2.0, img.w / 2.0 - c2, 2.0);
}

TEST_F(CaptureViewFixture, LineByLineShowsTheEyesOnAlternatingRowsInViewAndSnapshot) {
    ASSERT_TRUE(GbFBOSupported);
    SetStereo(STEREO_OFF_AXIS, STEREO_LINE_BY_LINE, 1, 0.4);
    SnapshotAnswer answer;
    answer.path = wxString::FromUTF8(dir.File("lines.png"));
    UserPrompts_cls::Install(&answer);
    view->RequestSnapshot();
    ASSERT_TRUE(PaintTimes(1));
    testsupport::PumpUntil([&] { return answer.asked > 0; }, 2000);
    GoImageSaver.WaitForWriter();
    UserPrompts_cls::Install(nullptr);
    EXPECT_EQ(answer.asked, 1);
    EXPECT_FALSE(view->CaptureOn()) << "a snapshot is taken once";
    for (const Picture& p : {Window(), FromFile(dir.File("lines.png"))}) {
        ASSERT_GT(p.w, 0);
        // Columns through each eye's particle only: the left eye's (right of centre) on even
        // rows, the right eye's on odd rows, alternating all the way through the particle.
        const int xLeftEye = int(p.CentroidX(IsLitPixel, p.w / 2, p.w));
        const int xRightEye = int(p.CentroidX(IsLitPixel, 0, p.w / 2));
        ASSERT_GT(xLeftEye, p.w / 2);
        ASSERT_LT(xRightEye, p.w / 2);
        int rows = 0;
        for (int y = p.h / 2 - 8; y <= p.h / 2 + 8; ++y, ++rows) {
            EXPECT_EQ(IsLitPixel(p.At(xLeftEye, y)), y % 2 == 0) << "row " << y;
            EXPECT_EQ(IsLitPixel(p.At(xRightEye, y)), y % 2 == 1) << "row " << y;
        }
        EXPECT_EQ(rows, 17);
    }
}

TEST_F(CaptureViewFixture, SideBySideDrawsEachEyeIntoItsHalf) {
    ASSERT_TRUE(GbFBOSupported);
    SetStereo(STEREO_OFF_AXIS, STEREO_SIDE_BY_SIDE, 0, 0.4);
    view->BeginSequenceCapture(&seq);
    PaintAndWrite();
    for (const Picture& p : {Window(), FromFile(dir.File("Preview0000.png"))}) {
        ASSERT_GT(p.w, 0);
        const double q = p.w / 4.0;
        const double left = p.CentroidX(IsLitPixel, 0, p.w / 2), right = p.CentroidX(IsLitPixel, p.w / 2, p.w);
        ASSERT_GE(left, 0);
        ASSERT_GE(right, 0);
        // Each half holds one eye squeezed to half width; the left eye's particle lies right
        // of its half's centre, the right eye's left of it, by the same amount.
        EXPECT_GT(left, q + 3);
        EXPECT_LT(right, 3 * q - 3);
        EXPECT_NEAR(left - q, 3 * q - right, 2.0);
        EXPECT_FALSE(IsLitPixel(p.At(p.w / 2, p.h / 2))) << "nothing at the seam";
    }
}

TEST_F(CaptureViewFixture, SeparateFilesWriteLeftAndRightPairsPerFrame) {
    ASSERT_TRUE(GbFBOSupported);
    SetStereo(STEREO_TOE_IN, STEREO_RED_CYAN, 1, 0.4);
    view->BeginSequenceCapture(&seq);
    PaintAndWrite();
    time.SetFrame(1, 0);
    PaintAndWrite();
    for (const char* name : {"PreviewL0000.png", "PreviewR0000.png", "PreviewL0001.png", "PreviewR0001.png"})
        EXPECT_TRUE(FileExists(dir.File(name))) << name;
    EXPECT_FALSE(FileExists(dir.File("Preview0000.png")));
    const Picture l = FromFile(dir.File("PreviewL0001.png")), r = FromFile(dir.File("PreviewR0001.png"));
    // Each file holds its own eye: the left one's red particle right of centre, the right
    // one's cyan particle left of it.
    EXPECT_GT(l.CentroidX(IsRedOnly), l.w / 2.0 + 5);
    EXPECT_LT(l.CentroidX(IsCyanOnly), 0);
    EXPECT_LT(r.CentroidX(IsCyanOnly), r.w / 2.0 - 5);
    EXPECT_LT(r.CentroidX(IsRedOnly), 0);
}

TEST_F(CaptureViewFixture, TenStepsWriteTenDifferingFilesAndAWrapWritesNoneTwice) {
    ASSERT_TRUE(GbFBOSupported);
    view->BeginSequenceCapture(&seq);
    std::vector<double> centres;
    for (int f = 0; f < 10; ++f) {
        time.SetFrame(f, 0);
        g_particleX = -0.45 + 0.1 * f;  // the data moves frame by frame
        PaintAndWrite();
        char name[32];
        std::snprintf(name, sizeof name, "Preview%04d.png", f);
        const Picture p = FromFile(dir.File(name));
        ASSERT_EQ(p.w, 160) << name;
        centres.push_back(p.CentroidX(IsLitPixel));
    }
    for (int f = 1; f < 10; ++f) EXPECT_GT(centres[f], centres[f - 1] + 2) << "frame " << f;
    // Playback repeats and wraps to the start: the frames already written stay as they are.
    const std::string first = ReadFile(dir.File("Preview0000.png"));
    std::remove(dir.File("Preview0001.png").c_str());
    g_particleX = 0.4;
    for (int f = 0; f < 2; ++f) {
        time.SetFrame(f, 0);
        PaintAndWrite();
    }
    EXPECT_EQ(ReadFile(dir.File("Preview0000.png")), first);
    EXPECT_FALSE(FileExists(dir.File("Preview0001.png"))) << "no frame is written twice";
}

TEST_F(CaptureViewFixture, EndOfCaptureStopsAfterTheCurrentFrame) {
    ASSERT_TRUE(GbFBOSupported);
    view->BeginSequenceCapture(&seq);
    time.SetFrame(0, 0);
    PaintAndWrite();
    view->EndSequenceCapture();  // "Abort Anim" ends the capture through ID_END_CAPTURE
    time.SetFrame(1, 0);
    PaintAndWrite();
    EXPECT_TRUE(FileExists(dir.File("Preview0000.png")));
    EXPECT_FALSE(FileExists(dir.File("Preview0001.png")));
    EXPECT_FALSE(view->CaptureOn());
}

TEST_F(CaptureViewFixture, DirectDisplayRefusesSequenceCaptureWithAMessage) {
    MainGLCanvas_cls::SetUseFBO([] { return false; });
    view->BeginSequenceCapture(&seq);
    ASSERT_TRUE(PaintTimes(1));
    GoImageSaver.WaitForWriter();
    EXPECT_FALSE(view->SequenceCaptureOn());
    EXPECT_FALSE(FileExists(dir.File("Preview0000.png")));
}

TEST_F(CaptureViewFixture, InfoLineAndWarningsShowOnlyWithShowMessage) {
    // Direct Display cannot draw two eyes: the paint says so in the message text.
    MainGLCanvas_cls::SetUseFBO([] { return false; });
    SetStereo(STEREO_OFF_AXIS, STEREO_RED_CYAN, 1, 0.4);
    g_particleX = 5;  // out of sight: only text is lit
    auto litRows = [](const ViewShot& s, int y0, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < s.w; ++x) n += IsLitPixel(s.At(x, y)) ? 1 : 0;
        return n;
    };
    ASSERT_TRUE(PaintTimes(1));
    EXPECT_EQ(litRows(shots.at(0), 0, shots.at(0).h), 0) << "no text while ShowMessage is off";
    EXPECT_TRUE(view->message.empty()) << "the paint's warnings are dropped";
    EXPECT_EQ(view->LastMessage(), "Direct Display Mode does not support stereogram.\n");

    view->settings.showMessage.value = true;
    MainGLCanvas_cls::SetInfoSource([](MainGLCanvas_cls&, ViewInfoLine_cls& info) { info.particles = 42; });
    ASSERT_TRUE(PaintTimes(1));
    MainGLCanvas_cls::SetInfoSource(nullptr);
    const ViewShot& s = shots.at(0);
    EXPECT_GT(litRows(s, s.h - 40, s.h), 20) << "the two info lines at the top";
    EXPECT_GT(litRows(s, 4, 24), 20) << "the warning at the bottom";
    // The warning is drawn in its pink, from x 100 on.
    bool pink = false;
    for (int y = 4; y < 24; ++y)
        for (int x = 0; x < s.w; ++x) {
            const unsigned char* p = s.At(x, y);
            if (p[0] > 200 && p[1] > 90 && p[1] < 160) {
                pink = true;
                EXPECT_GE(x, 99);
            }
        }
    EXPECT_TRUE(pink);
    EXPECT_TRUE(view->message.empty());
}

TEST_F(CaptureViewFixture, ScreenItemsShowTheOrientationIndicatorAtTheLowerLeft) {
    g_particleX = 5;  // out of sight
    auto litIn = [](const ViewShot& s, int x0, int x1, int y0, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += IsLitPixel(s.At(x, y)) ? 1 : 0;
        return n;
    };
    ASSERT_TRUE(PaintTimes(1));
    EXPECT_EQ(litIn(shots.at(0), 0, shots.at(0).w, 0, shots.at(0).h), 0);
    MainGLCanvas_cls::SetScreenItems(true);
    view->MakeCurrentView();
    ASSERT_TRUE(PaintTimes(1));
    MainGLCanvas_cls::SetScreenItems(false);
    const ViewShot& s = shots.at(0);
    EXPECT_EQ(s.error, GLenum(GL_NO_ERROR));
    EXPECT_EQ(s.attribDepth, 0);
    EXPECT_GT(litIn(s, 32, 96, 0, 64), 20) << "the indicator's arrows";
    EXPECT_EQ(litIn(s, 100, s.w, 0, s.h / 2), 0) << "nothing else in the lower half";
}

TEST_F(CaptureViewFixture, FisheyeEyesThroughMaskMeshAndGridKeepTheCentreAndTheGLState) {
    ASSERT_TRUE(GbFBOSupported);
    view->settings.geometry.value = 2;
    for (int mode = 0; mode < 4; ++mode) {
        view->settings.distortion.value = mode & 1;
        view->settings.fisheyeGrid.value = mode & 2;
        SetStereo(STEREO_OFF_AXIS, STEREO_SIDE_BY_SIDE, 1, 0.02);
        ASSERT_TRUE(PaintTimes(1));
        const ViewShot& s = shots.at(0);
        EXPECT_EQ(s.error, GLenum(GL_NO_ERROR)) << mode;
        EXPECT_EQ(s.attribDepth, 0) << mode;
        // Each half shows its eye's fisheye with the particle straight ahead in its middle.
        const Picture p = FromShot(s);
        const double left = p.CentroidX(IsLitPixel, 0, p.w / 2), right = p.CentroidX(IsLitPixel, p.w / 2, p.w);
        // The mask keeps the disc's middle: the particle is there in every mode.
        EXPECT_NEAR(left, p.w / 4.0, 8) << mode;
        EXPECT_NEAR(right, 3 * p.w / 4.0, 8) << mode;
    }
}

TEST_F(CaptureViewFixture, MotionBlurTrailHoldsOneParticlesBrightness) {
    ASSERT_TRUE(GbFBOSupported);
    // Unblurred reference.
    view->BeginSequenceCapture(&seq);
    time.SetFrame(0, 0);
    PaintAndWrite();
    const Picture sharp = FromFile(dir.File("Preview0000.png"));
    ASSERT_GT(sharp.Brightness(), 0);

    // Four samples of frame 1 while the particle moves: the picture is shown and saved
    // only after the last sample, as a trail.
    std::remove(dir.File("Preview0001.png").c_str());
    time.SetFrame(1, 0);
    time.motionBlur.count = 4;
    time.motionBlur.shutter = 1.0f;
    time.motionBlur.sampling = 1;
    // A second view paints between the samples; it must not disturb their sum.
    auto* other = new MainGLCanvas_cls(frame, frame, 1, 0);
    other->SetMinSize(wxSize(100, 80));
    frame->GetSizer()->Add(other, 0);
    frame->Layout();
    testsupport::PumpUntil([&] { return other->IsShownOnScreen(); }, 3000);
    for (int i = 0; i < 4; ++i) {
        time.motionBlur.index = i;
        g_particleX = -0.3 + 0.2 * i;
        PaintAndWrite();
        EXPECT_EQ(FileExists(dir.File("Preview0001.png")), i == 3) << "sample " << i;
        const int before = other->DrawCount();
        other->Refresh(false);
        testsupport::PumpUntil([&] { return other->DrawCount() > before; }, 3000);
        EXPECT_GT(other->DrawCount(), before);
    }
    time.motionBlur.sampling = 0;
    const Picture trail = FromFile(dir.File("Preview0001.png"));
    ASSERT_GT(trail.w, 0);
    // Four separate dimmer squares: wider spread, same total light.
    const double widthSharp = [&] {
        int x0 = sharp.w, x1 = -1;
        for (int y = 0; y < sharp.h; ++y)
            for (int x = 0; x < sharp.w; ++x)
                if (sharp.At(x, y)[0] > 20) x0 = std::min(x0, x), x1 = std::max(x1, x);
        return double(x1 - x0);
    }();
    int t0 = trail.w, t1 = -1;
    for (int y = 0; y < trail.h; ++y)
        for (int x = 0; x < trail.w; ++x)
            if (trail.At(x, y)[0] > 20) t0 = std::min(t0, x), t1 = std::max(t1, x);
    EXPECT_GT(t1 - t0, 3 * widthSharp);
    EXPECT_NEAR(trail.Brightness() / sharp.Brightness(), 1.0, 0.04);
}

}  // namespace
