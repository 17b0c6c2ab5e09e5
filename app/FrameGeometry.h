// Where the main frame opens: (10, 10), 1200 x 900 (1000 high on displays taller than
// 1050 pixels), pulled into the display's usable area when it does not fit.
#pragma once

struct FrameRect {
    int x = 0, y = 0, width = 0, height = 0;
};

/// The frame's position and size for a display `displayHeight` pixels high whose usable
/// area (without task bars) is `client`: when the usable area's right edge is left of
/// 1210 the frame takes its left and width; when the frame's height + 10 passes the
/// usable area's bottom edge it takes its top and height.
FrameRect MainFrameGeometry(int displayHeight, const FrameRect& client);
