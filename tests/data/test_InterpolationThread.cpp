#include <atomic>
#include <cstring>
#include <limits>
#include <mutex>
#include <random>
#include <vector>

#include <gtest/gtest.h>
#include <wx/init.h>
#include <wx/utils.h>

#include "common/CommandHistory.h"
#include "common/MenuCommandPoster.h"
#include "data/ThreadInterpolator.h"

namespace {

// Threads need the toolkit's base library initialised (no application window).
class WxBase : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(wxInitialize()); }
    void TearDown() override { wxUninitialize(); }
};
::testing::Environment* const gWxBase = ::testing::AddGlobalTestEnvironment(new WxBase);

class RecordingPoster : public MenuCommandPoster_cls {
public:
    void PostMenuCommand(int id) override {
        std::lock_guard<std::mutex> lock(mutex_);
        ids_.push_back(id);
    }
    std::vector<int> Ids() {
        std::lock_guard<std::mutex> lock(mutex_);
        return ids_;
    }

private:
    std::mutex mutex_;
    std::vector<int> ids_;
};

const float kNaN = std::numeric_limits<float>::quiet_NaN();

// A pair of snapshots of a few thousand particles with sorted IDs, some of A's IDs missing
// from B, moves across a box of 10 and B shorter than A.
struct Pair {
    std::vector<float> posA, velA, c2, c3, radA, radRateA, valA, valRateA;
    std::vector<float> posB, velB, radB, valB;
    std::vector<int32_t> idA, idB;
    std::vector<uint8_t> typeA, typeB;

    Pair(int nA, int nB) {
        std::mt19937 rng(42);
        std::uniform_real_distribution<float> u(0.0f, 10.0f);
        int32_t id = 0;
        for (int i = 0; i < nA; ++i) {
            id += 1 + static_cast<int32_t>(rng() % 3);
            idA.push_back(id);
            for (int c = 0; c < 3; ++c) posA.push_back(u(rng)), velA.push_back(u(rng) - 5);
            radA.push_back(u(rng));
            valA.push_back(u(rng));
            typeA.push_back(0);
        }
        for (int i = 0; i < nA && static_cast<int>(idB.size()) < nB; ++i) {
            if (rng() % 7 == 0) continue;  // particle gone in B
            idB.push_back(idA[i] + (rng() % 11 == 0 ? 1 : 0));
            for (int c = 0; c < 3; ++c) posB.push_back(u(rng)), velB.push_back(u(rng) - 5);
            radB.push_back(u(rng));
            valB.push_back(u(rng));
            typeB.push_back(0);
        }
        for (size_t k = 1; k < idB.size(); ++k)
            if (idB[k] <= idB[k - 1]) idB[k] = idB[k - 1] + 1;  // keep B sorted and unique
        Reset();
    }
    void Reset() {
        radRateA.assign(radA.size(), kNaN);
        valRateA.assign(radA.size(), kNaN);
        c2.assign(posA.size(), kNaN);
        c3.assign(posA.size(), kNaN);
        for (float& v : velA) v = kNaN;  // what linear mode leaves out shows as NaN
    }
    InterpolationJob_cls Job(int type, int mode, PeriodicRule_cls rule) {
        InterpolationJob_cls job;
        job.interpolationType = type;
        job.numberMode = mode;
        job.periodic = rule;
        job.a = {posA.data(), velA.data(), c2.data(), c3.data(), radA.data(),
                 radRateA.data(), valA.data(), valRateA.data(), typeA.data(), idA.data()};
        job.b = {posB.data(), velB.data(), nullptr, nullptr, radB.data(),
                 nullptr, valB.data(), nullptr, typeB.data(), idB.data()};
        job.countA = static_cast<int64_t>(radA.size());
        job.countB = static_cast<int64_t>(radB.size());
        job.dt = 0.75f;
        return job;
    }
    std::vector<float> Outputs() const {
        std::vector<float> out(velA);
        out.insert(out.end(), radRateA.begin(), radRateA.end());
        out.insert(out.end(), valRateA.begin(), valRateA.end());
        out.insert(out.end(), c2.begin(), c2.end());
        out.insert(out.end(), c3.begin(), c3.end());
        return out;
    }
};

bool SameBits(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

bool WaitFor(const std::atomic<bool>& flag) {
    for (int k = 0; k < 2000 && !flag.load(std::memory_order_acquire); ++k) wxMilliSleep(3);
    return flag.load(std::memory_order_acquire);
}

}  // namespace

TEST(InterpolationThread, ResultDoesNotDependOnTheWorkerCount) {
    Pair pair(3001, 2800);
    struct Case {
        int type, mode;
        PeriodicRule_cls rule;
    } cases[] = {
        {INTERP_LINEAR, NUMBER_BY_INDEX, {2, 0, 10, 10, 10}},
        {INTERP_LINEAR, NUMBER_BY_ID, {1, 1, 10, 10, 10}},
        {INTERP_LINEAR, NUMBER_SORTED_ID, {2, 0, 10, 10, 10}},
        {INTERP_LINEAR, NUMBER_SORTED_ID, {}},
        {INTERP_HERMITE, NUMBER_BY_INDEX, {}},
        {INTERP_NONE, NUMBER_BY_INDEX, {}},
    };
    for (const auto& c : cases) {
        pair.Reset();
        ComputeAllRates(pair.Job(c.type, c.mode, c.rule), 1);
        const std::vector<float> reference = pair.Outputs();
        if (c.type == INTERP_LINEAR) {
            // every particle has defined rates (no NaN left anywhere)
            for (float v : pair.velA) ASSERT_FALSE(std::isnan(v));
            for (float v : pair.radRateA) ASSERT_FALSE(std::isnan(v));
        }
        for (int workers = 1; workers <= 6; ++workers) {
            pair.Reset();
            ThreadInterpolator_cls::RunBlocks(pair.Job(c.type, c.mode, c.rule), workers);
            EXPECT_TRUE(SameBits(pair.Outputs(), reference))
                << "type " << c.type << " mode " << c.mode << " workers " << workers;
        }
    }
    // The sorted-ID match found most partners and missed the particles that left.
    pair.Reset();
    ComputeAllRates(pair.Job(INTERP_LINEAR, NUMBER_SORTED_ID, {}), 3);
    int zero = 0;
    for (float r : pair.radRateA) zero += (r == 0.0f);
    EXPECT_GT(zero, 300);
    EXPECT_LT(zero, 1200);
}

TEST(InterpolationThread, StartComputesOnAThreadAndSignalsCompletion) {
    Pair pair(2000, 2000);
    for (int workers : {0, 1, 4, 6}) {
        pair.Reset();
        const auto job = pair.Job(INTERP_LINEAR, NUMBER_BY_INDEX, {2, 0, 10, 10, 10});
        ComputeAllRates(job, 1);
        const std::vector<float> reference = pair.Outputs();
        pair.Reset();

        RecordingPoster poster;
        std::atomic<bool> ratesReady{false};
        ASSERT_TRUE(ThreadInterpolator_cls::Start(job, &ratesReady, &poster, workers));
        ASSERT_TRUE(WaitFor(ratesReady));
        ASSERT_TRUE(WaitFor(GbInterpolatorDone));
        // The worker never clears its registration: the GUI thread's wait joins the
        // thread and then forgets it.
        EXPECT_NE(GpInterpolatorThread.load(), nullptr);
        ThreadInterpolator_cls::WaitUntilFinished([](int ms) { wxMilliSleep(ms); });
        EXPECT_FALSE(ThreadInterpolator_cls::IsRunning());
        EXPECT_EQ(GpInterpolatorThread.load(), nullptr);
        EXPECT_EQ(poster.Ids(), std::vector<int>{ID_TIME_REFRESH});
        EXPECT_TRUE(SameBits(pair.Outputs(), reference)) << "workers " << workers;
    }
}

TEST(InterpolationThread, OnlyOneInterpolatorAtATime) {
    Pair pair(10, 10);
    // Another interpolator is registered (the pointer is only compared, never followed).
    int stand_in = 0;
    auto* other = reinterpret_cast<ThreadInterpolator_cls*>(&stand_in);
    GpInterpolatorThread.store(other);
    GbInterpolatorDone.store(false);
    std::atomic<bool> ratesReady{false};
    EXPECT_FALSE(ThreadInterpolator_cls::Start(pair.Job(INTERP_LINEAR, 0, {}), &ratesReady,
                                               nullptr, 1));
    EXPECT_FALSE(ThreadInterpolator_cls::IsRunning());
    EXPECT_FALSE(ratesReady.load());
    EXPECT_TRUE(std::isnan(pair.radRateA[0]));
    EXPECT_EQ(GpInterpolatorThread.load(), other);

    // Once the wait has cleared the pointer, a new request starts.
    GpInterpolatorThread.store(nullptr);
    ASSERT_TRUE(ThreadInterpolator_cls::Start(pair.Job(INTERP_LINEAR, 0, {}), &ratesReady,
                                              nullptr, 1));
    ASSERT_TRUE(WaitFor(ratesReady));
    // Ended but still registered until the GUI thread forgets it: no second start before.
    while (ThreadInterpolator_cls::IsRunning()) wxMilliSleep(1);
    EXPECT_FALSE(ThreadInterpolator_cls::Start(pair.Job(INTERP_LINEAR, 0, {}), &ratesReady,
                                               nullptr, 1));
    ThreadInterpolator_cls::WaitUntilFinished([](int ms) { wxMilliSleep(ms); });
    EXPECT_TRUE(GbInterpolatorDone.load());
    EXPECT_FALSE(std::isnan(pair.radRateA[0]));
    EXPECT_EQ(GpInterpolatorThread.load(), nullptr);

    // A wait clears the pointer as soon as the done flag is seen, and the GUI may register
    // the next interpolator before the previous one has ended: that one's end must not
    // unregister its successor.
    Pair big(400000, 400000);
    std::atomic<bool> bigReady{false};
    ASSERT_TRUE(ThreadInterpolator_cls::Start(big.Job(INTERP_LINEAR, 0, {}), &bigReady,
                                              nullptr, 1));
    GpInterpolatorThread.store(other);  // as if cleared by a wait and taken by a successor
    ThreadInterpolator_cls::WaitUntilFinished([](int ms) { wxMilliSleep(ms); });
    EXPECT_TRUE(bigReady.load());
    EXPECT_EQ(GpInterpolatorThread.load(), other);
    GpInterpolatorThread.store(nullptr);
}
