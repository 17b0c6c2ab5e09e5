// A small shown GL canvas with its context current, for tests that draw and read pixels.
#pragma once

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <wx/frame.h>
#include <wx/glcanvas.h>

#include <memory>

#include "tests/support/GuiTestSupport.h"

/// Fixture: a frame with a kSize x kSize canvas (RGBA, double buffer, depth 24, stencil 8),
/// shown, with a context made current on it. `ready` is false when no context could be made.
class GLTestCanvas : public ::testing::Test {
protected:
    static constexpr int kSize = 64;

    void SetUp() override {
        testsupport::ResetModals();
        testsupport::SetModalAnswer(wxID_OK);
        frame = new wxFrame(nullptr, wxID_ANY, "GL", wxDefaultPosition, wxSize(kSize + 40, kSize + 60));
        const int attrs[] = {WX_GL_RGBA, WX_GL_DOUBLEBUFFER, WX_GL_DEPTH_SIZE, 24, WX_GL_STENCIL_SIZE, 8, 0};
        canvas = new wxGLCanvas(frame, wxID_ANY, attrs, wxDefaultPosition, wxSize(kSize, kSize));
        frame->Show();
        testsupport::PumpUntil([&] { return canvas->IsShownOnScreen(); }, 3000);
        testsupport::Pump(50);
        context.reset(new wxGLContext(canvas));
        ready = context->IsOK() && canvas->SetCurrent(*context);
    }
    void TearDown() override {
        context.reset();
        frame->Destroy();
        testsupport::Pump(20);
    }

    /// RGBA of window pixel (x, y) of the back buffer (y counts from the bottom).
    static void Pixel(int x, int y, unsigned char out[4]) {
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, out);
    }

    wxFrame* frame = nullptr;
    wxGLCanvas* canvas = nullptr;
    std::unique_ptr<wxGLContext> context;
    bool ready = false;
};
