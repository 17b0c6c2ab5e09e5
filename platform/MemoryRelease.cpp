// glibc keeps freed blocks in its heaps; malloc_trim gives their whole pages back.
#include "platform/MemoryRelease.h"

#include <cstdlib>  // defines __GLIBC__ on glibc systems

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

void ReturnFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

}  // namespace platform
