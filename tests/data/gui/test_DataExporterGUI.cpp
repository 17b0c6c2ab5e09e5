// The "Data Exporter" dialog: Reference and its undo, starting and aborting a run, the
// question for an unnumbered name, "Copy From Loader", and the disabled run without a view.
#include "data/gui/DataExporterGUI.h"

#include <vector>

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/frame.h>

#include "common/CommandHistory.h"
#include "common/MenuCommandPoster.h"
#include "common/gui/UserPrompts.h"
#include "data/DataExporter.h"
#include "data/DataLoader.h"
#include "tests/support/GuiTestSupport.h"

namespace {

class Prompts : public UserPrompts_cls {
public:
    bool yes = true;
    wxString filePath;
    std::vector<wxString> questions;
    bool AskYesNo(wxWindow*, const wxString& caption, const wxString& question) override {
        questions.push_back(caption + "|" + question);
        return yes;
    }
    int PickFile(wxWindow*, const FileQuestion&, wxString& path) override {
        path = filePath;
        return wxID_OK;
    }
};

class Poster : public MenuCommandPoster_cls {
public:
    std::vector<int> ids;
    void PostMenuCommand(int id) override { ids.push_back(id); }
};

struct Fixture {
    Fixture() : exporter(nullptr, &loader) {
        frame = new wxFrame(nullptr, wxID_ANY, "main");
        UserPrompts_cls::Install(&prompts);
        exporter.ShowDialog(frame, &poster);
        dialog = exporter.gui;
    }
    ~Fixture() {
        UserPrompts_cls::Install(nullptr);
        frame->Destroy();
        testsupport::Pump();
    }
    wxFrame* frame;
    Prompts prompts;
    Poster poster;
    DataLoader_cls loader;
    DataExporter_cls exporter;
    DataExporterGUI_cls* dialog = nullptr;
};

TEST(DataExporterGUI, ReferenceTakesTheNumberAndIsUndoable) {
    Fixture f;
    ASSERT_NE(f.dialog, nullptr);
    EXPECT_EQ(f.dialog->GetTitle(), "Data Exporter");
    f.exporter.output.path = "/old/q%03d.dat";
    f.prompts.filePath = "/out/p0005.dat";
    wxCommandEvent ev;
    f.dialog->OnReference(ev);
    EXPECT_EQ(f.exporter.initNum.value, 5);
    EXPECT_EQ(f.exporter.output.path, "/out/p%04d.dat");
    f.exporter.BeginRun();
    EXPECT_EQ(f.exporter.NextFileName(), "/out/p0005.dat");
    GoCommandHistory.Undo();
    EXPECT_EQ(f.exporter.output.path, "/old/q%03d.dat");
}

TEST(DataExporterGUI, ExportDataStartsAndAbortsARun) {
    Fixture f;
    wxCommandEvent ev;
    // Without the main view there is no run: the button is disabled and says why.
    EXPECT_FALSE(f.dialog->exportButton->IsEnabled());
    f.exporter.runAvailable = true;
    f.dialog->UpdateControls();
    ASSERT_TRUE(f.dialog->exportButton->IsEnabled());

    f.exporter.output.path = "/out/frame.dat";  // no number: the question, then "%04d"
    f.dialog->UpdateControls();                  // as the field shows it
    f.prompts.yes = false;
    f.dialog->OnExportData(ev);
    EXPECT_TRUE(f.poster.ids.empty());
    ASSERT_FALSE(f.prompts.questions.empty());
    EXPECT_EQ(f.prompts.questions.back(), "Sequence Format error|Not Sequence. Append 4-digit tag ?");
    f.prompts.yes = true;
    f.dialog->FillList(f.dialog->bodyList, {0, 5}, GrammerBaseGUI_cls::BODY);
    f.dialog->OnExportData(ev);
    EXPECT_EQ(f.exporter.output.path, "/out/frame%04d.dat");
    EXPECT_EQ(f.poster.ids, std::vector<int>{6058});
    EXPECT_EQ(f.exporter.BodyCodes(), (std::vector<int>{0, 5}));  // lists applied at the start
    EXPECT_TRUE(f.exporter.running);
    EXPECT_EQ(f.dialog->exportButton->GetLabel(), "Abort Export");

    f.dialog->OnExportData(ev);  // abort
    EXPECT_EQ(f.poster.ids, (std::vector<int>{6058, 6053}));
    EXPECT_FALSE(f.exporter.running);
    EXPECT_EQ(f.dialog->exportButton->GetLabel(), "Export Data");
}

TEST(DataExporterGUI, CopyFromLoaderShowsTheLoadersLists) {
    Fixture f;
    f.loader.SetHeaderCodes({2, 0, 1});
    f.loader.SetBodyCodes({0, 4, 8});
    wxCommandEvent ev;
    f.dialog->OnCopyFromLoader(ev);
    EXPECT_EQ(GrammerBaseGUI_cls::ListCodes(f.dialog->headerList), (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(GrammerBaseGUI_cls::ListCodes(f.dialog->bodyList), (std::vector<int>{0, 4, 8}));
}

}  // namespace
