// Waiting for worker threads.
#include "app/WorkerWait.h"

void WaitUntilDone(const std::atomic<bool>& done, const std::function<void(int ms)>& sleep,
                   int pollMs) {
    while (!done.load(std::memory_order_acquire)) sleep(pollMs);
}

void WaitForWorkerThreads() {
    // The snapshot reader and the interpolator register here with the particle data;
    // until they exist no worker writes into data owned by the central object.
}
