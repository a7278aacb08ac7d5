#include "remote/show_state.h"

const char* ShowStateText(ShowState state)
{
    switch (state) {
    case ShowState::Stopped:
        return "stopped";
    case ShowState::Playing:
        return "playing";
    case ShowState::Paused:
        return "paused";
    case ShowState::LeadIn:
        return "leadin";
    case ShowState::RunOut:
        return "runout";
    }
    return "stopped";
}

ShowState ShowStateOf(const EngineState& s)
{
    if (s.ClockRunning) {
        if (s.ClockPaused)
            return ShowState::Paused;
        const int32_t position = s.Play.PlayPosition;
        if (position < 0)
            return ShowState::LeadIn;
        return position > s.Play.SoundDuration ? ShowState::RunOut : ShowState::Playing;
    }
    switch (s.AudioState.load()) {
    case AudioStateKind::Playing:
        return ShowState::Playing;
    case AudioStateKind::Paused:
        return ShowState::Paused;
    default:
        return ShowState::Stopped;
    }
}

ShowState ShowStateFollower::Follow(const EngineState& state, uint32_t nowMs)
{
    ShowState now = ShowStateOf(state);
    if (now == ShowState::Stopped && state.TransportActive && last_ && *last_ != ShowState::Stopped) {
        if (!stoppedSince_)
            stoppedSince_ = nowMs;
        if (nowMs - *stoppedSince_ < HoldMs)
            now = *last_;
    } else {
        stoppedSince_.reset();
    }
    last_ = now;
    return now;
}
