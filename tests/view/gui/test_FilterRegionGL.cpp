// The DataBox wire box in a view: it frames the particles it places, so its corners are
// drawn where the placement puts the corners of the box, whatever the rotation.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <memory>

#include "common/CommandHistory.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterDataBox.h"
#include "filters/gui/FilterRegionGL.h"
#include "tests/view/gui/GLTestCanvas.h"
#include "tests/view/gui/PixelProbe.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"

namespace {

constexpr int kW = 160, kH = 160;

TEST(FilterRegionGL, DataBoxFramesThePlacedDataUnderEveryRotation) {
    GoCommandHistory.Clear();
    GbParamUndoEnabled = 0;
    ShownGLCanvas window(kW, kH);
    if (!window.ready) GTEST_SKIP() << "no GL context";
    const double pos[3] = {3, -4, 14}, dir[3] = {0, 0, -1}, up[3] = {0, 1, 0}, right[3] = {1, 0, 0};
    LookAtOrigin(kW, kH, pos, dir, up, right);

    FilterCtrl_cls list{2};
    list.AddFilter(FILTER_DATABOX, -1, nullptr, nullptr, nullptr, nullptr);
    auto* d = static_cast<FilterDataBoxData_cls*>(list.GetNode(0)->GetData());
    d->selected = false;
    struct Case {
        double R[3], S[3], A[3];
    };
    // Turns about x and y together are where an order of rotations other than the
    // placement's shows; the anchor and a scale move the frame's centre off the origin.
    const Case cases[] = {
        {{40, 30, 0}, {3, 3, 3}, {0, 0, 0}},
        {{35, -50, 20}, {4, 2, 3}, {0.5, -0.4, 0.3}},
    };
    for (const Case& c : cases) {
        d->SetTranslateKey(0.3, -0.2, 0.1);
        d->SetRotationKey(c.R[0], c.R[1], c.R[2]);
        d->SetScaleKey(c.S[0], c.S[1], c.S[2]);
        for (int k = 0; k < 3; ++k) d->anchor->Component(k).SetTimeDependentValue(true);
        d->anchor->SetKeyFrame({c.A[0], c.A[1], c.A[2]}, true, 0);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        DrawFilterRegions(list, 0);
        d->UpdateTransform(0);
        PixelProbe probe(kW, kH);
        int lit = 0;
        for (double x : {-0.5, 0.5})
            for (double y : {-0.5, 0.5})
                for (double z : {-0.5, 0.5}) {
                    // A corner of the box in its own coordinates, around the anchor.
                    double p[3] = {x + c.A[0] / c.S[0], y + c.A[1] / c.S[1], z + c.A[2] / c.S[2]};
                    d->TransformPoint(p);
                    double w[3];
                    WindowOf(p[0], p[1], p[2], w);
                    if (probe.Near(int(w[0]), int(w[1]), 1, IsLit)) ++lit;
                    else ADD_FAILURE() << "corner " << x << "," << y << "," << z << " not drawn at " << w[0]
                                       << "," << w[1] << " for rotation " << c.R[0] << "," << c.R[1];
                }
        EXPECT_EQ(lit, 8);
        // The centre cross stands at T + A.
        double centre[3];
        WindowOf(0.3 + c.A[0], -0.2 + c.A[1], 0.1 + c.A[2], centre);
        EXPECT_TRUE(probe.Near(int(centre[0]), int(centre[1]), 1, IsLit));
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    GbParamUndoEnabled = 1;
    GoCommandHistory.Clear();
}

}  // namespace
