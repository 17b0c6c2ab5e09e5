// Image sequences without windows: default pattern, names for awkward patterns, the
// snapshot-derived pattern, numbering, the repeat-wrap rule and the size templates.
#include <gtest/gtest.h>

#include <mutex>

#include <wx/app.h>

#include "view/CaptureSequence.h"
#include "common/ImgSizeTemplate.h"

namespace {

class PathRecorder : public ImageEncoder_cls {
public:
    bool Encode(const wxString& path, ImageFileFormat, const unsigned char*, int w, int h, int,
                std::string&) override {
        std::lock_guard<std::mutex> lock(mutex);
        paths.push_back(path);
        sizes.emplace_back(w, h);
        return true;
    }
    std::mutex mutex;
    std::vector<wxString> paths;
    std::vector<std::pair<int, int>> sizes;
};

CapturedPixels Frame(int w, int h) {
    CapturedPixels p;
    p.Allocate(w, h, 3);
    return p;
}

}  // namespace

// Frames are written by the saver's toolkit thread: the base library must be initialised.
class CaptureSequenceWrite : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(wxInitialize()); }
    void TearDown() override { wxUninitialize(); }
};

TEST(CaptureSequence, DefaultPatternInTheGivenFolderWithStereoTags) {
    CaptureSequence_cls s("/work/dir/");
    EXPECT_EQ(s.files.path, "/work/dir/Preview%04d.png");
    EXPECT_EQ(s.FileNameFor(7, 0), "/work/dir/Preview0007.png");
    EXPECT_EQ(s.FileNameFor(7, 1), "/work/dir/PreviewL0007.png");
    EXPECT_EQ(s.FileNameFor(7, 2), "/work/dir/PreviewR0007.png");
    EXPECT_EQ(s.FileNameFor(7, 3), "/work/dir/Preview0007.png");  // combined stereo: no tag
    EXPECT_EQ(s.CheckPattern(), CaptureSequence_cls::PATTERN_OK);

    // A folder with '%' in its name stays literal.
    CaptureSequence_cls odd("/tmp/100%d/");
    EXPECT_EQ(odd.FileNameFor(3, 0), "/tmp/100%d/Preview0003.png");

    // The working directory when none is given.
    CaptureSequence_cls cwd;
    EXPECT_TRUE(cwd.files.path.EndsWith("/Preview%04d.png"));
}

TEST(CaptureSequence, AwkwardPatternsGiveSafeNames) {
    const struct {
        const char* pattern;
        const char* name5;  // name of step 5
        CaptureSequence_cls::PatternState state;
        const char* numbered;  // after the 4-digit tag is appended ("" = not asked)
    } cases[] = {
        {"/o/a%s%04d.png", "/o/a%s0005.png", CaptureSequence_cls::PATTERN_OK, ""},
        {"/o/100%_%04d.png", "/o/100%_0005.png", CaptureSequence_cls::PATTERN_OK, ""},
        {"/o/100%%_%04d.png", "/o/100%_0005.png", CaptureSequence_cls::PATTERN_OK, ""},
        {"/o/%n%x%p%02d.tif", "/o/%n%x%p05.tif", CaptureSequence_cls::PATTERN_OK, ""},
        {"/o/snap12.png", "/o/snap17.png", CaptureSequence_cls::PATTERN_OK, ""},
        {"/o/shot.png", "/o/shot.png", CaptureSequence_cls::PATTERN_NOT_NUMBERED, "/o/shot0005.png"},
        {"/o/100%.png", "/o/100%.png", CaptureSequence_cls::PATTERN_NOT_NUMBERED, "/o/100%0005.png"},
        {"/o/img%d%s.png", "/o/img%d%s.png", CaptureSequence_cls::PATTERN_NOT_NUMBERED,
         "/o/img%d%s0005.png"},
        {"/o/plain", "/o/plain", CaptureSequence_cls::PATTERN_NOT_NUMBERED, "/o/plain0005"},
    };
    for (const auto& c : cases) {
        CaptureSequence_cls s("/w");
        s.SetPattern(c.pattern);
        wxString message;
        EXPECT_EQ(s.CheckPattern(&message), c.state) << c.pattern;
        EXPECT_EQ(s.FileNameFor(5, 0), c.name5) << c.pattern;
        if (c.state == CaptureSequence_cls::PATTERN_NOT_NUMBERED) {
            EXPECT_EQ(message, "Not Sequence. Append 4-digit tag ?");
            s.AppendFourDigitTag();
            EXPECT_EQ(s.CheckPattern(), CaptureSequence_cls::PATTERN_OK);
            EXPECT_EQ(s.FileNameFor(5, 0), c.numbered) << c.pattern;
        }
    }
    CaptureSequence_cls empty("/w");
    empty.SetPattern("/o/");
    wxString message;
    EXPECT_EQ(empty.CheckPattern(&message), CaptureSequence_cls::PATTERN_EMPTY);
    EXPECT_FALSE(message.empty());
}

TEST(CaptureSequence, PatternFromTheRememberedSnapshot) {
    const struct { const char* snapshot; const char* path; } cases[] = {
        {"/out/snapshot.png", "/out/preview%04d.png"},
        {"/out/snapshot.jpg", "/out/preview%04d.jpg"},
        {"snapshot.tif", "preview%04d.tif"},
        {"/out/shot.png", "/out/shot%04d.png"},          // a single image's name is numbered
        {"/out/Snapshot.png", "/out/Snapshot%04d.png"},  // case-sensitive
        {"/out/snapshots.png", "/out/snapshots%04d.png"},// whole-name match only
        {"/snapshot/x.png", "/snapshot/x%04d.png"},
        {"shot.jpg", "shot%04d.jpg"},
        {"/out/run%03d.png", "/out/run%03d.png"},        // numbered already
        {"/out/run0007.png", "/out/run0007.png"},
        {"None", "/w/Preview%04d.png"},
        {"", "/w/Preview%04d.png"},
    };
    for (const auto& c : cases) {
        CaptureSequence_cls s("/w");
        s.SetPathFromSnapshot(c.snapshot);
        EXPECT_EQ(s.files.path, c.path) << c.snapshot;
    }
    CaptureSequence_cls s("/w");
    s.SetPathFromSnapshot("/o/100%/snapshot.png");
    EXPECT_EQ(s.FileNameFor(1, 0), "/o/100%/preview0001.png");
    s.SetPathFromSnapshot("/o/shot.png");
    EXPECT_EQ(s.CheckPattern(), CaptureSequence_cls::PATTERN_OK);
    EXPECT_EQ(s.FileNameFor(1, 0), "/o/shot0001.png");
    s.SetPathFromSnapshot("/o/50%/half 50%.png");  // a '%' of the name stays a '%'
    EXPECT_EQ(s.FileNameFor(2, 0), "/o/50%/half 50%0002.png");
    // a pattern typed into the dialog that holds no number is still refused
    s.SetPattern("/o/shot.png");
    EXPECT_EQ(s.CheckPattern(), CaptureSequence_cls::PATTERN_NOT_NUMBERED);
}

TEST_F(CaptureSequenceWrite, FramesAreNumberedAndAWrapIsNotWrittenAgain) {
    PathRecorder rec;
    ImageSaver_cls saver;
    saver.SetEncoder(&rec);
    CaptureSequence_cls s("/o");
    s.initialNumber.value = 20;
    s.outputWidth.value = 8;
    s.outputHeight.value = 4;
    s.BeginCapture();
    // Steps 0..2, a repeat wraps to 0 and 1 (skipped), then 2 again (written again).
    for (int step : {0, 1, 2, 0, 1, 2})
        EXPECT_TRUE(s.SaveFrame(saver, Frame(8, 4), CapturedPixels(), step, 0, false));
    // Stereo written separately: step 7 twice, left and right.
    s.SaveFrame(saver, Frame(16, 16), CapturedPixels(), 7, 1, false);
    s.SaveFrame(saver, Frame(16, 16), CapturedPixels(), 7, 2, false);
    saver.WaitForWriter();
    const std::vector<wxString> expect = {"/o/Preview0020.png", "/o/Preview0021.png",
                                          "/o/Preview0022.png", "/o/Preview0022.png",
                                          "/o/PreviewL0027.png", "/o/PreviewR0027.png"};
    EXPECT_EQ(rec.paths, expect);
    for (const auto& wh : rec.sizes) EXPECT_EQ(wh, std::make_pair(8, 4));  // output size
    EXPECT_EQ(s.FrameFileName(), "/o/PreviewR0027.png");
}

TEST_F(CaptureSequenceWrite, StereoPairsAreNotWrittenAgainAfterAWrapAndEmptySizesAreRefused) {
    PathRecorder rec;
    ImageSaver_cls saver;
    saver.SetEncoder(&rec);
    CaptureSequence_cls s("/o");
    s.outputWidth.value = 8;
    s.outputHeight.value = 4;
    s.BeginCapture();
    // Pairs of steps 0..2, then the repeat wraps to 0 and 1: neither half is written again.
    for (int step : {0, 1, 2, 0, 1})
        for (int eye : {1, 2}) EXPECT_TRUE(s.SaveFrame(saver, Frame(8, 4), CapturedPixels(), step, eye, false));
    saver.WaitForWriter();
    const std::vector<wxString> expect = {"/o/PreviewL0000.png", "/o/PreviewR0000.png", "/o/PreviewL0001.png",
                                          "/o/PreviewR0001.png", "/o/PreviewL0002.png", "/o/PreviewR0002.png"};
    EXPECT_EQ(rec.paths, expect);

    wxString message;
    EXPECT_TRUE(s.CheckOutputSize(&message));
    for (const auto& wh : {std::make_pair(0, 480), std::make_pair(640, 0), std::make_pair(-3, 10)}) {
        s.outputWidth.value = wh.first, s.outputHeight.value = wh.second;
        EXPECT_FALSE(s.CheckOutputSize(&message));
        EXPECT_NE(message.Find("at least 1"), wxNOT_FOUND) << message;
        EXPECT_FALSE(s.SaveFrame(saver, Frame(8, 4), CapturedPixels(), 5, 0, false));
    }
    saver.WaitForWriter();
    EXPECT_EQ(rec.paths.size(), expect.size()) << "nothing written at an empty size";
}

TEST(CaptureSequence, SizesAndTheirSettingsLines) {
    CaptureSequence_cls s("/o");
    s.SetViewSize(300, 200, 40.0f, false);
    EXPECT_EQ(s.previewWidth, 300);
    EXPECT_EQ(s.outputWidth.value, 640);
    s.SetViewSize(320, 240, 35.0f, true);
    EXPECT_EQ(s.outputWidth.value, 320);
    EXPECT_EQ(s.outputHeight.value, 240);

    EXPECT_EQ(s.group.WriteAll(),
              "ImgSequenceInitNum=0\r\nImgSequenceOutputWidth=320\r\nImgSequenceOutputHeight=240\r\n");
    s.group.OfferLine("ImgSequenceInitNum=-15\r\n");
    EXPECT_EQ(s.initialNumber.value, -15);
    // a size read from a file stays within what the dialog offers
    s.group.OfferLine("ImgSequenceOutputWidth=1920\r\n");
    s.group.OfferLine("ImgSequenceOutputHeight=99999999\r\n");
    EXPECT_EQ(s.outputWidth.value, 1920);
    EXPECT_EQ(s.outputHeight.value, 4096);
    s.group.OfferLine("ImgSequenceOutputHeight=-3\r\n");
    EXPECT_EQ(s.outputHeight.value, 0);
    EXPECT_EQ(s.group.WriteAll(),
              "ImgSequenceInitNum=-15\r\nImgSequenceOutputWidth=1920\r\nImgSequenceOutputHeight=0\r\n");
}

TEST(ImgSizeTemplate, LabelsSizesAndLookup) {
    ImgSizeTemplate_cls t;
    EXPECT_EQ(t.GetLabel(0), "Custom");
    EXPECT_EQ(t.GetLabel(1), "1024x768");
    EXPECT_EQ(t.GetLabel(6), "1920x1080");
    EXPECT_EQ(t.GetLabel(13), "512x512");
    EXPECT_EQ(t.GetLabel(14), "");

    int w = 7, h = 9;
    EXPECT_TRUE(t.GetSize(0, w, h));
    EXPECT_EQ(w, 7);
    EXPECT_EQ(h, 9);
    EXPECT_TRUE(t.GetSize(99, w, h));
    EXPECT_FALSE(t.GetSize(9, w, h));
    EXPECT_EQ(w, 480);
    EXPECT_EQ(h, 270);

    EXPECT_EQ(t.FindIndex(1920, 1080), 6);
    EXPECT_EQ(t.selected, 6u);
    EXPECT_EQ(t.FindIndex(1024, 1024), 10);
    EXPECT_EQ(t.FindIndex(1080, 1920), 0);
    EXPECT_EQ(t.selected, 0u);
}
