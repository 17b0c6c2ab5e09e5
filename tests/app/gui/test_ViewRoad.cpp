// The drawing road as the running program shows it: a driver without frame-buffer objects
// gets the notice text on grey instead of a blank, and the extra view set to "Copy of
// View 0" follows a mouse gesture made in view 0.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>

#include <wx/uiaction.h>

#include "app/gui/FrameMain.h"
#include "app/gui/TopHalfPanel.h"
#include "common/CommandIds.h"
#include "tests/app/gui/ShellFixture.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/TestFiles.h"
#include "tests/view/gui/ViewDrawerProbe.h"
#include "view/ViewSettings.h"
#include "view/gui/FBO.h"
#include "view/gui/MainGLCanvas.h"

using shelltest::Shell;
using testsupport::TempDir;

namespace {

bool IsNoticeGrey(const unsigned char* p) {
    return std::abs(p[0] - 212) <= 2 && std::abs(p[1] - 212) <= 2 && std::abs(p[2] - 212) <= 2;
}
bool IsDark(const unsigned char* p) { return p[0] < 100 && p[1] < 100 && p[2] < 100; }

struct NoFBO {
    NoFBO() { GbFBOSupported = false; }
    ~NoFBO() { GbFBOSupported = true; }
};

}  // namespace

TEST(ViewRoad, WithoutFrameBufferObjectsTheViewShowsTheNoticeOnGrey) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    shell.frame->SetSize(900, 700);
    std::map<int, ViewShot> shots;
    RecordShots(shots);
    MainGLCanvas_cls* view = shell.frame->GetMainView();
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(PaintTimes(*view, 1, 5000));  // the GL state is set up with the real driver
    ASSERT_TRUE(GbFBOSupported);
    {
        NoFBO off;
        MainGLCanvas_cls::SetUseFBO([] { return true; });
        shots.clear();
        ASSERT_TRUE(PaintTimes(*view, 1, 5000));
        MainGLCanvas_cls::SetUseFBO(nullptr);
    }
    MainGLCanvas_cls::SetPaintProbe(nullptr);
    const ViewShot& s = shots.at(view->ViewIndex());
    ASSERT_GT(s.w, 200);
    ASSERT_GT(s.h, 100);
    EXPECT_TRUE(IsNoticeGrey(s.At(2, 2)));
    EXPECT_TRUE(IsNoticeGrey(s.At(s.w - 3, s.h - 3)));
    // Dark text in a band around the middle, none near the top and bottom edges.
    int middle = 0, edges = 0;
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x) {
            if (!IsDark(s.At(x, y))) continue;
            if (std::abs(y - s.h / 2) < 45 && std::abs(x - s.w / 2) < s.w / 2 - 2)
                ++middle;
            else if (y < 8 || y > s.h - 8)
                ++edges;
        }
    EXPECT_GT(middle, 200) << "the notice text is drawn";
    EXPECT_EQ(edges, 0);
    const wxString notice = MainGLCanvas_cls::NoFBONoticeText();
    EXPECT_TRUE(notice.StartsWith("Your OpenGL version is OpenGL ver. ")) << notice;
    EXPECT_TRUE(notice.Contains("\nFBO is NOT supported. Plase upgrade your OpenGL environment.\n"));
}

// The waits below end as soon as their condition holds; their limits leave room for a
// machine busy with other window tests.
TEST(ViewRoad, ExtraViewCopyingViewZeroFollowsAMouseGestureInViewZero) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    shell.frame->SetSize(900, 700);
    MainGLCanvas_cls* view = shell.frame->GetTopPanel()->View(0);
    shell.Post(ID_EXTRA_PANEL);
    MainGLCanvas_cls* extra = shell.frame->GetExtraFrame()->View();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return extra->IsShownOnScreen(); }, 3000));
    extra->SetCameraChoice(CAMERA_COPY_VIEW0);
    ASSERT_TRUE(PaintTimes(*view, 1, 5000));
    ASSERT_TRUE(PaintTimes(*extra, 1, 5000));
    testsupport::Pump(100);

    double before[16], after[16], copied[16];
    view->camera.ModelviewMatrix(before);
    const int extraDraws = extra->DrawCount();
    auto sim = std::make_unique<wxUIActionSimulator>();
    const wxSize size = view->GetClientSize();
    const wxPoint from(size.x / 2, size.y / 2), to(size.x / 2 + 60, size.y / 2 + 30);
    sim->MouseMove(view->ClientToScreen(from));
    testsupport::Pump(30);
    sim->MouseDown(wxMOUSE_BTN_LEFT);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return view->Tracker().AnyButtonHeld(); }, 5000));
    sim->MouseMove(view->ClientToScreen(to));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return view->Tracker().x == to.x; }, 5000));
    sim->MouseUp(wxMOUSE_BTN_LEFT);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !view->Tracker().AnyButtonHeld(); }, 5000));
    ASSERT_TRUE(testsupport::PumpUntil(
        [&] {
            view->camera.ModelviewMatrix(after);
            extra->camera.ModelviewMatrix(copied);
            for (int i = 0; i < 16; ++i)
                if (std::abs(after[i] - copied[i]) > 1e-9) return false;
            return extra->DrawCount() > extraDraws;
        },
        10000))
        << "the extra view draws view 0's new camera without any other redraw";
    double moved = 0;
    for (int i = 0; i < 16; ++i) moved += std::abs(after[i] - before[i]);
    EXPECT_GT(moved, 1e-3) << "the gesture moved view 0's camera";
    if (view->HasCapture()) view->ReleaseMouse();
}
