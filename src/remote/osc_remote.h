#pragma once
// OSC both ways, for the window and lumenrill-cli alike: commands from allowed senders
// drive the transport (OscCommandRunner) and are answered; refused senders are dropped and
// counted; the show's state goes to the peers (OscFeedback). The caller owns the socket:
// it hands each datagram in with its sender, sends what comes out of send, and calls
// Update from its loop, soon again while Busy. Nothing here waits for the playback tick.
// User interface thread only.

#include "document/project_data.h"
#include "engine/ms_clock.h"
#include "engine/transport.h"
#include "remote/osc_command_runner.h"
#include "remote/osc_endpoints.h"
#include "remote/osc_feedback.h"
#include "remote/osc_unit.h"

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
    // A command's status text ("OSC: play top"), once it was taken up or refused for what
    // it asked; ran: a transport command was taken up.
    using Done = std::function<void(const std::string& status, bool ran)>;

    // notify: the transport's notices; showTitle: what the show is called for the peers.
    OscRemote(EngineState& state, Transport::Notify notify, OscCommandRunner::Hooks hooks,
              std::function<std::string()> showTitle, OscFeedback::Send send, Done done,
              const MsClock& clock = SystemClock());

    // Empty: anyone may send commands.
    void SetAllowFrom(std::vector<AddressRange> ranges) { allowFrom_ = std::move(ranges); }
    const std::vector<AddressRange>& AllowFrom() const { return allowFrom_; }
    void SetFeedbackTargets(std::vector<OscEndpoint> targets) { feedback_.SetTargets(std::move(targets)); }
    const std::vector<OscEndpoint>& FeedbackTargets() const { return feedback_.Targets(); }

    // A datagram from `from`. Refused senders, addresses outside the prefix and a button's
    // release (a zero) get no answer; a transport command runs at once when the tick has
    // taken every earlier request, else in its turn (a full queue answers "busy").
    void Receive(std::span<const uint8_t> datagram, const OscEndpoint& from);
    // Carries waiting commands on and tells the peers what changed.
    void Update();
    // A command waits for the tick: Update is due again within a few milliseconds.
    bool Busy() const { return runner_.Busy(); }
    void ShowOpened() { feedback_.ShowOpened(); }

    uint32_t RefusedCount() const { return refusedCount_; }
    const std::optional<OscEndpoint>& LastRefused() const { return lastRefused_; }

private:
    void Carry();
    ShowReport Report();

    EngineState& s_;
    TOscUnit unit_;
    OscCommandRunner runner_;
    OscFeedback feedback_;
    std::function<std::string()> showTitle_;
    Done done_;
    ShowStateFollower stateFollower_;
    const MsClock& clock_;
    std::vector<AddressRange> allowFrom_;
    uint32_t refusedCount_ = 0;
    std::optional<OscEndpoint> lastRefused_;
};
