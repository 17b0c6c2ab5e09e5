// POV-Ray controller: settings round trip, file names, .ini text, settings-group text,
// animation run states.
#include <gtest/gtest.h>

#include "common/GLCamera.h"
#include "scene/PovFocalBlurSettings.h"
#include "scene/PovOutputSettings.h"
#include "scene/PovPhotonsSettings.h"
#include "scene/PovRadiositySettings.h"
#include "scene/PovRayCtrl.h"
#include "scene/PovSceneSources.h"
#include "scene/PovRayHost.h"
#include "scene/PovRegionSettings.h"
#include "scene/PovText.h"
#include "scene/PovTraceSettings.h"
#include "tests/support/TestFiles.h"
#include "timeline/TimeCtrl.h"

namespace {

std::string S(const wxString& s) { return s.utf8_string(); }

std::vector<std::string> Lines(const wxString& text) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : S(text)) {
        if (c == '\n') {
            if (!cur.empty() && cur.back() == '\r') cur.pop_back();
            out.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) out.push_back(cur);
    return out;
}

void Feed(PovRayCtrl_cls& c, const std::string& text) {
    for (const std::string& line : Lines(wxString::FromUTF8(text))) c.ReadConfig(wxString::FromUTF8(line));
}

}  // namespace

TEST(PovRayCtrl, ConfigWritesEveryGroupInOrderAndReadsBackTheSame) {
    PovRayCtrl_cls a;
    const std::vector<std::string> lines = Lines(a.WriteConfig());
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(lines[0], "PathPovRay=/usr/bin/povray");
    EXPECT_EQ(lines[2], "FilePovSnap=povsnap%04d");
    EXPECT_EQ(lines[4], "PovTweaks=0");
    EXPECT_EQ(lines[5], "UseCommonSceneFile=1");
    EXPECT_EQ(lines[6], "PovRadiosityType=0");  // radiosity comes first of the six groups
    EXPECT_EQ(lines.back(), "PovMaxTraceLevel=12");  // trace last
    // Every key starts its line and no key is the start of another.
    std::vector<std::string> keys;
    for (const std::string& l : lines) keys.push_back(l.substr(0, l.find('=') + 1));
    for (size_t i = 0; i < keys.size(); ++i) {
        for (size_t j = 0; j < keys.size(); ++j) {
            if (i != j) {
                EXPECT_NE(keys[j].rfind(keys[i], 0), 0u) << keys[i] << " starts " << keys[j];
            }
        }
    }

    PovRayCtrl_cls b;
    Feed(b, "PathPovRay=/opt/pov/bin/povray\r\nPathPovWork=/data/w\r\nFilePovAnim=frame_%05d\r\n"
            "PovTweaks=1\r\nPovRadiosityType=2\r\nPovRadiosityPathDir=/data/w/pre.rad\r\n"
            "PovRenderAnimNinit=5\r\nPovPhotonsCount=30\r\nPovFocusLocation=1 2 3\r\n"
            "PovCameraWidth=1920\r\nPovCameraHeight=1080\r\nPovOutputFomat=5\r\nPovMaxTraceLevel=7\r\n");
    EXPECT_EQ(b.output->sizeTemplate.selected, 6u);  // 1920x1080 is a template
    PovRayCtrl_cls c;
    Feed(c, S(b.WriteConfig()));
    EXPECT_EQ(S(c.WriteConfig()), S(b.WriteConfig()));
    EXPECT_EQ(S(c.pathPovWork.text), "/data/w");
    EXPECT_EQ(c.region->initial.value, 5);
    EXPECT_EQ(c.trace->maxTraceLevel.value, 7);
    EXPECT_EQ(S(b.WritePathConfig()), "PathPovRay=/opt/pov/bin/povray\r\nPathPovWork=/data/w\r\n");
}

TEST(PovRayCtrl, OutOfRangeValuesFromFilesAreClamped) {
    PovRayCtrl_cls c;
    Feed(c, "PovOutputFomat=99\nPovRadHighReproduce=7\nPovFocalBlurQuality=-4\nPovRenderRegion=9\n");
    EXPECT_EQ(c.output->format.value, 7u);
    EXPECT_EQ(c.radiosity->highReproduce.value, 1u);
    EXPECT_EQ(c.focalBlur->quality.value, 0);
    EXPECT_EQ(c.region->region.value, 2u);
}

TEST(PovRayCtrl, FileNamesFollowThePatternsAndTheWorkFolder) {
    PovRayCtrl_cls c;
    c.pathPovWork.text = "/d/w";
    c.animCounter = 7;
    EXPECT_EQ(S(c.GetPovFileName(PovRayCtrl_cls::FILE_SNAPSHOT)), "/d/w/povsnap0000");
    EXPECT_EQ(S(c.GetPovFileName(PovRayCtrl_cls::FILE_ANIMATION)), "/d/w/povanim0007");
    EXPECT_EQ(S(c.GetPovFileName(PovRayCtrl_cls::FILE_ANIMATION, 12)), "/d/w/povanim0012");
    EXPECT_EQ(S(c.GetPovFileName(PovRayCtrl_cls::FILE_COMMON)), "CommonScene.pov");
    c.output->fileAbsolute.value = true;
    EXPECT_EQ(S(c.GetPovFileName(PovRayCtrl_cls::FILE_COMMON)), "/d/w/CommonScene.pov");
    // A folder holding '%' is taken literally; a pattern's other conversions never reach printf.
    c.pathPovWork.text = "/d/100%s";
    c.filePovSnap.text = "shot%s%n_%03d";
    EXPECT_EQ(S(c.GetPovFileName(PovRayCtrl_cls::FILE_SNAPSHOT)), "/d/100%s/shot%s%n_000");
    c.filePovSnap.text = "plain";
    EXPECT_EQ(S(c.GetPovFileName(PovRayCtrl_cls::FILE_SNAPSHOT, 3)), "/d/100%s/plain3");
    EXPECT_EQ(S(c.GetPathPrefix(true)), "/d/100%s/");
    EXPECT_EQ(S(c.GetPathPrefix(false)), "./");
    EXPECT_EQ(S(c.MakeRelativePath("/d/100%s/mesh/a.inc")), "mesh/a.inc");
    EXPECT_EQ(S(c.MakeRelativePath("/elsewhere/a.inc")), "/elsewhere/a.inc");
}

TEST(PovRayCtrl, IniFileWithDefaultsAndWithOptions) {
    testsupport::TempDir dir;
    PovRayCtrl_cls c;
    c.pathPovWork.text = dir.Path();
    const std::string ini = dir.File("povsnap0001.ini");
    ASSERT_TRUE(c.WriteIni(ini));
    EXPECT_EQ(testsupport::ReadFile(ini),
              "width=640\nheight=480\nDISPLAY=on\nPause_When_Done=off\nVersion=3.7\n"
              "Display_Gamma=1\nFile_Gamma=1\nRender_Block_Size=48\nRender_Pattern=3\n"
              "Bounding_Method=2\nAntialias=0\nJitter=0\nOutput_File_Type=N\nOutput_Alpha=0\n"
              "Input_File_Name=\"povsnap0001.pov\"\nOutput_File_Name=\"povsnap0001\"\n"
              "#Initial_Frame=0\n#Final_Frame=10\n#Subset_Start_Frame=0\n#Subset_End_Frame=9\n");

    struct Case {
        const char* what;
        std::function<void(PovOutputSettings_cls&)> set;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const std::vector<Case> cases = {
        {"antialias", [](PovOutputSettings_cls& o) { o.antialias.value = true; },
         {"Antialias=1", "Antialias_Threshold=0.150000", "Antialias_Depth=3"}, {"Jitter_Amount="}},
        {"jitter", [](PovOutputSettings_cls& o) { o.jitter.value = true; },
         {"Jitter=1", "Jitter_Amount=1.000000"}, {"Antialias_Threshold="}},
        {"png 16", [](PovOutputSettings_cls& o) { o.format.value = 2; },
         {"Output_File_Type=N", "Bits_Per_Color=16"}, {"Compression="}},
        {"png 12", [](PovOutputSettings_cls& o) { o.format.value = 1; }, {"Bits_Per_Color=12"}, {}},
        {"system bitmap is bmp", [](PovOutputSettings_cls& o) { o.format.value = 3; },
         {"Output_File_Type=B"}, {"Output_File_Type=S", "Bits_Per_Color"}},
        {"jpeg", [](PovOutputSettings_cls& o) { o.format.value = 5; },
         {"Output_File_Type=J", "Compression=95"}, {}},
        {"no bounding", [](PovOutputSettings_cls& o) { o.boundingMethod.value = 0; }, {}, {"Bounding_Method"}},
        {"absolute", [](PovOutputSettings_cls& o) { o.fileAbsolute.value = true; },
         {"Input_File_Name=\"" + dir.File("povsnap0001.pov") + "\"",
          "Output_File_Name=\"" + dir.File("povsnap0001") + "\""}, {}},
    };
    for (const Case& k : cases) {
        PovRayCtrl_cls d;
        k.set(*d.output);
        const std::vector<std::string> lines = Lines(d.output->IniText(wxString::FromUTF8(ini)));
        for (const std::string& p : k.present)
            EXPECT_NE(std::find(lines.begin(), lines.end(), p), lines.end()) << k.what << ": " << p;
        for (const std::string& a : k.absent)
            for (const std::string& l : lines) EXPECT_EQ(l.rfind(a, 0), std::string::npos) << k.what << ": " << l;
    }
    EXPECT_FALSE(c.WriteIni(dir.File("missing/sub/x.ini")));
}

TEST(PovRayCtrl, IniNamesChangeOnlyTheFilesExtension) {
    // A render names its files with their full paths: folders whose names hold ".pov" or
    // ".ini" (POV-Ray's own ~/.povray among them) must come through unchanged.
    struct Case {
        const char* ini;
        const char* input;
        const char* output;
    };
    const std::vector<Case> cases = {
        {"/home/u/.povray/work/povsnap0001.ini", "/home/u/.povray/work/povsnap0001.pov",
         "/home/u/.povray/work/povsnap0001"},
        {"/data/a.ini.d/b.pov/povanim0007.ini", "/data/a.ini.d/b.pov/povanim0007.pov",
         "/data/a.ini.d/b.pov/povanim0007"},
        {"/w/povsnap0000.ini", "/w/povsnap0000.pov", "/w/povsnap0000"},
        // extensions inside the file's own name are part of the name
        {"/w/run.ini0003.ini", "/w/run.ini0003.pov", "/w/run.ini0003"},
        {"/w/a.pov.b.ini.c0002.ini", "/w/a.pov.b.ini.c0002.pov", "/w/a.pov.b.ini.c0002"},
    };
    for (const Case& k : cases) {
        PovRayCtrl_cls c;
        c.output->fileAbsolute.value = true;
        const std::vector<std::string> lines = Lines(c.output->IniText(k.ini));
        EXPECT_NE(std::find(lines.begin(), lines.end(), std::string("Input_File_Name=\"") + k.input + "\""),
                  lines.end())
            << k.ini;
        EXPECT_NE(std::find(lines.begin(), lines.end(), std::string("Output_File_Name=\"") + k.output + "\""),
                  lines.end())
            << k.ini;
        c.output->fileAbsolute.value = false;
        const std::vector<std::string> relative = Lines(c.output->IniText(k.ini));
        const std::string name = std::string(k.output).substr(std::string(k.output).rfind('/') + 1);
        EXPECT_NE(std::find(relative.begin(), relative.end(), "Output_File_Name=\"" + name + "\""), relative.end())
            << k.ini;
    }
}

TEST(PovRayCtrl, RadiosityIniLinesAndPretraceCheck) {
    testsupport::TempDir dir;
    PovRayCtrl_cls c;
    c.pathPovWork.text = dir.Path();
    EXPECT_EQ(S(c.radiosity->IniText()), "");
    c.radiosity->type.value = 1;
    c.radiosity->reuse.value = 2;
    c.radiosity->pathDir.text = "NONE";
    EXPECT_EQ(S(c.radiosity->IniText()),
              "Radiosity_From_File=on\nRadiosity_Vain_Pretrace=off\nHigh_Reproducibility=off\n");
    testsupport::WriteFile(dir.File("pre.rad"), "x");
    c.radiosity->pathDir.text = dir.File("pre.rad");
    c.radiosity->highReproduce.value = 1;
    EXPECT_EQ(S(c.radiosity->IniText()),
              "Radiosity_File_Name=\"./pre.rad\"\nRadiosity_From_File=on\n"
              "Radiosity_Vain_Pretrace=off\nHigh_Reproducibility=on\n");
    c.radiosity->pathDir.text = dir.File("absent.rad");
    EXPECT_FALSE(c.radiosity->CheckPretraceFile());  // loading needs the file
    c.radiosity->reuse.value = 1;
    EXPECT_TRUE(c.radiosity->CheckPretraceFile());  // saving needs its folder
    c.radiosity->pathDir.text = dir.File("no/such/folder/a.rad");
    EXPECT_FALSE(c.radiosity->CheckPretraceFile());
    EXPECT_EQ(S(c.radiosity->IniText()),
              "Radiosity_To_File=on\nRadiosity_Vain_Pretrace=off\nHigh_Reproducibility=on\n");
}

TEST(PovRayCtrl, GlobalSettingsAndCameraText) {
    PovRayCtrl_cls c;
    EXPECT_EQ(S(c.WriteGlobalSettings("rgb<0.100,0.200,0.300>")),
              "global_settings {\n\tmax_trace_level 12\n}\nbackground {rgb<0.100,0.200,0.300>}\n");
    c.photons->type.value = 1;
    c.radiosity->type.value = 2;
    const std::string g = S(c.WriteGlobalSettings("rgb<0,0,0>"));
    EXPECT_NE(g.find("\tphotons {\n\t\tcount 20000\t\tautostop 0\t\tjitter 0.4\t\tmax_trace_level 5\t}\n"),
              std::string::npos);
    EXPECT_NE(g.find("\tradiosity {\n\t\talways_sample on\n\t\tpretrace_start 0.080000\n"), std::string::npos);
    EXPECT_NE(g.find("\t\trecursion_limit 3\n\t\tnormal on\n\t}\n\tambient_light 0\n"), std::string::npos);
    EXPECT_LT(g.find("max_trace_level 12"), g.find("radiosity"));
    EXPECT_LT(g.find("radiosity"), g.find("photons"));

    const double pos[3] = {0, -5, 0}, second[3] = {0, 0, 0}, dir[3] = {0, 1, 0}, up[3] = {0, 0, 1},
                 right[3] = {1, 0, 0};
    PovViewCamera_cls view;
    view.camera = GLCamera_cls(pos, second, dir, up, right);
    view.angle = 40;
    view.orthoHeight = 2.5;
    // Each camera type with its own sizing: the angle, the orthographic box, the band's angles.
    const struct {
        int type;
        const char* text;
    } cameras[] = {
        {POV_CAMERA_PERSPECTIVE,
         "camera {\n\tperspective\n\tlocation<0.00000,-5.00000,0.00000>\n"
         "\tlook_at<0.00000,5.00000,0.00000>\n\tsky<0.00000000,0.00000000,1.00000000>\n"
         "\tangle CameraAngle\n\tright -x*image_width/image_height\n}\n"},
        {POV_CAMERA_ORTHOGRAPHIC,
         "camera {\n\torthographic\n\tlocation<0.00000,-1005.00000,0.00000>\n"
         "\tlook_at<0.00000,5.00000,0.00000>\n\tsky<0.00000000,0.00000000,1.00000000>\n"
         "\tright -x*2.500000*image_width/image_height\n\tup y*2.500000\n}\n"},
        {POV_CAMERA_FISHEYE,
         "camera {\n\tfisheye\n\tlocation<0.00000,-5.00000,0.00000>\n"
         "\tlook_at<0.00000,5.00000,0.00000>\n\tsky<0.00000000,0.00000000,1.00000000>\n"
         "\tangle CameraAngle\n\tright -x*image_width/image_height\n}\n"},
        {POV_CAMERA_SPHERICAL,
         "camera {\n\tspherical\n\tlocation<0.00000,-5.00000,0.00000>\n"
         "\tlook_at<0.00000,5.00000,0.00000>\n\tsky<0.00000000,0.00000000,-1.00000000>\n"
         "\tangle min(360, 80.000000*image_width/image_height), min(180, 80.000000)\n"
         "\tright -x*image_width/image_height\n}\n"},
    };
    for (const auto& k : cameras) {
        view.type = k.type;
        EXPECT_EQ(S(c.WriteCamera(view)), k.text) << "type " << k.type;
    }
    EXPECT_EQ(S(PovRayCtrl_cls::WriteCameraAngle(180, true)),
              "#declare CameraAngle=\n180.000000;\n#if (CameraAngle < 0)\n"
              "#declare CameraAngle = CameraAngle+180;\n#end\n\n");

    c.objectIndent = 1;
    c.objectModifier = "translate <1,0,0>";
    EXPECT_EQ(S(c.WrapObject("PARTICLES")), "\tobject {\n\t\tPARTICLES\n\t\ttranslate <1,0,0>\n\t}\n");
    c.objectIndent = -2;
    c.objectModifier.clear();
    EXPECT_EQ(S(c.WrapObject("STICKS0")), "object {\n\tSTICKS0\n}\n");
}

TEST(PovRayCtrl, FocalBlurAndPhotonsModifier) {
    PovRayCtrl_cls c;
    const double pos[3] = {1, 2, 3}, second[3] = {0, 0, 0}, dir[3] = {0, 0, -2}, up[3] = {0, 1, 0},
                 right[3] = {1, 0, 0};
    GLCamera_cls cam(pos, second, dir, up, right);
    const double sv[3] = {0, 0, 0};
    GLCameraPose_cls anchor(4, 5, 6, sv);
    PovFocalBlurSettings_cls& f = *c.focalBlur;
    EXPECT_EQ(S(f.PovCameraText(cam, anchor, 1.0)), "");
    f.focalBlur.value = 1;
    f.scale.value = 0.25f;
    f.quality.value = 0;
    EXPECT_EQ(S(f.PovCameraText(cam, anchor, 2.0)),
              "\taperture 0.5\n\tblur_samples 3\n\tconfidence 0.984375\n\tvariance 1/64\n"
              "\tfocal_point <0.0000,0.0000,0.0000>\n");
    struct Q { int q, samples, v; };
    for (Q k : {Q{1, 8, 128}, Q{2, 32, 640}, Q{5, 200, 5248}}) {
        f.quality.value = k.q;
        const std::string t = S(f.PovCameraText(cam, anchor, 1.0));
        EXPECT_NE(t.find("blur_samples " + std::to_string(k.samples) + "\n"), std::string::npos) << k.q;
        EXPECT_NE(t.find("variance 1/" + std::to_string(k.v) + "\n"), std::string::npos) << k.q;
    }
    f.locationType.value = 1;
    EXPECT_NE(S(f.PovCameraText(cam, anchor, 1)).find("focal_point <4.0000,5.0000,6.0000>"), std::string::npos);
    f.locationType.value = 3;
    f.distance.value = 2;
    EXPECT_NE(S(f.PovCameraText(cam, anchor, 1)).find("focal_point <1.0000,2.0000,1.0000>"), std::string::npos);
    f.locationType.value = 4;
    f.location.values[0] = -1;
    EXPECT_NE(S(f.PovCameraText(cam, anchor, 1)).find("focal_point <-1.0000,0.0000,0.0000>"), std::string::npos);

    EXPECT_EQ(S(PovPhotonsModifier(1.0, 0, 0, false)), "");
    c.photons->type.value = 1;
    EXPECT_EQ(S(PovPhotonsModifier(1.0, 0, 0, false)),
              "\tphotons{ target off reflection off refraction off collect on }\n");
    EXPECT_EQ(S(PovPhotonsModifier(0.05, 0.5, 0.1, false)),
              "\tphotons{ target on reflection on refraction on collect off }\n");
    EXPECT_EQ(S(PovPhotonsModifier(0.5, 0, 0, true)),
              "\tphotons{ target off reflection off refraction on collect on }\n");
    EXPECT_TRUE(PovFastColoring());
    c.output->fastColoring.value = false;
    EXPECT_FALSE(PovFastColoring());
}

namespace {
struct RecordingHost : PovRayHost_cls {
    int busy = 0;
    std::vector<bool> frameEnabled;
    std::atomic<int> done{0};
    void ReadControls() override {}
    void UpdateBusyState() override { ++busy; }
    void EnableFrame(bool e) override { frameEnabled.push_back(e); }
    void RenderDone() override { ++done; }
};
}  // namespace

TEST(PovRayCtrl, AnimationRunStatesAndRenderQueue) {
    PovRayCtrl_cls c;
    RecordingHost host;
    c.SetHost(&host);
    c.pathPovWork.text = "/w";
    c.region->initial.value = 5;
    c.output->pauseWhenDone.value = true;

    // Export-only run: start, then the same command stops it.
    EXPECT_TRUE(c.ToggleExportAnim(false));
    EXPECT_TRUE(c.exporting);
    EXPECT_FALSE(c.renderAfter);
    EXPECT_FALSE(c.ToggleExportAnim(false));
    EXPECT_FALSE(c.exporting);
    EXPECT_EQ(host.frameEnabled, (std::vector<bool>{false, true}));

    // Export-and-render run over three frames: the queue names povanim0005..0007, each
    // with -P although the user asked the renderer to pause.
    EXPECT_TRUE(c.ToggleExportAnim(true));
    EXPECT_EQ(c.animCounter, 5);
    for (int i = 0; i < 3; ++i) c.NextAnimFrame();
    c.OnExportRunEnd();
    EXPECT_FALSE(c.exporting);
    EXPECT_TRUE(c.renderAfter);
    ASSERT_EQ(c.renderQueue.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(c.renderQueue[i].args, (std::vector<std::string>{"povanim000" + std::to_string(5 + i) + ".ini", "-P"}));
        EXPECT_EQ(c.renderQueue[i].workDir, "/w");
    }
    EXPECT_EQ(c.animCounter, 0);
    EXPECT_TRUE(c.output->pauseWhenDone.value);
    EXPECT_EQ(c.MakeRenderCommand("/w/x").args, (std::vector<std::string>{"x.ini"}));  // named in the folder it runs in
    EXPECT_EQ(host.frameEnabled, (std::vector<bool>{false, true, false, true}));
    // Pressing a run command during the queue abandons it.
    EXPECT_FALSE(c.ToggleExportAnim(true));
    EXPECT_FALSE(c.renderAfter);
    EXPECT_TRUE(c.renderQueue.empty());

    // A rendering run stopped while it exports gives the main frame back.
    EXPECT_TRUE(c.ToggleExportAnim(true));
    EXPECT_FALSE(c.ToggleExportAnim(false));
    EXPECT_FALSE(c.exporting || c.renderAfter);
    EXPECT_TRUE(host.frameEnabled.back());

    // A rendering run stopped before any frame was exported: the next idle step ends it.
    EXPECT_TRUE(c.ToggleExportAnim(true));
    c.OnExportRunEnd();
    EXPECT_TRUE(c.renderQueue.empty());
    c.RenderNextAnimFrame();
    EXPECT_FALSE(c.renderAfter);
    EXPECT_EQ(host.done.load(), 0);
    c.SetHost(nullptr);
}

TEST(PovRayCtrl, RegionInitialNumber) {
    PovRayCtrl_cls c;
    c.region->initial.value = 9;
    c.region->region.value = 1;
    c.region->CalcInitialNumber();  // the whole scene needs no time model
    EXPECT_EQ(c.region->initial.value, 0);
    c.region->region.value = 2;
    c.region->initial.value = 9;
    c.region->CalcInitialNumber();  // without a time model nothing changes
    EXPECT_EQ(c.region->initial.value, 9);

    TimeCtrl_cls time;
    c.SetTimeCtrl(&time);
    time.animStep.value = 2;
    time.animInterp.value = 3;
    c.region->customMin.value = 25;
    c.region->CalcInitialNumber();
    EXPECT_EQ(c.region->initial.value, 36);
    // The working area numbers its frames from its start: frame 0 lies 4 steps before 8.
    time.workAreaMin.value = 8;
    c.region->region.value = 0;
    c.region->CalcInitialNumber();
    EXPECT_EQ(c.region->initial.value, 12);
    c.SetTimeCtrl(nullptr);
}
