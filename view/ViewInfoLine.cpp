// Text of a view's info lines.
#include "view/ViewInfoLine.h"

#include <cstdio>
#include <string>

namespace {

/// "%g" in the "C" form whatever the user's locale (a plain six-digit general format).
std::string General(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", v);
    // LC_NUMERIC stays "C" in this program; a comma from any other setting is undone here.
    for (char* p = buf; *p; ++p)
        if (*p == ',') *p = '.';
    return buf;
}

}  // namespace

std::string ViewInfoLine_cls::Line1() const {
    std::string s = "Time=" + General(frameTime) + ":PNum=" + std::to_string(particles) + "*" +
                    std::to_string(copies);
    if (copies != 1) s += "=" + std::to_string(particles * copies);
    s += ":MilliSec" + std::to_string(paintMs);
    s += ":Hitting" + std::to_string(hit0) + "+" + std::to_string(hit1);
    s += ":Object" + std::to_string(selected);
    s += "pointXY=" + General(pointX) + "," + General(pointY);
    return s;
}

std::string ViewInfoLine_cls::Line2() const {
    return "GMem0 = " + std::to_string(gmem0) + " GMem1 = " + std::to_string(gmem1) +
           " Count = " + std::to_string(count) + " UDBlock = " + std::to_string(blockDepth);
}
