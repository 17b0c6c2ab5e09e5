// The decisions of the idle-time playback and redraw driver: keep the cache in bounds,
// show reading progress or prefetch ahead of the playing direction, wait for stale views,
// step playback. The frame supplies the world through IdleHost_cls, tests a fake.
#pragma once

/// What the driver reads and asks of the program. All calls on the GUI thread.
class IdleHost_cls {
public:
    virtual ~IdleHost_cls() = default;
    /// Frees cached frames beyond the memory limit (around the current frame).
    virtual void EnforceMemoryLimit() = 0;
    /// A snapshot reader thread is running.
    virtual bool ReaderRunning() = 0;
    /// Posts ID_STATUS_REFRESH to the frame.
    virtual void PostStatusRefresh() = 0;
    /// The current scene frame and sub-frame.
    virtual int CurrentFrame() = 0;
    /// Data time (a real frame number) of scene frame `frame` at the current sub-frame.
    virtual double DataTime(int frame) = 0;
    /// The data of data frame `frame` with interpolation fraction `fraction` are ready.
    virtual bool IsFrameReady(int frame, double fraction) = 0;
    /// The frame `steps` animation steps from the current one, as playback reaches it,
    /// clamped to the work area; may be -1 (the current frame).
    virtual int SteppedFrame(int steps) = 0;
    /// "TimeMaxFrame=".
    virtual int MaxFrame() = 0;
    /// Starts loading scene frame `frame` without waiting.
    virtual void PrepareFrame(int frame) = 0;
    /// The prefetch count (0 or more) and the playback direction (+1 or -1).
    virtual int PrefetchCount() = 0;
    virtual int Direction() = 0;
    /// `GbRedrawPending`, and setting it.
    virtual bool RedrawPending() = 0;
    virtual void SetRedrawPending() = 0;
    /// Asks every view of the upper panel; a shown view that does not show the current
    /// frame and sub-frame is refreshed. True when all were current.
    virtual bool AllViewsCurrent() = 0;
    /// Sleeps `ms` milliseconds (the toolkit's sleep; tests record it).
    virtual void Sleep(int ms) = 0;
    virtual bool Playing() = 0;
    /// One playback step; true while still playing.
    virtual bool Tick() = 0;
    /// Lets a POV-Ray animation run start its next queued render.
    virtual void RenderNextAnimFrame() = 0;
};

/// How an idle pass ended.
enum IdleOutcome : int {
    IDLE_REDRAW_PENDING,  ///< returned early: a redraw is still pending
    IDLE_VIEWS_STALE,     ///< some view was refreshed; slept 13 ms
    IDLE_DONE,            ///< all views current; playback stepped when playing
};

class IdleDriver_cls {
public:
    /// Milliseconds slept when a view still has to repaint the current frame.
    static constexpr int kStaleViewSleepMs = 13;

    /// One idle pass of the main frame.
    static IdleOutcome RunIdle(IdleHost_cls& host);

    /// Requests the first not-ready frame among the next prefetch-count steps in
    /// `direction` (frames past "TimeMaxFrame=" or below 0 are passed over). Returns the
    /// scene frame requested, or -2 when none.
    static int Prefetch(IdleHost_cls& host, int direction);
};
