// What the POV-Ray controller asks of the program around it: the dialog's fields, the
// main frame's enabling, and the completion of a render. The program installs it.
#pragma once

/// All calls on the GUI thread, except RenderDone (the render thread).
class PovRayHost_cls {
public:
    virtual ~PovRayHost_cls() = default;
    /// Copies the dialog's path, pattern and number fields into the controller.
    virtual void ReadControls() = 0;
    /// Shows the run and render state on the dialog's buttons and pages.
    virtual void UpdateBusyState() = 0;
    /// Enables or disables the main frame while an animation export runs.
    virtual void EnableFrame(bool enable) = 0;
    /// A render has ended (render thread): queue the completion to the GUI thread.
    virtual void RenderDone() = 0;
};
