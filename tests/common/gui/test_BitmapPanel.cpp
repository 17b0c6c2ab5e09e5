// The bitmap panel: states stepped by clicks and reported, art drawn by id, the disabled art.
#include "common/gui/BitmapPanel.h"
#include "common/gui/MinimizeButton.h"
#include "common/gui/MyArtProvider.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <wx/artprov.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/uiaction.h>

namespace {

struct BitmapPanelTest : ::testing::Test {
    void SetUp() override {
        provider = new MyArtProvider;
        wxArtProvider::Push(provider);
        frame = new wxFrame(nullptr, wxID_ANY, "bitmaps", wxPoint(60, 60), wxSize(120, 80));
        parent = new wxPanel(frame);
        panel = new BitmapPanel_cls(parent, wxID_ANY, wxPoint(10, 10), wxSize(16, 16));
        parent->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& e) {
            if (e.GetId() == panel->GetId()) ++reports;
        });
    }
    void TearDown() override {
        frame->Destroy();
        testsupport::Pump(50);
        wxArtProvider::Delete(provider);
    }
    wxImage Render() {
        wxBitmap bmp(16, 16, 24);
        {
            wxMemoryDC dc(bmp);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            panel->Draw(dc);
        }
        return bmp.ConvertToImage();
    }
    static wxImage Art(const wxString& id) {
        wxBitmap bmp(16, 16, 24);
        {
            wxMemoryDC dc(bmp);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            dc.DrawBitmap(wxArtProvider::GetBitmap(id, wxART_OTHER, wxSize(16, 16)), 0, 0, true);
        }
        return bmp.ConvertToImage();
    }
    static bool Same(const wxImage& a, const wxImage& b) {
        return memcmp(a.GetData(), b.GetData(), 16 * 16 * 3) == 0;
    }
    MyArtProvider* provider = nullptr;
    wxFrame* frame = nullptr;
    wxPanel* parent = nullptr;
    BitmapPanel_cls* panel = nullptr;
    int reports = 0;
};

}  // namespace

TEST_F(BitmapPanelTest, ClicksStepThroughTheStatesAndAreReported) {
    panel->AddBitmap("wxART_EYE_P");
    panel->AddBitmap("wxART_EYE_N");
    panel->AddBitmap("wxART_LINKED");
    EXPECT_TRUE(Same(Render(), Art("wxART_EYE_P")));
    frame->Show();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return frame->IsShownOnScreen(); }));
    frame->Raise();
    testsupport::Pump(100);
    wxUIActionSimulator sim;
    sim.MouseMove(panel->ClientToScreen(wxPoint(8, 8)));
    const int states[] = {1, 2, 0, 1};
    for (int k = 0; k < 4; ++k) {
        sim.MouseClick();
        ASSERT_TRUE(testsupport::PumpUntil([&] { return reports == k + 1; })) << k;
        EXPECT_EQ(panel->GetState(), states[k]);
        testsupport::Pump(600);  // keep the clicks apart: no double clicks
    }
    EXPECT_TRUE(Same(Render(), Art("wxART_EYE_N")));

    wxMouseEvent dclick(wxEVT_LEFT_DCLICK);  // a double click counts as a click
    panel->GetEventHandler()->ProcessEvent(dclick);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return reports == 5; }));
    EXPECT_EQ(panel->GetState(), 2);
}

TEST_F(BitmapPanelTest, SingleArtDisabledArtAndEmptyPanels) {
    wxImage blank(16, 16);
    blank.SetRGB(wxRect(0, 0, 16, 16), 255, 255, 255);
    EXPECT_TRUE(Same(Render(), blank));  // nothing to draw

    wxMouseEvent up(wxEVT_LEFT_UP), down(wxEVT_LEFT_DOWN);
    panel->GetEventHandler()->ProcessEvent(down);
    panel->GetEventHandler()->ProcessEvent(up);
    EXPECT_EQ(panel->GetState(), 0);

    panel->SetBitmap("wxART_PLAY");
    EXPECT_TRUE(Same(Render(), Art("wxART_PLAY")));

    panel->AddBitmap("wxART_LEFT");
    panel->AddBitmap("wxART_RIGHT");
    panel->SetState(1);
    panel->SetDisabledArt("wxART_TIME_D");
    panel->Disable();
    EXPECT_EQ(panel->CurrentArt(), "wxART_TIME_D");
    EXPECT_TRUE(Same(Render(), Art("wxART_TIME_D")));
    panel->SetState(0);
    EXPECT_TRUE(Same(Render(), Art("wxART_TIME_D")));
    panel->Enable();
    EXPECT_TRUE(Same(Render(), Art("wxART_LEFT")));
}

TEST_F(BitmapPanelTest, AspectSizeAndTheMinimizeMenu) {
    panel->SetSize(16, 20);
    panel->SetAspectSize(8, 2.0);
    EXPECT_EQ(panel->GetMinSize(), wxSize(40, 20));
    EXPECT_EQ(panel->GetMaxSize(), wxSize(40, 20));
    panel->SetAspectSize(4, 0.5);
    EXPECT_EQ(panel->GetMinSize(), wxSize(40, 20));
    panel->SetAspectSize(3, 9.0);
    EXPECT_EQ(panel->GetMinSize(), wxSize(40, 20));

    MinimizeButton_cls button;
    ASSERT_EQ(button.GetMinimizeMenu()->GetMenuItemCount(), 1u);
    const wxMenuItem* item = button.GetMinimizeMenu()->FindItemByPosition(0);
    EXPECT_EQ(item->GetId(), 6059);
    EXPECT_EQ(item->GetItemLabelText(), "minimize");
}
