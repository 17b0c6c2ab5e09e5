#include "app/PickId.h"

#include <gtest/gtest.h>

TEST(PickId, DecodesEveryRange) {
    struct Case {
        int id, kind, list, index;
    };
    const Case cases[] = {
        {0, PICK_CAMERA_PATH, -1, -1}, {1, PICK_ANCHOR, -1, -1}, {2, PICK_NONE, -1, -1},
        {9, PICK_NONE, -1, -1},        {10, PICK_LIGHT, -1, 0},  {16, PICK_LIGHT, -1, 6},
        {17, PICK_NONE, -1, -1},       {19, PICK_NONE, -1, -1},  {20, PICK_FILTER, 0, 0},
        {39, PICK_FILTER, 0, 19},      {40, PICK_FILTER, 1, 0},  {59, PICK_FILTER, 1, 19},
        {60, PICK_FILTER, 2, 0},       {79, PICK_FILTER, 2, 19}, {80, PICK_NONE, -1, -1},
        {-1, PICK_NONE, -1, -1},       {-20, PICK_NONE, -1, -1},
    };
    for (const Case& c : cases) {
        const PickTarget t = DecodePickId(c.id);
        EXPECT_EQ(t.kind, c.kind) << "id " << c.id;
        EXPECT_EQ(t.list, c.list) << "id " << c.id;
        EXPECT_EQ(t.index, c.index) << "id " << c.id;
    }
}

TEST(PickId, FilterIdsRoundTrip) {
    for (int list = 0; list < 3; ++list)
        for (int index = 0; index < 20; ++index) {
            const PickTarget t = DecodePickId(FilterPickId(list, index));
            EXPECT_EQ(t.kind, PICK_FILTER);
            EXPECT_EQ(t.list, list);
            EXPECT_EQ(t.index, index);
        }
}
