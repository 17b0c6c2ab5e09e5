// An image sequence written from the main view while the timeline plays: the file-name
// pattern, the numbering, the sizes, and the rule that decides which frames are written.
#pragma once

#include <wx/string.h>

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"
#include "common/FileSequence.h"
#include "view/ImageSaver.h"

/// The settings and run state of an image sequence, without windows. The dialog
/// controller (ImgSequence_cls, view/gui/ImgSequence.h) adds the dialog. GUI thread only.
class CaptureSequence_cls {
public:
    /// Pattern `directory` + "/Preview%04d.png"; `directory` "" takes the working directory.
    explicit CaptureSequence_cls(const wxString& directory = wxString());
    virtual ~CaptureSequence_cls() = default;

    /// Preview width, height and view angle; with `alsoOutput` the output size too. Calls
    /// ViewSizeChanged().
    void SetViewSize(int width, int height, float angle, bool alsoOutput);
    /// Derives the pattern from the remembered snapshot path: nothing for "" or "None"; a
    /// name exactly "snapshot" becomes "preview%04d" (same directory and extension); a
    /// numbered path (a number pattern or trailing digits) is taken as it is; any other
    /// name gets "%04d" after it ("/out/shot.png" gives "/out/shot%04d.png").
    void SetPathFromSnapshot(const wxString& path);
    /// Takes `pattern` (the dialog's file-name text) as the sequence path.
    void SetPattern(const wxString& pattern) { files.SetPath(pattern); }

    /// What the pattern allows, with a message for the user in `message`:
    /// PATTERN_OK numbered; PATTERN_NOT_NUMBERED no number field (ask for the "%04d" tag);
    /// PATTERN_EMPTY no name at all.
    enum PatternState { PATTERN_OK = 0, PATTERN_NOT_NUMBERED, PATTERN_EMPTY };
    PatternState CheckPattern(wxString* message = nullptr) const;
    /// Numbers an unnumbered name: prefix + "%04d" + extension.
    void AppendFourDigitTag() { files.SetFourDigitPath(); }

    /// Whether the output size can be written (both sides at least 1 pixel); otherwise a
    /// message for the user in `message`.
    bool CheckOutputSize(wxString* message = nullptr) const;

    /// A run begins: last index := 0, no eye has written a frame yet.
    void BeginCapture() {
        lastIndex = 0;
        for (int& i : lastIndexOfEye) i = -1;
    }
    /// Name of the frame saved last: member last index + initial number; eye 1 tags "L",
    /// eye 2 "R", other eyes nothing.
    wxString FrameFileName() const;
    /// Name for step `stepIndex` and `eye` (the same rule, without saving anything).
    wxString FileNameFor(int stepIndex, int eye) const;
    /// Whether a frame of `stepIndex` seen by `eye` is written: not when the step lies below
    /// the last one that eye wrote (a repeat wrapped to the start; for a stereo pair each
    /// eye keeps its own, so neither half of a pair is written twice).
    bool WouldSave(int stepIndex, int eye) const;
    /// Saves one frame through `saver` (view buffer at any size, overlay RGBA at the output
    /// size or empty) unless WouldSave says no; true in both cases unless the save failed to
    /// start. An output size below 1 x 1 writes nothing and returns false.
    bool SaveFrame(ImageSaver_cls& saver, CapturedPixels view, CapturedPixels overlay,
                   int stepIndex, int eye, bool sideBySide);

    FileSequence_cls files;          ///< path, pattern, digit count (-1: not numbered)
    /// The initial number and the output size, written into projects (after the exposure
    /// settings) and read from any file. The dialog sets the initial number anew each time
    /// it is opened.
    ConfItemGroup_cls group;
    ConfItemINT_cls initialNumber;   ///< "ImgSequenceInitNum=", added to every file number
    int lastIndex = 0;               ///< step index of the frame saved last
    int lastEye = -1;                ///< eye of the frame saved last
    int lastIndexOfEye[7] = {-1, -1, -1, -1, -1, -1, -1};  ///< last step written per eye (0..6)
    bool running = false;            ///< a run is under way
    bool snapOnly = false;           ///< the run saves one frame and ends
    int previewWidth = 640;          ///< size of the view that draws the sequence (shown)
    int previewHeight = 480;
    float previewAngle = 35.0f;      ///< view angle of that view (shown)
    ConfItemINT_cls outputWidth;     ///< "ImgSequenceOutputWidth=" 640: size of the written
    ConfItemINT_cls outputHeight;    ///< "ImgSequenceOutputHeight=" 480:  images, 0..4096

protected:
    /// Called after SetViewSize; the dialog controller refreshes a shown dialog.
    virtual void ViewSizeChanged() {}
};

/// The sequence the main view is capturing for, or null.
extern CaptureSequence_cls* GpCaptureSequence;
