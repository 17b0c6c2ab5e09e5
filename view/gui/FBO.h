// Off-screen frame buffers (EXT frame-buffer objects with a colour texture and a combined
// depth-stencil buffer), bound through one stack so that a nested buffer can be left and the
// outer one resumed, and the pool of the four square sub-view buffers a view draws into.
#pragma once

#include <vector>

class GLCamera_cls;
class GLProjection_cls;

/// Cleared once when the frame-buffer entry points are missing or a test buffer is
/// incomplete; while it is clear every view shows the capability notice.
extern bool GbFBOSupported;

/// Fetches the EXT frame-buffer functions and checks a small test buffer (context current).
/// Clears GbFBOSupported on failure. Runs its check once per process; returns the flag.
bool FetchFBOEntryPoints();

class FBO_cls {
public:
    /// Stores the size; storage is made at the first Allocate. 16 bits per channel.
    FBO_cls(int width, int height);
    ~FBO_cls();
    FBO_cls(const FBO_cls&) = delete;
    FBO_cls& operator=(const FBO_cls&) = delete;

    /// Deletes the texture and the buffers when they exist.
    void Release();
    /// The requested size; storage follows at the next Allocate.
    void SetSize(int width, int height);
    /// Makes (or remakes, after a size change) the storage; nothing without FBO support.
    void Allocate(bool withAlpha);
    /// Pushes all attributes and this buffer on the bind stack, binds it, sets the viewport
    /// to the buffer and clears (colour and depth too when `clearAll`).
    void Bind(bool clearAll);
    /// Leaves the buffer: the one below it on the stack is resumed with its own clear flag
    /// and viewport, or the window when none is left; the attributes of Bind are popped, so
    /// the attribute stack depth and the outer viewport are as they were before Bind.
    void Unbind();
    /// Bind with a full clear, then Unbind.
    void BindAndRelease();
    void BindTexture() const;
    /// Width relative to 2048: 0.125, 0.25, 0.5, 1 or 2.
    float ScaleForSize() const;

    unsigned texture = 0;
    bool clearAll = true;
    bool created = false;
    int width, height;
    int allocWidth = 0, allocHeight = 0;
    int bits = 16;  ///< 16 (half float) or 8 bits per channel
    unsigned depthStencil = 0;
    unsigned frameBuffer = 0;
    bool withAlpha = true;
};

/// The bind stack depth (for checks and tests).
int FBOBindDepth();

class FBOPool_cls {
public:
    FBOPool_cls() = default;
    ~FBOPool_cls() { Release(); }
    void Release();
    /// Stores the view and buffer size; each slot gets buffer x buffer.
    void Resize(int viewWidth, int viewHeight, int bufferSize);
    /// Allocates and binds slot `index` with a full clear and applies the projection and
    /// the camera for sub-view `index` of `type` (0 normal, 1 fisheye, 2 panorama).
    void BeginSubView(int index, GLCamera_cls camera, GLProjection_cls projection, int type);
    void EndSubView(int index);
    /// Composes the four sub-views into an equidistant fisheye disc in a width x height
    /// target (the bound buffer or the window). `eyeMask` (red, green, blue, alpha; null:
    /// all) limits the channels the sub-views are written to: a stereo eye's colours.
    void ComposeFisheye(double angle, int blendMode, int width, int height, const bool* eyeMask = nullptr);
    /// Composes the four sub-views into a cylindrical band; `eyeMask` as in ComposeFisheye.
    void ComposePanorama(double angle, int blendMode, int width, int height, const bool* eyeMask = nullptr);
    FBO_cls* Slot(int i) const { return (i >= 0 && i < 4) ? m_fbo[i] : nullptr; }
    int BufferSize() const { return m_buffer; }

private:
    void BuildFisheyeLists(double angle);
    void ComposeSetup(int width, int height, bool blendInto);
    int m_buffer = 2048;
    int m_viewWidth = 0, m_viewHeight = 0;
    int m_current = 0;
    FBO_cls* m_fbo[4] = {nullptr, nullptr, nullptr, nullptr};
    int m_listAngle = -1;
    unsigned m_lists[4] = {0, 0, 0, 0};
};

/// The views' sub-view buffers (null outside the GL resources' lifetime).
extern FBOPool_cls* GpFBOPool;
