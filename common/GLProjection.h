// Projection of a view: perspective angle or orthographic extent, depth range, viewport size.
// The numbers are computed here; Apply and ApplyViewport (GL) are in view/gui/GLCameraGL.cpp.
#pragma once

class GLCamera_cls;

class GLProjection_cls {
public:
    /// Perspective, width-fit off, viewport and fit size both (width, height).
    GLProjection_cls(int width, int height, double angle, double nearPlane, double farPlane);

    void SetViewportSize(int width, int height);
    void SetFitSize(int width, int height);

    /// Vertical view angle in degrees that Apply uses: the view angle, or, with `fit` 1 and a
    /// fit aspect q = fitWidth / fitHeight above 1, 2 atan(tan(angle/2) q) (pi as 3.14159).
    double EffectiveAngle(int fit) const;
    /// Orthographic box for a camera: half extent e = 0.5 x the camera's pivot distance and
    /// d = width / height; width-fit gives (-e, e, -e/d, e/d), else (-e d, e d, -e, e).
    void OrthoBox(const GLCamera_cls& camera, double& left, double& right, double& bottom,
                  double& top) const;
    /// Column-major projection matrix as Apply loads it (gluPerspective / glOrtho with the
    /// depth range -kOrthoDepth..kOrthoDepth in orthographic mode).
    void Matrix(const GLCamera_cls& camera, int fit, double out[16]) const;

    /// glViewport(0,0,w,h); projection matrix mode; identity. GL context required.
    void ApplyViewport() const;
    /// Multiplies the projection matrix by Matrix(camera, fit). GL context required.
    void Apply(const GLCamera_cls& camera, int fit) const;

    /// Orthographic depth range: what lies this far behind the camera up to this far in
    /// front of it is drawn, in scene units.
    static constexpr double kOrthoDepth = 1000.0;

    unsigned char perspective = 1;  ///< 1 perspective, 0 orthographic
    unsigned char widthFit = 0;     ///< orthographic only: fit the width instead of the height
    double angle;                   ///< vertical view angle, degrees
    double nearPlane;
    double farPlane;
    int width, height;        ///< viewport, pixels
    int fitWidth, fitHeight;  ///< size the perspective angle is fitted to
};
