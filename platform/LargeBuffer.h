// Large temporary buffers (hundreds of MB for big snapshots), taken from the system so
// that filling them costs few page faults.
#pragma once

#include <cstddef>

namespace platform {

/// Uninitialised memory for `bytes` (may be 0), aligned for any type, backed by huge pages
/// where the system offers them. Freed with FreeLargeBuffer. Null when it cannot be had.
void* AllocLargeBuffer(size_t bytes);
void FreeLargeBuffer(void* p);

}  // namespace platform
