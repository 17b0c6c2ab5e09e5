#include "app/ConfigSections.h"
#include "app/ProjectFile.h"
#include "app/PreferenceSettings.h"
#include "common/ConfItemGroup.h"
#include "data/PeriodicBoundary.h"
#include "tests/support/TestFiles.h"
#include "timeline/ParamGroup.h"
#include "timeline/TimeCtrl.h"
#include "view/DrawOptions.h"
#include "view/ExposureSettings.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/TextDecoding.h"

using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

// The sections of a project as the central object registers them, with the owners that
// live in the logic libraries: the frame's group, time with its remap block, draw options,
// exposure, a data sequence, the periodic boundary and the preferences.
struct Program {
    ConfItemGroup_cls frame;
    ConfItemSTR_cls lastPTP, lastIMG;
    ConfItemGroup_cls sequence;
    ConfItemSTR_cls sequenceItem;
    std::string sequencePath = "/data/run/snap0000.dat";
    TimeCtrl_cls time;
    DrawOptions_cls draw;
    ExposureSettings_cls exposure;
    PeriodicBoundary_cls periodic;
    PreferenceSettings_cls pref;
    ConfigSections_cls sections;

    Program() {
        frame.Register(&lastPTP, "LastOpenedFilePTP=", "None");
        frame.Register(&lastIMG, "LastOpenedFileIMG=", "None");
        sequence.Register(&sequenceItem, "DataSequence0=", "0");
        sections.AddGroup(ROW_FRAME, READ_FRAME, "frame", &frame);
        sections.AddWriter(ROW_TIME, "time",
                           [this] { return std::string(time.WriteText().utf8_str()); });
        sections.AddReader(READ_TIME, "time",
                           [this](ParamTextStream_cls& in, const std::string& line) {
                               time.ReadText(in, line);
                           });
        sections.AddSettingsGroup("time", [this] { return &time.settings; });
        sections.AddMarker("---TimeRemap");
        sections.AddMarker("-ParamGroup=");
        sections.AddGroup(ROW_DRAW_OPTIONS, READ_DRAW_OPTIONS, "draw", &draw.group);
        sections.AddGroup(ROW_EXPOSURE, READ_EXPOSURE, "exposure", &exposure.group);
        sections.AddWriter(ROW_DATA_SEQUENCES, "sequence", [this] {
            return std::string(sequenceItem.WriteLine().utf8_str()) + sequencePath + "\n";
        });
        sections.AddReader(READ_DATA_SEQUENCES, "sequence",
                           [this](ParamTextStream_cls& in, const std::string& line) {
                               if (!sequenceItem.ParseLine(wxString::FromUTF8(line))) return;
                               std::string path;
                               if (in.ReadLine(path)) sequencePath = path;
                           });
        sections.AddSettingsGroup("sequence", [this] { return &sequence; });
        sections.AddGroup(ROW_PERIODIC_BOUNDARY, READ_PERIODIC_BOUNDARY, "periodic",
                          &periodic.group);
        sections.AddGroup(ROW_PREFERENCES, READ_PREFERENCES, "mouse", &pref.MouseGroup());
        sections.AddGroup(ROW_PREFERENCES, READ_PREFERENCES, "performance",
                          &pref.PerformanceGroup());
    }
    ProjectFile_cls::LineTest Test() const {
        return [this](const std::string& l) { return sections.IsProgramLine(l); };
    }
};

}  // namespace

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
    Program program;
    std::vector<std::string> lines;
    std::string error;
    EXPECT_FALSE(
        ProjectFile_cls::LoadAndCheck(dir.File("absent.ptp"), program.Test(), lines, error));
    EXPECT_NE(error.find("absent.ptp"), std::string::npos) << error;

    WriteFile(dir.File("bad.ptp"), "TimeMaxFrame=5\r\n\x81\x20\r\n");
    error.clear();
    EXPECT_FALSE(ProjectFile_cls::LoadAndCheck(dir.File("bad.ptp"), program.Test(), lines, error));
    EXPECT_NE(error.find("bad.ptp"), std::string::npos) << error;
    EXPECT_TRUE(lines.empty());

    WriteFile(dir.File("foreign.ptp"), "CXX=g++\n");
    error.clear();
    EXPECT_FALSE(
        ProjectFile_cls::LoadAndCheck(dir.File("foreign.ptp"), program.Test(), lines, error));
    EXPECT_NE(error.find("foreign.ptp"), std::string::npos) << error;
    EXPECT_TRUE(lines.empty());

    error.clear();
    EXPECT_FALSE(ProjectFile_cls::LoadAndCheck(dir.Path(), program.Test(), lines, error));  // a folder
}

TEST(ProjectFile, CheckFindsIncompleteBlocks) {
    Program program;
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
        {"filter list closed", {"DownSizing=1", "---FilterCtrl0Begin", "---FilterCtrl0End"}, true},
        {"filter list open",
         {"DownSizing=1", "---FilterCtrl1Begin", "-FilterBegin", "FilterType=1"},
         false},
        {"lights closed",
         {"DownSizing=1", "---AllLightSource", "LightNumber=1", "---AllLightSourceEnd"},
         true},
        {"lights open", {"DownSizing=1", "---AllLightSource", "LightNumber=1"}, false},
        {"no settings at all", {}, false},
        {"prose", {"Dear reader,", "this is a letter."}, false},
        {"plain settings", {"LastOpenedFilePTP=None", "LastOpenedFileIMG=None"}, true},
        {"remap marker at the end", {"TimeMaxFrame=99", "---TimeRemap"}, false},
        // its reader would look for the parameter block through the rest of the file
        {"remap marker without its block",
         {"TimeMaxFrame=99", "---TimeRemap", "DownSizing=4", "PeriodicType=1", "GUI_ITEM=2"},
         false},
        {"remap block after blank lines", [&] {
             auto v = group;
             v.insert(v.begin() + 2, "");
             v.insert(v.begin() + 2, "");
             return v;
         }(), true},
        {"data sequence with its path", {"DataSequence0=0", "/d/a0000.dat", "DownSizing=2"}, true},
        {"data sequence with an empty path", {"DataSequence0=0", "", "DownSizing=2"}, true},
        {"data sequence at the end", {"DownSizing=2", "DataSequence0=0"}, true},
        {"data sequence whose path line is a setting", {"DataSequence0=0", "DownSizing=2"}, false},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_EQ(ProjectFile_cls::CheckLines(c.lines, "p.ptp", program.Test(), error), c.ok)
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
    Program program;
    std::string error;
    EXPECT_TRUE(ProjectFile_cls::CheckLines(lines, "t.ptp", program.Test(), error)) << error;
    for (size_t n = marker + 1; n < lines.size(); ++n) {
        const std::vector<std::string> prefix(lines.begin(), lines.begin() + n);
        EXPECT_FALSE(ProjectFile_cls::CheckLines(prefix, "t.ptp", program.Test(), error))
            << "cut at line " << n;
        // the configuration file is not asked to be a project, but it must be whole too
        EXPECT_FALSE(ProjectFile_cls::CheckLines(prefix, "t.ptp", nullptr, error))
            << "cut at line " << n;
    }
}

// A project is recognised by the program's own keys and markers: every file the program
// writes passes, also an old one holding a single section, and files of other programs
// that happen to be made of KEY=value lines are refused.
TEST(ProjectFile, ProgramFilesPassForeignFilesAreRefused) {
    Program program;
    program.time.useTimeRemap.value = true;
    const std::string full = program.sections.WriteText(true);
    auto check = [&](const std::string& text, std::string& error) {
        return ProjectFile_cls::CheckLines(platform::SplitLines(text), "f.ptp", program.Test(),
                                           error);
    };
    std::string error;
    EXPECT_TRUE(check(full, error)) << error;
    EXPECT_TRUE(check(program.sections.WriteText(false), error)) << error;
    program.sequencePath.clear();  // no data: the path line is empty
    EXPECT_TRUE(check(program.sections.WriteText(true), error)) << error;
    // each section alone, as an old or hand-made minimal project holds it
    for (const ConfigSections_cls::NamedGroup& g : program.sections.SettingsGroups()) {
        const std::string text(g.group->WriteAll().utf8_str());
        EXPECT_TRUE(check(text, error)) << g.name << ": " << error;
        // a single line of it is still a project
        EXPECT_TRUE(check(text.substr(0, text.find("\r\n") + 2), error)) << g.name << ": " << error;
    }
    EXPECT_TRUE(check(std::string(program.time.WriteText().utf8_str()), error)) << error;
    EXPECT_TRUE(check("PeriodicType=1\r\nPeriodicSize=1 2.5 1\r\n", error)) << error;

    const std::pair<const char*, std::string> foreign[] = {
        {"one make variable", "CXX=g++"},
        {"a makefile", "CC=gcc\nCFLAGS=-O2 -g\n\nall:\n\t$(CC) -o a a.c\n"},
        {"an ini file", "[core]\nname=pelthorn\nTime=5\n"},
        {"a shell profile", "export PATH=/usr/bin\nLANG=C\n"},
        {"a known key with a longer name", "TimeMaxFrameX=5\nDownSizingFactor=2\n"},
        {"a known key behind a blank", " TimeMaxFrame=5\n"},
        {"a key without its '='", "TimeMaxFrame\n"},
        {"inner lines of a block only", "Start\nitemnum 0\ntimeDepend=1\n"},
        {"numbers", "0.5 1 2 3 4\n1 2 3\n"},
        {"empty", ""},
        {"blank lines", "\n\n\r\n"},
    };
    for (const auto& f : foreign) {
        error.clear();
        EXPECT_FALSE(check(f.second, error)) << f.first;
        EXPECT_NE(error.find("f.ptp"), std::string::npos) << f.first << ": " << error;
    }
}

TEST(ProjectFile, SaveAsProposesASoundName) {
    struct Case {
        const char* last;
        bool loaded;
        const char* proposed;
    };
    const Case cases[] = {
        {"None", false, "untitled.ptp"},
        {"", false, "untitled.ptp"},
        {"/home/u/a.ptp", false, "untitled.ptp"},  // a path from the configuration file
        {"/home/u/a.ptp", true, "a.ptp"},
        {"/home/u/run.2.ptp", true, "run.2.ptp"},
        {"/home/u/scene", true, "scene"},
        {"C:\\p3\\b.ptp", true, "b.ptp"},
        {"/home/u/", true, "untitled.ptp"},
        {"/home/u/.ptp", true, "untitled.ptp"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProjectFile_cls::ProposedSaveName(c.last, c.loaded), c.proposed)
            << c.last << " " << c.loaded;
}

// A project with any one line missing is either refused, or every settings line outside
// the damaged place still reaches its owner: no block reader takes lines that are not its
// own, whatever line was lost.
TEST(ProjectFile, AProjectMissingAnyLineIsRefusedOrReadWhole) {
    Program written;
    written.time.useTimeRemap.value = true;
    written.time.remap->InsertKey(0, 0.5, 60.0);
    written.sections.ReadLines({"TimeMaxFrame=250", "TimeAnimStep=3", "DownSizing=5",
                                "ExposureGamma=2.2", "PeriodicType=2", "GUI_ITEM=1",
                                "PREF_USE_FBO=0", "LastOpenedFilePTP=/x/p.ptp"});
    const std::vector<std::string> lines =
        platform::SplitLines(written.sections.WriteText(true));
    // settings lines outside blocks, by index
    std::vector<size_t> settings;
    bool inBlock = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        if (l == "---TimeRemap") inBlock = true;
        if (!l.empty() && l[0] == '-') continue;  // markers
        if (inBlock && !written.sections.IsProgramLine(l)) continue;
        inBlock = false;
        if (written.sections.IsProgramLine(l) && l.compare(0, 12, "DataSequence") != 0)
            settings.push_back(i);
    }
    ASSERT_GT(settings.size(), 30u);
    int refused = 0;
    for (size_t k = 0; k < lines.size(); ++k) {
        std::vector<std::string> damaged = lines;
        damaged.erase(damaged.begin() + k);
        std::string error;
        Program read;
        if (!ProjectFile_cls::CheckLines(damaged, "d.ptp", read.Test(), error)) {
            ++refused;
            continue;
        }
        read.sections.ReadLines(damaged);
        const std::vector<std::string> out =
            platform::SplitLines(read.sections.WriteText(true));
        for (size_t i : settings) {
            if (i == k) continue;
            EXPECT_NE(std::find(out.begin(), out.end(), lines[i]), out.end())
                << "without line " << k + 1 << " (" << lines[k] << "): " << lines[i]
                << " was not read";
        }
    }
    EXPECT_GT(refused, 5);  // the remap block's own lines
}
