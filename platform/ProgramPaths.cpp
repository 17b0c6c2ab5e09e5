#include "platform/ProgramPaths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#ifndef PT_INSTALL_DATADIR
#define PT_INSTALL_DATADIR "/usr/local/share/pelthorn3"
#endif

namespace fs = std::filesystem;

namespace platform {

std::string ExecutableDir() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return WorkingDirectory();
    return exe.parent_path().string();
}

std::string WorkingDirectory() {
    std::error_code ec;
    fs::path cwd = fs::current_path(ec);
    if (ec) return ".";
    return cwd.string();
}

long ProcessId() { return static_cast<long>(::getpid()); }

std::string InstalledDataDir() { return PT_INSTALL_DATADIR; }

bool PathExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

std::string FindProgramData(const std::string& relative) {
    if (!relative.empty() && relative[0] == '/') return relative;
    const std::string candidates[] = {WorkingDirectory(), ExecutableDir(), InstalledDataDir()};
    for (const std::string& dir : candidates) {
        std::string path = dir + "/" + relative;
        if (PathExists(path)) return path;
    }
    return WorkingDirectory() + "/" + relative;
}

std::string ConfigFilePath(const std::string& fileName, const std::string& exeDir) {
    std::string dir = exeDir.empty() ? ExecutableDir() : exeDir;
    std::string beside = dir + "/" + fileName;
    bool writable = ::access(dir.c_str(), W_OK) == 0 &&
                    (!PathExists(beside) || ::access(beside.c_str(), W_OK) == 0);
    if (writable) return beside;

    std::string base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::string(home) + "/.config";
    } else {
        base = "/tmp";
    }
    std::string folder = base + "/pelthorn3";
    std::error_code ec;
    fs::create_directories(folder, ec);
    return folder + "/" + fileName;
}

}  // namespace platform
