// Starting an outside program (the POV-Ray renderer) without a shell, waiting for it and
// taking its exit status, and ending it early.
#pragma once

#include <atomic>
#include <string>
#include <vector>

namespace platform {

/// What became of one run.
struct ChildResult {
    bool started = false;  ///< the program could be executed
    int exitCode = -1;     ///< its exit status; 128 + signal when a signal ended it
    std::string error;     ///< why it could not start ("No such file or directory")
    std::string output;    ///< the last few kilobytes it printed (standard output and error)
};

/// Runs `program` (a path, or a bare name looked up on PATH) with `args` in `workDir`,
/// which is created when missing, and waits until it has ended. Its output is collected,
/// never printed. `pid`, when given, holds the child's id while it runs (0 otherwise) so
/// that another thread can end it with TerminateChild. Any thread.
ChildResult RunChild(const std::string& program, const std::vector<std::string>& args,
                     const std::string& workDir, std::atomic<long>* pid = nullptr);

/// Asks a child started by RunChild to end (SIGTERM); 0 or a negative id does nothing.
void TerminateChild(long pid);
/// Ends a child started by RunChild that did not end when asked (SIGKILL, which it cannot
/// ignore); 0 or a negative id does nothing.
void KillChild(long pid);

/// Creates `path` and its missing parents; true when it exists as a folder afterwards.
bool MakeDirectories(const std::string& path);

}  // namespace platform
