// Reading an open file at a byte offset, so that several threads can read one file at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace platform {

/// Reads up to `size` bytes at byte `offset` of the open file `f` into `buffer`, without
/// moving the stream's own position. Returns the bytes read, fewer than `size` only at the
/// end of the file, or -1 on a read error (errno tells which). Any thread; several threads
/// may read the same file at once.
int64_t ReadFileAt(std::FILE* f, uint64_t offset, void* buffer, size_t size);

}  // namespace platform
