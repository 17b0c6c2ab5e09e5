// fork and exec with a close-on-exec pipe that carries an exec failure back to the parent,
// so "no such program" is told apart from a program that ran and failed.
#include "platform/ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

namespace {
constexpr size_t kKeptOutput = 4096;
}

bool MakeDirectories(const std::string& path) {
    if (path.empty()) return false;
    std::string part;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || (path[i] == '/' && i > 0)) {
            part = path.substr(0, i);
            if (mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
        }
    }
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

ChildResult RunChild(const std::string& program, const std::vector<std::string>& args,
                     const std::string& workDir, std::atomic<long>* pid) {
    ChildResult result;
    if (program.empty()) {
        result.error = "no program given";
        return result;
    }
    if (!workDir.empty() && !MakeDirectories(workDir)) {
        result.error = "cannot create the folder " + workDir + ": " + std::strerror(errno);
        return result;
    }
    // Everything the child needs is prepared before the fork: after it only
    // async-signal-safe calls run there.
    std::vector<std::string> argvText;
    argvText.push_back(program);
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argvText) argv.push_back(&a[0]);
    argv.push_back(nullptr);

    int out[2], status[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        result.error = std::strerror(errno);
        return result;
    }
    if (pipe2(status, O_CLOEXEC) != 0) {
        result.error = std::strerror(errno);
        close(out[0]);
        close(out[1]);
        return result;
    }
    const pid_t child = fork();
    if (child < 0) {
        result.error = std::strerror(errno);
        for (int fd : {out[0], out[1], status[0], status[1]}) close(fd);
        return result;
    }
    if (child == 0) {
        int err = 0;
        if (!workDir.empty() && chdir(workDir.c_str()) != 0) err = errno;
        if (!err) {
            const int devnull = open("/dev/null", O_RDONLY);
            if (devnull >= 0) dup2(devnull, 0);
            dup2(out[1], 1);
            dup2(out[1], 2);
            // The program's own descriptors (the display connection, other pipes) are not
            // the renderer's: they close on exec, as the status pipe does.
            close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
            execvp(argv[0], argv.data());
            err = errno;
        }
        ssize_t ignored = write(status[1], &err, sizeof err);
        (void)ignored;
        _exit(127);
    }
    if (pid) pid->store(child, std::memory_order_release);
    close(out[1]);
    close(status[1]);
    int err = 0;
    ssize_t got;
    do {
        got = read(status[0], &err, sizeof err);
    } while (got < 0 && errno == EINTR);
    close(status[0]);
    result.started = got != ssize_t(sizeof err);
    if (!result.started) result.error = std::strerror(err);
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        result.output.append(buffer, size_t(n));
        if (result.output.size() > 2 * kKeptOutput)
            result.output.erase(0, result.output.size() - kKeptOutput);
    }
    close(out[0]);
    int wstatus = 0;
    while (waitpid(child, &wstatus, 0) < 0 && errno == EINTR) {
    }
    if (pid) pid->store(0, std::memory_order_release);
    if (result.output.size() > kKeptOutput) result.output.erase(0, result.output.size() - kKeptOutput);
    if (WIFEXITED(wstatus)) result.exitCode = WEXITSTATUS(wstatus);
    else if (WIFSIGNALED(wstatus)) result.exitCode = 128 + WTERMSIG(wstatus);
    return result;
}

void TerminateChild(long pid) {
    if (pid > 0) kill(pid_t(pid), SIGTERM);
}

void KillChild(long pid) {
    if (pid > 0) kill(pid_t(pid), SIGKILL);
}

}  // namespace platform
