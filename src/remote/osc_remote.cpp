#include "remote/osc_remote.h"

#include "common/text_codec.h"

#include <filesystem>

std::string OscShowTitle(const ProjectData& doc)
{
    if (!doc.Title.empty())
        return Utf16ToUtf8(doc.Title);
    return std::filesystem::path(doc.FileName).filename().string();
}

OscRemote::OscRemote(EngineState& state, Transport::Notify notify, OscCommandRunner::Hooks hooks,
                     std::function<std::string()> showTitle, OscFeedback::Send send, Done done, const MsClock& clock)
    : s_(state), runner_(state, std::move(notify), std::move(hooks)), feedback_(std::move(send)),
      showTitle_(std::move(showTitle)), done_(std::move(done)), clock_(clock)
{
}

void OscRemote::Receive(std::span<const uint8_t> datagram, const OscEndpoint& from)
{
    if (!Allowed(allowFrom_, from.address)) {
        ++refusedCount_;
        lastRefused_ = from;
        return;
    }
    unit_.Decode(datagram); // a failure after the address still runs its command
    std::optional<OscCommand> command = InterpretOsc(unit_, s_.Play.SoundDuration);
    if (!command)
        return;
    using K = OscCommand::Kind;
    const std::string& address = unit_.Address;
    // Whoever asks is answered with one datagram; only a command that runs, or a
    // subscription, makes a peer of its sender.
    switch (command->kind) {
    case K::Release:
        return;
    case K::Failed:
        feedback_.Reply(from, address, command->reason);
        break;
    case K::Status: {
        const ShowReport report = Report();
        feedback_.Reply(from, address, {}, &report);
        break;
    }
    case K::Subscribe:
    case K::Unsubscribe: {
        const OscEndpoint to{from.address, command->port ? command->port : from.port};
        command->kind == K::Subscribe ? feedback_.Subscribe(to, clock_.NowMs()) : feedback_.Unsubscribe(to);
        feedback_.Reply(from, address, {});
        break;
    }
    default:
        if (!runner_.Post(*command, address, from)) {
            feedback_.Reply(from, address, OscReasonBusy);
            return;
        }
        Carry();
        return;
    }
    if (done_)
        done_(command->status, false);
}

void OscRemote::Carry()
{
    for (OscCommandRunner::Started& started : runner_.Poll()) {
        feedback_.Reply(started.from, started.address, started.error);
        feedback_.Heard(started.from, clock_.NowMs());
        // A play at a time that a later one replaced is answered; the status names the one run.
        if (done_ && !started.superseded)
            done_(started.command.status, true);
    }
}

void OscRemote::Update()
{
    Carry();
    feedback_.Update(Report(), clock_.NowMs());
}

ShowReport OscRemote::Report()
{
    ShowReport r;
    r.state = stateFollower_.Follow(s_, clock_.NowMs());
    r.positionMs = s_.Play.PlayPosition;
    r.title = showTitle_ ? showTitle_() : std::string();
    r.lengthMs = s_.Play.SoundDuration;
    return r;
}
