// Durable whole-file replacement on the local file system: flushing a file's data to the
// disk, and carrying an existing file's permission bits over to its replacement.
#pragma once

#include <cstdio>
#include <string>

namespace platform {

/// Flushes the stdio buffer of `file` and then its data to the storage device (fsync).
/// False, with errno set, when either fails.
bool SyncToDisk(std::FILE* file);

/// Permission bits (rwx for owner, group, others, and the set-id and sticky bits) of the
/// existing file `path`; false when there is no such file.
bool FileMode(const std::string& path, unsigned& mode);

/// Gives the open `file` the permission bits `mode`. False, with errno set, on failure.
bool SetFileMode(std::FILE* file, unsigned mode);

/// Flushes the folder entry of `path` (after a rename into that folder) to the disk.
/// Best effort: a file system that cannot do it is not an error.
void SyncFolderOf(const std::string& path);

}  // namespace platform
