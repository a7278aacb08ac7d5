#include "output/frame_clock.h"

#include <poll.h>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>

namespace {

timespec ToTimespec(int64_t ns) { return {time_t(ns / 1000000000), long(ns % 1000000000)}; }

// Wake-ups within a few microseconds of the deadline, and precedence over ordinary
// threads where the system allows it: a low real-time priority first (threads the tick
// starts, such as the audio player's, fall back to the normal policy), else a raised
// nice value. Without the right the thread simply runs as it is.
void RaiseThreadPriority(ThreadPriority priority)
{
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    if (priority != ThreadPriority::AboveNormal)
        return;
    sched_param param{};
    param.sched_priority = 10;
    if (sched_setscheduler(0, SCHED_FIFO | SCHED_RESET_ON_FORK, &param) != 0)
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), -10);
}

} // namespace

int64_t MonotonicNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

void FrameClock::Run(ThreadPriority priority, const std::atomic<bool>& stop, const Handlers& handlers)
{
    RaiseThreadPriority(priority);
    int64_t due = MonotonicNs() + intervalNs_;
    while (!stop) {
        const int64_t now = MonotonicNs();
        if (now < due) {
            const int64_t wake = handlers.between(now);
            if (wake > now)
                WaitUntil(std::min(due, wake), handlers);
            continue;
        }
        handlers.frame();
        due = NextFrameTime(due, MonotonicNs(), intervalNs_);
    }
}

void FrameClock::WaitUntil(int64_t deadline, const Handlers& handlers)
{
    fds_.clear();
    handlers.waitFds(fds_);
    const int64_t rest = deadline - MonotonicNs();
    if (rest <= 0)
        return;
    const timespec timeout = ToTimespec(rest);
    if (fds_.empty()) {
        const timespec until = ToTimespec(deadline);
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
        }
        return;
    }
    // A datagram or a network change ends the wait early; the loop handles it and waits again.
    pollfd waiting[4];
    const size_t count = std::min<size_t>(fds_.size(), 4);
    for (size_t i = 0; i < count; ++i)
        waiting[i] = {fds_[i], POLLIN, 0};
    ppoll(waiting, count, &timeout, nullptr);
}
