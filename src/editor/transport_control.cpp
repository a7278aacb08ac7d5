#include "editor/transport_control.h"

bool TransportControl::Playing() const { return s_.AudioState == AudioStateKind::Playing || s_.ClockRunning; }

void TransportControl::ScrubTo(int32_t t)
{
    if (Playing())
        return;
    if (t >= 0 && t <= s_.Play.SoundDuration) {
        s_.PostSeek(t);
    } else {
        s_.ClockPosition = t;
        s_.Play.PlayPosition = t;
    }
}

void TransportControl::SeekTo(int32_t t)
{
    if (!Playing()) {
        ScrubTo(t);
        return;
    }
    s_.StopClock();
    RequestAndWait(s_.StopRequest);
    SeekAndWait(s_, t);
    if (t < 0 || t >= s_.Play.SoundDuration) {
        RequestAndWait(s_.StopRequest);
        s_.StartClock(t);
    } else {
        RequestAndWait(s_.RunRequest);
    }
}

void TransportControl::Run(TransportCommand command)
{
    switch (command) {
    case TransportCommand::TopPlay:
        commands_.TopPlayAction();
        break;
    case TransportCommand::Play:
        commands_.PlayAction();
        break;
    case TransportCommand::Pause:
        commands_.PauseAction();
        break;
    case TransportCommand::Stop:
        commands_.StopAction();
        break;
    case TransportCommand::ToTopPos:
        commands_.ToTopPosAction();
        break;
    case TransportCommand::ToEndPos:
        commands_.ToEndPosAction();
        break;
    case TransportCommand::PrvTim:
        commands_.PrvTimAction();
        break;
    case TransportCommand::NxtTim:
        commands_.NxtTimAction();
        break;
    }
}
