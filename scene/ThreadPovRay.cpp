// Render thread.
#include "scene/ThreadPovRay.h"

#include "platform/Trace.h"

bool ThreadPovRay_cls::Start(const PovRenderCommand_cls& command, std::atomic<bool>* idleFlag,
                             std::function<void()> done) {
    command_ = command;
    idleFlag_ = idleFlag;
    done_ = std::move(done);
    return Create() == wxTHREAD_NO_ERROR;
}

wxThread::ExitCode ThreadPovRay_cls::Entry() {
    result_ = platform::RunChild(command_.program, command_.args, command_.workDir, &pid_);
    platform::Trace("Return Value=" + std::to_string(result_.exitCode));
    if (idleFlag_) idleFlag_->store(true, std::memory_order_release);
    if (done_) done_();
    return reinterpret_cast<ExitCode>(static_cast<intptr_t>(result_.exitCode));
}
