#include "remote/osc_receiver.h"

OscReceiver::OscReceiver(EngineState& state, Transport& transport, Hooks hooks)
    : s_(state), transport_(transport), hooks_(std::move(hooks))
{
}

std::optional<std::string> OscReceiver::OscServerUDPRead(std::span<const uint8_t> datagram)
{
    unit_.Decode(datagram); // a failure after the address still runs its command
    std::optional<OscCommand> command = InterpretOsc(unit_, s_.Play.SoundDuration);
    if (!command)
        return std::nullopt;
    Run(*command);
    return command->status;
}

bool OscReceiver::Enabled(TransportCommand command) const
{
    return transport_.Enabled(command, hooks_.summaryLoaded ? hooks_.summaryLoaded() : true);
}

void OscReceiver::Run(const OscCommand& command)
{
    using K = OscCommand::Kind;
    switch (command.kind) {
    case K::Play:
        if (Enabled(TransportCommand::Play))
            transport_.PlayAction();
        break;
    case K::TopPlay:
        if (Enabled(TransportCommand::TopPlay))
            transport_.TopPlayAction();
        break;
    case K::Stop:
        if (Enabled(TransportCommand::Stop))
            transport_.StopAction();
        break;
    case K::Pause:
        if (Enabled(TransportCommand::Pause))
            transport_.PauseAction();
        break;
    case K::PlayAt:
        StartAt(command.time);
        break;
    case K::Failed:
        break;
    }
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
