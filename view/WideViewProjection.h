// Where a fisheye or panorama view shows each direction, and which direction each of its
// pixels shows: the four sub-view cameras such a view draws with, and the composition of
// their pictures into a disc (equidistant fisheye) or a band (cylindrical panorama) inside
// a square that spans the window's height, centred. Pure numbers: the GL composition uses
// the same formulas, so clicks and drags land where the picture shows things.
#pragma once

#include "common/GLCamera.h"

class DistortionMesh_cls;
class GLProjection_cls;

class WideViewProjection_cls {
public:
    /// `mode` 1 fisheye, 2 panorama (the view's geometry mode); `angle` the view angle in
    /// degrees (fisheye: the angle across the disc; panorama: half the band's width); `eye`
    /// the window rectangle (x, y from the lower left, width, height) the eye buffer with the
    /// composed picture is drawn into; `camera` the camera the sub-views are turned from (a
    /// copy is kept).
    WideViewProjection_cls(int mode, double angle, const double eye[4], const GLCamera_cls& camera);
    /// The usual composition of a w x h view: the eye square spans the height, centred.
    WideViewProjection_cls(int mode, double angle, int w, int h, const GLCamera_cls& camera);
    /// The fisheye disc is shown through `lens` (loaded, or null for none): the eye buffer
    /// holds the mesh drawn over the whole square, each corner taking the disc's picture at
    /// its texture coordinates.
    void SetLens(const DistortionMesh_cls* lens);

    /// The unit world direction shown at window pixel (x, y), counted from the lower left;
    /// false where the picture shows nothing (outside the disc or the band).
    bool WindowToDirection(double x, double y, double dir[3]) const;
    /// Window pixel of world point `p` (win[2] is 0); false when `p` is at the eye, the lens
    /// shows no place for it or the numbers are not finite. Without a lens a point outside
    /// the disc or band gets the position the formulas give, so a drag can carry an object
    /// out of the picture and back.
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
    /// Eye-square coordinates (0..1 across the square) to the disc's or band's own unit
    /// coordinates (centred, the square's side 1), through the lens when there is one.
    bool EyeToPicture(double ex, double ey, double& X, double& Y) const;
    bool PictureToEye(double X, double Y, double& ex, double& ey) const;

    int mode_;
    double angle_;
    double eye_[4];
    GLCamera_cls camera_;
    const DistortionMesh_cls* lens_ = nullptr;
};
