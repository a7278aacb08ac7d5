#include "remote/osc_receiver.h"

OscReceiver::OscReceiver(EngineState& state, Transport& transport, Hooks hooks)
    : s_(state), transport_(transport), hooks_(std::move(hooks))
{
}

std::optional<OscOutcome> OscReceiver::OscServerUDPRead(std::span<const uint8_t> datagram)
{
    unit_.Decode(datagram); // a failure after the address still runs its command
    std::optional<OscCommand> command = InterpretOsc(unit_, s_.Play.SoundDuration);
    if (!command)
        return std::nullopt;
    OscOutcome outcome;
    outcome.error = Run(*command);
    outcome.status = std::move(command->status);
    outcome.address = unit_.Address;
    outcome.statusRequest = command->kind == OscCommand::Kind::Status;
    return outcome;
}

bool OscReceiver::Enabled(TransportCommand command) const
{
    return transport_.Enabled(command, SummaryLoaded());
}

bool OscReceiver::SummaryLoaded() const { return hooks_.summaryLoaded ? hooks_.summaryLoaded() : true; }

std::string OscReceiver::Run(const OscCommand& command)
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
    case K::PlayAt:
        StartAt(command.time);
        return {};
    case K::Status:
        return {};
    case K::Failed:
        return command.reason;
    }
    return {};
}

void OscReceiver::StartAt(int32_t t)
{
    s_.StopClock();
    RequestAndWaitTaken(s_.StopRequest);
    SeekAndWaitTaken(s_, t);
    const int32_t position = s_.Play.PlayPosition;
    if (position < 0 || position >= s_.Play.SoundDuration) {
        RequestAndWait(s_.StopRequest);
        s_.StartClock(position);
    } else {
        RequestAndWaitTaken(s_.RunRequest);
    }
    s_.TransportActive = true;
    if (hooks_.showPlayPosition)
        hooks_.showPlayPosition();
}
