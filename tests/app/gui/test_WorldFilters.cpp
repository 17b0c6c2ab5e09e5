// Fog, Grid and BG filters in the running program: the Filter menu adds them to their lists
// with their panels, each panel shows the rows of its current type, the views' background
// takes the fog's colour, a deleted BG comes back by undo with its settings, and a project
// brings all three back.
#include "tests/app/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "app/gui/TopHalfPanel.h"
#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "common/gui/MultiInputPanel.h"
#include "filters/ColorCurve.h"
#include "filters/FilterBG.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterFog.h"
#include "filters/FilterGrid.h"
#include "filters/gui/FilterBGGUI.h"
#include "filters/gui/FilterFogGUI.h"
#include "filters/gui/FilterPanelPain.h"
#include "tests/view/gui/ViewDrawerProbe.h"
#include "timeline/ParamGroup.h"
#include "view/gui/MainGLCanvas.h"

using shelltest::Shell;
using testsupport::TempDir;

namespace {

std::string Names(FilterCtrl_cls* list) {
    std::string s;
    for (int i = 0; i < list->Count(); ++i) s += list->GetNode(i)->GetData()->Name() + ",";
    return s;
}

/// Whether a group's first member (or a single item's control) is shown.
bool Shown(FilterGUI_cls* gui, int item, bool group = true) {
    wxWindow* w = gui->Panel()->GetItemControl(group ? item + 1 : item);
    return w && w->IsShown();
}

}  // namespace

TEST(WorldFilters, MenuAddsPanelsShowTheirTypeAndProjectsBringThemBack) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    std::map<int, ViewShot> shots;
    RecordShots(shots);
    struct Guard {
        ~Guard() { MainGLCanvas_cls::SetPaintProbe(nullptr); }
    } guard;
    shell.Post(ID_ADD_FOG);
    shell.Post(ID_ADD_GRID);
    shell.Post(ID_ADD_BG);
    FilterCtrl_cls* objects = shell.core->GetFilterCtrl(1);
    FilterCtrl_cls* world = shell.core->GetFilterCtrl(2);
    EXPECT_EQ(Names(objects), "Grid00,");
    EXPECT_EQ(Names(world), "Fog00,BG00,");
    FilterPanelPain_cls* page = shell.frame->GetTopPanel()->FilterPage(2);
    auto* fogGui = dynamic_cast<FilterFogGUI_cls*>(page->GUIAt(0));
    auto* bgGui = dynamic_cast<FilterBGGUI_cls*>(page->GUIAt(1));
    ASSERT_NE(fogGui, nullptr);
    ASSERT_NE(bgGui, nullptr);
    ASSERT_NE(shell.frame->GetTopPanel()->FilterPage(1)->GUIAt(0), nullptr);

    // Exponential fog shows its density, linear fog its near and far distances.
    auto* fog = static_cast<FilterFog_cls*>(world->GetNode(0));
    EXPECT_TRUE(fogGui->Panel()->GetItemControl(fogGui->densityItem)->IsShown());
    EXPECT_FALSE(Shown(fogGui, fogGui->nearFarItem));
    world->SetValueByAddress("Fog00::FogType=", 2, 2);
    EXPECT_FALSE(fogGui->Panel()->GetItemControl(fogGui->densityItem)->IsShown());
    EXPECT_TRUE(Shown(fogGui, fogGui->nearFarItem));
    // Star field: count and size; texture map: mapping and textures; colour curve: colour.
    auto* bg = static_cast<FilterBG_cls*>(world->GetNode(1));
    EXPECT_TRUE(Shown(bgGui, bgGui->numSizeItem));
    EXPECT_FALSE(Shown(bgGui, bgGui->textureAItem));
    EXPECT_FALSE(Shown(bgGui, bgGui->colorItem));
    world->SetValueByAddress("BG00::BGType=", 1, 1);
    EXPECT_FALSE(Shown(bgGui, bgGui->numSizeItem));
    EXPECT_TRUE(Shown(bgGui, bgGui->textureAItem));
    EXPECT_TRUE(Shown(bgGui, bgGui->textureBItem));
    world->SetValueByAddress("BG00::BGMappingType=", 1, 1);
    EXPECT_FALSE(Shown(bgGui, bgGui->textureBItem));
    world->SetValueByAddress("BG00::BGType=", 2, 2);
    EXPECT_TRUE(Shown(bgGui, bgGui->colorItem));
    EXPECT_TRUE(Shown(bgGui, bgGui->colorMapItem, false));
    EXPECT_FALSE(Shown(bgGui, bgGui->mapTypeItem, false));
    EXPECT_FALSE(Shown(bgGui, bgGui->textureAItem));
    world->SetValueByAddress("BG00::BGType=", 0, 0);
    bg->Data()->filterValid.value = 0;  // keep the view's background plain for the fog check

    // With alpha 1 the views clear to the fog colour (the default grey).
    float* c = fog->Data()->colors[0]->constantColor.values;
    c[0] = 1, c[1] = 0.5f, c[2] = 0;
    MainGLCanvas_cls* view = shell.frame->GetTopPanel()->View(0);
    ASSERT_NE(view, nullptr);
    shots.clear();
    shell.frame->GetTopPanel()->RedrawViews();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return shots.count(0) > 0; }, 10000));
    const unsigned char* p = shots[0].At(2, 2);  // reused below
    EXPECT_NEAR(p[0], 255, 3);
    EXPECT_NEAR(p[1], 128, 3);
    EXPECT_NEAR(p[2], 0, 3);
    // A colour sky fills the view behind everything (no particles drawn yet).
    fog->Data()->filterValid.value = 0;
    bg->Data()->filterValid.value = 1;
    world->SetValueByAddress("BG00::BGType=", 2, 2);
    shots.clear();
    shell.frame->GetTopPanel()->RedrawViews();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return shots.count(0) > 0; }, 10000));
    p = shots[0].At(2, 2);
    EXPECT_NEAR(p[0], 25, 3);  // "0.1 0.3 0.5 1"
    EXPECT_NEAR(p[1], 76, 3);
    EXPECT_NEAR(p[2], 127, 3);
    world->SetValueByAddress("BG00::BGType=", 0, 0);
    fog->Data()->filterValid.value = 1;

    // The ".." button asks for an image and sets it as one undo step; cancel changes nothing.
    shell.prompts.fileAnswer = wxID_CANCEL;
    bgGui->SelectTexture(1);
    ASSERT_EQ(shell.prompts.fileQuestions.size(), 1u);
    EXPECT_EQ(shell.prompts.fileQuestions[0].message, "Select Texture");
    EXPECT_EQ(shell.prompts.fileQuestions[0].wildcard, "image (*.png;*.jpg)|*.png;*.jpg");
    EXPECT_EQ(bg->Data()->textureB.Value(), "NONE");
    shell.prompts.fileAnswer = wxID_OK;
    shell.prompts.filePath = "/tmp/lower sky.jpg";
    bgGui->SelectTexture(1);
    EXPECT_EQ(bg->Data()->textureB.Value(), "/tmp/lower sky.jpg");
    GoCommandHistory.Undo();
    EXPECT_EQ(bg->Data()->textureB.Value(), "NONE");
    GoCommandHistory.Redo();
    EXPECT_EQ(bg->Data()->textureB.Value(), "/tmp/lower sky.jpg");

    // Deleting the BG and undoing brings it back with its settings.
    bg->Data()->starNumber.value = 123;
    shell.core->SelectFilter(bg, true);
    world->DeleteSelected();
    EXPECT_EQ(Names(world), "Fog00,");
    GoCommandHistory.Undo();
    ASSERT_EQ(Names(world), "Fog00,BG00,");
    bg = static_cast<FilterBG_cls*>(world->GetNode(1));
    EXPECT_EQ(bg->Data()->starNumber.value, 123);

    // A saved project brings the three back, and is written again byte for byte.
    const std::string project = dir.File("world.ptp");
    ASSERT_TRUE(shell.frame->SaveProjectTo(wxString::FromUTF8(project)));
    const std::string sections = world->WriteSection() + objects->WriteSection();
    shell.core->DeleteAllFilters();
    EXPECT_EQ(world->Count(), 0);
    ASSERT_TRUE(shell.frame->OpenProjectFile(wxString::FromUTF8(project)));
    testsupport::Pump(50);
    EXPECT_EQ(world->WriteSection() + objects->WriteSection(), sections);
    EXPECT_EQ(Names(world), "Fog00,BG00,");
    EXPECT_NE(page->GUIAt(1), nullptr);
}
