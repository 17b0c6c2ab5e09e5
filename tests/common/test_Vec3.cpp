#include "common/Vec3.h"

#include <gtest/gtest.h>

TEST(Vec3, CrossFollowsTheRightHandRule) {
    struct Case {
        Vec3d a, b, expect;
    } cases[] = {
        {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}},
        {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}},  // default camera: direction × up = right
        {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
        {{1, 2, 3}, {4, 5, 6}, {-3, 6, -3}},
        {{2, 2, 2}, {1, 1, 1}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        Vec3d d;
        c.a.Cross(c.b, d);
        EXPECT_DOUBLE_EQ(d.x, c.expect.x);
        EXPECT_DOUBLE_EQ(d.y, c.expect.y);
        EXPECT_DOUBLE_EQ(d.z, c.expect.z);
        Vec3f af(float(c.a.x), float(c.a.y), float(c.a.z));
        Vec3f bf(float(c.b.x), float(c.b.y), float(c.b.z));
        Vec3f f;
        af.Cross(bf, f);
        EXPECT_FLOAT_EQ(f.x, float(c.expect.x));
        EXPECT_FLOAT_EQ(f.y, float(c.expect.y));
        EXPECT_FLOAT_EQ(f.z, float(c.expect.z));
    }
}

TEST(Vec3, CrossIntoAnOperandUsesTheOldValues) {
    Vec3d a(1, 2, 3), b(4, 5, 6);
    a.Cross(b, a);
    EXPECT_DOUBLE_EQ(a.x, -3);
    EXPECT_DOUBLE_EQ(a.y, 6);
    EXPECT_DOUBLE_EQ(a.z, -3);
    Vec3f af(1, 2, 3), bf(4, 5, 6);
    af.Cross(bf, bf);
    EXPECT_FLOAT_EQ(bf.x, -3);
    EXPECT_FLOAT_EQ(bf.y, 6);
    EXPECT_FLOAT_EQ(bf.z, -3);
}

TEST(Vec3, LengthDistanceDotAndSetLength) {
    Vec3d v(3, 0, 4);
    EXPECT_DOUBLE_EQ(v.Length(), 5);
    EXPECT_DOUBLE_EQ(v.Distance(Vec3d(0, 0, 0)), 5);
    EXPECT_DOUBLE_EQ(Vec3d(1, 2, 3).Distance(Vec3d(4, 6, 3)), 5);
    EXPECT_DOUBLE_EQ(Vec3d(1, 2, 3).Dot(Vec3d(4, -5, 6)), 12);
    EXPECT_DOUBLE_EQ(v.SetLength(2), 5);
    EXPECT_DOUBLE_EQ(v.x, 1.2);
    EXPECT_DOUBLE_EQ(v.y, 0);
    EXPECT_DOUBLE_EQ(v.z, 1.6);

    Vec3f f(0, -3, 4);
    EXPECT_FLOAT_EQ(f.Length(), 5);
    EXPECT_FLOAT_EQ(f.SetLength(10), 5);
    EXPECT_FLOAT_EQ(f.y, -6);
    EXPECT_FLOAT_EQ(f.z, 8);
    EXPECT_FLOAT_EQ(f.Length(), 10);
}

TEST(Vec3, SetLengthOfZeroVectorLeavesItFinite) {
    Vec3d d;
    EXPECT_EQ(d.SetLength(1), 0);
    EXPECT_EQ(d.x, 0);
    EXPECT_EQ(d.y, 0);
    EXPECT_EQ(d.z, 0);
    Vec3f f;
    EXPECT_EQ(f.SetLength(1), 0);
    EXPECT_EQ(f.x, 0);
    EXPECT_EQ(f.z, 0);
}

TEST(Vec3, RemoveComponentTellsParallelVectors) {
    struct Case {
        Vec3d unit, b, expect;
        bool left;
    } cases[] = {
        {{0, 0, 1}, {0, 0, 5}, {0, 0, 0}, false},
        {{0, 0, 1}, {1, 0, 5}, {1, 0, 0}, true},
        {{0, 0, 1}, {0, 0, -2}, {0, 0, 0}, false},
        {{1, 0, 0}, {3, 2e-12, 0}, {0, 2e-12, 0}, true},
        {{1, 0, 0}, {3, 5e-13, 0}, {0, 5e-13, 0}, false},
        {{0.6, 0.8, 0}, {3, 4, 7}, {0, 0, 7}, true},
    };
    for (const Case& c : cases) {
        Vec3d b = c.b;
        EXPECT_EQ(c.unit.RemoveComponent(b), c.left);
        EXPECT_NEAR(b.x, c.expect.x, 1e-13);
        EXPECT_NEAR(b.y, c.expect.y, 1e-13);
        EXPECT_NEAR(b.z, c.expect.z, 1e-13);
    }
    // the float version compares its float result in double
    Vec3f unit(0, 0, 1), bf(0, 0, 5);
    EXPECT_FALSE(unit.RemoveComponent(bf));
    Vec3f side(1, 0, 5);
    EXPECT_TRUE(unit.RemoveComponent(side));
    EXPECT_FLOAT_EQ(side.x, 1);
    EXPECT_FLOAT_EQ(side.z, 0);
    Vec3f tiny(1e-11f, 0, 1);
    EXPECT_TRUE(unit.RemoveComponent(tiny));
}
