// Waiting for worker threads.
#include "app/WorkerWait.h"

#include <wx/utils.h>

#include "data/ThreadFileReader.h"
#include "data/ThreadInterpolator.h"
#include "view/ImageSaver.h"

void WaitUntilDone(const std::atomic<bool>& done, const std::function<void(int ms)>& sleep,
                   int pollMs) {
    while (!done.load(std::memory_order_acquire)) sleep(pollMs);
}

void WaitForWorkerThreads() {
    // Until their true end (not only their done flags): after it, nothing of theirs touches
    // the snapshots, the frame or the objects their completion calls reach.
    while (ThreadFileReader_cls::IsRunning()) wxMilliSleep(5);
    ThreadFileReader_cls::ForgetFinished();
    ThreadInterpolator_cls::WaitUntilFinished([](int ms) { wxMilliSleep(ms); });
    // an image still being written is finished, so quitting never leaves a cut file
    GoImageSaver.WaitForWriter();
}
