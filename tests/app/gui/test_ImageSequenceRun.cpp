// Image sequences written by the running program from the demo data: "Render Anim" plays
// the work area and the main view writes one numbered file per step, pictures following
// the moving data; stereo written separately gives left/right pairs; "Abort Anim" ends the
// run after the frame being drawn.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <wx/image.h>
#include <wx/tglbtn.h>

#include "app/gui/AppCore.h"
#include "app/gui/FrameMain.h"
#include "app/gui/TopHalfPanel.h"
#include "common/gui/ButtonEX.h"
#include "view/gui/MainGLCanvas.h"
#include "common/CommandIds.h"
#include "tools/DemoSequence.h"
#include "tests/app/gui/ShellFixture.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/TestFiles.h"
#include "timeline/TimeCtrl.h"
#include "view/StereoGram.h"
#include "view/gui/ImgSequence.h"
#include "view/gui/ImgSequenceGUI.h"
#include "view/DrawOptions.h"
#include "view/gui/GLCanvasCtrl.h"

using shelltest::Shell;
using testsupport::FileExists;
using testsupport::TempDir;

namespace {

constexpr int kFrames = 10;

std::string WriteDemo(const TempDir& dir) {
    DemoSequenceOptions o;
    o.grammar = SnapshotGrammar();
    o.frames = kFrames;
    o.particles = 3000;
    o.dt = 4.0;  // the cluster turns visibly from frame to frame
    std::string error;
    const std::string folder = dir.File("seq");
    EXPECT_TRUE(DemoSequence_cls(o).WriteAll(folder, error)) << error;
    return folder + "/" + o.FileName(0);
}

std::string Frame(const TempDir& dir, const char* tag, int k) {
    char name[48];
    std::snprintf(name, sizeof name, "img/shot%s%04d.png", tag, k);
    return dir.File(name);
}

/// RGB bytes of an image file; empty when it cannot be read.
std::vector<unsigned char> Pixels(const std::string& path) {
    wxImage img;
    if (!FileExists(path) || !img.LoadFile(wxString::FromUTF8(path))) return {};
    return std::vector<unsigned char>(img.GetData(), img.GetData() + size_t(3) * img.GetWidth() * img.GetHeight());
}

/// Share of the pixels that differ by more than a little between two pictures.
double Difference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    if (a.size() != b.size() || a.empty()) return 1.0;
    size_t n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += std::abs(int(a[i]) - int(b[i])) > 24;
    return double(n) / double(a.size());
}

struct SequenceShell {
    explicit SequenceShell(const TempDir& dir) : shell(dir.File("Pelthorn3Configure.txt")) {
        mkdir(dir.File("img").c_str(), 0700);
        shell.frame->SetSize(800, 600);
        shell.core->LoadData(wxString::FromUTF8(WriteDemo(dir).c_str()));
        testsupport::Pump(50);
        time = shell.core->GetTimeCtrl();
        seq = shell.core->GetImgSequence();
        shell.Post(ID_SAVE_IMAGE_SEQUENCE);
        seq->files.pattern = wxString::FromUTF8(dir.File("img/shot%04d.png"));
        seq->outputWidth.value = 160;
        seq->outputHeight.value = 120;
        seq->UpdateGUI(true);
    }
    void Press(int id) {
        wxCommandEvent e(wxEVT_BUTTON, id);
        seq->gui->GetEventHandler()->ProcessEvent(e);
    }
    bool WaitForTheEnd(int timeoutMs = 60000) {
        const bool ended = testsupport::PumpUntil([this] { return !seq->running && !time->IsPlaying(); }, timeoutMs);
        GoImageSaver.WaitForWriter();
        return ended;
    }
    Shell shell;
    TimeCtrl_cls* time = nullptr;
    ImgSequence_cls* seq = nullptr;
};

}  // namespace

TEST(ImageSequenceRun, TenStepsOfTheDemoWriteTenDifferingNumberedFiles) {
    TempDir dir;
    SequenceShell s(dir);
    ASSERT_EQ(s.time->MaxFrame(), kFrames - 1);
    ASSERT_TRUE(ImgSequence_cls::CaptureViewAvailable());
    s.Press(ID_IMGSEQ_RENDER_ANIM);
    ASSERT_TRUE(s.WaitForTheEnd());
    std::vector<std::vector<unsigned char>> pictures;
    for (int k = 0; k < kFrames; ++k) {
        pictures.push_back(Pixels(Frame(dir, "", k)));
        ASSERT_EQ(pictures.back().size(), size_t(3) * 160 * 120) << "frame " << k;
    }
    EXPECT_FALSE(FileExists(Frame(dir, "", kFrames)));
    for (int k = 1; k < kFrames; ++k)
        EXPECT_GT(Difference(pictures[k - 1], pictures[k]), 0.002) << "frames " << k - 1 << " and " << k;
    EXPECT_EQ(s.seq->gui->renderAnimButton->GetLabel(), "Render Anim");
    EXPECT_TRUE(GoImageSaver.TakeFailures().empty());
}

TEST(ImageSequenceRun, StereoSeparatelyWritesLeftAndRightPairs) {
    TempDir dir;
    SequenceShell s(dir);
    StereoGram_cls* stereo = s.shell.core->GetStereoGram();
    stereo->cameraSetting.value = STEREO_OFF_AXIS;
    stereo->outputType.value = STEREO_RED_CYAN;
    stereo->fileOutput.value = 1;
    s.time->workAreaMax.value = 2;
    s.Press(ID_IMGSEQ_RENDER_ANIM);
    ASSERT_TRUE(s.WaitForTheEnd());
    for (int k = 0; k <= 2; ++k) {
        EXPECT_TRUE(FileExists(Frame(dir, "L", k))) << k;
        EXPECT_TRUE(FileExists(Frame(dir, "R", k))) << k;
        EXPECT_FALSE(FileExists(Frame(dir, "", k))) << k;
        EXPECT_GT(Difference(Pixels(Frame(dir, "L", k)), Pixels(Frame(dir, "R", k))), 0.002) << k;
    }
}

TEST(ImageSequenceRun, AbortStopsAfterTheCurrentFrame) {
    TempDir dir;
    SequenceShell s(dir);
    s.Press(ID_IMGSEQ_RENDER_ANIM);
    // As soon as the second frame is saved, the user presses "Abort Anim".
    ASSERT_TRUE(testsupport::PumpUntil([&] { return s.seq->lastIndex >= 1; }, 30000));
    const int saved = s.seq->lastIndex;
    s.Press(ID_IMGSEQ_RENDER_ANIM);
    ASSERT_TRUE(s.WaitForTheEnd());
    int written = 0;
    for (int k = 0; k < kFrames; ++k) {
        if (!FileExists(Frame(dir, "", k))) break;
        ++written;
    }
    EXPECT_GE(written, saved + 1) << "every frame saved before the abort is written";
    EXPECT_LE(written, saved + 2) << "at most the frame being drawn is finished";
    for (int k = written; k < kFrames; ++k) EXPECT_FALSE(FileExists(Frame(dir, "", k))) << k;
    EXPECT_FALSE(s.time->IsPlaying());
    EXPECT_FALSE(s.shell.frame->GetTopPanel()->View(0)->CaptureOn());
}

TEST(ImageSequenceRun, SnapshotAsksOutsideThePaintAndProposesTheSequenceName) {
    TempDir dir;
    SequenceShell s(dir);
    MainGLCanvas_cls* view = s.shell.frame->GetTopPanel()->View(0);
    const std::string path = dir.File("img/snapshot.png");
    s.shell.prompts.fileAnswer = wxID_OK;
    s.shell.prompts.filePath = wxString::FromUTF8(path);
    s.shell.Post(ID_SAVE_SNAPSHOT);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !s.shell.prompts.fileQuestions.empty(); }, 20000));
    GoImageSaver.WaitForWriter();
    ASSERT_EQ(s.shell.prompts.fileQuestions.size(), 1u) << "asked once";
    EXPECT_FALSE(view->CaptureOn());
    wxImage img;
    ASSERT_TRUE(img.LoadFile(wxString::FromUTF8(path)));
    EXPECT_EQ(img.GetWidth(), ImageSaver_cls::SnapshotWidth(view->GetClientSize().x));
    EXPECT_EQ(img.GetHeight(), view->GetClientSize().y);
    EXPECT_EQ(s.shell.frame->LastOpenedImage(), wxString::FromUTF8(path));
    // The sequence dialog then proposes the numbered name beside it.
    s.shell.Post(ID_SAVE_IMAGE_SEQUENCE);
    EXPECT_EQ(s.seq->files.path, wxString::FromUTF8(dir.File("img/preview%04d.png")));
}

TEST(ImageSequenceRun, RunStartAsksItsQuestionsAndActsOnTheAnswers) {
    const wxString caption = "Save Image Sequence|";
    const std::vector<wxString> expected = {caption + "Panel 0 is not linked to camera",
                                            caption + "Items are shown. Hide them ?",
                                            caption + "Partiecles are downsized.\nShow full particles?"};
    for (const bool yes : {true, false}) {
        SCOPED_TRACE(yes ? "Yes" : "No");
        TempDir dir;
        SequenceShell s(dir);
        MainGLCanvas_cls* view = s.shell.frame->GetTopPanel()->View(0);
        ASSERT_LT(view->CameraChoice(), CAMERA_PATH);
        ASSERT_TRUE(view->settings.showItems.value);
        s.shell.core->GetDrawOptions()->downSizing.value = 4;
        s.time->workAreaMax.value = 1;
        s.shell.prompts.yes = yes;
        s.Press(ID_IMGSEQ_RENDER_ANIM);
        ASSERT_TRUE(s.WaitForTheEnd());
        EXPECT_EQ(s.shell.prompts.questions, expected);
        EXPECT_EQ(view->CameraChoice() == CAMERA_PATH, yes);
        EXPECT_EQ(bool(view->settings.showItems.value), !yes);
        auto* bar = dynamic_cast<GLCanvasCtrl_cls*>(view->GetParent());
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->Toggle(1)->GetValue(), !yes) << "the bar's I toggle shows the state";
        EXPECT_EQ(s.shell.core->GetDrawOptions()->downSizing.value, yes ? 1 : 4);
        EXPECT_TRUE(FileExists(Frame(dir, "", 1))) << "the run goes on after the questions";
    }
}

TEST(ImageSequenceRun, NoQuestionWhenTheMainViewIsReady) {
    TempDir dir;
    SequenceShell s(dir);
    MainGLCanvas_cls* view = s.shell.frame->GetTopPanel()->View(0);
    view->LinkToCameraPath();
    view->SetShowItems(false);
    s.time->workAreaMax.value = 1;
    s.Press(ID_IMGSEQ_RENDER_ANIM);
    ASSERT_TRUE(s.WaitForTheEnd());
    EXPECT_TRUE(s.shell.prompts.questions.empty());
}

TEST(ImageSequenceRun, DialogShowsTheMainViewsSizeAndAngleWhenItOpens) {
    TempDir dir;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    shell.frame->SetSize(700, 560);
    testsupport::Pump(50);
    MainGLCanvas_cls* view = shell.frame->GetMainView();
    ASSERT_NE(view, nullptr);
    view->projection.angle = 50;
    const wxSize size = view->GetClientSize();
    ASSERT_TRUE(size.x > 0 && size.y > 0);
    ASSERT_FALSE(size.x == 640 && size.y == 480);
    ImgSequence_cls* seq = shell.core->GetImgSequence();
    // The command is handled at once, before any paint of the view could report the size.
    wxCommandEvent open(wxEVT_MENU, ID_SAVE_IMAGE_SEQUENCE);
    shell.frame->GetEventHandler()->ProcessEvent(open);
    EXPECT_EQ(seq->previewWidth, size.x);
    EXPECT_EQ(seq->previewHeight, size.y);
    EXPECT_FLOAT_EQ(seq->previewAngle, 50.0f);
    ASSERT_TRUE(seq->gui->IsShown());
    seq->gui->Hide();
}

TEST(ImageSequenceRun, AnaglyphThroughFisheyeAndPanoramaKeepsEachEyeInItsColours) {
    struct Case {
        int geometry;
        bool lens;
    };
    for (const Case c : {Case{GEOMETRY_FISHEYE, true}, Case{GEOMETRY_PANORAMA, false}}) {
        SCOPED_TRACE(testing::Message() << "geometry " << c.geometry << (c.lens ? " through the lens mesh" : ""));
        TempDir dir;
        SequenceShell s(dir);
        StereoGram_cls* stereo = s.shell.core->GetStereoGram();
        stereo->cameraSetting.value = STEREO_OFF_AXIS;
        stereo->outputType.value = STEREO_RED_CYAN;
        stereo->fileOutput.value = 0;
        MainGLCanvas_cls* view = s.shell.frame->GetTopPanel()->View(0);
        view->settings.geometry.value = c.geometry;
        view->settings.distortion.value = c.lens;
        const float white[4] = {1, 1, 1, 1};
        s.shell.ColourAllTypes(white, 4);
        s.shell.ParticlesOnly();  // the red and green axes of the grid would count as one eye
        s.time->workAreaMax.value = 0;
        s.Press(ID_IMGSEQ_RENDER_ANIM);
        ASSERT_TRUE(s.WaitForTheEnd());
        const std::vector<unsigned char> rgb = Pixels(Frame(dir, "", 0));
        ASSERT_FALSE(rgb.empty());
        int red = 0, cyan = 0;
        for (size_t i = 0; i < rgb.size(); i += 3) {
            const int r = rgb[i], g = rgb[i + 1], b = rgb[i + 2];
            red += r > 50 && g < r / 3 && b < r / 3;
            cyan += g > 50 && b > 50 && r < std::min(g, b) / 3;
        }
        EXPECT_GT(red, 20) << "the left eye's particles in red";
        EXPECT_GT(cyan, 20) << "the right eye's particles in cyan";
    }
}
