// The "Save Image Sequence" controller: the sequence settings with their dialog, and the
// start and end of a run.
#pragma once

#include <wx/bitmap.h>

#include "common/gui/DialogControl.h"
#include "view/CaptureSequence.h"

class DrawOptions_cls;
class ImgSequenceGUI_cls;
class MainGLCanvas_cls;
class TimeCtrl_cls;
class wxWindow;

/// Created once by the central object with the main frame and the time model; lives as
/// long as the central object. GUI thread only.
class ImgSequence_cls : public DialogControl_cls, public CaptureSequence_cls {
public:
    /// Defaults (pattern "Preview%04d.png" in `directory`, "" = the working directory) and
    /// the dialog, created at once and hidden.
    ImgSequence_cls(wxWindow* frame, TimeCtrl_cls* time, const wxString& directory = wxString());
    ~ImgSequence_cls() override;

    void CreateGUI(wxWindow* frame) override;
    /// Refreshes every bound widget of the dialog.
    void UpdateGUI(bool full) override;

    /// The menu command "Save Image Sequence": preview size of the main view, initial
    /// number := "TimeWorkAreaMin=", this becomes the current capture sequence, the pattern
    /// follows the remembered snapshot path `lastSnapshot`, and the dialog is shown.
    void OpenFromMenu(int viewWidth, int viewHeight, float viewAngle, const wxString& lastSnapshot);
    /// The start of a run (ID_IMGSEQ_PRECHECK): offers to link the capture view to the camera
    /// path and to hide its items, to set skipping to 1 and to show full particles; begins the capture, goes to the work-area start (not for a snap)
    /// and plays forward, starts motion-blur sampling when it is on. Nothing unless a button
    /// of the dialog has asked for a run (running).
    void StartRun(wxWindow* parent);
    /// ID_END_CAPTURE: the run is over; the render button reads "Render Anim" again.
    void EndRun();
    /// A run that cannot go on: posts ID_END_CAPTURE to the frame and resets the button.
    void AbortCapture();

    /// Whether a view that writes the frames of a run exists: the main view registers
    /// itself when it is built. Until then the dialog's render buttons are disabled and
    /// say why (a run would play the timeline and write nothing).
    static bool CaptureViewAvailable();
    static void SetCaptureViewAvailable(bool available);
    /// Why the render buttons are disabled; empty when a capture view exists.
    static wxString CaptureUnavailableReason();

    /// The view that writes the frames (the main view), set by the frame; not owned.
    MainGLCanvas_cls* captureView = nullptr;
    /// The draw options whose "DownSizing=" a run offers to reset; set by the central
    /// object, not owned (null: not asked).
    DrawOptions_cls* drawOptions = nullptr;
    TimeCtrl_cls* time;                 ///< not owned
    wxWindow* frame;                    ///< the main frame (command target), not owned
    ImgSequenceGUI_cls* gui = nullptr;  ///< the dialog, a child of the frame
    wxBitmap icon;                      ///< "ICONS/ImgSequence.png" (may be empty)

protected:
    void ViewSizeChanged() override;
};
