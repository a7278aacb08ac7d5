#include "remote/osc_feedback.h"

#include "remote/osc_writer.h"

#include <algorithm>

std::vector<uint8_t> StateMessage(ShowState state)
{
    return EncodeOscMessage("/lumenrill/state", {std::string(ShowStateText(state))});
}

std::vector<uint8_t> TimeMessage(int32_t positionMs)
{
    return EncodeOscMessage("/lumenrill/time", {float(double(positionMs) / 1000.0)});
}

std::vector<uint8_t> ShowMessage(const std::string& title, int32_t lengthMs)
{
    return EncodeOscMessage("/lumenrill/show", {title, float(double(lengthMs) / 1000.0)});
}

OscFeedback::OscFeedback(Send send) : send_(std::move(send)) {}

void OscFeedback::SetTargets(std::vector<OscEndpoint> targets)
{
    for (const OscEndpoint& t : targets)
        if (std::find(targets_.begin(), targets_.end(), t) == targets_.end())
            newTargets_.push_back(t);
    std::erase_if(newTargets_, [&](const OscEndpoint& t) { return std::find(targets.begin(), targets.end(), t) == targets.end(); });
    targets_ = std::move(targets);
}

void OscFeedback::Heard(const OscEndpoint& client, uint32_t nowMs)
{
    auto known = std::find_if(clients_.begin(), clients_.end(), [&](const Client& c) { return c.endpoint == client; });
    if (known != clients_.end()) {
        known->heardAt = nowMs;
        return;
    }
    // A flood from ever new ports must not grow the list without end.
    std::erase_if(clients_, [nowMs](const Client& c) { return nowMs - c.heardAt >= ClientLifetimeMs; });
    if (clients_.size() >= MaxClients)
        clients_.erase(std::min_element(clients_.begin(), clients_.end(), [nowMs](const Client& a, const Client& b) {
            return nowMs - a.heardAt > nowMs - b.heardAt;
        }));
    clients_.push_back({client, nowMs});
}

std::vector<OscEndpoint> OscFeedback::Peers(uint32_t nowMs) const
{
    std::vector<OscEndpoint> peers;
    for (const Client& c : clients_)
        if (nowMs - c.heardAt < ClientLifetimeMs)
            peers.push_back(c.endpoint);
    for (const OscEndpoint& t : targets_)
        if (std::find(peers.begin(), peers.end(), t) == peers.end())
            peers.push_back(t);
    return peers;
}

void OscFeedback::ToAll(const std::vector<OscEndpoint>& peers, std::span<const uint8_t> datagram) const
{
    for (const OscEndpoint& p : peers)
        send_(p, datagram);
}

void OscFeedback::Reply(const OscEndpoint& to, const std::string& address, const std::string& error)
{
    send_(to, error.empty() ? EncodeOscMessage("/lumenrill/ok", {address})
                            : EncodeOscMessage("/lumenrill/error", {address, error}));
}

void OscFeedback::SendStatus(const OscEndpoint& to, const ShowReport& report)
{
    send_(to, StateMessage(report.state));
    send_(to, TimeMessage(report.positionMs));
    send_(to, ShowMessage(report.title, report.lengthMs));
}

void OscFeedback::Update(const ShowReport& report, uint32_t nowMs)
{
    const std::vector<OscEndpoint> peers = Peers(nowMs);
    // The first update tells everything to everyone, new targets included.
    if (!toldState_)
        newTargets_.clear();
    if (report.state != toldState_) {
        ToAll(peers, StateMessage(report.state));
        toldState_ = report.state;
    }
    // While it moves, every tenth of a second; the position it stops at is sent once the
    // interval has passed.
    if (report.positionMs != toldPosition_ && (!toldPosition_ || nowMs - toldPositionAt_ >= TimeIntervalMs)) {
        ToAll(peers, TimeMessage(report.positionMs));
        toldPosition_ = report.positionMs;
        toldPositionAt_ = nowMs;
    }
    const std::pair<std::string, int32_t> show{report.title, report.lengthMs};
    if (showOpened_ || show != toldShow_) {
        ToAll(peers, ShowMessage(report.title, report.lengthMs));
        toldShow_ = show;
        showOpened_ = false;
    }
    for (const OscEndpoint& t : newTargets_)
        SendStatus(t, report);
    newTargets_.clear();
}
