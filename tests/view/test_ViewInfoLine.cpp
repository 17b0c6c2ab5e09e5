// The info lines' text: the copy product only with a Copy filter, -1 hits before any pick.
#include <gtest/gtest.h>

#include "view/ViewInfoLine.h"

TEST(ViewInfoLine, CountsHitsAndTheSecondLine) {
    ViewInfoLine_cls v;
    v.frameTime = 2.5;
    v.particles = 1000;
    v.paintMs = 12;
    v.pointX = 3, v.pointY = 4.5;
    EXPECT_EQ(v.Line1(), "Time=2.5:PNum=1000*1:MilliSec12:Hitting-1+-1:Object0pointXY=3,4.5");
    v.copies = 27;
    v.hit0 = 20, v.hit1 = 3;
    v.selected = 140737488355328LL;  // a pointer value past 32 bits
    EXPECT_EQ(v.Line1(),
              "Time=2.5:PNum=1000*27=27000:MilliSec12:Hitting20+3:Object140737488355328pointXY=3,4.5");
    v.particles = 100000000;  // the product is counted in 64 bits
    v.copies = 64;
    EXPECT_NE(v.Line1().find("=6400000000:"), std::string::npos);
    v.count = 7, v.blockDepth = 1;
    EXPECT_EQ(v.Line2(), "GMem0 = 10 GMem1 = 10 Count = 7 UDBlock = 1");
}
