// Waiting for the worker threads that write into data the GUI thread is about to release
// or destroy (Quit, the close box, clearing the particle data).
#pragma once

#include <atomic>
#include <functional>

/// Polls `done` every `pollMs` milliseconds through `sleep` until it holds. No time limit:
/// a worker always ends by setting its done flag.
void WaitUntilDone(const std::atomic<bool>& done, const std::function<void(int ms)>& sleep,
                   int pollMs = 10);

/// Blocks the GUI thread until the running snapshot reader and the running interpolator
/// have finished, then forgets them. Returns at once when none runs.
void WaitForWorkerThreads();
