// The path items of a view.
#include "view/gui/PathItems.h"

#include <GL/gl.h>

#include <cmath>

#include "scene/AnchorPath.h"
#include "scene/CameraPath.h"
#include "view/StereoGram.h"
#include "view/ViewCameras.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/SceneLists.h"

bool LooksThroughCameraPath(const MainGLCanvas_cls& view) {
    const ViewCameras_cls& c = view.cameras;
    return c.Choice() == CAMERA_PATH && c.followedPath && GLCamera_cls::Equals(c.path, c.followedPath->transform);
}

void DrawPathItems(const MainGLCanvas_cls& view, bool pickPass, double t, double size) {
    CameraPath_cls* path = view.cameras.Path();
    AnchorPath_cls* anchor = view.cameras.Anchor();
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    if (path && path->translate && !LooksThroughCameraPath(view)) {
        glPushName(GLuint(path->pickId));
        path->DrawGL(pickPass);
        // Selection mode here does not take display lists: the marker is drawn only.
        if (!pickPass && GpStereoGram) GpStereoGram->DrawFocusMarker(path->transform, t, size, AnchorCrossList());
        glPopName();
    }
    if (anchor && anchor->translate && anchor->visible.value) {
        glPushName(GLuint(anchor->pickId));
        anchor->DrawGL(pickPass);
        glPopName();
    }
    glPopAttrib();
}

void DrawSymbolPickForm(int type, double size, double angle) {
    glPushMatrix();
    glScaled(size, size, size);
    glBegin(GL_LINES);
    if (type == 2) {
        for (int a = 0; a < 3; ++a) {
            double p[3] = {0, 0, 0};
            p[a] = -0.5;
            glVertex3dv(p);
            p[a] = 0.5;
            glVertex3dv(p);
        }
    } else {
        const double h = 0.1;
        // The twelve edges of the symbol cube: along x, y and z.
        for (double u : {-h, h})
            for (double v : {-h, h}) {
                glVertex3d(-h, u, v), glVertex3d(h, u, v);
                glVertex3d(u, -h, v), glVertex3d(u, h, v);
                glVertex3d(u, v, -h), glVertex3d(u, v, h);
            }
        const double half = angle * 3.14159 / 180.0 / 2.0;
        const double e = std::cos(half), f = std::sin(half);
        for (double u : {-f, f})
            for (double v : {-f, f}) glVertex3d(0, 0, 0), glVertex3d(e, u, v);
    }
    glEnd();
    glPopMatrix();
}
