// A camera remembered from the last draw of a view, with a flag that forces the next
// comparison to report a change.
#pragma once

#include "common/GLCamera.h"

/// Plain value; each view holds a pair, refreshed from its drawn camera on every draw.
class CachedCamera_cls {
public:
    /// Flag 0; position and second vector (0,0,0), direction (0,0,-1), up (0,1,0), right (1,0,0).
    CachedCamera_cls();
    /// Sets the changed flag: the next Compare reports a change.
    void Invalidate() { changed = 1; }
    /// 999 when this one's flag is set, else 998 when `other`'s is, else 1 when the two
    /// cameras differ (GLCamera_cls::Equals) and 0 when they are equal.
    int Compare(const CachedCamera_cls& other) const;

    unsigned char changed = 0;
    GLCamera_cls camera;
};
