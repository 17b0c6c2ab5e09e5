#include "platform/ProgramPaths.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

TEST(ProgramPaths, ProcessFacts) {
    EXPECT_EQ(platform::ProcessId(), static_cast<long>(getpid()));
    EXPECT_EQ(platform::WorkingDirectory(), std::filesystem::current_path().string());
    EXPECT_TRUE(platform::PathExists(platform::ExecutableDir()));
}

TEST(ProgramPaths, DataIsFoundInTheWorkingDirectoryFirst) {
    testsupport::TempDir dir;
    std::filesystem::create_directories(dir.File("GL"));
    testsupport::WriteFile(dir.File("GL/Probe.vert"), "x");
    auto old = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    EXPECT_EQ(platform::FindProgramData("GL/Probe.vert"), dir.File("GL/Probe.vert"));
    // not found anywhere: the working-directory path, whose open then fails
    EXPECT_EQ(platform::FindProgramData("GL/None.vert"), dir.File("GL/None.vert"));
    std::filesystem::current_path(old);
}

TEST(ProgramPaths, ConfigurationFallsBackWhenTheProgramFolderIsReadOnly) {
    testsupport::TempDir dir;
    EXPECT_EQ(platform::ConfigFilePath("Pelthorn3Configure.txt", dir.Path()),
              dir.File("Pelthorn3Configure.txt"));

    // The fallback is judged as the user would meet it: root writes anywhere, so as
    // root the check runs in a child process that has given up its rights.
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::all);
    std::filesystem::create_directories(dir.File("ro"));
    std::filesystem::permissions(dir.File("ro"), std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::owner_exec |
                                                     std::filesystem::perms::others_read |
                                                     std::filesystem::perms::others_exec);
    auto check = [&] {
        setenv("XDG_CONFIG_HOME", dir.File("xdg").c_str(), 1);
        bool ok = platform::ConfigFilePath("Pelthorn3Configure.txt", dir.File("ro")) ==
                      dir.File("xdg/pelthorn3/Pelthorn3Configure.txt") &&
                  platform::PathExists(dir.File("xdg/pelthorn3"));
        unsetenv("XDG_CONFIG_HOME");
        return ok;
    };
    if (getuid() != 0) {
        EXPECT_TRUE(check());
        return;
    }
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
        _exit(check() ? 0 : 1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: wrong path, 2: could not drop rights";
}
