// Boolean filter: region factors (box, plane, ellipsoid, soft border), the three
// operators against hand-computed weights, worker counts, and results that do not depend
// on the number of workers.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "common/CommandHistory.h"
#include "filters/FilterBoolean.h"
#include "timeline/Parameter.h"
#include "tests/support/ParamHistoryFixture.h"

namespace {

BooleanRegion_cls UnitRegion(int region, float border) {
    BooleanRegion_cls r;
    r.region = region;
    r.border = border;
    r.centre[0] = 1, r.centre[1] = 2, r.centre[2] = 3;
    r.size[0] = 2, r.size[1] = 2, r.size[2] = 2;  // half size 1 on every axis
    return r;
}

struct FactorCase {
    const char* what;
    int region;
    float border;
    float offset[3];  // from the centre
    float factor;
};

TEST(BooleanRegion, FactorTable) {
    const std::vector<FactorCase> cases = {
        {"box centre", BOOLEAN_BOX, 0, {0, 0, 0}, 1},
        {"box inside", BOOLEAN_BOX, 0, {0.9f, -0.9f, 0.5f}, 1},
        {"hard face is outside", BOOLEAN_BOX, 0, {1, 0, 0}, 0},
        {"hard negative face is outside", BOOLEAN_BOX, 0, {0, -1, 0}, 0},
        {"box outside", BOOLEAN_BOX, 0, {0, 0, 1.5f}, 0},
        {"plane equals box", BOOLEAN_PLANE, 0, {0.9f, 0, 0}, 1},
        {"plane face", BOOLEAN_PLANE, 0, {1, 0, 0}, 0},
        {"soft face has factor 1", BOOLEAN_BOX, 0.5f, {1, 0, 0}, 1},
        {"soft border middle", BOOLEAN_BOX, 0.5f, {1.25f, 0, 0}, 0.5f},
        {"soft border negative side", BOOLEAN_BOX, 0.5f, {-1.25f, 0, 0}, 0.5f},
        {"soft border two axes", BOOLEAN_BOX, 0.5f, {1.25f, -1.375f, 0}, 0.125f},
        {"beyond soft border", BOOLEAN_BOX, 0.5f, {1.6f, 0, 0}, 0},
        {"ellipsoid centre", BOOLEAN_SPHERE, 0, {0, 0, 0}, 1},
        {"ellipsoid inside", BOOLEAN_SPHERE, 0.5f, {0.5f, 0.5f, 0.5f}, 1},
        {"ellipsoid corner outside", BOOLEAN_SPHERE, 0, {0.8f, 0.8f, 0}, 0},
        {"ellipsoid surface outside", BOOLEAN_SPHERE, 0, {1, 0, 0}, 0},
        {"ellipsoid ignores border", BOOLEAN_SPHERE, 0.5f, {1.1f, 0, 0}, 0},
        {"negative border is a hard edge", BOOLEAN_BOX, -0.5f, {0.9f, 0, 0}, 1},
    };
    for (const FactorCase& c : cases) {
        const BooleanRegion_cls r = UnitRegion(c.region, c.border);
        const float p[3] = {r.centre[0] + c.offset[0], r.centre[1] + c.offset[1], r.centre[2] + c.offset[2]};
        EXPECT_NEAR(r.Factor(p), c.factor, 1e-6) << c.what;
    }
}

TEST(BooleanRegion, EmptyRegionForZeroOrNegativeSize) {
    for (float s : {0.0f, -2.0f}) {
        for (int region : {BOOLEAN_BOX, BOOLEAN_SPHERE}) {
            BooleanRegion_cls r = UnitRegion(region, 0.5f);
            r.size[1] = s;
            EXPECT_EQ(r.Factor(r.centre), 0.0f) << "size " << s << " region " << region;
        }
    }
}

// Operators over a small fixture: particle 0 inside, 1 in the soft border (factor 0.5),
// 2 outside; the earlier weights are 0.8, 0.6, 0.4.
TEST(BooleanRegion, OperatorsAgainstHandWeights) {
    const float pos[] = {1, 2, 3, 2.25f, 2, 3, 5, 5, 5};
    const int idx[] = {0, 1, 2, 7 /* no such particle */};
    const FilterParticles_cls parts = FilterParticles_cls::FromIndices(idx, 4, pos, 3);
    struct Case {
        int op;
        float expect[4];
    };
    const std::vector<Case> cases = {
        {BOOLEAN_INTERSECT, {0.8f, 0.3f, 0.0f, 0.0f}},
        {BOOLEAN_DIFFERENCE, {0.0f, 0.3f, 0.4f, 0.0f}},
        {BOOLEAN_ADD, {1.0f, 1.0f, 0.4f, 0.0f}},
        {7 /* unknown: no change */, {0.8f, 0.6f, 0.4f, 0.2f}},
    };
    for (const Case& c : cases) {
        BooleanRegion_cls r = UnitRegion(BOOLEAN_BOX, 0.5f);
        r.op = c.op;
        float w[4] = {0.8f, 0.6f, 0.4f, 0.2f};
        r.Apply(parts, w, 0, 4);
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(w[i], c.expect[i], 1e-6) << "op " << c.op << " record " << i;
    }
    // Hard edge: add sets inside to 1 and leaves outside alone.
    BooleanRegion_cls hard = UnitRegion(BOOLEAN_BOX, 0);
    hard.op = BOOLEAN_ADD;
    float w[3] = {0.2f, 0.6f, 0.4f};
    hard.Apply(FilterParticles_cls::FromIndices(idx, 3, pos, 3), w, 0, 3);
    EXPECT_EQ(w[0], 1.0f);
    EXPECT_EQ(w[1], 0.6f);
    EXPECT_EQ(w[2], 0.4f);
}

TEST(BooleanRegion, WorkerCountByRecords) {
    EXPECT_EQ(BooleanWorkerCount(10000), 1);
    EXPECT_EQ(BooleanWorkerCount(10001), 2);
    EXPECT_EQ(BooleanWorkerCount(100001), 3);
    EXPECT_EQ(BooleanWorkerCount(1000000), 3);
    EXPECT_EQ(BooleanWorkerCount(1000001), 4);
}

TEST(BooleanRegion, SameWeightsOnOneAndFourWorkers) {
    const size_t n = 40001;
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> u(-1.5f, 3.5f);
    std::vector<float> pos(3 * n);
    for (float& v : pos) v = u(rng);
    std::vector<int> idx(n);
    for (size_t i = 0; i < n; ++i) idx[i] = static_cast<int>((i * 7919) % n);  // shuffled order
    const FilterParticles_cls parts = FilterParticles_cls::FromIndices(idx.data(), n, pos.data(), n);
    for (int region : {BOOLEAN_BOX, BOOLEAN_SPHERE}) {
        for (int op : {BOOLEAN_INTERSECT, BOOLEAN_DIFFERENCE, BOOLEAN_ADD}) {
            BooleanRegion_cls r;
            r.region = region;
            r.op = op;
            r.border = 0.2f;
            r.centre[0] = 1, r.centre[1] = 1, r.centre[2] = 1;
            r.size[0] = 2, r.size[1] = 3, r.size[2] = 1.5f;
            std::vector<float> one(n, 0.5f), four(n, 0.5f), hand(n, 0.5f);
            ApplyBooleanRegion(r, parts, one.data(), 1);
            ApplyBooleanRegion(r, parts, four.data(), 4);
            r.Apply(parts, hand.data(), 0, n);
            EXPECT_EQ(one, four) << "region " << region << " op " << op;
            EXPECT_EQ(one, hand) << "region " << region << " op " << op;
        }
    }
}

class FilterBooleanTest : public ParamHistoryFixture {};

TEST_F(FilterBooleanTest, RegionFromKeyFramesAndDisabledFilterChangesNothing) {
    FilterBoolean_cls f(nullptr);
    f.Data()->SetTranslateKey(1, 2, 3);
    f.Data()->SetScaleKey(2, 2, 2);
    f.Data()->SetRotationKey(0, 0, 45);  // turns the drawn box only
    f.Data()->borderFactor.value = 0;
    const float pos[] = {1.9f, 2, 3, 2.1f, 2, 3};
    const int idx[] = {0, 1};
    const FilterParticles_cls parts = FilterParticles_cls::FromIndices(idx, 2, pos, 2);
    float w[2] = {1, 1};
    f.ApplyWeights(parts, w, 0.0, 0);
    EXPECT_EQ(w[0], 1.0f);
    EXPECT_EQ(w[1], 0.0f);
    f.Data()->filterValid.value = false;
    float v[2] = {0.3f, 0.7f};
    f.ApplyWeights(parts, v, 0.0, 0);
    EXPECT_EQ(v[0], 0.3f);
    EXPECT_EQ(v[1], 0.7f);
}

}  // namespace
