#pragma once
// What the program tells OSC peers: the show's state on every change, its play position
// at most ten times a second while it moves and once when it stops, the show when one
// opens, and a reply to each command. Peers are the configured targets, the subscribers
// (until they unsubscribe) and the senders of a command that ran, for ten minutes after
// their last one. A sender that is none of these is answered with one datagram a request
// and hears nothing more: a forged source address buys its victim no stream. Each host
// holds a few places at most, so that one host's ever new ports cannot push another's out.
// User interface thread only: the frames never wait for a peer.

#include "remote/osc_endpoints.h"
#include "remote/show_state.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

// What the peers are told, as it stands now.
struct ShowReport {
    ShowState state = ShowState::Stopped;
    int32_t positionMs = 0; // negative in the lead-in
    std::string title;
    int32_t lengthMs = 0; // the sound's length
};

class OscFeedback {
public:
    using Send = std::function<void(const OscEndpoint& to, std::span<const uint8_t> datagram)>;

    static constexpr uint32_t ClientLifetimeMs = 10 * 60 * 1000;
    static constexpr uint32_t TimeIntervalMs = 100;
    static constexpr size_t MaxClients = 64;
    static constexpr size_t MaxClientsPerHost = 4;

    explicit OscFeedback(Send send);

    // A target that was not one before hears the whole state at the next update.
    void SetTargets(std::vector<OscEndpoint> targets);
    const std::vector<OscEndpoint>& Targets() const { return targets_; }

    // A command from client ran at nowMs. A host that subscribed hears where it asked to.
    void Heard(const OscEndpoint& client, uint32_t nowMs);
    // Feedback to `to` until Unsubscribe; the whole state at the next update.
    void Subscribe(const OscEndpoint& to, uint32_t nowMs);
    void Unsubscribe(const OscEndpoint& to);
    // "/lumenrill/ok" (address) or, with an error, "/lumenrill/error" (address, error).
    // With a report, "/lumenrill/ok" and the status as StatusMessages, in one bundle.
    void Reply(const OscEndpoint& to, const std::string& address, const std::string& error,
               const ShowReport* report = nullptr);
    // The next Update tells the show even when it is the one told before.
    void ShowOpened() { showOpened_ = true; }
    // Tells every peer what changed since the last update.
    void Update(const ShowReport& report, uint32_t nowMs);

    // Subscribers and clients heard within the lifetime, then the targets, each once.
    std::vector<OscEndpoint> Peers(uint32_t nowMs) const;

private:
    struct Client {
        OscEndpoint endpoint;
        uint32_t heardAt;
        bool subscribed;
    };
    // The client at endpoint, added when new. Room is made by the longest silent client of
    // the same host, or when all are full of any host; subscribers go last.
    Client& Place(const OscEndpoint& endpoint, uint32_t nowMs);
    bool Live(const Client& c, uint32_t nowMs) const { return c.subscribed || nowMs - c.heardAt < ClientLifetimeMs; }
    void ToAll(const std::vector<OscEndpoint>& peers, std::span<const uint8_t> datagram) const;

    Send send_;
    std::vector<OscEndpoint> targets_;
    std::vector<OscEndpoint> newPeers_; // to hear the whole state at the next update
    std::vector<Client> clients_;
    std::optional<ShowState> toldState_;
    std::optional<int32_t> toldPosition_;
    uint32_t toldPositionAt_ = 0;
    std::optional<std::pair<std::string, int32_t>> toldShow_;
    bool showOpened_ = false;
};

// The OSC messages themselves.
std::vector<uint8_t> StateMessage(ShowState state);
std::vector<uint8_t> TimeMessage(int32_t positionMs);
std::vector<uint8_t> ShowMessage(const std::string& title, int32_t lengthMs);
// The whole status: state, time and show.
std::vector<std::vector<uint8_t>> StatusMessages(const ShowReport& report);
