// The curve graph: drag snapping, coordinates, the coloured curves as drawn, and key
// edits made with the mouse and the cursor, each one undo step.
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/uiaction.h>
#include <wx/wx.h>

#include <cmath>
#include <memory>

#include "common/CommandHistory.h"
#include "common/gui/ColourDialogEX.h"
#include "common/gui/GraphPanel.h"
#include "common/gui/UserPrompts.h"
#include "timeline/ParamGroup.h"

using testsupport::Pump;
using testsupport::PumpUntil;

namespace {

TEST(GraphPanelSnap, NearlyAxialDragsSnapToTheAxis) {
    struct Case {
        int dx, dy, wantDx, wantDy;
    } cases[] = {
        {40, 8, 40, 0},      // short, about 11 degrees: time only
        {-40, 8, -40, 0},    // leftward, about 169 degrees
        {200, 20, 200, 0},   // long and flat: time only
        {200, 30, 200, 30},  // long with 30 px of drop: both
        {20, 100, 0, 100},   // vertical with wobble: value only
        {-20, -100, 0, -100},
        {30, 40, 30, 40},    // diagonal: both
        {5, 40, 0, 40},      // short and steep (about 83 degrees): value only
        {0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        int dx = c.dx, dy = c.dy;
        GraphPanel_cls::SnapDragOffset(dx, dy);
        EXPECT_EQ(dx, c.wantDx) << c.dx << "," << c.dy;
        EXPECT_EQ(dy, c.wantDy) << c.dx << "," << c.dy;
    }
}

TEST(GraphPanelSnap, WideGraphsSampleFewerColumns) {
    EXPECT_EQ(GraphPanel_cls::SampleStep(320), 1);
    EXPECT_EQ(GraphPanel_cls::SampleStep(321), 2);
    EXPECT_EQ(GraphPanel_cls::SampleStep(640), 2);
    EXPECT_EQ(GraphPanel_cls::SampleStep(700), 4);
}

class GraphTest : public ::testing::Test {
protected:
    void SetUp() override {
        GoCommandHistory.Clear();
        group = std::make_unique<ParamGroup_cls>("Color", std::vector<std::string>{"R", "G", "B", "A"},
                                                 0, 1);  // keyed along the domain
        // Constant curves, far from each other and from the middle row.
        const double levels[4] = {0.1, 0.2, 0.3, 0.4};
        for (int j = 0; j < 4; ++j) group->Component(j).keys[0].value = levels[j];
        frame = new wxFrame(nullptr, wxID_ANY, "graph host", wxPoint(60, 60), wxSize(360, 260));
        // The graph sits on a panel of its own, so the frame does not stretch it.
        host = new wxPanel(frame, wxID_ANY);
        graph = new GraphPanel_cls(host, wxID_ANY, wxPoint(0, 0), wxSize(300, 200), true);
        graph->group = group.get();
        host->Bind(wxEVT_MENU, [this](wxCommandEvent& e) {
            if (e.GetId() == ID_GRAPH_CHANGED) ++changedPosts;
        });
    }
    void TearDown() override {
        frame->Destroy();
        Pump(30);
        GoCommandHistory.Clear();
    }
    void ShowIt() {
        frame->Show();
        ASSERT_TRUE(PumpUntil([&] { return graph->IsShownOnScreen(); }));
        frame->Raise();
        graph->Refresh();
        Pump(200);
    }
    wxPoint Screen(int x, int y) { return graph->ClientToScreen(wxPoint(x, y)); }
    void Drag(wxPoint from, wxPoint to) {
        wxUIActionSimulator sim;
        sim.MouseMove(Screen(from.x, from.y));
        Pump(50);
        sim.MouseDown();
        Pump(50);
        for (int k = 1; k <= 5; ++k) {
            const wxPoint p = from + (to - from) * k / 5;
            sim.MouseMove(Screen(p.x, p.y));
            Pump(30);
        }
        sim.MouseUp();
        Pump(150);
    }
    void Key(int code) {
        wxKeyEvent event(wxEVT_KEY_DOWN);
        event.m_keyCode = code;
        event.SetEventObject(graph);
        graph->GetEventHandler()->ProcessEvent(event);
        Pump(30);
    }
    int KeyCount(int j) { return group->Component(j).GetKeyCount(); }

    std::unique_ptr<ParamGroup_cls> group;
    wxFrame* frame = nullptr;
    wxPanel* host = nullptr;
    GraphPanel_cls* graph = nullptr;
    int changedPosts = 0;
};

TEST_F(GraphTest, CoordinatesRoundTripAndClampToTheLimits) {
    graph->SetDrawSize(300, 200);
    EXPECT_EQ(graph->ColumnOf(0.0), 1);
    EXPECT_EQ(graph->ColumnOf(1.0), 299);
    EXPECT_EQ(graph->RowOf(1.0), 1);
    EXPECT_EQ(graph->RowOf(0.0), 199);
    for (int c : {1, 57, 150, 299}) EXPECT_EQ(graph->ColumnOf(graph->PixelToX(c)), c);
    EXPECT_EQ(graph->PixelToX(-40), 0.0);
    EXPECT_EQ(graph->PixelToX(400), 1.0);
    EXPECT_EQ(graph->PixelToY(-10), 1.0);
    // A zoomed view still clamps to the 0..1 domain.
    graph->SetXRange(0.5, 1.0);
    EXPECT_EQ(graph->ColumnOf(0.5), 1);
    EXPECT_NEAR(graph->PixelToX(150), 0.75, 0.002);
    // Degenerate sizes and ranges do not divide by zero.
    graph->SetDrawSize(2, 2);
    EXPECT_TRUE(std::isfinite(graph->PixelToX(1)));
    graph->SetXRange(0.3, 0.3);
    EXPECT_EQ(graph->ColumnOf(0.3), 1);
}

TEST_F(GraphTest, CurvesAreDrawnInTheirChannelColours) {
    graph->SetDrawSize(300, 200);
    wxBitmap bitmap(300, 200, 24);
    {
        wxMemoryDC dc(bitmap);
        graph->Render(dc);
    }
    const wxImage image = bitmap.ConvertToImage();
    auto at = [&](int x, int y) {
        return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
    };
    const int column = 150;
    EXPECT_EQ(at(column, graph->RowOf(0.1)), wxColour(255, 0, 0));
    EXPECT_EQ(at(column, graph->RowOf(0.2)), wxColour(0, 255, 0));
    EXPECT_EQ(at(column, graph->RowOf(0.3)), wxColour(0, 0, 255));
    EXPECT_EQ(at(column, graph->RowOf(0.4)), wxColour(255, 255, 255));
    EXPECT_EQ(at(column, graph->RowOf(0.7)), *wxLIGHT_GREY) << "background between the curves";
    EXPECT_EQ(at(column, 0), *wxBLACK) << "outline";
    // The selected channel is drawn two pixels wide.
    group->selectedComponent = 0;
    {
        wxMemoryDC dc(bitmap);
        graph->Render(dc);
    }
    const wxImage wide = bitmap.ConvertToImage();
    const int row = graph->RowOf(0.1);
    int redRows = 0;
    for (int y = row - 2; y <= row + 2; ++y)
        if (wide.GetRed(column, y) == 255 && wide.GetGreen(column, y) == 0) ++redRows;
    EXPECT_EQ(redRows, 2);
}

TEST_F(GraphTest, KeyInsertedAtTheDraggedCursorIsOneUndoStep) {
    ShowIt();
    ASSERT_EQ(graph->GetCursorColumn(), 1);
    // Dragging the cursor line (pressed within 5 pixels of it) moves it.
    Drag(wxPoint(3, graph->RowOf(0.8)), wxPoint(150, graph->RowOf(0.8)));
    EXPECT_NEAR(graph->GetCursorColumn(), 150, 30);
    EXPECT_GT(changedPosts, 0);
    for (int j = 0; j < 4; ++j) EXPECT_EQ(KeyCount(j), 1) << "a cursor drag edits nothing";

    const uint32_t cursor = GoCommandHistory.Cursor();
    graph->InsertKeyAtCursor();
    const double t = graph->PixelToX(graph->GetCursorColumn());
    for (int j = 0; j < 4; ++j) {
        ASSERT_EQ(KeyCount(j), 2);
        const ParamKey_cls& key = group->Component(j).keys[1];
        EXPECT_NEAR(key.time, t, 1e-9);
        EXPECT_NEAR(key.value, 0.1 * (j + 1), 1e-9);
        EXPECT_TRUE(key.selected);
        EXPECT_FALSE(group->Component(j).keys[0].selected);
    }
    EXPECT_GT(GoCommandHistory.Cursor(), cursor);
    GoCommandHistory.Undo();
    EXPECT_EQ(GoCommandHistory.Cursor(), cursor);
    for (int j = 0; j < 4; ++j) EXPECT_EQ(KeyCount(j), 1);
}

TEST_F(GraphTest, DraggingASelectedKeyUpMovesItsValueAsOneUndoStep) {
    ShowIt();
    Drag(wxPoint(3, graph->RowOf(0.8)), wxPoint(150, graph->RowOf(0.8)));
    graph->InsertKeyAtCursor();
    group->DeselectKeys();
    const ParamKey_cls before = group->Component(0).keys[1];
    const double level1 = group->Component(1).keys[1].value;
    const int x = graph->ColumnOf(before.time);
    const int y = graph->RowOf(before.value);
    const uint32_t cursor = GoCommandHistory.Cursor();

    // Straight up by 60 pixels, with a little sideways wobble that the snap removes.
    Drag(wxPoint(x, y), wxPoint(x + 4, y - 60));
    const ParamKey_cls& after = group->Component(0).keys[1];
    EXPECT_NEAR(after.value, before.value + 60.0 / 198.0, 0.01);
    EXPECT_EQ(after.time, before.time);
    EXPECT_EQ(group->Component(1).keys[1].value, level1) << "only the picked key moves";
    EXPECT_EQ(GoCommandHistory.BlockDepth(), 0);
    GoCommandHistory.Undo();
    EXPECT_EQ(GoCommandHistory.Cursor(), cursor) << "the drag is one undo step";
    EXPECT_EQ(group->Component(0).keys[1].value, before.value);
}

TEST_F(GraphTest, ReleasingACursorDragLeftOfTheDomainStopsAtItsStart) {
    ShowIt();
    Drag(wxPoint(3, graph->RowOf(0.8)), wxPoint(150, graph->RowOf(0.8)));
    const int moved = graph->GetCursorColumn();
    Drag(wxPoint(moved, graph->RowOf(0.8)), wxPoint(-40, graph->RowOf(0.8)));
    EXPECT_EQ(graph->GetCursorColumn(), graph->ColumnOf(0.0));
}

TEST_F(GraphTest, ChannelKeysPickOneChannelOrAllAndDeleteRemovesTheSelection) {
    Key('G');
    EXPECT_EQ(group->selectedComponent, 1);
    Key('G');
    EXPECT_EQ(group->selectedComponent, -1);
    Key('R');
    EXPECT_EQ(group->selectedComponent, 0);
    Key('X');
    EXPECT_EQ(group->selectedComponent, -1);
    EXPECT_TRUE(PumpUntil([&] { return changedPosts == 4; }, 2000));

    graph->SetDrawSize(300, 200);
    group->InsertKey(-1, 0.5, -9999);
    group->SelectKeysInRect(0.49, 0.51, 0, 0, true);
    const uint32_t cursor = GoCommandHistory.Cursor();
    Key(WXK_DELETE);
    for (int j = 0; j < 4; ++j) EXPECT_EQ(KeyCount(j), 1);
    GoCommandHistory.Undo();
    EXPECT_EQ(GoCommandHistory.Cursor(), cursor) << "the deletion is one undo step";
    for (int j = 0; j < 4; ++j) EXPECT_EQ(KeyCount(j), 2);
}

TEST_F(GraphTest, ClicksShiftClicksAndRubberBandsSelectKeys) {
    ShowIt();
    group->InsertKey(-1, 0.3, -9999);
    group->InsertKey(-1, 0.7, -9999);
    group->DeselectKeys();
    auto selected = [&](int j, int k) { return group->Component(j).keys[k].selected != 0; };
    const int y = graph->RowOf(0.1);
    wxUIActionSimulator sim;
    auto clickAt = [&](double t, bool shift) {
        sim.MouseMove(Screen(graph->ColumnOf(t), y));
        Pump(50);
        if (shift) sim.KeyDown(WXK_SHIFT);
        sim.MouseClick();
        if (shift) sim.KeyUp(WXK_SHIFT);
        Pump(150);
    };
    clickAt(0.3, false);
    EXPECT_TRUE(selected(0, 1));
    clickAt(0.7, false);
    EXPECT_FALSE(selected(0, 1)) << "a plain click drops the other keys";
    EXPECT_TRUE(selected(0, 2));
    clickAt(0.3, true);
    EXPECT_TRUE(selected(0, 1) && selected(0, 2)) << "Shift adds to the selection";
    const size_t steps = GoCommandHistory.Size();

    // A band around the keys of G and B at 0.7 (values 0.2 and 0.3) selects those alone.
    group->DeselectKeys();
    Drag(wxPoint(graph->ColumnOf(0.6), graph->RowOf(0.35)),
         wxPoint(graph->ColumnOf(0.8), graph->RowOf(0.15)));
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ(selected(j, 2), j == 1 || j == 2) << "component " << j;
        EXPECT_FALSE(selected(j, 1));
    }
    EXPECT_EQ(GoCommandHistory.Size(), steps) << "selecting is not an edit";
}

TEST_F(GraphTest, ALostCaptureEndsTheCursorDrag) {
    ShowIt();
    wxUIActionSimulator sim;
    const int y = graph->RowOf(0.8);
    sim.MouseMove(Screen(2, y));
    Pump(50);
    sim.MouseDown();
    Pump(50);
    for (int x : {40, 80, 120}) {
        sim.MouseMove(Screen(x, y));
        Pump(40);
    }
    ASSERT_TRUE(graph->HasCapture());
    // What the toolkit does when another window takes the mouse away.
    graph->ReleaseMouse();
    wxMouseCaptureLostEvent lost(graph->GetId());
    lost.SetEventObject(graph);
    graph->GetEventHandler()->ProcessEvent(lost);
    const int stopped = graph->GetCursorColumn();
    EXPECT_GT(stopped, 30);
    // The button is up: moving the mouse no longer drags the cursor.
    sim.MouseUp();
    for (int x : {200, 250}) {
        sim.MouseMove(Screen(x, y));
        Pump(40);
    }
    EXPECT_EQ(graph->GetCursorColumn(), stopped);
    EXPECT_EQ(GoCommandHistory.Size(), 0u);
}

// Answers the colour question with a fixed colour, or cancels.
class ColourAnswer : public UserPrompts_cls {
public:
    wxColour answer;
    wxColour asked;
    int PickColour(wxWindow*, const wxColour& initial, bool, wxColour& chosen) override {
        asked = initial;
        if (!answer.IsOk()) return wxID_CANCEL;
        chosen = answer;
        return wxID_OK;
    }
};

TEST_F(GraphTest, PickedColourBecomesAKeyAtTheCursor) {
    ShowIt();
    Drag(wxPoint(3, graph->RowOf(0.8)), wxPoint(150, graph->RowOf(0.8)));
    const double t = graph->PixelToX(graph->GetCursorColumn());
    ColourAnswer prompts;
    UserPrompts_cls::Install(&prompts);
    GpColourDialogEX = new ColourDialogEX_cls(frame, *wxBLACK);
    // Uninstalled however the test ends: a failed ASSERT must not leave later tests with
    // a pointer to this stack object.
    struct Restore {
        ~Restore() {
            UserPrompts_cls::Install(nullptr);
            delete GpColourDialogEX;
            GpColourDialogEX = nullptr;
        }
    } restore;

    graph->PickColourAtCursor();  // cancelled
    EXPECT_EQ(prompts.asked, wxColour(25, 51, 76)) << "preset with the colour at the cursor";
    for (int j = 0; j < 4; ++j) EXPECT_EQ(KeyCount(j), 1);

    prompts.answer = wxColour(51, 102, 255);
    const uint32_t cursor = GoCommandHistory.Cursor();
    graph->PickColourAtCursor();
    const double want[4] = {0.2, 0.4, 1.0, 1.0};
    for (int j = 0; j < 4; ++j) {
        ASSERT_EQ(KeyCount(j), 2) << j;
        EXPECT_NEAR(group->Component(j).keys[1].time, t, 1e-9);
        EXPECT_NEAR(group->Component(j).keys[1].value, want[j], 1e-6);
    }
    GoCommandHistory.Undo();
    EXPECT_EQ(GoCommandHistory.Cursor(), cursor) << "one undo step";
}

TEST_F(GraphTest, WithoutAGroupNothingIsEdited) {
    graph->group = nullptr;
    ShowIt();
    Drag(wxPoint(3, 100), wxPoint(150, 100));
    EXPECT_EQ(graph->GetCursorColumn(), 1);
    graph->InsertKeyAtCursor();
    float values[3] = {9, 9, 9};
    graph->GetCursorValues(values);
    EXPECT_EQ(values[0], 0.0f);
    EXPECT_EQ(GoCommandHistory.Size(), 0u);
}

}  // namespace
