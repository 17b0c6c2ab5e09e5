// Flushing and permission bits through POSIX calls.
#include "platform/FileSync.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool SyncToDisk(std::FILE* file) {
    if (!file || std::fflush(file) != 0) return false;
    return ::fsync(::fileno(file)) == 0;
}

bool FileMode(const std::string& path, unsigned& mode) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    mode = static_cast<unsigned>(st.st_mode & 07777);
    return true;
}

bool SetFileMode(std::FILE* file, unsigned mode) {
    return file && ::fchmod(::fileno(file), static_cast<mode_t>(mode)) == 0;
}

void SyncFolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? std::string(".") : (slash == 0 ? std::string("/") : path.substr(0, slash));
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace platform
