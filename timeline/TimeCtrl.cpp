// Time model: conversions between frames, sub-frames, normalised and data time; setters and
// their undo steps; stepping, playback and motion-blur sampling; the project text.
#include "timeline/TimeCtrl.h"

#include <algorithm>
#include <cmath>

#include <wx/stopwatch.h>
#include <wx/utils.h>

#include "common/CommandHistory.h"
#include "timeline/CommandSetTimeCtrlValue.h"
#include "timeline/CommandStartAnim.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamTextStream.h"
#include "timeline/ParamViews.h"
#include "timeline/Parameter.h"

TimeCtrl_cls* GpTimeCtrl = nullptr;
TimeCtrl_cls* GpTimeCtrlPanels = nullptr;

namespace {

// Playback pacing from the wx stopwatch, started with the model and never restarted.
class StopWatchClock : public TimeCtrlClock_cls {
public:
    long NowMs() override { return watch_.Time(); }
    void SleepMs(int ms) override { wxMilliSleep(unsigned(ms)); }

private:
    wxStopWatch watch_;
};

constexpr uint64_t kRemapFlags = 4102;  // UPD_TIME | UPD_VIEWS | UPD_FILTER_EVAL

int FloorDiv(int a, int b) {
    int q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

}  // namespace

TimeCtrl_cls::TimeCtrl_cls(TimeCtrlHost_cls* host, TimeCtrlClock_cls* clock)
    : host_(host ? host : &noHost_), clock_(clock) {
    if (!clock_) {
        ownClock_.reset(new StopWatchClock);
        clock_ = ownClock_.get();
    }
    settings.Register(&maxFrame, "TimeMaxFrame=", "100");
    settings.Register(&workAreaMin, "TimeWorkAreaMin=", "0");
    settings.Register(&workAreaMax, "TimeWorkAreaMax=", "100");
    settings.Register(&activeAreaMin, "TimeActiveAreaMin=", "0");
    settings.Register(&activeAreaMax, "TImeActiveAreaMax=", "100");
    settings.Register(&useTimeRemap, "TimeUseTimeRemap=", "0");
    settings.Register(&useMotionBlur, "TimeUseMotionBlur=", "0");
    settings.Register(&animStep, "TimeAnimStep=", "1");
    settings.Register(&animInterp, "TimeAnimInterp=", "1");
    settings.Register(&repeat, "TimeRepeat=", "0");
    settings.Register(&sceneLengthType, "TimeSceneLengthType=", "0");
    remap = new ParamGroup_cls("Time Remap", {"Time"}, kRemapFlags, 0);
}

TimeCtrl_cls::~TimeCtrl_cls() { delete remap; }

long TimeCtrl_cls::Now() { return clock_->NowMs(); }
void TimeCtrl_cls::Sleep(int ms) { clock_->SleepMs(ms); }

void TimeCtrl_cls::PostTimeRefresh() { GoCommandHistory.PostFrameCommand(ID_TIME_REFRESH); }

void TimeCtrl_cls::RefreshPanels() {
    host_->RefreshPanels();
    host_->UpdatePlayControls();
}

void TimeCtrl_cls::UpdateRemapTrack() {
    if (useTimeRemap.value) {
        if (remap->header) remap->header->ShowHeader(true);
    } else {
        remap->HideGUI();
        if (remap->header) remap->header->ShowHeader(false);
    }
}

// ---------------------------------------------------------------- queries

double TimeCtrl_cls::NormTime(int f, double sub) const {
    const int M = MaxFrame();
    if (M == 0) return 0.0;
    const double t = (sub / AnimInterp() + f) / M;
    return t > 1.0 ? 1.0 : t;
}

double TimeCtrl_cls::GetNormalizedTime(int frame, double sub) const {
    if (frame == -1) {
        double s = subFrame_;
        if (motionBlur.sampling) s += motionBlur.GetOffset();
        return NormTime(frame_, s);
    }
    return NormTime(frame, sub < 0 ? double(subFrame_) : sub);
}

double TimeCtrl_cls::RemapValue(double t) const {
    // The const evaluation leaves the cached value (what the lower panel shows) alone.
    return remap->ComponentCount() > 0 ? remap->Component(0).Evaluate(t, 0.0) : 0.0;
}

int TimeCtrl_cls::GetDataFrame(int frame) const {
    if (!useTimeRemap.value) return frame == -1 ? frame_ : std::max(frame, 0);
    const double t = frame == -1 ? GetNormalizedTime(-1, -1) : NormTime(frame, 0);
    const int d = int(RemapValue(t) + 0.00001);
    return d < 0 ? 0 : d;
}

double TimeCtrl_cls::GetDataTime(int frame, int sub) const {
    const int f = frame == -1 ? frame_ : frame;
    const int s = sub == -1 ? subFrame_ : sub;
    if (!useTimeRemap.value) {
        const double d = f + double(s) / AnimInterp();
        return d < 0 ? 0 : d;
    }
    double sp = s;
    if (motionBlur.sampling) sp += motionBlur.GetOffset();
    const double v = RemapValue(NormTime(f, sp));
    double d = v;
    if (v - int(v) > 0.99999) d = int(v + 0.00001);
    return d < 0 ? 0 : d;
}

double TimeCtrl_cls::GetFrameFraction(int, int sub) const {
    const int s = sub == -1 ? subFrame_ : sub;
    double r;
    if (!useTimeRemap.value) {
        double o = s;
        if (motionBlur.sampling) o += motionBlur.GetOffset();
        r = o / AnimInterp();
    } else {
        r = GetDataTime(-1, s) - std::max(0, GetDataFrame(-1));
    }
    return r < 0 ? 0 : r;
}

int TimeCtrl_cls::GetStepIndex(int frame, int sub) const {
    const int f = frame == -1 ? frame_ : frame;
    const int s = sub == -1 ? subFrame_ : sub;
    return s + FloorDiv(f - int(workAreaMin.value), AnimStep()) * AnimInterp();
}

int TimeCtrl_cls::FinishStep(int f, int carry, bool clampToArea, bool useRepeat, int* sub) const {
    const int M = MaxFrame();
    const bool R = useRepeat && repeat.value;
    // Below 0 counts as past the end, as an unsigned frame number would.
    if (f > M || f < 0) {
        if (carry >= 0) f = R ? 0 : M;
        else f = R ? M : 0;
    }
    if (clampToArea) {
        const int lo = tempRangeOn ? tempRangeFirst : int(workAreaMin.value);
        const int hi = tempRangeOn ? tempRangeLast : int(workAreaMax.value);
        if (f >= hi) {
            f = hi;
            if (sub) *sub = 0;
        }
        if (f < lo) {
            f = lo;
            if (sub) *sub = 0;
        }
    }
    const int S = AnimStep();
    return (f / S) * S;
}

TimeCtrl_cls::Pos TimeCtrl_cls::StepRule(int f, int s, int d) const {
    const int S = AnimStep(), I = AnimInterp();
    int sp = s + d, fp = f, carry = 0;
    if (sp < 0) {
        fp = f - S;
        sp = I - 1;
        carry = -1;
    } else if (sp >= I) {
        fp = f + S;
        sp = 0;
        carry = 1;
    }
    fp = FinishStep(fp, carry, true, true, &sp);
    return {fp, sp};
}

int TimeCtrl_cls::GetSteppedFrame(int frame, int n, bool clampToArea, bool useRepeat) const {
    const int f = frame == -1 ? frame_ : frame;
    return FinishStep(f + n * AnimStep(), n < 0 ? -1 : 1, clampToArea, useRepeat, nullptr);
}

int TimeCtrl_cls::QuantizeFrame(int frame) const {
    const int S = AnimStep();
    const int f = frame == -1 ? frame_ : frame;
    int q = int(std::floor((f + S / 2.0) / S)) * S;
    while (q > MaxFrame() && q - S >= 0) q -= S;
    return q;
}

bool TimeCtrl_cls::IsFrameLoaded(int frame) const { return host_->IsDataFrameLoaded(GetDataFrame(frame)); }

bool TimeCtrl_cls::IsFrameReady(int frame, bool whole) const {
    const double d = GetDataTime(frame, -1);
    return host_->IsDataFrameReady(int(d), whole ? 1.0 : d - int(d), motionBlur.sampling != 0);
}

int TimeCtrl_cls::GetFrameCapacity() const {
    const int per = host_->GetMemoryPerFrame();
    if (per == -1) return -1;
    return host_->GetMemoryLimit() / (per == 0 ? 1 : per);
}

int TimeCtrl_cls::NextMarkedFrame() const {
    const int M = MaxFrame();
    for (int f = frame_ + 1; f <= M && f < int(marks.size()); ++f)
        if (marks[size_t(f)]) return f;
    return M;
}

int TimeCtrl_cls::PrevMarkedFrame() const {
    for (int f = std::min(frame_ - 1, int(marks.size()) - 1); f >= 0; --f)
        if (marks[size_t(f)]) return f;
    return 0;
}

// ---------------------------------------------------------------- direct setters

void TimeCtrl_cls::UpdateCurrentTime() { GdCurrentTime = GetNormalizedTime(-1, -1); }

void TimeCtrl_cls::SetFrame(int f, uint64_t bits) {
    frame_ = f;
    UpdateCurrentTime();
    GoCommandHistory.Notify(bits);
}

void TimeCtrl_cls::SetSubFrame(int s, uint64_t bits) {
    subFrame_ = s;
    // The scene time follows the sub-frame at once, so a sub-frame change alone (the frame
    // entry) shows the right key-framed values.
    UpdateCurrentTime();
    GoCommandHistory.Notify(bits);
}

void TimeCtrl_cls::SetAreaEnd(ConfItemUINT_cls& item, int v) {
    item.value = unsigned(std::max(v, 0));
    PostTimeRefresh();
}
void TimeCtrl_cls::SetWorkAreaMin(int v) { SetAreaEnd(workAreaMin, v); }
void TimeCtrl_cls::SetWorkAreaMax(int v) { SetAreaEnd(workAreaMax, v); }
void TimeCtrl_cls::SetActiveAreaMin(int v) { SetAreaEnd(activeAreaMin, v); }
void TimeCtrl_cls::SetActiveAreaMax(int v) { SetAreaEnd(activeAreaMax, v); }
void TimeCtrl_cls::SetRepeat(int v) {
    repeat.value = v != 0;
    PostTimeRefresh();
}
void TimeCtrl_cls::SetAnimStep(int v) {
    animStep.value = std::max(v, 1);
    PostTimeRefresh();
}
void TimeCtrl_cls::SetAnimInterp(int v) {
    animInterp.value = std::max(v, 1);
    SetSceneFrameCount(MaxFrame(), AnimInterp());
    UpdateCurrentTime();
    PostTimeRefresh();
}
void TimeCtrl_cls::SetPrefetch(int v) {
    prefetch = v;
    PostTimeRefresh();
}

void TimeCtrl_cls::SetMaxFrame(int v) {
    maxFrame.value = unsigned(std::clamp(v, 0, int(kMaxSceneLength)));
    ClampToMaxFrame();
    SetSceneFrameCount(MaxFrame(), AnimInterp());
    UpdateCurrentTime();
    RefreshPanels();
}

void TimeCtrl_cls::ClampToMaxFrame() {
    const int M = MaxFrame();
    if (M != previousMaxFrame) {
        if (int(activeAreaMax.value) == previousMaxFrame) activeAreaMax.value = unsigned(M);
        if (int(workAreaMax.value) == previousMaxFrame) workAreaMax.value = unsigned(M);
        activeAreaMax.value = std::min(activeAreaMax.value, unsigned(M));
        workAreaMax.value = std::min(workAreaMax.value, unsigned(M));
        previousMaxFrame = M;
    }
    if (frame_ > M) frame_ = 0;
}

// ---------------------------------------------------------------- undoable setters

void TimeCtrl_cls::PushValueCommand(int which, int newValue, int oldValue) {
    GoCommandHistory.Push(new CommandSetTimeCtrlValue_cls(this, which, newValue),
                          new CommandSetTimeCtrlValue_cls(this, which, oldValue));
    GoCommandHistory.Redo();
}

void TimeCtrl_cls::SetFrameUndoable(int n, int o) { PushValueCommand(0, n, o == -1 ? frame_ : o); }
void TimeCtrl_cls::SetSubFrameUndoable(int n) { PushValueCommand(1, n, subFrame_); }
void TimeCtrl_cls::SetWorkAreaMinUndoable(int n, int o) {
    PushValueCommand(2, n, o == -1 ? int(workAreaMin.value) : o);
}
void TimeCtrl_cls::SetWorkAreaMaxUndoable(int n, int o) {
    PushValueCommand(3, n, o == -1 ? int(workAreaMax.value) : o);
}
void TimeCtrl_cls::SetActiveAreaMinUndoable(int n, int o) {
    PushValueCommand(4, n, o == -1 ? int(activeAreaMin.value) : o);
}
void TimeCtrl_cls::SetActiveAreaMaxUndoable(int n, int o) {
    PushValueCommand(5, n, o == -1 ? int(activeAreaMax.value) : o);
}
void TimeCtrl_cls::SetRepeatUndoable(int n, int o) { PushValueCommand(6, n, o); }
void TimeCtrl_cls::SetAnimInterpUndoable(int n, int o) { PushValueCommand(8, n, o); }
void TimeCtrl_cls::SetPrefetchUndoable(int n, int o) { PushValueCommand(9, n, o); }
void TimeCtrl_cls::SetMaxFrameUndoable(int n) { PushValueCommand(10, n, MaxFrame()); }

void TimeCtrl_cls::SetAnimStepUndoable(int n, int o) {
    GoCommandHistory.BeginBlock("");
    PushValueCommand(7, n, o);
    const int q = QuantizeFrame(frame_);
    if (q != frame_) SetFrameUndoable(q, frame_);
    GoCommandHistory.EndBlock("");
}

void TimeCtrl_cls::RescaleAllKeys(double x) {
    SetSceneFrameCount(MaxFrame(), AnimInterp());
    GoCommandHistory.BeginBlock("");
    host_->ScaleKeyTimes(x);
    GoCommandHistory.EndBlock("");
}

// ---------------------------------------------------------------- navigation

void TimeCtrl_cls::StepBy(int n) {
    const int f = GetSteppedFrame(frame_, n, true, true);
    if (f != frame_) SetFrameUndoable(f, frame_);
}

void TimeCtrl_cls::StepSubFrame(int dir) {
    const Pos p = StepRule(frame_, subFrame_, dir < 0 ? -1 : 1);
    if (p.frame == frame_ && p.sub == subFrame_) return;
    const int oldFrame = frame_;
    GoCommandHistory.BeginBlock("");
    SetSubFrameUndoable(p.sub);
    SetFrameUndoable(p.frame, oldFrame);
    GoCommandHistory.EndBlock("");
}

void TimeCtrl_cls::JumpToFrame(int target, bool always) {
    if (!always && frame_ == target && subFrame_ == 0) return;
    const int oldFrame = frame_;
    GoCommandHistory.BeginBlock("");
    SetSubFrameUndoable(0);
    SetFrameUndoable(target, oldFrame);
    GoCommandHistory.EndBlock("");
}

void TimeCtrl_cls::GoToLimit(int dir) {
    JumpToFrame(dir < 0 ? int(workAreaMin.value) : int(workAreaMax.value), false);
}

void TimeCtrl_cls::GoToKeyFrame(int dir) { JumpToFrame(dir <= 0 ? PrevMarkedFrame() : NextMarkedFrame(), true); }

void TimeCtrl_cls::SetFrameFromFraction(double x) {
    const int M = MaxFrame();
    JumpToFrame(M == 0 ? 0 : int(M * x + 0.1), false);
}

void TimeCtrl_cls::ZoomActiveArea(bool zoomIn) {
    const int a0 = int(activeAreaMin.value), a1 = int(activeAreaMax.value), f = frame_;
    int lo, hi;
    if (zoomIn) {
        lo = f - (f - a0) / 2;
        hi = f + (a1 - f) / 2;
    } else {
        lo = f - 2 * (f - a0);
        hi = f + 2 * (a1 - f);
    }
    lo = std::clamp(lo, 0, std::max(f, 0));
    hi = std::clamp(hi, f, std::max(f, MaxFrame()));
    if (lo == a0 && hi == a1) return;
    GoCommandHistory.BeginBlock("");
    SetActiveAreaMinUndoable(lo, a0);
    SetActiveAreaMaxUndoable(hi, a1);
    GoCommandHistory.EndBlock("");
}

// ---------------------------------------------------------------- playback

void TimeCtrl_cls::TogglePlay(int dir) {
    if (playing) {
        StopPlayback();
    } else {
        GoCommandHistory.Push(new CommandStartAnim_cls(this, dir), new CommandStopAnim_cls(this, frame_));
        GoCommandHistory.Redo();
    }
    host_->UpdatePlayColour();
}

void TimeCtrl_cls::StartPlayback(int dir) {
    playing = true;
    stopAtNextTick = false;
    direction = dir < 0 ? -1 : 1;
    const int first = frame_ + direction * AnimStep();
    // The range the steps will be clamped to: the POV-Ray run's own range while it is set
    // (checking the work area instead would step a run starting outside it past its first
    // frame before that frame is painted and exported).
    const int lo = tempRangeOn ? tempRangeFirst : int(workAreaMin.value);
    const int hi = tempRangeOn ? tempRangeLast : int(workAreaMax.value);
    if (first >= lo && first <= hi && first <= MaxFrame()) return;
    // Outside the work area the first step is taken at once. This runs inside the start
    // command, so the frame is set directly: pushing a step from inside a running command
    // would cut the history under it (undoing the start restores the frame anyway).
    const int f = GetSteppedFrame(frame_, direction, true, true);
    if (f != frame_) SetFrame(f, 6);
    GoCommandHistory.PostFrameCommand(ID_REDRAW_VIEWS);
    GoCommandHistory.PostFrameCommand(ID_FILTERS_AT_TIME);
}

void TimeCtrl_cls::StopAt(int f) {
    playing = false;
    SetFrame(f, 6);
}

bool TimeCtrl_cls::Tick() {
    if (stopAtNextTick) {
        StopPlayback();
        return false;
    }
    Pos next{frame_, subFrame_};
    bool sampleOnly = false;
    if (motionBlur.sampling) {
        const int count = motionBlur.Count();
        if (direction >= 0) {
            if (++motionBlur.index < count) sampleOnly = true;
            else motionBlur.index = 0;
        } else {
            if (--motionBlur.index > -1) sampleOnly = true;
            else motionBlur.index = count - 1;
        }
    }
    if (!sampleOnly) {
        next = StepRule(frame_, subFrame_, direction);
        if (next.frame == frame_ && next.sub == subFrame_) {
            StopPlayback();
            return false;
        }
    }
    while (Now() - lastTick < tickInterval) Sleep(3);
    lastTick = Now();
    subFrame_ = next.sub;
    SetFrame(next.frame, 6);
    GoCommandHistory.Notify(6);
    GoCommandHistory.PostFrameCommand(ID_REDRAW_VIEWS);
    GoCommandHistory.PostFrameCommand(ID_FILTERS_AT_TIME);
    // Stopping here would end a capture or export run before the views have painted this
    // frame: the stop waits for the next tick, which comes only once they have.
    if (frame_ == MaxFrame()) stopAtNextTick = true;
    return true;
}

void TimeCtrl_cls::StopPlayback() {
    playing = false;
    stopAtNextTick = false;
    tempRangeOn = false;
    motionBlur.sampling = 0;
    if (repeat.value && ((direction > 0 && frame_ == int(workAreaMax.value)) ||
                         (direction < 0 && frame_ == int(workAreaMin.value)))) {
        playing = true;
        host_->SetRestartFlag();
        frame_ = direction > 0 ? int(workAreaMin.value) : int(workAreaMax.value);
        // Set without a notification, but the scene time must follow the frame the views
        // are about to draw.
        UpdateCurrentTime();
    }
    host_->UpdatePlayColour();
    GoCommandHistory.PostFrameCommand(ID_END_CAPTURE);
}

void TimeCtrl_cls::StartMotionBlur() {
    motionBlur.sampling = 1;
    motionBlur.index = direction == 1 ? -1 : motionBlur.Count();
}

void TimeCtrl_cls::SetTemporaryPlayRange(int first, int last) {
    tempRangeOn = true;
    tempRangeFirst = first;
    tempRangeLast = last;
}

// ---------------------------------------------------------------- marks

void TimeCtrl_cls::ResetKeyFrameMarks() {
    const size_t n = size_t(MaxFrame()) + 1;
    if (marks.size() != n) marks.resize(n);
    std::fill(marks.begin(), marks.end(), false);
}

void TimeCtrl_cls::UpdateKeyFrameMarks() {
    ResetKeyFrameMarks();
    host_->ClearDataFrameMarks();
    host_->MarkKeyFrames(marks);
    // The data frames shown at those scene frames (the remap may move them) are kept in the
    // cache longest.
    for (size_t f = 0; f < marks.size(); ++f)
        if (marks[f]) host_->MarkDataFrame(GetDataFrame(int(f)));
}

// ---------------------------------------------------------------- text

void TimeCtrl_cls::ClampSettings() {
    if (animStep.value < 1) animStep.value = 1;
    if (animInterp.value < 1) animInterp.value = 1;
    if (maxFrame.value > kMaxSceneLength) maxFrame.value = kMaxSceneLength;
    // The areas are frame numbers of the scene: one past its end (or above the int range,
    // which would read as a negative frame) is taken as the last frame.
    for (ConfItemUINT_cls* area : {&workAreaMin, &workAreaMax, &activeAreaMin, &activeAreaMax})
        area->value = std::min(area->value, maxFrame.value);
}

void TimeCtrl_cls::ReadText(ParamTextStream_cls& stream, const std::string& line) {
    if (settings.OfferLine(wxString::FromUTF8(line.c_str()))) {
        ClampSettings();
        SetSceneFrameCount(MaxFrame(), AnimInterp());
        host_->UpdatePlayControls();
    }
    std::string marker = line;
    while (!marker.empty() && (marker.back() == '\r' || marker.back() == '\n')) marker.pop_back();
    if (marker == "---TimeRemap") {
        std::string next;
        while (stream.ReadLine(next)) {
            if (LineStartsWith(next, kParamGroupHeader)) {
                remap->ReadText(stream, next);
                break;
            }
        }
    }
}

wxString TimeCtrl_cls::WriteText() const {
    wxString s = settings.WriteAll();
    if (useTimeRemap.value) s << "---TimeRemap\n" << wxString::FromUTF8(remap->WriteText().c_str());
    return s;
}
