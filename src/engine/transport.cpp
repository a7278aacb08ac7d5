#include "engine/transport.h"

Transport::Transport(EngineState& state, Notify notify, Wait wait)
    : s_(state), notify_(std::move(notify)), wait_(std::move(wait))
{
    if (!wait_)
        wait_ = [](const std::function<bool()>& taken) { WaitForTick(taken); };
}

void Transport::Request(std::atomic<bool>& flag)
{
    flag = true;
    wait_([&flag] { return !flag.load(); });
}

void Transport::Seek(int32_t t)
{
    const uint32_t n = s_.PostSeek(t);
    wait_([this, n] { return s_.SeekTaken(n); });
}

void Transport::Tell(TransportNotice notice) const
{
    if (notify_)
        notify_(notice);
}

void Transport::TopPlayAction()
{
    s_.StopClock();
    Tell(TransportNotice::ScrollToFarLeft);
    const int32_t preRoll = s_.Play.PrePlayTime;
    if (preRoll <= 0) {
        // The tick leaves positions outside the sound alone: from the run-out the lights
        // would stay there while the sound plays from 0. Both positions go to 0 first.
        s_.Play.PlayPosition = 0;
        s_.AudioPosition = 0;
        s_.RestartRequest = true;
    } else {
        Request(s_.StopRequest);
        s_.Play.PlayPosition = -preRoll;
        s_.StartClock(-preRoll);
    }
    s_.TransportActive = true;
    Tell(TransportNotice::OutputChanged);
}

void Transport::PlayAction()
{
    s_.StopClock();
    const int32_t position = s_.Play.PlayPosition;
    if (position < 0 || position >= s_.Play.SoundDuration) {
        Request(s_.StopRequest);
        s_.StartClock(s_.Play.PlayPosition);
    } else {
        s_.RunRequest = true;
    }
    s_.TransportActive = true;
    Tell(TransportNotice::OutputChanged);
}

void Transport::PauseAction()
{
    if (s_.PauseClock())
        return;
    const AudioStateKind state = s_.AudioState;
    if (state == AudioStateKind::Playing)
        s_.PauseRequest = true;
    else if (state == AudioStateKind::Paused)
        s_.ResumeRequest = true;
}

void Transport::StopAction()
{
    s_.StopClock();
    Request(s_.StopRequest);
    s_.TransportActive = false;
    Tell(TransportNotice::OutputChanged);
}

void Transport::ToTopPosAction() { JumpTo(false); }

void Transport::ToEndPosAction() { JumpTo(true); }

void Transport::JumpTo(bool toEnd)
{
    s_.StopClock();
    if (s_.SoundLoaded) {
        Request(s_.StopRequest);
        const int32_t target = toEnd ? s_.Play.SoundDuration.load() : 0;
        s_.AudioPosition = target;
        Seek(target);
    } else {
        s_.AudioPosition = 0;
        s_.Play.PlayPosition = 0;
    }
    Tell(toEnd ? TransportNotice::ShowSoundEnd : TransportNotice::ShowSoundStart);
}

void Transport::PrvTimAction()
{
    const int32_t a = s_.AudioPosition;
    if (a <= 0)
        return;
    Seek(a % 100 == 0 ? a - 100 : a - a % 100);
    Tell(TransportNotice::PlayCursorMoved);
}

void Transport::NxtTimAction()
{
    const int32_t a = s_.AudioPosition;
    if (int64_t(a) >= int64_t(s_.Play.SoundDuration) - 10)
        return;
    Seek(a - a % 100 + 100);
    Tell(TransportNotice::PlayCursorMoved);
}

bool Transport::Enabled(TransportCommand command, bool summaryLoaded) const
{
    const AudioStateKind state = s_.AudioState;
    switch (command) {
    case TransportCommand::TopPlay:
        return s_.AudioOutputOk && summaryLoaded;
    case TransportCommand::Play:
        return s_.AudioOutputOk && summaryLoaded && !(s_.ClockRunning && !s_.ClockPaused) &&
               state != AudioStateKind::Playing;
    case TransportCommand::Pause:
        return s_.ClockRunning || state == AudioStateKind::Playing || state == AudioStateKind::Paused;
    case TransportCommand::Stop:
        return s_.TransportActive;
    case TransportCommand::ToTopPos:
    case TransportCommand::ToEndPos:
        return summaryLoaded && !s_.TransportActive;
    case TransportCommand::PrvTim:
    case TransportCommand::NxtTim:
        return true;
    }
    return false;
}
