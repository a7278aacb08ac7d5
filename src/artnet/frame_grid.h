#pragma once
// Frames start on a fixed grid of a monotonic clock, so a late frame does not shift the
// ones after it; slots that passed during an overrun are skipped, not sent in a burst.

#include <cstdint>

// The start of the next frame after the one due at `due`: the first grid slot at or after
// now. All values in nanoseconds.
inline int64_t NextFrameTime(int64_t due, int64_t now, int64_t interval)
{
    int64_t next = due + interval;
    if (now > next)
        next += (now - next + interval - 1) / interval * interval;
    return next;
}
