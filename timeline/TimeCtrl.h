// The time model: current frame and sub-frame, scene length, work and active areas, time
// remap, motion-blur sampling, playback and stepping, and the time settings of a project.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <wx/string.h>

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"
#include "timeline/MotionBlur.h"
#include "timeline/TimeCtrlHost.h"
#include "common/CommandIds.h"

class ParamGroup_cls;
class ParamTextStream_cls;
class PlayCtrlGUI_cls;
class TimeCtrl_cls;
class TimelinePanels_cls;
class wxWindow;

/// The one time model (copies of the pointer for the subsystems that reach it).
extern TimeCtrl_cls* GpTimeCtrl;
extern TimeCtrl_cls* GpTimeCtrlPanels;


/// Frames are integers 0..TimeMaxFrame, sub-frames 0..TimeAnimInterp-1, and the normalised
/// scene time (frame + sub/interp) / TimeMaxFrame is what every key-framed value reads
/// (GdCurrentTime, written only here). A frame or sub-frame argument of -1 means the current
/// one. GUI thread only.
class TimeCtrl_cls {
public:
    /// `host` and `clock` are not owned; null host: no shell, null clock: wx stopwatch and
    /// wxMilliSleep.
    explicit TimeCtrl_cls(TimeCtrlHost_cls* host = nullptr, TimeCtrlClock_cls* clock = nullptr);
    ~TimeCtrl_cls();
    TimeCtrl_cls(const TimeCtrl_cls&) = delete;
    TimeCtrl_cls& operator=(const TimeCtrl_cls&) = delete;

    void SetHost(TimeCtrlHost_cls* h) { host_ = h ? h : &noHost_; }

    // ---- windows (defined in the window library) ----
    /// Creates the six timeline panels as children of `parent` (the lower panel lays them
    /// out); keeps them in `panels`. GUI thread.
    TimelinePanels_cls* CreatePanels(wxWindow* parent);
    /// Creates the playback bar as a child of `parent`; keeps it in `playCtrl`. GUI thread.
    PlayCtrlGUI_cls* CreatePlayCtrl(wxWindow* parent);
    TimelinePanels_cls* panels = nullptr;  ///< set by CreatePanels; the windows own themselves
    PlayCtrlGUI_cls* playCtrl = nullptr;   ///< set by CreatePlayCtrl; owned by its parent

    // ---- refresh ----
    /// Repaints the timeline panels and refreshes the playback bar (ID_TIME_REFRESH).
    void RefreshPanels();
    /// Shows the remap group's header when the remap is on; else collapses and hides it.
    void UpdateRemapTrack();

    // ---- queries ----
    /// Normalised time of frame + sub (sub may be fractional), 0 for a zero scene length,
    /// at most 1. Frame -1: the current position with the motion-blur offset.
    double GetNormalizedTime(int frame, double sub) const;
    /// Data frame drawn for a scene frame (the remap curve's value when the remap is on).
    int GetDataFrame(int frame) const;
    /// Data time in frames of a position (remapped when the remap is on); never negative.
    double GetDataTime(int frame, int sub) const;
    /// Fraction between the current data frame and the next (the frame argument is unused).
    double GetFrameFraction(int frame, int sub) const;
    /// Output number of a position in an image or POV-Ray sequence:
    /// sub + floor((frame - TimeWorkAreaMin) / TimeAnimStep) x TimeAnimInterp; negative
    /// before the work area.
    int GetStepIndex(int frame, int sub) const;
    /// Frame reached by n playback steps from `frame`; repeat only with useRepeat, the area
    /// clamp only with clampToArea.
    int GetSteppedFrame(int frame, int n, bool clampToArea, bool useRepeat) const;
    /// Nearest multiple of TimeAnimStep (halves up), reduced by steps while above the length.
    int QuantizeFrame(int frame) const;
    bool IsFrameLoaded(int frame) const;
    /// Whether the data of `frame` (at the current sub-frame, or `whole` frame) is ready.
    bool IsFrameReady(int frame, bool whole) const;
    /// Frames the data cache can hold; -1 when nothing is loaded.
    int GetFrameCapacity() const;
    /// MB the data cache holds now (the timeline shows it). GUI thread.
    int GetMemoryUsed() const { return host_->GetMemoryUsed(); }
    /// First marked frame after the current one (TimeMaxFrame when none).
    int NextMarkedFrame() const;
    /// Last marked frame before the current one (0 when none).
    int PrevMarkedFrame() const;

    // ---- direct setters (what the undo commands run) ----
    /// Stores the frame, recomputes GdCurrentTime, raises `bits` in the history.
    void SetFrame(int frame, uint64_t bits);
    /// Stores the sub-frame, recomputes GdCurrentTime, raises `bits`.
    void SetSubFrame(int sub, uint64_t bits);
    void SetWorkAreaMin(int v);
    void SetWorkAreaMax(int v);
    void SetActiveAreaMin(int v);
    void SetActiveAreaMax(int v);
    void SetRepeat(int v);
    /// Frames per step, at least 1.
    void SetAnimStep(int v);
    /// Sub-frames per frame, at least 1.
    void SetAnimInterp(int v);
    void SetPrefetch(int v);
    /// Scene length: moves the area ends that sat at the previous length, limits them, and
    /// sends a current frame beyond the end to 0.
    void SetMaxFrame(int v);

    // ---- undoable setters (one history step each; old -1 = current value) ----
    void PushValueCommand(int which, int newValue, int oldValue);
    void SetFrameUndoable(int newValue, int oldValue);
    void SetSubFrameUndoable(int newValue);
    void SetWorkAreaMinUndoable(int newValue, int oldValue);
    void SetWorkAreaMaxUndoable(int newValue, int oldValue);
    void SetActiveAreaMinUndoable(int newValue, int oldValue);
    void SetActiveAreaMaxUndoable(int newValue, int oldValue);
    void SetRepeatUndoable(int newValue, int oldValue);
    /// Step size, and in the same block the current frame moved onto the new step grid.
    void SetAnimStepUndoable(int newValue, int oldValue);
    void SetAnimInterpUndoable(int newValue, int oldValue);
    void SetPrefetchUndoable(int newValue, int oldValue);
    void SetMaxFrameUndoable(int newValue);
    /// Multiplies every key time by x (after a scene-length change), in one undo block.
    void RescaleAllKeys(double x);

    // ---- navigation ----
    /// n playback steps as one undoable frame change (nothing when it changes nothing).
    void StepBy(int n);
    /// One sub-frame step (block: sub-frame, then frame).
    void StepSubFrame(int dir);
    /// Sub-frame 0 at the work-area start (dir < 0) or end.
    void GoToLimit(int dir);
    /// Sub-frame 0 at the previous (dir <= 0) or next marked frame; always one block.
    void GoToKeyFrame(int dir);
    /// Like GoToLimit with frame (int)(TimeMaxFrame x x + 0.1).
    void SetFrameFromFraction(double x);
    /// Halves (zoomIn) or doubles the active area about the current frame.
    void ZoomActiveArea(bool zoomIn);

    // ---- playback ----
    /// Stops when playing; otherwise pushes and runs (start dir, stop at the current frame).
    void TogglePlay(int dir);
    /// Playing on in direction dir; moves at once when the first step would leave the work
    /// area (the frame is set directly: this runs inside an undo command).
    void StartPlayback(int dir);
    /// Playing off, then SetFrame(frame, 6).
    void StopAt(int frame);
    /// One playback step, paced to at most one per tick interval. True while playback goes on.
    /// A step onto the scene's last frame still returns true: that frame is painted (and
    /// exported by a run) before the next tick ends playback there.
    bool Tick();
    /// Playing, temporary range and sampling off; restarts at the other work-area end with
    /// repeat; posts ID_END_CAPTURE.
    void StopPlayback();
    /// Sampling on; the first tick takes the first sample in the playing direction.
    void StartMotionBlur();
    /// Playback range of the POV-Ray animation run, cleared by StopPlayback.
    void SetTemporaryPlayRange(int first, int last);

    // ---- key-frame marks ----
    void ResetKeyFrameMarks();
    /// Rebuilds the marks from every key of the lower panel and marks the data frames shown
    /// at those frames in the data cache (cleared first), which then evicts them last.
    void UpdateKeyFrameMarks();

    // ---- text ----
    /// Offered every line of a project or configuration file (see the .cpp).
    void ReadText(ParamTextStream_cls& stream, const std::string& line);
    /// The eleven settings lines (CR LF) and, with the remap on, "---TimeRemap\n" and the
    /// remap group's text.
    wxString WriteText() const;

    // ---- state (read freely on the GUI thread) ----
    int Frame() const { return frame_; }
    int SubFrame() const { return subFrame_; }
    bool IsPlaying() const { return playing; }
    int MaxFrame() const { return int(maxFrame.value); }
    int AnimStep() const { return animStep.value < 1 ? 1 : animStep.value; }
    int AnimInterp() const { return animInterp.value < 1 ? 1 : animInterp.value; }
    const std::vector<bool>& KeyFrameMarks() const { return marks; }

    /// Largest scene length accepted from a file or a setter (the marks hold one bit each).
    static constexpr unsigned kMaxSceneLength = 1000000;

    int tickInterval = 30;        ///< ms between playback steps
    long lastTick = 0;            ///< clock time of the last step
    bool hideMarked = false;      ///< the lower panel hides marked groups
    bool playing = false;
    bool tempRangeOn = false;     ///< the temporary play range replaces the work area
    bool stopAtNextTick = false;  ///< the last frame was reached: the next tick stops there
    int tempRangeFirst = 0;
    int tempRangeLast = 0;
    int direction = 1;            ///< +1 forward, -1 backward
    int prefetch = 3;             ///< steps ahead the data side is asked to load
    std::vector<bool> marks;      ///< one bit per scene frame
    ParamGroup_cls* remap = nullptr;  ///< "Time Remap", component "Time"; owned
    MotionBlur_cls motionBlur{this};
    int previousMaxFrame = 99;    ///< length before the last SetMaxFrame

    ConfItemGroup_cls settings;
    ConfItemUINT_cls maxFrame;         ///< "TimeMaxFrame="
    ConfItemUINT_cls workAreaMin;      ///< "TimeWorkAreaMin="
    ConfItemUINT_cls workAreaMax;      ///< "TimeWorkAreaMax="
    ConfItemUINT_cls activeAreaMin;    ///< "TimeActiveAreaMin="
    ConfItemUINT_cls activeAreaMax;    ///< "TImeActiveAreaMax="
    ConfItemBOOL_cls useTimeRemap;     ///< "TimeUseTimeRemap="
    ConfItemBOOL_cls useMotionBlur;    ///< "TimeUseMotionBlur="
    ConfItemINT_cls animStep;          ///< "TimeAnimStep=", at least 1
    ConfItemINT_cls animInterp;        ///< "TimeAnimInterp=", at least 1
    ConfItemBOOL_cls repeat;           ///< "TimeRepeat="
    ConfItemUINT_cls sceneLengthType;  ///< "TimeSceneLengthType=" 0 keep times, 1 keep frames

private:
    struct Pos {
        int frame;
        int sub;
    };
    /// The step rule: one step from (f, s) in direction d.
    Pos StepRule(int f, int s, int d) const;
    /// Steps 2-4 of the step rule for a frame already moved, with the carry's sign.
    int FinishStep(int f, int carry, bool clampToArea, bool useRepeat, int* sub) const;
    double NormTime(int f, double sub) const;
    double RemapValue(double t) const;
    void PostTimeRefresh();
    /// Stores a frame (negative as 0) into an area end and posts the refresh.
    void SetAreaEnd(ConfItemUINT_cls& item, int v);
    /// One unnamed block: sub-frame 0, then the frame; skipped when already there unless
    /// `always`.
    void JumpToFrame(int target, bool always);
    void ClampToMaxFrame();
    void ClampSettings();
    void UpdateCurrentTime();
    long Now();
    void Sleep(int ms);

    int frame_ = 0;
    int subFrame_ = 0;
    TimeCtrlHost_cls noHost_;
    TimeCtrlHost_cls* host_;
    std::unique_ptr<TimeCtrlClock_cls> ownClock_;
    TimeCtrlClock_cls* clock_;
};
