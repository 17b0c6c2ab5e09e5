// The overlays of the running program's views: in a snapshot the program saves of its main
// view, the time text shows the displayed data frame's time in its corner and the legend of
// type 0 shows its colour in its own.
#include "tests/app/gui/ViewSnapshot.h"

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <wx/image.h>

#include "app/gui/AppCore.h"
#include "app/gui/TopHalfPanel.h"
#include "data/DataSequence.h"
#include "data/DataSequenceSet.h"
#include "tools/DemoSequence.h"
#include "filters/ColorCurve.h"
#include "view/OverlaySettings.h"
#include "view/ParticleAttrib.h"
#include "view/ImageSaver.h"
#include "view/Snap.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/OverlayRenderer.h"
#include "view/gui/SequenceRenderer.h"

using shelltest::Shell;
using testsupport::TempDir;

TEST(ViewOverlays, TimeTextAndLegendOverTheMainViewInASavedImage) {
    TempDir dir;
    DemoSequenceOptions o;
    o.grammar = SnapshotGrammar();
    o.frames = 2;
    o.particles = 20;
    std::string error;
    ASSERT_TRUE(DemoSequence_cls(o).WriteAll(dir.File("seq"), error)) << error;

    Shell shell(dir.File("Pelthorn3Configure.txt"));
    shell.frame->SetSize(1000, 800);
    OverlaySettings_cls* overlay = shell.core->GetOverlaySettings();
    overlay->timePos.value = 0;  // top left; the legend of type 0 stays bottom right
    ParticleAttrib_cls* const* attribs = shell.core->GetSequenceRenderer()->Attribs(GpDataSequenceSet->current);
    const float green[4] = {0, 1, 0, 1};
    std::copy(green, green + 4, attribs[0]->col->constantColor.values);
    shell.core->LoadFileSequence(wxString::FromUTF8(dir.File("seq") + "/" + o.FileName(0)));
    MainGLCanvas_cls* view = shell.frame->GetTopPanel()->View(0);
    ASSERT_TRUE(shelltest::RedrawUntilDrawn(shell, view, o.particles));

    // The program's own snapshot of the main view, into a file.
    wxImage picture;
    ASSERT_NO_FATAL_FAILURE(shelltest::SaveSnapshot(shell, view, dir.File("view0.png"), picture));
    const int W = picture.GetWidth(), H = picture.GetHeight();

    const double time = GpDataSequenceSet->GetCurrent()->GetFrameTime(0);
    ASSERT_NE(time, kNoFrameTime);
    // The text's own image, letter for letter where the quad puts it: rows H - 10 - 40 .. H - 10
    // from the bottom, columns 20 .. 280.
    OverlayRenderer_cls painter(overlay);
    const wxImage text = painter.PaintTimeText(time);
    int letters = 0, matched = 0;
    for (int r = 0; r < kOverlayTimeHeight; ++r)
        for (int c = 0; c < kOverlayTimeWidth && 20 + c < W; ++c) {
            if (text.GetRed(c, r) < 250) continue;  // the letters' full-white pixels
            ++letters;
            const int x = 20 + c, y = 10 + r;  // image rows from the top
            if (picture.GetRed(x, y) > 240 && picture.GetGreen(x, y) > 240 && picture.GetBlue(x, y) > 240) ++matched;
        }
    EXPECT_GT(letters, 50);
    EXPECT_EQ(matched, letters) << "the time text of frame time " << time;
    // The legend of type 0: its green bar in the bottom right corner (rows 34..54 from the bottom).
    int bar = 0;
    for (int y = H - 53; y < H - 35; ++y)
        for (int x = W - 259; x < W - 21; ++x)
            if (picture.GetGreen(x, y) > 240 && picture.GetRed(x, y) < 15 && picture.GetBlue(x, y) < 15) ++bar;
    EXPECT_GT(bar, 200 * 15);
}
