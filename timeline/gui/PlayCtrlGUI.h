// The playback bar of the lower panel: camera and anchor key buttons, transport buttons,
// abort, "Repeat" and the "Stepping", "Interval" and "Prefetch" spin controls.
#pragma once

#include <wx/panel.h>

class TimeCtrl_cls;
class wxButton;
class wxBitmapButton;
class wxSpinCtrl;
class wxSpinEvent;
class wxToggleButton;

/// Set by the abort button: the particle drawers stop between chunks. GUI thread.
extern bool GbAbortDrawing;

constexpr int ID_PLAY_KEY_POS = 6510;
constexpr int ID_PLAY_KEY_POSROT = 6511;
constexpr int ID_PLAY_KEY_ANC = 6512;
constexpr int ID_PLAY_GOTO_START = 6513;
constexpr int ID_PLAY_BACKWARD = 6514;
constexpr int ID_PLAY_STEP_BACKWARD = 6515;
constexpr int ID_PLAY_STEP_FORWARD = 6516;
constexpr int ID_PLAY_FORWARD = 6517;
constexpr int ID_PLAY_GOTO_END = 6518;
constexpr int ID_PLAY_STEPPING = 6525;
constexpr int ID_PLAY_INTERVAL = 6526;
constexpr int ID_PLAY_PREFETCH = 6527;
constexpr int ID_PLAY_REPEAT = 6528;
constexpr int ID_PLAY_ABORT = 6531;

/// GUI thread only. The time model is not owned; the bar clears the model's pointer to it
/// when destroyed.
class PlayCtrlGUI_cls : public wxPanel {
public:
    PlayCtrlGUI_cls(wxWindow* parent, TimeCtrl_cls* time, wxWindowID id = wxID_ANY,
                    const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize);
    ~PlayCtrlGUI_cls() override;

    /// "Stepping", "Interval" and "Repeat" from the settings (not "Prefetch").
    void UpdateControls();
    /// Light blue on the button of the playing direction, default colours otherwise.
    void UpdatePlayColour();
    /// Posts the views' redraw (6017) and the filters' re-evaluation (6061) to the frame.
    void PostRedraw();

    void OnKeyPos(wxCommandEvent& event);
    void OnKeyPosRot(wxCommandEvent& event);
    void OnKeyAnc(wxCommandEvent& event);
    void OnGoToStart(wxCommandEvent& event);
    void OnGoToEnd(wxCommandEvent& event);
    void OnStepBackward(wxCommandEvent& event);
    void OnStepForward(wxCommandEvent& event);
    void OnPlayBackward(wxCommandEvent& event);
    void OnPlayForward(wxCommandEvent& event);
    void OnAbort(wxCommandEvent& event);
    void OnRepeat(wxCommandEvent& event);
    void OnStepping(wxSpinEvent& event);
    void OnInterval(wxSpinEvent& event);
    void OnPrefetch(wxSpinEvent& event);

    TimeCtrl_cls* time;
    wxButton* keyAnc = nullptr;
    wxButton* keyPos = nullptr;
    wxButton* keyPosRot = nullptr;
    wxBitmapButton* goToStart = nullptr;
    wxBitmapButton* playBackward = nullptr;
    wxBitmapButton* stepBackward = nullptr;
    wxBitmapButton* stepForward = nullptr;
    wxBitmapButton* playForward = nullptr;
    wxBitmapButton* goToEnd = nullptr;
    wxBitmapButton* abort = nullptr;
    wxToggleButton* repeat = nullptr;
    wxSpinCtrl* stepping = nullptr;
    wxSpinCtrl* interval = nullptr;
    wxSpinCtrl* prefetchCtrl = nullptr;

private:
    void AddLabel(wxSizer* sizer, const wxString& text);
    void PostToFrame(int id);
};
