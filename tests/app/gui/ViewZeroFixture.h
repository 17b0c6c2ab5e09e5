// A running shell whose view 0 is read back after each of its paints, for the window tests
// that judge its picture and click in it: the frame at 900 x 700, the last picture of view 0
// with its size, repaints that wait for the view, clicks at a client pixel, and lit spheres
// under parallel lights.
#pragma once

#include <gtest/gtest.h>

#include <wx/uiaction.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "app/gui/TopHalfPanel.h"
#include "data/DataSequenceSet.h"
#include "filters/ColorCurve.h"
#include "scene/LightSRCCtrl.h"
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/ViewPixels.h"
#include "tests/view/gui/ViewDrawerProbe.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"
#include "view/ParticleAttrib.h"
#include "view/Snap.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/SequenceRenderer.h"

namespace shelltest {

class ViewZeroTest : public ::testing::Test {
protected:
    /// Reads view 0 back after each paint, draws through a frame buffer while `useFBO` is
    /// set, and opens the shell.
    void SetUp() override {
        MainGLCanvas_cls::SetPaintProbe([this](MainGLCanvas_cls& v) {
            if (v.ViewIndex() != 0) return;
            const wxSize size = v.GetClientSize();
            w = size.x, h = size.y;
            rgba = viewpixels::ReadBack(w, h);
            ++paints;
        });
        MainGLCanvas_cls::SetUseFBO([this] { return useFBO; });
        shell = std::make_unique<Shell>(dir.File("Pelthorn3Configure.txt"));
        shell->frame->SetSize(900, 700);
        view = shell->frame->GetTopPanel()->View(0);
        lights = shell->core->GetLights();
    }
    void TearDown() override {
        if (view && view->HasCapture()) view->ReleaseMouse();
        shell.reset();
        MainGLCanvas_cls::SetPaintProbe(nullptr);
        MainGLCanvas_cls::SetUseFBO(nullptr);
    }
    /// Two paints of view 0 after a change (the first may still be catching up).
    bool Repaint() {
        for (int round = 0; round < 2; ++round) {
            const int before = paints;
            shell->frame->GetTopPanel()->RedrawViews();
            if (!testsupport::PumpUntil([&] { return paints > before; }, 20000)) return false;
        }
        return true;
    }
    /// Client pixel (y down) of a world point in view 0, drawn directly.
    wxPoint Pixel(const double p[3]) const {
        double out[3];
        ProjectInView(*view, w, h, p[0], p[1], p[2], out);
        return wxPoint(int(std::lround(out[0])), int(std::lround(h - out[1])));
    }
    /// Presses and releases `button` at client pixel `at` of view 0; the press's paint
    /// serves the pick.
    void Click(int button, wxPoint at) {
        sim.MouseMove(view->ClientToScreen(at));
        testsupport::Pump(30);
        sim.MouseDown(button);
        testsupport::Pump(30);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return view->Tracker().AnyButtonHeld(); }, 2000));
        ASSERT_TRUE(Repaint());
        sim.MouseUp(button);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return !view->Tracker().AnyButtonHeld(); }, 2000));
        testsupport::Pump(30);
    }
    /// Points light `i` (a parallel light) along the unit vector `u` (from the origin
    /// towards the light).
    void Aim(int i, const double u[3]) {
        const double yaw = std::atan2(u[1], u[0]) * 180.0 / 3.14159 - 180.0;
        const double pitch = std::asin(u[2]) * 180.0 / 3.14159;
        lights->Light(i).rotation->SetKeyFrame({0, pitch, yaw}, true, -1);
    }
    /// Loads a sequence of `particles` lit white spheres of one radius with a dim grey
    /// ambient colour and no highlight, and repaints.
    void LoadSpheres(int particles, float radius) {
        ParticleAttrib_cls* const* attribs = shell->core->GetSequenceRenderer()->Attribs(GpDataSequenceSet->current);
        for (int t = 0; t < 4; ++t) {
            ParticleAttrib_cls& a = *attribs[t];
            a.drawType.value = 2;
            a.radiusType.value = 1;
            a.radiusFactorForConst.value = radius;
            a.shaderType.value = 0;
            const float white[4] = {1, 1, 1, 1}, grey[4] = {0.15f, 0.15f, 0.15f, 1}, black[4] = {0, 0, 0, 1};
            std::copy(white, white + 4, a.diffuse->constantColor.values);
            std::copy(grey, grey + 4, a.ambient->constantColor.values);
            std::copy(black, black + 4, a.specular->constantColor.values);
        }
        GbSnapDataRefresh = true;
        shell->core->LoadFileSequence(wxString::FromUTF8(viewpixels::WriteSequence(dir, particles, 1)));
        ASSERT_TRUE(Repaint());
    }

    testsupport::TempDir dir;
    std::unique_ptr<Shell> shell;
    MainGLCanvas_cls* view = nullptr;
    LightSRCCtrl_cls* lights = nullptr;
    bool useFBO = false;
    std::vector<unsigned char> rgba;  ///< the last picture of view 0, bottom row first
    int w = 0, h = 0, paints = 0;
    wxUIActionSimulator sim;
};

}  // namespace shelltest
