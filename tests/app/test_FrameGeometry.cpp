#include "app/FrameGeometry.h"

#include <gtest/gtest.h>

TEST(FrameGeometry, SizeFollowsDisplayAndUsableArea) {
    struct Case {
        int displayHeight;
        FrameRect client;
        FrameRect expected;
    };
    const Case cases[] = {
        {1050, {0, 0, 1920, 1050}, {10, 10, 1200, 900}},
        {1051, {0, 0, 1920, 1051}, {10, 10, 1200, 1000}},
        {1200, {0, 0, 1920, 1160}, {10, 10, 1200, 1000}},
        // usable area ends left of x = 1210: the frame takes its left and width
        {1024, {0, 0, 1209, 1024}, {0, 10, 1209, 900}},
        {1024, {5, 0, 1204, 1024}, {5, 10, 1204, 900}},
        {1024, {0, 0, 1210, 1024}, {10, 10, 1200, 900}},
        // frame height + 10 beyond the usable bottom: it takes the area's top and height
        {1024, {0, 0, 1280, 909}, {10, 0, 1200, 909}},
        {1024, {0, 30, 1280, 879}, {10, 30, 1200, 879}},
        {1024, {0, 30, 1280, 880}, {10, 10, 1200, 900}},
        {1024, {0, 0, 1280, 910}, {10, 10, 1200, 900}},
    };
    for (const Case& c : cases) {
        const FrameRect r = MainFrameGeometry(c.displayHeight, c.client);
        EXPECT_EQ(r.x, c.expected.x) << c.displayHeight << " " << c.client.width;
        EXPECT_EQ(r.y, c.expected.y) << c.displayHeight << " " << c.client.height;
        EXPECT_EQ(r.width, c.expected.width) << c.displayHeight << " " << c.client.width;
        EXPECT_EQ(r.height, c.expected.height) << c.displayHeight << " " << c.client.height;
    }
}
