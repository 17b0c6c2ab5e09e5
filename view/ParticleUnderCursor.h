// Which drawn particle lies under a point of a view: the drawn frame's positions projected
// with the matrices the view drew them with, nearest to the point on the screen.
#pragma once

#include <cstdint>

/// The matrices and viewport of one scene draw, as GL reported them (column-major).
struct ViewMatrices {
    double modelview[16] = {};
    double projection[16] = {};
    int viewport[4] = {0, 0, 0, 0};  ///< x, y, width, height of the drawn target
    bool valid = false;
};

/// Maps a window point of a view of client size w x h (wx coordinates: pixels from the top
/// left, y down) to the drawn target's viewport coordinates (y up, pixel centres). A target
/// of the client's size is the window itself; any other is the square off-screen buffer,
/// shown over the view's wider side and centred. False for an empty view or target.
bool WindowToTarget(const ViewMatrices& m, int w, int h, int x, int y, double& tx, double& ty);

/// Index of the particle whose projection lies nearest to (tx, ty) (target coordinates),
/// within `maxDistance` pixels; -1 when none does. Only every `stride`-th particle (from 0)
/// is considered, only those in front of the eye and inside the depth range, and, when
/// `types` and `typeShown` are given, only those whose type (0..3, others as 3) is shown.
/// Of particles at about the same distance (within one pixel) the one nearer the eye wins.
/// `positions` holds x, y, z per particle. Any thread.
int64_t NearestProjectedParticle(const ViewMatrices& m, const float* positions, const uint8_t* types,
                                 int64_t count, int stride, const bool* typeShown, double tx, double ty,
                                 double maxDistance);
