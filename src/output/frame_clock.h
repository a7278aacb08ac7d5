#pragma once
// The clock of playback. Frames are due on a fixed grid of the monotonic clock, so a late
// frame does not shift the ones after it; slots that passed during an overrun are skipped,
// not sent in a burst. Between frames the owner's other work runs, and the clock sleeps
// until the next frame, the owner's next deadline or a descriptor turning readable.

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

enum class ThreadPriority { Normal, AboveNormal };

// CLOCK_MONOTONIC in nanoseconds.
int64_t MonotonicNs();

// The start of the next frame after the one due at `due`: the first grid slot at or after
// now. All values in nanoseconds.
inline int64_t NextFrameTime(int64_t due, int64_t now, int64_t interval)
{
    int64_t next = due + interval;
    if (now > next)
        next += (now - next + interval - 1) / interval * interval;
    return next;
}

class FrameClock {
public:
    struct Handlers {
        std::function<void()> frame; // a frame is due
        // Work between frames at now; returns when it wants to run again (now or earlier:
        // at once, more is waiting).
        std::function<int64_t(int64_t now)> between;
        // The descriptors whose data ends a wait early.
        std::function<void(std::vector<int>& fds)> waitFds;
    };

    explicit FrameClock(int64_t intervalNs) : intervalNs_(intervalNs) {}

    // Raises the calling thread's priority as asked, then runs frames until stop is set.
    void Run(ThreadPriority priority, const std::atomic<bool>& stop, const Handlers& handlers);

private:
    void WaitUntil(int64_t deadline, const Handlers& handlers);

    int64_t intervalNs_;
    std::vector<int> fds_;
};
