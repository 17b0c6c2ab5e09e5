// The particle under a point of a view.
#include "view/ParticleUnderCursor.h"

#include <algorithm>

bool WindowToTarget(const ViewMatrices& m, int w, int h, int x, int y, double& tx, double& ty) {
    const int vw = m.viewport[2], vh = m.viewport[3];
    if (w <= 0 || h <= 0 || vw <= 0 || vh <= 0) return false;
    const double gx = x + 0.5, gy = h - y - 0.5;  // GL window coordinates, y up
    if (vw == w && vh == h) {
        tx = gx + m.viewport[0];
        ty = gy + m.viewport[1];
        return true;
    }
    // The square buffer is drawn as a q x q quad, q the wider side, centred in the view.
    const double q = std::max(w, h);
    tx = (gx - (w - q) / 2) * vw / q + m.viewport[0];
    ty = (gy - (h - q) / 2) * vh / q + m.viewport[1];
    return true;
}

int64_t NearestProjectedParticle(const ViewMatrices& m, const float* positions, const uint8_t* types,
                                 int64_t count, int stride, const bool* typeShown, double tx, double ty,
                                 double maxDistance) {
    if (!m.valid || !positions || count <= 0 || m.viewport[2] <= 0 || m.viewport[3] <= 0) return -1;
    if (stride < 1) stride = 1;
    // Rows of projection x modelview that give clip x, y, z and w.
    double c[16];
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row) {
            double s = 0;
            for (int k = 0; k < 4; ++k) s += m.projection[k * 4 + row] * m.modelview[col * 4 + k];
            c[col * 4 + row] = s;
        }
    const double halfW = m.viewport[2] * 0.5, halfH = m.viewport[3] * 0.5;
    const double limit = maxDistance * maxDistance;
    int64_t best = -1;
    double bestD = 0, bestZ = 0;
    for (int64_t i = 0; i < count; i += stride) {
        if (types && typeShown && !typeShown[std::min<int>(types[i], 3)]) continue;
        const double x = positions[3 * i], y = positions[3 * i + 1], z = positions[3 * i + 2];
        const double cw = c[3] * x + c[7] * y + c[11] * z + c[15];
        if (!(cw > 0)) continue;  // behind the eye (or not a number)
        const double nz = (c[2] * x + c[6] * y + c[10] * z + c[14]) / cw;
        if (nz < -1 || nz > 1) continue;
        const double wx = m.viewport[0] + (1 + (c[0] * x + c[4] * y + c[8] * z + c[12]) / cw) * halfW;
        const double wy = m.viewport[1] + (1 + (c[1] * x + c[5] * y + c[9] * z + c[13]) / cw) * halfH;
        const double d = (wx - tx) * (wx - tx) + (wy - ty) * (wy - ty);
        if (!(d <= limit)) continue;
        // About the same spot on the screen: the one in front is the one the user sees.
        const bool better = best < 0 || d < bestD - 1.0 || (d <= bestD + 1.0 && nz < bestZ);
        if (better) {
            best = i;
            bestD = d;
            bestZ = nz;
        }
    }
    return best;
}
