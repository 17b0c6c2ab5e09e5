// Grid filter in GL: a moved grid's line lies at the gluProject position of its moved
// coordinates, the corners are labelled only with "Coordinate" on, and a disabled grid
// draws nothing.
#include <gtest/gtest.h>

#include <GL/glu.h>

#include "common/GLCamera.h"
#include "filters/ColorCurve.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterGrid.h"
#include "tests/view/gui/GLTestCanvas.h"
#include "tests/view/gui/PixelProbe.h"
#include "timeline/Parameter.h"
#include "view/TagList.h"

namespace {

using GridFilterGL = GLTestCanvas;

bool IsGridRed(const unsigned char* p) { return p[0] > 150 && p[1] < 80 && p[2] < 80; }

}  // namespace

TEST_F(GridFilterGL, LineAtItsProjectedPosition) {
    if (!ready) GTEST_SKIP() << "no GL context";
    const unsigned char undoWas = GbParamUndoEnabled;
    GbParamUndoEnabled = 0;
    FilterCtrl_cls list(1);
    auto* g = static_cast<FilterGrid_cls*>(list.AddFilter(FILTER_GRID, -1, nullptr, nullptr, nullptr, nullptr));
    ASSERT_NE(g, nullptr);
    FilterGridData_cls* d = g->Data();
    d->gridLineNum.value = 2;  // lines at -1, 0 and 1
    float* c = d->colors[0]->constantColor.values;
    c[0] = 1, c[1] = 0, c[2] = 0, c[3] = 1;
    d->SetTranslateKey(0.5, 0, 0);
    d->SetScaleKey(1, 1, 1);

    auto draw = [&](TagList_cls* tags) {
        glViewport(0, 0, kSize, kSize);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-2, 2, -2, 2, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        GLCamera_cls camera;
        list.DrawGrids(0, camera, tags);
    };
    TagList_cls tags;
    draw(&tags);
    double m[16], p[16], x, y, z;
    int vp[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    glGetDoublev(GL_PROJECTION_MATRIX, p);
    glGetIntegerv(GL_VIEWPORT, vp);
    {
        PixelProbe probe(kSize, kSize);
        // The line x = 0 of the grid, moved by 0.5: at world x = 0.5.
        gluProject(0.5, 0.5, 0, m, p, vp, &x, &y, &z);
        EXPECT_TRUE(probe.Near(int(x), int(y), 1, IsGridRed));
        // World x = 0 lies between the moved lines.
        gluProject(0.0, 0.5, 0, m, p, vp, &x, &y, &z);
        EXPECT_FALSE(probe.Near(int(x), int(y), 2, IsGridRed));
    }
    EXPECT_EQ(tags.tags.size(), 4u);  // the plane's corners
    d->gridCoord.value = 0;
    TagList_cls none;
    draw(&none);
    EXPECT_TRUE(none.tags.empty());
    d->filterValid.value = 0;
    draw(nullptr);
    {
        PixelProbe probe(kSize, kSize);
        int x0, y0, x1, y1;
        EXPECT_FALSE(probe.Box(IsGridRed, x0, y0, x1, y1));
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    GbParamUndoEnabled = undoWas;
}
