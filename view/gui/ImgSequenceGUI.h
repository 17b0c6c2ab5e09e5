// The "Save Image Sequence" dialog: preview and output size, size templates, numbering,
// file-name pattern, motion blur, and the buttons that start and stop a run.
#pragma once

#include "common/gui/DialogEXKey.h"
#include "common/gui/WidgetCommon.h"
#include "common/ImgSizeTemplate.h"

class ImgSequence_cls;
class MultiInputPanel_cls;
class wxButtonEX;
class wxStaticText;

constexpr int ID_IMGSEQ_RENDER_ANIM = 6519;
constexpr int ID_IMGSEQ_RENDER_SNAP = 6520;
constexpr int ID_IMGSEQ_CALC_AUTO = 6521;
constexpr int ID_IMGSEQ_REFERENCE = 6522;

/// GUI thread only. Closing hides the dialog; a run goes on.
class ImgSequenceGUI_cls : public wxDialogEXKey, public WidgetCommon_cls, public ImgSizeTemplate_cls {
public:
    ImgSequenceGUI_cls(ImgSequence_cls* owner, wxWindow* parent, const wxPoint& pos,
                       const wxSize& size);
    ~ImgSequenceGUI_cls() override;

    /// Sets the output size from the chosen template (not "Custom"); the size controls are
    /// enabled only for "Custom".
    void OnTemplateChosen();
    /// Initial number := minus the step index of frame 0, sub-frame 0.
    void OnCalcAuto(wxCommandEvent& event);
    /// Asks for a file (starting at the current pattern) and takes it as the pattern, undoably.
    void OnReference(wxCommandEvent& event);
    /// Starts a run, or ends the running one ("Abort Anim").
    void OnRenderAnim(wxCommandEvent& event);
    /// Saves one frame (nothing while a run is under way).
    void OnRenderSnap(wxCommandEvent& event);
    void OnClose(wxCommandEvent& event);
    /// Label "Render Anim", default colours, not running.
    void ResetRenderButton();
    /// Commits the items, takes the pattern, refreshes.
    void CommitAndTakePattern();
    /// The render buttons are enabled only while a view can write the frames; otherwise
    /// their tooltip and the status text below them say why.
    void UpdateRenderButtons();

    ImgSequence_cls* owner;
    MultiInputPanel_cls* panel = nullptr;
    wxButtonEX* renderAnimButton = nullptr;
    wxButtonEX* renderSnapButton = nullptr;
    wxStaticText* unavailableNote = nullptr;  ///< why the render buttons are disabled
    int outputWidthItem = -1;   ///< item indexes of the two output-size spin controls
    int outputHeightItem = -1;
};
