// Binding a view's window to the shared GL context under X11: a window is drawn into only
// once it is realised with the context's visual, and a failed bind or swap costs one paint
// instead of the X error ending the process.
#pragma once

class wxGLCanvas;
class wxGLContext;

namespace platform {

/// The X visual id `canvas` was made for (the one its GL attributes chose); 0 when it has
/// none. GUI thread.
unsigned long CanvasVisualId(const wxGLCanvas& canvas);

/// True when `canvas` has its X window and that window was created with the visual
/// `visualId` (the shared context's). A window realised with another visual cannot be
/// bound to the context: binding or swapping it raises BadMatch. GUI thread.
bool WindowReadyForContext(const wxGLCanvas& canvas, unsigned long visualId);

/// Makes `context` current on `canvas`. X errors raised by the bind are caught here (the
/// toolkit's handler would end the process); false when the bind failed, raised an error,
/// or left another window current. GUI thread.
bool MakeCurrentChecked(wxGLContext& context, wxGLCanvas& canvas);

/// Shows the back buffer of `canvas`, only while its window is the current GL drawable: a
/// swap of a window the context is not bound to goes to the X server, which refuses it.
/// X errors are caught as in MakeCurrentChecked; false when nothing was shown. GUI thread.
bool SwapBuffersChecked(wxGLCanvas& canvas);

}  // namespace platform
