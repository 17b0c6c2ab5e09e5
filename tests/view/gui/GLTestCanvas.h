// A small shown GL canvas with its context current, for tests that draw and read pixels.
#pragma once

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <wx/frame.h>
#include <wx/glcanvas.h>

#include <memory>

#include "common/GLCamera.h"
#include "common/GLProjection.h"
#include "tests/support/GuiTestSupport.h"

/// A shown frame holding a w x h canvas (RGBA, double buffer, depth 24, stencil 8) with a
/// context made current on it. `ready` is false when no context could be made.
struct ShownGLCanvas {
    ShownGLCanvas(int w, int h) {
        frame = new wxFrame(nullptr, wxID_ANY, "GL", wxDefaultPosition, wxSize(w + 40, h + 60));
        const int attrs[] = {WX_GL_RGBA, WX_GL_DOUBLEBUFFER, WX_GL_DEPTH_SIZE, 24, WX_GL_STENCIL_SIZE, 8, 0};
        canvas = new wxGLCanvas(frame, wxID_ANY, attrs, wxDefaultPosition, wxSize(w, h));
        frame->Show();
        testsupport::PumpUntil([&] { return canvas->IsShownOnScreen(); }, 3000);
        testsupport::Pump(50);
        context.reset(new wxGLContext(canvas));
        ready = context->IsOK() && canvas->SetCurrent(*context);
    }
    ~ShownGLCanvas() {
        context.reset();
        frame->Destroy();
        testsupport::Pump(20);
    }
    ShownGLCanvas(const ShownGLCanvas&) = delete;
    ShownGLCanvas& operator=(const ShownGLCanvas&) = delete;

    wxFrame* frame = nullptr;
    wxGLCanvas* canvas = nullptr;
    std::unique_ptr<wxGLContext> context;
    bool ready = false;
};

/// Sets the viewport of a w x h canvas and loads the matrices of a 35 degree perspective
/// camera at `pos`, with the axes `dir`, `up` and `right`, turned to look at the origin.
inline void LookAtOrigin(int w, int h, const double pos[3], const double dir[3], const double up[3],
                         const double right[3]) {
    const double zero[3] = {0, 0, 0};
    GLProjection_cls proj(w, h, 35, 0.03, 5000);
    GLCamera_cls cam(pos, zero, dir, up, right);
    cam.LookAt(zero);
    proj.ApplyViewport();
    proj.Apply(cam, 0);
    cam.LoadModelview(GL_MODELVIEW);
}

/// Fixture: a kSize x kSize ShownGLCanvas for each test, modal dialogs answered with OK.
class GLTestCanvas : public ::testing::Test {
protected:
    static constexpr int kSize = 64;

    void SetUp() override {
        testsupport::ResetModals();
        testsupport::SetModalAnswer(wxID_OK);
        window = std::make_unique<ShownGLCanvas>(kSize, kSize);
        frame = window->frame;
        canvas = window->canvas;
        ready = window->ready;
    }
    void TearDown() override { window.reset(); }

    /// RGBA of window pixel (x, y) of the back buffer (y counts from the bottom).
    static void Pixel(int x, int y, unsigned char out[4]) {
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, out);
    }

    std::unique_ptr<ShownGLCanvas> window;
    wxFrame* frame = nullptr;
    wxGLCanvas* canvas = nullptr;
    bool ready = false;
};
