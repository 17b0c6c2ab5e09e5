// The texture editor in the running program: opened from its menu item, it follows the
// selected Object filter, an edit is one undoable step, and it lets go of a deleted filter.
#include "tests/app/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <wx/stattext.h>

#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/ctrlsub.h>

#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "common/gui/MultiInputPanel.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterObject.h"
#include "filters/FilterStick.h"
#include "scene/gui/TexPropertyGUI.h"

using shelltest::Shell;
using testsupport::TempDir;

namespace {

// A wrapped label as one line.
wxString OneLine(wxString text) {
    text.Replace("\n", " ");
    return text;
}

bool Shown(MultiInputPanel_cls* p, int item) {
    wxWindow* c = p->GetItemControl(item + 1);  // the entry of an entry-with-slider row
    return c && c->IsShown();
}

/// Chooses `index` in a combo item as the user's click does.
void Choose(MultiInputPanel_cls* p, int item, int index) {
    wxWindow* c = p->GetItemControl(item);
    ASSERT_NE(c, nullptr);
    auto* items = dynamic_cast<wxItemContainer*>(c);
    ASSERT_NE(items, nullptr);
    items->SetSelection(index);
    wxCommandEvent e(wxEVT_COMBOBOX, c->GetId());
    e.SetInt(index);
    p->OnComboBoxRoad(e);
    testsupport::Pump(20);
}

}  // namespace

TEST(TextureEditor, FollowsTheSelectedObjectAndUndoesItsEdits) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    EXPECT_TRUE(shell.frame->GetMenuBar()->FindItem(ID_TEXTURE_EDITOR)->IsEnabled());
    shell.Post(ID_TEXTURE_EDITOR);
    TexPropertyCtrl_cls* ctrl = shell.core->GetTextureControl();
    ASSERT_NE(ctrl, nullptr);
    TexPropertyGUI_cls* gui = ctrl->gui;
    ASSERT_NE(gui, nullptr);
    EXPECT_TRUE(gui->IsShown());
    // nothing attached: disabled, the dependent rows hidden
    EXPECT_EQ(gui->GetTitle(), "Texture::Not selected");
    EXPECT_TRUE(gui->hint->IsShown());
    EXPECT_NE(OneLine(gui->hint->GetLabel()).Find("Select an Object or Stick filter"), wxNOT_FOUND);
    EXPECT_FALSE(gui->mainPanel->GetItemControl(gui->shaderItem)->IsEnabled());
    EXPECT_FALSE(Shown(gui->mainPanel, gui->alphaItem));
    EXPECT_FALSE(Shown(gui->pages[0], gui->degreeItem[0]));

    FilterCtrl_cls* objects = shell.core->GetFilterCtrl(1);
    shell.Post(ID_ADD_OBJECT);
    shell.Post(ID_ADD_OBJECT);
    ASSERT_EQ(objects->Count(), 2);
    auto* first = static_cast<FilterObject_cls*>(objects->GetNode(0));
    auto* second = static_cast<FilterObject_cls*>(objects->GetNode(1));
    shell.core->SelectFilter(first, true);
    testsupport::Pump(20);
    EXPECT_EQ(gui->GetTitle(), "Texture::Object00");
    EXPECT_FALSE(gui->hint->IsShown());
    EXPECT_EQ(gui->Record(), &first->Data()->texture);
    EXPECT_TRUE(gui->mainPanel->GetItemControl(gui->shaderItem)->IsEnabled());

    // "transmit" shows Alpha and the interior's IOR; the choice is one undo step
    Choose(gui->mainPanel, gui->transmitItem, 1);
    EXPECT_EQ(first->Data()->texture.transmitType.value, 1u);
    EXPECT_TRUE(Shown(gui->mainPanel, gui->alphaItem));
    EXPECT_TRUE(Shown(gui->pages[2], gui->iorItem));
    Choose(gui->pages[0], gui->patternItem[1], 3);
    EXPECT_EQ(first->Data()->texture.normalPattern[1].value, 3u);
    EXPECT_TRUE(Shown(gui->pages[0], gui->degreeItem[1]));
    shell.Post(ID_UNDO);
    EXPECT_EQ(first->Data()->texture.normalPattern[1].value, 0u);
    EXPECT_FALSE(Shown(gui->pages[0], gui->degreeItem[1]));
    shell.Post(ID_UNDO);
    EXPECT_EQ(first->Data()->texture.transmitType.value, 0u);
    EXPECT_FALSE(Shown(gui->mainPanel, gui->alphaItem));
    shell.Post(ID_REDO);
    EXPECT_EQ(first->Data()->texture.transmitType.value, 1u);

    // the second filter's texture detaches the first: edits go to the second alone
    shell.core->SelectFilter(second, true);
    testsupport::Pump(20);
    EXPECT_EQ(gui->GetTitle(), "Texture::Object01");
    EXPECT_EQ(first->Data()->texture.editor, nullptr);
    Choose(gui->pages[1], gui->reflectItem, 2);
    EXPECT_EQ(second->Data()->texture.reflectType.value, 2u);
    EXPECT_EQ(first->Data()->texture.reflectType.value, 0u);
    EXPECT_TRUE(Shown(gui->pages[1], gui->reflectMinItem));

    // deleting the filter leaves the editor showing nothing
    shell.Post(ID_FILTER_DELETE);
    ASSERT_EQ(objects->Count(), 1);
    EXPECT_EQ(gui->GetTitle(), "Texture::Not selected");
    EXPECT_TRUE(gui->hint->IsShown());
    EXPECT_NE(OneLine(gui->hint->GetLabel()).Find("Select an Object or Stick filter"), wxNOT_FOUND);
    EXPECT_EQ(gui->Record(), nullptr);
    EXPECT_FALSE(Shown(gui->pages[1], gui->reflectMinItem));

    // a Stick filter's surface is edited the same way
    shell.Post(ID_ADD_STICK);
    FilterBase_cls* stick = nullptr;
    for (int i = 0; i < objects->Count(); ++i)
        if (objects->GetNode(i)->Kind() == FILTER_STICK) stick = objects->GetNode(i);
    ASSERT_NE(stick, nullptr);
    shell.core->SelectFilter(stick, true);
    testsupport::Pump(20);
    EXPECT_EQ(gui->Record(), &static_cast<FilterStick_cls*>(stick)->Data()->texture);
    EXPECT_EQ(gui->GetTitle(), "Texture::" + stick->GetData()->filterName.Value());
}
