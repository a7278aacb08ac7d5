#pragma once
// The OSC read handler: takes each received datagram apart, runs the transport command it
// names and gives the status text that reports it. User interface thread only; the window
// holds its change guard around each call.

#include "engine/transport.h"
#include "remote/osc_command.h"
#include "remote/osc_unit.h"

#include <functional>
#include <optional>
#include <span>
#include <string>

// What a datagram under the prefix did: the status text, and what the sender is told.
struct OscOutcome {
    std::string status;         // "OSC: play top" and the like
    std::string address;        // the command's address, as it came
    std::string error;          // why it was not carried out; empty when it was
    bool statusRequest = false; // the sender asked for the whole state
};

class OscReceiver {
public:
    struct Hooks {
        // Whether the play commands may run (the editor: a waveform summary is loaded).
        std::function<bool()> summaryLoaded;
        // After a start at a given time: the window scrolls the play position into view.
        std::function<void()> showPlayPosition;
    };

    OscReceiver(EngineState& state, Transport& transport, Hooks hooks);

    // What the datagram did, or nothing when its address lies outside the prefix (the
    // status stays as it was and nobody is answered).
    std::optional<OscOutcome> OscServerUDPRead(std::span<const uint8_t> datagram);

    const TOscUnit& Unit() const { return unit_; }

private:
    // Runs the command; why it could not, or an empty text.
    std::string Run(const OscCommand& command);
    void StartAt(int32_t t);
    bool Enabled(TransportCommand command) const;
    bool SummaryLoaded() const;

    EngineState& s_;
    Transport& transport_;
    Hooks hooks_;
    TOscUnit unit_;
};
