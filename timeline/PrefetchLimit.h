// The playback bar's limit on how many frames ahead the data side may load.
#pragma once

/// Limits a requested prefetch count `v` by the frame capacity `capacity` (frames that fit
/// into the memory limit; -1 when nothing is loaded): above 3 and above 0.6 x capacity it
/// becomes (int)(0.6 x capacity). Values up to 3 are kept. With an unknown capacity a
/// request above 3 becomes 3 (a limit of 0 would fall below the control's minimum of 1).
int LimitPrefetch(int v, int capacity);
