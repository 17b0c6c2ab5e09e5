// The playback bar's prefetch limit.
#include "timeline/PrefetchLimit.h"

int LimitPrefetch(int v, int capacity) {
    if (v <= 3) return v;
    if (capacity < 0) return 3;
    if (v > 0.6 * capacity) {
        const int limited = int(0.6 * capacity);
        return limited < 1 ? 1 : limited;  // the control's minimum
    }
    return v;
}
