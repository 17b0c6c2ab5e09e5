// Clicks in a side-by-side stereogram of the running program: each eye's picture fills
// its half of view 0, and a click on a filter's wire box in either picture selects that
// filter, as that eye's camera shows it.
#include "tests/app/gui/ViewZeroFixture.h"

#include <gtest/gtest.h>

#include <wx/uiaction.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/gui/Preference.h"
#include "app/gui/TopHalfPanel.h"
#include "filters/FilterBase.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterData.h"
#include "scene/SceneObj.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"
#include "view/StereoGram.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/ViewScene.h"

namespace {

/// The wire colour (0.3, 0.8, 0.3) of a filter box that is not selected.
bool IsRegionGreen(const unsigned char* p) {
    return std::abs(p[0] - 77) <= 12 && std::abs(p[1] - 204) <= 12 && std::abs(p[2] - 77) <= 12;
}

class SideBySidePicking : public shelltest::ViewZeroTest {
protected:
    void SetUp() override {
        useFBO = true;
        ViewZeroTest::SetUp();
        shell->frame->Raise();
        shell->core->GetViewScene()->SetToggleSource([](const MainGLCanvas_cls&) {
            ViewToggles t;
            t.grid = false;
            return t;
        });
        ASSERT_NE(view, nullptr);
    }
    /// The wire pixels of the two boxes in columns [x0, x1) of the last picture, split at
    /// the widest gap between columns: for the left and the right box, the wire pixel
    /// nearest the middle of its own pixels. False unless both boxes show.
    bool BoxesIn(int x0, int x1, wxPoint out[2]) const {
        std::vector<int> xs, ys;
        for (int y = 0; y < h; ++y)
            for (int x = x0; x < x1; ++x)
                if (IsRegionGreen(&rgba[4 * (size_t(y) * w + x)])) xs.push_back(x), ys.push_back(y);
        if (xs.size() < 8) return false;
        std::vector<int> sorted = xs;
        std::sort(sorted.begin(), sorted.end());
        int split = sorted.front(), gap = 0;
        for (size_t i = 1; i < sorted.size(); ++i)
            if (sorted[i] - sorted[i - 1] > gap) gap = sorted[i] - sorted[i - 1], split = sorted[i];
        if (gap < 10) return false;
        for (int side = 0; side < 2; ++side) {
            double mx = 0, my = 0;
            int n = 0;
            for (size_t i = 0; i < xs.size(); ++i)
                if ((xs[i] >= split) == (side == 1)) mx += xs[i], my += ys[i], ++n;
            if (n == 0) return false;
            mx /= n, my /= n;
            double best = 1e300;
            for (size_t i = 0; i < xs.size(); ++i) {
                if ((xs[i] >= split) != (side == 1)) continue;
                const double d = (xs[i] - mx) * (xs[i] - mx) + (ys[i] - my) * (ys[i] - my);
                if (d < best) best = d, out[side] = wxPoint(xs[i], h - 1 - ys[i]);
            }
        }
        return true;
    }
};

}  // namespace

TEST_F(SideBySidePicking, AClickInEitherPictureSelectsTheFilterShownUnderThePointer) {
    GpPreference->ApplyMouseTemplate(1);  // "Blender Like": right selects
    FilterCtrl_cls* list = GpFilterCtrls[0];
    ASSERT_NE(list, nullptr);
    FilterBase_cls* left = list->AddFilter(FILTER_BOOLEAN, -1, nullptr, nullptr, nullptr, nullptr);
    FilterBase_cls* right = list->AddFilter(FILTER_BOOLEAN, -1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(left && right);
    left->GetData()->SetTranslateKey(-0.6, 0, 0);
    right->GetData()->SetTranslateKey(0.6, 0, 0);
    for (FilterBase_cls* f : {left, right}) f->GetData()->SetScaleKey(0.3, 0.3, 0.3);
    SetSelectedSceneObj(nullptr);
    list->SelectFilter(nullptr);
    // Off-axis eyes 0.5 apart, each eye in its half of the view.
    ASSERT_NE(GpStereoGram, nullptr);
    GpStereoGram->cameraSetting.value = STEREO_OFF_AXIS;
    GpStereoGram->outputType.value = STEREO_SIDE_BY_SIDE;
    GpStereoGram->eyeParam->Component(0).keys[0].value = 0.5;
    ASSERT_TRUE(Repaint());
    ASSERT_GT(w, 100);
    wxPoint seen[2][2];  // [picture][box]
    for (int picture : {0, 1}) ASSERT_TRUE(BoxesIn(picture * (w / 2), (picture + 1) * (w / 2), seen[picture])) << picture;
    for (int picture : {0, 1}) {
        for (int box : {1, 0}) {
            FilterBase_cls* target = box == 0 ? left : right;
            Click(wxMOUSE_BTN_RIGHT, seen[picture][box]);
            EXPECT_EQ(GpSelectedSceneObj, target->GetData()) << "picture " << picture << " box " << box;
            EXPECT_TRUE(target->GetData()->selected) << "picture " << picture << " box " << box;
        }
    }
}
