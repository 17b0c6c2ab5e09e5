// Image files as the user gets them: every format read back with its pixels and the right
// way up, a failed write reported in a box, a GL frame captured and saved, and the
// snapshot file question.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <wx/frame.h>
#include <wx/glcanvas.h>
#include <wx/image.h>

#include <cstdlib>
#include <memory>

#include "common/gui/UserPrompts.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/TestFiles.h"
#include "tests/view/gui/GLTestCanvas.h"
#include "view/ImageSaver.h"
#include "view/gui/ImageSaverGL.h"

using namespace testsupport;

namespace {

// Buffer pixel (row r from the bottom, column c): a distinct ramp, lossless formats keep it.
CapturedPixels Ramp(int w, int h) {
    CapturedPixels p;
    p.Allocate(w, h, 3);
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) {
            unsigned char* px = &p.bytes[(static_cast<size_t>(r) * w + c) * 3];
            px[0] = static_cast<unsigned char>(r * 16);
            px[1] = static_cast<unsigned char>(c * 8);
            px[2] = static_cast<unsigned char>(255 - r * 4 - c);
        }
    return p;
}

// Four 8 x 8 blocks (JPEG keeps flat blocks within a few levels): bottom half red, green;
// top half blue, white.
CapturedPixels Blocks() {
    CapturedPixels p;
    p.Allocate(16, 16, 3);
    const unsigned char colours[4][3] = {{220, 20, 20}, {20, 220, 20}, {20, 20, 220}, {240, 240, 240}};
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c) {
            const int b = (r >= 8 ? 2 : 0) + (c >= 8 ? 1 : 0);
            std::copy(colours[b], colours[b] + 3, &p.bytes[(static_cast<size_t>(r) * 16 + c) * 3]);
        }
    return p;
}

class Prompts : public UserPrompts_cls {
public:
    int answer = wxID_CANCEL;
    wxString chosen;
    std::vector<FileQuestion> asked;
    int PickFile(wxWindow*, const FileQuestion& q, wxString& path) override {
        asked.push_back(q);
        if (answer == wxID_OK) path = chosen;
        return answer;
    }
};

class ImageFiles : public ::testing::Test {
protected:
    void SetUp() override {
        InstallImageSaving(GoImageSaver);
        GoImageSaver.WaitForWriter();
        GoImageSaver.TakeFailures();
        testsupport::ResetModals();
        testsupport::SetModalAnswer(wxID_OK);
    }
    void TearDown() override {
        GoImageSaver.WaitForWriter();
        testsupport::Pump(20);  // queued failure reports run while the test still owns the display
        GoImageSaver.TakeFailures();
    }
    TempDir dir;
};

}  // namespace

TEST_F(ImageFiles, EveryFormatReadsBackUprightWithItsPixels) {
    const struct { const char* name; const char* file; bool lossy; } cases[] = {
        {"a.png", "a.png", false}, {"b.bmp", "b.bmp", false}, {"c.tif", "c.tif", false},
        {"d.tiff", "d.tiff", false}, {"e", "e.png", false},   {"f.jpg", "f.jpg", true},
        {"g.JPEG", "g.JPEG", true},
    };
    for (const auto& c : cases) {
        const std::string path = dir.File(c.name);
        GoImageSaver.SaveWindow(c.lossy ? Blocks() : Ramp(12, 10), wxString::FromUTF8(path));
        GoImageSaver.WaitForWriter();
        EXPECT_TRUE(GoImageSaver.TakeFailures().empty()) << c.name;
        wxImage img;
        ASSERT_TRUE(img.LoadFile(wxString::FromUTF8(dir.File(c.file)))) << c.file;
        if (!c.lossy) {
            const CapturedPixels buf = Ramp(12, 10);
            ASSERT_EQ(img.GetWidth(), 12);
            ASSERT_EQ(img.GetHeight(), 10);
            for (int y = 0; y < 10; ++y)
                for (int x = 0; x < 12; ++x) {
                    const unsigned char* want = &buf.bytes[((9 - y) * 12 + x) * 3];  // top row = last buffer row
                    ASSERT_EQ(img.GetRed(x, y), want[0]) << c.name << " " << x << "," << y;
                    ASSERT_EQ(img.GetGreen(x, y), want[1]) << c.name << " " << x << "," << y;
                    ASSERT_EQ(img.GetBlue(x, y), want[2]) << c.name << " " << x << "," << y;
                }
        } else {
            ASSERT_EQ(img.GetWidth(), 16);
            // Image top-left is the buffer's top half, left block: blue; bottom-left red.
            const struct { int x, y, r, g, b; } probes[] = {
                {3, 3, 20, 20, 220}, {12, 3, 240, 240, 240}, {3, 12, 220, 20, 20}, {12, 12, 20, 220, 20}};
            for (const auto& p : probes) {
                EXPECT_NEAR(img.GetRed(p.x, p.y), p.r, 12) << c.name << " " << p.x << "," << p.y;
                EXPECT_NEAR(img.GetGreen(p.x, p.y), p.g, 12) << c.name;
                EXPECT_NEAR(img.GetBlue(p.x, p.y), p.b, 12) << c.name;
            }
        }
    }
}

TEST_F(ImageFiles, JpegQualitySettingChangesTheFile) {
    GoImageSaver.jpegQuality.value = 10;
    GoImageSaver.SaveWindow(Ramp(64, 64), wxString::FromUTF8(dir.File("low.jpg")));
    GoImageSaver.jpegQuality.value = 95;
    GoImageSaver.SaveWindow(Ramp(64, 64), wxString::FromUTF8(dir.File("high.jpg")));
    GoImageSaver.WaitForWriter();
    EXPECT_LT(ReadFile(dir.File("low.jpg")).size(), ReadFile(dir.File("high.jpg")).size());
}

TEST_F(ImageFiles, UnwritableFolderIsReportedInABoxAndTheNextSaveWorks) {
    WriteFile(dir.File("plain"), "not a folder");
    const wxString bad = wxString::FromUTF8(dir.File("plain/img.png"));
    GoImageSaver.SaveWindow(Ramp(8, 8), bad);
    ASSERT_TRUE(testsupport::PumpUntil([] { return !testsupport::ModalTitles().empty(); }, 5000));
    EXPECT_EQ(testsupport::ModalTitles()[0], "Error!");
    const wxString msg = testsupport::ModalMessages()[0];
    EXPECT_TRUE(msg.Contains("ImgOutputFailed!!")) << msg;
    EXPECT_TRUE(msg.Contains(bad)) << msg;

    // Unknown extensions are reported the same way; a good path afterwards is written.
    GoImageSaver.SaveWindow(Ramp(8, 8), wxString::FromUTF8(dir.File("x.gif")));
    GoImageSaver.SaveWindow(Ramp(8, 8), wxString::FromUTF8(dir.File("ok.png")));
    GoImageSaver.WaitForWriter();
    EXPECT_TRUE(FileExists(dir.File("ok.png")));
    EXPECT_FALSE(FileExists(dir.File("x.gif")));
    testsupport::PumpUntil([] { return testsupport::ModalTitles().size() >= 2; }, 5000);
    ASSERT_GE(testsupport::ModalMessages().size(), 2u);
    EXPECT_TRUE(testsupport::ModalMessages()[1].Contains("x.gif"));
}

TEST_F(ImageFiles, SnapshotQuestionProposesSnapshotPngAndKeepsTheChoice) {
    Prompts prompts;
    UserPrompts_cls::Install(&prompts);
    ImageSaver_cls saver;
    saver.snapshotPath = "/keep.png";
    EXPECT_FALSE(SelectSnapshotFile(saver, nullptr, "None"));  // cancelled: nothing changes
    EXPECT_EQ(saver.snapshotPath, "/keep.png");
    prompts.answer = wxID_OK;
    prompts.chosen = "/out/mine.jpg";
    EXPECT_TRUE(SelectSnapshotFile(saver, nullptr, "/out/img/shot.tif"));
    EXPECT_EQ(saver.snapshotPath, "/out/mine.jpg");
    UserPrompts_cls::Install(nullptr);

    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[0].directory, "");
    EXPECT_EQ(prompts.asked[0].fileName, "snapshot.png");
    EXPECT_EQ(prompts.asked[0].message, "Select a image file to save");
    EXPECT_TRUE(prompts.asked[0].style & wxFD_SAVE);
    EXPECT_TRUE(prompts.asked[0].style & wxFD_OVERWRITE_PROMPT);
    EXPECT_EQ(prompts.asked[1].directory, "/out/img");
    EXPECT_EQ(prompts.asked[1].fileName, "shot.tif");
}

TEST_F(ImageFiles, CapturedGLFrameIsSavedUpright) {
    constexpr int kW = 61, kH = 40;
    auto window = std::make_unique<ShownGLCanvas>(kW, kH);
    if (!window->ready) GTEST_SKIP() << "no GL context";
    // Bottom half blue, top half red, one green pixel at the lower left corner.
    glViewport(0, 0, kW, kH);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, kH / 2, kW, kH - kH / 2);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glScissor(0, 0, 1, 1);
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glFinish();
    glReadBuffer(GL_BACK);

    const CapturedPixels raw = ReadGLPixels(0, 0, kW, kH, 4);  // odd width: alignment 1 matters
    ASSERT_TRUE(raw.Valid());
    EXPECT_EQ(raw.bytes[1], 255);                                         // row 0: the green pixel
    EXPECT_EQ(raw.bytes[(static_cast<size_t>(kH - 1) * kW) * 4 + 0], 255);  // last row red

    GoImageSaver.snapshotPath = wxString::FromUTF8(dir.File("shot"));
    ASSERT_TRUE(SaveSnapshotFromGL(GoImageSaver, kW, kH));
    GoImageSaver.WaitForWriter();
    window.reset();

    wxImage img;
    ASSERT_TRUE(img.LoadFile(wxString::FromUTF8(dir.File("shot.png"))));
    EXPECT_EQ(img.GetWidth(), 56);  // a multiple of 8 below the window width
    EXPECT_EQ(img.GetHeight(), kH);
    EXPECT_EQ(img.GetRed(5, 0), 255);       // top row red
    EXPECT_EQ(img.GetBlue(5, kH - 1), 255);  // bottom row blue
    EXPECT_EQ(img.GetGreen(0, kH - 1), 255); // the corner pixel bottom left
    EXPECT_EQ(img.GetRed(0, kH - 1), 0);
}

TEST_F(ImageFiles, SequenceFrameFromViewTexturesIsCroppedScaledAndBlended) {
    auto window = std::make_unique<ShownGLCanvas>(32, 32);
    if (!window->ready) GTEST_SKIP() << "no GL context";
    // A square 16 x 16 view texture: rows 0..3 and 12..15 (outside the 4:3 crop) black,
    // the rest grey; an 8 x 6 overlay, transparent but for an opaque white bottom-left pixel.
    std::vector<unsigned char> view(16 * 16 * 3, 0);
    for (int r = 2; r < 14; ++r)
        for (int k = 0; k < 16 * 3; ++k) view[r * 48 + k] = 100;
    std::vector<unsigned char> over(8 * 6 * 4, 0);
    for (int k = 0; k < 4; ++k) over[k] = 255;
    GLuint tex[2];
    glGenTextures(2, tex);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, tex[0]);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, 16, 16, 0, GL_RGB, GL_UNSIGNED_BYTE, view.data());
    glBindTexture(GL_TEXTURE_2D, tex[1]);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 8, 6, 0, GL_RGBA, GL_UNSIGNED_BYTE, over.data());

    CaptureSequence_cls seq(wxString::FromUTF8(dir.Path()));
    seq.outputWidth.value = 8;
    seq.outputHeight.value = 6;
    seq.BeginCapture();
    ASSERT_TRUE(SaveSequenceFrameFromGL(seq, GoImageSaver, tex[0], 16, 16, tex[1], 3, 0, false));
    GoImageSaver.WaitForWriter();
    // A caller that names the wrong sizes (an 8 x 8 view, an overlay of the output size where
    // the overlay texture is 4 x 4): the textures are read at their own sizes, so the frame
    // is the same crop of the whole view and the mismatched overlay is left out.
    GLuint small = 0;
    glGenTextures(1, &small);
    glBindTexture(GL_TEXTURE_2D, small);
    std::vector<unsigned char> opaque(4 * 4 * 4, 255);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, opaque.data());
    ASSERT_TRUE(SaveSequenceFrameFromGL(seq, GoImageSaver, tex[0], 8, 8, small, 4, 0, false));
    GoImageSaver.WaitForWriter();
    glDeleteTextures(1, &small);
    glDeleteTextures(2, tex);
    window.reset();

    wxImage img;
    ASSERT_TRUE(img.LoadFile(wxString::FromUTF8(dir.File("Preview0003.png"))));
    ASSERT_EQ(img.GetWidth(), 8);
    ASSERT_EQ(img.GetHeight(), 6);
    EXPECT_EQ(img.GetRed(0, 5), 255);  // the overlay pixel, bottom left
    for (int y = 0; y < 6; ++y)        // the centred 12 rows of the view: all grey
        EXPECT_EQ(img.GetGreen(4, y), 100) << y;
    wxImage wrong;
    ASSERT_TRUE(wrong.LoadFile(wxString::FromUTF8(dir.File("Preview0004.png"))));
    ASSERT_EQ(wrong.GetWidth(), 8);
    ASSERT_EQ(wrong.GetHeight(), 6);
    for (int y = 0; y < 6; ++y)
        for (int x : {0, 4, 7}) EXPECT_EQ(wrong.GetGreen(x, y), 100) << x << "," << y;
}
