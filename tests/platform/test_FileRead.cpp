// Positioned reads: the bytes at an offset, short only at the end of the file, and the
// stream's own position left where it was.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/FileRead.h"
#include "tests/support/TestFiles.h"

TEST(FileRead, ReadsAtAnOffsetWithoutMovingTheStream) {
    testsupport::TempDir dir;
    testsupport::WriteFile(dir.File("f"), "0123456789abcdef");
    std::FILE* f = std::fopen(dir.File("f").c_str(), "rb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fgetc(f), '0');
    char buf[8] = {};
    EXPECT_EQ(platform::ReadFileAt(f, 10, buf, 4), 4);
    EXPECT_EQ(std::string(buf, 4), "abcd");
    EXPECT_EQ(platform::ReadFileAt(f, 12, buf, 8), 4);  // short only at the end
    EXPECT_EQ(std::string(buf, 4), "cdef");
    EXPECT_EQ(platform::ReadFileAt(f, 16, buf, 8), 0);
    EXPECT_EQ(platform::ReadFileAt(f, 1000, buf, 8), 0);
    EXPECT_EQ(std::fgetc(f), '1');  // the stream reads on where it was
    std::fclose(f);
}
