// POV-Ray controller host.
#include "app/gui/AppPovHost.h"

#include "app/gui/AppCore.h"
#include "app/gui/FrameMain.h"

void AppPovHost_cls::ReadControls() {
    if (readControls) readControls();
}

void AppPovHost_cls::UpdateBusyState() {
    if (updateBusyState) updateBusyState();
}

void AppPovHost_cls::EnableFrame(bool enable) {
    if (m_frame) m_frame->Enable(enable);
}

void AppPovHost_cls::RenderDone() {
    // The toolkit's pending-event queue (behind CallAfter) is the one thread-safe way into
    // the GUI thread.
    if (m_frame) m_frame->CallAfter([]() {
            if (GpAppCore) GpAppCore->OnPovRenderDone();
        });
}
