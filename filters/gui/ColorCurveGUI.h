// The "Color Curve Editor": one modeless dialog for the whole program that edits the
// four-channel curve of the colour record whose button was clicked last, and its controller.
#pragma once

#include "common/gui/DialogControl.h"
#include "common/gui/WidgetCommon.h"

class ColorCurveBtn_cls;
class ColorCurveGUI_cls;
class ColorCurveTemplate_cls;
class ColorCurveTics_cls;
class ColorCurve_cls;
class GraphPanel_cls;
class MultiInputPanel_cls;
class wxButton;
class wxStaticText;

constexpr int ID_COLOR_INSERT_KEY = 6558;
constexpr int ID_COLOR_DELETE_KEY = 6559;
constexpr int ID_COLOR_PICK = 6560;
constexpr int ID_COLOR_CHANNEL_R = 6561;
constexpr int ID_COLOR_CHANNEL_G = 6562;
constexpr int ID_COLOR_CHANNEL_B = 6563;
constexpr int ID_COLOR_CHANNEL_A = 6564;

/// Made once by the central object with the main frame; its dialog is created at once and
/// hidden. The edited record is not owned: when its holder deletes it the editor lets go
/// of it. GUI thread only.
class ColorCurveCtrl_cls : public DialogControl_cls {
public:
    explicit ColorCurveCtrl_cls(wxWindow* frame);
    /// Destroys the dialog; call it while the parent frame still lives.
    ~ColorCurveCtrl_cls() override;

    void CreateGUI(wxWindow* frame) override;
    /// Pick button, cursor colour and channel fields from the record and the graph cursor.
    void UpdateGUI(bool full) override;

    /// The record the editor edits from now on (null: none).
    void SetRecord(ColorCurve_cls* record);
    ColorCurve_cls* Record() const { return record_; }
    /// The edited record takes the template's curves (one undoable copy).
    void ApplyTemplate(const ColorCurve_cls& source, bool curveOnly);

    ColorCurveGUI_cls* gui = nullptr;  ///< the dialog, a child of the frame

private:
    static void OnRecordDeleted(ColorCurve_cls* record);

    wxWindow* frame_;
    ColorCurve_cls* record_ = nullptr;
};

/// The controller of the program (null before the central object made it).
extern ColorCurveCtrl_cls* GpColorCurveCtrl;

class ColorCurveGUI_cls : public wxDialogEXKey, public WidgetCommon_cls {
public:
    ColorCurveGUI_cls(ColorCurveCtrl_cls* control, wxWindow* frame, const wxPoint& pos, const wxSize& size);
    ~ColorCurveGUI_cls() override;

    ColorCurveCtrl_cls* Control() const { return control_; }
    ColorCurve_cls* Record() const { return control_ ? control_->Record() : nullptr; }

    /// Binds the scaling items, swatch, graph and title to `record` (null: none).
    void ShowRecord(ColorCurve_cls* record);
    /// The cursor position and colour from the graph's cursor column; channel fields refreshed.
    void UpdateCursorColour();
    /// The colour square takes the graph's colour at its cursor (black without a curve).
    void UpdatePickButton();
    /// Colours the button of the curve's selected channel.
    void UpdateChannelButtons();
    /// Every scaling item from its variable, and the ruler.
    void RefreshScaling();
    /// Every channel item from its variable.
    void RefreshChannels();
    /// Fits the dialog to its sizer's height, keeping its width.
    void RefitKeepingWidth();

    /// A final change of a channel's entry or slider: a key of that channel at the cursor.
    void OnChannelEdited(int itemIndex);
    void OnChannelButton(wxCommandEvent& event);
    void OnKeyDown(wxKeyEvent& event);

    MultiInputPanel_cls* scalingPanel = nullptr;
    MultiInputPanel_cls* channelPanel = nullptr;
    ColorCurveBtn_cls* swatch = nullptr;
    ColorCurveTics_cls* ruler = nullptr;
    GraphPanel_cls* graph = nullptr;
    wxButton* flipButton = nullptr;
    wxButton* swapButton = nullptr;
    wxButton* channelButtons[4] = {};
    wxButton* insertButton = nullptr;
    wxButton* deleteButton = nullptr;
    wxButton* pickButton = nullptr;
    ColorCurveTemplate_cls* templates = nullptr;
    wxStaticText* hint = nullptr;  ///< how to choose a colour to edit; shown while none is edited

    float dummyFloat = 0.0f;
    unsigned dummyUint = 0;
    int minItem = -1, maxItem = -1, dependItem = -1;
    float cursorPosition = 0.0f;
    float cursorColour[4] = {0, 0, 0, 0};
    int channelItems[4] = {-1, -1, -1, -1};  ///< header index of each channel's entry and slider

private:
    void BuildScalingPanel(wxSizer* sizer);
    void BuildChannelPanel(wxSizer* sizer);
    void OnPaint(wxPaintEvent& event);
    void OnGraphChanged(wxCommandEvent& event);
    void OnInsertKey(wxCommandEvent& event);
    void OnDeleteKey(wxCommandEvent& event);
    void OnPickColour(wxCommandEvent& event);
    void OnFlipColor(wxCommandEvent& event);
    void OnSwapRGB(wxCommandEvent& event);
    /// The record's curve when a record is edited, else null.
    ColorCurve_cls* CurveRecord() const;

    ColorCurveCtrl_cls* control_;
};
