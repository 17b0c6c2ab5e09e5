// Handing memory the program has freed back to the system.
#pragma once

namespace platform {

/// Returns the free pages of the allocator's heaps to the system, so that what a released
/// cache held leaves the process's resident size (the allocator otherwise keeps freed
/// blocks below its mapping threshold for reuse). Takes a few milliseconds with large
/// heaps: call it after a release, not on every pass. Any thread may call it.
void ReturnFreedMemory();

}  // namespace platform
