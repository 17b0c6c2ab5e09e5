#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace testsupport {

TempDir::TempDir() {
    char pattern[] = "/tmp/pt3testXXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) {
        ADD_FAILURE() << "cannot create a temporary folder";
        path_ = "/tmp";
        return;
    }
    path_ = made;
}

TempDir::~TempDir() {
    if (path_ != "/tmp") {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    ASSERT_TRUE(out.good()) << "cannot write " << path;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

CommaLocale::CommaLocale() {
    const char* cur = std::setlocale(LC_ALL, nullptr);
    old_ = cur ? cur : "C";
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
        if (std::setlocale(LC_ALL, name)) {
            ok_ = std::localeconv()->decimal_point[0] == ',';
            if (ok_) break;
        }
    }
    if (!ok_) std::setlocale(LC_ALL, old_.c_str());
}

CommaLocale::~CommaLocale() { std::setlocale(LC_ALL, old_.c_str()); }

}  // namespace testsupport
