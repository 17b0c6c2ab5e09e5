// The running shell hands the views its preferences and selection: bindings read from a
// project route the views' buttons, the Performance page edits the data cache's own limit,
// the sort preference reaches the particle drawing, and pick names select as the pick ids
// say (an index past its list's end selects nothing).
#include <gtest/gtest.h>

#include "scene/LightSRCCtrl.h"

#include "app/gui/AppCore.h"
#include "app/gui/FrameMain.h"
#include "app/gui/Preference.h"
#include "app/gui/TopHalfPanel.h"
#include "data/DataSequenceSet.h"
#include "filters/FilterBase.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterData.h"
#include "scene/SceneObj.h"
#include "tests/app/gui/ShellFixture.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/TestFiles.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/SequenceRenderer.h"

TEST(MouseWiring, ProjectBindingsRouteTheViewsAndPerformanceRowsReachTheirOwners) {
    testsupport::TempDir dir;
    const std::string project = dir.File("p.ptp");
    shelltest::Shell shell(dir.File("Pelthorn3Configure.txt"));
    *GpPreference->ButtonValue(PREF_GYRATION) = PREF_BTN_MIDDLE;
    *GpPreference->SortTypeValue() = 2;
    ASSERT_TRUE(shell.core->WriteConfig(project, true));
    GpPreference->ApplyMouseTemplate(0);
    GpPreference->RegisterPerformanceItems();
    MainGLCanvas_cls* view = shell.frame->GetTopPanel()->View(0);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->siblings.size(), 4u);
    auto press = [&](bool left, bool middle) {
        MouseEventInfo e;
        e.left = left, e.middle = middle, e.buttonDown = true;
        MouseTracker_cls t(GpPreference);
        t.Update(e);
        return t.MatchGyration();
    };
    EXPECT_TRUE(press(true, false));  // the defaults: left orbits
    shell.core->ReadConfig(project);
    EXPECT_FALSE(press(true, false));
    EXPECT_TRUE(press(false, true));  // the project's binding
    // A real event on the view goes through the same bindings.
    wxMouseEvent down(wxEVT_MIDDLE_DOWN);
    down.SetEventObject(view);
    view->GetEventHandler()->ProcessEvent(down);
    EXPECT_TRUE(view->Tracker().MatchGyration());
    wxMouseEvent up(wxEVT_MIDDLE_UP);
    up.SetEventObject(view);
    view->GetEventHandler()->ProcessEvent(up);

    ASSERT_NE(shell.core->GetSequenceRenderer(), nullptr);
    ASSERT_TRUE(shell.core->GetSequenceRenderer()->sortType);
    EXPECT_EQ(shell.core->GetSequenceRenderer()->sortType(), 2);
    EXPECT_EQ(GpPreference->PerformanceTargets().memoryLimitMB, &GpDataSequenceSet->memoryLimit);
    EXPECT_EQ(GpPreference->PerformanceTargets().memoryUsedMB, &GpDataSequenceSet->memoryInUse);
}

TEST(MouseWiring, PickNamesSelectFiltersAndNothingPastTheList) {
    testsupport::TempDir dir;
    shelltest::Shell shell(dir.File("Pelthorn3Configure.txt"));
    FilterCtrl_cls* list0 = GpFilterCtrls[0];
    ASSERT_NE(list0, nullptr);
    FilterBase_cls* a = list0->AddFilter(FILTER_BOOLEAN, -1, nullptr, nullptr, nullptr, nullptr);
    FilterBase_cls* b = list0->AddFilter(FILTER_BOOLEAN, -1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(a && b);
    shell.core->SelectByPickName(21);
    EXPECT_EQ(GpSelectedSceneObj, b->GetData());
    EXPECT_TRUE(b->GetData()->selected);
    // Index 5 of list 0 and index 0 of list 1 do not exist: nothing changes.
    for (int name : {25, 40, -1, 39}) {
        shell.core->SelectByPickName(name);
        EXPECT_EQ(GpSelectedSceneObj, b->GetData()) << name;
    }
    shell.core->SelectByPickName(20);
    EXPECT_EQ(GpSelectedSceneObj, a->GetData());
    EXPECT_FALSE(b->GetData()->selected);
    // A scene object's id deselects the filters: an inactive light (2 of 2) selects
    // nothing, an active one becomes the gizmo's target and the editor's light.
    shell.core->SelectByPickName(12);
    EXPECT_EQ(GpSelectedSceneObj, nullptr);
    EXPECT_FALSE(a->GetData()->selected);
    shell.core->SelectByPickName(11);
    EXPECT_EQ(GpSelectedSceneObj, &shell.core->GetLights()->Light(1));
    EXPECT_EQ(shell.core->GetLights()->selected, 1);
    // Deleting the selected filter leaves no dangling selection.
    shell.core->SelectByPickName(21);
    list0->DeleteFilter(1);
    EXPECT_EQ(GpSelectedSceneObj, nullptr);
}
