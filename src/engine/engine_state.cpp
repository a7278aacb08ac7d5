#include "engine/engine_state.h"

#include <chrono>
#include <thread>

const char* AudioStateText(AudioStateKind state)
{
    switch (state) {
    case AudioStateKind::Stopped:
        return "stopped";
    case AudioStateKind::Paused:
        return "paused";
    case AudioStateKind::Playing:
        return "playing";
    case AudioStateKind::None:
        break;
    }
    return "";
}

AudioStateKind AudioStateFromPlayer(int state)
{
    switch (state) {
    case 0:
        return AudioStateKind::Stopped;
    case 1:
        return AudioStateKind::Paused;
    case 2:
        return AudioStateKind::Playing;
    default:
        return AudioStateKind::None;
    }
}

EngineState::EngineState(PlayGlobals& play, const MsClock& clock) : Play(play), Clock(clock) {}

void EngineState::SetSoundPath(const std::string& path)
{
    std::lock_guard lock(pathMutex_);
    soundPath_ = path;
}

std::string EngineState::SoundPath() const
{
    std::lock_guard lock(pathMutex_);
    return soundPath_;
}

uint32_t EngineState::PostSeek(int32_t t)
{
    Play.PlayPosition = t;
    uint64_t old = seek_.load();
    uint32_t n;
    do {
        n = uint32_t(old >> 32) + 1;
        if (n == 0) // 0 stands for "no seek yet"
            n = 1;
    } while (!seek_.compare_exchange_weak(old, uint64_t(n) << 32 | uint32_t(t)));
    return n;
}

bool EngineState::SeekTaken(uint32_t n) const
{
    // Wrap-safe: n is taken when the taken number has reached it.
    return int32_t(seekTaken_.load() - n) >= 0;
}

bool EngineState::SeekPending() const { return uint32_t(seek_.load() >> 32) != seekTaken_.load(); }

bool EngineState::PendingSeek(uint32_t* n, int32_t* target) const
{
    const uint64_t word = seek_.load();
    *n = uint32_t(word >> 32);
    *target = int32_t(uint32_t(word));
    return *n != seekTaken_.load();
}

void EngineState::SeekDone(uint32_t n) { seekTaken_.store(n); }

void EngineState::StartClock(int32_t p)
{
    std::lock_guard lock(clockMutex_);
    ClockBasePosition.store(p, std::memory_order_relaxed);
    ClockPosition.store(p, std::memory_order_relaxed);
    ClockBaseTick.store(Clock.NowMs(), std::memory_order_relaxed);
    ClockPaused.store(false, std::memory_order_relaxed);
    ClockRunning.store(true, std::memory_order_release);
}

void EngineState::StopClock()
{
    std::lock_guard lock(clockMutex_);
    ClockRunning.store(false, std::memory_order_release);
}

bool EngineState::PauseClock()
{
    std::lock_guard lock(clockMutex_);
    if (!ClockRunning.load(std::memory_order_relaxed))
        return false;
    if (ClockPaused.load(std::memory_order_relaxed)) {
        ClockBasePosition.store(ClockPosition.load(std::memory_order_relaxed), std::memory_order_relaxed);
        ClockBaseTick.store(Clock.NowMs(), std::memory_order_relaxed);
        ClockPaused.store(false, std::memory_order_release);
    } else {
        ClockPaused.store(true, std::memory_order_release);
    }
    return true;
}

void EngineState::AdvanceClock()
{
    std::lock_guard lock(clockMutex_);
    if (!ClockRunning.load(std::memory_order_relaxed) || ClockPaused.load(std::memory_order_relaxed))
        return;
    // Unsigned arithmetic: the counter may wrap, and so may a position far out.
    const uint32_t elapsed = Clock.NowMs() - ClockBaseTick.load(std::memory_order_relaxed);
    const uint32_t base = uint32_t(ClockBasePosition.load(std::memory_order_relaxed));
    ClockPosition.store(int32_t(base + elapsed), std::memory_order_relaxed);
}

void EngineState::NudgeClock(int32_t ms)
{
    std::lock_guard lock(clockMutex_);
    if (!ClockRunning.load(std::memory_order_relaxed))
        return;
    ClockBasePosition.store(int32_t(uint32_t(ClockBasePosition.load(std::memory_order_relaxed)) + uint32_t(ms)),
                            std::memory_order_relaxed);
    ClockPosition.store(int32_t(uint32_t(ClockPosition.load(std::memory_order_relaxed)) + uint32_t(ms)),
                        std::memory_order_relaxed);
}

bool EngineState::FollowClock(int32_t position, int64_t runOutEnd, int32_t* clockPosition, bool* leadInEnded,
                              bool* runOutEnded)
{
    std::lock_guard lock(clockMutex_);
    *leadInEnded = false;
    *runOutEnded = false;
    if (!ClockRunning.load(std::memory_order_relaxed))
        return false;
    const int32_t reading = ClockPosition.load(std::memory_order_relaxed);
    if (position < 0 && reading >= 0) {
        ClockRunning.store(false, std::memory_order_release);
        *leadInEnded = true;
        *clockPosition = 0;
    } else {
        *clockPosition = reading;
    }
    if (*clockPosition >= runOutEnd) {
        *runOutEnded = !*leadInEnded;
        ClockRunning.store(false, std::memory_order_release);
    }
    return true;
}

bool WaitForTick(const std::function<bool()>& taken)
{
    for (int i = 0; i < 100; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (taken())
            return true;
    }
    return false;
}

bool WaitForTickLong(const std::function<bool()>& taken)
{
    if (WaitForTick(taken))
        return true;
    for (int i = 0; i < 10000; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (taken())
            return true;
    }
    return false;
}

bool RequestAndWait(std::atomic<bool>& flag)
{
    flag.store(true);
    return WaitForTick([&flag] { return !flag.load(); });
}

bool RequestAndWaitTaken(std::atomic<bool>& flag)
{
    flag.store(true);
    return WaitForTickLong([&flag] { return !flag.load(); });
}

bool SeekAndWait(EngineState& state, int32_t t)
{
    const uint32_t n = state.PostSeek(t);
    return WaitForTick([&state, n] { return state.SeekTaken(n); });
}

bool SeekAndWaitTaken(EngineState& state, int32_t t)
{
    const uint32_t n = state.PostSeek(t);
    return WaitForTickLong([&state, n] { return state.SeekTaken(n); });
}
