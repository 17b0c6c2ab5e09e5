// POV-Ray from the running program: a snapshot export of what the main view shows renders in
// POV-Ray, and an animation run writes one scene per step of the work area and stops.
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/ViewPixels.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "common/CommandIds.h"
#include "filters/FilterBG.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterFog.h"
#include "filters/FilterObject.h"
#include "timeline/ParamGroup.h"
#include "scene/PovOutputSettings.h"
#include "scene/PovRayCtrl.h"
#include "scene/PovRegionSettings.h"
#include "tests/support/PovRayProbe.h"
#include "timeline/TimeCtrl.h"
#include "view/ParticleRecord.h"
#include "view/Snap.h"

using shelltest::Shell;
using testsupport::TempDir;

namespace {

PovRayCtrl_cls* PreparePov(Shell& shell, const TempDir& dir) {
    PovRayCtrl_cls* pov = shell.core->GetPovRay();
    pov->pathPovWork.text = wxString::FromUTF8(dir.File("POV"));
    pov->output->width.value = 32;
    pov->output->height.value = 24;
    pov->output->display.value = false;
    return pov;
}

}  // namespace

TEST(PovExport, SnapshotOfTheMainViewRenders) {
    if (!povprobe::Available()) GTEST_SKIP() << "POV-Ray is not installed";
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    PovRayCtrl_cls* pov = PreparePov(shell, dir);
    shell.Post(ID_POV_RENDER_SNAPSHOT);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return pov->IsRenderIdle(); }, 20000));
    testsupport::Pump(50);
    const std::string pov0 = testsupport::ReadFile(dir.File("POV/povsnap0000.pov"));
    EXPECT_NE(pov0.find("camera {\n\tperspective\n"), std::string::npos);
    EXPECT_NE(pov0.find("background {rgb<"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir.File("POV/povsnap0000.png"))) << pov0;
    EXPECT_EQ(pov->TakeRenderFailure(), "");
}

TEST(PovExport, AnimationRunWritesEachStepAndEnds) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    PovRayCtrl_cls* pov = PreparePov(shell, dir);
    TimeCtrl_cls* time = shell.core->GetTimeCtrl();
    time->SetWorkAreaMin(0);
    time->SetWorkAreaMax(3);
    time->repeat.value = false;
    shell.Post(ID_POV_EXPORT_ANIMATION);
    EXPECT_TRUE(pov->exporting);
    EXPECT_FALSE(shell.frame->IsEnabled());
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !pov->exporting; }, 20000));
    EXPECT_TRUE(shell.frame->IsEnabled());
    EXPECT_FALSE(time->IsPlaying());
    // Frames 0 to 3, each exported at least once (an extra paint exports its step again).
    int written = 0;
    while (std::filesystem::exists(dir.File("POV/povanim" + std::string(4 - std::to_string(written).size(), '0') +
                                            std::to_string(written) + ".pov")))
        ++written;
    EXPECT_GE(written, 4);
    EXPECT_EQ(pov->animCounter, written);
    EXPECT_TRUE(std::filesystem::exists(dir.File("POV/povanim0000.ini")));
}

TEST(PovExport, CustomRangeRunPlaysItsRangeWithoutRepeat) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    PovRayCtrl_cls* pov = PreparePov(shell, dir);
    TimeCtrl_cls* time = shell.core->GetTimeCtrl();
    time->repeat.value = true;  // would wrap for ever
    pov->region->region.value = 2;
    pov->region->customMin.value = 5;
    pov->region->customMax.value = 7;
    shell.Post(ID_POV_EXPORT_ANIMATION);
    EXPECT_TRUE(pov->exporting);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !pov->exporting; }, 20000));
    EXPECT_FALSE(time->repeat.value);
    EXPECT_EQ(time->Frame(), 7);
    EXPECT_GE(pov->animCounter, 3);
    EXPECT_TRUE(std::filesystem::exists(dir.File("POV/povanim0002.pov")));
}

namespace {

/// Pixels of a binary PPM (P6, maxval 255, comment lines allowed); empty when it is not one.
std::string PpmPixels(const std::string& bytes, int& w, int& h) {
    std::vector<std::string> fields;
    size_t at = 0;
    while (fields.size() < 4 && at < bytes.size()) {
        if (bytes[at] == '#') {
            at = bytes.find('\n', at);
            if (at == std::string::npos) return std::string();
        } else if (std::isspace(static_cast<unsigned char>(bytes[at]))) {
            ++at;
        } else {
            const size_t end = bytes.find_first_of(" \t\r\n", at);
            if (end == std::string::npos) return std::string();
            fields.push_back(bytes.substr(at, end - at));
            at = end;
        }
    }
    if (fields.size() != 4 || fields[0] != "P6") return std::string();
    w = std::atoi(fields[1].c_str());
    h = std::atoi(fields[2].c_str());
    return bytes.substr(at + 1);
}

}  // namespace

TEST(PovExport, LoadedParticlesAreRenderedInTheScene) {
    if (!povprobe::Available()) GTEST_SKIP() << "POV-Ray is not installed";
    TempDir dir;
    const std::string first = viewpixels::WriteSequence(dir, 400, 2);
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    shell.frame->SetSize(800, 600);
    shell.core->LoadFileSequence(wxString::FromUTF8(first));
    ASSERT_TRUE(testsupport::PumpUntil([] { return GpSnap && GpSnap->count > 0 && GiDrawOrderCount > 0; }, 20000));
    PovRayCtrl_cls* pov = PreparePov(shell, dir);
    pov->output->width.value = 64;
    pov->output->height.value = 48;
    pov->output->format.value = 4;  // PPM
    shell.Post(ID_POV_RENDER_SNAPSHOT);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return pov->IsRenderIdle(); }, 30000));
    testsupport::Pump(50);
    EXPECT_EQ(pov->TakeRenderFailure(), "");
    const std::string scene = testsupport::ReadFile(dir.File("POV/povsnap0000.pov"));
    EXPECT_NE(scene.find("#declare PARTICLES="), std::string::npos);
    EXPECT_NE(scene.find("object {\n\tPARTICLES\n}\n"), std::string::npos);
    int w = 0, h = 0;
    const std::string rgb = PpmPixels(testsupport::ReadFile(dir.File("POV/povsnap0000.ppm")), w, h);
    ASSERT_EQ(w, 64);
    ASSERT_GE(rgb.size(), size_t(w) * h * 3);
    // The background is black: lit or ambient particles make pixels that are not.
    int coloured = 0;
    for (size_t i = 0; i + 2 < size_t(w) * h * 3; i += 3)
        if (static_cast<unsigned char>(rgb[i]) + static_cast<unsigned char>(rgb[i + 1]) +
                static_cast<unsigned char>(rgb[i + 2]) > 30)
            ++coloured;
    EXPECT_GT(coloured, 20) << scene.substr(0, 2000);
}

TEST(PovExport, FogBackgroundAndGridFiltersAreRendered) {
    if (!povprobe::Available()) GTEST_SKIP() << "POV-Ray is not installed";
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    PovRayCtrl_cls* pov = PreparePov(shell, dir);
    shell.Post(ID_ADD_FOG);
    shell.Post(ID_ADD_BG);
    shell.Post(ID_ADD_GRID);
    auto* fog = static_cast<FilterFog_cls*>(shell.core->GetFilterCtrl(2)->FindFog());
    ASSERT_NE(fog, nullptr);
    fog->Data()->fogParams->SetKeyFrame({0.05, 1.0}, true, -1);
    shell.Post(ID_POV_RENDER_SNAPSHOT);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return pov->IsRenderIdle(); }, 30000));
    testsupport::Pump(50);
    const std::string scene = testsupport::ReadFile(dir.File("POV/povsnap0000.pov"));
    EXPECT_NE(scene.find("fog { \n\tdistance 20.000000\n"), std::string::npos) << scene;
    EXPECT_NE(scene.find("#macro SP(POS, R, RGBT)"), std::string::npos);
    EXPECT_NE(scene.find("#include \"CommonBG00.pov\""), std::string::npos);
    EXPECT_NE(scene.find("box{<-1,-1.01,-0.01>,<1,-0.99,0.01>}"), std::string::npos);
    const std::string stars = testsupport::ReadFile(dir.File("POV/CommonBG00.pov"));
    EXPECT_EQ(stars.rfind("union{\n", 0), 0u);
    EXPECT_TRUE(std::filesystem::exists(dir.File("POV/povsnap0000.png"))) << scene;
    EXPECT_EQ(pov->TakeRenderFailure(), "");
}

TEST(PovExport, ObjectWithARidgedNormalParsesAndRenders) {
    // The ridged normal is a function of "functions.inc": the scene must include it before
    // the object's texture uses it, or POV-Ray stops at the parse.
    if (!povprobe::Available()) GTEST_SKIP() << "POV-Ray is not installed";
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    PovRayCtrl_cls* pov = PreparePov(shell, dir);
    auto* f = static_cast<FilterObject_cls*>(shell.core->AddFilter(nullptr, FILTER_OBJECT));
    ASSERT_NE(f, nullptr);
    f->Data()->texture.normalPattern[0].value = 11;
    shell.Post(ID_POV_RENDER_SNAPSHOT);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return pov->IsRenderIdle(); }, 30000));
    testsupport::Pump(50);
    const std::string scene = testsupport::ReadFile(dir.File("POV/povsnap0000.pov"));
    const size_t include = scene.find("#include \"functions.inc\"\n");
    const size_t use = scene.find("f_ridged_mf(");
    ASSERT_NE(use, std::string::npos) << scene;
    ASSERT_NE(include, std::string::npos) << scene;
    EXPECT_LT(include, use);
    EXPECT_EQ(pov->TakeRenderFailure(), "");
    EXPECT_TRUE(std::filesystem::exists(dir.File("POV/povsnap0000.png"))) << scene;
}

namespace {

/// Runs menu command `id` on the frame at once, as choosing it in the menu does.
void RunCommand(Shell& shell, int id) {
    wxCommandEvent e(wxEVT_MENU, id);
    shell.frame->ProcessWindowEvent(e);
}

/// A stand-in renderer that logs each call to calls.txt and exits 0.
std::string LoggingRenderer(const TempDir& dir) {
    const std::string path = dir.File("fake-povray");
    testsupport::WriteFile(path, "#!/bin/sh\necho \"$*\" >> " + dir.File("calls.txt") + "\nexit 0\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}

}  // namespace

TEST(PovExport, SnapshotCommandsWaitForARunningRenderOrQueue) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    PovRayCtrl_cls* pov = PreparePov(shell, dir);
    pov->pathPovRay.text = wxString::FromUTF8(LoggingRenderer(dir));
    std::filesystem::create_directories(dir.File("POV"));
    // What the running render reads: it must stay as it is.
    testsupport::WriteFile(dir.File("POV/povsnap0000.pov"), "// being rendered\n");
    struct State {
        const char* what;
        bool rendering;
        bool queue;
    };
    for (const State& s : {State{"a render runs", true, false}, State{"a render queue waits", false, true}}) {
        for (int id : {ID_POV_EXPORT_SNAPSHOT, ID_POV_RENDER_SNAPSHOT}) {
            testsupport::ResetModals();
            testsupport::SetModalAnswer(wxID_OK);
            pov->renderIdle.store(!s.rendering);
            pov->renderAfter = s.queue;
            RunCommand(shell, id);
            pov->renderIdle.store(true);
            pov->renderAfter = false;
            ASSERT_EQ(testsupport::ModalMessages().size(), 1u) << s.what << " " << id;
            EXPECT_NE(testsupport::ModalMessages()[0].find("rendering"), wxString::npos);
            EXPECT_EQ(testsupport::ReadFile(dir.File("POV/povsnap0000.pov")), "// being rendered\n") << s.what;
            EXPECT_FALSE(std::filesystem::exists(dir.File("POV/povsnap0000.ini"))) << s.what;
        }
    }
    testsupport::Pump(50);
    EXPECT_FALSE(std::filesystem::exists(dir.File("calls.txt")));
    // Once it is over, the snapshot is exported.
    RunCommand(shell, ID_POV_EXPORT_SNAPSHOT);
    EXPECT_NE(testsupport::ReadFile(dir.File("POV/povsnap0000.pov")).find("camera {"), std::string::npos);
}

TEST(PovExport, RenderSnapshotStartsNothingWhenItsExportFailed) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    PovRayCtrl_cls* pov = PreparePov(shell, dir);
    pov->pathPovRay.text = wxString::FromUTF8(LoggingRenderer(dir));
    // A scene of an earlier export is there, but this export cannot write its .ini.
    std::filesystem::create_directories(dir.File("POV/povsnap0000.ini"));
    testsupport::WriteFile(dir.File("POV/povsnap0000.pov"), "// an earlier scene\n");
    testsupport::ResetModals();
    testsupport::SetModalAnswer(wxID_OK);
    RunCommand(shell, ID_POV_RENDER_SNAPSHOT);
    testsupport::PumpUntil([&] { return pov->IsRenderIdle(); }, 5000);
    testsupport::Pump(100);
    EXPECT_TRUE(pov->IsRenderIdle());
    EXPECT_FALSE(std::filesystem::exists(dir.File("calls.txt")));
    EXPECT_EQ(pov->TakeRenderFailure(), "");
    ASSERT_EQ(testsupport::ModalMessages().size(), 1u);  // the export's failure, and nothing after it
    EXPECT_NE(testsupport::ModalMessages()[0].find("povsnap0000.ini"), wxString::npos);

    // Written whole, the same command renders.
    std::filesystem::remove(dir.File("POV/povsnap0000.ini"));
    RunCommand(shell, ID_POV_RENDER_SNAPSHOT);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return pov->IsRenderIdle(); }, 5000));
    testsupport::Pump(50);
    EXPECT_TRUE(std::filesystem::exists(dir.File("calls.txt")));
}

TEST(PovExport, RenderUnderAFolderWithNonAsciiLettersProducesItsImage) {
    // POV-Ray cannot open a name with such letters: the render names the scene's files
    // relative to the work folder it runs in.
    if (!povprobe::Available()) GTEST_SKIP() << "POV-Ray is not installed";
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    PovRayCtrl_cls* pov = PreparePov(shell, dir);
    const std::string work = dir.File("Donn\xc3\xa9" "es \xe6\x97\xa5\xe6\x9c\xac/POV");
    pov->pathPovWork.text = wxString::FromUTF8(work);
    pov->output->fileAbsolute.value = true;  // full paths asked for: a render does without them
    shell.Post(ID_ADD_BG);  // a background in its common file
    // A mesh2 file in the work folder, included by its name there.
    std::filesystem::create_directories(work);
    testsupport::WriteFile(work + "/tri.pov",
                           "#declare Tri=mesh2{ vertex_vectors { 3, <0,0,0>, <1,0,0>, <0,1,0> } "
                           "face_indices { 1, <0,1,2> } }\n");
    auto* f = static_cast<FilterObject_cls*>(shell.core->AddFilter(nullptr, FILTER_OBJECT));
    ASSERT_NE(f, nullptr);
    f->Data()->objectType.value = OBJECT_IMPORT;
    f->Data()->importPath.text = wxString::FromUTF8(work + "/tri.pov");
    testsupport::ResetModals();
    testsupport::SetModalAnswer(wxID_OK);
    shell.Post(ID_POV_RENDER_SNAPSHOT);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return pov->IsRenderIdle(); }, 30000));
    testsupport::Pump(50);
    const std::string scene = testsupport::ReadFile(work + "/povsnap0000.pov");
    EXPECT_NE(scene.find("#include \"CommonBG00.pov\""), std::string::npos) << scene;
    EXPECT_NE(scene.find("#include \"tri.pov\"\n"), std::string::npos) << scene;
    EXPECT_EQ(pov->TakeRenderFailure(), "");
    EXPECT_TRUE(std::filesystem::exists(work + "/povsnap0000.png")) << scene;
    EXPECT_TRUE(testsupport::ModalMessages().empty());
    EXPECT_TRUE(pov->output->fileAbsolute.value);
}

TEST(PovExport, ATexturePovRayCannotOpenIsToldOnceAndLeftOut) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    PreparePov(shell, dir);
    shell.Post(ID_ADD_BG);
    const std::vector<FilterBG_cls*> bgs = shell.core->GetFilterCtrl(2)->GetEnabledBGs();
    ASSERT_EQ(bgs.size(), 1u);
    bgs[0]->Data()->bgType.value = 1;
    bgs[0]->Data()->mappingType.value = 1;
    bgs[0]->Data()->textureA.text = wxString::FromUTF8("/pictures/\xe6\x98\x9f.png");
    testsupport::ResetModals();
    testsupport::SetModalAnswer(wxID_OK);
    RunCommand(shell, ID_POV_EXPORT_SNAPSHOT);
    ASSERT_EQ(testsupport::ModalMessages().size(), 1u);
    EXPECT_NE(testsupport::ModalMessages()[0].find(wxString::FromUTF8("/pictures/\xe6\x98\x9f.png: POV-Ray cannot open")),
              wxString::npos)
        << testsupport::ModalMessages()[0];
    const std::string all = testsupport::ReadFile(dir.File("POV/povsnap0000.pov")) +
                            testsupport::ReadFile(dir.File("POV/CommonBG00.pov"));
    EXPECT_NE(all.find("union{"), std::string::npos);
    EXPECT_EQ(all.find("image_map"), std::string::npos) << all;
}
