// The colour button: its swatch painting, a colour chosen in the dialog or pasted as one
// undoable step (a filter's found again by list and name), and the curve/constant toggle of
// the check area.
#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/clipbrd.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>

#include <memory>
#include <vector>

#include "common/CommandHistory.h"
#include "common/gui/UserPrompts.h"
#include "filters/ColorCurve.h"
#include "filters/ColorSwatch.h"
#include "filters/FilterBase.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterData.h"
#include "filters/gui/ColorCurveBtn.h"
#include "filters/gui/FilterGUI.h"
#include "tests/support/GuiTestSupport.h"

using testsupport::Pump;

namespace {

wxImage Paint(const ColorCurve_cls& record, int w, int h, bool opaque) {
    wxBitmap bitmap(w, h, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        PaintSwatch(record, dc, false, 0, opaque);
    }
    return bitmap.ConvertToImage();
}

bool Rgb(const wxImage& im, int x, int y, int r, int g, int b, int tol = 1) {
    return std::abs(im.GetRed(x, y) - r) <= tol && std::abs(im.GetGreen(x, y) - g) <= tol &&
           std::abs(im.GetBlue(x, y) - b) <= tol;
}

struct ColourAnswer : UserPrompts_cls {
    int PickColour(wxWindow*, const wxColour&, bool, wxColour& out) override {
        ++asked;
        if (answer == wxID_OK) out = chosen;
        return answer;
    }
    int asked = 0;
    int answer = wxID_OK;
    wxColour chosen{51, 102, 204};
};

class ColorButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        GoCommandHistory.Clear();
        UserPrompts_cls::Install(&prompts);
        frame = new wxFrame(nullptr, wxID_ANY, "buttons", wxPoint(20, 20), wxSize(300, 100));
        button = new ColorCurveBtn_cls(frame, &record, true, true, false);
        frame->Show();
        testsupport::PumpUntil([&] { return frame->IsShownOnScreen(); });
    }
    void TearDown() override {
        ColorCurveBtn_cls::SetCurveEditorOpener(nullptr);
        frame->Destroy();
        Pump(20);
        UserPrompts_cls::Install(nullptr);
        GoCommandHistory.Clear();
    }
    void Click(int x) {
        wxMouseEvent down(wxEVT_LEFT_DOWN);
        down.SetEventObject(button);
        down.m_x = x;
        down.m_y = 10;
        button->GetEventHandler()->ProcessEvent(down);
        Pump(10);
    }

    ColourAnswer prompts;
    ColorCurve_cls record{"SEQ0TYPE0Col", "Attrib 0 : Color", "1 0.8 0.2 1", 0, nullptr};
    wxFrame* frame = nullptr;
    ColorCurveBtn_cls* button = nullptr;
};

}  // namespace

TEST(ColorSwatch, ConstantCurveAndCheckerRows) {
    ColorCurve_cls c("c", "c", "0.5 0.25 1 0.3", 0, nullptr);
    wxImage im = Paint(c, 100, 20, false);
    EXPECT_TRUE(Rgb(im, 50, 10, 127, 63, 255)) << "constant colour, alpha ignored";
    EXPECT_TRUE(Rgb(im, 0, 10, 0, 0, 0)) << "black outline";

    // A curve: opaque columns show the curve; otherwise rows 1..9 and 10..18 blend over
    // opposite checker shades and rows 0 and 19 keep only the outline.
    c.useColorCurve.value = true;
    im = Paint(c, 100, 20, true);
    for (int x : {1, 30, 98}) {
        float rgba[4];
        c.ColorAt(float(x / 99.0), rgba);
        EXPECT_TRUE(Rgb(im, x, 5, int(rgba[0] * 255), int(rgba[1] * 255), int(rgba[2] * 255))) << x;
        EXPECT_TRUE(Rgb(im, x, 14, int(rgba[0] * 255), int(rgba[1] * 255), int(rgba[2] * 255))) << x;
    }
    EXPECT_TRUE(Rgb(im, 50, 0, 0, 0, 0));
    EXPECT_TRUE(Rgb(im, 50, 19, 0, 0, 0));
    // Half-transparent keys: the checker shows through.
    const double keys[2][5] = {{0, 0, 1, 0, 0.5}, {1, 0, 1, 0, 0.5}};
    ColorCurve_cls half("h", "h", "1 1 1 1", 2, keys);
    half.useColorCurve.value = true;
    im = Paint(half, 100, 20, false);
    const SwatchRGB dark{64, 64, 64}, light{192, 192, 192};
    const SwatchRGB top = SwatchColour(half, dark, 5 / 99.0, false);     // column 5: i % 20 <= 10
    const SwatchRGB bottom = SwatchColour(half, light, 5 / 99.0, false);
    EXPECT_TRUE(Rgb(im, 5, 1, top.r, top.g, top.b));
    EXPECT_TRUE(Rgb(im, 5, 9, top.r, top.g, top.b));
    EXPECT_TRUE(Rgb(im, 5, 10, bottom.r, bottom.g, bottom.b));
    EXPECT_TRUE(Rgb(im, 5, 18, bottom.r, bottom.g, bottom.b));
    EXPECT_NE(top.r, bottom.r);
    EXPECT_EQ(int(top.g), int((255 - 64) * 0.5 + 64));
}

// Channels beyond 0..1 (a curve that overshoots, a colour from a file) paint full or
// none, never the low byte of their value.
TEST(ColorSwatch, ChannelsBeyondTheRangeAreHeldAtItsEnds) {
    const double keys[2][5] = {{0, 1.02, -0.1, 0.5, 1}, {1, 1.02, -0.1, 0.5, 1}};
    ColorCurve_cls over("o", "o", "1.5 -0.2 0.5 1", 2, keys);
    wxImage im = Paint(over, 100, 20, false);
    EXPECT_TRUE(Rgb(im, 50, 10, 255, 0, 127)) << "constant colour";
    over.useColorCurve.value = true;
    for (const bool opaque : {true, false}) {
        im = Paint(over, 100, 20, opaque);
        EXPECT_TRUE(Rgb(im, 50, 5, 255, 0, 127)) << opaque;
        const SwatchRGB c = SwatchColour(over, SwatchRGB{64, 64, 64}, 0.5, opaque);
        EXPECT_EQ(int(c.r), 255);
        EXPECT_EQ(int(c.g), 0);
    }
}

TEST_F(ColorButtonTest, DialogColourIsOneUndoableStepWithAlphaOne) {
    record.constantColor.values[3] = 0.5f;
    Click(100);
    EXPECT_EQ(prompts.asked, 1);
    EXPECT_FLOAT_EQ(record.ConstantColor()[0], 51 / 255.0f);
    EXPECT_FLOAT_EQ(record.ConstantColor()[2], 204 / 255.0f);
    EXPECT_FLOAT_EQ(record.ConstantColor()[3], 1.0f) << "a chosen colour is opaque";
    GoCommandHistory.Undo();
    EXPECT_FLOAT_EQ(record.ConstantColor()[0], 1.0f);
    EXPECT_FLOAT_EQ(record.ConstantColor()[3], 0.5f);
    EXPECT_FALSE(GoCommandHistory.CanUndo());
    prompts.answer = wxID_CANCEL;
    Click(100);
    EXPECT_FLOAT_EQ(record.ConstantColor()[0], 1.0f) << "Cancel changes nothing";
    EXPECT_FALSE(GoCommandHistory.CanUndo());
}

TEST_F(ColorButtonTest, CheckAreaTogglesTheCurveAndOpensTheEditor) {
    ColorCurve_cls* opened = nullptr;
    ColorCurveBtn_cls::SetCurveEditorOpener([&](ColorCurve_cls* r) { opened = r; });
    Click(5);
    EXPECT_TRUE(record.UsesCurve());
    EXPECT_EQ(opened, &record) << "switched to a curve: the editor opens on it";
    EXPECT_EQ(prompts.asked, 0);
    opened = nullptr;
    Click(5);
    EXPECT_FALSE(record.UsesCurve());
    EXPECT_EQ(opened, nullptr) << "back to a constant colour: nothing opens";
    EXPECT_EQ(prompts.asked, 0);
    EXPECT_FALSE(GoCommandHistory.CanUndo()) << "the toggle is not an edit";
    // Without the check area the same click edits the colour.
    button->hasCheckArea = false;
    Click(5);
    EXPECT_EQ(prompts.asked, 1);
}

TEST_F(ColorButtonTest, PastedColourKeepsItsAlphaAndUndoRestores) {
    if (!wxTheClipboard->Open()) GTEST_SKIP() << "no clipboard on this display";
    wxTheClipboard->SetData(new wxTextDataObject("COLOR=0.1 0.2 0.3 0.4\r\n"));
    wxTheClipboard->Close();
    wxCommandEvent paste(wxEVT_MENU, ID_PASTE_COLOR);
    button->GetEventHandler()->ProcessEvent(paste);
    EXPECT_NEAR(record.ConstantColor()[0], 0.1f, 1e-6);
    EXPECT_NEAR(record.ConstantColor()[3], 0.4f, 1e-6);
    EXPECT_FALSE(record.UsesCurve());
    GoCommandHistory.Undo();
    EXPECT_FLOAT_EQ(record.ConstantColor()[1], 0.8f);
    EXPECT_FLOAT_EQ(record.ConstantColor()[3], 1.0f);
    // Text that is not a colour changes nothing.
    if (wxTheClipboard->Open()) {
        wxTheClipboard->SetData(new wxTextDataObject("hello"));
        wxTheClipboard->Close();
    }
    button->GetEventHandler()->ProcessEvent(paste);
    EXPECT_FLOAT_EQ(record.ConstantColor()[1], 0.8f);
    // Copy puts the "COLOR=" text there.
    wxCommandEvent copy(wxEVT_MENU, ID_COPY_COLOR);
    button->GetEventHandler()->ProcessEvent(copy);
    wxString text;
    if (wxTheClipboard->Open()) {
        wxTextDataObject data;
        if (wxTheClipboard->GetData(data)) text = data.GetText();
        wxTheClipboard->Close();
    }
    EXPECT_TRUE(text.StartsWith("COLOR=1.000000 0.800000 0.200000 1.000000")) << text;
}

TEST_F(ColorButtonTest, AFiltersColourEditIsUndoneOnTheFilterThatCameBackUnderItsName) {
    // A BG filter renamed after its button was made, coloured, deleted and brought back by
    // undo as a new object: the next undo gives the colour back to that filter. Another
    // filter made meanwhile outside the list may live where the deleted one did.
    FilterCtrl_cls list(2);
    FilterBase_cls* bg = list.AddFilter(FILTER_BG, -1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(bg, nullptr);
    ColorCurveBtn_cls* filterButton = MakeFilterColorButton(frame, bg, 0, true);
    ASSERT_FALSE(list.RenameFilter(bg->GetData()->filterName.Value(), "Sky").empty());
    const std::vector<float> before(bg->GetData()->colors[0]->ConstantColor(),
                                    bg->GetData()->colors[0]->ConstantColor() + 4);

    wxMouseEvent down(wxEVT_LEFT_DOWN);
    down.SetEventObject(filterButton);
    down.m_x = 100;
    down.m_y = 10;
    filterButton->GetEventHandler()->ProcessEvent(down);
    Pump(10);
    ASSERT_EQ(prompts.asked, 1);
    ASSERT_FLOAT_EQ(bg->GetData()->colors[0]->ConstantColor()[0], 51 / 255.0f);
    filterButton->Destroy();  // its panel goes with the filter

    list.SelectFilter(bg);
    list.DeleteSelected();
    ASSERT_EQ(list.Count(), 0);
    FilterCtrl_cls elsewhere(2);
    elsewhere.AddFilter(FILTER_BG, -1, nullptr, nullptr, nullptr, nullptr);
    GoCommandHistory.Undo();
    ASSERT_EQ(list.Count(), 1);
    FilterBase_cls* back = list.FindByName("Sky");
    ASSERT_NE(back, nullptr);
    EXPECT_FLOAT_EQ(back->GetData()->colors[0]->ConstantColor()[0], 51 / 255.0f);
    GoCommandHistory.Undo();
    const float* now = back->GetData()->colors[0]->ConstantColor();
    EXPECT_EQ(std::vector<float>(now, now + 4), before);
    GoCommandHistory.Redo();
    EXPECT_FLOAT_EQ(back->GetData()->colors[0]->ConstantColor()[0], 51 / 255.0f);
    // The filter in the other list never took any colour.
    EXPECT_FLOAT_EQ(elsewhere.GetNode(0)->GetData()->colors[0]->ConstantColor()[0], 0.1f);
}
