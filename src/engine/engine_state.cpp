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

void EngineState::SetSeekPosition(int32_t t)
{
    SeekTarget = t;
    Play.PlayPosition = t;
}

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

bool RequestAndWait(std::atomic<bool>& flag)
{
    flag.store(true);
    for (int i = 0; i < 100; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!flag.load())
            return true;
    }
    return false;
}
