// What the views' scene passes draw in the running program: with the items hidden the Grid
// filters still draw and a click on a filter region selects nothing; the particles' shadows
// fall on an Object filter, with one shadow-casting light and with several.
#include "tests/app/gui/ViewZeroFixture.h"

#include <gtest/gtest.h>

#include <wx/uiaction.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "app/gui/Preference.h"
#include "app/gui/TopHalfPanel.h"
#include "common/CommandHistory.h"
#include "data/DataSequenceSet.h"
#include "filters/ColorCurve.h"
#include "filters/FilterBoolean.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterGrid.h"
#include "filters/FilterObject.h"
#include "scene/LightSRCCtrl.h"
#include "tests/view/gui/ViewDrawerProbe.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"
#include "view/DrawOptions.h"
#include "view/ParticleAttrib.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/SequenceRenderer.h"

namespace {

class ScenePasses : public shelltest::ViewZeroTest {
protected:
    void SetUp() override {
        GbParamUndoEnabled = 0;
        ViewZeroTest::SetUp();
        // The view's own toggles; no ground grid and no info line to tell apart.
        view->settings.showGrid.value = false;
        view->settings.showMessage.value = false;
        ASSERT_NE(lights, nullptr);
    }
    void TearDown() override {
        ViewZeroTest::TearDown();
        GbParamUndoEnabled = 1;
        GoCommandHistory.Clear();
    }
    /// A flat green box (the floor) across the scene at height `z`.
    FilterObjectData_cls* AddFloor(double z) {
        auto* f = static_cast<FilterObject_cls*>(shell->core->AddFilter(nullptr, FILTER_OBJECT));
        if (!f) return nullptr;
        FilterObjectData_cls* d = f->Data();
        const float dim[4] = {0, 0.15f, 0, 1}, green[4] = {0, 1, 0, 1}, black[4] = {0, 0, 0, 1};
        std::copy(dim, dim + 4, d->colors[0]->constantColor.values);
        std::copy(green, green + 4, d->colors[1]->constantColor.values);
        std::copy(black, black + 4, d->colors[2]->constantColor.values);
        d->SetTranslateKey(0, 0, z);
        d->SetScaleKey(6, 6, 0.02);
        return d;
    }
    /// Pixels of the floor in full light (bright green).
    int LitFloor() const {
        int n = 0;
        for (size_t i = 0; i + 3 < rgba.size(); i += 4)
            if (rgba[i + 1] > 150 && rgba[i] < 100 && rgba[i + 2] < 100) ++n;
        return n;
    }
    /// Pixels of the floor, lit or not (green ones, where no grey sphere stands).
    int Floor() const {
        int n = 0;
        for (size_t i = 0; i + 3 < rgba.size(); i += 4)
            if (rgba[i + 1] > rgba[i] + 8 && rgba[i + 1] > rgba[i + 2] + 8) ++n;
        return n;
    }
    int Differing(const std::vector<unsigned char>& other) const {
        int n = 0;
        for (size_t i = 0; i + 3 < rgba.size() && i + 3 < other.size(); i += 4)
            if (std::abs(int(rgba[i]) - int(other[i])) + std::abs(int(rgba[i + 1]) - int(other[i + 1])) +
                    std::abs(int(rgba[i + 2]) - int(other[i + 2])) > 30)
                ++n;
        return n;
    }
};

}  // namespace

TEST_F(ScenePasses, WithItemsHiddenGridsStillDrawAndAClickOnARegionSelectsNothing) {
    GpPreference->ApplyMouseTemplate(1);  // "Blender Like": right selects
    auto* grid = static_cast<FilterGrid_cls*>(shell->core->AddFilter(nullptr, FILTER_GRID));
    ASSERT_NE(grid, nullptr);
    auto* region = shell->core->AddFilter(nullptr, FILTER_BOOLEAN);
    ASSERT_NE(region, nullptr);
    FilterData_cls* r = region->GetData();
    const double centre[3] = {0.4, 0.5, 0.6};
    r->SetTranslateKey(centre[0], centre[1], centre[2]);
    r->SetScaleKey(0.3, 0.3, 0.3);
    shell->core->SelectFilter(nullptr, 0);
    ASSERT_FALSE(r->selected);

    view->settings.showItems.value = false;
    grid->GetData()->filterValid.value = false;
    ASSERT_TRUE(Repaint());
    const std::vector<unsigned char> without = rgba;
    grid->GetData()->filterValid.value = true;
    ASSERT_TRUE(Repaint());
    EXPECT_GT(Differing(without), 400) << "the Grid filter's lines are missing";

    const wxPoint at = Pixel(centre);
    Click(wxMOUSE_BTN_RIGHT, at);
    EXPECT_FALSE(r->selected) << "a hidden region was picked";
    // The same click with the items shown selects it.
    view->settings.showItems.value = true;
    ASSERT_TRUE(Repaint());
    Click(wxMOUSE_BTN_RIGHT, at);
    EXPECT_TRUE(r->selected);
}

TEST_F(ScenePasses, ObjectFiltersDrawWhateverShowDataSays) {
    ASSERT_NE(AddFloor(-0.4), nullptr);
    view->settings.showItems.value = false;
    ASSERT_TRUE(Repaint());
    const int shown = Floor();
    view->settings.showData.value = false;
    ASSERT_TRUE(Repaint());
    EXPECT_GT(shown, 10000);
    // The floor only grows where the hidden particles stood in front of it.
    EXPECT_GE(Floor(), shown);
}

TEST_F(ScenePasses, ParticleShadowsFallOnAnObjectFilter) {
    useFBO = true;
    view->settings.showItems.value = false;
    LoadSpheres(300, 0.08f);
    ASSERT_NE(AddFloor(-0.4), nullptr);
    // Light 0 from above casts the shadows; light 1 adds nothing.
    const double above[3] = {0.3, 0.2, 0.933};
    Aim(0, above);
    lights->Light(1).strength->SetKeyFrame({0.0}, true, -1);
    lights->Light(1).castShadow.value = false;
    DrawOptions_cls* options = shell->core->GetDrawOptions();
    options->shadow.value = 0;
    ASSERT_TRUE(Repaint());
    const int plain = LitFloor();
    options->shadow.value = 1;
    ASSERT_TRUE(Repaint());
    const int shadowed = LitFloor();
    EXPECT_GT(plain, 10000);
    EXPECT_LT(shadowed, plain - 500) << "no shadow on the floor: " << shadowed << " of " << plain;
    EXPECT_GT(shadowed, plain / 2) << "the floor is dark outside the shadows too";

    // Two casting lights (the second from the side, as strong): each light's own pass
    // lights the floor outside that light's shadows, so the floor stays lit and still
    // shows shadows.
    const double side[3] = {0.6, -0.6, 0.53};
    Aim(1, side);
    lights->Light(1).strength->SetKeyFrame({1.0}, true, -1);
    lights->Light(1).castShadow.value = true;
    options->shadow.value = 0;
    ASSERT_TRUE(Repaint());
    const int bothPlain = LitFloor();
    options->shadow.value = 1;
    ASSERT_TRUE(Repaint());
    const int bothShadowed = LitFloor();
    options->shadow.value = 0;
    EXPECT_GT(bothShadowed, bothPlain / 2) << "the lights' own passes leave the floor dark";
    EXPECT_LT(bothShadowed, bothPlain - 500) << bothShadowed << " of " << bothPlain;
}
