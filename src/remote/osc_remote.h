#pragma once
// OSC both ways, for the window and lumenrill-cli alike: commands from allowed senders
// drive the transport (OscReceiver) and are answered; refused senders are dropped and
// counted; the show's state goes to every peer (OscFeedback). The caller owns the socket:
// it hands each datagram in with its sender, sends what comes out of send, and calls
// Update from its loop. User interface thread only.

#include "document/project_data.h"
#include "engine/ms_clock.h"
#include "engine/transport.h"
#include "remote/osc_endpoints.h"
#include "remote/osc_feedback.h"
#include "remote/osc_receiver.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

// What the peers call the show: its title, else its file's name, else nothing.
std::string OscShowTitle(const ProjectData& doc);

class OscRemote {
public:
    // showTitle: what the show is called for the peers.
    OscRemote(EngineState& state, Transport& transport, OscReceiver::Hooks hooks,
              std::function<std::string()> showTitle, OscFeedback::Send send, const MsClock& clock = SystemClock());

    // Empty: anyone may send commands.
    void SetAllowFrom(std::vector<AddressRange> ranges) { allowFrom_ = std::move(ranges); }
    const std::vector<AddressRange>& AllowFrom() const { return allowFrom_; }
    void SetFeedbackTargets(std::vector<OscEndpoint> targets) { feedback_.SetTargets(std::move(targets)); }
    const std::vector<OscEndpoint>& FeedbackTargets() const { return feedback_.Targets(); }

    // A datagram from `from`: the status text of its command, or nothing when it was
    // refused or lies outside the prefix.
    std::optional<std::string> Receive(std::span<const uint8_t> datagram, const OscEndpoint& from);
    // Tells the peers what changed.
    void Update();
    void ShowOpened() { feedback_.ShowOpened(); }

    uint32_t RefusedCount() const { return refusedCount_; }
    const std::optional<OscEndpoint>& LastRefused() const { return lastRefused_; }

    const OscReceiver& Receiver() const { return receiver_; }

private:
    ShowReport Report();

    EngineState& s_;
    OscReceiver receiver_;
    OscFeedback feedback_;
    std::function<std::string()> showTitle_;
    ShowStateFollower stateFollower_;
    const MsClock& clock_;
    std::vector<AddressRange> allowFrom_;
    uint32_t refusedCount_ = 0;
    std::optional<OscEndpoint> lastRefused_;
};
