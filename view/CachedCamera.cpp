// Cached camera comparison.
#include "view/CachedCamera.h"

CachedCamera_cls::CachedCamera_cls() {
    const double zero[3] = {0, 0, 0}, dir[3] = {0, 0, -1}, up[3] = {0, 1, 0}, right[3] = {1, 0, 0};
    camera = GLCamera_cls(zero, zero, dir, up, right);
}

int CachedCamera_cls::Compare(const CachedCamera_cls& other) const {
    if (changed) return 999;
    if (other.changed) return 998;
    return GLCamera_cls::Equals(camera, other.camera) ? 0 : 1;
}
