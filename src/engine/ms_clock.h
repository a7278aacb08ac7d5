#pragma once
// The system millisecond counter that the play clock runs on. Differences are taken in
// 32-bit unsigned arithmetic, so the counter may wrap.

#include <cstdint>

class MsClock {
public:
    virtual ~MsClock() = default;
    virtual uint32_t NowMs() const = 0;
};

// CLOCK_MONOTONIC in milliseconds.
class SystemMsClock final : public MsClock {
public:
    uint32_t NowMs() const override;
};

// The one instance the running program uses.
const MsClock& SystemClock();
