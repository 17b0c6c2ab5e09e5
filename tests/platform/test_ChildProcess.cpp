// Running an outside program without a shell: exit status, a program that is not there, the
// folder it runs in, its output kept rather than printed, and arguments passed untouched.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "platform/ChildProcess.h"
#include "tests/support/TestFiles.h"

TEST(ChildProcess, StatusFolderOutputAndArguments) {
    testsupport::TempDir dir;
    const std::string work = dir.File("a/b");  // created for the call
    platform::ChildResult r =
        platform::RunChild("sh", {"-c", "pwd; echo \"$1\" >&2; exit 3", "sh", "it's a \"name\" $HOME;"}, work);
    ASSERT_TRUE(r.started) << r.error;
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.output, work + "\nit's a \"name\" $HOME;\n");

    r = platform::RunChild(dir.File("no-such-program"), {}, dir.Path());
    EXPECT_FALSE(r.started);
    EXPECT_NE(r.error.find("No such file"), std::string::npos) << r.error;

    r = platform::RunChild("true", {}, dir.File("x"));
    EXPECT_TRUE(r.started);
    EXPECT_EQ(r.exitCode, 0);

    // A folder that cannot be made (a file is in the way) is an error before any start.
    testsupport::WriteFile(dir.File("file"), "x");
    r = platform::RunChild("true", {}, dir.File("file/sub"));
    EXPECT_FALSE(r.started);
    EXPECT_FALSE(r.error.empty());
}

TEST(ChildProcess, LongOutputKeepsItsEnd) {
    testsupport::TempDir dir;
    const platform::ChildResult r =
        platform::RunChild("sh", {"-c", "i=0; while [ $i -lt 3000 ]; do echo line$i; i=$((i+1)); done"}, dir.Path());
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_LE(r.output.size(), 4096u);
    EXPECT_NE(r.output.find("line2999\n"), std::string::npos);
}

TEST(ChildProcess, ProgramDescriptorsAreNotInherited) {
    testsupport::TempDir dir;
    testsupport::WriteFile(dir.File("held"), "x");
    const int fd = open(dir.File("held").c_str(), O_RDONLY);  // inheritable on purpose
    ASSERT_GE(fd, 3);
    const platform::ChildResult r =
        platform::RunChild("sh", {"-c", "test -e /proc/self/fd/" + std::to_string(fd) + " && echo inherited || echo closed"},
                           dir.Path());
    close(fd);
    EXPECT_EQ(r.output, "closed\n");
}
