// The particle under the mouse in a view: each view's scene draw records its matrices, and
// a window point of the view is looked up among the particles of the drawn frame. (The
// Info page does not follow the pointer: it keeps the index the user typed.)
#pragma once

#include <cstdint>

#include "view/ParticleUnderCursor.h"

class MainGLCanvas_cls;

/// Records the current GL model-view and projection matrices and viewport as those `view`
/// drew its scene with. Only planar views' first sub-view are recorded (a fisheye or
/// panorama picture is not one projection); others forget what they had. GUI thread, the
/// view's context current.
void RecordDrawnMatrices(const MainGLCanvas_cls& view, int subView);
/// What `view` last drew with (invalid when nothing was recorded).
ViewMatrices DrawnMatrices(const MainGLCanvas_cls& view);

/// Index of the drawn particle (of the drawn frame GpSnap) nearest to the window point
/// (x, y) of `view` (pixels from the top left), within 8 pixels; -1 when there is none.
/// `typeShown` (4 flags, may be null) leaves hidden types out.
int64_t ParticleUnderCursor(const MainGLCanvas_cls& view, int x, int y, const bool* typeShown = nullptr);
