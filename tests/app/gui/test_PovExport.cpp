// POV-Ray from the running program: a snapshot export of what the main view shows renders in
// POV-Ray, and an animation run writes one scene per step of the work area and stops.
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/ViewPixels.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <utility>
#include <vector>

#include "common/CommandIds.h"
#include "tools/DemoSequence.h"
#include "filters/FilterBG.h"
#include "scene/gui/PovRayGUI.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterFog.h"
#include "filters/FilterObject.h"
#include "scene/CameraPath.h"
#include "timeline/ParamGroup.h"
#include "scene/PovOutputSettings.h"
#include "scene/PovRayCtrl.h"
#include "scene/PovRegionSettings.h"
#include "tests/support/PovRayProbe.h"
#include "timeline/TimeCtrl.h"
#include "view/ParticleRecord.h"
#include "view/Snap.h"
#include "view/ViewSettings.h"
#include "view/WideViewProjection.h"

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

namespace {

std::string AnimName(int k, const char* extension) {
    char name[40];
    std::snprintf(name, sizeof name, "POV/povanim%04d.%s", k, extension);
    return name;
}

/// "<x,y,z>" of particle 0 in frame k of the sequence WriteSequence makes, as the particle
/// text writes it.
std::string FirstParticleAt(int particles, int frames, int k) {
    DemoSequenceOptions o;
    o.grammar = SnapshotGrammar();
    o.frames = frames;
    o.particles = particles;
    DemoSequence_cls demo(o);
    for (int i = 0; i < k; ++i) demo.Advance();
    const float* p = demo.Particles().position.data();
    char text[80];
    std::snprintf(text, sizeof text, "(<%.3f,%.3f,%.3f>", double(p[0]), double(p[1]), double(p[2]));
    return text;
}

/// Runs an animation run (`command`) over the three frames of a loaded sequence while a
/// small window is dragged over the main view, and every step is painted again and once
/// more skipped as busy after its first paint; returns once the run (and, for a rendering
/// run, its renders) has ended.
void RunOverThreeFramesWithExtraPaints(Shell& shell, const TempDir& dir, PovRayCtrl_cls* pov, int command) {
    shell.frame->SetSize(640, 480);
    shell.core->LoadFileSequence(wxString::FromUTF8(viewpixels::WriteSequence(dir, 8, 3)));
    ASSERT_TRUE(testsupport::PumpUntil([] { return GpSnap && GpSnap->count == 8 && GiDrawOrderCount > 0; }, 20000));
    TimeCtrl_cls* time = shell.core->GetTimeCtrl();
    ASSERT_EQ(time->MaxFrame(), 2);
    time->SetWorkAreaMin(0);
    time->SetWorkAreaMax(2);
    time->repeat.value = false;
    MainGLCanvas_cls* view = shell.frame->GetMainView();
    ASSERT_NE(view, nullptr);
    testsupport::Pump(100);
    wxFrame* cover = new wxFrame(nullptr, wxID_ANY, "cover", wxDefaultPosition, wxSize(90, 70));
    cover->Show();
    const wxPoint origin = view->GetScreenPosition();
    int drags = 0;
    auto drag = [&]() {
        cover->Move(origin + wxPoint((drags * 37) % 400, (drags * 23) % 300));
        ++drags;
    };
    std::map<int, int> paints;  // drawn paints of the main view per frame
    MainGLCanvas_cls::SetPaintProbe([&](MainGLCanvas_cls& v) {
        if (&v != view || !pov->exporting) return;
        if (++paints[v.DrawnFrame()] != 1) return;
        // Before playback moves on: the step is painted again outright (as a redraw request
        // or a resize does), and a paint is skipped as busy.
        v.CallAfter([&v, &drag]() {
            drag();
            v.Refresh(false);
            v.Update();
            GbPaintBusy = true;
            v.Refresh(false);
            v.Update();
            GbPaintBusy = false;
        });
    });
    shell.Post(command);
    EXPECT_TRUE(pov->exporting);
    EXPECT_FALSE(shell.frame->IsEnabled());
    testsupport::PumpUntil(
        [&] {
            drag();
            return !pov->exporting && !pov->renderAfter && pov->IsRenderIdle();
        },
        40000);
    MainGLCanvas_cls::SetPaintProbe(nullptr);
    cover->Destroy();
    testsupport::Pump(50);
    EXPECT_FALSE(pov->exporting);
    EXPECT_TRUE(shell.frame->IsEnabled());
    EXPECT_FALSE(time->IsPlaying());
    for (int k = 0; k < 3; ++k) EXPECT_GE(paints[k], 2) << "frame " << k << " was painted again";
}

}  // namespace

TEST(PovExport, AnimationRunWritesEachStepAndEnds) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    PovRayCtrl_cls* pov = PreparePov(shell, dir);
    RunOverThreeFramesWithExtraPaints(shell, dir, pov, ID_POV_EXPORT_ANIMATION);
    // Exactly one scene per step, in order, the last frame included: each shows its step.
    for (int k = 0; k < 3; ++k) {
        const std::string scene = testsupport::ReadFile(dir.File(AnimName(k, "pov")));
        EXPECT_TRUE(std::filesystem::exists(dir.File(AnimName(k, "ini")))) << k;
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(scene.find(FirstParticleAt(8, 3, j)) != std::string::npos, j == k)
                << "scene " << k << ", particle of frame " << j << "\n" << scene.substr(0, 3000);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File(AnimName(3, "pov"))));
    EXPECT_EQ(pov->animCounter, 3);
}

TEST(PovExport, RenderedRunGivesOneImagePerStep) {
    if (!povprobe::Available()) GTEST_SKIP() << "POV-Ray is not installed";
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    PovRayCtrl_cls* pov = PreparePov(shell, dir);
    RunOverThreeFramesWithExtraPaints(shell, dir, pov, ID_POV_RENDER_ANIMATION);
    for (int k = 0; k < 3; ++k) {
        EXPECT_TRUE(std::filesystem::exists(dir.File(AnimName(k, "pov")))) << k;
        EXPECT_TRUE(std::filesystem::exists(dir.File(AnimName(k, "png")))) << k;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File(AnimName(3, "pov"))));
    EXPECT_FALSE(std::filesystem::exists(dir.File(AnimName(3, "png"))));
    EXPECT_EQ(pov->TakeRenderFailure(), "");
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

TEST(PovExport, EachGeometryOfTheMainViewWritesItsOwnCamera) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    PreparePov(shell, dir);
    MainGLCanvas_cls* view = shell.frame->GetMainView();
    ASSERT_NE(view, nullptr);
    const struct {
        int geometry;
        const char* camera;
    } cases[] = {
        {GEOMETRY_PERSPECTIVE, "camera {\n\tperspective\n"},
        {GEOMETRY_ORTHOGRAPHIC, "camera {\n\torthographic\n"},
        {GEOMETRY_FISHEYE, "camera {\n\tfisheye\n"},
        {GEOMETRY_PANORAMA, "camera {\n\tspherical\n"},
    };
    for (const auto& c : cases) {
        view->settings.geometry.value = c.geometry;
        shell.Post(ID_POV_EXPORT_SNAPSHOT);
        const std::string scene = testsupport::ReadFile(dir.File("POV/povsnap0000.pov"));
        EXPECT_NE(scene.find(c.camera), std::string::npos) << "geometry " << c.geometry << "\n" << scene.substr(0, 800);
        // The texts of the orthographic and spherical cameras set their own sizes: POV-Ray
        // must parse them.
        if ((c.geometry == GEOMETRY_ORTHOGRAPHIC || c.geometry == GEOMETRY_PANORAMA) && povprobe::Available()) {
            bool ok = false;
            const std::string out = povprobe::Run(scene, ok);
            EXPECT_TRUE(ok) << "geometry " << c.geometry << "\n" << out;
        }
    }
}

namespace {

/// Centres (x, y; pixels from the top left) of the groups of touching pixels that are not
/// black in an rgb picture of w x h.
std::vector<std::pair<double, double>> BlobCentres(const std::string& rgb, int w, int h) {
    std::vector<int> mark(size_t(w) * h, 0);
    auto lit = [&](int i) {
        const unsigned char* p = reinterpret_cast<const unsigned char*>(rgb.data()) + 3 * size_t(i);
        return p[0] + p[1] + p[2] > 20;
    };
    std::vector<std::pair<double, double>> centres;
    for (int start = 0; start < w * h; ++start) {
        if (mark[size_t(start)] || !lit(start)) continue;
        std::vector<int> todo{start};
        mark[size_t(start)] = 1;
        double sx = 0, sy = 0;
        int n = 0;
        while (!todo.empty()) {
            const int i = todo.back();
            todo.pop_back();
            const int x = i % w, y = i / w;
            sx += x + 0.5, sy += y + 0.5, ++n;
            const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (const auto& q : next) {
                if (q[0] < 0 || q[1] < 0 || q[0] >= w || q[1] >= h) continue;
                const int j = q[1] * w + q[0];
                if (!mark[size_t(j)] && lit(j)) mark[size_t(j)] = 1, todo.push_back(j);
            }
        }
        centres.emplace_back(sx / n, sy / n);
    }
    return centres;
}

/// Loads twelve particles large enough to be found in a render.
void LoadTwelveParticles(Shell& shell, const TempDir& dir) {
    DemoSequenceOptions o;
    o.grammar = SnapshotGrammar();
    o.frames = 2;
    o.particles = 12;
    o.radiusScale = 2.5f;
    std::string error;
    ASSERT_TRUE(DemoSequence_cls(o).WriteAll(dir.File("seq"), error)) << error;
    shell.frame->SetSize(800, 600);
    shell.core->LoadFileSequence(wxString::FromUTF8(dir.File("seq") + "/" + o.FileName(0)));
    ASSERT_TRUE(testsupport::PumpUntil([] { return GpSnap && GpSnap->count == 12 && GiDrawOrderCount > 0; }, 20000));
}

/// Puts the main view in `geometry`, renders its snapshot at w x h and returns the centres
/// of the particles seen.
std::vector<std::pair<double, double>> RenderParticles(Shell& shell, const TempDir& dir, int geometry, int w, int h) {
    MainGLCanvas_cls* view = shell.frame->GetMainView();
    view->settings.geometry.value = geometry;
    view->Refresh(false);
    view->Update();
    testsupport::Pump(50);
    PovRayCtrl_cls* pov = PreparePov(shell, dir);
    pov->output->width.value = w;
    pov->output->height.value = h;
    pov->output->format.value = 4;  // PPM
    shell.Post(ID_POV_RENDER_SNAPSHOT);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return pov->IsRenderIdle(); }, 30000));
    testsupport::Pump(50);
    EXPECT_EQ(pov->TakeRenderFailure(), "");
    int rw = 0, rh = 0;
    const std::string rgb = PpmPixels(testsupport::ReadFile(dir.File("POV/povsnap0000.ppm")), rw, rh);
    EXPECT_EQ(rw, w);
    EXPECT_EQ(rh, h);
    if (rw != w || rh != h) return {};
    return BlobCentres(rgb, w, h);
}

/// Expects a particle of the render within 2 px of each place (pixels from the top left)
/// that stands clear of the edges and of the other places; returns how many were judged.
int ExpectRenderedAt(const std::vector<std::pair<double, double>>& places,
                     const std::vector<std::pair<double, double>>& blobs, int w, int h) {
    int judged = 0;
    for (size_t i = 0; i < places.size(); ++i) {
        const double x = places[i].first, y = places[i].second;
        bool alone = x > 12 && y > 12 && x < w - 12 && y < h - 12;
        for (size_t j = 0; j < places.size(); ++j)
            if (j != i && std::hypot(places[j].first - x, places[j].second - y) < 14) alone = false;
        if (!alone) continue;
        double best = 1e9;
        for (const auto& b : blobs) best = std::min(best, std::hypot(b.first - x, b.second - y));
        EXPECT_LE(best, 2.0) << "particle " << i << " at " << x << "," << y;
        ++judged;
    }
    return judged;
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

TEST(PovExport, TheWorkFolderDotTurnsGreenOnceAnExportMadeTheFolder) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    PovRayCtrl_cls* pov = PreparePov(shell, dir);
    shell.Post(ID_POVRAY_CONFIG);
    PovRayGUI_cls* dialog = shell.core->GetPovDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->workStatus->GetBackgroundColour(), *wxRED) << "the folder does not exist yet";

    shell.Post(ID_POV_EXPORT_SNAPSHOT);
    testsupport::Pump(50);
    ASSERT_TRUE(std::filesystem::is_directory(pov->pathPovWork.text.utf8_string()));
    EXPECT_EQ(dialog->workStatus->GetBackgroundColour(), *wxGREEN);
}

TEST(PovExport, OrthographicViewAndItsRenderAgreeOnTheParticles) {
    if (!povprobe::Available()) GTEST_SKIP() << "POV-Ray is not installed";
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    LoadTwelveParticles(shell, dir);
    const int w = 320, h = 240;
    const std::vector<std::pair<double, double>> blobs = RenderParticles(shell, dir, GEOMETRY_ORTHOGRAPHIC, w, h);
    MainGLCanvas_cls* view = shell.frame->GetMainView();
    ASSERT_EQ(view->projection.perspective, 0);
    // Where the view's own orthographic projection puts each particle at the render's size.
    const viewpixels::Projected p = viewpixels::ProjectDrawnFrame(*view, w, h);
    std::vector<std::pair<double, double>> places;
    for (size_t i = 0; i < p.x.size(); ++i) places.emplace_back(p.x[i], h - p.y[i]);
    EXPECT_GE(ExpectRenderedAt(places, blobs, w, h), 4) << blobs.size() << " blobs";
}

TEST(PovExport, FisheyeAndPanoramaRendersShowTheParticlesWhereTheViewDoes) {
    if (!povprobe::Available()) GTEST_SKIP() << "POV-Ray is not installed";
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    LoadTwelveParticles(shell, dir);
    const int w = 320, h = 240;
    for (int geometry : {GEOMETRY_FISHEYE, GEOMETRY_PANORAMA}) {
        const std::vector<std::pair<double, double>> blobs = RenderParticles(shell, dir, geometry, w, h);
        MainGLCanvas_cls* view = shell.frame->GetMainView();
        // Where the view's composition (disc or band in the square over the height) shows
        // each particle at the render's size.
        const WideViewProjection_cls wide(view->cameras.GeometryMode(), view->projection.angle, w, h,
                                          view->cameras.SceneCamera());
        ASSERT_EQ(wide.Mode(), geometry == GEOMETRY_FISHEYE ? 1 : 2);
        std::vector<std::pair<double, double>> places;
        for (int i = 0; i < int(GpSnap->count); ++i) {
            const double q[3] = {GpSnap->positions[3 * i], GpSnap->positions[3 * i + 1], GpSnap->positions[3 * i + 2]};
            double win[3];
            if (wide.ProjectPoint(q, win)) places.emplace_back(win[0], h - win[1]);
        }
        EXPECT_GE(ExpectRenderedAt(places, blobs, w, h), 4) << "geometry " << geometry << ", " << blobs.size() << " blobs";
    }
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

TEST(PovExport, FisheyePathViewIsExportedTurnedByItsOffset) {
    // A fisheye view through the camera path looks pitched by the path's FishEyeOffset: the
    // exported camera looks where the view does, not where the path points.
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    PreparePov(shell, dir);
    MainGLCanvas_cls* view = shell.frame->GetMainView();
    ASSERT_NE(view, nullptr);
    view->cameras.LinkToCameraPath(0.0);
    CameraPath_cls* path = view->cameras.Path();
    ASSERT_NE(path, nullptr);
    path->geometry.value = GEOMETRY_FISHEYE;
    path->fishEyeOffset.value = 30;
    view->Refresh(false);
    view->Update();
    shell.Post(ID_POV_EXPORT_SNAPSHOT);
    const std::string scene = testsupport::ReadFile(dir.File("POV/povsnap0000.pov"));
    ASSERT_NE(scene.find("camera {\n\tfisheye\n"), std::string::npos) << scene.substr(0, 600);
    double loc[3] = {0, 0, 0}, at[3] = {0, 0, 0};
    const size_t l = scene.find("\tlocation<"), a = scene.find("\tlook_at<");
    ASSERT_NE(l, std::string::npos);
    ASSERT_NE(a, std::string::npos);
    ASSERT_EQ(std::sscanf(scene.c_str() + l, "\tlocation<%lf,%lf,%lf>", &loc[0], &loc[1], &loc[2]), 3);
    ASSERT_EQ(std::sscanf(scene.c_str() + a, "\tlook_at<%lf,%lf,%lf>", &at[0], &at[1], &at[2]), 3);
    const double d[3] = {at[0] - loc[0], at[1] - loc[1], at[2] - loc[2]};
    const double n = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    ASSERT_GT(n, 0);
    const GLCamera_cls turned = view->cameras.SceneCamera();
    double along = 0, alongPath = 0;
    for (int k = 0; k < 3; ++k) {
        along += d[k] / n * turned.frame.direction[k];
        alongPath += d[k] / n * view->camera.frame.direction[k];
    }
    EXPECT_NEAR(along, 1.0, 1e-4);
    EXPECT_NEAR(alongPath, std::cos(30 * 3.14159265 / 180), 1e-3);
}
