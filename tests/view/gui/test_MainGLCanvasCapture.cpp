// What a view draws after its scene: the overlay drawer's 2-D pass lands at window pixels.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <map>

#include <wx/frame.h>
#include <wx/sizer.h>

#include "tests/support/GuiTestSupport.h"
#include "tests/view/gui/ViewDrawerProbe.h"
#include "view/gui/FBO.h"
#include "view/gui/GLResources.h"
#include "view/gui/MainGLCanvas.h"

namespace {

class CaptureViewFixture : public ::testing::Test {
protected:
    void SetUp() override {
        CreateGLResources();
        MainGLCanvas_cls::SetSceneDrawer(DrawTestQuad);
        RecordShots(shots);
        frame = new wxFrame(nullptr, wxID_ANY, "view", wxDefaultPosition, wxSize(300, 260));
        auto* sizer = new wxBoxSizer(wxHORIZONTAL);
        view = new MainGLCanvas_cls(frame, frame, 0, 0);
        view->SetMinSize(wxSize(160, 120));
        sizer->Add(view, 0);
        frame->SetSizer(sizer);
        frame->Show();
        testsupport::PumpUntil([&] { return view->IsShownOnScreen(); }, 3000);
    }
    void TearDown() override {
        MainGLCanvas_cls::SetPaintProbe(nullptr);
        MainGLCanvas_cls::SetSceneDrawer(nullptr);
        MainGLCanvas_cls::SetOverlayDrawer(nullptr);
        MainGLCanvas_cls::SetUseFBO(nullptr);
        if (view->IsShownOnScreen()) view->SetCurrent(*MainGLCanvas_cls::SharedContext());
        ReleaseGLResources();
        frame->Destroy();
        testsupport::Pump(20);
    }
    bool PaintTimes(int n) {
        const int target = view->DrawCount() + n;
        for (int i = 0; i < n * 4 && view->DrawCount() < target; ++i) {
            const int before = view->DrawCount();
            view->Refresh(false);
            testsupport::PumpUntil([&] { return view->DrawCount() > before; }, 2000);
        }
        return view->DrawCount() >= target;
    }
    std::map<int, ViewShot> shots;
    wxFrame* frame = nullptr;
    MainGLCanvas_cls* view = nullptr;
};

TEST_F(CaptureViewFixture, OverlayDrawerPaintsWindowPixelsOverTheScene) {
    int seenW = 0, seenH = 0;
    MainGLCanvas_cls::SetOverlayDrawer([&](MainGLCanvas_cls&, int w, int h) {
        seenW = w, seenH = h;
        glColor4f(0, 1, 0, 1);
        glBegin(GL_QUADS);
        glVertex2i(4, 4), glVertex2i(14, 4), glVertex2i(14, 14), glVertex2i(4, 14);
        glEnd();
    });
    for (int mode = 0; mode < 2; ++mode) {
        MainGLCanvas_cls::SetUseFBO([mode] { return mode == 1; });
        ASSERT_TRUE(PaintTimes(1));
        const ViewShot& s = shots.at(0);
        EXPECT_EQ(seenW, s.w);
        EXPECT_EQ(seenH, s.h);
        EXPECT_EQ(s.error, GLenum(GL_NO_ERROR));
        EXPECT_EQ(s.attribDepth, 0);
        // Lower left corner in GL window pixels: green inside, the scene's black outside.
        const unsigned char* in = s.At(8, 8);
        EXPECT_GT(in[1], 200) << "mode " << mode;
        EXPECT_LT(in[0], 50);
        const unsigned char* out = s.At(20, 20);
        EXPECT_LT(out[1], 50);
        // The scene is still there: the quad's centre is red.
        const int cx = int(s.centre[0]), cy = int(s.centre[1]);
        EXPECT_TRUE(IsQuadRed(s.At(cx, cy))) << "mode " << mode;
    }
}

}  // namespace
