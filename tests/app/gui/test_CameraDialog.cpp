// The "View and Camera Config" dialog in the running program: opened from its menu command
// with a page per view; a value typed into the camera panel keys the camera path at the
// current time and Undo takes it back; a fisheye view shows its distortion and grid boxes;
// "Default" resets a free camera and leaves a view that follows the camera path alone.
#include "tests/app/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/notebook.h>
#include <wx/slider.h>
#include <wx/textctrl.h>

#include "app/gui/TopHalfPanel.h"
#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "common/gui/AtoiComboCtrl.h"
#include "common/gui/MultiInputPanel.h"
#include "scene/AnchorPath.h"
#include "scene/CameraPath.h"
#include "timeline/ParamGroup.h"
#include "timeline/gui/ParamGUICtrl.h"
#include "timeline/gui/ParamGroupGUI.h"
#include "timeline/Parameter.h"
#include "view/ViewCameras.h"
#include "view/gui/CameraPathGUI.h"
#include "view/gui/MainGLCanvas.h"

using shelltest::Shell;
using testsupport::TempDir;

namespace {

class CameraDialog : public ::testing::Test {
protected:
    void SetUp() override {
        shell = std::make_unique<Shell>(dir.File("Pelthorn3Configure.txt"));
        GoCommandHistory.Clear();
        shell->frame->PostMenuCommand(ID_VIEW_CAMERA_CONFIG);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return Gui() && Gui()->IsShown(); }, 3000));
    }
    void TearDown() override {
        shell.reset();
        GoCommandHistory.Clear();
    }
    CameraPathGUI_cls* Gui() const {
        CameraPathCtrl_cls* c = shell->core->GetCameraControl();
        return c ? c->gui : nullptr;
    }
    /// Types `text` into the entry of `item` on `panel` and commits it, as Enter does.
    static void Type(MultiInputPanel_cls* panel, int item, const wxString& text) {
        auto* entry = dynamic_cast<wxTextCtrl*>(panel->GetItemControl(item));
        ASSERT_NE(entry, nullptr);
        entry->ChangeValue(text);
        panel->CommitItems(item, true);
        testsupport::Pump(10);
    }
    static void Choose(MultiInputPanel_cls* panel, int item, int index) {
        auto* combo = dynamic_cast<AtoiComboCtrl_cls*>(panel->GetItemControl(item));
        ASSERT_NE(combo, nullptr);
        combo->SetIndex(index);
        wxCommandEvent e(wxEVT_COMBOBOX, combo->GetId());
        e.SetInt(index);
        e.SetEventObject(combo);
        combo->GetEventHandler()->ProcessEvent(e);
        testsupport::Pump(10);
    }

    TempDir dir;
    std::unique_ptr<Shell> shell;
};

}  // namespace

TEST_F(CameraDialog, OpensFromItsMenuWithAPagePerView) {
    EXPECT_EQ(Gui()->GetTitle(), "View and Camera Config");
    ASSERT_EQ(Gui()->notebook->GetPageCount(), 5u);
    const char* names[] = {"View0", "View1", "View2", "View3", "Extra"};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(Gui()->notebook->GetPageText(i), names[i]);
    // The camera panel shows the path's values at the current time.
    auto* x = dynamic_cast<wxTextCtrl*>(Gui()->camera->GetItemControl(Gui()->translateItem + 1));
    ASSERT_NE(x, nullptr);
    double shown = 0;
    ASSERT_TRUE(x->GetValue().ToCDouble(&shown));
    EXPECT_DOUBLE_EQ(shown, -1.5);
}

TEST_F(CameraDialog, TypedPathValueBecomesAKeyAndUndoTakesItBack) {
    ParamGroup_cls* t = GpCameraPath->translate;
    Type(Gui()->camera, Gui()->translateItem + 1, "2.5");
    EXPECT_DOUBLE_EQ(t->GetValues(0, -1)[0], 2.5);
    EXPECT_DOUBLE_EQ(t->GetValues(0, -1)[2], 1.5);  // the other components keep their keys
    ASSERT_TRUE(GoCommandHistory.CanUndo());
    GoCommandHistory.Undo();
    EXPECT_DOUBLE_EQ(t->GetValues(0, -1)[0], -1.5);
    EXPECT_FALSE(GoCommandHistory.CanUndo());  // the edit was one step

    // The anchor's entries key the anchor.
    Type(Gui()->camera, Gui()->translateItem + 4 + 4 + 2, "0.75");  // Anchor y
    EXPECT_DOUBLE_EQ(GpAnchorPath->translate->GetValues(0, -1)[1], 0.75);
}

TEST_F(CameraDialog, FisheyeShowsItsBoxesAndDefaultResetsOnlyAFreeCamera) {
    MainGLCanvas_cls* view = shell->frame->GetTopPanel()->View(0);
    MultiInputPanel_cls* page = Gui()->pages[0];
    const int group = Gui()->fisheyeItem[0];
    auto boxShown = [&] { return page->GetItemControl(group + 1)->IsShown(); };
    EXPECT_FALSE(boxShown());
    Choose(page, Gui()->geometryItem, GEOMETRY_FISHEYE);
    EXPECT_EQ(view->settings.geometry.value, int(GEOMETRY_FISHEYE));
    EXPECT_TRUE(boxShown());
    Choose(page, Gui()->geometryItem, GEOMETRY_ORTHOGRAPHIC);
    EXPECT_FALSE(boxShown());
    ASSERT_TRUE(GoCommandHistory.CanUndo());  // the geometry choice is undoable
    GoCommandHistory.Undo();
    EXPECT_EQ(view->settings.geometry.value, int(GEOMETRY_FISHEYE));

    // A moved free camera goes back to the default view.
    Gui()->notebook->SetSelection(0);
    view->cameras.free.pose.position[0] = 40;
    Gui()->OnDefault();
    EXPECT_NEAR(view->cameras.free.pose.position[0], -3.92, 1e-9);
    // A view following the camera path is left as it is.
    view->SetCameraChoice(CAMERA_PATH);
    view->cameras.free.pose.position[0] = 40;
    Gui()->OnDefault();
    EXPECT_EQ(view->cameras.free.pose.position[0], 40);
    view->SetCameraChoice(CAMERA_FREE);
}

TEST_F(CameraDialog, AngleRowsShowTheSliderBeforeItsEntry) {
    Gui()->camera->ToggleCollapse(1);  // open the camera panel
    Gui()->Relayout();
    testsupport::Pump(20);
    CameraPath_cls* path = GpCameraPath;
    ASSERT_NE(path, nullptr);
    const struct {
        MultiInputPanel_cls* panel;
        int header;
    } rows[] = {{Gui()->pages[0], Gui()->viewAngleItem}, {Gui()->camera, Gui()->pathAngleItem}};
    for (const auto& r : rows) {
        ASSERT_GE(r.header, 0);
        wxWindow* slider = r.panel->GetItemControl(r.header + 1);
        wxWindow* entry = r.panel->GetItemControl(r.header + 2);
        ASSERT_NE(dynamic_cast<wxSlider*>(slider), nullptr);
        ASSERT_NE(dynamic_cast<wxTextCtrl*>(entry), nullptr);
        EXPECT_LT(slider->GetScreenPosition().x, entry->GetScreenPosition().x);
    }
    // The entry still sets the path's angle, and its slider follows.
    Type(Gui()->camera, Gui()->pathAngleItem + 2, "60");
    EXPECT_DOUBLE_EQ(path->vAngle.value, 60);
    auto* slider = dynamic_cast<wxSlider*>(Gui()->camera->GetItemControl(Gui()->pathAngleItem + 1));
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->GetValue(), 60);
}

namespace {

wxString ClipboardText() {
    wxString text;
    if (wxTheClipboard->Open()) {
        wxTextDataObject data;
        if (wxTheClipboard->IsSupported(wxDF_UNICODETEXT) && wxTheClipboard->GetData(data)) text = data.GetText();
        wxTheClipboard->Close();
    }
    return text;
}

}  // namespace

TEST(PathClipboard, MenuCommandPutsThePathAndItsTemplateOnTheClipboard) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    for (bool look : {false, true}) {
        GpCameraPath->lookAnchor.value = look;
        shell.frame->PostMenuCommand(ID_EXPORT_PATH_CLIPBOARD);
        ASSERT_TRUE(testsupport::PumpUntil([&] { return ClipboardText().StartsWith("#declare t0 = clock;\n"); }, 3000));
        const wxString text = ClipboardText();
        EXPECT_TRUE(text.Contains("#declare Camera_Translate_x = -1.5;\n"));
        EXPECT_EQ(text.Contains("Anchor_Translate_x"), look);
        // The template beside the program ends the text: a camera using the declarations.
        EXPECT_TRUE(text.Contains("\tlocation CameraLocation\n"));
        EXPECT_EQ(text.Contains("look_at AnchorLocation"), look);
        EXPECT_FALSE(text.Contains("\r"));
        if (wxTheClipboard->Open()) {
            wxTheClipboard->Clear();
            wxTheClipboard->Close();
        }
    }
}

TEST(PathSelection, GroupHeaderClickMakesThePathTheGizmoTarget) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    ParamGUICtrl_cls* params = ParamGUICtrl_cls::Of(shell.core->GetTimeCtrl());
    ASSERT_NE(params, nullptr);
    ParamGroup_cls* group = GpCameraPath->group;
    ASSERT_NE(group, nullptr);
    auto* header = dynamic_cast<ParamGroupGUI_cls*>(group->header);
    ASSERT_NE(header, nullptr);
    auto click = [&] {
        wxMouseEvent e(wxEVT_LEFT_DOWN);
        e.SetEventObject(header);
        header->GetEventHandler()->ProcessEvent(e);
    };
    click();
    EXPECT_TRUE(GpCameraPath->selected);
    EXPECT_EQ(GpSelectedSceneObj, GpCameraPath);
    click();  // again: it stays the target
    EXPECT_EQ(GpSelectedSceneObj, GpCameraPath);
    // A pick of the anchor moves both the group selection and the target.
    shell.core->SelectByPickName(1);
    EXPECT_FALSE(GpCameraPath->selected);
    EXPECT_EQ(GpSelectedSceneObj, GpAnchorPath);
}
