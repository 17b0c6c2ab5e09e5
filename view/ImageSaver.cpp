// The image saver and its writer thread.
#include "view/ImageSaver.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include <wx/thread.h>
#include <wx/utils.h>

#include "common/PathParts.h"
#include "platform/Trace.h"

ImageSaver_cls GoImageSaver;

// ---------------------------------------------------------------------------------------
// Pixel buffers

void CapturedPixels::Allocate(int w, int h, int ch) {
    width = w > 0 ? w : 0;
    height = h > 0 ? h : 0;
    channels = ch;
    try {
        bytes.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * static_cast<size_t>(ch), 0);
    } catch (const std::bad_alloc&) {
        // No memory for the picture: an empty buffer, which the saver skips and reports.
        platform::Trace("malloc retry failed!!");
        bytes.clear();
        bytes.shrink_to_fit();
    }
}

bool CapturedPixels::Valid() const {
    return width > 0 && height > 0 && (channels == 3 || channels == 4) &&
           bytes.size() == static_cast<size_t>(width) * static_cast<size_t>(height) *
                               static_cast<size_t>(channels);
}

namespace {

// The same pixels with three channels (alpha dropped); an RGB buffer is moved through.
CapturedPixels ToRGB(CapturedPixels in) {
    if (in.channels == 3) return in;
    CapturedPixels out;
    out.Allocate(in.width, in.height, 3);
    if (!out.Valid()) return out;
    const size_t n = static_cast<size_t>(in.width) * static_cast<size_t>(in.height);
    for (size_t i = 0; i < n; ++i) std::memcpy(&out.bytes[i * 3], &in.bytes[i * in.channels], 3);
    return out;
}

// Weighted mean of the source rectangle [x0, x1] x [y0, y1] (box filter).
void AveragePixel(int sw, int sh, double x0, double y0, double x1, double y1,
                  const unsigned char* src, unsigned char* out) {
    if (y1 >= sh) y1 = sh - 0.001;
    if (x1 >= sw) x1 = sw - 0.001;
    double sum[3] = {0, 0, 0};
    double weightSum = 0;
    for (int r = static_cast<int>(std::floor(y0)); r <= y1; ++r) {
        if (r < 0 || r >= sh) continue;
        double wy = y0 > r ? 1.0 - (y0 - r) : 1.0;
        if (y1 - r < 1.0) wy -= (r + 1.0 - y1);
        for (int c = static_cast<int>(std::floor(x0)); c <= x1; ++c) {
            if (c < 0 || c >= sw) continue;
            double wx = x0 > c ? 1.0 - (x0 - c) : 1.0;
            if (x1 - c < 1.0) wx -= (c + 1.0 - x1);
            const double w = wx * wy;
            if (w <= 0) continue;
            const unsigned char* p = src + (static_cast<size_t>(r) * sw + c) * 3;
            sum[0] += w * p[0];
            sum[1] += w * p[1];
            sum[2] += w * p[2];
            weightSum += w;
        }
    }
    for (int k = 0; k < 3; ++k) {
        // A tiny lift keeps a uniform area's mean from truncating one step low.
        const double v = weightSum > 0 ? sum[k] / weightSum + 1e-9 : 0.0;
        out[k] = static_cast<unsigned char>(v < 0 ? 0 : v > 255 ? 255 : v);
    }
}

// A writer: runs one job, sets its done flag, tells the notifier, ends. Joinable, so
// that its end is complete (the toolkit's own bookkeeping included) once it is joined.
class ThreadSave_cls : public wxThread {
public:
    ThreadSave_cls(ImageWriteJob* job, ImageEncoder_cls* encoder, std::function<void()> notify)
        : wxThread(wxTHREAD_JOINABLE), job_(job), encoder_(encoder), notify_(std::move(notify)) {}

protected:
    ExitCode Entry() override {
        ImageSaver_cls::RunJob(*job_, encoder_);
        job_->done.store(true, std::memory_order_release);  // the job is not touched again
        if (notify_) notify_();
        return nullptr;
    }

private:
    ImageWriteJob* job_;
    ImageEncoder_cls* encoder_;
    std::function<void()> notify_;
};

}  // namespace

// ---------------------------------------------------------------------------------------
// Saver

ImageSaver_cls::ImageSaver_cls() {
    jpegQuality.SetRange(0, 100);
    multiThread.SetRange(0, 1);
    group.Register(&jpegQuality, "ImageJpegQuality=", "95");
    group.Register(&multiThread, "ImageMultiThrad=", "1");
}

ImageSaver_cls::~ImageSaver_cls() { WaitForWriter(); }

bool ImageSaver_cls::ReadConfig(const wxString& line) { return group.OfferLine(line); }

wxString ImageSaver_cls::WriteConfig() const { return group.WriteAll(); }

ImageFileFormat ImageSaver_cls::FormatOf(const wxString& path) {
    wxString ext = PathParts_cls(path).extension.Lower();
    if (ext == ".png") return IMG_FORMAT_PNG;
    if (ext == ".jpg" || ext == ".jpeg") return IMG_FORMAT_JPEG;
    if (ext == ".tif" || ext == ".tiff") return IMG_FORMAT_TIFF;
    if (ext == ".bmp") return IMG_FORMAT_BMP;
    return IMG_FORMAT_UNKNOWN;
}

wxString ImageSaver_cls::WithDefaultExtension(const wxString& path) {
    if (path.empty() || !PathParts_cls(path).extension.empty()) return path;
    return path + ".png";
}

int ImageSaver_cls::SnapshotWidth(int windowWidth) {
    if (windowWidth < 8) return windowWidth;
    return windowWidth - windowWidth % 8;
}

bool ImageSaver_cls::ProposeSnapshot(const wxString& current, wxString& directory,
                                     wxString& fileName) {
    directory.clear();
    fileName.clear();
    if (current.empty()) return false;
    if (current == "None") {
        fileName = "snapshot.png";
        return true;
    }
    const PathParts_cls parts(current);
    directory = parts.directory;
    fileName = parts.name + parts.extension;
    return true;
}

CapturedPixels ImageSaver_cls::Resample(const CapturedPixels& source, int W, int H) {
    CapturedPixels out;
    out.Allocate(W, H, 3);
    if (!out.Valid() || !source.Valid() || source.channels != 3) return out;
    const int SW = source.width;
    const int SH = source.height;
    const double w = W;
    const double h = H;
    for (int i = 0; i < H; ++i) {
        for (int j = 0; j < W; ++j) {
            double x0, y0, x1, y1;
            if (W < H) {
                y0 = i / h * SH;
                y1 = y0 + SH / h;
                x0 = (j / h + (1.0 - w / h) / 2.0) * SW;
                x1 = x0 + SW / h;
            } else {
                y0 = (i / w + (1.0 - h / w) / 2.0) * SH;
                y1 = y0 + SH / w;
                x0 = j / w * SW;
                x1 = x0 + SW / w;
            }
            AveragePixel(SW, SH, x0, y0, x1, y1, source.bytes.data(),
                         &out.bytes[(static_cast<size_t>(i) * W + j) * 3]);
        }
    }
    return out;
}

void ImageSaver_cls::BlendOverlay(CapturedPixels& picture, const CapturedPixels& overlay,
                                  int layout) {
    if (!picture.Valid() || !overlay.Valid() || picture.channels != 3 || overlay.channels != 4 ||
        picture.width != overlay.width || picture.height != overlay.height)
        return;
    const int W = picture.width;
    auto blend = [](const unsigned char* o, unsigned char* p) {
        const double a = o[3] / 255.0;
        for (int k = 0; k < 3; ++k) p[k] = static_cast<unsigned char>(o[k] * a + p[k] * (1.0 - a));
    };
    for (int i = 0; i < picture.height; ++i) {
        const unsigned char* orow = &overlay.bytes[static_cast<size_t>(i) * W * 4];
        unsigned char* prow = &picture.bytes[static_cast<size_t>(i) * W * 3];
        if (layout == 1) {
            for (int j = 0; j < W; j += 2) {
                blend(orow + j * 4, prow + (j / 2) * 3);
                if (j / 2 + W / 2 < W) blend(orow + j * 4, prow + (j / 2 + W / 2) * 3);
            }
        } else {
            for (int j = 0; j < W; ++j) blend(orow + j * 4, prow + j * 3);
        }
    }
}

std::vector<unsigned char> ImageSaver_cls::TopDownRGB(const CapturedPixels& picture) {
    std::vector<unsigned char> out;
    if (!picture.Valid()) return out;
    const size_t row = static_cast<size_t>(picture.width) * 3;
    out.resize(row * picture.height);
    for (int r = 0; r < picture.height; ++r) {
        const unsigned char* src =
            &picture.bytes[static_cast<size_t>(picture.height - 1 - r) * picture.width * picture.channels];
        unsigned char* dst = &out[row * r];
        if (picture.channels == 3) {
            std::memcpy(dst, src, row);
        } else {
            for (int c = 0; c < picture.width; ++c) std::memcpy(dst + c * 3, src + c * picture.channels, 3);
        }
    }
    return out;
}

void ImageSaver_cls::RunJob(ImageWriteJob& job, ImageEncoder_cls* encoder) {
    try {
        RunJobBody(job, encoder);
    } catch (const std::bad_alloc&) {
        job.written = false;
        job.error = "out of memory";
        platform::Trace("ImgOutputFailed!!");
    }
}

void ImageSaver_cls::RunJobBody(ImageWriteJob& job, ImageEncoder_cls* encoder) {
    job.written = false;
    job.writtenPath = WithDefaultExtension(job.path);
    if (job.source.Valid()) {
        job.picture = Resample(ToRGB(std::move(job.source)), job.width, job.height);
        job.source = CapturedPixels();
    }
    if (!job.picture.Valid()) {
        platform::Trace("Image Save Skipped!!");
        job.error = "no picture to save";
        return;
    }
    job.picture = ToRGB(std::move(job.picture));
    if (job.overlay.Valid()) BlendOverlay(job.picture, job.overlay, job.overlayLayout);
    job.overlay = CapturedPixels();

    const int width = job.picture.width;
    const int height = job.picture.height;
    const std::vector<unsigned char> rgb = TopDownRGB(job.picture);
    job.picture = CapturedPixels();
    const ImageFileFormat format = FormatOf(job.writtenPath);
    platform::Trace("Saving");
    if (format == IMG_FORMAT_UNKNOWN) {
        job.error = "the extension names no known image format (png, jpg, tif, bmp)";
    } else if (!encoder) {
        job.error = "no image encoder is installed";
    } else {
        job.written = encoder->Encode(job.writtenPath, format, rgb.data(), width, height,
                                      job.jpegQuality, job.error);
    }
    if (!job.written) platform::Trace("ImgOutputFailed!!");
    platform::Trace("Saving End");
    std::fflush(stdout);
}

void ImageSaver_cls::Collect() {
    if (thread_) {
        // The done flag is set: the join only waits for the thread's last few steps.
        thread_->Wait(wxTHREAD_WAIT_BLOCK);
        delete thread_;
        thread_ = nullptr;
    }
    if (!slot_) return;
    ++finished_;
    if (!slot_->written) {
        failures_.push_back("ImgOutputFailed!!\n" + slot_->writtenPath + "\n" +
                            wxString::FromUTF8(slot_->error));
    }
    slot_.reset();
}

bool ImageSaver_cls::WriterRunning() const {
    return slot_ && !slot_->done.load(std::memory_order_acquire);
}

bool ImageSaver_cls::PollWriter() {
    if (WriterRunning()) return false;
    Collect();
    return true;
}

void ImageSaver_cls::WaitForWriter() {
    while (WriterRunning()) wxMilliSleep(3);
    Collect();
}

std::vector<wxString> ImageSaver_cls::TakeFailures() {
    std::vector<wxString> out;
    out.swap(failures_);
    return out;
}

void ImageSaver_cls::Start(std::unique_ptr<ImageWriteJob> job, bool waitForIt) {
    job->jpegQuality = jpegQuality.value;
    slot_ = std::move(job);
    auto* thread = new ThreadSave_cls(slot_.get(), encoder_, notify_);
    if (thread->Run() != wxTHREAD_NO_ERROR) {
        // No writer thread: the work is done here instead.
        delete thread;
        RunJob(*slot_, encoder_);
        slot_->done.store(true, std::memory_order_release);
    } else {
        thread_ = thread;
    }
    if (waitForIt) WaitForWriter();
}

bool ImageSaver_cls::SaveWindow(CapturedPixels picture, const wxString& path) {
    WaitForWriter();
    if (!picture.Valid()) {
        platform::Trace("Image Save Skipped!!");
        return false;
    }
    auto job = std::make_unique<ImageWriteJob>();
    job->width = picture.width;
    job->height = picture.height;
    job->path = path;
    job->picture = std::move(picture);
    Start(std::move(job), false);
    return true;
}

bool ImageSaver_cls::SaveFBO(CapturedPixels view, CapturedPixels overlay, int width, int height,
                             const wxString& path, bool sideBySide) {
    WaitForWriter();
    if (!view.Valid() || width <= 0 || height <= 0) {
        platform::Trace("Image Save Skipped!!");
        return false;
    }
    auto job = std::make_unique<ImageWriteJob>();
    job->width = width;
    job->height = height;
    job->path = path;
    job->overlayLayout = sideBySide ? 1 : 0;
    if (overlay.Valid() && overlay.channels == 4 && overlay.width == width &&
        overlay.height == height)
        job->overlay = std::move(overlay);
    if (view.width == width && view.height == height)
        job->picture = std::move(view);
    else
        job->source = std::move(view);
    Start(std::move(job), multiThread.value == 0);
    return true;
}
