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

std::vector<std::vector<uint8_t>> StatusMessages(const ShowReport& report)
{
    return {StateMessage(report.state), TimeMessage(report.positionMs), ShowMessage(report.title, report.lengthMs)};
}

OscFeedback::OscFeedback(Send send) : send_(std::move(send)) {}

void OscFeedback::SetTargets(std::vector<OscEndpoint> targets)
{
    for (const OscEndpoint& t : targets)
        if (std::find(targets_.begin(), targets_.end(), t) == targets_.end())
            newPeers_.push_back(t);
    targets_ = std::move(targets);
}

OscFeedback::Client& OscFeedback::Place(const OscEndpoint& endpoint, uint32_t nowMs)
{
    auto known = std::find_if(clients_.begin(), clients_.end(), [&](const Client& c) { return c.endpoint == endpoint; });
    if (known != clients_.end())
        return *known;
    std::erase_if(clients_, [&](const Client& c) { return !Live(c, nowMs); });
    const auto sooner = [nowMs](const Client& a, const Client& b) {
        return std::pair(!a.subscribed, nowMs - a.heardAt) > std::pair(!b.subscribed, nowMs - b.heardAt);
    };
    const auto sameHost = [&](const Client& c) { return c.endpoint.address == endpoint.address; };
    if (size_t(std::count_if(clients_.begin(), clients_.end(), sameHost)) >= MaxClientsPerHost) {
        auto first = clients_.end();
        for (auto c = clients_.begin(); c != clients_.end(); ++c)
            if (sameHost(*c) && (first == clients_.end() || sooner(*c, *first)))
                first = c;
        clients_.erase(first);
    } else if (clients_.size() >= MaxClients) {
        clients_.erase(std::min_element(clients_.begin(), clients_.end(), sooner));
    }
    clients_.push_back({endpoint, nowMs, false});
    return clients_.back();
}

void OscFeedback::Heard(const OscEndpoint& client, uint32_t nowMs)
{
    for (const Client& c : clients_)
        if (c.subscribed && c.endpoint.address == client.address)
            return;
    Place(client, nowMs).heardAt = nowMs;
}

void OscFeedback::Subscribe(const OscEndpoint& to, uint32_t nowMs)
{
    Client& c = Place(to, nowMs);
    c.heardAt = nowMs;
    c.subscribed = true;
    if (std::find(newPeers_.begin(), newPeers_.end(), to) == newPeers_.end())
        newPeers_.push_back(to);
}

void OscFeedback::Unsubscribe(const OscEndpoint& to)
{
    std::erase_if(clients_, [&](const Client& c) { return c.endpoint == to; });
    std::erase(newPeers_, to);
}

std::vector<OscEndpoint> OscFeedback::Peers(uint32_t nowMs) const
{
    std::vector<OscEndpoint> peers;
    for (const Client& c : clients_)
        if (Live(c, nowMs))
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

void OscFeedback::Reply(const OscEndpoint& to, const std::string& address, const std::string& error,
                        const ShowReport* report)
{
    if (!error.empty()) {
        send_(to, EncodeOscMessage("/lumenrill/error", {address, error}));
        return;
    }
    std::vector<uint8_t> ok = EncodeOscMessage("/lumenrill/ok", {address});
    if (!report) {
        send_(to, ok);
        return;
    }
    std::vector<std::vector<uint8_t>> messages = StatusMessages(*report);
    messages.insert(messages.begin(), std::move(ok));
    send_(to, EncodeOscBundle(messages));
}

void OscFeedback::Update(const ShowReport& report, uint32_t nowMs)
{
    std::vector<OscEndpoint> peers = Peers(nowMs);
    // The first update tells everything to everyone; later, who is new hears it all alone.
    if (!toldState_)
        newPeers_.clear();
    std::erase_if(newPeers_, [&](const OscEndpoint& p) { return std::find(peers.begin(), peers.end(), p) == peers.end(); });
    for (const OscEndpoint& p : newPeers_) {
        send_(p, EncodeOscBundle(StatusMessages(report)));
        std::erase(peers, p);
    }
    newPeers_.clear();
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
}
