// The "Data Loader" dialog: built once, opening a sequence, the grammar check, Default,
// Ctrl+O and the boundary button's post.
#include "data/gui/DataLoaderGUI.h"

#include <vector>

#include <gtest/gtest.h>
#include <wx/frame.h>

#include "common/MenuCommandPoster.h"
#include "common/gui/UserPrompts.h"
#include "data/DataLoader.h"
#include "tests/support/GuiTestSupport.h"

namespace {

class Prompts : public UserPrompts_cls {
public:
    bool yes = false;
    int fileAnswer = wxID_CANCEL;
    wxString filePath;
    std::vector<wxString> questions;
    std::vector<FileQuestion> files;
    bool AskYesNo(wxWindow*, const wxString& caption, const wxString& question) override {
        questions.push_back(caption + "|" + question);
        return yes;
    }
    int PickFile(wxWindow*, const FileQuestion& q, wxString& path) override {
        files.push_back(q);
        if (fileAnswer == wxID_OK) path = filePath;
        return fileAnswer;
    }
};

class Poster : public MenuCommandPoster_cls {
public:
    std::vector<int> ids;
    void PostMenuCommand(int id) override { ids.push_back(id); }
};

struct Fixture {
    Fixture() {
        frame = new wxFrame(nullptr, wxID_ANY, "main");
        UserPrompts_cls::Install(&prompts);
        loader.loadData = [this](const wxString& p) { loads.push_back(p); };
        loader.ShowDialog(frame, &poster);
        dialog = loader.gui;
    }
    ~Fixture() {
        UserPrompts_cls::Install(nullptr);
        frame->Destroy();  // the dialog goes with its parent
        testsupport::Pump();
    }
    wxFrame* frame;
    Prompts prompts;
    Poster poster;
    DataLoader_cls loader;
    std::vector<wxString> loads;
    DataLoaderGUI_cls* dialog = nullptr;
};

TEST(DataLoaderGUI, BuiltOnceThenShownAgain) {
    Fixture f;
    ASSERT_NE(f.dialog, nullptr);
    EXPECT_EQ(f.dialog->GetTitle(), "Data Loader");
    EXPECT_EQ(f.dialog->GetName(), "dialogBox");
    EXPECT_TRUE(f.dialog->IsShown());
    f.dialog->Hide();
    f.loader.ShowDialog(f.frame, &f.poster);
    EXPECT_EQ(f.loader.gui, f.dialog);
    EXPECT_TRUE(f.dialog->IsShown());
}

TEST(DataLoaderGUI, OpenFileSequenceLoadsTheChosenFirstFile) {
    Fixture f;
    wxCommandEvent ev;
    // First start: no file yet, the question starts in "./".
    f.prompts.fileAnswer = wxID_CANCEL;
    f.dialog->OnOpenFileSequence(ev);
    ASSERT_EQ(f.prompts.files.size(), 1u);
    EXPECT_EQ(f.prompts.files[0].message, "Coose first file");
    EXPECT_EQ(f.prompts.files[0].directory, "./");
    EXPECT_TRUE(f.loads.empty());
    EXPECT_TRUE(f.dialog->IsShown());

    f.prompts.fileAnswer = wxID_OK;
    f.prompts.filePath = "/data/run/snap0010.dat";
    f.dialog->OnOpenFileSequence(ev);
    ASSERT_EQ(f.loads.size(), 1u);
    EXPECT_EQ(f.loads[0], "/data/run/snap0010.dat");
    EXPECT_NE(f.loader.WriteConfig().Find("LastOpenedFile=/data/run/snap0010.dat\r\n"), wxNOT_FOUND);
    EXPECT_FALSE(f.dialog->IsShown());

    // The next question starts from the last file.
    f.dialog->OnOpenFileSequence(ev);
    ASSERT_EQ(f.prompts.files.size(), 3u);
    EXPECT_EQ(f.prompts.files[2].directory, "/data/run");
    EXPECT_EQ(f.prompts.files[2].fileName, "snap0010.dat");
}

TEST(DataLoaderGUI, BodyWithoutXYZLoadsNothing) {
    Fixture f;
    f.dialog->FillList(f.dialog->bodyList, {1, 5}, GrammerBaseGUI_cls::BODY);  // the lists are applied first
    testsupport::SetModalAnswer(wxID_OK);
    wxCommandEvent ev;
    f.prompts.fileAnswer = wxID_OK;
    f.prompts.filePath = "/x/a0000.dat";
    f.dialog->OnOpenFileSequence(ev);
    EXPECT_TRUE(f.prompts.files.empty());
    EXPECT_TRUE(f.loads.empty());
    const auto titles = testsupport::ModalTitles();
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(titles.back(), "Grammer Error");
}

TEST(DataLoaderGUI, DefaultAlwaysResetsTransformsAndListsOnlyOnYes) {
    Fixture f;
    wxCommandEvent ev;
    for (bool yes : {false, true}) {
        SCOPED_TRACE(yes);
        f.loader.ReadConfig("LoaderScale=4");
        f.loader.ReadConfig("LoaderLogarithm=1");
        f.loader.ReadConfig("LoaderTranslate=1 2 3");
        f.loader.SetBodyCodes({0, 8});
        f.prompts.yes = yes;
        f.dialog->OnDefault(ev);
        EXPECT_EQ(f.prompts.questions.back(), "Inquery|Set to default ?");
        const SnapshotLoadSettings s = f.loader.MakeLoadSettings();
        EXPECT_EQ(s.scale, 1.0f);
        EXPECT_EQ(s.logarithm, 0u);
        EXPECT_EQ(s.translate[1], 0.0f);
        EXPECT_EQ(s.grammar.bodyCodes, yes ? (std::vector<int>{0, 1, 5, 6, 7, 8}) : (std::vector<int>{0, 8}));
    }
}

TEST(DataLoaderGUI, CtrlOOpensAProject) {
    Fixture f;
    wxKeyEvent key(wxEVT_CHAR_HOOK);
    key.m_keyCode = 'O';
    key.m_controlDown = true;
    f.dialog->OnKeyDown(key);
    wxKeyEvent plain(wxEVT_CHAR_HOOK);
    plain.m_keyCode = 'O';
    f.dialog->OnKeyDown(plain);
    wxKeyEvent shifted(wxEVT_CHAR_HOOK);
    shifted.m_keyCode = 'O';
    shifted.m_controlDown = true;
    shifted.m_shiftDown = true;
    f.dialog->OnKeyDown(shifted);
    EXPECT_EQ(f.poster.ids, std::vector<int>{6000});
}

}  // namespace
