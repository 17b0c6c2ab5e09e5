#include "app/SettingsFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/BusyFlags.h"
#include "tests/support/TestFiles.h"

using testsupport::FileExists;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

/// Settings files with one writer ("Key=1") and one reader that records what it is offered,
/// and hooks that record what the program was asked.
struct Recorded {
    std::vector<std::string> offered;  ///< lines the reader saw, "!" + line when unlocked
    std::vector<std::string> events;   ///< "begin", "end" and reported messages
    std::string projectName = "before.ptp";
    SettingsFiles_cls files;

    explicit Recorded(const std::string& configPath) : files(configPath, Hooks()) {
        files.Sections().AddMarker("Key=");
        files.Sections().AddWriter(ROW_DATA_LOADER, "key", [] { return std::string("Key=1\r\n"); });
        files.Sections().AddReader(READ_DATA_LOADER, "key",
                                   [this](ParamTextStream_cls&, const std::string& line) {
                                       offered.push_back(GbGLLockForConfig ? line : "!" + line);
                                   });
    }
    SettingsFiles_cls::Hooks Hooks() {
        SettingsFiles_cls::Hooks h;
        h.beginRead = [this] { events.push_back("begin"); };
        h.endRead = [this] { events.push_back("end"); };
        h.projectName = [this] { return projectName; };
        h.setProjectName = [this](const std::string& path) { projectName = path; };
        h.reportReadFailure = [this](const std::string& message) { events.push_back(message); };
        return h;
    }
};

}  // namespace

TEST(SettingsFiles, AProjectWriteNamesTheProjectAndAFailedOneKeepsNameAndFile) {
    TempDir dir;
    Recorded r(dir.File("Pelthorn3Configure.txt"));
    const std::string project = dir.File("scene.ptp");
    std::string error;
    ASSERT_TRUE(r.files.Write(project, true, &error)) << error;
    EXPECT_EQ(ReadFile(project), "Key=1\r\n");
    EXPECT_EQ(r.projectName, project);

    // A folder that does not exist: nothing is written and the name goes back.
    const std::string nowhere = dir.File("missing/other.ptp");
    EXPECT_FALSE(r.files.Write(nowhere, true, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(FileExists(nowhere));
    EXPECT_EQ(r.projectName, project);

    // The configuration file never renames the project.
    ASSERT_TRUE(r.files.WriteConfigFile(&error)) << error;
    EXPECT_EQ(ReadFile(dir.File("Pelthorn3Configure.txt")), "Key=1\r\n");
    EXPECT_EQ(r.projectName, project);
}

TEST(SettingsFiles, ReadOffersAProjectsLinesLockedAndRefusesWhatIsNone) {
    TempDir dir;
    struct Case {
        const char* name;
        const char* text;  ///< null: the file does not exist
        std::vector<std::string> offered;
        bool reported;
    };
    const std::vector<Case> cases = {
        {"scene.ptp", "Key=2\nOther=3\n", {"Key=2", "Other=3"}, false},
        {"notes.ptp", "nothing of ours\n", {}, true},
        {"gone.ptp", nullptr, {}, true},
        {"Pelthorn3Configure.txt", nullptr, {}, false},  // first start: silence
        {"Pelthorn3Configure.txt", "", {}, false},       // an empty configuration is whole
    };
    for (const Case& c : cases) {
        Recorded r(dir.File(c.name));
        const std::string path = dir.File(c.name);
        if (c.text) WriteFile(path, c.text);
        r.files.Read(path);
        EXPECT_EQ(r.offered, c.offered) << c.name;
        EXPECT_FALSE(GbGLLockForConfig) << c.name;
        if (c.reported) {
            ASSERT_EQ(r.events.size(), 1u) << c.name;
            EXPECT_EQ(r.events[0].rfind("Read Configure Fails" + path + "\n", 0), 0u) << r.events[0];
        } else if (c.text) {
            EXPECT_EQ(r.events, (std::vector<std::string>{"begin", "end"})) << c.name;
        } else {
            EXPECT_TRUE(r.events.empty()) << c.name;
        }
        std::remove(path.c_str());
    }
}
