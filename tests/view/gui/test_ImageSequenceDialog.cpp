// The "Save Image Sequence" dialog and its controller as the user meets them: the proposed
// pattern, numbering from the work area, templates, the number question, and the run buttons;
// and the shell's menu command and configuration lines.
#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/frame.h>

#include <vector>

#include "common/CommandIds.h"
#include "common/CommandHistory.h"
#include "common/gui/AtoiComboCtrl.h"
#include "common/gui/MultiInputPanel.h"
#include "common/gui/UserPrompts.h"
#include "tests/app/gui/ShellFixture.h"
#include "tests/support/GuiTestSupport.h"
#include "timeline/TimeCtrl.h"
#include "view/ImageSaver.h"
#include "view/gui/ImgSequence.h"
#include "view/gui/ImgSequenceGUI.h"

using namespace testsupport;

namespace {

class Prompts : public UserPrompts_cls {
public:
    bool yes = false;
    std::vector<wxString> questions;
    int fileAnswer = wxID_CANCEL;
    wxString filePath;
    bool AskYesNo(wxWindow*, const wxString& caption, const wxString& question) override {
        questions.push_back(caption + "|" + question);
        return yes;
    }
    int PickFile(wxWindow*, const FileQuestion&, wxString& path) override {
        if (fileAnswer == wxID_OK) path = filePath;
        return fileAnswer;
    }
};

class SequenceDialog : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ResetModals();
        testsupport::SetModalAnswer(wxID_OK);
        UserPrompts_cls::Install(&prompts);
        frame = new wxFrame(nullptr, wxID_ANY, "frame");
        frame->Bind(wxEVT_MENU, [this](wxCommandEvent& e) { posted.push_back(e.GetId()); });
        frame->Show();
        time.maxFrame.value = 100;
        time.workAreaMax.value = 100;
        time.SetWorkAreaMin(20);
        ImgSequence_cls::SetCaptureViewAvailable(true);  // as if the main view existed
        seq = new ImgSequence_cls(frame, &time, "/work");
    }
    void TearDown() override {
        ImgSequence_cls::SetCaptureViewAvailable(false);
        if (time.IsPlaying()) time.playing = false;
        delete seq;
        frame->Destroy();
        testsupport::Pump(20);
        GoCommandHistory.Clear();
        UserPrompts_cls::Install(nullptr);
    }
    void Click(int id) {
        wxCommandEvent e(wxEVT_BUTTON, id);
        seq->gui->GetEventHandler()->ProcessEvent(e);
        testsupport::Pump(10);
    }
    void SetPatternText(const wxString& text) {
        seq->files.pattern = text;
        seq->UpdateGUI(true);
    }
    bool Posted(int id) const { return std::find(posted.begin(), posted.end(), id) != posted.end(); }

    Prompts prompts;
    wxFrame* frame = nullptr;
    TimeCtrl_cls time;
    ImgSequence_cls* seq = nullptr;
    std::vector<int> posted;
};

}  // namespace

TEST_F(SequenceDialog, OpensWithThePatternFromTheSnapshotAndNumbersFromTheWorkArea) {
    seq->OpenFromMenu(300, 200, 35.0f, "/out/snapshot.png");
    ASSERT_TRUE(seq->gui->IsShown());
    EXPECT_EQ(GpCaptureSequence, seq);
    EXPECT_EQ(seq->files.path, "/out/preview%04d.png");
    EXPECT_EQ(seq->initialNumber.value, 20);
    EXPECT_EQ(seq->previewWidth, 300);
    EXPECT_EQ(seq->outputWidth.value, 640);  // the output size is not the preview's
    // Frame 25 is step 5 and is written as number 25; "Calc. Auto" gives the same number.
    EXPECT_EQ(seq->FileNameFor(time.GetStepIndex(25, 0), 0), "/out/preview0025.png");
    seq->initialNumber.value = 0;
    Click(ID_IMGSEQ_CALC_AUTO);
    EXPECT_EQ(seq->initialNumber.value, 20);

    // Closing hides the dialog; a second open numbers a plain snapshot name.
    Click(wxID_CANCEL);
    EXPECT_FALSE(seq->gui->IsShown());
    seq->OpenFromMenu(300, 200, 35.0f, "/out/shot.png");
    EXPECT_EQ(seq->files.path, "/out/shot%04d.png");
    EXPECT_EQ(seq->files.pattern, "/out/shot%04d.png");
}

TEST_F(SequenceDialog, TemplatesSetTheOutputSizeAndLockTheSizeControls) {
    seq->OpenFromMenu(300, 200, 35.0f, "None");
    ImgSequenceGUI_cls* gui = seq->gui;
    auto* combo = dynamic_cast<AtoiComboCtrl_cls*>(gui->panel->GetItemControl(gui->itemIndex));
    ASSERT_NE(combo, nullptr);
    auto choose = [&](int index) {
        combo->SetIndex(index);
        wxCommandEvent e(wxEVT_COMBOBOX, combo->GetId());
        e.SetInt(index);
        e.SetEventObject(combo);
        combo->GetEventHandler()->ProcessEvent(e);
        testsupport::Pump(10);
    };
    choose(6);
    EXPECT_EQ(gui->selected, 6u);
    EXPECT_EQ(seq->outputWidth.value, 1920);
    EXPECT_EQ(seq->outputHeight.value, 1080);
    EXPECT_FALSE(gui->panel->GetItemControl(gui->outputWidthItem)->IsEnabled());
    EXPECT_FALSE(gui->panel->GetItemControl(gui->outputHeightItem)->IsEnabled());
    choose(0);
    EXPECT_EQ(seq->outputWidth.value, 1920);  // "Custom" keeps the size
    EXPECT_TRUE(gui->panel->GetItemControl(gui->outputWidthItem)->IsEnabled());
    EXPECT_TRUE(gui->panel->GetItemControl(gui->outputHeightItem)->IsEnabled());
}

TEST_F(SequenceDialog, RenderAnimAsksForANumberAndTogglesToAbort) {
    seq->OpenFromMenu(300, 200, 35.0f, "/out/shot.png");
    // a name without a number typed over the proposed one
    seq->SetPattern("/out/shot.png");
    seq->gui->panel->UpdateWidgets(MI_ALL_ITEMS);
    Click(ID_IMGSEQ_RENDER_ANIM);  // answered No: nothing starts
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0], "Sequence Format error|Not Sequence. Append 4-digit tag ?");
    EXPECT_FALSE(seq->running);
    EXPECT_FALSE(Posted(ID_IMGSEQ_PRECHECK));

    prompts.yes = true;
    Click(ID_IMGSEQ_RENDER_ANIM);
    EXPECT_EQ(seq->files.pattern, "/out/shot%04d.png");
    EXPECT_TRUE(seq->running);
    EXPECT_TRUE(Posted(ID_IMGSEQ_PRECHECK));
    wxButton* anim = dynamic_cast<wxButton*>(seq->gui->FindWindow(ID_IMGSEQ_RENDER_ANIM));
    ASSERT_NE(anim, nullptr);
    EXPECT_EQ(anim->GetLabel(), "Abort Anim");

    // "Render Snap" while a run is under way does nothing.
    posted.clear();
    Click(ID_IMGSEQ_RENDER_SNAP);
    EXPECT_FALSE(seq->snapOnly);
    EXPECT_FALSE(Posted(ID_IMGSEQ_PRECHECK));

    // "Abort Anim" ends the run.
    Click(ID_IMGSEQ_RENDER_ANIM);
    EXPECT_TRUE(Posted(ID_END_CAPTURE));
    EXPECT_FALSE(seq->running);
    EXPECT_EQ(anim->GetLabel(), "Render Anim");
}

TEST_F(SequenceDialog, TypedPatternIsTakenAndSnapWritesEvenAnUnnumberedName) {
    seq->OpenFromMenu(300, 200, 35.0f, "None");
    auto* text = dynamic_cast<wxTextEntry*>(seq->gui->panel->GetItemControl(12));
    ASSERT_NE(text, nullptr);
    text->ChangeValue("/typed/single.png");
    Click(ID_IMGSEQ_RENDER_SNAP);
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(seq->files.path, "/typed/single.png");
    EXPECT_TRUE(seq->running);
    EXPECT_TRUE(seq->snapOnly);
    EXPECT_TRUE(Posted(ID_IMGSEQ_PRECHECK));
    seq->EndRun();
    EXPECT_FALSE(seq->running);
    EXPECT_FALSE(seq->snapOnly);
}

TEST_F(SequenceDialog, ReferenceTakesTheChosenFileUndoably) {
    seq->OpenFromMenu(300, 200, 35.0f, "None");
    const wxString before = seq->files.pattern;
    prompts.fileAnswer = wxID_OK;
    prompts.filePath = "/picked/frame0010.png";
    Click(ID_IMGSEQ_REFERENCE);
    // The chosen member's number starts the sequence; the initial number adds to it.
    EXPECT_EQ(seq->files.pattern, "/picked/frame%04d.png");
    EXPECT_EQ(seq->FileNameFor(0, 0), "/picked/frame0030.png");
    GoCommandHistory.Undo();
    EXPECT_EQ(seq->files.pattern, before);
}

TEST_F(SequenceDialog, StartOfARunOffersStepOneAndPlaysFromTheWorkAreaStart) {
    time.SetAnimStep(3);
    time.SetFrame(50, 0);
    prompts.yes = true;
    seq->StartRun(frame);  // no run was asked for: nothing happens
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_FALSE(time.IsPlaying());
    seq->running = true;
    seq->StartRun(frame);
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0],
              "Save Image Sequence|Playing mode is Skipping: 3\nChange Skipping to 1 ?");
    EXPECT_EQ(time.AnimStep(), 1);
    EXPECT_EQ(GpCaptureSequence, seq);
    EXPECT_EQ(seq->lastIndex, 0);
    EXPECT_TRUE(time.IsPlaying());
    EXPECT_LE(time.Frame(), 21);  // from the start of the work area
    EXPECT_GE(time.Frame(), 20);
}

TEST_F(SequenceDialog, WithoutAViewThatWritesFramesRenderSaysWhyAndRunsNothing) {
    ImgSequence_cls::SetCaptureViewAvailable(false);
    seq->UpdateGUI(true);
    wxWindow* anim = seq->gui->FindWindow(ID_IMGSEQ_RENDER_ANIM);
    wxWindow* snap = seq->gui->FindWindow(ID_IMGSEQ_RENDER_SNAP);
    ASSERT_TRUE(anim && snap);
    EXPECT_FALSE(anim->IsEnabled());
    EXPECT_FALSE(snap->IsEnabled());
    EXPECT_FALSE(anim->GetToolTipText().empty());
    // a click that still arrives (keyboard, another road) explains and starts nothing
    ResetModals();
    for (int id : {ID_IMGSEQ_RENDER_ANIM, ID_IMGSEQ_RENDER_SNAP}) Click(id);
    EXPECT_EQ(ModalMessages().size(), 2u);
    EXPECT_FALSE(seq->running);
    EXPECT_FALSE(Posted(ID_IMGSEQ_PRECHECK));
    EXPECT_FALSE(time.IsPlaying());
    // once a view can write the frames the buttons work
    ImgSequence_cls::SetCaptureViewAvailable(true);
    seq->UpdateGUI(true);
    EXPECT_TRUE(anim->IsEnabled());
    EXPECT_TRUE(anim->GetToolTipText().empty());
}

TEST(ImageSequenceShell, MenuCommandAndConfigurationLines) {
    TempDir dir;
    const std::string cfg = dir.File("Pelthorn3Configure.txt");
    WriteFile(cfg, "LastOpenedFileIMG=/out/snapshot.jpg\r\nImageJpegQuality=80\r\nImageMultiThrad=0\r\n");
    {
        shelltest::Shell shell(cfg);
        EXPECT_EQ(GoImageSaver.jpegQuality.value, 80);
        EXPECT_EQ(GoImageSaver.multiThread.value, 0u);
        ImgSequence_cls* seq = shell.core->GetImgSequence();
        ASSERT_NE(seq, nullptr);
        shell.Post(ID_SAVE_IMAGE_SEQUENCE);
        EXPECT_TRUE(seq->gui && seq->gui->IsShown());
        EXPECT_EQ(seq->files.path, "/out/preview%04d.jpg");

        ASSERT_TRUE(shell.core->WriteConfigFile());
        const std::string text = ReadFile(cfg);
        EXPECT_NE(text.find("\r\nImageJpegQuality=80\r\nImageMultiThrad=0\r\n"), std::string::npos) << text;
    }
    GoImageSaver.jpegQuality.value = 95;
    GoImageSaver.multiThread.value = 1;
}
