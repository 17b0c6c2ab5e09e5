// Idle-time playback and redraw decisions.
#include "app/IdleDriver.h"

#include <cmath>

namespace {

bool DataReady(IdleHost_cls& host, double dataTime) {
    const double whole = std::floor(dataTime);
    return host.IsFrameReady(static_cast<int>(whole), dataTime - whole);
}

}  // namespace

int IdleDriver_cls::Prefetch(IdleHost_cls& host, int direction) {
    const int n = direction * host.PrefetchCount();
    const int step = n > 0 ? 1 : -1;
    for (int i = step; n != 0 && (n > 0 ? i <= n : i >= n); i += step) {
        const int f = host.SteppedFrame(i);
        if (f > host.MaxFrame()) continue;
        if (n < 0 && f < 0) continue;  // before the first frame
        const int frame = f == -1 ? host.CurrentFrame() : f;
        if (!DataReady(host, host.DataTime(frame))) {
            host.PrepareFrame(f);
            return f;
        }
    }
    return -2;
}

IdleOutcome IdleDriver_cls::RunIdle(IdleHost_cls& host) {
    host.EnforceMemoryLimit();
    if (host.ReaderRunning()) {
        host.PostStatusRefresh();
    } else if (DataReady(host, host.DataTime(host.CurrentFrame()))) {
        Prefetch(host, host.Direction());
    }
    if (host.RedrawPending()) return IDLE_REDRAW_PENDING;
    if (!host.AllViewsCurrent()) {
        host.Sleep(kStaleViewSleepMs);
        return IDLE_VIEWS_STALE;
    }
    if (host.Playing() && host.Tick()) host.SetRedrawPending();
    host.RenderNextAnimFrame();
    return IDLE_DONE;
}
