#include "app/AtomicFile.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

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
