// Test helpers for files and locales: a temporary folder removed at the end of a test,
// whole-file read and write, and a guard that switches the process to decimal commas.
#pragma once

#include <string>

namespace testsupport {

/// A fresh folder under /tmp, removed with everything in it when the object dies.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    /// Folder path without a trailing '/'.
    const std::string& Path() const { return path_; }
    /// Path of a file inside the folder.
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

/// Writes bytes to a file, replacing it; fails the current test when that is impossible.
void WriteFile(const std::string& path, const std::string& bytes);
/// Whole file as bytes; empty when it cannot be read.
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);

/// While alive, LC_ALL is a locale with decimal commas ("de_DE.UTF-8", made by the
/// set-up script). Ok() tells whether the switch worked; the old locale comes back
/// at destruction.
class CommaLocale {
public:
    CommaLocale();
    ~CommaLocale();
    bool Ok() const { return ok_; }

private:
    std::string old_;
    bool ok_ = false;
};

}  // namespace testsupport
