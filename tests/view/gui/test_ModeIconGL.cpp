// The item-edit-mode icons drawn in the view corner: the current mode bright, the others
// dim, a hovered icon on its highlight; an unreadable image is never drawn.
#include <gtest/gtest.h>

#include <wx/log.h>

#include <algorithm>

#include "tests/view/gui/GLTestCanvas.h"
#include "tests/view/gui/PixelProbe.h"
#include "view/ModeIcon.h"
#include "view/gui/ScreenQuad.h"

namespace {

// Brightest red channel inside an icon's rectangle.
int Brightest(const PixelProbe& probe, const ModeIcon_cls& icon) {
    int best = 0;
    for (int y = icon.y; y < icon.y + icon.height; ++y)
        for (int x = icon.Left(probe.w); x < icon.Left(probe.w) + icon.width; ++x)
            best = std::max(best, int(probe.At(x, y)[0]));
    return best;
}

}  // namespace

TEST(ModeIconGL, CurrentModeIsBrightAndOthersDim) {
    ShownGLCanvas window(64, 96);
    if (!window.ready) GTEST_SKIP() << "no GL context";
    LoadModeIcons();
    ASSERT_EQ(GoModeIconScale.width, 16);
    ASSERT_EQ(GoModeIconTranslation.height, 16);
    GiItemEditMode = 1;
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    DrawModeIcons(64, 96);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    {
        PixelProbe probe(64, 96);
        EXPECT_GT(Brightest(probe, GoModeIconScale), 200);
        const int dim = Brightest(probe, GoModeIconRotation);
        EXPECT_GT(dim, 40);
        EXPECT_LT(dim, 100);
        EXPECT_LT(Brightest(probe, GoModeIconTranslation), 100);
        EXPECT_EQ(probe.At(40, 10)[0], 0);  // beside the icons
    }
    // Hovering paints the highlight behind the icon; the mouse is at y from the top.
    EXPECT_TRUE(UpdateModeIconHover(64, 96, 10, 96 - 36));
    EXPECT_EQ(GoModeIconRotation.hover, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    DrawModeIcons(64, 96);
    {
        PixelProbe probe(64, 96);
        int blueish = 0;
        for (int y = GoModeIconRotation.y + 1; y < GoModeIconRotation.y + 15; ++y)
            for (int x = 5; x < 19; ++x)
                if (probe.At(x, y)[2] > 60) ++blueish;
        EXPECT_GT(blueish, 100);
    }
    UpdateModeIconHover(64, 96, 60, 5);
    GiItemEditMode = 0;

    ModeIcon_cls missing("ICONS/NoSuchIcon.png", 2, 40, 40, 1);
    {
        wxLogNull quiet;
        missing.LoadTexture();
    }
    EXPECT_EQ(missing.width, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    PushOrtho2D(64, 96);
    missing.Draw(64, true);
    PopOrtho2D();
    PixelProbe probe(64, 96);
    int x0, y0, x1, y1;
    EXPECT_FALSE(probe.Box(IsLit, x0, y0, x1, y1));
    EXPECT_FALSE(missing.HitTest(64, 96, 45, 50));
}
