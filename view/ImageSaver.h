// Saving what a view has drawn as an image file: the image settings, the one writer slot,
// and the writer thread that resamples, blends, flips and encodes off the GUI thread.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/string.h>

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"

class wxThread;

/// Pixels read back from a view or an off-screen buffer: `channels` bytes per pixel (3 RGB,
/// 4 RGBA), rows bottom-up as OpenGL returns them, no row padding.
struct CapturedPixels {
    int width = 0;
    int height = 0;
    int channels = 3;
    std::vector<unsigned char> bytes;

    /// Sets the size and allocates width x height x channels bytes (zeroed).
    void Allocate(int w, int h, int ch);
    /// True when the size is positive and the bytes match it.
    bool Valid() const;
};

/// File formats a picture can be written in; chosen by the file name's extension.
enum ImageFileFormat {
    IMG_FORMAT_UNKNOWN = 0,
    IMG_FORMAT_PNG,   ///< ".png"
    IMG_FORMAT_JPEG,  ///< ".jpg", ".jpeg"
    IMG_FORMAT_TIFF,  ///< ".tif", ".tiff"
    IMG_FORMAT_BMP,   ///< ".bmp"
};

/// Writes a top-down RGB picture into a file. The windowing side provides it (the image
/// library lives there); tests may install their own. Called on the writer thread, one
/// call at a time.
class ImageEncoder_cls {
public:
    virtual ~ImageEncoder_cls() = default;
    /// `rgb`: width x height x 3 bytes, first row = top of the image. `jpegQuality` 0..100.
    /// Returns false with a reason in `error` when the file was not written.
    virtual bool Encode(const wxString& path, ImageFileFormat format, const unsigned char* rgb,
                        int width, int height, int jpegQuality, std::string& error) = 0;
};

/// One write: the buffers a writer owns and what became of them. Built on the GUI thread,
/// handed to the writer, read back by the GUI thread after the done flag is set.
struct ImageWriteJob {
    CapturedPixels picture;   ///< RGB at the output size (empty when `source` is resampled)
    CapturedPixels source;    ///< RGB of a buffer whose size differs from the output size
    CapturedPixels overlay;   ///< RGBA at the output size; empty: nothing to blend
    int overlayLayout = 0;    ///< 0 over the picture; 1 squeezed into both halves (side by side)
    int width = 0;            ///< output size in pixels
    int height = 0;
    wxString path;            ///< target file; ".png" is appended when it has no extension
    int jpegQuality = 95;

    // Results, written by the writer before it sets `done`.
    bool written = false;     ///< the file was written
    wxString writtenPath;     ///< the path actually used
    std::string error;        ///< why not, when not written
    std::atomic<bool> done{false};  ///< set (release) as the writer's last act
};

/// The image saver: one per process (GoImageSaver). Every member function is for the GUI
/// thread; the writer thread touches only its job.
class ImageSaver_cls {
public:
    ImageSaver_cls();
    /// Waits for a running writer.
    ~ImageSaver_cls();
    ImageSaver_cls(const ImageSaver_cls&) = delete;
    ImageSaver_cls& operator=(const ImageSaver_cls&) = delete;

    // Settings ------------------------------------------------------------------------
    /// Offers one configuration or project line to the two items.
    bool ReadConfig(const wxString& line);
    /// "ImageJpegQuality=" then "ImageMultiThrad=", each ending in CR LF.
    wxString WriteConfig() const;

    ConfItemGroup_cls group;        ///< the two items below
    ConfItemINT_cls jpegQuality;    ///< "ImageJpegQuality=", 0..100, default 95
    ConfItemUINT_cls multiThread;   ///< "ImageMultiThrad=": 1 a sequence frame returns at once; 0 it waits
    wxString snapshotPath;          ///< chosen in the last snapshot dialog

    // Naming --------------------------------------------------------------------------
    /// Format by extension, compared in lower case; unknown or none: IMG_FORMAT_UNKNOWN.
    static ImageFileFormat FormatOf(const wxString& path);
    /// `path` with ".png" appended when its name has no extension.
    static wxString WithDefaultExtension(const wxString& path);
    /// Width a window snapshot is saved at: rounded down to a multiple of 8 (a window
    /// narrower than 8 pixels keeps its width).
    static int SnapshotWidth(int windowWidth);
    /// Where the snapshot dialog starts for the remembered path `current`: "None" proposes
    /// directory "" and "snapshot.png"; "" presets nothing (false); any other path its
    /// directory and file name.
    static bool ProposeSnapshot(const wxString& current, wxString& directory, wxString& fileName);

    // Saving --------------------------------------------------------------------------
    /// Installs the encoder (not owned; must outlive every write). Null: writes fail.
    void SetEncoder(ImageEncoder_cls* encoder) { encoder_ = encoder; }
    ImageEncoder_cls* Encoder() const { return encoder_; }
    /// Called on the writer thread right after a writer has set its done flag (set once at
    /// start-up; it must be safe to call from any thread, e.g. queue a GUI-thread check).
    void SetFinishedNotifier(std::function<void()> notify) { notify_ = std::move(notify); }

    /// Saves a window capture (RGB or RGBA, bottom-up, already at its output size) as
    /// `path`. Waits for the previous writer, starts a new one and returns at once.
    /// False only for an invalid picture (nothing is written then).
    bool SaveWindow(CapturedPixels picture, const wxString& path);
    /// SaveWindow(picture, snapshotPath).
    bool SaveSnapshot(CapturedPixels picture) { return SaveWindow(std::move(picture), snapshotPath); }
    /// Saves a sequence frame: `view` is resampled (centre crop with the output's aspect
    /// ratio) when its size differs from width x height; `overlay` (RGBA at the output size,
    /// may be empty) is blended over it, squeezed into both halves when `sideBySide`. Waits
    /// for the previous writer; returns at once unless "ImageMultiThrad=" is 0.
    bool SaveFBO(CapturedPixels view, CapturedPixels overlay, int width, int height,
                 const wxString& path, bool sideBySide);

    /// Waits (3 ms sleeps) until no writer runs, then collects its result.
    void WaitForWriter();
    /// Collects a finished writer's result without waiting. True when no writer runs.
    bool PollWriter();
    /// True while a started writer has not set its done flag.
    bool WriterRunning() const;
    /// Messages of the writes that failed since the last call ("ImgOutputFailed!!", the
    /// path and the reason, one per failure), oldest first.
    std::vector<wxString> TakeFailures();
    /// Writes finished and collected since construction (ok or not).
    int FinishedCount() const { return finished_; }

    /// The writer's body: resample, blend, flip to top-down, encode. Any thread; out of
    /// memory ends it as a failed write.
    static void RunJob(ImageWriteJob& job, ImageEncoder_cls* encoder);
    /// Box-filter resample of `source` (RGB) to width x height, centre crop of the source
    /// with the output's aspect ratio. Rows keep their bottom-up order.
    static CapturedPixels Resample(const CapturedPixels& source, int width, int height);
    /// Blends `overlay` (RGBA, same size as `picture`) over `picture` (RGB): out = o x a +
    /// p x (1 - a), a = alpha / 255, truncated. Layout 1: each even overlay column j goes
    /// over columns j/2 and j/2 + width/2. Sizes that differ leave the picture as it is.
    static void BlendOverlay(CapturedPixels& picture, const CapturedPixels& overlay, int layout);
    /// The picture as RGB (alpha dropped), rows reversed (top-down).
    static std::vector<unsigned char> TopDownRGB(const CapturedPixels& picture);

private:
    static void RunJobBody(ImageWriteJob& job, ImageEncoder_cls* encoder);
    void Start(std::unique_ptr<ImageWriteJob> job, bool waitForIt);
    void Collect();

    ImageEncoder_cls* encoder_ = nullptr;
    std::function<void()> notify_;
    std::unique_ptr<ImageWriteJob> slot_;  ///< the running or finished, uncollected writer
    wxThread* thread_ = nullptr;           ///< its thread (joinable; joined when collected)
    std::vector<wxString> failures_;
    int finished_ = 0;
};

/// The process's image saver; built before the central object and outliving it.
extern ImageSaver_cls GoImageSaver;
