// The POV-Ray scene file: its parts in order, the per-copy instances, the common file, and a
// written scene that POV-Ray 3.7 renders with the particle where the view shows it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/ChildProcess.h"
#include "scene/PovOutputSettings.h"
#include "scene/PovRayCtrl.h"
#include "scene/PovSceneSources.h"
#include "scene/PovSceneWriter.h"
#include "scene/StickEngine.h"
#include "tests/scene/PovSnapshotRender.h"
#include "tests/support/PovRayProbe.h"
#include "tests/support/TestFiles.h"

namespace {

std::string S(const wxString& s) { return s.utf8_string(); }

/// A scene of one light at the camera and two spheres: a red one at the origin and a
/// green one at x = +1 (to the right of the view).
struct FakeSources : PovSceneSources_cls {
    int frames = 2;
    bool loaded = true;
    int copies = -1;
    int sticks = 0;
    bool dataBox = false;
    bool objects = false;
    int lights = 1;
    int particleCalls = 0;
    std::string particleProblem;  ///< what the particle text reports missing
    int cameraType = POV_CAMERA_PERSPECTIVE;
    double greenY = 0;  ///< depth of the green sphere (the camera stands at -6)
    wxString PovBackground() override { return "rgb<0.000,0.000,1.000>"; }
    bool MainViewCamera(PovViewCamera_cls& out) override {
        const double pos[3] = {0, -6, 0}, second[3] = {0, 0, 0}, dir[3] = {0, 1, 0}, up[3] = {0, 0, 1},
                     right[3] = {1, 0, 0};
        out.camera = GLCamera_cls(pos, second, dir, up, right);
        const double pivot[3] = {0, 0, 0};
        out.camera.SetPivot(pivot);
        out.angle = 35;
        out.type = cameraType;
        out.orthoHeight = 6;
        return true;
    }
    double NormalizedTime() override { return 0.5; }
    int FrameCount() override { return frames; }
    bool WritePovParticles(wxString& out, PovRayCtrl_cls&, int) override {
        ++particleCalls;
        if (!loaded) return false;
        out << "#declare PARTICLES = union {\n"
               "\tsphere { <0,0,0>, 0.5 pigment { rgb <1,0,0> } finish { ambient 0.3 diffuse 0.7 } }\n"
               "\tsphere { <1.2," << greenY << ",0>, 0.3 pigment { rgb <0,1,0> } finish { ambient 0.3 diffuse 0.7 } }\n"
               "}\n";
        return true;
    }
    std::string TakeParticleProblem() override {
        std::string p;
        p.swap(particleProblem);
        return p;
    }
    wxString PovLights(double) override { return "light_source { <0,-6,0> rgb 1 }\n"; }
    int CountVisibleLights() override { return lights; }
    int GetEnabledSticks() override { return sticks; }
    void PovSticks(wxString& out, int i) override {
        for (int j = 0; j <= 7; ++j) out << "#declare " << StickUnionName(i, j) << " = union {}\n";
    }
    int CopyCount() override { return copies; }
    wxString CopyPovTranslate(int k, double) override { return wxString::Format("translate <%d,0,0>", k); }
    int CopyNeighbourMask(int k) override { return k < 2 ? 1 : 0; }
    bool HasEnabledDataBox() override { return dataBox; }
    void DataBoxPovTransform(wxString& out, double, int mode) override { out << "\t// box " << mode << "\n"; }
    wxString PovObjectDeclares() override { return "#declare MESH0 = sphere { 0, 0.1 }\n"; }
    bool HasEnabledObjectOrGrid() override { return objects; }
    void PovObjects(wxString& out, double, int mode, int indent, const GLCamera_cls&) override {
        out << wxString(wxT('\t'), size_t(indent)) << "// objects " << mode << "\n";
    }
};

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace

TEST(PovSceneWriter, SceneFileHoldsItsPartsInOrder) {
    testsupport::TempDir dir;
    PovRayCtrl_cls ctrl;
    ctrl.pathPovWork.text = dir.Path();
    FakeSources src;
    src.objects = true;
    PovSceneWriter_cls writer(&ctrl, &src);
    ASSERT_TRUE(writer.ExportPovSnapshot(false));
    const std::string pov = testsupport::ReadFile(dir.File("povsnap0000.pov"));
    const std::vector<std::string> order = {"global_settings {", "background {rgb<0.000,0.000,1.000>}",
                                            "#declare CameraAngle=", "camera {", "light_source",
                                            "#declare PARTICLES", "#declare MESH0", "object {\n\tPARTICLES",
                                            "// objects 1", "// objects 0"};
    size_t at = 0;
    for (const std::string& part : order) {
        const size_t found = pov.find(part, at);
        ASSERT_NE(found, std::string::npos) << part << "\n" << pov;
        at = found;
    }
    EXPECT_EQ(Count(pov, "STICKS"), 0u);
    EXPECT_TRUE(testsupport::FileExists(dir.File("povsnap0000.ini")));
    EXPECT_FALSE(testsupport::FileExists(dir.File("CommonScene.pov")));  // two frames: no common file

    // Without the particle data the scene has no particle declaration and no instance.
    src.loaded = false;
    ASSERT_TRUE(writer.ExportPovSnapshot(false));
    const std::string bare = testsupport::ReadFile(dir.File("povsnap0000.pov"));
    EXPECT_EQ(Count(bare, "PARTICLES"), 0u);
    EXPECT_NE(bare.find("#declare MESH0"), std::string::npos);
}

TEST(PovSceneWriter, EveryStickFilterIsInstancedUnderItsOwnNames) {
    PovRayCtrl_cls ctrl;
    FakeSources src;
    src.sticks = 2;
    PovSceneWriter_cls writer(&ctrl, &src);
    // Without copies: the plain sticks of each filter once.
    wxString single;
    writer.WritePovObjects(single, 0, 2);
    EXPECT_EQ(Count(S(single), "\tSTICKS0\n"), 1u);
    EXPECT_EQ(Count(S(single), "\tSTICKS0_F1\n"), 1u);
    EXPECT_EQ(Count(S(single), "_F2"), 0u);
    // With copies: each filter's own image unions in the copies that have the neighbour.
    src.copies = 3;
    wxString c;
    writer.WritePovObjects(c, 0, 2);
    const std::string text = S(c);
    for (const char* name : {"\tSTICKS0\n", "\tSTICKS0_F1\n"}) EXPECT_EQ(Count(text, name), 3u) << name;
    for (const char* name : {"\tSTICKS1\n", "\tSTICKS1_F1\n"}) EXPECT_EQ(Count(text, name), 2u) << name;
    EXPECT_EQ(Count(text, "STICKS3"), 0u);
    EXPECT_EQ(StickUnionName(0, 5), "STICKS5");
    EXPECT_EQ(StickUnionName(2, 7), "STICKS7_F2");
}

TEST(PovSceneWriter, CopiesSticksAndDataBox) {
    testsupport::TempDir dir;
    PovRayCtrl_cls ctrl;
    ctrl.pathPovWork.text = dir.Path();
    FakeSources src;
    src.copies = 3;
    src.sticks = 1;
    PovSceneWriter_cls writer(&ctrl, &src);
    wxString c;
    writer.WritePovObjects(c, 0, 1);
    const std::string text = S(c);
    EXPECT_EQ(Count(text, "\tPARTICLES\n"), 3u);
    EXPECT_EQ(Count(text, "\tSTICKS0\n"), 3u);
    EXPECT_EQ(Count(text, "\tSTICKS1\n"), 2u);
    for (const char* never : {"STICKS3", "STICKS5", "STICKS7"}) EXPECT_EQ(Count(text, never), 0u);
    EXPECT_EQ(Count(text, "\ttranslate <2,0,0>\n"), 2u);  // the third copy's particles and sticks

    src.dataBox = true;
    src.objects = true;
    ASSERT_TRUE(writer.WritePovScene(dir.File("a.pov"), "CommonScene.pov", dir.File("CommonScene.pov")));
    const std::string pov = testsupport::ReadFile(dir.File("a.pov"));
    EXPECT_EQ(Count(pov, "\nunion {\n"), 2u);
    EXPECT_NE(pov.find("union {\n\tobject {\n\t\tPARTICLES"), std::string::npos);
    EXPECT_NE(pov.find("\t// box 0\n}\n"), std::string::npos);
    EXPECT_NE(pov.find("\t// box 1\n}\n"), std::string::npos);
}

TEST(PovSceneWriter, OneFrameSequenceSharesTheCommonFile) {
    testsupport::TempDir dir;
    PovRayCtrl_cls ctrl;
    ctrl.pathPovWork.text = dir.Path();
    FakeSources src;
    src.frames = 1;
    PovSceneWriter_cls writer(&ctrl, &src);
    ASSERT_TRUE(ctrl.ToggleExportAnim(false));
    ASSERT_TRUE(writer.ExportPovAnimationFrame());
    ASSERT_TRUE(writer.ExportPovAnimationFrame());
    EXPECT_EQ(src.particleCalls, 1);  // the common file is written once per run
    for (const char* f : {"povanim0000.pov", "povanim0001.pov"}) {
        const std::string pov = testsupport::ReadFile(dir.File(f));
        EXPECT_NE(pov.find("#include \"CommonScene.pov\"\n"), std::string::npos) << f;
        EXPECT_NE(pov.find("\tPARTICLES\n"), std::string::npos) << f;
    }
    EXPECT_NE(testsupport::ReadFile(dir.File("CommonScene.pov")).find("#declare PARTICLES"), std::string::npos);
    // A rendering run names the common file relative to the work folder, where POV-Ray runs,
    // even when full paths are asked for; an export run keeps them. A snapshot always
    // rewrites the file.
    ctrl.output->fileAbsolute.value = true;
    ctrl.renderAfter = true;
    ASSERT_TRUE(writer.ExportPovAnimationFrame());
    EXPECT_NE(testsupport::ReadFile(dir.File("povanim0002.pov")).find("#include \"CommonScene.pov\"\n"),
              std::string::npos);
    EXPECT_NE(testsupport::ReadFile(dir.File("povanim0002.ini")).find("Input_File_Name=\"povanim0002.pov\""),
              std::string::npos);
    ctrl.renderAfter = false;
    ASSERT_TRUE(writer.ExportPovAnimationFrame());
    EXPECT_NE(testsupport::ReadFile(dir.File("povanim0003.pov"))
                  .find("#include \"" + dir.File("CommonScene.pov") + "\""),
              std::string::npos);
    EXPECT_TRUE(ctrl.output->fileAbsolute.value);
    ctrl.output->fileAbsolute.value = false;
    writer.ExportPovSnapshot(false);
    EXPECT_EQ(src.particleCalls, 2);
    EXPECT_FALSE(ctrl.output->fileAbsolute.value);

    // A common file that cannot be written: the scene stays empty and the export says so.
    ctrl.commonWritten = 0;
    EXPECT_FALSE(writer.WritePovScene(dir.File("b.pov"), "x", dir.File("no/such/CommonScene.pov")));
    EXPECT_EQ(testsupport::ReadFile(dir.File("b.pov")), "");
}

TEST(PovSceneWriter, CommonFileWithoutParticlesIsWrittenAgainByTheNextStep) {
    testsupport::TempDir dir;
    PovRayCtrl_cls ctrl;
    ctrl.pathPovWork.text = dir.Path();
    FakeSources src;
    src.frames = 1;
    src.loaded = false;  // the run's first step comes before the frame is loaded
    PovSceneWriter_cls writer(&ctrl, &src);
    ASSERT_TRUE(ctrl.ToggleExportAnim(false));
    writer.ExportPovAnimationFrame();
    EXPECT_EQ(testsupport::ReadFile(dir.File("povanim0000.pov")).find("PARTICLES"), std::string::npos);
    src.loaded = true;
    ASSERT_TRUE(writer.ExportPovAnimationFrame());
    ASSERT_TRUE(writer.ExportPovAnimationFrame());
    EXPECT_EQ(src.particleCalls, 2);  // tried again by the next step, then kept for the run
    EXPECT_NE(testsupport::ReadFile(dir.File("CommonScene.pov")).find("#declare PARTICLES"), std::string::npos);
    for (const char* f : {"povanim0001.pov", "povanim0002.pov"})
        EXPECT_NE(testsupport::ReadFile(dir.File(f)).find("\tPARTICLES\n"), std::string::npos) << f;
    if (!povprobe::Available()) return;
    // The last step's scene, with the common file it includes, parses.
    ctrl.output->width.value = 16;
    ctrl.output->height.value = 12;
    ctrl.output->display.value = false;
    ASSERT_TRUE(ctrl.WriteIni(dir.File("povanim0002.ini")));
    const PovRenderCommand_cls cmd = ctrl.MakeRenderCommand(dir.File("povanim0002"));
    const platform::ChildResult r = platform::RunChild(cmd.program, cmd.args, cmd.workDir);
    ASSERT_TRUE(r.started) << r.error;
    EXPECT_EQ(r.exitCode, 0) << r.output;
}

TEST(PovSceneWriter, NoLightQuestion) {
    testsupport::TempDir dir;
    PovRayCtrl_cls ctrl;
    ctrl.pathPovWork.text = dir.Path();
    FakeSources src;
    src.lights = 0;
    PovSceneWriter_cls writer(&ctrl, &src);
    int asked = 0;
    bool answer = false;
    writer.askNoLight = [&]() { ++asked; return answer; };
    EXPECT_FALSE(writer.ExportPovSnapshot(false));
    EXPECT_FALSE(testsupport::FileExists(dir.File("povsnap0000.pov")));
    answer = true;
    EXPECT_TRUE(writer.ExportPovSnapshot(false));
    EXPECT_TRUE(testsupport::FileExists(dir.File("povsnap0000.pov")));
    EXPECT_EQ(asked, 2);
}

TEST(PovSceneWriter, RenderedSceneShowsTheParticlesWhereTheViewDoes) {
    if (!povprobe::Available()) GTEST_SKIP() << "POV-Ray is not installed";
    testsupport::TempDir dir;
    PovRayCtrl_cls ctrl;
    povsnapshot::SmallPpmOutput(ctrl, dir.File("work"));
    FakeSources src;
    PovSceneWriter_cls writer(&ctrl, &src);
    povsnapshot::Picture pic;
    ASSERT_NO_FATAL_FAILURE(povsnapshot::RenderSnapshot(ctrl, writer, dir.File("work"), pic));
    auto px = [&](int x, int y, int ch) { return pic.At(x, y, ch); };
    // The red particle at the centre, the green one right of it, the blue background at a corner.
    EXPECT_GT(px(32, 24, 0), 150);
    EXPECT_LT(px(32, 24, 1), 60);
    EXPECT_LT(px(32, 24, 2), 60);
    // x = 1.2 at distance 6 with a 35 degree vertical angle: 1.2 / (6 tan 17.5) * 24 + 32 = 47.
    EXPECT_GT(px(47, 24, 1), 150);
    EXPECT_LT(px(47, 24, 0), 60);
    EXPECT_LT(px(17, 24, 1), 60);  // nothing mirrored on the left
    EXPECT_GT(px(1, 1, 2), 200);
    EXPECT_LT(px(1, 1, 0), 30);
}

TEST(PovSceneWriter, OrthographicRenderShowsWhatLiesBehindTheCameraAsTheViewDoes) {
    // An orthographic view draws what lies up to its depth range behind the camera too; a
    // render whose camera started at the camera's own place would leave it out.
    if (!povprobe::Available()) GTEST_SKIP() << "POV-Ray is not installed";
    testsupport::TempDir dir;
    PovRayCtrl_cls ctrl;
    povsnapshot::SmallPpmOutput(ctrl, dir.File("work"));
    FakeSources src;
    src.cameraType = POV_CAMERA_ORTHOGRAPHIC;
    src.greenY = -8;  // two units behind the camera
    PovSceneWriter_cls writer(&ctrl, &src);
    povsnapshot::Picture pic;
    ASSERT_NO_FATAL_FAILURE(povsnapshot::RenderSnapshot(ctrl, writer, dir.File("work"), pic));
    auto px = [&](int x, int y, int ch) { return pic.At(x, y, ch); };
    // The box is 6 units high over 48 pixels: x = 1.2 lands 9.6 pixels right of the centre.
    EXPECT_GT(px(41, 24, 1), 40);
    EXPECT_LT(px(41, 24, 0), 30);
    EXPECT_LT(px(41, 24, 2), 60);  // not the blue background
    EXPECT_GT(px(32, 24, 0), 150);  // the red sphere at the pivot
}

TEST(PovSceneWriter, UnwritableFolderIsNamedInTheFailure) {
    testsupport::TempDir dir;
    testsupport::WriteFile(dir.File("file"), "x");
    PovRayCtrl_cls ctrl;
    ctrl.pathPovWork.text = dir.File("file/sub");  // a file is in the way
    FakeSources src;
    PovSceneWriter_cls writer(&ctrl, &src);
    EXPECT_FALSE(writer.ExportPovSnapshot(false));
    EXPECT_NE(writer.failure.find("cannot write " + dir.File("file/sub/povsnap0000")), std::string::npos)
        << writer.failure;
    ctrl.pathPovWork.text = dir.Path();
    EXPECT_TRUE(writer.ExportPovSnapshot(false));
    EXPECT_EQ(writer.failure, "");
}

// An export is a success only when both its files are written whole: a missing .ini, or
// particles left out of the scene, is a failure that says what happened.
TEST(PovSceneWriter, HalfAnExportIsAFailure) {
    testsupport::TempDir dir;
    PovRayCtrl_cls ctrl;
    ctrl.pathPovWork.text = dir.Path();
    FakeSources src;
    PovSceneWriter_cls writer(&ctrl, &src);
    // A folder where the .ini should go: the scene is written, the .ini is not.
    ASSERT_TRUE(platform::MakeDirectories(dir.File("povsnap0000.ini")));
    EXPECT_FALSE(writer.ExportPovSnapshot(false));
    EXPECT_NE(writer.failure.find("cannot write " + dir.File("povsnap0000.ini")), std::string::npos)
        << writer.failure;
    EXPECT_NE(testsupport::ReadFile(dir.File("povsnap0000.pov")).find("PARTICLES"), std::string::npos);
    ASSERT_TRUE(platform::MakeDirectories(dir.File("povanim0000.ini")));
    EXPECT_FALSE(writer.ExportPovAnimationFrame());
    EXPECT_NE(writer.failure.find("povanim0000.ini"), std::string::npos) << writer.failure;

    // Both files written, but the particle text lacks particles.
    testsupport::TempDir other;
    ctrl.pathPovWork.text = other.Path();
    src.particleProblem = "no frame has been drawn yet; the scene holds no particles";
    EXPECT_FALSE(writer.ExportPovSnapshot(false));
    EXPECT_EQ(writer.failure, "particles: no frame has been drawn yet; the scene holds no particles");
    EXPECT_TRUE(writer.ExportPovSnapshot(false));
    EXPECT_EQ(writer.failure, "");
}

// A name pattern that holds ".ini" or ".pov" before its number: the .ini names the scene
// that was written beside it, and the image after the same name.
TEST(PovSceneWriter, IniNamesTheSceneWrittenUnderAnyPattern) {
    testsupport::TempDir dir;
    PovRayCtrl_cls ctrl;
    ctrl.pathPovWork.text = dir.Path();
    FakeSources src;
    PovSceneWriter_cls writer(&ctrl, &src);
    for (const char* pattern : {"run.ini%04d", "a.pov.b%04d"}) {
        ctrl.filePovSnap.text = pattern;
        ASSERT_TRUE(writer.ExportPovSnapshot(false)) << writer.failure;
        const std::string base = S(ctrl.GetPovFileName(PovRayCtrl_cls::FILE_SNAPSHOT));
        const std::string ini = testsupport::ReadFile(base + ".ini");
        const std::string name = base.substr(base.rfind('/') + 1);
        // relative or with the folder, as the output settings say
        EXPECT_NE(ini.find(name + ".pov\"\nOutput_File_Name="), std::string::npos) << ini;
        const size_t out = ini.find("Output_File_Name=");
        ASSERT_NE(out, std::string::npos);
        EXPECT_NE(ini.find(name + "\"\n", out), std::string::npos) << ini;
        EXPECT_NE(testsupport::ReadFile(base + ".pov").find("camera {"), std::string::npos) << pattern;
    }
}
