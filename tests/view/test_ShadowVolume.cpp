// Shadow settings and the eye-inside test of the shadow volumes.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "view/ParticleRecord.h"
#include "view/ShadowVolume.h"

namespace {

std::vector<ParticleRecord_cls> Order(int n) {
    std::vector<ParticleRecord_cls> order(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) order[size_t(i)].index = n - 1 - i;  // reversed: flags follow the records
    return order;
}

}  // namespace

TEST(ShadowSettings, NewConfigurationWritesDefaultsAndReadsBackClamped) {
    RegisterShadowSettings();
    RegisterShadowSettings();  // a second registration must not list the items twice
    EXPECT_EQ(WriteShadowSettings(), "ShadowQuality=1\r\nShadowLength=20.000000\r\n");
    EXPECT_TRUE(ReadShadowSettings("ShadowQuality=2"));
    EXPECT_EQ(GoShadowConfig.quality.value, 2u);
    EXPECT_TRUE(ReadShadowSettings("ShadowQuality=7"));  // past the choice list
    EXPECT_EQ(GoShadowConfig.quality.value, 2u);
    EXPECT_TRUE(ReadShadowSettings("ShadowLength=35.5"));
    EXPECT_FLOAT_EQ(GoShadowConfig.length.value, 35.5f);
    EXPECT_FALSE(ReadShadowSettings("ShadowLengthX=3"));
    ReadShadowSettings("ShadowQuality=1");
    ReadShadowSettings("ShadowLength=20");
    EXPECT_EQ(ShadowSides(0), 8);
    EXPECT_EQ(ShadowSides(1), 16);
    EXPECT_EQ(ShadowSides(2), 24);
}

TEST(ShadowVolume, EyeOnTheLightAxisIsMarkedAndTwentyRadiiOffIsNot) {
    // Particles at x = 0, 1, 2.6 along the x axis; light straight down -z; size 0.125, so
    // the limit is 20 drawn radii = 2.5 units off the vertical line through a particle.
    const float positions[] = {0, 0, 0, 1, 0, 0, 2.6f, 0, 0};
    auto order = Order(3);
    const double eye[3] = {0, 0, 10}, light[3] = {0, 0, -3};
    ShadowVolume_cls sv;
    sv.ComputeEyeInsideUniform(order.data(), 3, positions, 0.125f, eye, light);
    ASSERT_EQ(sv.flags.size(), 3u);
    // Record 0 is particle 2 (2.6 off: outside), record 1 particle 1 (inside), record 2
    // particle 0 (on the axis).
    EXPECT_EQ(sv.flags[0], 0);
    EXPECT_EQ(sv.flags[1], 1);
    EXPECT_EQ(sv.flags[2], 1);

    // Exactly 20 radii off is not inside.
    const float edge[] = {2.5f, 0, 0};
    ParticleRecord_cls one;
    one.index = 0;
    sv.ComputeEyeInsideUniform(&one, 1, edge, 0.125f, eye, light);
    EXPECT_EQ(sv.flags[0], 0);

    // A zero light direction or a zero size marks nothing instead of dividing by zero.
    const double none[3] = {0, 0, 0};
    sv.ComputeEyeInsideUniform(order.data(), 3, positions, 0.125f, eye, none);
    EXPECT_EQ(sv.flags[2], 0);
    sv.ComputeEyeInsideUniform(order.data(), 3, positions, 0.0f, eye, light);
    EXPECT_EQ(sv.flags[2], 0);
}

TEST(ShadowVolume, FlagsGrowWithTheDrawOrder) {
    const double eye[3] = {0, 0, 10}, light[3] = {0, 0, -1};
    ShadowVolume_cls sv;
    std::vector<float> positions(3 * 1000, 0.0f);
    auto small = Order(10);
    sv.ComputeEyeInsideUniform(small.data(), 10, positions.data(), 1.0f, eye, light);
    EXPECT_EQ(sv.flags.size(), 10u);
    // The flags of the last pass were not released (the per-particle path keeps them); a
    // longer draw order must still get one flag per record.
    auto big = Order(1000);
    sv.ComputeEyeInsideUniform(big.data(), 1000, positions.data(), 1.0f, eye, light);
    ASSERT_GE(sv.flags.size(), 1000u);
    EXPECT_EQ(sv.flags[999], 1);
    sv.ReleaseFlags();
    EXPECT_TRUE(sv.flags.empty());
}

TEST(ShadowVolume, ClassifiedTestOnlyFlagsSphereTypesWithTheirDrawnRadius) {
    // Four particles 1.5 units off the eye's vertical line, one of each type.
    const float positions[] = {1.5f, 0, 0, 1.5f, 0, 0, 1.5f, 0, 0, 1.5f, 0, 0};
    const float radii[] = {1, 1, 0.5f, 0.1f};
    const unsigned char types[] = {0, 1, 2, 200};  // 200 counts as type 3
    const unsigned drawType[4] = {2, 1, 2, 2};     // type 1 drawn as billboards
    const unsigned radiusType[4] = {0, 0, 0, 1};
    const float typeSize[4] = {0.1f, 0.1f, 0.1f, 0.1f};
    auto order = Order(4);
    const double eye[3] = {0, 0, 5}, light[3] = {0, 0, -1};
    ShadowVolume_cls sv;
    sv.ComputeEyeInsideClassified(order.data(), 4, drawType, radiusType, typeSize, types, positions, radii, eye,
                                  light);
    // record i holds particle 3 - i
    EXPECT_EQ(sv.flags[3], 1);  // type 0: r = 0.1, limit 2 units
    EXPECT_EQ(sv.flags[2], 0);  // type 1: billboards cast no volume
    EXPECT_EQ(sv.flags[1], 0);  // type 2: r = 0.05, limit 1 unit
    EXPECT_EQ(sv.flags[0], 1);  // type 3 (clamped), constant radius: r = 0.1, not 0.1 x 0.1
}

TEST(ShadowVolume, AnglesAndDirectionsAreInverses) {
    const double dirs[][3] = {{0, 0, -1}, {1, 0, 0}, {0.3, -0.4, -0.5}, {-1, -1, 1}, {0, 0, 1 + 1e-15}};
    for (const auto& d : dirs) {
        double a1, a2, out[3];
        ShadowVolume_cls::AnglesForDirection(d, a1, a2);
        ASSERT_TRUE(std::isfinite(a1) && std::isfinite(a2));
        ShadowVolume_cls::DirectionForAngles(a1, a2, out);
        const double n = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(out[k], d[k] / n, 1e-9) << k;
    }
    const double zero[3] = {0, 0, 0};
    double a1, a2, out[3];
    ShadowVolume_cls::AnglesForDirection(zero, a1, a2);
    ShadowVolume_cls::DirectionForAngles(a1, a2, out);
    EXPECT_NEAR(out[2], -1.0, 1e-9);
}
