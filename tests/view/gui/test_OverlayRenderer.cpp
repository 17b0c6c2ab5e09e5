// The overlays over a view: the time text and the legends appear at their corners in a
// saved image, black parts of their images let the picture through, and positions outside
// their tables draw nothing.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <wx/image.h>

#include <functional>
#include <memory>
#include <vector>

#include "filters/ColorCurve.h"
#include "tests/support/TestFiles.h"
#include "tests/view/gui/GLTestCanvas.h"
#include "view/OverlaySettings.h"
#include "view/gui/OverlayRenderer.h"

namespace {

constexpr int W = 400, H = 300;
const unsigned char kBackground[3] = {0, 0, 100};

class OverlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
        window = std::make_unique<ShownGLCanvas>(W, H);
        ASSERT_TRUE(window->ready);
        red = std::make_unique<ColorCurve_cls>("T0Col", "t0", "1 0 0 1", 0, nullptr);
        curve = std::make_unique<ColorCurve_cls>("T2Col", "t2", "1 1 1 1", 0, nullptr);
        curve->useColorCurve.value = true;  // green at 0 to red at 1
        curve->scalingMin.value = 0;
        curve->scalingMax.value = 10;
        records[0] = red.get();
        records[2] = curve.get();
        settings.timePos.value = 0;  // top left
        settings.showLegend.values[2] = true;  // types 0 and 2, from the bottom right
    }
    void TearDown() override {
        ReleaseOverlayRenderers();
        window.reset();
    }

    /// Draws the overlays over the background, saves the picture as a PNG and reads it back.
    wxImage DrawAndSave(double time) {
        glViewport(0, 0, W, H);
        glClearColor(kBackground[0] / 255.0f, kBackground[1] / 255.0f, kBackground[2] / 255.0f, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        DrawOverlays(0, W, H, settings, time, records);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        std::vector<unsigned char> rgb(size_t(3) * W * H);
        glFinish();
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, W, H, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        wxImage image(W, H);
        for (int y = 0; y < H; ++y)  // GL rows are bottom-up
            std::copy(&rgb[size_t(3) * W * y], &rgb[size_t(3) * W * (y + 1)], image.GetData() + size_t(3) * W * (H - 1 - y));
        const std::string path = dir.File("overlay.png");
        EXPECT_TRUE(image.SaveFile(path, wxBITMAP_TYPE_PNG));
        wxImage saved(path, wxBITMAP_TYPE_PNG);
        EXPECT_TRUE(saved.IsOk());
        return saved;
    }

    /// Pixels of window rectangle [x0, x1) x [y0, y1) (y up) for which `pick` holds.
    static int Count(const wxImage& im, int x0, int y0, int x1, int y1,
                     const std::function<bool(int r, int g, int b)>& pick) {
        int n = 0;
        for (int y = std::max(y0, 0); y < std::min(y1, H); ++y)
            for (int x = std::max(x0, 0); x < std::min(x1, W); ++x)
                if (pick(im.GetRed(x, H - 1 - y), im.GetGreen(x, H - 1 - y), im.GetBlue(x, H - 1 - y))) ++n;
        return n;
    }
    static bool White(int r, int g, int b) { return r > 200 && g > 200 && b > 200; }
    static bool Background(int r, int g, int b) { return r == 0 && g == 0 && std::abs(b - 100) <= 1; }
    static bool NotBackground(int r, int g, int b) { return !Background(r, g, b); }

    testsupport::TempDir dir;
    std::unique_ptr<ShownGLCanvas> window;
    std::unique_ptr<ColorCurve_cls> red, curve;
    const ColorCurve_cls* records[4] = {nullptr, nullptr, nullptr, nullptr};
    OverlaySettings_cls settings;
};

}  // namespace

TEST_F(OverlayTest, TimeTextAndLegendsAppearAtTheirCornersInASavedImage) {
    const wxImage im = DrawAndSave(1.25);
    // Time text: the quad from (20, H - 50) to (280, H - 10), white letters on the picture.
    EXPECT_GT(Count(im, 20, H - 50, 280, H - 10, White), 30);
    EXPECT_EQ(Count(im, 0, H - 50, 20, H, NotBackground), 0) << "nothing left of the text";
    EXPECT_EQ(Count(im, 0, 100, W, H - 50, NotBackground), 0) << "nothing between the overlays";
    // Legend of type 0 at (W - 260, 20): its bar (the image's upper 20 rows) is red, the
    // outline (black) lets the background through.
    auto isRed = [](int r, int g, int b) { return r > 240 && g < 15 && b < 15; };
    EXPECT_TRUE(isRed(im.GetRed(W - 140, H - 1 - 44), im.GetGreen(W - 140, H - 1 - 44), im.GetBlue(W - 140, H - 1 - 44)));
    EXPECT_GT(Count(im, W - 259, 35, W - 21, 53, isRed), 200 * 15);
    EXPECT_GT(Count(im, W - 260, 20, W - 20, 34, [](int r, int g, int b) { return r > 100 && r == g && g == b; }), 10)
        << "the ruler's ticks and labels under the bar";
    // Legend of type 2 stacked 36 pixels above: the curve runs from green to red.
    auto at = [&](int x, int y) {
        return std::vector<int>{im.GetRed(x, H - 1 - y), im.GetGreen(x, H - 1 - y), im.GetBlue(x, H - 1 - y)};
    };
    const std::vector<int> left = at(W - 250, 56 + 24), right = at(W - 30, 56 + 24);
    EXPECT_GT(left[1], 200) << left[0] << "," << left[1] << "," << left[2];
    EXPECT_LT(left[0], 60);
    EXPECT_GT(right[0], 200) << right[0] << "," << right[1] << "," << right[2];
    EXPECT_LT(right[1], 60);
    EXPECT_EQ(Count(im, 0, 0, W - 262, 100, NotBackground), 0) << "legends only in their corner";
}

TEST_F(OverlayTest, HiddenTicsLeaveATransparentStripAndBarsCanIgnoreAlpha) {
    settings.ignoreTics.value = 1;
    wxImage im = DrawAndSave(2);
    EXPECT_EQ(Count(im, W - 260, 20, W - 20, 34, NotBackground), 0) << "a 240 x 14 transparent strip";
    EXPECT_GT(Count(im, W - 259, 35, W - 21, 53, NotBackground), 200 * 15);
    // A half-transparent curve: over the checkerboard unless alpha is ignored.
    curve->useColorCurve.value = false;
    curve->constantColor.values[3] = 0.2f;
    im = DrawAndSave(2);
    EXPECT_GT(Count(im, W - 259, 71, W - 21, 89, [](int r, int g, int b) { return r > 240 && g > 240 && b > 240; }),
              200 * 15)
        << "a constant colour is painted without its alpha";
}

TEST_F(OverlayTest, PositionsOutsideTheirTablesAndTimelessFramesDrawAsTheySay) {
    settings.timePos.value = 4;  // "Do not show"
    settings.legendPos.value = 9;  // set past the table: no legend
    wxImage im = DrawAndSave(3);
    EXPECT_EQ(Count(im, 0, 0, W, H, NotBackground), 0);
    settings.timePos.value = 17;
    im = DrawAndSave(3);
    EXPECT_EQ(Count(im, 0, 0, W, H, NotBackground), 0);
    // "Not Defined" is longer than "Time=3": more lit pixels, at the bottom right corner.
    settings.timePos.value = 3;
    im = DrawAndSave(3);
    const int shortText = Count(im, W - 260, 6, W, 46, White);
    im = DrawAndSave(kNoFrameTime);
    const int notDefined = Count(im, W - 260, 6, W, 46, White);
    EXPECT_GT(shortText, 10);
    EXPECT_GT(notDefined, shortText + 20);
}
