// Drawable frame: positions, radii and values advanced by the rates (linear and Hermite),
// colours through each kind of colour record and each colour source, stride, worker split,
// and when a built frame stops fitting what the view asks for.
#include "view/Snap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include <wx/init.h>

#include "common/CommandHistory.h"
#include "data/DataFrame.h"
#include "data/InterpolationJob.h"
#include "data/ParticleData.h"
#include "filters/ColorCurve.h"
#include "timeline/Parameter.h"
#include "view/ParticleAttrib.h"

namespace {

// The evaluation workers are wxThreads: the base library must be initialised.
class WxBase : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(wxInitialize()); }
    void TearDown() override { wxUninitialize(); }
};
::testing::Environment* const kWxBase = ::testing::AddGlobalTestEnvironment(new WxBase);

const float kNaN = std::numeric_limits<float>::quiet_NaN();

class SnapTest : public ::testing::Test {
protected:
    void SetUp() override {
        GoCommandHistory.Clear();
        GbParamUndoEnabled = 0;
        for (int t = 0; t < 4; ++t) {
            sets[t].reset(new ParticleAttrib_cls(nullptr, 0, t));
            raw[t] = sets[t].get();
        }
    }
    void TearDown() override {
        GbParamUndoEnabled = 1;
        GoCommandHistory.Clear();
    }

    // A snapshot of n particles with distinct values; rates filled too (NaN when `noRates`).
    static void Fill(ParticleData_cls& pd, int64_t n, int interpolationType, bool noRates = false) {
        pd.interpolationType = interpolationType;
        ASSERT_TRUE(pd.Allocate(n));
        for (int64_t i = 0; i < n; ++i) {
            const float f = static_cast<float>(i);
            for (int c = 0; c < 3; ++c) {
                pd.position[3 * i + c] = 0.25f * f - 3.0f * c + 1.0f;
                pd.velocity[3 * i + c] = noRates ? kNaN : 0.5f * c - 0.01f * f;
                if (pd.hermiteC2) pd.hermiteC2[3 * i + c] = noRates ? kNaN : 0.001f * f;
                if (pd.hermiteC3) pd.hermiteC3[3 * i + c] = noRates ? kNaN : -0.002f * c;
            }
            pd.radius[i] = 0.1f + 0.01f * f;
            pd.radiusRate[i] = noRates ? kNaN : 0.5f;
            pd.value1[i] = 100.0f - f;
            pd.value1Rate[i] = noRates ? kNaN : -2.0f;
            pd.type[i] = static_cast<uint8_t>(i % 4);
            pd.id[i] = static_cast<int32_t>(1000 + 3 * i);
        }
    }

    void UseCurve(int t, unsigned source, float lo, float hi) {
        ColorCurve_cls& col = *sets[t]->col;
        col.useColorCurve.value = true;
        col.dependType.value = source;
        col.scalingMin.value = lo;
        col.scalingMax.value = hi;
    }

    std::unique_ptr<ParticleAttrib_cls> sets[4];
    ParticleAttrib_cls* raw[4] = {};
};

// The colour the frame must hold for a particle whose type's Col record sees `value`: the
// record's colour table (built by the evaluation), within a hair of the curve itself.
void ExpectColour(const ParticleAttrib_cls& set, float value, float alphaFactor, const float* got,
                  const std::string& what) {
    EXPECT_GT(set.col->ColorTableEntries(), 0) << what << ": the evaluation builds the table";
    float want[4], direct[4];
    set.col->ColorFromTable(value, want);
    set.col->ColorForValue(value, direct);
    want[3] *= alphaFactor;
    direct[3] *= alphaFactor;
    for (int k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(got[k], want[k]) << what << " channel " << k;
        EXPECT_NEAR(got[k], direct[k], 1e-3f) << what << " channel " << k;
    }
}

}  // namespace

TEST_F(SnapTest, LinearRatesAdvancePositionRadiusAndValue) {
    ParticleData_cls pd;
    pd.interpolationType = INTERP_LINEAR;
    ASSERT_TRUE(pd.Allocate(1));
    const float p[3] = {0, 0, 0}, v[3] = {1, 0, 0};
    std::memcpy(pd.position, p, sizeof p);
    std::memcpy(pd.velocity, v, sizeof v);
    pd.radius[0] = 1;
    pd.radiusRate[0] = 2;
    pd.value1[0] = 10;
    pd.value1Rate[0] = -4;
    pd.type[0] = 0;
    pd.id[0] = 5;
    pd.time = 3.0;
    Snap_cls snap(&pd, raw, 0.5, 1);
    ASSERT_EQ(snap.count, 1);
    EXPECT_DOUBLE_EQ(snap.time, 3.5);
    EXPECT_FLOAT_EQ(snap.positions[0], 0.5f);
    EXPECT_FLOAT_EQ(snap.positions[1], 0.0f);
    EXPECT_FLOAT_EQ(snap.radius[0], 2.0f);
    EXPECT_FLOAT_EQ(snap.value1[0], 8.0f);
    EXPECT_TRUE(snap.ratesUsed);
}

// The identifiers go to the visibility filters with the frame; once the snapshot lets go
// of its arrays the frame offers none rather than freed memory.
TEST_F(SnapTest, IdsOnlyWhileTheSnapshotHoldsThem) {
    ParticleData_cls pd;
    Fill(pd, 6, INTERP_LINEAR);
    Snap_cls snap(&pd, raw, 0.0, 1);
    ASSERT_EQ(snap.count, 6);
    ASSERT_NE(snap.Ids(), nullptr);
    EXPECT_EQ(snap.Ids()[5], 1015);
    pd.Free();
    EXPECT_EQ(snap.Ids(), nullptr);
}

TEST_F(SnapTest, EveryParticleOfEveryMotionIsEvaluatedAtTheOffset) {
    struct Case {
        int interpolationType;
        double dt;
        const char* what;
    } cases[] = {
        {INTERP_LINEAR, 0.75, "linear"},
        {INTERP_HERMITE, 0.75, "hermite"},
        {INTERP_NONE, 0.75, "no interpolation: shown as read"},
        {INTERP_LINEAR, 0.0, "linear at the snapshot's own time"},
    };
    for (const Case& c : cases) {
        ParticleData_cls pd;
        Fill(pd, 37, c.interpolationType);
        Snap_cls snap(&pd, raw, c.dt, 1);
        const float t = static_cast<float>(c.dt);
        const bool moves = c.dt != 0.0 && c.interpolationType != INTERP_NONE;
        EXPECT_EQ(snap.ratesUsed, moves) << c.what;
        for (int64_t i = 0; i < 37; ++i) {
            for (int k = 0; k < 3; ++k) {
                const int64_t n = 3 * i + k;
                float want = pd.position[n];
                if (moves && c.interpolationType == INTERP_LINEAR) want += t * pd.velocity[n];
                if (moves && c.interpolationType == INTERP_HERMITE)
                    want += t * pd.velocity[n] + t * t * pd.hermiteC2[n] + t * t * t * pd.hermiteC3[n];
                EXPECT_NEAR(snap.positions[n], want, 1e-5f) << c.what << " particle " << i;
            }
            EXPECT_FLOAT_EQ(snap.radius[i], pd.radius[i] + (moves ? t * 0.5f : 0.0f)) << c.what;
            EXPECT_FLOAT_EQ(snap.value1[i], pd.value1[i] + (moves ? t * -2.0f : 0.0f)) << c.what;
            EXPECT_EQ(snap.type[i], pd.type[i]) << c.what;
        }
    }
}

TEST_F(SnapTest, RatesAreNotReadWhenNothingMovesOrTheyAreNotReady) {
    // Rates of a frame whose interpolation has not run hold anything (here NaN).
    DataFrame_cls frame(nullptr, 0);
    ParticleData_cls& pd = *frame.data;
    Fill(pd, 8, INTERP_LINEAR, /*noRates=*/true);
    {
        Snap_cls still(&pd, raw, 0.0, 1);
        for (int64_t i = 0; i < 3 * 8; ++i) EXPECT_EQ(still.positions[i], pd.position[i]);
        EXPECT_TRUE(still.IsValidFor(&pd, 0.0, 1));
    }
    Snap_cls early(&pd, raw, 0.5, 1);
    EXPECT_FALSE(early.ratesUsed);
    for (int64_t i = 0; i < 8; ++i) EXPECT_EQ(early.radius[i], pd.radius[i]);
    EXPECT_TRUE(early.IsValidFor(&pd, 0.5, 1)) << "nothing better to show yet";
    frame.ratesReady = true;
    EXPECT_FALSE(early.IsValidFor(&pd, 0.5, 1)) << "rebuilt once the rates are in";
}

TEST_F(SnapTest, HermiteStartsAtAAndArrivesAtBWithTheVelocitiesAsTangents) {
    // B holds A's particles in another order; two of them cross the periodic box edge
    // (10 wide, around 0) between the snapshots.
    struct P {
        float pos[3], vel[3];
        int32_t id;
    };
    const std::vector<P> a = {{{1, 2, 3}, {0.5f, -1, 2}, 7},
                              {{4.8f, 0, 0}, {1, 0, 0}, 3},
                              {{-2, -2, 1}, {0, 0, 0}, 11},
                              {{0, -4.9f, 0}, {0, -0.4f, 0.3f}, 5}};
    const std::vector<P> b = {{{-4.7f, 0.1f, 0}, {0.8f, 0, 0}, 3},
                              {{0.2f, 4.8f, 0.5f}, {0, -0.1f, 0.2f}, 5},
                              {{-1, -3, 2}, {1, -1, 0}, 11},
                              {{2, 1, 5}, {1, 1, 1}, 7}};
    const double T = 2.0;
    for (int mode : {NUMBER_BY_ID, NUMBER_SORTED_ID}) {
        ParticleData_cls pa, pb;
        for (auto* pd : {&pa, &pb}) {
            pd->interpolationType = INTERP_HERMITE;
            ASSERT_TRUE(pd->Allocate(4));
        }
        auto put = [](ParticleData_cls& pd, const std::vector<P>& ps, std::vector<int> order) {
            for (int i = 0; i < 4; ++i) {
                const P& p = ps[order[i]];
                for (int c = 0; c < 3; ++c) {
                    pd.position[3 * i + c] = p.pos[c];
                    pd.velocity[3 * i + c] = p.vel[c];
                }
                pd.id[i] = p.id;
                pd.radius[i] = 1;
                pd.value1[i] = 0;
                pd.type[i] = 0;
            }
        };
        std::vector<int> orderA = {0, 1, 2, 3}, orderB = {0, 1, 2, 3};
        if (mode == NUMBER_SORTED_ID) {  // as the reader leaves them: ascending IDs
            orderA = {1, 3, 0, 2};
            orderB = {0, 1, 2, 3};
            const std::vector<P> sortedB = {b[0], b[1], b[3], b[2]};
            put(pa, a, orderA);
            put(pb, sortedB, orderB);
        } else {
            put(pa, a, orderA);
            put(pb, b, orderB);
        }
        pa.numberMode = mode;
        pa.time = 1.0;
        pb.time = 1.0 + T;
        ComputeAllRates(InterpolationJob_cls::FromSnapshots(pa, pb, PeriodicRule_cls(2, 0, 10, 10, 10)));
        Snap_cls at0(&pa, raw, 0.0, 1), atT(&pa, raw, T, 1);
        const double h = 1e-3;
        Snap_cls near0(&pa, raw, h, 1), nearT(&pa, raw, T - h, 1);
        for (int i = 0; i < 4; ++i) {
            // Partner in B and its position seen from A's side of the box.
            int j = 0;
            while (pb.id[j] != pa.id[i]) ++j;
            for (int c = 0; c < 3; ++c) {
                const int n = 3 * i + c;
                float endPos = pb.position[3 * j + c];
                const float d = endPos - pa.position[n];
                if (d > 5) endPos -= 10;
                if (d < -5) endPos += 10;
                const std::string what = "mode " + std::to_string(mode) + " id " + std::to_string(pa.id[i]) +
                                         " axis " + std::to_string(c);
                EXPECT_EQ(at0.positions[n], pa.position[n]) << what;
                EXPECT_NEAR(atT.positions[n], endPos, 2e-5) << what;
                EXPECT_NEAR((near0.positions[n] - at0.positions[n]) / h, pa.velocity[n], 2e-2) << what;
                EXPECT_NEAR((atT.positions[n] - nearT.positions[n]) / h, pb.velocity[3 * j + c], 2e-2) << what;
            }
        }
    }
}

TEST_F(SnapTest, ColoursFollowEachRecordKindAndEachSource) {
    ParticleData_cls pd;
    Fill(pd, 12, INTERP_LINEAR);
    const double dt = 0.5;
    const float t = 0.5f;
    struct Case {
        bool curve;
        unsigned source;
        unsigned alphaType;
        const char* what;
    } cases[] = {
        {false, 0, 0, "constant colour"},
        {true, 0, 0, "VALUE1"},
        {true, 1, 0, "Radius"},
        {true, 2, 0, "Position"},
        {true, 3, 0, "Position(X)"},
        {true, 4, 1, "Position(Y), alpha by radius base"},
        {true, 5, 0, "Position(Z)"},
        {true, 6, 0, "Velocity"},
        {true, 7, 0, "Velocity(X)"},
        {true, 8, 0, "Velocity(Y)"},
        {true, 9, 0, "Velocity(Z)"},
        {true, 10, 1, "ID"},
    };
    for (const Case& c : cases) {
        for (int ty = 0; ty < 4; ++ty) {
            UseCurve(ty, c.source, -5.0f + ty, 20.0f * (ty + 1));
            sets[ty]->col->useColorCurve.value = c.curve;
            sets[ty]->alphaType.value = c.alphaType;
            sets[ty]->alphaFactro.value = 0.3f + 0.1f * ty;
            sets[ty]->alphaDependBase.value = 0.5f + 0.25f * ty;
        }
        Snap_cls snap(&pd, raw, dt, 1);
        const float* source = snap.GetColorSource(c.source);
        ASSERT_NE(source, nullptr) << c.what;
        for (int64_t i = 0; i < 12; ++i) {
            const float* p = pd.position + 3 * i;
            const float* v = pd.velocity + 3 * i;
            float want = 0;
            switch (c.source) {
                case 0: want = pd.value1[i] + t * pd.value1Rate[i]; break;
                case 1: want = pd.radius[i] + t * pd.radiusRate[i]; break;
                case 2: want = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]); break;
                case 3: case 4: case 5: want = p[c.source - 3]; break;
                case 6: want = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); break;
                case 7: case 8: case 9: want = v[c.source - 7]; break;
                case 10: want = static_cast<float>(pd.id[i]); break;
            }
            EXPECT_FLOAT_EQ(source[i], want) << c.what << " particle " << i;
            const ParticleAttrib_cls& set = *sets[pd.type[i]];
            const float base = set.alphaDependBase.value;
            const float alpha = c.alphaType == 1 ? base * base : set.alphaFactro.value;
            ExpectColour(set, want, alpha, snap.colours + 4 * i, std::string(c.what) + " particle " + std::to_string(i));
        }
    }
}

TEST_F(SnapTest, TypesColourThroughTheirOwnDerivedSources) {
    ParticleData_cls pd;
    Fill(pd, 16, INTERP_LINEAR);
    UseCurve(0, COLOR_SOURCE_POSITION_X, -10, 10);
    UseCurve(1, COLOR_SOURCE_ID, 1000, 1100);
    UseCurve(2, COLOR_SOURCE_VELOCITY, 0, 2);
    UseCurve(3, COLOR_SOURCE_RADIUS, 0, 1);
    Snap_cls snap(&pd, raw, 0.25, 1);
    for (int64_t i = 0; i < 16; ++i) {
        const int ty = pd.type[i];
        const float* v = pd.velocity + 3 * i;
        const float want[4] = {pd.position[3 * i], static_cast<float>(pd.id[i]),
                               std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]), snap.radius[i]};
        ExpectColour(*sets[ty], want[ty], 1.0f, snap.colours + 4 * i, "type " + std::to_string(ty));
    }
    EXPECT_NE(snap.GetColorSource(COLOR_SOURCE_POSITION_X), snap.GetColorSource(COLOR_SOURCE_ID));
    EXPECT_EQ(snap.GetColorSource(*sets[1], false), snap.GetColorSource(COLOR_SOURCE_ID));
    EXPECT_EQ(snap.GetColorSource(*sets[0], true), snap.value1) << "Ambient on its default source";
    EXPECT_EQ(snap.GetColorSource(11), nullptr);
}

TEST_F(SnapTest, StrideEvaluatesEveryStrideThParticleWhateverTheSplit) {
    for (int workers : {1, 4}) {
        ParticleData_cls pd;
        Fill(pd, 10, INTERP_LINEAR);
        UseCurve(0, COLOR_SOURCE_POSITION, 0, 5);
        UseCurve(1, COLOR_SOURCE_POSITION, 0, 5);
        UseCurve(2, COLOR_SOURCE_POSITION, 0, 5);
        UseCurve(3, COLOR_SOURCE_POSITION, 0, 5);
        Snap_cls snap(&pd, raw, 1.0, 4, workers);
        // Sentinels in the skipped entries of a second evaluation show what is written.
        for (int64_t i = 0; i < 10; ++i) snap.radius[i] = -1;
        snap.Compute(raw, 1.0, workers);
        for (int64_t i = 0; i < 10; ++i) {
            if (i % 4 == 0) {
                EXPECT_FLOAT_EQ(snap.radius[i], pd.radius[i] + 0.5f) << workers << " workers, particle " << i;
                EXPECT_FLOAT_EQ(snap.positions[3 * i], pd.position[3 * i] + pd.velocity[3 * i]);
            } else {
                EXPECT_EQ(snap.radius[i], -1.0f) << workers << " workers, particle " << i << " is skipped";
            }
        }
    }
    ParticleData_cls pd;
    Fill(pd, 3, INTERP_LINEAR);
    for (int s : {0, -3}) EXPECT_EQ(Snap_cls(&pd, raw, 0.0, s).stride, 1) << s;
}

TEST_F(SnapTest, EmptyAndSingleParticleFrames) {
    ParticleData_cls none;  // never loaded
    Snap_cls fromNothing(&none, raw, 0.5, 1);
    EXPECT_EQ(fromNothing.count, 0);
    EXPECT_FALSE(fromNothing.allocated);
    EXPECT_EQ(fromNothing.GetColorSource(COLOR_SOURCE_VALUE1), nullptr);
    Snap_cls fromNull(nullptr, raw, 0.5, 1);
    EXPECT_EQ(fromNull.count, 0);
    EXPECT_FALSE(fromNull.IsValidFor(nullptr, 0.5, 1));
    ParticleData_cls zero;
    ASSERT_TRUE(zero.Allocate(0));
    EXPECT_EQ(Snap_cls(&zero, raw, 0.0, 1).count, 0);

    ParticleData_cls one;
    Fill(one, 1, INTERP_LINEAR);
    UseCurve(0, COLOR_SOURCE_ID, 0, 2000);
    Snap_cls snap(&one, raw, 2.0, 1, 4);  // more workers than particles
    ASSERT_EQ(snap.count, 1);
    EXPECT_FLOAT_EQ(snap.value1[0], 100.0f - 4.0f);
    ExpectColour(*sets[0], 1000.0f, 1.0f, snap.colours, "single particle");
}

TEST_F(SnapTest, OneAndFourWorkersGiveIdenticalFrames) {
    ParticleData_cls pd;
    Fill(pd, 150001, INTERP_HERMITE);  // above 100,000: two workers by count
    UseCurve(0, COLOR_SOURCE_VALUE1, 0, 100);
    UseCurve(1, COLOR_SOURCE_VELOCITY_X, -1, 1);
    UseCurve(2, COLOR_SOURCE_POSITION, 0, 10);
    sets[3]->alphaType.value = 1;
    for (int stride : {1, 3}) {
        Snap_cls one(&pd, raw, 0.3, stride, 1), four(&pd, raw, 0.3, stride, 4), byCount(&pd, raw, 0.3, stride);
        for (const Snap_cls* s : {&four, &byCount}) {
            for (int64_t i = 0; i < pd.count; i += stride) {
                ASSERT_EQ(std::memcmp(one.positions + 3 * i, s->positions + 3 * i, 12), 0) << i;
                ASSERT_EQ(std::memcmp(one.colours + 4 * i, s->colours + 4 * i, 16), 0) << i;
                ASSERT_EQ(one.radius[i], s->radius[i]);
                ASSERT_EQ(one.value1[i], s->value1[i]);
            }
        }
    }
}

TEST_F(SnapTest, ValidityFollowsSnapshotLoadTimeStrideAndRefresh) {
    ParticleData_cls pd, other;
    Fill(pd, 6, INTERP_LINEAR);
    Fill(other, 6, INTERP_LINEAR);
    pd.time = 2.0;
    Snap_cls full(&pd, raw, 0.5, 1), every4(&pd, raw, 0.5, 4);
    EXPECT_TRUE(full.IsValidFor(&pd, 0.5, 1));
    EXPECT_TRUE(full.IsValidFor(&pd, 0.5, 4)) << "a full frame serves every stride";
    EXPECT_TRUE(every4.IsValidFor(&pd, 0.5, 4));
    EXPECT_FALSE(every4.IsValidFor(&pd, 0.5, 1));
    EXPECT_FALSE(full.IsValidFor(&pd, 0.25, 1));
    EXPECT_FALSE(full.IsValidFor(&other, 0.5, 1));

    bool refresh = true;
    EXPECT_FALSE(full.IsValidFor(&pd, 0.5, 1, &refresh));
    EXPECT_FALSE(refresh);
    EXPECT_TRUE(full.IsValidFor(&pd, 0.5, 1, &refresh)) << "one forced rebuild only";

    // Evicted and read again: same object, same time, other arrays.
    pd.Free();
    EXPECT_FALSE(full.IsValidFor(&pd, 0.5, 1));
    EXPECT_EQ(full.GetColorSource(COLOR_SOURCE_ID), nullptr) << "the freed snapshot is not read";
    EXPECT_FLOAT_EQ(full.radius[5], 0.15f + 0.25f) << "what was evaluated stays drawable";
    Fill(pd, 6, INTERP_LINEAR);
    pd.time = 2.0;
    EXPECT_FALSE(full.IsValidFor(&pd, 0.5, 1));
    EXPECT_TRUE(Snap_cls(&pd, raw, 0.5, 1).IsValidFor(&pd, 0.5, 1));
}

TEST_F(SnapTest, DerivedSourcesAskForTheRatesOfDrawnTypes) {
    EXPECT_FALSE(AttribsNeedRates(raw));
    struct Case {
        unsigned drawType;
        int record;  // 0 Col, 1 Ambient, 2 Diffuse, 3 Specular
        unsigned source;
        bool needs;
    } cases[] = {
        {0, 0, 2, true},  {1, 0, 10, true}, {3, 0, 6, true},  {0, 0, 1, false}, {2, 0, 6, false},
        {2, 1, 2, true},  {2, 2, 9, true},  {2, 3, 3, true},  {2, 1, 1, false}, {0, 1, 5, false},
        {4, 0, 6, false}, {4, 1, 6, false},
    };
    for (const Case& c : cases) {
        SetUp();
        sets[2]->drawType.value = c.drawType;
        ColorCurve_cls* records[4] = {sets[2]->col.get(), sets[2]->ambient.get(), sets[2]->diffuse.get(),
                                      sets[2]->specular.get()};
        records[c.record]->dependType.value = c.source;
        EXPECT_EQ(AttribsNeedRates(raw), c.needs)
            << "draw type " << c.drawType << " record " << c.record << " source " << c.source;
    }
}

TEST(SnapWorkers, CountAndRangesBySize) {
    EXPECT_EQ(SnapWorkerCount(0), 1);
    EXPECT_EQ(SnapWorkerCount(100000), 1);
    EXPECT_EQ(SnapWorkerCount(100001), 2);
    EXPECT_EQ(SnapWorkerCount(1000000), 2);
    EXPECT_EQ(SnapWorkerCount(1000001), 3);
    EXPECT_EQ(SnapWorkerCount(10000001), 4);
    int64_t covered = 0, first = 0, end = 0;
    for (int k = 0; k < 3; ++k) {
        SnapWorkerRange(10, 3, k, first, end);
        EXPECT_EQ(first, covered);
        covered = end;
    }
    EXPECT_EQ(covered, 10);
}
