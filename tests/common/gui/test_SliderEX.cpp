// Sliders: one drag is one undo step, also when the release is lost; keys never act in the
// middle of a drag; positions round to the nearest step.
#include "common/CommandHistory.h"
#include "common/CommandSetValue.h"
#include "common/gui/SliderEX.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/uiaction.h>

#include <climits>
#include <functional>

namespace {

// Commits the slider's value to `value` on every track and release, as the editor panels do.
struct SliderTest : ::testing::Test {
    void SetUp() override {
        GoCommandHistory.Clear();
        frame = new wxFrame(nullptr, wxID_ANY, "sliders", wxPoint(30, 30), wxSize(420, 120));
        panel = new wxPanel(frame, 4321);
        slider = new SliderDouble_cls(panel, wxID_ANY, 20, 0, 100, 100, wxDefaultPosition,
                                      wxSize(360, -1));
        auto* box = new wxBoxSizer(wxVERTICAL);
        box->Add(slider, 0, wxEXPAND | wxALL, 20);
        panel->SetSizer(box);
        auto commit = [this](wxScrollEvent& e) {
            const double v = slider->GetValueD();
            if (v != value) {
                GoCommandHistory.Push(new CommandSetValue_cls(&value, v, 0),
                                      new CommandSetValue_cls(&value, value, 0));
                GoCommandHistory.Redo();
            }
            depthAtEvents.push_back(GoCommandHistory.BlockDepth());
            e.Skip();
        };
        panel->Bind(wxEVT_SCROLL_THUMBTRACK, commit);
        panel->Bind(wxEVT_SCROLL_THUMBRELEASE, commit);
        panel->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& e) { keys.push_back({e.GetKeyCode(), e.GetId()}); });
        frame->Show();
        ASSERT_TRUE(testsupport::PumpUntil([&] { return frame->IsShownOnScreen(); }));
        frame->Raise();
        testsupport::Pump(100);
    }
    void TearDown() override {
        frame->Destroy();
        testsupport::Pump(50);
        GoCommandHistory.Clear();
    }
    wxPoint At(double fraction) const {
        const wxSize s = slider->GetSize();
        return slider->ClientToScreen(wxPoint(static_cast<int>(s.x * fraction), s.y / 2));
    }
    void Track(int position) {
        slider->SetValue(position);
        wxScrollEvent track(wxEVT_SCROLL_THUMBTRACK, slider->GetId(), position, wxHORIZONTAL);
        track.SetEventObject(slider);
        slider->GetEventHandler()->ProcessEvent(track);
    }
    wxFrame* frame = nullptr;
    wxPanel* panel = nullptr;
    SliderDouble_cls* slider = nullptr;
    double value = 0.2;
    std::vector<int> depthAtEvents;
    std::vector<std::pair<int, int>> keys;
};

}  // namespace

TEST_F(SliderTest, ADragIsOneUndoStep) {
    wxUIActionSimulator sim;
    sim.MouseMove(At(0.2));
    testsupport::Pump(50);
    sim.MouseDown();
    for (double f : {0.3, 0.45, 0.6, 0.75, 0.8}) {
        sim.MouseMove(At(f));
        testsupport::Pump(40);
    }
    ASSERT_TRUE(testsupport::PumpUntil([&] { return slider->IsDragging(); }));
    EXPECT_EQ(GoCommandHistory.BlockDepth(), 1);
    sim.MouseUp();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !slider->IsDragging(); }));
    testsupport::Pump(100);
    EXPECT_EQ(GoCommandHistory.BlockDepth(), 0);
    EXPECT_GT(value, 0.5);
    EXPECT_EQ(value, slider->GetValueD());
    for (size_t i = 0; i + 1 < depthAtEvents.size(); ++i) EXPECT_EQ(depthAtEvents[i], 1) << i;
    EXPECT_EQ(depthAtEvents.back(), 0);  // the block is closed before the panel sees the release

    GoCommandHistory.Undo();
    EXPECT_EQ(value, 0.2);
    EXPECT_EQ(GoCommandHistory.Cursor(), 0u);
    GoCommandHistory.Redo();
    EXPECT_EQ(value, slider->GetValueD());
}

TEST_F(SliderTest, ALostReleaseStillClosesTheBlock) {
    struct Ender {
        const char* name;
        std::function<void(SliderInt_cls*)> end;
    } enders[] = {
        {"kill focus",
         [](SliderInt_cls* s) {
             wxFocusEvent e(wxEVT_KILL_FOCUS, s->GetId());
             s->GetEventHandler()->ProcessEvent(e);
         }},
        {"capture lost",
         [](SliderInt_cls* s) {
             wxMouseCaptureLostEvent e(s->GetId());
             s->GetEventHandler()->ProcessEvent(e);
         }},
        {"scroll changed",
         [](SliderInt_cls* s) {
             wxScrollEvent e(wxEVT_SCROLL_CHANGED, s->GetId(), s->GetValue(), wxHORIZONTAL);
             s->GetEventHandler()->ProcessEvent(e);
         }},
    };
    int position = 30;
    for (const Ender& ender : enders) {
        const double before = value;
        Track(position);
        Track(position + 10);
        ASSERT_TRUE(slider->IsDragging()) << ender.name;
        EXPECT_EQ(GoCommandHistory.BlockDepth(), 1) << ender.name;
        ender.end(slider);
        EXPECT_FALSE(slider->IsDragging()) << ender.name;
        EXPECT_EQ(GoCommandHistory.BlockDepth(), 0) << ender.name;
        EXPECT_EQ(value, (position + 10) / 100.0);
        GoCommandHistory.Undo();  // the whole drag, nothing else
        EXPECT_EQ(value, before) << ender.name;
        GoCommandHistory.Redo();
        position += 20;
    }
}

TEST_F(SliderTest, DestroyingTheSliderMidDragClosesTheBlock) {
    Track(50);
    ASSERT_EQ(GoCommandHistory.BlockDepth(), 1);
    slider->Destroy();
    slider = nullptr;
    testsupport::Pump(20);
    EXPECT_EQ(GoCommandHistory.BlockDepth(), 0);
    GoCommandHistory.Undo();
    EXPECT_EQ(value, 0.2);
}

TEST_F(SliderTest, KeysGoToTheParentButNotDuringADrag) {
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = 'Z';
    key.m_controlDown = true;
    key.SetId(slider->GetId());
    const int before = slider->GetValue();
    slider->GetEventHandler()->ProcessEvent(key);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return keys.size() == 1; }));
    EXPECT_EQ(keys[0], std::make_pair(int('Z'), panel->GetId()));  // under the parent's id

    Track(60);
    slider->GetEventHandler()->ProcessEvent(key);  // Ctrl+Z mid-drag
    testsupport::Pump(100);
    EXPECT_EQ(keys.size(), 1u);
    EXPECT_EQ(GoCommandHistory.BlockDepth(), 1);
    EXPECT_EQ(value, 0.6);
    wxScrollEvent release(wxEVT_SCROLL_THUMBRELEASE, slider->GetId(), 60, wxHORIZONTAL);
    slider->GetEventHandler()->ProcessEvent(release);
    EXPECT_EQ(GoCommandHistory.BlockDepth(), 0);

    // Arrow keys never move the slider itself.
    wxKeyEvent right(wxEVT_KEY_DOWN);
    right.m_keyCode = WXK_RIGHT;
    slider->GetEventHandler()->ProcessEvent(right);
    testsupport::Pump(50);
    EXPECT_EQ(slider->GetValue(), 60);
    (void)before;
}

TEST_F(SliderTest, PositionsRoundToTheNearestStep) {
    struct Case {
        double value;
        int scale;
        int position;
    } cases[] = {{0.29, 100, 29}, {0.57, 100, 57}, {1.005, 1000, 1005}, {-0.29, 100, -29},
                 {2.5, 0, 3}, {1e30, 100, INT_MAX}};
    for (const Case& c : cases) EXPECT_EQ(SliderPositionOf(c.value, c.scale), c.position) << c.value;
    slider->SetValueD(0.29);
    EXPECT_EQ(slider->GetValue(), 29);
    EXPECT_EQ(slider->GetValueD(), 0.29);
    auto* f = new SliderFloat_cls(panel, wxID_ANY, 0, 0, 1000, 1000);
    f->SetValueF(0.29f);
    EXPECT_EQ(f->GetValue(), 290);
    EXPECT_EQ(f->GetValueF(), 0.29f);
}

TEST_F(SliderTest, ARangeOfZeroToZeroNeverClamps) {
    auto* s = new SliderInt_cls(panel, wxID_ANY, 0, 0, 0);
    s->SetRange(0, 50);
    s->SetValue(40);
    wxScrollEvent changed(wxEVT_SCROLL_CHANGED, s->GetId(), 40, wxHORIZONTAL);
    s->GetEventHandler()->ProcessEvent(changed);
    EXPECT_EQ(s->GetValue(), 40);
    s->SetClampRange(0, 30);
    s->SetValue(30);
    EXPECT_EQ(s->GetValue(), 30);
}
