// The real main frame's upper panel: the layouts show the right views, every shown view
// paints the installed drawer's quad where its camera puts it (also on the first paints after
// each change from one layout to another), hidden views count as
// current, and "About Open GL" shows the views' GL record.
#include "tests/app/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include <set>
#include <utility>

#include <wx/splitter.h>
#include <wx/uiaction.h>

#include "app/gui/TopHalfPanel.h"
#include "common/CommandIds.h"
#include "tests/view/gui/ViewDrawerProbe.h"
#include "view/gui/MainGLCanvas.h"

using shelltest::Shell;
using testsupport::TempDir;

namespace {

struct DrawerInstalled {
    explicit DrawerInstalled(std::map<int, ViewShot>& shots) {
        MainGLCanvas_cls::SetSceneDrawer(DrawTestQuad);
        RecordShots(shots);
    }
    ~DrawerInstalled() {
        MainGLCanvas_cls::SetPaintProbe(nullptr);
        MainGLCanvas_cls::SetSceneDrawer(nullptr);
    }
};

bool Shown(MainGLCanvas_cls* v) { return v->IsShownOnScreen() && v->GetClientSize().x > 0; }

}  // namespace

TEST(TopHalfPanel, FourViewsPaintTheQuadAtItsProjectedPosition) {
    TempDir dir;
    std::map<int, ViewShot> shots;
    DrawerInstalled drawer(shots);
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    shell.frame->SetSize(900, 760);
    TopHalfPanel_cls* top = shell.frame->GetTopPanel();
    ASSERT_NE(top, nullptr);
    testsupport::Pump(50);
    EXPECT_EQ(top->Layout(), 0);
    EXPECT_TRUE(Shown(top->View(0)));
    EXPECT_FALSE(top->View(1)->IsShownOnScreen());

    // The quad lies in the x-y plane, which the side views of views 2 and 3 see edge-on:
    // every view looks through the free camera here.
    for (int i = 1; i < 4; ++i) top->View(i)->SetCameraChoice(0);
    shell.Post(ID_LAYOUT_4A);
    EXPECT_EQ(top->Layout(), 3);
    // The idle driver keeps asking until every view has drawn the current frame.
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        for (int i = 0; i < 4; ++i)
            if (top->View(i)->DrawCount() == 0) return false;
        return top->AllViewsCurrent(top->View(0)->DrawnFrame(), 0);
    }, 10000));
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(shots.count(i)) << "view " << i;
        const ViewShot& s = shots[i];
        EXPECT_EQ(s.error, GLenum(GL_NO_ERROR)) << "view " << i;
        const int cx = int(std::lround(s.centre[0])), cy = int(std::lround(s.centre[1]));
        ASSERT_TRUE(cx > 0 && cy > 0 && cx < s.w && cy < s.h) << "view " << i;
        EXPECT_TRUE(IsQuadRed(s.At(cx, cy))) << "view " << i;
        EXPECT_FALSE(IsQuadRed(s.At(1, 1))) << "view " << i;
    }
    // "4 panelsA": two rows; views 0 and 1 side by side on top.
    const wxPoint p0 = top->View(0)->GetScreenPosition(), p1 = top->View(1)->GetScreenPosition(),
                  p2 = top->View(2)->GetScreenPosition();
    EXPECT_GT(p1.x, p0.x);
    EXPECT_EQ(p1.y, p0.y);
    EXPECT_GT(p2.y, p0.y);

    // "4 panelsB": two columns; view 1 under view 0.
    shell.Post(ID_LAYOUT_4B);
    testsupport::Pump(50);
    EXPECT_EQ(top->View(1)->GetScreenPosition().x, top->View(0)->GetScreenPosition().x);
    EXPECT_GT(top->View(1)->GetScreenPosition().y, top->View(0)->GetScreenPosition().y);
    EXPECT_GT(top->View(2)->GetScreenPosition().x, top->View(0)->GetScreenPosition().x);

    // "1 panel": views 1 to 3 hidden; hidden views count as current whatever the frame.
    shell.Post(ID_LAYOUT_1);
    testsupport::Pump(50);
    for (int i = 1; i < 4; ++i) EXPECT_FALSE(top->View(i)->IsShownOnScreen());
    for (int i = 1; i < 4; ++i) EXPECT_TRUE(top->View(i)->RefreshIfStale(999, 3));
    // Choosing the same layout again changes nothing.
    shell.Post(ID_LAYOUT_1);
    EXPECT_EQ(top->Layout(), 0);

    shell.Post(ID_LAYOUT_2V);
    testsupport::Pump(30);
    EXPECT_EQ(top->View(1)->GetScreenPosition().x, top->View(0)->GetScreenPosition().x);
    EXPECT_GT(top->View(1)->GetScreenPosition().y, top->View(0)->GetScreenPosition().y);
    shell.Post(ID_LAYOUT_2H);
    testsupport::Pump(30);
    EXPECT_GT(top->View(1)->GetScreenPosition().x, top->View(0)->GetScreenPosition().x);
}

TEST(TopHalfPanel, EveryLayoutChangeAfterAClickInTheViewShowsTheQuadInEachShownView) {
    TempDir dir;
    std::map<int, ViewShot> shots;
    DrawerInstalled drawer(shots);
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    shell.frame->SetSize(600, 520);
    TopHalfPanel_cls* top = shell.frame->GetTopPanel();
    ASSERT_NE(top, nullptr);
    // Direct drawing: the layouts are what is tried here, and it paints the fastest.
    MainGLCanvas_cls::SetUseFBO([] { return false; });
    for (int i = 1; i < 4; ++i) top->View(i)->SetCameraChoice(0);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return top->View(0)->DrawCount() > 0; }, 10000));
    // Layouts in an order that passes from each layout to each other one exactly once.
    const int order[] = {0, 1, 0, 2, 0, 3, 0, 4, 1, 2, 1, 3, 1, 4, 2, 3, 2, 4, 3, 4, 0};
    std::set<std::pair<int, int>> passed;
    for (size_t k = 1; k < std::size(order); ++k) {
        const int from = order[k - 1], to = order[k];
        SCOPED_TRACE(testing::Message() << "layout " << from << " to " << to);
        passed.insert({from, to});
        // A click in the main view, then the next layout (as Alt+1 to Alt+5 choose it): its
        // first paints meet windows the layout has just shown.
        wxUIActionSimulator sim;
        MainGLCanvas_cls* v0 = top->View(0);
        sim.MouseMove(v0->ClientToScreen(wxPoint(v0->GetClientSize().x / 2, v0->GetClientSize().y / 3)));
        sim.MouseClick();
        testsupport::Pump(10);
        shots.clear();
        shell.frame->PostMenuCommand(ID_LAYOUT_1 + to);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return top->Layout() == to; }, 3000));
        ASSERT_TRUE(testsupport::PumpUntil([&] {
            for (int i = 0; i < 4; ++i)
                if (Shown(top->View(i)) && !shots.count(i)) return false;
            return true;
        }, 10000));
        for (const auto& [i, s] : shots) {
            if (!Shown(top->View(i))) continue;
            const int cx = int(std::lround(s.centre[0])), cy = int(std::lround(s.centre[1]));
            ASSERT_TRUE(cx > 0 && cy > 0 && cx < s.w && cy < s.h) << "view " << i;
            EXPECT_TRUE(IsQuadRed(s.At(cx, cy))) << "view " << i;
        }
    }
    EXPECT_EQ(passed.size(), 20u);
    EXPECT_NE(shell.core->GetFrameMain(), nullptr);
}

TEST(TopHalfPanel, ExtraViewPaintsWhenShownAndAboutOpenGLNamesTheVersion) {
    TempDir dir;
    std::map<int, ViewShot> shots;
    DrawerInstalled drawer(shots);
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    ASSERT_NE(shell.frame->GetExtraFrame(), nullptr);
    EXPECT_FALSE(shell.frame->GetExtraFrame()->IsShown());
    EXPECT_TRUE(shell.frame->GetExtraFrame()->View()->RefreshIfStale(5, 0));
    shell.Post(ID_EXTRA_PANEL);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return shots.count(4) > 0; }, 10000));
    const ViewShot& s = shots[4];
    EXPECT_TRUE(IsQuadRed(s.At(int(std::lround(s.centre[0])), int(std::lround(s.centre[1])))));
    shell.Post(ID_EXTRA_PANEL);
    EXPECT_FALSE(shell.frame->GetExtraFrame()->IsShown());

    testsupport::ResetModals();
    shell.Post(ID_ABOUT_OPENGL);
    ASSERT_FALSE(testsupport::ModalTitles().empty());
    EXPECT_EQ(testsupport::ModalTitles().back(), "About Open GL");
}

TEST(TopHalfPanel, LowerPaneStartsAtItsWorkingHeight) {
    // The sash is placed while the frame is still being built; once the frame is on screen
    // the lower pane must have its working height, not the sliver it got before.
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    auto* splitter = dynamic_cast<wxSplitterWindow*>(shell.frame->GetTopPanel()->GetParent());
    ASSERT_NE(splitter, nullptr);
    ASSERT_TRUE(splitter->IsSplit());
    const int want = shell.frame->LowerPaneHeight();
    EXPECT_TRUE(want == 150 || want == 210);
    EXPECT_TRUE(testsupport::PumpUntil(
        [&] { return std::abs(splitter->GetClientSize().y - splitter->GetSashPosition() - want) <= 1; }, 3000))
        << "lower pane " << splitter->GetWindow2()->GetSize().y << " px, splitter "
        << splitter->GetClientSize().y << " px";
    EXPECT_GE(splitter->GetWindow2()->GetSize().y, want - splitter->GetSashSize() - 1);
    // The upper pane keeps the rest: the frame's resize only changes the views' share.
    const int lower = splitter->GetWindow2()->GetSize().y;
    shell.frame->SetSize(shell.frame->GetSize() + wxSize(0, 60));
    testsupport::Pump(50);
    EXPECT_NEAR(splitter->GetWindow2()->GetSize().y, lower, 2);
}
