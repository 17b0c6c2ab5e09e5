// The range slider: thumbs and labels where their positions say, thumb picking, reports,
// the value dialog, and ranges that must not divide by zero.
#include "common/CommandHistory.h"
#include "common/gui/DualSlider.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/uiaction.h>

namespace {

struct DualSliderTest : ::testing::Test {
    void SetUp() override {
        frame = new wxFrame(nullptr, wxID_ANY, "range", wxPoint(40, 40), wxSize(360, 80));
        panel = new wxPanel(frame);
        slider = new DualSlider_cls(panel, nullptr, wxID_ANY, 50, 250, 0, 300, wxPoint(0, 0),
                                    wxSize(300, 30));
        slider->SetRange(0, 300, 100);
        panel->Bind(wxEVT_SCROLL_THUMBRELEASE, [this](wxScrollEvent& e) {
            if (e.GetId() == slider->GetId()) ++reports;
        });
    }
    void TearDown() override {
        frame->Destroy();
        testsupport::Pump(50);
    }
    void ShowFrame() {
        frame->Show();
        ASSERT_TRUE(testsupport::PumpUntil([&] { return frame->IsShownOnScreen(); }));
        frame->Raise();
        testsupport::Pump(100);
    }
    wxImage Render() {
        wxBitmap bmp(300, 30, 24);
        {
            wxMemoryDC dc(bmp);
            slider->Draw(dc);
        }
        return bmp.ConvertToImage();
    }
    wxPoint Screen(int column) const { return slider->ClientToScreen(wxPoint(column, 12)); }
    wxFrame* frame = nullptr;
    wxPanel* panel = nullptr;
    DualSlider_cls* slider = nullptr;
    int reports = 0;
};

bool IsColour(const wxImage& img, int x, int y, int r, int g, int b) {
    return img.GetRed(x, y) == r && img.GetGreen(x, y) == g && img.GetBlue(x, y) == b;
}

int Ink(const wxImage& img, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += !IsColour(img, x, y, 191, 216, 216) && img.GetRed(x, y) < 100;
    return n;
}

}  // namespace

TEST_F(DualSliderTest, ThumbsAndLabelsAreDrawnAtTheirColumns) {
    slider->SetBound(true);
    EXPECT_EQ(slider->GetValue(0), 0.5);
    EXPECT_EQ(slider->GetValue(1), 2.5);
    const int low = slider->ColumnOf(50), high = slider->ColumnOf(250);
    EXPECT_EQ(low, 53);   // (300 − 10) × 50 / 300 + 5
    EXPECT_EQ(high, 246);
    const wxImage img = Render();
    // Low thumb filled black, high thumb white inside a black outline.
    EXPECT_TRUE(IsColour(img, low, 15, 0, 0, 0));
    EXPECT_TRUE(IsColour(img, high, 15, 255, 255, 255));
    EXPECT_GE(Ink(img, high - 6, 16, high + 7, 20), 6);  // its dark base line
    // Ticks (white squares) at the whole values 0..3.
    for (int v = 0; v <= 3; ++v) {
        const int c = slider->ColumnOf(v * 100);
        EXPECT_TRUE(IsColour(img, c, 8, 255, 255, 255))
            << v << " at " << c << ": " << int(img.GetRed(c, 8)) << "," << int(img.GetGreen(c, 8));
    }
    // Labels "0.50" right of the low thumb, "2.50" left of the high one (right half).
    EXPECT_GT(Ink(img, low + 8, 8, low + 36, 30), 8);
    EXPECT_GT(Ink(img, high - 32, 8, high - 8, 30), 8);
    EXPECT_EQ(Ink(img, 120, 8, 190, 30), 0);
}

TEST_F(DualSliderTest, PressWithinThreePixelsPicksAThumbAndTheReleaseReports) {
    ShowFrame();
    wxUIActionSimulator sim;
    const int low = slider->ColumnOf(50);
    sim.MouseMove(Screen(low + 4));
    sim.MouseDown();
    testsupport::Pump(100);
    EXPECT_EQ(slider->GetActiveThumb(), -1);
    sim.MouseUp();
    testsupport::Pump(700);  // no double click with the next press
    EXPECT_EQ(reports, 0);

    sim.MouseMove(Screen(low + 3));
    sim.MouseDown();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return slider->GetActiveThumb() == 0; }));
    for (int c : {80, 110, 150}) {
        sim.MouseMove(Screen(c));
        testsupport::Pump(30);
    }
    sim.MouseUp();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return reports == 1; }));
    testsupport::Pump(100);
    EXPECT_EQ(reports, 1);  // without Shift: one report, at the release
    EXPECT_EQ(slider->GetPosition(0), slider->PositionAt(150));
    EXPECT_EQ(slider->GetActiveThumb(), -1);
    EXPECT_FALSE(slider->HasCapture());
}

TEST_F(DualSliderTest, ShiftDragReportsEveryPositionChange) {
    ShowFrame();
    auto send = [&](wxEventType type, int column, bool shift) {
        wxMouseEvent e(type);
        e.SetId(slider->GetId());
        e.SetEventObject(slider);
        e.m_x = column;
        e.m_y = 12;
        e.m_leftDown = type != wxEVT_LEFT_UP;
        e.m_shiftDown = shift;
        slider->GetEventHandler()->ProcessEvent(e);
    };
    send(wxEVT_LEFT_DOWN, slider->ColumnOf(50), true);
    ASSERT_EQ(slider->GetActiveThumb(), 0);
    // Three new positions, one motion that stays on the last one, and one without Shift.
    for (int c : {80, 110, 150, 150}) send(wxEVT_MOTION, c, true);
    send(wxEVT_MOTION, 170, false);
    send(wxEVT_LEFT_UP, 170, false);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return reports >= 4; }));
    testsupport::Pump(100);
    EXPECT_EQ(reports, 4) << "three Shift moves and the release";
    EXPECT_EQ(slider->GetPosition(0), slider->PositionAt(170));
    EXPECT_FALSE(slider->HasCapture());
}

TEST_F(DualSliderTest, LostCaptureEndsTheDragWithAReport) {
    ShowFrame();
    wxUIActionSimulator sim;
    sim.MouseMove(Screen(slider->ColumnOf(250)));
    testsupport::Pump(50);
    sim.MouseDown();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return slider->GetActiveThumb() == 1; }));
    wxMouseCaptureLostEvent lost(slider->GetId());
    slider->GetEventHandler()->ProcessEvent(lost);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return reports == 1; }));
    EXPECT_EQ(slider->GetActiveThumb(), -1);
    sim.MouseUp();
    testsupport::Pump(100);
}

TEST_F(DualSliderTest, DegenerateRangesDoNotDivideByZero) {
    struct Case {
        int min, max, digits, width;
    } cases[] = {{0, 0, 100, 300}, {40, 40, 1, 300}, {0, 300, 0, 300}, {0, 300, 100, 4},
                 {0, 300, 100, 10}, {0, 2000000000, 1, 300}, {300, 0, 100, 300}};
    for (const Case& c : cases) {
        slider->SetSize(c.width, 30);
        slider->SetRange(c.min, c.max, c.digits);
        slider->SetValues(0.5, 1.5);
        EXPECT_EQ(slider->GetDigits(), c.digits == 0 ? 1 : c.digits);
        const int p = slider->PositionAt(c.width / 2);
        EXPECT_GE(p, std::min(c.min, c.max));
        EXPECT_LE(p, std::max(c.min, c.max));
        (void)slider->ColumnOf(p);
        wxBitmap bmp(std::max(c.width, 1), 30, 24);
        wxMemoryDC dc(bmp);
        slider->Draw(dc);  // must return: no division by zero, no tick loop over 2e9 values
    }
}

TEST_F(DualSliderTest, ValueDialogCommitsTypedValuesAndOkWithoutEditsKeepsPositions) {
    ShowFrame();  // the dialog opens at the slider's screen position
    slider->SetBound(true);
    slider->SetRange(29, 300, 100);
    slider->SetValues(0.57, 2.9);
    ASSERT_EQ(slider->GetPosition(0), 57);
    const size_t steps = GoCommandHistory.Size();
    testsupport::SetModalAnswer(wxID_OK);
    EXPECT_TRUE(slider->OpenValueDialog(10, 10));
    EXPECT_EQ(GoCommandHistory.Size(), steps);  // the working copies leave no undo steps
    testsupport::ResetModals();
    // 29 / 100 × 100 truncated would be 28; every value comes back where it was.
    EXPECT_EQ(slider->GetMinimum(), 29);
    EXPECT_EQ(slider->GetMaximum(), 300);
    EXPECT_EQ(slider->GetPosition(0), 57);
    EXPECT_EQ(slider->GetPosition(1), 290);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return reports == 1; }));  // the item commits

    testsupport::SetModalAnswer(wxID_CANCEL);
    EXPECT_FALSE(slider->OpenValueDialog(10, 10));
    testsupport::ResetModals();

    // Typed values are stored as typed, even a low value above the high one.
    slider->ApplyTypedValues(0.5, 4, 3.5, 1.25);
    EXPECT_EQ(slider->GetMinimum(), 50);
    EXPECT_EQ(slider->GetMaximum(), 400);
    EXPECT_EQ(slider->GetValue(0), 3.5);
    EXPECT_EQ(slider->GetValue(1), 1.25);
}
