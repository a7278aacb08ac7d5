#include "remote/osc_command_runner.h"

namespace {

// The tick has taken every request posted, by anyone: a new one cannot overtake an older
// one (the tick carries out a stop after a run posted in the same frame).
bool AllTaken(const EngineState& s)
{
    return !s.OpenAudioRequest && !s.CloseAudioRequest && !s.RunRequest && !s.RestartRequest && !s.StopRequest &&
           !s.PauseRequest && !s.ResumeRequest && !s.SeekPending();
}

} // namespace

OscCommandRunner::OscCommandRunner(EngineState& state, Transport::Notify notify, Hooks hooks)
    : s_(state), transport_(state, std::move(notify), [](const std::function<bool()>&) {}), hooks_(std::move(hooks))
{
}

bool OscCommandRunner::Post(OscCommand command, std::string address, const OscEndpoint& from)
{
    using K = OscCommand::Kind;
    if (command.kind == K::PlayAt && !waiting_.empty() && waiting_.back().command.kind == K::PlayAt) {
        Started later{std::move(command), std::move(address), from, {}};
        std::swap(waiting_.back(), later);
        later.superseded = true;
        superseded_.push_back(std::move(later));
        return true;
    }
    if (waiting_.size() >= MaxWaiting)
        return false;
    waiting_.push_back({std::move(command), std::move(address), from, {}});
    return true;
}

bool OscCommandRunner::PlayAtWaits(uint32_t now) const
{
    return waiting_.front().command.kind == OscCommand::Kind::PlayAt && lastPlayAtAt_
           && now - *lastPlayAtAt_ < PlayAtSpacingMs;
}

std::vector<OscCommandRunner::Started> OscCommandRunner::Poll()
{
    std::vector<Started> started = std::move(superseded_);
    superseded_.clear();
    while (true) {
        const uint32_t now = s_.Clock.NowMs();
        if (!AllTaken(s_)) {
            pendingSeenAt_ = now;
            break;
        }
        if (step_ != Step::Idle) {
            Advance();
            pendingSeenAt_ = now;
            continue;
        }
        if (waiting_.empty() || (pendingSeenAt_ && now - *pendingSeenAt_ < SettleMs) || PlayAtWaits(now))
            break;
        Started next = std::move(waiting_.front());
        waiting_.pop_front();
        next.error = Begin(next.command);
        started.push_back(std::move(next));
    }
    return started;
}

bool OscCommandRunner::Enabled(TransportCommand command) const
{
    return transport_.Enabled(command, SummaryLoaded());
}

bool OscCommandRunner::SummaryLoaded() const { return hooks_.summaryLoaded ? hooks_.summaryLoaded() : true; }

std::string OscCommandRunner::Begin(const OscCommand& command)
{
    using K = OscCommand::Kind;
    switch (command.kind) {
    case K::Play:
    case K::TopPlay: {
        // What keeps a play command from running is said; a show already playing is as asked.
        if (!SummaryLoaded())
            return OscReasonNoShow;
        if (!s_.AudioOutputOk)
            return OscReasonNoAudioOutput;
        const bool top = command.kind == K::TopPlay;
        if (Enabled(top ? TransportCommand::TopPlay : TransportCommand::Play))
            top ? transport_.TopPlayAction() : transport_.PlayAction();
        return {};
    }
    case K::Stop:
        if (Enabled(TransportCommand::Stop))
            transport_.StopAction();
        return {};
    case K::Pause:
        if (!Enabled(TransportCommand::Pause))
            return OscReasonNotPlaying;
        transport_.PauseAction();
        return {};
    case K::PlayAt: {
        startAt_ = command.time;
        // Playing inside the sound, and going to a time inside it: the player moves there
        // and plays on. Anything else stops first and starts again where the time lies.
        const bool inside = startAt_ >= 0 && startAt_ < s_.Play.SoundDuration;
        if (inside && s_.AudioState == AudioStateKind::Playing && !s_.ClockRunning && s_.TransportActive) {
            s_.PostSeek(startAt_);
            step_ = Step::Finish;
            return {};
        }
        s_.StopClock();
        s_.StopRequest = true;
        step_ = Step::Seek;
        return {};
    }
    default:
        return {};
    }
}

void OscCommandRunner::Advance()
{
    switch (step_) {
    case Step::Seek:
        s_.PostSeek(startAt_);
        step_ = Step::Start;
        break;
    case Step::Start: {
        // Where the tick put it: outside the sound the clock runs, once the player has stopped.
        startAt_ = s_.Play.PlayPosition;
        const bool outside = startAt_ < 0 || startAt_ >= s_.Play.SoundDuration;
        (outside ? s_.StopRequest : s_.RunRequest) = true;
        step_ = outside ? Step::StartClock : Step::Finish;
        break;
    }
    case Step::StartClock:
        s_.StartClock(startAt_);
        step_ = Step::Finish;
        break;
    case Step::Finish:
        s_.TransportActive = true;
        step_ = Step::Idle;
        lastPlayAtAt_ = s_.Clock.NowMs();
        if (hooks_.showPlayPosition)
            hooks_.showPlayPosition();
        break;
    case Step::Idle:
        break;
    }
}
