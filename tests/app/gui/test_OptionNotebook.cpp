// The option notebook of the running program: its four pages in order, the exposure
// program built at the views' GL set-up (its page then usable), and the Option page's
// "Q./Length" group editing the shadow volumes' own settings.
#include "tests/app/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <wx/combobox.h>
#include <wx/notebook.h>

#include "app/gui/AppCore.h"
#include "app/gui/TopHalfPanel.h"
#include "common/CommandHistory.h"
#include "common/gui/MultiInputPanel.h"
#include "view/DrawOptions.h"
#include "view/ExposureSettings.h"
#include "view/ShadowVolume.h"
#include "view/gui/ExposurePage.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/OptionPage.h"

using shelltest::Shell;
using testsupport::PumpUntil;
using testsupport::TempDir;

TEST(OptionNotebook, PagesExposureProgramAndShadowSettings) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    wxNotebook* book = shell.frame->GetTopPanel()->OptionBook();
    ASSERT_EQ(book->GetPageCount(), 4u);
    const char* titles[4] = {"Option", "Overlay", "Exposure", "Info"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(book->GetPageText(i), titles[i]);

    // The first view's GL set-up builds the exposure program; the page becomes usable.
    MainGLCanvas_cls* view = shell.frame->GetTopPanel()->View(0);
    view->Refresh(false);
    ASSERT_TRUE(PumpUntil([&] { return view->GLReady(); }, 10000));
    ExposureSettings_cls* exposure = shell.core->GetExposureSettings();
    EXPECT_TRUE(exposure->shaderAvailable) << "Mesa gives OpenGL 2 and more";
    EXPECT_TRUE(exposure->page->panel->IsEnabled());

    // "Q./Length" edits "ShadowQuality=" itself, undoably.
    DrawOptions_cls* options = shell.core->GetDrawOptions();
    EXPECT_EQ(options->shadowQuality, &GoShadowConfig.quality.value);
    EXPECT_EQ(options->shadowLength, &GoShadowConfig.length.value);
    MultiInputPanel_cls* p = options->page->panel;
    auto* quality = dynamic_cast<wxComboBox*>(p->GetItemControl(options->page->shadowGroupItem + 1));
    ASSERT_NE(quality, nullptr);
    const unsigned before = GoShadowConfig.quality.value;
    const int choice = before == 2 ? 0 : 2;
    quality->SetSelection(choice);
    wxCommandEvent ev(wxEVT_COMBOBOX, quality->GetId());
    ev.SetEventObject(quality);
    ev.SetInt(choice);
    quality->GetEventHandler()->ProcessEvent(ev);
    EXPECT_EQ(GoShadowConfig.quality.value, unsigned(choice));
    GoCommandHistory.Undo();
    EXPECT_EQ(GoShadowConfig.quality.value, before);
}
