// X11 and GLX calls of the views' window binding.
#include "platform/gui/GLDrawable.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <wx/glcanvas.h>
#include <wx/utils.h>

#include "platform/Trace.h"

namespace platform {
namespace {

// Errors of the requests made while a trap is set; the toolkit's own handler (which ends
// the process on any error it did not expect) is put back afterwards.
int g_trappedError = 0;

int RecordError(Display*, XErrorEvent* e) {
    if (g_trappedError == 0) g_trappedError = e->error_code;
    return 0;
}

class XErrorTrap {
public:
    explicit XErrorTrap(Display* d) : m_display(d) {
        // Requests sent before the trap are answered first, under the toolkit's handler
        // (its own traps see their errors); the trap's requests are synced in Finish, so
        // no error of theirs arrives later.
        XSync(m_display, False);
        g_trappedError = 0;
        m_old = XSetErrorHandler(RecordError);
    }
    ~XErrorTrap() { XSetErrorHandler(m_old); }
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;
    /// Waits for the server's answer to everything sent so far; the first error code or 0.
    int Finish() {
        XSync(m_display, False);
        return g_trappedError;
    }

private:
    Display* m_display;
    int (*m_old)(Display*, XErrorEvent*) = nullptr;
};

Display* CanvasDisplay() { return static_cast<Display*>(wxGetX11Display()); }

void ReportTrapped(const char* what, int code) {
    // A view that cannot be drawn now is drawn by a later paint; the line is for tracing.
    Trace(std::string(what) + ": X error " + std::to_string(code) + ", the paint is skipped");
}

}  // namespace

unsigned long CanvasVisualId(const wxGLCanvas& canvas) {
    const auto* vi = static_cast<const XVisualInfo*>(canvas.GetXVisualInfo());
    return vi ? vi->visualid : 0;
}

bool WindowReadyForContext(const wxGLCanvas& canvas, unsigned long visualId) {
    Display* d = CanvasDisplay();
    const Window w = canvas.GetXWindow();
    if (!d || !w || !visualId) return false;
    XWindowAttributes a{};
    {
        XErrorTrap trap(d);
        const Status ok = XGetWindowAttributes(d, w, &a);
        if (trap.Finish() != 0 || !ok) return false;
    }
    return a.visual && XVisualIDFromVisual(a.visual) == visualId && a.map_state == IsViewable;
}

bool MakeCurrentChecked(wxGLContext& context, wxGLCanvas& canvas) {
    Display* d = CanvasDisplay();
    const Window w = canvas.GetXWindow();
    if (!d || !w) return false;
    XErrorTrap trap(d);
    const bool bound = context.SetCurrent(canvas);
    const int error = trap.Finish();
    if (error != 0) {
        ReportTrapped("binding a view", error);
        return false;
    }
    return bound && glXGetCurrentDrawable() == w;
}

bool SwapBuffersChecked(wxGLCanvas& canvas) {
    Display* d = CanvasDisplay();
    const Window w = canvas.GetXWindow();
    if (!d || !w || glXGetCurrentDrawable() != w) return false;
    XErrorTrap trap(d);
    const bool shown = canvas.SwapBuffers();
    const int error = trap.Finish();
    if (error != 0) {
        ReportTrapped("showing a view", error);
        return false;
    }
    return shown;
}

}  // namespace platform
