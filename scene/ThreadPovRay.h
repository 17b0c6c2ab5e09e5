// The render thread: runs one POV-Ray call and waits for it.
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include <wx/thread.h>

#include "platform/ChildProcess.h"
#include "scene/PovRayCtrl.h"

/// Joinable: the controller waits for it before starting the next one or going away.
class ThreadPovRay_cls : public wxThread {
public:
    ThreadPovRay_cls() : wxThread(wxTHREAD_JOINABLE) {}

    /// Stores the call, the idle flag to set at the end and the completion to run on this
    /// thread; creates the system thread. False when it cannot be created.
    bool Start(const PovRenderCommand_cls& command, std::atomic<bool>* idleFlag,
               std::function<void()> done);
    /// Ends the running renderer (any thread).
    void Terminate() { platform::TerminateChild(pid_.load(std::memory_order_acquire)); }
    /// Ends the running renderer that ignores Terminate (any thread).
    void Kill() { platform::KillChild(pid_.load(std::memory_order_acquire)); }
    /// The result of the call; read after the idle flag is set.
    const platform::ChildResult& Result() const { return result_; }
    const PovRenderCommand_cls& Command() const { return command_; }

protected:
    ExitCode Entry() override;

private:
    PovRenderCommand_cls command_;
    std::atomic<bool>* idleFlag_ = nullptr;
    std::function<void()> done_;
    std::atomic<long> pid_{0};
    platform::ChildResult result_;
};
