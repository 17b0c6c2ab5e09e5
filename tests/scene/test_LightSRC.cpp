// The lights: their starting state, their OpenGL-free geometry, their POV-Ray text (which
// POV-Ray parses and renders lit from the right side), the project section read back, and
// adding and removing lights undone.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "common/CommandHistory.h"
#include "scene/LightSRCCtrl.h"
#include "scene/PovOutputSettings.h"
#include "scene/PovRayCtrl.h"
#include "scene/PovSceneSources.h"
#include "scene/PovSceneWriter.h"
#include "scene/PovText.h"
#include "tests/scene/PovSnapshotRender.h"
#include "tests/support/ParamHistoryFixture.h"
#include "tests/support/PovRayProbe.h"
#include "tests/support/TestFiles.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamTextStream.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string l = text.substr(start, end - start);
        if (!l.empty() && l.back() == '\r') l.pop_back();
        out.push_back(l);
        start = end + 1;
    }
    return out;
}

void ReadInto(LightSRCCtrl_cls& ctrl, const std::string& text) {
    const std::vector<std::string> lines = Lines(text);
    ParamTextStream_cls stream(lines);
    std::string line;
    while (stream.ReadLine(line)) ctrl.ReadSection(stream, line);
}

std::string Text(const wxString& s) { return s.utf8_string(); }

using LightTest = ParamHistoryFixture;

}  // namespace

TEST_F(LightTest, StartsWithTwoParallelLightsFacingTheOrigin) {
    LightSRCCtrl_cls ctrl;
    EXPECT_EQ(ctrl.LightNumber(), 2);
    EXPECT_EQ(ctrl.selected, 0);
    for (int i = 0; i < 7; ++i) {
        LightSRC_cls& l = ctrl.Light(i);
        EXPECT_EQ(l.pickId, 10 + i);
        EXPECT_EQ(l.mode, 1);
        EXPECT_EQ(l.type.value, LIGHT_PARALLEL);
        EXPECT_EQ(l.group->name, "LightSRC" + std::to_string(i));
        EXPECT_EQ(l.group->active, i < 2 ? 1 : 0);
        // d(t) points from the origin towards the light.
        float pos[4], angles[2];
        l.GetPositionAndAngles(0, pos, angles, true, nullptr);
        EXPECT_EQ(pos[3], 0.0f);
        float at[4];
        l.GetPositionAndAngles(0, at, angles, false, nullptr);
        EXPECT_EQ(at[3], 1.0f);
        const double len = std::sqrt(at[0] * at[0] + at[1] * at[1] + at[2] * at[2]);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(pos[k], at[k] / len, 1e-4) << i;
    }
    EXPECT_NEAR(ctrl.Light(1).StrengthAt(0), 0.1, 1e-12);
    EXPECT_NEAR(ctrl.Light(0).StrengthAt(0), 1.0, 1e-12);
    EXPECT_EQ(ctrl.Light(0).settings.WriteAll().utf8_string().rfind("LightSRC0Type=3", 0), 0u);
}

TEST_F(LightTest, ShadowAndVisibilityQueriesCountActiveLightsOnly) {
    LightSRCCtrl_cls ctrl;
    EXPECT_EQ(ctrl.CountShadowLights(), 2);
    EXPECT_EQ(ctrl.CountVisibleLights(), 2);
    ctrl.Light(0).castShadow.value = false;
    EXPECT_EQ(ctrl.GetShadowLightIndex(), 1);
    ctrl.Light(0).visible.value = false;
    EXPECT_EQ(ctrl.FirstVisibleIndex(), 1);
    ctrl.Light(1).visible.value = false;
    EXPECT_EQ(ctrl.FirstVisibleIndex(), -1);
    EXPECT_EQ(ctrl.GetShadowLightIndex(), 0);
    EXPECT_EQ(ctrl.CountVisibleLights(), 0);
    ctrl.lightNumber.value = 0;
    EXPECT_TRUE(ctrl.PovLights(0).empty());
}

TEST_F(LightTest, TheHeaderEyeOfALightsGroupSwitchesTheLight) {
    LightSRCCtrl_cls ctrl;
    LightSRC_cls& l = ctrl.Light(1);
    ASSERT_NE(l.group->owner, nullptr);
    l.group->owner->SetOwnerVisible(false);  // what the eye of the group's header does
    EXPECT_EQ(ctrl.CountVisibleLights(), 1);
    EXPECT_TRUE(l.PovLight(0).empty());
    EXPECT_NE(l.settings.WriteAll().utf8_string().find("LightSRC1Visible=0"), std::string::npos);
    l.group->owner->SetOwnerVisible(true);
    EXPECT_EQ(ctrl.CountVisibleLights(), 2);
    EXPECT_FALSE(l.PovLight(0).empty());
}

TEST_F(LightTest, PovRayTextOfEachKind) {
    LightSRCCtrl_cls ctrl;
    LightSRC_cls& l = ctrl.Light(0);
    // Parallel: the position 1000 units out along d(t), "parallel" aimed at the origin.
    std::string par = Text(l.PovLight(0));
    EXPECT_EQ(par.rfind("light_source {\n\t<", 0), 0u) << par;
    EXPECT_NE(par.find("\tparallel\n\tpoint_at <0, 0, 0>\n"), std::string::npos);
    EXPECT_NE(par.find("\tcolor<1.00000000,1.00000000,1.00000000>\n"), std::string::npos) << par;
    EXPECT_EQ(par.find("shadowless"), std::string::npos);
    float d[4], a[2];
    l.GetPositionAndAngles(0, d, a, true, nullptr);
    EXPECT_NE(par.find(PovVector3f("\t", std::array<float, 3>{d[0] * 1000, d[1] * 1000, d[2] * 1000}.data(), 8).utf8_string()),
              std::string::npos)
        << par;

    struct Case {
        int type, fade, spot;
        bool shadow, area;
        float areaSize;
        unsigned quality;
        std::vector<std::string> has, hasNot;
    };
    const std::vector<Case> cases = {
        {LIGHT_SPOT, 0, 35, true, false, 0.2f, 5, {"\tspotlight\n\tpoint_at<", "\tradius 35\n", "\tfalloff 42\n"}, {"parallel", "fade"}},
        {LIGHT_POINT, 2, 35, false, true, 0.2f, 5,
         {"\tshadowless\n", "\tfade_distance 2.000000\n\tfade_power 2\n",
          "\tarea_light \tx * 0.2, y * 0.2,5,5\n\tcircular orient\n\tadaptive 1\n"},
         {"spotlight", "parallel"}},
        {LIGHT_CYLINDER, 1, 35, true, true, 0.2f, 6,
         {"\tfade_distance 2.000000\n\tfade_power 1\n", ",6,6\n\tcircular orient\n\tadaptive 2\n"}, {"spotlight"}},
        {LIGHT_PARALLEL, 0, 35, true, true, 0.2f, 5, {"\tarea_light \tx * 200, y * 200,5,5\n"}, {"spotlight"}},
        // POV-Ray refuses a circular area light of one sample: at least 2 x 2 are written.
        {LIGHT_POINT, 0, 35, true, true, 0.5f, 1, {"\tx * 0.5, y * 0.5,2,2\n"}, {}},
    };
    std::string scene = "camera { location <0,0,-5> look_at <0,0,0> }\nsphere { <0,0,0>, 1 pigment { rgb 1 } }\n";
    for (const Case& c : cases) {
        l.type.value = c.type;
        l.fade.value = c.fade;
        l.fadeDistance.value = 2;
        l.spotAngle.value = c.spot;
        l.castShadow.value = c.shadow;
        l.lightArea.value = c.area;
        l.lightAreaSize.value = c.areaSize;
        l.lightAreaQuality.value = c.quality;
        const std::string text = Text(l.PovLight(0));
        for (const std::string& h : c.has) EXPECT_NE(text.find(h), std::string::npos) << h << "\n" << text;
        for (const std::string& h : c.hasNot) EXPECT_EQ(text.find(h), std::string::npos) << h << "\n" << text;
        EXPECT_EQ(text.substr(text.size() - 2), "}\n");
        scene += text;
    }
    l.visible.value = false;
    EXPECT_TRUE(l.PovLight(0).empty());
    if (!povprobe::Available()) GTEST_SKIP() << "no povray";
    bool ok = false;
    const std::string out = povprobe::Run(scene, ok);
    EXPECT_TRUE(ok) << scene << "\n" << out;
}

TEST_F(LightTest, ProjectSectionReadsBackTheSameText) {
    LightSRCCtrl_cls a;
    a.lightNumber.value = 3;
    a.Light(2).type.value = LIGHT_SPOT;
    a.Light(2).spotAngle.value = 20;
    a.Light(2).fadeDistance.value = 3.5f;
    a.Light(2).target.value = 1;
    a.Light(1).castShadow.value = false;
    a.Light(0).translate->SetKeyFrame({1, 2, 3}, true, 0.5);
    a.Light(2).strength->SetKeyFrame({0.7}, true, 0.25);
    const std::string text = a.WriteSection();
    EXPECT_EQ(text.rfind("---AllLightSource\r\nLightNumber=3\r\n---LightSRC 0\n", 0), 0u) << text;
    EXPECT_EQ(text.substr(text.size() - 22), "---AllLightSourceEnd\r\n");
    EXPECT_NE(text.find("-ParamGroup=LightSRC2 Strength"), std::string::npos);
    EXPECT_EQ(text.find("LightSRC3"), std::string::npos);  // inactive lights are not written

    LightSRCCtrl_cls b;
    ReadInto(b, "Before=1\r\n" + text + "After=1\r\n");
    EXPECT_EQ(b.WriteSection(), text);
    EXPECT_EQ(b.Light(2).type.value, LIGHT_SPOT);
    EXPECT_NEAR(b.Light(2).StrengthAt(0.25), 0.7, 1e-9);
}

TEST_F(LightTest, SectionEdgeCases) {
    {
        LightSRCCtrl_cls none;
        none.lightNumber.value = 0;
        EXPECT_EQ(none.WriteSection(), "---AllLightSource\r\nLightNumber=0\r\n---AllLightSourceEnd\r\n");
    }
    // Blocks numbered 5 and 6 fill lights 0 and 1, keys and curves included.
    LightSRCCtrl_cls src;
    src.lightNumber.value = 7;
    src.Light(5).spotAngle.value = 11;
    src.Light(5).translate->SetKeyFrame({4, 5, 6}, true, 0);
    src.Light(6).spotAngle.value = 12;
    std::string five = src.Light(5).WriteSection(), six = src.Light(6).WriteSection();
    LightSRCCtrl_cls b;
    ReadInto(b, "---AllLightSource\r\nLightNumber=2\r\n" + five + six + "---AllLightSourceEnd\r\n");
    EXPECT_EQ(b.Light(0).spotAngle.value, 11);
    EXPECT_EQ(b.Light(1).spotAngle.value, 12);
    EXPECT_NEAR(b.Light(0).translate->GetValues(0, 0)[1], 5.0, 1e-12);
    EXPECT_EQ(b.Light(5).spotAngle.value, 35);

    // Out-of-range counts and kinds are clamped; an eighth block is passed over; a section
    // cut short at the end of the input ends the read.
    std::string many = "---AllLightSource\r\nLightNumber=12\r\n";
    for (int i = 0; i < 8; ++i) many += "---LightSRC " + std::to_string(i) + "\nLightSRC" + std::to_string(i) + "Type=9\r\n";
    LightSRCCtrl_cls c;
    ReadInto(c, many);
    EXPECT_EQ(c.LightNumber(), 7);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(c.Light(i).type.value, 3);
}

TEST_F(LightTest, AddAndRemoveAreSingleUndoSteps) {
    GbParamUndoEnabled = 1;
    LightSRCCtrl_cls ctrl;
    int binds = 0;
    ctrl.onBind = [&]() { ++binds; };
    ctrl.AddLight();
    EXPECT_EQ(ctrl.LightNumber(), 3);
    EXPECT_EQ(ctrl.selected, 2);
    EXPECT_EQ(ctrl.Light(2).group->active, 1);
    EXPECT_EQ(binds, 1);
    GoCommandHistory.Undo();
    EXPECT_EQ(ctrl.LightNumber(), 2);
    EXPECT_EQ(ctrl.selected, 0);
    GoCommandHistory.Redo();
    EXPECT_EQ(ctrl.LightNumber(), 3);

    // Removing light 0 of three moves 1..6 one slot down and keeps light 0 selected.
    for (int i = 0; i < 7; ++i) {
        ctrl.Light(i).spotAngle.value = 10 + i;
        ctrl.Light(i).fadeDistance.value = float(i + 1);
    }
    GoCommandHistory.Clear();
    ctrl.SelectLight(0);
    ctrl.RemoveLight();
    EXPECT_EQ(ctrl.LightNumber(), 2);
    EXPECT_EQ(ctrl.selected, 0);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(ctrl.Light(i).spotAngle.value, 11 + i);
        EXPECT_EQ(ctrl.Light(i).fadeDistance.value, float(i + 2));
    }
    EXPECT_NEAR(ctrl.Light(0).StrengthAt(0), 0.1, 1e-12);  // light 1's strength moved down
    GoCommandHistory.Undo();
    EXPECT_EQ(ctrl.LightNumber(), 3);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(ctrl.Light(i).spotAngle.value, 10 + i);
    EXPECT_NEAR(ctrl.Light(0).StrengthAt(0), 1.0, 1e-12);
    EXPECT_FALSE(GoCommandHistory.CanUndo());

    // Removing the last light selects the one below; the only light leaves -1.
    ctrl.SelectLight(2);
    ctrl.RemoveLight();
    EXPECT_EQ(ctrl.selected, 1);
    ctrl.RemoveLight();
    ctrl.RemoveLight();
    EXPECT_EQ(ctrl.LightNumber(), 0);
    EXPECT_EQ(ctrl.selected, -1);
    ctrl.RemoveLight();  // nothing left: nothing happens
    EXPECT_EQ(ctrl.LightNumber(), 0);
    GbParamUndoEnabled = 0;
}

// ---------------------------------------------------------------------------------------
// The lights in a rendered POV-Ray scene light the side of a sphere the views light.

namespace {

/// The view from (0, -6, 0) along +y (x to the right, z up) of one white sphere at the
/// origin, lit by the lights of `ctrl`.
struct LitSphereSources : PovSceneSources_cls {
    LightSRCCtrl_cls* ctrl = nullptr;
    bool MainViewCamera(PovViewCamera_cls& out) override {
        const double pos[3] = {0, -6, 0}, second[3] = {0, 0, 0}, dir[3] = {0, 1, 0}, up[3] = {0, 0, 1},
                     right[3] = {1, 0, 0};
        out.camera = GLCamera_cls(pos, second, dir, up, right);
        const double pivot[3] = {0, 0, 0};
        out.camera.SetPivot(pivot);
        out.angle = 35;
        return true;
    }
    int FrameCount() override { return 1; }
    bool WritePovParticles(wxString& out, PovRayCtrl_cls&, int) override {
        out << "#declare PARTICLES = union {\n"
               "\tsphere { <0,0,0>, 1 pigment { rgb <1,1,1> } finish { ambient 0 diffuse 1 } }\n"
               "}\n";
        return true;
    }
    wxString PovLights(double t) override { return ctrl->PovLights(t); }
    int CountVisibleLights() override { return ctrl->CountVisibleLights(); }
};

/// Grey level at columns `left` and `right` of the middle row of the rendered snapshot.
bool RenderSides(LightSRCCtrl_cls& lights, int left, int right, int& l, int& r) {
    testsupport::TempDir dir;
    PovRayCtrl_cls ctrl;
    povsnapshot::SmallPpmOutput(ctrl, dir.File("work"));
    LitSphereSources src;
    src.ctrl = &lights;
    PovSceneWriter_cls writer(&ctrl, &src);
    povsnapshot::Picture pic;
    povsnapshot::RenderSnapshot(ctrl, writer, dir.File("work"), pic);
    if (::testing::Test::HasFatalFailure()) return false;
    l = pic.At(left, 24, 0), r = pic.At(right, 24, 0);
    return true;
}

}  // namespace

TEST_F(LightTest, RenderedLightsLightTheSideTheyComeFrom) {
    if (!povprobe::Available()) GTEST_SKIP() << "no povray";
    LightSRCCtrl_cls lights;
    lights.lightNumber.value = 1;
    LightSRC_cls& l = lights.Light(0);
    // x = +-0.7 on the sphere: 0.7 / (6 tan 17.5) * 24 = 8.9 columns off the centre.
    struct Case {
        const char* name;
        int type;
        std::array<double, 3> rotation, translate;
        bool rightLit;
    };
    const Case cases[] = {
        {"parallel from +x", LIGHT_PARALLEL, {0, 0, 180}, {0, 0, 0}, true},
        {"parallel from -x", LIGHT_PARALLEL, {0, 0, 0}, {0, 0, 0}, false},
        {"point at +x", LIGHT_POINT, {0, 0, 0}, {4, -2, 0}, true},
        {"spot at -x aimed at the sphere", LIGHT_SPOT, {0, 0, 0}, {-4, 0, 0}, false},
    };
    for (const Case& c : cases) {
        l.type.value = c.type;
        l.spotAngle.value = 30;
        l.rotation->SetKeyFrame({c.rotation[0], c.rotation[1], c.rotation[2]}, true, -1);
        l.translate->SetKeyFrame({c.translate[0], c.translate[1], c.translate[2]}, true, -1);
        int left = 0, right = 0;
        ASSERT_TRUE(RenderSides(lights, 23, 41, left, right)) << c.name;
        const int lit = c.rightLit ? right : left, dark = c.rightLit ? left : right;
        EXPECT_GT(lit, 60) << c.name;
        EXPECT_LT(dark, 30) << c.name;
    }
}
