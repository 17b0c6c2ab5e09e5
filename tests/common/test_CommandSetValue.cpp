#include "common/CommandSetValue.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "common/CommandHistory.h"
#include "common/CommandSetColor.h"
#include "common/ConfItemGroup.h"

namespace {

std::string S(const wxString& s) { return std::string(s.utf8_str()); }

struct RecordingPoster : MenuCommandPoster_cls {
    std::vector<int> ids;
    void PostMenuCommand(int id) override { ids.push_back(id); }
};

struct ValueCommandTest : ::testing::Test {
    CommandHistory_cls h;
    RecordingPoster poster;
    void SetUp() override { h.SetPoster(&poster); }

    // Edits `var` from its current value to `newValue` as the bound panels do, then
    // checks redo, undo and redo again, each raising the pair's flags once.
    template <typename T>
    void CheckPair(T& var, T newValue, const char* name, int valueType) {
        const T old = var;
        auto* doCmd = new CommandSetValue_cls(&var, newValue, UPD_ATTRIB_PAGES | UPD_VIEWS);
        EXPECT_EQ(S(doCmd->name), name);
        EXPECT_EQ(doCmd->valueType, valueType);
        h.Push(doCmd, new CommandSetValue_cls(&var, old, UPD_ATTRIB_PAGES | UPD_VIEWS));
        poster.ids.clear();
        h.Redo();
        EXPECT_EQ(var, newValue) << name;
        h.Undo();
        EXPECT_EQ(var, old) << name;
        h.Redo();
        EXPECT_EQ(var, newValue) << name;
        EXPECT_EQ(poster.ids, (std::vector<int>{6020, 6017, 6020, 6017, 6020, 6017})) << name;
    }
};

}  // namespace

TEST_F(ValueCommandTest, EveryKindStoresAndRestores) {
    float f = 1.5f;
    double d = -2.25;
    int i = 7;
    unsigned int u = 3;
    wxString s = "old text";
    bool b = false;
    CheckPair(f, 0.1f, "float", CVT_FLOAT);
    CheckPair(d, 1e-300, "double", CVT_DOUBLE);
    CheckPair(i, -2147483647 - 1, "value", CVT_INT);
    CheckPair(u, 4000000000u, "uint", CVT_UINT);
    CheckPair(s, wxString::FromUTF8("新しい %s text"), "str", CVT_STRING);
    CheckPair(b, true, "bool", CVT_BOOL);
}

// A bool target is one byte: the command writes that byte and nothing beside it.
TEST_F(ValueCommandTest, BoolWritesOneByteOnly) {
    struct {
        bool flag = false;
        unsigned char next[3] = {0xAB, 0xAB, 0xAB};
    } bytes;
    h.Push(new CommandSetValue_cls(&bytes.flag, true, 0), new CommandSetValue_cls(&bytes.flag, false, 0));
    h.Redo();
    EXPECT_TRUE(bytes.flag);
    EXPECT_EQ(bytes.next[0], 0xAB);
    h.Undo();
    EXPECT_FALSE(bytes.flag);
}

// Undo of a value edit shows the old value in the settings line the owner writes.
TEST_F(ValueCommandTest, UndoRestoresWhatTheSettingsFileSees) {
    ConfItemFLOAT_cls angle;
    ConfItemUINT_cls seed;
    ConfItemGroup_cls g;
    g.Register(&angle, "GLPersAngle=", "45");
    g.Register(&seed, "RandomSeed=", "1");
    h.BeginBlock("view");
    h.Push(new CommandSetValue_cls(&angle.value, 30.0f, UPD_VIEWS),
           new CommandSetValue_cls(&angle.value, angle.value, UPD_VIEWS));
    h.Redo();
    h.Push(new CommandSetValue_cls(&seed.value, 4000000000u, 0),
           new CommandSetValue_cls(&seed.value, seed.value, 0));
    h.Redo();
    h.EndBlock("view");
    EXPECT_EQ(S(g.WriteAll()), "GLPersAngle=30.000000\r\nRandomSeed=4000000000\r\n");
    h.Undo();
    EXPECT_EQ(S(g.WriteAll()), "GLPersAngle=45.000000\r\nRandomSeed=1\r\n");
    h.Redo();
    EXPECT_EQ(S(g.WriteAll()), "GLPersAngle=30.000000\r\nRandomSeed=4000000000\r\n");
}

// A target inside an object that is deleted and recreated is found again at each run;
// when it is gone the command changes nothing and raises nothing.
TEST_F(ValueCommandTest, LocatedTargetFollowsRecreatedObjects) {
    std::unique_ptr<double> owner(new double(1.0));
    auto locate = [&owner]() -> void* { return owner.get(); };
    h.Push(CommandSetValue_cls::MakeLocated(locate, 2.0, UPD_FILTER_EVAL),
           CommandSetValue_cls::MakeLocated(locate, 1.0, UPD_FILTER_EVAL));
    h.Redo();
    EXPECT_EQ(*owner, 2.0);
    owner.reset(new double(9.0));  // deleted and recreated
    h.Undo();
    EXPECT_EQ(*owner, 1.0);
    owner.reset();
    poster.ids.clear();
    h.Redo();  // gone: nothing happens
    EXPECT_TRUE(poster.ids.empty());
    EXPECT_EQ(h.Cursor(), 1u);
}

TEST_F(ValueCommandTest, ColourCommandSetsFourChannels) {
    ConfItemFLOATARRAY_cls colour("ConstantColor=", "0.5 0.5 0.5 1");
    h.Push(new CommandSetColor_cls(&colour, 1.0f, 0.0f, 0.25f, 0.5f, 3),
           new CommandSetColor_cls(&colour, colour.values[0], colour.values[1], colour.values[2],
                                   colour.values[3], 3));
    ::testing::internal::CaptureStdout();
    h.Redo();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");  // the terminal stays quiet
    EXPECT_EQ(S(colour.WriteLine()), "ConstantColor=1.000000 0.000000 0.250000 0.500000\r\n");
    EXPECT_EQ(colour.count, 4);
    h.Undo();
    EXPECT_EQ(S(colour.WriteLine()), "ConstantColor=0.500000 0.500000 0.500000 1.000000\r\n");
    EXPECT_EQ(poster.ids, (std::vector<int>{6020, 6017, 6020, 6017}));
}

TEST_F(ValueCommandTest, ColourCommandOnAVanishedRecordDoesNothing) {
    auto record = std::make_unique<ConfItemFLOATARRAY_cls>("ConstantColor=", "0 0 0 1");
    auto locate = [&record]() { return record.get(); };
    h.Push(new CommandSetColor_cls(locate, 1, 1, 1, 1, UPD_COLORCURVE_GUI),
           new CommandSetColor_cls(locate, 0, 0, 0, 1, UPD_COLORCURVE_GUI));
    h.Redo();
    EXPECT_FLOAT_EQ(record->values[0], 1.0f);
    record.reset();
    poster.ids.clear();
    h.Undo();
    EXPECT_TRUE(poster.ids.empty());
    record = std::make_unique<ConfItemFLOATARRAY_cls>("ConstantColor=", "0.5 0.5 0.5 1");
    h.Redo();  // the recreated record is found again
    EXPECT_EQ(S(record->ValueText()), "1.000000 1.000000 1.000000 1.000000");
    EXPECT_EQ(poster.ids, std::vector<int>{6023});
}
