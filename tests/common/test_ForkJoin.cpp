// The fork-join worker group: refused workers run on the caller, the group joins before it
// goes, and an exception thrown while workers run leaves none of them running.
#include "common/ForkJoin.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <new>
#include <thread>
#include <vector>

#include <wx/init.h>

namespace {

class ForkJoinTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(wxInitialize()); }
    void TearDown() override { wxUninitialize(); }
};

// What each worker saw: how often it ran and on which thread.
struct Trace {
    std::atomic<int> runs{0};
    std::thread::id where;
};

// A worker thread of its own class, as the program's task classes are.
class TraceWorker_cls : public wxThread {
public:
    explicit TraceWorker_cls(Trace* trace) : wxThread(wxTHREAD_JOINABLE), trace_(trace) {}
    void Work() {
        trace_->where = std::this_thread::get_id();
        trace_->runs.fetch_add(1);
    }

protected:
    ExitCode Entry() override {
        Work();
        return nullptr;
    }

private:
    Trace* trace_;
};

TEST_F(ForkJoinTest, EveryWorkerRunsOnceAndRefusedOnesRunOnTheCaller) {
    struct Case {
        const char* name;
        size_t workers, keepHere;
        std::vector<bool> refuse;  // per worker: the starter refuses it
    };
    const std::vector<Case> cases = {
        {"all start", 4, 1, {false, false, false, false}},
        {"none can start", 4, 1, {true, true, true, true}},
        {"one in the middle refused", 5, 1, {false, false, true, false, false}},
        {"caller keeps none", 3, 0, {false, true, false}},
        {"single worker", 1, 1, {false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Trace> traces(c.workers);
        const std::thread::id caller = std::this_thread::get_id();
        std::vector<bool> offered(c.workers, false);
        {
            ForkJoin_cls group([&](wxThread& t) {
                for (size_t k = 0; k < c.workers; ++k)
                    if (group.Worker(k) == &t) {
                        offered[k] = true;
                        return !c.refuse[k] && t.Run() == wxTHREAD_NO_ERROR;
                    }
                return false;
            });
            for (size_t k = 0; k < c.workers; ++k) {
                auto* w = new TraceWorker_cls(&traces[k]);
                group.Add(std::unique_ptr<wxThread>(w), [w] { w->Work(); });
            }
            group.Run(c.keepHere);
            group.Join();
            for (size_t k = 0; k < c.workers; ++k) {
                SCOPED_TRACE(k);
                const bool kept = k + c.keepHere >= c.workers;
                EXPECT_EQ(offered[k], !kept);
                EXPECT_EQ(group.Started(k), !kept && !c.refuse[k]);
                EXPECT_EQ(traces[k].runs.load(), 1);
                if (group.Started(k))
                    EXPECT_NE(traces[k].where, caller);
                else
                    EXPECT_EQ(traces[k].where, caller);
            }
        }
    }
}

TEST_F(ForkJoinTest, LeavingTheScopeJoinsTheWorkers) {
    // Each worker is still busy when the group goes out of scope without a Join: the
    // destructor must wait for it.
    std::vector<std::atomic<bool>> finished(3);
    for (auto& f : finished) f = false;
    {
        ForkJoin_cls group;
        for (auto& f : finished)
            group.Add([&f] {
                std::this_thread::sleep_for(std::chrono::milliseconds(150));
                f.store(true);
            });
        group.Run(0);
        EXPECT_TRUE(group.Started(0));
    }
    for (size_t k = 0; k < finished.size(); ++k) EXPECT_TRUE(finished[k].load()) << "worker " << k;
}

TEST_F(ForkJoinTest, OutOfMemoryOnTheCallerLeavesNoWorkerRunning) {
    // The caller's own share runs out of memory while the others work: the exception leaves
    // the scope only after every started worker has ended, so none writes into memory the
    // unwinding frees.
    std::atomic<int> ended{0};
    bool caught = false;
    try {
        ForkJoin_cls group;
        for (int k = 0; k < 3; ++k)
            group.Add([&ended] {
                std::this_thread::sleep_for(std::chrono::milliseconds(150));
                ended.fetch_add(1);
            });
        group.Add([] { throw std::bad_alloc(); });
        group.Run(1);
    } catch (const std::bad_alloc&) {
        caught = true;
        EXPECT_EQ(ended.load(), 3);
    }
    EXPECT_TRUE(caught);
}

TEST_F(ForkJoinTest, ALaterWaveStartsWithTheNextRunAndEveryWaveIsJoined) {
    std::atomic<int> first{0}, second{0};
    {
        ForkJoin_cls group;
        group.Add([&first] { first.fetch_add(1); });
        group.Run(0);
        group.Add([&second] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            second.fetch_add(1);
        });
        group.Add([&second] { second.fetch_add(1); });
        group.Run(0);
        EXPECT_TRUE(group.Started(1));
        EXPECT_TRUE(group.Started(2));
    }
    EXPECT_EQ(first.load(), 1);  // run by the first wave only, not again by the second
    EXPECT_EQ(second.load(), 2);
}

TEST_F(ForkJoinTest, TheCallerCanRunRefusedWorkersInItsOwnOrder) {
    std::vector<Trace> traces(3);
    ForkJoin_cls group([](wxThread&) { return false; });
    for (auto& t : traces) {
        auto* w = new TraceWorker_cls(&t);
        group.Add(std::unique_ptr<wxThread>(w), [w] { w->Work(); });
    }
    group.Run(1, false);
    for (const auto& t : traces) EXPECT_EQ(t.runs.load(), 0);  // left to the caller
    for (size_t k = 0; k < group.Size(); ++k)
        if (!group.Started(k)) group.RunHere(k);
    for (const auto& t : traces) EXPECT_EQ(t.runs.load(), 1);
}

}  // namespace
