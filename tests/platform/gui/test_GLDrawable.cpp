// Binding views to the shared GL context: a window is bound only when it is realised with the
// context's visual, and a bind or swap the X server refuses costs one paint, not the program.
#include "platform/gui/GLDrawable.h"

#include <GL/gl.h>

#include <memory>

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/glcanvas.h>
#include <wx/sizer.h>

#include "tests/support/GuiTestSupport.h"

namespace {

const int kAttribs[] = {WX_GL_RGBA, WX_GL_DOUBLEBUFFER, WX_GL_DEPTH_SIZE, 24, WX_GL_STENCIL_SIZE, 8, 0};

struct TwoViews {
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "views", wxDefaultPosition, wxSize(300, 200));
    wxGLCanvas* a = new wxGLCanvas(frame, wxID_ANY, kAttribs, wxDefaultPosition, wxSize(140, 140));
    wxGLCanvas* b = new wxGLCanvas(frame, wxID_ANY, kAttribs, wxDefaultPosition, wxSize(140, 140));
    std::unique_ptr<wxGLContext> context{new wxGLContext(a)};
    TwoViews() {
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        row->Add(a, 1, wxEXPAND);
        row->Add(b, 1, wxEXPAND);
        frame->SetSizer(row);
    }
    ~TwoViews() {
        context.reset();
        frame->Destroy();
        testsupport::Pump();
    }
    void Show() {
        frame->Show();
        frame->Layout();
        testsupport::PumpUntil([&] { return a->IsShownOnScreen() && b->IsShownOnScreen(); });
        testsupport::Pump(50);
    }
};

void Clear(float r, float g, float b) {
    glClearColor(r, g, b, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();
}

}  // namespace

TEST(GLDrawable, SwapOfAViewTheContextIsNotBoundToShowsNothingAndTheProgramGoesOn) {
    TwoViews v;
    v.Show();
    const unsigned long visual = platform::CanvasVisualId(*v.a);
    ASSERT_NE(visual, 0u);
    ASSERT_TRUE(platform::MakeCurrentChecked(*v.context, *v.a));
    Clear(1, 0, 0);
    EXPECT_TRUE(platform::SwapBuffersChecked(*v.a));
    // Binding b releases a's drawable: a swap of a now would go to the X server as a
    // request for a window without GL state, which it refuses with BadMatch.
    ASSERT_TRUE(platform::MakeCurrentChecked(*v.context, *v.b));
    Clear(0, 0, 1);
    EXPECT_FALSE(platform::SwapBuffersChecked(*v.a));
    EXPECT_TRUE(platform::SwapBuffersChecked(*v.b));
    testsupport::Pump(20);
    EXPECT_TRUE(platform::MakeCurrentChecked(*v.context, *v.a));
}

TEST(GLDrawable, OnlyAShownWindowWithTheContextsVisualIsReady) {
    TwoViews v;
    const unsigned long visual = platform::CanvasVisualId(*v.a);
    EXPECT_FALSE(platform::WindowReadyForContext(*v.a, visual));  // not on screen yet
    v.Show();
    EXPECT_TRUE(platform::WindowReadyForContext(*v.a, visual));
    EXPECT_TRUE(platform::WindowReadyForContext(*v.b, visual));
    const int single[] = {WX_GL_RGBA, WX_GL_MIN_RED, 1, 0};
    auto* other = new wxGLCanvas(v.frame, wxID_ANY, single, wxPoint(0, 0), wxSize(50, 50));
    testsupport::PumpUntil([&] { return other->IsShownOnScreen(); });
    ASSERT_NE(platform::CanvasVisualId(*other), visual);
    EXPECT_FALSE(platform::WindowReadyForContext(*other, visual));
    EXPECT_TRUE(platform::WindowReadyForContext(*other, platform::CanvasVisualId(*other)));
    v.b->Hide();
    testsupport::Pump(20);
    EXPECT_FALSE(platform::WindowReadyForContext(*v.b, visual));
}
