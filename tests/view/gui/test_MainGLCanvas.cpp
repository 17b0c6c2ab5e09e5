// One view's drawing road: the installed drawer's quad lands where the camera puts it,
// directly and through the off-screen buffer alike; repeated off-screen paints leave no GL
// error and a balanced attribute stack; a zero-sized view does not paint; nested buffers
// resume the outer one with its viewport.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>

#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/utils.h>

#include "common/CommandIds.h"
#include "scene/AnchorPath.h"
#include "scene/CameraPath.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/view/gui/ViewDrawerProbe.h"
#include "timeline/TimeCtrl.h"
#include "view/ViewSettings.h"
#include "view/gui/FBO.h"
#include "view/gui/GLResources.h"
#include "view/gui/MainGLCanvas.h"

namespace {

class ViewFixture : public ::testing::Test {
protected:
    void SetUp() override {
        CreateGLResources();
        MainGLCanvas_cls::SetSceneDrawer(DrawTestQuad);
        RecordShots(shots);
        frame = new wxFrame(nullptr, wxID_ANY, "view", wxDefaultPosition, wxSize(300, 260));
        auto* sizer = new wxBoxSizer(wxHORIZONTAL);
        view = new MainGLCanvas_cls(frame, frame, 0, 0);
        view->SetMinSize(wxSize(160, 120));
        sizer->Add(view, 0);
        frame->SetSizer(sizer);
        frame->Show();
        testsupport::PumpUntil([&] { return view->IsShownOnScreen(); }, 3000);
    }
    void TearDown() override {
        MainGLCanvas_cls::SetPaintProbe(nullptr);
        MainGLCanvas_cls::SetSceneDrawer(nullptr);
        MainGLCanvas_cls::SetUseFBO(nullptr);
        // The shared objects belong to this view's context, which goes with the view.
        if (view->IsShownOnScreen()) view->SetCurrent(*MainGLCanvas_cls::SharedContext());
        ReleaseGLResources();
        frame->Destroy();
        testsupport::Pump(20);
    }
    bool PaintTimes(int n) { return ::PaintTimes(*view, n, 2000); }
    std::map<int, ViewShot> shots;
    wxFrame* frame = nullptr;
    MainGLCanvas_cls* view = nullptr;
};

/// Bounding box of the red pixels; false when there are none.
bool RedBox(const ViewShot& s, int& x0, int& y0, int& x1, int& y1) {
    x0 = y0 = 1 << 30, x1 = y1 = -1;
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x)
            if (IsQuadRed(s.At(x, y))) x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
    return x1 >= 0;
}

TEST_F(ViewFixture, QuadLandsAtItsProjectedPositionDirectAndOffScreenAlike) {
    ASSERT_TRUE(GbFBOSupported);
    ViewShot direct, buffered;
    for (int mode = 0; mode < 2; ++mode) {
        MainGLCanvas_cls::SetUseFBO([mode] { return mode == 1; });
        ASSERT_TRUE(PaintTimes(1));
        const ViewShot& s = shots.at(0);
        EXPECT_EQ(s.error, GLenum(GL_NO_ERROR));
        const int cx = int(std::lround(s.centre[0])), cy = int(std::lround(s.centre[1]));
        ASSERT_TRUE(cx > 0 && cy > 0 && cx < s.w && cy < s.h);
        EXPECT_TRUE(IsQuadRed(s.At(cx, cy))) << "mode " << mode;
        // Corners of the window stay background.
        EXPECT_FALSE(IsQuadRed(s.At(1, 1)));
        EXPECT_FALSE(IsQuadRed(s.At(s.w - 2, s.h - 2)));
        (mode == 0 ? direct : buffered) = s;
    }
    int a[4], b[4];
    ASSERT_TRUE(RedBox(direct, a[0], a[1], a[2], a[3]));
    ASSERT_TRUE(RedBox(buffered, b[0], b[1], b[2], b[3]));
    for (int i = 0; i < 4; ++i) EXPECT_LE(std::abs(a[i] - b[i]), 2) << "edge " << i;
    int differ = 0;
    for (size_t i = 0; i < direct.rgba.size(); i += 4)
        if (IsQuadRed(&direct.rgba[i]) != IsQuadRed(&buffered.rgba[i])) ++differ;
    EXPECT_LT(differ, direct.w * direct.h / 100);
}

TEST_F(ViewFixture, TwentyOffScreenPaintsLeaveNoErrorAndABalancedStack) {
    MainGLCanvas_cls::SetUseFBO([] { return true; });
    ASSERT_TRUE(PaintTimes(1));
    const GLint depth = shots.at(0).attribDepth;
    ASSERT_TRUE(PaintTimes(20));
    EXPECT_EQ(shots.at(0).error, GLenum(GL_NO_ERROR));
    EXPECT_EQ(shots.at(0).attribDepth, depth);
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(FBOBindDepth(), 0);
}

TEST_F(ViewFixture, ZeroSizedViewDoesNotPaintAndCountsAsCurrent) {
    ASSERT_TRUE(PaintTimes(1));
    view->SetMinSize(wxSize(0, 0));
    view->SetSize(0, 0);
    testsupport::Pump(30);
    const int before = view->DrawCount();
    view->Refresh(false);
    testsupport::Pump(60);
    EXPECT_EQ(view->DrawCount(), before);
    EXPECT_TRUE(view->RefreshIfStale(12345, 0));
}

TEST_F(ViewFixture, NestedBuffersResumeTheOuterViewportAndBalanceTheStack) {
    ASSERT_TRUE(PaintTimes(1));
    ASSERT_TRUE(view->SetCurrent(*MainGLCanvas_cls::SharedContext()));
    glViewport(0, 0, 33, 44);
    GLint depth0 = 0;
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth0);
    FBO_cls a(64, 64), b(32, 32);
    a.bits = b.bits = 8;
    a.Allocate(true);
    b.Allocate(true);
    for (int i = 0; i < 20; ++i) {
        a.Bind(true);
        glClearColor(0, 1, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        b.Bind(true);
        GLint vp[4];
        glGetIntegerv(GL_VIEWPORT, vp);
        EXPECT_EQ(vp[2], 32);
        b.Unbind();
        glGetIntegerv(GL_VIEWPORT, vp);
        EXPECT_EQ(vp[2], 64);
        EXPECT_EQ(vp[3], 64);
        a.Unbind();
        glGetIntegerv(GL_VIEWPORT, vp);
        EXPECT_EQ(vp[2], 33);
        EXPECT_EQ(vp[3], 44);
    }
    GLint depth1 = -1;
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth1);
    EXPECT_EQ(depth1, depth0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_EQ(FBOBindDepth(), 0);
    EXPECT_FLOAT_EQ(a.ScaleForSize(), 1.0f);  // 64 is none of the table's widths
    FBO_cls c(512, 512);
    EXPECT_FLOAT_EQ(c.ScaleForSize(), 0.25f);
}

/// A blue room with a red ball at the origin (straight ahead of the default camera) and a
/// green ball at `greenAt`, unlit.
struct Balls {
    double greenAt[3] = {0, 0, 0};
    void operator()(MainGLCanvas_cls&, const SceneDrawArgs&) const {
        glClearColor(0, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_CULL_FACE);
        glEnable(GL_DEPTH_TEST);
        GLUquadric* q = gluNewQuadric();
        glColor4f(1, 0, 0, 1);
        gluSphere(q, 0.4, 24, 24);
        glPushMatrix();
        glTranslated(greenAt[0], greenAt[1], greenAt[2]);
        glColor4f(0, 1, 0, 1);
        gluSphere(q, 0.4, 24, 24);
        glPopMatrix();
        gluDeleteQuadric(q);
    }
};

bool IsRed(const unsigned char* p) { return p[0] > 180 && p[1] < 70 && p[2] < 70; }
bool IsGreen(const unsigned char* p) { return p[1] > 180 && p[0] < 70 && p[2] < 70; }
bool IsBlue(const unsigned char* p) { return p[2] > 180 && p[0] < 70 && p[1] < 70; }
bool IsBlack(const unsigned char* p) { return p[0] < 20 && p[1] < 20 && p[2] < 20; }

/// Centre of the pixels that pass `test`; false when none do.
template <class Test>
bool Centroid(const ViewShot& s, Test test, double& cx, double& cy) {
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x)
            if (test(s.At(x, y))) sx += x, sy += y, ++n;
    if (n == 0) return false;
    cx = sx / n, cy = sy / n;
    return true;
}

/// Fisheye and panorama views: a view of `geometry` 2 or 3 at angle 180, with the red ball
/// ahead and the green one `offAxis` degrees to the camera's right, in the camera's plane
/// of direction and right.
class WideViewFixture : public ViewFixture {
protected:
    void SetUpBalls(int geometry, double offAxis) {
        GoRenderConfig.bufferSizeIndex.value = 1;  // 512: enough for a 300-pixel view, and quick
        const double a = offAxis * 3.14159265358979 / 180;
        const double* p = view->cameras.free.pose.position;
        const double* d = view->cameras.free.frame.direction;
        const double* r = view->cameras.free.frame.right;
        for (int k = 0; k < 3; ++k) balls.greenAt[k] = p[k] + 3 * (std::cos(a) * d[k] + std::sin(a) * r[k]);
        MainGLCanvas_cls::SetSceneDrawer(std::cref(balls));
        MainGLCanvas_cls::SetUseFBO([] { return true; });
        view->settings.geometry.value = geometry;
        view->settings.persAngle.value = 180;
        view->SetMinSize(wxSize(300, 200));
        frame->SetSize(360, 300);
        frame->Layout();
        testsupport::Pump(30);
    }
    void TearDown() override {
        GoRenderConfig.bufferSizeIndex.value = 3;
        ViewFixture::TearDown();
    }
    Balls balls;
};

}  // namespace

TEST_F(WideViewFixture, FisheyeAt180PutsAheadAtTheCentreAndLeavesTheOutsideAlone) {
    SetUpBalls(2, 45);
    ASSERT_TRUE(PaintTimes(1));
    const GLint depth = shots.at(0).attribDepth;
    ASSERT_TRUE(PaintTimes(20));
    const ViewShot& s = shots.at(0);
    EXPECT_EQ(s.error, GLenum(GL_NO_ERROR));
    EXPECT_EQ(s.attribDepth, depth);
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(FBOBindDepth(), 0);
    const double cx = s.w / 2.0, cy = s.h / 2.0, radius = s.h / 2.0;
    // Straight ahead at the centre of the disc.
    double rx, ry;
    ASSERT_TRUE(Centroid(s, IsRed, rx, ry));
    EXPECT_NEAR(rx, cx, 2.5);
    EXPECT_NEAR(ry, cy, 2.5);
    // 45 degrees to the right: an equidistant fisheye of 180 degrees puts it halfway out.
    double gx, gy;
    ASSERT_TRUE(Centroid(s, IsGreen, gx, gy));
    EXPECT_NEAR(gx, cx + radius / 2, 3.5);
    EXPECT_NEAR(gy, cy, 3.5);
    // Inside the circle the room's blue; outside it nothing was composed.
    EXPECT_TRUE(IsBlue(s.At(int(cx), int(cy + radius * 0.9))));
    EXPECT_TRUE(IsBlue(s.At(int(cx - radius * 0.9), int(cy))));
    EXPECT_TRUE(IsBlack(s.At(2, 2)));
    EXPECT_TRUE(IsBlack(s.At(s.w - 3, s.h - 3)));
    EXPECT_TRUE(IsBlack(s.At(int(cx + radius * 0.75), int(cy + radius * 0.75))));
}

TEST_F(WideViewFixture, PanoramaPutsEachAzimuthAtItsPlaceInTheBand) {
    SetUpBalls(3, 90);
    ASSERT_TRUE(PaintTimes(2));
    const ViewShot& s = shots.at(0);
    EXPECT_EQ(s.error, GLenum(GL_NO_ERROR));
    EXPECT_EQ(s.attribDepth, 0);
    EXPECT_EQ(FBOBindDepth(), 0);
    // Angle 180 makes a band 360 degrees wide over one view height: x = azimuth / 360 * h.
    const double cx = s.w / 2.0, cy = s.h / 2.0, h = s.h;
    double rx, ry, gx, gy;
    ASSERT_TRUE(Centroid(s, IsRed, rx, ry));
    EXPECT_NEAR(rx, cx, 2.5);
    EXPECT_NEAR(ry, cy, 2.5);
    ASSERT_TRUE(Centroid(s, IsGreen, gx, gy));
    EXPECT_NEAR(gx, cx + h / 4, 3.5);
    EXPECT_NEAR(gy, cy, 3.5);
    // The band is 2 x 0.098 view heights tall: above and below it nothing was composed.
    EXPECT_TRUE(IsBlue(s.At(int(cx - h / 8), int(cy + 0.08 * h))));
    EXPECT_TRUE(IsBlack(s.At(int(cx), int(cy + 0.15 * h))));
    EXPECT_TRUE(IsBlack(s.At(int(cx), int(cy - 0.15 * h))));
}

namespace {

/// A view whose frame records the commands the view posts to it.
class PostingViewFixture : public ViewFixture {
protected:
    void SetUp() override {
        ViewFixture::SetUp();
        frame->Bind(wxEVT_MENU, [this](wxCommandEvent& e) { posted.push_back(e.GetId()); });
    }
    void TearDown() override {
        MainGLCanvas_cls::SetTimeModel(nullptr);
        if (GpCurrentCanvas == view) GpCurrentCanvas = nullptr;
        ViewFixture::TearDown();
    }
    /// Paints once and lets the posted commands arrive.
    std::vector<int> PaintAndCollect() {
        posted.clear();
        EXPECT_TRUE(PaintTimes(1));
        testsupport::Pump(20);
        return posted;
    }
    int CountOf(const std::vector<int>& ids, int id) const { return int(std::count(ids.begin(), ids.end(), id)); }
    std::vector<int> posted;
};

}  // namespace

TEST_F(PostingViewFixture, OnlyTheCurrentViewPostsTheDialogRefreshesAfterEachPaint) {
    GpCurrentCanvas = nullptr;
    EXPECT_EQ(PaintAndCollect(), std::vector<int>{});
    view->MakeCurrentView();
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(PaintAndCollect(), (std::vector<int>{ID_CAMERA_DIALOG_REFRESH, ID_LIGHT_DIALOG_REFRESH,
                                                        ID_STEREO_DIALOG_REFRESH}))
            << "paint " << i;
}

TEST_F(PostingViewFixture, RedrawOthersIsPostedOnceAfterAQuickPaintAndWaitsForPlaybackToStop) {
    GpCurrentCanvas = nullptr;
    TimeCtrl_cls time;
    MainGLCanvas_cls::SetTimeModel(&time);
    ASSERT_TRUE(PaintTimes(1));

    view->RequestRedrawOthers();
    EXPECT_EQ(CountOf(PaintAndCollect(), ID_REDRAW_VIEWS), 1);
    EXPECT_FALSE(view->RedrawOthersRequested());
    EXPECT_EQ(CountOf(PaintAndCollect(), ID_REDRAW_VIEWS), 0) << "served once only";

    // While playing, the request waits; the first paint after playback serves it.
    view->RequestRedrawOthers();
    time.playing = true;
    EXPECT_EQ(CountOf(PaintAndCollect(), ID_REDRAW_VIEWS), 0);
    EXPECT_TRUE(view->RedrawOthersRequested());
    time.playing = false;
    EXPECT_EQ(CountOf(PaintAndCollect(), ID_REDRAW_VIEWS), 1);

    // A paint of a second or more drops the extra round; a quicker one serves it.
    long long nowUs = 0, paintUs = 0;
    view->SetPaintClock([&nowUs] { return nowUs; });
    MainGLCanvas_cls::SetSceneDrawer([&nowUs, &paintUs](MainGLCanvas_cls& v, const SceneDrawArgs& a) {
        nowUs += paintUs;
        DrawTestQuad(v, a);
    });
    MainGLCanvas_cls::SetUseFBO([] { return false; });
    const std::pair<long long, int> cases[] = {{999999, 1}, {1000000, 0}, {1050000, 0}, {10, 1}};
    for (const auto& [us, posts] : cases) {
        paintUs = us;
        view->RequestRedrawOthers();
        EXPECT_EQ(CountOf(PaintAndCollect(), ID_REDRAW_VIEWS), posts) << us << " us";
        EXPECT_FALSE(view->RedrawOthersRequested()) << us << " us";
    }
    view->SetPaintClock(nullptr);
    MainGLCanvas_cls::SetSceneDrawer(DrawTestQuad);  // the locals above are about to go
}

namespace {

/// A wide view with the scene's camera path and anchor; they outlive the view, which may
/// still follow them while it is taken down.
class PathViewFixture : public WideViewFixture {
protected:
    void SetUp() override {
        WideViewFixture::SetUp();
        GoPivotPose = GLCameraPose_cls();  // the path looks at the origin, and so does the pivot
        GpCameraPath = &path;
        GpAnchorPath = &anchor;
    }
    void TearDown() override {
        WideViewFixture::TearDown();
        GpCameraPath = nullptr;
        GpAnchorPath = nullptr;
    }
    CameraPath_cls path;
    AnchorPath_cls anchor;
};

}  // namespace

TEST_F(PathViewFixture, FisheyeOffsetTurnsThePathViewSoAheadMovesUpByTheOffset) {
    // Through the scene's camera path, a fisheye of 180 degrees: the red ball at the origin
    // is straight ahead of the default path. A positive offset pitches the view down by that
    // many degrees, so the ball rises by offset / 180 of the view height (equidistant disc).
    path.geometry.value = GEOMETRY_FISHEYE;
    path.vAngle.value = 180;
    SetUpBalls(2, 0);
    balls.greenAt[0] = 1000;  // out of sight
    view->LinkToCameraPath();
    for (double offset : {0.0, 30.0, -20.0}) {
        path.fishEyeOffset.value = float(offset);
        ASSERT_TRUE(PaintTimes(2));
        const ViewShot& s = shots.at(0);
        EXPECT_EQ(s.error, GLenum(GL_NO_ERROR));
        double rx, ry;
        ASSERT_TRUE(Centroid(s, IsRed, rx, ry)) << offset;
        EXPECT_NEAR(rx, s.w / 2.0, 2.5) << offset;
        EXPECT_NEAR(ry, s.h / 2.0 + offset / 180 * s.h, 2.5) << offset;
    }
    // A view of its own free camera ignores the path's offset.
    view->UnlinkCamera(true);
    view->settings.geometry.value = GEOMETRY_FISHEYE;
    ASSERT_TRUE(PaintTimes(2));
    double rx, ry;
    ASSERT_TRUE(Centroid(shots.at(0), IsRed, rx, ry));
    EXPECT_NEAR(ry, shots.at(0).h / 2.0, 2.5);
}
