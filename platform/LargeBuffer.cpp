// Large buffers: 2 MiB aligned and advised as huge pages (Linux transparent huge pages),
// so that the first touch of each 2 MiB costs one page fault instead of 512.
#include "platform/LargeBuffer.h"

#include <cstdlib>

#include <sys/mman.h>

namespace platform {

namespace {
constexpr size_t kHugePage = size_t{2} << 20;
}

void* AllocLargeBuffer(size_t bytes) {
    if (bytes < kHugePage) return std::malloc(bytes == 0 ? 1 : bytes);
    const size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* p = std::aligned_alloc(kHugePage, rounded);
    if (p != nullptr) madvise(p, rounded, MADV_HUGEPAGE);  // only advice: failure changes nothing
    return p;
}

void FreeLargeBuffer(void* p) { std::free(p); }

}  // namespace platform
