// The Object filter in the running program: added from the Filter menu and undone, its
// panel shows the mesh rows only for an imported mesh, and a box stands in the view's
// picture where the camera puts its centre.
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/ViewPixels.h"

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include "app/gui/TopHalfPanel.h"
#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "common/gui/MultiInputPanel.h"
#include "filters/ColorCurve.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterObject.h"
#include "filters/gui/FilterObjectGUI.h"
#include "filters/gui/FilterPanelPain.h"
#include "timeline/ParamGroup.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/ViewScene.h"

using shelltest::Shell;
using testsupport::TempDir;

namespace {

struct Picture {
    std::vector<unsigned char> rgba;
    int w = 0, h = 0;
    double pr[16], mv[16];
    int paints = 0;
    /// The colour where the camera puts `q` (window pixels from the bottom left).
    const unsigned char* At(const double q[3]) const {
        const int vp[4] = {0, 0, w, h};
        double sx, sy, sz;
        gluProject(q[0], q[1], q[2], mv, pr, vp, &sx, &sy, &sz);
        if (sx < 0 || sy < 0 || sx >= w || sy >= h) return nullptr;
        return &rgba[4 * (size_t(sy) * size_t(w) + size_t(sx))];
    }
};

class ObjectFilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        MainGLCanvas_cls::SetPaintProbe([this](MainGLCanvas_cls& v) {
            if (v.ViewIndex() != 0) return;
            const wxSize size = v.GetClientSize();
            pic.w = size.x, pic.h = size.y;
            pic.rgba = viewpixels::ReadBack(pic.w, pic.h);
            const viewpixels::Projected at = viewpixels::ProjectDrawnFrame(v, pic.w, pic.h);
            std::copy(at.pr, at.pr + 16, pic.pr);
            std::copy(at.mv, at.mv + 16, pic.mv);
            ++pic.paints;
        });
        shell = std::make_unique<Shell>(dir.File("Pelthorn3Configure.txt"));
        shell->frame->SetSize(900, 700);
        // the solids alone: no grid, pivot marker or outlines over them
        shell->ParticlesOnly();
    }
    void TearDown() override {
        shell.reset();
        MainGLCanvas_cls::SetPaintProbe(nullptr);
    }
    bool Repaint() {
        const int before = pic.paints;
        shell->frame->GetTopPanel()->RedrawViews();
        return testsupport::PumpUntil([&] { return pic.paints > before; }, 20000);
    }
    FilterCtrl_cls* Objects() { return shell->core->GetFilterCtrl(1); }
    FilterPanelPain_cls* Page() { return shell->frame->GetTopPanel()->FilterPage(1); }

    TempDir dir;
    Picture pic;
    std::unique_ptr<Shell> shell;
};

}  // namespace

TEST_F(ObjectFilterTest, MenuAddsOneAndUndoRemovesIt) {
    shell->Post(ID_ADD_OBJECT);
    ASSERT_EQ(Objects()->Count(), 1);
    FilterBase_cls* f = Objects()->GetNode(0);
    EXPECT_EQ(f->GetData()->Name(), "Object00");
    auto* gui = dynamic_cast<FilterObjectGUI_cls*>(Page()->GUIOf(f));
    ASSERT_NE(gui, nullptr);
    MultiInputPanel_cls* panel = gui->Panel();
    ASSERT_NE(panel->GetItemControl(gui->affineButton), nullptr);
    // a box: no mesh rows; Import: the path row and the affine map button show
    EXPECT_FALSE(panel->GetItemControl(gui->affineButton)->IsShown());
    EXPECT_FALSE(panel->GetItemControl(gui->fileButton)->IsShown());
    auto* data = static_cast<FilterObject_cls*>(f)->Data();
    Objects()->SetValueByAddress("Object00::ObjectType=", 3, 3);
    testsupport::Pump(20);
    EXPECT_EQ(data->objectType.value, 3u);
    EXPECT_TRUE(panel->GetItemControl(gui->affineButton)->IsShown());
    EXPECT_TRUE(panel->GetItemControl(gui->fileButton)->IsShown());
    // the ".." button: the chosen file becomes the mesh path in one undo step
    shell->prompts.fileAnswer = wxID_OK;
    shell->prompts.filePath = wxString::FromUTF8(dir.File("cube.obj"));
    gui->ChooseMeshFile();
    EXPECT_EQ(data->importPath.Value(), shell->prompts.filePath);
    ASSERT_FALSE(shell->prompts.fileQuestions.empty());
    EXPECT_EQ(shell->prompts.fileQuestions.back().wildcard, "PovMesh (*.pov)|*.pov|Wavefront Object (*.obj)|*.obj");
    shell->Post(ID_UNDO);
    EXPECT_EQ(data->importPath.Value(), "NONE");
    shell->Post(ID_UNDO);
    EXPECT_EQ(Objects()->Count(), 0);
    EXPECT_EQ(Page()->GetSizer()->GetItemCount(), 0u);
    shell->Post(ID_REDO);
    EXPECT_EQ(Objects()->Count(), 1);
}

TEST_F(ObjectFilterTest, BoxStandsWhereTheCameraPutsItsCentre) {
    auto* f = static_cast<FilterObject_cls*>(shell->core->AddFilter(nullptr, FILTER_OBJECT));
    ASSERT_NE(f, nullptr);
    FilterObjectData_cls* d = f->Data();
    const float green[4] = {0, 1, 0, 1}, black[4] = {0, 0, 0, 1};
    std::copy(green, green + 4, d->colors[0]->constantColor.values);
    std::copy(green, green + 4, d->colors[1]->constantColor.values);
    std::copy(black, black + 4, d->colors[2]->constantColor.values);
    d->texture.shaderType.value = 0;
    d->SetTranslateKey(0.6, 0.3, 0.2);
    d->SetScaleKey(0.4, 0.4, 0.4);
    ASSERT_TRUE(Repaint());
    const double centre[3] = {0.6, 0.3, 0.2}, beside[3] = {0.6, 0.3, 0.9}, corner[3] = {-0.8, -0.8, -0.8};
    const unsigned char* c = pic.At(centre);
    ASSERT_NE(c, nullptr);
    EXPECT_GT(c[1], 40) << int(c[0]) << " " << int(c[1]) << " " << int(c[2]);
    EXPECT_LT(c[0], 30);
    EXPECT_LT(c[2], 30);
    const unsigned char* b = pic.At(beside);
    ASSERT_NE(b, nullptr);
    EXPECT_LT(b[1], 30) << "the box reaches beyond its half size";
    // disabled, or hidden by the eye of its group: nothing drawn there
    for (const bool byEye : {false, true}) {
        d->filterValid.value = byEye ? 1 : 0;
        d->group->visible = byEye ? 0 : 1;
        ASSERT_TRUE(Repaint());
        c = pic.At(centre);
        const unsigned char* bg = pic.At(corner);
        ASSERT_TRUE(c && bg);
        EXPECT_EQ(c[1], bg[1]) << (byEye ? "hidden by the eye" : "disabled");
    }
}

TEST_F(ObjectFilterTest, ProjectKeepsTheObjectAndItsTexture) {
    auto* f = static_cast<FilterObject_cls*>(shell->core->AddFilter(nullptr, FILTER_OBJECT));
    ASSERT_NE(f, nullptr);
    FilterObjectData_cls* d = f->Data();
    d->objectType.value = OBJECT_SPHERE;
    d->texture.reflectType.value = 2;
    d->texture.normalPattern[1].value = 7;
    d->arrayVector[2].values[2] = 3;
    d->SetTranslateKey(0.5, -1, 2);
    const std::string before = Objects()->WriteSection();
    const wxString path = wxString::FromUTF8(dir.File("scene.txt"));
    ASSERT_TRUE(shell->frame->SaveProjectTo(path));
    shell->Post(ID_ADD_OBJECT);  // changed after saving: the file's state comes back
    ASSERT_EQ(Objects()->Count(), 2);
    ASSERT_TRUE(shell->frame->OpenProjectFile(path));
    testsupport::Pump(20);
    ASSERT_EQ(Objects()->Count(), 1);
    EXPECT_EQ(Objects()->WriteSection(), before);
    // its panel stands in the page again
    EXPECT_NE(Page()->GUIOf(Objects()->GetNode(0)), nullptr);
}

TEST_F(ObjectFilterTest, ReopenedPanelShowsTheMeshRowsOnlyForAMesh) {
    shell->Post(ID_ADD_OBJECT);
    FilterBase_cls* f = Objects()->GetNode(0);
    auto* gui = dynamic_cast<FilterObjectGUI_cls*>(Page()->GUIOf(f));
    ASSERT_NE(gui, nullptr);
    wxWindow* affine = gui->Panel()->GetItemControl(gui->affineButton);
    for (unsigned shape : {0u, 3u}) {
        static_cast<FilterObject_cls*>(f)->Data()->objectType.value = shape;
        gui->ToggleOpen();  // closed
        EXPECT_FALSE(affine->IsShown());
        gui->ToggleOpen();  // open again
        testsupport::Pump(10);
        EXPECT_EQ(affine->IsShown(), shape == 3u) << shape;
    }
}
