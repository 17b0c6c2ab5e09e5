// Window-side pieces of the key-frame model: key glyph pixels, clipboard texts and the
// linked key dialog of a group.
#include "common/CommandHistory.h"
#include "common/gui/AtoiComboCtrl.h"
#include "common/gui/MultiInputDialog.h"
#include "tests/support/GuiTestSupport.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamViews.h"
#include "timeline/Parameter.h"

#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/modalhook.h>
#include <wx/textentry.h>

#include <functional>

namespace {

// Draws one glyph at x = 8 on a white 16 x 16 bitmap with a black pen.
wxImage Glyph(int type, bool selected, int mode, bool active) {
    wxBitmap bmp(16, 16, 24);
    {
        wxMemoryDC dc(bmp);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        dc.SetPen(*wxBLACK_PEN);
        ParamKey_cls k;
        k.type = type;
        k.selected = selected ? 1 : 0;
        k.DrawGlyph(dc, 8, mode, active);
    }
    return bmp.ConvertToImage();
}

bool IsColour(const wxImage& img, int x, int y, unsigned char r, unsigned char g, unsigned char b) {
    return img.GetRed(x, y) == r && img.GetGreen(x, y) == g && img.GetBlue(x, y) == b;
}

bool IsWhite(const wxImage& img, int x, int y) { return IsColour(img, x, y, 255, 255, 255); }

int InkCount(const wxImage& img) {
    int n = 0;
    for (int y = 0; y < img.GetHeight(); ++y)
        for (int x = 0; x < img.GetWidth(); ++x) n += IsWhite(img, x, y) ? 0 : 1;
    return n;
}

// Pixels of the pen's colour (drawing may be anti-aliased).
int DarkCount(const wxImage& img) {
    int n = 0;
    for (int y = 0; y < img.GetHeight(); ++y)
        for (int x = 0; x < img.GetWidth(); ++x) n += img.GetRed(x, y) < 64 && img.GetGreen(x, y) < 64 && img.GetBlue(x, y) < 64 ? 1 : 0;
    return n;
}

TEST(ParamKeyGlyph, ShapesFollowTheType) {
    // The centre is filled for every shape; corners of the 8 x 8 box tell them apart.
    for (int type = 0; type <= 4; ++type) {
        const wxImage img = Glyph(type, true, 0, false);
        EXPECT_TRUE(IsColour(img, 8, 8, 255, 255, 0) || type == PKT_HERMITE) << "type " << type;
        EXPECT_TRUE(IsWhite(img, 8, 0)) << "nothing above the glyph, type " << type;
        EXPECT_TRUE(IsWhite(img, 8, 14)) << "nothing below the glyph, type " << type;
    }
    // Diamond: its box corner stays empty; the step square fills it.
    EXPECT_TRUE(IsWhite(Glyph(PKT_LINEAR, true, 0, false), 5, 5));
    EXPECT_FALSE(IsWhite(Glyph(PKT_STEP, true, 0, false), 5, 6));
    // Hermite: the same disc as SEMIAUTO plus an inner ring drawn with the pen.
    EXPECT_EQ(InkCount(Glyph(PKT_HERMITE, false, 0, false)),
              InkCount(Glyph(PKT_HERMITE_SEMIAUTO, false, 0, false)));
    EXPECT_GT(DarkCount(Glyph(PKT_HERMITE, false, 0, false)),
              DarkCount(Glyph(PKT_HERMITE_SEMIAUTO, false, 0, false)) + 4);
    // Unknown types draw nothing.
    EXPECT_EQ(InkCount(Glyph(9, true, 0, false)), 0);
}

TEST(ParamKeyGlyph, SelectionAndDragPreviewColours) {
    const wxImage unselected = Glyph(PKT_STEP, false, 0, false);
    EXPECT_FALSE(IsColour(unselected, 8, 8, 255, 255, 0));
    EXPECT_FALSE(IsWhite(unselected, 8, 8));
    // Drag preview, not active: outline only.
    const wxImage ghost = Glyph(PKT_STEP, true, 1, false);
    EXPECT_TRUE(IsWhite(ghost, 8, 8));
    EXPECT_FALSE(IsWhite(ghost, 4, 8));
    const wxImage solid = Glyph(PKT_STEP, true, 1, true);
    EXPECT_FALSE(IsWhite(solid, 8, 8));
    EXPECT_FALSE(IsColour(solid, 8, 8, 255, 255, 0));
}

wxString ClipboardText() {
    wxString text;
    if (wxTheClipboard->Open()) {
        wxTextDataObject data;
        if (wxTheClipboard->GetData(data)) text = data.GetText();
        wxTheClipboard->Close();
    }
    return text;
}

TEST(ParamKeyClipboard, SelectedKeysAndPovText) {
    ParamGroup_cls g("Camera Translate", {"X"}, 0, 1);
    Parameter_cls& p = g.Component(0);
    p.AddKey(0.5, 2, PKT_HERMITE_AUTO, 0, 0);
    p.keys[1].selected = 1;
    p.CopySelectedKeysToClipboard();
    testsupport::Pump(50);
    EXPECT_EQ(ClipboardText(), "Parameter_X\nitemnum 1\n0.500000000 1 2.000000 4.000000 4.000000 \r\n");

    g.CopyPovCodeToClipboard();
    testsupport::Pump(50);
    EXPECT_EQ(ClipboardText(), wxString::FromUTF8(g.GetPovCode().c_str()));
    EXPECT_TRUE(ClipboardText().Contains("Camera_Translate_X"));

    // Nothing selected: the clipboard keeps what it had.
    p.DeselectKeys();
    p.CopySelectedKeysToClipboard();
    testsupport::Pump(50);
    EXPECT_TRUE(ClipboardText().Contains("Camera_Translate_X"));
}

class FrameHeader : public ParamHeaderView_cls {
public:
    explicit FrameHeader(wxWindow* w) : window(w) {}
    void ShowHeader(bool) override {}
    void ShowLinkButton(bool) override {}
    bool IsFolderOpen() const override { return true; }
    void SetFolderOpen(bool) override {}
    void UpdateColour() override {}
    void RelayoutPanel() override {}
    void UpdatePanel() override {}
    void DestroyHeader() override {}
    wxWindow* HeaderWindow() override { return window; }
    wxWindow* window;
};

class ParamKeyDialog : public ::testing::Test {
protected:
    void SetUp() override {
        SetSceneFrameCount(100, 1);
        GoCommandHistory.Clear();
        frame = new wxFrame(nullptr, wxID_ANY, "keys");
        frame->Show();
        header = std::make_unique<FrameHeader>(frame);
    }
    void TearDown() override {
        testsupport::SetModalAnswer(wxID_CANCEL);
        GoCommandHistory.Clear();
        GdCurrentTime = 0;
        frame->Destroy();
        testsupport::Pump(20);
    }
    wxFrame* frame = nullptr;
    std::unique_ptr<FrameHeader> header;
};

TEST_F(ParamKeyDialog, OkKeysEveryComponentAtTheKeyTimeInOneStep) {
    ParamGroup_cls g("Light0 Position", {"X", "Y", "Z"}, UPD_VIEWS, 1);
    for (int i = 0; i < 3; ++i) g.Component(i).AddKey(1, 10.0 * (i + 1), PKT_LINEAR, 0, 0);
    g.header = header.get();
    GdCurrentTime = 0.2;  // the shown value (at t 0.5) differs from the curve here
    testsupport::ResetModals();
    testsupport::SetModalAnswer(wxID_OK);
    g.EditKeyDialog(wxPoint(10, 10), 5, 5, 50, 0.5);
    ASSERT_EQ(testsupport::ModalTitles().size(), 1u);
    EXPECT_EQ(testsupport::ModalTitles()[0], "Light0 Position");
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(g.Component(i).GetKeyCount(), 3) << i;
        EXPECT_DOUBLE_EQ(g.Component(i).keys[1].time, 0.5);
        EXPECT_DOUBLE_EQ(g.Component(i).keys[1].value, 5.0 * (i + 1));
    }
    GoCommandHistory.Undo();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(g.Component(i).GetKeyCount(), 2) << i;
}

TEST_F(ParamKeyDialog, CancelChangesNothing) {
    ParamGroup_cls g("G", {"X", "Y"}, UPD_VIEWS, 1);
    g.Component(0).AddKey(1, 10, PKT_LINEAR, 0, 0);
    g.header = header.get();
    GdCurrentTime = 0.2;
    testsupport::SetModalAnswer(wxID_CANCEL);
    g.EditKeyDialog(wxPoint(0, 0), 0, 0, 50, 0.5);
    EXPECT_EQ(g.Component(0).GetKeyCount(), 2);
    EXPECT_EQ(GoCommandHistory.Size(), 0u);
}

TEST_F(ParamKeyDialog, OkOnAnUnchangedKeyAddsNoStep) {
    ParamGroup_cls g("G", {"X"}, UPD_VIEWS, 1);
    g.Component(0).AddKey(0.5, 4, PKT_LINEAR, 0, 0);
    g.header = header.get();
    GdCurrentTime = 0.5;
    testsupport::SetModalAnswer(wxID_OK);
    g.EditKeyDialog(wxPoint(0, 0), 0, 0, 50, 0.5);
    EXPECT_EQ(GoCommandHistory.Size(), 0u);
}

// Acts on the key dialog while it is "shown" (before the answering hook returns its
// answer): hooks registered later are asked first.
class DialogHook : public wxModalDialogHook {
public:
    explicit DialogHook(std::function<void(MultiInputDialog_cls&)> act) : act_(std::move(act)) {
        Register();
    }
    ~DialogHook() override { Unregister(); }

protected:
    int Enter(wxDialog* dialog) override {
        if (auto* d = dynamic_cast<MultiInputDialog_cls*>(dialog)) act_(*d);
        return wxID_NONE;
    }
    void Exit(wxDialog*) override {}

private:
    std::function<void(MultiInputDialog_cls&)> act_;
};

// Item layout of the dialog of an n-component group: "Frame", one value per component,
// "Interpolate Type", then per component an "Ease Factor" group (slider, entry).
int ValueItem(int i) { return 1 + i; }
int TypeItem(int n) { return n + 1; }
int EaseSlider(int n, int i) { return n + 3 + 3 * i; }
int EaseEntry(int n, int i) { return n + 4 + 3 * i; }

TEST_F(ParamKeyDialog, SemiAutoTypeShowsTheEaseRowAndKeysEveryComponent) {
    ParamGroup_cls g("Camera Rotation", {"X", "Y"}, UPD_VIEWS, 1);
    for (int i = 0; i < 2; ++i) {
        g.Component(i).AddKey(0.5, 5.0 * (i + 1), PKT_LINEAR, 0, 0);
        g.Component(i).AddKey(1, 10.0 * (i + 1), PKT_LINEAR, 0, 0);
    }
    g.header = header.get();
    GdCurrentTime = 0.5;
    bool iconOk = false, easeHiddenAtStart = false, easeShownAfterChoice = false,
         otherEaseHidden = false;
    DialogHook hook([&](MultiInputDialog_cls& d) {
        const int n = 2;
        iconOk = d.GetIcons().GetIcon(wxSize(16, 16)).IsOk();
        easeHiddenAtStart = !d.panel->GetItemControl(EaseSlider(n, 0))->IsShown() &&
                            !d.panel->GetItemControl(EaseEntry(n, 0))->IsShown();
        // The user picks HERMITE (SEMIAUTO), types an ease and a new Y, then OK.
        auto* combo = dynamic_cast<AtoiComboCtrl_cls*>(d.panel->GetItemControl(TypeItem(n)));
        ASSERT_NE(combo, nullptr);
        combo->SetIndex(PKT_HERMITE_SEMIAUTO);
        wxCommandEvent pick(wxEVT_COMBOBOX, combo->GetId());
        pick.SetEventObject(combo);
        pick.SetInt(PKT_HERMITE_SEMIAUTO);
        combo->GetEventHandler()->ProcessEvent(pick);
        easeShownAfterChoice = d.panel->GetItemControl(EaseEntry(n, 0))->IsShown();
        otherEaseHidden = !d.panel->GetItemControl(EaseEntry(n, 1))->IsShown();
        dynamic_cast<wxTextEntry*>(d.panel->GetItemControl(EaseEntry(n, 0)))->ChangeValue("2.5");
        dynamic_cast<wxTextEntry*>(d.panel->GetItemControl(ValueItem(1)))->ChangeValue("-4");
        d.panel->CommitItems(MI_ALL_ITEMS, true);
    });
    testsupport::SetModalAnswer(wxID_OK);
    g.EditKeyDialog(wxPoint(0, 0), 0, 0, 50, 0.5);

    EXPECT_TRUE(iconOk) << "ICONS/Numerical.png";
    EXPECT_TRUE(easeHiddenAtStart);
    EXPECT_TRUE(easeShownAfterChoice);
    EXPECT_TRUE(otherEaseHidden);
    const double expected[2] = {5, -4};
    for (int i = 0; i < 2; ++i) {
        Parameter_cls& p = g.Component(i);
        ASSERT_EQ(p.GetKeyCount(), 3) << i;
        EXPECT_DOUBLE_EQ(p.keys[1].time, 0.5);
        EXPECT_DOUBLE_EQ(p.keys[1].value, expected[i]) << i;
        EXPECT_DOUBLE_EQ(p.GetValue(0.5, -1), expected[i]) << i;
        EXPECT_EQ(p.keys[1].type, PKT_HERMITE_SEMIAUTO) << i;
        EXPECT_DOUBLE_EQ(p.keys[1].ease, 2.5) << "every component takes the first ease, " << i;
    }
    GoCommandHistory.Undo();
    EXPECT_EQ(GoCommandHistory.Cursor(), 0u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(g.Component(i).keys[1].type, PKT_LINEAR) << i;
        EXPECT_EQ(g.Component(i).keys[1].value, 5.0 * (i + 1)) << i;
        EXPECT_EQ(g.Component(i).keys[1].ease, 0) << i;
    }
}

TEST_F(ParamKeyDialog, OkOnUntouchedInexactValuesAddsNoStep) {
    // Values and eases that no short text shows exactly must come back unchanged.
    ParamGroup_cls g("G", {"X"}, UPD_VIEWS, 1);
    Parameter_cls& p = g.Component(0);
    p.keys[0].type = PKT_HERMITE_SEMIAUTO;
    p.keys[0].ease = 1.0 / 3;
    p.AddKey(1, 1.0 / 7, PKT_LINEAR, 0, 0);
    p.AddKey(0.3, 0.1 + 0.2, PKT_HERMITE_SEMIAUTO, 0, 0);
    p.keys[1].ease = 47.123456789;  // past the slider's end
    g.header = header.get();
    GdCurrentTime = 0.3;
    testsupport::SetModalAnswer(wxID_OK);
    DialogHook hook([](MultiInputDialog_cls& d) { d.panel->CommitItems(MI_ALL_ITEMS, true); });
    g.EditKeyDialog(wxPoint(0, 0), 0, 0, 30, 0.3);
    EXPECT_EQ(GoCommandHistory.Size(), 0u);
    EXPECT_EQ(p.keys[1].ease, 47.123456789);
    GdCurrentTime = 0.65;
    g.EditKeyDialog(wxPoint(0, 0), 0, 0, 65, 0.65);  // between keys, no key at t
    EXPECT_EQ(GoCommandHistory.Size(), 0u);
    EXPECT_EQ(p.GetKeyCount(), 3);
}

}  // namespace
