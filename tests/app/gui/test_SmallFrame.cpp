// The program in a small main window: adding filters (each adds its parameter groups to the
// lower panel), loading data and opening the editors leave the terminal quiet.
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/StderrCapture.h"
#include "tests/app/gui/ViewPixels.h"

#include <gtest/gtest.h>

#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "data/DataLoader.h"
#include "filters/FilterCtrl.h"

using shelltest::Shell;
using testsupport::TempDir;

TEST(SmallFrame, FiltersAndEditorsInASmallWindowLeaveGtkQuiet) {
    shelltest::StderrCapture capture;
    {
        TempDir dir;
        const std::string first = viewpixels::WriteSequence(dir, 200, 2);
        Shell shell(dir.File("Pelthorn3Configure.txt"));
        shell.frame->SetSize(480, 360);
        testsupport::Pump(100);
        GpDataLoader->SetFileAndLoad(wxString::FromUTF8(first));
        for (int id : {ID_ADD_BOOLEAN, ID_ADD_DATABOX, ID_ADD_OBJECT, ID_ADD_GRID, ID_ADD_FOG, ID_ADD_FILTERING,
                       ID_ADD_COPYBOX, ID_ADD_STICK, ID_ADD_BG, ID_VIEW_CAMERA_CONFIG, ID_LIGHT_EDITOR,
                       ID_COLOR_CURVE_EDITOR, ID_TEXTURE_EDITOR, ID_POVRAY_CONFIG, ID_STEREOGRAM_CONFIG,
                       ID_EXTRA_PANEL}) {
            shell.Post(id);
            testsupport::Pump(60);
        }
        // short and narrow: the column of notebooks beside the views scrolls instead of
        // squeezing a notebook below its tabs, and the frame keeps a working height
        for (wxSize size : {wxSize(1000, 320), wxSize(320, 240), wxSize(1000, 760)}) {
            shell.frame->SetSize(size);
            testsupport::Pump(100);
            EXPECT_GE(shell.frame->GetClientSize().y, 280);
        }
        GoCommandHistory.Clear();
    }
    for (const std::string& m : capture.GtkComplaints()) ADD_FAILURE() << m;
}
