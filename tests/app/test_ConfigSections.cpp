#include "app/ConfigSections.h"
#include "common/ConfItemGroup.h"
#include "timeline/ParamGroup.h"
#include "timeline/TimeCtrl.h"

#include <gtest/gtest.h>

#include "platform/TextDecoding.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    return platform::SplitLines(text);
}

}  // namespace

TEST(ConfigSections, WritersFollowRowsNotRegistrationOrder) {
    ConfigSections_cls s;
    s.AddWriter(ROW_FILTER_LISTS, "filters", [] { return std::string("F\r\n"); });
    s.AddWriter(ROW_TIME, "time", [] { return std::string("T\r\n"); });
    s.AddWriter(ROW_FRAME, "frame", [] { return std::string("P\r\n"); });
    s.AddWriter(ROW_DATA_LOADER, "loader", [] { return std::string("L\r\n"); });
    s.AddWriter(ROW_FRAME, "frame2", [] { return std::string("Q\r\n"); });
    s.AddWriter(ROW_IMAGE_SAVER, "image", [] { return std::string("I\r\n"); });
    s.AddWriter(ROW_LAYOUT, "layout", [] { return std::string("V\r\n"); });
    EXPECT_EQ(s.WriteText(false), "L\r\nP\r\nQ\r\nI\r\n");
    EXPECT_EQ(s.WriteText(true), "L\r\nP\r\nQ\r\nI\r\nV\r\nT\r\nF\r\n");
    EXPECT_EQ(s.WriterNames(false),
              (std::vector<std::string>{"loader", "frame", "frame2", "image"}));
}

TEST(ConfigSections, EveryReaderSeesEveryLineButABlockKeepsItsOwnLines) {
    ConfigSections_cls s;
    std::vector<std::string> seen;
    // registered out of order: reading follows the slots
    s.AddReader(READ_TIME, "block", [&](ParamTextStream_cls& in, const std::string& line) {
        seen.push_back("block:" + line);
        if (line != "---Begin") return;
        std::string l;
        while (in.ReadLine(l) && l != "---End") seen.push_back("block-inner:" + l);
    });
    s.AddReader(READ_FILTER_LISTS, "last", [&](ParamTextStream_cls&, const std::string& line) {
        seen.push_back("last:" + line);
    });
    s.AddReader(READ_DATA_LOADER, "first", [&](ParamTextStream_cls&, const std::string& line) {
        seen.push_back("first:" + line);
    });
    s.AddAfterRead(AFTER_CLEAR_HISTORY, "b", [&] { seen.push_back("after:b"); });
    s.AddAfterRead(AFTER_LIGHT_STATES, "a", [&] { seen.push_back("after:a"); });

    s.ReadLines({"A=1", "---Begin", "x=1", "---End", "B=2"});
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "first:A=1", "block:A=1", "last:A=1",                   //
                        "first:---Begin", "block:---Begin", "block-inner:x=1",  //
                        "last:---Begin",                                        //
                        "first:B=2", "block:B=2", "last:B=2", "after:a", "after:b"}));
}

TEST(ConfigSections, SettingsGroupRoundTripAndLastValueWins) {
    ConfItemSTR_cls ptp, img;
    ConfItemGroup_cls group;
    group.Register(&ptp, "LastOpenedFilePTP=", "None");
    group.Register(&img, "LastOpenedFileIMG=", "None");
    ConfigSections_cls s;
    s.AddGroup(ROW_FRAME, READ_FRAME, "frame", &group);
    EXPECT_EQ(s.WriteText(false), "LastOpenedFilePTP=None\r\nLastOpenedFileIMG=None\r\n");

    s.ReadLines({"LastOpenedFilePTP=/a.ptp", "Other=1", "LastOpenedFilePTP=/b \xE6\x97\xA5.ptp"});
    EXPECT_EQ(std::string(ptp.text.utf8_str()), "/b \xE6\x97\xA5.ptp");
    EXPECT_EQ(img.text, "None");
    EXPECT_EQ(s.WriteText(false),
              "LastOpenedFilePTP=/b \xE6\x97\xA5.ptp\r\nLastOpenedFileIMG=None\r\n");
}

// A value read with a NUL byte in it (a damaged or foreign file) is written back whole,
// and the lines after it in its section are not lost.
TEST(ConfigSections, ValueWithNulByteDoesNotCutTheSectionShort) {
    std::string bytes, error;
    ASSERT_TRUE(platform::ReadFileBytes(
        std::string(PT_SOURCE_DIR) + "/tests/app/fixtures/config_value_with_nul.txt", bytes, error));
    ConfItemSTR_cls ptp, img;
    ConfItemGroup_cls group;
    group.Register(&ptp, "LastOpenedFilePTP=", "None");
    group.Register(&img, "LastOpenedFileIMG=", "None");
    ConfigSections_cls s;
    s.AddGroup(ROW_FRAME, READ_FRAME, "frame", &group);
    s.ReadLines(Lines(bytes));
    EXPECT_EQ(img.text, "/home/u/shot.png");
    EXPECT_EQ(s.WriteText(false), bytes);
}

// The time model through the registry, remap block included: what is written reads back
// into a fresh model and writes out byte for byte the same.
TEST(ConfigSections, TimeSectionRoundTripsThroughTheRegistry) {
    TimeCtrl_cls a, b;
    a.maxFrame.value = 250;
    a.workAreaMax.value = 200;
    a.animStep.value = 2;
    a.useTimeRemap.value = true;
    ASSERT_NE(a.remap, nullptr);
    a.remap->InsertKey(0, 0.5, 42.0);

    auto registry = [](TimeCtrl_cls* t) {
        auto s = std::make_unique<ConfigSections_cls>();
        s->AddWriter(ROW_TIME, "time", [t] { return std::string(t->WriteText().utf8_str()); });
        s->AddReader(READ_TIME, "time", [t](ParamTextStream_cls& in, const std::string& line) {
            t->ReadText(in, line);
        });
        return s;
    };
    const std::string text = registry(&a)->WriteText(true);
    ASSERT_NE(text.find("---TimeRemap\n"), std::string::npos);
    registry(&b)->ReadLines(Lines(text));
    EXPECT_EQ(b.MaxFrame(), 250);
    EXPECT_EQ(b.AnimStep(), 2);
    EXPECT_TRUE(b.useTimeRemap.value);
    EXPECT_EQ(registry(&b)->WriteText(true), text);
}

// The registry knows the program's lines: the keys of every listed group (also of groups
// a section reads itself, asked for while their owner exists) and the block markers.
TEST(ConfigSections, ProgramLinesAreTheListedKeysAndMarkers) {
    ConfItemSTR_cls ptp;
    ConfItemGroup_cls frame;
    frame.Register(&ptp, "LastOpenedFilePTP=", "None");
    TimeCtrl_cls time;
    bool timeAlive = true;
    ConfigSections_cls s;
    s.AddGroup(ROW_FRAME, READ_FRAME, "frame", &frame);
    s.AddSettingsGroup("time", [&]() { return timeAlive ? &time.settings : nullptr; });
    s.AddMarker("---TimeRemap");
    s.AddMarker("-ParamGroup=");

    const auto groups = s.SettingsGroups();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].name, "frame");
    EXPECT_EQ(groups[1].group, &time.settings);

    struct Case {
        const char* line;
        bool program;
    };
    const Case cases[] = {
        {"LastOpenedFilePTP=/a.ptp", true},
        {"LastOpenedFilePTP=", true},
        {"TimeMaxFrame=5", true},
        {"TImeActiveAreaMax=100", true},  // the key as the program writes it
        {"---TimeRemap", true},
        {"-ParamGroup=Time Remap", true},
        {"LastOpenedFilePTP", false},
        {" TimeMaxFrame=5", false},
        {"XTimeMaxFrame=5", false},
        {"TimeMaxFrameX=5", false},
        {"CXX=g++", false},
        {"--TimeRemap", false},
        {"Start", false},
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(s.IsProgramLine(c.line), c.program) << c.line;

    // a group whose owner is gone is no longer asked
    timeAlive = false;
    EXPECT_EQ(s.SettingsGroups().size(), 1u);
    EXPECT_FALSE(s.IsProgramLine("TimeMaxFrame=5"));
}
