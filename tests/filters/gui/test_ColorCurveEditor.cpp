// The colour-curve editor: channel selection, templates, typed channel values becoming keys,
// swapping, folding the template list, undo, and a record deleted while it is shown.
#include <gtest/gtest.h>

#include <wx/uiaction.h>

#include <wx/frame.h>
#include <wx/stattext.h>

#include <memory>

#include "common/CommandHistory.h"
#include "common/gui/BitmapPanel.h"
#include "common/gui/GraphPanel.h"
#include "common/gui/MultiInputPanel.h"
#include "filters/ColorCurve.h"
#include "filters/gui/ColorCurveBtn.h"
#include "filters/gui/ColorCurveGUI.h"
#include "filters/gui/ColorCurveTemplate.h"
#include "tests/support/GuiTestSupport.h"
#include "timeline/ParamGroup.h"

using testsupport::Pump;

namespace {

wxColour Background(wxWindow* w) { return w->GetBackgroundColour(); }

class ColorCurveEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        GoCommandHistory.Clear();
        frame = new wxFrame(nullptr, wxID_ANY, "curves", wxPoint(20, 20), wxSize(300, 100));
        frame->Show();
        control = std::make_unique<ColorCurveCtrl_cls>(frame);
        record = std::make_unique<ColorCurve_cls>("SEQ0TYPE0Col", "Attrib 0 : Color", "1 0.8 0.2 1", 0, nullptr);
        record->useColorCurve.value = true;
        record->scalingMin.value = -2.0f;
        record->scalingMax.value = 5.0f;
        record->dependType.value = 3;
        control->SetRecord(record.get());
        control->Show(frame);
        gui = control->gui;
        testsupport::PumpUntil([&] { return gui->IsShownOnScreen(); });
        Pump(20);
    }
    void TearDown() override {
        control.reset();
        record.reset();
        frame->Destroy();
        Pump(20);
        GoCommandHistory.Clear();
    }
    void ClickChannel(int c) {
        wxCommandEvent e(wxEVT_BUTTON, ID_COLOR_CHANNEL_R + c);
        e.SetEventObject(gui->channelButtons[c]);
        gui->channelButtons[c]->GetEventHandler()->ProcessEvent(e);
        Pump(5);
    }
    void Mouse(wxWindow* w, wxEventType type, int x, int y) {
        wxMouseEvent e(type);
        e.SetEventObject(w);
        e.m_x = x;
        e.m_y = y;
        e.m_leftDown = type != wxEVT_LEFT_UP;
        w->GetEventHandler()->ProcessEvent(e);
        Pump(2);
    }
    /// Drags the graph's cursor from where it is to the column of curve position `x`.
    void MoveCursorTo(double x) {
        GraphPanel_cls* g = gui->graph;
        const int from = g->GetCursorColumn(), to = g->ColumnOf(x), y = g->GetClientSize().y / 2;
        Mouse(g, wxEVT_LEFT_DOWN, from, y);
        Mouse(g, wxEVT_MOTION, to, y);
        Mouse(g, wxEVT_MOTION, to, y + 1);
        Mouse(g, wxEVT_LEFT_UP, to, y + 1);
    }
    std::vector<CurveKeyPoint> Keys(int c) const { return record->curve->CurveKeys(c); }
    void ApplyTemplate(int i) {
        ColorCurveBtn_cls* b = gui->templates->Button(i);
        wxCommandEvent e(wxEVT_BUTTON, b->GetId());
        e.SetEventObject(b);
        gui->templates->GetEventHandler()->ProcessEvent(e);
        Pump(5);
    }

    wxFrame* frame = nullptr;
    std::unique_ptr<ColorCurveCtrl_cls> control;
    std::unique_ptr<ColorCurve_cls> record;
    ColorCurveGUI_cls* gui = nullptr;
};

TEST_F(ColorCurveEditorTest, TitleNamesTheRecordAndItsScalingIsShown) {
    EXPECT_EQ(gui->GetTitle(), "Color Curve Editor : Attrib 0 : Color");
    EXPECT_FALSE(gui->hint->IsShown());
    EXPECT_EQ(gui->scalingPanel->GetItem(gui->minItem).variable, &record->scalingMin.value);
    EXPECT_EQ(gui->scalingPanel->GetItem(gui->dependItem).variable, &record->dependType.value);
    // none edited: the title names nothing, and the editor says how to choose a colour
    control->SetRecord(nullptr);
    EXPECT_EQ(gui->GetTitle(), "Color Curve Editor");
    EXPECT_TRUE(gui->hint->IsShown());
    wxString hint = gui->hint->GetLabel();
    hint.Replace("\n", " ");
    EXPECT_NE(hint.Find("Click the curve icon"), wxNOT_FOUND);
    EXPECT_EQ(gui->scalingPanel->GetItem(gui->minItem).variable, &gui->dummyFloat);
}

TEST_F(ColorCurveEditorTest, ChannelButtonSelectsThenReleasesItsChannel) {
    const wxColour plain = Background(gui->channelButtons[0]);
    ClickChannel(0);
    EXPECT_EQ(record->curve->SelectedCurve(), 0);
    EXPECT_EQ(Background(gui->channelButtons[0]), wxColour(255, 0, 0));
    ClickChannel(0);
    EXPECT_EQ(record->curve->SelectedCurve(), -1);
    EXPECT_EQ(Background(gui->channelButtons[0]), plain);
    ClickChannel(2);
    EXPECT_EQ(Background(gui->channelButtons[2]), wxColour(0, 0, 255));
    EXPECT_EQ(gui->channelButtons[2]->GetForegroundColour(), wxColour(255, 255, 255));
}

TEST_F(ColorCurveEditorTest, TemplateReplacesTheCurvesKeepsTheSettingsAndUndoes) {
    const wxString before = record->WriteText();
    ApplyTemplate(0);  // "Red Yellow"
    float c[4];
    record->ColorAt(1.0f, c);
    EXPECT_NEAR(c[0], 1.0f, 1e-5);
    EXPECT_NEAR(c[1], 1.0f, 1e-5);
    EXPECT_NEAR(c[2], 0.0f, 1e-5);
    EXPECT_FLOAT_EQ(record->scalingMin.value, -2.0f);
    EXPECT_FLOAT_EQ(record->scalingMax.value, 5.0f);
    EXPECT_EQ(record->dependType.value, 3u);
    EXPECT_TRUE(record->useColorCurve.value);
    ASSERT_TRUE(GoCommandHistory.CanUndo());
    GoCommandHistory.Undo();
    EXPECT_EQ(record->WriteText(), before);
}

TEST_F(ColorCurveEditorTest, SwapRGBOnRedYellowGivesBlueToMagenta) {
    ApplyTemplate(0);
    wxCommandEvent e(wxEVT_BUTTON, gui->swapButton->GetId());
    e.SetEventObject(gui->swapButton);
    gui->swapButton->GetEventHandler()->ProcessEvent(e);
    float c0[4], c1[4];
    record->ColorAt(0.0f, c0);
    record->ColorAt(1.0f, c1);
    EXPECT_NEAR(c0[0], 0, 1e-5); EXPECT_NEAR(c0[1], 0, 1e-5); EXPECT_NEAR(c0[2], 1, 1e-5);
    EXPECT_NEAR(c1[0], 1, 1e-5); EXPECT_NEAR(c1[1], 0, 1e-5); EXPECT_NEAR(c1[2], 1, 1e-5);
}

TEST_F(ColorCurveEditorTest, TypedChannelValueBecomesAKeyAtTheCursor) {
    MoveCursorTo(0.3);
    const double x = gui->graph->PixelToX(gui->graph->GetCursorColumn());
    ASSERT_NEAR(x, 0.3, 0.01) << "the cursor did not move";
    const auto redBefore = Keys(0), greenBefore = Keys(1), blueBefore = Keys(2);
    gui->cursorColour[1] = 0.5f;
    gui->OnChannelEdited(gui->channelItems[1] + 1);  // the "G" entry's final change
    bool found = false;
    for (const CurveKeyPoint& k : Keys(1))
        if (std::abs(k.time - x) < 1e-6) found = std::abs(k.value - 0.5) < 1e-6;
    EXPECT_TRUE(found) << "no green key of 0.5 at the cursor";
    EXPECT_EQ(Keys(0).size(), redBefore.size());
    EXPECT_EQ(Keys(2).size(), blueBefore.size());
    GoCommandHistory.Undo();
    EXPECT_EQ(Keys(1).size(), greenBefore.size()) << "undo keeps the green key";
}

TEST_F(ColorCurveEditorTest, FoldingTheTemplatesShrinksTheHeightNotTheWidth) {
    const wxSize open = gui->GetSize();
    ASSERT_TRUE(gui->templates->ListShown());
    BitmapPanel_cls* fold = gui->templates->FoldButton();
    Mouse(fold, wxEVT_LEFT_DOWN, 3, 3);
    Mouse(fold, wxEVT_LEFT_UP, 3, 3);
    Pump(20);
    EXPECT_FALSE(gui->templates->ListShown());
    int hidden = 0;
    for (wxWindow* w : gui->templates->GetChildren())
        if (!w->IsShown()) ++hidden;
    EXPECT_EQ(hidden, 18);
    EXPECT_EQ(gui->GetSize().x, open.x);
    EXPECT_LT(gui->GetSize().y, open.y);
}

TEST_F(ColorCurveEditorTest, ActionsWithoutARecordDoNothing) {
    control->SetRecord(nullptr);
    ClickChannel(1);
    wxCommandEvent e(wxEVT_BUTTON, ID_COLOR_INSERT_KEY);
    gui->GetEventHandler()->ProcessEvent(e);
    gui->OnChannelEdited(gui->channelItems[0] + 1);
    EXPECT_FALSE(GoCommandHistory.CanUndo());
    EXPECT_EQ(record->curve->SelectedCurve(), -1);
}

TEST_F(ColorCurveEditorTest, DeletedRecordLeavesTheEditorEmpty) {
    record.reset();
    EXPECT_EQ(control->Record(), nullptr);
    EXPECT_EQ(gui->GetTitle(), "Color Curve Editor");
    EXPECT_TRUE(gui->hint->IsShown());
    EXPECT_EQ(gui->graph->group, nullptr);
    gui->Refresh();
    gui->Update();
    Pump(10);  // painting the swatch, ruler and graph must not touch the deleted record
}

TEST_F(ColorCurveEditorTest, CurveButtonHandsItsRecordToTheEditor) {
    ColorCurve_cls other("SEQ1TYPE0Col", "Attrib 1 : Color", "0 0 1 1", 0, nullptr);
    other.useColorCurve.value = true;
    auto* button = new ColorCurveBtn_cls(frame, &other, true, true, false);
    Mouse(button, wxEVT_LEFT_DOWN, 40, 10);
    EXPECT_EQ(control->Record(), &other);
    EXPECT_EQ(gui->GetTitle(), "Color Curve Editor : Attrib 1 : Color");
    control->SetRecord(nullptr);
    button->Destroy();
}

}  // namespace

TEST_F(ColorCurveEditorTest, ChannelKeysTypedInTheGraphShowOnTheChannelButtons) {
    const wxColour plain = Background(gui->channelButtons[0]);
    gui->graph->SetFocus();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return wxWindow::FindFocus() == gui->graph; }, 2000));
    wxUIActionSimulator sim;
    struct Case {
        int key;
        int selected;  ///< the channel picked, -1 all
        wxColour red, green;
    };
    // A key picks its channel, the same key again gives all channels back.
    const Case cases[] = {{'g', 1, plain, wxColour(0, 255, 0)},
                          {'r', 0, wxColour(255, 0, 0), plain},
                          {'r', -1, plain, plain}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << char(c.key) << " -> " << c.selected);
        sim.Char(c.key);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return record->curve->SelectedCurve() == c.selected; }, 2000));
        Pump(10);
        EXPECT_EQ(Background(gui->channelButtons[0]), c.red);
        EXPECT_EQ(Background(gui->channelButtons[1]), c.green);
    }
}
