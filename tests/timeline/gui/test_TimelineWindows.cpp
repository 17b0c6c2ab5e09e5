// The lower panel's windows driven like a user: playback bar buttons, key strip drags,
// the slider's frame cursor, the scene settings dialog, and the pixels they paint.
#include "common/CommandHistory.h"
#include "common/gui/MultiInputPanel.h"
#include "tests/support/GuiTestSupport.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamOwner.h"
#include "timeline/Parameter.h"
#include "timeline/TimeCtrl.h"
#include "timeline/gui/ParamGUICtrl.h"
#include "timeline/gui/ParamGroupGUI.h"
#include "timeline/gui/ParamTL.h"
#include "timeline/gui/ParametersPanel.h"
#include "timeline/gui/PlayCtrlGUI.h"
#include "timeline/gui/Scene.h"
#include "timeline/gui/TimeCtrlGUI.h"
#include "timeline/gui/TimelineHost.h"
#include "common/gui/BitmapPanel.h"
#include "common/gui/TextCtrlEX.h"

#include <gtest/gtest.h>

#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

// The shell's side of the time model with a data cache of 100 MB frames under 4096 MB.
class TestHost : public TimelineHost_cls {
public:
    int GetMemoryLimit() override { return 4096; }
    int GetMemoryPerFrame() override { return perFrame; }
    int perFrame = 100;
};

// Takes a group off the lower panel when the test ends, passed or failed.
struct RemoveGroupAtEnd {
    ParamGUICtrl_cls* params;
    ParamGroup_cls* group;
    ~RemoveGroupAtEnd() { params->RemoveGroup(group); }
};

wxPoint Centre(wxWindow* w) {
    const wxRect r = w->GetScreenRect();
    return wxPoint(r.x + r.width / 2, r.y + r.height / 2);
}

class TimelineWindows : public ::testing::Test {
protected:
    void SetUp() override {
        GoCommandHistory.Clear();
        GbParamUndoEnabled = 1;
        time = std::make_unique<TimeCtrl_cls>(&host);
        GpTimeCtrl = GpTimeCtrlPanels = time.get();
        time->SetMaxFrame(100);
        time->SetWorkAreaMin(10);
        time->SetWorkAreaMax(90);
        time->SetActiveAreaMin(0);
        time->SetActiveAreaMax(100);
        time->SetFrame(50, 0);
        frame = new wxFrame(nullptr, wxID_ANY, "timeline", wxPoint(20, 20), wxSize(1000, 420));
        params = new ParamGUICtrl_cls(frame, time.get());
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(params, 1, wxEXPAND);
        frame->SetSizer(sizer);
        frame->Show();
        ASSERT_TRUE(testsupport::PumpUntil([&] { return frame->IsShownOnScreen(); }));
        frame->Raise();
        Settle();
    }

    void TearDown() override {
        frame->Destroy();
        testsupport::Pump(50);
        GpTimeCtrl = GpTimeCtrlPanels = nullptr;
        time.reset();
        GoCommandHistory.Clear();
    }

    void Settle() {
        frame->Layout();
        params->Relayout();
        SyncTimelineGeometry();
        time->RefreshPanels();
        frame->Update();
        testsupport::Pump(120);
    }

    void Click(wxWindow* w) {
        wxUIActionSimulator sim;
        sim.MouseMove(Centre(w));
        testsupport::Pump(30);
        sim.MouseClick();
        testsupport::Pump(80);
    }

    // Presses at strip pixel x0, moves to x1 (two steps), releases; all at the strip's
    // vertical middle.
    void DragStrip(ParamTL_cls* strip, int x0, int x1) {
        wxUIActionSimulator sim;
        const wxPoint o = strip->GetScreenPosition();
        const int y = o.y + strip->GetClientSize().y / 2;
        sim.MouseMove(o.x + x0, y);
        testsupport::Pump(40);
        sim.MouseDown();
        testsupport::Pump(40);
        sim.MouseMove(o.x + (x0 + x1) / 2, y);
        testsupport::Pump(40);
        sim.MouseMove(o.x + x1, y);
        testsupport::Pump(40);
        sim.MouseUp();
        testsupport::Pump(80);
    }

    TestHost host;
    std::unique_ptr<TimeCtrl_cls> time;
    wxFrame* frame = nullptr;
    ParamGUICtrl_cls* params = nullptr;
};

// ---------------------------------------------------------------- playback bar

TEST_F(TimelineWindows, TransportButtonsMoveTheFrameAndUndoRestoresIt) {
    PlayCtrlGUI_cls* bar = params->playBar;
    struct Step {
        const char* name;
        wxWindow* button;
        int interp, frame, sub;
    };
    // Work area 10..90; each step starts where the one before ended.
    const Step steps[] = {
        {"end", bar->goToEnd, 1, 90, 0},
        {"start", bar->goToStart, 1, 10, 0},
        {"step forward", bar->stepForward, 1, 11, 0},
        {"step backward", bar->stepBackward, 1, 10, 0},
        {"sub-frame forward", bar->stepForward, 4, 10, 1},
        {"sub-frame backward", bar->stepBackward, 4, 10, 0},
    };
    for (const Step& s : steps) {
        time->SetAnimInterp(s.interp);
        const int beforeFrame = time->Frame();
        const int beforeSub = time->SubFrame();
        Click(s.button);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return time->Frame() == s.frame && time->SubFrame() == s.sub; }, 2000))
            << s.name << ": frame " << time->Frame() << "+" << time->SubFrame();
        GoCommandHistory.Undo();
        EXPECT_EQ(time->Frame(), beforeFrame) << s.name;
        EXPECT_EQ(time->SubFrame(), beforeSub) << s.name;
        GoCommandHistory.Redo();
        EXPECT_EQ(time->Frame(), s.frame) << s.name;
    }
}

TEST_F(TimelineWindows, PlayButtonsStartStopAndShowTheDirection) {
    PlayCtrlGUI_cls* bar = params->playBar;
    const wxColour blue("LIGHT BLUE");
    Click(bar->playForward);
    ASSERT_TRUE(time->IsPlaying());
    EXPECT_EQ(time->direction, 1);
    EXPECT_EQ(bar->playForward->GetBackgroundColour(), blue);
    EXPECT_NE(bar->playBackward->GetBackgroundColour(), blue);
    // The other direction's button stops playback rather than reversing it.
    Click(bar->playBackward);
    EXPECT_FALSE(time->IsPlaying());
    EXPECT_NE(bar->playForward->GetBackgroundColour(), blue);
    Click(bar->playBackward);
    ASSERT_TRUE(time->IsPlaying());
    EXPECT_EQ(time->direction, -1);
    EXPECT_EQ(bar->playBackward->GetBackgroundColour(), blue);
    Click(bar->playBackward);
    EXPECT_FALSE(time->IsPlaying());
}

void SendSpin(wxSpinCtrl* spin, int value) {
    spin->SetValue(value);
    wxSpinEvent e(wxEVT_SPINCTRL, spin->GetId());
    e.SetEventObject(spin);
    e.SetPosition(value);
    spin->GetEventHandler()->ProcessEvent(e);
}

TEST_F(TimelineWindows, SteppingMovesTheFrameOntoTheGridInOneStep) {
    PlayCtrlGUI_cls* bar = params->playBar;
    time->SetFrame(13, 0);
    const size_t before = GoCommandHistory.Size();
    SendSpin(bar->stepping, 5);
    EXPECT_EQ(time->AnimStep(), 5);
    EXPECT_EQ(time->Frame(), 15);
    GoCommandHistory.Undo();
    EXPECT_EQ(time->AnimStep(), 1);
    EXPECT_EQ(time->Frame(), 13);
    // The same value again pushes nothing.
    GoCommandHistory.Redo();
    const size_t after = GoCommandHistory.Size();
    SendSpin(bar->stepping, 5);
    EXPECT_EQ(GoCommandHistory.Size(), after);
    EXPECT_GT(after, before);
}

TEST_F(TimelineWindows, PrefetchIsLimitedByTheFramesThatFitInMemory) {
    PlayCtrlGUI_cls* bar = params->playBar;
    struct Case {
        int perFrame, request, expected;
    };
    // 4096 MB / 100 MB = 40 frames: at most 24 ahead.
    const Case cases[] = {{100, 30, 24}, {100, 20, 20}, {100, 3, 3}, {-1, 10, 3}};
    for (const Case& c : cases) {
        host.perFrame = c.perFrame;
        SendSpin(bar->prefetchCtrl, c.request);
        EXPECT_EQ(bar->prefetchCtrl->GetValue(), c.expected) << c.request;
        EXPECT_EQ(time->prefetch, c.expected) << c.request;
    }
}

// ---------------------------------------------------------------- key strip

class KeyStrip : public TimelineWindows {
protected:
    void SetUp() override {
        TimelineWindows::SetUp();
        group = std::make_unique<ParamGroup_cls>("Drag", std::vector<std::string>{"x"}, 0, 1);
        Parameter_cls& p = group->Component(0);
        p.AddKey(0.2, 1.0, PKT_LINEAR, 0, 0);
        p.AddKey(0.6, 2.0, PKT_LINEAR, 0, 0);
        params->AddGroup(group.get());
        Settle();
        strip = dynamic_cast<ParamTL_cls*>(p.row);
        ASSERT_NE(strip, nullptr);
        ASSERT_GT(strip->GetClientSize().x, 200);
    }
    void TearDown() override {
        params->RemoveGroup(group.get());
        TimelineWindows::TearDown();
        group.reset();
    }
    int KeyAt(double t) const {
        const Parameter_cls& p = group->Component(0);
        for (int i = 0; i < p.GetKeyCount(); ++i)
            if (std::abs(p.GetKeyTime(i) - t) < 1e-9) return i;
        return -1;
    }
    std::unique_ptr<ParamGroup_cls> group;
    ParamTL_cls* strip = nullptr;
};

TEST_F(KeyStrip, DraggingAKeyMovesItByWholeFramesInOneUndoStep) {
    const size_t before = GoCommandHistory.Size();
    // From the key at 0.2 (frame 20) to a little past frame 30: the drag snaps to frame 30.
    const int x0 = strip->PixelOf(0.2);
    const int x1 = strip->PixelOf(0.302);
    ASSERT_GT(x1 - x0, 20);
    DragStrip(strip, x0, x1);
    EXPECT_EQ(KeyAt(0.2), -1);
    ASSERT_NE(KeyAt(0.3), -1) << "keys: " << group->Component(0).WriteText();
    EXPECT_NE(KeyAt(0.6), -1);
    EXPECT_GT(GoCommandHistory.Size(), before);

    GoCommandHistory.Undo();
    EXPECT_NE(KeyAt(0.2), -1);
    EXPECT_EQ(KeyAt(0.3), -1);
    EXPECT_NE(KeyAt(0.6), -1);
    EXPECT_FALSE(GoCommandHistory.CanUndo()) << "the drag took more than one step";
    GoCommandHistory.Redo();
    EXPECT_NE(KeyAt(0.3), -1);
}

TEST_F(KeyStrip, PressAndReleaseOnAKeySelectsItWithoutAnUndoStep) {
    const size_t before = GoCommandHistory.Size();
    const int x = strip->PixelOf(0.6) + 2;  // within the three pixels of tolerance
    DragStrip(strip, x, x);
    EXPECT_EQ(GoCommandHistory.Size(), before);
    const int k = KeyAt(0.6);
    ASSERT_NE(k, -1);
    EXPECT_EQ(group->Component(0).keys[size_t(k)].selected, 1);
    EXPECT_EQ(group->Component(0).GetSelectedKeyCount(), 1);
}

TEST_F(KeyStrip, ReleasingFarBelowTheStripMovesNothing) {
    const size_t before = GoCommandHistory.Size();
    wxUIActionSimulator sim;
    const wxPoint o = strip->GetScreenPosition();
    const int h = strip->GetClientSize().y;
    sim.MouseMove(o.x + strip->PixelOf(0.2), o.y + h / 2);
    testsupport::Pump(40);
    sim.MouseDown();
    testsupport::Pump(40);
    sim.MouseMove(o.x + strip->PixelOf(0.4), o.y + 4 * h);
    testsupport::Pump(60);
    sim.MouseUp();
    testsupport::Pump(80);
    EXPECT_NE(KeyAt(0.2), -1);
    EXPECT_EQ(GoCommandHistory.Size(), before);
}

TEST_F(KeyStrip, LosingTheMouseInMidDragMovesNothing) {
    const size_t before = GoCommandHistory.Size();
    wxUIActionSimulator sim;
    const wxPoint o = strip->GetScreenPosition();
    const int y = o.y + strip->GetClientSize().y / 2;
    sim.MouseMove(o.x + strip->PixelOf(0.2), y);
    testsupport::Pump(40);
    sim.MouseDown();
    testsupport::Pump(40);
    sim.MouseMove(o.x + strip->PixelOf(0.35), y);
    testsupport::Pump(40);
    ASSERT_TRUE(strip->HasCapture());
    // The system takes the mouse away (as a window manager grab would).
    wxMouseCaptureLostEvent lost(strip->GetId());
    lost.SetEventObject(strip);
    strip->GetEventHandler()->ProcessEvent(lost);
    testsupport::Pump(20);
    EXPECT_FALSE(strip->dragging);
    EXPECT_FALSE(strip->HasCapture());
    sim.MouseUp();
    testsupport::Pump(80);
    EXPECT_NE(KeyAt(0.2), -1);
    EXPECT_EQ(GoCommandHistory.Size(), before);
}

TEST_F(KeyStrip, RubberBandSelectsTheKeysBetweenPressAndRelease) {
    DragStrip(strip, strip->PixelOf(0.1), strip->PixelOf(0.7));
    const Parameter_cls& p = group->Component(0);
    EXPECT_EQ(p.keys[size_t(KeyAt(0.2))].selected, 1);
    EXPECT_EQ(p.keys[size_t(KeyAt(0.6))].selected, 1);
    EXPECT_EQ(p.keys[size_t(KeyAt(0.0))].selected, 0);
}

TEST_F(KeyStrip, KeyCheckKeysEveryComponentOfALinkedGroupInOneStep) {
    auto xyz = std::make_unique<ParamGroup_cls>("Move", std::vector<std::string>{"x", "y", "z"}, 0, 1);
    params->AddGroup(xyz.get());
    time->SetFrame(40, 0);
    Settle();
    auto* row = dynamic_cast<ParametersPanel_cls*>(xyz->rows[1]);
    ASSERT_NE(row, nullptr);
    ASSERT_TRUE(row->keyCheck->IsEnabled());
    ASSERT_FALSE(row->keyCheck->GetValue());
    Click(row->keyCheck);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(xyz->Component(i).HasKeyAt(0.4, -1)) << i;
    GoCommandHistory.Undo();
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(xyz->Component(i).HasKeyAt(0.4, -1)) << i;
    params->RemoveGroup(xyz.get());
}

// ---------------------------------------------------------------- slider

TEST_F(TimelineWindows, DraggingTheFrameCursorIsOneUndoStep) {
    TimeCtrlGUI_cls* slider = params->timeline->slider;
    slider->width = slider->GetClientSize().x;
    slider->FrameToPixel(50.0f, 70.0f, 0, 100);
    const int x50 = slider->pixel1;
    const int x70 = slider->pixel2;
    ASSERT_EQ(slider->cursorPixel, x50) << "the last paint put the cursor elsewhere";
    wxUIActionSimulator sim;
    const wxPoint o = slider->GetScreenPosition();
    const int y = o.y + 20;
    sim.MouseMove(o.x + x50, y);
    testsupport::Pump(40);
    sim.MouseDown();
    testsupport::Pump(40);
    sim.MouseMove(o.x + (x50 + x70) / 2, y);
    testsupport::Pump(40);
    EXPECT_GT(time->Frame(), 50) << "the frame follows the drag live";
    sim.MouseMove(o.x + x70, y);
    testsupport::Pump(40);
    sim.MouseUp();
    testsupport::Pump(80);
    EXPECT_EQ(time->Frame(), 70);
    EXPECT_FALSE(slider->HasCapture());
    GoCommandHistory.Undo();
    EXPECT_EQ(time->Frame(), 50);
    EXPECT_FALSE(GoCommandHistory.CanUndo());
}

// ---------------------------------------------------------------- pixels

wxImage Paint(wxWindow* w, const std::function<void(wxDC&)>& draw) {
    const wxSize s = w->GetClientSize();
    wxBitmap bmp(s.x, s.y, 24);
    {
        wxMemoryDC dc(bmp);
        draw(dc);
    }
    return bmp.ConvertToImage();
}

bool IsRed(const wxImage& img, int x, int y) {
    return img.GetRed(x, y) > 200 && img.GetGreen(x, y) < 60 && img.GetBlue(x, y) < 60;
}

TEST_F(TimelineWindows, CurrentFrameMarkersStandAtTheirColumns) {
    struct Case {
        int frame, sub, interp, activeMin, activeMax;
    };
    const Case cases[] = {{50, 0, 1, 0, 100}, {50, 1, 2, 0, 100}, {30, 0, 1, 20, 60}, {0, 0, 1, 0, 100}};
    TimeCtrlGUI_cls* slider = params->timeline->slider;
    TimeCtrlGUITics_cls* ruler = params->timeline->ruler;
    for (const Case& c : cases) {
        time->SetActiveAreaMin(c.activeMin);
        time->SetActiveAreaMax(c.activeMax);
        time->SetAnimInterp(c.interp);
        time->SetSubFrame(c.sub, 0);
        time->SetFrame(c.frame, 0);
        const int w = slider->GetClientSize().x;
        const double span = w - 16;
        const int red = int(span * ((c.frame + double(c.sub) / c.interp - c.activeMin) / double(c.activeMax - c.activeMin)) + 8);
        const wxImage s = Paint(slider, [&](wxDC& dc) { slider->Draw(dc); });
        // Below the status text and the thumb: the red line alone marks the position.
        EXPECT_TRUE(IsRed(s, red, 21)) << "slider frame " << c.frame << "+" << c.sub << " at " << red;
        EXPECT_FALSE(IsRed(s, red - 3, 21)) << c.frame;
        EXPECT_FALSE(IsRed(s, red + 3, 21)) << c.frame;
        const wxImage r = Paint(ruler, [&](wxDC& dc) { ruler->Draw(dc); });
        const int whole = int(span * ((c.frame - c.activeMin) / double(c.activeMax - c.activeMin)) + 8);
        EXPECT_TRUE(IsRed(r, whole, r.GetHeight() - 2)) << "ruler frame " << c.frame << " at " << whole;
    }
}

TEST_F(KeyStrip, StripShowsTheTimeLineAndTheKeysAtTheirColumns) {
    time->SetFrame(40, 0);
    SyncTimelineGeometry();
    const wxImage img = Paint(strip, [&](wxDC& dc) { strip->Draw(dc); });
    const int t = strip->PixelOf(0.4);
    EXPECT_TRUE(IsRed(img, t, img.GetHeight() - 2)) << t;
    // A glyph darkens its column; the empty strip between keys stays plain.
    auto inked = [&](int x) {
        for (int y = 1; y < img.GetHeight(); ++y)
            if (img.GetRed(x, y) < 150 && !IsRed(img, x, y)) return true;
        return false;
    };
    EXPECT_TRUE(inked(strip->PixelOf(0.2)));
    EXPECT_TRUE(inked(strip->PixelOf(0.6)));
    EXPECT_FALSE(inked(strip->PixelOf(0.5)));
}

TEST_F(TimelineWindows, StripWritesTheLabelDarkAndTheValueLight) {
    ParamGroup_cls g("Strength", {"s"}, 0, 0);
    g.Component(0).keys[0].value = 0.75;  // constant: no glyphs, only the texts
    params->AddGroup(&g);
    RemoveGroupAtEnd remove{params, &g};
    time->SetFrame(90, 0);  // the time line stands far right of both texts
    Settle();
    auto* strip = dynamic_cast<ParamTL_cls*>(g.Component(0).row);
    ASSERT_NE(strip, nullptr);
    SyncTimelineGeometry();
    const wxImage img = Paint(strip, [&](wxDC& dc) { strip->Draw(dc); });
    ASSERT_GT(img.GetWidth(), 260);
    ASSERT_LT(strip->PixelOf(GdTLTime), img.GetWidth());
    ASSERT_GT(strip->PixelOf(GdTLTime), 260);
    // Darkest ink in a column range below the separator line.
    auto darkest = [&](int x0, int x1) {
        int m = 255;
        for (int x = x0; x < x1; ++x)
            for (int y = 1; y < img.GetHeight(); ++y)
                m = std::min({m, int(img.GetRed(x, y)), int(img.GetGreen(x, y)), int(img.GetBlue(x, y))});
        return m;
    };
    const int label = darkest(19, 40);
    const int value = darkest(154, 200);
    EXPECT_LT(label, 160) << "the label in mid grey";
    EXPECT_LT(value, 245) << "the value is written";
    EXPECT_GE(value, 180) << "the value in light grey, lighter than the label";
}

// ---------------------------------------------------------------- scene settings dialog

class SceneDialog : public TimelineWindows {
protected:
    void SetUp() override {
        TimelineWindows::SetUp();
        group = std::make_unique<ParamGroup_cls>("Keys", std::vector<std::string>{"x"}, 0, 1);
        group->Component(0).AddKey(0.5, 3.0, PKT_LINEAR, 0, 0);
        params->AddGroup(group.get());
        scene = std::make_unique<Scene_cls>(frame, time.get(), nullptr);
        testsupport::Pump(20);
    }
    void TearDown() override {
        scene->dialog->Destroy();
        params->RemoveGroup(group.get());
        TimelineWindows::TearDown();
        group.reset();
    }
    // What the menu handler does, with the dialog shown modally for real and closed by a
    // click on `button`.
    bool Run(int length, int first, unsigned type, int button) {
        scene->ReadFromTimeCtrl();
        SceneGUI_cls* gui = scene->gui;
        bool filled = false;
        std::function<void()> fill = [&] {
            if (!gui->IsShownOnScreen()) {
                wxMilliSleep(5);
                frame->CallAfter(fill);
                return;
            }
            auto* lengthSpin = dynamic_cast<wxSpinCtrl*>(gui->panel->GetItemControl(0));
            auto* firstSpin = dynamic_cast<wxSpinCtrl*>(gui->panel->GetItemControl(2));
            auto* typeBox = dynamic_cast<wxItemContainer*>(gui->panel->GetItemControl(4));
            if (lengthSpin && firstSpin && typeBox) {
                lengthSpin->SetValue(length);
                firstSpin->SetValue(first);
                typeBox->SetSelection(int(type));
                filled = true;
            }
            wxUIActionSimulator sim;
            sim.MouseMove(Centre(gui->FindWindow(button)));
            sim.MouseClick();
        };
        frame->CallAfter(fill);
        testsupport::SetModalAnswer(wxID_NONE);  // really show it
        const bool ok = scene->RunModal(frame);
        testsupport::ResetModals();
        EXPECT_TRUE(filled);
        if (ok) scene->ApplyToTimeCtrl();
        return ok;
    }
    double KeyTime() const { return group->Component(0).GetKeyTime(1); }
    std::unique_ptr<ParamGroup_cls> group;
    std::unique_ptr<Scene_cls> scene;
};

TEST_F(SceneDialog, OkAppliesLengthWorkAreaAndKeyTimesInOneStep) {
    struct Case {
        unsigned type;
        double keyTime;
    };
    // "do not remap" keeps the key at frame 50 (0.25 of 200); "do remap" keeps 0.5.
    for (const Case& c : {Case{1, 0.25}, Case{0, 0.5}}) {
        ASSERT_FALSE(GoCommandHistory.CanUndo());
        ASSERT_TRUE(Run(200, 5, c.type, wxID_OK));
        EXPECT_EQ(time->MaxFrame(), 200) << c.type;
        EXPECT_EQ(int(time->workAreaMin.value), 5);
        EXPECT_EQ(time->sceneLengthType.value, c.type);
        EXPECT_NEAR(KeyTime(), c.keyTime, 1e-9) << c.type;
        EXPECT_TRUE(GoCommandHistory.CanUndo());
        GoCommandHistory.Undo();
        EXPECT_EQ(time->MaxFrame(), 100) << c.type;
        EXPECT_EQ(int(time->workAreaMin.value), 10);
        EXPECT_NEAR(KeyTime(), 0.5, 1e-9);
        EXPECT_FALSE(GoCommandHistory.CanUndo()) << "more than one step";
    }
}

TEST_F(SceneDialog, CancelChangesNothing) {
    const size_t before = GoCommandHistory.Size();
    EXPECT_FALSE(Run(300, 7, 1, wxID_CANCEL));
    EXPECT_EQ(time->MaxFrame(), 100);
    EXPECT_EQ(int(time->workAreaMin.value), 10);
    EXPECT_EQ(int(time->workAreaMax.value), 90);
    EXPECT_NEAR(KeyTime(), 0.5, 1e-9);
    EXPECT_EQ(GoCommandHistory.Size(), before);
    // The next opening shows the time model again, not the cancelled values.
    scene->ReadFromTimeCtrl();
    EXPECT_EQ(scene->sceneLength, 100u);
    EXPECT_EQ(scene->workFirst, 10u);
}

TEST_F(SceneDialog, ZeroLengthWithKeepFramesRescalesNothing) {
    ASSERT_TRUE(Run(0, 0, 1, wxID_OK));
    EXPECT_EQ(time->MaxFrame(), 0);
    EXPECT_NEAR(KeyTime(), 0.5, 1e-9);
}

}  // namespace

// ---------------------------------------------------------------- headers and rows

namespace {

TEST_F(TimelineWindows, HeadersOfTopLevelAndChildGroupsAndTheLinkButton) {
    ParamGroup_cls path("Camera Path", {}, 0, 1);
    path.displayName = "Camera Path";
    ParamGroup_cls move("Camera Translate", {"x", "y", "z"}, 0, 1);
    move.displayName = "Translate";
    path.children.push_back(&move);
    params->AddGroup(&path);
    RemoveGroupAtEnd remove{params, &path};
    time->SetFrame(40, 0);
    Settle();
    auto* top = dynamic_cast<ParamGroupGUI_cls*>(path.header);
    auto* child = dynamic_cast<ParamGroupGUI_cls*>(move.header);
    ASSERT_TRUE(top && child);
    EXPECT_NE(top->eyeButton, nullptr);
    EXPECT_EQ(top->linkButton, nullptr);
    EXPECT_EQ(child->eyeButton, nullptr);
    ASSERT_NE(child->linkButton, nullptr);
    EXPECT_EQ(child->folderButton->GetPosition().x - top->folderButton->GetPosition().x, 12);
    EXPECT_EQ(top->GetBackgroundColour(), wxColour(255, 255, 96));
    EXPECT_EQ(child->GetBackgroundColour(), wxColour(255, 255, 164));
    EXPECT_TRUE(child->linkButton->IsShown()) << "expanded: the link button shows";

    // Unlinked, a key set on one row keys that component only.
    Click(child->linkButton);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return move.linked == 0; }, 2000));
    auto* row = dynamic_cast<ParametersPanel_cls*>(move.rows[1]);
    ASSERT_NE(row, nullptr);
    Click(row->keyCheck);
    EXPECT_TRUE(move.Component(1).HasKeyAt(0.4, -1));
    EXPECT_FALSE(move.Component(0).HasKeyAt(0.4, -1));
    EXPECT_FALSE(move.Component(2).HasKeyAt(0.4, -1));

    // Collapsing the child hides its rows and its link button.
    Click(child->folderButton);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !row->IsShown(); }, 2000));
    EXPECT_FALSE(child->linkButton->IsShown());
    EXPECT_TRUE(child->IsShown());
}

// An object animated by a group: what the header's eye tells it.
class EyeOwner : public ParamOwner_cls {
public:
    int GetOwnerPickId() const override { return 10; }
    bool IsOwnerSelected() const override { return false; }
    void SetOwnerSelected(bool) override {}
    void ClearOwnerDragged() override {}
    void SetOwnerVisible(bool flag) override { visible = flag; }
    bool visible = true;
};

TEST_F(TimelineWindows, EyeHidesAndShowsTheGroupsObject) {
    EyeOwner light;
    ParamGroup_cls lamp("Light 1", {"s"}, 0, 0);
    lamp.owner = &light;
    ParamGroup_cls loose("Loose", {"s"}, 0, 0);  // no object: only its own byte changes
    params->AddGroup(&lamp);
    params->AddGroup(&loose);
    RemoveGroupAtEnd removeLamp{params, &lamp}, removeLoose{params, &loose};
    Settle();
    auto* head = dynamic_cast<ParamGroupGUI_cls*>(lamp.header);
    auto* looseHead = dynamic_cast<ParamGroupGUI_cls*>(loose.header);
    ASSERT_TRUE(head && head->eyeButton && looseHead && looseHead->eyeButton);

    Click(head->eyeButton);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return lamp.visible == 0; }, 2000));
    EXPECT_FALSE(light.visible) << "the object itself is hidden, not only the group";
    Click(head->eyeButton);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return lamp.visible == 1; }, 2000));
    EXPECT_TRUE(light.visible);

    Click(looseHead->eyeButton);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return loose.visible == 0; }, 2000));
    EXPECT_TRUE(light.visible);
}

TEST_F(TimelineWindows, TimeToggleMakesAConstantParameterTimeDependent) {
    ParamGroup_cls g("Strength", {"s"}, 0, 0);
    g.Component(0).keys[0].value = 0.75;  // the value the row shows
    params->AddGroup(&g);
    RemoveGroupAtEnd remove{params, &g};
    time->SetFrame(30, 0);
    Settle();
    auto* row = dynamic_cast<ParametersPanel_cls*>(g.rows[0]);
    ASSERT_NE(row, nullptr);
    row->UpdateState();
    EXPECT_FALSE(row->keyCheck->IsEnabled());
    EXPECT_FALSE(row->prevButton->IsEnabled());
    EXPECT_FALSE(row->nextButton->IsEnabled());
    EXPECT_TRUE(row->timeToggle->IsEnabled());
    Click(row->timeToggle);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return g.Component(0).IsTimeDependent(); }, 2000))
        << "toggle state " << row->timeToggle->GetState() << " shown " << row->IsShownOnScreen()
        << " at " << row->timeToggle->GetScreenRect().x << "," << row->timeToggle->GetScreenRect().y;
    ASSERT_EQ(g.Component(0).GetKeyCount(), 1);
    EXPECT_NEAR(g.Component(0).GetKeyTime(0), 0.3, 1e-9);
    EXPECT_EQ(g.Component(0).keys[0].type, PKT_HERMITE_AUTO);
    EXPECT_DOUBLE_EQ(g.Component(0).keys[0].value, 0.75);
    row->UpdateState();
    EXPECT_TRUE(row->keyCheck->IsEnabled());
    EXPECT_TRUE(row->keyCheck->GetValue());
    GoCommandHistory.Undo();
    EXPECT_FALSE(g.Component(0).IsTimeDependent());
    testsupport::Pump(50);
    EXPECT_EQ(row->timeToggle->GetState(), 0);
}

TEST(ParamRowAlone, RowWithoutAParameterIsDisabled) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "row", wxPoint(0, 0), wxSize(400, 60));
    auto* row = new ParametersPanel_cls(nullptr, frame, true);
    row->UpdateState();
    EXPECT_FALSE(row->keyCheck->IsEnabled());
    EXPECT_FALSE(row->prevButton->IsEnabled());
    EXPECT_FALSE(row->nextButton->IsEnabled());
    EXPECT_FALSE(row->timeToggle->IsEnabled());
    EXPECT_EQ(row->timeToggle->GetState(), 0);
    row->ToggleKey();  // does nothing without a parameter
    testsupport::Pump(20);
    EXPECT_FALSE(row->keyCheck->GetValue());
    frame->Destroy();
    testsupport::Pump(20);
}

}  // namespace

namespace {

TEST_F(TimelineWindows, SliderTabsAndClicksOnTheCursor) {
    TimeCtrlGUI_cls* slider = params->timeline->slider;
    auto px = [&](int f) {
        slider->width = slider->GetClientSize().x;
        slider->FrameToPixel(float(f), float(f), 0, 100);
        return slider->pixel1;
    };
    auto drag = [&](int x0, int x1) {
        wxUIActionSimulator sim;
        const wxPoint o = slider->GetScreenPosition();
        sim.MouseMove(o.x + x0, o.y + 20);
        testsupport::Pump(40);
        sim.MouseDown();
        testsupport::Pump(40);
        sim.MouseMove(o.x + (x0 + x1) / 2, o.y + 20);
        testsupport::Pump(40);
        sim.MouseMove(o.x + x1, o.y + 20);
        testsupport::Pump(40);
        sim.MouseUp();
        testsupport::Pump(80);
        EXPECT_FALSE(slider->HasCapture());
    };
    // A click on the cursor that does not move it leaves no step.
    drag(px(50), px(50));
    EXPECT_EQ(time->Frame(), 50);
    EXPECT_FALSE(GoCommandHistory.CanUndo());

    // The work-area start tab (left of frame 10) dragged to frame 30, then the end tab
    // (right of frame 90) to 60: one step each.
    drag(px(10) - 3, px(30) - 3);
    EXPECT_EQ(int(time->workAreaMin.value), 30);
    drag(px(90) + 3, px(60) + 3);
    EXPECT_EQ(int(time->workAreaMax.value), 60);
    GoCommandHistory.Undo();
    EXPECT_EQ(int(time->workAreaMax.value), 90);
    EXPECT_EQ(int(time->workAreaMin.value), 30);
    GoCommandHistory.Undo();
    EXPECT_EQ(int(time->workAreaMin.value), 10);
    EXPECT_FALSE(GoCommandHistory.CanUndo());
}

}  // namespace

namespace {

TEST_F(KeyStrip, CtrlClicksRetypeTheSelectedKeysAndDeleteRemovesThem) {
    Parameter_cls& p = group->Component(0);
    p.keys[size_t(KeyAt(0.6))].type = PKT_HERMITE_AUTO;
    struct Case {
        int mods;
        int type;
    };
    // Ctrl flips HERMITE (AUTO) and LINEAR; Ctrl+Alt makes STEP.
    const Case cases[] = {{wxMOD_CONTROL, PKT_LINEAR},
                          {wxMOD_CONTROL, PKT_HERMITE_AUTO},
                          {wxMOD_CONTROL | wxMOD_ALT, PKT_STEP}};
    const wxPoint o = strip->GetScreenPosition();
    const wxPoint at(o.x + strip->PixelOf(0.6), o.y + strip->GetClientSize().y / 2);
    for (const Case& c : cases) {
        wxUIActionSimulator sim;
        sim.MouseMove(at);
        testsupport::Pump(30);
        if (c.mods & wxMOD_CONTROL) sim.KeyDown(WXK_CONTROL);
        if (c.mods & wxMOD_ALT) sim.KeyDown(WXK_ALT);
        testsupport::Pump(20);
        sim.MouseClick();
        testsupport::Pump(40);
        if (c.mods & wxMOD_ALT) sim.KeyUp(WXK_ALT);
        if (c.mods & wxMOD_CONTROL) sim.KeyUp(WXK_CONTROL);
        testsupport::Pump(500);  // separate clicks, not a double click
        ASSERT_NE(KeyAt(0.6), -1);
        EXPECT_EQ(p.keys[size_t(KeyAt(0.6))].type, c.type) << c.mods;
    }
    // The strip has the focus after the clicks: Delete removes the selected key.
    strip->SetFocus();
    testsupport::Pump(30);
    wxUIActionSimulator sim;
    sim.Char(WXK_DELETE);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return KeyAt(0.6) == -1; }, 2000));
    EXPECT_NE(KeyAt(0.2), -1);
    GoCommandHistory.Undo();
    EXPECT_NE(KeyAt(0.6), -1);
}

}  // namespace

namespace {

TEST_F(TimelineWindows, FrameEntryMovesTheFrameAndClampsToTheSceneLength) {
    TimeCtrlGUIAtoi_cls* entry = params->timeline->entry;
    struct Case {
        const char* typed;
        int frame;
    };
    const Case cases[] = {{"42", 42}, {"250", 100}, {"7", 7}};
    for (const Case& c : cases) {
        const int before = time->Frame();
        Click(entry->frameEntry);
        entry->frameEntry->SelectAll();
        wxUIActionSimulator sim;
        sim.Text(c.typed);
        sim.Char(WXK_RETURN);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return time->Frame() == c.frame; }, 2000))
            << c.typed << ": frame " << time->Frame();
        EXPECT_EQ(entry->frameEntry->GetInt(), c.frame) << c.typed;
        GoCommandHistory.Undo();
        EXPECT_EQ(time->Frame(), before) << c.typed;
        GoCommandHistory.Redo();
    }
}

}  // namespace
