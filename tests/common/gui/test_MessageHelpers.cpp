// Message boxes, questions and the shared file and colour questions, answered by tests.
#include "common/gui/AppFonts.h"
#include "common/gui/ColourDialogEX.h"
#include "common/gui/FileDialogEX.h"
#include "common/gui/MessageHelpers.h"
#include "common/gui/UserPrompts.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <wx/filedlg.h>

#include <functional>

namespace {

// Answers the program's questions from the test.
struct ScriptedPrompts : UserPrompts_cls {
    ScriptedPrompts() { Install(this); }
    ~ScriptedPrompts() override { Install(nullptr); }
    bool AskYesNo(wxWindow*, const wxString& caption, const wxString& question) override {
        asked.push_back(caption + "|" + question);
        return yes;
    }
    int PickFile(wxWindow*, const FileQuestion& q, wxString& path) override {
        questions.push_back(q);
        if (during) during();
        path = answerPath;
        return fileAnswer;
    }
    int PickColour(wxWindow*, const wxColour& initial, bool, wxColour& chosen) override {
        initials.push_back(initial);
        chosen = answerColour;
        return colourAnswer;
    }
    bool yes = true;
    std::vector<wxString> asked;
    std::vector<FileQuestion> questions;
    std::function<void()> during;
    wxString answerPath = "/tmp/chosen.ptp";
    int fileAnswer = wxID_OK;
    std::vector<wxColour> initials;
    wxColour answerColour = wxColour(10, 20, 255);
    int colourAnswer = wxID_OK;
};

}  // namespace

TEST(MessageText, ArgumentsAreNeverReadAsFormats) {
    struct Case {
        const char* pattern;
        std::vector<MessageArg> args;
        const char* out;
    } cases[] = {
        {"Max file sequence number is {}", {8000}, "Max file sequence number is 8000"},
        {"{} and {}", {"%s%n%x", "{}"}, "%s%n%x and {}"},
        {"100% of {}", {2.5}, "100% of 2.5"},
        {"{{} {}", {-3}, "{} -3"},
        {"{} {}", {1u}, "1 {}"},
        {"none", {7}, "none"},
    };
    for (const Case& c : cases) {
        wxString out;
        switch (c.args.size()) {
            case 1: out = FormatMessageText(c.pattern, {c.args[0]}); break;
            case 2: out = FormatMessageText(c.pattern, {c.args[0], c.args[1]}); break;
        }
        EXPECT_EQ(out, wxString::FromUTF8(c.out)) << c.pattern;
    }
}

TEST(MessageBoxes, ShowTheirTextsInModalBoxes) {
    testsupport::ResetModals();
    ShowMessageBox(nullptr, "Max file sequence number is 8000", "Warning");
    ShowNarrowMessage(nullptr, "Error!", "Can't create thread");
    ShowFormattedMessage("Inquery", "{} files from {}", {12, "/data/ü"});
    const auto titles = testsupport::ModalTitles();
    const auto messages = testsupport::ModalMessages();
    ASSERT_EQ(titles.size(), 3u);
    EXPECT_EQ(titles[0], "Warning");
    EXPECT_EQ(messages[0], "Max file sequence number is 8000");
    EXPECT_EQ(titles[1], "Error!");
    EXPECT_EQ(messages[1], "Can't create thread");
    EXPECT_EQ(titles[2], "Inquery");
    EXPECT_EQ(messages[2], wxString::FromUTF8("12 files from /data/ü"));
    testsupport::ResetModals();
}

TEST(MessageBoxes, AskYesNoIsTrueOnlyForYes) {
    struct Case {
        int answer;
        bool result;
    } cases[] = {{wxID_YES, true}, {wxID_NO, false}, {wxID_CANCEL, false}, {wxID_OK, false}};
    for (const Case& c : cases) {
        testsupport::ResetModals();
        testsupport::SetModalAnswer(c.answer);
        EXPECT_EQ(AskYesNo(nullptr, wxString("Query"), wxString("Really Quit ?")), c.result) << c.answer;
        ASSERT_EQ(testsupport::ModalTitles().size(), 1u);
        EXPECT_EQ(testsupport::ModalMessages()[0], "Really Quit ?");
    }
    testsupport::ResetModals();

    ScriptedPrompts prompts;
    prompts.yes = false;
    EXPECT_FALSE(AskYesNo(nullptr, static_cast<const wxChar*>(nullptr), nullptr));
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0], "|");
}

TEST(MessageBoxesDeathTest, FatalErrorExitsWithCodeOne) {
    testsupport::SetModalAnswer(wxID_OK);
    EXPECT_EXIT(ShowFatalErrorAndExit(nullptr, "Error!", "Can't create thread"),
                ::testing::ExitedWithCode(1), "");
    testsupport::ResetModals();
}

TEST(FileDialogEX, AsksThroughThePromptsAndResetsAfterwards) {
    ScriptedPrompts prompts;
    FileDialogEX files(nullptr);
    files.SetMessage("Save Project");
    files.SetWildcard("*.ptp");
    files.SetStyle(wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    files.SetInitialPath("/data/run/scene.ptp");
    // A second question while the first is up is refused.
    int nested = -1;
    prompts.during = [&] { nested = files.ShowModal(); };
    EXPECT_EQ(files.ShowModal(), wxID_OK);
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(files.GetPath(), "/tmp/chosen.ptp");
    ASSERT_EQ(prompts.questions.size(), 1u);
    const FileQuestion& q = prompts.questions[0];
    EXPECT_EQ(q.message, "Save Project");
    EXPECT_EQ(q.wildcard, "*.ptp");
    EXPECT_EQ(q.style, 6);
    EXPECT_EQ(q.directory, "/data/run");
    EXPECT_EQ(q.fileName, "scene.ptp");

    prompts.during = nullptr;
    prompts.fileAnswer = wxID_CANCEL;
    files.SetInitialPath("None");
    EXPECT_EQ(files.ShowModal(), wxID_CANCEL);
    EXPECT_EQ(files.GetPath(), "/tmp/chosen.ptp");  // the last chosen path stays
    const FileQuestion& again = prompts.questions[1];
    EXPECT_EQ(again.wildcard, "*");
    EXPECT_EQ(again.style, wxFD_OPEN);
    EXPECT_EQ(again.directory, "/data/run");  // opens where the last question was
    EXPECT_EQ(again.message, "Save Project");
}

TEST(ColourDialogEX, TakesAndGivesFloatColours) {
    ScriptedPrompts prompts;
    ColourDialogEX_cls colours(nullptr, *wxBLACK);
    colours.SetColourRGB(1.0f, 0.5f, 0.0f);
    EXPECT_EQ(colours.GetColour(), wxColour(255, 127, 0));
    ASSERT_EQ(colours.ShowModal(), wxID_OK);
    EXPECT_EQ(prompts.initials.at(0), wxColour(255, 127, 0));
    const float* rgb = colours.GetColourRGB();
    EXPECT_FLOAT_EQ(rgb[0], 10 / 255.0f);
    EXPECT_FLOAT_EQ(rgb[1], 20 / 255.0f);
    EXPECT_FLOAT_EQ(rgb[2], 1.0f);

    prompts.colourAnswer = wxID_CANCEL;
    prompts.answerColour = *wxRED;
    EXPECT_EQ(colours.ShowModal(), wxID_CANCEL);
    EXPECT_FLOAT_EQ(colours.GetColourRGB()[0], 10 / 255.0f);
    colours.SetColourRGB(2.0f, -1.0f, 0.999f);  // out of range clamps
    EXPECT_EQ(colours.GetColour(), wxColour(255, 0, 254));
}

TEST(AppFonts, SizesFollowTheScreenResolution) {
    struct Case {
        int dpi;
        int sizes[4];
        int row;
    } cases[] = {{96, {9, 12, 9, 11}, 17}, {120, {7, 9, 7, 8}, 21}, {144, {6, 8, 6, 7}, 21}};
    for (const Case& c : cases) {
        InitAppFontsForDPI(c.dpi);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(AppFontPointSize(i, c.dpi), c.sizes[i]);
            EXPECT_TRUE(GetAppFont(i).IsOk());
            EXPECT_EQ(GetAppFont(i).GetPointSize(), c.sizes[i]) << c.dpi << " font " << i;
        }
        EXPECT_EQ(GetRowHeight(), c.row);
    }
    InitAppFonts();
    EXPECT_GT(GiScreenDPI, 0);
    EXPECT_TRUE(GetAppFont(0).IsOk());
    EXPECT_EQ(GetAppFont(9).GetPointSize(), GetAppFont(0).GetPointSize());
}
