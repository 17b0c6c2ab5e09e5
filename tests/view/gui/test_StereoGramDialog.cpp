// The "Stereogram Configure" dialog as the user meets it: the items each camera setting and
// type show, the refused "LINE BY LINE" written "Combined", an infinite focus for parallel
// eyes, an edited eye distance keyed at the current time, and "Set to Defalt".
#include <gtest/gtest.h>

#include <wx/frame.h>

#include <algorithm>
#include <vector>

#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "common/gui/AtoiComboCtrl.h"
#include "common/gui/MultiInputPanel.h"
#include "common/gui/UserPrompts.h"
#include "tests/support/GuiTestSupport.h"
#include "timeline/ParamGroup.h"
#include "view/StereoGram.h"
#include "view/gui/StereoGramGUI.h"

namespace {

class YesPrompts : public UserPrompts_cls {
public:
    std::vector<wxString> questions;
    bool AskYesNo(wxWindow*, const wxString& caption, const wxString& question) override {
        questions.push_back(caption + "|" + question);
        return true;
    }
};

class StereoDialog : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ResetModals();
        testsupport::SetModalAnswer(wxID_OK);
        UserPrompts_cls::Install(&prompts);
        frame = new wxFrame(nullptr, wxID_ANY, "frame");
        frame->Bind(wxEVT_MENU, [this](wxCommandEvent& e) { posted.push_back(e.GetId()); });
        frame->Show();
        control = new StereoGramControl_cls(frame, &stereo);
        control->Show(frame);
        testsupport::Pump(20);
    }
    void TearDown() override {
        delete control;
        frame->Destroy();
        testsupport::Pump(20);
        GoCommandHistory.Clear();
        UserPrompts_cls::Install(nullptr);
    }
    StereoGramGUI_cls* Gui() { return control->gui; }
    bool Shown(int item) { return Gui()->panel->GetItemControl(item)->IsShown(); }
    /// Picks choice `index` of the combo of item `item` as the user would.
    void Choose(int item, int index) {
        auto* combo = dynamic_cast<AtoiComboCtrl_cls*>(Gui()->panel->GetItemControl(item));
        ASSERT_NE(combo, nullptr);
        combo->SetIndex(index);
        wxCommandEvent e(wxEVT_COMBOBOX, combo->GetId());
        e.SetInt(index);
        e.SetEventObject(combo);
        combo->GetEventHandler()->ProcessEvent(e);
        testsupport::Pump(10);
    }

    YesPrompts prompts;
    StereoGram_cls stereo;
    wxFrame* frame = nullptr;
    StereoGramControl_cls* control = nullptr;
    std::vector<int> posted;
};

TEST_F(StereoDialog, ItemsFollowTheCameraSettingAndType) {
    ASSERT_TRUE(Gui()->IsShown());
    EXPECT_EQ(Gui()->GetTitle(), "Stereogram Configure");
    // Monogram: nothing but the camera setting.
    for (int item : {Gui()->typeItem, Gui()->fileItem, Gui()->toeInItem, Gui()->parallaxItem, Gui()->focusItem})
        EXPECT_FALSE(Shown(item)) << item;
    Choose(0, STEREO_OFF_AXIS);
    EXPECT_EQ(stereo.cameraSetting.value, unsigned(STEREO_OFF_AXIS));
    EXPECT_TRUE(Shown(Gui()->typeItem));
    EXPECT_FALSE(Shown(Gui()->parallaxItem)) << "no parallax without a type";
    EXPECT_TRUE(stereo.eyeParam->active) << "the Distance of Eye track shows while stereo is on";
    EXPECT_NE(std::find(posted.begin(), posted.end(), ID_REDRAW_VIEWS), posted.end());

    Choose(Gui()->typeItem, STEREO_RED_CYAN);
    EXPECT_TRUE(Shown(Gui()->parallaxItem));
    EXPECT_TRUE(Shown(Gui()->fileItem));
    EXPECT_FALSE(Shown(Gui()->toeInItem)) << "off-axis eyes are not turned";
    EXPECT_FALSE(Shown(Gui()->focusItem));
    Choose(Gui()->typeItem, STEREO_LEFT);
    EXPECT_FALSE(Shown(Gui()->fileItem)) << "one eye makes one file";

    Choose(0, STEREO_TOE_IN);
    EXPECT_TRUE(Shown(Gui()->toeInItem));
    EXPECT_TRUE(Shown(Gui()->focusItem));
    EXPECT_TRUE(Gui()->focusText.StartsWith("5.7")) << Gui()->focusText;

    // One undo step per choice: the history brings the setting back.
    GoCommandHistory.Undo();
    EXPECT_EQ(stereo.cameraSetting.value, unsigned(STEREO_OFF_AXIS));
}

TEST_F(StereoDialog, LineByLineCombinedIsRefusedAndThePreviousChoiceRestored) {
    Choose(0, STEREO_OFF_AXIS);
    Choose(Gui()->typeItem, STEREO_RED_CYAN);
    Choose(Gui()->fileItem, 0);  // Combined
    ASSERT_EQ(stereo.fileOutput.value, 0u);
    testsupport::ResetModals();
    Choose(Gui()->typeItem, STEREO_LINE_BY_LINE);
    ASSERT_EQ(testsupport::ModalMessages().size(), 1u);
    EXPECT_EQ(testsupport::ModalMessages()[0], "Saving LINE BY LINE images are not supported.");
    EXPECT_EQ(testsupport::ModalTitles()[0], "Warning");
    EXPECT_EQ(stereo.outputType.value, unsigned(STEREO_RED_CYAN));
    auto* combo = dynamic_cast<AtoiComboCtrl_cls*>(Gui()->panel->GetItemControl(Gui()->typeItem));
    EXPECT_EQ(combo->GetIndex(), int(STEREO_RED_CYAN)) << "the combo shows the restored type";

    // The other way round: "Combined" while "LINE BY LINE" is chosen.
    Choose(Gui()->fileItem, 1);
    Choose(Gui()->typeItem, STEREO_LINE_BY_LINE);
    ASSERT_EQ(stereo.outputType.value, unsigned(STEREO_LINE_BY_LINE));
    testsupport::ResetModals();
    Choose(Gui()->fileItem, 0);
    EXPECT_EQ(testsupport::ModalMessages().size(), 1u);
    EXPECT_EQ(stereo.fileOutput.value, 1u);
    // Choosing what is already chosen changes nothing and undoes nothing.
    testsupport::ResetModals();
    Choose(Gui()->typeItem, STEREO_LINE_BY_LINE);
    EXPECT_TRUE(testsupport::ModalMessages().empty());
    EXPECT_EQ(stereo.outputType.value, unsigned(STEREO_LINE_BY_LINE));
}

TEST_F(StereoDialog, ParallelToeInShowsAnInfiniteFocusAndEditedDistanceIsKeyed) {
    stereo.cameraSetting.value = STEREO_TOE_IN;
    stereo.outputType.value = STEREO_RED_CYAN;
    stereo.toeInAngle.value = 0;
    control->UpdateGUI(true);
    EXPECT_EQ(Gui()->focusText, "infinite");
    EXPECT_TRUE(std::isinf(stereo.focusDistance));

    // A new eye distance typed and committed becomes a key at the current time.
    const double saved = GdCurrentTime;
    GdCurrentTime = 0.5;
    stereo.eyeParam->Component(0).cachedValue = 0.3;
    Gui()->OnCommitted();
    EXPECT_NEAR(stereo.EyeDistance(0.5), 0.3, 1e-9);
    EXPECT_NEAR(stereo.EyeDistance(0.0), 0.1, 1e-9) << "the key at time 0 stays";
    GdCurrentTime = saved;
}

TEST_F(StereoDialog, SetToDefaultAsksAndResetsTheSettingsButNotTheEyeDistance) {
    stereo.cameraSetting.value = STEREO_TOE_IN;
    stereo.outputType.value = STEREO_SIDE_BY_SIDE;
    stereo.toeInAngle.value = 3;
    stereo.eyeParam->Component(0).keys[0].value = 0.7;
    wxCommandEvent e(wxEVT_BUTTON, ID_STEREO_SET_DEFAULT);
    Gui()->GetEventHandler()->ProcessEvent(e);
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0], "Query|Set to default ?");
    EXPECT_EQ(stereo.cameraSetting.value, 0u);
    EXPECT_EQ(stereo.outputType.value, 0u);
    EXPECT_DOUBLE_EQ(stereo.toeInAngle.value, 0.5);
    EXPECT_NEAR(stereo.EyeDistance(0), 0.7, 1e-12);
    EXPECT_FALSE(Shown(Gui()->typeItem));

    wxCommandEvent close(wxEVT_BUTTON, ID_STEREO_CLOSE);
    Gui()->GetEventHandler()->ProcessEvent(close);
    testsupport::Pump(20);
    EXPECT_FALSE(Gui()->IsShown()) << "Close hides the dialog";
    ASSERT_NE(control->gui, nullptr) << "and keeps it";
}

}  // namespace
