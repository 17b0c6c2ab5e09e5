// CopyBox filter: copy counts (also for reversed ranges), cells, neighbour masks, shear
// shifts, back-to-front order and POV-Ray translate text.
#include <gtest/gtest.h>

#include <climits>

#include "common/CommandHistory.h"
#include "filters/FilterCopy.h"

namespace {

const float kBox[3][3] = {{10, 0, 0}, {0, 10, 0}, {0, 0, 10}};

void SetRange(FilterCopy_cls& f, int axis, int lo, int hi) {
    f.Data()->arrayMin[axis].value = lo;
    f.Data()->arrayMax[axis].value = hi;
}

TEST(FilterCopy, CountsFromNonNegativeSizes) {
    FilterCopy_cls f(nullptr);
    EXPECT_EQ(f.GetCopyCount(), 1);  // defaults: the cell (0, 0, 0)
    struct Case {
        int lo[3], hi[3];
        int count;
    };
    const Case cases[] = {
        {{-1, 0, 0}, {2, 1, 1}, 3},
        {{0, 0, 0}, {2, 3, 4}, 24},
        {{0, 0, 0}, {0, 1, 1}, 0},        // empty along x: no copy
        {{2, 0, 0}, {0, 1, 1}, 0},        // reversed range counts as empty
        {{2, 3, 0}, {0, 0, 1}, 0},        // two reversed ranges never multiply to a count
        {{INT_MIN, 0, 0}, {INT_MAX, INT_MAX, 2}, INT_MAX},  // capped, no overflow
    };
    for (const Case& c : cases) {
        for (int a = 0; a < 3; ++a) SetRange(f, a, c.lo[a], c.hi[a]);
        EXPECT_EQ(f.GetCopyCount(), c.count) << c.lo[0] << ".." << c.hi[0];
    }
    f.Data()->filterValid.value = false;
    EXPECT_EQ(f.GetCopyCount(), 1);
    EXPECT_EQ(f.GetNeighbourMask(0), 0);
    EXPECT_TRUE(f.GetCopyOffset(0, 0, kBox).empty());
    EXPECT_EQ(f.PovTranslate(0, 0, kBox), "");
}

TEST(FilterCopy, CellsAndNeighbourMasks) {
    FilterCopy_cls f(nullptr);
    SetRange(f, 0, -1, 2);
    ASSERT_EQ(f.GetCopyCount(), 3);
    const int cells[3] = {-1, 0, 1}, masks[3] = {1, 1, 0};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(f.Cell(k)[0], cells[k]);
        EXPECT_EQ(f.GetNeighbourMask(k), masks[k]);
    }
    SetRange(f, 0, 0, 2);
    SetRange(f, 1, 0, 2);
    SetRange(f, 2, 5, 7);
    EXPECT_EQ(f.Cell(7), (std::array<int, 3>{1, 1, 6}));
    EXPECT_EQ(f.Cell(2), (std::array<int, 3>{0, 1, 5}));
    EXPECT_EQ(f.GetNeighbourMask(0), 7);
    EXPECT_EQ(f.GetNeighbourMask(7), 0);
    EXPECT_EQ(f.GetNeighbourMask(5), 2);  // cell (1, 0, 6): y follows
}

TEST(FilterCopy, ShearShiftAndOrder) {
    FilterCopy_cls f(nullptr);
    SetRange(f, 0, 0, 3);
    f.Data()->shear[0].values[1] = 0.5f;
    f.Data()->shearPhase.value = 2;
    const std::vector<float> s = f.GetCopyOffset(1, 4.0, kBox);  // cell (1, 0, 0) at time 4
    ASSERT_EQ(s.size(), 3u);
    EXPECT_FLOAT_EQ(s[0], 10);
    EXPECT_FLOAT_EQ(s[1], 10);
    EXPECT_FLOAT_EQ(s[2], 0);
    EXPECT_EQ(f.PovTranslate(1, 4.0, kBox), "translate <10.00000000,10.00000000,0.00000000>");
    const double along[3] = {1, 0, 0};
    const std::vector<CopyOrderEntry_cls> order = f.SortCopies(along, 2.0, kBox);
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0].copy, 2);  // largest x shift first
    EXPECT_EQ(order[2].copy, 0);
}

}  // namespace
