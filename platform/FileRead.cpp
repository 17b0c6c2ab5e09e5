// Positioned reads through the file descriptor under the stream.
#include "platform/FileRead.h"

#include <cerrno>
#include <unistd.h>

namespace platform {

int64_t ReadFileAt(std::FILE* f, uint64_t offset, void* buffer, size_t size) {
    const int fd = fileno(f);
    if (fd < 0) return -1;
    char* out = static_cast<char*>(buffer);
    size_t got = 0;
    // pread may return less than asked (signals, pipes); only 0 means the end of the file.
    while (got < size) {
        const ssize_t n = pread(fd, out + got, size - got, static_cast<off_t>(offset + got));
        if (n < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    return static_cast<int64_t>(got);
}

}  // namespace platform
