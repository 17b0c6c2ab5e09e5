// The POV-Ray controller's view of the program: the dialog's fields and busy state (while a
// dialog is there), the main frame's enabling, and the completion event of a render.
#pragma once

#include <functional>

#include "scene/PovRayHost.h"

class FrameMain_cls;

class AppPovHost_cls : public PovRayHost_cls {
public:
    /// `frame` hears of the end of a render; it must outlive every render (the central
    /// object stops the renderer before the frame goes).
    explicit AppPovHost_cls(FrameMain_cls* frame) : m_frame(frame) {}

    void ReadControls() override;
    void UpdateBusyState() override;
    void EnableFrame(bool enable) override;
    /// Render thread: queues the central object's OnPovRenderDone on the frame.
    void RenderDone() override;

    /// The dialog's side, installed when the dialog is built (GUI thread).
    std::function<void()> readControls;
    std::function<void()> updateBusyState;

private:
    FrameMain_cls* m_frame;
};
