// A view's settings lines and camera choice: the lines round trip with their keys and
// ranges, each axis view puts known points where its table says, the view angle is
// limited in perspective, the camera path is followed and left as the choice says, and
// camera and anchor keys are single undoable steps that key what the view shows.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include <wx/arrstr.h>

#include "common/CommandHistory.h"
#include "scene/AnchorPath.h"
#include "scene/CameraPath.h"
#include "tests/support/ParamHistoryFixture.h"
#include "timeline/ParamGroup.h"
#include "view/ViewCameras.h"
#include "view/ViewSettings.h"

namespace {

/// Eye-space coordinates of world point p under camera c (x right, y up, z towards the eye).
void ToEye(const GLCamera_cls& c, const double p[3], double e[3]) {
    double m[16];
    c.ModelviewMatrix(m);
    for (int i = 0; i < 3; ++i) e[i] = m[i] * p[0] + m[4 + i] * p[1] + m[8 + i] * p[2] + m[12 + i];
}

class ViewCamerasTest : public ParamHistoryFixture {
protected:
    void SetUp() override {
        ParamHistoryFixture::SetUp();
        GoPivotPose = GLCameraPose_cls();
        GoAxisPivotPose = GLCameraPose_cls();
        path = std::make_unique<CameraPath_cls>();
        anchor = std::make_unique<AnchorPath_cls>();
        GpCameraPath = path.get();
        GpAnchorPath = anchor.get();
    }
    void TearDown() override {
        GpCameraPath = nullptr;
        GpAnchorPath = nullptr;
        ParamHistoryFixture::TearDown();
    }
    std::unique_ptr<CameraPath_cls> path;
    std::unique_ptr<AnchorPath_cls> anchor;
};

}  // namespace

TEST(ViewSettings, LinesCarryTheViewsKeysAndReadBackTheSame) {
    ViewSettings_cls side(2, 1);
    const std::string text = side.WriteAll().utf8_string();
    // Keys prefixed by the view, in registration order; the two fisheye keys have no "=".
    EXPECT_EQ(text.rfind("Panel2ShowMessage=1\r\nPanel2ShowItems=1\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("Panel2GLGeometry=1\r\nPanel2DisplayMode=1\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Panel2Distortion0\r\nPanel2FisheyeGrid0\r\n"), std::string::npos) << text;
    EXPECT_EQ(side.group.Items().size(), 19u);

    ViewSettings_cls other(2, 0);
    other.ReadLine("Panel2GLOrthoScale=2.5\r\n");
    other.ReadLine("Panel2Distortion1");
    other.ReadLine("Panel1ShowGrid=0");  // another view's line
    EXPECT_FLOAT_EQ(other.orthoScale.value, 2.5f);
    EXPECT_TRUE(other.distortion.value);
    EXPECT_TRUE(other.showGrid.value);
    ViewSettings_cls copy(2, 0);
    for (const wxString& l : wxSplit(other.WriteAll(), '\n', 0)) copy.ReadLine(l);
    EXPECT_EQ(copy.WriteAll(), other.WriteAll());

    // The extra view starts without its info line; its line turns it on.
    ViewSettings_cls extra(4, 0);
    EXPECT_FALSE(extra.showMessage.value);
    extra.ReadLine("Panel4ShowMessage=1");
    EXPECT_TRUE(extra.showMessage.value);
}

TEST(ViewSettings, ValuesReadFromAFileStayWithinTheirChoices) {
    struct Case {
        int view;
        const char* line;
        int mode, geometry;
    };
    const Case cases[] = {
        {0, "Panel0DisplayMode=12", 7, 0},  // upper views offer choices 0..7
        {4, "Panel4DisplayMode=12", 8, 0},  // the extra view also copies view 0
        {0, "Panel0DisplayMode=-3", 0, 0},
        {0, "Panel0GLGeometry=9", 0, 3},
        {0, "Panel0GLGeometry=-1", 0, 0},
    };
    for (const Case& c : cases) {
        ViewSettings_cls s(c.view, 0);
        s.ReadLine(c.line);
        EXPECT_EQ(s.displayMode.value, c.mode) << c.line;
        EXPECT_EQ(s.geometry.value, c.geometry) << c.line;
    }
    ViewSettings_cls s(0, 0);
    s.ReadLine("Panel0GLOrthoScale=0");
    s.ReadLine("Panel0GLDepthMin=-1");
    EXPECT_GT(s.orthoScale.value, 0.0f);
    EXPECT_GT(s.depthMin.value, 0.0f);
}

TEST_F(ViewCamerasTest, EachAxisViewLooksAlongItsAxisFromOrthoScaleAway) {
    // choice, where a point one unit along +x, +y, +z from the pivot lands in the view:
    // screen right (+1), left (-1), up (+2), down (-2) or along the line of sight (0).
    struct Case {
        int choice;
        double eye[3];  ///< camera position relative to the pivot
        int x, y, z;
    };
    const Case cases[] = {
        {1, {-2, 0, 0}, 0, -1, 2},  // From -X to +X: +y to the left, +z up
        {2, {2, 0, 0}, 0, 1, 2},
        {3, {0, -2, 0}, 1, 0, 2},   // From -Y to +Y: +x to the right
        {4, {0, 2, 0}, -1, 0, 2},
        {5, {0, 0, -2}, -1, 2, 0},  // From -Z to +Z: up +y, +x to the left
        {6, {0, 0, 2}, 1, 2, 0},    // From +Z to -Z: the view from above
    };
    const double pivot[3] = {1, 2, 3};
    for (int k = 0; k < 3; ++k) GoAxisPivotPose.position[k] = pivot[k];
    for (const Case& c : cases) {
        ViewSettings_cls s(1, c.choice);
        s.orthoScale.value = 2;
        ViewCameras_cls v(s);
        EXPECT_TRUE(v.IsAxisView());
        EXPECT_EQ(&v.PivotPose(), &GoAxisPivotPose);
        EXPECT_EQ(v.Active(), &v.axis);
        EXPECT_TRUE(v.IsOrthographic()) << c.choice;
        v.Update(true);
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(v.drawn.pose.position[k], pivot[k] + c.eye[k], 1e-12) << c.choice;
        EXPECT_NEAR(v.drawn.PivotDistance(), 2.0, 1e-12);
        const int expected[3] = {c.x, c.y, c.z};
        for (int axis = 0; axis < 3; ++axis) {
            double p[3] = {pivot[0], pivot[1], pivot[2]}, e[3];
            p[axis] += 1;
            ToEye(v.drawn, p, e);
            const int seen = std::abs(e[0]) > 0.5 ? (e[0] > 0 ? 1 : -1)
                             : std::abs(e[1]) > 0.5 ? (e[1] > 0 ? 2 : -2) : 0;
            EXPECT_EQ(seen, expected[axis]) << "choice " << c.choice << " axis " << axis;
        }
    }
}

TEST_F(ViewCamerasTest, ChoiceSetsGeometryAndTheRecordThatMoves) {
    ViewSettings_cls s(0, 0);
    ViewCameras_cls v(s);
    EXPECT_EQ(v.Active(), &v.free);
    EXPECT_EQ(&v.PivotPose(), &GoPivotPose);
    v.SetChoice(3);
    EXPECT_EQ(s.geometry.value, GEOMETRY_ORTHOGRAPHIC);
    v.SetChoice(0);
    EXPECT_EQ(s.geometry.value, GEOMETRY_PERSPECTIVE);
    s.geometry.value = GEOMETRY_FISHEYE;  // fisheye and panorama stay
    v.SetChoice(4);
    EXPECT_EQ(s.geometry.value, GEOMETRY_FISHEYE);
    EXPECT_EQ(v.GeometryMode(), 0) << "axis views are planar";
    v.SetChoice(0);
    EXPECT_TRUE(v.IsFisheye());
    v.TogglePerspective();  // fisheye becomes perspective
    EXPECT_EQ(s.geometry.value, GEOMETRY_PERSPECTIVE);
    v.TogglePerspective();
    EXPECT_EQ(s.geometry.value, GEOMETRY_ORTHOGRAPHIC);
    v.SetChoice(8);  // view 0 cannot copy itself
    EXPECT_EQ(v.Choice(), 0);

    ViewSettings_cls es(4, 8);
    ViewCameras_cls extra(es);
    EXPECT_EQ(extra.Choice(), 8);
    EXPECT_EQ(extra.Active(), nullptr) << "the copy of view 0 cannot be steered";
}

TEST_F(ViewCamerasTest, FreeCameraTurnsToTheSharedPivot) {
    ViewSettings_cls s(0, 0);
    ViewCameras_cls v(s);
    GoPivotPose.position[0] = 1;
    GoPivotPose.position[1] = -1;
    v.Update(true);
    double e[3];
    ToEye(v.drawn, GoPivotPose.position, e);
    EXPECT_NEAR(e[0], 0, 1e-9);
    EXPECT_NEAR(e[1], 0, 1e-9);
    EXPECT_LT(e[2], 0);
    // Pivot Follows Anchor: the anchor's place becomes every free view's pivot.
    anchor->translate->SetKeyFrame({2, 2, 0}, true, -1);
    anchor->UpdateTransform(0);
    s.pivotMode.value = true;
    v.Update(false);
    EXPECT_DOUBLE_EQ(GoPivotPose.position[0], 2);
    ToEye(v.drawn, GoPivotPose.position, e);
    EXPECT_NEAR(e[0], 0, 1e-9);
    EXPECT_NEAR(e[1], 0, 1e-9);
}

TEST_F(ViewCamerasTest, ViewAngleIsLimitedInPerspectiveOnly) {
    ViewSettings_cls s(0, 0);
    ViewCameras_cls v(s);
    struct Case {
        int geometry;
        float angle;
        double drawn;
        bool message;
    };
    const Case cases[] = {{0, 130, 120, true}, {0, 119, 119, false}, {2, 130, 130, false},
                          {1, 150, 150, false}, {3, 200, 200, false},
                          // typed into the entry, which does not clamp: the smallest angle
                          {0, 0, 0.01, false},     {1, -5, 0.01, false}};
    for (const Case& c : cases) {
        s.geometry.value = c.geometry;
        s.persAngle.value = c.angle;
        std::string m;
        EXPECT_DOUBLE_EQ(v.ViewAngle(&m), c.drawn) << c.geometry << " " << c.angle;
        EXPECT_EQ(m == "View angle is limited to 120 deg in perspective view.\n", c.message) << m;
    }
    // Following the path, its own angle and geometry count.
    path->vAngle.value = 140;
    v.LinkToCameraPath(0);
    std::string m;
    EXPECT_DOUBLE_EQ(v.ViewAngle(&m), 120);
    EXPECT_FALSE(m.empty());
    path->geometry.value = GEOMETRY_FISHEYE;
    EXPECT_DOUBLE_EQ(v.ViewAngle(nullptr), 140);
    path->vAngle.value = 0;
    EXPECT_DOUBLE_EQ(v.ViewAngle(nullptr), 0.01);
    path->vAngle.value = 140;
    EXPECT_TRUE(v.IsFisheye());
}

TEST_F(ViewCamerasTest, FisheyeOffsetPitchesTheSceneCameraOfPathAndCopyViewsOnly) {
    path->fishEyeOffset.value = 30;
    struct Case {
        int choice;           // 0 free, 7 the camera path, 8 copy of view 0
        int viewGeometry;     // GLGeometry
        int pathGeometry;     // CameraGeometry
        double pitch;         // expected turn, degrees
    };
    const Case cases[] = {{7, 0, GEOMETRY_FISHEYE, 30},   {8, GEOMETRY_FISHEYE, 0, 30},
                          {0, GEOMETRY_FISHEYE, GEOMETRY_FISHEYE, 0}, {7, 0, 0, 0},
                          {7, 0, GEOMETRY_PANORAMA, 0},  {8, GEOMETRY_PANORAMA, 0, 0}};
    for (const Case& c : cases) {
        ViewSettings_cls s(4, 0);
        ViewCameras_cls v(s);
        path->geometry.value = c.pathGeometry;
        if (c.choice == CAMERA_PATH) {
            v.LinkToCameraPath(0);
            v.Update(true);
        } else {
            v.SetChoice(c.choice);
        }
        s.geometry.value = c.viewGeometry;
        const GLCamera_cls scene = v.SceneCamera();
        double cosine = 0, upward = 0;
        for (int k = 0; k < 3; ++k) {
            cosine += scene.frame.direction[k] * v.drawn.frame.direction[k];
            upward += scene.frame.direction[k] * v.drawn.frame.up[k];
        }
        EXPECT_NEAR(cosine, std::cos(c.pitch * 3.14159265358979 / 180), 1e-4) << c.choice << " " << c.viewGeometry;
        // A positive offset turns the view downwards; the position stays.
        EXPECT_NEAR(upward, -std::sin(c.pitch * 3.14159265358979 / 180), 1e-4) << c.choice;
        for (int k = 0; k < 3; ++k) EXPECT_EQ(scene.pose.position[k], v.drawn.pose.position[k]);
    }
}

TEST_F(ViewCamerasTest, PathViewFollowsThePathAndSnapsBackWhenTimeMoves) {
    ViewSettings_cls s(0, 0);
    ViewCameras_cls v(s);
    v.LinkToCameraPath(0);
    EXPECT_EQ(v.Choice(), CAMERA_PATH);
    EXPECT_EQ(v.Active(), &v.path);
    v.Update(true);
    // The default path: at (-1.5, 0, 1.5) looking along +x tilted 45 degrees down.
    EXPECT_NEAR(v.drawn.pose.position[0], -1.5, 1e-9);
    EXPECT_NEAR(v.drawn.pose.position[2], 1.5, 1e-9);
    EXPECT_NEAR(v.drawn.frame.direction[0], std::sqrt(0.5), 1e-4);
    EXPECT_NEAR(v.drawn.frame.direction[2], -std::sqrt(0.5), 1e-4);

    // Looking around by mouse within one time step keeps the user's camera ...
    v.path.pose.position[1] = 1;
    v.Update(false);
    EXPECT_DOUBLE_EQ(v.drawn.pose.position[1], 1);
    // ... the next time step puts the view back onto the path.
    v.Update(true);
    EXPECT_NEAR(v.drawn.pose.position[1], 0, 1e-12);

    // Unlinking with the view kept: the free camera takes the path's picture.
    v.path.pose.position[1] = 0.5;
    const GLCamera_cls seen = v.path;
    v.Unlink(true);
    EXPECT_EQ(v.Choice(), CAMERA_FREE);
    EXPECT_FALSE(v.FollowsPath());
    EXPECT_TRUE(GLCamera_cls::Equals(v.free, seen));
}

TEST_F(ViewCamerasTest, CameraKeysAreOneUndoStepAndKeyWhatTheViewShows) {
    GbParamUndoEnabled = 1;
    GoCommandHistory.Clear();
    // From an axis view the axis camera's own position is keyed, not the pivot.
    ViewSettings_cls s(1, 2);  // From +X to -X
    s.orthoScale.value = 3;
    ViewCameras_cls v(s);
    GoAxisPivotPose.position[2] = 1;
    v.Update(true);
    v.SetCameraKey(false);
    EXPECT_EQ(GoCommandHistory.BlockDepth(), 0);
    path->UpdateTransform(0);
    EXPECT_NEAR(path->transform.pose.position[0], 3, 1e-6);
    EXPECT_NEAR(path->transform.pose.position[2], 1, 1e-6);
    GoCommandHistory.Undo();
    path->UpdateTransform(0);
    EXPECT_NEAR(path->transform.pose.position[0], -1.5, 1e-6) << "one Undo restores the key";
    EXPECT_NEAR(path->transform.pose.position[2], 1.5, 1e-6);
    EXPECT_FALSE(GoCommandHistory.CanUndo());

    // Position and rotation: the path then places its camera where the view's is.
    ViewSettings_cls fs(0, 0);
    ViewCameras_cls free(fs);
    GoPivotPose.position[0] = 0.5;
    free.Update(true);
    free.SetCameraKey(true);
    path->UpdateTransform(0);
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(path->transform.pose.position[k], free.free.pose.position[k], 1e-5);
        EXPECT_NEAR(path->transform.frame.direction[k], free.free.frame.direction[k], 1e-4) << k;
        EXPECT_NEAR(path->transform.frame.up[k], free.free.frame.up[k], 1e-4) << k;
    }
    GoCommandHistory.Undo();
    path->UpdateTransform(0);
    EXPECT_NEAR(path->transform.pose.position[0], -1.5, 1e-6);
    EXPECT_NEAR(path->transform.frame.direction[0], std::sqrt(0.5), 1e-4);

    // The anchor key takes the shared pivot.
    GoPivotPose.position[1] = -2;
    free.SetAnchorKey();
    anchor->UpdateTransform(0);
    EXPECT_NEAR(anchor->transform.pose.position[0], 0.5, 1e-6);
    EXPECT_NEAR(anchor->transform.pose.position[1], -2, 1e-6);
    GoCommandHistory.Undo();
    anchor->UpdateTransform(0);
    EXPECT_NEAR(anchor->transform.pose.position[1], 0, 1e-6);
}

TEST(ViewCameras, OrthographicBufferCoversTheWiderSide) {
    GLCamera_cls c;
    const double pivot[3] = {0, 0, -2};
    c.SetPivot(pivot);
    EXPECT_DOUBLE_EQ(ViewCameras_cls::OrthoBufferCamera(c, 400, 200).PivotDistance(), 4.0);
    EXPECT_DOUBLE_EQ(ViewCameras_cls::OrthoBufferCamera(c, 200, 400).PivotDistance(), 2.0);
    EXPECT_DOUBLE_EQ(ViewCameras_cls::OrthoBufferCamera(c, 300, 0).PivotDistance(), 2.0);
}
