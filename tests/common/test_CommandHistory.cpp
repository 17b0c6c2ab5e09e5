#include "common/CommandHistory.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/CommandSetValue.h"

namespace {

struct RecordingPoster : MenuCommandPoster_cls {
    std::vector<int> ids;
    void PostMenuCommand(int id) override { ids.push_back(id); }
};

// Writes one value into a shared int, logs its label, raises its flags, counts deaths.
struct Probe : CommandItem_cls {
    int* target;
    int value;
    std::vector<std::string>* log;
    int* deaths;
    Probe(int* t, int v, uint64_t flags, std::vector<std::string>* l = nullptr, int* d = nullptr)
        : CommandItem_cls(COMMAND_PLAIN, "probe", flags), target(t), value(v), log(l), deaths(d) {}
    ~Probe() override {
        if (deaths) ++*deaths;
    }
    void Execute(bool undo) override {
        *target = value;
        if (log) log->push_back((undo ? "u" : "d") + std::to_string(value));
        Notify();
    }
};

// One edit: push (new, old) and run it, as every editor does.
void Edit(CommandHistory_cls& h, int& var, int newValue, uint64_t flags = 0,
          std::vector<std::string>* log = nullptr, int* deaths = nullptr) {
    h.Push(new Probe(&var, newValue, flags, log, deaths), new Probe(&var, var, flags, log, deaths));
    h.Redo();
}

struct HistoryTest : ::testing::Test {
    CommandHistory_cls h;
    RecordingPoster poster;
    void SetUp() override {
        h.SetPoster(&poster);
        GbSnapDataRefresh = false;
    }
};

}  // namespace

TEST_F(HistoryTest, TimeBitIsPostedAtOnceAndAgainWhenFired) {
    int v = 0;
    Edit(h, v, 1, UPD_VIEWS | UPD_TIME);
    EXPECT_EQ(poster.ids, (std::vector<int>{6018, 6018, 6017}));
    EXPECT_EQ(h.PendingUpdates(), 0u);
}

// Every bit posts its id, once per firing, in the fixed table order.
TEST_F(HistoryTest, EachBitPostsItsIdInTableOrder) {
    struct Case {
        uint64_t bit;
        int id;
    } table[] = {
        {UPD_TIME, 6018},           {UPD_ATTRIB_PAGES, 6020},   {UPD_VIEWS, 6017},
        {UPD_IMGSEQ_GUI, 6021},     {UPD_CAMERAPATH_GUI, 6022}, {UPD_COLORCURVE_GUI, 6023},
        {UPD_EXPORTER_GUI, 6024},   {UPD_DRAW_PAGES, 6025},     {UPD_LIGHT_GUI, 6026},
        {UPD_EXPOSURE_PAGE, 6027},  {UPD_STEREOGRAM_GUI, 6028}, {UPD_FILTER_PAGES, 6063},
        {UPD_FILTER_EVAL, 6061},    {UPD_TEXTURE_GUI, 6029},
    };
    uint64_t all = UPD_SNAP_REFRESH;
    std::vector<int> order;
    for (const Case& c : table) {
        if (c.bit != UPD_TIME) {
            poster.ids.clear();
            h.Notify(c.bit);
            h.FireUpdates();
            EXPECT_EQ(poster.ids, std::vector<int>{c.id}) << c.bit;
        }
        all |= c.bit;
        order.push_back(c.id);
    }
    // the snap bit posts nothing and sets the refresh flag
    poster.ids.clear();
    h.Notify(UPD_SNAP_REFRESH);
    h.FireUpdates();
    EXPECT_TRUE(poster.ids.empty());
    EXPECT_TRUE(GbSnapDataRefresh);

    // all at once, raised twice over by several commands: each id once, in order
    GbSnapDataRefresh = false;
    poster.ids.clear();
    int v = 0;
    h.BeginBlock("all");
    Edit(h, v, 1, all & ~UPD_TIME);
    Edit(h, v, 2, all & ~UPD_TIME);
    h.EndBlock("all");
    order.erase(order.begin());  // UPD_TIME was not raised
    EXPECT_EQ(poster.ids, order);
    EXPECT_TRUE(GbSnapDataRefresh);
}

TEST_F(HistoryTest, BlockPostsOnceWhenItClosesAndUndoRedoRunItAsOneUnit) {
    int a = 0, b = 0, c = 0;
    std::vector<std::string> log;
    h.BeginBlock("three");
    Edit(h, a, 1, UPD_ATTRIB_PAGES, &log);
    Edit(h, b, 2, UPD_VIEWS, &log);
    Edit(h, c, 3, UPD_ATTRIB_PAGES, &log);
    EXPECT_TRUE(poster.ids.empty());
    h.EndBlock("three");
    EXPECT_EQ(poster.ids, (std::vector<int>{6020, 6017}));
    EXPECT_EQ(h.Size(), 5u);  // n + 2 steps

    log.clear();
    poster.ids.clear();
    h.Undo();
    EXPECT_EQ(log, (std::vector<std::string>{"u0", "u0", "u0"}));
    EXPECT_EQ(a + b + c, 0);
    EXPECT_EQ(h.Cursor(), 0u);
    EXPECT_EQ(poster.ids, (std::vector<int>{6020, 6017}));

    log.clear();
    poster.ids.clear();
    h.Redo();
    EXPECT_EQ(log, (std::vector<std::string>{"d1", "d2", "d3"}));
    EXPECT_EQ(poster.ids, (std::vector<int>{6020, 6017}));
    EXPECT_EQ(h.Cursor(), 5u);
    EXPECT_EQ(h.BlockDepth(), 0);
}

TEST_F(HistoryTest, UndoIsReverseOrderWithinABlock) {
    int v = 0;
    std::vector<std::string> log;
    h.BeginBlock("seq");
    Edit(h, v, 1, 0, &log);
    Edit(h, v, 2, 0, &log);
    Edit(h, v, 3, 0, &log);
    h.EndBlock("seq");
    log.clear();
    h.Undo();
    EXPECT_EQ(log, (std::vector<std::string>{"u2", "u1", "u0"}));
    EXPECT_EQ(v, 0);
}

TEST_F(HistoryTest, PushAfterUndoDropsTheRedoTail) {
    int v = 0, deaths = 0;
    std::vector<std::string> log;
    Edit(h, v, 1, 0, &log, &deaths);
    Edit(h, v, 2, 0, &log, &deaths);
    Edit(h, v, 3, 0, &log, &deaths);
    h.Undo();
    h.Undo();
    EXPECT_EQ(v, 1);
    EXPECT_EQ(deaths, 0);
    Edit(h, v, 7, 0, &log, &deaths);
    EXPECT_EQ(deaths, 4);  // both commands of the two undone steps
    EXPECT_EQ(h.Size(), 2u);
    log.clear();
    h.Redo();  // nothing left to redo
    EXPECT_TRUE(log.empty());
    h.Undo();
    h.Undo();
    EXPECT_EQ(v, 0);
    h.Redo();
    h.Redo();
    EXPECT_EQ(log, (std::vector<std::string>{"u1", "u0", "d1", "d7"}));
    EXPECT_EQ(v, 7);
}

TEST_F(HistoryTest, EmptyEndAndClearedHistoriesDoNothing) {
    int v = 5;
    h.Undo();
    h.Redo();
    EXPECT_EQ(h.Cursor(), 0u);
    Edit(h, v, 6);
    h.Redo();  // at the end
    EXPECT_EQ(h.Cursor(), 1u);
    EXPECT_EQ(v, 6);
    int deaths = 0;
    Edit(h, v, 8, 0, nullptr, &deaths);
    h.Clear();
    EXPECT_EQ(deaths, 2);
    EXPECT_EQ(h.Size(), 0u);
    h.Undo();
    h.Redo();
    EXPECT_EQ(v, 8);
    EXPECT_FALSE(h.CanUndo());
    EXPECT_FALSE(h.CanRedo());
}

// A history emptied (after a project is read, say) forgets what its dropped steps raised:
// the next edit posts only its own bits.
TEST_F(HistoryTest, ClearDropsTheBitsOfTheClearedSteps) {
    int v = 0;
    h.SetPoster(nullptr);  // no frame yet: the bits wait
    Edit(h, v, 1, UPD_VIEWS | UPD_COLORCURVE_GUI);
    h.BeginBlock("open");
    Edit(h, v, 2, UPD_DRAW_PAGES);
    ASSERT_NE(h.PendingUpdates(), 0u);
    h.Clear();
    EXPECT_EQ(h.PendingUpdates(), 0u);
    h.SetPoster(&poster);
    h.EndBlock("open");
    Edit(h, v, 3, UPD_LIGHT_GUI);
    EXPECT_EQ(poster.ids, std::vector<int>{ID_LIGHT_DIALOG_REFRESH});
    EXPECT_FALSE(GbSnapDataRefresh);
}

TEST_F(HistoryTest, NestedBlocksAreOneUnit) {
    int v = 0;
    Edit(h, v, 1);
    h.BeginBlock("outer");
    Edit(h, v, 2);
    h.BeginBlock("inner");
    Edit(h, v, 3);
    Edit(h, v, 4);
    h.EndBlock("inner");
    EXPECT_EQ(h.BlockDepth(), 1);
    Edit(h, v, 5);
    h.EndBlock("outer");
    EXPECT_EQ(h.BlockDepth(), 0);
    h.Undo();
    EXPECT_EQ(v, 1);
    EXPECT_EQ(h.Cursor(), 1u);
    h.Redo();
    EXPECT_EQ(v, 5);
    EXPECT_EQ(h.Cursor(), h.Size());
    h.Undo();
    h.Undo();
    EXPECT_EQ(v, 0);
}

TEST_F(HistoryTest, UndoIsIgnoredWhileABlockIsOpen) {
    int v = 0;
    Edit(h, v, 1);
    h.BeginBlock("edit");
    Edit(h, v, 2);
    const uint32_t cursor = h.Cursor();
    h.Undo();
    EXPECT_EQ(v, 2);
    EXPECT_EQ(h.Cursor(), cursor);
    EXPECT_EQ(h.BlockDepth(), 1);
    EXPECT_FALSE(h.CanUndo());
    Edit(h, v, 3);
    h.EndBlock("edit");
    h.Undo();
    EXPECT_EQ(v, 1);
    EXPECT_EQ(h.BlockDepth(), 0);
}

TEST_F(HistoryTest, DepthNeverGoesBelowZero) {
    int v = 0;
    Edit(h, v, 1);
    Edit(h, v, 2);
    h.EndBlock("stray");  // no block open: ignored
    EXPECT_EQ(h.BlockDepth(), 0);
    EXPECT_EQ(h.Size(), 2u);
    h.Undo();  // undoes one step, not everything before a phantom block
    EXPECT_EQ(v, 1);
    EXPECT_EQ(h.Cursor(), 1u);

    // a block cleared while open: undoing its close never leaves the history stuck
    h.BeginBlock("b");
    h.Clear();
    Edit(h, v, 5);
    h.EndBlock("b");
    EXPECT_EQ(h.BlockDepth(), 0);
    h.Undo();
    EXPECT_EQ(h.BlockDepth(), 0);
    EXPECT_EQ(v, 1);
    h.Redo();
    EXPECT_EQ(v, 5);
}

// A long block runs in a loop: 100,000 steps undo and redo as one unit.
TEST_F(HistoryTest, VeryLongBlockUndoesAndRedoesWithoutRecursion) {
    constexpr int kSteps = 100000;
    int v = 0;
    h.BeginBlock("long");
    for (int i = 1; i <= kSteps; ++i) {
        h.Push(new CommandSetValue_cls(&v, i, UPD_VIEWS), new CommandSetValue_cls(&v, i - 1, UPD_VIEWS));
        h.Redo();
    }
    h.EndBlock("long");
    EXPECT_EQ(poster.ids, std::vector<int>{6017});
    EXPECT_EQ(h.Size(), static_cast<size_t>(kSteps + 2));
    poster.ids.clear();
    h.Undo();
    EXPECT_EQ(v, 0);
    EXPECT_EQ(h.Cursor(), 0u);
    h.Redo();
    EXPECT_EQ(v, kSteps);
    EXPECT_EQ(h.Cursor(), h.Size());
    EXPECT_EQ(poster.ids, (std::vector<int>{6017, 6017}));
}

TEST_F(HistoryTest, BitsWaitForTheMainFrame) {
    h.SetPoster(nullptr);
    int v = 0;
    Edit(h, v, 1, UPD_TIME | UPD_LIGHT_GUI | UPD_SNAP_REFRESH);
    EXPECT_EQ(h.PendingUpdates(), UPD_TIME | UPD_LIGHT_GUI | UPD_SNAP_REFRESH);
    EXPECT_FALSE(GbSnapDataRefresh);
    h.SetPoster(&poster);
    EXPECT_TRUE(poster.ids.empty());
    h.FireUpdates();
    EXPECT_EQ(poster.ids, (std::vector<int>{6018, 6026}));
    EXPECT_TRUE(GbSnapDataRefresh);
}

TEST_F(HistoryTest, TimeNotifyInsideABlockPostsAtOnce) {
    h.BeginBlock("t");
    h.Notify(UPD_TIME);
    EXPECT_EQ(poster.ids, std::vector<int>{6018});
    h.EndBlock("t");
    EXPECT_EQ(poster.ids, (std::vector<int>{6018, 6018}));
}

// A command that clears the history while it runs (a setter recording its own step)
// must not have itself deleted under its feet.
TEST_F(HistoryTest, CommandMayClearTheHistoryWhileRunning) {
    struct Clearing : CommandItem_cls {
        CommandHistory_cls* h;
        int* ran;
        Clearing(CommandHistory_cls* hist, int* r) : h(hist), ran(r) {}
        void Execute(bool) override {
            h->Clear();
            name = "still alive";
            ++*ran;
        }
    };
    int ran = 0;
    h.Push(new Clearing(&h, &ran), new Clearing(&h, &ran));
    h.Redo();
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(h.Size(), 0u);
}

TEST(CommandHistoryGlobal, CommandsNotifyTheHistoryRunningThem) {
    CommandHistory_cls local;
    RecordingPoster poster, globalPoster;
    local.SetPoster(&poster);
    MenuCommandPoster_cls* oldGlobal = GoCommandHistory.Poster();
    GoCommandHistory.SetPoster(&globalPoster);
    int v = 0;
    local.Push(new CommandSetValue_cls(&v, 1, UPD_DRAW_PAGES), new CommandSetValue_cls(&v, 0, UPD_DRAW_PAGES));
    local.Redo();
    EXPECT_EQ(poster.ids, std::vector<int>{6025});
    EXPECT_TRUE(globalPoster.ids.empty());
    GoCommandHistory.Push(new CommandSetValue_cls(&v, 2, UPD_VIEWS), new CommandSetValue_cls(&v, 1, UPD_VIEWS));
    GoCommandHistory.Redo();
    GoCommandHistory.Undo();
    EXPECT_EQ(v, 1);
    EXPECT_EQ(globalPoster.ids, (std::vector<int>{6017, 6017}));
    GoCommandHistory.Clear();
    GoCommandHistory.SetPoster(oldGlobal);
}
