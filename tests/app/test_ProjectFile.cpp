#include "app/ProjectFile.h"
#include "tests/support/TestFiles.h"
#include "timeline/TimeCtrl.h"

#include <gtest/gtest.h>

#include "platform/TextDecoding.h"

using testsupport::TempDir;
using testsupport::WriteFile;

TEST(ProjectFile, ConfigFileIsRecognisedByItsName) {
    EXPECT_TRUE(ProjectFile_cls::IsConfigFilePath("/opt/p3/Pelthorn3Configure.txt"));
    EXPECT_TRUE(ProjectFile_cls::IsConfigFilePath("Pelthorn3Configure.txt"));
    EXPECT_TRUE(ProjectFile_cls::IsConfigFilePath("/x/MyPelthorn3Configure.txt"));
    EXPECT_FALSE(ProjectFile_cls::IsConfigFilePath("/x/Pelthorn3Configure.txt.ptp"));
    EXPECT_FALSE(ProjectFile_cls::IsConfigFilePath("/x/pelthorn3configure.txt"));
    EXPECT_FALSE(ProjectFile_cls::IsConfigFilePath("/x/scene.ptp"));
}

TEST(ProjectFile, TitleNamesTheProject) {
    EXPECT_EQ(ProjectFile_cls::TitleFor(""), "Pelthorn 3 v 0.82");
    EXPECT_EQ(ProjectFile_cls::TitleFor("None"), "Pelthorn3 - None");
    EXPECT_EQ(ProjectFile_cls::TitleFor("/home/u/a.ptp"), "Pelthorn3 - /home/u/a.ptp");
}

TEST(ProjectFile, LinesAreDecodedWithoutLineEnds) {
    TempDir dir;
    const std::string path = dir.File("cp932.ptp");
    // CR LF and LF lines, code page 932 text, last line without LF
    WriteFile(path, "LastOpenedFilePTP=/d/\x93\xFA\x96\x7B.ptp\r\nStart\nTimeMaxFrame=5");
    std::vector<std::string> lines;
    std::string error;
    ASSERT_TRUE(ProjectFile_cls::LoadLines(path, lines, error)) << error;
    EXPECT_EQ(lines, (std::vector<std::string>{"LastOpenedFilePTP=/d/\xE6\x97\xA5\xE6\x9C\xAC.ptp",
                                               "Start", "TimeMaxFrame=5"}));
}

TEST(ProjectFile, UnreadableFilesAreRefusedWithTheirName) {
    TempDir dir;
    std::vector<std::string> lines;
    std::string error;
    EXPECT_FALSE(ProjectFile_cls::LoadAndCheck(dir.File("absent.ptp"), lines, error));
    EXPECT_NE(error.find("absent.ptp"), std::string::npos) << error;

    WriteFile(dir.File("bad.ptp"), "TimeMaxFrame=5\r\n\x81\x20\r\n");
    error.clear();
    EXPECT_FALSE(ProjectFile_cls::LoadAndCheck(dir.File("bad.ptp"), lines, error));
    EXPECT_NE(error.find("bad.ptp"), std::string::npos) << error;
    EXPECT_TRUE(lines.empty());

    error.clear();
    EXPECT_FALSE(ProjectFile_cls::LoadAndCheck(dir.Path(), lines, error));  // a folder
}

TEST(ProjectFile, CheckFindsIncompleteBlocks) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        bool ok;
    };
    const std::vector<std::string> group = {"TimeMaxFrame=99",
                                            "---TimeRemap",
                                            "-ParamGroup=Time Remap",
                                            "dimension=1",
                                            "Start",
                                            "Parameter_Time",
                                            "timeDepend=1",
                                            "periodic=0",
                                            "itemnum 2",
                                            "0.000000000 1 0.000000 0.000000 0.000000 ",
                                            "1.000000000 1 99.000000 0.000000 0.000000 "};
    auto cut = [&](size_t n) { return std::vector<std::string>(group.begin(), group.begin() + n); };
    auto withLast = [&](const std::string& last) {
        auto v = group;
        v.back() = last;
        return v;
    };
    const Case cases[] = {
        {"complete parameter block", group, true},
        {"cut before Start", cut(4), false},
        {"cut before the parameter", cut(5), false},
        {"cut in the parameter settings", cut(7), false},
        {"cut before the keys", cut(9), false},
        {"cut after one of two keys", cut(10), false},
        {"last key cut short", withLast("1.000000000 1 99.00"), false},
        {"cut inside a settings line",
         [&] {
             auto v = cut(7);
             v.push_back("perio");
             return v;
         }(),
         false},
        {"component line missing",
         [&] {
             auto v = cut(5);
             v.push_back("junk");
             return v;
         }(),
         false},
        {"filter list closed", {"A=1", "---FilterCtrl0Begin", "---FilterCtrl0End"}, true},
        {"filter list open", {"A=1", "---FilterCtrl1Begin", "-FilterBegin", "FilterType=1"}, false},
        {"lights closed", {"---AllLightSource", "LightNumber=1", "---AllLightSourceEnd"}, true},
        {"lights open", {"---AllLightSource", "LightNumber=1"}, false},
        {"no settings at all", {}, false},
        {"prose", {"Dear reader,", "this is a letter."}, false},
        {"plain settings", {"LastOpenedFilePTP=None", "LastOpenedFileIMG=None"}, true},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_EQ(ProjectFile_cls::CheckLines(c.lines, "p.ptp", error), c.ok)
            << c.name << ": " << error;
        if (!c.ok) {
            EXPECT_NE(error.find("p.ptp"), std::string::npos) << c.name;
        }
    }
}

// The time model's own text with the remap on: every prefix that cuts into the remap
// block is refused, the whole text passes.
TEST(ProjectFile, EveryCutOfTheTimeRemapBlockIsRefused) {
    TimeCtrl_cls time;
    time.useTimeRemap.value = true;
    const std::vector<std::string> lines =
        platform::SplitLines(std::string(time.WriteText().utf8_str()));
    size_t marker = 0;
    while (marker < lines.size() && lines[marker] != "---TimeRemap") ++marker;
    ASSERT_LT(marker + 3, lines.size()) << "the remap block is written";
    std::string error;
    EXPECT_TRUE(ProjectFile_cls::CheckLines(lines, "t.ptp", error)) << error;
    for (size_t n = marker + 2; n < lines.size(); ++n) {
        const std::vector<std::string> prefix(lines.begin(), lines.begin() + n);
        EXPECT_FALSE(ProjectFile_cls::CheckLines(prefix, "t.ptp", error)) << "cut at line " << n;
    }
}
