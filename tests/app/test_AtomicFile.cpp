#include "app/AtomicFile.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <sys/stat.h>

using testsupport::FileExists;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

TEST(AtomicFile, WritesNewFileAndReplacesOldOne) {
    TempDir dir;
    const std::string path = dir.File("a.ptp");
    std::string error;
    ASSERT_TRUE(AtomicFile_cls::Write(path, "first\r\n", error)) << error;
    EXPECT_EQ(ReadFile(path), "first\r\n");
    ASSERT_TRUE(AtomicFile_cls::Write(path, "second\r\n", error)) << error;
    EXPECT_EQ(ReadFile(path), "second\r\n");
    EXPECT_FALSE(FileExists(AtomicFile_cls::TempPathFor(path)));
}

TEST(AtomicFile, WriteFailingMidwayLeavesOldFileAndNoTemporary) {
    TempDir dir;
    const std::string path = dir.File("project.ptp");
    const std::string old = "LastOpenedFilePTP=old\r\nTimeMaxFrame=99\r\n";
    WriteFile(path, old);
    const std::string text(10000, 'x');
    for (size_t failAfter : {size_t(0), size_t(1), size_t(4096), size_t(9999)}) {
        std::string error;
        EXPECT_FALSE(AtomicFile_cls::WriteFailingAfter(path, text, failAfter, error));
        EXPECT_EQ(ReadFile(path), old) << "fail after " << failAfter;
        EXPECT_FALSE(FileExists(AtomicFile_cls::TempPathFor(path)));
        EXPECT_NE(error.find("project.ptp"), std::string::npos) << error;
    }
}

TEST(AtomicFile, TargetsThatCannotBeWrittenFailWithoutDamage) {
    TempDir dir;
    // a folder where the file should go: the rename fails, the folder and its content stay
    const std::string folder = dir.File("taken.ptp");
    std::filesystem::create_directory(folder);
    WriteFile(folder + "/inside.txt", "keep");
    std::string error;
    EXPECT_FALSE(AtomicFile_cls::Write(folder, "text", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadFile(folder + "/inside.txt"), "keep");
    EXPECT_FALSE(FileExists(AtomicFile_cls::TempPathFor(folder)));

    // a folder that does not exist: the temporary file cannot even be created
    error.clear();
    EXPECT_FALSE(AtomicFile_cls::Write(dir.File("missing/x.ptp"), "text", error));
    EXPECT_NE(error.find("missing/x.ptp"), std::string::npos) << error;
}

// A save keeps the permissions of the file it replaces; a new file gets the umask's.
TEST(AtomicFile, ReplacementKeepsTheTargetsPermissions) {
    namespace fs = std::filesystem;
    TempDir dir;
    const mode_t oldMask = ::umask(022);
    const std::string fresh = dir.File("new.ptp");
    std::string error;
    ASSERT_TRUE(AtomicFile_cls::Write(fresh, "a\r\n", error)) << error;
    EXPECT_EQ(fs::status(fresh).permissions(), fs::perms(0644));

    for (unsigned mode : {0640u, 0600u, 0444u, 0664u, 0755u}) {
        const std::string path = dir.File("kept" + std::to_string(mode) + ".ptp");
        WriteFile(path, "old\r\n");
        fs::permissions(path, fs::perms(mode));
        ASSERT_TRUE(AtomicFile_cls::Write(path, "new\r\n", error)) << error;
        EXPECT_EQ(ReadFile(path), "new\r\n");
        EXPECT_EQ(fs::status(path).permissions(), fs::perms(mode)) << std::oct << mode;
    }
    ::umask(077);
    const std::string priv = dir.File("private-umask.ptp");
    ASSERT_TRUE(AtomicFile_cls::Write(priv, "a\r\n", error)) << error;
    EXPECT_EQ(fs::status(priv).permissions(), fs::perms(0600));
    ::umask(oldMask);
}

// The data reaches the disk before the rename: when that flush fails the old file stays.
TEST(AtomicFile, AFailedFlushToDiskLeavesTheOldFile) {
    TempDir dir;
    const std::string path = dir.File("synced.ptp");
    WriteFile(path, "old\r\n");
    std::string error;
    EXPECT_FALSE(AtomicFile_cls::WriteFailingSync(path, "new text\r\n", error));
    EXPECT_EQ(ReadFile(path), "old\r\n");
    EXPECT_FALSE(FileExists(AtomicFile_cls::TempPathFor(path)));
    EXPECT_NE(error.find("synced.ptp"), std::string::npos) << error;
    EXPECT_NE(error.find("disk"), std::string::npos) << error;
}
