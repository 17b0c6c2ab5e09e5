#include "app/WorkerWait.h"

#include <gtest/gtest.h>

#include <thread>

TEST(WorkerWait, PollsUntilTheWorkerSaysDone) {
    std::atomic<bool> done{false};
    int polls = 0;
    // the "worker" finishes on the third poll
    WaitUntilDone(done, [&](int ms) {
        EXPECT_EQ(ms, 10);
        if (++polls == 3) done.store(true, std::memory_order_release);
    });
    EXPECT_EQ(polls, 3);

    // a real thread
    std::atomic<bool> finished{false};
    int result = 0;
    std::thread worker([&] {
        result = 42;
        finished.store(true, std::memory_order_release);
    });
    WaitUntilDone(
        finished, [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }, 1);
    EXPECT_EQ(result, 42);
    worker.join();

    // already done: no sleep at all
    int sleeps = 0;
    WaitUntilDone(finished, [&](int) { ++sleeps; });
    EXPECT_EQ(sleeps, 0);
}
