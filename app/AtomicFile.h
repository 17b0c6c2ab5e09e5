// Whole-file writes that never leave a half-written file: the text goes to a temporary
// file beside the target, which replaces the target only after the complete write.
#pragma once

#include <cstddef>
#include <string>

class AtomicFile_cls {
public:
    /// Writes `bytes` to `path`. The temporary file "<path>.tmp<pid>" is written, flushed
    /// to the disk (fsync) and closed, then renamed over `path`. The new file keeps the
    /// permission bits of the file it replaces; a file that did not exist gets the mode
    /// the user's umask gives. On any failure the old file (if any) is left
    /// byte for byte as it was, the temporary file is removed, and `error` says which file
    /// failed and why. GUI thread (any single thread per path).
    static bool Write(const std::string& path, const std::string& bytes, std::string& error);

    /// As Write, but the write of the temporary file fails after `failAfter` bytes, as a
    /// full disk would make it: the seam through which tests break a save midway.
    static bool WriteFailingAfter(const std::string& path, const std::string& bytes,
                                  size_t failAfter, std::string& error);

    /// As Write, but the flush of the temporary file to the disk fails, as an I/O error
    /// would make it: the old file must stay as it was.
    static bool WriteFailingSync(const std::string& path, const std::string& bytes,
                                 std::string& error);

    /// Name of the temporary file used for `path`.
    static std::string TempPathFor(const std::string& path);
};
