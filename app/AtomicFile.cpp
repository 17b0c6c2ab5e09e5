// Whole-file writes through a temporary file and a rename.
#include "app/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/FileNumbers.h"
#include "platform/FileSync.h"
#include "platform/ProgramPaths.h"

namespace {

// Ways the tests break a save.
struct Faults {
    size_t failAfter = static_cast<size_t>(-1);  ///< the write stops after this many bytes
    bool failSync = false;                       ///< the flush to the disk fails
};

bool WriteImpl(const std::string& path, const std::string& bytes, const Faults& faults,
               std::string& error) {
    const size_t failAfter = faults.failAfter;
    const std::string tmp = AtomicFile_cls::TempPathFor(path);
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) {
        error = path + ": cannot create " + tmp + " (" + std::strerror(errno) + ")";
        return false;
    }
    // The replacement keeps the permissions of the file it replaces (a private project
    // stays private); a new file gets those of the user's umask, as fopen made it.
    unsigned mode = 0;
    if (platform::FileMode(path, mode) && !platform::SetFileMode(f, mode)) {
        const int err = errno;
        std::fclose(f);
        std::remove(tmp.c_str());
        error = path + ": cannot give " + tmp + " the permissions of the file (" +
                std::strerror(err) + ")";
        return false;
    }
    const size_t toWrite = bytes.size() < failAfter ? bytes.size() : failAfter;
    errno = 0;
    size_t written = toWrite ? std::fwrite(bytes.data(), 1, toWrite, f) : 0;
    bool ok = written == toWrite && toWrite == bytes.size();
    int err = ok ? 0 : (errno ? errno : ENOSPC);
    // On the disk before the rename: a crash right after it must not leave an empty or
    // partial file under the project's name.
    if (ok && (faults.failSync || !platform::SyncToDisk(f))) {
        ok = false;
        err = faults.failSync ? EIO : (errno ? errno : EIO);
    }
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok && written == bytes.size()) {
        std::remove(tmp.c_str());
        error = path + ": cannot flush " + tmp + " to the disk (" + std::strerror(err) + ")";
        return false;
    }
    if (!ok) {
        std::remove(tmp.c_str());
        error = path + ": write failed after " + platform::FormatUInt(written) + " of " +
                platform::FormatUInt(bytes.size()) + " bytes (" + std::strerror(err) + ")";
        return false;
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        err = errno;
        std::remove(tmp.c_str());
        error = path + ": cannot replace the file (" + std::strerror(err) + ")";
        return false;
    }
    platform::SyncFolderOf(path);
    return true;
}

}  // namespace

std::string AtomicFile_cls::TempPathFor(const std::string& path) {
    return path + ".tmp" + platform::FormatInt(platform::ProcessId());
}

bool AtomicFile_cls::Write(const std::string& path, const std::string& bytes, std::string& error) {
    return WriteImpl(path, bytes, Faults(), error);
}

bool AtomicFile_cls::WriteFailingAfter(const std::string& path, const std::string& bytes,
                                       size_t failAfter, std::string& error) {
    Faults faults;
    faults.failAfter = failAfter;
    return WriteImpl(path, bytes, faults, error);
}

bool AtomicFile_cls::WriteFailingSync(const std::string& path, const std::string& bytes,
                                      std::string& error) {
    Faults faults;
    faults.failSync = true;
    return WriteImpl(path, bytes, faults, error);
}
