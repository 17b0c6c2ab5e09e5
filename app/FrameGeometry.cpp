// Main frame geometry.
#include "app/FrameGeometry.h"

FrameRect MainFrameGeometry(int displayHeight, const FrameRect& client) {
    FrameRect r{10, 10, 1200, displayHeight > 1050 ? 1000 : 900};
    if (client.x + client.width < 1210) {
        r.x = client.x;
        r.width = client.width;
    }
    if (r.height + 10 > client.y + client.height) {
        r.y = client.y;
        r.height = client.height;
    }
    return r;
}
