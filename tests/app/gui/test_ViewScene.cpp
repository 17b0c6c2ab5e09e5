// The views' scene passes in the real main window: the background takes BGColor, the ground
// grid and the pivot marker appear where the camera puts them and go with their toggles,
// Direct Display mode names what it cannot draw once per paint, and repeated paints leave
// no GL error and a balanced attribute stack, in direct and off-screen modes alike.
#include "tests/app/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "app/gui/TopHalfPanel.h"
#include "filters/ColorCurve.h"
#include "tests/view/gui/ViewDrawerProbe.h"
#include "view/DrawOptions.h"
#include "view/gui/GLResources.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/ViewScene.h"

using shelltest::Shell;
using testsupport::TempDir;

namespace {

/// True when a pixel of the 7 x 7 square about (x, y) satisfies `test`.
template <class Test>
bool AnyNear(const ViewShot& s, double x, double y, Test test) {
    for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx) {
            const int px = std::clamp(int(x) + dx, 0, s.w - 1), py = std::clamp(int(y) + dy, 0, s.h - 1);
            if (test(s.At(px, py))) return true;
        }
    return false;
}

bool IsBackground(const unsigned char* p) {
    return std::abs(p[0] - 51) <= 3 && std::abs(p[1] - 102) <= 3 && std::abs(p[2] - 153) <= 3;
}

/// The pivot marker's cyan (0.2, 1, 1), or a filtered edge of it over the background.
bool IsCyan(const unsigned char* p) { return p[0] < 80 && p[1] >= 135 && p[2] >= 185; }

/// Grid grey (0.3, 76) or a filtered edge of it over the blue background (51, 102, 153).
bool IsGridLine(const unsigned char* p) { return p[0] >= 56 && p[0] <= 90 && p[2] <= 145; }
bool IsNotBackground(const unsigned char* p) { return !IsBackground(p); }

class ViewScenePasses : public ::testing::TestWithParam<bool> {};

}  // namespace

TEST_P(ViewScenePasses, BackgroundGridAndPivotMarkerFollowTheirSettings) {
    const bool offScreen = GetParam();
    TempDir dir;
    std::map<int, ViewShot> shots;
    RecordShots(shots);
    struct Guard {
        ~Guard() {
            MainGLCanvas_cls::SetPaintProbe(nullptr);
            MainGLCanvas_cls::SetUseFBO(nullptr);
        }
    } guard;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    MainGLCanvas_cls::SetUseFBO([offScreen] { return offScreen; });
    shell.frame->SetSize(1000, 800);
    ASSERT_NE(GpBGColor, nullptr);
    const float old[4] = {GpBGColor->constantColor.values[0], GpBGColor->constantColor.values[1],
                          GpBGColor->constantColor.values[2], GpBGColor->constantColor.values[3]};
    const float blue[4] = {0.2f, 0.4f, 0.6f, 0.0f};
    std::copy(blue, blue + 4, GpBGColor->constantColor.values);

    DrawOptions_cls options;
    options.shadow.value = 1;
    ViewScene_cls scene(nullptr, nullptr, &options);
    ViewToggles toggles;
    scene.SetToggleSource([&toggles](const MainGLCanvas_cls&) { return toggles; });
    scene.Install();
    MainGLCanvas_cls* view = shell.frame->GetTopPanel()->View(0);

    auto paint = [&](int times) {
        for (int i = 0; i < times; ++i) {
            shots.clear();
            shell.frame->GetTopPanel()->RedrawViews();
            ASSERT_TRUE(testsupport::PumpUntil([&] { return shots.count(0) > 0; }, 10000));
        }
    };
    paint(20);
    ViewShot s = shots[0];
    EXPECT_EQ(s.error, GLenum(GL_NO_ERROR));
    EXPECT_EQ(s.attribDepth, 0);
    EXPECT_TRUE(IsBackground(s.At(3, 3))) << int(s.At(3, 3)[0]) << " " << int(s.At(3, 3)[1]);

    // The camera sits about 5.2 from its pivot: grid step 1, so x = 0.5 is a grid line.
    ASSERT_NEAR(view->camera.PivotDistance(), 5.2, 0.1);
    double line[3], free[3];
    ProjectInView(*view, s.w, s.h, 0.5, 0.25, 0, line);
    ProjectInView(*view, s.w, s.h, 0.55, 0.25, 0.3, free);
    EXPECT_TRUE(AnyNear(s, line[0], line[1], IsGridLine)) << [&] {
        std::string out;
        for (int dx = -3; dx <= 3; ++dx) {
            const unsigned char* p = s.At(int(line[0]) + dx, int(line[1]));
            out += " (" + std::to_string(p[0]) + "," + std::to_string(p[1]) + "," + std::to_string(p[2]) + ")";
        }
        return out;
    }();
    EXPECT_TRUE(AnyNear(s, s.centre[0], s.centre[1], IsCyan));
    if (!offScreen) {
        EXPECT_EQ(view->LastMessage(), "Direct Display Mode does not support shadow volume.\n");
    }

    // The view's own toggles G and I, read from its settings when no source is set.
    scene.SetToggleSource(nullptr);
    view->settings.showGrid.value = false;
    view->settings.showItems.value = false;
    paint(1);
    view->settings.showGrid.value = true;
    view->settings.showItems.value = true;
    s = shots[0];
    EXPECT_FALSE(AnyNear(s, line[0], line[1], IsNotBackground));
    EXPECT_FALSE(AnyNear(s, s.centre[0], s.centre[1], IsNotBackground));
    EXPECT_TRUE(IsBackground(s.At(int(free[0]), int(free[1]))));
    EXPECT_EQ(s.error, GLenum(GL_NO_ERROR));

    scene.Uninstall();
    std::copy(old, old + 4, GpBGColor->constantColor.values);
}

INSTANTIATE_TEST_SUITE_P(DirectAndOffScreen, ViewScenePasses, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "OffScreen" : "Direct"; });

TEST(ViewScene, GridStepAndLineWidthFollowDistanceAndTarget) {
    struct Case {
        double d, step;
    };
    for (const Case& c : {Case{0.0005, 0.0001}, Case{0.001, 0.0001}, Case{0.005, 0.001}, Case{0.05, 0.01},
                          Case{5.2, 1.0}, Case{10.0, 1.0}, Case{10.5, 10.0}, Case{-3, 0.0001}})
        EXPECT_DOUBLE_EQ(GridStepForDistance(c.d), c.step) << c.d;
    EXPECT_FLOAT_EQ(PassLineWidth(5, 256, true), 0.625f);
    EXPECT_FLOAT_EQ(PassLineWidth(5, 2048, true), 5.0f);
    EXPECT_FLOAT_EQ(PassLineWidth(5, 4096, true), 10.0f);
    EXPECT_FLOAT_EQ(PassLineWidth(6, 700, false), 2.0f);
    EXPECT_EQ(DrawProgressText(0, 100), "");
    EXPECT_EQ(DrawProgressText(0, 40), "Drawing 40%");
    EXPECT_EQ(DrawProgressText(1, 5), "Shadow 5%");
    EXPECT_EQ(DrawProgressText(2, 99), "Drawing LH99%");
}
