#include "engine/ms_clock.h"

#include <ctime>

uint32_t SystemMsClock::NowMs() const
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return uint32_t(uint64_t(ts.tv_sec) * 1000u + uint64_t(ts.tv_nsec) / 1000000u);
}

const MsClock& SystemClock()
{
    static const SystemMsClock instance;
    return instance;
}
