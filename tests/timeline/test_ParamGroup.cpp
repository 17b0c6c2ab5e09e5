// Parameter groups: keying in named blocks, swap and copy with undo, owners and selection,
// the group text, renaming, and the window hooks.
#include "tests/timeline/ParamTestUtil.h"

#include "platform/TextDecoding.h"
#include "tests/support/TestFiles.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamOwner.h"
#include "timeline/ParamTextStream.h"
#include "timeline/ParamViews.h"

#include <random>

using paramtest::K;
using paramtest::MakeParam;
using paramtest::Shape;

namespace {

class FakeOwner : public ParamOwner_cls {
public:
    explicit FakeOwner(int id) : id_(id) {}
    int GetOwnerPickId() const override { return id_; }
    bool IsOwnerSelected() const override { return selected; }
    void SetOwnerSelected(bool s) override { selected = s; }
    void ClearOwnerDragged() override { dragged = false; }
    bool selected = false;
    bool dragged = true;

private:
    int id_;
};

class FakeHeader : public ParamHeaderView_cls {
public:
    void ShowHeader(bool s) override { shown = s; }
    void ShowLinkButton(bool s) override { link = s; }
    bool IsFolderOpen() const override { return open; }
    void SetFolderOpen(bool o) override { open = o; }
    void UpdateColour() override { ++colours; }
    void RelayoutPanel() override { ++relayouts; }
    void UpdatePanel() override { ++updates; }
    void DestroyHeader() override { *destroyed = true; }
    wxWindow* HeaderWindow() override { return nullptr; }
    bool shown = true, link = true, open = true;
    int colours = 0, relayouts = 0, updates = 0;
    bool* destroyed = nullptr;
};

class FakeRow : public ParamRowView_cls {
public:
    void ShowRow(bool s) override { shown = s; }
    void UpdateState() override { ++states; }
    void DestroyRow() override { ++*destroyed; }
    bool shown = true;
    int states = 0;
    int* destroyed = nullptr;
};

class FakeStrip : public ParamStripView_cls {
public:
    void SetCurrentKey(int index) override { currentKey = index; }
    void SetTimeDependToggle(int state) override { toggle = state; }
    void UpdateTimeDependToggle() override { ++toggleRefreshes; }
    void SetPressTime(double t) override { pressTime = t; }
    void DragStart(double t, bool ctrl, bool alt) override { dragStart = t + (ctrl ? 10 : 0) + (alt ? 100 : 0); }
    void DragMotion(wxMouseEvent&) override { ++motions; }
    void EndDrag() override { ++ends; }
    int currentKey = -2, toggle = -1, toggleRefreshes = 0, motions = 0, ends = 0;
    double pressTime = -1, dragStart = -1;
};

class ParamGroup : public paramtest::ParamTest {};

void SetCurve(Parameter_cls& p, const std::vector<K>& ks) {
    const std::string name = p.registryName, label = p.label;
    ParamGroup_cls* owner = p.owner;
    p.CopyCurveFrom(MakeParam(ks));
    p.registryName = name;
    p.label = label;
    p.owner = owner;
}

TEST_F(ParamGroup, ConstructionNamesComponents) {
    ParamGroup_cls g("Camera Translate", {"X", "Y", "Z"}, 0x1006, 1);
    ASSERT_EQ(g.ComponentCount(), 3);
    EXPECT_EQ(g.Dimension(), 3);
    EXPECT_EQ(g.Component(1).registryName, "Camera Translate Y");
    EXPECT_EQ(g.Component(1).owner, &g);
    EXPECT_EQ(g.Component(1).updateFlags, 0x1006u);
    EXPECT_FALSE(g.container);
    ParamGroup_cls c("Box", {}, 0, 1);
    EXPECT_TRUE(c.container);
    EXPECT_TRUE(c.IsConstant());
    EXPECT_EQ(g.FindParam("Camera Translate Z"), &g.Component(2));
}

TEST_F(ParamGroup, SwapRotatesCurvesAndOneUndoRestores) {
    ParamGroup_cls g("T", {"X", "Y", "Z"}, UPD_VIEWS, 1);
    SetCurve(g.Component(0), {{0, 1}, {1, 2}});
    SetCurve(g.Component(1), {{0, 3}});
    SetCurve(g.Component(2), {{0, 4}, {0.5, 5}, {1, 6}});
    const auto a = Shape(g.Component(0)), b = Shape(g.Component(1)), c = Shape(g.Component(2));
    g.Swap(3);
    EXPECT_EQ(Shape(g.Component(0)), b);
    EXPECT_EQ(Shape(g.Component(1)), c);
    EXPECT_EQ(Shape(g.Component(2)), a);
    EXPECT_EQ(g.Component(0).label, "X");
    EXPECT_EQ(g.Component(2).registryName, "T Z");
    GoCommandHistory.Undo();
    EXPECT_EQ(Shape(g.Component(0)), a);
    EXPECT_EQ(Shape(g.Component(1)), b);
    EXPECT_EQ(Shape(g.Component(2)), c);
    EXPECT_EQ(GoCommandHistory.Cursor(), 0u);

    const size_t steps = GoCommandHistory.Size();
    g.Swap(4);  // more than the dimension
    ParamGroup_cls one("S", {"V"}, 0, 1);
    one.Swap(1);
    EXPECT_EQ(GoCommandHistory.Size(), steps);
}

TEST_F(ParamGroup, CopyFromNeedsEqualDimensions) {
    ParamGroup_cls g("A", {"X", "Y"}, 0, 1), h("B", {"X", "Y"}, 0, 1), k("C", {"X"}, 0, 1);
    SetCurve(h.Component(1), {{0, 7}, {1, 8}});
    g.CopyFrom(k);
    EXPECT_EQ(GoCommandHistory.Size(), 0u);
    g.CopyFrom(h);
    EXPECT_EQ(Shape(g.Component(1)), Shape(h.Component(1)));
    EXPECT_EQ(g.Component(1).registryName, "A Y");
}

TEST_F(ParamGroup, WithoutUndoKeyingAndCopyingChangeKeysDirectly) {
    GbParamUndoEnabled = 0;
    ParamGroup_cls g("A", {"X", "Y"}, UPD_VIEWS, 1), h("B", {"X", "Y"}, UPD_VIEWS, 1);
    SetCurve(h.Component(0), {{0, 1}, {1, 2}});
    g.SetKeyFrame({4, 5}, true, 0.5);
    EXPECT_EQ(g.GetValues(0.5, -1), (std::vector<double>{4, 5}));
    g.CopyFrom(h);
    EXPECT_EQ(Shape(g.Component(0)), Shape(h.Component(0)));
    g.Swap(2);
    EXPECT_EQ(Shape(g.Component(1)), Shape(h.Component(0)));
    g.InsertKey(-1, 0.25, -9999);
    EXPECT_EQ(g.Component(0).GetKeyCount(), 2);
    EXPECT_EQ(GoCommandHistory.Size(), 0u);
}

TEST_F(ParamGroup, SetKeyFrameAndCachedValues) {
    ParamGroup_cls g("P", {"X", "Y", "Z"}, 0, 1);
    g.SetKeyFrame({1, 2, 3}, false, 0.5);
    EXPECT_EQ(g.GetValues(-1, -1), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(g.Component(2).GetKeyCount(), 2);
    EXPECT_EQ(g.GetValues(0.5, -1), (std::vector<double>{1, 2, 3}));
    GoCommandHistory.Undo();  // the whole "SetKeyFrame" block
    EXPECT_EQ(g.Component(0).GetKeyCount(), 1);
    EXPECT_EQ(g.Component(2).GetKeyCount(), 1);

    // Unchanged values and no force: nothing is keyed.
    const size_t steps = GoCommandHistory.Size();
    g.SetKeyFrame({0, 0, 0}, false, 0.5);
    EXPECT_EQ(GoCommandHistory.Size(), steps);
    // Only the selected component is keyed.
    g.selectedComponent = 1;
    g.SetKeyFrame({5, 6, 7}, true, 0.25);
    EXPECT_EQ(g.Component(0).GetKeyCount(), 1);
    EXPECT_EQ(g.Component(1).GetKeyCount(), 2);
}

TEST_F(ParamGroup, InsertKeyNearAnExistingKey) {
    ParamGroup_cls g("P", {"X"}, 0, 1);
    SetCurve(g.Component(0), {{0, 0}, {0.5, 5}, {1, 10}});
    g.InsertKey(0, 0.514, -9999);  // within 0.015 of the key at 0.5
    EXPECT_EQ(g.Component(0).GetKeyCount(), 3);
    g.InsertKey(0, 0.516, -9999);
    EXPECT_EQ(g.Component(0).GetKeyCount(), 4);
    EXPECT_NEAR(g.Component(0).keys[2].value, 5.16, 1e-9);
    g.InsertKey(0, 0.25, 2.5);  // equal to the curve but no key there: keyed
    EXPECT_EQ(g.Component(0).GetKeyCount(), 5);
}

TEST_F(ParamGroup, LinkedKeyOnOneRowKeysAllComponentsInOneStep) {
    ParamGroup_cls g("P", {"X", "Y", "Z"}, 0, 1);
    GdCurrentTime = 0.4;
    g.Component(1).AddKeyLinked(-1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(g.Component(i).GetKeyCount(), 2) << i;
    GoCommandHistory.Undo();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(g.Component(i).GetKeyCount(), 1) << i;
    g.linked = 0;
    g.Component(1).AddKeyLinked(-1);
    EXPECT_EQ(g.Component(0).GetKeyCount(), 1);
    EXPECT_EQ(g.Component(1).GetKeyCount(), 2);
}

TEST_F(ParamGroup, MovingSelectedKeysOfAllComponentsIsOneStep) {
    ParamGroup_cls g("P", {"X", "Y", "Z"}, UPD_VIEWS, 1);
    SetCurve(g.Component(0), {{0, 0}, {0.5, 5}, {1, 10}});
    SetCurve(g.Component(1), {{0, 1}, {0.25, 2}, {1, 3}});
    SetCurve(g.Component(2), {{0, 7}});  // nothing selected here
    const auto a = Shape(g.Component(0)), b = Shape(g.Component(1));
    g.Component(0).keys[1].selected = 1;
    g.Component(1).keys[1].selected = 1;
    EXPECT_TRUE(g.MoveSelectedKeys(0.1, 1, -1, 0, 0, 0, 0));
    EXPECT_DOUBLE_EQ(g.Component(0).keys[1].time, 0.6);
    EXPECT_DOUBLE_EQ(g.Component(0).keys[1].value, 6);
    EXPECT_DOUBLE_EQ(g.Component(1).keys[1].time, 0.35);
    EXPECT_DOUBLE_EQ(g.Component(1).keys[1].value, 3);
    EXPECT_EQ(g.Component(1).keys[1].selected, 1);
    GoCommandHistory.Undo();
    EXPECT_EQ(GoCommandHistory.Cursor(), 0u);
    EXPECT_EQ(Shape(g.Component(0)), a);
    EXPECT_EQ(Shape(g.Component(1)), b);
    GoCommandHistory.Redo();
    EXPECT_DOUBLE_EQ(g.Component(1).keys[1].time, 0.35);
}

TEST_F(ParamGroup, DeleteAndTimeDependenceBlocks) {
    ParamGroup_cls g("P", {"X", "Y"}, 0, 1);
    SetCurve(g.Component(0), {{0, 0}, {0.5, 5}, {1, 10}});
    SetCurve(g.Component(1), {{0, 0}, {0.5, 6}, {1, 10}});
    EXPECT_TRUE(g.DeleteKeyAt(0.5));
    EXPECT_EQ(g.Component(1).GetKeyCount(), 2);
    EXPECT_FALSE(g.DeleteKeyAt(0.3));
    GoCommandHistory.Undo();  // the empty block
    GoCommandHistory.Undo();
    EXPECT_EQ(g.Component(0).GetKeyCount(), 3);
    EXPECT_EQ(g.Component(1).GetKeyCount(), 3);
    g.SetTimeDependent(false);
    EXPECT_TRUE(g.IsConstant());
    GoCommandHistory.Undo();
    EXPECT_FALSE(g.IsConstant());
    EXPECT_EQ(g.Component(1).GetKeyCount(), 3);
}

TEST_F(ParamGroup, OwnersAndSelection) {
    FakeOwner first(20), last(21);
    ParamGroup_cls box("Box", {}, 0, 1), a("A", {"X"}, 0, 1), b("B", {"X"}, 0, 1);
    a.owner = &first;
    b.owner = &last;
    box.children = {&a, &b};
    FakeHeader ha, hb;
    a.header = &ha;
    b.header = &hb;
    EXPECT_EQ(box.FindOwnerById(20), &first);
    EXPECT_EQ(box.FindOwnerById(21), &last);
    EXPECT_EQ(box.FindOwnerById(5), nullptr);

    EXPECT_TRUE(box.SelectByOwnerId(20));
    EXPECT_TRUE(first.selected);
    EXPECT_FALSE(first.dragged);
    EXPECT_EQ(ha.colours, 1);
    EXPECT_FALSE(box.SelectByOwnerId(20));  // already selected: nothing changes
    EXPECT_EQ(ha.colours, 1);
    EXPECT_TRUE(box.SelectByOwner(&last));
    EXPECT_FALSE(first.selected);
    EXPECT_TRUE(last.selected);
}

TEST_F(ParamGroup, TextRoundTripWithContainersCrLfAndDecimalCommas) {
    ParamGroup_cls box("Obj", {}, 0, 1), t("Obj Translate", {"x", "y", "z"}, 0, 1),
        c("Color", {"R", "G", "B", "A"}, 0, 1);
    box.children = {&t, &c};
    SetCurve(t.Component(1), {{0, -1.5, PKT_HERMITE_AUTO}, {0.3333333, 2.25, PKT_STEP}, {1, 3}});
    t.Component(2).SetPeriod(360);
    SetCurve(c.Component(3), {{0.1, 0.5, PKT_HERMITE_SEMIAUTO, 0, 2.5}, {0.9, 1}});
    const std::string text = box.WriteText();
    EXPECT_EQ(text, t.WriteText() + c.WriteText());
    const std::string head = "-ParamGroup=Obj Translate\ndimension=3\r\nStart\nParameter_x\n";
    EXPECT_EQ(text.substr(0, head.size()), head);

    auto readInto = [&](const std::vector<std::string>& lines) {
        ParamGroup_cls t2("Obj Translate", {"x", "y", "z"}, 0, 0), c2("Color", {"R", "G", "B", "A"}, 0, 0);
        ParamGroup_cls box2("Obj", {}, 0, 1);
        box2.children = {&t2, &c2};
        ParamTextStream_cls in(lines);
        std::string line;
        while (in.ReadLine(line)) {  // owners hand every line to each group
            t2.ReadText(in, line);
            c2.ReadText(in, line);
        }
        return box2.WriteText();
    };
    EXPECT_EQ(readInto(platform::SplitLines(text)), text);
    std::vector<std::string> crlf;  // lines that still end in CR
    for (size_t s = 0, i = 0; i < text.size(); ++i)
        if (text[i] == '\n') {
            crlf.push_back(text.substr(s, i - s));
            s = i + 1;
        }
    EXPECT_EQ(readInto(crlf), text);
    // A project file read back under a decimal-comma locale.
    testsupport::TempDir dir;
    testsupport::WriteFile(dir.File("groups.ptp"), "---Header\r\n" + text + "---End\r\n");
    testsupport::CommaLocale comma;
    if (!comma.Ok()) GTEST_SKIP() << "no decimal-comma locale";
    std::vector<std::string> fileLines;
    std::string error;
    ASSERT_TRUE(platform::ReadTextFileLines(dir.File("groups.ptp"), fileLines, error)) << error;
    EXPECT_EQ(readInto(fileLines), text);
    EXPECT_EQ(box.WriteText(), text);
}

TEST_F(ParamGroup, ReadRecognisesOnlyItsExactHeaderAndClampsDimension) {
    ParamGroup_cls g("Scale", {"x", "y"}, 0, 1);
    std::vector<std::string> lines = {"dimension=2", "Start", "Parameter_x", "itemnum 0"};
    ParamTextStream_cls in(lines);
    g.ReadText(in, "-ParamGroup=Scale ");
    EXPECT_EQ(in.Position(), 0u);
    EXPECT_EQ(g.Component(0).GetKeyCount(), 1);

    std::vector<std::string> big = {"dimension=5", "Start", "Parameter_x", "itemnum 1",
                                    "0.5 0 7 0 0", "Parameter_y", "itemnum 1", "0.25 0 8 0 0"};
    ParamTextStream_cls in2(big);
    g.ReadText(in2, "-ParamGroup=Scale");
    EXPECT_EQ(g.dimension.value, 2);
    EXPECT_EQ(g.Component(1).keys[0].value, 8);
    EXPECT_NE(g.WriteText().find("dimension=2\r\n"), std::string::npos);
}

// A group whose dimension is below its component count writes every component; opening
// the saved text must give the spare components back, or write, read, write drifts.
TEST_F(ParamGroup, ComponentsBeyondTheDimensionReadBack) {
    const std::string text =
        testsupport::ReadFile(std::string(PT_SOURCE_DIR) +
                              "/tests/timeline/fixtures/group_dimension_below_components.txt");
    ParamGroup_cls g("Color", {"R", "G", "B", "A"}, 0, 1);
    const std::vector<std::string> lines = platform::SplitLines(text);
    ParamTextStream_cls in(lines);
    std::string first;
    ASSERT_TRUE(in.ReadLine(first));
    g.ReadText(in, first);
    EXPECT_EQ(g.Dimension(), 3);
    ASSERT_EQ(g.Component(3).GetKeyCount(), 2);
    EXPECT_EQ(g.Component(3).keys[1].value, 0.125);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(g.WriteText(), text);

    // Text without the spare components (a hand-written file) still reads: the lines
    // after the dimension's components are left to the next reader.
    std::vector<std::string> shortLines(lines.begin(), lines.begin() + 18);
    shortLines.push_back("TimeMaxFrame=5");
    ParamGroup_cls h("Color", {"R", "G", "B", "A"}, 0, 1);
    ParamTextStream_cls in2(shortLines);
    in2.ReadLine(first);
    h.ReadText(in2, first);
    EXPECT_EQ(h.Component(3).GetKeyCount(), 1);
    std::string next;
    ASSERT_TRUE(in2.ReadLine(next));
    EXPECT_EQ(next, "TimeMaxFrame=5");
}

TEST_F(ParamGroup, MangledTextNeverBreaksTheReader) {
    // Lines of a valid block dropped, repeated and altered: reading always ends, the
    // dimension stays within the components, and the result writes and reads back stably.
    ParamGroup_cls src("G", {"x", "y", "z"}, 0, 1);
    SetCurve(src.Component(0), {{0, 1}, {0.5, 2, PKT_HERMITE_AUTO}, {1, 3}});
    SetCurve(src.Component(2), {{0.25, -4, PKT_STEP}, {0.75, 8}});
    const std::vector<std::string> valid = platform::SplitLines(src.WriteText());
    const std::vector<std::string> noise = {"itemnum -7", "itemnum 99999999999", "dimension=-3",
                                            "dimension=77", "periodic=-2147483648", "Start", "",
                                            "Parameter_y", "x y z", "1e308 9 nan inf -0"};
    std::mt19937 rng(5);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> lines = {valid[0]};
        for (size_t i = 1; i < valid.size(); ++i) {
            const unsigned r = rng() % 10;
            if (r == 0) continue;
            if (r == 1) lines.push_back(noise[rng() % noise.size()]);
            lines.push_back(valid[i]);
        }
        ParamGroup_cls g("G", {"x", "y", "z"}, 0, 1);
        ParamTextStream_cls in(lines);
        std::string line;
        while (in.ReadLine(line)) g.ReadText(in, line);
        ASSERT_LE(g.Dimension(), 3);
        for (int i = 0; i < g.ComponentCount(); ++i) {
            g.Component(i).GetValue(0.3, -1);
            g.Component(i).GetPovCode("v");
        }
        const std::string once = g.WriteText();
        ParamGroup_cls h("G", {"x", "y", "z"}, 0, 1);
        const std::vector<std::string> again = platform::SplitLines(once);
        ParamTextStream_cls in2(again);
        while (in2.ReadLine(line)) h.ReadText(in2, line);
        EXPECT_EQ(h.WriteText(), once) << "round " << round;
    }
}

TEST_F(ParamGroup, RenameAndPovIdentifiers) {
    ParamGroup_cls box("Box01", {}, 0, 1), t("Box01 Translate", {"X"}, 0, 0);
    box.children = {&t};
    box.Rename("Box01", "Box02");
    EXPECT_EQ(t.name, "Box01 Translate");  // the text-block header stays
    EXPECT_EQ(t.displayName, "Box02 Translate");
    EXPECT_EQ(t.Component(0).registryName, "Box02 Translate X");
    EXPECT_EQ(box.FindParam("Box02 Translate X"), &t.Component(0));
    t.Component(0).keys[0].value = 1.5;
    EXPECT_EQ(t.GetPovCode(), "#declare Box02_Translate_X = 1.5;\n");
}

TEST_F(ParamGroup, CheckChangedFollowsCommands) {
    ParamGroup_cls g("P", {"X", "Y"}, 0, 1);
    std::vector<int> seen;
    EXPECT_TRUE(g.CheckChanged(seen));
    EXPECT_FALSE(g.CheckChanged(seen));
    g.Component(1).SetKeyAt(0.5, 1, 0, 0);
    EXPECT_TRUE(g.CheckChanged(seen));
    EXPECT_FALSE(g.CheckChanged(seen));
}

TEST_F(ParamGroup, ConstRgbaEvaluationLeavesCachedValues) {
    ParamGroup_cls g("C", {"R", "G", "B", "A"}, 0, 1);
    SetCurve(g.Component(0), {{0, 0}, {1, 1}});
    g.Component(0).cachedValue = 0.75;
    float rgba[4];
    g.GetRGBAConst(0.5, -1, rgba);
    EXPECT_FLOAT_EQ(rgba[0], 0.5f);
    EXPECT_EQ(g.Component(0).cachedValue, 0.75);
    g.GetRGBA(0.25, -1, rgba);
    EXPECT_FLOAT_EQ(rgba[0], 0.25f);
    EXPECT_EQ(g.Component(0).cachedValue, 0.25);
}

TEST_F(ParamGroup, StripHooksFollowTheLinkedFlag) {
    ParamGroup_cls g("P", {"X", "Y"}, 0, 1);
    FakeStrip sx, sy;
    g.Component(0).row = &sx;
    g.Component(1).row = &sy;
    g.Component(1).SetPressTimeLinked(0.25);
    g.Component(1).DragStartLinked(0.5, true, false);
    g.Component(1).EndDragLinked();
    EXPECT_EQ(sx.pressTime, 0.25);
    EXPECT_EQ(sx.dragStart, 10.5);
    EXPECT_EQ(sx.ends, 1);
    g.linked = 0;
    g.Component(1).SetPressTimeLinked(0.75);
    g.Component(1).EndDragLinked();
    EXPECT_EQ(sx.pressTime, 0.25);
    EXPECT_EQ(sy.pressTime, 0.75);
    EXPECT_EQ(sx.ends, 1);
    EXPECT_EQ(sy.ends, 2);

    // Click selection reports the hit to the strip; reading refreshes the toggle; a time
    // dependence command shows its flag when it is built.
    g.Component(0).SelectKeyAt(0.001, 0.01, 0, 1);
    EXPECT_EQ(sx.currentKey, 0);
    g.Component(0).SelectKeyAt(0.5, 0.01, 0, 1);
    EXPECT_EQ(sx.currentKey, -1);
    std::vector<std::string> lines = {"timeDepend=0", "itemnum 0"};
    ParamTextStream_cls in(lines);
    g.Component(0).ReadText(in, "Parameter_X");
    EXPECT_EQ(sx.toggleRefreshes, 1);
    ComParamSetTimeDependent_cls cmd(&g.Component(0), true);
    EXPECT_EQ(sx.toggle, 1);
}

TEST_F(ParamGroup, WindowHooks) {
    ParamGroup_cls top("Top", {}, 0, 1), child("Child", {"X", "Y"}, 0, 1);
    top.children = {&child};
    bool topGone = false, childGone = false;
    int rowsGone = 0;
    auto* ht = new FakeHeader;
    auto* hc = new FakeHeader;
    ht->destroyed = &topGone;
    hc->destroyed = &childGone;
    auto* r0 = new FakeRow;
    auto* r1 = new FakeRow;
    r0->destroyed = r1->destroyed = &rowsGone;
    top.AttachGUI(ht, {});
    child.AttachGUI(hc, {r0, r1});

    top.HideGUI();
    EXPECT_FALSE(hc->shown);
    EXPECT_FALSE(r0->shown);
    EXPECT_FALSE(hc->open);  // the child's folder shows closed too
    EXPECT_FALSE(ht->open);
    EXPECT_GE(ht->relayouts, 1);

    hc->open = true;
    top.ShowGUI();
    EXPECT_TRUE(hc->shown);
    EXPECT_TRUE(r1->shown);

    ht->open = true;
    top.RefreshGUI();
    EXPECT_EQ(r0->states, 1);
    child.SetActive(false);
    top.RefreshGUI();
    EXPECT_EQ(r0->states, 1);
    top.SetMarked(true);
    EXPECT_EQ(ht->updates, 1);

    child.DestroyGUI();
    top.DestroyGUI();
    EXPECT_TRUE(topGone);
    EXPECT_TRUE(childGone);
    EXPECT_EQ(rowsGone, 2);
    EXPECT_EQ(child.header, nullptr);
    EXPECT_TRUE(child.rows.empty());
    delete ht;
    delete hc;
    delete r0;
    delete r1;
}

}  // namespace
