// The orientation indicator in a view's lower left corner: three coloured arrows turned
// like the view camera, rendered into a 256 x 256 off-screen buffer and shown at 64 x 64.
#pragma once

#include <memory>

#include "common/GLCamera.h"

class GLTexture_cls;
class wxWindow;

/// One per view. GUI thread with the shared context current.
class AxisIndicator_cls {
public:
    explicit AxisIndicator_cls(wxWindow* owner);
    ~AxisIndicator_cls();
    AxisIndicator_cls(const AxisIndicator_cls&) = delete;
    AxisIndicator_cls& operator=(const AxisIndicator_cls&) = delete;

    /// Renders the arrows for the view camera's orientation into the buffer (made on first
    /// use). The framebuffer binding, viewport, matrices and attributes are restored.
    /// Without framebuffer objects the camera is only kept, and Draw draws the arrows
    /// straight into the view.
    void Render(const GLCamera_cls& viewCamera);
    /// Shows the indicator as a 64 x 64 square with its lower left corner at (32, 0) of a
    /// viewWidth x viewHeight view (the 2-D pass). Attributes are restored.
    void Draw(int viewWidth, int viewHeight);

    /// Frees the buffer (context current).
    void ReleaseBuffer();

    wxWindow* owner;  ///< the view, borrowed

private:
    bool EnsureBuffer();
    void DrawArrows(int size) const;

    std::unique_ptr<GLTexture_cls> colour_;
    unsigned int framebuffer_ = 0;
    unsigned int depthBuffer_ = 0;
    bool bufferTried_ = false;
    bool rendered_ = false;
    GLCamera_cls camera_;
};
