// The scene's lights in the views of the running program: lit spheres follow a light's
// strength and direction, stencil shadows darken the picture only when shadows are on and
// a light casts them, a click on a light's symbol selects it, and a gizmo drag of the
// selected light is one undoable step.
#include "tests/app/gui/ViewZeroFixture.h"

#include <gtest/gtest.h>

#include <wx/uiaction.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <memory>

#include "app/gui/Preference.h"
#include "app/gui/TopHalfPanel.h"
#include "common/CommandHistory.h"
#include "data/DataSequenceSet.h"
#include "filters/ColorCurve.h"
#include "scene/LightSRCCtrl.h"
#include "tests/view/gui/ViewDrawerProbe.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"
#include "view/DrawOptions.h"
#include "view/ModeIcon.h"
#include "view/ParticleAttrib.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/SequenceRenderer.h"
#include "view/gui/ViewScene.h"

using testsupport::PumpUntil;

namespace {

class LightViews : public shelltest::ViewZeroTest {
protected:
    void SetUp() override {
        GbParamUndoEnabled = 0;
        ViewZeroTest::SetUp();
        shell->core->GetViewScene()->SetToggleSource([this](const MainGLCanvas_cls&) { return toggles; });
        ASSERT_NE(lights, nullptr);
    }
    void TearDown() override {
        ViewZeroTest::TearDown();
        GbParamUndoEnabled = 1;
        GoCommandHistory.Clear();
    }
    /// Lit white spheres of one radius with a dim grey ambient colour, no grid or items.
    void LoadSpheres(int particles, float radius) {
        toggles.grid = toggles.items = false;
        ViewZeroTest::LoadSpheres(particles, radius);
    }
    /// Sum of red, green and blue over the picture.
    double Brightness() const {
        double s = 0;
        for (size_t i = 0; i + 3 < rgba.size(); i += 4) s += rgba[i] + rgba[i + 1] + rgba[i + 2];
        return s;
    }
    void SetStrength(int i, double s) { lights->Light(i).strength->SetKeyFrame({s}, true, -1); }

    ViewToggles toggles;
};

}  // namespace

TEST_F(LightViews, LitSpheresFollowTheLightsStrengthAndDirection) {
    LoadSpheres(400, 0.06f);
    SetStrength(1, 0.0);
    // Light 0 from behind the viewer: the sides of the spheres the view sees are lit.
    const double* c = view->camera.pose.position;
    const double len = std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]);
    const double front[3] = {c[0] / len, c[1] / len, c[2] / len}, back[3] = {-front[0], -front[1], -front[2]};
    Aim(0, front);
    ASSERT_TRUE(Repaint());
    const double full = Brightness();
    SetStrength(0, 0.4);
    ASSERT_TRUE(Repaint());
    const double weak = Brightness();
    // From behind the spheres: only the ambient part lights the sides the view sees.
    SetStrength(0, 1.0);
    Aim(0, back);
    ASSERT_TRUE(Repaint());
    const double behind = Brightness();
    EXPECT_LT(weak, full * 0.7) << weak << " " << full;
    EXPECT_GT(weak, full * 0.2);
    EXPECT_LT(behind, full * 0.5) << behind << " " << full;
    // With no visible light nothing is lit: the picture darkens to the global ambient.
    lights->Light(0).visible.value = false;
    ASSERT_TRUE(Repaint());
    EXPECT_LT(Brightness(), behind);
}

TEST_F(LightViews, ShadowVolumesDarkenOnlyWhenShadowsAreOnAndALightCastsThem) {
    useFBO = true;
    LoadSpheres(3000, 0.05f);
    SetStrength(1, 0.0);
    DrawOptions_cls* options = shell->core->GetDrawOptions();
    options->shadow.value = 0;
    ASSERT_TRUE(Repaint());
    const double plain = Brightness();
    // Both lights cast shadows (the default): the first one's shadows fall, the picture
    // outside them stays lit as before.
    options->shadow.value = 1;
    ASSERT_TRUE(Repaint());
    const double twoCasters = Brightness();
    lights->Light(1).castShadow.value = false;
    ASSERT_TRUE(Repaint());
    const double shadowed = Brightness();
    lights->Light(0).castShadow.value = false;  // no light casts shadows: nothing changes
    ASSERT_TRUE(Repaint());
    const double noCaster = Brightness();
    lights->Light(0).castShadow.value = true;
    options->shadow.value = 0;
    ASSERT_TRUE(Repaint());
    const double plainAgain = Brightness();
    EXPECT_LT(shadowed, plain * 0.97) << shadowed << " " << plain;
    EXPECT_GT(shadowed, plain * 0.5);
    // The second caster's pass adds its (zero) light by blending: rounding only.
    EXPECT_NEAR(twoCasters, shadowed, plain * 0.005);
    EXPECT_NEAR(noCaster, plain, plain * 0.002);
    EXPECT_NEAR(plainAgain, plain, plain * 0.002);

    // Two lights of equal strength from opposite sides: each casting light adds its own
    // shadows.
    SetStrength(1, 1.0);
    const double* c = view->camera.pose.position;
    const double len = std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]);
    const double side[3] = {c[1] / len, -c[0] / len, 0.3}, other[3] = {-side[0], -side[1], 0.3};
    Aim(0, side);
    Aim(1, other);
    ASSERT_TRUE(Repaint());
    const double none = Brightness();
    options->shadow.value = 1;
    lights->Light(1).castShadow.value = false;
    ASSERT_TRUE(Repaint());
    const double one = Brightness();
    lights->Light(1).castShadow.value = true;
    ASSERT_TRUE(Repaint());
    const double both = Brightness();
    options->shadow.value = 0;
    EXPECT_LT(one, none * 0.98) << one << " " << none;
    EXPECT_LT(both, one * 0.98) << both << " " << one;
}

TEST_F(LightViews, ClickSelectsALightAndAGizmoDragIsOneUndoStep) {
    toggles.grid = false;
    GpPreference->ApplyMouseTemplate(1);  // "Blender Like": right selects, left moves the item
    // Both lights well inside view 0.
    const double l0[3] = {0.4, 0.3, 0.4}, l1[3] = {-0.4, -0.3, -0.3};
    lights->Light(0).SetTranslateKey(l0[0], l0[1], l0[2]);
    lights->Light(1).SetTranslateKey(l1[0], l1[1], l1[2]);
    ASSERT_TRUE(Repaint());
    ASSERT_TRUE(Repaint());
    Click(wxMOUSE_BTN_RIGHT, Pixel(l1));
    EXPECT_EQ(GpSelectedSceneObj, &lights->Light(1));
    EXPECT_EQ(lights->selected, 1);
    Click(wxMOUSE_BTN_RIGHT, Pixel(l0));
    EXPECT_EQ(GpSelectedSceneObj, &lights->Light(0));
    EXPECT_EQ(lights->selected, 0);
    // Empty space changes nothing, and neither does a light in a view that shows no items.
    Click(wxMOUSE_BTN_RIGHT, wxPoint(5, h / 2));
    EXPECT_EQ(GpSelectedSceneObj, &lights->Light(0));
    view->settings.showItems.value = false;
    Click(wxMOUSE_BTN_RIGHT, Pixel(l1));
    EXPECT_EQ(GpSelectedSceneObj, &lights->Light(0));
    EXPECT_EQ(lights->selected, 0);
    view->settings.showItems.value = true;

    // A drag of the selected light moves it and is undone in one step.
    GbParamUndoEnabled = 1;
    GoCommandHistory.Clear();
    GiItemEditMode = 0;
    const wxPoint p = Pixel(l0);
    sim.MouseMove(view->ClientToScreen(p));
    testsupport::Pump(30);
    sim.MouseDown(wxMOUSE_BTN_LEFT);
    ASSERT_TRUE(PumpUntil([&] { return view->Tracker().AnyButtonHeld(); }, 2000));
    ASSERT_TRUE(Repaint());
    for (int step = 1; step <= 4; ++step) {
        sim.MouseMove(view->ClientToScreen(wxPoint(p.x + 10 * step, p.y + 6 * step)));
        testsupport::Pump(40);
    }
    sim.MouseUp(wxMOUSE_BTN_LEFT);
    ASSERT_TRUE(PumpUntil([&] { return !view->Tracker().AnyButtonHeld(); }, 2000));
    testsupport::Pump(50);
    const std::vector<double> moved = lights->Light(0).translate->GetValues(0, 0);
    const double shift = std::fabs(moved[0] - l0[0]) + std::fabs(moved[1] - l0[1]) + std::fabs(moved[2] - l0[2]);
    EXPECT_GT(shift, 0.05);
    ASSERT_TRUE(GoCommandHistory.CanUndo());
    GoCommandHistory.Undo();
    EXPECT_FALSE(GoCommandHistory.CanUndo());
    const std::vector<double> back = lights->Light(0).translate->GetValues(0, 0);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(back[size_t(k)], l0[k], 1e-9);
}

TEST_F(LightViews, InfoLineShowsWhatTheClickHitTheSelectionAndThePointer) {
    toggles.grid = false;
    GpPreference->ApplyMouseTemplate(1);  // "Blender Like": right selects
    const double l1[3] = {-0.4, -0.3, -0.3};
    lights->Light(1).SetTranslateKey(l1[0], l1[1], l1[2]);
    ASSERT_TRUE(Repaint());
    ASSERT_TRUE(Repaint());
    const wxPoint at = Pixel(l1);
    Click(wxMOUSE_BTN_RIGHT, at);
    ASSERT_EQ(GpSelectedSceneObj, &lights->Light(1));
    ASSERT_TRUE(Repaint());
    const std::string object = std::to_string(reinterpret_cast<std::intptr_t>(&lights->Light(1)));
    // Light 1's pick name is 11; a select pick has no second name.
    std::string line = view->LastInfoLine();
    EXPECT_NE(line.find(":Hitting11+-1:Object" + object + "pointXY=" + std::to_string(at.x) + "," +
                        std::to_string(at.y)),
              std::string::npos)
        << line;
    // A click on empty space hits nothing and keeps the selection.
    const wxPoint empty(5, h / 2);
    Click(wxMOUSE_BTN_RIGHT, empty);
    ASSERT_TRUE(Repaint());
    line = view->LastInfoLine();
    EXPECT_NE(line.find(":Hitting-1+-1:Object" + object + "pointXY=5," + std::to_string(h / 2)), std::string::npos)
        << line;
}
