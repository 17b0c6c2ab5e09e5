// Whole-file writes through a temporary file and a rename.
#include "app/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/FileNumbers.h"
#include "platform/ProgramPaths.h"

namespace {

bool WriteImpl(const std::string& path, const std::string& bytes, size_t failAfter,
               std::string& error) {
    const std::string tmp = AtomicFile_cls::TempPathFor(path);
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) {
        error = path + ": cannot create " + tmp + " (" + std::strerror(errno) + ")";
        return false;
    }
    const size_t toWrite = bytes.size() < failAfter ? bytes.size() : failAfter;
    errno = 0;
    size_t written = toWrite ? std::fwrite(bytes.data(), 1, toWrite, f) : 0;
    bool ok = written == toWrite && toWrite == bytes.size();
    int err = ok ? 0 : (errno ? errno : ENOSPC);
    if (std::fflush(f) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        err = errno;
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
    return true;
}

}  // namespace

std::string AtomicFile_cls::TempPathFor(const std::string& path) {
    return path + ".tmp" + platform::FormatInt(platform::ProcessId());
}

bool AtomicFile_cls::Write(const std::string& path, const std::string& bytes, std::string& error) {
    return WriteImpl(path, bytes, static_cast<size_t>(-1), error);
}

bool AtomicFile_cls::WriteFailingAfter(const std::string& path, const std::string& bytes,
                                       size_t failAfter, std::string& error) {
    return WriteImpl(path, bytes, failAfter, error);
}
