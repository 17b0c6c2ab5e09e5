// The particle under the mouse in a view, for the Info page: each view's scene draw
// records its matrices, and a mouse move over a view looks the nearest drawn particle up
// in the drawn frame and shows it on the Info page.
#pragma once

#include <cstdint>
#include <functional>

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

/// Makes mouse moves over any view show the particle under the pointer on the Info page
/// (while the page is on screen): its index becomes "InformationIndex=" (directly, not
/// as an undoable edit) and the page shows its values. `typesShown` fills the four flags
/// of the particle types that are drawn (may be empty: all). Installs one application
/// event filter, which sees the moves before the views' own handlers; a second call only
/// replaces `typesShown`. GUI thread.
void InstallInfoHover(std::function<void(bool shown[4])> typesShown);
/// Removes the filter.
void UninstallInfoHover();
/// What a move to (x, y) over `view` does (the filter calls it; tests too). True when a
/// particle was found and shown.
bool HoverInfo(const MainGLCanvas_cls& view, int x, int y);
