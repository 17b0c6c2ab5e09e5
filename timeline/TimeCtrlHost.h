// What the time model asks of the rest of the program (data cache, lower panel, timeline
// panels, main frame) and the clock that paces playback; tests replace both.
#pragma once

#include <vector>

/// The time model's view of the shell. Every call is made on the GUI thread. The defaults
/// do nothing (and report every frame ready), so a model without a shell still works.
class TimeCtrlHost_cls {
public:
    virtual ~TimeCtrlHost_cls() = default;
    /// The data frame (clamped by the data side) of the current sequence has been read.
    virtual bool IsDataFrameLoaded(int dataFrame) { (void)dataFrame; return true; }
    /// The data frame is ready for drawing at `fraction` towards the next one (1.0 also
    /// needs the rates to the next frame); `sampling` is the motion-blur state.
    virtual bool IsDataFrameReady(int dataFrame, double fraction, bool sampling) {
        (void)dataFrame; (void)fraction; (void)sampling; return true;
    }
    /// Data cache limit in MB.
    virtual int GetMemoryLimit() { return 4096; }
    /// MB the data cache holds now.
    virtual int GetMemoryUsed() { return 0; }
    /// MB per loaded frame of the current sequence; -1 when none is loaded.
    virtual int GetMemoryPerFrame() { return -1; }
    /// Clears the key-frame marks of every data frame.
    virtual void ClearDataFrameMarks() {}
    /// Sets bit (frame) of `marks` for every key of every group of the lower panel.
    virtual void MarkKeyFrames(std::vector<bool>& marks) { (void)marks; }
    /// Marks a data frame (any number; the data side clamps it) as holding key frames, so
    /// that the cache evicts it last.
    virtual void MarkDataFrame(int dataFrame) { (void)dataFrame; }
    /// Multiplies every key time of every group of the lower panel (undoable key moves).
    virtual void ScaleKeyTimes(double x) { (void)x; }
    /// Repaints the timeline panels (main slider, active-area bar, frame entry, ruler).
    virtual void RefreshPanels() {}
    /// Refreshes the playback bar's controls from the settings.
    virtual void UpdatePlayControls() {}
    /// Recolours the play buttons for the playing state.
    virtual void UpdatePlayColour() {}
    /// Sets the main frame's restart flag (playback restarted for repeat).
    virtual void SetRestartFlag() {}
};

/// Milliseconds since some start, and a blocking sleep: the pacing of playback.
class TimeCtrlClock_cls {
public:
    virtual ~TimeCtrlClock_cls() = default;
    virtual long NowMs() = 0;
    virtual void SleepMs(int ms) = 0;
};
