#include "remote/osc_remote.h"

#include "common/text_codec.h"

#include <filesystem>

std::string OscShowTitle(const ProjectData& doc)
{
    if (!doc.Title.empty())
        return Utf16ToUtf8(doc.Title);
    return std::filesystem::path(doc.FileName).filename().string();
}

OscRemote::OscRemote(EngineState& state, Transport& transport, OscReceiver::Hooks hooks,
                     std::function<std::string()> showTitle, OscFeedback::Send send, const MsClock& clock)
    : s_(state), receiver_(state, transport, std::move(hooks)), feedback_(std::move(send)),
      showTitle_(std::move(showTitle)), clock_(clock)
{
}

std::optional<std::string> OscRemote::Receive(std::span<const uint8_t> datagram, const OscEndpoint& from)
{
    if (!Allowed(allowFrom_, from.address)) {
        ++refusedCount_;
        lastRefused_ = from;
        return std::nullopt;
    }
    std::optional<OscOutcome> outcome = receiver_.OscServerUDPRead(datagram);
    if (!outcome)
        return std::nullopt;
    feedback_.Heard(from, clock_.NowMs());
    feedback_.Reply(from, outcome->address, outcome->error);
    if (outcome->statusRequest)
        feedback_.SendStatus(from, Report());
    return std::move(outcome->status);
}

void OscRemote::Update() { feedback_.Update(Report(), clock_.NowMs()); }

ShowReport OscRemote::Report()
{
    ShowReport r;
    r.state = stateFollower_.Follow(s_, clock_.NowMs());
    r.positionMs = s_.Play.PlayPosition;
    r.title = showTitle_ ? showTitle_() : std::string();
    r.lengthMs = s_.Play.SoundDuration;
    return r;
}
