// The windowing side of image saving: encoding with the toolkit's image library, reading
// pixels back from OpenGL, the snapshot file question and the report of failed writes.
#pragma once

#include <wx/string.h>

#include "view/CaptureSequence.h"
#include "view/ImageSaver.h"

class wxWindow;

/// Encodes through wxImage (PNG, JPEG with the "quality" option, TIFF, BMP). Thread-safe
/// for one call at a time, which the saver guarantees.
class ImageFileEncoder_cls : public ImageEncoder_cls {
public:
    bool Encode(const wxString& path, ImageFileFormat format, const unsigned char* rgb, int width,
                int height, int jpegQuality, std::string& error) override;

    /// Registers the PNG, JPEG and TIFF handlers when missing (BMP is always there).
    static void RegisterHandlers();
    /// The process's encoder.
    static ImageFileEncoder_cls& Instance();
};

/// Registers the handlers, installs the encoder into `saver` and has every finished writer
/// queue ReportImageSaveFailures on the GUI thread. Once at start-up (GUI thread).
void InstallImageSaving(ImageSaver_cls& saver);

/// Collects a finished writer of `saver` and shows each failed write in an "Error!" box
/// over `parent` (null: the top window). GUI thread.
void ReportImageSaveFailures(ImageSaver_cls& saver, wxWindow* parent = nullptr);

/// Reads the rectangle with lower left corner (x, y) of the current read buffer of the
/// current GL context: `channels` 3 (GL_RGB) or 4 (GL_RGBA), pack alignment 1, rows
/// bottom-up. Empty on a size below 1. GUI thread, with the context current.
CapturedPixels ReadGLPixels(int x, int y, int width, int height, int channels = 3);
/// Level 0 of a 2-D texture as RGB or RGBA bytes (bottom-up rows), at the size the texture
/// really has (width x height is what the caller expects; a texture of another size is read
/// whole at its own size). Empty for texture 0 or an empty level.
CapturedPixels ReadGLTexture(unsigned texture, int width, int height, int channels);

/// A window snapshot: reads the back buffer of the current context at its full height and
/// at ImageSaver_cls::SnapshotWidth(width), and hands it to saver.SaveSnapshot. Returns at
/// once; false when nothing could be read.
bool SaveSnapshotFromGL(ImageSaver_cls& saver, int width, int height);

/// The snapshot file question (through UserPrompts_cls): proposes "snapshot.png" while
/// `current` is "None", else starts at `current`. On OK stores the choice in
/// saver.snapshotPath and returns true.
bool SelectSnapshotFile(ImageSaver_cls& saver, wxWindow* parent, const wxString& current);

/// A sequence frame from a view's off-screen buffers: when the sequence writes this step,
/// reads the colour texture `viewTexture` (viewWidth x viewHeight, RGB) and, unless
/// `overlayTexture` is 0, the RGBA overlay texture at the sequence's output size, and hands
/// them to sequence.SaveFrame. GUI thread, with the context current.
bool SaveSequenceFrameFromGL(CaptureSequence_cls& sequence, ImageSaver_cls& saver,
                             unsigned viewTexture, int viewWidth, int viewHeight,
                             unsigned overlayTexture, int stepIndex, int eye, bool sideBySide);
