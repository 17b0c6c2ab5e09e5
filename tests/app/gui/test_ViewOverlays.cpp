// The overlays of the running program's views: over the main view's picture the time text
// shows the displayed data frame's time in its corner and the legend of type 0 shows its
// colour in its own, as a saved image of the view shows.
#include "tests/app/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <wx/image.h>

#include "app/gui/AppCore.h"
#include "app/gui/TopHalfPanel.h"
#include "data/DataSequence.h"
#include "data/DataSequenceSet.h"
#include "data/DemoSequence.h"
#include "filters/ColorCurve.h"
#include "view/OverlaySettings.h"
#include "view/ParticleAttrib.h"
#include "view/Snap.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/OverlayRenderer.h"
#include "view/gui/SequenceRenderer.h"

using shelltest::Shell;
using testsupport::PumpUntil;
using testsupport::TempDir;

TEST(ViewOverlays, TimeTextAndLegendOverTheMainViewInASavedImage) {
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    TempDir dir;
    DemoSequenceOptions o;
    o.grammar = SnapshotGrammar();
    o.frames = 2;
    o.particles = 20;
    std::string error;
    ASSERT_TRUE(DemoSequence_cls(o).WriteAll(dir.File("seq"), error)) << error;

    wxImage picture;
    FrameMain_cls* frameForProbe = nullptr;
    const std::string saved = dir.File("view0.png");
    MainGLCanvas_cls::SetPaintProbe([&](MainGLCanvas_cls& v) {
        if (v.ViewIndex() != 0 || !frameForProbe || !GpSnap) return;
        const wxSize s = v.GetClientSize();
        frameForProbe->DrawViewOverlays(v, s.x, s.y);
        std::vector<unsigned char> rgb(size_t(3) * s.x * s.y);
        glFinish();
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, s.x, s.y, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        wxImage im(s.x, s.y);
        for (int y = 0; y < s.y; ++y)
            std::copy(&rgb[size_t(3) * s.x * y], &rgb[size_t(3) * s.x * (y + 1)], im.GetData() + size_t(3) * s.x * (s.y - 1 - y));
        if (im.SaveFile(saved, wxBITMAP_TYPE_PNG)) picture.LoadFile(saved, wxBITMAP_TYPE_PNG);
    });
    struct Guard {
        ~Guard() { MainGLCanvas_cls::SetPaintProbe(nullptr); }
    } guard;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    frameForProbe = shell.frame;
    shell.frame->SetSize(1000, 800);
    OverlaySettings_cls* overlay = shell.core->GetOverlaySettings();
    overlay->timePos.value = 0;  // top left; the legend of type 0 stays bottom right
    ParticleAttrib_cls* const* attribs = shell.core->GetSequenceRenderer()->Attribs(GpDataSequenceSet->current);
    const float green[4] = {0, 1, 0, 1};
    std::copy(green, green + 4, attribs[0]->col->constantColor.values);
    shell.core->LoadFileSequence(wxString::FromUTF8(dir.File("seq") + "/" + o.FileName(0)));
    shell.frame->GetTopPanel()->RedrawViews();
    ASSERT_TRUE(PumpUntil([&] { return picture.IsOk() && GpSnap && GpSnap->count == o.particles; }, 20000));
    picture = wxImage();
    shell.frame->GetTopPanel()->RedrawViews();
    ASSERT_TRUE(PumpUntil([&] { return picture.IsOk(); }, 20000));
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
