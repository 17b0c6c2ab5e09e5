// Image saver: settings lines, naming, resampling, blending, orientation and the writer
// thread (one write at a time, failures reported), with an encoder that records its calls.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <wx/app.h>
#include <wx/arrstr.h>

#include "view/ImageSaver.h"

namespace {

// A latch: Wait blocks until Open has been called (once open, it stays open). A wait
// that is never released gives up after a long bound and says so, so that a caller that
// wrongly waits for the held write fails instead of hanging.
class Latch {
public:
    void Open() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            open_ = true;
        }
        cv_.notify_all();
    }
    void Wait() {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!cv_.wait_for(lock, std::chrono::seconds(20), [this] { return open_; }))
            gaveUp = true;
    }
    std::atomic<bool> gaveUp{false};

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool open_ = false;
};

// Records what it was asked to write; optionally slow, optionally held until a latch
// opens, optionally failing.
class RecordingEncoder : public ImageEncoder_cls {
public:
    bool Encode(const wxString& path, ImageFileFormat format, const unsigned char* rgb, int width,
                int height, int quality, std::string& error) override {
        const int now = ++active;
        int seen = maxActive.load();
        while (now > seen && !maxActive.compare_exchange_weak(seen, now)) {}
        if (delayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        if (Latch* h = hold.load()) h->Wait();
        {
            std::lock_guard<std::mutex> lock(mutex);
            paths.push_back(path);
            formats.push_back(format);
            lastRGB.assign(rgb, rgb + static_cast<size_t>(width) * height * 3);
            lastWidth = width;
            lastHeight = height;
            lastQuality = quality;
        }
        --active;
        if (fail) error = "disk full";
        return !fail;
    }
    std::atomic<int> active{0};
    std::atomic<int> maxActive{0};
    int delayMs = 0;
    std::atomic<Latch*> hold{nullptr};  ///< while set, each write waits for it to open
    bool fail = false;
    std::mutex mutex;
    std::vector<wxString> paths;
    std::vector<ImageFileFormat> formats;
    std::vector<unsigned char> lastRGB;
    int lastWidth = 0, lastHeight = 0, lastQuality = -1;
};

// A buffer whose pixel (row r from the bottom, column c) is (r, c, r + c) or with alpha.
CapturedPixels Ramp(int w, int h, int ch = 3) {
    CapturedPixels p;
    p.Allocate(w, h, ch);
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) {
            unsigned char* px = &p.bytes[(static_cast<size_t>(r) * w + c) * ch];
            px[0] = static_cast<unsigned char>(r);
            px[1] = static_cast<unsigned char>(c);
            px[2] = static_cast<unsigned char>(r + c);
            if (ch == 4) px[3] = 255;
        }
    return p;
}

CapturedPixels Solid(int w, int h, int ch, std::initializer_list<int> v) {
    CapturedPixels p;
    p.Allocate(w, h, ch);
    for (size_t i = 0; i < p.bytes.size(); ++i) p.bytes[i] = static_cast<unsigned char>(*(v.begin() + i % ch));
    return p;
}

}  // namespace

// The writer is a toolkit thread: the base library must be initialised around these tests.
class ImageSaverWriter : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(wxInitialize()); }
    void TearDown() override { wxUninitialize(); }
};

TEST(ImageSaverSettings, DefaultsAndRoundTripAreByteIdentical) {
    ImageSaver_cls a;
    EXPECT_EQ(a.WriteConfig(), "ImageJpegQuality=95\r\nImageMultiThrad=1\r\n");

    ImageSaver_cls b;
    EXPECT_TRUE(b.ReadConfig("ImageJpegQuality=70\r\n"));
    EXPECT_TRUE(b.ReadConfig("ImageMultiThrad=0"));
    const wxString written = b.WriteConfig();
    EXPECT_EQ(written, "ImageJpegQuality=70\r\nImageMultiThrad=0\r\n");

    ImageSaver_cls c;
    for (const wxString& line : wxSplit(written, '\n', '\0')) c.ReadConfig(line);
    EXPECT_EQ(c.WriteConfig(), written);
    EXPECT_EQ(c.jpegQuality.value, 70);
    EXPECT_EQ(c.multiThread.value, 0u);
}

TEST(ImageSaverSettings, ForeignLinesAndOutOfRangeValues) {
    ImageSaver_cls s;
    EXPECT_FALSE(s.ReadConfig("XImageJpegQuality=10"));        // key inside a longer key
    EXPECT_FALSE(s.ReadConfig("LastOpenedFileIMG=ImageMultiThrad=0"));
    EXPECT_EQ(s.WriteConfig(), "ImageJpegQuality=95\r\nImageMultiThrad=1\r\n");
    s.ReadConfig("ImageJpegQuality=250");
    s.ReadConfig("ImageMultiThrad=7");
    EXPECT_EQ(s.jpegQuality.value, 100);
    EXPECT_EQ(s.multiThread.value, 1u);
}

TEST(ImageSaverNaming, FormatByExtension) {
    const struct { const char* path; ImageFileFormat f; } cases[] = {
        {"/a/b.png", IMG_FORMAT_PNG},   {"/a/b.PNG", IMG_FORMAT_PNG},  {"b.jpg", IMG_FORMAT_JPEG},
        {"b.Jpeg", IMG_FORMAT_JPEG},    {"b.tif", IMG_FORMAT_TIFF},    {"b.tiff", IMG_FORMAT_TIFF},
        {"b.bmp", IMG_FORMAT_BMP},      {"b.gif", IMG_FORMAT_UNKNOWN}, {"/a.png/b", IMG_FORMAT_UNKNOWN},
        {"", IMG_FORMAT_UNKNOWN},
    };
    for (const auto& c : cases) EXPECT_EQ(ImageSaver_cls::FormatOf(c.path), c.f) << c.path;
    EXPECT_EQ(ImageSaver_cls::WithDefaultExtension("/o/shot"), "/o/shot.png");
    EXPECT_EQ(ImageSaver_cls::WithDefaultExtension("/o.d/shot"), "/o.d/shot.png");
    EXPECT_EQ(ImageSaver_cls::WithDefaultExtension("/o/shot.jpg"), "/o/shot.jpg");
}

TEST(ImageSaverNaming, SnapshotWidthAndProposal) {
    EXPECT_EQ(ImageSaver_cls::SnapshotWidth(1021), 1016);
    EXPECT_EQ(ImageSaver_cls::SnapshotWidth(1024), 1024);
    EXPECT_EQ(ImageSaver_cls::SnapshotWidth(5), 5);  // never 0 pixels wide

    wxString dir, name;
    EXPECT_TRUE(ImageSaver_cls::ProposeSnapshot("None", dir, name));
    EXPECT_EQ(dir, "");
    EXPECT_EQ(name, "snapshot.png");
    EXPECT_TRUE(ImageSaver_cls::ProposeSnapshot("/out/img/shot.jpg", dir, name));
    EXPECT_EQ(dir, "/out/img");
    EXPECT_EQ(name, "shot.jpg");
    EXPECT_FALSE(ImageSaver_cls::ProposeSnapshot("", dir, name));
    EXPECT_EQ(name, "");
}

TEST(ImageSaverPixels, ResampleTakesTheCentredCropWithTheOutputAspect) {
    // Source 8 x 8, every pixel of row r holds 10 r: a 4 x 3 output covers the centred six
    // rows 1..6, two source rows per output row.
    CapturedPixels src;
    src.Allocate(8, 8, 3);
    for (int r = 0; r < 8; ++r)
        for (int k = 0; k < 8 * 3; ++k) src.bytes[r * 24 + k] = static_cast<unsigned char>(10 * r);
    const CapturedPixels out = ImageSaver_cls::Resample(src, 4, 3);
    ASSERT_TRUE(out.Valid());
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_EQ(out.bytes[(i * 4 + j) * 3], 20 * i + 15) << i << "," << j;

    // Portrait output: the centred columns instead, the full height.
    CapturedPixels cols;
    cols.Allocate(8, 8, 3);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) cols.bytes[(r * 8 + c) * 3 + 1] = static_cast<unsigned char>(10 * c);
    const CapturedPixels tall = ImageSaver_cls::Resample(cols, 2, 4);
    EXPECT_EQ(tall.bytes[1], 25);      // columns 2 and 3
    EXPECT_EQ(tall.bytes[3 + 1], 45);  // columns 4 and 5
}

TEST(ImageSaverPixels, OverlayBlendIncludingSideBySide) {
    CapturedPixels pic = Solid(4, 1, 3, {100, 100, 100});
    CapturedPixels ov;
    ov.Allocate(4, 1, 4);
    const unsigned char o[16] = {200, 0, 0, 0, /**/ 200, 50, 10, 255, /**/ 200, 0, 0, 128, /**/ 1, 2, 3, 255};
    std::copy(o, o + 16, ov.bytes.begin());
    ImageSaver_cls::BlendOverlay(pic, ov, 0);
    const unsigned char expect[12] = {100, 100, 100, 200, 50, 10, 150, 49, 49, 1, 2, 3};
    EXPECT_EQ(std::vector<unsigned char>(pic.bytes.begin(), pic.bytes.end()),
              std::vector<unsigned char>(expect, expect + 12));

    // Side by side: overlay columns 0 and 2 land on 0, 2 and 1, 3; odd columns are unused.
    CapturedPixels sbs = Solid(4, 1, 3, {9, 9, 9});
    CapturedPixels ov2;
    ov2.Allocate(4, 1, 4);
    const unsigned char o2[16] = {10, 10, 10, 255, 99, 99, 99, 255, 20, 20, 20, 255, 99, 99, 99, 255};
    std::copy(o2, o2 + 16, ov2.bytes.begin());
    ImageSaver_cls::BlendOverlay(sbs, ov2, 1);
    EXPECT_EQ(sbs.bytes[0], 10);
    EXPECT_EQ(sbs.bytes[3], 20);
    EXPECT_EQ(sbs.bytes[6], 10);
    EXPECT_EQ(sbs.bytes[9], 20);

    // A mismatched overlay is ignored rather than read out of bounds.
    CapturedPixels small = Solid(2, 1, 4, {0, 0, 0, 255});
    CapturedPixels keep = Solid(4, 1, 3, {7, 7, 7});
    ImageSaver_cls::BlendOverlay(keep, small, 0);
    EXPECT_EQ(keep.bytes[0], 7);
}

TEST(ImageSaverPixels, TopRowOfTheImageIsTheLastBufferRow) {
    const CapturedPixels p = Ramp(3, 4, 4);
    const std::vector<unsigned char> rgb = ImageSaver_cls::TopDownRGB(p);
    ASSERT_EQ(rgb.size(), 3u * 4u * 3u);
    EXPECT_EQ(rgb[0], 3);           // image row 0 = buffer row 3
    EXPECT_EQ(rgb[(3 * 3) * 3], 0); // image row 3 = buffer row 0
    EXPECT_EQ(rgb[2 * 3 + 1], 2);   // column kept, alpha dropped
}

TEST_F(ImageSaverWriter, OneWriteAtATimeInOrder) {
    RecordingEncoder enc;
    enc.delayMs = 15;
    ImageSaver_cls saver;
    saver.SetEncoder(&enc);
    for (int i = 0; i < 6; ++i) {
        wxString path;
        path << "/seq/f" << i << ".png";
        EXPECT_TRUE(saver.SaveFBO(Ramp(8, 6), CapturedPixels(), 8, 6, path, false));
    }
    saver.WaitForWriter();
    EXPECT_EQ(enc.maxActive.load(), 1);
    ASSERT_EQ(enc.paths.size(), 6u);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(enc.paths[i], wxString::Format("/seq/f%d.png", i));
    EXPECT_EQ(saver.FinishedCount(), 6);
    EXPECT_TRUE(saver.TakeFailures().empty());
    // Same size as the output: written exactly, flipped to top-down.
    EXPECT_EQ(enc.lastWidth, 8);
    EXPECT_EQ(enc.lastHeight, 6);
    EXPECT_EQ(enc.lastRGB[0], 5);
    EXPECT_EQ(enc.lastRGB[3 * 7 + 1], 7);
    EXPECT_EQ(enc.lastQuality, 95);
}

TEST_F(ImageSaverWriter, SingleThreadModeReturnsAfterTheFileIsWritten) {
    RecordingEncoder enc;
    enc.delayMs = 30;
    ImageSaver_cls saver;
    saver.SetEncoder(&enc);
    saver.multiThread.value = 0;
    saver.SaveFBO(Ramp(4, 4), CapturedPixels(), 4, 4, "/x/a.png", false);
    EXPECT_FALSE(saver.WriterRunning());
    EXPECT_EQ(enc.paths.size(), 1u);
    // A window snapshot never waits, whatever the setting says: its write is held until
    // the latch opens, and the snapshot call has returned long before. The next save
    // waits for it.
    Latch latch;
    enc.hold = &latch;
    saver.SaveWindow(Ramp(4, 4), "/x/b");
    EXPECT_TRUE(saver.WriterRunning());
    latch.Open();
    EXPECT_FALSE(latch.gaveUp.load()) << "the snapshot call waited for its own write";
    saver.SaveWindow(Ramp(4, 4), "/x/c.bmp");
    saver.WaitForWriter();
    ASSERT_EQ(enc.paths.size(), 3u);
    EXPECT_EQ(enc.paths[1], "/x/b.png");  // no extension: PNG
    EXPECT_EQ(enc.formats[2], IMG_FORMAT_BMP);
    EXPECT_EQ(enc.maxActive.load(), 1);
}

TEST_F(ImageSaverWriter, FailuresAreReportedAndTheNextSaveProceeds) {
    RecordingEncoder enc;
    enc.fail = true;
    ImageSaver_cls saver;
    saver.SetEncoder(&enc);
    saver.SaveWindow(Ramp(4, 4), "/x/a.png");
    saver.SaveWindow(Ramp(4, 4), "/x/b.gif");  // no encoder call: unknown format
    saver.WaitForWriter();
    const std::vector<wxString> failures = saver.TakeFailures();
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_TRUE(failures[0].StartsWith("ImgOutputFailed!!\n/x/a.png\n"));
    EXPECT_TRUE(failures[0].Contains("disk full"));
    EXPECT_TRUE(failures[1].StartsWith("ImgOutputFailed!!\n/x/b.gif\n"));
    EXPECT_EQ(enc.paths.size(), 1u);

    enc.fail = false;
    saver.SaveWindow(Ramp(4, 4), "/x/c.png");
    saver.WaitForWriter();
    EXPECT_TRUE(saver.TakeFailures().empty());
    EXPECT_EQ(enc.paths.size(), 2u);

    // Without an encoder, and with an empty picture: reported or refused, never a crash.
    ImageSaver_cls bare;
    bare.SaveWindow(Ramp(2, 2), "/x/d.png");
    bare.WaitForWriter();
    EXPECT_EQ(bare.TakeFailures().size(), 1u);
    EXPECT_FALSE(bare.SaveWindow(CapturedPixels(), "/x/e.png"));
    EXPECT_FALSE(bare.SaveFBO(Ramp(2, 2), CapturedPixels(), 0, 0, "/x/e.png", false));
}

TEST_F(ImageSaverWriter, SequenceFrameResampledAndBlended) {
    RecordingEncoder enc;
    ImageSaver_cls saver;
    saver.SetEncoder(&enc);
    CapturedPixels view = Solid(16, 16, 4, {40, 80, 120, 255});  // RGBA view buffer
    CapturedPixels overlay;
    overlay.Allocate(8, 6, 4);  // transparent but for the bottom-left pixel
    const unsigned char white[4] = {255, 255, 255, 255};
    std::copy(white, white + 4, overlay.bytes.begin());
    saver.SaveFBO(std::move(view), std::move(overlay), 8, 6, "/x/f.png", false);
    saver.WaitForWriter();
    ASSERT_EQ(enc.lastWidth, 8);
    ASSERT_EQ(enc.lastHeight, 6);
    const size_t bottomLeft = static_cast<size_t>(5 * 8) * 3;
    EXPECT_EQ(enc.lastRGB[bottomLeft], 255);
    EXPECT_EQ(enc.lastRGB[0], 40);
    EXPECT_EQ(enc.lastRGB[1], 80);
    EXPECT_EQ(enc.lastRGB[2], 120);
}
