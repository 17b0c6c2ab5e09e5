// The icon strip: icons in their cells, the selected cell, the page text, and clicks.
#include "common/gui/IconSelector.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/uiaction.h>

namespace {

wxBitmap Solid(const wxColour& c) {
    wxImage img(16, 16);
    img.SetRGB(wxRect(0, 0, 16, 16), c.Red(), c.Green(), c.Blue());
    return wxBitmap(img);
}

const wxColour kColours[5] = {wxColour(200, 0, 0), wxColour(0, 160, 0), wxColour(0, 0, 220),
                              wxColour(0, 150, 150), wxColour(140, 0, 140)};

wxImage Render(IconSelector_cls* s) {
    const wxSize size = s->GetClientSize();
    wxBitmap bmp(size.x, size.y, 24);
    {
        wxMemoryDC dc(bmp);
        s->Draw(dc);
    }
    return bmp.ConvertToImage();
}

wxColour At(const wxImage& img, int x, int y) {
    return wxColour(img.GetRed(x, y), img.GetGreen(x, y), img.GetBlue(x, y));
}

struct IconSelectorTest : ::testing::Test {
    void SetUp() override {
        frame = new wxFrame(nullptr, wxID_ANY, "icons", wxPoint(50, 50), wxSize(220, 60));
        panel = new wxPanel(frame);
        panel->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent& e) { selected.push_back(e.GetId()); });
    }
    void TearDown() override {
        frame->Destroy();
        testsupport::Pump(50);
    }
    IconSelector_cls* Make(int images, int cells) {
        std::vector<wxBitmap> bitmaps;
        for (int i = 0; i < images; ++i) bitmaps.push_back(Solid(kColours[i]));
        auto* s = new IconSelector_cls(panel, wxID_ANY, 2, cells, bitmaps, wxPoint(0, 0), wxSize(160, 20));
        s->SetCellCount(cells);
        return s;
    }
    wxFrame* frame = nullptr;
    wxPanel* panel = nullptr;
    std::vector<int> selected;
};

}  // namespace

TEST_F(IconSelectorTest, CellsShowOneImageEachOrTheSameImageOrNone) {
    struct Case {
        int images;
        int cells;
    } cases[] = {{1, 5}, {5, 5}, {3, 5}};
    for (const Case& c : cases) {
        IconSelector_cls* s = Make(c.images, c.cells);
        const wxImage img = Render(s);
        for (int i = 0; i < c.cells; ++i) {
            const wxColour centre = At(img, 20 * i + 10, 10);
            if (c.images == 1)
                EXPECT_EQ(centre, kColours[0]) << i;
            else if (c.images == c.cells)
                EXPECT_EQ(centre, kColours[i]) << i;
            else
                EXPECT_EQ(centre, i == 2 ? wxColour(255, 255, 0) : wxColour(128, 128, 128)) << i;
        }
        // The selected cell's yellow frame shows around its icon.
        EXPECT_EQ(At(img, 20 * 2 + 1, 1), wxColour(255, 255, 0));
        EXPECT_EQ(At(img, 20 * 3 + 1, 1), wxColour(128, 128, 128));
        s->Destroy();
    }
}

TEST_F(IconSelectorTest, PageTextReadsSelectionOverCells) {
    IconSelector_cls* s = Make(1, 5);
    EXPECT_EQ(s->PageText(), "2/5");
    const wxImage img = Render(s);
    int ink = 0;  // the text sits right of the cells, at x >= max(160 − 24, 104)
    for (int y = 0; y < 20; ++y)
        for (int x = 136; x < 160; ++x) ink += img.GetRed(x, y) < 100;
    EXPECT_GT(ink, 5);
    s->SetCellCount(0);
    EXPECT_EQ(s->PageText(), "");
}

TEST_F(IconSelectorTest, AClickSelectsTheCellUnderIt) {
    IconSelector_cls* s = Make(1, 5);
    s->SetSelection(0);
    frame->Show();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return frame->IsShownOnScreen(); }));
    frame->Raise();
    testsupport::Pump(100);
    wxUIActionSimulator sim;
    sim.MouseMove(s->ClientToScreen(wxPoint(45, 10)));
    sim.MouseClick();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return selected.size() == 1; }));
    EXPECT_EQ(s->GetSelection(), 2);
    EXPECT_EQ(selected[0], s->GetId());

    testsupport::Pump(600);
    sim.MouseMove(s->ClientToScreen(wxPoint(105, 10)));  // right of the last cell
    sim.MouseClick();
    testsupport::Pump(300);
    EXPECT_EQ(selected.size(), 1u);
    EXPECT_EQ(s->GetSelection(), 2);
    EXPECT_EQ(s->CellAt(99), 4);
    EXPECT_EQ(s->CellAt(100), -1);
}
