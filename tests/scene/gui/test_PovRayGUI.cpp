// The POV-Ray dialog: its pages edit the settings the .ini and the scene are written from,
// choices show and hide the fields they concern, and its buttons reflect and start runs.
#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/frame.h>
#include <wx/notebook.h>

#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "common/gui/MultiInputPanel.h"
#include "common/gui/TextCtrlEX.h"
#include "common/gui/UserPrompts.h"
#include "scene/PovOutputSettings.h"
#include "scene/PovRadiositySettings.h"
#include "scene/PovRayCtrl.h"
#include "scene/PovTraceSettings.h"
#include "scene/gui/PovRayGUI.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

struct Answers : UserPrompts_cls {
    bool yes = false;
    int asked = 0;
    bool AskYesNo(wxWindow*, const wxString&, const wxString&) override {
        ++asked;
        return yes;
    }
};

class PovRayGUITest : public ::testing::Test {
protected:
    void SetUp() override {
        GoCommandHistory.Clear();
        UserPrompts_cls::Install(&answers);
        frame = new wxFrame(nullptr, wxID_ANY, "pov");
        frame->Show();
        ctrl.pathPovWork.text = wxString::FromUTF8(dir.Path());
        dialog = new PovRayGUI_cls(&ctrl, frame, [this](int id) { posted.push_back(id); });
        dialog->Show();
        testsupport::Pump(30);
    }
    void TearDown() override {
        GoCommandHistory.Clear();
        frame->Destroy();
        testsupport::Pump(20);
        UserPrompts_cls::Install(nullptr);
    }
    /// The control of the first page item whose label is `label`.
    template <class W>
    W* Control(PageSettings_cls& group, const wxString& label) {
        MultiInputPanel_cls* p = group.page;
        for (int i = 0; i < p->GetItemCount(); ++i)
            if (p->GetItem(i).label == label) return dynamic_cast<W*>(p->GetItemControl(i));
        return nullptr;
    }
    std::string Ini() { return ctrl.output->IniText(wxString::FromUTF8(dir.File("a.ini"))).utf8_string(); }

    testsupport::TempDir dir;
    Answers answers;
    PovRayCtrl_cls ctrl;
    wxFrame* frame = nullptr;
    PovRayGUI_cls* dialog = nullptr;
    std::vector<int> posted;
};

void Click(wxCheckBox* box, bool on) {
    box->SetValue(on);
    wxCommandEvent e(wxEVT_CHECKBOX, box->GetId());
    e.SetEventObject(box);
    e.SetInt(on ? 1 : 0);
    box->ProcessWindowEvent(e);
}

void Choose(wxWindow* control, int index) {
    auto* combo = dynamic_cast<wxItemContainer*>(control);
    ASSERT_NE(combo, nullptr);
    combo->SetSelection(index);
    wxCommandEvent e(wxEVT_COMBOBOX, control->GetId());
    e.SetEventObject(control);
    e.SetInt(index);
    control->ProcessWindowEvent(e);
}

}  // namespace

TEST_F(PovRayGUITest, PageEditsReachTheIniText) {
    EXPECT_EQ(dialog->formatBook->GetPageText(0), "Format");
    EXPECT_EQ(dialog->settingsBook->GetPageCount(), 3u);
    EXPECT_NE(Ini().find("Antialias=0\n"), std::string::npos);
    auto* aa = Control<wxCheckBox>(*ctrl.output, "Antialias(+A)");
    ASSERT_NE(aa, nullptr);
    Click(aa, true);
    EXPECT_TRUE(ctrl.output->antialias.value);
    EXPECT_NE(Ini().find("Antialias=1\nAntialias_Threshold=0.150000\nAntialias_Depth=3\n"), std::string::npos);
    // The edit is one undoable step.
    GoCommandHistory.Undo();
    EXPECT_FALSE(ctrl.output->antialias.value);

    // A size template writes its size and hides the custom fields; "Custom" shows them again
    // with that size. The default 640x480 is a template already.
    MultiInputPanel_cls* page = ctrl.output->page;
    const int groupIndex = ctrl.output->itemSizeGroup;
    EXPECT_EQ(ctrl.output->sizeTemplate.selected, 4u);
    EXPECT_FALSE(page->GetItemControl(groupIndex + 1)->IsShown());
    Choose(page->GetItemControl(ctrl.output->sizeTemplate.itemIndex), 6);  // 1920x1080
    EXPECT_NE(Ini().find("width=1920\nheight=1080\n"), std::string::npos);
    EXPECT_FALSE(page->GetItemControl(groupIndex + 1)->IsShown());
    Choose(page->GetItemControl(ctrl.output->sizeTemplate.itemIndex), 0);
    EXPECT_EQ(ctrl.output->sizeTemplate.selected, 0u);
    EXPECT_TRUE(page->GetItemControl(groupIndex + 1)->IsShown());
    EXPECT_EQ(ctrl.output->width.value, 1920);
}

TEST_F(PovRayGUITest, RadiosityChoiceShowsItsFieldsAndTweaksTheAdvancedOnes) {
    MultiInputPanel_cls* page = ctrl.radiosity->page;
    auto shown = [&](int item) { return page->GetItemControl(item) && page->GetItemControl(item)->IsShown(); };
    EXPECT_FALSE(shown(ctrl.radiosity->itemReuse));
    Choose(page->GetItemControl(0), 2);
    EXPECT_EQ(ctrl.radiosity->type.value, 2u);
    EXPECT_TRUE(shown(ctrl.radiosity->itemReuse));
    EXPECT_FALSE(shown(ctrl.radiosity->itemHighReproduce));
    ctrl.povTweaks.value = 1;
    dialog->UpdateGUI();
    EXPECT_TRUE(shown(ctrl.radiosity->itemHighReproduce));
    EXPECT_NE(ctrl.WriteGlobalSettings("rgb<0,0,0>").Find("always_sample on"), wxNOT_FOUND);
}

TEST_F(PovRayGUITest, ButtonsAskWithoutRendererAndShowRuns) {
    dialog->exePath->ChangeValue(wxString::FromUTF8(dir.File("missing-povray")));
    EXPECT_FALSE(dialog->CheckExePath());
    EXPECT_EQ(dialog->exeStatus->GetBackgroundColour(), *wxRED);
    EXPECT_TRUE(dialog->CheckWorkPath());
    wxCommandEvent press(wxEVT_BUTTON, PovRayGUI_cls::ID_EXPORT_SNAP);
    dialog->ProcessWindowEvent(press);
    EXPECT_EQ(answers.asked, 1);
    EXPECT_TRUE(posted.empty());  // No posts nothing, also for an export
    answers.yes = true;
    dialog->ProcessWindowEvent(press);
    EXPECT_EQ(posted, std::vector<int>{ID_POV_EXPORT_SNAPSHOT});

    // The fields are what the next file name is made from.
    dialog->snapPattern->ChangeValue("shot%02d");
    dialog->ReadControls();
    EXPECT_EQ(ctrl.GetPovFileName(PovRayCtrl_cls::FILE_SNAPSHOT).utf8_string(), dir.File("shot00"));

    ctrl.exporting = true;
    dialog->UpdateBusyState();
    EXPECT_EQ(dialog->exportAnim->GetLabel(), "Abort");
    EXPECT_TRUE(dialog->exportAnim->IsEnabled());
    EXPECT_FALSE(dialog->renderAnim->IsEnabled());
    EXPECT_FALSE(dialog->exportSnap->IsEnabled());
    ctrl.renderAfter = true;
    dialog->UpdateBusyState();
    EXPECT_EQ(dialog->exportAnim->GetLabel(), "Exporting...");
    EXPECT_EQ(dialog->renderAnim->GetLabel(), "Abort");
    EXPECT_TRUE(dialog->renderAnim->IsEnabled());
    ctrl.exporting = false;
    ctrl.renderAfter = false;
    dialog->UpdateBusyState();
    EXPECT_EQ(dialog->exportAnim->GetLabel(), "ExportAnim");
    EXPECT_TRUE(dialog->exportSnap->IsEnabled());
}

TEST_F(PovRayGUITest, SnapshotButtonsWaitForARunningRenderOrQueue) {
    answers.yes = true;
    struct State {
        const char* what;
        bool rendering;
        bool queue;
    };
    for (const State& s : {State{"a render runs", true, false}, State{"a render queue waits", false, true}}) {
        for (int button : {PovRayGUI_cls::ID_EXPORT_SNAP, PovRayGUI_cls::ID_RENDER_SNAP}) {
            testsupport::ResetModals();
            testsupport::SetModalAnswer(wxID_OK);
            ctrl.renderIdle.store(!s.rendering);
            ctrl.renderAfter = s.queue;
            wxCommandEvent press(wxEVT_BUTTON, button);
            dialog->ProcessWindowEvent(press);
            EXPECT_TRUE(posted.empty()) << s.what;
            ASSERT_EQ(testsupport::ModalMessages().size(), 1u) << s.what;
            EXPECT_NE(testsupport::ModalMessages()[0].find("rendering"), wxString::npos);
        }
    }
    ctrl.renderIdle.store(true);
    ctrl.renderAfter = false;
    wxCommandEvent press(wxEVT_BUTTON, PovRayGUI_cls::ID_RENDER_SNAP);
    dialog->ProcessWindowEvent(press);
    EXPECT_EQ(posted, std::vector<int>{ID_POV_RENDER_SNAPSHOT});
}

TEST_F(PovRayGUITest, AdvancedDialogCancelKeepsAndOkWritesBack) {
    testsupport::SetModalAnswer(wxID_CANCEL);
    ctrl.trace->EditDialog(dialog);
    EXPECT_EQ(ctrl.trace->maxTraceLevel.value, 12);
    EXPECT_EQ(ctrl.output->antialiasDepth.value, 3);
    testsupport::SetModalAnswer(wxID_OK);
    ctrl.trace->EditDialog(dialog);
    EXPECT_EQ(ctrl.trace->maxTraceLevel.value, 12);  // OK on untouched fields changes nothing
    testsupport::ResetModals();
}
