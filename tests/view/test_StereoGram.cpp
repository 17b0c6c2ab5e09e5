// Stereogram logic: eye placement, focus distance, passes and eyes, layouts in the window,
// the capture plan, and the "--StereoGram" project block.
#include <gtest/gtest.h>

#include <cmath>

#include "common/GLCamera.h"
#include "tests/timeline/TextFeed.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamTextStream.h"
#include "view/StereoGram.h"

namespace {

GLCamera_cls LookingDownZ() {
    GLCamera_cls c;
    const double dir[3] = {0, 0, -1}, up[3] = {0, 1, 0};
    c.frame.SetDirUp(dir, up);
    c.pose.position[0] = c.pose.position[1] = c.pose.position[2] = 0;
    return c;
}

/// Reads a project text the way the project reader does: every line offered.
void ReadProject(StereoGram_cls& s, const std::string& text) {
    const std::vector<std::string> lines = textfeed::SplitAtLf(text);
    ParamTextStream_cls stream(lines);
    std::string line;
    while (stream.ReadLine(line)) s.ReadConfig(stream, line);
}

TEST(StereoGram, DefaultsAreMonoWithOnePassAndEyeZero) {
    StereoGram_cls s;
    EXPECT_FALSE(s.StereoOn());
    EXPECT_EQ(s.PassCount(), 1);
    EXPECT_EQ(s.EyeOfPass(0), 0);
    EXPECT_DOUBLE_EQ(s.toeInAngle.value, 0.5);
    EXPECT_EQ(s.fileOutput.value, 1u);
    EXPECT_DOUBLE_EQ(s.EyeDistance(0.3), 0.1);
    EXPECT_FALSE(s.eyeParam->active) << "no Distance of Eye track while stereo is off";
    GLCamera_cls c = LookingDownZ();
    s.ApplyEyeToCamera(c, 1, 0);
    EXPECT_EQ(c.pose.position[0], 0.0) << "stereo off moves no camera";
}

TEST(StereoGram, PassesAndEyesByOutputType) {
    struct Case {
        unsigned setting, type;
        int passes, eye0, eye1;
    };
    const Case cases[] = {
        {0, 4, 1, 0, 0},  // stereo off whatever the type
        {1, 0, 1, 0, 0},  // no parallax
        {1, 1, 1, 1, 1},  // LEFT
        {2, 2, 1, 2, 2},  // RIGHT
        {1, 3, 2, 1, 2}, {2, 4, 2, 1, 2}, {1, 5, 2, 1, 2}, {1, 6, 2, 1, 2},
    };
    StereoGram_cls s;
    for (const Case& c : cases) {
        s.cameraSetting.value = c.setting;
        s.outputType.value = c.type;
        EXPECT_EQ(s.PassCount(), c.passes) << c.setting << "/" << c.type;
        EXPECT_EQ(s.EyeOfPass(0), c.eye0) << c.setting << "/" << c.type;
        EXPECT_EQ(s.EyeOfPass(1), c.eye1) << c.setting << "/" << c.type;
    }
}

TEST(StereoGram, ToeInEyesMoveHalfTheDistanceAndTurnInwards) {
    StereoGram_cls s;
    s.cameraSetting.value = STEREO_TOE_IN;
    s.outputType.value = STEREO_RED_CYAN;
    GLCamera_cls left = LookingDownZ(), right = LookingDownZ();
    s.ApplyEyeToCamera(left, 1, 0);
    s.ApplyEyeToCamera(right, 2, 0);
    EXPECT_NEAR(left.pose.position[0], -0.05, 1e-12);
    EXPECT_NEAR(right.pose.position[0], 0.05, 1e-12);
    // Turned about up by -0.5 and +0.5 degrees: the directions cross in front.
    const double s5 = std::sin(0.5 * 3.14159 / 180);
    EXPECT_NEAR(std::fabs(left.frame.direction[0]), s5, 1e-6);
    EXPECT_NEAR(left.frame.direction[0], -right.frame.direction[0], 1e-12);
    EXPECT_GT(left.frame.direction[0], 0) << "the left eye looks to the right, inwards";
    EXPECT_NEAR(s.FocusDistance(0), 0.05 / std::tan(0.5 * 3.14159 / 180), 1e-9);
    EXPECT_NEAR(s.FocusDistance(0), 5.73, 0.01);
    EXPECT_TRUE(s.DrawsFocusMarker(0));

    s.cameraSetting.value = STEREO_OFF_AXIS;
    GLCamera_cls shifted = LookingDownZ();
    s.ApplyEyeToCamera(shifted, 2, 0);
    EXPECT_NEAR(shifted.pose.position[0], 0.05, 1e-12);
    EXPECT_DOUBLE_EQ(shifted.frame.direction[2], -1.0) << "off-axis eyes are only shifted";
    EXPECT_FALSE(s.DrawsFocusMarker(0));
}

TEST(StereoGram, ToeInAngleZeroIsAnInfiniteFocusWithoutMarker) {
    StereoGram_cls s;
    s.cameraSetting.value = STEREO_TOE_IN;
    s.outputType.value = STEREO_RED_CYAN;
    s.toeInAngle.value = 0;
    EXPECT_TRUE(std::isinf(s.FocusDistance(0)));
    EXPECT_GT(s.FocusDistance(0), 0);
    EXPECT_FALSE(s.DrawsFocusMarker(0));
    GLCamera_cls c = LookingDownZ();
    s.ApplyEyeToCamera(c, 1, 0);
    EXPECT_TRUE(std::isfinite(c.frame.direction[0]));
    EXPECT_DOUBLE_EQ(c.frame.direction[2], -1.0);
}

TEST(StereoGram, EyeDistanceFollowsItsKeys) {
    StereoGram_cls s;
    Parameter_cls& d = s.eyeParam->Component(0);
    d.keys.resize(2);
    d.keys[0].time = 0, d.keys[0].value = 0.1;
    d.keys[1].time = 1, d.keys[1].value = 0.3;
    EXPECT_NEAR(s.EyeDistance(0.5), 0.2, 1e-9);
    EXPECT_NEAR(s.EyeOffset(1, 0.5), -0.2, 1e-9);
    EXPECT_NEAR(s.EyeOffset(2, 1.0), 0.3, 1e-9);
    EXPECT_EQ(s.EyeOffset(0, 1.0), 0.0);
}

TEST(StereoGram, AnaglyphMasksSplitTheChannels) {
    StereoGram_cls s;
    s.cameraSetting.value = STEREO_OFF_AXIS;
    bool m[4];
    s.outputType.value = STEREO_RED_CYAN;
    s.EyeColorMask(0, m);
    EXPECT_TRUE(m[0] && !m[1] && !m[2] && m[3]);
    s.EyeColorMask(1, m);
    EXPECT_TRUE(!m[0] && m[1] && m[2] && m[3]);
    s.outputType.value = STEREO_YELLOW_BLUE;
    s.EyeColorMask(0, m);
    EXPECT_TRUE(m[0] && m[1] && !m[2]);
    s.EyeColorMask(1, m);
    EXPECT_TRUE(!m[0] && !m[1] && m[2]);
    s.outputType.value = STEREO_SIDE_BY_SIDE;
    s.EyeColorMask(1, m);
    EXPECT_TRUE(m[0] && m[1] && m[2] && m[3]);
}

TEST(StereoGram, SideBySideQuadsInTheWindow) {
    StereoGram_cls s;
    s.cameraSetting.value = STEREO_OFF_AXIS;
    s.outputType.value = STEREO_SIDE_BY_SIDE;
    struct Case {
        bool fisheye, distortion;
        int W, H;
        StereoQuad left, right;
    };
    const Case cases[] = {
        {false, false, 800, 600, {0, -100, 400, 800}, {400, -100, 400, 800}},
        {false, true, 800, 600, {0, 0, 400, 600}, {400, 0, 400, 600}},
        {true, false, 800, 600, {50, 0, 300, 600}, {450, 0, 300, 600}},
        // A narrow fisheye window: each eye is D wide and 2D tall, centred vertically.
        {true, false, 400, 600, {0, 100, 200, 400}, {200, 100, 200, 400}},
    };
    for (const Case& c : cases) {
        s.fisheye = c.fisheye;
        StereoQuad q[2];
        s.SideBySideQuads(c.distortion, c.W, c.H, q);
        EXPECT_EQ(q[0], c.left) << c.W << "x" << c.H << " fisheye " << c.fisheye;
        EXPECT_EQ(q[1], c.right) << c.W << "x" << c.H << " fisheye " << c.fisheye;
    }
    EXPECT_EQ(StereoGram_cls::FittedQuad(0, 800, 600), (StereoQuad{0, -100, 800, 800}));
    EXPECT_EQ(StereoGram_cls::FittedQuad(1, 800, 600), (StereoQuad{100, 0, 600, 600}));
    EXPECT_EQ(StereoGram_cls::FittedQuad(2, 800, 600), (StereoQuad{0, 0, 800, 600}));
    EXPECT_EQ(StereoGram_cls::LineStencilRows(6), (std::vector<int>{1, 3, 5}));
}

TEST(StereoGram, APointerColumnFindsThePictureAndTheEyeThatDrewIt) {
    // Side by side, the right half of a 201-wide window starts at column 100; every other
    // composition shows one picture over the whole window.
    struct Case {
        unsigned setting, type;
        double x;
        int pass, eye;
    };
    const Case cases[] = {
        {1, 6, 10, 0, 1},    {1, 6, 99.5, 0, 1}, {1, 6, 100.5, 1, 2}, {2, 6, 190, 1, 2},
        {0, 6, 190, 0, 0},   // stereo off: one mono picture
        {1, 4, 190, 0, 0},   // anaglyph: both eyes overlaid, picked between them
        {1, 3, 190, 0, 0},   // line by line likewise
        {1, 1, 190, 0, 1},   // LEFT alone
        {1, 2, 10, 0, 2},    // RIGHT alone
        {1, 0, 190, 0, 0},   // no parallax
    };
    StereoGram_cls s;
    for (const Case& c : cases) {
        s.cameraSetting.value = c.setting;
        s.outputType.value = c.type;
        const int pass = s.PassAtColumn(c.x, 201);
        EXPECT_EQ(pass, c.pass) << c.setting << "/" << c.type << " at " << c.x;
        EXPECT_EQ(s.EyeOfShownPass(pass), c.eye) << c.setting << "/" << c.type << " at " << c.x;
    }
}

TEST(StereoGram, CapturePlanWritesPairsOnlySeparatelyAndNotForAxisViews) {
    StereoGram_cls s;
    EXPECT_EQ(s.CapturePlan(0).size(), 1u);
    EXPECT_EQ(s.CapturePlan(0)[0].eye, 0) << "stereo off: one untagged image";
    s.cameraSetting.value = STEREO_OFF_AXIS;
    s.outputType.value = STEREO_RED_CYAN;
    s.fileOutput.value = 1;
    for (int choice : {0, 7, 8}) {
        const auto plan = s.CapturePlan(choice);
        ASSERT_EQ(plan.size(), 2u) << choice;
        EXPECT_EQ(plan[0].buffer, 0);
        EXPECT_EQ(plan[0].eye, 1);
        EXPECT_EQ(plan[1].buffer, 1);
        EXPECT_EQ(plan[1].eye, 2);
    }
    EXPECT_EQ(s.CapturePlan(3).size(), 1u) << "an axis view writes one combined image";
    s.fileOutput.value = 0;
    ASSERT_EQ(s.CapturePlan(0).size(), 1u);
    EXPECT_EQ(s.CapturePlan(0)[0].eye, int(STEREO_RED_CYAN));
    s.outputType.value = STEREO_LEFT;
    s.fileOutput.value = 1;
    ASSERT_EQ(s.CapturePlan(0).size(), 1u);
    EXPECT_EQ(s.CapturePlan(0)[0].eye, 1) << "LEFT is tagged L";
    EXPECT_TRUE(StereoGram_cls::IsRefusedCombination(STEREO_LINE_BY_LINE, 0));
    EXPECT_FALSE(StereoGram_cls::IsRefusedCombination(STEREO_LINE_BY_LINE, 1));
    EXPECT_FALSE(StereoGram_cls::IsRefusedCombination(STEREO_RED_CYAN, 0));
}

TEST(StereoGram, ProjectBlockRoundTripsSettingsAndEyeKeys) {
    StereoGram_cls a;
    a.cameraSetting.value = STEREO_TOE_IN;
    a.outputType.value = STEREO_SIDE_BY_SIDE;
    a.toeInAngle.value = 1.25;
    a.fileOutput.value = 0;
    Parameter_cls& d = a.eyeParam->Component(0);
    d.keys.resize(2);
    d.keys[1].time = 0.5, d.keys[1].value = 0.4;
    const std::string text = a.WriteConfig();
    EXPECT_EQ(text.rfind("--StereoGram\nStereogramType=2\r\nStereogramEye=6\r\n"
                         "StereoGramToeInAngle=1.25\r\nSterogramDualOutput=0\r\n-ParamGroup=Stereogram\n",
                         0),
              0u)
        << text;

    StereoGram_cls b;
    ReadProject(b, "LightNumber=2\r\nStereogramType=1\r\n" + text + "After=1\r\n");
    EXPECT_EQ(b.cameraSetting.value, 2u);
    EXPECT_EQ(b.outputType.value, 6u);
    EXPECT_DOUBLE_EQ(b.toeInAngle.value, 1.25);
    EXPECT_EQ(b.fileOutput.value, 0u);
    EXPECT_NEAR(b.EyeDistance(0.5), 0.4, 1e-9);
    EXPECT_EQ(b.WriteConfig(), text);
}

TEST(StereoGram, OutOfRangeValuesAreClampedAndABlockWithoutGroupEndsAtTheEnd) {
    StereoGram_cls s;
    ReadProject(s, "--StereoGram\nStereogramType=9\r\nStereogramEye=99\r\nStereoGramToeInAngle=-3\r\n");
    EXPECT_EQ(s.cameraSetting.value, 2u);
    EXPECT_EQ(s.outputType.value, 6u);
    EXPECT_DOUBLE_EQ(s.toeInAngle.value, 0.0);
    EXPECT_EQ(s.EyeOfPass(1), 2);
    // A settings line standing alone is taken like any settings group's; a key inside
    // another line is not.
    StereoGram_cls t;
    ReadProject(t, "StereogramType=2\r\nXStereogramEye=4\r\n");
    EXPECT_EQ(t.cameraSetting.value, 2u);
    EXPECT_EQ(t.outputType.value, 0u);
    // "Set to Defalt" brings the settings back, not the eye distance.
    s.eyeParam->Component(0).keys[0].value = 0.7;
    s.RegisterSettings();
    EXPECT_EQ(s.cameraSetting.value, 0u);
    EXPECT_DOUBLE_EQ(s.toeInAngle.value, 0.5);
    EXPECT_NEAR(s.EyeDistance(0), 0.7, 1e-12);
}

}  // namespace
