// The data loader settings: order and defaults of its lines, round trip, clamping, the
// settings a read takes, the reset of the transforms and the load hand-off.
#include "data/DataLoader.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/arrstr.h>

namespace {

std::vector<wxString> Keys(const wxString& text) {
    std::vector<wxString> keys;
    for (const wxString& line : wxSplit(text, '\n', 0)) {
        if (line.empty()) continue;
        keys.push_back(line.BeforeFirst('=') + "=");
    }
    return keys;
}

TEST(DataLoader, DefaultsInFileOrder) {
    DataLoader_cls loader;
    const std::vector<wxString> expected{"DataLoadDataType=",  "DataLoadGrammerHead=", "DataLoadGrammerBody=",
                                         "LastOpenedFile=",    "InterpolateType=",     "VariableNumber=",
                                         "LoaderTranslate=",   "LoaderScale=",         "LoaderScaleValue1=",
                                         "LoaderLogarithm="};
    EXPECT_EQ(Keys(loader.WriteConfig()), expected);
    EXPECT_EQ(loader.lastOpenedFile.text, "NONE");
    const SnapshotLoadSettings s = loader.MakeLoadSettings();
    EXPECT_EQ(s.interpolationType, 1);
    EXPECT_EQ(s.numberMode, 0);
    EXPECT_EQ(s.scale, 1.0f);
    EXPECT_EQ(s.value1Scale, 1.0f);
    EXPECT_EQ(s.logarithm, 0u);
    EXPECT_EQ(s.grammar.dataType, SNAPSHOT_BINARY);
    EXPECT_EQ(s.grammar.headerCodes, (std::vector<int>{0, 1}));
    EXPECT_EQ(s.grammar.bodyCodes, (std::vector<int>{0, 1, 5, 6, 7, 8}));
}

TEST(DataLoader, SettingsRoundTripByteIdentical) {
    DataLoader_cls a;
    const char* lines[] = {"DataLoadDataType=1\r\n",       "DataLoadGrammerHead=4 0 1",
                           "DataLoadGrammerBody=0 8 6",     "LastOpenedFile=/data/run 7/snap0010.dat",
                           "InterpolateType=0",             "VariableNumber=2",
                           "LoaderTranslate=1.5 -2.25 1e-3", "LoaderScale=0.001",
                           "LoaderScaleValue1=0",           "LoaderLogarithm=1\r\n"};
    for (const char* l : lines) EXPECT_TRUE(a.ReadConfig(l)) << l;
    const wxString text = a.WriteConfig();

    DataLoader_cls b;
    for (const wxString& line : wxSplit(text, '\n', 0)) {
        if (!line.empty()) {
            EXPECT_TRUE(b.ReadConfig(line + "\n")) << line;
        }
    }
    EXPECT_EQ(b.WriteConfig(), text);

    const SnapshotLoadSettings s = b.MakeLoadSettings();
    EXPECT_EQ(s.grammar.dataType, SNAPSHOT_ASCII);
    EXPECT_EQ(s.grammar.headerCodes, (std::vector<int>{4, 0, 1}));
    EXPECT_EQ(s.grammar.bodyCodes, (std::vector<int>{0, 8, 6}));
    EXPECT_EQ(s.interpolationType, 0);
    EXPECT_EQ(s.numberMode, 2);
    EXPECT_FLOAT_EQ(s.translate[0], 1.5f);
    EXPECT_FLOAT_EQ(s.translate[1], -2.25f);
    EXPECT_FLOAT_EQ(s.translate[2], 1e-3f);
    EXPECT_FLOAT_EQ(s.scale, 0.001f);
    EXPECT_EQ(s.value1Scale, 0.0f);
    EXPECT_EQ(s.logarithm, 1u);
    EXPECT_EQ(b.lastOpenedFile.text, "/data/run 7/snap0010.dat");
    EXPECT_FALSE(b.ReadConfig("XLoaderScale=5"));  // a key inside a longer key never matches
    EXPECT_FLOAT_EQ(b.scale.value, 0.001f);
}

TEST(DataLoader, ChoicesAreClampedWhenRead) {
    const struct {
        const char* line;
        int interpolation, number;
        unsigned logarithm;
    } cases[] = {
        {"InterpolateType=7", 2, 0, 0},   {"InterpolateType=-1", 2, 0, 0},
        {"VariableNumber=3", 1, 2, 0},    {"VariableNumber=abc", 1, 0, 0},
        {"LoaderLogarithm=9", 1, 0, 1},   {"LoaderLogarithm=4294967295", 1, 0, 1},
        {"DataLoadDataType=5", 1, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        DataLoader_cls loader;
        EXPECT_TRUE(loader.ReadConfig(c.line));
        const SnapshotLoadSettings s = loader.MakeLoadSettings();
        EXPECT_EQ(s.interpolationType, c.interpolation);
        EXPECT_EQ(s.numberMode, c.number);
        EXPECT_EQ(s.logarithm, c.logarithm);
        EXPECT_GE(s.grammar.dataType, 0);
        EXPECT_LE(s.grammar.dataType, 1);
        // What is written reads back as the same clamped value.
        DataLoader_cls again;
        for (const wxString& line : wxSplit(loader.WriteConfig(), '\n', 0))
            if (!line.empty()) again.ReadConfig(line);
        EXPECT_EQ(again.WriteConfig(), loader.WriteConfig());
    }
}

TEST(DataLoader, ResetTransformsKeepsTheRest) {
    DataLoader_cls loader;
    for (const char* l : {"LoaderTranslate=1 2 3", "LoaderScale=4", "LoaderScaleValue1=5", "LoaderLogarithm=1",
                          "InterpolateType=2", "DataLoadGrammerBody=0 8"})
        loader.ReadConfig(l);
    loader.ResetTransforms();
    const SnapshotLoadSettings s = loader.MakeLoadSettings();
    EXPECT_EQ(s.translate[0], 0.0f);
    EXPECT_EQ(s.translate[1], 0.0f);
    EXPECT_EQ(s.translate[2], 0.0f);
    EXPECT_EQ(s.scale, 1.0f);
    EXPECT_EQ(s.value1Scale, 1.0f);
    EXPECT_EQ(s.logarithm, 0u);
    EXPECT_EQ(s.interpolationType, 2);
    EXPECT_EQ(s.grammar.bodyCodes, (std::vector<int>{0, 8}));
}

TEST(DataLoader, SetFileAndLoadHandsThePathOnAndRemembersIt) {
    DataLoader_cls loader;
    std::vector<wxString> loads;
    loader.loadData = [&](const wxString& path) { loads.push_back(path); };
    loader.SetFileAndLoad("/tmp/x/snap0000.dat");
    ASSERT_EQ(loads.size(), 1u);
    EXPECT_EQ(loads[0], "/tmp/x/snap0000.dat");
    EXPECT_NE(loader.WriteConfig().Find("LastOpenedFile=/tmp/x/snap0000.dat\r\n"), wxNOT_FOUND);
}

}  // namespace
