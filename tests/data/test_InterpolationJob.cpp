#include "data/InterpolationJob.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();

struct P {
    float x, y, z;
    float r = 1.0f;
    float v1 = 0.0f;
    int32_t id = 0;
    float vx = 0, vy = 0, vz = 0;
};

// One snapshot's arrays. The rate arrays start as NaN so that a particle the
// interpolation leaves out shows up.
struct Snap {
    std::vector<float> pos, vel, c2, c3, rad, radRate, val, valRate;
    std::vector<uint8_t> type;
    std::vector<int32_t> id;
    ParticleArrays_cls arrays;

    explicit Snap(const std::vector<P>& ps, bool hermite = false) {
        for (const auto& p : ps) {
            pos.insert(pos.end(), {p.x, p.y, p.z});
            vel.insert(vel.end(), {p.vx, p.vy, p.vz});
            rad.push_back(p.r);
            val.push_back(p.v1);
            id.push_back(p.id);
            type.push_back(0);
        }
        radRate.assign(ps.size(), kNaN);
        valRate.assign(ps.size(), kNaN);
        arrays.position = pos.data();
        arrays.velocity = vel.data();
        arrays.radius = rad.data();
        arrays.radiusRate = radRate.data();
        arrays.value1 = val.data();
        arrays.value1Rate = valRate.data();
        arrays.type = type.data();
        arrays.id = id.data();
        if (hermite) {
            c2.assign(3 * ps.size(), kNaN);
            c3.assign(3 * ps.size(), kNaN);
            arrays.hermiteC2 = c2.data();
            arrays.hermiteC3 = c3.data();
        }
    }
    int64_t Count() const { return static_cast<int64_t>(rad.size()); }
    void ExpectRates(size_t i, float vx, float vy, float vz, float rr, float vr,
                     const char* what) const {
        EXPECT_FLOAT_EQ(vel[3 * i], vx) << what << " particle " << i;
        EXPECT_FLOAT_EQ(vel[3 * i + 1], vy) << what << " particle " << i;
        EXPECT_FLOAT_EQ(vel[3 * i + 2], vz) << what << " particle " << i;
        EXPECT_FLOAT_EQ(radRate[i], rr) << what << " particle " << i;
        EXPECT_FLOAT_EQ(valRate[i], vr) << what << " particle " << i;
    }
};

InterpolationJob_cls Job(Snap& a, const Snap& b, float dt, int type, int mode,
                         PeriodicRule_cls rule = {}) {
    InterpolationJob_cls job;
    job.interpolationType = type;
    job.numberMode = mode;
    job.periodic = rule;
    job.a = a.arrays;
    job.b = b.arrays;
    job.countA = a.Count();
    job.countB = b.Count();
    job.dt = dt;
    return job;
}

}  // namespace

TEST(InterpolationJob, WorkerCountAndBlocks) {
    struct Case {
        int64_t n;
        int workers;
    } cases[] = {{0, 1},       {100000, 1},   {100001, 2},   {150000, 2},
                 {300001, 3},  {1000000, 3},  {1000001, 4},  {3000001, 5},
                 {10000000, 5}, {10000001, 6}, {-5, 1}};
    for (const auto& c : cases) EXPECT_EQ(InterpWorkerCount(c.n), c.workers) << c.n;

    // Blocks are contiguous, cover [0, m) exactly, and the last one takes the rest.
    for (int64_t m : {0, 1, 5, 6, 7, 100, 1001}) {
        for (int w = 1; w <= 6; ++w) {
            int64_t expect = 0;
            for (int k = 0; k < w; ++k) {
                int64_t first, end;
                InterpBlockRange(m, w, k, first, end);
                EXPECT_EQ(first, expect) << m << "/" << w << " block " << k;
                EXPECT_GE(end, first);
                expect = end;
            }
            EXPECT_EQ(expect, m) << m << "/" << w;
        }
    }
}

TEST(InterpolationJob, LinearRatesOfHandMadeSnapshotPairs) {
    // Two snapshots 2.0 apart: x 1 -> 5 gives rate 2; radius 1 -> 2 gives 0.5.
    {
        Snap a({{1, 0, 0, 1, 10, 7}, {0, 0, 0, 3, -2, 8}});
        Snap b({{5, 0, 0, 2, 4, 7}, {-1, 2, 3, 3, 0, 8}});
        ComputeAllRates(Job(a, b, 2.0f, INTERP_LINEAR, NUMBER_BY_INDEX));
        a.ExpectRates(0, 2, 0, 0, 0.5f, -3, "spec pair");
        a.ExpectRates(1, -0.5f, 1, 1.5f, 0, 1, "spec pair");
    }
    // Equal snapshot times come in as dt 0: divided by 1, not by 0.
    {
        Snap a({{1, 1, 1, 1, 1, 1}});
        Snap b({{2, 3, 4, 2, 3, 1}});
        ComputeAllRates(Job(a, b, 0.0f, INTERP_LINEAR, NUMBER_BY_INDEX));
        a.ExpectRates(0, 1, 2, 3, 1, 2, "dt 0");
    }
    // A snapshot interpolated against itself (the last frame) has zero rates.
    {
        Snap a({{1, 2, 3, 1, 1, 1}, {4, 5, 6, 2, 2, 2}});
        ComputeAllRates(Job(a, a, 1.0f, INTERP_LINEAR, NUMBER_BY_INDEX));
        a.ExpectRates(0, 0, 0, 0, 0, 0, "self");
        a.ExpectRates(1, 0, 0, 0, 0, 0, "self");
    }
}

TEST(InterpolationJob, MatchingByIdInBothModes) {
    // A's IDs 1, 2, 3 against B's 1, 3, 4: ID 2 has no partner, ID 3 is B's second.
    for (int mode : {NUMBER_BY_ID, NUMBER_SORTED_ID}) {
        Snap a({{0, 0, 0, 1, 0, 1}, {0, 0, 0, 1, 0, 2}, {0, 0, 0, 1, 0, 3}});
        Snap b({{1, 0, 0, 2, 5, 1}, {0, 3, 0, 4, 6, 3}, {9, 9, 9, 9, 9, 4}});
        ComputeAllRates(Job(a, b, 1.0f, INTERP_LINEAR, mode));
        const char* what = mode == NUMBER_BY_ID ? "by id" : "sorted by id";
        a.ExpectRates(0, 1, 0, 0, 1, 5, what);
        a.ExpectRates(1, 0, 0, 0, 0, 0, what);
        a.ExpectRates(2, 0, 3, 0, 3, 6, what);
    }
    // Sorted IDs with gaps on both sides, and an ID beyond B's last.
    {
        Snap a({{0, 0, 0, 1, 0, 2}, {0, 0, 0, 1, 0, 5}, {0, 0, 0, 1, 0, 6},
                {0, 0, 0, 1, 0, 9}, {0, 0, 0, 1, 0, 40}});
        Snap b({{1, 0, 0, 1, 0, 1}, {2, 0, 0, 1, 0, 5}, {3, 0, 0, 1, 0, 7},
                {4, 0, 0, 1, 0, 8}, {5, 0, 0, 1, 0, 9}});
        ComputeAllRates(Job(a, b, 1.0f, INTERP_LINEAR, NUMBER_SORTED_ID));
        const float expectX[] = {0, 2, 0, 5, 0};
        for (size_t i = 0; i < 5; ++i) a.ExpectRates(i, expectX[i], 0, 0, 0, 0, "gaps");
    }
}

TEST(InterpolationJob, WindowSearchByIdFindsShiftedPartnersAndStopsAtItsLimits) {
    // B holds A's IDs shifted by 50 positions: each is found in the window of 100.
    {
        const int n = 400;
        std::vector<P> pa, pb(n);
        for (int i = 0; i < n; ++i) pa.push_back({0, 0, 0, 1, 0, 1000 + i});
        for (int i = 0; i < n; ++i) {
            const int k = (i + 50) % n;
            pb[k] = {static_cast<float>(i), 0, 0, 1, 0, 1000 + i};
        }
        Snap a(pa), b(pb);
        ComputeAllRates(Job(a, b, 1.0f, INTERP_LINEAR, NUMBER_BY_ID));
        for (int i = 0; i < n; ++i) ASSERT_FLOAT_EQ(a.vel[3 * i], i) << i;
    }
    // 30,000 particles: partners 19,000 positions away, inside B's first tenth, and 9,000
    // away are all found: lost neighbours never cost a particle its partner.
    {
        const int n = 30000;
        std::vector<P> pa, pb;
        for (int i = 0; i < n; ++i) {
            pa.push_back({0, 0, 0, 1, 0, i});
            pb.push_back({1, 0, 0, 1, 0, i});
        }
        // swap partners so that the IDs of A's 29000, 29001, 20000 sit far away in B
        std::swap(pb[29000], pb[10000]);
        std::swap(pb[29001], pb[100]);
        std::swap(pb[20000], pb[11000]);
        pb[10000].x = 7;  // A's 29000 partner: 19,000 away, beyond every window
        pb[100].x = 8;    // A's 29001 partner: inside the first tenth
        pb[11000].x = 9;  // A's 20000 partner: 9,000 away
        Snap a(pa), b(pb);
        ComputeAllRates(Job(a, b, 1.0f, INTERP_LINEAR, NUMBER_BY_ID));
        EXPECT_FLOAT_EQ(a.vel[3 * 29000], 7);
        EXPECT_FLOAT_EQ(a.vel[3 * 29001], 8);
        EXPECT_FLOAT_EQ(a.vel[3 * 20000], 9);
        EXPECT_FLOAT_EQ(a.vel[3 * 5], 1);
    }
}

// The partner of A's particle i by ID, found as the window search defines it: the same
// index, then the first hit in the windows of 10, 100, 1,000 and 10,000 around i, then the
// first place in B holding the ID; -1 when none.
int64_t ReferenceFindById(const std::vector<int32_t>& idB, int64_t i, int32_t id) {
    const int64_t nB = static_cast<int64_t>(idB.size());
    if (i < nB && idB[i] == id) return i;
    for (int64_t w : {10, 100, 1000, 10000}) {
        if (i - w > nB) continue;
        for (int64_t k = std::max<int64_t>(0, i - w); k < std::min<int64_t>(nB, i + w); ++k)
            if (idB[k] == id) return k;
    }
    for (int64_t k = 0; k < nB; ++k)
        if (idB[k] == id) return k;
    return -1;
}

TEST(InterpolationJob, MatchingByIdThroughTheIndexFindsTheSamePartners) {
    struct Case {
        const char* what;
        int32_t (*id)(int i);  // ID of A's i-th particle
        bool duplicates;       // B holds some IDs two or three times
        bool moved;            // some of B's particles change places
        int n;
    } cases[] = {
        {"dense", [](int i) { return i; }, false, true, 30000},
        {"dense negative", [](int i) { return i - 15000; }, true, true, 30000},
        {"sparse", [](int i) { return static_cast<int32_t>(i * 100003LL % 2000000000LL) - 1000000000; }, false, true, 30000},
        {"sparse with repeats", [](int i) { return (i / 2) * 7919 + (i % 2) * 3; }, true, true, 30000},
        // ascending: losses move partners beyond the last window, some into the first tenth
        {"ascending", [](int i) { return 3 * i - 7; }, false, false, 220000},
    };
    for (const Case& c : cases) {
        std::mt19937 rng(5);
        const int n = c.n;
        std::vector<P> pa, pb;
        for (int i = 0; i < n; ++i) pa.push_back({0, 0, 0, 1, 0, c.id(i)});
        for (int i = 0; i < n; ++i) {
            if (rng() % 20 == 0) continue;  // lost
            pb.push_back({0, 0, 0, 1, 0, c.id(i)});
            if (c.duplicates && rng() % 10 == 0) pb.push_back({0, 0, 0, 1, 0, c.id(i)});
        }
        for (int k = 0; k < 200 && c.moved; ++k)  // some partners far from where they were
            std::swap(pb[rng() % pb.size()], pb[rng() % pb.size()]);
        for (int k = 0; k < 300 && c.moved; ++k)  // and some nearby
            std::swap(pb[k * 90], pb[k * 90 + rng() % 7]);
        for (size_t j = 0; j < pb.size(); ++j) pb[j].x = static_cast<float>(j + 1);  // tells j
        Snap b(pb);
        for (int workers : {1, 4}) {
            Snap a(pa);
            ComputeAllRates(Job(a, b, 1.0f, INTERP_LINEAR, NUMBER_BY_ID), workers);
            int found = 0;
            const int64_t m = a.Count();  // by ID every particle of A is looked for
            const int64_t stride = c.n > 30000 ? 7 : 1;  // the reference scan is slow
            for (int64_t i = 0; i < m; i += stride) {
                const int64_t j = ReferenceFindById(b.id, i, a.id[i]);
                found += j >= 0;
                ASSERT_EQ(a.vel[3 * i], static_cast<float>(j + 1)) << c.what << " particle " << i;
            }
            EXPECT_GT(found, m / stride / 2) << c.what;
            EXPECT_LT(found, m / stride) << c.what;  // the lost ones have no partner
        }
    }
}

TEST(InterpolationJob, ParticlesMissingFromTheNextSnapshotGetZeroRates) {
    // B has two particles fewer than A: A's last two are in no block.
    for (int type : {INTERP_LINEAR, INTERP_HERMITE, INTERP_NONE}) {
        Snap a({{0, 0, 0, 1, 0, 1, 4, 4, 4}, {0, 0, 0, 1, 0, 2, 4, 4, 4},
                {0, 0, 0, 1, 0, 3, 4, 4, 4}, {0, 0, 0, 1, 0, 4, 4, 4, 4}},
               type == INTERP_HERMITE);
        Snap b({{1, 1, 1, 2, 2, 1}, {1, 1, 1, 2, 2, 2}});
        ComputeAllRates(Job(a, b, 1.0f, type, NUMBER_BY_INDEX));
        for (size_t i = 2; i < 4; ++i) {
            EXPECT_EQ(a.radRate[i], 0.0f) << type;
            EXPECT_EQ(a.valRate[i], 0.0f) << type;
            // linear: the velocity array is the position rate, so it is 0 too;
            // otherwise it keeps the velocity read from the file
            const float v = type == INTERP_LINEAR ? 0.0f : 4.0f;
            EXPECT_EQ(a.vel[3 * i], v) << type;
        }
        if (type == INTERP_HERMITE)
            for (size_t k = 6; k < 12; ++k) {
                EXPECT_EQ(a.c2[k], 0.0f);
                EXPECT_EQ(a.c3[k], 0.0f);
            }
    }
}

TEST(InterpolationJob, PeriodicBoxCorrection) {
    struct Case {
        int type, effect, mode;
        float expect[3];
    } cases[] = {
        {PERIODIC_XYZ, PERIODIC_GUESS_VELOCITY, NUMBER_BY_INDEX, {0.5f, -0.5f, 0.5f}},
        {PERIODIC_XYZ, PERIODIC_GUESS_VELOCITY, NUMBER_BY_ID, {0.5f, -0.5f, 0.5f}},
        {PERIODIC_XYZ, PERIODIC_GUESS_VELOCITY, NUMBER_SORTED_ID, {0.5f, -0.5f, 0.5f}},
        {PERIODIC_XYZ, PERIODIC_ZERO_VELOCITY, NUMBER_BY_INDEX, {0, 0, 0}},
        {PERIODIC_XY, PERIODIC_GUESS_VELOCITY, NUMBER_BY_INDEX, {0.5f, -0.5f, -4.5f}},
        {PERIODIC_XY, PERIODIC_ZERO_VELOCITY, NUMBER_BY_ID, {0, 0, -4.5f}},
        {PERIODIC_NONE, PERIODIC_GUESS_VELOCITY, NUMBER_BY_INDEX, {-4.5f, 4.5f, -4.5f}},
    };
    for (const auto& c : cases) {
        // Over 2.0 time units: x 9.5 -> 0.5, y 0.5 -> 9.5, z 9.5 -> 0.5 in a box of 10;
        // a second particle moves exactly half a box, which is never corrected.
        // Eleven such pairs, so that long runs of particles are covered as well as short.
        std::vector<P> pa, pb;
        for (int k = 0; k < 11; ++k) {
            pa.push_back({9.5f, 0.5f, 9.5f, 1, 0, 2 * k});
            pa.push_back({0, 0, 0, 1, 0, 2 * k + 1});
            pb.push_back({0.5f, 9.5f, 0.5f, 2, 0, 2 * k});
            pb.push_back({5, 0, 0, 1, 0, 2 * k + 1});
        }
        Snap a(pa), b(pb);
        ComputeAllRates(Job(a, b, 2.0f, INTERP_LINEAR, c.mode,
                            PeriodicRule_cls(c.type, c.effect, 10, 10, 10)));
        const std::string what = "type " + std::to_string(c.type) + " effect " +
                                 std::to_string(c.effect) + " mode " + std::to_string(c.mode);
        for (size_t k = 0; k < 22; k += 2) {
            a.ExpectRates(k, c.expect[0], c.expect[1], c.expect[2], 0.5f, 0, what.c_str());
            a.ExpectRates(k + 1, 2.5f, 0, 0, 0, 0, what.c_str());
        }
    }
}

TEST(InterpolationJob, CasesWithoutARateRuleLeaveZeroRates) {
    struct Case {
        int type, mode;
        PeriodicRule_cls rule;
        bool keepsVelocity;
        const char* what;
    } cases[] = {
        {INTERP_NONE, NUMBER_BY_INDEX, {}, true, "no interpolation"},
        {7, NUMBER_BY_INDEX, {}, true, "unknown type"},
        {INTERP_HERMITE, 3, {}, true, "Hermite, unknown mode"},
        {INTERP_HERMITE, NUMBER_BY_INDEX, {5, 0, 10, 10, 10}, true, "Hermite, unknown periodic"},
        {INTERP_LINEAR, 3, {}, false, "unknown mode"},
        {INTERP_LINEAR, NUMBER_BY_INDEX, {5, 0, 10, 10, 10}, false, "unknown periodic"},
    };
    for (const auto& c : cases) {
        Snap a({{0, 0, 0, 1, 0, 1, 3, 2, 1}, {0, 0, 0, 1, 0, 2, 3, 2, 1}},
               c.type == INTERP_HERMITE);
        Snap b({{1, 1, 1, 2, 2, 1}, {1, 1, 1, 2, 2, 2}});
        for (int workers : {1, 2}) {
            ComputeAllRates(Job(a, b, 1.0f, c.type, c.mode, c.rule), workers);
            for (size_t i = 0; i < 2; ++i) {
                if (c.keepsVelocity)
                    a.ExpectRates(i, 3, 2, 1, 0, 0, c.what);
                else
                    a.ExpectRates(i, 0, 0, 0, 0, 0, c.what);
            }
            for (float v : a.c2) EXPECT_EQ(v, 0.0f) << c.what;
        }
    }
    // IDs asked for but not held: no match is possible, nothing is read through null.
    Snap a({{0, 0, 0, 1, 0, 1}}), b({{1, 1, 1, 2, 2, 1}});
    auto job = Job(a, b, 1.0f, INTERP_LINEAR, NUMBER_BY_ID);
    job.b.id = nullptr;
    ComputeAllRates(job);
    a.ExpectRates(0, 0, 0, 0, 0, 0, "no ids");
}

TEST(InterpolationJob, HermiteCoefficientsGiveTheCubicThroughBothSnapshots) {
    struct Case {
        float pa, pb, va, vb, dt;
    } cases[] = {
        {0, 1, 0, 0, 1},     {0, 1, 0, 0, 2},  {2, -3, 1, 4, 0.5f},
        {-1, 5, -2, 3, 3},   {7, 7, 0, 0, 1},  {0, 10, 5, 5, 2},
    };
    for (const auto& c : cases) {
        Snap a({{c.pa, c.pa + 1, c.pa - 1, 1, 2, 0, c.va, c.va, c.va}}, true);
        Snap b({{c.pb, c.pb + 1, c.pb - 1, 3, 8, 0, c.vb, c.vb, c.vb}});
        ComputeAllRates(Job(a, b, c.dt, INTERP_HERMITE, NUMBER_BY_INDEX));
        EXPECT_FLOAT_EQ(a.radRate[0], 2 / c.dt);
        EXPECT_FLOAT_EQ(a.valRate[0], 6 / c.dt);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(a.vel[k], c.va);  // the file's velocities stay
            const double T = c.dt, p0 = a.pos[k], v0 = c.va;
            const double c2 = a.c2[k], c3 = a.c3[k];
            const double pT = p0 + v0 * T + c2 * T * T + c3 * T * T * T;
            const double vT = v0 + 2 * c2 * T + 3 * c3 * T * T;
            EXPECT_NEAR(pT, b.pos[k], 1e-4) << "P(T) pa " << c.pa << " pb " << c.pb;
            EXPECT_NEAR(vT, c.vb, 1e-4) << "P'(T) pa " << c.pa << " pb " << c.pb;
        }
    }
}

// Hermite by ID and in a box: each particle's cubic runs from A to its partner's position
// (seen across the box edge when it crossed); without a partner, towards A itself, or
// forced to 0 by the box rule, a particle only keeps its own velocity (c2 = c3 = 0).
TEST(InterpolationJob, HermiteMatchesByIdAndAcrossTheBox) {
    struct Case {
        int mode;
        PeriodicRule_cls rule;
        bool self;
        const char* what;
    } cases[] = {
        {NUMBER_BY_ID, {2, 0, 10, 10, 10}, false, "by id, minimum image"},
        {NUMBER_SORTED_ID, {2, 0, 10, 10, 10}, false, "sorted ids, minimum image"},
        {NUMBER_BY_ID, {2, 1, 10, 10, 10}, false, "by id, crossing forced to 0"},
        {NUMBER_BY_ID, {}, true, "towards itself"},
    };
    for (const auto& c : cases) {
        // IDs 2, 4, 9 in A; B holds 2 and 4 (4 crossed the x edge), not 9.
        Snap a({{1, 1, 1, 1, 0, 2, 0.5f, 0, 0}, {4.5f, 0, 0, 1, 0, 4, 1, 0, 0}, {0, 0, 0, 1, 0, 9, 3, 3, 3}}, true);
        Snap b({{2, 3, 1, 3, 1, 2, 0, 0, 0}, {-4.5f, 0, 0, 2, 4, 4, 2, 0, 0}});
        const double T = 2.0;
        ComputeAllRates(c.self ? Job(a, a, T, INTERP_HERMITE, c.mode, c.rule)
                               : Job(a, b, T, INTERP_HERMITE, c.mode, c.rule), 1);
        auto at = [&](size_t i, int k, double t) {
            const size_t n = 3 * i + k;
            return a.pos[n] + a.vel[n] * t + a.c2[n] * t * t + a.c3[n] * t * t * t;
        };
        for (size_t i = 0; i < 3; ++i)
            for (int k = 0; k < 3; ++k) EXPECT_EQ(a.vel[3 * i + k], (i == 0 ? (k ? 0 : 0.5f) : i == 1 ? (k ? 0 : 1.0f) : 3.0f))
                << c.what << ": the velocities are the tangents and stay";
        // ID 9 has no partner: radius and value1 rates 0, no cubic part.
        EXPECT_EQ(a.radRate[2], 0.0f) << c.what;
        for (int k = 0; k < 3; ++k) EXPECT_EQ(a.c2[6 + k], 0.0f) << c.what;
        if (c.self) {
            for (float v : a.c2) EXPECT_EQ(v, 0.0f) << c.what;
            for (float v : a.c3) EXPECT_EQ(v, 0.0f) << c.what;
            continue;
        }
        // ID 2: A's particle 0 against B's particle 0.
        EXPECT_FLOAT_EQ(a.radRate[0], (3 - 1) / T) << c.what;
        EXPECT_FLOAT_EQ(a.valRate[0], (1 - 0) / T) << c.what;
        const float end0[3] = {2, 3, 1};
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(at(0, k, T), end0[k], 1e-5) << c.what;
        // ID 4 went from x = 4.5 to -4.5: one unit on through the edge, or held.
        if (c.rule.effect == PERIODIC_GUESS_VELOCITY) {
            EXPECT_NEAR(at(1, 0, T), 5.5, 1e-5) << c.what;
            const double slopeT = a.vel[3] + 2 * a.c2[3] * T + 3 * a.c3[3] * T * T;
            EXPECT_NEAR(slopeT, 2.0, 1e-5) << c.what << ": arrives with B's velocity";
        } else {
            EXPECT_EQ(a.c2[3], 0.0f) << c.what;
            EXPECT_EQ(a.c3[3], 0.0f) << c.what;
        }
    }
}

TEST(InterpolationJob, JobFromTwoLoadedSnapshots) {
    ParticleData_cls a(nullptr, 0), b(nullptr, 1), empty(nullptr, 2);
    for (ParticleData_cls* pd : {&a, &b}) {
        pd->interpolationType = INTERP_LINEAR;
        pd->numberMode = NUMBER_BY_INDEX;
        ASSERT_TRUE(pd->Allocate(3));
        for (int i = 0; i < 3; ++i) {
            for (int c = 0; c < 3; ++c) pd->position[3 * i + c] = (pd == &a ? 0.0f : 1.0f + i);
            pd->radius[i] = pd == &a ? 1.0f : 2.0f;
            pd->value1[i] = 0.0f;
            pd->id[i] = i;
        }
    }
    a.time = 1.0;
    b.time = 3.5;
    auto job = InterpolationJob_cls::FromSnapshots(a, b, PeriodicRule_cls());
    EXPECT_EQ(job.countA, 3);
    EXPECT_EQ(job.countB, 3);
    EXPECT_FLOAT_EQ(job.dt, 2.5f);
    ComputeAllRates(job);
    EXPECT_FLOAT_EQ(a.velocity[3 * 2], 3.0f / 2.5f);
    EXPECT_FLOAT_EQ(a.radiusRate[1], 1.0f / 2.5f);

    // Equal times, and the last frame interpolated against itself: dt 1, not 0.
    b.time = 1.0;
    EXPECT_FLOAT_EQ(InterpolationJob_cls::FromSnapshots(a, b, {}).dt, 1.0f);
    job = InterpolationJob_cls::FromSnapshots(a, a, {});
    EXPECT_FLOAT_EQ(job.dt, 1.0f);
    ComputeAllRates(job);
    EXPECT_EQ(a.velocity[0], 0.0f);

    // A next snapshot without arrays: A's particles all get zero rates.
    job = InterpolationJob_cls::FromSnapshots(a, empty, {});
    EXPECT_EQ(job.countB, 0);
    a.radiusRate[0] = 5.0f;
    ComputeAllRates(job);
    EXPECT_EQ(a.radiusRate[0], 0.0f);
    EXPECT_EQ(a.velocity[3], 0.0f);
}
