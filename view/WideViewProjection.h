// Where a fisheye or panorama view shows each direction, and which direction each of its
// pixels shows: the four sub-view cameras such a view draws with, and the composition of
// their pictures into a disc (equidistant fisheye) or a band (cylindrical panorama) inside
// a square that spans the window's height, centred. Pure numbers: the GL composition uses
// the same formulas, so clicks and drags land where the picture shows things.
#pragma once

#include "common/GLCamera.h"

class GLProjection_cls;

class WideViewProjection_cls {
public:
    /// `mode` 1 fisheye, 2 panorama (the view's geometry mode); `angle` the view angle in
    /// degrees (fisheye: the angle across the disc; panorama: half the band's width); a
    /// w x h window; `camera` the camera the sub-views are turned from (a copy is kept).
    WideViewProjection_cls(int mode, double angle, int w, int h, const GLCamera_cls& camera);

    /// The unit world direction shown at window pixel (x, y), counted from the lower left;
    /// false where the picture shows nothing (outside the disc or the band).
    bool WindowToDirection(double x, double y, double dir[3]) const;
    /// Window pixel of world point `p` (win[2] is 0); false only when `p` is at the eye or
    /// the numbers are not finite. A point outside the disc or band gets the position the
    /// formulas give, so a drag can carry an object out of the picture and back.
    bool ProjectPoint(const double p[3], double win[3]) const;

    /// The camera sub-view `index` (0..3) of a view of `mode` draws with: `camera` turned
    /// by the sub-view's yaw and pitch (fisheye: the two front halves, top and bottom;
    /// panorama: four quarters around the up axis). Mode 0 leaves the camera as it is.
    static GLCamera_cls SubViewCamera(const GLCamera_cls& camera, int mode, int index);
    /// Model-view and projection matrices (column-major) sub-view `index` is drawn with into
    /// an s x s buffer: `projection` at 90 degrees fitted to the square.
    static void SubViewMatrices(const GLCamera_cls& camera, const GLProjection_cls& projection, int mode,
                                int index, int s, double modelview[16], double proj[16]);
    /// The sub-view whose square shows world direction `dir` (the one where it lies nearest
    /// the middle), the pixel there in its s x s buffer and that sub-view's matrices; -1
    /// when no sub-view shows it.
    int SubViewOf(const double dir[3], const GLProjection_cls& projection, int s, double pixel[2],
                  double modelview[16], double proj[16]) const;

    int Mode() const { return mode_; }

private:
    int mode_;
    double angle_;
    int w_, h_;
    GLCamera_cls camera_;
};
