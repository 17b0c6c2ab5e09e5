// The demo as a new user first sees it: the project written beside the generated sequence,
// opened in the program, frames the whole cloud in the main view with room around it, and
// the time text stands on a clear background.
#include "tests/app/gui/ViewSnapshot.h"

#include <gtest/gtest.h>

#include <wx/image.h>

#include <cstdlib>

#include "app/gui/TopHalfPanel.h"
#include "tools/DemoProject.h"
#include "tools/DemoSequence.h"
#include "view/ImageSaver.h"
#include "view/gui/MainGLCanvas.h"

using shelltest::Shell;
using testsupport::TempDir;

namespace {

// A particle's colour, not the black background nor the white or grey of texts and lines.
bool Coloured(const unsigned char* p) {
    const int hi = std::max({p[0], p[1], p[2]}), lo = std::min({p[0], p[1], p[2]});
    return hi - lo > 60;
}

}  // namespace

TEST(DemoProject, TheMainViewShowsTheWholeCloudWithRoomAroundIt) {
    TempDir dir;
    DemoSequenceOptions o;
    o.frames = 2;
    o.particles = 6000;
    o.box = 4;
    std::string error;
    ASSERT_TRUE(DemoSequence_cls(o).WriteAll(dir.File("demo"), error)) << error;
    ASSERT_TRUE(WriteDemoProject(dir.File("demo"), o, error)) << error;

    Shell shell(dir.File("Pelthorn3Configure.txt"));
    shell.ParticlesOnly();
    shell.frame->SetSize(1000, 800);
    shell.frame->OpenProjectFile(wxString::FromUTF8(dir.File("demo/" + DemoProjectName(o))));
    MainGLCanvas_cls* view = shell.frame->GetTopPanel()->View(0);
    ASSERT_TRUE(shelltest::RedrawUntilDrawn(shell, view, o.particles));

    wxImage picture;
    ASSERT_NO_FATAL_FAILURE(shelltest::SaveSnapshot(shell, view, dir.File("view0.png"), picture));
    const int W = picture.GetWidth(), H = picture.GetHeight();
    ASSERT_GT(W, 200);
    ASSERT_GT(H, 200);

    // Where the particles fall: a rectangle in the middle, clear of every edge by a tenth
    // of the view at least, and large enough to see (a quarter of its height at least).
    int left = W, right = -1, top = H, bottom = -1;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (Coloured(picture.GetData() + 3 * (size_t(y) * W + x))) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, 0) << "no particle in view";
    EXPECT_GE(left, W / 10);
    EXPECT_LE(right, W - W / 10);
    EXPECT_GE(top, H / 10);
    EXPECT_LE(bottom, H - H / 10);
    EXPECT_GE(bottom - top, H / 4);

    // The time text at the top right, white letters on the clear background above the cloud.
    int letters = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = W - 260; x < W - 20; ++x) {
            const unsigned char* p = picture.GetData() + 3 * (size_t(y) * W + x);
            if (p[0] > 200 && p[1] > 200 && p[2] > 200) ++letters;
        }
    EXPECT_GT(letters, 30) << "no time text at the top right";
}
